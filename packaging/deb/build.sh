#!/usr/bin/env bash
# Builds the Debian package of the 64-bit exe for Wine: the exe in /usr/lib/zantiro, the launcher /usr/bin/zantiro,
# the desktop entry, the icon in six hicolor sizes and as SVG, a manual page, the user guide and the licence. Every
# file's bytes, mode, owner and time are fixed, so the same inputs give the same package.
#   SOURCE_DATE_EPOCH=SECONDS build.sh ZANTIRO.EXE GUIDE.TXT VERSION OUT.deb
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
if (($# != 4)) || [[ -z ${SOURCE_DATE_EPOCH:-} ]]; then
    echo "usage: SOURCE_DATE_EPOCH=SECONDS build.sh ZANTIRO.EXE GUIDE.TXT VERSION OUT.deb" >&2
    exit 2
fi
exe=$1 guide=$2 version=$3 out=$4
maintainer=${DEB_MAINTAINER:-Zantiro maintainers <maintainers@zantiro.invalid>}

stage=$(mktemp -d "${TMPDIR:-/tmp}/zantiro-deb.XXXXXX")
trap 'rm -rf "$stage"' EXIT
pkg=$stage/zantiro
doc=$pkg/usr/share/doc/zantiro
install -D -m 644 "$exe" "$pkg/usr/lib/zantiro/zantiro.exe"
install -D -m 755 "$here/zantiro" "$pkg/usr/bin/zantiro"
install -D -m 644 "$here/zantiro.desktop" "$pkg/usr/share/applications/zantiro.desktop"
mkdir -p "$doc"
# The machine-readable copyright file: its holders and the licence's text are LICENSE's, the text's blank lines as " .".
{
    sed "s/@COPYRIGHT@/$(sed -n 's/^Copyright (c) //p' "$root/LICENSE")/" "$here/copyright"
    printf '\nLicense: MIT\n'
    sed -n '/^Permission/,$ { s/^$/./; s/^/ /; p }' "$root/LICENSE"
} >"$doc/copyright"
install -D -m 644 "$guide" "$doc/使用说明.txt"
mkdir -p "$pkg/usr/share/man/man1"
gzip -9n <"$here/zantiro.1" >"$pkg/usr/share/man/man1/zantiro.1.gz"
{
    printf 'zantiro (%s) unstable; urgency=medium\n\n  * Release %s.\n\n' "$version" "$version"
    printf ' -- %s  %s\n' "$maintainer" "$(LC_ALL=C date -u -R -d "@$SOURCE_DATE_EPOCH")"
} | gzip -9n >"$doc/changelog.gz"
# The program's icon drawn at each size from its shapes, and those shapes as SVG.
python3 "$root/tools/make_icon.py" --hicolor "$pkg/usr/share/icons/hicolor" >/dev/null

find "$pkg" -type d -exec chmod 755 {} +
find "$pkg" -type f ! -path "$pkg/usr/bin/*" -exec chmod 644 {} +
# Installed-Size as dpkg-gencontrol counts it: each file's size in KiB rounded up, one for each directory.
installed_size=$(find "$pkg" -mindepth 1 -printf '%y %s\n' | awk '{ kib += ($1 == "f") ? int(($2 + 1023) / 1024) : 1 } END { print kib }')
mkdir -p "$pkg/DEBIAN"
(cd "$pkg" && find usr -type f | LC_ALL=C sort | xargs -d '\n' md5sum) >"$pkg/DEBIAN/md5sums"
cat >"$pkg/DEBIAN/control" <<CONTROL
Package: zantiro
Version: $version
Architecture: amd64
Maintainer: $maintainer
Installed-Size: $installed_size
Depends: wine, wine64, fonts-wqy-zenhei
Suggests: zenity | kdialog
Section: utils
Priority: optional
Description: always-on-top countdown timer and stopwatch (Chinese interface)
 Zantiro is a small Windows timer with a Chinese interface for lessons, exams
 and talks: one window without a title bar stays above all others and shows
 big red minutes and seconds. It counts up, or down from 1, 3, 5 or 10 minutes
 or a length of one's own; near the end the frame turns yellow, then red with a
 warning sound, and at zero a bell rings and the digits flash.
 .
 This package runs the Windows program under Wine, in a Wine prefix of its own
 in each user's home, with a Chinese font for its captions.
CONTROL
chmod 644 "$pkg/DEBIAN/control" "$pkg/DEBIAN/md5sums"
find "$pkg" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
dpkg-deb --root-owner-group -Zxz --build "$pkg" "$out" >/dev/null
