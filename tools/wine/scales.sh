#!/usr/bin/env bash
# Screenshots of the timer at 100, 125, 150 and 200 % side by side in one picture (docs/scales.png), each taken by
# the end-to-end smoke test in a prefix of that DPI, so the picture only changes when the checks pass.
#   scales.sh [out.png]    (after `make test-windows` or a build of build/windows)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=$root/build/windows
out=${1:-$root/docs/scales.png}
for file in "$build/zantiro.exe" "$build/tests/zantiro_e2e_driver.exe"; do
    [[ -f $file ]] || { echo "scales.sh: $file is missing; build the Windows preset first" >&2; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
shots=()
for dpi in 96 120 144 192; do
    prefix=$build/wine-prefix$([[ $dpi == 96 ]] || echo "-$dpi")  # the prefixes ctest uses
    if ! ZANTIRO_E2E_PREFIX=$prefix ZANTIRO_DPI=$dpi ZANTIRO_E2E_SCREENSHOT=$work/$dpi.png \
        bash "$root/tests/e2e/smoke.sh" "$build/zantiro.exe" "$build/tests/zantiro_e2e_driver.exe" \
        >"$work/$dpi.log" 2>&1; then
        tail -n 20 "$work/$dpi.log"
        echo "scales.sh: the smoke test failed at $dpi dpi" >&2
        exit 1
    fi
    # A caption under each, on a common bottom edge.
    convert "$work/$dpi.png" -background white -gravity south -splice 0x28 -font DejaVu-Sans -pointsize 16 \
        -annotate +0+5 "$((dpi * 100 / 96)) %%  ($dpi dpi)" "$work/$dpi-captioned.png"
    shots+=("$work/$dpi-captioned.png")
done
# 24 pixels of white around and between the shots, which stand on one base line.
convert -background white "${shots[@]}" -gravity West -splice 24x0 -gravity South +append \
    -gravity East -splice 24x0 -gravity North -splice 0x24 -gravity South -splice 0x16 -strip "$out"
echo "scales.sh: wrote $out ($(identify -format '%wx%h' "$out"))"
