# shellcheck shell=bash
# The bare Debian 12 root of `make fresh-check` and `make package-check` (sourced, never run). The root is built once
# (debootstrap minbase plus git and make, a few minutes) and cached outside the repository; it is never written to:
# each run mounts an overlay over it, inside its own mount and PID namespace, so every run starts from the same bare
# system and leaves nothing mounted or running behind. Downloaded .deb files are kept between runs (bind-mounted as
# the overlay's /var/cache/apt/archives): apt-get update and install still run as on a bare machine, they only fetch
# nothing that is already there.
#
# The caller defines say and fail, then: fresh_as_root "$@"; fresh_base; fresh_new_run; and
# fresh_enter FUNCTION, which runs FUNCTION (exported with export -f) in the namespace with the root in
# $run/root.

cache=${ZANTIRO_FRESH_CACHE:-/var/cache/zantiro-fresh}
mirror=${ZANTIRO_FRESH_MIRROR:-}  # empty: debootstrap's own default
base=$cache/bookworm-minbase-git-make
debs=$cache/debs

# Re-runs the calling script with sudo unless it runs as root (debootstrap, mounts and chroot need it).
fresh_as_root() {
    if [[ $(id -u) != 0 ]]; then
        command -v sudo >/dev/null || fail "needs root (debootstrap, mounts, chroot): run it as root, or install sudo"
        exec sudo "$0" "$@"
    fi
    if ! command -v debootstrap >/dev/null; then
        say "installing debootstrap"
        if ! { apt-get -q update >/dev/null && DEBIAN_FRONTEND=noninteractive apt-get -q -y install debootstrap >/dev/null; }; then
            fail "could not install debootstrap with apt-get"
        fi
    fi
}

# Builds the bare root unless it is there (one builder at a time); sets fresh_built to 1 when it built it.
fresh_base() {
    # shellcheck disable=SC2034 # read by the caller
    fresh_built=0
    mkdir -p "$cache/runs" "$debs"
    exec 8>"$cache/base.lock"
    flock 8
    if [[ ! -d $base ]]; then
        say "building the bare Debian 12 root in $base (once; a few minutes)"
        rm -rf "$base.tmp"
        # shellcheck disable=SC2086 # no mirror given: debootstrap's default
        debootstrap --variant=minbase --include=git,make bookworm "$base.tmp" $mirror >"$cache/debootstrap.log" 2>&1 ||
            { tail -n 30 "$cache/debootstrap.log" >&2; fail "debootstrap failed (log: $cache/debootstrap.log)"; }
        # The host's own archives (with -updates and -security, as an installed system has them), so the run gets
        # the package versions this machine gets; debootstrap's single line stays where the host has none.
        if compgen -G '/etc/apt/sources.list.d/*.sources' >/dev/null || [[ -s /etc/apt/sources.list ]]; then
            rm -f "$base.tmp/etc/apt/sources.list"
            [[ ! -s /etc/apt/sources.list ]] || cp /etc/apt/sources.list "$base.tmp/etc/apt/"
            for f in /etc/apt/sources.list.d/*.sources /etc/apt/sources.list.d/*.list; do
                [[ ! -f $f ]] || cp "$f" "$base.tmp/etc/apt/sources.list.d/"
            done
        fi
        mv "$base.tmp" "$base"
        # shellcheck disable=SC2034 # read by the caller
        fresh_built=1
    fi
    exec 8>&-
}

# A run folder of this process, $run (upper and work layers, the mount point); removed when the caller ends.
fresh_new_run() {
    local old
    # Runs whose process is gone (killed, machine restarted) leave their overlay's upper layer behind.
    for old in "$cache"/runs/*; do
        [[ -d $old ]] && ! kill -0 "${old##*.}" 2>/dev/null && rm -rf "$old"
    done
    run=$cache/runs/run.$$
    mkdir -p "$run"/{upper,work,root}
    trap 'rm -rf "$run"' EXIT
}

# Inside the namespace: the overlay and the system's mounts, which vanish with the namespace.
fresh_mount() {
    local root=$run/root
    mount -t overlay overlay -o "lowerdir=$base,upperdir=$run/upper,workdir=$run/work" "$root"
    mount -t proc proc "$root/proc"
    mount -t sysfs sysfs "$root/sys"
    mount --bind /dev "$root/dev"
    mount --bind /dev/pts "$root/dev/pts"
    mount -t tmpfs shm "$root/dev/shm"
    mount -t tmpfs tmp "$root/tmp"
    mount --bind "$debs" "$root/var/cache/apt/archives"
    cp -L /etc/resolv.conf "$root/etc/resolv.conf"
}

# fresh_enter FUNCTION: runs FUNCTION in a new mount and PID namespace after fresh_mount; anything still running
# there is killed when FUNCTION ends. Exports what the namespace's shell needs of this file.
fresh_enter() {
    export -f fresh_mount say
    export cache run base debs
    unshare --mount --pid --fork --kill-child --propagation private bash -c "set -euo pipefail; fresh_mount; $1"
}
