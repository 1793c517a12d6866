#!/usr/bin/env bash
# Measures Corvane and prints one table: redraw next to its floor, a tap end
# to end and start-up (Google Benchmark), start-up and peak memory of the
# headless program as a process of its own (the launch probe), and the real
# window under Xvfb side by side with GNOME AisleRiot and KDE KPatience.
#
#   tools/bench.sh              everything (about ten minutes)
#   tools/bench.sh --quick      fewer runs, for a first look
#   tools/bench.sh --no-window  the headless parts only
#   tools/bench.sh --profile    also instructions per operation under callgrind
#   tools/bench.sh --report     the table again, from the last results
#
# Raw results are kept in build/perf/bench-results/.
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/deps.sh

quick=0
window=1
profile=0
measure=1
for arg in "$@"; do
  case $arg in
    --quick) quick=1 ;;
    --no-window) window=0 ;;
    --profile) profile=1 ;;
    --report) measure=0 ;;
    *) echo "usage: tools/bench.sh [--quick] [--no-window] [--profile] [--report]" >&2; exit 2 ;;
  esac
done

build=build/perf
out=$build/bench-results
bin=$build/bench

measure() {
  corvane_need "${CORVANE_BUILD_PACKAGES[@]}" libbenchmark-dev libx11-dev libxdamage-dev valgrind jq
  if [ $window = 1 ]; then
    corvane_need xvfb xdotool x11-utils dbus aisleriot kpat
  fi

  if [ $quick = 1 ]; then
    reps=3 headless_runs=5 window_runs=3 long_runs=1
  else
    reps=15 headless_runs=31 window_runs=11 long_runs=3
  fi

  echo "== building (Release) in $build"
  cmake -S . -B $build -DCMAKE_BUILD_TYPE=Release -DCORVANE_BENCH=ON -DCORVANE_TESTS=OFF >/dev/null
  targets=(corvane_bench corvane_first_frame corvane_launch corvane_profile)
  [ $window = 1 ] && targets+=(corvane)
  cmake --build $build -j "$(nproc)" --target "${targets[@]}"
  rm -rf "$out"
  mkdir -p "$out"

  echo "== benchmarks ($reps repetitions each, interleaved)"
  "$bin/corvane_bench" --benchmark_repetitions=$reps --benchmark_enable_random_interleaving=true \
    --benchmark_min_time=0.2 --benchmark_out="$out/bench.json" --benchmark_out_format=json >/dev/null

  echo "== headless start-up as a process ($headless_runs runs)"
  "$bin/corvane_launch" headless --runs $headless_runs --name corvane "$bin/corvane_first_frame" >"$out/headless.jsonl"

  if [ $window = 1 ]; then
    [ -x $build/app/corvane ] || { echo "tools/bench.sh: the desktop program was not built" >&2; exit 1; }
    n=90
    while [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X11-unix/X$n ]; do n=$((n + 1)); done
    export DISPLAY=:$n
    # The three programs share one plain screen: no window manager, no compositor.
    Xvfb $DISPLAY -screen 0 1024x768x24 -nolisten tcp -br >"$out/xvfb.log" 2>&1 &
    xvfb_pid=$!
    bus_pid=
    cleanup() {
      [ -n "$bus_pid" ] && kill "$bus_pid" 2>/dev/null
      kill "$xvfb_pid" 2>/dev/null
      wait "$xvfb_pid" 2>/dev/null || true
    }
    trap cleanup EXIT
    for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
    xdpyinfo >/dev/null 2>&1 || { echo "tools/bench.sh: Xvfb did not start" >&2; exit 1; }
    # KPatience wants a session bus, as a desktop has one.
    { read -r bus_address; read -r bus_pid; } < <(dbus-daemon --session --fork --print-address=1 --print-pid=1)
    export DBUS_SESSION_BUS_ADDRESS=$bus_address
    # A home of their own, so that no setting left by an earlier game changes a run.
    export HOME=$PWD/$out/home XDG_RUNTIME_DIR=$PWD/$out/runtime
    mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
    chmod 700 "$XDG_RUNTIME_DIR"

    corvane_cmd=("$PWD/$build/app/corvane")
    aisleriot_cmd=(/usr/games/sol --variation klondike)
    kpat_cmd=(/usr/games/kpat --gametype klondike)
    # Where each one's stock is, as fractions of its window: every click turns a card.
    corvane_click=0.05,0.125
    aisleriot_click=0.07,0.245
    kpat_click=0.117,0.238

    probe() {  # probe NAME [--long]
      local name=$1
      shift
      local -n cmd=${name}_cmd
      local -n click=${name}_click
      "$bin/corvane_launch" x11 --runs 1 --name "$name" --click "$click" "$@" -- "${cmd[@]}" 2>>"$out/window.err"
    }

    echo "== real window under Xvfb: warming up"
    for p in corvane aisleriot kpat; do probe $p >/dev/null || true; done
    echo "== real window: start to window ($window_runs rounds of the three programs)"
    for _ in $(seq $window_runs); do
      for p in corvane aisleriot kpat; do probe $p >>"$out/window.jsonl" || true; done
    done
    echo "== real window: memory, clicks and idle ($long_runs rounds, about 20 s a program each)"
    for _ in $(seq $long_runs); do
      for p in corvane aisleriot kpat; do probe $p --long >>"$out/window-long.jsonl" || true; done
    done
    # The programs' own complaints (no sound card, ...) stay in window.err.
    if grep -q '^corvane_launch:' "$out/window.err" 2>/dev/null; then
      echo "-- the probe said:"
      grep '^corvane_launch:' "$out/window.err" | sort | uniq -c
    fi
  fi
}

