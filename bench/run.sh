#!/usr/bin/env bash
# make bench: measures zantiro.exe under Wine + Xvfb and rewrites docs/PERFORMANCE.md from this run.
#   start-up and memory against a bare window and a window showing the same texts, in three sessions of their own
#   (bench/startup.sh); every tick of the real program through its
#   ZANTIRO_TICK_LOG, counting up and down, idle and with both cores busy; CPU time and wake-ups stopped, counting
#   and flashing; the scheduler against a simulated coarse Windows timer; exe sizes.
# Shorter runs while working on it: ZANTIRO_BENCH_QUICK=1 (not for the record: the document says so).
# run.sh --startup-only (make bench-startup): only the start-up sessions, their table printed, the document untouched.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
out=$root/build/bench-run

soak=tests/e2e/soak.sh  # the footprint sampler's long run, when it is there

if [[ ${1:-} != --inside ]]; then
    [[ ${1:-} == --startup-only ]] && out=$root/build/bench-startup  # the last full run's files stay
    startup_targets=(zantiro zantiro_bare_window zantiro_same_texts_window zantiro_startup)
    cmake --preset windows >/dev/null
    if [[ ${1:-} == --startup-only ]]; then
        cmake --build --preset windows -j2 --target "${startup_targets[@]}" >/dev/null
    else
        more_targets=(zantiro_timer_simulation zantiro_e2e_driver)
        [[ -f $soak ]] && more_targets+=(zantiro_gdi_count)
        cmake --build --preset windows -j2 --target "${startup_targets[@]}" "${more_targets[@]}" >/dev/null
        cmake --preset windows-x86 >/dev/null  # the 32-bit exe, for its size
        cmake --build --preset windows-x86 -j2 --target zantiro >/dev/null
    fi
    rm -rf "$out"
    mkdir -p "$out"
    # A folder of its own: the program writes its sound files next to itself.
    for target in "${startup_targets[@]}"; do
        cp "build/windows/$target.exe" "$out/"
    done
    bench/startup.sh "$out"
    if [[ ${1:-} == --startup-only ]]; then
        python3 bench/report.py --startup "$out"
        exit 0
    fi
    cp build/windows/zantiro_timer_simulation.exe build/windows/tests/zantiro_e2e_driver.exe "$out/"
    [[ -f $soak ]] && cp build/windows/tests/zantiro_gdi_count.exe "$out/"
    export LANG=C.UTF-8 LC_ALL=C.UTF-8  # Wine reads the driver's Chinese arguments in the locale's encoding
    tools/wine/emulator.sh --session "$0" --inside
    python3 bench/report.py "$out" docs/PERFORMANCE.md docs/performance-ticks.png
    echo "bench: wrote docs/PERFORMANCE.md and docs/performance-ticks.png"
    bench/zoom.sh  # its own section, after the rest of the document is written
    bench/bell.sh  # likewise
    exit 0
fi

# Inside one Xvfb and a warm wineserver (tools/wine/emulator.sh --session).
. tools/wine/env.sh
cd "$out"
quick=${ZANTIRO_BENCH_QUICK:-}
stopped_s=60 count_s=120 countdown_min=2.1 flash_s=60 sim_ticks=3600 soak_s=600
if [[ -n $quick ]]; then
    stopped_s=10 count_s=20 countdown_min=0.5 flash_s=10 sim_ticks=600 soak_s=30
fi
countdown_s=$(awk -v m="$countdown_min" 'BEGIN { printf "%d", m * 60 }')
echo "quick=${quick:-0} stopped_s=$stopped_s count_s=$count_s countdown_s=$countdown_s flash_s=$flash_s" >settings.txt
winpath() { echo "Z:${1//\//\\}"; }
D() { "$WINE" zantiro_e2e_driver.exe "$@" >>driver.log; }

load_pids=()
stop_load() {
    if ((${#load_pids[@]})); then
        kill "${load_pids[@]}" 2>/dev/null || true
    fi
    load_pids=()
}
busy_cores() { for _ in 1 2; do (while :; do :; done) & load_pids+=($!); done; }
app_pid=
stop_app() {
    if [[ -n $app_pid ]] && kill "$app_pid" 2>/dev/null; then
        wait "$app_pid" 2>/dev/null || true
    fi
    app_pid=
}
soak_pid=
trap 'stop_load; stop_app; [[ -n $soak_pid ]] && kill "$soak_pid" 2>/dev/null' EXIT

# cpu_ns: CPU time of all the program's threads so far, in nanoseconds (its Wine process is the one started).
cpu_ns() { cat /proc/"$app_pid"/task/*/schedstat | awk '{ sum += $1 } END { printf "%d", sum }'; }
# measure_cpu STATE SECONDS: the program's CPU time over that span, appended to cpu.txt.
measure_cpu() {
    local before after
    before=$(cpu_ns)
    sleep "$2"
    after=$(cpu_ns)
    echo "$1 $2 $((after - before))" >>cpu.txt
}
# start_app LOG [ARGS]: zantiro.exe writing its tick log, once its window is up. The states' spans are read from
# the log.
start_app() {
    ZANTIRO_TICK_LOG=$(winpath "$out/$1") "$WINE" zantiro.exe "${@:2}" 9>&- &
    app_pid=$!
    D wait-window 20000
}

if [[ -f $root/$soak ]]; then
    # Alongside the rest, in a prefix and a display of its own: counting, then flashing, sampled every minute.
    echo "bench: footprint over $soak_s s of counting and $soak_s s of flashing, alongside the runs below"
    (cd "$root" && ZANTIRO_E2E_PREFIX=$root/build/wine-prefix-soak ZANTIRO_SOAK_SECONDS=$soak_s \
        ZANTIRO_GDI_COUNT=$out/zantiro_gdi_count.exe bash "$soak" "$out/zantiro.exe" \
        "$out/zantiro_e2e_driver.exe") >soak.txt 2>&1 9>&- &
    soak_pid=$!
fi

echo "bench: the scheduler against a simulated coarse timer, $sim_ticks ticks"
"$WINE" zantiro_timer_simulation.exe "$sim_ticks" >simulation.txt

for load in idle busy; do
    [[ $load == busy ]] && busy_cores
    echo "bench: counting up for $count_s s ($load)"
    start_app "countup-$load.log"
    if [[ $load == idle ]]; then
        measure_cpu stopped "$stopped_s"
    fi
    D post-click "开 始"
    measure_cpu "counting-$load" "$count_s"
    stop_app

    echo "bench: counting down for $countdown_s s ($load)"
    start_app "countdown-$load.log" /countdown "$countdown_min" /start
    sleep "$countdown_s"
    sleep 2  # the end tick, and the flashing begins
    if [[ $load == idle ]]; then
        echo "bench: flashing for $flash_s s"
        measure_cpu flashing "$flash_s"
    fi
    stop_app
    stop_load
done

if [[ -n $soak_pid ]]; then
    echo "bench: waiting for the footprint run"
    wait "$soak_pid" || echo "bench: the footprint run failed (see $out/soak.txt)"
    soak_pid=
fi
