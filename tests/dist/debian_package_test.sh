#!/bin/sh
# The Debian package as an administrator meets it: built by CPack from the
# build, checked by lintian (no errors), installed with dpkg into a scratch
# root, its files exactly those the README promises, the udev rule where udev
# reads it, the autostart entry a conffile, the desktop entry and software
# centre entry valid, the menu entry asking for the window with the start at
# login's watch, the maintainer scripts' effects right; then removed
# (the conffile stays, the rules reloaded) and purged (nothing stays).
#
# The command-line program is a package of its own, vantrel-cli, which
# vantrel depends on: installed alone first, with no Qt or X library among
# its dependencies or its program's, its completion registered, its metrics
# services naming the installed script, the system service's user made
# (in the scratch root, as systemd-sysusers makes it in another root) and its
# timer left disabled, the program answering.
#
# usage: debian_package_test.sh BUILD SOURCE [ABSENT]
#   ABSENT: an extended regular expression of the README's package files
#   that this build does not make (programs it was configured without)
set -eu
build=$1 source=$2 absent=${3:-}
# The work lies in a temporary folder: in the user namespace below, root can
# pass no folder of another user, and the build may be in a home of mode 0700.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAILED: $*"; exit 1; }

# The package, as `make dist` makes it.
(cd "$build" && cpack -G DEB -B "$work/cpack" >"$work/cpack.log" 2>&1) ||
  { cat "$work/cpack.log"; fail "cpack"; }
set -- "$work"/cpack/vantrel_*.deb
[ $# = 1 ] && [ -f "$1" ] || fail "cpack made no single package: $*"
deb=$1
cli_deb=
for made in "$work"/cpack/vantrel-cli_*.deb; do [ -f "$made" ] && cli_deb=$made; done
for package in ${cli_deb:+"$cli_deb"} "$deb"; do
  echo "package: $(basename "$package"), $(stat -c %s "$package") bytes"
  # Lintian's verdict: its warnings are shown, an error (or lintian failing
  # to run) fails.
  lintian --fail-on error --tag-display-limit 0 "$package" >"$work/lintian.log" 2>&1 ||
    { cat "$work/lintian.log"; fail "lintian $(basename "$package")"; }
  cat "$work/lintian.log"
done

# A udevadm that only records its calls stands first on the PATH, and where
# the machine allows a mount namespace, udev seems to run (/run/udev): the
# maintainer script's effects are seen without touching the running system.
mkdir -p "$work/fake-bin"
cat >"$work/fake-bin/udevadm" <<FAKE
#!/bin/sh
echo "udevadm \$*" >>"$work/udevadm.calls"
FAKE
chmod +x "$work/fake-bin/udevadm"
# And systemd's tools, which no maintainer script may use to enable or start
# the metrics timer.
for tool in systemctl deb-systemd-invoke deb-systemd-helper; do
  printf '#!/bin/sh\necho "%s $*" >>"%s"\n' "$tool" "$work/systemd.calls" >"$work/fake-bin/$tool"
  chmod +x "$work/fake-bin/$tool"
done
if unshare -rm sh -c 'mount -t tmpfs none /run && mkdir /run/udev' 2>/dev/null; then
  with_udev() {
    PATH="$work/fake-bin:$PATH" unshare -rm sh -c \
      'mount -t tmpfs none /run && mkdir /run/udev && exec "$@"' sh "$@"
  }
else
  echo "no mount namespace here: the maintainer script is not tried with udev running"
  with_udev() { PATH="$work/fake-bin:$PATH" "$@"; }
fi

# Installed into a scratch root. The maintainer script runs outside a
# chroot with DPKG_ROOT set: that root is not the running system, and the
# script leaves udev alone.
root=$work/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates" "$root/etc"
touch "$root/var/lib/dpkg/status" "$root/var/lib/dpkg/available"
dpkg_root() {
  with_udev dpkg --root="$root" --log=/dev/null --force-not-root \
    --force-script-chrootless --force-depends --force-bad-path "$@"
}
packages=vantrel
if [ -n "$cli_deb" ]; then
  packages="vantrel-cli vantrel"
  # A monitoring host installs the command line alone: nothing of Qt or X
  # comes with it, neither by the package's dependencies nor the program's.
  depends=$(dpkg-deb -f "$cli_deb" Depends)
  echo "vantrel-cli depends on: $depends"
  ! echo "$depends" | grep -Eiq 'qt|x11|xcb|libgl' || fail "vantrel-cli depends on $depends"
  dpkg-deb -f "$deb" Depends | grep -q "vantrel-cli (= " || fail "vantrel does not depend on vantrel-cli"
  dpkg_root -i "$cli_deb" >"$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log"; fail "dpkg -i vantrel-cli"; }
  ! objdump -p "$root/usr/bin/vantrel-cli" | grep -Ei 'NEEDED.*(qt|x11|xcb)' ||
    fail "the installed vantrel-cli needs a Qt or X library"
  [ ! -e "$root/usr/bin/vantrel" ] || fail "vantrel-cli installed the window's program"
  # The system metrics service's user, made by the postinst; its timer
  # neither enabled nor started.
  grep -q '^vantrel-metrics:x:[0-9]*:[0-9]*:.*:/nonexistent:' "$root/etc/passwd" ||
    fail "no user vantrel-metrics in the root: $(cat "$root/etc/passwd" 2>/dev/null)"
  [ ! -e "$work/systemd.calls" ] || fail "the install ran $(cat "$work/systemd.calls")"
  enabled=$(find "$root/etc" -name 'vantrel-metrics*' 2>/dev/null)
  [ -z "$enabled" ] || fail "the install enabled $enabled"
