#!/usr/bin/env bash
# A screenshot of the timer at 300 % on a 96-dpi screen (docs/scale-300.png), grown there with Ctrl + wheel and
# taken by the end-to-end scale test, so the picture only changes when its checks pass.
#   scale300.sh [out.png]    (after `make test-windows` or a build of build/windows)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=$root/build/windows
out=${1:-$root/docs/scale-300.png}
for file in "$build/zantiro.exe" "$build/tests/zantiro_e2e_driver.exe"; do
    [[ -f $file ]] || { echo "scale300.sh: $file is missing; build the Windows preset first" >&2; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if ! ZANTIRO_E2E_SCREENSHOT=$work/300.png \
    bash "$root/tests/e2e/scale.sh" "$build/zantiro.exe" "$build/tests/zantiro_e2e_driver.exe" >"$work/log" 2>&1; then
    tail -n 20 "$work/log"
    echo "scale300.sh: the scale test failed" >&2
    exit 1
fi
# A caption under it, and a white margin as in docs/scales.png.
convert "$work/300.png" -background white -gravity south -splice 0x28 -font DejaVu-Sans -pointsize 16 \
    -annotate +0+5 "300 %%  (/scale 300 or Ctrl + wheel, at 96 dpi)" -bordercolor white -border 24 -strip "$out"
echo "scale300.sh: wrote $out ($(identify -format '%wx%h' "$out"))"
