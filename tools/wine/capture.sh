#!/usr/bin/env bash
# Runs a Windows exe under Wine with ALSA audio and records each sound it plays into raw files.
#   capture.sh out.raw program.exe [args]      (or: capture.sh out.raw --session command [args])
# The first sound lands in out.raw, later ones in out.raw.0001, out.raw.0002, ... (see alsa-capture.conf).
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
(($# >= 2)) || { echo "usage: capture.sh output.raw program.exe [args...]" >&2; exit 2; }
out=$1
shift
case $out in /*) ;; *) out=$PWD/$out ;; esac
mkdir -p "$(dirname "$out")"
# Files left by an earlier run would push this run's sounds to later numbers.
name=$(basename "$out")
name=${name//%[rcbf]/*}
find "$(dirname "$out")" -maxdepth 1 -type f \( -name "$name" -o -name "$name.[0-9][0-9][0-9][0-9]" \) -delete
# Its own prefix with the ALSA driver on, so the silent default prefix never switches drivers under a session.
export WINEPREFIX=${ZANTIRO_CAPTURE_PREFIX:-$here/../../build/wine-prefix-alsa}
export ZANTIRO_WINE_AUDIO=alsa ZANTIRO_CAPTURE_FILE=$out ALSA_CONFIG_PATH=$here/alsa-capture.conf
exec "$here/emulator.sh" "$@"
