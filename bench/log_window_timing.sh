#!/usr/bin/env bash
# Cost of the "通信ログ" window on a run: a send-all from the desktop
# program's dialogs against tlx500-sim on a pseudo-terminal, once with the
# window open and once without it, in turns (the order alternates by round),
# each in its own process so that its peak memory is its own. Prints each
# run (duration, log lines, CPU time, peak resident memory), each pair's
# ratio and their median.
#   bench/log_window_timing.sh [BUILD_DIR] [PACE_SCALE] [ROUNDS] [MODEL]
# At pace scale 1 (the device's real pacing) a model F send-all takes about
# ten minutes, so one round takes twenty. Uses the X display when there is
# one, else the offscreen platform.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
scale=${2:-1}
rounds=${3:-1}
model=${4:-F}
cmake --build "$build" --target tlx-desktop-timing >/dev/null
timing="$build/bench/tlx-desktop-timing"
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR=$runtime
[ -n "${DISPLAY:-}" ] || export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

took() { # open|closed: runs one send-all, prints its line, leaves its seconds in $secs
  local line
  line=$("$timing" sendall "$model" "$1" "$scale" 2>/dev/null | head -1)
  echo "$line"
  case $line in *", complete,"*) ;; *) echo "log-window-timing: the run did not complete" >&2; exit 1 ;; esac
  secs=$(sed -nE 's/.*: ([0-9.]+) s, .*/\1/p' <<<"$line")
  cpu=$(sed -nE 's/.*CPU time ([0-9.]+) s.*/\1/p' <<<"$line")
}

ratios=()
cpuRatios=()
for r in $(seq "$rounds"); do
  if (( r % 2 )); then
    took closed; closed=$secs; closedCpu=$cpu; took open; open=$secs; openCpu=$cpu
  else
    took open; open=$secs; openCpu=$cpu; took closed; closed=$secs; closedCpu=$cpu
  fi
  ratio=$(awk -v a="$open" -v b="$closed" 'BEGIN { printf "%.4f", a / b }')
  ratios+=("$ratio")
  cpuRatio=$(awk -v a="$openCpu" -v b="$closedCpu" 'BEGIN { printf "%.4f", a / b }')
  cpuRatios+=("$cpuRatio")
  echo "round $r: window open $open s, closed $closed s, ratio $ratio; CPU time ratio $cpuRatio"
done
median() { sort -n | awk '{ v[NR] = $1 } END { printf "%.4f", v[int((NR + 1) / 2)] }'; }
echo "median ratio open/closed over $rounds rounds: duration $(printf '%s\n' "${ratios[@]}" | median)," \
     "CPU time $(printf '%s\n' "${cpuRatios[@]}" | median)"
