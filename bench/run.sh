#!/usr/bin/env bash
# Measurements that belong to no test: exe size, tick punctuality (idle, both cores busy, menu open),
# start-up to the first visible window, and the memory the running timer holds.
set -euo pipefail
cd "$(dirname "$0")/.."
ticks=${ZANTIRO_BENCH_TICKS:-30}
skip_ticks=${ZANTIRO_BENCH_SKIP_TICKS:-}

cmake --preset windows >/dev/null
cmake --build --preset windows -j2 --target zantiro zantiro_tick_bench >/dev/null
cmake --preset windows-x86 >/dev/null
cmake --build --preset windows-x86 -j2 --target zantiro >/dev/null
exe=build/windows/zantiro.exe
bench=build/windows/zantiro_tick_bench.exe

# The target for each: under 1 MiB (1048576 bytes).
echo "zantiro.exe: $(stat -c %s "$exe") bytes (64-bit), $(stat -c %s build/windows-x86/zantiro.exe) bytes (32-bit)"

. tools/wine/env.sh
tools/wine/prefix.sh
load_pids=()
stop_load() { ((${#load_pids[@]})) && kill "${load_pids[@]}" 2>/dev/null || true; load_pids=(); }
trap stop_load EXIT

if [[ -z $skip_ticks ]]; then
    echo "ticks of 1000 ms over ${ticks} s, lateness against the ideal grid:"
    tools/wine/emulator.sh "$bench" "$ticks" 1000 | sed 's/^/  idle:        /'
    for _ in 1 2; do (while :; do :; done) & load_pids+=($!); done
    tools/wine/emulator.sh "$bench" "$ticks" 1000 | sed 's/^/  cores busy:  /'
    stop_load
    tools/wine/emulator.sh "$bench" "$ticks" 1000 menu | sed 's/^/  menu open:   /'
fi

# Start-up: from launch to a visible window, three runs in a warm wineserver; then the resident memory.
tools/wine/emulator.sh --session env WINE="$WINE" bash -c '
    for run in 1 2 3; do
        start=$(date +%s%N)
        "$WINE" "$0" & pid=$!
        for ((i = 0; i < 3000; i++)); do
            xdotool search --onlyvisible --name "^Zantiro$" >/dev/null 2>&1 && break
            sleep 0.005
        done
        echo "  start-up to visible window, run $run: $(( ($(date +%s%N) - start) / 1000000 )) ms"
        sleep 2
        rss=$(ps -o rss= -p "$pid" | tr -d " ")
        echo "  resident memory of the running timer (Wine process, run $run): ${rss:-?} KiB"
        kill "$pid"
        wait "$pid" 2>/dev/null || true
    done' "$exe"
