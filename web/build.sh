#!/usr/bin/env bash
# Builds Corvane for the browser into build/web/page: index.html, page.js,
# corvane.js, corvane.wasm, the manifest, its icons and the service worker,
# ready for any static web server.
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/deps.sh
corvane_need cmake g++ make libfreetype-dev fonts-dejavu-core emscripten

# Debian's emcc looks for its JavaScript modules here.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
jobs=$(nproc)

# The glyph table is drawn at build time by a tool that runs on this machine.
cmake -S tools/glyphgen -B build/web-glyphgen -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/web-glyphgen -j "$jobs"
# So are the manifest's icons, by the icon tool of a plain build for this machine.
cmake -S . -B build/web-hosttools -DCMAKE_BUILD_TYPE=Release -DCORVANE_TESTS=OFF -DCORVANE_DESKTOP=OFF \
  -DCORVANE_GLYPHGEN="$PWD/build/web-glyphgen/glyphgen" >/dev/null
cmake --build build/web-hosttools -j "$jobs" --target corvane_icon_png

emcmake cmake -S . -B build/web -DCMAKE_BUILD_TYPE=Release \
  -DCORVANE_TESTS=OFF -DCORVANE_DESKTOP=OFF \
  -DCORVANE_GLYPHGEN="$PWD/build/web-glyphgen/glyphgen" \
  -DCORVANE_ICON_PNG="$PWD/build/web-hosttools/tools/iconpng/corvane_icon_png" >/dev/null
cmake --build build/web -j "$jobs"
echo "The page is in build/web/page"
