#!/usr/bin/env bash
# End-to-end test with two monitors side by side, a 1280x800 primary (the laptop) and a 1024x768 one on its right
# (the projector): the placement presets use the monitor the window is on, and a window left on no monitor after a
# display change comes back where it started on the primary.
#   monitors.sh zantiro.exe zantiro_e2e_driver.exe
# ZANTIRO_E2E_PREFIX: the Wine prefix (default build/wine-prefix-monitors).
set -euo pipefail
export WINEPREFIX=${ZANTIRO_E2E_PREFIX:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/build/wine-prefix-monitors}
# Xvfb cannot place two screens side by side, so it runs one wide screen without RandR, and Wine, which then asks
# Xinerama for the monitors, gets a stand-in library that splits the screen into these two.
export E2E_SCREEN=2304x800x24 ZANTIRO_XVFB_ARGS="-extension RANDR" ZANTIRO_HEADS=1280x800+0+0,1024x768+1280+0
# shellcheck source=tests/e2e/lib.sh
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_init "$@"
gcc -std=c11 -shared -fPIC -o "$E2E_WORK/libXinerama.so.1" "$E2E_HERE/xinerama_heads.c" ||
    e2e_fail "could not build the stand-in Xinerama library"
export LD_LIBRARY_PATH=$E2E_WORK${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}

# choose_placement N: 功 能 clicked with the mouse, then by keys 位置 and its item N (0 屏幕中心 ... 6 左上角).
choose_placement() {
    e2e_button_centre "功 能"
    xdotool mousemove "$BX" "$BY" click 1
    D wait-menus 1 5000
    xdotool key Down Down Down Down Down Right  # 正计时, Vorlenk, 音效, 铃声, 位置; it opens on 屏幕中心
    D wait-menus 2 5000
    for ((i = 0; i < $1; i++)); do
        xdotool key Down
    done
    xdotool key Return
    D wait-menus 0 5000
}

# expect_at X Y WHAT: the window's top-left corner is at X,Y on the desktop.
expect_at() {
    e2e_geometry
    [[ $X == "$1" && $Y == "$2" ]] || e2e_fail "$3: the window is at $X,$Y, not $1,$2"
    echo "ok: $3: the window is at $X,$Y"
}

e2e_step "start-up on the primary monitor"
e2e_start_program
D wait-window 20000
D check-startup
e2e_geometry
((SCREEN_W == 1280 && SCREEN_H == 800)) || e2e_fail "the primary monitor is ${SCREEN_W}x$SCREEN_H, not 1280x800"

# The window is 3915 x 2445 twips (261 x 163 pixels at 96 dpi); the second monitor spans 19200 to 34560 twips
# across and 11520 twips down.
e2e_step "presets on the second monitor"
D move-window 1500 300
choose_placement 3  # 右下角: 19200 + 15360 - 3915 - 10 = 30635 twips across, 11520 - 2445 - 100 = 8975 down
expect_at 2042 598 "右下角 on the second monitor"
choose_placement 6  # 左上角: the second monitor's own corner
expect_at 1280 0 "左上角 on the second monitor"
choose_placement 2  # 顶部居中: 19200 + (15360 - 3915) / 2 = 24922.5 twips across, 10 down
expect_at 1662 1 "顶部居中 on the second monitor"

e2e_step "a display change"
D display-change
expect_at 1662 1 "still on a monitor, the window stays"
D move-window 2400 900  # beyond both monitors, where a projector that went away would leave it
D display-change
expect_at 510 1 "left on no monitor, the window is back at its start-up place: (19200 - 3915) / 2 = 7642.5 twips"

e2e_step "exit"
D click "退 出"
e2e_wait_exit 5

e2e_step "/monitor 2 on the right, /position 4 and /scale 400 (300 %: 784 x 490) there; /monitor 3 on the primary"
for start in "1662 1 /monitor 2" "2042 598 /monitor 2 /position 4" "1400 4 /monitor 2 /scale 400" "510 1 /monitor 3"; do
    read -r -a words <<<"$start"
    e2e_start_program "${words[@]:2}"
    D wait-window 20000
    [[ ${words[3]} == 2 ]] || D wait-notice 20000 "没有第 3 个显示器，计时器显示在主显示器上。"
    expect_at "${words[0]}" "${words[1]}" "${words[*]:2}"
    D click "退 出"
    e2e_wait_exit 5
done
