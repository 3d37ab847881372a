#!/usr/bin/env python3
"""Draws every image of the skin set: PNG images, bitmaps and icons.

Run from anywhere: python3 skins/make_images.py. It rewrites skins/png/, skins/bitmap/ and
skins/icon/ (standard library only). The look: a blue header and tab strip band that frames
a light content area, white glyphs on blue, thin blue-grey borders on light panels.

Shapes are drawn from signed distance functions with analytic anti-aliasing: a pixel's
coverage is clamp(0.5 - distance, 0, 1), distances in pixels. Images drawn with a mask colour
cannot blend with what lies under them, so where the background is known (the tab strip lies
on the header band) the edges are blended with it here; elsewhere shapes are cut at half
coverage.
"""
import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
MAGENTA = (255, 0, 255)

# Colours of the look.
CONTENT = (0xFB, 0xFC, 0xFD)  # the light fill of every panel and content area
BORDER = (30, 90, 170)        # dialog frame lines
EDGE = (22, 78, 150)          # crisp line between the blue band and the content
PANEL_LINE = (0xC5, 0xD3, 0xE3)
WHITE = (255, 255, 255)
RED = (229, 72, 77)
RED_DARK = (194, 58, 63)


def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def mix(a, b, t):
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


def lighten(c, t):
    return mix(c, WHITE, t)


def band(row):
    """The main window's blue: header rows 0-22, then the body's tab strip band to row 110."""
    top, bottom = (66, 146, 228), (24, 94, 176)
    return mix(top, bottom, clamp(row / 110.0))


def footer_colour(row):
    return mix((24, 94, 176), (18, 76, 150), clamp(row / 22.0))


def title_colour(row):
    """Title bar of dialogs and message boxes, 32 rows."""
    return mix((66, 146, 228), (36, 110, 198), clamp(row / 31.0))


# ---------------------------------------------------------------------------------------------
# Signed distance functions (negative inside). Points are pixel centres.

def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def ring(cx, cy, r, width):
    return lambda x, y: abs(math.hypot(x - cx, y - cy) - r) - width / 2


