#!/usr/bin/env bash
# Builds the Windows program with Debian's mingw-w64 cross compiler:
# Release into build/windows (the program is build/windows/app/corvane.exe),
# then build/windows/corvane-VERSION-windows-x64.zip with a short text on
# how to play. --werror makes every warning an error, as ./check wants.
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/deps.sh
corvane_need cmake g++ make libfreetype-dev fonts-dejavu-core "${CORVANE_WINDOWS_PACKAGES[@]}"

flags=""
for arg in "$@"; do
  case "$arg" in
    --werror) flags="-Werror" ;;
    *) echo "usage: tools/windows.sh [--werror]" >&2; exit 2 ;;
  esac
done
jobs=$(nproc)

# The glyph table is drawn at build time by a tool that runs on this machine.
cmake -S tools/glyphgen -B build/windows-glyphgen -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/windows-glyphgen -j "$jobs"

cmake -S . -B build/windows --toolchain "$PWD/cmake/MingwW64.cmake" -DCMAKE_BUILD_TYPE=Release \
  -DCORVANE_TESTS=OFF -DCORVANE_DESKTOP=OFF -DCMAKE_CXX_FLAGS="$flags" \
  -DCORVANE_GLYPHGEN="$PWD/build/windows-glyphgen/glyphgen" >/dev/null
cmake --build build/windows -j "$jobs" --target corvane

version=$(sed -n 's/^project(Corvane VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
stage=build/windows/zip
rm -rf "$stage" && mkdir -p "$stage"
cp build/windows/app/corvane.exe "$stage/"
# Windows' Notepad of old wants CR LF line ends.
sed 's/$/\r/' app/README-windows.txt > "$stage/README.txt"
zip_file="build/windows/corvane-$version-windows-x64.zip"
rm -f "$zip_file"
# Fixed times and no extra fields: the same sources give the same zip.
touch -d '2000-01-01 00:00:00 UTC' "$stage"/*
(cd "$stage" && TZ=UTC zip -q -X -D "../$(basename "$zip_file")" corvane.exe README.txt)
echo "The program is build/windows/app/corvane.exe ($(stat -c %s build/windows/app/corvane.exe) bytes), zipped in $zip_file"
