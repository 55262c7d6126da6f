#!/usr/bin/env python3
"""Draws the main window's artwork: the board panel background with its two word racks,
the word rack alone, the time bar and its frame. Writes PPM files and converts them to
JPEG with ImageMagick's `convert`.

    python3 tools/pictures/make_pictures.py [--scale 1|2|all] [output folder, default resources/pictures]

Every picture is drawn at its design size (scale 1: board.jpg ...) and at twice that
resolution for screens with a pixel ratio of 2 (scale 2: board@2x.jpg ...), from the same
geometry and the same noise, so both show the same picture; `all`, the default, writes both.
The drawing is deterministic (fixed random seed), so running it again gives the same files.
"""
import math
import os
import random
import subprocess
import sys
import tempfile

PANEL_W, PANEL_H = 724, 491
RACK_W, RACK_H = 406, 70
# Where the board places its word racks (bottom row, top row) and extra tiles.
RACKS = [(41, 100, 44), (42, 17, 45)]  # left, top, left edge of the first tile
TILE = 41
BAR_W, BAR_H = 197, 21
FRAME_W, FRAME_H = 205, 25

class Noise:
    """Smooth value noise on a grid, bilinearly interpolated."""

    def __init__(self, cells_x, cells_y):
        self.cx, self.cy = cells_x, cells_y
        self.grid = [[random.random() for _ in range(cells_x + 2)] for _ in range(cells_y + 2)]

    def at(self, u, v):
        x, y = u * self.cx, v * self.cy
        ix, iy = int(x), int(y)
        fx, fy = x - ix, y - iy
        fx, fy = fx * fx * (3 - 2 * fx), fy * fy * (3 - 2 * fy)
        g = self.grid
        a = g[iy][ix] * (1 - fx) + g[iy][ix + 1] * fx
        b = g[iy + 1][ix] * (1 - fx) + g[iy + 1][ix + 1] * fx
        return a * (1 - fy) + b * fy


