#!/bin/sh
# Renders the application icon to the PNG sizes the desktop asks for. The PNGs are
# checked in so a build needs no SVG renderer; run this after editing the SVG
# (needs rsvg-convert, from librsvg2-bin).
set -eu
cd "$(dirname "$0")/.."

svg=data/icons/org.krunkplexa.KrunkPlexa.svg
for n in 48 64 128 256; do
  mkdir -p "data/icons/${n}x${n}"
  rsvg-convert -w "$n" -h "$n" "$svg" -o "data/icons/${n}x${n}/org.krunkplexa.KrunkPlexa.png"
done
