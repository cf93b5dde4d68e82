#!/usr/bin/env bash
# Runs clang-tidy (.clang-tidy at the top) over every source file the build
# compiles from the tree; fails on any finding.
# Usage: source_tidy.sh SOURCE_DIR BUILD_DIR [JOBS]
set -uo pipefail
[ $# -ge 2 ] || { echo "usage: $0 SOURCE_DIR BUILD_DIR [JOBS]"; exit 1; }
source_dir=$(cd "$1" && pwd) && build_dir=$(cd "$2" && pwd) || exit 1
jobs=${3:-2}
tidy=${CLANG_TIDY:-$(command -v clang-tidy-14 || command -v clang-tidy)}
[ -n "$tidy" ] || { echo "no clang-tidy found"; exit 1; }
database="$build_dir/compile_commands.json"
[ -f "$database" ] || { echo "no $database: configure with CMAKE_EXPORT_COMPILE_COMMANDS"; exit 1; }

# The tree's own files, not the build's generated ones.
mapfile -t files < <(python3 - "$database" "$source_dir" "$build_dir" <<'PY'
import json, os, sys
database, source, build = sys.argv[1:]
seen = set()
for entry in json.load(open(database)):
    path = os.path.normpath(os.path.join(entry["directory"], entry["file"]))
    if path.startswith(source + "/") and not path.startswith(build + "/") and path not in seen:
        seen.add(path)
        print(path)
PY
)
[ ${#files[@]} -gt 0 ] || { echo "no files of $source_dir in $database"; exit 1; }

# Findings in the tree's headers only: the configuration's relative pattern
# would also match a system or build folder that happens to be named src/.
escaped=$(printf '%s' "$source_dir" | sed 's/[][\.*^$+?(){}|]/\\&/g')
header_filter="^$escaped/(src|tools|sim|fuzz|tests|bench)/"

logs=$(mktemp -d) || exit 1
trap 'rm -rf "$logs"' EXIT
# One file a run, each into its own log: no interleaved output, and the two
# jobs stay busy to the end.
printf '%s\n' "${files[@]}" | xargs -d '\n' -P "$jobs" -n 1 sh -c '
  log="$1/$(printf "%s" "$4" | tr / _).log"
  "$0" -p "$2" --quiet --header-filter="$3" "$4" >"$log" 2>&1 || echo "$4" >>"$1/failed"
' "$tidy" "$logs" "$build_dir" "$header_filter"
[ $? -le 123 ] || { echo "clang-tidy could not be run"; exit 1; }

# A header's finding is reported by every file including it: print it once.
# clang-tidy also prints "N warnings generated." for findings it hides.
findings=$(awk '
  FNR == 1 { keep = 1 }
  /^[0-9]+ warnings? (and [0-9]+ errors? )?generated\.$|^Suppressed [0-9]+ warnings|^Use -header-filter|^$/ { next }
  /^[^ ]+:[0-9]+:[0-9]+: (error|warning): / { keep = !seen[$0]++ }
  keep' "$logs"/*.log)
if [ -s "$logs/failed" ] || [ -n "$findings" ]; then
  printf '%s\n' "$findings"
  echo "clang-tidy: findings or errors in the runs of $(sort -u "$logs/failed" 2>/dev/null | wc -l) of ${#files[@]} files"
  exit 1
fi
echo "${#files[@]} files clean"
