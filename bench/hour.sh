#!/usr/bin/env bash
# make bench-hour: zantiro.exe counting up for an hour under Wine + Xvfb, every tick logged by the program
# (ZANTIRO_TICK_LOG) and every change of its seconds read off the screen by another process; prints the figures.
#   hour.sh                                      an idle hour and a busy hour (ZANTIRO_HOUR_SECONDS each), then
#                                                their section of docs/PERFORMANCE.md (bench/hour.md)
#   hour.sh [idle|busy|beside] [SECONDS] [OUT]   one run, its figures printed. busy: two shell loops keep both cores
#                                                at 100 %; beside: no load of its own, next to a busy run
# ZANTIRO_HOUR_EXE runs another build of the exe (an experiment) instead of build/windows/zantiro.exe.
# Everything is in functions, called on the last line: bash has read the whole file before an hour begins, so
# editing it meanwhile changes nothing of a run.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

both() {
    local seconds=${ZANTIRO_HOUR_SECONDS:-3600}
    "$0" idle "$seconds"
    "$0" busy "$seconds"
    python3 bench/hour_report.py --record build/bench-hour/idle build/bench-hour/busy
}

one() {
    local load=${1:-idle} seconds=${2:-3600} out exe=${ZANTIRO_HOUR_EXE:-}
    out=${3:-$root/build/bench-hour/$load}
    [[ $load =~ ^(idle|busy|beside)$ ]] || { echo "usage: hour.sh [idle|busy|beside] [SECONDS] [OUT]" >&2; exit 2; }
    local targets=(zantiro_e2e_driver)
    [[ -z $exe ]] && targets+=(zantiro) && exe=build/windows/zantiro.exe
    cmake --preset windows >/dev/null
    nice -n 19 cmake --build --preset windows -j2 --target "${targets[@]}" >/dev/null
    rm -rf "$out"
    mkdir -p "$out"
    # A folder of its own: the program writes its sound files next to itself.
    cp "$exe" "$out/zantiro.exe"
    cp build/windows/tests/zantiro_e2e_driver.exe "$out/"
    cc -O2 -o "$out/screen_watch" bench/screen_watch.c -lX11
    export LANG=C.UTF-8 LC_ALL=C.UTF-8  # Wine reads the driver's Chinese arguments in the locale's encoding
    tools/wine/emulator.sh --session "$0" --inside "$load" "$seconds" "$out"
    python3 bench/hour_report.py "$out"
}

# Inside one Xvfb and a warm wineserver (tools/wine/emulator.sh --session).
inside() {
    local load=$1 seconds=$2 out=$3
    . tools/wine/env.sh
    cd "$out"
    pids=()
    trap 'kill "${pids[@]}" 2>/dev/null || true' EXIT
    if [[ $load == busy ]]; then
        for _ in 1 2; do (while :; do :; done) & pids+=($!); done
    fi
    # The machine's load once a minute: "idle" is only as idle as the other programs on it let it be.
    (while :; do echo "$(date +%s) $(cut -d' ' -f1-3 /proc/loadavg)"; sleep 60; done) >loadavg.txt &
    pids+=($!)

    ZANTIRO_TICK_LOG="Z:${out//\//\\}\\ticks.log" "$WINE" zantiro.exe 9>&- &
    local app=$!
    pids+=("$app")
    "$WINE" zantiro_e2e_driver.exe wait-window 20000 >>driver.log
    # The seconds' digits: the right third of the digit row, inside the frame.
    local x y w h
    read -r x y w h < <("$WINE" zantiro_e2e_driver.exe geometry |
        sed -n 's/.*X=\([0-9]*\) Y=\([0-9]*\) W=\([0-9]*\) H=\([0-9]*\).*/\1 \2 \3 \4/p')
    # The threads a tick passes through: this prefix's wineserver (the one working in its folder), the program's UI
    # thread (its first), the X server.
    local server_dir server='' xvfb pid
    server_dir=$(stat -c '%d %i' "$WINEPREFIX" | awk '{ printf "server-%x-%x", $1, $2 }')
    for pid in $(pgrep -x wineserver64; pgrep -x wineserver); do
        [[ $(readlink "/proc/$pid/cwd") == */"$server_dir" ]] && server=$pid
    done
    xvfb=$(pgrep -P "$PPID" -x Xvfb)  # tools/wine/emulator.sh's
    ./screen_watch $((x + w * 62 / 100)) $((y + h * 8 / 100)) $((w * 33 / 100)) $((h * 45 / 100)) $((seconds + 3)) \
        shown.log "ui=/proc/$app/task/$app/schedstat" "server=/proc/$server/task/$server/schedstat" \
        "xvfb=/proc/$xvfb/task/$xvfb/schedstat" 9>&- &
    local watch=$!
    pids+=("$watch")
    sleep 1
    echo "$load $seconds $(date -u +%FT%TZ) $(nproc)" >settings.txt
    "$WINE" zantiro_e2e_driver.exe post-click "开 始" >>driver.log
    echo "bench-hour: counting up for $seconds s ($load), logs in $out"
    wait "$watch"
    ps -L -o tid,nice,pri,comm -p "$app" >threads.txt  # the priorities the program's threads had at the end
    kill "$app"
    wait "$app" 2>/dev/null || true
}

if [[ ${1:-} == --inside ]]; then inside "${@:2}"; elif (($#)); then one "$@"; else both; fi; exit
