#!/usr/bin/env bash
# `make dist` (after `make exe`): writes dist/ with the two Windows zips (zantiro.exe, 使用说明.txt and LICENSE.txt),
# the Debian package, the winget and Scoop manifests and SHA256SUMS. The time stamps are the last commit's, so a
# clone of the same commit gives the same bytes anywhere, at any time. It builds only a version CHANGELOG.md names.
#   RELEASE_URL: the folder the files are downloaded from (a placeholder that says so when not given)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
say() { echo "dist: $*"; }

version=$(<VERSION)
[[ $version =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]] || { say "VERSION must be MAJOR.MINOR.PATCH, not '$version'" >&2; exit 1; }
if [[ -z ${SOURCE_DATE_EPOCH:-} ]]; then
    SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
fi
export SOURCE_DATE_EPOCH TZ=UTC LC_ALL=C.UTF-8
[[ -z $(git status --porcelain --untracked-files=no 2>/dev/null) ]] ||
    say "note: uncommitted changes are in this dist, but its time stamps are the last commit's"
placeholder=https://placeholder.invalid/set-RELEASE_URL/zantiro/$version
release_url=${RELEASE_URL:-$placeholder}

# A release says what changed: CHANGELOG.md names it in a dated heading ("## [Unreleased]" names none).
if ! grep -qxE "## \[${version//./\\.}\] - [0-9]{4}-[0-9]{2}-[0-9]{2}" CHANGELOG.md; then
    say "CHANGELOG.md has no heading '## [$version] - YYYY-MM-DD': say what changed in $version first" >&2
    exit 1
fi

# Every version named in the guide's examples must be this one.
if grep -oE 'zantiro[-_][0-9]+\.[0-9]+\.[0-9]+' docs/使用说明.md | grep -vxE "zantiro[-_]${version//./\\.}"; then
    say "docs/使用说明.md names another version than $version (above)" >&2
    exit 1
fi

rm -rf dist build/dist
mkdir -p dist build/dist
guide=build/dist/使用说明.txt
python3 packaging/guide_txt.py docs/使用说明.md "$guide"
licence=build/dist/LICENSE.txt
sed 's/$/\r/' LICENSE >"$licence"  # CRLF, for Notepad on Windows 7
for bits in 64 32; do
    exe=build/windows/zantiro.exe
    [[ $bits == 64 ]] || exe=build/windows-x86/zantiro.exe
    [[ -f $exe ]] || { say "no $exe: run make exe first" >&2; exit 1; }
    python3 packaging/make_zip.py "dist/zantiro-$version-win$bits.zip" "zantiro.exe=$exe" "使用说明.txt=$guide" \
        "LICENSE.txt=$licence"
done
packaging/deb/build.sh build/windows/zantiro.exe "$guide" "$version" "dist/zantiro_${version}_amd64.deb"
python3 packaging/make_manifests.py "$version" "$release_url" "dist/zantiro-$version-win64.zip" \
    "dist/zantiro-$version-win32.zip" dist
# SHA256SUMS is created while find still runs: leave it out by name, or it may list itself (as an empty file).
(cd dist && find . -type f ! -path ./SHA256SUMS -printf '%P\n' | LC_ALL=C sort | xargs -d '\n' sha256sum >SHA256SUMS)

say "wrote dist/ for version $version:"
(cd dist && find . -type f -printf '  %P\n' | LC_ALL=C sort)
[[ $release_url != "$placeholder" ]] ||
    say "note: the manifests download from the placeholder $placeholder: give RELEASE_URL=... for a release"
