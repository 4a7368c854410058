#!/usr/bin/env bash
# Installs what the tests need, builds Vireo with its tests and runs the whole suite.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${VIREO_BUILD_DIR:-$here/build-test}
"$here/scripts/deps.sh" test
"$here/scripts/test-tools.sh" "$build"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVIREO_BUILD_TESTS=ON ${VIREO_CMAKE_ARGS:-} >/dev/null
cmake --build "$build" -j2
cd "$build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 "$@"
