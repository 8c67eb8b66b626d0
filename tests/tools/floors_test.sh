#!/usr/bin/env bash
# tools/floors.py passes the real tree and, on a copy, names each wrong-way include by its file and line; and core/,
# copied alone into an empty folder, compiles with the standard library only.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
copy=$(mktemp -d "${TMPDIR:-/tmp}/floors-test.XXXXXX")
trap 'rm -rf "$copy"' EXIT

python3 "$root/tools/floors.py" "$root" || { echo "FAIL the real tree breaks a floor"; exit 1; }

mkdir "$copy/alone"
cp -r "$root/core" "$copy/alone/"
for source in "$copy"/alone/core/*.cpp; do
    "${CXX:-c++}" -std=c++20 -Wall -Werror -fsyntax-only -I "$copy/alone" "$source" ||
        { echo "FAIL core/ alone does not compile: $source"; exit 1; }
done
rm -rf "$copy/alone"

cp -r "$root"/{forms,sound,core,ui,resources} "$copy"
# file | its wrong include: up a floor, across one, into the other backend, and up by a relative path
cases=('core/countdown.cpp|"forms/controls.h"' 'sound/sound_effects.h|"core/timer_model.h"'
    'ui/form1_events.cpp|<forms/win32/win32.h>' 'forms/win32/dpi.cpp|"../headless/headless_backend.h"')
for row in "${cases[@]}"; do echo "#include ${row#*|}" >>"$copy/${row%%|*}"; done
rc=0
out=$(python3 "$root/tools/floors.py" "$copy") || rc=$?
failures=$((rc != 1))
for row in "${cases[@]}"; do
    file=${row%%|*}
    [[ $out == *"$file:$(wc -l <"$copy/$file"): includes "* ]] || { echo "FAIL not named: $row"; failures=1; }
done
(($(wc -l <<<"$out") == ${#cases[@]})) || { echo "FAIL more than the wrong includes named"; failures=1; }
echo "$out"
exit "$failures"
