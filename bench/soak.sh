#!/usr/bin/env bash
# The soak benchmark under Wine, not part of the tests: the real program is
# worked from another process through the clipboard.
#   bench/soak.sh [CHANGES]   texts and small pictures in turn (default 10000);
#                             the program's memory and handle counts at the
#                             start and at the end should stay flat.
#   bench/soak.sh large       a 20000 x 10000 8-bit picture (200 MB), copied
#                             and registered, then a 100 MB text: memory
#                             after each step, peak memory and time.
# Measures the 64-bit build (cmake --preset windows64 && cmake --build --preset
# windows64), or with LUMERET_BITS=32 the shipped 32-bit one (preset windows),
# where this machine runs 32-bit code; LUMERET_EXE=path measures another
# lumeret.exe of the same bitness. Needs an X display (xvfb-run -a
# bench/soak.sh).
set -euo pipefail
. "$(dirname "$0")/driver-folder.sh" soak
mode=${1:-10000}

# The program's peak resident memory as Linux counts it (VmHWM of its Wine
# process, found by its folder), sampled until it ends: Wine keeps no peak
# figure of its own for another process.
watch_peak() {
  local tag pid="" f
  tag="$(basename "$folder")\\lumeret.exe"
  while sleep 0.2; do
    if [ -z "$pid" ]; then
      for f in /proc/[0-9]*/cmdline; do
        if { tr '\0' ' ' <"$f"; } 2>/dev/null | grep -qF "$tag"; then pid=${f#/proc/}; pid=${pid%/cmdline}; fi
      done
      continue
    fi
    awk '/VmHWM/ {print $2}' "/proc/$pid/status" >"$folder.peak.new" 2>/dev/null || break
    [ -s "$folder.peak.new" ] && mv "$folder.peak.new" "$folder.peak"
  done
}
watch_peak &
watcher=$!
trap 'kill "$watcher" 2>/dev/null || true; rm -rf "$folder" "$folder.peak"' EXIT

winfolder="Z:${folder//\//\\}"
if [ "$mode" = large ]; then
  bash "$root/cmake/wine-run.sh" "$bits" "$driver" large "$winfolder"
else
  bash "$root/cmake/wine-run.sh" "$bits" "$driver" soak "$winfolder" "$mode"
fi
kill "$watcher" 2>/dev/null || true
if [ -s "$folder.peak" ]; then
  echo "peak resident memory (VmHWM): $(( $(cat "$folder.peak") / 1024 )) MB"
fi
