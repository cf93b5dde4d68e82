#!/bin/sh
# The includes point down the layers: a toolkit backend never includes the
# shell (the programs' entries in src/app do), the printer model and the
# command line never include a window's layout, and no page includes
# another page or the shell above it. Prints each include that breaks a rule.
#
# usage: include_layers.sh SOURCE_DIR
set -u
src="${1:?usage: include_layers.sh SOURCE_DIR}/src"
found=0

# forbid FOLDER... -- PREFIX...: no file under FOLDER includes "PREFIX...".
forbid() {
  folders=
  while [ "$1" != -- ]; do folders="$folders $src/$1"; shift; done
  shift
  for prefix in "$@"; do
    if grep -rn --include='*.h' --include='*.cpp' "^#include \"$prefix/" $folders; then
      found=1
    fi
  done
}

forbid ui/qt ui/win32 ui/headless -- shell app
forbid printer cli -- layouts
forbid panel -- info service shell app
forbid info -- panel service shell app
forbid service -- panel info shell app

[ "$found" = 0 ] || { echo "FAILED: an include above points up or sideways"; exit 1; }
echo "includes point down"
