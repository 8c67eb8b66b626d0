#!/usr/bin/env bash
# Runs zantiro.exe under Wine (make run): on DISPLAY if set, else headless, saving screenshots of its window.
set -euo pipefail
here=$(dirname "${BASH_SOURCE[0]}")
# shellcheck source=tools/wine/env.sh
. "$here/env.sh"
(($#)) || { echo "usage: run.sh zantiro.exe [args...]" >&2; exit 2; }
"$here/prefix.sh"

if [[ -n ${DISPLAY:-} ]]; then
    exec "$WINE" "$@"
fi

name=${ZANTIRO_WINDOW_NAME:-Zantiro}
out=${ZANTIRO_SHOT_DIR:-$ZANTIRO_ROOT/build}
exec 9>"$WINEPREFIX.run.lock"
flock 9
trap zantiro_stop_xvfb EXIT  # also ends the program: the whole wineserver goes
trap 'exit 143' TERM INT HUP
ZANTIRO_SCREEN=1280x800x24 zantiro_start_xvfb
"$WINE" "$@" 9>&- &
pid=$!

exited() {
    local rc=0
    kill -0 "$pid" 2>/dev/null && return 1
    wait "$pid" || rc=$?
    echo "run.sh: $1 exited with code $rc $2" >&2
}
wid=
deadline=$((SECONDS + 15))
while ((SECONDS < deadline)); do
    wid=$(xdotool search --onlyvisible --name "$name" 2>/dev/null | head -n1 || true)
    [[ -n $wid ]] && break
    exited "$1" "before a window named '$name' appeared" && exit 1
    sleep 0.1
done
[[ -n $wid ]] || { echo "run.sh: no window named '$name' appeared within 15 s" >&2; exit 1; }
sleep "${ZANTIRO_RUN_SECONDS:-3}"
exited "$1" "within ${ZANTIRO_RUN_SECONDS:-3} s of showing its window" && exit 1

mkdir -p "$out"
import -window root "$out/screenshot-full.png"
eval "$(xdotool getwindowgeometry --shell "$wid")"  # sets X, Y, WIDTH, HEIGHT
convert "$out/screenshot-full.png" -crop "$(printf '%dx%d%+d%+d' "$WIDTH" "$HEIGHT" "$X" "$Y")" +repage \
    "$out/screenshot.png"
echo "run.sh: window ${WIDTH}x${HEIGHT} at $X,$Y; saved $out/screenshot.png and $out/screenshot-full.png"
