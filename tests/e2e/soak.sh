#!/usr/bin/env bash
# Long run of zantiro.exe under Wine + Xvfb: counting up for a while, then flashing (a countdown of 0 ended) for as
# long, with the process's resident memory, GDI objects and windows sampled at a fixed period (see
# tests/e2e/footprint.sh). The verdict is "no growth": within each phase, no figure ends above where it began
# (resident memory within ZANTIRO_SOAK_RSS_SLACK_KIB, for the allocator's page-level noise).
#   soak.sh zantiro.exe zantiro_e2e_driver.exe
# ZANTIRO_SOAK_SECONDS: each phase's length (default 600); ZANTIRO_SOAK_SAMPLE_SECONDS: the period (default 60);
# ZANTIRO_GDI_COUNT: the counter (default next to the driver).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
export WINEPREFIX=${ZANTIRO_E2E_PREFIX:-$root/build/wine-prefix}
phase_seconds=${ZANTIRO_SOAK_SECONDS:-600}
period=${ZANTIRO_SOAK_SAMPLE_SECONDS:-60}
rss_slack=${ZANTIRO_SOAK_RSS_SLACK_KIB:-1024}
export ZANTIRO_GDI_COUNT=${ZANTIRO_GDI_COUNT:-$(dirname "$(realpath "$2")")/zantiro_gdi_count.exe}
# shellcheck source=tests/e2e/lib.sh
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_init "$@"

figure() { sed -n "s/.*$1=\([0-9-]*\).*/\1/p" <<<"$2"; }

# phase NAME: samples every period for the phase's length, printing each; fails when a figure grew. The baseline
# is the second sample, after a period of warm-up (fonts, brushes and buffers made on first use).
phase() {
    local sample samples=() first last elapsed=0 next=0 began=$SECONDS
    while :; do
        sample=$("$root/tests/e2e/footprint.sh" "$E2E_APP_PID" zantiro.exe) || e2e_fail "no sample: $sample"
        printf '  %s %4d s: %s\n' "$1" "$elapsed" "$sample"
        samples+=("$sample")
        ((elapsed < phase_seconds)) || break
        next=$((next + period < phase_seconds ? next + period : phase_seconds))
        sleep $((began + next - SECONDS > 0 ? began + next - SECONDS : 0))
        elapsed=$((SECONDS - began))
    done
    first=${samples[${#samples[@]} > 2 ? 1 : 0]}
    last=${samples[-1]}
    local name
    for name in gdi_objects windows; do
        (($(figure $name "$last") <= $(figure $name "$first"))) ||
            e2e_fail "$1: $name grew from $(figure $name "$first") to $(figure $name "$last")"
    done
    (($(figure rss_kib "$last") <= $(figure rss_kib "$first") + rss_slack)) ||
        e2e_fail "$1: resident memory grew from $(figure rss_kib "$first") to $(figure rss_kib "$last") KiB"
    echo "ok: $1: no growth over $elapsed s (rss $(figure rss_kib "$first") -> $(figure rss_kib "$last") KiB," \
        "gdi $(figure gdi_objects "$first") -> $(figure gdi_objects "$last"))"
}

e2e_step "start-up"
e2e_start_program
D wait-window 20000
e2e_geometry

e2e_step "counting up for $phase_seconds s"
D click "开 始"
D wait-buttons 3000 "停 止" on "暂 停" on "复 位" off "功 能" off "退 出" on
phase counting
D click "停 止"
D click "复 位"

e2e_step "flashing for $phase_seconds s"
e2e_choose_custom_length 0
D click "开 始"
D wait-buttons 3000 "停 止" on "暂 停" off "复 位" off "功 能" off "退 出" on
phase flashing
D click "停 止"

e2e_step "exit"
D click "复 位"
D click "退 出"
e2e_wait_exit 5
