#!/usr/bin/env bash
# A changed-only send of three title edits at the real pacing against
# tlx500-sim over loopback TCP, beside the pacing floor of the whole send-all.
#   bench/changed_send_timing.sh [BUILD_DIR]
set -euo pipefail
build=${1:-build/release}
. "$(dirname "$0")/sim_session.sh"

"$sim" --tcp-listen 0 --seed 42 --ready-file "$work/ready" --log "$work/lines.log" >/dev/null 2>&1 &
wait_ready
port=$(cat "$work/ready")
"$ctl" --tcp "127.0.0.1:$port" --pace-scale 0.001 read-all "$work/base.dat" 2>/dev/null

# Three titles (page 12 line 3, page 200 line 1, page 512 line 10) become "ＡＢＣ".
python3 - "$work/base.dat" "$work/target.dat" <<'PY'
import sys
lines = open(sys.argv[1], 'rb').read().split(b'\r\n')
for page, line in ((12, 3), (200, 1), (512, 10)):
    lines[3 + (page - 1) * 10 + line - 1] = b'\x82\x60\x82\x61\x82\x62'
open(sys.argv[2], 'wb').write(b'\r\n'.join(lines))
PY

before=$(wc -l < "$work/lines.log")
start=$(date +%s.%N)
"$ctl" --tcp "127.0.0.1:$port" send-all "$work/target.dat" --changed-from "$work/base.dat" \
  2>"$work/err" >/dev/null
end=$(date +%s.%N)
sent=$(tail -n +"$((before + 1))" "$work/lines.log" | cut -c1-5 | tr '\n' ' ')
grep -o 'sent [0-9]* of [0-9]* commands' "$work/err"
grep -o 'took .*' "$work/err"
awk -v s="$start" -v e="$end" 'BEGIN { printf "changed-only send of 3 titles: %.2f s wall clock, process included\n", e - s }'
echo "lines the device received: $sent"
