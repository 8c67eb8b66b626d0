#!/usr/bin/env bash
# Prepares the Wine prefix once (fonts, DPI, audio, no window manager); a repeat call is free.
set -euo pipefail
# shellcheck source=tools/wine/env.sh
. "$(dirname "${BASH_SOURCE[0]}")/env.sh"

# Settings not given keep what the prefix was made with (96 dpi, silent on creation), so a
# 144-dpi or ALSA prefix stays that way when later calls name only WINEPREFIX.
stamp=$WINEPREFIX/.zantiro-stamp
old=$(cat "$stamp" 2>/dev/null || true)
[[ $old =~ ^dpi=([0-9]+)\ audio=([a-z,]*)( |$) ]] || BASH_REMATCH=("" 96 "")
dpi=${ZANTIRO_DPI:-${BASH_REMATCH[1]}}
audio=${ZANTIRO_WINE_AUDIO-${BASH_REMATCH[2]}}
[[ $dpi =~ ^[0-9]+$ ]] || { echo "prefix.sh: ZANTIRO_DPI must be a number, got '$dpi'" >&2; exit 2; }
[[ $audio =~ ^[a-z,]*$ ]] || { echo "prefix.sh: ZANTIRO_WINE_AUDIO must be a driver name, got '$audio'" >&2; exit 2; }
want="dpi=$dpi audio=$audio v3"  # v: bump when the settings below change
[[ $old == "$want" ]] && exit 0

mkdir -p "$(dirname "$WINEPREFIX")"
exec 9>"$WINEPREFIX.lock"
flock 9
[[ $(cat "$stamp" 2>/dev/null) == "$want" ]] && exit 0  # a parallel caller just made it
log=$WINEPREFIX.log
: >"$log"

# new_prefix DIR: wineboot's prefix, with the user's shell folders and Wine's fonts inside it.
new_prefix() {
    WINEPREFIX=$1 "$WINE" wineboot --init >>"$log" 2>&1 9>&- 8>&-
    # Wine links the user's shell folders to $HOME; keep what programs save there inside the prefix.
    for link in "$1"/drive_c/users/*/*; do
        if [[ -L $link ]]; then rm "$link" && mkdir "$link"; fi
    done
    # Debian's Wine does not put its own fonts (Marlett for caption buttons and menu check marks, Tahoma
    # for dialogs) into new prefixes; without them Wine substitutes whatever fontconfig offers.
    cp -u /usr/share/wine/fonts/* "$1/drive_c/windows/Fonts/"
    # The server writes the hives when it ends.
    WINEPREFIX=$1 "$WINESERVER" -w
}

# A new prefix is 1.3 GB, nearly all of it the PE files of Wine's DLLs and programs, which Wine only ever reads. The
# prefixes of one build tree are copies of one made by wineboot, those files hard-linked: seven prefixes cost 1.4 GB
# of disk instead of 9, and a copy takes a second where wineboot takes ten. Everything else is the prefix's own,
# the hives above all (the server rewrites a linked hive in place). Where links are refused (another file system),
# the files are copied.
pristine=$ZANTIRO_WINE_PRISTINE
copy_pristine() {
    local to=$WINEPREFIX.new version
    version=$("$WINE" --version)
    exec 8>"$pristine.lock"
    flock 8
    if [[ $(cat "$pristine/.complete" 2>/dev/null) != "$version" ]]; then
        rm -rf "$pristine"
        new_prefix "$pristine"
        echo "$version" >"$pristine/.complete"
    fi
    rm -rf "$to"
    cp -a --link "$pristine" "$to" 2>/dev/null || { rm -rf "$to" && cp -a "$pristine" "$to"; }
    exec 8>&-
    rm -f "$to/.complete" "$to/wineserver"
    find "$to" -type f -links +1 ! \( -iname '*.dll' -o -iname '*.exe' -o -iname '*.drv' -o -iname '*.sys' \
        -o -iname '*.ocx' -o -iname '*.acm' -o -iname '*.cpl' -o -iname '*.tlb' -o -iname '*.ax' -o -iname '*.ds' \
        -o -iname '*.nls' -o -iname '*.fon' -o -iname '*.ttf' -o -iname '*.vxd' -o -iname '*.com' \) \
        -exec sh -c 'for f; do cp -p "$f" "$f.own" && mv -f "$f.own" "$f"; done' sh {} +
    mv "$to" "$WINEPREFIX"
}

if [[ ! -f $WINEPREFIX/system.reg ]]; then
    if [[ ! -e $WINEPREFIX ]] || rmdir "$WINEPREFIX" 2>/dev/null; then
        copy_pristine
    else
        new_prefix "$WINEPREFIX"  # a folder of the caller's, not ours to replace
    fi
fi

# regedit reads a UTF-16 .reg file the same under any Unix locale, so the Chinese face name survives.
dword=$(printf '%08x' "$dpi")
settings=$(
    cat <<REG
[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]
"SimSun"="WenQuanYi Zen Hei Mono"
"宋体"="WenQuanYi Zen Hei Mono"

[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]
"Managed"="N"

[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CURRENT_USER\\Software\\Wine\\Drivers]
"Audio"="$audio"

[HKEY_CURRENT_USER\\Control Panel\\Desktop]
"LogPixels"=dword:$dword
REG
)
reg=$WINEPREFIX/zantiro.reg
{
    printf '\xff\xfe'
    printf 'Windows Registry Editor Version 5.00\n\n%s\n' "$settings" | sed 's/$/\r/' | iconv -f UTF-8 -t UTF-16LE
} >"$reg"
"$WINE" regedit /S "Z:${reg//\//\\}" >>"$log" 2>&1 9>&-
# A graceful stop makes the server write the hive, which is then checked on disk.
"$WINESERVER" -k2 || true
"$WINESERVER" -w
# Each value is checked inside its own key: Wine keeps other LogPixels values (font cache, hardware).
has() {  # has 'Key\Path' 'line as user.reg saves it'
    K="[${1//\\/\\\\}] " L=$2 awk 'index($0, "[") == 1 { inkey = index($0, ENVIRON["K"]) == 1 }
        inkey && $0 == ENVIRON["L"] { found = 1 } END { exit !found }' "$WINEPREFIX/user.reg"
}
if ! { has 'Software\Wine\Fonts\Replacements' '"SimSun"="WenQuanYi Zen Hei Mono"' &&
    has 'Software\Wine\Fonts\Replacements' '"\x5b8b\x4f53"="WenQuanYi Zen Hei Mono"' &&
    has 'Software\Wine\X11 Driver' '"Managed"="N"' &&
    has 'Software\Wine\WineDbg' '"ShowCrashDialog"=dword:00000000' &&
    has 'Software\Wine\Drivers' "\"Audio\"=\"$audio\"" &&
    has 'Control Panel\Desktop' "\"LogPixels\"=dword:$dword"; }; then
    echo "prefix.sh: the registry settings did not take; see $log" >&2
    exit 1
fi
echo "$want" >"$stamp"
