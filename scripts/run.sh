#!/usr/bin/env bash
# The main job on a new machine: installs what is missing, builds everything,
# starts the device emulator on a pseudo-terminal with a seeded state and
# opens the desktop program against it (scripts/run-desktop.sh). Without a
# display it says so and reads every setting of the emulated device with
# tlx500ctl instead.
#   scripts/run.sh [F|S]
set -euo pipefail
cd "$(dirname "$0")/.."
model=${1:-F}
case "$model" in
F | f | S | s) ;;
*)
    echo "usage: scripts/run.sh [F|S]" >&2
    exit 2
    ;;
esac
scripts/setup.sh
cmake --preset default
cmake --build --preset default
exec scripts/run-desktop.sh "$model"
