#!/usr/bin/env bash
# Times the desktop programs:
#   - start-up to the first shown main window, both models in turn, against a
#     minimal Qt Widgets window started the same way (medians, ratio; the
#     limit is 1.5);
#   - during a read-all at full pacing against tlx500-sim on a pseudo-terminal,
#     how late the main thread's event loop serves a 10 ms timer (limit 50 ms);
#   - the main window's 150 ms tick work (limit 1 ms) and a keystroke in the
#     title field until repainted (limit 16 ms), both models.
#
#   bench/desktop_timing.sh [BUILD_DIR] [RUNS] [STALL_SECONDS]
#
# Uses the X display when there is one, else the offscreen platform. The
# release build is configured and built when it is missing.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
runs=${2:-21}
seconds=${3:-60}
if [ ! -d "$build" ]; then
    cmake --preset release >/dev/null
fi
cmake --build "$build" --target tlx-desktop-timing >/dev/null
timing="$build/bench/tlx-desktop-timing"
status=0
"$timing" startup "$runs" || status=1
for model in F S; do
    "$timing" stall "$model" "$seconds" || status=1
    "$timing" tick "$model" || status=1
    "$timing" keys "$model" || status=1
done
exit $status
