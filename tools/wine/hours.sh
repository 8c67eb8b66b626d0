#!/usr/bin/env bash
# A screenshot of the timer showing the hours at 96 dpi (docs/hours.png): /countdown 90 /hours, taken by the
# end-to-end smoke test, so the picture only changes when its checks pass.
#   hours.sh [out.png]    (after `make test-windows` or a build of build/windows)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=$root/build/windows
out=${1:-$root/docs/hours.png}
for file in "$build/zantiro.exe" "$build/tests/zantiro_e2e_driver.exe"; do
    [[ -f $file ]] || { echo "hours.sh: $file is missing; build the Windows preset first" >&2; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if ! ZANTIRO_E2E_PREFIX=$build/wine-prefix ZANTIRO_DPI=96 ZANTIRO_E2E_HOURS_SCREENSHOT=$work/hours.png \
    bash "$root/tests/e2e/smoke.sh" "$build/zantiro.exe" "$build/tests/zantiro_e2e_driver.exe" >"$work/log" 2>&1; then
    tail -n 20 "$work/log"
    echo "hours.sh: the smoke test failed" >&2
    exit 1
fi
# A caption under it, and a white margin as in docs/scales.png.
convert "$work/hours.png" -background white -gravity south -splice 0x28 -font DejaVu-Sans -pointsize 16 \
    -annotate +0+5 "/countdown 90 /hours  (96 dpi)" -bordercolor white -border 24 -strip "$out"
echo "hours.sh: wrote $out ($(identify -format '%wx%h' "$out"))"
