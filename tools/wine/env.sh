# Shared Wine settings for the scripts in tools/wine (sourced, never run).
# shellcheck shell=bash

ZANTIRO_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
export ZANTIRO_ROOT

# Wine refuses a relative prefix, so anchor one given relative to the caller's directory.
WINEPREFIX=${WINEPREFIX:-$ZANTIRO_ROOT/build/wine-prefix}
case $WINEPREFIX in /*) ;; *) WINEPREFIX=$PWD/$WINEPREFIX ;; esac
export WINEPREFIX
export WINEARCH=win64
# The prefix that prefix.sh copies new ones from (one per build tree).
export ZANTIRO_WINE_PRISTINE=${ZANTIRO_WINE_PRISTINE:-$ZANTIRO_ROOT/build/wine-pristine}
# Wine writes Windows file names to disk in the locale's character set: in a bare system's C locale a Chinese
# name cannot be written at all.
[[ $(locale charmap 2>/dev/null) == UTF-8 ]] || export LC_ALL=C.UTF-8
export WINEDEBUG=${ZANTIRO_WINEDEBUG:--all}  # e.g. ZANTIRO_WINEDEBUG=err+all,warn+font to investigate
# Empty overrides disable Mono and Gecko (no installer dialog); without winemenubuilder, Wine
# writes no menu entries or file associations into the real home.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# The 64-bit loader (it hands 32-bit exes to the 32-bit one, from wine32): call it directly, which skips the wrapper's
# "wine32 is missing" hint and a shell start.
if command -v wine64 >/dev/null; then
    WINE=$(command -v wine64)
elif [[ -x /usr/lib/wine/wine64 ]]; then
    WINE=/usr/lib/wine/wine64
elif command -v wine >/dev/null; then
    WINE=$(command -v wine)
else
    echo "tools/wine: no wine found (run tools/wine/deps.sh)" >&2
    return 1
fi
export WINELOADER=$WINE
# Debian builds Wine without its preloader, so the kernel puts the heap of the loader (linked at 0x7d000000) anywhere
# up to 1 GiB above it. When the heap covers 0x7ffe0000, Wine cannot map the shared user data page there and the
# process ends with exit code 1 before it runs, saying why only in an err: line that WINEDEBUG=-all hides: about one
# start in a few hundred to a few thousand. Without address randomisation the heap starts right after the loader,
# 48 MB below that page, so loader.sh runs Wine that way, wherever the system lets a process ask for it (a
# container's seccomp may refuse); what Wine starts inherits it.
if setarch -R true 2>/dev/null; then
    export ZANTIRO_WINE_LOADER=$WINE
    WINE=$ZANTIRO_ROOT/tools/wine/loader.sh
fi
if command -v wineserver >/dev/null; then
    WINESERVER=$(command -v wineserver)
else
    WINESERVER=/usr/lib/wine/wineserver64
fi
export WINESERVER

# zantiro_wine_reported EXE [ARGUMENT...]: a Windows program under Wine, its output passed on as it comes, stopped
# after ZANTIRO_WINE_SECONDS when that is set. When it fails, or prints nothing, stderr says so with its exit code and
# Wine's own errors for the run: WINEDEBUG=-all hides them, and a process Wine could not start says nothing else.
zantiro_wine_reported() {
    local said rc=0 limit=()
    [[ -z ${ZANTIRO_WINE_SECONDS:-} ]] || limit=(timeout --foreground -k 5 "$ZANTIRO_WINE_SECONDS")
    said=$(mktemp "${TMPDIR:-/tmp}/zantiro-wine.XXXXXX") || return
    WINEDEBUG=-all,err+all "${limit[@]}" "$WINE" "$@" 2>"$said.err" 9>&- | tee "$said" || rc=$?
    if ((rc)) || [[ ! -s $said ]]; then
        echo "tools/wine: $* ended with exit code $rc$([[ -s $said ]] || echo ', having printed nothing')$(
            ((rc != 124 || ${#limit[@]} == 0)) || echo ", stopped after $ZANTIRO_WINE_SECONDS s")" >&2
        cat "$said.err" >&2
    else
        grep -v '^[0-9a-f]*:err:' "$said.err" >&2 || true
    fi
    rm -f "$said" "$said.err"
    return "$rc"
}

# Starts a private Xvfb on a free display (Xvfb picks it and reports it when ready) and exports
# DISPLAY; zantiro_stop_xvfb ends Wine first, since Wine's desktop process dies noisily without X.
zantiro_start_xvfb() {
    local fifo display
    fifo=$(mktemp -u "${TMPDIR:-/tmp}/zantiro-xvfb.XXXXXX")
    mkfifo "$fifo"
    # shellcheck disable=SC2086 # ZANTIRO_XVFB_ARGS: more options, word by word (e.g. -extension RANDR)
    Xvfb -displayfd 3 -nolisten tcp -screen 0 "${ZANTIRO_SCREEN:-1280x800x24}" ${ZANTIRO_XVFB_ARGS:-} 3>"$fifo" 9>&- \
        >/dev/null 2>&1 &
    ZANTIRO_XVFB_PID=$!
    read -r display <"$fifo" || true
    rm -f "$fifo"
    if [[ -z $display ]]; then
        echo "tools/wine: Xvfb did not start" >&2
        return 1
    fi
    export DISPLAY=:$display
}

zantiro_stop_xvfb() {
    "$WINESERVER" -k2 2>/dev/null || true
    "$WINESERVER" -w
    if [[ -n ${ZANTIRO_XVFB_PID:-} ]]; then
        kill "$ZANTIRO_XVFB_PID" 2>/dev/null || true
        wait "$ZANTIRO_XVFB_PID" 2>/dev/null || true
        ZANTIRO_XVFB_PID=
    fi
}
