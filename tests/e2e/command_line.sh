#!/usr/bin/env bash
# End-to-end command line under Wine + Xvfb: /countdown shows what the input box shows for the same minutes;
# /countdown 0.6 /start /mute counts down at once; /position and /opacity place and fade the window as their menu
# items do; a bad argument shows a message box naming it and ends with exit code 2; /? shows the usage, code 0,
# and /help the version.
#   command_line.sh zantiro.exe zantiro_e2e_driver.exe
# ZANTIRO_E2E_PREFIX: the Wine prefix (default build/wine-prefix).
set -euo pipefail
export WINEPREFIX=${ZANTIRO_E2E_PREFIX:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/build/wine-prefix}
# shellcheck source=tests/e2e/lib.sh
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_init "$@"

e2e_step "/countdown 0.6 shows what the box shows"
e2e_start_program /countdown 0.6
D wait-window 20000
D wait-buttons 0 "开 始" on "暂 停" off "复 位" off "功 能" on "退 出" on
e2e_geometry
e2e_shot given
e2e_choose_custom_length 0.6
e2e_shot typed
P compare typed given display same
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
P compare counting first seconds changed
P frame counting black
(($(e2e_micros_since_start) < 5800000)) ||
    e2e_fail "the checks meant for 33 s left ended $(e2e_since_start) s after the start"
e2e_sleep_until 7500  # 30 s are left 6 s after the start: the frame warns, so the length was 36 s
e2e_shot warned
P frame warned red
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

e2e_step "/? shows the usage and ends with code 0"
e2e_start_program '/?'
D message-box Zantiro 20000 "/countdown 分钟数：倒计时"
e2e_wait_exit 5 0

e2e_step "/help names the version of the VERSION file"
e2e_start_program /help
D message-box Zantiro 20000 "Zantiro $(<"$(dirname "${BASH_SOURCE[0]}")/../../VERSION")"
e2e_wait_exit 5 0
