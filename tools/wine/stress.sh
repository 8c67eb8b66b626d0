#!/usr/bin/env bash
# make e2e-stress: the end-to-end tests of both exes (ctest label e2e, presets windows and windows-x86) ROUNDS times
# (default 5) in a row, each round in brand-new Wine prefixes, while busy loops keep every core loaded. A first
# `make test` on a new machine meets exactly that: prefixes made moments before, and a machine busy with other work.
# Prints each round's results and the total time; exits 1 when any test failed even once. Logs: build/e2e-stress/.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/../.." || exit 1
# shellcheck source=tools/wine/env.sh
. tools/wine/env.sh

rounds=${ROUNDS:-5}
[[ $rounds =~ ^[1-9][0-9]*$ ]] || { echo "stress.sh: ROUNDS must be a positive number, got '$rounds'" >&2; exit 2; }
logs=build/e2e-stress
rm -rf "$logs"
mkdir -p "$logs"

loads=()
stop_load() {
    ((${#loads[@]})) || return 0
    kill "${loads[@]}" 2>/dev/null
    wait "${loads[@]}" 2>/dev/null
    loads=()
}
trap stop_load EXIT
trap 'exit 143' TERM INT HUP
for ((core = 0; core < $(nproc); core++)); do
    (while :; do :; done) &
    loads+=($!)
done
echo "e2e-stress: $rounds rounds, ${#loads[@]} busy loops (pids ${loads[*]})"

# Every prefix the e2e tests use, as a clean clone has none: each is emptied under its run lock, so a Wine run still
# going on in it (make run, another test) is waited for, never cut short.
new_prefixes() {
    local prefix
    for prefix in build/wine-prefix build/wine-prefix-e2e build/wine-prefix-alsa build/windows/wine-prefix-{120,144,192} \
        build/windows/wine-prefix-monitors; do
        mkdir -p "$(dirname "$prefix")"
        (
            exec 9>"$prefix.run.lock"
            flock 9
            WINEPREFIX=$PWD/$prefix "$WINESERVER" -k 2>/dev/null
            WINEPREFIX=$PWD/$prefix "$WINESERVER" -w 2>/dev/null
            rm -rf "$prefix" "$prefix.log" "$prefix.lock"
        )
    done
    # and the prefix they are copied from, so each round's wineboot makes it anew.
    (
        exec 8>"$ZANTIRO_WINE_PRISTINE.lock"
        flock 8
        rm -rf "$ZANTIRO_WINE_PRISTINE"
    )
}

begin=$SECONDS
runs=0 failures=0
for ((round = 1; round <= rounds; round++)); do
    new_prefixes
    started=$SECONDS
    log=$logs/round-$round.log
    # As make test-windows runs them: the 64-bit suite inside one Wine session, the 32-bit exe's test outside it.
    tools/wine/emulator.sh --session ctest --preset windows -L e2e >"$log" 2>&1
    ctest --preset windows-x86 -L e2e >>"$log" 2>&1
    passed=$(grep -cE '^ *[0-9]+/[0-9]+ Test +#[0-9]+: .* Passed' "$log")
    failed=$(grep -E '^ *[0-9]+/[0-9]+ Test +#[0-9]+: ' "$log" | grep -vE ' Passed ' | sed -E 's/.*Test +#[0-9]+: ([^ ]+).*/\1/')
    count=$((passed + $(grep -c . <<<"$failed")))
    runs=$((runs + count))
    if [[ -n $failed ]]; then
        failures=$((failures + $(grep -c . <<<"$failed")))
        echo "round $round: $passed of $count passed in $((SECONDS - started)) s; FAILED: $(tr '\n' ' ' <<<"$failed")(see $log)"
        grep -aE '^(FAIL|e2e: )' "$log" | grep -v 'e2e: passed' | sed 's/^/    /'
    else
        echo "round $round: $passed of $count passed in $((SECONDS - started)) s"
    fi
done
stop_load
echo "e2e-stress: $runs test runs, $failures failed, in $((SECONDS - begin)) s"
((failures == 0 && runs > 0))
