#!/usr/bin/env bash
# Opens the desktop program against the device emulator, ready to use:
#
#   scripts/run-desktop.sh        model F (TLX500F_Z200)
#   scripts/run-desktop.sh S      model S (TLX500S_Z200)
#
# tlx500-sim is started on a pseudo-terminal with a seeded state, and the
# program gets a fresh INI file (in a temporary configuration folder) whose
# serial device is that pseudo-terminal, so every dialog works at once; your
# own settings are not touched. Without a display ($DISPLAY and
# $WAYLAND_DISPLAY empty) it says so and runs the command-line read-all
# against the emulator instead.
#
# Environment: TLX_BUILD_DIR (default build/default, configured and built
# with the default preset when it is missing), TLX_SEED (default 1).
set -euo pipefail
cd "$(dirname "$0")/.."

model="${1:-F}"
case "$model" in
F | f) model=F ;;
S | s) model=S ;;
*)
    echo "usage: scripts/run-desktop.sh [F|S]" >&2
    exit 2
    ;;
esac
lower="$(echo "$model" | tr FS fs)"
program="TLX500${model}_Z200"
seed="${TLX_SEED:-1}"
build="${TLX_BUILD_DIR:-build/default}"

if [[ -z "${TLX_BUILD_DIR:-}" && ! -f "$build/CMakeCache.txt" ]]; then
    scripts/setup.sh
    cmake --preset default
fi
cmake --build "$build" --target "$program" tlx500-sim tlx500ctl

work="$(mktemp -d "${TMPDIR:-/tmp}/tlx-desktop.XXXXXX")"
sim_pid=""
cleanup() {
    if [[ -n "$sim_pid" ]]; then
        kill "$sim_pid" 2>/dev/null || true
        wait "$sim_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

tty="$work/ttyTLX"
"$build/src/sim/tlx500-sim" --model "$model" --pty "$tty" --seed "$seed" \
    --ready-file "$work/ready" 2>"$work/sim.log" &
sim_pid=$!
for _ in $(seq 1 200); do
    [[ -s "$work/ready" ]] && break
    if ! kill -0 "$sim_pid" 2>/dev/null; then
        cat "$work/sim.log" >&2
        echo "run-desktop: the emulator did not start" >&2
        exit 1
    fi
    sleep 0.05
done
if [[ ! -s "$work/ready" ]]; then
    echo "run-desktop: the emulator did not get ready" >&2
    exit 1
fi
echo "run-desktop: emulated model $model device (seed $seed) on $tty"

# A fresh connection set-up: serial interface, RS-232C, the pseudo-terminal.
config="$work/config"
mkdir -p "$config"
printf '[TLX-500%s_Z200_Section]\r\ncom_port=0\r\nrs_control=0\r\nInterface=0\r\np_port_number=09004\r\nClientServer=0\r\nselect_number=0\r\nlist_count=0\r\ncom_device=%s\r\n' \
    "$model" "$tty" >"$config/tlx500${lower}_z200.ini"

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    echo "run-desktop: no display (\$DISPLAY and \$WAYLAND_DISPLAY are empty), so $program cannot open;"
    echo "run-desktop: running the command-line job instead: tlx500ctl read-all against the emulator"
    out="$build/read-all-$lower.dat"
    "$build/src/ctl/tlx500ctl" --model "$model" --serial "$tty" --pace-scale 0.05 read-all "$out"
    echo "run-desktop: the device's settings are in $out ($(wc -l <"$out") lines)"
    exit 0
fi

echo "run-desktop: opening $program (the emulator stops when it closes)"
XDG_CONFIG_HOME="$config" "$build/src/qt/$program"
