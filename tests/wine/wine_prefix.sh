#!/bin/sh
# The Wine prefix the Windows tests run in, made once and kept in the build
# folder: the Windows fonts of Debian's fonts-wine copied in (Wine does not
# pick up system-wide ones), a CJK font behind the Windows CJK face names, a
# virtual desktop (no 2 s stall at every hide without a window manager); the
# programs of the desktop tests get one of their own, "Vantrel", since the
# default one may already belong to a session without a display.
# `start` also keeps one wineserver running for the whole test run; `stop`
# ends it.
set -eu
action=$1
export WINEPREFIX=$2
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

case $action in
stop)
  wineserver -k 2>/dev/null || true
  exit 0 ;;
start) ;;
*) echo "usage: $0 start|stop PREFIX" >&2; exit 2 ;;
esac

if [ ! -f "$WINEPREFIX/.vantrel-ready-5" ]; then
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  timeout -k 5 120 wineboot -i >/dev/null 2>&1 || true
  fonts="$WINEPREFIX/drive_c/windows/Fonts"
  mkdir -p "$fonts"
  for font in /usr/share/wine/fonts/*.ttf /usr/share/fonts/truetype/wqy/wqy-microhei.ttc; do
    [ -f "$font" ] && cp "$font" "$fonts/"
  done
  reg=$(mktemp)
  cat >"$reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="1280x800"
"Vantrel"="1280x800"

[HKEY_CURRENT_USER\Software\Wine\AppDefaults\vantrel-demo.exe\Explorer]
"Desktop"="Vantrel"

[HKEY_CURRENT_USER\Software\Wine\AppDefaults\vantrel.exe\Explorer]
"Desktop"="Vantrel"

[HKEY_CURRENT_USER\Software\Wine\AppDefaults\window-probe.exe\Explorer]
"Desktop"="Vantrel"

[HKEY_CURRENT_USER\Software\Wine\AppDefaults\startup-bench.exe\Explorer]
"Desktop"="Vantrel"

[HKEY_CURRENT_USER\Software\Wine\AppDefaults\vantrel_win32_tests.exe\Explorer]
"Desktop"="Vantrel"

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"MS UI Gothic"="WenQuanYi Micro Hei"
"SimSun"="WenQuanYi Micro Hei"
"PMingLiU"="WenQuanYi Micro Hei"
"Gulim"="WenQuanYi Micro Hei"
"Microsoft YaHei"="WenQuanYi Micro Hei"
"Meiryo UI"="WenQuanYi Micro Hei"
"Malgun Gothic"="WenQuanYi Micro Hei"
REG
  timeout -k 5 60 wine regedit "$reg" >/dev/null 2>&1 || true
  rm -f "$reg"
  timeout -k 5 60 wineserver -w || true
  [ -d "$WINEPREFIX/drive_c/windows" ] || { echo "wine_prefix: wineboot made no prefix" >&2; exit 1; }
  touch "$WINEPREFIX/.vantrel-ready-5"
fi
# One warm wineserver for the whole run, with Wine's own services started
# here: started by a test, they would keep its output pipe open after it ends.
wineserver -p >/dev/null 2>&1 </dev/null &
timeout -k 5 60 wine wineboot >/dev/null 2>&1 </dev/null || true
