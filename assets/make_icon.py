#!/usr/bin/env python3
"""Draws the product icon, a handheld organiser showing a small spreadsheet,
and writes it as quintara.ico (32x32 and 16x16, 32-bit colour with alpha and
a 1-bit mask for systems that ignore the alpha channel).

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

    def bgra_rows_bottom_up(self):
        rows = []
        for y in reversed(range(self.size)):
            row = bytearray()
            for x in range(self.size):
                r, g, b, a = self.pixels[y * self.size + x]
                row += bytes((round(b * 255), round(g * 255), round(r * 255), round(a * 255)))
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
        xor = b"".join(c.bgra_rows_bottom_up())
        mask = b"".join(c.mask_rows_bottom_up())
        info = struct.pack("<IiiHHIIiiII", 40, c.size, c.size * 2, 1, 32, 0, len(xor) + len(mask),
                           0, 0, 0, 0)
        images.append(info + xor + mask)
    offset = len(header) + 16 * len(canvases)
    entries = b""
    for c, data in zip(canvases, images):
        entries += struct.pack("<BBBBHHII", c.size, c.size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return header + entries + b"".join(images)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "quintara.ico")
    with open(out, "wb") as f:
        f.write(ico([draw32(), draw16()]))


if __name__ == "__main__":
    main()
