#!/usr/bin/env python3
"""Draws the program's icons (entry card in every installed size, settings, buttons) as PNG files; run after changing them."""
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


# Toolbar buttons, 16 x 16, drawn pixel by pixel: one character a pixel, "." transparent.
PALETTE = {
    "k": (0, 0, 0, 255), "g": (128, 128, 128, 255), "l": (192, 192, 192, 255),
    "w": (255, 255, 255, 255), "b": (40, 90, 170, 255), "B": (0, 0, 128, 255),
    "r": (200, 30, 30, 255), "y": (240, 200, 60, 255), "n": (150, 100, 40, 255),
    "G": (30, 140, 50, 255), "c": (252, 236, 180, 255),
}

BUTTONS = {
    "export": [
        "................",
        ".kkkkkkkk.......",
        ".kwwwwwwkk......",
        ".kwgggwwkwk.....",
        ".kwwwwwwkkkk....",
        ".kwggggwwwwk....",
        ".kwwwwwwwG.k....",
        ".kwgggggwGG.....",
        ".kwwwGGGGGGG....",
        ".kwgwGGGGGGGG...",
        ".kwwwGGGGGGG....",
        ".kwggggwwGG.....",
        ".kwwwwwwwG.k....",
        ".kkkkkkkkkkk....",
        "................",
        "................",
    ],
    "cut": [
        "................",
        "....k.....k.....",
        "....k.....k.....",
        "....k.....k.....",
        ".....k...k......",
        ".....k...k......",
        "......k.k.......",
        ".......k........",
        "......k.k.......",
        "....rrr.rrr.....",
        "...r..r.r..r....",
        "..r...r.r...r...",
        "..r...r.r...r...",
        "..r...r.r...r...",
        "...rrr...rrr....",
        "................",
    ],
    "copy": [
        "................",
        "kkkkkk..........",
        "kwwwwkk.........",
        "kwggwkwk........",
        "kwwwwkkkkk......",
        "kwgggkwwwkk.....",
        "kwwwwkwggkwk....",
        "kwgggkwwwkkkk...",
        "kwwwwkwgggwwk...",
        "kkkkkkwwwwwwk...",
        ".....kwggggwk...",
        ".....kwwwwwwk...",
        ".....kwggggwk...",
        ".....kwwwwwwk...",
        ".....kkkkkkkk...",
        "................",
    ],
    "paste": [
        "................",
        ".....kkkk.......",
        "..nnnkllknnn....",
        ".nnkkkkkkkknn...",
        ".nn........nn...",
        ".nn..kkkkkkkkk..",
        ".nn..kwwwwwwwk..",
        ".nn..kwggggwwk..",
        ".nn..kwwwwwwwk..",
        ".nn..kwgggggwk..",
        ".nn..kwwwwwwwk..",
        ".nn..kwggggwwk..",
        ".nnnnkwwwwwwwk..",
        "..nnnkkkkkkkkk..",
        "................",
        "................",
    ],
    "print": [
        "................",
        "....kkkkkkkk....",
        "....kwwwwwwk....",
        "....kwggggwk....",
        "....kwwwwwwk....",
        "..kkkkkkkkkkkk..",
        ".klllllllllllk..",
        ".kllllllllllGkk.",
        ".klllllllllllkk.",
        ".kkkkkkkkkkkkkk.",
        ".kggggggggggkkk.",
        "..kwwwwwwwwkkk..",
        "..kwggggggwk....",
        "..kwwwwwwwwk....",
        "..kkkkkkkkkk....",
        "................",
    ],
    "new_entry": [
        "..........G.....",
        "..........G.....",
        "........GGGGG...",
        "..........G.....",
        ".nnnnnnnn.G.....",
        ".nccccccn.......",
        ".ncbbcccnn......",
        ".ncbbcgggn......",
        ".ncccccccn......",
        ".nbbbbcggn......",
        ".nbbbbcccn......",
        ".ncccccggn......",
        ".nnnnnnnnn......",
        "................",
        "................",
        "................",
    ],
    "delete_entry": [
        "................",
        "................",
        "..rr.......rr...",
        "..rrr.....rrr...",
        "...rrr...rrr....",
        "....rrr.rrr.....",
        ".....rrrrr......",
        "......rrr.......",
        ".....rrrrr......",
        "....rrr.rrr.....",
        "...rrr...rrr....",
        "..rrr.....rrr...",
        "..rr.......rr...",
        "................",
        "................",
        "................",
    ],
    "edit_entry": [
        "................",
        "...........kk...",
        "..........krrk..",
        ".........kyrrk..",
        "........kyyyk...",
        ".......kyyyk....",
        "......kyyyk.....",
        ".....kyyyk......",
        "....kyyyk.......",
        "...kcyyk........",
        "...kccck........",
        "..kkcck.........",
        "..kkkk..........",
        "..kk............",
        "................",
        "................",
    ],
    "about": [
        "................",
        ".....bbbbbb.....",
        "....bbbbbbbb....",
        "...bbbbwwbbbb...",
        "..bbbbbwwbbbbb..",
        "..bbbbbbbbbbbb..",
        "..bbbbwwwbbbbb..",
        "..bbbbbwwbbbbb..",
        "..bbbbbwwbbbbb..",
        "..bbbbbwwbbbbb..",
        "...bbbbwwbbbb...",
        "....bwwwwwwb....",
        ".....bbbbbb.....",
        "................",
        "................",
        "................",
    ],
    "context_help": [
        "k...............",
        "kk........BBBB..",
        "kwk......BB..BB.",
        "kwwk.....BB..BB.",
        "kwwwk.......BB..",
        "kwwwwk.....BB...",
        "kwwwwwk....BB...",
        "kwwwwwwk........",
        "kwwwwkkkk..BB...",
        "kwwkwk.....BB...",
        "kwk.kwk.........",
        "kk..kwk.........",
        "k....kwk........",
        ".....kwk........",
        "......kk........",
        "................",
    ],
}


def write_button(path, rows):
    assert len(rows) == 16 and all(len(row) == 16 for row in rows), path
    write_png(path, 16, lambda x, y, s: PALETTE.get(rows[int(y)][int(x)], (0, 0, 0, 0)))


for name, rows in BUTTONS.items():
    write_button(os.path.join(here, name + ".png"), rows)


# The program's icon in the hicolor theme's sizes, for the installed desktop entry.
hicolor = os.path.join(here, "hicolor")
os.makedirs(hicolor, exist_ok=True)
for size in (16, 22, 24, 32, 48, 64, 128, 256):
    write_png(os.path.join(hicolor, "%d.png" % size), size, entry)
