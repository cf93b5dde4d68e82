#!/bin/sh
# window-fit.exe at 96, 120, 144, 168 and 192 dots per inch, every language
# in one run each. Wine reads the resolution from the user's LogPixels when
# a program starts, so the runs start one after the other and then measure
# side by side. The one at 144 also saves the three pages in English, German
# and Japanese as SHOTS/fit150_LANGUAGE_PAGE.png. Then all again at 192 on a
# desktop of 1920x1080, where the program makes the larger windows' font
# smaller to fit, and where it opens each window.
# It runs in a copy of the test prefix, removed afterwards: the resolution it
# sets would reach every program started in the prefix, and the other tests
# run beside it.
#
# usage: window_fit_test.sh PROBE SHOTS   (on an X server: on_xvfb.sh)
set -u
probe=$1 shots=$2
shared="${VANTREL_WINEPREFIX:?VANTREL_WINEPREFIX names the test prefix}"
export WINEPREFIX="$shared-fit"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$shots"
work=$(mktemp -d)
reg_add() { timeout -k 5 30 wine reg add "$@" /f >/dev/null 2>&1; }
resolution() { reg_add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1"; }
end() {
  timeout -k 5 20 wineserver -k 2>/dev/null || true
  timeout -k 5 30 wineserver -w 2>/dev/null || true
  rm -rf "$work" "$WINEPREFIX"
}
trap end EXIT
# The server saves the registry to a new file and renames it: a copy made
# while it runs is whole.
rm -rf "$WINEPREFIX"
cp -a "$shared" "$WINEPREFIX" || exit 1
# A virtual desktop of its own, large enough for the main window at 200 %.
reg_add 'HKCU\Software\Wine\AppDefaults\window-fit.exe\Explorer' /v Desktop /d Fit
reg_add 'HKCU\Software\Wine\Explorer\Desktops' /v Fit /d 2560x1600
for dpi in 96 120 144 168 192; do
  resolution "$dpi"
  set --
  [ "$dpi" = 144 ] && set -- --shots "$(winepath -w "$work")"
  (timeout -k 5 500 wine "$probe" "$@" >"$work/$dpi.out" 2>&1; echo $? >"$work/$dpi.status") &
  for _ in $(seq 300); do grep -q "at $dpi dpi" "$work/$dpi.out" 2>/dev/null && break; sleep 0.1; done
done
wait
# The desktop is named anew so that the large one, still closing, is not reused.
reg_add 'HKCU\Software\Wine\AppDefaults\window-fit.exe\Explorer' /v Desktop /d Fit1080
reg_add 'HKCU\Software\Wine\Explorer\Desktops' /v Fit1080 /d 1920x1080
resolution 192
timeout -k 5 300 wine "$probe" >"$work/placed.out" 2>&1
echo $? >"$work/placed.status"
failed=0
for run in 96 120 144 168 192 placed; do
  [ "$run" = placed ] && echo "192 dpi on 1920x1080:"
  tr -d '\r' <"$work/$run.out" | grep -v ' dpi$' | tail -30
  tr -d '\r' <"$work/$run.out" | grep -q 'findings$' || echo "window-fit did not finish ($run)"
  [ "$(cat "$work/$run.status")" = 0 ] || failed=1
done
for shot in "$work"/*.bmp; do
  [ -f "$shot" ] && convert "$shot" "$shots/fit150_$(basename "$shot" .bmp).png"
done
exit $failed
