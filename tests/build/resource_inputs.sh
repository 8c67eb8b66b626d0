#!/usr/bin/env bash
# Each file the resource script names rebuilds the exe when it changes, and no other file beside the script does.
# Asks make what it would do were each file new (make -n -W): a dry run that builds and touches nothing.
# Usage: resource_inputs.sh BUILD_DIR RESOURCE_SCRIPT TARGET
set -euo pipefail

build=$1
script=$(realpath "$2")
target=$3
folder=$(dirname "$script")
makefile="CMakeFiles/$target.dir/build.make"

generator=$(sed -n 's/^CMAKE_GENERATOR:INTERNAL=//p' "$build/CMakeCache.txt")
if [[ $generator != "Unix Makefiles" ]]; then
    echo "skipped: the check reads make's dry run, and $build uses $generator"
    exit 77
fi

# What make would run for the exe if `file` (may be empty) were newer than everything.
dry_run() {
    local what_if=()
    [[ -n $1 ]] && what_if=(-W "$1")
    make -C "$build" --no-print-directory -n "${what_if[@]}" -f "$makefile" "$target.exe"
}

# The script compiled again (the only command naming it by its full path) and the exe linked again.
rebuilds() {
    grep -qF -- " $script " <<<"$1" && grep -qF -- "cmake_link_script CMakeFiles/$target.dir/link.txt" <<<"$1"
}

if rebuilds "$(dry_run "")"; then
    echo "$build/$target.exe is not up to date: build it first, or every file would seem to rebuild it"
    exit 1
fi

# The names the script quotes: its resources' files and its #include.
mapfile -t named < <(grep -oE '"[^"]+"' "$script" | tr -d '"' | sort -u)
is_named() {
    local name
    for name in "${named[@]}"; do
        [[ $name == "$1" ]] && return 0
    done
    return 1
}

failures=0
checked=0
for file in "$folder"/*; do
    [[ -f $file && $file != "$script" ]] || continue
    name=$(basename "$file")
    checked=$((checked + 1))
    if is_named "$name"; then
        if ! rebuilds "$(dry_run "$file")"; then
            echo "FAIL: $(basename "$script") embeds $name, but a change to it does not rebuild $target.exe"
            failures=$((failures + 1))
        fi
    elif rebuilds "$(dry_run "$file")"; then
        echo "FAIL: $(basename "$script") does not embed $name, yet a change to it rebuilds $target.exe"
        failures=$((failures + 1))
    fi
done
echo "$checked files beside $(basename "$script") checked, $failures wrong"
((failures == 0))
