#!/usr/bin/env bash
# Installs what is missing, builds every build (native, native with sanitizers,
# windows 32-bit and 64-bit) and runs every test, native and under Wine on a
# virtual display. Exits non-zero when anything fails. Safe to run again.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

bash scripts/install-deps.sh

jobs=$(nproc)
for preset in native sanitize windows windows64; do
  echo "== build $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
done

status=0
echo "== test native"
ctest --preset native || status=1
echo "== test sanitize"
ctest --preset sanitize || status=1

# One virtual display and one Wine server for all Windows tests.
# Xvfb picks a free display number and tells it through the file.
display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.1; done
display=:$(head -n1 "$display_file")
rm -f "$display_file"
# No .NET or HTML engine is needed, so Wine never asks to install one.
export WINEPREFIX="$root/build/wineprefix" DISPLAY="$display" WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() {
  WINEPREFIX="$WINEPREFIX" wineserver -k >/dev/null 2>&1 || true
  kill "$xvfb_pid" >/dev/null 2>&1 || true
}
trap cleanup EXIT
for _ in $(seq 50); do xdpyinfo -display "$display" >/dev/null 2>&1 && break; sleep 0.1; done
WINEDEBUG=-all LANG=ja_JP.UTF-8 wineboot -i >/dev/null 2>&1 || true
# Without a window manager Wine waits for one each time a window is hidden;
# drawing the frames itself takes that wait away.
WINEDEBUG=-all wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 || true

echo "== test windows (Wine)"
ctest --preset windows || status=1
echo "== test windows64 (Wine)"
ctest --preset windows64 || status=1

if [ -x fuzz/run.sh ]; then
  echo "== fuzz (short)"
  bash fuzz/run.sh 10 || status=1
fi

if [ $status -ne 0 ]; then
  echo "Some checks FAILED"
else
  echo "All checks passed"
fi
exit $status