class Image:
    """A picture of w x h design pixels, stored at `scale` device pixels per design pixel."""

    def __init__(self, w, h, scale=1, colour=(0, 0, 0)):
        self.scale = scale
        self.w, self.h = w * scale, h * scale
        self.px = [list(colour) * self.w for _ in range(self.h)]

    def span(self, first, end):
        """The device pixels that cover design pixels first .. end - 1."""
        return range(int(round(first * self.scale)), int(round(end * self.scale)))

    def get(self, x, y):
        row = self.px[y]
        return row[3 * x], row[3 * x + 1], row[3 * x + 2]

    def set(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            row = self.px[y]
            row[3 * x] = max(0, min(255, int(c[0])))
            row[3 * x + 1] = max(0, min(255, int(c[1])))
            row[3 * x + 2] = max(0, min(255, int(c[2])))

    def blend(self, x, y, c, alpha):
        if 0 <= x < self.w and 0 <= y < self.h and alpha > 0:
            o = self.get(x, y)
            self.set(x, y, tuple(o[i] * (1 - alpha) + c[i] * alpha for i in range(3)))

    def paste(self, other, left, top):
        for y in range(other.h):
            for x in range(other.w):
                self.set(left + x, top + y, other.get(x, y))

    def save_jpeg(self, path, quality=90):
        with tempfile.NamedTemporaryFile(suffix=".ppm", delete=False) as f:
            f.write(b"P6 %d %d 255\n" % (self.w, self.h))
            for row in self.px:
                f.write(bytes(row))
            ppm = f.name
        try:
            subprocess.run(["convert", ppm, "-quality", str(quality), "-sampling-factor", "1x1",
                            "-strip", path], check=True)
        finally:
            os.unlink(ppm)


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def rounded_inside(px, py, left, top, w, h, r, scale=1):
    """Coverage 0..1 of device pixel (px, py) in a rounded rectangle given in design
    pixels; the soft edge is one device pixel wide, so it stays sharp at every scale."""
    x, y = (px + 0.5) / scale, (py + 0.5) / scale
    cx = min(max(x, left + r), left + w - r)
    cy = min(max(y, top + r), top + h - r)
    d = math.hypot(x - cx, y - cy)
    return max(0.0, min(1.0, (r - d) * scale + 0.5))


def wood(img, left, top, w, h, dark=(70, 40, 22), light=(128, 80, 44), scale=1.0):
    grain = Noise(6, 40)
    fine = Noise(60, 200)
    s = img.scale
    for py in img.span(top, top + h):
        v = (py / s - top) / h
        for px in img.span(left, left + w):
            u = (px / s - left) / w
            n = grain.at(u, v)
            rings = 0.5 + 0.5 * math.sin((v * 90 * scale + n * 9.0) + math.sin(u * 7.0) * 0.8)
            t = 0.55 * rings + 0.3 * fine.at(u, v) + 0.15 * n
            img.set(px, py, mix(dark, light, t))


def felt(img, left, top, w, h, r, base=(30, 86, 56)):
    fine = Noise(180, 120)
    s = img.scale
    for py in img.span(top, top + h):
        y = py / s
        for px in img.span(left, left + w):
            x = px / s
            cover = rounded_inside(px, py, left, top, w, h, r, s)
            if cover <= 0:
                continue
            # Darker towards the edges, like light falling on a table.
            dx = (x - (left + w / 2)) / (w / 2)
            dy = (y - (top + h / 2)) / (h / 2)
            shade = 1.0 - 0.28 * (dx * dx * 0.6 + dy * dy)
            grain = 0.9 + 0.2 * fine.at((x - left) / w, (y - top) / h)
            c = tuple(base[i] * shade * grain for i in range(3))
            img.blend(px, py, c, cover)
    # A thin gold line inside the edge.
    for py in img.span(top, top + h):
        for px in img.span(left, left + w):
            outer = rounded_inside(px, py, left + 3, top + 3, w - 6, h - 6, r - 3, s)
            inner = rounded_inside(px, py, left + 4, top + 4, w - 8, h - 8, r - 4, s)
            line = outer - inner
            if line > 0:
                img.blend(px, py, (206, 160, 72), line * 0.85)


def rack(first_tile_offset, scale=1):
    """A wooden word rack with ten recessed cells; the offset is the first cell's left."""
    img = Image(RACK_W, RACK_H, scale)
    wood(img, 0, 0, RACK_W, RACK_H, dark=(64, 34, 16), light=(120, 72, 36), scale=0.6)
    for py in img.span(0, RACK_H):
        y = py / scale
        for px in img.span(0, RACK_W):
            x = px / scale
            # Bevel: light along the top and left, dark along the bottom and right.
            if y < 3 or x < 3:
                img.blend(px, py, (230, 190, 130), 0.35 - 0.1 * min(x, y))
            if y >= RACK_H - 3 or x >= RACK_W - 3:
                img.blend(px, py, (20, 10, 4), 0.45)
    # One groove holds the ten tiles, which stand 40 pixels apart and so touch.
    cell_top = 14
    left = first_tile_offset - 2
    width = 40 * 9 + TILE + 4
    for py in img.span(cell_top - 2, cell_top + TILE + 3):
        y = py / scale
        for px in img.span(left, left + width):
            x = px / scale
            inside = rounded_inside(px, py, left, cell_top - 2, width, TILE + 5, 6, scale)
            if inside <= 0:
                continue
            depth = 0.5
            # Inner shadow along the top and left of the groove.
            if y < cell_top + 2 or x < left + 3:
                depth = 0.72
            img.blend(px, py, (26, 14, 6), depth * inside)
    # Faint marks where the cells meet.
    for i in range(1, 10):
        x = first_tile_offset + 40 * i
        for px in img.span(x, x + 1):
            for py in img.span(cell_top + 4, cell_top + TILE - 3):
                img.blend(px, py, (120, 80, 40), 0.25)
    return img


def time_bar(scale=1):
    img = Image(BAR_W, BAR_H, scale)
    for px in img.span(0, BAR_W):
        t = min(1.0, px / scale / (BAR_W - 1))
        # Red at the left end, amber in the middle, green at the full end.
        base = mix((200, 40, 24), (236, 170, 40), t * 2) if t < 0.5 else mix((236, 170, 40), (70, 180, 60), t * 2 - 1)
        for py in img.span(0, BAR_H):
            v = min(1.0, py / scale / (BAR_H - 1))
            gloss = 1.35 - 0.6 * v if v < 0.45 else 0.95 - 0.25 * (v - 0.45)
            img.set(px, py, tuple(c * gloss for c in base))
    return img


def time_frame(scale=1):
    img = Image(FRAME_W, FRAME_H, scale)
    wood(img, 0, 0, FRAME_W, FRAME_H, dark=(90, 56, 26), light=(160, 110, 56), scale=0.3)
    for py in img.span(2, 2 + BAR_H):
        for px in img.span(4, 4 + BAR_W):
            img.set(px, py, (22, 18, 14))
    for py in img.span(2, 3):
        for px in img.span(4, 4 + BAR_W):
            img.set(px, py, (8, 6, 4))
    return img


def board(bottom_rack, top_rack, scale=1):
    img = Image(PANEL_W, PANEL_H, scale)
    wood(img, 0, 0, PANEL_W, PANEL_H)
    felt(img, 6, 6, PANEL_W - 12, 262, 14)
    # A darker tray under the extra tiles.
    for py in img.span(164, 222):
        for px in img.span(94, 396):
            img.blend(px, py, (10, 40, 24), 0.45 * rounded_inside(px, py, 94, 164, 302, 58, 9, scale))
    # The chat's corner of the table: a slightly darker wood.
    for py in img.span(266, PANEL_H):
        for px in img.span(0, PANEL_W):
            img.blend(px, py, (30, 16, 8), 0.25)
    img.paste(bottom_rack, RACKS[0][0] * scale, RACKS[0][1] * scale)
    img.paste(top_rack, RACKS[1][0] * scale, RACKS[1][1] * scale)
    return img


def draw_all(out, scale):
    # The same noise at every scale: the sharper pictures show the same wood and felt.
    random.seed(7772)
    suffix = "" if scale == 1 else "@%dx" % scale
    # Both racks are drawn from the bottom one, as the board gives the top background the
    # bottom one's picture; the bottom row starts 3 pixels into its rack.
    wordback = rack(RACKS[0][2] - RACKS[0][0], scale)
    wordback.save_jpeg(os.path.join(out, "wordback%s.jpg" % suffix))
    board(wordback, wordback, scale).save_jpeg(os.path.join(out, "board%s.jpg" % suffix))
    time_bar(scale).save_jpeg(os.path.join(out, "timebar%s.jpg" % suffix), 95)
    time_frame(scale).save_jpeg(os.path.join(out, "timeframe%s.jpg" % suffix), 95)


def main():
    args = sys.argv[1:]
    scales = [1, 2]
    if len(args) >= 2 and args[0] == "--scale":
        scales = [1, 2] if args[1] == "all" else [int(args[1])]
        args = args[2:]
    out = args[0] if args else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "..", "resources", "pictures")
    os.makedirs(out, exist_ok=True)
    for scale in scales:
        draw_all(out, scale)


if __name__ == "__main__":
    main()
