#!/usr/bin/env bash
# `make package-check`: the Debian package of dist/ (make dist runs first) on the bare Debian 12 of
# tools/fresh-root.sh, where packaging/package-test.sh installs it with apt-get, starts the desktop entry's command
# under Xvfb as an ordinary user, and removes it again. Needs root, as fresh-check does.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=tools/fresh-root.sh
. "$repo/tools/fresh-root.sh"

say() { echo "package-check: $*"; }
fail() {
    say "$*" >&2
    exit 1
}

# In the namespace, the root mounted: the package and the test go in, the test runs as root in a clean environment.
inside() {
    local root=$run/root
    cp "$deb" "$repo/packaging/package-test.sh" "$root/root/"
    chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        /bin/bash /root/package-test.sh "/root/${deb##*/}"
}

main() {
    local start=$SECONDS
    fresh_as_root "$@"
    deb=$repo/dist/zantiro_$(<"$repo/VERSION")_amd64.deb
    [[ -f $deb ]] || fail "no ${deb#"$repo"/}: run make dist first"
    fresh_base
    fresh_new_run
    export -f inside
    export deb repo
    fresh_enter inside || fail "FAILED after $((SECONDS - start)) s"
    say "passed in $((SECONDS - start)) s: ${deb##*/} installs, starts from its desktop entry and leaves nothing behind"
}

main "$@"
