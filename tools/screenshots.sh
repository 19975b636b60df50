#!/bin/sh
# Draws the log window, a colour list, a live plotting page and the desktop with the Qt face,
# off screen, into docs/images/.
# Usage: tools/screenshots.sh [BUILD_DIR]   (default: build, configured as in the README)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$root/build"}
cmake --build "$build" --target velt_face_screenshots velt_live_screenshot
mkdir -p "$root/docs/images"
QT_QPA_PLATFORM=offscreen "$build/tests/velt_face_screenshots" "$root/docs/images"
QT_QPA_PLATFORM=offscreen "$build/tests/velt_live_screenshot" "$root/docs/images"

# The desktop (veltsim --gui) in the middle of a run.
cmake --build "$build" --target velt_desktop_screenshot
QT_QPA_PLATFORM=offscreen "$build/tests/velt_desktop_screenshot" "$root" "$root/docs/images/desktop.png"
