# Sourced by the benchmarks under Wine: sets root, bits (LUMERET_BITS: 64, the
# default, or 32 for the shipped 32-bit build), driver (that build's
# bench/$1_driver.exe, which must exist) and folder, a fresh folder removed at
# exit that holds the lumeret.exe to measure when LUMERET_EXE names one
# (otherwise the driver copies its own build's there). The driver finds the
# start-up floors beside itself, so they are of the same build as well.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
bits=${LUMERET_BITS:-64}
case $bits in
  64) preset=windows64 ;;
  32)
    preset=windows
    . "$root/cmake/wine-env.sh"
    lumeret_detect_wine32
    [ "$lumeret_wine32" = yes ] || { echo "the 32-bit build cannot be measured here: $lumeret_wine32_why" >&2; exit 1; }
    ;;
  *) echo "LUMERET_BITS is 32 or 64, not $bits" >&2; exit 2 ;;
esac
driver="$root/build/$preset/bench/$1_driver.exe"
[ -f "$driver" ] || { echo "build the $preset preset first: $driver is missing" >&2; exit 1; }
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
if [ -n "${LUMERET_EXE:-}" ]; then cp "$LUMERET_EXE" "$folder/lumeret.exe"; fi