def box(x0, y0, x1, y1, radius=0.0):
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2 - radius, (y1 - y0) / 2 - radius

    def d(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - radius
    return d


def segment(x0, y0, x1, y1, width):
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy

    def d(x, y):
        t = clamp(((x - x0) * dx + (y - y0) * dy) / length2) if length2 else 0.0
        return math.hypot(x - x0 - t * dx, y - y0 - t * dy) - width / 2
    return d


def polygon(points):
    """Convex or concave polygon, exact distance."""
    def d(x, y):
        best = float("inf")
        inside = False
        n = len(points)
        for i in range(n):
            ax, ay = points[i]
            bx, by = points[(i + 1) % n]
            ex, ey = bx - ax, by - ay
            t = clamp(((x - ax) * ex + (y - ay) * ey) / (ex * ex + ey * ey))
            best = min(best, math.hypot(x - ax - t * ex, y - ay - t * ey))
            if (ay > y) != (by > y) and x < ax + (y - ay) * ex / (by - ay):
                inside = not inside
        return -best if inside else best
    return d


def union(*shapes):
    return lambda x, y: min(s(x, y) for s in shapes)


def subtract(a, b):
    return lambda x, y: max(a(x, y), -b(x, y))


def intersect(a, b):
    return lambda x, y: max(a(x, y), b(x, y))


def shifted(shape, dx, dy):
    return lambda x, y: shape(x - dx, y - dy)


def coverage(shape, x, y):
    return clamp(0.5 - shape(x + 0.5, y + 0.5))


# ---------------------------------------------------------------------------------------------
# Canvases

class Canvas:
    """Straight-alpha RGBA pixels, painted with source-over."""

    def __init__(self, width, height, fill=(0, 0, 0), alpha=0.0):
        self.width, self.height = width, height
        self.px = [[list(fill) + [alpha] for _ in range(width)] for _ in range(height)]

    def blend(self, x, y, colour, a):
        if a <= 0 or not (0 <= x < self.width and 0 <= y < self.height):
            return
        p = self.px[y][x]
        out_a = a + p[3] * (1 - a)
        if out_a <= 0:
            return
        for i in range(3):
            p[i] = (colour[i] * a + p[i] * p[3] * (1 - a)) / out_a
        p[3] = out_a

    def fill(self, shape, colour, alpha=1.0, area=None):
        x0, y0, x1, y1 = area or (0, 0, self.width, self.height)
        for y in range(max(0, y0), min(self.height, y1)):
            for x in range(max(0, x0), min(self.width, x1)):
                c = coverage(shape, x, y)
                if c > 0:
                    self.blend(x, y, colour, c * alpha)

    def set(self, x, y, colour):
        self.px[y][x] = list(colour) + [1.0]

    def rgb(self, x, y):
        p = self.px[y][x]
        return tuple(round(clamp(v / 255.0) * 255) for v in p[:3])

    def alpha(self, x, y):
        return round(self.px[y][x][3] * 255)


def glyph_with_shadow(canvas, shape, colour=WHITE, shadow=0.28, area=None):
    canvas.fill(shifted(shape, 0, 1), (0, 20, 60), shadow, area)
    canvas.fill(shape, colour, 1.0, area)


# ---------------------------------------------------------------------------------------------
# File writers

def png_bytes(width, height, rows, alpha):
    """`rows` yields bytes objects of RGB or RGBA pixels, top row first."""
    raw = bytearray()
    for row in rows:
        raw.append(0)
        raw += row
    colour_type = 6 if alpha else 2

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))
    header = struct.pack(">IIBBBBB", width, height, 8, colour_type, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def canvas_png(canvas, alpha):
    def rows():
        for y in range(canvas.height):
            row = bytearray()
            for x in range(canvas.width):
                row += bytes(canvas.rgb(x, y))
                if alpha:
                    row.append(canvas.alpha(x, y))
            yield bytes(row)
    return png_bytes(canvas.width, canvas.height, rows(), alpha)


def bmp_bytes(width, height, pixel, bits):
    """A bottom-up BMP of 24 bits, or 8 bits with a palette of the colours used."""
    colours = [[pixel(x, y) for x in range(width)] for y in range(height)]
    if bits == 8:
        palette = sorted({c for row in colours for c in row})
        assert len(palette) <= 256
        index = {c: i for i, c in enumerate(palette)}
        stride = (width + 3) & ~3
        table = b"".join(bytes((b, g, r, 0)) for (r, g, b) in palette)
        data = bytearray()
        for y in reversed(range(height)):
            row = bytes(index[c] for c in colours[y])
            data += row + b"\0" * (stride - width)
        used = len(palette)
    else:
        stride = (width * 3 + 3) & ~3
        table = b""
        data = bytearray()
        for y in reversed(range(height)):
            row = b"".join(bytes((b, g, r)) for (r, g, b) in colours[y])
            data += row + b"\0" * (stride - width * 3)
        used = 0
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(data), 2835, 2835,
                       used, 0)
    offset = 14 + len(info) + len(table)
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    return header + info + table + bytes(data)


def ico_bytes(images):
    """An icon file whose entries are PNG images: [(size, png bytes)]."""
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    body = b""
    for size, data in images:
        dim = 0 if size >= 256 else size
        out += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, 32, len(data), offset + len(body))
        body += data
    return out + body


def write(kind, name, data):
    path = os.path.join(HERE, kind, name)
    with open(path, "wb") as f:
        f.write(data)
    print(f"{kind}/{name}: {len(data)} bytes")


# ---------------------------------------------------------------------------------------------
# Bitmaps

def frame_pixels(width, height, border, middle):
    def pixel(x, y):
        return middle if 0 < x < width - 1 and 0 < y < height - 1 else border
    return pixel


def main_head(x, y):  # 7 x 23, left cap 3
    return lighten(band(y), 0.18) if y == 0 else band(y)


def main_body(x, y):  # 15 x 90: top band 88 rows, left and right bands 7, bottom band 1
    frame = band(110)
    if y < 87:
        return band(23 + y)
    if y == 87:  # the line that closes the band above the content
        return EDGE if 6 <= x <= 8 else band(23 + y)
    if y == 88:
        return EDGE if x in (6, 8) else CONTENT if x == 7 else frame
    return EDGE if 6 <= x <= 8 else frame


def main_foot(x, y):  # 5 x 23, left cap 2
    return footer_colour(y)


def rounded_mask_strip(width, height, states, shape_for_state, background):
    """Sub-images side by side; `shape_for_state` gives (shape, fill, line) or None."""
    def pixel(x, y):
        state, sx = divmod(x, width)
        shape = shape_for_state(state)
        if shape is None:
            return MAGENTA
        outer, inner, fill, line = shape
        c_out = coverage(outer, sx, y)
        if c_out <= 0:
            return MAGENTA
        c_in = coverage(inner, sx, y)
        face = mix(line, fill(y), c_in)
        bg = background(y)
        if bg is None:
            return face if c_out >= 0.5 else MAGENTA
        return mix(bg, face, c_out)
    return pixel


