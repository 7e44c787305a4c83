#!/usr/bin/env bash
# Installs what is missing, builds lumeret.exe and starts it under Wine on the
# current display. The program runs from $LUMERET_HOME (default ~/lumeret),
# which no rebuild touches, so its clip folders and settings file stay.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ -z "${DISPLAY:-}" ]; then
  echo "No display: set DISPLAY, or start a virtual one first (Xvfb :1 & export DISPLAY=:1)." >&2
  exit 1
fi

bash scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target lumeret

home="${LUMERET_HOME:-$HOME/lumeret}"
mkdir -p "$home"
cp build/windows/lumeret.exe "$home/lumeret.exe"
echo "Starting $home/lumeret.exe"
export WINEPREFIX="$home/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export LANG="${LUMERET_LANG:-ja_JP.UTF-8}" LC_ALL="${LUMERET_LANG:-ja_JP.UTF-8}"
cd "$home"
exec wine lumeret.exe
