#!/usr/bin/env bash
# Times send-all of tlx500ctl to many dial-in devices of tlx500-sim against
# send-all to one, in the same run: the wall time of the run and the CPU the
# tool used meanwhile, as a share of one core.
#   bench/fleet_timing.sh [BUILD_DIR] [SCALE] [COUNT] [MODEL]
# SCALE 1 is the real pacing: about ten minutes per run.
set -euo pipefail
build=${1:-build/release}
scale=${2:-0.02}
count=${3:-96}
model=${4:-F}
. "$(dirname "$0")/sim_session.sh"
# The programs run under time: end them too, not only time, also when a run
# fails (an emulator left dialling would load every later measurement).
trap 'for j in $(jobs -p); do pkill -TERM -P "$j"; kill "$j"; done 2>/dev/null || true; rm -rf "$work"' EXIT
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time (Debian package time)"; exit 1; }

# The file to send: a seeded device's settings.
"$sim" --model "$model" --tcp-listen 0 --seed 42 --save "$work/source.dat" \
  --ready-file "$work/ready" >/dev/null 2>&1 &
wait_ready
kill -TERM %1; wait %1 || true

run() { # devices
  local n=$1 port took user sys
  rm -f "$work/err"
  /usr/bin/time -f "%U %S" -o "$work/time" \
    "$ctl" --model "$model" --listen 0 --devices "$n" --pace-scale "$scale" \
    send-all "$work/source.dat" >"$work/out" 2>"$work/err" &
  local tool=$!
  for _ in $(seq 100); do grep -q 'on port' "$work/err" 2>/dev/null && break; sleep 0.1; done
  port=$(sed -nE 's/.*on port ([0-9]+).*/\1/p' "$work/err")
  /usr/bin/time -f "%U %S %e" -o "$work/simtime" \
    "$sim" --model "$model" --tcp-connect "127.0.0.1:$port" --count "$n" >/dev/null 2>&1 &
  local devices=$!
  wait "$tool" || { echo "send-all to $n device(s) failed:"; cat "$work/out" "$work/err"; exit 1; }
  pkill -TERM -P "$devices" 2>/dev/null || true # the emulator under time
  wait "$devices" || true
  took=$(sed -nE 's/.*took ([0-9.]+) s.*/\1/p' "$work/err")
  read -r user sys < "$work/time"
  local suser ssys selapsed
  read -r suser ssys selapsed < "$work/simtime" || true
  local done
  done=$(grep -c ' done ' "$work/out" || true)
  awk -v m="$model" -v n="$n" -v t="$took" -v u="$user" -v s="$sys" -v d="$done" \
      -v su="${suser:-0}" -v ss="${ssys:-0}" -v se="${selapsed:-0}" 'BEGIN {
    printf "send-all %s to %2d device(s): %8.2f s, %d done, tool cpu %5.1f%% of one core (%.2f s), emulator cpu %5.1f%%\n",
           m, n, t, d, 100 * (u + s) / (t > 0 ? t : 1), u + s, 100 * (su + ss) / (se > 0 ? se : 1) }'
  echo "$took" > "$work/took-$n"
  awk 'NR > 1 && $2 == "done" { print $3; exit }' "$work/out" > "$work/commands"
}

# At a small scale both programs need a good share of a core each: a busy
# machine shows in the ratio, so say how busy it was.
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg), $(nproc) cores"
run 1
run "$count"
# The same traffic with nothing but sockets and one epoll loop: on loopback
# the kernel delivers each segment into the emulator's socket inside the
# sender's send, so this is the least CPU any program could show here.
floor="$build/bench/tlx-loopback-floor"
if [ -x "$floor" ]; then
  commands=$(cat "$work/commands")
  interval=$(awk -v t="$(cat "$work/took-1")" -v c="$commands" 'BEGIN { printf "%d", t * 1e6 / c }')
  "$floor" "$count" "$commands" "$interval"
fi
awk -v a="$(cat "$work/took-1")" -v b="$(cat "$work/took-$count")" -v n="$count" -v x="$scale" \
  'BEGIN { printf "time ratio %d devices / 1 device: %.3f (at pace scale %s)\n", n, b / a, x }'
