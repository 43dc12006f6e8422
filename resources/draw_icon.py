#!/usr/bin/env python3
"""Draws the program's icon: a round green push button on a silver rim, with a ring
of short white strokes around its centre, like the minute marks of a clock.

Writes QuorvelTimer.ico beside this script (or to the path given): five 32-bit images
of 128, 64, 48, 32 and 16 pixels, each a DIB with its AND mask (no PNG, so that every
icon loader reads them). Each size is drawn on its own, from a table of its own, so
that the small ones keep few, bold strokes instead of a blur. Python 3 standard
library only; the output is the same on every run.
"""

import math
import struct
import sys
from pathlib import Path

# Per size, in pixels from the centre: the supersampling grid, the outer radius of the
# rim, the dark outline on its edge, the groove between rim and button, the radius of
# the green button, the strength of its gloss, and the rings of strokes, each as
# (count, inner radius, outer radius, width); strokes of a later ring are drawn over
# those of an earlier one. Strokes get a shadow where there is room for one.
SIZES = [
    dict(size=128, ss=4, rim=62.5, outline=1.2, groove=2.0, button=50.0, gloss=0.65,
         shadow=True, rings=[(24, 30.0, 41.0, 3.6), (4, 25.0, 41.0, 3.6)]),
    dict(size=64, ss=6, rim=31.3, outline=1.0, groove=1.0, button=25.0, gloss=0.60,
         shadow=True, rings=[(12, 14.5, 21.0, 2.6), (4, 12.0, 21.0, 2.6)]),
    dict(size=48, ss=6, rim=23.5, outline=1.0, groove=0.8, button=18.6, gloss=0.55,
         shadow=True, rings=[(12, 11.0, 15.8, 2.2), (4, 9.0, 15.8, 2.2)]),
    dict(size=32, ss=8, rim=15.7, outline=1.0, groove=0.8, button=12.2, gloss=0.40,
         shadow=False, rings=[(12, 6.8, 10.2, 1.6), (4, 5.8, 10.4, 2.0)]),
    dict(size=16, ss=8, rim=8.0, outline=0.35, groove=0.5, button=5.9, gloss=0.25,
         shadow=False, rings=[(8, 3.2, 5.0, 1.6), (4, 3.0, 5.0, 2.0)]),
]


def lerp(a, b, t):
    return a + (b - a) * t


def mix(c0, c1, t):
    t = min(max(t, 0.0), 1.0)
    return tuple(lerp(x, y, t) for x, y in zip(c0, c1))


def over(dst, src, alpha):
    """Composites colour src with coverage alpha over dst (straight RGBA, 0..1)."""
    if alpha <= 0.0:
        return dst
    r, g, b, a = dst
    out_a = alpha + a * (1.0 - alpha)
    k = a * (1.0 - alpha)
    return (
        (src[0] * alpha + r * k) / out_a,
        (src[1] * alpha + g * k) / out_a,
        (src[2] * alpha + b * k) / out_a,
        out_a,
    )


SILVER_LIGHT = (0.97, 0.97, 0.98)
SILVER_DARK = (0.50, 0.52, 0.55)
OUTLINE = (0.22, 0.24, 0.26)
GROOVE = (0.10, 0.25, 0.10)
GREEN_LIGHT = (0.55, 0.92, 0.35)
GREEN_MID = (0.16, 0.66, 0.16)
GREEN_DARK = (0.03, 0.33, 0.06)
WHITE = (1.0, 1.0, 1.0)
SHADOW = (0.0, 0.18, 0.02)


def on_ring(x, y, ring):
    """True when (x, y) lies on the nearest stroke of the ring (square-ended strokes)."""
    count, inner, outer, width = ring
    step = 2.0 * math.pi / count
    a = round(math.atan2(x, -y) / step) * step  # 0 at twelve o'clock, clockwise
    dx, dy = math.sin(a), -math.cos(a)
    along = x * dx + y * dy
    across = x * -dy + y * dx
    return inner <= along <= outer and abs(across) <= width / 2.0