fi
dpkg_root -i "$deb" >"$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log"; fail "dpkg -i"; }
[ ! -e "$work/udevadm.calls" ] || fail "installing into another root ran $(cat "$work/udevadm.calls")"
for package in $packages; do
  status=$(dpkg-query --admindir="$root/var/lib/dpkg" -W -f='${Status}' "$package")
  [ "$status" = "install ok installed" ] || fail "package status of $package: $status"
done

# The files dpkg installed, against the README's list (one path or
# pattern a line between the markers): each file matches one line, each
# line at least one file.
sed -n '/^<!-- package files -->$/,/^<!-- end -->$/p' "$source/README.md" |
  grep '^    /' | sed 's/^ *//' >"$work/promised"
if [ -n "$absent" ]; then
  grep -E -v "$absent" "$work/promised" >"$work/promised.made" || true
  mv "$work/promised.made" "$work/promised"
fi
[ -s "$work/promised" ] || fail "the README lists no package files"
# shellcheck disable=SC2086
dpkg-query --admindir="$root/var/lib/dpkg" -L $packages | while read -r path; do
  [ -d "$root$path" ] || echo "$path"
done | sort >"$work/installed"
unmatched=0
while read -r path; do
  matched=
  while read -r pattern; do
    # shellcheck disable=SC2254
    case $path in $pattern) matched=$pattern; break ;; esac
  done <"$work/promised"
  [ -n "$matched" ] || { echo "installed but not in the README: $path"; unmatched=1; }
done <"$work/installed"
while read -r pattern; do
  found=
  while read -r path; do
    # shellcheck disable=SC2254
    case $path in $pattern) found=1; break ;; esac
  done <"$work/installed"
  [ -n "$found" ] || { echo "in the README but not installed: $pattern"; unmatched=1; }
done <"$work/promised"
[ $unmatched = 0 ] || fail "the package's files differ from the README's list"
echo "files: $(wc -l <"$work/installed") installed, as the README lists them"

# The udev rule unchanged where udev reads the packages' rules (with and
# without a merged /usr); the autostart entry a conffile.
cmp "$root/usr/lib/udev/rules.d/60-vantrel.rules" "$source/packaging/60-vantrel.rules" ||
  fail "the udev rule is not in /usr/lib/udev/rules.d"