def tab_main():  # 213 x 71, three 71-pixel states: normal, hover, selected
    size = 71

    def tab_shape(state):
        if state == 0:
            return None
        outer = box(1, 1, size - 1, size - 1, 5)
        inner = box(2, 2, size - 2, size - 2, 4)
        strength = 0.14 if state == 1 else 0.26
        line = 0.32 if state == 1 else 0.55
        return (outer, inner, lambda y: lighten(band(27 + y), strength),
                lighten(band(27 + 35), line))
    # The strip lies 4 pixels below the body's top, which is row 23 of the band.
    return rounded_mask_strip(size, size, 3, tab_shape, lambda y: band(27 + y))


def small_tab():  # 21 x 25, three 7-pixel states; rounded top, open bottom
    fills = [(0xEE, 0xF3, 0xF9), (0xF7, 0xFA, 0xFD), WHITE]
    lines = [(0xA9, 0xBF, 0xDB), (0x7F, 0xA3, 0xCF), (0x5B, 0x8C, 0xC6)]

    def tab_shape(state):
        outer = box(0, 0, 7, 29, 3)
        inner = box(1, 1, 6, 29, 2)
        return outer, inner, lambda y: fills[state], lines[state]
    return rounded_mask_strip(7, 25, 3, tab_shape, lambda y: None)


def tab_header(x, y):  # 1 x 32
    if y == 31:
        return PANEL_LINE
    return mix(WHITE, (0xE9, 0xEF, 0xF6), y / 30.0)


def msgbox_frame(x, y):  # 15 x 90: title bar rows 0-31, light body, one-pixel blue border
    if x == 0 or x == 14 or y == 89:
        return BORDER
    if y < 32:
        return lighten(title_colour(y), 0.2) if y == 0 else title_colour(y)
    return CONTENT


def msgbox_sides(x, y):  # 5 x 3: blue sides and bottom line around a light middle
    return BORDER if x in (0, 4) or y == 2 else CONTENT


def progress_track():  # 7 x 15, left cap 3
    outer = box(0, 0, 7, 15, 3.5)
    inner = box(1, 1, 6, 14, 2.5)
    shape = (outer, inner, lambda y: mix((0xE6, 0xEC, 0xF3), (0xF8, 0xFA, 0xFC), y / 14.0),
            (0xAF, 0xC0, 0xD4))
    return rounded_mask_strip(7, 15, 1, lambda s: shape, lambda y: None)


def progress_bar():  # 5 x 11, left cap 3, right cap 1: rounded at the left only
    outer = box(0, 0, 12, 11, 3.5)
    inner = box(0, 0.8, 12, 10.2, 3)
    shape = (outer, inner, lambda y: mix((120, 190, 250), (40, 128, 214), y / 10.0),
            (30, 106, 190))
    return rounded_mask_strip(5, 11, 1, lambda s: shape, lambda y: None)


def make_bitmaps():
    bitmaps = [
        ("106-panelgray.bmp", 3, 3, frame_pixels(3, 3, (0x78, 0x78, 0x78), (0x90, 0x90, 0x90)), 24),
        ("107-panel.bmp", 3, 3, frame_pixels(3, 3, PANEL_LINE, CONTENT), 8),
        ("10001-mainbghead.bmp", 7, 23, main_head, 24),
        ("10002-mainbgbody.bmp", 15, 90, main_body, 24),
        ("10003-mainbgfoot.bmp", 5, 23, main_foot, 24),
        ("10004-tabmain.bmp", 213, 71, tab_main(), 24),
        ("10005-tab.bmp", 21, 25, small_tab(), 24),
        ("10006-tab_header_bk.bmp", 1, 32, tab_header, 8),
        ("10011-msgboxframe.bmp", 15, 90, msgbox_frame, 24),
        ("10012-msgboxsides.bmp", 5, 3, msgbox_sides, 24),
        ("10013-progressbg.bmp", 7, 15, progress_track(), 24),
        ("10014-progresspos.bmp", 5, 11, progress_bar(), 24),
    ]
    for name, width, height, pixel, bits in bitmaps:
        write("bitmap", name, bmp_bytes(width, height, pixel, bits))


