#!/usr/bin/env bash
# The README's main job: builds the kit, starts the virtual printer on loopback
# and prtbench under Wine with its printer IP pointed at it, all inside a
# private network namespace. With a usable $DISPLAY the window is yours until
# you close it, with the virtual printer's web page open in Chromium beside
# it; without one it runs on a virtual screen, presses Print once, takes a
# screenshot of the window and of the page and closes the program again.
# Either way it ends by listing the bytes the virtual printer received.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

. scripts/wine-env
preset=$(kit_windows_preset)
if [ "${KIT_NETNS:-}" != "1" ]; then
  scripts/deps.sh
  scripts/build.sh native windows "$preset"
  exec scripts/netns-run "$0" "$@"
fi
kit_use_windows "$preset"

native=${KIT_NATIVE_BUILD:-$root/build/native}
windows=$KIT_WINDOWS_BUILD
demo=${KIT_DEMO_DIR:-$root/build/demo}
journal="$demo/journal"
mkdir -p "$demo"
# the package's layout, so Atualização finds myTitle\fwflash.exe and the dialogs their pictures
cmake --install "$windows" --prefix "$demo" >/dev/null

export WINEPREFIX="$demo/wineprefix-$WINEARCH" WINEDEBUG=-all
echo "run: Windows build: $(kit_windows_label "$preset")"
if [ ! -d "$WINEPREFIX" ]; then
  echo "run: preparing a Wine prefix for the demo (once)"
  WINEDLLOVERRIDES="mscoree,mshtml=" "$KIT_WINE" wineboot.exe -i >/dev/null 2>&1
  # Wine draws captions and frames itself, so windows look whole without a window manager
  "$KIT_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1
  wineserver -w
fi
if [ ! -f "$WINEPREFIX/.kit-fontlink" ]; then
  # Chinese texts: the dialog fonts borrow their missing glyphs from WenQuanYi
  for face in Tahoma "MS Shell Dlg" "MS Shell Dlg 2" "Microsoft Sans Serif" Arial; do
    "$KIT_WINE" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' /v "$face" \
      /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f >/dev/null 2>&1
  done
  wineserver -w
  touch "$WINEPREFIX/.kit-fontlink"
fi

headless=1
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then headless=0; fi

# NET to the virtual printer. A run on the virtual screen always starts from
# this; a run on your screen keeps the choices of your last run.
netini='[Printer Address]\r\nIP=127.0.0.1\r\n[Printer Set]\r\nPort Select=3\r\n'
if [ $headless -eq 1 ] || [ ! -f "$demo/Printer.ini" ]; then printf "$netini" >"$demo/Printer.ini"; fi

"$native/vprinter/vprinter" --tcp 127.0.0.1:9100 --web 127.0.0.1:8080 --journal "$journal" >"$demo/vprinter.log" 2>&1 &
vprinter=$!
for _ in $(seq 1 100); do [ -e "$journal/ready" ] && break; sleep 0.05; done
[ -e "$journal/ready" ] || { echo "run: the virtual printer did not start:"; cat "$demo/vprinter.log"; exit 1; }
page=$(cat "$journal/web")
echo "run: virtual printer listening on 127.0.0.1:9100"
echo "run: every connection it takes lands in $journal/conn-<n>.bin (events in $journal/journal.txt)"
echo "run: its page, with receipts as they print and switches for paper out and the rest: $page"
echo "run:   (inside this run's network namespace: a browser started by this script reaches it)"

# Chromium on the page, as root in this namespace: loopback is all it can
# reach, and it keeps no profile of yours.
chromium_flags=(--no-sandbox --disable-gpu --disable-quic --no-first-run --disable-background-networking
  --disable-component-update --disable-sync '--window-size=1280,1000')

# What the virtual printer received, connection by connection.
report() {
  touch "$journal/stop"
  wait "$vprinter" 2>/dev/null || true
  local files=("$journal"/conn-*.bin)
  if [ ! -e "${files[0]}" ]; then
    echo "run: the virtual printer received nothing"
    return
  fi
  for f in "${files[@]}"; do
    echo "run: $(basename "$f"): $(stat -c %s "$f") bytes: $(od -An -tx1 -v "$f" | head -c 300 | tr -s ' \n' ' ')"
  done
}

if [ $headless -eq 0 ]; then
  if command -v chromium >/dev/null; then
    echo "run: opening the page in Chromium"
    chromium "${chromium_flags[@]}" --user-data-dir="$(mktemp -d)" --new-window "$page" >"$demo/chromium.log" 2>&1 &
  fi
  echo "run: starting prtbench.exe under Wine on $DISPLAY; type some text, press Print, close the window to end"
  (cd "$demo" && "$KIT_WINE" prtbench.exe) || true
  wineserver -w
  report
  echo "run: done"
  exit 0
fi

displayfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 3>"$displayfile" >/dev/null 2>&1 &
xvfb=$!
trap 'wineserver -k 2>/dev/null || true; kill $xvfb 2>/dev/null; wait $xvfb 2>/dev/null; rm -f "$displayfile"' EXIT
for _ in $(seq 1 50); do [ -s "$displayfile" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$displayfile")"
echo "run: no display; starting prtbench.exe under Wine on a virtual screen"
(cd "$demo" && "$KIT_WINE" prtbench.exe >/dev/null 2>&1) &
prtbench=$!
for _ in $(seq 1 120); do
  xwininfo -root -tree 2>/dev/null | grep -q '"Corvane Printer Tool"' && break
  sleep 0.5
done
clicker="$windows/tests/e2e/prtbench_demo_print.exe"
echo "run: pressing Print; the status line says:"
"$KIT_WINE" "$clicker" print "${KIT_DEMO_LANGUAGE:-}" 2>/dev/null | sed 's/^/run:   /' || echo "run:   (no answer)"
sleep 1
import -window root "$demo/prtbench.png"
echo "run: screenshot of the window after the print: $demo/prtbench.png"
if command -v chromium >/dev/null; then
  timeout 60 chromium --headless "${chromium_flags[@]}" --user-data-dir="$(mktemp -d)" --virtual-time-budget=3000 \
    --screenshot="$demo/page.png" "$page" >"$demo/chromium.log" 2>&1 &&
    echo "run: screenshot of the printer's page after the print: $demo/page.png" ||
    echo "run: no screenshot of the page: Chromium failed (see $demo/chromium.log)"
fi
"$KIT_WINE" "$clicker" close >/dev/null 2>&1 || true
wait "$prtbench" 2>/dev/null || true
report
echo "run: prtbench saved its settings in $demo/Printer.ini"
echo "run: done"
