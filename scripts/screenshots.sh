#!/usr/bin/env bash
# Takes the pictures of the user guide (docs/images/*.png) from the real editor under Xvfb, in a
# private home so that the user's own settings and recovery copies stay out of them.
#   scripts/screenshots.sh [BUILD_DIR]   (default: build; make screenshots builds it first)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
program=$build/tools/take_screenshots
if [ ! -x "$program" ]; then
    echo "screenshots: $program is not built; run make screenshots" >&2
    exit 1
fi
if ! command -v xvfb-run >/dev/null 2>&1; then
    echo "screenshots: xvfb-run is missing (Debian packages xvfb and xauth)" >&2
    exit 1
fi
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -p "$root/docs/images"
env -i PATH="$PATH" HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_STATE_HOME="$home/state" \
    XDG_RUNTIME_DIR="$home" LANG=C.UTF-8 QT_QPA_PLATFORM=xcb \
    xvfb-run -a -s "-screen 0 1280x800x24" \
    "$program" "$root/docs/images" "$root/examples/demo/demo.xml"
