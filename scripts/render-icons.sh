#!/usr/bin/env bash
# Renders the program's icon (src/ui/kxdialogeditor.svg) into the PNG sizes of the hicolor theme
# that the package installs beside the SVG: packaging/icons/NN.png. Run it after changing the
# icon and commit the pictures; the build itself does not need rsvg-convert.
#   scripts/render-icons.sh        (needs librsvg2-bin)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
for size in 16 24 32 48 64 128 256; do
    rsvg-convert --width "$size" --height "$size" --keep-aspect-ratio \
        --output "$root/packaging/icons/$size.png" "$root/src/ui/kxdialogeditor.svg"
done
