#!/bin/sh
# Runs a Windows executable under Wine with the Japanese ANSI code page 932.
# The prefix lives in the build folder unless the caller chose one.
if [ -z "$WINEPREFIX" ]; then
  WINEPREFIX="$(cd "$(dirname "$0")/.." && pwd)/build/wineprefix"
fi
export WINEPREFIX
export WINEDEBUG=-all
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
export WINEDLLOVERRIDES="mscoree,mshtml="
exec wine "$@"
