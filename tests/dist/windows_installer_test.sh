#!/bin/sh
# The Windows installer under Wine, in a prefix of its own, as an operator
# meets it (on an X server of the test's own, tests/wine/on_xvfb.sh, in a
# Wine desktop with a task bar and notification area).
#
#   install  installed silently; the program, the Start menu entry (with
#            --show --watch), the start at login (with --watch; both without
#            it under WATCH=0) and the installed-programs entry checked;
#            Vantrel started at a new login: a double-click on its icon
#            answered ("Open USB is failed": no printer here) and "Exit"
#            chosen from its menu; started from its Start menu entry, which
#            opens the window at once (the same answer); each time "Exit"
#            from its menu; uninstalled, and nothing of it left. Then the
#            portable program unpacked and started: a later start with
#            --show opens its window, one with --quit ends it, and nothing
#            is left either.
#            The installed programs carry the versions the package's File
#            table names, and the entry names the folder and the home page.
#   upgrade  an older-numbered installer, then this one: one Vantrel left, of
#            this version; the older installer then refuses to install.
#   options  installed as an administrator deploys it, AUTOSTART=0
#            ADDCLIPATH=1: no start at login, the folder once on the
#            machine's PATH and vantrel-cli found by name in a new session;
#            then a rebuild of the same version (REBUILT_MSI) over it: one
#            entry, the same; uninstalled, nothing left.
#
# With CLI_EXE, vantrel-cli.exe is installed and unpacked beside vantrel.exe
# and answers --version.
#
# usage: windows_installer_test.sh install|upgrade|options PREFIX MSI OLD_MSI ZIP EXE PROBE VERSION [CLI_EXE]
#   environment: WINDRES (reads the programs' version resources),
#   REBUILT_MSI (options: another build of MSI, same version)
set -eu
story=$1 msi=$3 old_msi=$4 zip=$5 exe=$6 probe=$7 version=$8 cli=${9:-}
programs=vantrel.exe
[ -z "$cli" ] || programs="vantrel-cli.exe vantrel.exe"
export WINEPREFIX=$2
# No menu entries for the host's desktop from Wine's Start menu.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
fail() { printf "FAILED: %s\n" "$*"; exit 1; }
# A Wine command that fails says which, with its status: under set -e a
# failure would otherwise end the story without a word.
wine_() {
  status=0
  timeout -k 5 120 wine "$@" || status=$?
  [ "$status" = 0 ] || printf 'wine %s: exit status %s\n' "$*" "$status" >&2
  return "$status"
}
# window-probe.exe's answer, without the CRs of Windows' text mode.
probe() {
  answer=$(wine_ "$probe" "$@") || { printf "window-probe %s: %s\n" "$*" "$answer"; return 1; }
  printf '%s\n' "$answer" | tr -d '\r'
}
[ -n "${DISPLAY:-}" ] || fail "no X server (run it through tests/wine/on_xvfb.sh)"
work=$(mktemp -d)
# Ends the prefix's session and waits for its server to have saved the
# registry: a command started while it goes would meet it half gone, and the
# next story removes the prefix it is still writing into.
end_session() {
  timeout -k 5 20 wineserver -k 2>/dev/null || true
  timeout -k 5 30 wineserver -w 2>/dev/null || true
}
cleanup() {
  end_session
  rm -rf "$work"
}
trap cleanup EXIT

# Every story starts in a copy of a fresh prefix, made once and kept beside
# it: a story must not meet what an earlier one left (Wine's msiexec, for
# one, leaves an empty element in the PATH where it removes a folder from it,
# and Wine's cmd stops its search for a program at an empty element).
pristine=$WINEPREFIX.pristine
if [ ! -f "$pristine/.installer-ready" ]; then
  rm -rf "$pristine"
  mkdir -p "$pristine"
  WINEPREFIX=$pristine timeout -k 5 120 wineboot -i >/dev/null 2>&1 || true
  printf '%s\n' REGEDIT4 '' '[HKEY_CURRENT_USER\Software\Wine\Explorer]' '"Desktop"="Default"' \
    '' '[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]' '"Default"="1024x768"' >"$work/desktop.reg"
  WINEPREFIX=$pristine wine_ regedit "$work/desktop.reg" >/dev/null 2>&1 || true
  WINEPREFIX=$pristine timeout -k 5 60 wineserver -w || true
  [ -d "$pristine/drive_c/windows" ] || fail "wineboot made no prefix"
  touch "$pristine/.installer-ready"
fi
rm -rf "$WINEPREFIX"
cp -a "$pristine" "$WINEPREFIX"