conffiles=$(dpkg-query --admindir="$root/var/lib/dpkg" -W -f='${Conffiles}' vantrel)
echo "$conffiles" | grep -q '^ /etc/xdg/autostart/vantrel.desktop [0-9a-f]\{32\}$' ||
  fail "the autostart entry is not a conffile: $conffiles"

# The desktop files and the software centre entry, as installed.
desktop-file-validate "$root/usr/share/applications/vantrel.desktop" \
  "$root/etc/xdg/autostart/vantrel.desktop" || fail "desktop-file-validate"
# The menu entry opens the running program's window, or starts it with the
# watch the start at login has.
menu=$(sed -n 's/^Exec=//p' "$root/usr/share/applications/vantrel.desktop")
login=$(sed -n 's/^Exec=//p' "$root/etc/xdg/autostart/vantrel.desktop")
[ "$menu" = "vantrel --show --watch" ] && [ "$login" = "vantrel --at-login --watch" ] ||
  fail "the menu entry runs \"$menu\", the autostart entry \"$login\""
appstreamcli validate-tree --no-net --pedantic "$root" || fail "appstreamcli validate-tree"

# The command-line program: bash completes it from where bash-completion
# loads completions, the metrics service runs the script installed beside
# it, and the program itself starts (--version needs no printer).
if [ -e "$root/usr/bin/vantrel-cli" ]; then
  bash -c 'source "$1" && complete -p vantrel-cli' sh \
    "$root/usr/share/bash-completion/completions/vantrel-cli" >/dev/null ||
    fail "the bash completion does not register vantrel-cli"
  for kind in user system; do
    exec_start=$(sed -n 's/^ExecStart=//p' "$root/usr/lib/systemd/$kind/vantrel-metrics.service")
    [ "${exec_start%% *}" = /usr/libexec/vantrel/vantrel-metrics ] && [ -x "$root${exec_start%% *}" ] ||
      fail "the $kind metrics service runs $exec_start"
  done
  # Every file of the package its manual page sends the reader to.
  named=$(zcat "$root/usr/share/man/man1/vantrel-cli.1.gz" | grep -o '/usr/share/doc/vantrel[a-z-]*/[A-Za-z0-9._-]*[A-Za-z0-9]' | sort -u)
  [ -n "$named" ] || fail "the manual page names no documentation"
  for path in $named; do
    [ -f "$root$path" ] || fail "the manual page names $path, which the package lacks"
  done
  version=$("$root/usr/bin/vantrel-cli" --version) || fail "vantrel-cli --version"
  echo "vantrel-cli: $version; the metrics service runs $exec_start"
fi

# The maintainer script on the running system: where udev runs, it reloads
# the rules and applies them to a printer already plugged in.
postinst=$root/var/lib/dpkg/info/vantrel.postinst
[ -z "$cli_deb" ] || postinst=$root/var/lib/dpkg/info/vantrel-cli.postinst
with_udev sh "$postinst" configure || fail "postinst configure"
if [ -n "$(with_udev sh -c 'test -d /run/udev && echo yes')" ]; then
  printf '%s\n' "udevadm control --reload-rules" \
    "udevadm trigger --action=change --subsystem-match=usb --attr-match=idVendor=f0ca" \
    >"$work/udevadm.expected"
  cmp "$work/udevadm.calls" "$work/udevadm.expected" || fail "postinst ran $(cat "$work/udevadm.calls")"
else
  [ ! -e "$work/udevadm.calls" ] || fail "postinst called udevadm without udev"
fi

