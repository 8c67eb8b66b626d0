#!/usr/bin/env bash
# Start-up and memory of zantiro.exe against its two baselines, the bare window and the same-texts window, in three
# sessions of their own (a fresh Xvfb and wineserver each); each session starts the three programs alternately.
#   startup.sh RUN_DIR                   the three sessions; RUN_DIR holds the exes and gets startup-<n>.txt and
#                                        startup-load.txt (the load average before and after each session)
#   startup.sh --session RUN_DIR N       one session, inside tools/wine/emulator.sh --session
# ZANTIRO_BENCH_QUICK=1: three runs per session instead of fifteen.
set -euo pipefail
self=$(cd "$(dirname "$0")" && pwd)/$(basename "$0")
cd "$(dirname "$self")/.."
sessions=3
runs=15
[[ -n ${ZANTIRO_BENCH_QUICK:-} ]] && runs=3

if [[ ${1:-} == --session ]]; then
    # shellcheck source=tools/wine/env.sh
    . tools/wine/env.sh
    cd "$2"
    programs=()
    for exe in zantiro.exe zantiro_bare_window.exe zantiro_same_texts_window.exe; do
        programs+=("Z:${PWD//\//\\}\\$exe")
    done
    "$WINE" zantiro_startup.exe "$runs" "${programs[@]}" >"startup-$3.txt"
    exit 0
fi

out=${1:?usage: startup.sh RUN_DIR}
: >"$out/startup-load.txt"
for ((session = 1; session <= sessions; session++)); do
    echo "bench: start-up session $session of $sessions, $runs alternate runs of each program"
    read -r before _ </proc/loadavg
    tools/wine/emulator.sh --session "$self" --session "$out" "$session"
    read -r after _ </proc/loadavg
    echo "$session $before $after" >>"$out/startup-load.txt"
done
