#!/usr/bin/env bash
# Builds every libFuzzer target (fuzz/, named fuzz_*) with clang and runs each
# for the given number of seconds, seeded with the artwork in res/ and any
# seeds of its own in fuzz/seeds/<target>/. Installs nothing; needs clang and
# its runtime (Debian clang, libclang-rt-14-dev). Exits non-zero on a finding.
# Usage: tools/fuzz.sh [seconds]   (default 5)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-5}"
if ! [[ "$seconds" =~ ^[0-9]+$ ]] || [ "$seconds" -lt 1 ]; then
  echo "usage: tools/fuzz.sh [seconds]" >&2
  exit 2
fi

build=build/fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCORVANE_FUZZ=ON -DCORVANE_TESTS=OFF -DCORVANE_DESKTOP=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target corvane_fuzzers

mapfile -t targets < <(find "$build/fuzz" -maxdepth 1 -type f -name 'fuzz_*' -perm -u+x | sort)
if [ ${#targets[@]} -eq 0 ]; then
  echo "fuzz: no fuzz_* targets were built" >&2
  exit 1
fi

status=0
for target in "${targets[@]}"; do
  name=$(basename "$target")
  corpus="$build/corpus/$name"
  artifacts="$build/artifacts/$name"
  mkdir -p "$corpus" "$artifacts"
  cp res/*.bmp res/*.ico "$corpus"/ 2>/dev/null || true
  if [ -d "fuzz/seeds/$name" ]; then
    cp -r "fuzz/seeds/$name"/. "$corpus"/
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
