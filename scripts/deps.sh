#!/usr/bin/env bash
# Installs the Debian packages Vireo needs that are missing. Usage: scripts/deps.sh [build|test|bench]
set -euo pipefail
kind=${1:-build}
pkgs=(cmake ninja-build g++ qt6-base-dev qt6-charts-dev libqt6opengl6-dev libsqlite3-dev libqt6sql6-sqlite qt6-qpa-plugins hamradio-files fonts-dejavu-core libhamlib-utils)
case "$kind" in
  test)  pkgs+=(libhamlib-utils chrony poppler-utils sqlite3) ;;
  look)  pkgs+=(xvfb xauth imagemagick) ;;
  bench) pkgs+=(libbenchmark-dev libhamlib-utils) ;;
  fuzz)  pkgs+=(clang libclang-rt-14-dev) ;;
esac
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
