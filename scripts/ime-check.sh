#!/usr/bin/env bash
# Japanese input through a real input method: under Xvfb, ibus with the Mozc
# engine converts the romaji "toukyou" (Space, then Return) in the model F
# title dialog; the line is sent to tlx500-sim, and the emulator's log must
# show the JIS codes of 東京 (456C 357E) on page 1, line 1.
#
#   scripts/ime-check.sh
#
# Needs the Debian packages ibus, ibus-mozc, xdotool, xvfb and dbus-daemon
# (scripts/setup.sh installs them; this script tries to when one is missing)
# and is skipped, with a word, only when they cannot be had. Everything else
# that goes wrong ends 1. Mozc refuses to run as root, so as root the input
# method, the emulator and the program run as the user "nobody".
# Environment: TLX_BUILD_DIR (default build/default, already configured).
set -euo pipefail
cd "$(dirname "$0")/.."

build="${TLX_BUILD_DIR:-build/default}"
skip() {
    echo "ime-check: skipped: $*"
    exit 0
}
fail() {
    echo "ime-check: FAILED: $*" >&2
    exit 1
}

packages=()
command -v ibus-daemon >/dev/null || packages+=(ibus)
[[ -x /usr/lib/ibus-mozc/ibus-engine-mozc && -x /usr/lib/mozc/mozc_server ]] || packages+=(ibus-mozc)
command -v xdotool >/dev/null || packages+=(xdotool)
command -v Xvfb >/dev/null || packages+=(xvfb)
command -v dbus-run-session >/dev/null || packages+=(dbus-daemon)
if [[ ${#packages[@]} -gt 0 ]]; then
    sudo=()
    [[ $(id -u) -eq 0 ]] || sudo=(sudo -n)
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

# The programs run from the work folder, which the user below can read
# wherever the build tree lies.
mkdir -p "$work/bin"
cp "$build/tests/qt/tlx-ime-probe" "$build/src/sim/tlx500-sim" "$work/bin/"
as_user=()
if [[ $(id -u) -eq 0 ]]; then
    chown -R nobody:nogroup "$work"
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi

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
[[ -n "$display" ]] || { cat "$work/xvfb.log" >&2; fail "Xvfb did not start"; }

# Everything the input method and the program keep goes into the work folder.
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_CACHE_HOME="$work/home/.cache" \
    XDG_RUNTIME_DIR="$work/run"
"${as_user[@]}" mkdir -p -m 700 "$XDG_CONFIG_HOME/mozc" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR"

# The emulated device on a pseudo-terminal that the program's user may open,
# logging every line it receives.
tty="$work/ttyTLX"
"${as_user[@]}" "$work/bin/tlx500-sim" --model F --pty "$tty" --log "$work/device.log" \
    --ready-file "$work/ready" 2>"$work/sim.log" &
pids+=($!)
for _ in $(seq 1 100); do
    [[ -s "$work/ready" ]] && break
    sleep 0.05
done
[[ -s "$work/ready" ]] || { cat "$work/sim.log" >&2; fail "the emulator did not start"; }

# Mozc starts in Hiragana input rather than direct input. The file replaces
# Mozc's defaults whole: without its engine entry Mozc offers ibus no engine.
cat >"$XDG_CONFIG_HOME/mozc/ibus_config.textproto" <<'EOF'
engines {
  name: "mozc-jp"
  longname: "Mozc"
  layout: "default"
  layout_variant: ""
  layout_option: ""
  rank: 80
}
active_on_launch: True
EOF
printf '[TLX-500F_Z200_Section]\r\ncom_port=0\r\nrs_control=0\r\nInterface=0\r\np_port_number=09004\r\nClientServer=0\r\nselect_number=0\r\nlist_count=0\r\ncom_device=%s\r\n' \
    "$tty" >"$XDG_CONFIG_HOME/tlx500f_z200.ini"
[[ ${#as_user[@]} -eq 0 ]] || chown -R nobody:nogroup "$HOME"
export DISPLAY="$display" QT_QPA_PLATFORM=xcb QT_IM_MODULE=ibus XMODIFIERS=@im=ibus GTK_IM_MODULE=ibus

cat >"$work/session.sh" <<'EOF'
set -u
# ibus-engine-mozc starts mozc_server, which outlives the session: end ours.
end_mozc() {
    for d in /proc/[0-9]*; do
        [[ $(cat "$d/comm" 2>/dev/null) == mozc_server ]] || continue
        tr '\0' '\n' <"$d/environ" 2>/dev/null | grep -qxF "HOME=$HOME" && kill "${d#/proc/}"
    done
}
trap end_mozc EXIT
ibus-daemon --replace --single --xim --panel=disable >"$WORK/ibus.log" 2>&1 &
for _ in $(seq 1 100); do
    ibus list-engine 2>/dev/null | grep -q mozc-jp && break
    sleep 0.1
done
ibus list-engine 2>/dev/null | grep -q mozc-jp || exit 3
"$WORK/bin/tlx-ime-probe" 東京 30 >"$WORK/probe.out" 2>"$WORK/probe.err" &
probe=$!
for _ in $(seq 1 200); do
    grep -q ready "$WORK/probe.out" 2>/dev/null && break
    sleep 0.1
done
sleep 1
# The engine is set once the program's input context has the focus. Its
# exit status cannot tell: with the engine's "default" keyboard layout there
# is nothing for setxkbmap to do, and "ibus engine" ends 1 after setting it.
ibus engine mozc-jp 2>>"$WORK/ibus.log"
[[ $(ibus engine 2>/dev/null) == mozc-jp ]] || { kill "$probe"; exit 4; }
sleep 1
xdotool type --delay 150 toukyou
sleep 1
xdotool key space
sleep 1
xdotool key Return
wait "$probe"
EOF
status=0
WORK="$work" timeout 120 "${as_user[@]}" dbus-run-session -- bash "$work/session.sh" \
    >"$work/session.log" 2>&1 || status=$?
if [[ $status -ne 0 ]]; then
    cat "$work/session.log" "$work/ibus.log" "$work/probe.out" "$work/probe.err" >&2 2>/dev/null || true
    case $status in
    3) fail "ibus did not offer the Mozc engine (mozc-jp)" ;;
    4) fail "ibus did not take the Mozc engine (mozc-jp)" ;;
    *) fail "the input method did not produce 東京 in the title dialog" ;;
    esac
fi
expected="CA001L01456C357E$(printf '2121%.0s' $(seq 1 26))"
if ! grep -qx "$expected" "$work/device.log"; then
    cat "$work/device.log" >&2
    fail "the device did not receive $expected (its log above)"
fi
echo "ime-check: the probe said: $(tr '\n' ' ' <"$work/probe.out")"
echo "ime-check: the device received: $expected"
echo "ime-check: ibus $(ibus version 2>/dev/null | sed 's/^IBus //') + Mozc $(dpkg-query -W -f='${Version}' ibus-mozc 2>/dev/null) typed 東京 into the title dialog; the device received its JIS codes"
