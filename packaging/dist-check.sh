#!/usr/bin/env bash
# `make dist-check`: two clones of the committed HEAD, in folders of other names and depths, run `make dist` side by
# side; the second runs with its clock a day and seven hours ahead (faketime), in another time zone and with another
# umask. Their dist/ folders must be the same byte for byte. Then packaging/check_dist.py checks what dist/ holds,
# lintian checks the package, and the checked dist/ is copied to this checkout's dist/.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
say() { echo "dist-check: $*"; }
fail() {
    say "$*" >&2
    exit 1
}

"$root/tools/wine/deps.sh"
"$root/tools/wine/deps.sh" faketime lintian librsvg2-bin  # librsvg draws the package's SVG icon for the check
head=$(git -C "$root" rev-parse HEAD)
say "building dist/ twice from ${head:0:7}: $(git -C "$root" log -1 --format=%s "$head")"
[[ -z $(git -C "$root" status --porcelain --untracked-files=no) ]] ||
    say "note: uncommitted changes in $root are not part of this check"

work=$root/build/dist-check
other=$(mktemp -d "${TMPDIR:-/tmp}/zantiro-dist-check.XXXXXX")
trap 'rm -rf "$other"' EXIT
rm -rf "$work"
one=$work/one/zantiro
two=$other/a/folder/named/otherwise/zantiro
for clone in "$one" "$two"; do
    git clone -q --no-checkout "$root" "$clone"
    git -C "$clone" checkout -q --detach "$head"
done

start=$SECONDS
(cd "$one" && make dist JOBS=1) >"$work/one.log" 2>&1 &
first=$!
(cd "$two" && umask 0002 && TZ=Asia/Shanghai faketime -f +31h make dist JOBS=1) >"$work/two.log" 2>&1 &
second=$!
rc=0
wait "$first" || { rc=1; tail -n 30 "$work/one.log" >&2; }
wait "$second" || { rc=1; tail -n 30 "$work/two.log" >&2; }
((rc == 0)) || fail "make dist failed (logs: $work/one.log, $work/two.log)"
say "both built in $((SECONDS - start)) s"

listing() { (cd "$1" && find . -printf '%y %P\n' | LC_ALL=C sort); }
diff <(listing "$one/dist") <(listing "$two/dist") || fail "the two dist/ folders hold different files (above)"
differ=0
while read -r kind name; do
    if [[ $kind == f ]] && ! cmp -s "$one/dist/$name" "$two/dist/$name"; then
        say "differs: $name" >&2
        differ=1
    fi
done < <(listing "$one/dist")
((differ == 0)) || fail "the two builds are not identical (kept in $one/dist and $two/dist until this ends)"
say "the two builds are identical: $(listing "$one/dist" | grep -c '^f') files"

python3 "$root/packaging/check_dist.py" "$one"
lint=$(lintian --display-level '>=warning' "$one"/dist/*.deb 2>&1 | grep -v 'running with root privileges' || true)
[[ -z $lint ]] || say "lintian: $lint"
! grep -q '^E:' <<<"$lint" || fail "lintian reports errors (above)"
rm -rf "$root/dist"
cp -r "$one/dist" "$root/dist"
say "passed; the checked files are in $root/dist"
