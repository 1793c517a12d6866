#!/usr/bin/env bash
# The browser tests. Builds the page with emscripten (web/build.sh) and, on
# this machine, the headless host's pictures of a scripted game; then plays
# the same script in headless Chromium and holds the page against them: as
# played (web), at every scale (scale), kept across reloads (keep), offline
# and installed (offline); and the page's server against bad requests
# (serve). Pictures of a failing step go to build/web-test/.
#
#   tests/web/run.sh [HOST_BUILD]
#
# HOST_BUILD is a configured host build with the tests (./check passes
# build/release); without it the script makes build/web-host.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
cd "$root"
. tools/deps.sh
corvane_need "${CORVANE_BUILD_PACKAGES[@]}" libgtest-dev libgmock-dev chromium
# The machine's Node.js may bring its own npm, which Debian's npm package
# would clash with: ask for the packages only when the commands are missing.
command -v node >/dev/null || corvane_need nodejs
command -v npm >/dev/null || corvane_need npm

web/build.sh

jobs=$(nproc)
host=${1:-build/web-host}
if [ $# -eq 0 ]; then
  cmake -S . -B "$host" -DCMAKE_BUILD_TYPE=Debug -DCORVANE_DESKTOP=OFF >/dev/null
elif [ ! -f "$host/CMakeCache.txt" ]; then
  echo "run.sh: $host is not a configured build" >&2
  exit 2
fi
cmake --build "$host" -j "$jobs" --target corvane_web_reference
reference="$root/build/web-test/reference"
rm -rf build/web-test
"$host/tests/web/corvane_web_reference" "$reference"

(cd "$here" && npm ci --no-audit --no-fund --loglevel=error)

CORVANE_WEB_PAGE="$root/build/web/page" \
CORVANE_WEB_REFERENCE="$reference" \
CORVANE_WEB_OUT="$root/build/web-test" \
  node --test "$here"/*.test.mjs
