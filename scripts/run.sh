#!/usr/bin/env bash
# The README's main job: builds the kit, starts the virtual printer on loopback
# and prtbench under Wine with its printer IP pointed at it, all inside a
# private network namespace. With a usable $DISPLAY the window is yours until
# you close it; without one it runs on a virtual screen, a screenshot is taken
# and the program is closed again.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

if [ "${KIT_NETNS:-}" != "1" ]; then
  scripts/deps.sh
  scripts/build.sh native windows
  exec scripts/netns-run "$0" "$@"
fi

demo="$root/build/demo"
mkdir -p "$demo/journal"
cp build/windows/prtbench/prtbench.exe "$demo/"
# NET, printer at the virtual printer's loopback address
[ -f "$demo/Printer.ini" ] || printf '[Printer Address]\r\nIP=127.0.0.1\r\n[Printer Set]\r\nPort Select=3\r\n' >"$demo/Printer.ini"

export WINEPREFIX="$demo/wineprefix" WINEARCH=win32 WINEDEBUG=-all
if [ ! -d "$WINEPREFIX" ]; then
  echo "run: preparing a Wine prefix for the demo (once)"
  WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1
  # Wine draws captions and frames itself, so windows look whole without a window manager
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1
  wineserver -w
fi

vprinter="$root/build/native/vprinter/vprinter"
if [ -x "$vprinter" ]; then
  "$vprinter" --tcp 127.0.0.1:9100 --journal "$demo/journal" >"$demo/vprinter.log" 2>&1 &
  echo "run: virtual printer listening on 127.0.0.1:9100; what it receives goes to $demo/journal"
fi

headless=1
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then headless=0; fi

if [ $headless -eq 0 ]; then
  echo "run: starting prtbench.exe under Wine on $DISPLAY; close its window to end"
  (cd "$demo" && wine prtbench.exe)
else
  displayfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1024x768x24 3>"$displayfile" >/dev/null 2>&1 &
  xvfb=$!
  trap 'kill $xvfb 2>/dev/null; wait $xvfb 2>/dev/null; rm -f "$displayfile"' EXIT
  for _ in $(seq 1 50); do [ -s "$displayfile" ] && break; sleep 0.1; done
  export DISPLAY=":$(cat "$displayfile")"
  echo "run: no display; starting prtbench.exe under Wine on a virtual screen"
  (cd "$demo" && wine prtbench.exe) &
  for _ in $(seq 1 60); do
    xwininfo -root -tree 2>/dev/null | grep -q '"Corvane Printer Tool"' && break
    sleep 0.5
  done
  sleep 1
  import -window root "$demo/prtbench.png"
  echo "run: prtbench's window is up; screenshot in $demo/prtbench.png"
  wineserver -k
fi
wineserver -k 2>/dev/null || true
echo "run: done"
