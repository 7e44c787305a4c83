#!/usr/bin/env bash
# Builds the release (both mingw builds, Release, no tests) and writes
# dist/lumeret-<version>.zip with lumeret.exe (32-bit), x64/lumeret.exe and
# a Japanese read-me. Same sources give the same bytes: the executables carry
# no link time stamp (CMakeLists.txt) and no symbols, and the zip has a fixed
# entry order and fixed times (SOURCE_DATE_EPOCH, else the last commit's time).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

for arch in i686 x86_64; do
  echo "== build release $arch"
  cmake -S . -B "build/release-$arch" -G Ninja -DCMAKE_TOOLCHAIN_FILE="cmake/mingw-$arch.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DLUMERET_TESTS=OFF >/dev/null
  cmake --build "build/release-$arch" --target lumeret
done

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/release-i686/CMakeCache.txt)
epoch=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || echo 315532800)}
zip="dist/lumeret-$version.zip"
mkdir -p dist

# Debian's Python, not whichever one comes first in PATH: its zlib is the one
# the bytes of the zip were checked with.
/usr/bin/python3 - "$zip" "$version" "$epoch" <<'PY'
import os, sys, time, zipfile

zip_path, version, epoch = sys.argv[1], sys.argv[2], int(sys.argv[3])
# The read-me as Notepad on any Japanese Windows reads it: UTF-8 with a BOM,
# CRLF line ends.
with open("scripts/release-readme.ja.txt", encoding="utf-8") as f:
    text = f.read().replace("@VERSION@", version)
readme = "\ufeff".encode("utf-8") + text.replace("\r\n", "\n").replace("\n", "\r\n").encode("utf-8")
entries = [
    ("lumeret.exe", open("build/release-i686/lumeret.exe", "rb").read()),
    ("x64/lumeret.exe", open("build/release-x86_64/lumeret.exe", "rb").read()),
    ("はじめにお読みください.txt", readme),
]
stamp = time.gmtime(max(epoch, 315532800))[:6]  # zip times start in 1980
tmp = zip_path + ".tmp"
with zipfile.ZipFile(tmp, "w") as z:
    for name, data in entries:
        info = zipfile.ZipInfo(name, stamp)
        info.compress_type = zipfile.ZIP_DEFLATED
        # Made on Unix, a plain rw-r--r-- file: unzip then keeps the UTF-8
        # name too (for a zip made on MS-DOS it converts from an OEM page).
        info.create_system = 3
        info.external_attr = 0o100644 << 16
        # A name that is not ASCII gets the UTF-8 flag (bit 11) from zipfile.
        z.writestr(info, data, compresslevel=9)
os.replace(tmp, zip_path)
PY
sha256sum "$zip"
