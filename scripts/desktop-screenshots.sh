#!/usr/bin/env bash
# Pictures of the whole interface of both desktop programs, one PNG file per
# window: the main window, every dialog of the menus (the read-all dialog
# during a run), the glyph editor of each size, the file chooser and a
# question box.
#
#   scripts/desktop-screenshots.sh [OUTPUT_FOLDER]   (default: BUILD/screenshots)
#
# Runs on the display in $DISPLAY, else under Xvfb (Debian package xvfb);
# with neither it says so and does nothing. Japanese text needs a Japanese
# font (e.g. Debian package fonts-ipafont-gothic).
# Environment: TLX_BUILD_DIR (default build/default, already configured).
set -euo pipefail
cd "$(dirname "$0")/.."

build="${TLX_BUILD_DIR:-build/default}"
out="${1:-$build/screenshots}"

if [[ -n "${DISPLAY:-}" ]]; then
    run=()
elif command -v xvfb-run >/dev/null; then
    run=(xvfb-run -a -s "-screen 0 1280x800x24")
else
    echo "desktop-screenshots: no display and no Xvfb (apt-get install xvfb); nothing taken"
    exit 0
fi
if command -v fc-list >/dev/null && [[ -z "$(fc-list :lang=ja 2>/dev/null)" ]]; then
    echo "desktop-screenshots: warning: no Japanese font installed; texts will show as boxes" >&2
fi

cmake --build "$build" --target tlx-desktop-shots
mkdir -p "$out"
for model in F S; do
    "${run[@]}" "$build/tests/qt/tlx-desktop-shots" "$model" "$out"
done
echo "desktop-screenshots: pictures in $out"