c=$WINEPREFIX/drive_c
folder="$c/Program Files/Vantrel"
# The command that starts Vantrel at every user's login.
run_value() {
  wine_ reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Run' /v Vantrel 2>/dev/null |
    tr -d '\r' | sed -n 's/^ *Vantrel *REG_SZ *//p'
}
# Wine puts a per-machine installation's shortcuts in the installing user's
# Start menu; Windows in the one of all users.
shortcuts() {
  find "$c/ProgramData/Microsoft/Windows/Start Menu" "$c/users"/*/AppData/Roaming/Microsoft/Windows/Start\ Menu \
    -iname 'vantrel*.lnk' 2>/dev/null
}
# The installed-programs entries named Vantrel: "KEY|VERSION|UNINSTALL".
entries() {
  wine_ reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s | tr -d '\r' |
    awk '/^HKEY/ { key = $0; name = version = uninstall = "" }
         $1 == "DisplayName" { name = substr($0, index($0, "REG_SZ") + 10) }
         $1 == "DisplayVersion" { version = $3 }
         $1 == "UninstallString" { uninstall = substr($0, index($0, "REG_EXPAND_SZ") + 17) }
         /^$/ && name == "Vantrel" { print key "|" version "|" uninstall; name = "" }'
}
# The prefix's files (but the temporary ones and the system's installer
# cache folder, which Windows always has) and what in its registry names
# Vantrel or its installer's UpgradeCode (plain and packed). The registry is
# read from the files the server saves as the session ends: an export by
# reg.exe fails now and then, when the wineboot --init every new session
# starts writes beside it.
snapshot() {
  end_session
  (cd "$c" && find . | grep -v -i -e '/temp$' -e '/temp/' -e '^\./windows/Installer$' | sort) >"$1.files"
  cat "$WINEPREFIX/system.reg" "$WINEPREFIX/user.reg" |
    grep -i -e vantrel -e 3584B998 -e 899B4853 >"$1.registry" || true
  # Without the empty elements Wine's msiexec leaves where it removed one.
  machine_path | grep -v '^$' >"$1.path" || true
}
# Nothing changed since the snapshot BEFORE (the machine's PATH lives
# where Wine's registry export does not look: it is compared on its own).
unchanged_since() {
  snapshot "$work/after"
  diff "$1.files" "$work/after.files" || fail "files changed: $2"
  diff "$1.path" "$work/after.path" || fail "the PATH changed: $2"
  [ ! -s "$work/after.registry" ] || { cat "$work/after.registry"; fail "the registry names Vantrel: $2"; }
}
install_msi() { wine_ msiexec /i "$@" /qn || fail "msiexec /i $*"; }
# The machine's PATH, an element a line.
machine_path() {
  wine_ reg query 'HKLM\System\CurrentControlSet\Control\Session Manager\Environment' /v PATH |
    tr -d '\r' | sed -n 's/^ *PATH *REG_[A-Z_]* *//p' | tr ';' '\n'
}
# How often the installation folder is in the machine's PATH.
on_path() {
  machine_path | grep -c -i -x -F -e 'C:\Program Files\Vantrel\' -e 'C:\Program Files\Vantrel' || true
}
# A value of the installed-programs entry of the product PRODUCT.
entry_value() {
  wine_ reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\'"$1" /v "$2" |
    tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"
}
product_of() { printf '%s\n' "$1" | sed -n 's/.*MsiExec.exe \/X\({[0-9A-F-]*}\)$/\1/p'; }

# The program from START... (a command for wine) in the notification area:
# its window opened (clicked: by a double-click on its icon; shown: by
# itself, as --show does) and answered, then "Exit" from its menu.
start_and_exit() {
  how=$1
  shift
  wine_ "$@" >/dev/null 2>&1 &
  started=$!
  at=$(probe tray) || fail "no notification icon: $at"
  set -- $at
  [ "$how" = shown ] || xdotool mousemove "$1" "$2" click --repeat 2 --delay 100 1
  said=$(probe text message 65535) || fail "no answer to the window's opening ($how): $said"
  [ "$said" = "Open USB is failed" ] || fail "the program said: $said"
  probe answer >/dev/null || fail "the message stays"
  xdotool mousemove "$1" "$2" click 3
  item=$(probe menu-item 1) || fail "no menu: $item"
  set -- $item
  xdotool mousemove "$1" "$2" click 1
  probe gone || fail "the program did not end after Exit"
  wait "$started"
}

