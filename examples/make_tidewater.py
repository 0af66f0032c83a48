#!/usr/bin/env python3
"""Draws the example skin "Tidewater": tidewater.xml and its bitmap tidewater.png.

A 1024 x 768 skin (version 7) of our own: two decks, a mixer and a browser, with the
sprite area below row 768 holding the icon grid, the button grid, the frames of the round
gain knobs, the slider handles and the frames of the two jog wheels. Every sprite position
that the XML names is drawn here from the same numbers, so the two files agree.

Only the standard library is used; the PNG is written by hand (zlib for the deflate stream).
Run it from anywhere: it writes beside itself.
"""

import math
import os
import struct
import zlib

W, H = 1024, 768            # the skin face
BITMAP_H = 1200             # face plus sprite area

# Sprite area (input bitmap coordinates).
ICONS = (0, 768)            # icon grid, 128 x 128: 4 x 4 icons of 32 x 32
BUTTONS = (0, 896)          # button grid, 612 x 168: 3 rows (off, over, down) of buttons
KNOB_FRAMES = (0, 1064)     # 16 frames of 40 x 40 for the round gain knobs
KNOB = 40
KNOB_NB = 16
JOG_FRAMES = (640, 1064)    # 8 frames of 64 x 64, 4 per row, for the jog wheels
JOG = 64
HANDLES = (640, 896)        # slider handles

# Face layout.
BROWSER = (12, 420, 1000, 336)
DECKS = ((12, 48, 428, 364), (584, 48, 428, 364))
MIXER = (448, 48, 128, 364)

# Colours.
BG = (28, 32, 38)
PANEL = (40, 46, 54)
PANEL_EDGE = (70, 80, 92)
ACCENT = (255, 160, 0)
ACCENT2 = (0, 190, 220)
TEXT = (216, 222, 230)
BROWSER_BG = (22, 25, 30)
BLACK = (0, 0, 0)


