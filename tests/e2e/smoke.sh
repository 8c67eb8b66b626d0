#!/usr/bin/env bash
# End-to-end smoke test of zantiro.exe under Wine + Xvfb, as a user sees it: the start-up window and buttons, a
# short count-up with pause and resume, stop and reset, the painted frame, digits, sky and clock, the system menu
# offering no Maximize, the exit, and the sound files written at start-up.
# Then /countdown 90 /hours: 01:30:00 across a wider window, framed, ruled, all picture (ZANTIRO_E2E_HOURS_SCREENSHOT).
# Last a titled timer past zero: band, title, sign, then 停 止 (ZANTIRO_E2E_PAST_ZERO_SCREENSHOT).
#   smoke.sh zantiro.exe zantiro_e2e_driver.exe
# ZANTIRO_E2E_PREFIX: the Wine prefix (default build/wine-prefix); ZANTIRO_E2E_SCREENSHOT: also save the window
# at start-up to this PNG (the README's picture).
set -euo pipefail
export WINEPREFIX=${ZANTIRO_E2E_PREFIX:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/build/wine-prefix}
# shellcheck source=tests/e2e/lib.sh
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_init "$@"

e2e_step "start-up"
e2e_start_program
D wait-window 20000
D check-startup
D expect-alpha none
e2e_geometry
plain_width=$W plain_x=$X
sleep 1  # the clock shows the time from its first tick, a second after start-up
e2e_shot start
e2e_check_start start
if [[ -n ${ZANTIRO_E2E_SCREENSHOT:-} ]]; then
    P save start "$ZANTIRO_E2E_SCREENSHOT"
fi

e2e_step "count-up"
D click "开 始"
D wait-buttons 0 "停 止" on "暂 停" on "复 位" off "功 能" off "退 出" on
sleep 2.2
e2e_shot counting
P digits counting
P compare counting start minutes same
P compare counting start seconds changed
P compare counting start clock changed
P frame counting black

e2e_step "pause and resume"
D click "暂 停"
D wait-buttons 0 "停 止" on "恢 复" on "复 位" off "功 能" off "退 出" on
e2e_shot paused
sleep 1.5
e2e_shot paused-later
P compare paused-later paused seconds same
D click "恢 复"
D wait-buttons 0 "停 止" on "暂 停" on "复 位" off "功 能" off "退 出" on
sleep 1.3
e2e_shot resumed
P compare resumed paused-later seconds changed

e2e_step "stop and reset"
D click "停 止"
D wait-buttons 0 "开 始" off "暂 停" off "复 位" on "功 能" on "退 出" on
D click "复 位"
D wait-buttons 0 "开 始" on "暂 停" off "复 位" on "功 能" on "退 出" on
e2e_shot reset
P compare reset start display same
P frame reset black

e2e_step "system menu"
# Alt+Space opens it; X is Maximize's mnemonic, which a greyed item ignores (the menu just closes). Last before the
# exit: Wine leaves the system menu's icon painted over the top-left corner of a captionless window.
placed="${W}x$H at $X,$Y"
xdotool key alt+space
D wait-menus 1 5000
xdotool key x
D wait-menus 0 5000 || { xdotool key Escape; e2e_fail "the system menu stayed open after X"; }
e2e_geometry
[[ "${W}x$H at $X,$Y" == "$placed" ]] || e2e_fail "the window changed from $placed: it was maximised"

e2e_step "exit"
D click "退 出"
D wait-gone 5000
e2e_wait_exit 5
for name in ti.wav ling.wav; do
    [[ -f $E2E_WORK/$name ]] || e2e_fail "$name was not written next to zantiro.exe"
    cmp -s "$E2E_WORK/$name" "$E2E_ROOT/resources/$name" ||
        e2e_fail "$name ($(stat -c %s "$E2E_WORK/$name") bytes) differs from resources/$name"
    echo "ok: $name written next to the program, $(stat -c %s "$E2E_WORK/$name") bytes, equal to resources/$name"
done

e2e_step "the hours: /countdown 90 /hours"
e2e_start_program /countdown 90 /hours
D wait-window 20000
e2e_geometry
sleep 1  # as at start-up, for the clock
e2e_shot hours
P row hours 8
e2e_check_start hours
[[ -z ${ZANTIRO_E2E_HOURS_SCREENSHOT:-} ]] || P save hours "$ZANTIRO_E2E_HOURS_SCREENSHOT"

e2e_step "a title, and the time past zero: /countdown 0.1 /overtime /title 数学期中考试 /start /mute"
D click "退 出"
e2e_wait_exit 5
e2e_start_program /countdown 0.1 /overtime /title 数学期中考试 /start /mute
D wait-window 20000
D wait-buttons 20000 "停 止" on "暂 停" off "复 位" off "功 能" off "退 出" on  # zero: pause no longer offered
sleep 1.5  # the sign comes with the first second past zero
e2e_geometry
off_centre=$((2 * X + W - 2 * plain_x - plain_width))  # in half pixels: the window grew around its centre
((W > plain_width && off_centre * off_centre <= 4)) || e2e_fail "past zero $W px wide at $X, from $plain_width at $plain_x"
e2e_shot past-zero
export ZANTIRO_E2E_BAND=600
P title past-zero
P past-zero past-zero 6
P rule past-zero
P covered past-zero "$FACE"
[[ -z ${ZANTIRO_E2E_PAST_ZERO_SCREENSHOT:-} ]] || P save past-zero "$ZANTIRO_E2E_PAST_ZERO_SCREENSHOT"
D click "停 止"
e2e_geometry
((W == plain_width)) || e2e_fail "stopped, the window is $W px wide, not $plain_width again"
e2e_shot past-zero-stopped
P frame past-zero-stopped black
