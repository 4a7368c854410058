#!/usr/bin/env bash
# Keeps the English texts, translations/en/<folder>.ts, up to date with the texts that each
# folder src/<folder>/ (with its ui/) puts through tr(): new texts are added unfinished, texts
# gone from the code are dropped. The .ts files are then translated by hand (Qt Linguist, or any
# editor: each <message> holds the Russian <source> and the English <translation>).
#   scripts/translations.sh [FOLDER...]          updates the files (all folders by default)
#   scripts/translations.sh --check [FOLDER...]  fails when a file is not up to date
set -euo pipefail
cd "$(dirname "$0")/.."
check=0
if [ "${1:-}" = --check ]; then check=1; shift; fi
lupdate=${LUPDATE:-}
if [ -z "$lupdate" ]; then
  for c in /usr/lib/qt6/bin/lupdate "$(command -v lupdate6 || true)"; do
    [ -n "$c" ] && [ -x "$c" ] && { lupdate=$c; break; }
  done
fi
[ -n "$lupdate" ] || { echo "translations.sh: lupdate not found (Debian package qt6-l10n-tools)" >&2; exit 1; }
folders=("$@")
if [ ${#folders[@]} -eq 0 ]; then
  for d in src/*/; do folders+=("$(basename "$d")"); done
fi
out=translations/en
tmp=
if [ $check -eq 1 ]; then
  tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT
  cp -a translations/en/. "$tmp/" 2>/dev/null || true
  out=$tmp
fi
mkdir -p "$out"
stale=()
for f in "${folders[@]}"; do
  [ -d "src/$f" ] || { echo "translations.sh: no folder src/$f" >&2; exit 2; }
  "$lupdate" -silent -no-obsolete -locations none -source-language ru_RU -target-language en_US \
    -I src -extensions cpp,h "src/$f" -ts "$out/$f.ts"
  if [ $check -eq 1 ] && ! cmp -s "$out/$f.ts" "translations/en/$f.ts"; then
    stale+=("translations/en/$f.ts")
  fi
done
if [ ${#stale[@]} -gt 0 ]; then
  echo "translations.sh: not up to date with the code (run scripts/translations.sh): ${stale[*]}" >&2
  exit 1
fi
