#!/usr/bin/env bash
# `make fresh-check`: clones the committed HEAD into a bare Debian 12 (debootstrap minbase plus git and make) and
# runs the README's `make test` there as root, so the install step is tested as a new user meets it. The bare root,
# its overlay and its namespace are tools/fresh-root.sh's.
set -euo pipefail

repo=$(git -C "$(dirname "$0")" rev-parse --show-toplevel)
# shellcheck source=tools/fresh-root.sh
. "$repo/tools/fresh-root.sh"

say() { echo "fresh-check: $*"; }
fail() {
    say "$*" >&2
    exit 1
}

clock() { date +%s; }
free_mb() { df -Pm "$cache" | awk 'NR == 2 { print $4 }'; }
# lap "what" since: records how long a step took.
lap() { timings+=("$(printf '%5d s  %s' $(($(clock) - $2)) "$1")"); }
report() {
    say "step timings:"
    printf '  %s\n' "${timings[@]}"
    say "total $(($(clock) - start)) s"
}

# Inside the namespaces, the root mounted: mounts vanish and leftover processes (Xvfb, wineserver) are killed when
# this ends.
inside() {
    local root=$run/root
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
    fresh_as_root "$@"

    head=$(git -C "$repo" rev-parse HEAD)
    say "testing the committed HEAD of $repo: $(git -C "$repo" log -1 --format='%h %s')"
    [[ -z $(git -C "$repo" status --porcelain --untracked-files=no) ]] ||
        say "note: uncommitted changes in $repo are not part of this check"

    step=$(clock)
    fresh_base
    if ((fresh_built)); then
        lap "build the bare root (debootstrap)" "$step"
    else
        lap "reuse the bare root $base" "$step"
    fi

    fresh_new_run
    log=$run/log
    say "$(free_mb) MB free on the disk holding $cache; a run writes about 5 GB"

    export -f in_namespace inside stamp marks lap clock
    export repo head log
    rm -f "$cache/last.log"
    rc=0
    fresh_enter in_namespace 3>"$run/timings" || rc=$?
    cp "$log" "$cache/last.log" 2>/dev/null || true
    mapfile -t -O ${#timings[@]} timings <"$run/timings"
    say "the run wrote $(du -sm "$run/upper" | cut -f1) MB to disk (packages, builds, Wine prefixes)"
    if ((rc)); then
        say "FAILED (exit $rc); the last lines of the log:"
        tail -n 60 "$cache/last.log" || true
        left=$(free_mb)
        ((left > 512)) || say "the disk holding $cache has only $left MB left: the run may have failed for want of space"
        report
        exit 1
    fi
    say "passed: a clone of ${head:0:7} runs make test on a bare Debian 12"
    report
}

main "$@"
