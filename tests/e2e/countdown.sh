#!/usr/bin/env bash
# End-to-end countdown under Wine + Xvfb with ALSA capture: the real function menu and input box driven by X keys
# choose a 36 s custom countdown; at 30 s left the frame turns red and ti.wav plays. Then a custom length of 0
# ends at the first tick with ling.wav and the flashing. The capture must hold each WAV's sample data unchanged.
# Last, 透明度 > 50% makes the window layered with alpha 128.
#   countdown.sh zantiro.exe zantiro_e2e_driver.exe
# ZANTIRO_CAPTURE_PREFIX: the Wine prefix with the ALSA driver on (default build/wine-prefix-alsa, as for
# tools/wine/capture.sh).
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
e2e_sleep_until 4000
e2e_shot early  # 32 s left: no warning yet
silent "before 30 s were left"
(($(e2e_micros_since_start) < 5800000)) || e2e_fail "the checks meant for 32 s left came $(e2e_since_start) s after the start"
P frame early black
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
xdotool key Down Down Down Down Down Right  # 正计时, Vorlenk, 音效, 位置, 透明度; it opens on 90%
D wait-menus 2 5000
xdotool key Down Down Down Return  # 80%, 75%, 50%
D wait-menus 0 5000
e2e_expect_alpha 128

e2e_step "exit"
D click "退 出"
e2e_wait_exit 5
