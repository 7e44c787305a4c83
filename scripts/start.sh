#!/usr/bin/env bash
# Installs what is missing, builds lumeret.exe and starts it under Wine on the
# current display. The program runs from $LUMERET_HOME (default ~/lumeret),
# which no rebuild touches, so its clip folders and settings file stay.
# The 32-bit build is the one started; on a machine that cannot run 32-bit
# code the 64-bit build is started instead, in a 64-bit prefix of its own.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ -z "${DISPLAY:-}" ]; then
  echo "No display: set DISPLAY, or start a virtual one first (Xvfb :1 & export DISPLAY=:1)." >&2
  exit 1
fi

# The program writes its clips and settings beside itself: find out now, not
# after the build. Root ignores permission bits, so try to write a file.
home="${LUMERET_HOME:-$HOME/lumeret}"
probe="$home/.lumeret-write-test"
if ! { mkdir -p "$home" && : >"$probe"; } 2>/dev/null; then
  echo "Cannot write to $home: choose a writable folder with LUMERET_HOME=/path/to/folder." >&2
  exit 1
fi
rm -f "$probe"

bash scripts/install-deps.sh

if ! xdpyinfo >/dev/null 2>&1; then
  echo "The display $DISPLAY does not answer: start it first (Xvfb :1 & export DISPLAY=:1)." >&2
  exit 1
fi

. cmake/wine-env.sh
lumeret_detect_wine32
if [ "$lumeret_wine32" = yes ]; then
  preset=windows bits=32 prefix="$home/wineprefix"
else
  preset=windows64 bits=64 prefix="$home/wineprefix64"
fi
lumeret_wine_env "$bits" "$prefix" || exit 1
[ "$bits" = 64 ] && echo "Starting the 64-bit build: $lumeret_wine32_why."

cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target lumeret
cp "build/$preset/lumeret.exe" "$home/lumeret.exe"
export LANG="${LUMERET_LANG:-ja_JP.UTF-8}" LC_ALL="${LUMERET_LANG:-ja_JP.UTF-8}"

# On a display without a window manager Wine draws the frames and captions
# itself; the marker remembers that setting, so it changes only when needed.
managed=N
[[ $(xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null) == *"window id"* ]] && managed=Y
unmanaged_marker="$WINEPREFIX/.lumeret-unmanaged"
# A new prefix is made quietly first (Wine's notes while making it are no
# news) with the setting this display needs; a failure shows when the program
# starts, and the next start makes the prefix again.
if [ ! -f "$WINEPREFIX/.lumeret-ready" ]; then
  echo "Making the Wine prefix $WINEPREFIX (once)"
  if lumeret_wine_prefix lumeret_wine_managed "$managed"; then
    if [ "$managed" = N ]; then touch "$unmanaged_marker"; else rm -f "$unmanaged_marker"; fi
  fi
fi
was=Y
[ -f "$unmanaged_marker" ] && was=N
if [ "$managed" != "$was" ] && lumeret_wine_managed "$managed"; then
  if [ "$managed" = N ]; then touch "$unmanaged_marker"; else rm -f "$unmanaged_marker"; fi
fi

echo "Starting $home/lumeret.exe"
cd "$home"
exec "${lumeret_wine[@]}" lumeret.exe
