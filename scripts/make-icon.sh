#!/usr/bin/env bash
# Makes the program icon (src/platform/win32/resources/wordvane.ico) from its
# one source, art/wordvane-icon.svg: one image for each size Windows asks for
# at 100 % to 250 % and in Explorer (16 to 256 pixels). Needs ImageMagick.
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
images=()
for size in 16 20 24 32 40 48 64 256; do
    /usr/bin/convert -background none -density 768 art/wordvane-icon.svg \
        -resize "${size}x${size}" "PNG32:$work/$size.png"
    images+=("$work/$size.png")
done
/usr/bin/convert "${images[@]}" src/platform/win32/resources/wordvane.ico
