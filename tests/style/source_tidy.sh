#!/usr/bin/env bash
# Runs clang-tidy (.clang-tidy at the top) over every source file the build
# compiles from the tree but the tests' own (tests/: they are held by being
# run, and their parse, heavy with GoogleTest and Qt, was a third of the
# check's time); fails on any finding.
# With NATIVE_BUILD_DIR, BUILD_DIR is a cross build (the Windows one): only
# its files the native build does not compile are analysed, and those with a
# Windows-only branch, for the cross compiler's target and with its headers.
# Usage: source_tidy.sh SOURCE_DIR BUILD_DIR [JOBS [NATIVE_BUILD_DIR]]
set -uo pipefail
[ $# -ge 2 ] || { echo "usage: $0 SOURCE_DIR BUILD_DIR [JOBS [NATIVE_BUILD_DIR]]"; exit 1; }
source_dir=$(cd "$1" && pwd) && build_dir=$(cd "$2" && pwd) || exit 1
jobs=${3:-2}
native_dir=
if [ $# -ge 4 ]; then native_dir=$(cd "$4" && pwd) || exit 1; fi
tidy=${CLANG_TIDY:-$(command -v clang-tidy-14 || command -v clang-tidy)}
[ -n "$tidy" ] || { echo "no clang-tidy found"; exit 1; }
database="$build_dir/compile_commands.json"
[ -f "$database" ] || { echo "no $database: configure with CMAKE_EXPORT_COMPILE_COMMANDS"; exit 1; }

native_database=
if [ -n "$native_dir" ]; then
  native_database="$native_dir/compile_commands.json"
  [ -f "$native_database" ] || { echo "no $native_database: configure with CMAKE_EXPORT_COMPILE_COMMANDS"; exit 1; }
fi

# The tree's own files, not the build's generated ones; of a cross build, those
# the native pass leaves out or sees only with their Windows branches left out.
# The first line is the compiler of the files chosen.
mapfile -t files < <(python3 - "$database" "$source_dir" "$build_dir" "$native_database" <<'PY'
import json, os, re, shlex, sys
database, source, build, native = sys.argv[1:]

def tree_files(database):
    for entry in json.load(open(database)):
        path = os.path.normpath(os.path.join(entry["directory"], entry["file"]))
        if (path.startswith(source + "/") and not path.startswith(build + "/")
                and not path.startswith(source + "/tests/")):
            yield path, entry

covered = {path for path, _ in tree_files(native)} if native else set()
windows_branch = re.compile(r"^\s*#\s*(if|ifdef|ifndef|elif)\b.*WIN32", re.M)
chosen, compilers = {}, set()
for path, entry in tree_files(database):
    if path in chosen or (path in covered and not windows_branch.search(open(path).read())):
        continue
    chosen[path] = entry
    compilers.add(entry["arguments"][0] if "arguments" in entry else shlex.split(entry["command"])[0])
print(compilers.pop() if len(compilers) == 1 else "")
for path in chosen:
    print(path)
PY
)
compiler=${files[0]:-} && files=("${files[@]:1}")
[ ${#files[@]} -gt 0 ] || { echo "no files of $source_dir in $database"; exit 1; }

# A cross build's files are parsed for its compiler's target. clang 14 does not
# find the C++ headers of Debian's mingw-w64 GCC (in a folder named 12-posix,
# not a version) and would search the host's /usr/include: it is given that
# compiler's own list instead, less GCC's built-in headers (clang has its own).
extra=()
if [ -n "$native_dir" ]; then
  [ -n "$compiler" ] || { echo "the files of $database are not all compiled by one compiler"; exit 1; }
  target=$("$compiler" -dumpmachine) || exit 1
  builtin=$(realpath -m "$("$compiler" -print-file-name=include)") || exit 1
  extra+=(--extra-arg-before=--target="$target" --extra-arg=-nostdlibinc)
  while read -r folder; do
    case $(realpath -m "$folder") in "$builtin" | "$builtin"-fixed) continue ;; esac
    extra+=(--extra-arg=-isystem"$folder")
  done < <("$compiler" -xc++ -E -v - </dev/null 2>&1 | sed -n '/^#include <...> search starts here:$/,/^End of search list\.$/s/^ //p')
  [ ${#extra[@]} -gt 2 ] || { echo "$compiler names no header folders"; exit 1; }
fi

# Findings in the tree's headers only: the configuration's relative pattern
# would also match a system or build folder that happens to be named src/.
escaped=$(printf '%s' "$source_dir" | sed 's/[][\.*^$+?(){}|]/\\&/g')
header_filter="^$escaped/(src|tools|sim|fuzz|tests|bench)/"

logs=$(mktemp -d) || exit 1
trap 'rm -rf "$logs"' EXIT
# One file a run, each into its own log: no interleaved output, and the two
# jobs stay busy to the end.
# The file comes last, after the extra arguments.
printf '%s\n' "${files[@]}" | xargs -d '\n' -P "$jobs" -n 1 sh -c '
  tidy=$0 logs=$1 build=$2 filter=$3 && shift 3
  for file do :; done
  log="$logs/$(printf "%s" "$file" | tr / _).log"
  "$tidy" -p "$build" --quiet --header-filter="$filter" "$@" >"$log" 2>&1 || echo "$file" >>"$logs/failed"
' "$tidy" "$logs" "$build_dir" "$header_filter" "${extra[@]}"
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