# ---------------------------------------------------------------------------------------------
# Header buttons: 21 pixels high, three states (normal, hover, pushed).

def close_glyph(cx, cy):
    r = 4.5
    return union(segment(cx - r, cy - r, cx + r, cy + r, 1.6),
                 segment(cx - r, cy + r, cx + r, cy - r, 1.6))


def menu_glyph(cx, cy):
    return union(*(box(cx - 6, cy + dy - 0.5, cx + 6, cy + dy + 0.5) for dy in (-4, 0, 4)))


def min_glyph(cx, cy):
    return box(cx - 6, cy + 0.5, cx + 6, cy + 2.5)


def max_glyph(cx, cy):
    return subtract(box(cx - 5, cy - 4.5, cx + 5, cy + 4.5), box(cx - 4, cy - 2.5, cx + 4, cy + 3.5))


def restore_glyph(cx, cy):
    back = subtract(box(cx - 2, cy - 5.5, cx + 6, cy + 2.5), box(cx - 1, cy - 3.5, cx + 5, cy + 1.5))
    front_outer = box(cx - 6, cy - 2.5, cx + 2, cy + 5.5)
    front = subtract(front_outer, box(cx - 5, cy - 0.5, cx + 1, cy + 4.5))
    return union(subtract(back, front_outer), front)


def header_button(state_width, glyph, hover, pushed, opaque):
    """Three states side by side. Opaque buttons are drawn over the header band itself."""
    height = 21
    width = state_width * 3
    canvas = Canvas(width, height)
    if opaque:
        for y in range(height):
            for x in range(width):
                canvas.set(x, y, band(y + 1))  # buttons sit one pixel below the header top
    for state in range(3):
        x0 = state * state_width
        area = (x0, 0, x0 + state_width, height)
        face = box(x0 + 1, 1, x0 + state_width - 1, height - 1, 3)
        if state == 1:
            canvas.fill(face, hover[0], hover[1], area)
        elif state == 2:
            canvas.fill(face, pushed[0], pushed[1], area)
        # Glyph edges fall on pixel edges: x at a whole pixel, y at the middle row's centre.
        cx, cy = x0 + state_width // 2, height / 2
        canvas.fill(glyph(cx, cy), WHITE, 1.0, area)
    return canvas_png(canvas, alpha=not opaque)


def make_header_buttons():
    light = (WHITE, 0.22)
    dark = ((0, 30, 80), 0.22)
    write("png", "44-closebtn.png", header_button(47, close_glyph, (RED, 1.0), (RED_DARK, 1.0), False))
    write("png", "45-menubtn.png", header_button(30, menu_glyph, light, dark, False))
    write("png", "46-maxbtn.png", header_button(30, max_glyph, light, dark, True))
    write("png", "47-minbtn.png", header_button(30, min_glyph, light, dark, False))
    write("png", "48-restorebtn.png", header_button(30, restore_glyph, light, dark, True))


# ---------------------------------------------------------------------------------------------
# Tab icons of the main window: nine 48 x 48 white glyphs on the blue band.

def icon_video(o):  # a video camera
    body = box(o + 6, 14, o + 32, 35, 4)
    lens = polygon([(o + 33, 22), (o + 43, 16), (o + 43, 33), (o + 33, 27)])
    dot = circle(o + 13, 20.5, 2.2)
    return union(subtract(body, dot), lens)


def icon_gear(o):
    cx, cy = o + 24, 24
    teeth = []
    for k in range(8):
        a = k * math.pi / 4
        teeth.append(segment(cx + 11 * math.cos(a), cy + 11 * math.sin(a),
                             cx + 16 * math.cos(a), cy + 16 * math.sin(a), 6.5))
    wheel = union(circle(cx, cy, 12.5), *teeth)
    return subtract(wheel, circle(cx, cy, 5.5))


def icon_folder(o):
    tab = box(o + 6, 11, o + 22, 20, 2.5)
    body = box(o + 6, 15, o + 42, 38, 3)
    return union(tab, body)


def icon_chart(o):
    bars = [box(o + 9 + 9 * i, 38 - h, o + 15 + 9 * i, 38, 1) for i, h in enumerate((10, 18, 14, 24))]
    base = segment(o + 6, 40.5, o + 42, 40.5, 1.6)
    return union(base, *bars)


