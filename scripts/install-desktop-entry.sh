#!/usr/bin/env bash
# Writes Vireo's desktop menu entry for the program installed in HOME_DIR into the user's
# applications folder (or APPS_DIR), and checks it with desktop-file-validate when that exists.
# Usage: scripts/install-desktop-entry.sh HOME_DIR [APPS_DIR]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
home=$1
apps=${2:-${XDG_DATA_HOME:-$HOME/.local/share}/applications}
# Paths with characters that the desktop-entry format treats specially cannot be written safely.
case "$home" in
  *[[:space:]\"\'\\\$\`%]*) echo "install-desktop-entry.sh: no menu entry for a folder named '$home'" >&2; exit 1 ;;
esac
mkdir -p "$apps"
tmp=$(mktemp --suffix=.desktop "$apps/.vireo-XXXXXX")
sed "s|@HOME@|$home|g" "$here/data/vireo.desktop.in" > "$tmp"
if command -v desktop-file-validate >/dev/null 2>&1; then
  desktop-file-validate "$tmp" || { rm -f "$tmp"; exit 1; }
fi
chmod 644 "$tmp"
mv "$tmp" "$apps/vireo.desktop"
command -v update-desktop-database >/dev/null 2>&1 && update-desktop-database -q "$apps" 2>/dev/null || true
