#!/usr/bin/env python3
"""Draws the artwork of Varnok 32 and writes it into resources/:

  background.bmp  8 x 8, 16 colours: white and light grey checkerboard
  toolbar.bmp     360 x 24, 16 colours: 15 button images of 24 x 24
  varnok.ico      icon 3000: a small climate diagram, 32 x 32 and 16 x 16
  memorial.bmp    268 x 189, 24-bit: the picture of the memorial dialog

Python 3 standard library only. Run it from anywhere; it writes next to
the resource script. The output is deterministic, so regenerating without
changes gives the same bytes.
"""

import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
RESOURCES = os.path.normpath(os.path.join(HERE, "..", "..", "resources"))

# The 16 colours of the standard Windows palette, as (r, g, b).
PALETTE16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER = range(8)
GREY, RED, LIME, YELLOW, BLUE, MAGENTA, CYAN, WHITE = range(8, 16)


class Canvas:
    """A grid of palette indices or (r, g, b) tuples, row 0 at the top."""

    def __init__(self, width, height, fill):
        self.width = width
        self.height = height
        self.pixels = [[fill] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def rect(self, x0, y0, x1, y1, colour):
        """Filled rectangle, both corners included."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.put(x, y, colour)

    def frame(self, x0, y0, x1, y1, colour):
        self.line(x0, y0, x1, y0, colour)
        self.line(x0, y1, x1, y1, colour)
        self.line(x0, y0, x0, y1, colour)
        self.line(x1, y0, x1, y1, colour)

    def line(self, x0, y0, x1, y1, colour):
        steps = max(round(abs(x1 - x0)), round(abs(y1 - y0)), 1)
        for i in range(steps + 1):
            self.put(round(x0 + (x1 - x0) * i / steps), round(y0 + (y1 - y0) * i / steps), colour)

    def polyline(self, points, colour):
        for (x0, y0), (x1, y1) in zip(points, points[1:]):
            self.line(x0, y0, x1, y1, colour)

    def ellipse(self, cx, cy, rx, ry, colour):
        for y in range(int(cy - ry) - 1, int(cy + ry) + 2):
            for x in range(int(cx - rx) - 1, int(cx + rx) + 2):
                if ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0:
                    self.put(x, y, colour)

    def polygon(self, points, colour):
        ys = [p[1] for p in points]
        for y in range(min(ys), max(ys) + 1):
            crossings = []
            for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1]):
                if (y0 <= y < y1) or (y1 <= y < y0):
                    crossings.append(x0 + (y - y0) * (x1 - x0) / (y1 - y0))
            crossings.sort()
            for a, b in zip(crossings[::2], crossings[1::2]):
                for x in range(math.ceil(a), math.floor(b) + 1):
                    self.put(x, y, colour)

    def blit(self, other, dx, dy):
        for y in range(other.height):
            for x in range(other.width):
                self.put(dx + x, dy + y, other.pixels[y][x])


# A 3 x 5 pixel font for the few letters the buttons carry.
GLYPHS = {
    "A": ["010", "101", "111", "101", "101"],
    "a": ["000", "110", "011", "101", "111"],
    "T": ["111", "010", "010", "010", "010"],
    "E": ["111", "100", "110", "100", "111"],
    "M": ["101", "111", "111", "101", "101"],
    "F": ["111", "100", "110", "100", "100"],
    "?": ["111", "001", "011", "000", "010"],
}


def text(canvas, x, y, string, colour, scale=1):
    for ch in string:
        for row, bits in enumerate(GLYPHS[ch]):
            for col, bit in enumerate(bits):
                if bit == "1":
                    canvas.rect(x + col * scale, y + row * scale,
                                x + col * scale + scale - 1, y + row * scale + scale - 1, colour)
        x += 4 * scale


# ---------------------------------------------------------------- toolbar

def page(c, x0, y0, x1, y1):
    """A sheet of paper with a folded corner."""
    c.rect(x0, y0, x1, y1, WHITE)
    c.frame(x0, y0, x1, y1, BLACK)
    c.polygon([(x1 - 4, y0), (x1, y0 + 4), (x1 - 4, y0 + 4)], SILVER)
    c.line(x1 - 4, y0, x1 - 4, y0 + 4, BLACK)
    c.line(x1 - 4, y0 + 4, x1, y0 + 4, BLACK)


def floppy(c):
    c.rect(3, 3, 20, 20, NAVY)
    c.rect(6, 3, 17, 9, WHITE)
    c.rect(14, 4, 16, 8, NAVY)
    c.rect(6, 13, 17, 20, SILVER)
    c.line(8, 15, 15, 15, GREY)
    c.line(8, 17, 15, 17, GREY)
    c.frame(3, 3, 20, 20, BLACK)


def mini_diagram(c, x0, y0, x1, y1):
    c.line(x0, y0, x0, y1, BLACK)
    c.line(x0, y1, x1, y1, BLACK)
    c.line(x1, y0, x1, y1, BLACK)


def img_open(c):  # 0: a folder opening
    c.polygon([(2, 7), (8, 7), (10, 9), (18, 9), (18, 19), (2, 19)], OLIVE)
    c.polygon([(5, 12), (22, 12), (18, 19), (2, 19)], YELLOW)
    c.polyline([(2, 19), (5, 12), (22, 12), (18, 19), (2, 19)], BLACK)
    c.polyline([(2, 19), (2, 7), (8, 7), (10, 9), (18, 9), (18, 12)], BLACK)
    c.polyline([(13, 3), (17, 2), (20, 5)], BLACK)
    c.polygon([(19, 6), (22, 4), (21, 7)], BLACK)


def img_print(c):  # 1: a printer with a sheet
    page(c, 7, 2, 17, 11)
    c.rect(2, 10, 21, 18, SILVER)
    c.frame(2, 10, 21, 18, BLACK)
    c.rect(5, 16, 18, 21, WHITE)
    c.frame(5, 16, 18, 21, BLACK)
    c.put(18, 12, LIME)
    c.put(19, 12, LIME)
    c.line(8, 18, 15, 18, GREY)


def img_help(c):  # 2: a question mark (unused by the toolbar)
    c.ellipse(11.5, 11.5, 9, 9, YELLOW)
    text(c, 6, 4, "?", BLACK, 3)


def img_font(c):  # 3: the letters of a font
    text(c, 2, 4, "A", NAVY, 3)
    text(c, 13, 9, "a", RED, 2)
    c.line(2, 21, 21, 21, BLACK)


def img_zoom(c):  # 4: a magnifying glass (unused)
    c.ellipse(9, 9, 6, 6, CYAN)
    for a in range(0, 360, 4):
        c.put(round(9 + 6 * math.cos(math.radians(a))), round(9 + 6 * math.sin(math.radians(a))), BLACK)
    for d in range(0, 3):
        c.line(13 + d, 14, 20 + d, 21, MAROON)


def img_palette(c):  # 5: a colour palette (unused)
    c.ellipse(11.5, 12, 10, 8, OLIVE)
    c.ellipse(11.5, 12, 9, 7, YELLOW)
    for x, y, col in ((6, 9, RED), (11, 7, BLUE), (16, 9, LIME), (17, 14, MAGENTA)):
        c.ellipse(x, y, 1.6, 1.6, col)
    c.ellipse(8, 15, 2, 2, SILVER)


def img_axis(c):  # 6: an axis with arrows up and down (unused)
    c.line(11, 2, 11, 21, BLACK)
    c.polygon([(7, 6), (11, 2), (15, 6)], BLACK)
    c.polygon([(7, 17), (11, 21), (15, 17)], BLACK)
    c.line(3, 12, 20, 12, RED)


def img_clipboard(c):  # 7: a clipboard with a sheet
    c.rect(3, 4, 19, 21, OLIVE)
    c.frame(3, 4, 19, 21, BLACK)
    page(c, 6, 7, 16, 19)
    c.rect(8, 2, 14, 5, GREY)
    c.frame(8, 2, 14, 5, BLACK)
    c.line(8, 11, 13, 11, GREY)
    c.line(8, 14, 14, 14, GREY)


def img_graph(c):  # 8: the climate diagram
    c.rect(2, 2, 21, 21, WHITE)
    mini_diagram(c, 3, 3, 20, 19)
    for i, h in enumerate((4, 5, 7, 9, 11, 12, 11, 9, 7, 5)):
        c.line(4 + i * 1.6, 19 - h, 4 + (i + 1) * 1.6, 19 - (h + 1 if i < 5 else h - 1), RED)
    c.polyline([(4, 9), (6, 10), (8, 12), (10, 15), (12, 16), (14, 15), (16, 12), (19, 9)], BLUE)


def img_table(c):  # 9: a table
    c.rect(2, 3, 21, 20, WHITE)
    c.rect(2, 3, 21, 6, NAVY)
    for y in (3, 6, 10, 14, 17, 20):
        c.line(2, y, 21, y, BLACK)
    for x in (2, 8, 14, 21):
        c.line(x, 3, x, 20, BLACK)
    c.line(9, 8, 12, 8, RED)
    c.line(15, 12, 19, 12, BLUE)


def img_new_data(c):  # 10: a sheet and a pencil: typing new data
    page(c, 3, 2, 15, 21)
    for y in (7, 10, 13, 16):
        c.line(5, y, 12, y, GREY)
    for d in range(3):
        c.line(11 + d, 19, 20 + d, 8, OLIVE if d else MAROON)
    c.polygon([(10, 21), (11, 18), (13, 20)], BLACK)


def img_metafile(c):  # 11: a picture saved to a disk
    floppy(c)
    c.rect(7, 13, 22, 22, WHITE)
    c.frame(7, 13, 22, 22, BLACK)
    c.polyline([(8, 20), (11, 16), (14, 19), (17, 15), (21, 20)], RED)
    text(c, 9, 3, "E", WHITE)


def img_save(c):  # 12: a floppy disk
    floppy(c)


def img_database(c):  # 13: a stack of data discs
    for top in (15, 10, 5):
        c.rect(4, top, 19, top + 4, TEAL)
        c.ellipse(11.5, top + 4, 7.5, 2, TEAL)
        c.ellipse(11.5, top, 7.5, 2, CYAN)
        c.line(4, top, 4, top + 4, BLACK)
        c.line(19, top, 19, top + 4, BLACK)
    c.ellipse(11.5, 5, 3, 0.8, NAVY)


def img_map(c):  # 14: a map of the world with a station pinned on it
    c.rect(1, 4, 22, 19, CYAN)
    c.frame(1, 4, 22, 19, NAVY)
    c.polygon([(3, 7), (8, 6), (9, 9), (7, 12), (5, 11), (3, 9)], GREEN)        # the Americas, north
    c.polygon([(7, 12), (9, 13), (8, 17), (7, 16)], GREEN)                       # and south
    c.polygon([(11, 6), (20, 6), (21, 9), (16, 11), (13, 10), (11, 8)], GREEN)  # Eurasia
    c.polygon([(11, 10), (14, 11), (13, 16), (12, 15)], GREEN)                  # Africa
    c.polygon([(17, 14), (20, 14), (20, 16), (17, 16)], GREEN)                  # Australia
    c.ellipse(13, 7, 2, 2, RED)
    c.line(13, 9, 13, 12, BLACK)


TOOLBAR_IMAGES = [img_open, img_print, img_help, img_font, img_zoom, img_palette, img_axis,
                  img_clipboard, img_graph, img_table, img_new_data, img_metafile, img_save,
                  img_database, img_map]


def make_toolbar():
    strip = Canvas(24 * len(TOOLBAR_IMAGES), 24, SILVER)  # silver becomes the button face
    for i, draw in enumerate(TOOLBAR_IMAGES):
        cell = Canvas(24, 24, SILVER)
        draw(cell)
        strip.blit(cell, 24 * i, 0)
    return strip


# ---------------------------------------------------------------- icon

def make_icon_image(size):
    """RGB canvas of a climate diagram, drawn on a 32-unit grid."""
    k = size / 32.0
    c = Canvas(size, size, (255, 255, 255))
    c.rect(0, 0, size - 1, size - 1, (255, 255, 255))
    c.frame(0, 0, size - 1, size - 1, (0, 0, 128))
    base = round(26 * k)
    left, right = round(4 * k), round(27 * k)
    # Humid months hatched blue, then both curves.
    precip = [13, 14, 16, 19, 22, 25, 26, 24, 21, 17, 14, 13]
    temp = [5, 6, 8, 11, 14, 16, 17, 16, 13, 10, 7, 5]
    xs = [left + (right - left) * (i + 0.5) / 12 for i in range(12)]
    for x, p, t in zip(xs, precip, temp):
        c.line(round(x), base - round(t * k), round(x), base - round(p * k), (96, 96, 255))
    c.line(left, round(3 * k), left, base, (0, 0, 0))
    c.line(right, round(3 * k), right, base, (0, 0, 0))
    c.line(left, base, right, base, (0, 0, 0))
    c.polyline([(round(x), base - round(p * k)) for x, p in zip(xs, precip)], (0, 0, 255))
    c.polyline([(round(x), base - round(t * k)) for x, t in zip(xs, temp)], (255, 0, 0))
    return c


def icon_entry_bytes(canvas):
    """A 32-bit BITMAPINFOHEADER image with its AND mask, as an icon holds it."""
    size = canvas.width
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = []
    for y in range(size - 1, -1, -1):
        rows.append(b"".join(bytes((b, g, r, 255)) for (r, g, b) in canvas.pixels[y]))
    mask_row = ((size + 31) // 32) * 4
    mask = bytes(mask_row * size)  # all opaque
    return header + b"".join(rows) + mask


def write_icon(path, canvases):
    images = [icon_entry_bytes(c) for c in canvases]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for c, data in zip(canvases, images):
        out += struct.pack("<BBBBHHII", c.width % 256, c.height % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    write_file(path, out + b"".join(images))


# ---------------------------------------------------------------- memorial

def mix(a, b, t):
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


def make_memorial():
    """An evening window: dusk sky, hills, a moon, and a small cat on the sill."""
    w, h = 268, 189
    c = Canvas(w, h, (0, 0, 0))
    top, horizon = (30, 40, 96), (250, 170, 110)
    for y in range(h):
        row = mix(top, horizon, min(1.0, y / 130.0))
        for x in range(w):
            c.pixels[y][x] = row
    c.ellipse(200, 42, 13, 13, (255, 244, 210))
    # A crescent: the sky's own colour over part of the moon, row by row.
    for y in range(26, 51):
        for x in range(194, 219):
            if (x - 206) ** 2 + (y - 38) ** 2 <= 121:
                c.put(x, y, mix(top, horizon, y / 130.0))
    for x, y in ((30, 20), (62, 34), (95, 14), (140, 28), (170, 12), (240, 22), (120, 50)):
        c.put(x, y, (255, 255, 230))
        c.put(x + 1, y, (200, 200, 190))
    # Two ranges of hills.
    far = [(0, 120)] + [(x, round(112 + 8 * math.sin(x / 23.0))) for x in range(0, w + 1, 4)] + [(w, 189), (0, 189)]
    c.polygon([(x, y) for x, y in far], (92, 78, 120))
    near = [(x, round(138 + 10 * math.sin(x / 37.0 + 1.3))) for x in range(0, w + 1, 4)] + [(w, 189), (0, 189)]
    c.polygon(near, (52, 50, 80))
    # The window frame and its sill.
    c.rect(0, 0, w - 1, 5, (90, 60, 40))
    c.rect(0, 0, 5, h - 1, (90, 60, 40))
    c.rect(w - 6, 0, w - 1, h - 1, (90, 60, 40))
    c.rect(131, 0, 136, 150, (90, 60, 40))
    c.rect(0, 150, w - 1, h - 1, (120, 84, 56))
    c.line(0, 150, w - 1, 150, (70, 46, 30))
    # The cat, seen from behind, looking out.
    cat = (28, 26, 34)
    c.ellipse(82, 132, 22, 19, cat)
    c.ellipse(82, 104, 13, 12, cat)
    c.polygon([(71, 99), (72, 84), (80, 95)], cat)
    c.polygon([(93, 99), (92, 84), (84, 95)], cat)
    for t in range(0, 60):
        a = t / 59.0
        x = 104 + 34 * a
        y = 148 - 22 * math.sin(a * math.pi * 0.9)
        c.ellipse(x, y, 3.2, 3.2, cat)
    # A wisp of cloud over the moon.
    for i in range(40):
        x = 170 + i * 1.5
        c.ellipse(x, 58 + 3 * math.sin(i / 5.0), 3, 1.5, mix((255, 220, 200), top, 0.35))
    return c


# ---------------------------------------------------------------- BMP files

def write_file(path, data):
    with open(path, "wb") as f:
        f.write(data)
    print("wrote", os.path.relpath(path), len(data), "bytes")


def bmp_4bit(canvas):
    row_bytes = ((canvas.width * 4 + 31) // 32) * 4
    pixels = b""
    for y in range(canvas.height - 1, -1, -1):
        row = bytearray(row_bytes)
        for x, index in enumerate(canvas.pixels[y]):
            row[x // 2] |= index << (4 if x % 2 == 0 else 0)
        pixels += bytes(row)
    palette = b"".join(bytes((b, g, r, 0)) for (r, g, b) in PALETTE16)
    return bmp_file(canvas, 4, 16, palette, pixels)


def bmp_24bit(canvas):
    row_bytes = ((canvas.width * 24 + 31) // 32) * 4
    pixels = b""
    for y in range(canvas.height - 1, -1, -1):
        row = b"".join(bytes((b, g, r)) for (r, g, b) in canvas.pixels[y])
        pixels += row + bytes(row_bytes - len(row))
    return bmp_file(canvas, 24, 0, b"", pixels)


def bmp_file(canvas, bits, colours, palette, pixels):
    info = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height, 1, bits, 0, len(pixels),
                       2835, 2835, colours, 0)
    offset = 14 + len(info) + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + palette + pixels


def main():
    background = Canvas(8, 8, WHITE)
    for y in range(8):
        for x in range(8):
            if (x + y) % 2:
                background.put(x, y, SILVER)
    write_file(os.path.join(RESOURCES, "background.bmp"), bmp_4bit(background))
    write_file(os.path.join(RESOURCES, "toolbar.bmp"), bmp_4bit(make_toolbar()))
    write_icon(os.path.join(RESOURCES, "varnok.ico"), [make_icon_image(32), make_icon_image(16)])
    write_file(os.path.join(RESOURCES, "memorial.bmp"), bmp_24bit(make_memorial()))


if __name__ == "__main__":
    main()
