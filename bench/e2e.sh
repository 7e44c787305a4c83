#!/usr/bin/env bash
# The end-to-end benchmark under Wine, not part of the tests: the real
# program (64-bit build) is started and worked from another process, and each
# figure is printed beside its floor, the same work done by the smallest
# program that can do it, in the same run. Compare the ratios: the machines
# are noisy.
#   xvfb-run -a -s '-screen 0 1024x768x24' bench/e2e.sh
# LUMERET_EXE=path measures another build of lumeret.exe. Needs the windows64
# build (cmake --preset windows64 && cmake --build --preset windows64).
set -euo pipefail
. "$(dirname "$0")/driver-folder.sh" e2e
bash "$root/cmake/wine-run.sh" 64 "$driver" run "Z:${folder//\//\\}"
