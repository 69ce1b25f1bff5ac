#!/usr/bin/env bash
# How long tlx500ctl takes to end after SIGINT / SIGTERM while it waits: for
# an answer over TCP/IP (silent device, endless bytes without LF), for a
# serial answer, and between the paced steps of a run. Full pacing, so each
# wait would otherwise last seconds. The target is 100 ms.
#   bench/interrupt_latency.sh [BUILD_DIR] [ROUNDS]
set -euo pipefail
build=${1:-build/release}
rounds=${2:-5}
. "$(dirname "$0")/sim_session.sh"

now_ms() { echo $(($(date +%s%N) / 1000000)); }

start_sim() { # args...; sets simpid
  rm -f "$work/ready"
  "$sim" --ready-file "$work/ready" "$@" >/dev/null 2>&1 &
  simpid=$!
  wait_ready
}

measure() { # label signal marker link-args... -- sim-args...
  local label=$1 sig=$2 marker=$3
  shift 3
  local link=() simargs=()
  while [ "$1" != "--" ]; do link+=("$1"); shift; done
  shift
  simargs=("$@")
  local worst=0 sum=0 status=0
  for _ in $(seq "$rounds"); do
    start_sim "${simargs[@]}"
    local ready
    ready=$(cat "$work/ready")
    local args=("${link[@]//@READY@/$ready}")
    "$ctl" "${args[@]}" --verbose read-all "$work/a.dat" 2>"$work/err" >/dev/null &
    local pid=$!
    for _ in $(seq 200); do grep -q "^> $marker" "$work/err" 2>/dev/null && break; sleep 0.02; done
    sleep 0.3 # well inside the wait
    local t0 t1
    t0=$(now_ms)
    kill "-$sig" "$pid"
    wait "$pid" && status=0 || status=$?
    t1=$(now_ms)
    kill "$simpid" 2>/dev/null || true
    wait "$simpid" 2>/dev/null || true
    local d=$((t1 - t0))
    sum=$((sum + d))
    [ "$d" -gt "$worst" ] && worst=$d
  done
  printf "%-34s mean %4d ms  worst %4d ms  exit %d\n" "$label" $((sum / rounds)) "$worst" "$status"
}

measure "TCP answer wait, silent device" INT RCA002 --tcp 127.0.0.1:@READY@ -- \
  --tcp-listen 0 --silent-after 1
measure "TCP answer wait, endless bytes" TERM RCA001 --tcp 127.0.0.1:@READY@ -- \
  --tcp-listen 0 --fault-at 1:endless
measure "serial answer wait, silent device" INT RCA002 --serial "$work/tty" -- \
  --pty "$work/tty" --silent-after 1
measure "between paced steps (serial)" INT RCA001 --serial "$work/tty" -- \
  --pty "$work/tty"
