#!/usr/bin/env bash
# Cost of the traffic log on a run: read-all of tlx500ctl against tlx500-sim
# over loopback TCP at --pace-scale 0.001, with and without --trace, taken in
# turns in the same run so both see the same machine load. Prints each
# pair's times and the median ratio (target: at most 1.02).
#   bench/trace_timing.sh [BUILD_DIR] [ROUNDS] [MODEL]
set -euo pipefail
build=${1:-build/release}
rounds=${2:-7}
model=${3:-F}
. "$(dirname "$0")/sim_session.sh"

"$sim" --model "$model" --tcp-listen 0 --seed 42 --ready-file "$work/ready" >/dev/null 2>&1 &
wait_ready
port=$(cat "$work/ready")

took() { # extra options...: the run's own measure of its duration in seconds
  "$ctl" --model "$model" --tcp "127.0.0.1:$port" --pace-scale 0.001 "$@" read-all "$work/a.dat" \
    2>&1 >/dev/null | sed -nE 's/.*read-all took ([0-9.]+) s.*/\1/p'
}

ratios=()
for r in $(seq "$rounds"); do
  rm -f "$work/trace.log"
  # The order alternates so neither side always runs on a warmer machine.
  if (( r % 2 )); then
    plain=$(took); traced=$(took --trace "$work/trace.log")
  else
    traced=$(took --trace "$work/trace.log"); plain=$(took)
  fi
  lines=$(wc -l < "$work/trace.log")
  ratio=$(awk -v a="$traced" -v b="$plain" 'BEGIN { printf "%.4f", a / b }')
  ratios+=("$ratio")
  printf 'round %d: without %6.3f s  with --trace %6.3f s  (%d lines)  ratio %s\n' \
         "$r" "$plain" "$traced" "$lines" "$ratio"
done
printf '%s\n' "${ratios[@]}" | sort -n | awk '{ v[NR] = $1 } END {
  printf "median ratio with/without --trace: %.4f over %d rounds\n", v[int((NR + 1) / 2)], NR }'
