#!/usr/bin/env bash
# Builds the Debian package from a configured desktop build and checks it as
# a player gets it: the desktop entry and the metainfo validate, lintian finds
# no error, and the tree unpacked from the .deb holds the program, its menu
# entry, icons, metainfo and manual page; the unpacked program plays the
# pinned game under Xvfb as the desktop end-to-end test plays it.
# Usage: tools/package-check.sh BUILD_DIR
set -euo pipefail
build=$(realpath "${1:?usage: $0 BUILD_DIR}")
cd "$(dirname "$0")/.."

cmake --build "$build" --target package
deb=$(ls "$build"/corvane_*_amd64.deb)
echo "package: $deb"

unpacked=$(mktemp -d /tmp/corvane-deb-XXXXXX)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"

desktop-file-validate "$unpacked"/usr/share/applications/*.desktop
appstreamcli validate --no-net "$unpacked"/usr/share/metainfo/*.metainfo.xml

root=()
[ "$(id -u)" -eq 0 ] && root=(--allow-root)
lintian "${root[@]}" --fail-on error "$deb"

CORVANE_INSTALLED_PREFIX="$unpacked/usr" "$build"/tests/e2e/desktop_install_test
CORVANE_E2E_PROGRAM="$unpacked/usr/games/corvane" "$build"/tests/e2e/desktop_e2e_test \
  --gtest_filter=DesktopWindowTest.PlaysTheGameAsTheHeadlessHostShowsItAndClosesWithStatusZero
