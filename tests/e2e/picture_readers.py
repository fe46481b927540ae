#!/usr/bin/env python3
"""Compares what other programs draw of the program's pictures with the window.

    picture_readers.py diagram WINDOW.png RENDER.png STATION.json SVG [--spaces]
        WINDOW.png: the diagram window's client area as the screen shows it;
        RENDER.png: a reader's rendering of the saved EMF or SVG; STATION.json:
        what `varnok show` prints of the station; SVG: the program's SVG of
        the same window (where the axes are). Checks that the rendering has
        the window's size within 2 %, the ink at the window's top where the
        window has it (a curve cut there), the arid dots of every dry month
        (dark pixels in a band between the two curves at the month's middle),
        the four head lines and the "50" label within 3 px of the window's,
        and with --spaces the record line's width within 3 % (blanks kept).
    picture_readers.py png WINDOW.png PICTURE.png SVG
        The PNG picture: its pHYs chunk says 288 dots per inch, its x-axis is
        three times as thick as the window's and its head line three times
        as wide (within 6 %).

Prints each check that fails and then a count (with -v last, every check);
exit code 1 when one fails.
"""
import json
import re
import struct
import subprocess
import sys

LINE_HEIGHT = 16  # the start font's line on a 96 dpi screen
CHAR_WIDTH = 8
failures = checks = 0
verbose = sys.argv[-1] == "-v"


def report(ok, text):
    global failures, checks
    if verbose or not ok:
        print(("    ok    " if ok else "    FAIL  ") + text)
    failures += 0 if ok else 1
    checks += 1


class Gray:
    """A picture as 8-bit grey on white (transparency flattened)."""

    def __init__(self, path, size=None, crop=None):
        if size is None:
            size = subprocess.run(["identify", "-format", "%w %h", path + "[0]"], capture_output=True, text=True,
                                  check=True).stdout.split()
        self.w, self.h = int(size[0]), int(size[1])
        cut = ["-crop", "%dx%d+%d+%d" % crop, "+repage"] if crop else []
        self.px = subprocess.run(["convert", path + "[0]", "-background", "white", "-alpha", "remove"] + cut +
                                 ["-resize", f"{self.w}x{self.h}!", "-colorspace", "gray", "-depth", "8", "gray:-"],
                                 capture_output=True, check=True).stdout

    def dark(self, x, y):
        return 0 <= x < self.w and 0 <= y < self.h and self.px[y * self.w + x] < 160

    def count(self, x0, y0, x1, y1):
        return sum(self.dark(x, y) for y in range(max(y0, 0), min(y1, self.h)) for x in range(max(x0, 0), min(x1, self.w)))

    def top(self, x0, y0, x1, y1):
        """The first row of the region holding at least a third of its fullest row's dark pixels: the top
        of a line of text, not the descenders of the line above."""
        rows = [sum(self.dark(x, y) for x in range(x0, x1)) for y in range(y0, y1)]
        if not rows or max(rows) == 0:
            return None
        return y0 + next(i for i, n in enumerate(rows) if 3 * n >= max(rows))

    def ink(self, x0, y0, x1, y1):
        """The bounding box (left, top, right, bottom) of the dark pixels in the region, or None."""
        xs, ys = [], []
        for y in range(max(y0, 0), min(y1, self.h)):
            for x in range(max(x0, 0), min(x1, self.w)):
                if self.dark(x, y):
                    xs.append(x)
                    ys.append(y)
        return (min(xs), min(ys), max(xs), max(ys)) if xs else None


def axes(svg_path):
    """xL, xR and the x-axis row y0 from the first line of the SVG's axes group."""
    svg = open(svg_path, encoding="utf-8").read()
    m = re.search(r'<g id="axes">\s*<line x1="([\d.]+)" y1="([\d.]+)" x2="([\d.]+)"', svg)
    return int(float(m.group(1))), int(float(m.group(3))), int(float(m.group(2)))


def ink_box(path):
    """The bounding box of a picture's dark pixels: (width, height, left, top)."""
    box = subprocess.run(["convert", path + "[0]", "-background", "white", "-alpha", "remove", "-colorspace",
                          "gray", "-threshold", "62%", "-trim", "-format", "%w %h %X %Y", "info:"],
                         capture_output=True, text=True, check=True).stdout.split()
    return [int(v) for v in box]


