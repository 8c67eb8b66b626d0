#!/usr/bin/env bash
# tools/wine/deps.sh against stand-ins for dpkg, dpkg-query, apt-get, apt-cache, id and sudo: which apt calls it
# makes, and what it says when a step of the set-up fails.
set -euo pipefail

deps=$(cd "$(dirname "$0")/../.." && pwd)/tools/wine/deps.sh
work=$(mktemp -d "${TMPDIR:-/tmp}/deps-test.XXXXXX")
trap 'rm -rf "$work"' EXIT

# The stand-ins keep their state in $state: `missing` (one package a line), `offered_not` (packages the archive
# lacks), `update_fails`, `uid`, `foreign_archs`; each appends its call to `calls`, marked when it came through sudo.
stand_ins() {
    local bin=$1 tool
    mkdir -p "$bin"
    # Only these real tools are on PATH, so a missing sudo is really missing.
    for tool in bash env awk grep cat mv; do
        ln -s "$(command -v "$tool")" "$bin/$tool"
    done
    cat >"$bin/dpkg-query" <<'EOF'
#!/bin/bash
rc=0
for p in "${@:3}"; do
    if grep -qxF "$p" "$state/missing"; then echo "dpkg-query: no packages found matching $p" >&2; rc=1
    else echo "ii  $p"; fi
done
exit $rc
EOF
    cat >"$bin/dpkg" <<'EOF'
#!/bin/bash
echo "${via:-}dpkg $*" >>"$state/calls"
case $1 in
    --print-architecture) echo amd64 ;;
    --print-foreign-architectures) cat "$state/foreign_archs" 2>/dev/null ;;
esac
EOF
    cat >"$bin/apt-get" <<'EOF'
#!/bin/bash
args=()
while (($#)); do case $1 in -o) shift 2 ;; -*) shift ;; *) args+=("$1"); shift ;; esac; done
echo "${via:-}apt-get ${args[*]}" >>"$state/calls"
case ${args[0]} in
    update) [[ ! -e $state/update_fails ]] || { echo "E: Failed to fetch the archive's index" >&2; exit 100; } ;;
    install)
        for p in "${args[@]:1}"; do
            ! grep -qxF "$p" "$state/offered_not" 2>/dev/null || { echo "E: Unable to locate package $p" >&2; exit 100; }
        done
        grep -vxF -f <(printf '%s\n' "${args[@]:1}") "$state/missing" >"$state/left" || true
        mv "$state/left" "$state/missing" ;;
esac
EOF
    cat >"$bin/apt-cache" <<'EOF'
#!/bin/bash
candidate=1.0-1
! grep -qxF "$2" "$state/offered_not" 2>/dev/null || candidate="(none)"
printf '%s:\n  Installed: (none)\n  Candidate: %s\n' "$2" "$candidate"
EOF
    # shellcheck disable=SC2016  # $state is the stand-in's own variable, expanded when it runs
    printf '#!/bin/bash\ncat "$state/uid"\n' >"$bin/id"
    printf '#!/bin/bash\nvia="sudo " exec "$@"\n' >"$bin/sudo"
    chmod +x "$bin"/*
}

# One case a line: name | missing | uid | sudo? | stand-in state (key or key=value) | exit | calls | output has
cases=(
    "all present||0|sudo||0||"
    "some missing, with sudo|g++ wine32:i386 xvfb|1000|sudo||0|sudo dpkg --add-architecture i386;sudo apt-get update;sudo apt-get install g++ wine32:i386 xvfb|missing: g++ wine32:i386 xvfb"
    "archive unreachable|cmake|0||update_fails|1|apt-get update|package archive could not be reached"
    "package not offered|cmake fonts-wqy-zenhei|0||offered_not=fonts-wqy-zenhei|1|apt-get update;apt-get install cmake fonts-wqy-zenhei|offers no fonts-wqy-zenhei"
    "not root, no sudo|cmake|1000|||1||needs root"
)

failures=0
for row in "${cases[@]}"; do
    IFS='|' read -r name missing uid sudo setting want_rc want_calls want_words <<<"$row"
    export state=$work/$name
    stand_ins "$state/bin"
    [[ -n $sudo ]] || rm "$state/bin/sudo"
    tr ' ' '\n' <<<"$missing" | grep . >"$state/missing" || true
    echo "$uid" >"$state/uid"
    [[ -z $setting ]] || echo "${setting#*=}" >"$state/${setting%%=*}"

    rc=0
    out=$(PATH=$state/bin bash "$deps" 2>&1) || rc=$?
    calls=$(grep -E '^(sudo )?(apt-get|dpkg --add)' "$state/calls" 2>/dev/null | paste -sd ';' || true)
    problems=()
    (((rc == 0) == (want_rc == 0))) || problems+=("exit $rc, wanted $want_rc")
    [[ $calls == "$want_calls" ]] || problems+=("calls [$calls], wanted [$want_calls]")
    [[ $out == *"$want_words"* ]] || problems+=("output lacks \"$want_words\"")
    if ((${#problems[@]})); then
        failures=$((failures + 1))
        printf 'FAIL %s: %s\n--- output:\n%s\n---\n' "$name" "$(IFS=';'; echo "${problems[*]}")" "$out"
    else
        echo "ok   $name"
    fi
done
exit $((failures > 0))
