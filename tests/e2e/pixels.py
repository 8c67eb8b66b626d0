#!/usr/bin/env python3
"""Pixel checks on screenshots of the timer window: frame and rule widths, red digits, sky, the picture's reach,
changed areas, blinking.

Usage: pixels.py COMMAND SHOT.png DPI [...], SHOT.png being the window's client area cut out of the screen
and DPI the window's, as `driver geometry` prints it. The window at any DPI is the 96-dpi design enlarged:
sizes in twips and the design's pixel measures (border widths, the picture) scale alike. Prints a line per
check and exits 1 on the first failure. Standard library only: the PNG is read with zlib. A title's band, in twips:
ZANTIRO_E2E_BAND.
"""

import itertools
import os
import struct
import sys
import zlib

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
from rgb_png import write_rgb_png  # noqa: E402

# The window design, in twips, below the title's band.
BAND = int(os.environ.get("ZANTIRO_E2E_BAND", "0"))
FRAME_INSET = 25
FRAME_WIDTH_REDUCTION = 65
FRAME_HEIGHT = 1455
FRAME_BORDER = 5  # pixels at 96 dpi
BUTTON_TOP = 1560 + BAND
BUTTON_HEIGHT = 375
RULE_Y = 2040 + BAND  # Line1, one pixel wide at 96 dpi
CLOCK = (1200, 2160 + BAND, 1080, 240)  # Label6: left, top, width, height


def px(twips, dpi):
    """MulDiv(twips, dpi, 1440): to the nearest pixel, halves away from zero."""
    return (twips * dpi + 720) // 1440


def design_px(pixels, dpi):
    """A pixel measure of the 96-dpi design at this DPI: 5 becomes 6 at 120, 8 at 144, 10 at 192."""
    return (pixels * dpi + 48) // 96


class Image:
    def __init__(self, width, height, rgb):
        self.width, self.height, self.rgb = width, height, rgb

    def at(self, x, y):
        i = 3 * (y * self.width + x)
        return self.rgb[i], self.rgb[i + 1], self.rgb[i + 2]


def read_png(path):
    with open(path, "rb") as f:
        data = f.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        sys.exit(f"pixels.py: {path} is not a PNG")
    at, packed = 8, []
    while at < len(data):
        size, kind = struct.unpack(">I4s", data[at : at + 8])
        body = data[at + 8 : at + 8 + size]
        at += size + 12
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            if depth != 8 or colour not in (2, 6) or interlace:
                sys.exit(f"pixels.py: {path}: only 8-bit RGB or RGBA, not interlaced (depth {depth}, type {colour})")
        elif kind == b"IDAT":
            packed.append(body)
        elif kind == b"IEND":
            break
    step = 3 if colour == 2 else 4
    stride = width * step
    raw = zlib.decompress(b"".join(packed))
    prior = bytearray(stride)
    rgb = bytearray()
    for y in range(height):
        start = y * (stride + 1)
        kind, row = raw[start], bytearray(raw[start + 1 : start + 1 + stride])
        for i in range(stride):
            left = row[i - step] if i >= step else 0
            up = prior[i]
            corner = prior[i - step] if i >= step else 0
            if kind == 1:
                row[i] = (row[i] + left) & 255
            elif kind == 2:
                row[i] = (row[i] + up) & 255
            elif kind == 3:
                row[i] = (row[i] + ((left + up) >> 1)) & 255
            elif kind == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                row[i] = (row[i] + (left if pa <= pb and pa <= pc else up if pb <= pc else corner)) & 255
        prior = row
        if step == 4:
            row = bytearray(b for i, b in enumerate(row) if i % 4 != 3)
        rgb += row
    return Image(width, height, rgb)


def is_black(p):
    return max(p) <= 24


def is_red(p):
    return p[0] >= 200 and p[1] <= 60 and p[2] <= 60


def is_light_blue(p):
    r, g, b = p
    return b >= 180 and b - r >= 12 and g >= 150