def check_diagram(window_path, render_path, station_path, svg_path, spaces):
    win, ren = Gray(window_path), Gray(render_path)
    name = render_path.rsplit("/", 1)[-1]
    if abs(ren.w - win.w) <= 0.02 * win.w and abs(ren.h - win.h) <= 0.02 * win.h:
        report(True, f"{name}: {ren.w}x{ren.h}, the window {win.w}x{win.h}")
        if ren.w != win.w or ren.h != win.h:
            ren = Gray(render_path, (win.w, win.h))  # compared at the window's size
    else:
        # Placed on a page (LibreOffice puts a metafile on one): the drawing's
        # ink has the window's size, and the window's place is found from it.
        a, b = ink_box(window_path), ink_box(render_path)
        report(abs(b[0] - a[0]) <= 0.02 * a[0] and abs(b[1] - a[1]) <= 0.02 * a[1],
               f"{name}: the drawing {b[0]}x{b[1]} on a {ren.w}x{ren.h} page, the window's {a[0]}x{a[1]}")
        ren = Gray(render_path, (win.w, win.h), (win.w, win.h, max(b[2] - a[2], 0), max(b[3] - a[3], 0)))
    x_left, x_right, y0 = axes(svg_path)
    top_window, top_render = win.count(x_left + 2, 0, x_right, 3), ren.count(x_left + 2, 0, x_right, 3)
    report(top_window == 0 or top_render > 0, f"{name}: ink in the top rows where the window has it "
                                              f"({top_render}, the window {top_window})")
    station = json.load(open(station_path))
    width = x_right - x_left
    for i in range(1, 13):
        t, p = station["temp_c"][i], station["precip_mm"][i]
        temp_y, precip_y = y0 - int(t * 5), y0 - int(p * 2.5 if p <= 100 else 250 + (p - 100) / 4)
        if precip_y - temp_y < 16:
            continue  # not dry, or too narrow a band to count in
        centre = x_left + (2 * i - 1) * width // 24
        region = (centre - width // 48, temp_y + 4, centre + width // 48 + 1, precip_y - 4)
        in_window, in_render = win.count(*region), ren.count(*region)
        report(in_window > 0 and in_render >= in_window // 2,
               f"{name}: arid dots of month {i} ({in_render} dark pixels, the window {in_window})")
    text_x = x_left + CHAR_WIDTH
    for k in range(4):
        # The first four characters: clear of the curves and the hatching
        # that reach the window's top (Cherrapunji).
        band = (text_x - 4, 10 + k * LINE_HEIGHT, text_x + 4 * CHAR_WIDTH, 10 + (k + 1) * LINE_HEIGHT)
        wider = (band[0], band[1] - 4, band[2], band[3] + 4)
        a, b = win.ink(*band), ren.ink(*wider)
        top_a, top_b = win.top(*band), ren.top(*wider)
        report(a is not None and b is not None and abs(a[0] - b[0]) <= 3 and abs(top_a - top_b) <= 3,
               f"{name}: head line {k + 1} at {b and (b[0], top_b)}, the window {a and (a[0], top_a)}")
        if k == 3 and spaces and a and b:
            a, b = win.ink(band[0], band[1], win.w, band[3]), ren.ink(wider[0], wider[1], win.w, wider[3])
            wa, wb = a[2] - a[0], b[2] - b[0]
            report(abs(wa - wb) <= 0.03 * wa, f"{name}: the record line {wb} px wide, the window {wa} px")
    label_y = y0 - 250 - LINE_HEIGHT // 2
    region = (0, label_y - 2, x_left - 2, label_y + LINE_HEIGHT + 2)
    a, b = win.ink(*region), ren.ink(region[0], region[1] - 6, region[2], region[3] + 6)
    report(a is not None and b is not None and abs(a[1] - b[1]) <= 3 and abs(a[2] - b[2]) <= 3,
           f"{name}: the label 50 at {b and (b[2], b[1])}, the window {a and (a[2], a[1])}")


def png_dots_per_metre(path):
    data = open(path, "rb").read()
    at = 8
    while at + 8 <= len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        if kind == b"pHYs":
            x, y, unit = struct.unpack(">IIB", data[at + 8:at + 17])
            return x, y, unit
        at += 12 + length
    return None


def thickness(img, x, y_from, y_to):
    """The longest run of dark rows in column x between y_from and y_to."""
    best = run = 0
    for y in range(y_from, y_to):
        run = run + 1 if img.dark(x, y) else 0
        best = max(best, run)
    return best


def check_png(window_path, picture_path, svg_path):
    win, pic = Gray(window_path), Gray(picture_path)
    phys = png_dots_per_metre(picture_path)
    report(phys == (11339, 11339, 1), f"pHYs {phys}: 288 dots per inch (11339 per metre)")
    x_left, x_right, y0 = axes(svg_path)
    x = (x_left + x_right) // 2 + 3  # between two month ticks
    t_window, t_picture = thickness(win, x, y0 - 3, y0 + 4), thickness(pic, 3 * x, 3 * y0 - 9, 3 * y0 + 12)
    report(t_picture == 3 * t_window, f"the x-axis {t_picture} px thick, the window's {t_window} px")
    band = (x_left + CHAR_WIDTH - 4, 10, win.w, 10 + LINE_HEIGHT)
    a = win.ink(*band)
    b = pic.ink(3 * band[0], 3 * band[1], 3 * band[2], 3 * band[3])
    if a and b:
        wa, wb = a[2] - a[0] + 1, b[2] - b[0] + 1
        report(abs(wb - 3 * wa) <= 0.06 * 3 * wa, f"the first head line {wb} px wide, three times the window's {3 * wa}")
    else:
        report(False, "the first head line has ink in the window and the picture")


def main():
    if verbose:
        sys.argv.pop()
    if len(sys.argv) >= 6 and sys.argv[1] == "diagram":
        check_diagram(*sys.argv[2:6], spaces="--spaces" in sys.argv[6:])
    elif len(sys.argv) == 5 and sys.argv[1] == "png":
        check_png(*sys.argv[2:5])
    else:
        print(__doc__, file=sys.stderr)
        return 2
    if verbose or failures:
        print(f"    {checks - failures} of {checks} checks passed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
