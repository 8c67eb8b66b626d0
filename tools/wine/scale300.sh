#!/usr/bin/env bash
# A screenshot of the timer at 300 % on a 96-dpi screen (docs/scale-300.png), grown there with Ctrl + wheel and
# taken by the end-to-end scale test, so the picture only changes when its checks pass.
#   scale300.sh [out.png]    (after `make test-windows` or a build of build/windows)
set -euo pipefail
# shellcheck source=tools/wine/docs_picture.sh
. "$(dirname "${BASH_SOURCE[0]}")/docs_picture.sh"
out=${1:-$picture_root/docs/scale-300.png}
picture_test scale.sh "the scale test" ZANTIRO_E2E_SCREENSHOT="$picture_work/300.png"
# A white margin as in docs/scales.png.
picture_caption "$picture_work/300.png" "$out" "300 %%  (/scale 300 or Ctrl + wheel, at 96 dpi)" \
    -bordercolor white -border 24 -strip
picture_written "$out"
