#!/usr/bin/env bash
# Japanese input through a real input method: under Xvfb, ibus with the Mozc
# engine converts the romaji "toukyou" (Space, then Return) in the model F
# title dialog; the line is sent to tlx500-sim, and the emulator's log must
# show the JIS codes of 東京 (456C 357E) on page 1, line 1.
#
#   scripts/ime-check.sh
#
# Installs ibus, ibus-mozc and xdotool when missing (with sudo when not
# root). Says so and ends 0 when Xvfb or ibus cannot start here, or the
# packages cannot be installed. Environment: TLX_BUILD_DIR (default
# build/default, already configured).
set -euo pipefail
cd "$(dirname "$0")/.."

build="${TLX_BUILD_DIR:-build/default}"
skip() {
    echo "ime-check: skipped: $*"
    exit 0
}

packages=()
command -v ibus-daemon >/dev/null || packages+=(ibus)
[[ -x /usr/lib/ibus-mozc/ibus-engine-mozc ]] || packages+=(ibus-mozc)
command -v xdotool >/dev/null || packages+=(xdotool)
command -v Xvfb >/dev/null || packages+=(xvfb)
command -v dbus-run-session >/dev/null || packages+=(dbus)
if [[ ${#packages[@]} -gt 0 ]]; then
    sudo=()
    [[ $(id -u) -eq 0 ]] || sudo=(sudo)
    echo "ime-check: installing ${packages[*]}"
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends \
        "${packages[@]}" >/dev/null 2>&1 || skip "cannot install ${packages[*]}"
fi

cmake --build "$build" --target tlx-ime-probe tlx500-sim >/dev/null

work="$(mktemp -d "${TMPDIR:-/tmp}/tlx-ime.XXXXXX")"
pids=()
cleanup() {
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill "${pids[i]}" 2>/dev/null || true
        wait "${pids[i]}" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT

# A display of our own.
display=""
for n in $(seq 90 120); do
    [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]] && continue
    Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
    pids+=($!)
    for _ in $(seq 1 50); do
        [[ -e /tmp/.X11-unix/X$n ]] && break
        sleep 0.1
    done
    [[ -e /tmp/.X11-unix/X$n ]] && display=":$n" && break
done
[[ -n "$display" ]] || skip "Xvfb did not start"

# The emulated device on a pseudo-terminal, logging every line it receives.
tty="$work/ttyTLX"
"$build/src/sim/tlx500-sim" --model F --pty "$tty" --log "$work/device.log" \
    --ready-file "$work/ready" 2>"$work/sim.log" &
pids+=($!)
for _ in $(seq 1 100); do
    [[ -s "$work/ready" ]] && break
    sleep 0.05
done
[[ -s "$work/ready" ]] || { cat "$work/sim.log" >&2; echo "ime-check: the emulator did not start" >&2; exit 1; }

# Everything the input method and the program keep goes into the work folder.
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_CACHE_HOME="$work/home/.cache"
mkdir -p "$XDG_CONFIG_HOME/mozc"
# Mozc starts in Hiragana input rather than direct input.
printf 'active_on_launch: True\n' >"$XDG_CONFIG_HOME/mozc/ibus_config.textproto"
printf '[TLX-500F_Z200_Section]\r\ncom_port=0\r\nrs_control=0\r\nInterface=0\r\np_port_number=09004\r\nClientServer=0\r\nselect_number=0\r\nlist_count=0\r\ncom_device=%s\r\n' \
    "$tty" >"$XDG_CONFIG_HOME/tlx500f_z200.ini"
export DISPLAY="$display" QT_QPA_PLATFORM=xcb QT_IM_MODULE=ibus XMODIFIERS=@im=ibus GTK_IM_MODULE=ibus

cat >"$work/session.sh" <<'EOF'
set -u
ibus-daemon --replace --single --xim --panel=disable >"$WORK/ibus.log" 2>&1 &
for _ in $(seq 1 100); do
    ibus list-engine 2>/dev/null | grep -q mozc-jp && break
    sleep 0.1
done
ibus list-engine 2>/dev/null | grep -q mozc-jp || exit 77
"$PROBE" 東京 60 >"$WORK/probe.out" 2>"$WORK/probe.err" &
probe=$!
for _ in $(seq 1 200); do
    grep -q ready "$WORK/probe.out" 2>/dev/null && break
    sleep 0.1
done
sleep 1
# The engine is set once the program's input context has the focus.
ibus engine mozc-jp || { kill "$probe"; exit 77; }
sleep 1
xdotool type --delay 150 toukyou
sleep 1
xdotool key space
sleep 1
xdotool key Return
wait "$probe"
EOF
status=0
WORK="$work" PROBE="$build/tests/qt/tlx-ime-probe" \
    timeout 120 dbus-run-session -- bash "$work/session.sh" || status=$?
if [[ $status -eq 77 ]]; then
    cat "$work/ibus.log" >&2 || true
    skip "ibus with the Mozc engine could not start here"
fi
cat "$work/probe.out" 2>/dev/null || true
if [[ $status -ne 0 ]]; then
    cat "$work/probe.err" >&2 || true
    echo "ime-check: FAILED: the input method did not produce 東京 in the title dialog" >&2
    exit 1
fi
expected="CA001L01456C357E$(printf '2121%.0s' $(seq 1 26))"
if ! grep -qx "$expected" "$work/device.log"; then
    echo "ime-check: FAILED: the device did not receive $expected; it logged:" >&2
    cat "$work/device.log" >&2
    exit 1
fi
echo "ime-check: ibus + Mozc typed 東京 into the title dialog; the device received its JIS codes"
