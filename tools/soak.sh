#!/usr/bin/env bash
# The long soak run: the whole program under seeded random stylus input for a
# million events (or as many as asked), checked after every event: the board
# whole, the foundations in order, the selection sound, Undo bringing back the
# board from before the last move, the screen showing what a fresh paint
# shows. Each life of the program runs in a process of its own and ends its
# own ways (Exit, the win prompt's No, the close button, the host window).
# Prints events per second, games won and violations; a violation names its
# seed, life and event, and the command that replays it. Exits non-zero on a
# violation. Builds with optimisation in build/soak, or with optimisation and
# AddressSanitizer and UndefinedBehaviorSanitizer in build/soak-asan when
# asked (any report ends the run and fails it).
# Usage: tools/soak.sh [--sanitize] [events] [seed]   (default 1000000 events, seed 1)
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/deps.sh
corvane_need "${CORVANE_BUILD_PACKAGES[@]}" "${CORVANE_TEST_PACKAGES[@]}"

build=build/soak
options=()
if [ "${1:-}" = --sanitize ]; then
  shift
  build=build/soak-asan
  options=(-DCORVANE_SANITIZE=ON)
  export ASAN_OPTIONS=detect_leaks=1:halt_on_error=1:abort_on_error=0
  export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
fi
events="${1:-1000000}"
seed="${2:-1}"
if ! [[ "$events" =~ ^[0-9]+$ && "$seed" =~ ^[0-9]+$ ]] || [ "$events" -lt 1 ]; then
  echo "usage: tools/soak.sh [--sanitize] [events] [seed]" >&2
  exit 2
fi

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${options[@]}" >/dev/null
cmake --build "$build" -j "$(nproc)" --target corvane_soak
"$build/tests/soak/corvane_soak" --seed "$seed" --events "$events"
