#!/usr/bin/env bash
# End-to-end with real X input: the timer worked from beside another program that keeps the keyboard. While the
# bystander's edit box has the foreground and the focus, Ctrl+Alt+F1 and F3 choose one and five minutes, F6
# starts, pauses and resumes, F7 stops and F8 resets; real clicks on 开 始, 暂 停 and 停 止 work the timer; 功 能's
# menu and Ctrl+Alt+F5's box borrow the keyboard and give it back; text typed afterwards lands in the bystander.
# A click on the digits activates the timer. A second timer starts without a box, says which keys are taken, and
# the first keeps them. With /nohotkeys the keys do nothing. Ctrl+Alt+F9 and F10 from beside, and F9 and F10 on the
# timer's own keyboard, give a running countdown a minute more and less; more time takes the red frame back to black.
#   hotkeys.sh zantiro.exe zantiro_e2e_driver.exe zantiro_e2e_screen_reader.exe
# ZANTIRO_E2E_PREFIX: the Wine prefix (default build/wine-prefix).
set -euo pipefail
# Xvfb puts its keymap back whenever its last client leaves: no reset, so the keymap below holds.
export ZANTIRO_XVFB_ARGS="${ZANTIRO_XVFB_ARGS:-} -noreset"
export WINEPREFIX=${ZANTIRO_E2E_PREFIX:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/build/wine-prefix}
# shellcheck source=tests/e2e/lib.sh
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_init "$@"
# Xvfb's keymap switches virtual terminals on Ctrl+Alt+F-keys and swallows the keys, as a Linux console does;
# Windows hands them to the programs. Without the server's own keys they reach Wine.
setxkbmap -option srvrkeys:none || e2e_fail "setxkbmap could not give Ctrl+Alt+F-keys to the programs"

# start_in FOLDER [ARGUMENT...]: a timer run from its own folder, which the driver tells apart by that name.
start_in() {
    local folder=$1
    shift
    mkdir -p "$E2E_WORK/$folder"
    cp "$E2E_WORK/zantiro.exe" "$E2E_WORK/$folder/"
    (cd "$E2E_WORK/$folder" && exec "$WINE" "$E2E_WORK/$folder/zantiro.exe" "$@") >"$E2E_WORK/$folder.log" 2>&1 9>&- &
}
# keep_keyboard: the bystander still has the foreground and the focus.
keep_keyboard() {
    D check-focus >/dev/null || { D check-focus; e2e_fail "the bystander lost the keyboard: $*"; }
    echo "ok: the bystander kept the foreground and the focus: $*"
}
# key_then_buttons KEYS CAPTION on|off ...: real keys, then the buttons of the first timer as listed.
key_then_buttons() {
    xdotool key "$1"
    shift
    D wait-buttons 3000 "$@"
}
# minute_key KEYS SECONDS: real keys change the running countdown by SECONDS, less the ticks while it is read.
minute_key() {
    local before after started=${EPOCHREALTIME/./} tries
    before=$(e2e_seconds_shown)
    xdotool key "$1"
    for ((tries = 0; tries < 50; tries++)); do
        after=$(e2e_seconds_shown)
        ((after - before > 30 || before - after > 30)) && break
    done
    local change=$((after - before)) ticks=$(((${EPOCHREALTIME/./} - started) / 1000000 + 1))
    ((change <= $2 && change >= $2 - ticks)) || e2e_fail "$1 changed the time from $before s by $change s (expected $2)"
    echo "ok: $1 changed the time from $before s by $change s"
}

e2e_step "the first timer; another program takes the keyboard"
export ZANTIRO_E2E_FOLDER=first
start_in first
D wait-window 20000
D wait-buttons 5000 "开 始" on "暂 停" off "复 位" off "功 能" on "退 出" on
D wait-notice 1500 none  # every key was free
e2e_geometry
e2e_shot start
e2e_start_bystander 600000

e2e_step "Ctrl+Alt+F1 and F3: one minute, then five"
xdotool key ctrl+alt+F1
sleep 0.5
e2e_shot one
P compare one start minutes changed
xdotool key ctrl+alt+F3
sleep 0.5
e2e_shot five
P compare five one minutes changed
P compare five one seconds same
keep_keyboard "F1, F3"

e2e_step "Ctrl+Alt+F6 starts, pauses and resumes; F7 stops; F8 resets"
key_then_buttons ctrl+alt+F6 "停 止" on "暂 停" on "复 位" off "功 能" off "退 出" on
key_then_buttons ctrl+alt+F6 "停 止" on "恢 复" on "复 位" off "功 能" off "退 出" on
key_then_buttons ctrl+alt+F6 "停 止" on "暂 停" on "复 位" off "功 能" off "退 出" on
sleep 1.3
e2e_shot counting
P compare counting five seconds changed
key_then_buttons ctrl+alt+F7 "开 始" off "暂 停" off "复 位" on "功 能" on "退 出" on
key_then_buttons ctrl+alt+F8 "开 始" on "暂 停" off "复 位" on "功 能" on "退 出" on
e2e_shot reset
P compare reset five display same
keep_keyboard "F6, F6, F6, F7, F8"