[ $measure = 1 ] && measure
[ -s "$out/bench.json" ] || { echo "tools/bench.sh: no results yet in $out" >&2; exit 1; }
touch "$out/window.jsonl" "$out/window-long.jsonl"

# Medians with the lowest and highest run beside them.
jq -n -r \
  --slurpfile bench "$out/bench.json" \
  --slurpfile headless <(jq -c . "$out/headless.jsonl") \
  --slurpfile win <(jq -c . "$out/window.jsonl") \
  --slurpfile long <(jq -c . "$out/window-long.jsonl") \
  --arg cpus "$(nproc)" --arg load "$(cut -d' ' -f1-3 /proc/loadavg)" '
  def median: sort | if length == 0 then null
    elif length % 2 == 1 then .[length / 2 | floor]
    else (.[length / 2 - 1] + .[length / 2]) / 2 end;
  def r(d): if . == null then "-" else (. * pow(10; d) | round / pow(10; d) | tostring) end;
  def spread(f; d): (map(f) | median | r(d)) + "  [" + (map(f) | min | r(d)) + "-" + (map(f) | max | r(d)) + "]";
  def us: if .time_unit == "ns" then . / 1000 else . end;
  def runs(n): [$bench[0].benchmarks[] | select(.run_type == "iteration" and .run_name == n)];
  def wall(n): runs(n) | map(.real_time / 1000);
  def cpu(n): runs(n) | map(.cpu_time / 1000);
  def counter(n): runs(n) | map(.cpu_us);
  def row(a; b; c; d): "  " + (a + (" " * 40))[0:40] + (b + (" " * 26))[0:26] + (c + (" " * 26))[0:26] + d;
  def stat(xs; d): (xs | median | r(d)) + " [" + (xs | min | r(d)) + "-" + (xs | max | r(d)) + "]";
  def ratio(a; b): if (a|median) == null or (b|median) == null or (b|median) == 0 then "-"
    else ((a|median) / (b|median) * 100 | round / 100 | tostring) + "x" end;
  def prog(src; n; f): [src[] | select(.name == n) | f];

  "Corvane performance: medians [lowest-highest run]; machine: \($cpus) CPUs, load \($load)",
  "",
  row("Benchmark (microseconds)"; "wall"; "CPU"; "target"),
  row("floor: fill + copy 240 x 320"; stat(wall("BM_Floor"); 1); stat(cpu("BM_Floor"); 1); ""),
  row("Redraw, fresh deal"; stat(wall("BM_Redraw/fresh"); 1); stat(cpu("BM_Redraw/fresh"); 1); "within 2x the floor"),
  row("  ratio to the floor"; ratio(wall("BM_Redraw/fresh"); wall("BM_Floor")); ratio(cpu("BM_Redraw/fresh"); cpu("BM_Floor")); ""),
  row("Redraw, crowded board"; stat(wall("BM_Redraw/crowded"); 1); stat(cpu("BM_Redraw/crowded"); 1); "within 2x the floor"),
  row("  ratio to the floor"; ratio(wall("BM_Redraw/crowded"); wall("BM_Floor")); ratio(cpu("BM_Redraw/crowded"); cpu("BM_Floor")); ""),
  row("PaintBoard alone, crowded"; stat(wall("BM_PaintBoard/crowded"); 1); stat(cpu("BM_PaintBoard/crowded"); 1); ""),
  row("tap on the stock, end to end"; stat(wall("BM_Tap/stock/manual_time"); 1); stat(counter("BM_Tap/stock/manual_time"); 1); "100"),
  row("tap selecting a card, end to end"; stat(wall("BM_Tap/select/manual_time"); 1); stat(counter("BM_Tap/select/manual_time"); 1); "100"),
  row("start-up in process to first frame"; stat(wall("BM_StartUp/manual_time"); 1); stat(counter("BM_StartUp/manual_time"); 1); ""),
  "",
  row("Headless process (\($headless | length) runs)"; "median [range]"; ""; "target"),
  row("exec to first frame, ms"; stat($headless | map(.first_frame_ms); 2); ""; "10"),
  row("CPU used by the whole run, ms"; stat($headless | map(.cpu_ms); 2); ""; ""),
  row("peak resident memory, MB"; stat($headless | map(.peak_rss_kb / 1024); 2); ""; "8"),
  (if ($win | length) == 0 then empty else
    "",
    row("Real window, Xvfb 1024 x 768"; "Corvane"; "AisleRiot"; "KPatience"),
    row("exec to window mapped, ms"; stat(prog($win; "corvane"; .map_ms); 0); stat(prog($win; "aisleriot"; .map_ms); 0); stat(prog($win; "kpat"; .map_ms); 0)),
    row("exec to first picture, ms"; stat(prog($win; "corvane"; .frame_ms); 0); stat(prog($win; "aisleriot"; .frame_ms); 0); stat(prog($win; "kpat"; .frame_ms); 0)),
    row("resident 3 s after start, MB"; stat(prog($long; "corvane"; .rss_kb / 1024); 1); stat(prog($long; "aisleriot"; .rss_kb / 1024); 1); stat(prog($long; "kpat"; .rss_kb / 1024); 1)),
    row("CPU per click (20 clicks), ms"; stat(prog($long; "corvane"; .cpu_per_click_ms); 3); stat(prog($long; "aisleriot"; .cpu_per_click_ms); 3); stat(prog($long; "kpat"; .cpu_per_click_ms); 3)),
    row("CPU over 10 s idle, ms"; stat(prog($long; "corvane"; .idle_cpu_ms); 3); stat(prog($long; "aisleriot"; .idle_cpu_ms); 3); stat(prog($long; "kpat"; .idle_cpu_ms); 3)),
    "",
    row("Corvane against AisleRiot"; "measured"; "target"; ""),
    row("first picture sooner by"; ratio(prog($win; "aisleriot"; .frame_ms); prog($win; "corvane"; .frame_ms)); "5x"; ""),
    row("resident memory smaller by"; ratio(prog($long; "aisleriot"; .rss_kb); prog($long; "corvane"; .rss_kb)); "7x"; ""),
    row("CPU per click less by"; ratio(prog($long; "aisleriot"; .cpu_per_click_ms); prog($long; "corvane"; .cpu_per_click_ms)); "10x"; ""),
    row("idle CPU, ms in 10 s"; prog($long; "corvane"; .idle_cpu_ms) | median | r(3); "0"; "")
  end)
'

if [ $profile = 1 ]; then
  echo
  echo "Instructions per operation under callgrind (exact, the same on every run):"
  for c in floor redraw-fresh redraw-crowded tap-stock tap-select start-up; do
    count=20
    [ $c = start-up ] && count=5
    f=$out/callgrind.$c
    valgrind --tool=callgrind --collect-atstart=no --callgrind-out-file="$f" "$bin/corvane_profile" $c $count \
      >/dev/null 2>"$f.log"
    total=$(callgrind_annotate "$f" | awk '/PROGRAM TOTALS/ { gsub(",", "", $1); print $1 }')
    printf '  %-16s %10d\n' "$c" $((total / count))
    callgrind_annotate "$f" | awk -v n=$count '
      /file:function/ { on = 1; getline; next }
      on && NF == 0 { exit }
      on { gsub(",", "", $1); name = $0; sub(/^[^ ]+ +(\([^)]*\) +)?/, "", name); sub(/ \[.*$/, "", name);
           printf "      %9d  %s\n", $1 / n, substr(name, 1, 100); if (++k == 5) exit }'
  done
  echo "  (memset and memcpy of large blocks run as rep stos/movs, which callgrind counts a byte at a time)"
fi
