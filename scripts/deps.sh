#!/usr/bin/env bash
# Installs the Debian 12 packages Vireo needs that are missing, through apt-get (as root, or
# through sudo). Nothing else on the machine is changed: no service is installed or replaced.
# Usage: scripts/deps.sh [build|test|bench|look|fuzz|style]
#   build  what the build and the program need (the run command)
#   test   build + what the test suite needs (the test command)
#   bench  build + Google Benchmark and the sqlite3 program (the floor of the import benchmark)
#   look   build + Xvfb and ImageMagick, for screenshots
#   fuzz   build + clang and its fuzzing runtime
#   style  the style tools of scripts/style.sh: clang-format, clang-tidy and codespell
#   package build + build-essential, the Debian packaging tools and lintian (scripts/package.sh)
set -euo pipefail
kind=${1:-build}
# Build: compiler and tools, Qt 6 (widgets, SQL, charts, multimedia), SQLite headers (trace and
# online backup), Ogg Opus (libopusenc to write the recordings, libopusfile and libogg to read
# them; pkg-config finds them), fonts. Run time: the SQLite driver, Qt's platform plugins, the
# country and contest-call files (hamradio-files), Hamlib's rigctld/rigctl (libhamlib-utils) for
# the radios, and for the receiver's audio Qt Multimedia (libqt6multimedia6), whose sound devices
# on Linux go through the PulseAudio client library (libpulse0) to the desktop's sound server:
# PulseAudio, or PipeWire with pipewire-pulse, both of which Debian 12 desktops run already;
# Qt's own Russian texts (qtbase_ru.qm, qt6-translations-l10n). The English texts are compiled at
# build time by lrelease (qt6-l10n-tools, with its CMake package in qt6-tools-dev); lupdate, in the
# same package, keeps translations/en up to date (scripts/translations.sh).
pkgs=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-charts-dev qt6-multimedia-dev libqt6opengl6-dev
      qt6-tools-dev qt6-l10n-tools
      libsqlite3-dev libopusenc-dev libopusfile-dev libogg-dev libopus-dev
      libqt6sql6-sqlite qt6-qpa-plugins qt6-translations-l10n libqt6multimedia6 libpulse0 hamradio-files fonts-dejavu-core
      libhamlib-utils)
case "$kind" in
  build) ;;
  # Tests: pdftotext for the manual, the sqlite3 and socat programs the tests drive, the desktop
  # entry validator, the libraries of chronyd, which the test command unpacks from the chrony
  # package into the build folder (scripts/test-tools.sh) instead of installing the time service,
  # and the spelling and format checks of scripts/style.sh that the test command runs.
  # The audio tests run a sound server of their own: pulseaudio, unpacked into the build folder
  # the same way (installed, it would become every user's sound service beside PipeWire), with
  # the libraries it and its modules need; pulseaudio-utils (pactl, parec) to set it up and
  # listen to its sink; opusdec (opus-tools) as a second decoder of the recorded files; sox.
  test)  pkgs+=(poppler-utils sqlite3 socat desktop-file-utils procps
                libcap2 libgnutls30 libnettle8 libseccomp2 codespell clang-format
                pulseaudio-utils opus-tools sox libltdl7 libdbus-1-3 libsystemd0 libsndfile1 libtdb1
                liborc-0.4-0 libsoxr0 libspeexdsp1 libx11-xcb1 libx11-6 libxcb1 libwrap0) ;;
  # The audio benchmark records from the same sound server of its own as the tests.
  bench) pkgs+=(libbenchmark-dev sqlite3 pulseaudio-utils libltdl7 libdbus-1-3 libsystemd0 libsndfile1
                libtdb1 liborc-0.4-0 libsoxr0 libspeexdsp1 libx11-xcb1 libx11-6 libxcb1 libwrap0) ;;
  look)  pkgs+=(xvfb xauth imagemagick) ;;
  fuzz)  pkgs+=(clang libclang-rt-14-dev) ;;
  style) pkgs=(codespell clang-format clang-tidy) ;;
  # dpkg-buildpackage checks build-essential besides the Build-Depends of debian/control; a
  # minimal system with g++ alone does not have it.
  package) pkgs+=(build-essential dpkg-dev debhelper lintian) ;;
  *) echo "deps.sh: unknown kind '$kind' (build, test, bench, look, fuzz, style or package)" >&2; exit 2 ;;
esac
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
as_root=()
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null 2>&1; then
    echo "Vireo needs these Debian packages; install them as root, then run this command again: apt-get install ${missing[*]}" >&2
    exit 1
  fi
  as_root=(sudo)
fi
echo "Installing: ${missing[*]}"
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