e2e_step "real clicks on 开 始, 暂 停 and 停 止"
# click CAPTION: a real mouse click on the button of the first timer.
click() {
    e2e_button_centre "$1"
    xdotool mousemove "$BX" "$BY" click 1
}
click "开 始"
D wait-buttons 3000 "停 止" on "暂 停" on "复 位" off "功 能" off "退 出" on
keep_keyboard "开 始 clicked"
click "暂 停"
D wait-buttons 3000 "停 止" on "恢 复" on "复 位" off "功 能" off "退 出" on
keep_keyboard "暂 停 clicked"
click "停 止"
D wait-buttons 3000 "开 始" off "恢 复" off "复 位" on "功 能" on "退 出" on
keep_keyboard "停 止 clicked"

e2e_step "功 能 and Ctrl+Alt+F5 borrow the keyboard and give it back"
click "功 能"
D wait-menus 1 5000
xdotool key Escape
D wait-menus 0 5000
keep_keyboard "the menu closed"
xdotool key ctrl+alt+F5
title="输入Vorlenk时间"
D wait-dialog "$title" 5000
for ((tries = 0; tries < 50; tries++)); do  # the box shows before it has the keyboard
    D check-input "$title" 8.5 >/dev/null && break
    sleep 0.1
done
D check-input "$title" 8.5  # it has it: active, its edit box focused
# Answered by messages: under Wine the X focus reaches a new box some time after Windows' focus does.
D set-input "$title" 0.5
D dialog-click "$title" 确定
D wait-no-dialog "$title" 5000
D wait-buttons 3000 "开 始" on "恢 复" off "复 位" off "功 能" on "退 出" on
keep_keyboard "the box closed"
e2e_shot half
P compare half reset minutes changed  # 00:30 after 05:00

e2e_step "Ctrl+Alt+F9 and F10 while counting down from 00:30: a minute more, less, more"
key_then_buttons ctrl+alt+F6 "停 止" on "暂 停" on "复 位" off "功 能" off "退 出" on
minute_key ctrl+alt+F9 60
minute_key ctrl+alt+F10 -60
e2e_shot less
P frame less red  # less than 30 s left: red at once
minute_key ctrl+alt+F9 60
e2e_shot more
P frame more black  # more than a minute left again
keep_keyboard "F9, F10, F9"

e2e_step "text typed now lands in the bystander"
xdotool type --delay 50 "still here"
D expect-typed "still here"

e2e_step "a click on the digits activates the timer"
xdotool mousemove $((X + W / 2)) $((Y + H / 4)) click 1
D check-timer-active

e2e_step "F10 and F9 on the timer's own keyboard: no menu mode after F10, which would swallow F9"
minute_key F10 -60
minute_key F9 60
key_then_buttons ctrl+alt+F7 "开 始" off "暂 停" off "复 位" on "功 能" on "退 出" on
key_then_buttons ctrl+alt+F8 "开 始" on "暂 停" off "复 位" on "功 能" on "退 出" on

e2e_step "a second timer starts without a box; the first keeps its keys"
start_in second
D wait-notice 20000 "Ctrl+Alt+F1、F2、F3、F4、F5、F6、F7、F8、F9、F10"
D no-message-box
ZANTIRO_E2E_FOLDER=second D wait-buttons 3000 "开 始" on "暂 停" off "复 位" off "功 能" on "退 出" on
key_then_buttons ctrl+alt+F6 "停 止" on "暂 停" on "复 位" off "功 能" off "退 出" on
sleep 0.5
ZANTIRO_E2E_FOLDER=second D wait-buttons 0 "开 始" on "暂 停" off "复 位" off "功 能" on "退 出" on
ZANTIRO_E2E_FOLDER=second D click "退 出"
D click "退 出"
for ((tries = 0; tries < 50; tries++)); do
    [[ -z $(xdotool search --name '^Zantiro$' 2>/dev/null) ]] && break
    sleep 0.1
done

e2e_step "/nohotkeys: Ctrl+Alt+F1 and F6 change nothing"
start_in quiet /nohotkeys
export ZANTIRO_E2E_FOLDER=quiet
D wait-window 20000
D wait-notice 1500 none
e2e_geometry
e2e_shot quiet
xdotool key ctrl+alt+F1 ctrl+alt+F6
sleep 1
D wait-buttons 0 "开 始" on "暂 停" off "复 位" off "功 能" on "退 出" on
e2e_shot quiet-later
P compare quiet-later quiet display same
D click "退 出"
