#!/usr/bin/env bash
# Decides every deal of one day with corvane-solve at its default budget and
# prints the figures the README gives: outcomes, moves of the wins, positions
# searched, the slowest deals, the time taken.
#
#   tools/solve-day.sh                    the 86,400 seconds of 2026-01-01 UTC
#   tools/solve-day.sh FIRST COUNT        other seconds
#   tools/solve-day.sh --report [FILE]    the figures again, from the last run
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/solve
out=$build/day.txt

# "p50 p90 max" of a column of numbers, read sorted.
quantiles() {
  sort -n | awk '{ a[NR] = $1 } END { if (NR) printf "median %s, 90 %% %s, max %s", a[int((NR + 1) / 2)], a[int(NR * 0.9 + 0.5)], a[NR] }'
}

report() {
  local file=$1
  local timing=${file%.txt}.time
  local answers
  answers=$(mktemp)
  grep -v ' deals: ' "$1" >"$answers"
  file=$answers
  awk '{ n++ } / won in / { w++ } / cannot be won/ { l++ } / unknown after / { u++ }
    END { printf "deals %d: won %d (%.1f %%), cannot be won %d (%.1f %%), unknown %d (%.1f %%)\n",
          n, w, 100 * w / n, l, 100 * l / n, u, 100 * u / n }' "$file"
  echo "moves of the wins: $(awk '/ won in / { print $4 }' "$file" | quantiles), min $(awk '/ won in / { print $4 }' "$file" | sort -n | head -1)"
  echo "positions of the wins: $(awk '/ won in / { print $(NF - 3) }' "$file" | tr -d '(' | quantiles)"
  echo "milliseconds a deal: $(awk '{ print $(NF - 1) }' "$file" | quantiles)"
  echo "slowest deals:"
  awk '{ print $(NF - 1), $0 }' "$file" | sort -rn | head -5 | cut -d' ' -f2- | sed 's/^/  /'
  if [ -f "$timing" ]; then cat "$timing"; fi
  rm -f "$answers"
}

if [ "${1:-}" = "--report" ]; then
  report "${2:-$out}"
  exit 0
fi

first=${1:-1767225600}
count=${2:-86400}
. tools/deps.sh
corvane_need cmake g++ make time
cmake -S . -B $build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVANE_TESTS=OFF -DCORVANE_DESKTOP=OFF >/dev/null
cmake --build $build -j "$(nproc)" --target corvane-solve >/dev/null
# Niced: the run takes whatever the machine has to spare.
/usr/bin/time -f "whole run: %e s wall, %U s user, %S s system, %M KB peak resident" -o ${out%.txt}.time \
  nice -n 19 $build/solver/corvane-solve --stats "$first" "$count" >"$out"
report "$out"
