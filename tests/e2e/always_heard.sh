#!/usr/bin/env bash
# End-to-end: where the sound files cannot serve, the same sounds play from the copies inside the program.
# Four timers run a 36 s countdown at once (/countdown 0.6 /start), each from its own folder: a read-only one
# (a read-only bind mount, which refuses even root), one where another program holds ti.wav open without
# sharing, one where a directory stands in place of ti.wav, and one named with an emoji (no ANSI code page
# holds it). Each must be heard playing ti.wav at 30 s and ling.wav at the end, byte for byte, and nothing else.
# From before the first warning, another program's topmost window holds the foreground and the keyboard focus:
# after a display change the timers put themselves back above it without taking the foreground, leave its own
# later raise standing, and never take the foreground or the focus while they warn, flash and sound. (Wine 8
# sends no EVENT_SYSTEM_FOREGROUND, so the answer to a foreground change is tested by calling it, in the Wine
# tests.)
#   always_heard.sh zantiro.exe zantiro_e2e_driver.exe
# ZANTIRO_CAPTURE_PREFIX: the Wine prefix with the ALSA driver on (default build/wine-prefix-alsa).
set -euo pipefail
shopt -s nullglob  # no capture file yet: an empty list, not the pattern
# Wine's server opens the files for its programs, so it has to live in the namespace that holds the read-only
# mount: the whole script runs there.
if [[ -z ${ZANTIRO_E2E_NAMESPACE:-} ]]; then
    exec env ZANTIRO_E2E_NAMESPACE=1 unshare --mount --propagation private bash "$0" "$@"
fi
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
export WINEPREFIX=${ZANTIRO_CAPTURE_PREFIX:-$root/build/wine-prefix-alsa}
export ZANTIRO_WINE_AUDIO=alsa ALSA_CONFIG_PATH=$root/tools/wine/alsa-capture.conf
# shellcheck source=tests/e2e/lib.sh
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_init "$@"

scenarios=(ro held dir 🔔)
declare -A started  # scenario -> EPOCHREALTIME of its start click, in microseconds

e2e_step "four folders where the sound files cannot serve"
for name in "${scenarios[@]}"; do
    mkdir "$E2E_WORK/$name"
    cp "$E2E_WORK/zantiro.exe" "$E2E_WORK/$name/"
done
mount --bind "$E2E_WORK/ro" "$E2E_WORK/ro"
mount -o remount,bind,ro "$E2E_WORK/ro"
E2E_AFTER_WINE="umount $(printf %q "$E2E_WORK/ro")"
! touch "$E2E_WORK/ro/probe" 2>/dev/null || e2e_fail "the read-only folder took a write"
mkdir "$E2E_WORK/dir/ti.wav"
e2e_hold "$E2E_WORK/held/ti.wav" 300000
echo "ok: read-only folder, ti.wav held open, a directory named ti.wav, folder 🔔"

slot=0
for name in "${scenarios[@]}"; do
    e2e_step "a 36 s countdown in folder $name"
    export ZANTIRO_E2E_FOLDER=$name ZANTIRO_CAPTURE_FILE=$E2E_WORK/$name.raw
    started[$name]=${EPOCHREALTIME/./}  # a little before the start click, which the program posts itself
    (cd "$E2E_WORK/$name" && exec "$WINE" "$E2E_WORK/$name/zantiro.exe" /countdown 0.6 /start) \
        >"$E2E_WORK/$name.log" 2>&1 9>&- &
    D wait-window 20000
    D wait-buttons 5000 "停 止" on "暂 停" on "复 位" off "功 能" off "退 出" on
    D move $((20 + 310 * slot++)) 450  # side by side, for the screenshots of a failed run
done
unset ZANTIRO_E2E_FOLDER

e2e_step "another program takes the foreground and the keyboard focus"
e2e_start_bystander 120000
D display-changed
D check-order above  # each timer answered the display change
D check-focus        # without taking the foreground
D raise-bystander
sleep 1.5
D check-order below  # and answers nothing else: the bystander's own raise stands

[[ ! -e $E2E_WORK/ro/ti.wav && ! -e $E2E_WORK/ro/ling.wav ]] || e2e_fail "sound files appeared in the read-only folder"
[[ ! -s $E2E_WORK/held/ti.wav && -d $E2E_WORK/dir/ti.wav ]] || e2e_fail "ti.wav was written where it could not be"
cmp -s "$E2E_WORK/🔔/ti.wav" "$root/resources/ti.wav" || e2e_fail "ti.wav was not written into folder 🔔"
echo "ok: the files that could not be written were not; those in folder 🔔 were"

e2e_step "every countdown ends"
end=$((started[${scenarios[-1]}] + 40000000))  # 36 s, the start-up, the end sound's 0.9 s
while ((${EPOCHREALTIME/./} < end)); do
    sleep 0.5
done
# finished_in FILE LOW HIGH: the capture's last write came LOW to HIGH seconds after the start. Wine hands the
# samples to ALSA up to a buffer ahead of the sound, so the last write comes by the sound's end, but never before
# the sound was started.
finished_in() {
    local micros=$(($(stat -c %.6Y "$1" | tr -d .) - started[$name]))
    ((micros >= $2 * 1000000 && micros <= $3 * 1000000)) ||
        e2e_fail "$(basename "$1") ended $((micros / 1000)) ms after the start, outside $2-$3 s"
    echo "ok: $(basename "$1") ended $((micros / 1000)) ms after the start"
}
for name in "${scenarios[@]}"; do
    capture=$E2E_WORK/$name.raw
    e2e_heard ti.wav "$capture"
    e2e_heard ling.wav "$capture.0001"
    files=("$capture"*)
    ((${#files[@]} == 2)) || e2e_fail "folder $name: ${#files[@]} sounds played (${files[*]}), expected 2"
    # 30 s left 6 s after the start, 0.3 to 2 s after the stamp; the sound is 1.35 s long
    finished_in "$capture" 6 10
    finished_in "$capture.0001" 36 40  # the end; 0.9 s long
done
echo "ok: every folder heard ti.wav, then ling.wav, and nothing else"
D check-focus  # four timers warned, flashed and sounded
D check-order below
