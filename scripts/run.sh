#!/usr/bin/env bash
# Installs what is missing, builds everything, starts the device emulator with
# a seeded state on a free loopback port and reads every setting from it with
# tlx500ctl, as an operator would from a real device.
#   scripts/run.sh [F|S]
set -euo pipefail
cd "$(dirname "$0")/.."
model=${1:-F}
scripts/setup.sh
cmake --preset default
cmake --build --preset default

work=$(mktemp -d "${TMPDIR:-/tmp}/tlx500-run.XXXXXX")
sim=build/default/src/sim/tlx500-sim
ctl=build/default/src/ctl/tlx500ctl
"$sim" --model "$model" --tcp-listen 0 --seed 2026 --ready-file "$work/ready" &
sim_pid=$!
trap 'kill $sim_pid 2>/dev/null || true' EXIT
for _ in $(seq 100); do [ -s "$work/ready" ] && break; sleep 0.1; done
port=$(cat "$work/ready")
echo "tlx500-sim (model $model) listens on 127.0.0.1:$port"
"$ctl" --model "$model" --tcp "127.0.0.1:$port" version
# A real device needs the full pacing (about 6 minutes for model F); the
# emulator is read at a twentieth of it.
"$ctl" --model "$model" --tcp "127.0.0.1:$port" --pace-scale 0.05 read-all "$work/device.dat"
echo "Every setting of the emulated device is in $work/device.dat"
