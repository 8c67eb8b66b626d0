#!/usr/bin/env bash
# End-to-end window scale under Wine + Xvfb at 96 dpi: /scale 200 draws the window of 192 dpi (the same size,
# buttons, frame, rule, digits and picture checks as smoke.sh at 192 dpi); Ctrl + wheel with real X input grows and
# shrinks it, the plain wheel does not; /position 4 /scale 150 lies where 右下角 puts the 150 % window; a bad
# /scale shows the message box and ends with exit code 2.
#   scale.sh zantiro.exe zantiro_e2e_driver.exe
# ZANTIRO_E2E_PREFIX: the Wine prefix (default build/wine-prefix, 96 dpi); ZANTIRO_E2E_SCREENSHOT: also save the
# window at 300 % to this PNG (the README's picture).
set -euo pipefail
export WINEPREFIX=${ZANTIRO_E2E_PREFIX:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/build/wine-prefix}
# shellcheck source=tests/e2e/lib.sh
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_init "$@"

px() { # twips at DPI to the nearest pixel
    echo $((($1 * $2 + 720) / 1440))
}

e2e_step "/scale 200: the window of 192 dpi"
e2e_start_program /scale 200
D wait-window 20000
D check-startup 200
e2e_geometry
((DPI == 96)) || e2e_fail "this test needs a 96-dpi prefix, not $DPI dpi"
DPI=192  # the pixel checks measure the window as drawn
sleep 1  # the clock shows the time from its first tick
e2e_shot start
e2e_check_start start

e2e_step "Ctrl + wheel: one step a notch, the plain wheel nothing"
# A click on the digits makes the window active (the wheel goes to the active window); no move, so no drag.
xdotool mousemove $((X + W / 2)) $((Y + H / 4)) click 1
sleep 0.3
centre=$((2 * X + W))
for step in "4 250" "4 300" "5 250" "5 200" "5 150" "4 200"; do
    read -r button percent <<<"$step"
    xdotool keydown ctrl click "$button" keyup ctrl
    sleep 0.5
    e2e_geometry
    ((W == $(px 3920 $((96 * percent / 100))) && H == $(px 2450 $((96 * percent / 100))))) ||
        e2e_fail "after Ctrl + wheel $button the window is ${W}x$H, not the $percent % window"
    ((2 * X + W - centre <= 1 && centre - 2 * X - W <= 1)) || e2e_fail "the window's centre moved to $(((2 * X + W) / 2))"
    echo "ok: Ctrl + wheel $button: $percent %, ${W}x$H, centred at $(((2 * X + W) / 2))"
done
if [[ -n ${ZANTIRO_E2E_SCREENSHOT:-} ]]; then
    xdotool keydown ctrl click 4 click 4 keyup ctrl  # 200 to 300 %
    sleep 0.5
    e2e_geometry
    ((W == 784)) || e2e_fail "the 300 % window is $W pixels wide, not 784"
    e2e_shot large
    P save large "$ZANTIRO_E2E_SCREENSHOT"
    xdotool keydown ctrl click 5 click 5 keyup ctrl
    sleep 0.5
fi
e2e_geometry
placed="${W}x$H at $X,$Y"
xdotool click 4 click 5 click 5
sleep 0.5
e2e_geometry
[[ "${W}x$H at $X,$Y" == "$placed" ]] || e2e_fail "the plain wheel changed the window from $placed"
echo "ok: the plain wheel left the window ${W}x$H at $X,$Y"
D click "退 出"
e2e_wait_exit 5

e2e_step "/position 4 /scale 150: where 右下角 puts the 150 % window"
e2e_start_program /position 4 /scale 150
D wait-window 20000
e2e_geometry
screen_width=$((SCREEN_W * 1440 / 144))
screen_height=$((SCREEN_H * 1440 / 144))
width=$(($(px 3920 144) * 10)) # read back in whole pixels: 392 px, 3920 twips
height=$(($(px 2450 144) * 10))
D expect-origin "$(px $((screen_width - width - 10)) 144)" "$(px $((screen_height - height - 100)) 144)"
((W == 392 && H == 245)) || e2e_fail "the window is ${W}x$H, not 392x245"
D click "退 出"
e2e_wait_exit 5

for bad in 50 401 big ""; do
    e2e_step "/scale ${bad:-without a value}: message box, exit code 2, no timer"
    if [[ -n $bad ]]; then
        e2e_start_program /scale "$bad"
        D message-box Zantiro 20000 '参数“/scale”的值“'"$bad"'”无效'
    else
        e2e_start_program /scale
        D message-box Zantiro 20000 '参数“/scale”后缺少'
    fi
    e2e_wait_exit 5 2
done
