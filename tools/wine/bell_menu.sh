#!/usr/bin/env bash
# A screenshot of the 铃声 submenu open on a chosen bell, with 重复到停止 checked (docs/bell-menu.png), taken by the
# end-to-end countdown test after its /repeatbell run, so the picture only changes when its checks pass.
#   bell_menu.sh [out.png]    (after `make test-windows` or a build of build/windows)
set -euo pipefail
# shellcheck source=tools/wine/docs_picture.sh
. "$(dirname "${BASH_SOURCE[0]}")/docs_picture.sh"
out=${1:-$picture_root/docs/bell-menu.png}
picture_test countdown.sh "the countdown test" ZANTIRO_CAPTURE_PREFIX="$picture_build/wine-prefix-alsa" \
    ZANTIRO_E2E_BELL_SCREENSHOT="$picture_work/screen.png"
# The screen is black around the window and its menus: the window, the menus and 8 pixels of that black around them.
convert "$picture_work/screen.png" -trim +repage -bordercolor black -border 8 "$picture_work/menu.png"
picture_font=WenQuanYi-Zen-Hei  # the caption names the menu
picture_caption "$picture_work/menu.png" "$out" "/bell 考试结束.wav /repeatbell, then 功 能 > 铃声" -bordercolor white \
    -border 24 -strip
picture_written "$out"
