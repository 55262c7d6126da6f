#!/usr/bin/env python3
"""Draws the program's icon: a cream letter tile bearing a Q on the green felt of the board,
framed in the board's wood. Writes the scalable SVG as text, then renders the hicolor PNG
sizes from it with rsvg-convert (librsvg2-bin), or ImageMagick's convert when rsvg-convert
is missing.

    python3 tools/icons/make_icons.py [output folder, default resources/icons]

Output: com.korvex.Quarn.svg and com.korvex.Quarn-<N>.png for N in 16, 32, 48, 64, 128,
256. The files are named after the desktop file's id so that the install rules only need
to put them into the icon theme's folders. Running it again gives the same files.
"""
import os
import shutil
import subprocess
import sys

ICON_ID = "com.korvex.Quarn"
SIZES = (16, 32, 48, 64, 128, 256)

# Colours of the board artwork: wood frame, felt, tile face and the tile's ink.
WOOD_LIGHT, WOOD_DARK = "#9a6233", "#5a3416"
FELT_LIGHT, FELT_DARK = "#3f8f5a", "#1c5a35"
TILE_LIGHT, TILE_DARK, TILE_EDGE = "#fff6dc", "#e9d3a0", "#a9844c"
INK = "#3a2210"


def svg_text():
    # One 256-unit square. The shapes are kept bold so that the 16-pixel rendering still
    # reads as a tile with a letter: a thin frame, a tile filling most of the felt, and a
    # Q drawn as a thick ring with a tail (paths only, so no font is involved).
    return f"""<?xml version="1.0" encoding="UTF-8"?>
<!-- Quarn's icon, written by tools/icons/make_icons.py. -->
<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">
  <defs>
    <linearGradient id="wood" x1="0" y1="0" x2="1" y2="1">
      <stop offset="0" stop-color="{WOOD_LIGHT}"/>
      <stop offset="1" stop-color="{WOOD_DARK}"/>
    </linearGradient>
    <radialGradient id="felt" cx="0.4" cy="0.35" r="0.8">
      <stop offset="0" stop-color="{FELT_LIGHT}"/>
      <stop offset="1" stop-color="{FELT_DARK}"/>
    </radialGradient>
    <linearGradient id="tile" x1="0" y1="0" x2="0.6" y2="1">
      <stop offset="0" stop-color="{TILE_LIGHT}"/>
      <stop offset="1" stop-color="{TILE_DARK}"/>
    </linearGradient>
  </defs>
  <rect x="8" y="8" width="240" height="240" rx="40" fill="url(#wood)"/>
  <rect x="24" y="24" width="208" height="208" rx="28" fill="url(#felt)"/>
  <g transform="rotate(-6 128 128)">
    <rect x="50" y="54" width="160" height="160" rx="24" fill="#000000" fill-opacity="0.35"/>
    <rect x="44" y="44" width="160" height="160" rx="24" fill="url(#tile)" stroke="{TILE_EDGE}" stroke-width="4"/>
    <circle cx="122" cy="118" r="48" fill="none" stroke="{INK}" stroke-width="24"/>
    <path d="M 136 136 L 174 176" fill="none" stroke="{INK}" stroke-width="24" stroke-linecap="round"/>
  </g>
</svg>
"""


def render(svg_path, png_path, size):
    if shutil.which("rsvg-convert"):
        command = ["rsvg-convert", "-w", str(size), "-h", str(size), "-o", png_path, svg_path]
    elif shutil.which("convert"):
        command = ["convert", "-background", "none", "-density", "384",
                   svg_path, "-resize", f"{size}x{size}", "-strip", png_path]
    else:
        sys.exit("make_icons.py: needs rsvg-convert (librsvg2-bin) or ImageMagick's convert")
    subprocess.run(command, check=True)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "..", "resources", "icons")
    os.makedirs(out, exist_ok=True)
    svg_path = os.path.join(out, ICON_ID + ".svg")
    with open(svg_path, "w", encoding="utf-8", newline="\n") as f:
        f.write(svg_text())
    for size in SIZES:
        render(svg_path, os.path.join(out, f"{ICON_ID}-{size}.png"), size)


if __name__ == "__main__":
    main()
