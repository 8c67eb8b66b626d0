#!/usr/bin/env bash
# Installs with apt-get whatever the native build, the cross builds and the Wine runs still lack. Says which step
# failed and what to do about it; does nothing (and is quick) when everything is there.
#   deps.sh [PACKAGE...]: with packages, those instead (make fuzz asks for clang's this way).
set -euo pipefail

pkgs=(
    cmake g++ make git python3 googletest libgtest-dev libgmock-dev
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    g++-mingw-w64-i686-posix binutils-mingw-w64-i686
    wine wine64 wine32:i386 fonts-wine fonts-wqy-zenhei xvfb xdotool x11-utils x11-xkb-utils imagemagick
    procps libx11-dev
)
if (($#)); then
    pkgs=("$@")
fi

say() { echo "deps.sh: $*" >&2; }
fail() {
    say "$*"
    exit 1
}

# The package's name as dpkg-query prints it: plain for the machine's own architecture, with :arch otherwise.
installed() {
    # dpkg-query exits 1 when any package asked about is unknown: that is an answer here, not an error.
    local native
    native=$(dpkg --print-architecture 2>/dev/null || true)
    dpkg-query -W -f='${db:Status-Abbrev} ${binary:Package}\n' "${pkgs[@]}" 2>/dev/null |
        awk -v native=":$native" '$1 == "ii" { sub(native "$", "", $2); print $2 }' || true
}
missing_from() {
    local have=$1 p
    for p in "${pkgs[@]}"; do
        grep -qxF "$p" <<<"$have" || echo "$p"
    done
}

mapfile -t missing < <(missing_from "$(installed)")
((${#missing[@]})) || exit 0
say "missing: ${missing[*]}"

as_root=()
if [[ $(id -u) != 0 ]]; then
    command -v sudo >/dev/null ||
        fail "installing packages needs root: run this as root, or install sudo and give this user the right to use it"
    as_root=(sudo)
fi
# Without recommends: half the packages (no desktop services, media codecs or GPU drivers) and half the time;
# what the build and the tests use is named above.
apt=("${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -q -y -o Dpkg::Use-Pty=0 --no-install-recommends)

# 32-bit Wine runs the x86 build; Debian keeps it under the i386 architecture.
if [[ " ${missing[*]} " == *:i386* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    say "adding the i386 architecture for 32-bit Wine"
    "${as_root[@]}" dpkg --add-architecture i386 || fail "dpkg --add-architecture i386 failed (see above)"
fi

say "step 1 of 2: apt-get update"
if ! "${apt[@]}" update >/dev/null; then
    fail "apt-get update failed: the package archive could not be reached or read (see apt's messages above).
  Check the network connection (and any proxy setting), and the archives in /etc/apt/sources.list(.d)."
fi

say "step 2 of 2: apt-get install ${missing[*]}"
if ! "${apt[@]}" install "${missing[@]}" >/dev/null; then
    unknown=()
    for p in "${missing[@]}"; do
        apt-cache policy "$p" 2>/dev/null | grep -q 'Candidate: [^(]' || unknown+=("$p")
    done
    if ((${#unknown[@]})); then
        fail "the package archive offers no ${unknown[*]}. These come from Debian 12 (bookworm) main: add it to
  /etc/apt/sources.list(.d), run apt-get update, and try again."
    fi
    fail "apt-get install failed (see apt's messages above). Mend what apt names (disk space, a held or broken
  package: 'apt-get -f install'), then try again."
fi

mapfile -t still < <(missing_from "$(installed)")
((${#still[@]} == 0)) || fail "apt-get reported success, but these are still not installed: ${still[*]}"
say "all packages are installed"
