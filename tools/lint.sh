#!/usr/bin/env bash
# make lint: every shell script through shellcheck, every C++ file against .clang-format, every Python script
# through pyflakes, every #include of the program against its floors (tools/floors.py), and, where the duplicates
# command is installed, no repeated block in the program's own code.
# Reads the files git tracks and the new ones it does not ignore, so a script added today is checked today.
# Says which file breaks which rule and how to mend it; exits 1 when anything does.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1

tools/wine/deps.sh shellcheck clang-format pyflakes3 || exit 1

mapfile -t files < <(git ls-files --cached --others --exclude-standard | sort -u)
shell=() cxx=() python=()
for file in "${files[@]}"; do
    [[ -f $file ]] || continue  # deleted in the working tree
    case $file in
        *.sh) shell+=("$file") ;;
        *.cpp | *.h | *.c) cxx+=("$file") ;;
        *.py) python+=("$file") ;;
        *)
            # Scripts without an ending (.ci/run) by their first line; only executable files, never data.
            if [[ -x $file ]]; then
                case $(head -n 1 "$file") in
                    '#!'*bash* | '#!'*/sh) shell+=("$file") ;;
                    '#!'*python*) python+=("$file") ;;
                esac
            fi
            ;;
    esac
done

failed=()
check() {  # NAME HOW-TO-MEND COMMAND...
    local name=$1 mend=$2
    shift 2
    if "$@" 2>&1; then
        echo "lint: $name: clean"
    else
        echo "lint: $name: the findings above. $mend"
        failed+=("$name")
    fi
}

# -x follows the files a script sources (named by "# shellcheck source=" from the root); .shellcheckrc holds the
# few rules the project turns off, with its reasons.
check "shellcheck (${#shell[@]} shell scripts)" "Mend the lines named (shellcheck's wiki explains each SCnnnn)." \
    shellcheck -x -f gcc "${shell[@]}"
check "clang-format (${#cxx[@]} C++ files)" "Run: clang-format -i on the files named." \
    clang-format --dry-run --Werror "${cxx[@]}"
check "pyflakes (${#python[@]} Python scripts)" "Mend the lines named." pyflakes3 "${python[@]}"
check "floors (the program's #include lines)" \
    "Move what the line needs down to a floor the file may see, or the file up (docs/design.md, Layers)." \
    python3 tools/floors.py

# The program's own code (what ships in the exe) says each thing once. Rows marked boilerplate are passed over:
# a list of the design's data (Form1's menu items) is the same shape line after line by nature. duplicates is not
# a Debian package: where it is missing, this check is skipped and says so.
product='(core|forms/win32|forms/[a-z_]+\.h|sound|ui)/'
product_duplicates() {
    local report pairs
    report=$(duplicates --most 200) || return 1
    pairs=$(grep -E "^D[0-9]+ ${product}[^ ]+ ~ ${product}" <<<"$report" | grep -v ' boilerplate' || true)
    if [[ -n $pairs ]]; then
        echo "$pairs"
        return 1
    fi
}
if command -v duplicates >/dev/null; then
    check "duplicates (the program's own code)" \
        "Fold each pair named into one function or one table (duplicates --most 40 lists them all)." product_duplicates
else
    echo "lint: duplicates: not installed here, skipped"
fi

if ((${#failed[@]})); then
    echo "lint: FAILED: ${failed[*]}"
    exit 1
fi
echo "lint: all clean"