def sample(p, x, y):
    """The colour of one point of the picture; x, y in pixels from the centre."""
    r = math.hypot(x, y)
    colour = (0.0, 0.0, 0.0, 0.0)
    rim = p["rim"]
    if r > rim:
        return colour
    # Silver rim, bevelled: its outer half lit from above, its inner half from below.
    button = p["button"]
    groove = p["groove"]
    if r > button + groove:
        across = (r - button - groove) / (rim - button - groove)
        light = 0.5 - 0.5 * y / max(r, 1e-9) * (1.0 if across > 0.45 else -0.7)
        light = light * 0.8 + 0.2 * (0.5 - 0.5 * x / max(r, 1e-9))
        silver = mix(SILVER_DARK, SILVER_LIGHT, light)
        if r > rim - p["outline"]:
            silver = mix(silver, OUTLINE, 0.8)
        return over(colour, silver, 1.0)
    if r > button:
        return over(colour, GROOVE, 1.0)
    # Green button: darker towards the edge, with light gathering low on its face as
    # in a lit glass dome.
    d = r / button
    green = mix(GREEN_MID, GREEN_DARK, max(0.0, d - 0.45) / 0.55)
    glow = math.hypot(x / (button * 0.85), (y - button * 0.55) / (button * 0.55))
    green = mix(green, GREEN_LIGHT, max(0.0, 1.0 - glow) * 0.9)
    colour = over(colour, green, 1.0)
    # Gloss: an ellipse over the upper half, bright at its top, fading downwards.
    gx, gy = x / (button * 0.80), (y + button * 0.42) / (button * 0.52)
    if gx * gx + gy * gy <= 1.0:
        fade = 1.0 - (gy + 1.0) / 2.0
        colour = over(colour, WHITE, p["gloss"] * fade ** 1.3)
    # The strokes, with a dark shadow a little below them at the larger sizes.
    if p["shadow"] and any(on_ring(x, y - p["size"] / 96.0, ring) for ring in p["rings"]):
        colour = over(colour, SHADOW, 0.45)
    if any(on_ring(x, y, ring) for ring in p["rings"]):
        colour = over(colour, WHITE, 1.0)
    return colour


def render(p):
    """Rows of straight BGRA pixels, top row first."""
    size, ss = p["size"], p["ss"]
    centre = size / 2.0
    rows = []
    for py in range(size):
        row = bytearray()
        for px in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]  # premultiplied sums
            for sy in range(ss):
                y = py + (sy + 0.5) / ss - centre
                for sx in range(ss):
                    x = px + (sx + 0.5) / ss - centre
                    r, g, b, a = sample(p, x, y)
                    acc[0] += r * a
                    acc[1] += g * a
                    acc[2] += b * a
                    acc[3] += a
            alpha = acc[3] / (ss * ss)
            if alpha <= 0.0:
                row += b"\0\0\0\0"
                continue
            red, green, blue = (round(255 * min(1.0, c / acc[3])) for c in acc[:3])
            row += bytes((blue, green, red, round(255 * alpha)))
        rows.append(bytes(row))
    return rows


def dib(size, rows):
    """An icon image: BITMAPINFOHEADER (height doubled), BGRA bottom-up, AND mask."""
    mask_stride = (size + 31) // 32 * 4
    colour = b"".join(reversed(rows))
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x in range(size):
            if row[4 * x + 3] == 0:  # fully transparent: the mask lets the screen show
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0,
                         len(colour) + len(mask), 0, 0, 0, 0)
    return header + colour + bytes(mask)


def icon_file(images):
    """The icon file: header, one directory entry per image, then the images."""
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries, bodies = b"", b""
    for size, body in images:
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32,
                               len(body), offset)
        bodies += body
        offset += len(body)
    return out + entries + bodies


def main():
    target = Path(sys.argv[1]) if len(sys.argv) > 1 else (
        Path(__file__).resolve().parent / "QuorvelTimer.ico")
    images = [(p["size"], dib(p["size"], render(p))) for p in SIZES]
    target.write_bytes(icon_file(images))


if __name__ == "__main__":
    main()
