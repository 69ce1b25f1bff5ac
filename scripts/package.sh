#!/usr/bin/env bash
# Builds the Debian package from this tree: the optimised programs only (no
# tests, no benchmarks) in build/package, then CPack. Prints the .deb's path.
#   scripts/package.sh
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh >&2
# Debian's hardening flags (stack protector, fortified functions, read-only
# relocations bound at start-up), as a package built by the archive gets them.
flags() { DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get "$1"; }
cmake --preset package -DCMAKE_CXX_FLAGS="$(flags CPPFLAGS) $(flags CXXFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(flags LDFLAGS)" >&2
cmake --build --preset package --target package >&2
ls -t build/package/tlx500_*.deb | head -1
