#!/usr/bin/env python3
"""Draws the product icon, a handheld organiser showing a small spreadsheet,
and writes it as quintara.ico (32x32 and 16x16, 16 colours each from the
drawing's own palette, with the 1-bit mask for transparency).

Standard library only; the output is byte-for-byte the same on every run.
Usage: make_icon.py [output path]   (default: quintara.ico beside this script)
"""

import os
import struct
import sys

SUPERSAMPLE = 4  # samples per pixel along each axis


class Canvas:
    def __init__(self, size):
        self.size = size
        # Straight (not premultiplied) RGBA, components 0..1.
        self.pixels = [[0.0, 0.0, 0.0, 0.0] for _ in range(size * size)]

    def fill(self, inside, colour, alpha=1.0):
        """Paints the shape `inside(x, y)` (pixel units, y down) over the canvas."""
        n = SUPERSAMPLE
        for py in range(self.size):
            for px in range(self.size):
                hits = 0
                for sy in range(n):
                    for sx in range(n):
                        if inside(px + (sx + 0.5) / n, py + (sy + 0.5) / n):
                            hits += 1
                if hits:
                    self._blend(px, py, colour, alpha * hits / (n * n))

    def _blend(self, x, y, colour, a):
        dst = self.pixels[y * self.size + x]
        out_a = a + dst[3] * (1 - a)
        for i in range(3):
            src = colour[i] / 255.0
            dst[i] = (src * a + dst[i] * dst[3] * (1 - a)) / out_a
        dst[3] = out_a

    def index_rows_bottom_up(self, palette):
        """4 bits a pixel, the nearest colour of the palette; rows padded to 32 bits.
        Transparent pixels take entry 0 (the mask hides them)."""
        stride = ((self.size * 4 + 31) // 32) * 4
        rows = []
        for y in reversed(range(self.size)):
            row = bytearray(stride)
            for x in range(self.size):
                r, g, b, a = self.pixels[y * self.size + x]
                index = nearest(palette, (r * 255, g * 255, b * 255)) if a >= 0.5 else 0
                row[x // 2] |= index << (4 if x % 2 == 0 else 0)
            rows.append(bytes(row))
        return rows

    def mask_rows_bottom_up(self):
        """1 marks a transparent pixel; rows padded to 32 bits."""
        stride = ((self.size + 31) // 32) * 4
        rows = []
        for y in reversed(range(self.size)):
            row = bytearray(stride)
            for x in range(self.size):
                if self.pixels[y * self.size + x][3] < 0.5:
                    row[x // 8] |= 0x80 >> (x % 8)
            rows.append(bytes(row))
        return rows


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x < x1 and y0 <= y < y1


def rounded_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x < x1 and y0 <= y < y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r

    return inside


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


BODY_EDGE = (96, 106, 124)
BODY = (52, 60, 78)
BEZEL = (30, 34, 44)
LCD = (196, 218, 176)
LCD_HEADER = (150, 182, 138)
GRID = (92, 122, 86)
ACCENT = (240, 140, 20)
BUTTON = (176, 186, 202)


def mix(a, b):
    return tuple((x + y) // 2 for x, y in zip(a, b))


# Sixteen colours: black for the masked pixels, the drawing's own, and the
# blends its smoothed edges need.
PALETTE = [
    (0, 0, 0), BODY_EDGE, BODY, BEZEL, LCD, LCD_HEADER, GRID, ACCENT, BUTTON,
    mix(BODY_EDGE, BODY), mix(BODY, BEZEL), mix(LCD, GRID), mix(LCD, ACCENT),
    mix(BODY, BUTTON), mix(BUTTON, mix(BODY, BUTTON)), mix(BODY_EDGE, (0, 0, 0)),
]


def nearest(palette, colour):
    return min(range(len(palette)),
               key=lambda i: sum((p - c) ** 2 for p, c in zip(palette[i], colour)))


def draw32():
    c = Canvas(32)
    c.fill(rounded_rect(5, 1, 27, 31, 4), BODY_EDGE)
    c.fill(rounded_rect(6, 2, 26, 30, 3.2), BODY)
    c.fill(rounded_rect(8, 4, 24, 20, 1.2), BEZEL)
    c.fill(rect(9, 5, 23, 19), LCD)
    c.fill(rect(9, 5, 23, 8), LCD_HEADER)
    for gx in (13, 18):
        c.fill(rect(gx, 5, gx + 1, 19), GRID)
    for gy in (8, 11, 14, 17):
        c.fill(rect(9, gy, 23, gy + 1), GRID)
    c.fill(rect(14, 12, 18, 14), ACCENT)  # the selected cell
    for bx in (10, 14, 18, 22):  # application buttons
        c.fill(circle(bx, 25.5, 1.4), BUTTON)
    return c


def draw16():
    """Drawn on whole pixels: scaling the large picture down blurs the grid."""
    c = Canvas(16)
    c.fill(rounded_rect(2, 0, 14, 16, 2), BODY_EDGE)
    c.fill(rounded_rect(3, 1, 13, 15, 1.5), BODY)
    c.fill(rect(4, 2, 12, 10), BEZEL)
    c.fill(rect(5, 3, 11, 9), LCD)
    c.fill(rect(5, 3, 11, 4), LCD_HEADER)
    c.fill(rect(8, 3, 9, 9), GRID)
    c.fill(rect(5, 5, 11, 6), GRID)
    c.fill(rect(5, 7, 11, 8), GRID)
    c.fill(rect(9, 6, 11, 7), ACCENT)
    for bx in (5, 9):
        c.fill(rect(bx, 11, bx + 2, 13), BUTTON)
    return c


def ico(canvases):
    header = struct.pack("<HHH", 0, 1, len(canvases))
    images = []
    for c in canvases:
        xor = b"".join(c.index_rows_bottom_up(PALETTE))
        mask = b"".join(c.mask_rows_bottom_up())
        colours = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
        info = struct.pack("<IiiHHIIiiII", 40, c.size, c.size * 2, 1, 4, 0, len(xor) + len(mask),
                           0, 0, len(PALETTE), 0)
        images.append(info + colours + xor + mask)
    offset = len(header) + 16 * len(canvases)
    entries = b""
    for c, data in zip(canvases, images):
        entries += struct.pack("<BBBBHHII", c.size, c.size, len(PALETTE), 0, 1, 4, len(data),
                               offset)
        offset += len(data)
    return header + entries + b"".join(images)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "quintara.ico")
    with open(out, "wb") as f:
        f.write(ico([draw32(), draw16()]))


if __name__ == "__main__":
    main()
