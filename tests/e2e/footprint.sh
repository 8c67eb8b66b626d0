#!/usr/bin/env bash
# One footprint sample of a program running under Wine, as one line:
#   rss_kib=N gdi_objects=N gdi_source=handle_table|GetGuiResources windows=N
#   tests/e2e/footprint.sh LINUX_PID EXE_NAME
# LINUX_PID: the Wine process as Linux sees it (its resident memory, VmRSS from /proc); EXE_NAME (zantiro.exe): the
# same process as Windows sees it in WINEPREFIX, where zantiro_gdi_count.exe counts its GDI objects and windows.
# ZANTIRO_GDI_COUNT: that counter (default build/windows/tests/zantiro_gdi_count.exe). WINEPREFIX: the program's prefix.
set -euo pipefail
(($# == 2)) || { echo "usage: $0 LINUX_PID EXE_NAME" >&2; exit 2; }
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
counter=${ZANTIRO_GDI_COUNT:-$root/build/windows/tests/zantiro_gdi_count.exe}
# shellcheck source=tools/wine/env.sh
. "$root/tools/wine/env.sh"
rss=$(awk '/^VmRSS:/ { print $2 }' "/proc/$1/status" 2>/dev/null) || true
[[ -n $rss ]] || { echo "no process $1" >&2; exit 1; }
# More than one match would make the figures ambiguous: the counter prints a line per process, keep the first. awk
# reads to the end, where head would close the pipe early and pipefail would count the counter's SIGPIPE as failure.
windows_side=$("$WINE" "$counter" "$2" 9>&- | awk 'NR == 1' | tr -d '\r')
[[ $windows_side == pid=* ]] || { echo "counter: $windows_side" >&2; exit 1; }
echo "rss_kib=$rss ${windows_side#pid=* }"
