#!/bin/sh
# Draws the log window and a colour list with the Qt face, off screen, into docs/images/.
# Usage: tools/screenshots.sh [BUILD_DIR]   (default: build, configured as in the README)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$root/build"}
cmake --build "$build" --target velt_face_screenshots
mkdir -p "$root/docs/images"
QT_QPA_PLATFORM=offscreen "$build/tests/velt_face_screenshots" "$root/docs/images"
