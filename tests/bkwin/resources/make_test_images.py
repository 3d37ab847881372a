#!/usr/bin/env python3
"""Draws the small images of the framework's drawing tests: flat colours that tell apart
which part of an image landed where. Run: python3 tests/bkwin/resources/make_test_images.py"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.dont_write_bytecode = True  # keep skins/ free of caches
sys.path.insert(0, os.path.join(HERE, "..", "..", "..", "skins"))
from make_images import bmp_bytes, png_bytes  # noqa: E402

RED, GREEN, BLUE = (200, 0, 0), (0, 200, 0), (0, 0, 200)
MAGENTA = (255, 0, 255)

# A 5 x 5 frame cut at left 2, top 2: every piece its own colour.
FRAME = {
    "tl": (10, 10, 10), "t": (20, 20, 20), "tr": (30, 30, 30),
    "l": (40, 40, 40), "m": (50, 50, 50), "r": (60, 60, 60),
    "bl": (70, 70, 70), "b": (80, 80, 80), "br": (90, 90, 90),
}


def frame_pixel(x, y):
    col = "l" if x < 2 else "m" if x == 2 else "r"
    row = "t" if y < 2 else "m" if y == 2 else "b"
    if row == "m":
        return FRAME[col]
    if col == "m":
        return FRAME[row]
    return FRAME[row + col]


# Three 3-pixel states of a horizontal bar: left cap, middle column, right cap.
BAR = [((100, 0, 0), (110, 0, 0), (120, 0, 0)),
       ((0, 100, 0), (0, 110, 0), (0, 120, 0)),
       ((0, 0, 100), (0, 0, 110), (0, 0, 120))]


def bmp32_bytes(pixels):
    """A one-row bottom-up 32-bit BMP of (r, g, b, alpha) pixels."""
    import struct
    data = b"".join(bytes((b, g, r, a)) for (r, g, b, a) in pixels)
    info = struct.pack("<IiiHHIIiiII", 40, len(pixels), 1, 1, 32, 0, len(data), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 14 + 40)
    return header + info + data


def write(kind, name, data):
    with open(os.path.join(HERE, kind, name), "wb") as f:
        f.write(data)


def main():
    strip = [RED, GREEN, BLUE]
    write("bitmap", "9101-three-states.bmp", bmp_bytes(6, 2, lambda x, y: strip[x // 2], 24))
    write("bitmap", "9102-masked.bmp",
          bmp_bytes(4, 1, lambda x, y: [RED, MAGENTA, GREEN, MAGENTA][x], 24))
    write("bitmap", "9103-frame.bmp", bmp_bytes(5, 5, frame_pixel, 24))
    write("bitmap", "9104-bar.bmp", bmp_bytes(9, 2, lambda x, y: BAR[x // 3][x % 3], 24))
    # Straight alpha: opaque red, half-transparent green, fully transparent blue.
    write("bitmap", "9106-alpha.bmp", bmp32_bytes([(200, 0, 0, 255), (0, 200, 0, 128), (0, 0, 200, 0)]))
    # Three 30-pixel columns, the middle one half transparent.
    rows = []
    for y in range(4):
        row = bytearray()
        for x in range(90):
            state = x // 30
            row += bytes(strip[state]) + bytes((128 if state == 1 else 255,))
        rows.append(bytes(row))
    write("png", "9105-columns.png", png_bytes(90, 4, rows, alpha=True))


if __name__ == "__main__":
    main()
