#!/usr/bin/env bash
# A screenshot of the timer showing the hours at 96 dpi (docs/hours.png): /countdown 90 /hours, taken by the
# end-to-end smoke test, so the picture only changes when its checks pass.
#   hours.sh [out.png]    (after `make test-windows` or a build of build/windows)
set -euo pipefail
# shellcheck source=tools/wine/docs_picture.sh
. "$(dirname "${BASH_SOURCE[0]}")/docs_picture.sh"
out=${1:-$picture_root/docs/hours.png}
picture_test smoke.sh "the smoke test" ZANTIRO_E2E_PREFIX="$picture_build/wine-prefix" ZANTIRO_DPI=96 \
    ZANTIRO_E2E_HOURS_SCREENSHOT="$picture_work/hours.png"
# A white margin as in docs/scales.png.
picture_caption "$picture_work/hours.png" "$out" "/countdown 90 /hours  (96 dpi)" -bordercolor white -border 24 -strip
picture_written "$out"
