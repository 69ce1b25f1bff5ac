#!/usr/bin/env bash
# Builds the Debian package from this tree: the optimised programs only (no
# tests, no benchmarks) in build/package, then CPack. Prints the .deb's path.
#   scripts/package.sh
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh >&2
cmake --preset package >&2
cmake --build --preset package --target package >&2
ls -t build/package/tlx500_*.deb | head -1
