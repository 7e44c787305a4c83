# Sourced by the benchmarks under Wine: sets root, driver (the windows64
# build's bench/$1_driver.exe, which must exist) and folder, a fresh folder
# removed at exit that holds the lumeret.exe to measure when LUMERET_EXE
# names one (otherwise the driver copies the build's own there).
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
driver="$root/build/windows64/bench/$1_driver.exe"
[ -f "$driver" ] || { echo "build the windows64 preset first: $driver is missing" >&2; exit 1; }
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
if [ -n "${LUMERET_EXE:-}" ]; then cp "$LUMERET_EXE" "$folder/lumeret.exe"; fi
