#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the demonstration.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset default
cmake --build --preset default
build/default/src/demo/tlx-demo "$@"
