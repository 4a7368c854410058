#!/usr/bin/env bash
# The desktop menu entry that the run command installs: valid, starting the program in its own
# folder (where the log is found), with the program's icon; a folder name the format cannot
# carry safely gets no entry instead of a broken one.
set -euo pipefail
src=$(cd "$(dirname "$0")/../.." && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

"$src/scripts/install-desktop-entry.sh" /home/swl/Vireo "$tmp/apps"
f=$tmp/apps/vireo.desktop
[ -f "$f" ] || fail "no entry written"
desktop-file-validate "$f" || fail "desktop-file-validate refused the entry"
grep -qx 'Path=/home/swl/Vireo' "$f" || fail "Path is not the install folder"
grep -qx 'Exec=/home/swl/Vireo/vireo' "$f" || fail "Exec is not the installed program"
grep -qx 'Icon=/home/swl/Vireo/vireo.svg' "$f" || fail "Icon is not the installed icon"
grep -q '^Categories=.*HamRadio;' "$f" || fail "not in the ham-radio category"
grep -q '^Comment=.*наблюдателя' "$f" || fail "the comment is not Russian"
[ -z "$(ls -A "$tmp/apps" | grep -v -e '^vireo.desktop$' -e '^mimeinfo.cache$')" ] || fail "temporary files left behind"
grep -q '<svg' "$src/data/vireo.svg" || fail "the icon is not an SVG file"

if "$src/scripts/install-desktop-entry.sh" "/home/swl/my logs" "$tmp/apps2" 2>/dev/null; then
  fail "a folder name with a blank was accepted"
fi
[ ! -e "$tmp/apps2/vireo.desktop" ] || fail "an entry was written for a folder name with a blank"
echo "desktop entry: every check passed"
