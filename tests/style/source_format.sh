#!/usr/bin/env bash
# Fails when a C or C++ file of the tree differs from what clang-format makes
# of it (.clang-format at the top); prints the lines it would change.
# Usage: source_format.sh SOURCE_DIR
set -uo pipefail
cd "$1" || exit 1
mapfile -t files < <(git ls-files -- '*.c' '*.cpp' '*.h')
[ ${#files[@]} -gt 0 ] || { echo "no C or C++ files found under $1"; exit 1; }
status=0
for file in "${files[@]}"; do
  if ! clang-format --style=file "$file" | diff -u --label "$file" --label "$file (formatted)" "$file" - ; then
    status=1
  fi
done
[ $status = 0 ] && echo "${#files[@]} files formatted" || echo "run: clang-format -i FILE (or the whole tree: git ls-files '*.c' '*.cpp' '*.h' | xargs clang-format -i)"
exit $status
