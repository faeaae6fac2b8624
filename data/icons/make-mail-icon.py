#!/usr/bin/env python3
"""Draws mail-32.png, the 32 x 32 envelope beside the approval prompt.

Standard library only: the picture is drawn pixel by pixel (a light envelope
with a dark red outline and flap, matching the prompt's colour) and written
as an RGBA PNG. Run it from this folder to make the file again."""

import struct
import zlib

SIZE = 32
OUTLINE = (0x80, 0x00, 0x00, 255)
PAPER = (0xFF, 0xF8, 0xE8, 255)
SHADE = (0xF0, 0xDC, 0xB4, 255)
CLEAR = (0, 0, 0, 0)

LEFT, TOP, RIGHT, BOTTOM = 2, 7, 29, 25


def flap_y(x):
    """Height of the flap's lower edge at column x (a V from the top corners)."""
    mid = (LEFT + RIGHT) / 2.0
    depth = 9.0
    return TOP + depth * (1.0 - abs(x - mid) / (mid - LEFT))


def pixel(x, y):
    if not (LEFT <= x <= RIGHT and TOP <= y <= BOTTOM):
        return CLEAR
    if x in (LEFT, RIGHT) or y in (TOP, BOTTOM):
        return OUTLINE
    edge = flap_y(x)
    if abs(y - edge) < 0.75:
        return OUTLINE
    # The lower folds: lines from the bottom corners towards the middle.
    mid_y = TOP + 12
    for corner_x in (LEFT, RIGHT):
        t = abs(x - corner_x) / ((RIGHT - LEFT) / 2.0)
        if t <= 0.45 and abs(y - (BOTTOM - (BOTTOM - mid_y) * t)) < 0.6:
            return OUTLINE
    return SHADE if y < edge else PAPER


def png(width, height, rows):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    raw = b"".join(b"\x00" + bytes(c for px in row for c in px) for row in rows)
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


if __name__ == "__main__":
    rows = [[pixel(x, y) for x in range(SIZE)] for y in range(SIZE)]
    with open("mail-32.png", "wb") as f:
        f.write(png(SIZE, SIZE, rows))