COLOURS = {"black": is_black, "red": is_red}


def check(passed, message):
    print(("ok: " if passed else "FAIL: ") + message, flush=True)
    if not passed:
        sys.exit(1)


def frame_box(image, dpi):
    """Shape1's outer rectangle: 25 twips in from the client's corner, window width less 65 twips, 1455 twips tall."""
    inset, top = px(FRAME_INSET, dpi), px(FRAME_INSET + BAND, dpi)
    width = round(image.width - FRAME_WIDTH_REDUCTION * dpi / 1440)
    return inset, top, inset + width, top + px(FRAME_HEIGHT, dpi)


def longest_run(profile, colour):
    """The longest run of pixels of the colour in a line of pixels."""
    run = best = 0
    for p in profile:
        run = run + 1 if COLOURS[colour](p) else 0
        best = max(best, run)
    return best


def cmd_frame(image, dpi, colour):
    """Each of the four edges shows a band of the frame colour exactly as wide as the design's border at this DPI,
    inside the design rectangle, along most of its length (the digits may cover bits of the top and bottom edges)."""
    left, top, right, bottom = frame_box(image, dpi)
    border = design_px(FRAME_BORDER, dpi)
    slack = border + 2
    # For each edge, the lines of pixels across it: (range along the edge, range across it, pixel at (along, across)).
    rows, columns = range(top + slack, bottom - slack), range(left + slack, right - slack)
    edges = {
        "left": (rows, range(max(0, left - 2), left + slack), lambda y, x: image.at(x, y)),
        "right": (rows, range(right - slack, min(image.width, right + 2)), lambda y, x: image.at(x, y)),
        "top": (columns, range(max(0, top - 2), top + slack), image.at),
        "bottom": (columns, range(bottom - slack, min(image.height, bottom + 2)), image.at),
    }
    for name, (along, across, pixel) in edges.items():
        widths = [longest_run([pixel(a, c) for c in across], colour) for a in along]
        hits = widths.count(border)
        check(hits >= 0.8 * len(along), f"frame {name} edge is {colour}, {border} px wide, at {left},{top}-{right},"
              f"{bottom}: {hits} of {len(along)} cross-sections (widths seen: {sorted(set(widths))})")


def rule_rows(dpi):
    """The rows Line1 covers: its width at this DPI, the extra pixel of an even width below its y."""
    width = design_px(1, dpi)
    first = px(RULE_Y, dpi) - (width - 1) // 2
    return first, first + width


def cmd_rule(image, dpi):
    """The rule crosses the whole window, black and exactly as wide as the design's one pixel at this DPI."""
    first, end = rule_rows(dpi)
    across = range(max(0, first - 3), min(image.height, end + 3))
    exact = sum(longest_run([image.at(x, y) for y in across], "black") == end - first and
                all(is_black(image.at(x, y)) for y in range(first, end)) for x in range(image.width))
    check(exact == image.width, f"rule is black in rows {first}-{end - 1} ({end - first} px) across the window: "
          f"{exact} of {image.width} columns")


def cmd_covered(image, dpi, face):
    """The picture reaches every edge: no pixel of the band between the buttons and the rule, nor of the clock row
    below the rule, has the plain colour (the window's face colour, RRGGBB) painted beyond the picture."""
    plain = tuple(int(face[i : i + 2], 16) for i in (0, 2, 4))
    first, end = rule_rows(dpi)
    bands = [(0, px(BUTTON_TOP, dpi) + px(BUTTON_HEIGHT, dpi), image.width, first), (0, end, image.width, image.height)]
    for area in bands:
        total = (area[2] - area[0]) * (area[3] - area[1])
        bare = count(image, area, lambda p: p == plain)
        check(total > 0 and bare == 0, f"the picture covers {area}: {bare} of {total} pixels show the plain {face}")


