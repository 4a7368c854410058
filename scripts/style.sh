#!/usr/bin/env bash
# Keeps the house style with tools: clang-format (.clang-format) over the C++ of src, tests,
# bench, tools and fuzz; codespell over the sources, scripts and documents (.codespellrc,
# words that are right here in scripts/codespell-words.txt); clang-tidy (.clang-tidy) over src.
#
# Usage: scripts/style.sh [--check | --fix] [format] [spelling] [tidy]
#   --check   (the default) change nothing; print what is off and exit 1 when anything is
#   --fix     reformat the C++ in place and let codespell correct what it is sure of
#   parts     which tools run; without any, format and spelling. tidy needs a configured build
#             folder with compile_commands.json (VIREO_BUILD_DIR, default build) and takes minutes.
# The test command runs the spelling and the format parts (VIREO_FORMAT_CHECK=0 leaves out the format).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"

mode=check
parts=()
for a in "$@"; do
  case "$a" in
    --check) mode=check ;;
    --fix) mode=fix ;;
    format|spelling|tidy) parts+=("$a") ;;
    *) echo "style.sh: unknown argument '$a' (--check, --fix, format, spelling, tidy)" >&2; exit 2 ;;
  esac
done
[ ${#parts[@]} -gt 0 ] || parts=(format spelling)

# The tools come from Debian (scripts/deps.sh style; the test command installs its two).
for part in "${parts[@]}"; do
  tool=$(case "$part" in format) echo clang-format ;; spelling) echo codespell ;; tidy) echo clang-tidy ;; esac)
  command -v "$tool" >/dev/null 2>&1 || { "$here/scripts/deps.sh" style; break; }
done

cxx_files() {
  find src tests bench tools fuzz -type f \( -name '*.cpp' -o -name '*.h' \) | LC_ALL=C sort
}

status=0
for part in "${parts[@]}"; do
  case "$part" in
    format)
      echo "== clang-format ($mode)"
      if [ "$mode" = fix ]; then
        cxx_files | xargs clang-format -i
      elif ! cxx_files | xargs clang-format --dry-run --Werror; then
        echo "style.sh: the C++ above is not formatted as .clang-format says; scripts/style.sh --fix format mends it" >&2
        status=1
      fi
      ;;
    spelling)
      echo "== codespell ($mode)"
      # Sources, scripts, build files and documents; pictures, the PDF manual and build folders
      # are not text to spell.
      targets=(src tests bench tools fuzz docs scripts data .ci README.md CMakeLists.txt)
      fix=()
      [ "$mode" = fix ] && fix=(--write-changes)
      if ! codespell --config "$here/.codespellrc" "${fix[@]}" "${targets[@]}"; then
        echo "style.sh: codespell found the words above; mend them, or add a word that is right here to scripts/codespell-words.txt" >&2
        status=1
      fi
      ;;
    tidy)
      build=${VIREO_BUILD_DIR:-$here/build}
      if [ ! -f "$build/compile_commands.json" ]; then
        echo "style.sh: no $build/compile_commands.json; configure and build first (see docs/CONTRIBUTING.md)" >&2
        exit 2
      fi
      echo "== clang-tidy (check only; its fixes are for a person to read)"
      if ! find src -type f -name '*.cpp' | LC_ALL=C sort \
          | xargs -P 2 -n 8 clang-tidy -p "$build" --quiet --warnings-as-errors='*' 2>/dev/null; then
        status=1
      fi
      ;;
  esac
done
exit $status
