#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer and UndefinedBehaviorSanitizer) and runs
# each for a bounded time. Usage: scripts/fuzz.sh [seconds per target, default 60]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
build=$here/build-fuzz
"$here/scripts/deps.sh" fuzz
CXX=clang++ CC=clang cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVIREO_FUZZ=ON -DVIREO_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j2
mkdir -p "$build/corpus" "$build/findings"
status=0
for t in "$build"/fuzz/fuzz_*; do
  [ -f "$t" ] && [ -x "$t" ] || continue
  name=$(basename "$t")
  mkdir -p "$build/corpus/$name"
  echo "== $name ($seconds s)"
  if ! (cd "$build/findings" && ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen \
        "$t" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 "$build/corpus/$name" 2>&1 \
        | grep -E "stat::number_of_executed_units|ERROR|SUMMARY|crash-|Done" ); then
    status=1
  fi
done
ls "$build/findings" | grep -E "^(crash|leak|timeout|oom)-" && status=1 || echo "no findings"
exit $status