def digit_areas(image, dpi):
    """Minutes and seconds inside the frame: left and right of the colon, which sits near the window's middle."""
    left, top, right, bottom = frame_box(image, dpi)
    inner = design_px(FRAME_BORDER, dpi) + 2
    y0, y1 = top + inner, bottom - inner
    return {
        "minutes": (left + inner, y0, round(image.width * 0.40), y1),
        "seconds": (round(image.width * 0.58), y0, right - inner, y1),
    }


def count(image, area, test):
    x0, y0, x1, y1 = area
    return sum(test(image.at(x, y)) for y in range(y0, y1) for x in range(x0, x1))


def cmd_digits(image, dpi):
    """Red digits in both halves: a bold "00" at 72 points has about 3,900 red pixels at 96 dpi; a smaller font
    or a missing label falls well below the threshold."""
    least = 1500 * dpi * dpi // (96 * 96)
    for name, area in digit_areas(image, dpi).items():
        red = count(image, area, is_red)
        check(red >= least, f"{name} digits are red: {red} red pixels in {area} (at least {least})")


def cmd_sky(image, dpi):
    """The background picture shows: light blue in the frame above the digits, and between the frame and the
    buttons (where the picture has no clouds)."""
    left, top, right, bottom = frame_box(image, dpi)
    inner = design_px(FRAME_BORDER, dpi) + 1
    areas = [(left + inner, top + inner, right - inner, top + inner + px(60, dpi)),
             (0, bottom + 1, image.width, px(BUTTON_TOP, dpi) - 1)]
    for area in areas:
        total = (area[2] - area[0]) * (area[3] - area[1])
        blue = count(image, area, is_light_blue)
        check(total > 0 and blue >= 0.8 * total, f"sky is light blue in {area}: {blue} of {total} pixels")


def area_of(image, dpi, name):
    if name in ("minutes", "seconds"):
        return digit_areas(image, dpi)[name]
    if name == "clock":
        left, top, width, height = CLOCK
        right, bottom = min(image.width, px(left + width, dpi)), min(image.height, px(top + height, dpi))
        return px(left, dpi), px(top, dpi), right, bottom
    if name == "display":  # everything above the buttons: sky, frame and digits
        return 0, 0, image.width, px(BUTTON_TOP, dpi)
    sys.exit(f"pixels.py: no area named {name}")


def differing(first, second, area):
    x0, y0, x1, y1 = area
    return sum(first.at(x, y) != second.at(x, y) for y in range(y0, y1) for x in range(x0, x1))


def cmd_compare(image, dpi, other_path, name, verdict):
    other = read_png(other_path)
    if (other.width, other.height) != (image.width, image.height):
        check(False, f"{other_path} is {other.width}x{other.height}, not {image.width}x{image.height}")
    area = area_of(image, dpi, name)
    changed = differing(image, other, area)
    if verdict == "same":
        check(changed == 0, f"{name} {area} unchanged ({changed} pixels differ)")
    else:
        least = 10 * dpi * dpi // (96 * 96)  # rendering is exact, so any real change is; one 12-point digit is ~45
        check(changed >= least, f"{name} {area} changed: {changed} pixels differ (at least {least})")


