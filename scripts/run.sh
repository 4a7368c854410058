#!/usr/bin/env bash
# Installs what Vireo needs, builds it, installs it into $VIREO_HOME (default ~/Vireo) with a
# desktop menu entry, and starts it there.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
home=${VIREO_HOME:-$HOME/Vireo}
"$here/scripts/deps.sh" build
cmake -S "$here" -B "$here/build-release" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVIREO_BUILD_TESTS=OFF >/dev/null
cmake --build "$here/build-release" -j2
# Installing a new executable drops the capability to set the clock; give it back if it was there.
had_cap=0
if [ -x "$home/vireo" ] && command -v getcap >/dev/null 2>&1 && getcap "$home/vireo" | grep -q cap_sys_time; then
  had_cap=1
fi
cmake --install "$here/build-release" --prefix "$home" >/dev/null
if [ $had_cap -eq 1 ]; then
  as_root=()
  [ "$(id -u)" -ne 0 ] && as_root=(sudo)
  "${as_root[@]}" setcap cap_sys_time+ep "$home/vireo" \
    || echo "Vireo can no longer set the clock: run  sudo setcap cap_sys_time+ep $home/vireo"
fi
"$here/scripts/install-desktop-entry.sh" "$home" \
  || echo "No desktop menu entry was made; start Vireo with: cd $home && ./vireo"
cd "$home"
exec ./vireo
