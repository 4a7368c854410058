#!/usr/bin/env bash
# Puts the programs the tests run but the computer must not get as services into the build
# folder: chronyd, unpacked from Debian's chrony package (installing the package would replace
# the computer's time service). Usage: scripts/test-tools.sh BUILD_DIR
set -euo pipefail
dest=$1/test-tools
[ -x "$dest/usr/sbin/chronyd" ] && exit 0
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
chmod 755 "$tmp"
fetch() { (cd "$tmp" && apt-get download -q chrony >/dev/null 2>&1); }
if ! fetch; then
  # Package lists that were never fetched or are out of date.
  as_root=()
  [ "$(id -u)" -ne 0 ] && as_root=(sudo)
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  fetch || { echo "test-tools.sh: could not download the chrony package" >&2; exit 1; }
fi
mkdir -p "$dest"
dpkg-deb -x "$tmp"/chrony_*.deb "$dest"
"$dest/usr/sbin/chronyd" -v