class Canvas:
    def __init__(self, w, h, colour):
        self.w, self.h = w, h
        self.rows = [bytearray(bytes(colour) * w) for _ in range(h)]

    def pixel(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.rows[y][3 * x:3 * x + 3] = bytes(c)

    def rect(self, x, y, w, h, c):
        x0, x1 = max(0, x), min(self.w, x + w)
        if x1 <= x0:
            return
        run = bytes(c) * (x1 - x0)
        for yy in range(max(0, y), min(self.h, y + h)):
            self.rows[yy][3 * x0:3 * x1] = run

    def frame(self, x, y, w, h, c, t=1):
        self.rect(x, y, w, t, c)
        self.rect(x, y + h - t, w, t, c)
        self.rect(x, y, t, h, c)
        self.rect(x + w - t, y, t, h, c)

    def vgradient(self, x, y, w, h, top, bottom):
        for i in range(h):
            f = i / max(1, h - 1)
            c = tuple(round(a + (b - a) * f) for a, b in zip(top, bottom))
            self.rect(x, y + i, w, 1, c)

    def disc(self, cx, cy, r, c):
        for yy in range(int(cy - r), int(cy + r) + 1):
            dy = yy + 0.5 - cy
            if dy * dy > r * r:
                continue
            dx = math.sqrt(r * r - dy * dy)
            self.rect(int(round(cx - dx)), yy, int(round(2 * dx)), 1, c)

    def line(self, x0, y0, x1, y1, c, t=1):
        n = int(max(abs(x1 - x0), abs(y1 - y0))) + 1
        for i in range(n + 1):
            f = i / n
            self.rect(int(round(x0 + (x1 - x0) * f)) - t // 2,
                      int(round(y0 + (y1 - y0) * f)) - t // 2, t, t, c)

    def text(self, x, y, s, c, scale=1):
        for ch in s.upper():
            glyph = FONT.get(ch, FONT[" "])
            for gy, bits in enumerate(glyph):
                for gx in range(5):
                    if bits >> (4 - gx) & 1:
                        self.rect(x + gx * scale, y + gy * scale, scale, scale, c)
            x += 6 * scale

    def png(self):
        raw = b"".join(b"\0" + bytes(r) for r in self.rows)

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

        return (b"\x89PNG\r\n\x1a\n"
                + chunk(b"IHDR", struct.pack(">IIBBBBB", self.w, self.h, 8, 2, 0, 0, 0))
                + chunk(b"IDAT", zlib.compress(raw, 9))
                + chunk(b"IEND", b""))


# A 5 x 7 font of the letters the skin shows.
FONT = {
    " ": [0, 0, 0, 0, 0, 0, 0],
    "A": [14, 17, 17, 31, 17, 17, 17], "B": [30, 17, 17, 30, 17, 17, 30],
    "C": [14, 17, 16, 16, 16, 17, 14], "D": [30, 17, 17, 17, 17, 17, 30],
    "E": [31, 16, 16, 30, 16, 16, 31], "F": [31, 16, 16, 30, 16, 16, 16],
    "G": [14, 17, 16, 23, 17, 17, 15], "H": [17, 17, 17, 31, 17, 17, 17],
    "I": [14, 4, 4, 4, 4, 4, 14], "K": [17, 18, 20, 24, 20, 18, 17],
    "L": [16, 16, 16, 16, 16, 16, 31], "M": [17, 27, 21, 21, 17, 17, 17],
    "N": [17, 25, 21, 19, 17, 17, 17], "O": [14, 17, 17, 17, 17, 17, 14],
    "P": [30, 17, 17, 30, 16, 16, 16], "R": [30, 17, 17, 30, 20, 18, 17],
    "S": [15, 16, 16, 14, 1, 1, 30], "T": [31, 4, 4, 4, 4, 4, 4],
    "U": [17, 17, 17, 17, 17, 17, 14], "V": [17, 17, 17, 17, 17, 10, 4],
    "W": [17, 17, 17, 21, 21, 21, 10], "X": [17, 17, 10, 4, 10, 17, 17],
    "Y": [17, 17, 10, 4, 4, 4, 4], "0": [14, 17, 19, 21, 25, 17, 14],
    "1": [4, 12, 4, 4, 4, 4, 14], "2": [14, 17, 1, 2, 4, 8, 31],
    ":": [0, 12, 12, 0, 12, 12, 0], "-": [0, 0, 0, 31, 0, 0, 0],
}


def knob(c, cx, cy, r, angle):
    c.disc(cx, cy, r, PANEL_EDGE)
    c.disc(cx, cy, r - 3, (58, 66, 76))
    c.line(cx, cy, cx + (r - 5) * math.sin(angle), cy - (r - 5) * math.cos(angle), ACCENT, 3)


def jog(c, x, y, size, angle):
    cx, cy, r = x + size / 2, y + size / 2, size / 2 - 2
    c.disc(cx, cy, r, (50, 56, 64))
    c.disc(cx, cy, r - 6, (34, 38, 44))
    c.disc(cx + (r - 10) * math.sin(angle), cy - (r - 10) * math.cos(angle), 4, ACCENT2)


def draw():
    c = Canvas(W, BITMAP_H, BG)

    # Face: top bar, decks, mixer, browser.
    c.vgradient(0, 0, W, 40, (52, 60, 70), (30, 34, 40))
    c.rect(0, 40, W, 2, ACCENT)
    c.text(452 + 6, 8 + 5, "TIDEWATER", TEXT, 2)           # the logo, 120 x 24 at (452, 8)
    c.text(940 + 4, 12 + 4, "12:00", ACCENT2)               # clock, fixed to the right edge
    for (x, y, w, h) in DECKS:
        c.rect(x, y, w, h, PANEL)
        c.frame(x, y, w, h, PANEL_EDGE)
        c.rect(x + 12, y + 4, 300, 18, (30, 34, 40))        # title text zone
        c.rect(x + 12, y + 60, 380, 60, (18, 20, 24))       # waveform
        for i in range(0, 380, 4):
            a = abs(math.sin(i / 17.0) * math.cos(i / 5.0))
            c.rect(x + 12 + i, y + 90 - int(26 * a), 3, int(52 * a) + 1, ACCENT2)
        jog(c, x + 168, y + 152, JOG, 0)                    # jog wheel, frame 0
        knob(c, x + 300 + KNOB / 2, y + 164 + KNOB / 2, KNOB / 2, -2.4)
        c.rect(x + 392, y + 32, 24, 200, (22, 25, 30))      # pitch slider track
        c.rect(x + 403, y + 36, 2, 192, PANEL_EDGE)
        c.text(x + 12, y + 248, "PITCH", TEXT)
        for k, label in enumerate(("PLAY", "CUE")):          # buttons in their off state
            c.rect(x + 12 + 56 * k, y + 316, 48, 32, (58, 66, 76))
            c.frame(x + 12 + 56 * k, y + 316, 48, 32, PANEL_EDGE)
            c.text(x + 21 + 56 * k, y + 329, label, TEXT)
        c.frame(x + 124, y + 320, 28, 28, PANEL_EDGE)        # icons in their off state
        c.disc(x + 138, y + 334, 9, ACCENT2)
        c.frame(x + 160, y + 320, 28, 28, PANEL_EDGE)
        c.line(x + 166, y + 326, x + 182, y + 342, ACCENT2, 3)
    mx, my, mw, mh = MIXER
    c.rect(mx, my, mw, mh, PANEL)
    c.frame(mx, my, mw, mh, PANEL_EDGE)
    for vx in (466, 548):                                   # VU meters (mask sources)
        for k in range(15):
            col = (0, 200, 90) if k > 4 else ((255, 200, 0) if k > 1 else (230, 40, 40))
            c.rect(vx, 120 + k * 10, 10, 8, col)
    c.rect(456, 300, 112, 16, (18, 20, 24))                 # rhythm zone (grey mask source)
    for k in range(8):
        c.rect(458 + k * 14, 303, 10, 10, (90, 90, 90) if k % 4 else (200, 200, 200))
    for vx in (484, 516):                                   # volume faders
        c.rect(vx, 80, 20, 180, (22, 25, 30))
    c.rect(456, 380, 112, 20, (22, 25, 30))                 # crossfader
    bx, by, bw, bh = BROWSER
    c.rect(bx - 2, by - 2, bw + 4, bh + 4, PANEL_EDGE)
    c.rect(bx, by, bw, bh, BROWSER_BG)
    c.rect(bx, by, bw, 20, (36, 40, 48))
    c.text(bx + 8, by + 7, "TITLE", TEXT)
    c.text(bx + 400, by + 7, "ARTIST", TEXT)
    c.text(bx + 800, by + 7, "BPM", TEXT)

    # Sprite area: icon grid, 4 x 4 icons.
    ix, iy = ICONS
    c.rect(ix, iy, 128, 128, (24, 26, 30))
    for k in range(16):
        x, y = ix + (k % 4) * 32, iy + (k // 4) * 32
        c.frame(x + 2, y + 2, 28, 28, PANEL_EDGE)
        colour = (ACCENT, ACCENT2, (0, 200, 90), (230, 40, 40))[k // 4]
        if k % 4 == 0:
            c.disc(x + 16, y + 16, 9, colour)
        elif k % 4 == 1:
            c.rect(x + 8, y + 8, 16, 16, colour)
        elif k % 4 == 2:
            c.line(x + 8, y + 8, x + 24, y + 24, colour, 3)
            c.line(x + 24, y + 8, x + 8, y + 24, colour, 3)
        else:
            c.line(x + 8, y + 24, x + 16, y + 8, colour, 3)
            c.line(x + 16, y + 8, x + 24, y + 24, colour, 3)

    # Button grid: rows off, over and down of 12 buttons of 48 x 32, 56 pixels apart.
    gx, gy = BUTTONS
    c.rect(gx, gy, 612, 168, (24, 26, 30))
    for row, fill in enumerate(((58, 66, 76), (80, 92, 106), ACCENT)):
        for k in range(12):
            x, y = gx + k * 51, gy + row * 56
            c.rect(x, y, 48, 32, fill)
            c.frame(x, y, 48, 32, PANEL_EDGE)
            c.text(x + 9, y + 13, ("PLAY", "CUE", "SYNC", "LOOP")[k % 4], BLACK if row == 2 else TEXT)

    # Round knob frames: 16 angles.
    kx, ky = KNOB_FRAMES
    for k in range(KNOB_NB):
        knob(c, kx + k * KNOB + KNOB / 2, ky + KNOB / 2, KNOB / 2, -2.4 + 4.8 * k / (KNOB_NB - 1))

    # Jog frames: 8 angles, 4 per row.
    jx, jy = JOG_FRAMES
    for k in range(8):
        jog(c, jx + (k % 4) * JOG, jy + (k // 4) * JOG, JOG, 2 * math.pi * k / 8)

    # Slider handles: pitch (32 x 16), volume (28 x 14), crossfader (16 x 28).
    hx, hy = HANDLES
    c.rect(hx, hy, 32, 16, (200, 204, 210))
    c.rect(hx, hy + 7, 32, 2, ACCENT)
    c.rect(hx + 40, hy, 28, 14, (200, 204, 210))
    c.rect(hx + 40, hy + 6, 28, 2, ACCENT2)
    c.rect(hx + 76, hy, 16, 28, (200, 204, 210))
    c.rect(hx + 83, hy, 2, 28, ACCENT)
    return c


def deck_xml(side, x0, y0):
    """The elements of one deck; x0, y0 is the deck's top left on the face."""
    n = side
    return f"""  <deck name="{n}">
    <textzone name="title_{n}">
      <size width="300" height="18"/>
      <pos x="{x0 + 12}" y="{y0 + 4}"/>
      <text font="Liberation Sans" size="13" color="#D8DEE6" align="left" dx="1" dy="1"/>
    </textzone>
    <visual source="waveform_{n}">
      <size width="380" height="60"/>
      <pos x="{x0 + 12}" y="{y0 + 60}"/>
    </visual>
    <custom name="jog_{n}" action="jog_{n}">
      <size width="{JOG}" height="{JOG}"/>
      <pos x="{x0 + 168}" y="{y0 + 152}"/>
      <down x="{JOG_FRAMES[0]}" y="{JOG_FRAMES[1]}" nb="8" nbx="4"/>
    </custom>
    <slider action="gain_{n}" shape="round">
      <size width="{KNOB}" height="{KNOB}"/>
      <pos x="{x0 + 300}" y="{y0 + 164}"/>
      <fader>
        <frames x="{KNOB_FRAMES[0]}" y="{KNOB_FRAMES[1]}" nb="{KNOB_NB}"/>
      </fader>
    </slider>
    <slider action="pitch_{n}" orientation="vertical">
      <size width="24" height="200"/>
      <pos x="{x0 + 392}" y="{y0 + 32}"/>
      <handle x="{HANDLES[0]}" y="{HANDLES[1]}" width="32" height="16"/>
    </slider>
    <button action="play_{n}">
      <size width="48" height="32"/>
      <pos x="{x0 + 12}" y="{y0 + 316}"/>
      <off x="{BUTTONS[0]}" y="{BUTTONS[1]}"/>
      <over x="{BUTTONS[0]}" y="{BUTTONS[1] + 56}"/>
      <down x="{BUTTONS[0]}" y="{BUTTONS[1] + 112}"/>
    </button>
    <button action="cue_{n}">
      <size width="48" height="32"/>
      <pos x="{x0 + 68}" y="{y0 + 316}"/>
      <off x="{BUTTONS[0] + 51}" y="{BUTTONS[1]}"/>
      <over x="{BUTTONS[0] + 51}" y="{BUTTONS[1] + 56}"/>
      <down x="{BUTTONS[0] + 51}" y="{BUTTONS[1] + 112}"/>
    </button>
    <icon><pos x="{x0 + 124}" y="{y0 + 320}"/><off x="{ICONS[0]}" y="{ICONS[1]}"/><over x="{ICONS[0] + 32}" y="{ICONS[1]}"/></icon>
    <icon><pos x="{x0 + 160}" y="{y0 + 320}"/><off x="{ICONS[0] + 64}" y="{ICONS[1] + 32}"/></icon>
    <text name="pitch_label_{n}" x="{x0 + 12}" y="{y0 + 248}" size="11" color="#D8DEE6"/>
  </deck>
"""


def skin_xml():
    bx, by, bw, bh = BROWSER
    left, right = DECKS
    return f"""<?xml version="1.0" encoding="UTF-8"?>
<skin name="Tidewater" version="7" width="{W}" height="{H}" author="malvoren examples">
  <!-- An example skin drawn by make_tidewater.py: two decks, a mixer and a browser. -->
  <window mainwidth="{W}" height="{H}"/>
  <customicons x="{ICONS[0]}" y="{ICONS[1]}"/>
  <custombuttons x="{BUTTONS[0]}" y="{BUTTONS[1]}"/>
  <panel name="topbar">
    <size width="{W}" height="40" resizew="w+diff"/>
    <pos x="0" y="0"/>
  </panel>
  <logo>
    <size width="120" height="24" fixed="center"/>
    <pos x="452" y="8" fixed="center"/>
  </logo>
  <textzone name="clock">
    <size width="72" height="18" fixed="right"/>
    <pos x="940" y="12" fixed="right"/>
    <text font="Liberation Mono" size="12" color="#00BEDC"/>
  </textzone>
{deck_xml("left", left[0], left[1])}{deck_xml("right", right[0], right[1])}  <mixer>
    <visual source="vu_left">
      <size width="10" height="150"/>
      <pos x="466" y="120"/>
      <mask x="+0" y="+0"/>
    </visual>
    <mask source="vu_right" x="548" y="120" width="10" height="150"/>
    <rhythmzone>
      <size width="112" height="16"/>
      <pos x="456" y="300"/>
      <mask x="+0" y="+0"/>
    </rhythmzone>
    <slider action="volume_left" orientation="vertical">
      <size width="20" height="180"/>
      <pos x="484" y="80"/>
      <handle x="{HANDLES[0] + 40}" y="{HANDLES[1]}" width="28" height="14"/>
    </slider>
    <slider action="volume_right" orientation="vertical">
      <size width="20" height="180"/>
      <pos x="516" y="80"/>
      <handle x="{HANDLES[0] + 40}" y="{HANDLES[1]}" width="28" height="14"/>
    </slider>
    <slider action="crossfader" orientation="horizontal">
      <size width="112" height="20"/>
      <pos x="456" y="380"/>
      <handle x="{HANDLES[0] + 76}" y="{HANDLES[1]}" width="16" height="28"/>
    </slider>
  </mixer>
  <browser>
    <size width="{bw}" height="{bh}"/>
    <pos x="{bx}" y="{by}"/>
    <text font="Liberation Sans" size="12" color="#E6E6E6" selected="#FFA000" stripes="#1C2026"/>
  </browser>
</skin>
"""


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    with open(os.path.join(here, "tidewater.xml"), "w", encoding="utf-8", newline="\n") as f:
        f.write(skin_xml())
    with open(os.path.join(here, "tidewater.png"), "wb") as f:
        f.write(draw().png())


if __name__ == "__main__":
    main()
