#!/usr/bin/env bash
# Puts the programs the tests run but the computer must not get as services into the build
# folder: chronyd, unpacked from Debian's chrony package (installing the package would replace
# the computer's time service), and the PulseAudio daemon, unpacked from Debian's pulseaudio
# package (installed, it would become every user's sound service, beside PipeWire where that
# runs); the audio tests start it on a socket of their own. Usage: scripts/test-tools.sh BUILD_DIR
set -euo pipefail
dest=$1/test-tools
[ -x "$dest/usr/sbin/chronyd" ] && [ -x "$dest/usr/bin/pulseaudio" ] && exit 0
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
chmod 755 "$tmp"
fetch() { (cd "$tmp" && apt-get download -q chrony pulseaudio >/dev/null 2>&1); }
if ! fetch; then
  # Package lists that were never fetched or are out of date.
  as_root=()
  [ "$(id -u)" -ne 0 ] && as_root=(sudo)
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  fetch || { echo "test-tools.sh: could not download the chrony and pulseaudio packages" >&2; exit 1; }
fi
mkdir -p "$dest"
dpkg-deb -x "$tmp"/chrony_*.deb "$dest"
dpkg-deb -x "$tmp"/pulseaudio_*.deb "$dest"
"$dest/usr/sbin/chronyd" -v
core=$(ls "$dest"/usr/lib/*/pulseaudio/libpulsecore-*.so | head -n 1)
LD_LIBRARY_PATH=$(dirname "$core") "$dest/usr/bin/pulseaudio" --version
