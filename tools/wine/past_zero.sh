#!/usr/bin/env bash
# A screenshot of a titled timer counting past zero at 96 dpi (docs/past-zero.png): /countdown 0.1 /overtime
# /title 数学期中考试, taken by the end-to-end smoke test, so the picture only changes when its checks pass.
#   past_zero.sh [out.png]    (after `make test-windows` or a build of build/windows)
set -euo pipefail
# shellcheck source=tools/wine/docs_picture.sh
. "$(dirname "${BASH_SOURCE[0]}")/docs_picture.sh"
out=${1:-$picture_root/docs/past-zero.png}
picture_test smoke.sh "the smoke test" ZANTIRO_E2E_PREFIX="$picture_build/wine-prefix" ZANTIRO_DPI=96 \
    ZANTIRO_E2E_PAST_ZERO_SCREENSHOT="$picture_work/past-zero.png"
# The caption's face has no Chinese: the title shows in the picture itself.
picture_caption "$picture_work/past-zero.png" "$out" "/overtime /title ...  (96 dpi)" \
    -bordercolor white -border 24 -strip
picture_written "$out"
