#!/usr/bin/env bash
# tools/floors.py passes the real tree and, on a copy, names each wrong-way include by its file and line.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
copy=$(mktemp -d "${TMPDIR:-/tmp}/floors-test.XXXXXX")
trap 'rm -rf "$copy"' EXIT

python3 "$root/tools/floors.py" "$root" || { echo "FAIL the real tree breaks a floor"; exit 1; }

cp -r "$root"/{forms,effects,sound,core,ui,resources} "$copy"
# file | its wrong include: up a floor, across one, into the other backend, and up by a relative path
cases=('core/ticks.cpp|"ui/form1.h"' 'effects/warning_colours.h|"sound/sound_effects.h"'
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
