#!/usr/bin/env bash
# Times read-all and send-all of tlx500ctl against tlx500-sim over loopback
# TCP: measured time against the pacing floor (the sum of the run's
# intervals), the CPU the tool used while waiting, and the step rate at
# --pace-scale 0.001.
#   bench/transfer_timing.sh [BUILD_DIR] [SCALE]
# SCALE 1 (the default) is the real pacing: about half an hour for both models.
set -euo pipefail
build=${1:-build/release}
scale=${2:-1}
. "$(dirname "$0")/sim_session.sh"

start_sim() { # model
  rm -f "$work/ready"
  "$sim" --model "$1" --tcp-listen 0 --seed 42 --ready-file "$work/ready" >/dev/null 2>&1 &
  wait_ready
  cat "$work/ready"
}

run() { # label model scale command [args...]
  local label=$1 model=$2 s=$3 port
  shift 3
  port=$(start_sim "$model")
  /usr/bin/env time -f "%U %S %e" -o "$work/time" \
    "$ctl" --model "$model" --tcp "127.0.0.1:$port" --pace-scale "$s" "$@" 2>"$work/err" >/dev/null
  kill %% 2>/dev/null || true
  wait 2>/dev/null || true
  read -r user sys elapsed < "$work/time"
  local line
  line=$(grep 'pacing floor' "$work/err")
  local took floor steps
  took=$(sed -E 's/.*took ([0-9.]+) s.*/\1/' <<<"$line")
  floor=$(sed -E 's/.*floor ([0-9.]+) s.*/\1/' <<<"$line")
  steps=$(sed -E 's/.*for ([0-9]+) steps.*/\1/' <<<"$line")
  awk -v l="$label" -v t="$took" -v f="$floor" -v u="$user" -v s="$sys" -v e="$elapsed" -v n="$steps" 'BEGIN {
    printf "%-22s %8.2f s  floor %8.2f s  measured/floor %.4f  cpu %.2f%% of one core  %8.0f steps/s\n",
           l, t, f, (f > 0 ? t / f : 0), 100 * (u + s) / (e > 0 ? e : 1), n / (t > 0 ? t : 1) }'
}

command -v time >/dev/null || [ -x /usr/bin/time ] || { echo "needs /usr/bin/time (Debian package time)"; exit 1; }
for model in F S; do
  run "read-all $model x$scale" "$model" "$scale" read-all "$work/$model.dat"
  run "send-all $model x$scale" "$model" "$scale" send-all "$work/$model.dat"
done
# A whole large glyph table: 70 steps of 0.4 s to read, of 2 s to send.
run "glyphs read large x$scale" F "$scale" glyphs read large "$work/g.tll"
run "glyphs send large x$scale" F "$scale" glyphs send large "$work/g.tll"
for model in F S; do
  run "read-all $model x0.001" "$model" 0.001 read-all "$work/fast-$model.dat"
done
