#!/usr/bin/env python3
"""Draws the desktop programs' toolbar strips and application icons.

Writes into src/res/: toolbar_f.png (18 images of 32 x 20), toolbar_s.png
(18 images of 31 x 20) and tlx500{f,s}_z200_{16,32,48,128}.png. Standard
library only: a small anti-aliased rasteriser and a PNG writer, so the
pictures come out the same on every machine. Run it again after changing a
pictogram and commit the PNG files.
"""

import math
import os
import struct
import sys
import zlib

SS = 4  # sub-samples per pixel in each direction

INK = (32, 32, 40, 255)
WHITE = (255, 255, 255, 255)
PAPER = (250, 250, 244, 255)
BLUE = (36, 96, 200, 255)
LIGHT_BLUE = (150, 190, 240, 255)
RED = (212, 48, 48, 255)
GREEN = (40, 150, 70, 255)
YELLOW = (244, 196, 32, 255)
GREY = (128, 128, 136, 255)
DARK_GREY = (72, 72, 80, 255)


class Canvas:
    def __init__(self, width, height):
        self.w, self.h = width, height
        self.px = [[None] * (width * SS) for _ in range(height * SS)]
        self.ox, self.oy, self.sx, self.sy = 0.0, 0.0, 1.0, 1.0

    def place(self, ox, oy, sx, sy):
        """Drawing units map to pixels as (ox + x * sx, oy + y * sy)."""
        self.ox, self.oy, self.sx, self.sy = ox, oy, sx, sy

    def _t(self, p):
        return (self.ox + p[0] * self.sx, self.oy + p[1] * self.sy)

    def polygon(self, pts, color):
        pts = [self._t(p) for p in pts]
        ys = [p[1] for p in pts]
        j0 = max(0, int(math.floor(min(ys) * SS)))
        j1 = min(self.h * SS - 1, int(math.ceil(max(ys) * SS)))
        n = len(pts)
        for j in range(j0, j1 + 1):
            y = (j + 0.5) / SS
            xs = []
            for k in range(n):
                (x0, y0), (x1, y1) = pts[k], pts[(k + 1) % n]
                if (y0 <= y < y1) or (y1 <= y < y0):
                    xs.append(x0 + (y - y0) * (x1 - x0) / (y1 - y0))
            xs.sort()
            row = self.px[j]
            for a, b in zip(xs[0::2], xs[1::2]):
                i0 = max(0, int(math.ceil(a * SS - 0.5)))
                i1 = min(self.w * SS - 1, int(math.floor(b * SS - 0.5)))
                for i in range(i0, i1 + 1):
                    row[i] = color

    def rect(self, x0, y0, x1, y1, color):
        self.polygon([(x0, y0), (x1, y0), (x1, y1), (x0, y1)], color)

    def frame(self, x0, y0, x1, y1, width, fill, ink=INK):
        self.rect(x0, y0, x1, y1, ink)
        if fill is not None:
            self.rect(x0 + width, y0 + width, x1 - width, y1 - width, fill)

    def ellipse(self, cx, cy, rx, ry, color, segments=48):
        self.polygon([(cx + rx * math.cos(2 * math.pi * k / segments),
                       cy + ry * math.sin(2 * math.pi * k / segments))
                      for k in range(segments)], color)

    def circle(self, cx, cy, r, color):
        self.ellipse(cx, cy, r, r, color)

    def line(self, p0, p1, width, color, caps=True):
        (x0, y0), (x1, y1) = p0, p1
        dx, dy = x1 - x0, y1 - y0
        length = math.hypot(dx, dy) or 1.0
        nx, ny = -dy / length * width / 2, dx / length * width / 2
        self.polygon([(x0 + nx, y0 + ny), (x1 + nx, y1 + ny),
                      (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)], color)
        if caps:
            self.circle(x0, y0, width / 2, color)
            self.circle(x1, y1, width / 2, color)

    def polyline(self, pts, width, color, closed=False, caps=True):
        seq = pts + [pts[0]] if closed else pts
        for a, b in zip(seq, seq[1:]):
            self.line(a, b, width, color, caps)

    def arc(self, cx, cy, r, a0, a1, width, color, segments=24):
        pts = [(cx + r * math.cos(math.radians(a0 + (a1 - a0) * k / segments)),
                cy + r * math.sin(math.radians(a0 + (a1 - a0) * k / segments)))
               for k in range(segments + 1)]
        self.polyline(pts, width, color)

    def arrow_head(self, tip, direction, size, color):
        dx, dy = direction
        length = math.hypot(dx, dy)
        dx, dy = dx / length, dy / length
        bx, by = tip[0] - dx * size, tip[1] - dy * size
        nx, ny = -dy * size * 0.65, dx * size * 0.65
        self.polygon([tip, (bx + nx, by + ny), (bx - nx, by - ny)], color)

    def pixels(self):
        """Rows of RGBA bytes, each pixel the average of its sub-samples."""
        rows = []
        for y in range(self.h):
            row = bytearray()
            for x in range(self.w):
                r = g = b = a = 0
                for j in range(y * SS, y * SS + SS):
                    for i in range(x * SS, x * SS + SS):
                        c = self.px[j][i]
                        if c is not None:
                            alpha = c[3]
                            r += c[0] * alpha
                            g += c[1] * alpha
                            b += c[2] * alpha
                            a += alpha
                if a == 0:
                    row += bytes(4)
                else:
                    row += bytes((round(r / a), round(g / a), round(b / a),
                                  round(a / (SS * SS))))
            rows.append(bytes(row))
        return rows


