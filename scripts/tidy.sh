#!/usr/bin/env bash
# Runs clang-tidy (the checks in .clang-tidy) over every translation unit under
# src/, using the compile commands of the built default preset, and fails on
# any finding. Arguments, if given, narrow the files (regexes on the path).
# Each finding is printed once, however many translation units include it.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
db=build/default/compile_commands.json
if [ ! -f "$db" ]; then
  echo "tidy: $db is missing; build the default preset first" >&2
  exit 2
fi
files=("$@")
# Anchored on the tree so the build tree's generated moc and resource files
# (build/default/src/...) are left out.
[ ${#files[@]} -gt 0 ] || files=("^$root/src/")
log=$(mktemp)
trap 'rm -f "$log"' EXIT
status=0
run-clang-tidy -p build/default -j "${TLX_TIDY_JOBS:-2}" -quiet "${files[@]}" >"$log" 2>&1 || status=$?
# run-clang-tidy colours its output whatever it writes to.
findings=$(sed 's/\x1b\[[0-9;]*m//g' "$log" |
  grep -E '^[^ ]+:[0-9]+:[0-9]+: (warning|error): ' | sed "s|^$root/||" | sort -u || true)
count=0
[ -z "$findings" ] || count=$(printf '%s\n' "$findings" | wc -l)
if [ "$count" -gt 0 ]; then
  printf '%s\n' "$findings"
elif [ "$status" -ne 0 ]; then
  sed 's/\x1b\[[0-9;]*m//g' "$log" | tail -n 40
fi
echo "tidy: $count findings"
[ "$count" -eq 0 ] && [ "$status" -eq 0 ]
