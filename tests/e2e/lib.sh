# Shared by the end-to-end scripts (sourced, never run): a private Xvfb, the Wine prefix, a fresh folder holding
# zantiro.exe and the driver, the program in the background, screenshots, and everything stopped again on exit.
# shellcheck shell=bash

e2e_fail() {
    echo "FAIL: ${*:-no reason given, at line ${BASH_LINENO[0]} of $(basename "${BASH_SOURCE[1]}")}"
    exit 1
}

e2e_step() {
    E2E_STEP=$*
    printf '\n== %s (%d s)\n' "$*" "$SECONDS"
}

# e2e_init zantiro.exe driver.exe [screen_reader.exe]: call first. Uses WINEPREFIX as exported by the caller (see the
# scripts' headers), and E2E_SCREEN for the X screen (default 1280x800x24).
e2e_init() {
    (($# == 2 || $# == 3)) || { echo "usage: $0 zantiro.exe zantiro_e2e_driver.exe [screen_reader.exe]" >&2; exit 2; }
    E2E_HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
    E2E_ROOT=$(cd "$E2E_HERE/../.." && pwd)
    [[ -f $1 ]] || e2e_fail "no program at $1"
    [[ -f $2 ]] || e2e_fail "no driver at $2"
    local exe driver tool
    for tool in Xvfb xdotool xprop import; do
        command -v "$tool" >/dev/null || e2e_fail "$tool is missing (tools/wine/deps.sh installs it)"
    done
    exe=$(realpath "$1")
    driver=$(realpath "$2")
    # Wine decodes its command line (the driver's Chinese captions) in the locale's character set.
    export LANG=C.UTF-8 LC_ALL=C.UTF-8
    # The system's interpreter: a version manager's shim costs about a second a call.
    E2E_PYTHON=/usr/bin/python3
    [[ -x $E2E_PYTHON ]] || E2E_PYTHON=python3
    . "$E2E_ROOT/tools/wine/env.sh"
    if e2e_inside_session; then
        # The session keeps the prefix (and its lock) until it ends, so waiting would never end.
        echo "e2e: inside tools/wine/emulator.sh --session on $WINEPREFIX: using $WINEPREFIX-e2e instead"
        export WINEPREFIX=$WINEPREFIX-e2e
    fi
    "$E2E_ROOT/tools/wine/prefix.sh"
    # One owner per prefix at a time (as tools/wine/emulator.sh does): the teardown ends the prefix's wineserver.
    exec 9>"$WINEPREFIX.run.lock"
    flock -w 240 9 || e2e_fail "another run has held $WINEPREFIX.run.lock for 4 minutes"
    E2E_WORK=$(mktemp -d "${TMPDIR:-/tmp}/zantiro-e2e.XXXXXX")
    trap e2e_cleanup EXIT
    trap 'exit 143' TERM INT HUP
    # A fresh folder: the program writes its sound files next to itself.
    cp "$exe" "$E2E_WORK/zantiro.exe"
    cp "$driver" "$E2E_WORK/driver.exe"
    (($# == 2)) || cp "$3" "$E2E_WORK/screen_reader.exe"
    ZANTIRO_SCREEN=${E2E_SCREEN:-1280x800x24} zantiro_start_xvfb
    echo "e2e: prefix $WINEPREFIX, display $DISPLAY, folder $E2E_WORK"
}

# Whether one of this script's ancestors holds the prefix's run lock open, as emulator.sh --session does.
e2e_inside_session() {
    local lock pid=$PPID fd
    [[ -e $WINEPREFIX.run.lock ]] || return 1
    lock=$(realpath "$WINEPREFIX.run.lock")
    while ((pid > 1)); do
        for fd in /proc/"$pid"/fd/*; do
            [[ $(readlink "$fd" 2>/dev/null) == "$lock" ]] && return 0
        done
        pid=$(ps -o ppid= -p "$pid" | tr -d ' ')
        [[ -n $pid ]] || return 1
    done
    return 1
}

e2e_cleanup() {
    local rc=$? last=$BASH_COMMAND  # the command that ended the script
    trap - EXIT
    local app=0
    if [[ -n ${E2E_APP_PID:-} ]] && kill -0 "$E2E_APP_PID" 2>/dev/null; then
        kill "$E2E_APP_PID" 2>/dev/null || true
    elif [[ -n ${E2E_APP_PID:-} ]]; then
        wait "$E2E_APP_PID" 2>/dev/null || app=$?
    fi
    "$WINESERVER" -k 2>/dev/null || true
    "$WINESERVER" -w 2>/dev/null || true
    if [[ -n ${E2E_AFTER_WINE:-} ]]; then
        eval "$E2E_AFTER_WINE" || true  # a script's own teardown, e.g. a mount its programs had open
    fi
    if [[ -n ${ZANTIRO_XVFB_PID:-} ]]; then
        kill "$ZANTIRO_XVFB_PID" 2>/dev/null || true
        wait "$ZANTIRO_XVFB_PID" 2>/dev/null || true
    fi
    if ((rc)); then
        # A command that failed outside any check (set -e ended the script there) names itself.
        [[ $last == exit* ]] || echo "e2e: \`$last\` failed with exit code $rc"
        ((app == 0)) || echo "e2e: zantiro.exe had ended by itself with exit code $app"
        if [[ -s $E2E_WORK/zantiro.log ]]; then
            echo "--- zantiro.exe output:"
            tail -n 20 "$E2E_WORK/zantiro.log"
        fi
        echo "e2e: failed in step \"${E2E_STEP:-start}\" after $SECONDS s; screenshots and output kept in $E2E_WORK"
    else
        rm -rf "$E2E_WORK"
        echo "e2e: passed in $SECONDS s"
    fi
    exit "$rc"
}

# e2e_start_program [ARGUMENT...]: zantiro.exe with these command-line arguments, in the background.
e2e_start_program() {
    (cd "$E2E_WORK" && exec "$WINE" "$E2E_WORK/zantiro.exe" "$@") >"$E2E_WORK/zantiro.log" 2>&1 9>&- &
    E2E_APP_PID=$!
}

# D: the driver (see driver.cpp for its commands); P: the pixel checks (see pixels.py). 4 minutes at most (ctest: 5).
D() {
    ZANTIRO_WINE_SECONDS=240 zantiro_wine_reported "$E2E_WORK/driver.exe" "$@"
}

# e2e_start_bystander MILLISECONDS: another program's window takes the foreground and the keyboard focus for that
# long, in the background (its log: bystander.log); fails the test when it has not taken them within 10 s.
e2e_start_bystander() {
    D bystander "$1" >"$E2E_WORK/bystander.log" 2>&1 &
    for ((tries = 0; tries < 100; tries++)); do
        grep -q '^ok: the bystander' "$E2E_WORK/bystander.log" && break
        sleep 0.1
    done
    cat "$E2E_WORK/bystander.log"
    grep -q '^ok: the bystander' "$E2E_WORK/bystander.log" || e2e_fail "the bystander did not take the keyboard"
}

# e2e_windows_path PATH: the Unix path as Wine's drive Z: spells it.
e2e_windows_path() {
    local path=${1//\//\\}
    echo "Z:$path"
}

# e2e_hold PATH MILLISECONDS: another program holds the file open without sharing for that long, in the background
# (its log: hold.log); fails the test when it has not opened it within 10 s.
e2e_hold() {
    local tries
    D hold "$(e2e_windows_path "$1")" "$2" >"$E2E_WORK/hold.log" 2>&1 &
    for ((tries = 0; tries < 100; tries++)); do
        grep -qs '^ok: holding' "$E2E_WORK/hold.log" && return 0
        sleep 0.1
    done
    e2e_fail "the holder did not open $1: $(cat "$E2E_WORK/hold.log")"
}

# R: the screen reader (see screen_reader.cpp), when e2e_init was given it.
R() {
    ZANTIRO_WINE_SECONDS=240 zantiro_wine_reported "$E2E_WORK/screen_reader.exe" "$@"
}

# e2e_seconds_shown: the time the timer shows (MM:SS) in seconds, as the screen reader reads it (failures: stderr).
e2e_seconds_shown() {
    local time
    time=$(R time) || e2e_fail "the screen reader read no time: '$time'" >&2
    time=${time##*$'\n'}  # after the reader's "ok" line
    [[ $time =~ ^[0-9]{2}:[0-9]{2}$ ]] || e2e_fail "the screen reader read the time as '$time'" >&2
    echo $((10#${time%:*} * 60 + 10#${time#*:}))
}

# P COMMAND SHOT [ARGS]: SHOT, and any argument that names a picture taken by e2e_shot, become its file.
P() {
    local command=$1 shot=$2 arg args=()
    shift 2
    for arg; do
        if [[ -f $E2E_WORK/$arg.png ]]; then
            args+=("$E2E_WORK/$arg.png")
        else
            args+=("$arg")
        fi
    done
    "$E2E_PYTHON" "$E2E_HERE/pixels.py" "$command" "$E2E_WORK/$shot.png" "$DPI" "${args[@]}"
}

# Sets X, Y, W, H (the client area on the screen), DPI, SCREEN_W, SCREEN_H and FACE (RRGGBB).
e2e_geometry() {
    local assignments
    assignments=$(D geometry) || e2e_fail "driver geometry failed, having printed '$assignments'"
    [[ $assignments =~ ^X=-?[0-9]+\ Y=-?[0-9]+\ W=[0-9]+\ H=[0-9]+\ DPI=[0-9]+\ SCREEN_W=[0-9]+\ SCREEN_H=[0-9]+\ FACE=[0-9A-F]{6}$ ]] ||
        e2e_fail "driver geometry printed '$assignments'"
    eval "$assignments"
    echo "window client area ${W}x${H} at $X,$Y, $DPI dpi, screen ${SCREEN_W}x${SCREEN_H}"
}

# e2e_button_centre CAPTION: sets BX, BY to the button's centre on the screen, for a real mouse click.
e2e_button_centre() {
    local assignments
    assignments=$(D button-centre "$1") || e2e_fail "driver button-centre failed, having printed '$assignments'"
    [[ $assignments =~ ^BX=-?[0-9]+\ BY=-?[0-9]+$ ]] || e2e_fail "driver button-centre printed '$assignments'"
    eval "$assignments"
}

# e2e_choose_custom_length TEXT: 功 能 clicked with the mouse, then Vorlenk > 自定义时间 with the keys, TEXT typed
# into the box over the selected default, and Enter.
e2e_choose_custom_length() {
    local title="输入Vorlenk时间"
    e2e_button_centre "功 能"
    xdotool mousemove "$BX" "$BY" click 1
    D wait-menus 1 5000
    xdotool key Down Down Right  # 正计时, (separator), Vorlenk; Right opens it on its first item, 一分钟
    D wait-menus 2 5000
    xdotool key Down Down Down Down Return  # 三分钟, 五分钟, 十分钟, 自定义时间
    D wait-dialog "$title" 5000
    D check-input "$title" 8.5
    xdotool type --delay 50 "$1"
    xdotool key Return
    D wait-no-dialog "$title" 5000
    D wait-menus 0 5000
    D wait-buttons 3000 "开 始" on "暂 停" off "复 位" off "功 能" on "退 出" on
}

# e2e_expect_alpha ALPHA: the window is layered with this alpha, and X shows it as the window's opacity, as a
# compositor would use it (Wine hands the alpha over as _NET_WM_WINDOW_OPACITY).
e2e_expect_alpha() {
    local wid opacity
    D expect-alpha "$1"
    wid=$(xdotool search --onlyvisible --name '^Zantiro$' | head -n1)
    opacity=$(xprop -id "$wid" _NET_WM_WINDOW_OPACITY)
    [[ $opacity == *" = $(($1 * 0xffffffff / 255))" ]] || e2e_fail "X window opacity: $opacity (expected alpha $1)"
    echo "ok: X window $wid has $opacity"
}

# Time since e2e_mark_start, which keeps it in E2E_STARTED in microseconds (EPOCHREALTIME without its point).
e2e_mark_start() {
    E2E_STARTED=${EPOCHREALTIME/./}
}

e2e_micros_since_start() {
    echo $((${EPOCHREALTIME/./} - E2E_STARTED))
}

e2e_since_start() {
    local micros
    micros=$(e2e_micros_since_start)
    printf '%d.%d' $((micros / 1000000)) $((micros % 1000000 / 100000))
}

e2e_sleep_until() {  # e2e_sleep_until MILLISECONDS after the start
    local micros=$(($1 * 1000 - $(e2e_micros_since_start)))
    ((micros <= 0)) || sleep "$(printf '%d.%06d' $((micros / 1000000)) $((micros % 1000000)))"
}

# e2e_shot NAME: the client area as the screen shows it now, in $E2E_WORK/NAME.png.
e2e_shot() {
    D update >/dev/null || e2e_fail "the window did not paint"
    sleep 0.15  # Wine hands a painted window surface to X on its next message-loop turn
    import -window root -crop "${W}x${H}+${X}+${Y}" +repage "$E2E_WORK/$1.png" ||
        e2e_fail "no screenshot"
}

# e2e_check_start SHOT: the start-up window in the picture SHOT at $DPI: a black frame of the scaled width, the
# rule, red digits, the sky and the picture reaching every edge.
e2e_check_start() {
    P frame "$1" black
    P rule "$1"
    P digits "$1"
    P sky "$1"
    P covered "$1" "$FACE"
}

# e2e_wait_exit SECONDS [CODE]: the program ends by itself within the time, with exit code CODE (default 0).
e2e_wait_exit() {
    local tenths rc=0 expected=${2:-0}
    for ((tenths = 0; tenths < $1 * 10; tenths++)); do
        kill -0 "$E2E_APP_PID" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$E2E_APP_PID" 2>/dev/null && e2e_fail "zantiro.exe still runs $1 s after exit was pressed"
    wait "$E2E_APP_PID" || rc=$?
    E2E_APP_PID=
    ((rc == expected)) || e2e_fail "zantiro.exe exited with code $rc (expected $expected)"
    echo "ok: zantiro.exe ended with exit code $rc after $((tenths * 100)) ms"
}

# e2e_heard WAV CAPTURE [TIMES]: within 5 s, one of the capture files CAPTURE, CAPTURE.0001, ... holds the WAV's whole
# data chunk, byte for byte (so Wine neither resampled nor reformatted it), TIMES times (default once) one after
# another. WAV: a file of resources/, or a path. Zero bytes are left out of both: Wine writes silence into the stream
# where it falls behind on a loaded machine.
e2e_heard() {
    local tries wav=$1
    [[ $wav == */* ]] || wav=$E2E_ROOT/resources/$wav
    for ((tries = 0; tries < 25; tries++)); do
        "$E2E_PYTHON" - "$wav" "${3:-1}" "$2"* <<'PY' && return 0
import struct, sys
wav = open(sys.argv[1], "rb").read()
at = 12
while wav[at:at + 4] != b"data":
    at += 8 + struct.unpack("<I", wav[at + 4:at + 8])[0]
samples = wav[at + 8:at + 8 + struct.unpack("<I", wav[at + 4:at + 8])[0]].replace(b"\0", b"")
for path in sys.argv[3:]:
    raw = open(path, "rb").read().replace(b"\0", b"")
    if samples * int(sys.argv[2]) in raw:
        print(f"ok: {path} holds the {len(samples)} nonzero sample bytes of {sys.argv[1]}, {raw.count(samples)} times")
        sys.exit(0)
sys.exit(1)
PY
        sleep 0.2
    done
    echo "capture files: $(stat -c '%n %s bytes' "$2"* 2>/dev/null | tr '\n' ',')"
    e2e_fail "no capture holds $1's samples${3:+ $3 times}"
}