def cmd_row(image, dpi, number):
    """NUMBER glyphs in the digit row (runs of columns with red), every third from the right a colon (the least red)."""
    (x0, y0, _, y1), (_, _, x1, _) = digit_areas(image, dpi).values()
    reds = [count(image, (x, y0, x + 1, y1), is_red) for x in range(x0, x1)]
    runs = [sum(run) for red, run in itertools.groupby(reds, lambda column: column > 0) if red]
    number, colons = int(number), sorted(sorted(range(len(runs)), key=runs.__getitem__)[: int(number) // 3])
    check(len(runs) == number and colons == [i for i in range(number) if (number - 1 - i) % 3 == 2],
          f"{len(runs)} glyphs in the row (expected {number}), colons (the least red) at {colons}")


def cmd_title(image, dpi):
    """The window is taller by the band, and the title's dark grey text stands in it, centred, with sky around it."""
    is_title_grey = lambda p: max(p) - min(p) <= 30 and 40 <= min(p) and max(p) <= 110
    band = (0, 0, image.width, px(FRAME_INSET + BAND, dpi))
    ink = [x for x in range(image.width) if count(image, (x, 0, x + 1, band[3]), is_title_grey)] or [0]
    grey, blue, least = count(image, band, is_title_grey), count(image, band, is_light_blue), 300 * dpi * dpi // 9216
    check(image.height == px(2450 + BAND, dpi) and grey >= least and 2 * blue >= band[2] * band[3] and
          abs(ink[0] + ink[-1] - image.width) <= 2 * design_px(4, dpi),
          f"{image.height} px tall with a band of {BAND} twips, {grey} dark grey pixels (at least {least}) in its "
          f"columns {ink[0]}-{ink[-1]} of {image.width}, {blue} light blue")


def cmd_past_zero(image, dpi, number):
    """NUMBER glyphs in the row, the first a minus sign: a quarter of a digit's height or less."""
    (x0, y0, _, y1), (_, _, x1, _) = digit_areas(image, dpi).values()
    reds = [count(image, (x, y0, x + 1, y1), is_red) > 0 for x in range(x0, x1)]
    runs = [[x0 + x for x, _ in run] for red, run in itertools.groupby(enumerate(reds), lambda c: c[1]) if red]
    tall = [sum(count(image, (run[0], y, run[-1] + 1, y + 1), is_red) > 0 for y in range(y0, y1)) for run in runs]
    check(len(runs) == int(number) and tall[0] * 4 < tall[1], f"{len(runs)} glyphs in the row (expected {number}), "
          f"the first {tall[:1]} rows tall beside a digit of {tall[1:2]}")


def cmd_blink(image, dpi, *others):
    """The digits blink: of several shots, some show the minutes in red and some show none."""
    least = 1500 * dpi * dpi // (96 * 96)
    shots = [image] + [read_png(other) for other in others]
    counts = [count(shot, digit_areas(shot, dpi)["minutes"], is_red) for shot in shots]
    check(max(counts) >= least and min(counts) < least // 10, f"the digits blink: red minute pixels per shot {counts}")


def main():
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    command, shot, dpi, rest = sys.argv[1], sys.argv[2], int(sys.argv[3]), sys.argv[4:]
    image = read_png(shot)
    if command == "frame" and len(rest) == 1 and rest[0] in COLOURS:
        cmd_frame(image, dpi, rest[0])
    elif command == "digits" and not rest:
        cmd_digits(image, dpi)
    elif command == "sky" and not rest:
        cmd_sky(image, dpi)
    elif command == "rule" and not rest:
        cmd_rule(image, dpi)
    elif command == "covered" and len(rest) == 1 and len(rest[0]) == 6:
        cmd_covered(image, dpi, rest[0])
    elif command == "compare" and len(rest) == 3 and rest[2] in ("same", "changed"):
        cmd_compare(image, dpi, *rest)
    elif command == "row" and len(rest) == 1:
        cmd_row(image, dpi, *rest)
    elif command == "title" and not rest:
        cmd_title(image, dpi)
    elif command == "past-zero" and len(rest) == 1:
        cmd_past_zero(image, dpi, *rest)
    elif command == "blink" and rest:
        cmd_blink(image, dpi, *rest)
    elif command == "save" and len(rest) == 1:
        write_rgb_png(rest[0], image.width, image.height, image.rgb)  # without the capture's time stamps, so an unchanged window gives the same file
        print(f"saved the {image.width}x{image.height} window to {rest[0]}")
    else:
        sys.exit(__doc__ + "\nCommands: frame black|red; digits; sky; rule; covered RRGGBB;\n"
                 "compare OTHER.png AREA same|changed; row NUMBER;\n"
                 "blink OTHER.png...; title; past-zero NUMBER; save OUT.png. AREA: minutes, seconds, clock, display")


if __name__ == "__main__":
    main()
