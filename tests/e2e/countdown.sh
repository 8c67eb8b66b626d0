#!/usr/bin/env bash
# End-to-end countdown under Wine + Xvfb with ALSA capture: the real function menu and input box driven by X keys
# choose a 36 s custom countdown; at 30 s left the frame turns red and ti.wav plays. Then a custom length of 0
# ends at the first tick with ling.wav and the flashing. The capture must hold each WAV's sample data unchanged.
# Then 透明度 > 50% makes the window layered with alpha 128.
# Last the bell chosen with /bell: timers side by side, one a format of tests/wine/bells (WAV of 8 to 32 bits and
# float, mono and stereo, 8 to 96 kHz; MP3 of MPEG-1 and 2, CBR and VBR; a Chinese name with spaces), each heard at
# zero with its own tones; every kind of file that cannot serve gives its notice, and ling.wav rings instead;
# /repeatbell rings the chosen file again and again until 停 止, and nothing after it.
#   countdown.sh zantiro.exe zantiro_e2e_driver.exe
# ZANTIRO_CAPTURE_PREFIX: the Wine prefix with the ALSA driver on (default build/wine-prefix-alsa, as for
# tools/wine/capture.sh); ZANTIRO_E2E_BELL_SCREENSHOT: also save the screen with 功 能 > 铃声 open after the repeat.
set -euo pipefail
shopt -s nullglob  # no capture file yet: an empty list, not the pattern
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
export WINEPREFIX=${ZANTIRO_CAPTURE_PREFIX:-$root/build/wine-prefix-alsa}
# As tools/wine/capture.sh: each sound Wine plays goes raw into a file of its own, the first one named by
# ZANTIRO_CAPTURE_FILE, the next ones by that name plus .0001, .0002, ...
export ZANTIRO_WINE_AUDIO=alsa ALSA_CONFIG_PATH=$root/tools/wine/alsa-capture.conf
# shellcheck source=tests/e2e/lib.sh
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_init "$@"
capture=$E2E_WORK/capture.raw
export ZANTIRO_CAPTURE_FILE=$capture

silent() {
    local file
    for file in "$capture"*; do
        [[ ! -s $file ]] || e2e_fail "$(basename "$file") holds $(stat -c %s "$file") bytes: something played $1"
    done
    echo "ok: nothing played $1"
}

e2e_step "start-up"
e2e_start_program
D wait-window 20000
e2e_geometry
e2e_shot start

e2e_step "a 36 s countdown through the menu and the input box"
e2e_choose_custom_length 0.6
e2e_shot chosen
P compare chosen start minutes same  # 00:36
P compare chosen start seconds changed
D click "开 始"
e2e_mark_start
D wait-buttons 0 "停 止" on "暂 停" on "复 位" off "功 能" off "退 出" on
e2e_sleep_until 2000
e2e_shot early  # 34 s left: no warning yet, with time to spare for a loaded machine
silent "before 30 s were left"
(($(e2e_micros_since_start) < 5800000)) || e2e_fail "the checks meant for 34 s left ended $(e2e_since_start) s after the start"
P frame early black  # the picture was taken in time; judging it may take longer on a loaded machine
e2e_sleep_until 7500  # 30 s are left 6 s after the start
e2e_shot warned
P frame warned red
P compare warned early seconds changed
e2e_heard ti.wav "$capture"
echo "ok: ti.wav heard by $(e2e_since_start) s after the start"
D click "停 止"
D wait-buttons 0 "开 始" off "暂 停" off "复 位" on "功 能" on "退 出" on
e2e_shot stopped
P frame stopped black

e2e_step "a custom length of 0 ends at the first tick"
e2e_choose_custom_length 0
rm -f "$capture"*
D click "开 始"
# The first tick, a second after the start, ends the countdown.
D wait-buttons 3000 "停 止" on "暂 停" off "复 位" off "功 能" off "退 出" on
e2e_heard ling.wav "$capture"
for shot in flash1 flash2 flash3 flash4 flash5; do
    e2e_shot $shot  # about 0.4 s apart, so that both phases of the 500 ms blinking are caught
done
P blink flash1 flash2 flash3 flash4 flash5
D click "停 止"
D wait-buttons 0 "开 始" off "暂 停" off "复 位" on "功 能" on "退 出" on
e2e_shot calm  # stopping ends the flashing: black frame, digits shown
P frame calm black
P compare calm start minutes same

e2e_step "transparency through the menu"
e2e_button_centre "功 能"
xdotool mousemove "$BX" "$BY" click 1
D wait-menus 1 5000
xdotool key Down Down Down Down Down Down Right  # 正计时, Vorlenk, 音效, 铃声, 位置, 透明度; it opens on 90%
D wait-menus 2 5000
xdotool key Down Down Down Return  # 80%, 75%, 50%
D wait-menus 0 5000
e2e_expect_alpha 128

