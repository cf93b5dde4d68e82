#!/bin/sh
# The demo program under Wine on an X server of its own (on_xvfb.sh), in a
# Wine virtual desktop: its notification icon double-clicked with
# xdotool, "Status" pressed, the display checked on the screen and as a
# screen reader reads it, the User Service tab reached and Download pressed
# with keys alone, every window shot, "Exit" chosen from the icon's menu.
# Radio buttons and sliders are named with their row or group as a screen
# reader reads them. Screenshots land in SHOTS/NAME_*.png.
#
# usage: desktop_test.sh PROBE DEMO SHOTS NAME   (LC_ALL chooses the language)
set -eu
probe=$1 demo=$2 shots=$3 name=$4
export WINEPREFIX="${VANTREL_WINEPREFIX:?VANTREL_WINEPREFIX names the test prefix}"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$shots"
work=$(mktemp -d)
demo_pid=
cleanup() {
  [ -n "$demo_pid" ] && kill "$demo_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
: "${DISPLAY:?run it on an X server of its own: on_xvfb.sh desktop_test.sh ...}"

probe() { timeout -k 5 30 wine "$probe" "$@"; }
# The screen's pixels of a window (or of any geometry WxH+X+Y), as a PNG.
snap() {
  geometry=$(probe rect "$1")
  import -display "$DISPLAY" -window root -crop "$geometry" +repage "$shots/${name}_$2.png"
}

timeout -k 5 280 wine "$demo" &
demo_pid=$!

# The icon comes back after Explorer restarts; the window opens from it with
# a real double-click.
tray=$(probe tray shell-restart)
set -- $tray
tray_x=$1 tray_y=$2
xdotool mousemove "$tray_x" "$tray_y" click --repeat 2 --delay 100 1
probe wait main
snap main 1_panel
# A second start ends at once, silently, and leaves the running one shown.
second=0
timeout -k 5 20 wine "$demo" || second=$?
[ "$second" -ne 124 ] || { echo "a second start did not end"; exit 1; }
probe wait main
# "Status" with a real click; within a second the display shows the first
# entry: dark text pixels inside its white box.
status=$(probe where main 1001)
set -- $status
xdotool mousemove "$1" "$2" click 1
box=$(probe display)
ink=0
for _ in $(seq 30); do
  import -display "$DISPLAY" -window root -crop "$box" +repage "$work/box.png"
  ink=$(convert "$work/box.png" -colorspace gray -threshold 40% \
    -format '%[fx:round((1-mean)*w*h)]' info:)
  [ "$ink" -gt 20 ] && break
  sleep 0.1
done
[ "$ink" -gt 20 ] || { echo "the panel display shows nothing after Status"; exit 1; }
# Only the page draws there: the box stays white behind the text (a window
# over it that painted would show the dialog's grey).
white=$(convert "$work/box.png" -colorspace gray -threshold 99% -format '%[fx:round(100*mean)]' info:)
echo "panel display: $ink dark pixels, $white % white"
[ "$white" -ge 80 ] || { echo "the panel display's box is only $white % white"; exit 1; }
snap main 2_panel_status
# A screen reader reads the display as a text of its own, right after
# "Status", named with its lines (they change every second): in English
# "READY" among them, in other languages their own texts. It hears of their
# changes as a live region's. And the controls' names.
echo "MSAA: the panel page's children:"
children=$(probe page-children | tr -d '\r')
echo "$children" | sed 's/^/  /'
# Each of its eight radio buttons is one (45), where Wine's oleacc calls
# them clients too.
radios=$(echo "$children" | grep -c '^45 ')
[ "$radios" = 8 ] || { echo "$radios radio buttons on the panel page, not 8"; exit 1; }
ready=
case ${LC_ALL:-} in en_*) ready=READY ;; esac
said=
for _ in $(seq 40); do
  said=$(probe display-name | tr -d "\r")
  [ -n "$said" ] && [ "$said" = "${ready:-$said}" ] && break
done
[ -n "$said" ] && [ "$said" = "${ready:-$said}" ] ||
  { echo "a screen reader never reads ${ready:-a text} after Status (last: $said)"; exit 1; }
# Static text (41), also where the system's object says client (Wine).
role=$(probe display-role | tr -d '\r')
echo "MSAA: the display, role $role"
case $role in
  "41 "*) ;;
  *) echo "the display is read as \"$role\", not as static text"; exit 1 ;;
esac
# Over the display's box: a screen reader shows it there.
covered=$(probe display-rect | tr -d '\r')
echo "MSAA: the display at $covered, its box's inside at $box"
inside() { # WxH+X+Y within WxH+X+Y
  echo "$1 $2" | tr 'x+' '  ' | {
    read -r w h x y W H X Y
    [ "$x" -ge "$X" ] && [ "$y" -ge "$Y" ] && [ $((x + w)) -le $((X + W)) ] && [ $((y + h)) -le $((Y + H)) ]
  }
}
grown() { # WxH+X+Y grown by N pixels on every side
  echo "$1" | tr 'x+' '  ' | { read -r w h x y; echo "$((w + 2 * $2))x$((h + 2 * $2))+$((x - $2))+$((y - $2))"; }
}
inside "$box" "$covered" && inside "$covered" "$(grown "$box" 3)" ||
  { echo "the display's object lies at $covered, not over its box"; exit 1; }
