#!/usr/bin/env bash
# CMake's CMAKE_CROSSCOMPILING_EMULATOR for the two mingw builds: runs a
# Windows test executable under Wine with the Japanese ANSI code page 932.
# Usage: wine-run.sh 32|64 PROGRAM [ARGS...]
# The 64-bit build runs under the 64-bit loader in build/wineprefix64; the
# 32-bit one under Debian's wine in build/wineprefix (or the caller's
# WINEPREFIX). Where this machine cannot run 32-bit code the 32-bit tests exit
# 77, which CTest reports as skipped.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/cmake/wine-env.sh"
bits=$1
shift

if [ "$bits" = 32 ]; then
  lumeret_detect_wine32
  if [ "$lumeret_wine32" = no ]; then
    echo "Skipped: $lumeret_wine32_why. The 64-bit build's tests run with: xvfb-run -a ctest --preset windows64" >&2
    exit 77
  fi
fi
if [ -z "${DISPLAY:-}" ]; then
  echo "No X display: the Windows tests need one, e.g. xvfb-run -a ctest --preset windows$([ "$bits" = 64 ] && echo 64)" >&2
  exit 1
fi

lumeret_wine_env "$bits" "$(lumeret_test_prefix "$bits" "$root")"
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
lumeret_wine_test_prefix
exec "${lumeret_wine[@]}" "$@"