e2e_step "exit"
D click "退 出"
e2e_wait_exit 5

e2e_step "a bell of every format, each rung by its own timer at once"
bells=$root/tests/wine/bells
formats=(pcm8-8k-440.wav pcm16-44k-440-880.wav pcm24-48k-660.wav pcm32-96k-660-440.wav float-22k-880.wav
    float-96k-880-660.wav mpeg1-cbr-44k-440-880.mp3 mpeg2-vbr-16k-440-660.mp3 "考试 结束 mpeg1-vbr-48k-660.mp3")
timers=()
for i in "${!formats[@]}"; do
    # Each timer's sound goes to a capture of its own, named for the rate, channels and bits Wine played.
    (cd "$E2E_WORK" && ZANTIRO_CAPTURE_FILE=$E2E_WORK/bell$i-%r-%c-%b.raw exec "$WINE" zantiro.exe /nohotkeys \
        /countdown 0 /bell "$(e2e_windows_path "$bells/${formats[i]}")" /start) >"$E2E_WORK/bell$i.log" 2>&1 9>&- &
    timers+=($!)
done
for i in "${!formats[@]}"; do
    for ((tries = 0; tries < 100; tries++)); do
        "$E2E_PYTHON" "$E2E_HERE/tones.py" "${formats[i]}" "$E2E_WORK/bell$i-"* >"$E2E_WORK/tones.log" 2>&1 && break
        sleep 0.3
    done
    cat "$E2E_WORK/tones.log"
    ((tries < 100)) || e2e_fail "${formats[i]} was not heard in its own tones"
done
kill "${timers[@]}"
D wait-gone 10000

e2e_step "files that cannot be the bell: a notice says why, and ling.wav rings"
declare -A refusals=(
    [$E2E_WORK/missing.mp3]=文件不存在 [$E2E_WORK/folder.wav]=这是文件夹 [$E2E_WORK/held.wav]=无法读取文件
    [$E2E_WORK/large.mp3]="超过 32 MB" [$bells/empty.wav]=文件是空的 [$bells/cut-short.wav]=文件不完整
    [$bells/text.mp3]="不是 WAV 或 MP3 文件" [$bells/adpcm.wav]="不支持这种 WAV 格式" [$E2E_WORK/long.wav]="超过 3 分钟")
mkdir "$E2E_WORK/folder.wav"
truncate -s $(((32 << 20) + 1)) "$E2E_WORK/large.mp3"
# Three minutes and a second of 8 kHz 8-bit samples.
{ head -c 40 "$bells/pcm8-8k-440.wav" && printf '\xff\xff\xff\xff' && head -c $((181 * 8000)) /dev/zero; } >"$E2E_WORK/long.wav"
e2e_hold "$E2E_WORK/held.wav" 120000
for bad in "${!refusals[@]}"; do
    rm -f "$capture"*
    e2e_start_program /countdown 0 /bell "$(e2e_windows_path "$bad")" /start
    D wait-notice 20000 "无法使用铃声 ${bad##*/}：${refusals[$bad]}，仍使用原来的铃声"
    e2e_heard ling.wav "$capture"
    D click "退 出"
    e2e_wait_exit 5
done

e2e_step "/repeatbell: the chosen file again and again until 停 止"
cp "$bells/pcm16-44k-440-880.wav" "$E2E_WORK/考试结束.wav"
rm -f "$capture"*
e2e_start_program /countdown 0 /bell "$(e2e_windows_path "$E2E_WORK/考试结束.wav")" /repeatbell /start
D wait-window 20000
e2e_heard "$bells/pcm16-44k-440-880.wav" "$capture" 5
D click "停 止"
D wait-buttons 0 "开 始" off "暂 停" off "复 位" on "功 能" on "退 出" on
size=-1
while [[ $(stat -c %s "$capture") != "$size" ]]; do  # what Wine had handed over before the stop
    size=$(stat -c %s "$capture")
    sleep 0.5
done
sleep 2
files=("$capture"*)
[[ $(stat -c %s "$capture") == "$size" && ${#files[@]} == 1 ]] || e2e_fail "the bell sounded on after 停 止"
echo "ok: after 停 止 the capture stayed at $size bytes, and no other sound played"
if [[ -n ${ZANTIRO_E2E_BELL_SCREENSHOT:-} ]]; then  # the whole screen, 功 能 > 铃声 open on the chosen file
    e2e_button_centre "功 能"
    xdotool mousemove "$BX" "$BY" click 1
    D wait-menus 1 5000
    xdotool key Down Down Down Down Right Down  # 正计时, Vorlenk, 音效, 铃声; 默认铃声, the file
    D wait-menus 2 5000
    import -window root "$ZANTIRO_E2E_BELL_SCREENSHOT"
    xdotool key Escape Escape
    D wait-menus 0 5000
fi
D click "退 出"
e2e_wait_exit 5