# The program EXE in the notification area: a later start with --show opens
# its window (answered), one with --quit ends it; both end with 0.
show_and_quit() {
  wine_ "$1" >/dev/null 2>&1 &
  started=$!
  probe tray >/dev/null || fail "no notification icon"
  wine_ "$1" --show || fail "a later start with --show"
  said=$(probe text message 65535) || fail "no answer to --show: $said"
  [ "$said" = "Open USB is failed" ] || fail "the program said: $said"
  probe answer >/dev/null || fail "the message stays"
  wine_ "$1" --quit || fail "a later start with --quit"
  probe gone || fail "the program did not end after --quit"
  wait "$started"
}
# The Start menu entry's arguments (the link's text without its NULs).
shortcut_arguments() {
  tr -d '\0' <"$1" | grep -a -o -e '--show --watch' -e '--show' | head -n 1
}

snapshot "$work/before"
[ ! -s "$work/before.registry" ] && [ "$(on_path)" = 0 ] || fail "the fresh prefix names Vantrel"

case $story in
install)
  install_msi "$msi"
  [ "$(ls "$folder" | tr '\n' ' ')" = "$programs " ] || fail "Program Files\\Vantrel holds: $(ls "$folder")"
  cmp "$folder/vantrel.exe" "$exe" || fail "the installed vantrel.exe is not the built one"
  if [ -n "$cli" ]; then
    cmp "$folder/vantrel-cli.exe" "$cli" || fail "the installed vantrel-cli.exe is not the built one"
    said=$(wine_ "$folder/vantrel-cli.exe" --version) || fail "vantrel-cli.exe --version: $said"
    echo "vantrel-cli.exe --version: $said"
  fi
  link=$(shortcuts)
  [ "$(printf '%s\n' "$link" | grep -c .)" = 1 ] || fail "Start menu entries: $link"
  tr -d '\0' <"$link" | grep -q -F 'C:\Program Files\Vantrel\vantrel.exe' ||
    fail "the Start menu entry does not start the installed program"
  [ "$(shortcut_arguments "$link")" = "--show --watch" ] ||
    fail "the Start menu entry's arguments: $(shortcut_arguments "$link")"
  run=$(run_value)
  [ "$run" = '"C:\Program Files\Vantrel\vantrel.exe" --watch' ] || fail "the Run value: $run"
  entry=$(entries)
  [ "$(printf '%s\n' "$entry" | grep -c .)" = 1 ] || fail "installed-programs entries: $entry"
  [ "$(printf '%s\n' "$entry" | cut -d'|' -f2)" = "$version" ] || fail "the entry's version: $entry"
  product=$(product_of "$entry")
  [ -n "$product" ] || fail "the entry's uninstall command: $entry"
  for value in 'InstallLocation=C:\Program Files\Vantrel\' URLInfoAbout=https://vantrel.example.org \
    HelpLink=https://vantrel.example.org; do
    [ "$(entry_value "$product" "${value%%=*}")" = "${value#*=}" ] ||
      fail "the entry's ${value%%=*}: $(entry_value "$product" "${value%%=*}")"
  done
  [ "$(on_path)" = 0 ] || fail "the folder is on the PATH without ADDCLIPATH"
  # Each program's version resource is the version the File table names.
  msiinfo export "$msi" File | tail -n +4 >"$work/files"
  [ "$(wc -l <"$work/files")" = "$(echo $programs | wc -w)" ] || fail "the File table: $(cat "$work/files")"
  while IFS="$(printf '\t')" read -r _ _ name _ table_version _; do
    name=${name#*|}
    resource=$("$WINDRES" -i "$folder/$name" -O rc | sed -n 's/^ *FILEVERSION //p' | tr -d ' ' | tr , .)
    [ -n "$table_version" ] && [ "$table_version" = "$resource" ] ||
      fail "$name: version $resource, the File table says '$table_version'"
    echo "$name: version $resource"
  done <"$work/files"
  icon=$(wine_ reg query 'HKLM\Software\Classes\Installer\Products' /s | tr -d '\r' |
    sed -n 's/^ *ProductIcon *REG_SZ *//p')
  [ -n "$icon" ] && [ -s "$(wine_ winepath -u "$icon" | tr -d '\r')" ] || fail "the entry's icon: $icon"
  printf '%s\n' "installed: $folder/vantrel.exe, $link, Run $run, entry $entry, icon $icon"

  # A new session (what a login is to Wine) starts what the Run key names.
  end_session
  start_and_exit clicked wineboot
  start_and_exit shown start "$(wine_ winepath -w "$link" | tr -d '\r')"
  wine_ msiexec /x "$product" /qn || fail "msiexec /x $product"
  unchanged_since "$work/before" "after uninstalling"
  echo "uninstalled: nothing left"
  # An administrator's deployment without the watch.
  wine_ msiexec /i "$msi" WATCH=0 /qn || fail "msiexec /i $msi WATCH=0"
  [ "$(run_value)" = '"C:\Program Files\Vantrel\vantrel.exe"' ] ||
    fail "the Run value with WATCH=0: $(run_value)"
  [ "$(shortcut_arguments "$(shortcuts)")" = "--show" ] ||
    fail "the Start menu entry's arguments with WATCH=0: $(shortcut_arguments "$(shortcuts)")"
  wine_ msiexec /x "$product" /qn || fail "msiexec /x $product after WATCH=0"
  unchanged_since "$work/before" "after uninstalling the one with WATCH=0"
  echo "WATCH=0: the Run value and the Start menu entry without --watch, nothing left after uninstalling"

  mkdir "$work/portable"
  (cd "$work/portable" && unzip -q "$zip")
  [ "$(cd "$work/portable" && find . -type f | sort | tr '\n' ' ')" = \
    "./vantrel-$version-win64/LICENSE.txt $(printf "./vantrel-$version-win64/%s " $programs)" ] ||
    fail "the zip holds: $(cd "$work/portable" && find . -type f)"
  show_and_quit "$work/portable/vantrel-$version-win64/vantrel.exe"
  rm -rf "$work/portable"
  unchanged_since "$work/before" "after the portable program"
  echo "portable program: started, its window opened by --show, ended by --quit, nothing left"
  ;;
upgrade)
  install_msi "$old_msi"
  old=$(entries)
  printf '%s\n' "$old" | grep -q '|0\.0\.1|' || fail "the older installer's entry: $old"
  install_msi "$msi"
  entry=$(entries)
  [ "$(printf '%s\n' "$entry" | grep -c .)" = 1 ] || fail "installed-programs entries after the upgrade: $entry"
  [ "$(printf '%s\n' "$entry" | cut -d'|' -f2)" = "$version" ] || fail "the entry's version: $entry"
  [ "$(cd "$c" && find . -iname vantrel.exe)" = "./Program Files/Vantrel/vantrel.exe" ] ||
    fail "copies of vantrel.exe: $(cd "$c" && find . -iname vantrel.exe)"
  [ "$(shortcuts | grep -c .)" = 1 ] || fail "Start menu entries: $(shortcuts)"
  [ "$(run_value)" = '"C:\Program Files\Vantrel\vantrel.exe" --watch' ] ||
    fail "the Run value: $(run_value)"
  printf "upgraded: %s -> %s\n" "$old" "$entry"
  # An older version over a newer one is refused, and changes nothing.
  wine_ msiexec /i "$old_msi" /qn || true
  [ "$(entries)" = "$entry" ] || fail "the older installer changed the installation: $(entries)"
  product=$(product_of "$entry")
  wine_ msiexec /x "$product" /qn || fail "msiexec /x $product"
  unchanged_since "$work/before" "after uninstalling the upgrade"
  echo "uninstalled: nothing left"
  ;;
