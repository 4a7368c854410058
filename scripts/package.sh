#!/usr/bin/env bash
# Builds the Debian package vireo_<version>_<arch>.deb from this source tree with
# dpkg-buildpackage (debian/ holds the packaging) and checks it with lintian, which must report no
# error. The package lands in OUT_DIR (default: dist/ in the source tree).
# Usage: scripts/package.sh [OUT_DIR]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$here/dist}
"$here/scripts/deps.sh" package

version=$(sed -n 's/^project(Vireo VERSION \([0-9.]*\).*/\1/p' "$here/CMakeLists.txt")
changelog=$(dpkg-parsechangelog -l "$here/debian/changelog" -S Version)
if [ "$version" != "$changelog" ]; then
  echo "package.sh: CMakeLists.txt says version $version, debian/changelog says $changelog; make them agree" >&2
  exit 1
fi
arch=$(dpkg --print-architecture)

work=$(mktemp -d "${TMPDIR:-/tmp}/vireo-package.XXXXXX")
trap 'rm -rf "$work"' EXIT
src=$work/vireo-$version
mkdir -p "$src"
# The sources as they lie (a clone or an unpacked copy), without build folders.
if git -C "$here" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  (cd "$here" && git ls-files -z --cached --others --exclude-standard | xargs -0 tar -cf - --no-recursion) | tar -C "$src" -xf -
else
  tar -C "$here" --exclude='./build*' --exclude='./dist' --exclude='./.git' -cf - . | tar -C "$src" -xf -
fi

# ccache, when the machine has it and VIREO_CCACHE=1, shortens a rebuild.
if [ "${VIREO_CCACHE:-0}" = 1 ] && [ -d /usr/lib/ccache ]; then
  export PATH=/usr/lib/ccache:$PATH
fi
(cd "$src" && DEB_BUILD_OPTIONS="parallel=2 ${DEB_BUILD_OPTIONS:-}" dpkg-buildpackage -us -uc -b) > "$work/build.log" 2>&1 || {
  tail -60 "$work/build.log"
  echo "package.sh: dpkg-buildpackage failed (the log's end is above)" >&2
  exit 1
}
deb=$work/vireo_${version}_${arch}.deb
[ -f "$deb" ] || { echo "package.sh: no $deb was built" >&2; exit 1; }

echo "lintian:"
lintian --fail-on error --tag-display-limit 0 "$deb" | sed 's/^/  /' || {
  echo "package.sh: lintian reports errors" >&2
  exit 1
}
mkdir -p "$out"
cp "$deb" "$out/"
echo "Package: $out/$(basename "$deb") ($(du -k "$deb" | cut -f1) KiB; installed size $(dpkg-deb -f "$deb" Installed-Size) KiB)"
echo "Depends: $(dpkg-deb -f "$deb" Depends)"
