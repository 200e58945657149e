#!/usr/bin/env bash
# Renders the PNG icons from their SVG sources with rsvg-convert (Debian package librsvg2-bin):
# the application icon in every hicolor size, into dist/icons/hicolor, and the bundled toolbar
# icons (ui/resources/icons/*.svg) at 24 and 48 pixels, into ui/resources/icons/png. The PNGs are
# committed; run this again after changing an SVG.
set -euo pipefail
cd "$(dirname "$0")/../.."

app_id=org.quillary.Quillary
source_svg=dist/icons/$app_id.svg

for size in 16 22 24 32 48 64 128 256 512; do
    folder=dist/icons/hicolor/${size}x${size}/apps
    mkdir -p "$folder"
    rsvg-convert --width "$size" --height "$size" "$source_svg" --output "$folder/$app_id.png"
done

if compgen -G "ui/resources/icons/*.svg" > /dev/null; then
    mkdir -p ui/resources/icons/png
    for svg in ui/resources/icons/*.svg; do
        name=$(basename "$svg" .svg)
        rsvg-convert --width 24 --height 24 "$svg" --output "ui/resources/icons/png/$name.png"
        rsvg-convert --width 48 --height 48 "$svg" --output "ui/resources/icons/png/$name@2x.png"
    done
fi
