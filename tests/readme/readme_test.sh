#!/bin/sh
# The README's commands as a reader runs them. A block is marked by an HTML
# comment line just before it (the rendered page shows nothing of it):
#   <!-- README test: runs -->   each command is run from a copy of the
#                                source tree whose build/ is this build;
#                                it must succeed
#   <!-- README test: NAME -->   an apt-get install whose packages must be
#                                the Makefile's list NAME, no more, no less
#
# usage: readme_test.sh SOURCE BUILD WORK
set -eu
source=$1 build=$2 work=$3
fail() { echo "FAILED: $*"; exit 1; }
rm -rf "$work"
mkdir -p "$work/tree"

# The marked blocks, one command a line (continuation lines joined), each
# line prefixed by its mark: "MARK<TAB>COMMAND".
awk '/^<!-- README test: [A-Za-z_]+ -->$/ { mark = $4; next }
     mark != "" && /^    / { line = line substr($0, 5)
                             if (line ~ /\\$/) { sub(/\\$/, "", line); next }
                             print mark "\t" line; line = ""; next }
     { mark = "" }' "$source/README.md" >"$work/marked"
tab=$(printf '\t')

# The package lists, against the Makefile's.
for list in RUN_PACKAGES TEST_PACKAGES; do
  grep "^$list$tab" "$work/marked" | cut -f2 >"$work/$list.block" || true
  [ "$(wc -l <"$work/$list.block")" = 1 ] || fail "the README has no single block marked $list"
  sed 's/^sudo apt-get install --no-install-recommends //' "$work/$list.block" |
    tr -s ' ' '\n' | grep . | sort >"$work/$list.readme"
  make -s --no-print-directory -C "$source" --eval 'print-%: ; @echo $($*)' "print-$list" |
    tr -s ' ' '\n' | grep . | sort >"$work/$list.makefile"
  diff "$work/$list.makefile" "$work/$list.readme" ||
    fail "the README's $list (>) differ from the Makefile's (<)"
  echo "$list: $(wc -l <"$work/$list.readme") packages, as in the Makefile"
done

# The commands, from a tree whose build/ is this build.
for entry in "$source"/*; do
  [ "$(basename "$entry")" = build ] || ln -s "$entry" "$work/tree/"
done
ln -s "$build" "$work/tree/build"
grep "^runs$tab" "$work/marked" | cut -f2 >"$work/commands"
[ -s "$work/commands" ] || fail "the README marks no commands to run"
while IFS= read -r command; do
  echo "\$ $command"
  (cd "$work/tree" && timeout -k 5 60 sh -c "$command") </dev/null >"$work/output" 2>&1 ||
    { cat "$work/output"; fail "$command"; }
  [ -s "$work/output" ] || fail "$command printed nothing"
  sed 's/^/  /' "$work/output"
done <"$work/commands"
echo "README test passed: $(wc -l <"$work/commands") commands"
