#!/usr/bin/env bash
# Builds every libFuzzer target (fuzz/, named fuzz_*) with clang and runs each
# for the given number of seconds, seeded with its own seeds in
# fuzz/seeds/<target>/, or with the artwork in res/ when it has none. The
# corpus grows in build/fuzz/corpus/ from run to run. Installs nothing; needs
# clang and its runtime (Debian clang, libclang-rt-14-dev). Exits non-zero on
# a finding.
# Usage: tools/fuzz.sh [seconds] [target...]
#   tools/fuzz.sh               every target for 5 seconds (what ./check runs)
#   tools/fuzz.sh 1800          the long run: every target for half an hour
#   tools/fuzz.sh 600 fuzz_input
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-5}"
if ! [[ "$seconds" =~ ^[0-9]+$ ]] || [ "$seconds" -lt 1 ]; then
  echo "usage: tools/fuzz.sh [seconds] [target...]" >&2
  exit 2
fi
shift $(( $# > 0 ? 1 : 0 ))

build=build/fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVANE_WERROR=ON \
  -DCORVANE_FUZZ=ON -DCORVANE_TESTS=OFF -DCORVANE_DESKTOP=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target corvane_fuzzers

mapfile -t targets < <(find "$build/fuzz" -maxdepth 1 -type f -name 'fuzz_*' -perm -u+x | sort)
if [ ${#targets[@]} -eq 0 ]; then
  echo "fuzz: no fuzz_* targets were built" >&2
  exit 1
fi
if [ $# -gt 0 ]; then
  chosen=()
  for name in "$@"; do
    if [ ! -x "$build/fuzz/$name" ]; then
      echo "fuzz: no target $name" >&2
      exit 2
    fi
    chosen+=("$build/fuzz/$name")
  done
  targets=("${chosen[@]}")
fi

status=0
for target in "${targets[@]}"; do
  name=$(basename "$target")
  corpus="$build/corpus/$name"
  artifacts="$build/artifacts/$name"
  mkdir -p "$corpus" "$artifacts"
  if [ -d "fuzz/seeds/$name" ]; then
    cp -r "fuzz/seeds/$name"/. "$corpus"/
  else
    cp res/*.bmp res/*.ico "$corpus"/ 2>/dev/null || true
  fi
  echo "== $name for ${seconds}s"
  if ! "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="$artifacts/" -print_final_stats=1 "$corpus" 2>"$build/$name.log"; then
    tail -n 60 "$build/$name.log" >&2
    echo "fuzz: $name found a problem; the input is in $artifacts/" >&2
    status=1
  else
    grep -E '^(Done|stat::number_of_executed_units)' "$build/$name.log" || true
  fi
done
exit $status