options)
  install_msi "$msi" AUTOSTART=0 ADDCLIPATH=1
  [ -z "$(run_value)" ] || fail "AUTOSTART=0 left the Run value: $(run_value)"
  [ "$(shortcuts | grep -c .)" = 1 ] || fail "Start menu entries: $(shortcuts)"
  if [ -n "$cli" ]; then
    [ "$(on_path)" = 1 ] || fail "ADDCLIPATH=1: the folder is $(on_path) times on the PATH"
    # A new session reads the machine's PATH again.
    end_session
    said=$(wine_ cmd /c vantrel-cli --version | tr -d '\r') || fail "vantrel-cli by name: $said"
    [ "$said" = "vantrel-cli $version" ] || fail "vantrel-cli by name said: $said"
    echo "on the PATH: vantrel-cli --version: $said"
  fi
  first=$(entries)
  install_msi "$REBUILT_MSI" AUTOSTART=0 ADDCLIPATH=1
  entry=$(entries)
  [ "$(printf '%s\n' "$entry" | grep -c .)" = 1 ] || fail "entries after the rebuild: $entry"
  [ "$(product_of "$entry")" != "$(product_of "$first")" ] || fail "the rebuild was not installed: $entry"
  [ "$(printf '%s\n' "$entry" | cut -d'|' -f2)" = "$version" ] || fail "the entry's version: $entry"
  [ -z "$(run_value)" ] || fail "the rebuild added the Run value: $(run_value)"
  [ -z "$cli" ] || [ "$(on_path)" = 1 ] || fail "after the rebuild the folder is $(on_path) times on the PATH"
  echo "rebuilt, same version: $first -> $entry"
  wine_ msiexec /x "$(product_of "$entry")" /qn || fail "msiexec /x $entry"
  unchanged_since "$work/before" "after uninstalling"
  echo "uninstalled: nothing left"
  ;;
*) fail "no story $story" ;;
esac
echo "windows installer test $story passed"
