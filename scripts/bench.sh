#!/usr/bin/env bash
# Builds the benchmarks in Release and runs them; each prints its figures next to their goals.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$here/build-bench
"$here/scripts/deps.sh" bench
# The audio benchmark records from a PulseAudio of its own, unpacked as for the tests.
"$here/scripts/test-tools.sh" "$build"
export VIREO_TEST_TOOLS=$build/test-tools
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVIREO_BUILD_TESTS=OFF -DVIREO_BUILD_BENCH=ON >/dev/null
cmake --build "$build" -j2
for b in "$build"/bench/bench_*; do
  [ -f "$b" ] && [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  QT_QPA_PLATFORM=offscreen "$b"
done
