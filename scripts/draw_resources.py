#!/usr/bin/env python3
"""Draws the pictures shipped in resources/, and the tool's icon for the desktop's application
menu in desktop/icons/ (run by hand; the outputs are committed).

Only the standard library: shapes are sampled 4 x 4 times per pixel for smooth edges and the
PNG files are written with zlib. The five menu icons are strips: the 16 x 16 icon on the left,
its mask on the right (black opaque, white transparent, greys partly transparent).
"""
import math
import os
import struct
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(os.path.dirname(HERE), "resources")
ICONS = os.path.join(os.path.dirname(HERE), "desktop", "icons", "hicolor")
SUB = 4  # samples per pixel along each axis


def write_png(path, width, height, rows, alpha=False):
    """rows: list of lists of (r, g, b) or (r, g, b, a) tuples."""
    raw = bytearray()
    for row in rows:
        raw.append(0)
        for px in row:
            raw.extend(px[:4] if alpha else px[:3])
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)
    header = struct.pack(">IIBBBBB", width, height, 8, 6 if alpha else 2, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", header))
        f.write(chunk(b"IDAT", zlib.compress(bytes(raw), 9)))
        f.write(chunk(b"IEND", b""))


class Layer:
    """A shape drawn in one colour: coverage per pixel from a predicate on points."""

    def __init__(self, color, inside):
        self.color = color
        self.inside = inside

    def coverage(self, x, y):
        hits = 0
        for sy in range(SUB):
            for sx in range(SUB):
                if self.inside(x + (sx + 0.5) / SUB, y + (sy + 0.5) / SUB):
                    hits += 1
        return hits / (SUB * SUB)


def render(width, height, layers):
    """Layers painted in order over transparency; returns rows of (r, g, b, a) as floats."""
    rows = []
    for y in range(height):
        row = []
        for x in range(width):
            r = g = b = a = 0.0
            for layer in layers:
                c = layer.coverage(x, y)
                if c == 0:
                    continue
                lr, lg, lb = layer.color
                # "over" compositing with premultiplied channels
                r = lr * c + r * (1 - c)
                g = lg * c + g * (1 - c)
                b = lb * c + b * (1 - c)
                a = c + a * (1 - c)
            row.append((r, g, b, a))
        rows.append(row)
    return rows


def unpremultiply(px, background=(255, 255, 255)):
    r, g, b, a = px
    if a <= 0:
        return background
    return tuple(min(255, max(0, round(v / a))) for v in (r, g, b))


def icon_strip(name, layers, size=16):
    """The icon beside its mask, as the menu expects them."""
    rows = render(size, size, layers)
    out = []
    for row in rows:
        colour = [unpremultiply(px) for px in row]
        mask = [(round(255 * (1 - px[3])),) * 3 for px in row]
        out.append(colour + mask)
    write_png(os.path.join(OUT, name), size * 2, size, out)


# Shape predicates ---------------------------------------------------------------------------

def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


def round_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def disc(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ring(cx, cy, r0, r1):
    return lambda x, y: r0 * r0 <= (x - cx) ** 2 + (y - cy) ** 2 <= r1 * r1


def polygon(points):
    def inside(x, y):
        hit = False
        n = len(points)
        for i in range(n):
            x0, y0 = points[i]
            x1, y1 = points[(i + 1) % n]
            if (y0 > y) != (y1 > y) and x < x0 + (y - y0) * (x1 - x0) / (y1 - y0):
                hit = not hit
        return hit
    return inside


def union(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)


def minus(a, b):
    return lambda x, y: a(x, y) and not b(x, y)


def grow(shape, d):
    """The shape widened by d pixels (an outline is the grown shape under the shape)."""
    offsets = [(d * math.cos(t), d * math.sin(t)) for t in (i * math.pi / 4 for i in range(8))]
    return lambda x, y: shape(x, y) or any(shape(x + ox, y + oy) for ox, oy in offsets)


# The icons ----------------------------------------------------------------------------------

OUTLINE = (40, 42, 46)


def open_folder():
    back = union(round_rect(1.5, 3, 7.5, 6, 1), round_rect(1.5, 4.5, 13.5, 13.5, 1.2))
    front = polygon([(3.5, 7), (15, 7), (13, 13.5), (1.5, 13.5)])
    return [Layer(OUTLINE, grow(union(back, front), 0.8)),
            Layer((214, 150, 48), back),
            Layer((246, 196, 84), front)]


def reload_arrow():
    arc = minus(ring(8, 8.5, 3.6, 5.8), polygon([(8, 8.5), (16, 0), (16, 8.5)]))
    head = polygon([(9.2, 0.6), (14.6, 4.4), (9.2, 7.4)])
    shape = union(arc, head)
    return [Layer(OUTLINE, grow(shape, 0.8)), Layer((74, 163, 223), shape)]


def settings_gear():
    teeth = []
    for i in range(8):
        t = i * math.pi / 4
        c, s = math.cos(t), math.sin(t)
        def tooth(x, y, c=c, s=s):
            u = (x - 8) * c + (y - 8) * s
            v = -(x - 8) * s + (y - 8) * c
            return 4 <= u <= 7.2 and abs(v) <= 1.3
        teeth.append(tooth)
    gear = minus(union(disc(8, 8, 5.2), *teeth), disc(8, 8, 2.2))
    return [Layer(OUTLINE, grow(gear, 0.7)), Layer((184, 190, 198), gear)]


def update_globe():
    body = disc(8, 8, 6.8)
    arrow = union(rect(6.8, 3, 9.2, 8.5), polygon([(4, 8), (12, 8), (8, 12.6)]))
    return [Layer(OUTLINE, grow(body, 0.7)),
            Layer((88, 184, 92), body),
            Layer((255, 255, 255), arrow)]


def user_guide_book():
    left = polygon([(1, 3), (7.5, 4), (7.5, 14), (1, 13)])
    right = polygon([(8.5, 4), (15, 3), (15, 13), (8.5, 14)])
    cover = polygon([(0.5, 4), (8, 5), (15.5, 4), (15.5, 14.5), (8, 15.5), (0.5, 14.5)])
    lines = union(*[rect(2.5, 6 + 2 * i, 6.2, 6.6 + 2 * i) for i in range(3)],
                  *[rect(9.8, 6 + 2 * i, 13.5, 6.6 + 2 * i) for i in range(3)])
    return [Layer(OUTLINE, grow(cover, 0.6)),
            Layer((60, 110, 200), cover),
            Layer((250, 250, 246), union(left, right)),
            Layer((150, 160, 175), lines)]


# Pictures -----------------------------------------------------------------------------------

def kit_background(width=800, height=600):
    """The windows' dark backdrop: the window colour 0x333538, lighter at the top, with fine
    diagonal brushing so that large areas do not look flat."""
    rows = []
    for y in range(height):
        lift = 10 * (1 - y / (height - 1))  # a little lighter at the top
        row = []
        for x in range(width):
            brush = 2 if (x + 2 * y) % 6 == 0 else 0
            row.append(tuple(min(255, round(v + lift + brush)) for v in (0x33, 0x35, 0x38)))
        rows.append(row)
    write_png(os.path.join(OUT, "UI Kit Background.png"), width, height, rows)


def menu_texture(width=22, height=16):
    """Three light bars, drawn over the menu button; transparent elsewhere."""
    bars = union(*[round_rect(2, 2 + 5 * i, width - 2, 4.5 + 5 * i, 1.2) for i in range(3)])
    rows = render(width, height, [Layer((236, 238, 242), bars)])
    out = [[unpremultiply(px) + (round(255 * px[3]),) for px in row] for row in rows]
    write_png(os.path.join(OUT, "Menu texture.png"), width, height, out, alpha=True)


def app_icon_layers(size):
    """The tool's icon: a skin (a dark panel with two decks) inside the frame of its new,
    larger size, and the arrow that stretches it there, on the windows' dark colour."""
    u = size  # shapes are given in fractions of the icon's side

    def scaled(shape):
        return lambda x, y: shape(x / u, y / u)

    tile = round_rect(0.04, 0.04, 0.96, 0.96, 0.18)
    frame = minus(rect(0.12, 0.16, 0.88, 0.86), rect(0.15, 0.19, 0.85, 0.83))
    panel = round_rect(0.18, 0.24, 0.64, 0.58, 0.04)
    decks = union(disc(0.30, 0.41, 0.085), disc(0.52, 0.41, 0.085))
    hubs = union(disc(0.30, 0.41, 0.022), disc(0.52, 0.41, 0.022))
    # The arrow from the panel's corner towards the frame's, along the diagonal.
    d = math.sqrt(0.5)
    def shaft(x, y):
        along = ((x - 0.58) + (y - 0.55)) * d
        across = ((x - 0.58) - (y - 0.55)) * d
        return 0 <= along <= 0.26 and abs(across) <= 0.035
    head = polygon([(0.82, 0.79), (0.64, 0.77), (0.80, 0.61)])
    arrow = union(shaft, head)
    return [Layer((58, 61, 66), scaled(grow(tile, 0.012))),
            Layer((0x33, 0x35, 0x38), scaled(tile)),
            Layer((74, 163, 223), scaled(frame)),
            Layer((96, 101, 110), scaled(panel)),
            Layer((214, 218, 224), scaled(decks)),
            Layer((60, 63, 68), scaled(hubs)),
            Layer((OUTLINE), scaled(grow(arrow, 0.02))),
            Layer((246, 196, 84), scaled(arrow))]


def app_icon(size):
    rows = render(size, size, app_icon_layers(size))
    out = [[unpremultiply(px) + (round(255 * px[3]),) for px in row] for row in rows]
    folder = os.path.join(ICONS, "%dx%d" % (size, size), "apps")
    os.makedirs(folder, exist_ok=True)
    write_png(os.path.join(folder, "malvoren.png"), size, size, out, alpha=True)


def flat(name, width, height, color=(0x33, 0x35, 0x38)):
    write_png(os.path.join(OUT, name), width, height, [[color] * width for _ in range(height)])


def main():
    if sys.argv[1:] == ["--icon"]:
        for size in (48, 128, 256):
            app_icon(size)
        return 0
    os.makedirs(OUT, exist_ok=True)
    icon_strip("OpenFolder.png", open_folder())
    icon_strip("reload.png", reload_arrow())
    icon_strip("Settings_icon.png", settings_gear())
    icon_strip("Update.png", update_globe())
    icon_strip("UserGuide.png", user_guide_book())
    kit_background()
    menu_texture()
    # Both backdrops are removed by their controls when they open; a plain window colour is
    # what would show if one were ever drawn.
    flat("UI_ColorPicker_backdrop.png", 16, 16)
    flat("UI_Checkbox_backdrop.png", 16, 16)
    for size in (48, 128, 256):
        app_icon(size)
    return 0


if __name__ == "__main__":
    sys.exit(main())
