#!/usr/bin/env bash
# Runs every fuzz target of a build folder for a bounded time; any crash or
# sanitizer report fails the run.
set -euo pipefail
build=${1:-build/asan}
seconds=${2:-60}
dir="$build/tests/fuzz"
shopt -s nullglob
targets=()
for t in "$dir"/fuzz_*; do
  [ -f "$t" ] && [ -x "$t" ] && targets+=("$t")
done
if [ ${#targets[@]} -eq 0 ]; then
  echo "fuzz: no targets in $dir" >&2
  exit 1
fi
per=$(( seconds / ${#targets[@]} ))
[ "$per" -ge 10 ] || per=10
for t in "${targets[@]}"; do
  name=$(basename "$t")
  corpus="$build/fuzz-corpus/$name"
  mkdir -p "$corpus"
  seeds="tests/fuzz/seeds/$name"
  echo "fuzz: $name for ${per}s"
  "$t" -max_total_time="$per" -print_final_stats=0 "$corpus" $( [ -d "$seeds" ] && echo "$seeds" ) \
    > "$build/$name.log" 2>&1 || { tail -n 60 "$build/$name.log"; echo "fuzz: $name failed" >&2; exit 1; }
done
echo "fuzz: all targets clean"