# Removed: only the conffile stays; purged: nothing. The root's account
# files are the system's, not the packages': the user stays, as Debian's
# packages leave theirs.
left_files() {
  (cd "$root" && find . -path ./var -prune -o -type f -print) |
    grep -Ev '^\./etc/(passwd|group|shadow|gshadow|\.pwd\.lock)-?$' || true
}
# The postrm of the package holding the udev rule, kept to run below (a
# package without conffiles leaves none behind once removed).
rules_package=vantrel
[ -z "$cli_deb" ] || rules_package=vantrel-cli
cp "$root/var/lib/dpkg/info/$rules_package.postrm" "$work/postrm" || fail "no postrm in $rules_package"
[ -z "$cli_deb" ] || cp "$root/var/lib/dpkg/info/vantrel-cli.prerm" "$work/prerm" || fail "no prerm in vantrel-cli"
rm -f "$work/udevadm.calls"
# What the system metrics service leaves once enabled and run: its file, its
# link in the node exporter's folder and the timer's enabling.
if [ -n "$cli_deb" ]; then
  mkdir -p "$root/var/lib/vantrel" "$root/var/lib/prometheus/node-exporter" \
    "$root/etc/systemd/system/timers.target.wants"
  echo 'vantrel_up 0' >"$root/var/lib/vantrel/vantrel.prom"
  ln -s /var/lib/vantrel/vantrel.prom "$root/var/lib/prometheus/node-exporter/vantrel.prom"
  ln -s /usr/lib/systemd/system/vantrel-metrics.timer \
    "$root/etc/systemd/system/timers.target.wants/vantrel-metrics.timer"
fi
# shellcheck disable=SC2086
dpkg_root -r $packages >>"$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log"; fail "dpkg -r"; }
[ ! -e "$work/udevadm.calls" ] || fail "removing from another root ran $(cat "$work/udevadm.calls")"
[ ! -e "$work/systemd.calls" ] || fail "removing from another root ran $(cat "$work/systemd.calls")"
left=$(left_files)
[ "$left" = "./etc/xdg/autostart/vantrel.desktop" ] || fail "left after removal: $left"
if [ -n "$cli_deb" ]; then
  [ ! -L "$root/var/lib/prometheus/node-exporter/vantrel.prom" ] ||
    fail "the removal left the metrics link in the node exporter's folder"
  [ -e "$root/var/lib/vantrel/vantrel.prom" ] || fail "the removal took the metrics service's folder"
fi

# On the running system the removal reloads the rules as the install does,
# and so the printer is no longer given to the seat's user.
with_udev sh "$work/postrm" remove || fail "postrm remove"
if [ -n "$(with_udev sh -c 'test -d /run/udev && echo yes')" ]; then
  cmp "$work/udevadm.calls" "$work/udevadm.expected" || fail "postrm ran $(cat "$work/udevadm.calls")"
else
  [ ! -e "$work/udevadm.calls" ] || fail "postrm called udevadm without udev"
fi
# Where systemd runs the system, the removal first stops the metrics timer
# and service, which an administrator may have enabled.
if [ -n "$cli_deb" ] && unshare -rm true 2>/dev/null; then
  # shellcheck disable=SC2016 # the inner shell expands it
  PATH="$work/fake-bin:$PATH" unshare -rm sh -c \
    'mount -t tmpfs none /run && mkdir -p /run/systemd/system && exec sh "$0" remove' "$work/prerm" ||
    fail "prerm remove"
  [ "$(cat "$work/systemd.calls")" = "deb-systemd-invoke stop vantrel-metrics.timer vantrel-metrics.service" ] ||
    fail "prerm ran $(cat "$work/systemd.calls" 2>/dev/null)"
fi
# shellcheck disable=SC2086
dpkg_root -P $packages >>"$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log"; fail "dpkg -P"; }
left=$(left_files)
[ -z "$left" ] || fail "left after purge: $left"
[ ! -e "$root/var/lib/vantrel" ] || fail "the purge left /var/lib/vantrel"
[ ! -L "$root/etc/systemd/system/timers.target.wants/vantrel-metrics.timer" ] ||
  fail "the purge left the metrics timer enabled"
echo "debian package test passed"
