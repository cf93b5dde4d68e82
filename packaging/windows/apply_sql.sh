#!/bin/sh
# Runs each query of the SQL files (one a line; "--" starts a comment line)
# on an installer package with msitools' msibuild.
#
# usage: apply_sql.sh MSIBUILD PACKAGE SQL...
set -eu
msibuild=$1 msi=$2
shift 2
for file; do
  grep -v -e '^--' -e '^$' "$file" | while IFS= read -r query; do
    "$msibuild" "$msi" -q "$query" >/dev/null 2>&1 ||
      { echo "$file: msibuild failed on: $query" >&2; exit 1; }
  done
done
