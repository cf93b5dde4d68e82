#!/bin/sh
# What `make run` and `make test` make a fresh Debian 12 machine download:
# the package count, the download and the installed size of each list in
# the Makefile, asked of apt inside a fresh root (nothing is installed).
#
#   mmdebstrap --variant=apt bookworm ROOT     # as root, once
#   bench/package_download.sh ROOT [MAKEFILE]
#
# MAKEFILE (default: this tree's) lets an older Makefile be measured too.
set -eu
root=$1
makefile=${2:-$(dirname "$0")/../Makefile}
[ -x "$root/usr/bin/apt-get" ] || { echo "no fresh root at $root (make one with mmdebstrap)"; exit 2; }
list() { make -s --no-print-directory -f "$makefile" --eval "print-%: ; @echo \$(\$*)" "print-$1" 2>/dev/null; }
cp /etc/resolv.conf "$root/etc/resolv.conf"
[ -n "$(ls "$root/var/lib/apt/lists" 2>/dev/null | grep -v -e lock -e partial)" ] ||
  chroot "$root" apt-get -qq update
for name in RUN_PACKAGES PACKAGES; do
  command="make test"
  [ $name = PACKAGES ] || command="make run"
  packages=$(list $name)
  [ -n "$packages" ] || continue
  # apt says what it would fetch and how much room it would take, then
  # is told no.
  chroot "$root" env LC_ALL=C DEBIAN_FRONTEND=noninteractive apt-get install --no-install-recommends \
    --assume-no $packages 2>/dev/null >"$root/tmp/answer" || true
  newly=$(sed -n 's/.* \([0-9]*\) newly installed.*/\1/p' "$root/tmp/answer")
  get=$(sed -n 's/^Need to get \([^ ]* [kMG]*B\).*/\1/p' "$root/tmp/answer")
  disk=$(sed -n 's/^After this operation, \([^ ]* [kMG]*B\).*/\1/p' "$root/tmp/answer")
  printf '%-9s (%s) %4s packages, %7s to download, %8s installed\n' "$command" "$name" "$newly" "$get" "$disk"
done
rm -f "$root/tmp/answer"