def icon_shield(o):
    cx = o + 24
    shield = polygon([(cx, 7), (cx + 15, 12), (cx + 14, 27), (cx, 41), (cx - 14, 27), (cx - 15, 12)])
    check = union(segment(cx - 7, 24, cx - 2, 29.5, 3), segment(cx - 2, 29.5, cx + 8, 18, 3))
    return subtract(shield, check)


def icon_cloud(o):
    return union(circle(o + 18, 27, 8), circle(o + 27, 21, 10), circle(o + 35, 28, 7),
                 box(o + 10, 27, o + 42, 35, 4))


def icon_clock(o):
    cx, cy = o + 24, 24
    return union(ring(cx, cy, 15, 3.2), segment(cx, cy, cx, cy - 9, 3), segment(cx, cy, cx + 7, cy + 3, 3))


def icon_user(o):
    cx = o + 24
    head = circle(cx, 17, 7.5)
    shoulders = intersect(circle(cx, 42, 16), box(o, 0, o + 48, 40))
    return union(head, shoulders)


def icon_bell(o):
    cx = o + 24
    dome = union(circle(cx, 21, 10.5), box(cx - 10.5, 21, cx + 10.5, 33))
    rim = box(cx - 14.5, 31, cx + 14.5, 35, 2)
    return union(dome, rim, circle(cx, 38, 3.5), circle(cx, 9.5, 2.2))


def make_logomodule():
    icons = [icon_video, icon_gear, icon_folder, icon_chart, icon_shield, icon_cloud, icon_clock,
             icon_user, icon_bell]
    canvas = Canvas(48 * len(icons), 48)
    for i, icon in enumerate(icons):
        glyph_with_shadow(canvas, icon(48 * i), area=(48 * i, 0, 48 * i + 48, 48))
    write("png", "3-logomodule.png", canvas_png(canvas, alpha=True))


# ---------------------------------------------------------------------------------------------
# Tab background: transparent, with a faint lens watermark near the lower right of the page.

def make_background():
    width, height = 1900, 1188
    cx, cy = 905.0, 560.0
    rings = [(70, 14), (125, 10), (175, 6), (225, 3)]
    reach = 232
    tint = (47, 127, 214)
    rows = []
    for y in range(height):
        row = bytearray(width * 4)
        if abs(y + 0.5 - cy) <= reach:
            for x in range(int(cx - reach), int(cx + reach) + 1):
                d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
                a = 0.0
                for r, w in rings:
                    a = max(a, clamp(0.5 - (abs(d - r) - w / 2)))
                a = max(a, clamp(0.5 - (d - 26)) * 0.7)
                if a > 0:
                    row[4 * x:4 * x + 4] = bytes(tint) + bytes((round(a * 14),))
        rows.append(bytes(row))
    write("png", "49-bg.png", png_bytes(width, height, rows, alpha=True))


# ---------------------------------------------------------------------------------------------
# Program icons

def app_icon(size, on_title_bar):
    s = float(size)
    canvas = Canvas(size, size)
    stroke = max(1.6, s * 0.09)
    if not on_title_bar:
        tile = box(0.5, 0.5, s - 0.5, s - 0.5, s * 0.22)
        for y in range(size):
            top, bottom = (72, 152, 232), (26, 96, 182)
            colour = mix(top, bottom, y / max(1, size - 1))
            for x in range(size):
                c = coverage(tile, x, y)
                if c > 0:
                    canvas.blend(x, y, colour, c)
    lens = ring(s * 0.46, s * 0.54, s * 0.25, stroke)
    pupil = circle(s * 0.46, s * 0.54, max(1.2, s * 0.1))
    canvas.fill(union(lens, pupil), WHITE)
    canvas.fill(circle(s * 0.77, s * 0.23, max(1.5, s * 0.11)), (255, 77, 79))
    return canvas_png(canvas, alpha=True)


def make_icons():
    sizes = (16, 24, 32, 48)
    write("icon", "100-tray.ico", ico_bytes([(n, app_icon(n, False)) for n in sizes]))
    write("icon", "101-title.ico", ico_bytes([(n, app_icon(n, True)) for n in sizes]))
    write("icon", "128-program.ico", ico_bytes([(n, app_icon(n, False)) for n in sizes + (64, 128)]))


def main():
    for kind in ("png", "bitmap", "icon"):
        os.makedirs(os.path.join(HERE, kind), exist_ok=True)
    make_bitmaps()
    make_header_buttons()
    make_logomodule()
    make_background()
    make_icons()


if __name__ == "__main__":
    main()
