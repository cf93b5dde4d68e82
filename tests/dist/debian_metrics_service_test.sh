#!/bin/sh
# The system metrics service as the vantrel-cli package installs it:
# systemd's own check of its units (and of the user units beside them); its
# user made from the package's sysusers file, as the postinst makes it in
# another root; the udev rule giving that user's group the printer beside
# the seat's access; then the service's command run as that user, with its
# group only, against two emulated printers, its privileged step after it,
# and Debian's node exporter, as the user prometheus with its default
# textfile folder, serving what it wrote.
#
# It runs in a private mount namespace: /var/lib is a scratch tmpfs there
# with the folders the package and prometheus-node-exporter make, and the
# installed /usr/libexec stands where the units name it. Nothing of the
# running system changes and no daemon outlives the test.
#
# usage: debian_metrics_service_test.sh BUILD DEMO_PRINTER
set -eu
build=$1 demo=$2
fail() { echo "FAILED: $*"; exit 1; }
if [ "$(id -u)" != 0 ] || ! unshare -m true 2>/dev/null; then
  echo "needs root and a mount namespace to run the service as its user: skipped"
  exit 77
fi
if ! command -v prometheus-node-exporter >/dev/null || ! id prometheus >/dev/null 2>&1; then
  echo "prometheus-node-exporter (and its user) missing: skipped"
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The service's user passes through it to the installed program, and runs
# a copy of the demo printer: the build may lie where only root may enter.
chmod 755 "$work"
mkdir -m 755 "$work/bin"
cp "$demo" "$work/bin/"
demo=$work/bin/$(basename "$demo")
root=$work/root
DESTDIR=$root cmake --install "$build" --component cli --prefix /usr >"$work/install.log" 2>&1 ||
  { cat "$work/install.log"; fail "cmake --install"; }
service=$root/usr/lib/systemd/system/vantrel-metrics.service
timer=$root/usr/lib/systemd/system/vantrel-metrics.timer

# Runs a command with the installed /usr/libexec in place.
with_libexec() {
  # shellcheck disable=SC2016 # the inner shell expands them
  unshare -m sh -c 'mount --bind "$0/usr/libexec" /usr/libexec && exec "$@"' "$root" "$@"
}

# systemd's check: no complaint at all (an unknown key is only a warning).
verified=$(with_libexec env MANPATH="$root/usr/share/man:" systemd-analyze verify "$service" "$timer" 2>&1) ||
  fail "systemd-analyze verify: $verified"
[ -z "$verified" ] || fail "systemd-analyze verify: $verified"
mkdir -m 700 "$work/runtime"
verified=$(with_libexec env MANPATH="$root/usr/share/man:" XDG_RUNTIME_DIR="$work/runtime" \
  systemd-analyze --user verify "$root/usr/lib/systemd/user/vantrel-metrics.service" \
  "$root/usr/lib/systemd/user/vantrel-metrics.timer" 2>&1) || fail "systemd-analyze --user verify: $verified"
[ -z "$verified" ] || fail "systemd-analyze --user verify: $verified"
echo "systemd-analyze verify: the system and the user units pass"

# The user, as the postinst makes it in another root.
mkdir -p "$root/etc"
systemd-sysusers --root="$root" vantrel-cli.conf >/dev/null 2>&1 || fail "systemd-sysusers"
user=$(sed -n 's/^User=//p' "$service")
group=$(sed -n 's/^Group=//p' "$service")
state=/var/lib/$(sed -n 's/^StateDirectory=//p' "$service")
uid=$(awk -F: -v name="$user" '$1 == name { print $3 }' "$root/etc/passwd")
gid=$(awk -F: -v name="$group" '$1 == name { print $3 }' "$root/etc/group")
if [ -z "$uid" ] || [ -z "$gid" ]; then fail "the sysusers file makes no $user:$group"; fi
grep -q "^$user:.*:/usr/sbin/nologin$" "$root/etc/passwd" || fail "$user can log in"
echo "user: $(grep "^$user:" "$root/etc/passwd")"
rule=$(grep '^SUBSYSTEM' "$root/usr/lib/udev/rules.d/60-vantrel.rules")
case $rule in *'TAG+="uaccess"'*"GROUP=\"$group\""*'MODE="0664"'*) ;;
  *) fail "the udev rule does not give the printer to the seat and to $group: $rule" ;; esac

exec_start=$(sed -n 's/^ExecStart=//p' "$service")
exec_post=$(sed -n 's/^ExecStartPost=+//p' "$service")
textfile=/var/lib/prometheus/node-exporter
grep -qx "ConditionPathIsDirectory=$textfile" "$service" || fail "the service does not wait for $textfile"
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')

# In the namespace: the folders as the packages leave them (the state folder
# as StateDirectory= makes it), the run, the privileged step, the scrape.
cat >"$work/run.sh" <<RUN
set -eu
mount --bind "$root/usr/libexec" /usr/libexec
mount -t tmpfs -o mode=755 none /var/lib
mkdir -p $textfile
install -d -o $uid -g $gid -m 755 $state
setpriv --reuid=$uid --regid=$gid --clear-groups --no-new-privs -- env -i \
  PATH="$root/usr/bin:/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin" \
  STATE_DIRECTORY=$state "$demo" --second TL5C0099999 -- $exec_start >"$work/service.log" 2>&1 ||
  { cat "$work/service.log"; echo "FAILED: the service's command"; exit 1; }
$exec_post
ls -ln $textfile $state >"$work/files"
setpriv --reuid=prometheus --regid=prometheus --init-groups -- prometheus-node-exporter \
  --web.listen-address=127.0.0.1:$port --collector.disable-defaults --collector.textfile \
  >"$work/exporter.log" 2>&1 &
exporter=\$!
for _ in \$(seq 100); do
  curl -sf http://127.0.0.1:$port/metrics >"$work/scrape" && break
  sleep 0.1
done
kill \$exporter
wait \$exporter 2>/dev/null || true
RUN
unshare -m sh "$work/run.sh" || fail "the service's run"
cat "$work/files"
grep -q "^lrwxrwxrwx .* vantrel.prom -> $state/vantrel.prom$" "$work/files" ||
  fail "no link to $state/vantrel.prom in $textfile"
grep -q "^-rw-r--r-- 1 $uid $gid .* vantrel.prom$" "$work/files" ||
  fail "$state/vantrel.prom is not the service user's, readable by all"
[ -s "$work/scrape" ] || { cat "$work/exporter.log"; fail "the node exporter served nothing"; }
for line in 'node_textfile_scrape_error 0' 'vantrel_up{serial="TL5C0042817"} 1' \
  'vantrel_up{serial="TL5C0099999"} 1'; do
  grep -qxF "$line" "$work/scrape" || { cat "$work/exporter.log"; fail "the scrape lacks $line"; }
done
grep -q "^node_textfile_mtime_seconds{file=\"$textfile/vantrel.prom\"} " "$work/scrape" ||
  fail "the scrape has no time of $textfile/vantrel.prom"
echo "the node exporter, as prometheus, serves:"
grep -E '^(node_textfile|vantrel_up|vantrel_status_severity)' "$work/scrape"
echo "debian metrics service test passed"
