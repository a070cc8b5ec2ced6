#!/usr/bin/env bash
# Start-up speed and peak memory of orvelan beside the minimal Qt main window, on a private
# Xvfb without a window manager. Runs the Startup benchmarks of orvelan_bench (11 runs of
# each program, interleaved at random), prints the medians and the two ratios, and fails if
# a ratio misses its goal (start-up <= 1.3x, peak RSS <= 1.2x).
#   usage: startup.sh <orvelan_bench> [more benchmark options]
set -euo pipefail
bench=$(realpath "$1")
shift
work=$(mktemp -d "${TMPDIR:-/tmp}/orvelan-startup.XXXXXX")
xvfb_pid=""
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 300); do [ -s "$work/display" ] && break; sleep 0.05; done
[ -s "$work/display" ] || { cat "$work/xvfb.log" >&2; echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"

"$bench" --benchmark_filter='^BM_Startup/' --benchmark_enable_random_interleaving=true \
  --benchmark_out="$work/startup.json" --benchmark_out_format=json "$@"

# The medians from the JSON report: real_time (ms) and PeakRSS_KiB of each *_median entry.
read -r t_orv rss_orv t_min rss_min < <(awk '
  /"name":/ { name = $0 }
  /"real_time":/ { gsub(/[",]/, "", $2); t[name] = $2 }
  /"PeakRSS_KiB":/ { gsub(/[",]/, "", $2); r[name] = $2 }
  END {
    for (n in t) {
      if (n ~ /"BM_Startup\/orvelan\/.*_median"/) { to = t[n]; ro = r[n] }
      if (n ~ /"BM_Startup\/minimal_main_window\/.*_median"/) { tm = t[n]; rm = r[n] }
    }
    print to, ro, tm, rm
  }' "$work/startup.json")

awk -v to="$t_orv" -v ro="$rss_orv" -v tm="$t_min" -v rm="$rss_min" 'BEGIN {
  st = to / tm; sr = ro / rm
  printf "median start-up: orvelan %.1f ms, minimal %.1f ms, ratio %.2f (goal <= 1.30)\n", to, tm, st
  printf "median peak RSS: orvelan %d KiB, minimal %d KiB, ratio %.2f (goal <= 1.20)\n", ro, rm, sr
  exit (st <= 1.3 && sr <= 1.2) ? 0 : 1
}'
