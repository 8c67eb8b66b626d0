#!/usr/bin/env bash
# Runs each fuzz target of tests/fuzz for FUZZ_SECONDS (default 600) from its seeds and kept corpus under
# AddressSanitizer and UndefinedBehaviorSanitizer, then merges what it found, minimised, into tests/fuzz/corpus.
#   FUZZ_SECONDS=60 FUZZ_TARGETS="command_line" tools/fuzz.sh
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
seconds=${FUZZ_SECONDS:-600}
targets=${FUZZ_TARGETS:-custom_entry command_line bell_file}

# libFuzzer and the sanitizers' runtimes come with Debian's clang; only fuzzing needs them.
"$root/tools/wine/deps.sh" clang libclang-rt-14-dev
cd "$root"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j"${JOBS:-2}"

for name in $targets; do
    fuzzer=$root/build/fuzz/tests/fuzz/zantiro_fuzz_$name
    work=$root/build/fuzz/work/$name
    corpus=$root/tests/fuzz/corpus/$name
    log=$work.log # beside the work folder, whose every file the merge below keeps as an input
    mkdir -p "$work" "$corpus"
    echo "== $name for $seconds s"
    # The box holds far more than the parser will ever be given; 4 KiB covers every path at a useful speed. A bell
    # file needs room for a few frames after a tag.
    max_len=4096
    [[ $name == bell_file ]] && max_len=16384
    "$fuzzer" -max_total_time="$seconds" -max_len="$max_len" -print_final_stats=1 -artifact_prefix="$work/" \
        "$work" "$corpus" "$root/tests/fuzz/seeds/$name" 2>"$log" || {
        tail -n 40 "$log"
        echo "fuzz: $name failed; the input is in $work/ (crash-*, timeout-*, oom-*)"
        exit 1
    }
    grep -E '^stat::(number_of_executed_units|average_exec_per_sec|new_units_added)' "$log"
    merged=$work.merged
    rm -rf "$merged" && mkdir "$merged"
    "$fuzzer" -merge=1 "$merged" "$corpus" "$work" 2>>"$log"
    rm -rf "$corpus"
    mv "$merged" "$corpus"
    echo "$name: $(find "$corpus" -type f | wc -l) inputs kept in tests/fuzz/corpus/$name"
done
