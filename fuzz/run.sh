#!/bin/sh
# Builds the fuzz targets with clang in build/fuzz and runs each, starting
# from the committed corpus, for a bounded time (seconds, default 20) or,
# given a second argument, for that many runs (then the time is unbounded
# unless the first argument is above 0):
#   fuzz/run.sh 10             each target for 10 seconds (the test command)
#   fuzz/run.sh 0 10000000     each target for ten million runs
# New inputs go to build/fuzz/corpus-<target>; a crash leaves its input in
# build/fuzz. FUZZ_TARGETS chooses targets (default: all).
set -eu
seconds=${1:-20}
runs=${2:-}
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/fuzz"
targets=${FUZZ_TARGETS:-"load_stream load_clipboard settings_reader clip_text clipboard_preview"}

cmake -S "$root/fuzz" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMERET_FUZZ=ON
cmake --build "$build" -j2

for target in $targets; do
  work="$build/corpus-$target"
  mkdir -p "$work"
  if [ -n "$runs" ]; then
    limit="-runs=$runs -max_total_time=$seconds"
    echo "== $target: $runs runs"
  else
    limit="-max_total_time=$seconds"
    echo "== $target: $seconds s"
  fi
  # shellcheck disable=SC2086
  (cd "$build" && "./${target}_fuzzer" $limit -print_final_stats=1 \
    -rss_limit_mb=2048 "$work" "$root/fuzz/corpus/$target")
done
