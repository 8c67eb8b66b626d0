#!/usr/bin/env bash
# `make fresh-check`: clones the committed HEAD into a bare Debian 12 (debootstrap minbase plus git and make) and
# runs the README's `make test` there as root, so the install step is tested as a new user meets it.
#
# The bare root is built once (a few minutes) and cached outside the repository; it is never written to: each run
# mounts an overlay over it, inside its own mount and PID namespace, so every run starts from the same bare system
# and leaves nothing mounted or running behind. Downloaded .deb files are kept between runs (bind-mounted as the
# overlay's /var/cache/apt/archives): apt-get update and install still run as on a bare machine, they only fetch
# nothing that is already there.
set -euo pipefail

cache=${ZANTIRO_FRESH_CACHE:-/var/cache/zantiro-fresh}
mirror=${ZANTIRO_FRESH_MIRROR:-}  # empty: debootstrap's own default
base=$cache/bookworm-minbase-git-make
debs=$cache/debs
repo=$(git -C "$(dirname "$0")" rev-parse --show-toplevel)

say() { echo "fresh-check: $*"; }
fail() {
    say "$*" >&2
    exit 1
}

clock() { date +%s; }
# lap "what" since: records how long a step took.
lap() { timings+=("$(printf '%5d s  %s' $(($(clock) - $2)) "$1")"); }
report() {
    say "step timings:"
    printf '  %s\n' "${timings[@]}"
    say "total $(($(clock) - start)) s"
}

# Inside the namespaces: mounts vanish and leftover processes (Xvfb, wineserver) are killed when this ends.
inside() {
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
    local step
    step=$(clock)
    git clone -q --no-checkout "$repo" "$root/root/zantiro"
    git -C "$root/root/zantiro" checkout -q --detach "$head"
    lap "clone ${head:0:7}" "$step"
    step=$(clock)
    say "running make test in the bare root (follow it in $log; kept as $cache/last.log)"
    local rc=0 stamper pid
    exec 4> >(stamp >"$log")
    stamper=$!
    chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        /bin/bash -c 'cd /root/zantiro && make test' >&4 2>&1 4>&- || rc=$?
    exec 4>&-
    # Whatever the tests left running would hold the log's pipe open: end it all but this shell (the namespace's
    # init) and the stamper, which then reads to the end.
    for pid in "$root"/proc/[0-9]*; do
        pid=${pid##*/}
        ((pid == 1 || pid == stamper)) || kill -9 "$pid" 2>/dev/null || true
    done
    wait "$stamper"
    lap "make test" "$step"
    marks
    return "$rc"
}

# Copies each line with the seconds since the start of `make test` in front, for the step timings.
stamp() {
    local t0=$EPOCHSECONDS line
    while IFS= read -r line; do
        printf '%4d %s\n' $((EPOCHSECONDS - t0)) "$line"
    done
}

# Splits `make test` by the lines that end its phases: deps.sh's last word, then the first ctest's summary.
marks() {
    local deps native end
    deps=$(awk '/deps\.sh: all packages are installed/ { print $1; exit }' "$log")
    native=$(awk '/Total Test time/ { print $1; exit }' "$log")
    end=$(tail -n 1 "$log" | awk '{ print $1 }')
    if [[ -n $deps ]]; then
        timings+=("$(printf '%5d s    install the packages (deps.sh)' "$deps")")
    fi
    if [[ -n $deps && -n $native ]]; then
        timings+=("$(printf '%5d s    build and test natively' $((native - deps)))")
        timings+=("$(printf '%5d s    build for Windows and test under Wine' $((end - native)))")
    fi
}

# The namespace's shell hands its timings back on fd 3, whether it ends well or not.
in_namespace() {
    set -euo pipefail
    trap 'printf "%s\n" "${timings[@]}" >&3' EXIT
    inside
}
# One function, read whole before it runs: the script may be edited or checked out while a run takes its minutes.
main() {
    start=$(clock)
    timings=()
    if [[ $(id -u) != 0 ]]; then
        command -v sudo >/dev/null || fail "needs root (debootstrap, mounts, chroot): run it as root, or install sudo"
        exec sudo "$0" "$@"
    fi
    if ! command -v debootstrap >/dev/null; then
        say "installing debootstrap"
        apt-get -q update >/dev/null && DEBIAN_FRONTEND=noninteractive apt-get -q -y install debootstrap >/dev/null ||
            fail "could not install debootstrap with apt-get"
    fi

    head=$(git -C "$repo" rev-parse HEAD)
    say "testing the committed HEAD of $repo: $(git -C "$repo" log -1 --format='%h %s')"
    [[ -z $(git -C "$repo" status --porcelain --untracked-files=no) ]] ||
        say "note: uncommitted changes in $repo are not part of this check"

    mkdir -p "$cache/runs" "$debs"
    exec 8>"$cache/base.lock"
    flock 8
    step=$(clock)
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
        lap "build the bare root (debootstrap)" "$step"
    else
        lap "reuse the bare root $base" "$step"
    fi
    flock -u 8

    # Runs whose process is gone (killed, machine restarted) leave their overlay's upper layer behind.
    for old in "$cache"/runs/*; do
        [[ -d $old ]] && ! kill -0 "${old##*.}" 2>/dev/null && rm -rf "$old"
    done
    run=$cache/runs/run.$$
    mkdir -p "$run"/{upper,work,root}
    log=$run/log
    trap 'rm -rf "$run"' EXIT

    export -f in_namespace inside stamp marks lap clock say
    export cache run base debs repo head log
    rm -f "$cache/last.log"
    rc=0
    unshare --mount --pid --fork --kill-child --propagation private bash -c in_namespace 3>"$run/timings" || rc=$?
    cp "$log" "$cache/last.log" 2>/dev/null || true
    mapfile -t -O ${#timings[@]} timings <"$run/timings"
    if ((rc)); then
        say "FAILED (exit $rc); the last lines of the log:"
        tail -n 60 "$cache/last.log" || true
        report
        exit 1
    fi
    say "passed: a clone of ${head:0:7} runs make test on a bare Debian 12"
    report
}

main "$@"
