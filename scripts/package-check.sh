#!/usr/bin/env bash
# CI checks of the Debian package, which is never installed here: lintian
# (errors fail), the AppStream metainfo and desktop entries, then the
# programs run from a temporary root the package is unpacked into: --help of
# each, a manual page for each, and a short read-all of tlx500ctl against
# tlx500-sim.
#   scripts/package-check.sh [PACKAGE.deb]
set -euo pipefail
cd "$(dirname "$0")/.."
deb=${1:-$(scripts/package.sh)}
echo "package-check: $deb"
lintian --fail-on error "$deb"
root=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
# The metainfo, and that each component's desktop entry is installed under its id.
appstreamcli validate-tree --no-net "$root"
for p in tlx500ctl tlx500-sim TLX500F_Z200 TLX500S_Z200; do
  "$root/usr/bin/$p" --help >/dev/null
  test -s "$root/usr/share/man/man1/$p.1.gz"
done
bash -n "$root"/usr/share/bash-completion/completions/*
# Through a file: head leaving early would break the pipe under pipefail.
"$root/usr/bin/tlx500ctl" --help >"$root/help.txt"
head -1 "$root/help.txt"
"$root/usr/bin/tlx500-sim" --tcp-listen 0 --seed 7 --ready-file "$root/ready" >/dev/null 2>&1 &
for _ in $(seq 100); do [ -s "$root/ready" ] && break; sleep 0.1; done
"$root/usr/bin/tlx500ctl" --tcp "127.0.0.1:$(cat "$root/ready")" --pace-scale 0.001 \
  read-all "$root/read.dat"
test -s "$root/read.dat"
echo "package-check: ok"
