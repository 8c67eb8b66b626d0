#!/usr/bin/env bash
# Installs with apt-get whatever the native build, the cross build and the Wine runs still lack.
set -euo pipefail

pkgs=(
    cmake g++ make python3 googletest libgtest-dev libgmock-dev
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    wine wine64 fonts-wine fonts-wqy-zenhei xvfb xdotool x11-utils imagemagick
)
installed=$(dpkg-query -W -f='${db:Status-Abbrev} ${Package}\n' "${pkgs[@]}" 2>/dev/null | awk '$1 == "ii" { print $2 }')
missing=()
for p in "${pkgs[@]}"; do
    grep -qxF "$p" <<<"$installed" || missing+=("$p")
done
((${#missing[@]})) || exit 0

echo "deps.sh: installing ${missing[*]}"
sudo=()
((EUID == 0)) || sudo=(sudo)
apt=("${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -qq -o Dpkg::Use-Pty=0)
"${apt[@]}" update
"${apt[@]}" install "${missing[@]}" >/dev/null