heard=$(probe live-events 5 | tr -d '\r')
echo "MSAA: $heard live region change(s) heard from the display"
[ "$heard" -ge 1 ] || { echo "no live region change of the display heard in 5 s"; exit 1; }
# Buttons are named with their texts (the About button shares its id, 1025,
# with a radio button "Off" of the panel, which the probe finds first).
for control in 1023 1001 1003 1021; do
  named=$(probe name main $control | tr -d '\r')
  text=$(probe text main $control | tr -d '\r')
  [ -n "$named" ] && [ "$named" = "$text" ] ||
    { echo "control $control is named \"$named\" for a screen reader, its text is \"$text\""; exit 1; }
done
# A control is named with two texts that say what it sets, in that order, and
# has the role given (MSAA's number): named_with ID FIRST-ID SECOND-ID ROLE
# (ID itself may be the second, its own text). Wine's oleacc calls every
# standard control a client: the program's answer says what it is.
named_with() {
  named=$(probe name main "$1" | tr -d '\r')
  role=$(probe role main "$1" | tr -d '\r')
  echo "MSAA: control $1, role $role, named \"$named\""
  case $role in
    "$4 "*) ;;
    *) echo "control $1 is a \"$role\" to a screen reader, not role $4"; exit 1 ;;
  esac
  first=$(probe text main "$2" | tr -d '\r')
  second=$(probe text main "$3" | tr -d '\r')
  case $named in
    *"$first"*"$second"*) ;;
    *) echo "control $1 is named \"$named\", not with \"$first\" and \"$second\""; exit 1 ;;
  esac
}
# Radio buttons with their row: Toner Out Stop and Auto Continue, On and Off.
# One of each row is checked, as its setting stands.
for row in 1011:1012 1011:1013 1017:1018 1017:1019; do
  named_with "${row#*:}" "${row%:*}" "${row#*:}" 45
done
for row in 1012:1013 1018:1019; do
  checked=$( (probe role main "${row%:*}"; probe role main "${row#*:}") | grep -c checked)
  [ "$checked" = 1 ] || { echo "$checked of the radio buttons ${row%:*} and ${row#*:} are checked"; exit 1; }
done

# The keyboard alone: Ctrl+Tab to the User Service tab (the focus leaves the
# hidden page for the tabs), 18 Tabs on through the page's sliders, lists and
# buttons to Download, Enter; Download shows the printer's top adjustment for
# thick paper (2).
xdotool key ctrl+Tab
[ "$(probe selected main 1024 | tr -d '\r')" = 1 ] || { echo "Ctrl+Tab did not switch tabs"; exit 1; }
# The sliders of Plain Paper and Envelope with their group, each in two.
for slider in 1036:1043:1037 1036:1045:1041 1046:1047:1048 1046:1059:1060; do
  group=${slider%%:*} rest=${slider#*:}
  named_with "${rest#*:}" "$group" "${rest%:*}" 51
done
xdotool key --delay 50 $(for _ in $(seq 18); do printf 'Tab '; done)
focus=$(probe focus main | tr -d '\r')
[ "$focus" = 1083 ] || { echo "18 Tabs from the tabs reached control $focus, not Download"; exit 1; }
xdotool key Return
for _ in $(seq 30); do [ "$(probe text main 1040 | tr -d '\r')" = 2 ] && break; sleep 0.1; done
[ "$(probe text main 1040 | tr -d '\r')" = 2 ] || { echo "Enter on Download did not download"; exit 1; }
xdotool key ctrl+Prior
[ "$(probe selected main 1024 | tr -d '\r')" = 0 ] || { echo "Ctrl+PageUp did not switch back"; exit 1; }

# Every other window: tabs, the service mode behind the password, the About
# box, the configuration window's seven tabs, the save prompt and its
# question, a message box.
probe tab main 1024 1
snap main 3_user_service
probe type main 1015 ZELQORN tab main 1024 2
snap main 4_service_mode
probe click main 1025
snap about 5_about
probe click about 1023 tab main 1024 0 click main 1003 wait config
# The configuration window's tabs by keys too (it runs a modal loop of its own).
xdotool key ctrl+Next ctrl+Next ctrl+shift+Tab
[ "$(probe selected config 1033 | tr -d '\r')" = 1 ] ||
  { echo "Ctrl+PageDown and Ctrl+Shift+Tab do not switch the configuration window's tabs"; exit 1; }
for tab in 0 1 2 3 4 5 6; do
  probe tab config 1033 $tab
  snap config 6_config_$tab
done
# "Save": the save prompt; saving a second time over the same file asks first.
export_path=$(printf 'Z:%s/export.INI' "$work" | tr / '\\')  # the prompt takes no slashes
probe click config 1024
snap save 6_save_prompt
probe save-as "$export_path"
for _ in $(seq 50); do [ -s "$work/export.INI" ] && break; sleep 0.1; done
[ -s "$work/export.INI" ] || { echo "the export was not written"; exit 1; }
rm "$work/export.INI"
: >"$work/export.INI"
probe click config 1024 save-as "$export_path"
snap message 6_replace_question
probe yes
for _ in $(seq 50); do [ -s "$work/export.INI" ] && break; sleep 0.1; done
[ -s "$work/export.INI" ] || { echo "the export did not replace the file"; exit 1; }
probe click config 1023 click main 1021
snap message 7_message
probe answer

# "Exit" from the icon's menu, with real clicks.
xdotool mousemove "$tray_x" "$tray_y" click 3
snap menu 8_menu
item=$(probe menu-item 1)
set -- $item
xdotool mousemove "$1" "$2" click 1
probe gone
for _ in $(seq 50); do kill -0 "$demo_pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$demo_pid" 2>/dev/null; then echo "the program did not end after Exit"; exit 1; fi
demo_pid=
echo "desktop test $name passed"