def write_png(path, width, height, rows):
    raw = b"".join(b"\x00" + r for r in rows)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(raw, 9))
    png += chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


# Letters as strokes in a unit box (x and y from 0 to 1).
LETTERS = {
    "A": [[(0, 1), (0.5, 0), (1, 1)], [(0.22, 0.62), (0.78, 0.62)]],
    "T": [[(0, 0), (1, 0)], [(0.5, 0), (0.5, 1)]],
    "F": [[(0, 1), (0, 0), (1, 0)], [(0, 0.48), (0.8, 0.48)]],
    "S": [[(0.95, 0.15), (0.75, 0.02), (0.3, 0.02), (0.05, 0.2), (0.1, 0.4), (0.5, 0.5),
           (0.9, 0.6), (0.95, 0.8), (0.7, 0.98), (0.25, 0.98), (0.03, 0.85)]],
}


def letter(c, ch, x, y, w, h, width, color):
    for stroke in LETTERS[ch]:
        c.polyline([(x + px * w, y + py * h) for px, py in stroke], width, color)


# Pictograms, drawn in a 32 x 20 box.

def date_time(c):
    c.frame(1.5, 3, 14.5, 17.5, 1, PAPER)
    c.rect(1.5, 3, 14.5, 7, RED)
    for gx in (4.5, 8, 11.5):
        for gy in (10, 14):
            c.rect(gx - 1, gy - 1, gx + 1, gy + 1, GREY)
    c.circle(23.5, 10.5, 7.5, INK)
    c.circle(23.5, 10.5, 6.3, WHITE)
    c.line((23.5, 10.5), (23.5, 5.5), 1.4, INK)
    c.line((23.5, 10.5), (27, 12.5), 1.4, INK)


def title_input(c):
    letter(c, "T", 2, 3, 11, 14, 2.6, INK)
    for y, x1 in ((6, 29), (10.5, 26), (15, 22)):
        c.line((16, y), (x1, y), 1.6, GREY)
    c.line((24.5, 13), (24.5, 18), 1.2, BLUE)


def char_size(c):
    letter(c, "A", 1.5, 2, 15, 16, 2.6, INK)
    letter(c, "A", 20, 10, 9, 8, 1.7, BLUE)


def line_spacing(c):
    for y in (4, 10, 16):
        c.line((2, y), (18, y), 2, INK)
    c.line((25, 5), (25, 15), 1.4, BLUE)
    c.arrow_head((25, 1.5), (0, -1), 4, BLUE)
    c.arrow_head((25, 18.5), (0, 1), 4, BLUE)


