#!/usr/bin/env bash
# Installs what Vireo needs, builds it, installs it into $VIREO_HOME (default ~/Vireo) and starts it there.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
home=${VIREO_HOME:-$HOME/Vireo}
"$here/scripts/deps.sh" build
cmake -S "$here" -B "$here/build-release" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVIREO_BUILD_TESTS=OFF >/dev/null
cmake --build "$here/build-release" -j2
cmake --install "$here/build-release" --prefix "$home" >/dev/null
cd "$home"
exec ./vireo
