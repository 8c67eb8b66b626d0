# Shared by the scripts that make the docs' pictures from end-to-end tests (sourced, never run): the built exe and
# driver, a scratch folder, a test run whose checks must pass, and a caption under a screenshot.
# shellcheck shell=bash

picture_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
picture_build=$picture_root/build/windows
picture_name=$(basename "$0")
for file in "$picture_build/zantiro.exe" "$picture_build/tests/zantiro_e2e_driver.exe"; do
    [[ -f $file ]] || { echo "$picture_name: $file is missing; build the Windows preset first" >&2; exit 1; }
done
picture_work=$(mktemp -d)
trap 'rm -rf "$picture_work"' EXIT

# picture_test TEST.sh WHAT [VARIABLE=VALUE...]: tests/e2e/TEST.sh with these settings; when a check fails, the
# script ends with the test's last lines and says that WHAT failed.
picture_test() {
    local script=$1 what=$2 log
    shift 2
    log=$(mktemp -p "$picture_work")
    if ! env "$@" bash "$picture_root/tests/e2e/$script" "$picture_build/zantiro.exe" \
        "$picture_build/tests/zantiro_e2e_driver.exe" >"$log" 2>&1; then
        tail -n 20 "$log"
        echo "$picture_name: $what failed" >&2
        exit 1
    fi
}

# picture_caption SHOT.png OUT.png CAPTION [OPTION...]: the caption under the shot (a "%" written "%%") in
# picture_font, then the options of convert, e.g. a border.
picture_font=DejaVu-Sans
picture_caption() {
    convert "$1" -background white -gravity south -splice 0x28 -font "$picture_font" -pointsize 16 -annotate +0+5 "$3" \
        "${@:4}" "$2"
}

picture_written() {
    echo "$picture_name: wrote $1 ($(identify -format '%wx%h' "$1"))"
}
