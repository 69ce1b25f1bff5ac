# Sourced by the bench scripts that time tlx500ctl against tlx500-sim, with
# $build set first: the two programs, a work folder that goes at exit
# together with every job still running, and the wait for the emulator.
sim="$build/src/sim/tlx500-sim"
ctl="$build/src/ctl/tlx500ctl"
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT

# Waits, ten seconds at the most, until the emulator has written its port or
# device path to $work/ready.
wait_ready() {
  for _ in $(seq 100); do [ -s "$work/ready" ] && break; sleep 0.1; done
}
