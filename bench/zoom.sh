#!/usr/bin/env bash
# make bench-zoom (and the end of make bench): nine rounds of the window's scale under Wine + Xvfb, 100 to 400 %
# and back (108 steps), each timed from the Ctrl + wheel notch to the end of the paint it caused; the program's
# memory, GDI objects and windows before, after the first round and after all steps. Writes its own section of
# docs/PERFORMANCE.md (between the zoom markers; appended when they are missing), leaving the rest as it is.
#   bench/zoom.sh [ROUNDS]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
out=$root/build/bench-zoom
rounds=${1:-9}
steps=$((rounds * 12)) # six steps up, six down
begin='<!-- zoom: written by bench/zoom.sh -->'
end='<!-- /zoom -->'

if [[ ${2:-} != --inside ]]; then
    cmake --preset windows >/dev/null
    cmake --build --preset windows -j2 --target zantiro zantiro_zoom_steps zantiro_e2e_driver zantiro_gdi_count \
        >/dev/null
    rm -rf "$out"
    mkdir -p "$out"
    cp build/windows/zantiro.exe build/windows/zantiro_zoom_steps.exe build/windows/tests/zantiro_e2e_driver.exe \
        build/windows/tests/zantiro_gdi_count.exe "$out/"
    tools/wine/emulator.sh --session "$0" "$rounds" --inside
    {
        read -r before
        read -r first
        read -r after
        read -r summary
        read -r load
    } <"$out/figures.txt"
    field() { sed -n "s/.*\\b$1=\\([0-9./]*\\).*/\\1/p" <<<"$2"; }
    section=$(
        cat <<EOF
$begin
## Steps of the window's scale

$steps Ctrl + wheel steps of the 96-dpi window, 100 → 400 → 100 % $rounds times, each timed from the notch (sent as
\`WM_MOUSEWHEEL\` with \`MK_CONTROL\`) until the window and its buttons had painted the new size
(\`bench/zoom.sh\`, \`bench/zoom_steps.cpp\`; \`make bench-zoom\` runs only this part):

- time per step: median **$(field median_ms "$summary") ms**, 95th percentile $(field p95_ms "$summary") ms,
  slowest $(field max_ms "$summary") ms; $(field over_100 "$summary") of $steps steps over the 100 ms target (the
  machine's load average over 1, 5 and 15 minutes as the run ended: $(field load "$load"), on $(nproc) cores, so
  most of the wait is other programs' turn);
- CPU time of the program itself: $(field cpu_ms_per_step "$load") ms a step (the rounds after the first);
- the program's resident memory, GDI objects and windows:

| when | resident memory | GDI objects | windows |
|---|---|---|---|
| before the first step (100 %) | $(field rss_kib "$before") KiB | $(field gdi_objects "$before") | $(field windows "$before") |
| after the first round (100 → 400 → 100 %) | $(field rss_kib "$first") KiB | $(field gdi_objects "$first") | $(field windows "$first") |
| after all $steps steps (back at 100 %) | $(field rss_kib "$after") KiB | $(field gdi_objects "$after") | $(field windows "$after") |

The first round sets up COM and the imaging component, which resample the picture for each new size; after that
the picture is resampled once per step and the old size released, so memory and GDI objects stay flat.
$end
EOF
    )
    python3 "$root/bench/write_section.py" "$root/docs/PERFORMANCE.md" "$begin" "$end" "$section"
    echo "bench: wrote the zoom section of docs/PERFORMANCE.md"
    exit 0
fi

# Inside one Xvfb and a warm wineserver (tools/wine/emulator.sh --session).
. tools/wine/env.sh
cd "$out"
"$WINE" zantiro.exe 9>&- &
app_pid=$!
trap 'kill "$app_pid" 2>/dev/null || true' EXIT
"$WINE" zantiro_e2e_driver.exe wait-window 20000 >/dev/null
sleep 1
# CPU time of all the program's threads so far, in nanoseconds (its Wine process is the one started).
cpu_ns() { cat /proc/"$app_pid"/task/*/schedstat | awk '{ sum += $1 } END { printf "%d", sum }'; }
sample() {
    ZANTIRO_GDI_COUNT=$out/zantiro_gdi_count.exe "$root/tests/e2e/footprint.sh" "$app_pid" zantiro.exe
}
{
    sample
    "$WINE" zantiro_zoom_steps.exe 12 >steps-first.txt
    sleep 1
    sample
    cpu_before=$(cpu_ns)
    "$WINE" zantiro_zoom_steps.exe $((steps - 12)) >steps.txt
    cpu_after=$(cpu_ns)
    sleep 1
    sample
    # The step lines alone, without the carriage returns of the Windows console.
    cat steps-first.txt steps.txt | tr -d '\r' | awk '/^step / { print $4 }' | sort -n |
        awk '{ t[NR] = $1; over += ($1 > 100) } END {
            printf "median_ms=%.1f p95_ms=%.1f max_ms=%.1f over_100=%d\n", t[int((NR + 1) / 2)], t[int(NR * 0.95 + 0.5)],
                t[NR], over }'
    echo "load=$(cut -d ' ' -f 1-3 /proc/loadavg | tr ' ' /) cpu_ms_per_step=$(awk -v ns=$((cpu_after - cpu_before)) -v n=$((steps - 12)) 'BEGIN { printf "%.1f", ns / n / 1e6 }')"
} >figures.txt
cat figures.txt
