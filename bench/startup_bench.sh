#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Start-up of the window program under Xvfb: the time from starting the binary until its
# window "Form1" is mapped, and its resident memory once shown, over repeated runs.
#   bench/startup_bench.sh [RUNS] [BINARY]     (defaults: 15, build/src/app/asworn)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-15}
app=${2:-build/src/app/asworn}
[ -x "$app" ] || { echo "no program at $app: build it first" >&2; exit 1; }

source scripts/lib/xvfb.sh
app_pid=""
cleanup() {
  if [ -n "$app_pid" ]; then kill "$app_pid" 2>/dev/null || true; fi
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
  wait 2>/dev/null || true
}
trap cleanup EXIT

xvfb_start
display=$DISPLAY
export QT_QPA_PLATFORM=xcb

times=() rss=()
for run in $(seq "$runs"); do
  start=$(date +%s%N)
  "$app" &
  app_pid=$!
  # Poll for the mapped window; xdotool's own --sync waits half a second between looks.
  until xdotool search --onlyvisible --pid "$app_pid" --name '^Form1$' >/dev/null 2>&1; do
    kill -0 "$app_pid" 2>/dev/null || { echo "the program ended on run $run" >&2; exit 1; }
    sleep 0.002
  done
  shown=$(date +%s%N)
  times+=($(((shown - start) / 1000000)))
  rss+=($(awk '/^VmRSS:/ {print int($2 / 1024)}' "/proc/$app_pid/status"))
  kill "$app_pid"; wait "$app_pid" 2>/dev/null || true; app_pid=""
done

summary() {  # name unit values...: median and spread (min-max)
  local name=$1 unit=$2; shift 2
  sort -n <<<"$(printf '%s\n' "$@")" | awk -v name="$name" -v unit="$unit" '
    { v[NR] = $1 }
    END { m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
          printf "%-16s median %6.1f %s   min %d   max %d   (%d runs)\n", name, m, unit, v[1], v[NR], NR }'
}
echo "As-Worn Rx start-up under Xvfb $display ($app)"
summary "shown after" ms "${times[@]}"
summary "resident memory" MB "${rss[@]}"
