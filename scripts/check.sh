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
# The native tests write scratch files under TMPDIR: a folder of this run's
# own, so test runs of other checkouts on the machine at the same time do not
# touch them.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
echo "== test native"
TMPDIR=$scratch ctest --preset native || status=1
echo "== test sanitize"
TMPDIR=$scratch ctest --preset sanitize || status=1

# Whether this machine runs 32-bit code decides which Windows tests can run.
. cmake/wine-env.sh
lumeret_detect_wine32

# One virtual display for all Windows tests.
# Xvfb picks a free display number and tells it through the file.
display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.1; done
display_number=$(head -n1 "$display_file")
rm -f "$display_file"
# Each build's tests use its own prefix in build/ (see cmake/wine-run.sh), the
# 32-bit one here whatever the caller's WINEPREFIX; on exit only the Wine
# servers of those prefixes are ended.
export WINEPREFIX="$root/build/wineprefix"
cleanup() {
  (lumeret_wine_env 64 "$(lumeret_test_prefix 64 "$root")" 2>/dev/null && lumeret_wine_stop) || true
  if [ "$lumeret_wine32" = yes ]; then
    (lumeret_wine_env 32 "$(lumeret_test_prefix 32 "$root")" 2>/dev/null && lumeret_wine_stop) || true
  fi
  kill "$xvfb_pid" >/dev/null 2>&1 || true
  if [ -n "${small_disk:-}" ]; then umount "$small_disk" 2>/dev/null || true; fi
  rm -rf "$scratch"
}
trap cleanup EXIT
if [ -z "$display_number" ]; then
  echo "Xvfb did not start, so the Windows tests cannot run: FAILED" >&2
  exit 1
fi
export DISPLAY=:$display_number
# A file system of 64 KiB for the tests of a full disk, where this machine
# lets the check mount one; those tests are skipped otherwise. Wine sees it
# through drive Z:.
small_disk="$scratch/small-disk"
mkdir -p "$small_disk"
if mount -t tmpfs -o size=64k tmpfs "$small_disk" 2>/dev/null; then
  export LUMERET_SMALL_DISK="Z:${small_disk//\//\\}"
else
  small_disk=
  echo "No small file system could be mounted here, so the tests of a full disk are skipped."
fi
for _ in $(seq 50); do xdpyinfo -display "$DISPLAY" >/dev/null 2>&1 && break; sleep 0.1; done

if [ "$lumeret_wine32" = yes ]; then
  echo "== test windows (Wine)"
  ctest --preset windows || status=1
else
  echo "The 32-bit Windows tests were built but not run: $lumeret_wine32_why."
fi
echo "== test windows64 (Wine, 64-bit loader)"
if (lumeret_wine_env 64 "$(lumeret_test_prefix 64 "$root")"); then
  ctest --preset windows64 || status=1
else
  status=1
fi

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
