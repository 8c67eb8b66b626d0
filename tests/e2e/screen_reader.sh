#!/usr/bin/env bash
# End-to-end screen reader under Wine + Xvfb, from another process as a screen reader works (MSAA): after
# /countdown 0.6 /mute the client area holds the time "00:36", the five buttons with their captions and states, the
# wall clock and an alert; once a click makes the timer active, Tab moves the focus the client area reports among the
# enabled buttons and Space starts the countdown; the time then follows every tick, and an out-of-context WinEvent
# hook hears "还剩三十秒", "还剩十秒" and "时间到" at 30, 10 and 0 seconds left, with the sound off, and nothing else.
# /countdown 90 reads "30:00" and a notice names 显示小时; with /hours, "01:30:00", then "01:29:59" after the start.
# /countdown 0.1 /overtime /title 数学 "期中" 考试: the title and the window's name, then past zero "超时 00:02".
#   screen_reader.sh zantiro.exe zantiro_e2e_driver.exe zantiro_e2e_screen_reader.exe
# ZANTIRO_E2E_PREFIX: the Wine prefix (default build/wine-prefix).
set -euo pipefail
export WINEPREFIX=${ZANTIRO_E2E_PREFIX:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/build/wine-prefix}
# shellcheck source=tests/e2e/lib.sh
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
(($# == 3)) || { echo "usage: $0 zantiro.exe zantiro_e2e_driver.exe zantiro_e2e_screen_reader.exe" >&2; exit 2; }
e2e_init "$@"

e2e_step "what a screen reader finds after /countdown 0.6 /mute"
e2e_start_program /countdown 0.6 /mute
D wait-window 20000
D wait-buttons 3000 "开 始" on "暂 停" off "复 位" off "功 能" on "退 出" on
R tree 00:36 "开 始" "暂 停" "复 位" "功 能" "退 出"

e2e_step "the keyboard: a click on the background makes the timer active, Tab cycles the enabled buttons"
e2e_geometry
xdotool mousemove $((X + 3)) $((Y + 3)) click 1
R focus "开 始"
for caption in "功 能" "退 出" "开 始"; do  # 暂 停 and 复 位 are greyed
    xdotool key Tab
    R focus "$caption"
done

e2e_step "a 36 s countdown started with Space, heard"
R countdown 36 >"$E2E_WORK/heard.txt" &
reader_pid=$!
for ((tries = 0; tries < 100; tries++)); do
    grep -q '^listening' "$E2E_WORK/heard.txt" && break
    sleep 0.1
done
grep -q '^listening' "$E2E_WORK/heard.txt" || e2e_fail "the screen reader did not start listening"
xdotool key space
heard=0
wait "$reader_pid" || heard=$?
cat "$E2E_WORK/heard.txt"
((heard == 0)) || e2e_fail "the screen reader did not hear what it should"
D wait-buttons 0 "停 止" on "暂 停" off "复 位" off "功 能" off "退 出" on
R tree 00:00 "停 止" "暂 停" "复 位" "功 能" "退 出"

e2e_step "exit"
D click "退 出"
e2e_wait_exit 5

e2e_step "/countdown 90: minutes and seconds, and a notice naming 显示小时"
e2e_start_program /countdown 90
D wait-notice 20000 "超过 60 分钟：功能 → 显示小时"
R tree 30:00 "开 始" "暂 停" "复 位" "功 能" "退 出"
D click "退 出"
e2e_wait_exit 5

e2e_step "/countdown 90 /hours: the hours too, counting down"
e2e_start_program /countdown 90 /hours
D wait-window 20000
R tree 01:30:00 "开 始" "暂 停" "复 位" "功 能" "退 出"
R tree 01:29:59 "停 止" "暂 停" "复 位" "功 能" "退 出" >"$E2E_WORK/ticked.txt" &
reader_pid=$!
until grep -qs '^waiting' "$E2E_WORK/ticked.txt" || ! kill -0 "$reader_pid" 2>/dev/null; do sleep 0.1; done
D click "开 始"
wait "$reader_pid" || { cat "$E2E_WORK/ticked.txt"; e2e_fail "the time did not read 01:29:59 after the start"; }

e2e_step "/countdown 0.1 /overtime /title 数学 \"期中\" 考试: the title, then the time past zero"
D click "退 出"
e2e_wait_exit 5
e2e_start_program /countdown 0.1 /overtime /title '数学 "期中" 考试' /start /mute
D wait-window 20000
D wait-buttons 20000 "停 止" on "暂 停" off "复 位" off "功 能" off "退 出" on
R tree "超时 00:02" "停 止" "暂 停" "复 位" "功 能" "退 出" '数学 "期中" 考试'
