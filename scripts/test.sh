#!/usr/bin/env bash
# Installs what the tests need, checks the spelling and the C++ format (VIREO_FORMAT_CHECK=0 skips
# the format), builds Vireo with its tests, warnings counting as errors, and runs the whole suite.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${VIREO_BUILD_DIR:-$here/build-test}
"$here/scripts/deps.sh" test
style=(spelling)
[ "${VIREO_FORMAT_CHECK:-1}" = 1 ] && style+=(format)
"$here/scripts/style.sh" --check "${style[@]}"
"$here/scripts/test-tools.sh" "$build"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVIREO_BUILD_TESTS=ON -DVIREO_WERROR=ON \
  ${VIREO_CMAKE_ARGS:-} >/dev/null
cmake --build "$build" -j2
cd "$build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 "$@"
