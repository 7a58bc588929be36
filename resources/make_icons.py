#!/usr/bin/env python3
"""Draws the program's icons (entry card, settings) as PNG files; run after changing them."""
import math
import os
import struct
import zlib


def write_png(path, size, pixel):
    rows = b""
    for y in range(size):
        rows += b"\x00" + b"".join(bytes(pixel(x + 0.5, y + 0.5, size)) for x in range(size))
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


def entry(x, y, s):
    u, v = x / s, y / s
    # an index card with a folded corner, a head and shoulders, and two text lines
    if not (0.12 <= u <= 0.88 and 0.18 <= v <= 0.86):
        return (0, 0, 0, 0)
    if u + (0.86 - v) > 0.88 + 0.86 - 0.2 - 0.02 and u > 0.7 and v > 0.68:
        return (150, 110, 40, 255)
    if u < 0.14 or u > 0.86 or v < 0.20 or v > 0.84:
        return (120, 80, 20, 255)
    if (u - 0.33) ** 2 + (v - 0.40) ** 2 < 0.008:
        return (40, 90, 170, 255)
    if 0.20 <= u <= 0.46 and 0.52 <= v <= 0.74 and (u - 0.33) ** 2 + (v - 0.70) ** 2 < 0.02:
        return (40, 90, 170, 255)
    if 0.52 <= u <= 0.80 and (0.36 <= v <= 0.42 or 0.52 <= v <= 0.58):
        return (90, 90, 90, 255)
    return (252, 236, 180, 255)


def settings(x, y, s):
    u, v = x / s - 0.5, y / s - 0.5
    r = math.hypot(u, v)
    a = math.atan2(v, u)
    outer = 0.40 if math.cos(8 * a) > 0.2 else 0.31
    if r > outer:
        return (0, 0, 0, 0)
    if r < 0.12:
        return (0, 0, 0, 0)
    shade = int(110 + 80 * (0.5 - v))
    return (shade, shade, min(255, shade + 30), 255)


here = os.path.join(os.path.dirname(os.path.abspath(__file__)), "icons")
write_png(os.path.join(here, "entry32.png"), 32, entry)
write_png(os.path.join(here, "entry16.png"), 16, entry)
write_png(os.path.join(here, "settings.png"), 16, settings)
