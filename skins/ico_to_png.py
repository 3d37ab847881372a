#!/usr/bin/env python3
"""Writes the largest picture of an icon file (.ico whose pictures are stored as PNG, as the
shipped icons are) as a PNG file, for the desktop's icon theme.
Usage: ico_to_png.py ICON.ico OUT.png"""

import struct
import sys


def largest_png(data):
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    if reserved != 0 or kind != 1 or count == 0:
        raise ValueError("not an icon file")
    best = None
    for index in range(count):
        width, height, _, _, _, _, size, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * index)
        side = (width or 256) * (height or 256)
        picture = data[offset:offset + size]
        if picture[:8] == b"\x89PNG\r\n\x1a\n" and (best is None or side > best[0]):
            best = (side, picture)
    if best is None:
        raise ValueError("the icon holds no PNG picture")
    return best[1]


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    with open(sys.argv[1], "rb") as source:
        picture = largest_png(source.read())
    with open(sys.argv[2], "wb") as target:
        target.write(picture)


if __name__ == "__main__":
    main()
