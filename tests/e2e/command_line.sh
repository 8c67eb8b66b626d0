#!/usr/bin/env bash
# End-to-end command line under Wine + Xvfb: /countdown shows what the input box shows for the same minutes;
# /countdown 0.6 /start /mute counts down at once; /position and /opacity place and fade the window as their menu
# items do; a bad argument shows a message box naming it and ends with exit code 2; /? shows the usage, code 0,
# and /help the version. /until a minute ahead counts the time left and ends within a second of the wall clock's
# minute, as does 功 能 > Vorlenk's last item, 到时刻…, whose box offers the next full hour.
#   command_line.sh zantiro.exe zantiro_e2e_driver.exe zantiro_e2e_screen_reader.exe
# ZANTIRO_E2E_PREFIX: the Wine prefix (default build/wine-prefix).
set -euo pipefail
export WINEPREFIX=${ZANTIRO_E2E_PREFIX:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/build/wine-prefix}
# shellcheck source=tests/e2e/lib.sh
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_init "$@"

# next_minute: UNTIL (HH:MM) and UNTIL_AT (Unix seconds), the next full minute at least 15 s from now.
next_minute() {
    local now=${EPOCHREALTIME%.*}
    UNTIL_AT=$(((now + 15 + 59) / 60 * 60))
    UNTIL=$(date -d "@$UNTIL_AT" +%H:%M)
}
# started_towards_until: the countdown runs and reads the whole seconds left to UNTIL_AT, its ticks on the clock's.
started_towards_until() {
    D wait-buttons 3000 "停 止" on "暂 停" on "复 位" off "功 能" off "退 出" on
    local before=${EPOCHREALTIME%.*} left after
    left=$(e2e_seconds_shown)
    after=${EPOCHREALTIME%.*}
    ((left >= UNTIL_AT - after && left <= UNTIL_AT - before + 1)) ||
        e2e_fail "the time reads $left s, $((UNTIL_AT - after)) to $((UNTIL_AT - before)) s before $UNTIL"
    echo "ok: the time reads $left s, $((UNTIL_AT - after)) to $((UNTIL_AT - before)) s before $UNTIL"
}

e2e_step "/countdown 0.6 shows what the box shows"
e2e_start_program /countdown 0.6
D wait-window 20000
D wait-buttons 0 "开 始" on "暂 停" off "复 位" off "功 能" on "退 出" on
e2e_geometry
e2e_shot given
e2e_choose_custom_length 0.6
e2e_shot typed
P compare typed given display same

e2e_step "功 能 > Vorlenk > 到时刻…, the last item: the box offers the next full hour and starts at once"
title="输入结束时刻"
e2e_button_centre "功 能"
xdotool mousemove "$BX" "$BY" click 1
D wait-menus 1 5000
xdotool key Down Down Right Up  # Vorlenk opens on its first item; Up goes round to the last
D wait-menus 2 5000
xdotool key Return
D wait-dialog "$title" 5000
D check-input "$title" "$(date -d '+1 hour' +%H):00" "例如 11:30"
next_minute
xdotool type --delay 50 "$UNTIL"
xdotool key Return
D wait-no-dialog "$title" 5000
started_towards_until
D click "停 止"
D click "退 出"
e2e_wait_exit 5

e2e_step "/countdown 0.6 /start /mute counts down at once"
e2e_start_program /countdown 0.6 /start /mute
D wait-window 20000
D wait-buttons 3000 "停 止" on "暂 停" on "复 位" off "功 能" off "退 出" on
e2e_mark_start
e2e_shot first
P compare first given minutes same  # 00
e2e_sleep_until 3500
e2e_shot counting  # about 33 s left
(($(e2e_micros_since_start) < 5800000)) ||
    e2e_fail "the picture meant for 33 s left was taken $(e2e_since_start) s after the start"
P compare counting first seconds changed
P frame counting black
e2e_sleep_until 7500  # 30 s are left 6 s after the start: the frame warns, so the length was 36 s
e2e_shot warned
P frame warned red
D click "退 出"
e2e_wait_exit 5

e2e_step "/until a minute ahead ends within a second of the wall clock's minute"
next_minute
e2e_start_program /until "$UNTIL"
D wait-window 20000
started_towards_until
shopt -s lastpipe  # the loop below sets `ended` in this shell
D wait-buttons $(((UNTIL_AT + 30 - ${EPOCHREALTIME%.*}) * 1000)) "停 止" on "暂 停" off "复 位" off "功 能" off "退 出" on |
    while IFS= read -r line; do
        echo "$line"
        [[ $line != ok:* ]] || ended=${EPOCHREALTIME/./}  # as the pause button turns grey: the end
    done
late=$((ended - UNTIL_AT * 1000000))
((late > -100000 && late < 1000000)) || e2e_fail "the run ended $late µs after $UNTIL:00"
echo "ok: the run ended $((late / 1000)) ms after $UNTIL:00"
D click "退 出"
e2e_wait_exit 5

e2e_step "/position 7 /opacity 3: top left, 75% transparent"
e2e_start_program /position 7 /opacity 3
D wait-window 20000
D expect-origin 0 0
e2e_expect_alpha 64
D click "退 出"
e2e_wait_exit 5

e2e_step "a bad argument: message box, exit code 2, no timer"
e2e_start_program /position 9
D message-box Zantiro 20000 '参数“/position”的值“9”无效'
e2e_wait_exit 5 2
for bad in 24:00 11:60 noon "" "11:30 /countdown 90"; do
    # shellcheck disable=SC2086  # words, or none
    e2e_start_program /until $bad
    D message-box Zantiro 20000 '“/until”'
    e2e_wait_exit 5 2
done

e2e_step "/? shows the usage and ends with code 0"
e2e_start_program '/?'
D message-box Zantiro 20000 "/countdown 分钟数：倒计时"
e2e_wait_exit 5 0

e2e_step "/help names the version of the VERSION file"
e2e_start_program /help
D message-box Zantiro 20000 "Zantiro $(<"$(dirname "${BASH_SOURCE[0]}")/../../VERSION")"
e2e_wait_exit 5 0