def star(outer, inner):
    """The ten corners of a five-pointed star about (16, 10.5), top point first."""
    pts = []
    for k in range(10):
        r = outer if k % 2 == 0 else inner
        a = math.radians(-90 + 36 * k)
        pts.append((16 + r * math.cos(a), 10.5 + r * math.sin(a)))
    return pts


def blink(c):
    c.polygon(star(8.5, 3.6), INK)
    c.polygon(star(6.8, 2.6), YELLOW)
    for x0, x1 in ((3, 6), (26, 29)):
        c.line((x0, 10.5), (x1, 10.5), 1.4, YELLOW)


def auto_switch(c):
    c.frame(3, 2, 15, 14, 1, PAPER)
    c.frame(9, 6, 21, 18, 1, LIGHT_BLUE)
    c.arc(24, 10, 5.5, -80, 200, 1.8, GREEN)
    c.arrow_head((18.6, 8.2), (-0.3, 1), 3.4, GREEN)


def colours(c):
    letter(c, "A", 8, 2.5, 16, 15.5, 4.8, INK)
    letter(c, "A", 8, 2.5, 16, 15.5, 2.4, RED)


def background_fill(c):
    c.frame(2, 2.5, 30, 17.5, 1, BLUE)
    c.line((6, 7.5), (26, 7.5), 2, WHITE)
    c.line((6, 12.5), (21, 12.5), 2, WHITE)


def levels(c):
    c.rect(2, 2.5, 30, 17.5, INK)
    shades = (255, 200, 140, 80, 20)
    for k, v in enumerate(shades):
        x0 = 3 + k * 26 / 5
        c.rect(x0, 3.5, x0 + 26 / 5, 16.5, (v, v, v, 255))


def schedule(c):
    c.frame(4, 1.5, 28, 18.5, 1, PAPER)
    c.rect(4, 1.5, 28, 5.5, BLUE)
    for x in (10, 16, 22):
        c.line((x, 5.5), (x, 18), 0.9, GREY, caps=False)
    for y in (10, 14.2):
        c.line((5, y), (27, y), 0.9, GREY, caps=False)
    c.rect(16.5, 10.5, 21.5, 13.7, RED)


def alarm(c):
    c.polygon([(16, 2), (20.5, 4.5), (22, 12), (25, 15.5), (7, 15.5), (10, 12), (11.5, 4.5)],
              INK)
    c.polygon([(16, 3.4), (19.4, 5.3), (20.8, 12.3), (22.6, 14.4), (9.4, 14.4), (11.2, 12.3),
               (12.6, 5.3)], YELLOW)
    c.circle(16, 17.2, 1.9, INK)
    c.arc(16, 9, 11.5, -30, 20, 1.3, RED)
    c.arc(16, 9, 11.5, 160, 210, 1.3, RED)


def remote(c):
    c.polygon([(11, 4), (21, 4), (21, 19.5), (11, 19.5)], DARK_GREY)
    c.circle(16, 7.5, 1.8, RED)
    for y in (11.5, 15.5):
        c.rect(12.8, y - 1, 15, y + 1, WHITE)
        c.rect(17, y - 1, 19.2, y + 1, WHITE)
    c.arc(16, 4, 4, 215, 325, 1.2, BLUE)
    c.arc(16, 4, 7, 220, 320, 1.2, BLUE)


def others(c):
    for x in (8, 16, 24):
        c.circle(x, 10.5, 2.9, INK)


def display_page(c):
    c.frame(4, 1.5, 28, 15.5, 1.2, BLUE)
    c.line((8, 9.5), (24, 9.5), 2, WHITE)
    c.rect(14, 15.5, 18, 17.5, INK)
    c.rect(10, 17.5, 22, 19, INK)


def horizontal_offset(c):
    c.line((3, 2), (3, 18), 1.6, INK)
    c.line((14, 6), (29, 6), 2.2, INK)
    c.line((14, 10.5), (26, 10.5), 2.2, INK)
    c.line((6, 15.5), (19, 15.5), 1.6, BLUE)
    c.arrow_head((24, 15.5), (1, 0), 5, BLUE)


def centering(c):
    for y, half in ((4, 12), (8.7, 7), (13.3, 10), (18, 5)):
        c.line((16 - half, y), (16 + half, y), 2, INK)


