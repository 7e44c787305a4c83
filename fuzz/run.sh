#!/bin/sh
# Builds the fuzz targets with clang in build/fuzz and runs each for a bounded
# time (seconds, default 20), starting from the committed corpus. New inputs
# go to build/fuzz/corpus-<target>; a crash leaves its input in build/fuzz.
set -eu
seconds=${1:-20}
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/fuzz"

cmake -S "$root/fuzz" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMERET_FUZZ=ON
cmake --build "$build" -j2

for target in load_stream load_clipboard; do
  work="$build/corpus-$target"
  mkdir -p "$work"
  echo "== $target: $seconds s"
  (cd "$build" && "./${target}_fuzzer" -max_total_time="$seconds" -print_final_stats=1 \
    -rss_limit_mb=2048 "$work" "$root/fuzz/corpus/$target")
done
