#!/usr/bin/env bash
# Runs a Windows exe under Wine for ctest (CMAKE_CROSSCOMPILING_EMULATOR), passing its output and exit code.
#   emulator.sh prog.exe [args]       without DISPLAY: inside a private Xvfb, torn down afterwards
#   emulator.sh --session cmd [args]  runs cmd (e.g. ctest) with one Xvfb and a warm wineserver for all runs
set -euo pipefail
here=$(dirname "${BASH_SOURCE[0]}")
# shellcheck source=tools/wine/env.sh
. "$here/env.sh"
(($#)) || { echo "usage: emulator.sh program.exe [args...] | --session command [args...]" >&2; exit 2; }
"$here/prefix.sh"

if [[ $1 != --session && -n ${DISPLAY:-} ]]; then
    zantiro_wine_reported "$@"
    exit
fi

# One owner per prefix at a time: the teardown ends the prefix's whole wineserver.
exec 9>"$WINEPREFIX.run.lock"
flock 9
trap zantiro_stop_xvfb EXIT
trap 'exit 143' TERM INT HUP
zantiro_start_xvfb
rc=0
if [[ $1 == --session ]]; then
    shift
    # A persistent server keeps Wine's system processes up, so each run starts in ~0.3 s instead of ~2 s.
    # Start them now with no output attached: started by the first test, they would keep its output
    # pipe open and ctest would wait for it forever.
    "$WINESERVER" -p 9>&-
    "$WINE" rundll32.exe user32.dll,GetDesktopWindow </dev/null >/dev/null 2>&1 9>&- || true
    "$@" 9>&- || rc=$?
else
    zantiro_wine_reported "$@" || rc=$?
fi
exit "$rc"
