#!/usr/bin/env bash
# Runs as root in a bare Debian 12 (packaging/package-check.sh's chroot): without Wine the launcher says what to
# install; `apt-get install ./DEB` installs the package with its dependencies; the desktop entry's command, run by
# an ordinary user on a fresh Xvfb, shows the timer with its digits, Chinese captions and no window of Wine's own;
# the exit button ends it; `apt-get remove zantiro` removes every file the package installed.
#   package-test.sh /root/zantiro_VERSION_amd64.deb
set -euo pipefail
deb=$1
export DEBIAN_FRONTEND=noninteractive LANG=C.UTF-8
apt=(apt-get -q -y -o Dpkg::Use-Pty=0)
log=/root/package-test.log
user=teacher

step() { printf 'package-test: %s (%d s)\n' "$*" "$SECONDS"; }
fail() {
    echo "package-test: FAIL: $*" >&2
    tail -n 20 "$log" /home/$user/.local/share/zantiro/prepare.log >&2 2>/dev/null || true
    exit 1
}
as_user() { runuser -u "$user" -- env HOME="/home/$user" DISPLAY="$DISPLAY" LANG=C.UTF-8 "$@"; }

# A chroot has no services to start.
printf '#!/bin/sh\nexit 101\n' >/usr/sbin/policy-rc.d
chmod 755 /usr/sbin/policy-rc.d

step "the launcher on a system without Wine says what to install"
dpkg-deb -x "$deb" /tmp/unpacked
rc=0
/tmp/unpacked/usr/bin/zantiro 2>/tmp/no-wine.log || rc=$?
if ((rc != 127)) || ! grep -q "sudo apt install wine" /tmp/no-wine.log; then
    fail "without Wine the launcher ended with code $rc, saying: $(cat /tmp/no-wine.log)"
fi

step "apt-get update"
"${apt[@]}" update >"$log" 2>&1 || fail "apt-get update"
step "apt-get install ./${deb##*/}"
"${apt[@]}" install "$deb" >>"$log" 2>&1 || fail "apt-get install $deb"
mapfile -t installed < <(dpkg -L zantiro)
step "installed: $(dpkg-query -W -f='${Package} ${Version}' zantiro) and $(grep -c '^Setting up' "$log") packages"
"${apt[@]}" install --no-install-recommends xvfb xdotool imagemagick >>"$log" 2>&1 || fail "the test's own tools"
useradd --create-home --shell /bin/bash "$user"

step "the desktop entry's command on a fresh Xvfb, as $user"
command=$(sed -n 's/^Exec=//p' /usr/share/applications/zantiro.desktop)
[[ -n $command ]] || fail "the desktop entry has no Exec line"
fifo=/tmp/displayfd
mkfifo "$fifo"
Xvfb -displayfd 3 -nolisten tcp -screen 0 1280x800x24 3>"$fifo" >/dev/null 2>&1 &
read -r display <"$fifo"
export DISPLAY=:$display
as_user bash -c "$command" >/tmp/launcher.log 2>&1 &
launcher=$!
window=
for ((i = 0; i < 1800; i++)); do
    window=$(xdotool search --onlyvisible --name '^Zantiro$' 2>/dev/null | head -n 1 || true)
    [[ -z $window ]] || break
    kill -0 "$launcher" 2>/dev/null || fail "the launcher ended before a window showed: $(cat /tmp/launcher.log)"
    sleep 0.1
done
[[ -n $window ]] || fail "no window named Zantiro within 180 s"
step "the window showed"
sleep 3  # the first clock tick and paint
others=$(xdotool search --onlyvisible --name . 2>/dev/null | grep -vx "$window" |
    while read -r id; do xdotool getwindowname "$id"; done | sort -u | grep -v '^$' || true)
[[ -z $others ]] || fail "other windows showed (Wine's own dialogs?): $others"
[[ -f /home/$user/.local/share/zantiro/wine/system.reg ]] || fail "no Wine prefix in the user's home"

eval "$(xdotool getwindowgeometry --shell "$window")"  # X, Y, WIDTH, HEIGHT
import -window root /tmp/screen.png
# The digits are the only red in the window: 00:00 in 72-point digits covers a few thousand pixels.
red=$(convert /tmp/screen.png -crop "${WIDTH}x$HEIGHT+$X+$Y" +repage -fx 'r > 0.7 && g < 0.3 && b < 0.3' \
    -format '%[fx:round(mean * w * h)]' info:)
step "window ${WIDTH}x$HEIGHT at $X,$Y; $red red pixels"
((red > 1500)) || fail "the screenshot shows no digits ($red red pixels)"
# Without a Chinese font every caption would be the same box: the captions of 功 能 and 退 出 (buttons 4 and 5,
# 2280 and 3000 twips from the left) must differ.
for left in 152 200; do
    convert /tmp/screen.png -crop "41x17+$((X + left + 4))+$((Y + 108))" +repage "/tmp/caption$left.png"
done
differing=$(compare -metric AE /tmp/caption152.png /tmp/caption200.png null: 2>&1 || true)
if ! [[ $differing =~ ^[0-9]+$ ]] || ((differing <= 100)); then
    fail "the captions of 功 能 and 退 出 look alike ($differing pixels differ): no Chinese glyphs?"
fi
step "the captions of 功 能 and 退 出 differ in $differing pixels: Chinese glyphs"

# 退 出 is the fifth button: 3000 twips from the left, 1560 from the top, 735 x 375 (15 twips a pixel at 96 dpi).
xdotool mousemove $((X + 224)) $((Y + 116)) click 1
for ((i = 0; i < 200; i++)); do
    kill -0 "$launcher" 2>/dev/null || break
    sleep 0.1
done
! kill -0 "$launcher" 2>/dev/null || fail "退 出 did not end the program"
wait "$launcher" || fail "the launcher ended with code $?: $(cat /tmp/launcher.log)"
as_user env WINEPREFIX="/home/$user/.local/share/zantiro/wine" wineserver -w
step "退 出 ended the program"

"${apt[@]}" remove zantiro >>"$log" 2>&1 || fail "apt-get remove zantiro"
left=()
for path in "${installed[@]}"; do
    # Folders such as /usr/share/icons/hicolor/48x48/apps belong to other packages too; the package's own go.
    if [[ -d $path && ! -L $path && $path != /usr/lib/zantiro && $path != /usr/share/doc/zantiro ]]; then
        continue
    fi
    [[ ! -e $path && ! -L $path ]] || left+=("$path")
done
((${#left[@]} == 0)) || fail "apt-get remove left: ${left[*]}"
step "apt-get remove zantiro removed all ${#installed[@]} paths it owned"
