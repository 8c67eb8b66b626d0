#!/usr/bin/env bash
# Screenshots of the timer at 100, 125, 150 and 200 % side by side in one picture (docs/scales.png), each taken by
# the end-to-end smoke test in a prefix of that DPI, so the picture only changes when the checks pass.
#   scales.sh [out.png]    (after `make test-windows` or a build of build/windows)
set -euo pipefail
# shellcheck source=tools/wine/docs_picture.sh
. "$(dirname "${BASH_SOURCE[0]}")/docs_picture.sh"
out=${1:-$picture_root/docs/scales.png}
shots=()
for dpi in 96 120 144 192; do
    prefix=$picture_build/wine-prefix$([[ $dpi == 96 ]] || echo "-$dpi")  # the prefixes ctest uses
    picture_test smoke.sh "the smoke test at $dpi dpi" ZANTIRO_E2E_PREFIX="$prefix" ZANTIRO_DPI=$dpi \
        ZANTIRO_E2E_SCREENSHOT="$picture_work/$dpi.png"
    # A caption under each, on a common bottom edge.
    picture_caption "$picture_work/$dpi.png" "$picture_work/$dpi-captioned.png" "$((dpi * 100 / 96)) %%  ($dpi dpi)"
    shots+=("$picture_work/$dpi-captioned.png")
done
# 24 pixels of white around and between the shots, which stand on one base line.
convert -background white "${shots[@]}" -gravity West -splice 24x0 -gravity South +append \
    -gravity East -splice 24x0 -gravity North -splice 0x24 -gravity South -splice 0x16 -strip "$out"
picture_written "$out"
