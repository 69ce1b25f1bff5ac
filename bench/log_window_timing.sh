#!/usr/bin/env bash
# Cost of the "通信ログ" window on a run: a send-all from the desktop
# program's dialogs against tlx500-sim on a pseudo-terminal, once with the
# window open and once without it, in turns (the order alternates by round),
# each in its own process so that its peak memory is its own. Prints each
# run (duration, log lines, peak resident memory) and each pair's ratio.
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
}

for r in $(seq "$rounds"); do
  if (( r % 2 )); then
    took closed; closed=$secs; took open; open=$secs
  else
    took open; open=$secs; took closed; closed=$secs
  fi
  awk -v a="$open" -v b="$closed" -v r="$r" \
    'BEGIN { printf "round %d: window open %.2f s, closed %.2f s, ratio %.4f\n", r, a, b, a / b }'
done
