#!/usr/bin/env bash
# Regenerates the committed pictures from their SVG sources (ImageMagick).
set -euo pipefail
cd "$(dirname "$0")"
for s in 16 32 48 64 128 256; do
    convert -background none -density 300 zellwerk.svg -resize ${s}x${s} -depth 8 \
        PNG32:icons/zellwerk-$s.png
done
convert icons/zellwerk-16.png icons/zellwerk-32.png icons/zellwerk-48.png \
    icons/zellwerk-256.png Zellwerk.ico
# The about picture: 154 x 294, 24-bit colour, no alpha.
convert -density 96 about.svg -background white -flatten -type TrueColor -depth 8 \
    PNG24:about.png