def erase_time(c):
    c.rect(9, 1.5, 23, 3.3, INK)
    c.rect(9, 16.7, 23, 18.5, INK)
    c.polygon([(10.5, 3.3), (21.5, 3.3), (16, 10), (21.5, 16.7), (10.5, 16.7), (16, 10)], INK)
    c.polygon([(12.3, 4.5), (19.7, 4.5), (16, 9)], PAPER)
    c.polygon([(16, 11), (19.8, 15.6), (12.2, 15.6)], YELLOW)


def font_type(c):
    letter(c, "A", 2, 3, 12, 14, 1.1, INK)
    c.line((1, 17), (5, 17), 1, INK)
    c.line((11, 17), (15, 17), 1, INK)
    letter(c, "A", 17.5, 3, 12.5, 14, 3.2, BLUE)


def title_position(c):
    c.frame(4, 2, 24, 18, 1, LIGHT_BLUE)
    c.rect(6, 13.5, 22, 16, INK)
    c.line((28.5, 5.5), (28.5, 14.5), 1.4, RED)
    c.arrow_head((28.5, 2), (0, -1), 3.6, RED)
    c.arrow_head((28.5, 18), (0, 1), 3.6, RED)


def vertical_offset(c):
    c.line((2, 17.5), (22, 17.5), 1.4, GREY)
    c.line((4, 6), (20, 6), 2.4, INK)
    c.line((4, 10.5), (16, 10.5), 2.4, INK)
    c.line((27, 17), (27, 6.5), 1.6, BLUE)
    c.arrow_head((27, 2), (0, -1), 5, BLUE)


def scroll_speed(c):
    c.line((13, 10.5), (30, 10.5), 2.6, INK)
    c.arrow_head((3, 10.5), (-1, 0), 6, RED)
    c.line((8.5, 10.5), (12, 10.5), 1.8, RED)
    for y, x0 in ((4.5, 17), (16.5, 20)):
        c.line((x0, y), (29, y), 1.2, GREY)


TOOLBAR_F = [date_time, title_input, char_size, line_spacing, blink, auto_switch, colours,
             background_fill, levels, schedule, alarm, remote, others, display_page,
             horizontal_offset, centering, erase_time, font_type]
TOOLBAR_S = [date_time, title_input, char_size, title_position, vertical_offset, scroll_speed,
             blink, auto_switch, colours, background_fill, levels, schedule, alarm, remote,
             others, display_page, erase_time, font_type]


def strip(pictograms, image_width):
    c = Canvas(image_width * len(pictograms), 20)
    for i, draw in enumerate(pictograms):
        c.place(i * image_width, 0, image_width / 32, 1)
        draw(c)
    return c


def app_icon(size, model_letter):
    """A monitor showing a title line and the model letter."""
    c = Canvas(size, size)
    s = size / 64
    c.place(0, 0, s, s)
    c.polygon([(4, 8), (60, 8), (60, 48), (4, 48)], INK)
    c.polygon([(8, 12), (56, 12), (56, 44), (8, 44)], BLUE)
    c.rect(26, 48, 38, 54, INK)
    c.rect(16, 54, 48, 59, INK)
    c.rect(12, 34, 40, 40, WHITE)
    letter(c, model_letter, 30, 15, 20, 16, 5.5, YELLOW)
    letter(c, "T", 12, 16, 12, 14, 4, WHITE)
    return c


def main():
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src", "res")
    out = sys.argv[1] if len(sys.argv) > 1 else root
    os.makedirs(out, exist_ok=True)
    for name, pictograms, width in (("toolbar_f.png", TOOLBAR_F, 32),
                                    ("toolbar_s.png", TOOLBAR_S, 31)):
        c = strip(pictograms, width)
        write_png(os.path.join(out, name), c.w, c.h, c.pixels())
    for model in ("f", "s"):
        for size in (16, 32, 48, 128):
            c = app_icon(size, model.upper())
            write_png(os.path.join(out, "tlx500%s_z200_%d.png" % (model, size)), size, size,
                      c.pixels())


if __name__ == "__main__":
    main()
