#!/usr/bin/env bash
# The end-to-end benchmark under Wine, not part of the tests: the real
# program is started and worked from another process, and each
# figure is printed beside its floor, the same work done by the smallest
# program that can do it, in the same run. Compare the ratios: the machines
# are noisy.
#   xvfb-run -a -s '-screen 0 1024x768x24' bench/e2e.sh
# Measures the 64-bit build (cmake --preset windows64 && cmake --build --preset
# windows64), or with LUMERET_BITS=32 the shipped 32-bit one (preset windows),
# where this machine runs 32-bit code. LUMERET_EXE=path measures another
# lumeret.exe of the same bitness.
set -euo pipefail
. "$(dirname "$0")/driver-folder.sh" e2e
bash "$root/cmake/wine-run.sh" "$bits" "$driver" run "Z:${folder//\//\\}"
