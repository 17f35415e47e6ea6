#!/usr/bin/env python3
"""Draws Mirel's icons and toolbar bitmaps.

Run from the repository root:

    python3 tools/draw_icons.py

Writes into resources/icons/:
    page_318.ico .. page_349.ico   16x16, 32-bit, category tree icons
    mirel.ico                      16, 32 and 48 pixels, 32-bit, program icon
    toolbar16.bmp                  96x16, 4 bits (VGA palette), key RGB(192,192,192)
    toolbar24.bmp                  96x16, 24 bits, key RGB(255,0,255)

Only the standard library is used: every picture is drawn on a pixel grid
from simple shapes and written out with struct.
"""

import math
import os
import struct
import sys

# ---------------------------------------------------------------------------
# Colours (flat style: dark outline, one fill per part, a lighter highlight)
# ---------------------------------------------------------------------------

OUT = (34, 38, 50)
WHITE = (255, 255, 255)
PAPER = (246, 247, 250)
LGREY = (214, 218, 226)
GREY = (168, 174, 186)
DGREY = (104, 110, 124)
CHIP = (58, 62, 72)
BLUE = (52, 108, 196)
MBLUE = (84, 146, 228)
LBLUE = (136, 186, 240)
SKY = (196, 226, 252)
NAVY = (30, 58, 120)
GREEN = (64, 164, 80)
LGREEN = (128, 210, 120)
DGREEN = (28, 112, 56)
PCB = (44, 136, 82)
LPCB = (96, 182, 122)
GOLD = (226, 180, 56)
YELLOW = (250, 212, 66)
ORANGE = (240, 140, 40)
RED = (214, 62, 54)
TAN = (222, 180, 122)
LTAN = (240, 210, 160)
DTAN = (178, 132, 78)
BROWN = (140, 96, 56)
SKIN = (246, 204, 164)
PURPLE = (140, 92, 196)
LPURPLE = (186, 146, 232)
BEIGE = (232, 228, 212)


# ---------------------------------------------------------------------------
# Canvas and shapes
# ---------------------------------------------------------------------------

class Canvas:
    """An RGBA pixel grid; None is a transparent pixel."""

    def __init__(self, w, h):
        self.w = w
        self.h = h
        self.px = [[None] * w for _ in range(h)]

    def inside(self, x, y):
        return 0 <= x < self.w and 0 <= y < self.h

    def set(self, x, y, c):
        if self.inside(x, y):
            self.px[y][x] = c

    def clear(self, x, y):
        self.set(x, y, None)

    def rect(self, x0, y0, x1, y1, c):
        """Fills the inclusive pixel rectangle."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, c)

    def box(self, x0, y0, x1, y1, fill, outline=OUT):
        """A filled rectangle with a one-pixel border."""
        self.rect(x0, y0, x1, y1, outline)
        if x1 - x0 >= 2 and y1 - y0 >= 2:
            self.rect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, fill)

    def hline(self, x0, x1, y, c):
        self.rect(x0, y, x1, y, c)

    def vline(self, x, y0, y1, c):
        self.rect(x, y0, x, y1, c)

    def line(self, x0, y0, x1, y1, c):
        """Bresenham line between two pixel centres, both ends included."""
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx = 1 if x0 < x1 else -1
        sy = 1 if y0 < y1 else -1
        err = dx + dy
        while True:
            self.set(x0, y0, c)
            if x0 == x1 and y0 == y1:
                break
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def points(self, pts, c):
        for x, y in pts:
            self.set(x, y, c)

    def pattern(self, x0, y0, rows, palette):
        """Small pixel-art: one character per pixel, '.' leaves the pixel."""
        for j, row in enumerate(rows):
            for i, ch in enumerate(row):
                if ch == '.':
                    continue
                self.set(x0 + i, y0 + j, palette[ch])

    def mask(self, pred, scale=1.0):
        """Pixels whose centre satisfies pred, in design units of 1/scale px."""
        m = set()
        for y in range(self.h):
            for x in range(self.w):
                if pred((x + 0.5) / scale, (y + 0.5) / scale):
                    m.add((x, y))
        return m

    def shape(self, pred, fill, outline=OUT, width=1, scale=1.0, clip=None):
        """Fills a shape; its border pixels (width deep) get the outline.

        clip, a second predicate, limits the pixels drawn without moving
        the outline to the clip's edge."""
        m = self.mask(pred, scale)
        near = [(dx, dy) for dx in range(-width, width + 1)
                for dy in range(-width, width + 1)
                if 0 < abs(dx) + abs(dy) <= width]
        keep = m if clip is None else m & self.mask(clip, scale)
        for (x, y) in keep:
            edge = outline is not None and any(
                (x + dx, y + dy) not in m for dx, dy in near)
            if edge:
                self.set(x, y, outline)
            elif fill is not None:
                self.set(x, y, fill)
        return m

    def erase(self, pred, scale=1.0):
        for (x, y) in self.mask(pred, scale):
            self.clear(x, y)

    def blit(self, other, ox, oy):
        for y in range(other.h):
            for x in range(other.w):
                c = other.px[y][x]
                if c is not None:
                    self.set(ox + x, oy + y, c)


# Shape predicates work on pixel-centre coordinates: the pixel (x, y)
# covers [x, x+1) x [y, y+1), so a disc at (8, 8) with radius 8 spans
# the whole 16x16 grid.


def D(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def E(cx, cy, rx, ry):
    return lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0


def P(*pts):
    """Polygon (even-odd rule)."""
    def pred(x, y):
        inside = False
        n = len(pts)
        for i in range(n):
            x0, y0 = pts[i]
            x1, y1 = pts[(i + 1) % n]
            if (y0 > y) != (y1 > y):
                xc = x0 + (y - y0) * (x1 - x0) / (y1 - y0)
                if x < xc:
                    inside = not inside
        return inside
    return pred


def C(x0, y0, x1, y1, r):
    """Capsule: all points within r of the segment."""
    def pred(x, y):
        vx, vy = x1 - x0, y1 - y0
        ll = vx * vx + vy * vy
        t = 0.0 if ll == 0 else max(0.0, min(1.0, ((x - x0) * vx + (y - y0) * vy) / ll))
        px, py = x0 + t * vx, y0 + t * vy
        return (x - px) ** 2 + (y - py) ** 2 <= r * r
    return pred


def union(*ps):
    return lambda x, y: any(p(x, y) for p in ps)


def minus(a, *bs):
    return lambda x, y: a(x, y) and not any(b(x, y) for b in bs)


def both(a, b):
    return lambda x, y: a(x, y) and b(x, y)


def Rc(x0, y0, x1, y1):
    """Rectangle [x0, x1) x [y0, y1); Rc(0, 0, 16, 16) covers a whole 16x16 grid."""
    return lambda x, y: x0 <= x < x1 and y0 <= y < y1


# ---------------------------------------------------------------------------
# Parts shared by several icons
# ---------------------------------------------------------------------------

def pixel_magnifier(cv, x0, y0, glass=SKY):
    """A 9x9 magnifier for 16-pixel pictures: 7-pixel lens, handle to the lower right."""
    cv.shape(D(x0 + 3.5, y0 + 3.5, 3.6), glass)
    cv.set(x0 + 2, y0 + 2, WHITE)
    cv.set(x0 + 2, y0 + 3, WHITE)
    cv.set(x0 + 3, y0 + 2, WHITE)
    cv.points([(x0 + 6, y0 + 6), (x0 + 7, y0 + 6), (x0 + 6, y0 + 7), (x0 + 7, y0 + 7),
               (x0 + 8, y0 + 7), (x0 + 7, y0 + 8), (x0 + 8, y0 + 8)], OUT)
    cv.set(x0 + 7, y0 + 7, BROWN)


def monitor(cv, x0, y0, x1, y1, screen=BLUE, bezel=LGREY, stand=True):
    """Monitor frame x0..x1, y0..y1 with a one-pixel bezel and a small foot."""
    cv.box(x0, y0, x1, y1, bezel)
    cv.rect(x0 + 2, y0 + 2, x1 - 2, y1 - 2, screen)
    if stand:
        mx = (x0 + x1) // 2
        cv.set(mx - 1, y1 + 1, OUT)
        cv.set(mx, y1 + 1, GREY)
        cv.set(mx + 1, y1 + 1, GREY)
        cv.set(mx + 2, y1 + 1, OUT)
        cv.box(mx - 3, y1 + 2, mx + 4, y1 + 4, GREY)


def screen_glare(cv, x0, y0, n, c=MBLUE):
    """A short diagonal highlight on a screen, from the upper left."""
    for i in range(n):
        cv.set(x0 + i, y0 + n - 1 - i, c)


def window(cv, x0, y0, x1, y1, body=PAPER, title=BLUE):
    """A window: frame, two-row title bar with a close box, body."""
    cv.box(x0, y0, x1, y1, body)
    cv.rect(x0 + 1, y0 + 1, x1 - 1, y0 + 2, title)
    cv.hline(x0 + 1, x1 - 1, y0 + 3, OUT)
    cv.set(x1 - 2, y0 + 1, WHITE)
    cv.set(x1 - 2, y0 + 2, WHITE)
    cv.set(x1 - 3, y0 + 1, WHITE)
    cv.set(x1 - 3, y0 + 2, WHITE)


SMALL_GEAR = [
    "....OOO....",
    ".OO.OFO.OO.",
    ".OFOFFFOFO.",
    "..OFFFFFO..",
    "OOFFOOOFFOO",
    "OFFFOWOFFFO",
    "OOFFOOOFFOO",
    "..OFFFFFO..",
    ".OFOFFFOFO.",
    ".OO.OFO.OO.",
    "....OOO....",
]


TINY_GEAR = [
    "...OOO...",
    ".OOOFOOO.",
    ".OFFFFFO.",
    "OOFFOFFOO",
    "OFFOWOFFO",
    "OOFFOFFOO",
    ".OFFFFFO.",
    ".OOOFOOO.",
    "...OOO...",
]


def small_gear(cv, x0, y0, fill=GREY):
    """An 11x11 gear with its top left corner at (x0, y0)."""
    cv.pattern(x0, y0, SMALL_GEAR, {'O': OUT, 'F': fill, 'W': WHITE})


def expansion_card(cv, pcb=PCB):
    """An expansion card seen from the side: bracket left, gold fingers below."""
    cv.box(2, 2, 15, 12, pcb)
    cv.box(0, 0, 2, 15, LGREY)          # metal bracket
    cv.set(1, 14, GREY)
    for x in range(5, 14):              # edge connector
        cv.set(x, 13, GOLD if x % 2 else DTAN)
    cv.hline(5, 13, 14, OUT)
    cv.set(4, 13, OUT)
    cv.set(14, 13, OUT)


def person(cv, cx, top, shirt, shirt_light, hair=BROWN):
    """A head-and-shoulders figure, centre column cx, head top at 'top'."""
    body = both(E(cx, top + 12.5, 6.0, 6.2), lambda x, y: y < top + 12.5 + 3.5)
    cv.shape(body, shirt)
    cv.shape(both(E(cx - 1.5, top + 10.5, 2.0, 1.4), body), shirt_light, None)
    cv.shape(D(cx, top + 3.8, 3.6), SKIN)
    cv.shape(both(D(cx, top + 3.8, 3.6), lambda x, y: y < top + 2.4), hair)


def globe(cv, cx, cy, r):
    cv.shape(D(cx, cy, r), MBLUE)
    inner = D(cx, cy, r - 0.8)
    meridian = lambda x, y: abs(((x - cx) / (r * 0.48)) ** 2 + ((y - cy) / r) ** 2 - 1.0) < 0.22
    lines = lambda x, y: abs(x - cx) < 0.5 or abs(y - cy) < 0.5 or meridian(x, y)
    cv.shape(both(inner, lines), SKY, None)


def cd_disc(cv, cx, cy, r):
    cv.shape(D(cx, cy, r), LGREY)
    ring = lambda lo, hi: lambda x, y: lo <= math.hypot(x - cx, y - cy) <= hi
    # rainbow sheen in two opposite wedges
    wedge = lambda a0, a1: lambda x, y: a0 <= math.degrees(math.atan2(y - cy, x - cx)) <= a1
    sheen = both(ring(r * 0.35, r - 1.2), union(wedge(-150, -100), wedge(30, 80)))
    cv.shape(sheen, SKY, None)
    sheen2 = both(ring(r * 0.35, r - 1.2), union(wedge(-100, -70), wedge(80, 110)))
    cv.shape(sheen2, (250, 214, 230), None)
    cv.shape(D(cx, cy, 2.6), WHITE)
    cv.erase(D(cx, cy, 1.5))


def hard_disk_slab(cv, y0):
    """A drive seen slightly from above: light top, darker front, green LED."""
    cv.shape(P((0, y0 + 3), (3, y0), (16, y0), (16, y0 + 7), (0, y0 + 7)), GREY)
    cv.shape(P((1.5, y0 + 3), (3.5, y0 + 1), (15, y0 + 1), (15, y0 + 3)), LGREY, None)
    cv.hline(1, 14, y0 + 3, OUT)
    cv.rect(12, y0 + 5, 13, y0 + 5, LGREEN)
    cv.hline(2, 8, y0 + 5, DGREY)


# ---------------------------------------------------------------------------
# Tree icons, 16x16
# ---------------------------------------------------------------------------

def icon_318(cv):          # root: a computer being inspected
    monitor(cv, 0, 0, 13, 9, stand=False)
    for y in (3, 5, 7):
        cv.set(3, y, WHITE)
        cv.hline(5, 9 if y != 5 else 7, y, SKY)
    cv.rect(4, 10, 7, 10, OUT)
    cv.box(2, 11, 8, 13, GREY)
    pixel_magnifier(cv, 7, 7)


def icon_319(cv):          # software: a program window showing </>
    window(cv, 0, 1, 15, 14)
    left = [(5, 6), (4, 7), (3, 8), (2, 9), (3, 10), (4, 11), (5, 12)]
    for x, y in left:
        cv.rect(x, y, x + 1, y, GREEN)          # <
        cv.rect(14 - x, y, 15 - x, y, GREEN)    # >
    cv.points([(9, 6), (9, 7), (8, 8), (8, 9), (7, 10), (7, 11), (6, 12)], OUT)


def icon_320(cv):          # hardware: a chip on circuit traces
    for y in (4, 7, 10):
        cv.hline(0, 15, y + 1, DGREEN)
    for x in (4, 7, 10):
        cv.vline(x + 1, 0, 15, DGREEN)
    for (x, y) in [(0, 5), (15, 5), (0, 8), (15, 11), (0, 11), (15, 8),
                   (5, 0), (8, 0), (11, 0), (5, 15), (8, 15), (11, 15)]:
        cv.set(x, y, GOLD)
    cv.box(3, 3, 12, 12, CHIP)
    cv.rect(4, 4, 11, 11, CHIP)
    cv.rect(5, 5, 10, 10, DGREY)
    cv.rect(6, 6, 9, 9, CHIP)
    cv.set(4, 4, GREY)


def icon_321(cv):          # operating system: a window with four panes
    window(cv, 0, 1, 14, 14, body=LGREY)
    cv.rect(2, 6, 6, 8, RED)
    cv.rect(8, 6, 12, 8, GREEN)
    cv.rect(2, 10, 6, 12, MBLUE)
    cv.rect(8, 10, 12, 12, YELLOW)


def icon_322(cv):          # CD-ROM drive: a disc
    cd_disc(cv, 8, 8, 7.6)


def icon_323(cv):          # IDE controller: connector with a ribbon cable
    # ribbon
    cv.box(2, 6, 13, 15, LGREY)
    for x in range(4, 13, 2):
        cv.vline(x, 7, 14, GREY)
    cv.vline(3, 7, 14, RED)
    cv.erase(lambda x, y: y > 14 and x > 7)   # the ribbon's cut end
    cv.set(8, 15, OUT)
    cv.hline(8, 12, 14, OUT)
    cv.set(13, 14, None)
    # connector
    cv.box(0, 1, 15, 7, CHIP)
    cv.rect(6, 1, 9, 1, None)
    cv.hline(6, 9, 2, OUT)
    for x in range(2, 14, 2):
        cv.set(x, 3, GOLD)
        cv.set(x + 1, 5, GOLD)


def icon_324(cv):          # BIOS: a ROM chip with a "B" label
    for x in range(2, 14, 2):
        cv.rect(x, 1, x, 2, GREY)
        cv.rect(x, 13, x, 14, GREY)
        cv.set(x, 1, DGREY)
        cv.set(x, 14, DGREY)
    cv.box(0, 3, 15, 12, CHIP)
    cv.rect(0, 7, 1, 8, OUT)      # orientation notch
    cv.rect(4, 4, 11, 10, YELLOW)
    cv.pattern(6, 5, [
        "###.",
        "#..#",
        "###.",
        "#..#",
        "###.",
    ], {'#': OUT})


def icon_325(cv):          # SCSI controller: card with a wide D connector
    expansion_card(cv, PCB)
    cv.shape(P((3, 2), (16, 2), (14.5, 10), (4.5, 10)), LGREY)
    cv.shape(P((5, 4), (14, 4), (13, 8), (6, 8)), CHIP, None)
    for x in range(6, 14, 2):
        cv.set(x, 5, GOLD)
    for x in range(7, 13, 2):
        cv.set(x, 7, GOLD)


def icon_326(cv):          # USB controller: the trident symbol
    cv.pattern(0, 0, [
        ".......##.......",
        "......####......",
        ".....######.....",
        ".......##.......",
        ".......##...###.",
        "..##...##...###.",
        ".####..##...###.",
        ".####..##....#..",
        "..##...##....#..",
        "..##...##...##..",
        "...##..##..##...",
        "....#####.##....",
        ".....######.....",
        "......####......",
        ".....######.....",
        ".....######.....",
    ], {'#': NAVY})
    cv.shape(D(8, 13.7, 2.6), MBLUE, NAVY)


def icon_327(cv):          # keyboard
    cv.line(8, 0, 8, 1, OUT)
    cv.line(9, 2, 9, 3, OUT)
    cv.box(0, 4, 15, 13, LGREY)
    for y in (6, 8):
        for x in range(2, 14, 2):
            cv.set(x, y, DGREY)
            cv.set(x + 1, y, WHITE)
    for x in range(3, 14, 2):
        cv.set(x, 10, DGREY)
    cv.hline(4, 11, 11, DGREY)
    cv.set(2, 10, DGREY)
    cv.hline(1, 14, 12, GREY)


def icon_328(cv):          # computer system: desktop case with monitor
    monitor(cv, 1, 0, 14, 8, stand=False)
    screen_glare(cv, 3, 2, 3)
    cv.rect(6, 9, 9, 9, OUT)
    cv.box(0, 10, 15, 15, BEIGE)
    cv.hline(2, 7, 12, DGREY)
    cv.hline(2, 7, 13, GREY)
    cv.set(12, 12, LGREEN)
    cv.set(13, 12, LGREEN)


def icon_329(cv):          # system enclosure: tower case
    cv.box(3, 0, 12, 15, BEIGE)
    cv.vline(11, 1, 14, GREY)                  # side shading
    cv.box(5, 2, 10, 4, LGREY)                 # drive bays
    cv.box(5, 4, 10, 6, LGREY)
    cv.hline(6, 8, 8, DGREY)                   # floppy slot
    cv.shape(D(8, 11.5, 1.6), LGREEN)          # power button
    cv.hline(5, 10, 14, GREY)


def icon_330(cv):          # tape drive: a tape cassette
    cv.box(0, 2, 15, 13, DGREY)
    cv.box(1, 3, 14, 10, LTAN)
    cv.hline(2, 13, 4, ORANGE)
    cv.rect(4, 6, 11, 8, BROWN)                 # wound tape in the window
    cv.hline(4, 11, 5, OUT)
    cv.hline(4, 11, 9, OUT)
    for cx in (4.5, 11.5):
        cv.shape(D(cx, 7.5, 2.2), WHITE)
        cv.rect(int(cx), 7, int(cx), 7, CHIP)
    cv.shape(P((3, 14), (4.5, 10.5), (11.5, 10.5), (13, 14)), GREY)
    cv.set(5, 12, OUT)
    cv.set(10, 12, OUT)


def icon_331(cv):          # disk drive: hard disk seen from above
    cv.box(1, 0, 14, 15, GREY)
    for (x, y) in [(2, 1), (13, 1), (2, 14), (13, 14)]:
        cv.set(x, y, DGREY)
    cv.shape(D(7.5, 7.0, 5.6), LGREY)
    cv.points([(4, 5), (4, 4), (5, 3), (6, 3), (4, 6)], WHITE)
    cv.shape(D(7.5, 7.0, 1.6), DGREY)
    cv.shape(C(12.0, 13.0, 8.6, 8.6, 0.9), CHIP, None)
    cv.shape(D(12.0, 13.0, 1.7), DGREY)


def icon_332(cv):          # disk partition: a pie with one slice pulled out
    cx, cy = 7.5, 8.5
    ang = lambda ox, oy: lambda x, y: math.degrees(math.atan2(y - cy - oy, x - cx - ox))
    a0 = ang(0, 0)
    main = minus(D(cx, cy, 6.9), lambda x, y: -90 <= a0(x, y) <= 0)
    cv.shape(main, MBLUE)
    a1 = ang(1.5, -1.5)
    cv.shape(both(D(cx + 1.5, cy - 1.5, 6.9), lambda x, y: -90 <= a1(x, y) <= 0), ORANGE)


def icon_333(cv):          # desktop monitor
    cv.box(0, 0, 15, 11, CHIP)
    cv.box(1, 1, 14, 10, MBLUE)
    cv.rect(2, 2, 13, 9, MBLUE)
    cv.shape(P((2, 2), (9, 2), (2, 8)), LBLUE, None)
    cv.set(13, 10, LGREEN)
    cv.rect(6, 12, 9, 12, OUT)
    cv.rect(7, 12, 8, 12, GREY)
    cv.box(3, 13, 12, 15, GREY)


def rj45_port(cv, x0, y0):
    """An RJ45 socket, 9x8 pixels, top left at (x0, y0)."""
    cv.box(x0, y0, x0 + 8, y0 + 7, LGREY)
    cv.rect(x0 + 2, y0 + 2, x0 + 6, y0 + 5, OUT)
    for x in range(x0 + 2, x0 + 7, 2):
        cv.set(x, y0 + 2, GOLD)
    cv.rect(x0 + 3, y0 + 6, x0 + 5, y0 + 6, OUT)   # latch notch


def icon_334(cv):          # network adapter: card with an RJ45 socket
    expansion_card(cv, PCB)
    rj45_port(cv, 6, 3)
    cv.set(4, 4, LGREEN)
    cv.set(4, 6, ORANGE)


def icon_335(cv):          # network adapter configuration: card with a gear
    expansion_card(cv, PCB)
    rj45_port(cv, 4, 3)
    small_gear(cv, 5, 5, GOLD)


def icon_336(cv):          # video controller: a graphics card with a fan
    expansion_card(cv, (70, 74, 86))
    cv.hline(3, 14, 11, RED)
    cv.shape(D(8.5, 6.5, 4.7), DGREY)
    fan = lambda x, y: ((math.degrees(math.atan2(y - 6.5, x - 8.5)) +
                         25 * math.hypot(x - 8.5, y - 6.5)) % 90) < 45
    cv.shape(both(D(8.5, 6.5, 3.7), fan), LGREY, None)
    cv.shape(D(8.5, 6.5, 1.2), CHIP, None)


def icon_337(cv):          # processor: square chip with pins on four sides
    for i in (4, 6, 9, 11):
        cv.rect(i, 0, i, 2, GOLD)
        cv.rect(i, 13, i, 15, GOLD)
        cv.rect(0, i, 2, i, GOLD)
        cv.rect(13, i, 15, i, GOLD)
    cv.box(2, 2, 13, 13, LGREY)
    cv.box(5, 5, 10, 10, MBLUE)
    cv.rect(6, 6, 7, 7, LBLUE)
    cv.set(3, 3, DGREY)


def icon_338(cv):          # pointing device: a mouse with its cable
    cv.points([(11, 0), (11, 1), (10, 2), (9, 3), (8, 3)], OUT)
    body = E(8.0, 10.0, 4.8, 6.0)
    cv.shape(body, PAPER)
    cv.shape(both(body, lambda x, y: y < 9 and x < 8), MBLUE)
    cv.shape(both(body, lambda x, y: y < 9 and x >= 8), LGREY)
    cv.hline(4, 11, 8, OUT)
    cv.vline(8, 4, 8, OUT)
    cv.shape(E(8.0, 10.0, 4.8, 6.0), None, OUT)


def icon_339(cv):          # motherboard: green board with chips and slots
    cv.box(0, 0, 15, 15, PCB)
    cv.box(2, 2, 7, 7, LGREY)                  # processor socket
    cv.rect(4, 4, 5, 5, DGREY)
    for x in (9, 12):                          # memory slots
        cv.box(x, 1, x + 1, 8, CHIP)
        cv.vline(x + 1, 2, 7, LGREY)
    for y in (10, 13):                         # expansion slots
        cv.hline(2, 10, y, WHITE)
        cv.hline(2, 10, y + 1, OUT)
    cv.box(12, 10, 14, 14, CHIP)               # chipset
    cv.set(1, 9, GOLD)
    cv.set(14, 9, GOLD)


def icon_340(cv):          # physical memory: a RAM module
    cv.box(0, 3, 15, 12, PCB)
    for x in (2, 5, 9, 12):
        cv.rect(x, 5, x + 1, 8, CHIP)
    cv.hline(1, 14, 10, LPCB)
    for x in range(1, 15):
        cv.set(x, 11, GOLD if x % 2 else DTAN)
    cv.set(7, 12, None)
    cv.set(8, 12, None)
    cv.set(7, 11, OUT)
    cv.set(8, 11, OUT)


def icon_341(cv):          # logical disk: a drive with a letter badge
    hard_disk_slab(cv, 7)
    cv.shape(D(5.0, 4.8, 4.6), MBLUE)
    cv.pattern(3, 2, [
        ".###",
        "#...",
        "#...",
        "#...",
        ".###",
    ], {'#': WHITE})


def icon_342(cv):          # operating system: a window with a gear
    window(cv, 0, 0, 13, 12)
    cv.hline(2, 8, 6, GREY)
    cv.hline(2, 6, 8, GREY)
    small_gear(cv, 5, 5, GREY)


def icon_343(cv):          # service: two gears in mesh
    small_gear(cv, 0, 0, GREY)
    cv.pattern(7, 7, TINY_GEAR, {'O': OUT, 'F': GOLD, 'W': WHITE})


def icon_344(cv):          # user account: a person
    person(cv, 8.0, 0.5, MBLUE, LBLUE)


def icon_345(cv):          # group: two persons
    person(cv, 10.5, 0.0, GREEN, LGREEN, hair=CHIP)
    person(cv, 5.5, 2.0, MBLUE, LBLUE)


def icon_346(cv):          # product: an installer box
    silhouette = P((0, 5), (3, 2), (16, 2), (16, 13), (13, 16), (0, 16))
    top = P((0, 5.5), (3, 2.5), (16, 2.5), (13, 5.5))
    front = Rc(0, 5, 13, 16)
    side = P((13, 5.5), (16, 2.5), (16, 16), (13, 16))
    cv.shape(both(silhouette, top), LTAN, None)
    cv.shape(both(silhouette, front), TAN, None)
    cv.shape(both(silhouette, side), DTAN, None)
    cv.shape(silhouette, None, OUT)
    cv.hline(1, 12, 5, OUT)
    cv.vline(13, 6, 15, OUT)
    cv.line(13, 5, 15, 3, OUT)
    cv.vline(7, 3, 4, BROWN)                     # tape over the lid
    cv.vline(8, 3, 4, BROWN)
    cv.rect(2, 7, 11, 13, MBLUE)                 # printed label with a disc
    cv.shape(D(6.5, 10.5, 2.6), LGREY)
    cv.set(6, 10, MBLUE)


def icon_347(cv):          # software feature: a puzzle piece
    cv.pattern(0, 0, [
        ".....OOOO.......",
        "....OLLPPO......",
        "....OLPPPO......",
        ".....OPPO.......",
        ".OOOOOPPOOOOO...",
        ".OLLLLPPPPPPO...",
        ".OLPPPPPPPPPOOO.",
        ".OOOPPPPPPPPOPPO",
        "...OPPPPPPPPPPPO",
        "...OPPPPPPPPPPPO",
        ".OOOPPPPPPPPOPPO",
        ".OPPPPPPPPPPOOO.",
        ".OPPPOOOOPPPO...",
        ".OPPPO..OPPPO...",
        ".OOOOO..OOOOO...",
    ], {'O': OUT, 'P': PURPLE, 'L': LPURPLE})


def icon_348(cv):          # network client: a computer on the network
    monitor(cv, 0, 0, 11, 8, stand=False)
    screen_glare(cv, 2, 2, 3)
    cv.rect(4, 9, 7, 9, OUT)
    cv.box(1, 10, 9, 12, GREY)
    globe(cv, 11.4, 11.4, 4.6)


def icon_349(cv):          # quick fix engineering: a bandage
    cx, cy = 7.5, 8.5

    def uv(x, y):
        return ((x - cx) - (y - cy)) / math.sqrt(2), ((x - cx) + (y - cy)) / math.sqrt(2)

    strip = lambda x, y: (abs(uv(x, y)[0]) <= 6.0 and abs(uv(x, y)[1]) <= 2.7) or \
        any(math.hypot(uv(x, y)[0] - s * 6.0, uv(x, y)[1]) <= 2.7 for s in (-1, 1))
    cv.shape(strip, TAN)
    cv.shape(both(strip, lambda x, y: abs(uv(x, y)[0]) <= 2.2), LTAN)
    for u in (-4.6, 4.6):
        for v in (-0.9, 0.9):
            px = cx + (u + v) / math.sqrt(2)
            py = cy + (v - u) / math.sqrt(2)
            cv.set(int(px), int(py), DTAN)


PAGE_ICONS = {n: globals()['icon_%d' % n] for n in range(318, 350)}


# ---------------------------------------------------------------------------
# Program icon: a monitor whose screen shows a magnifier over a chip
# ---------------------------------------------------------------------------

def mirel_small(cv):
    monitor(cv, 0, 0, 15, 11, screen=NAVY)
    for i in (4, 6):                           # chip with two pins a side
        cv.set(i, 2, GOLD)
        cv.set(i, 8, GOLD)
        cv.set(2, i, GOLD)
        cv.set(8, i, GOLD)
    cv.box(3, 3, 7, 7, CHIP)
    cv.set(5, 5, DGREY)
    pixel_magnifier(cv, 7, 7)


def mirel_large(size):
    """Designed on a 16-unit grid and sampled at the target size."""
    cv = Canvas(size, size)
    k = size / 16.0
    w = 1 if size < 40 else 2

    def sh(pred, fill, outline=OUT, clip=None):
        cv.shape(pred, fill, outline, width=w, scale=k, clip=clip)

    # monitor
    sh(Rc(0.2, 0.6, 15.8, 11.8), LGREY)
    sh(Rc(1.3, 1.7, 14.7, 10.7), NAVY)
    sh(P((1.3, 1.7), (6.5, 1.7), (1.3, 6.0)), (40, 74, 146), None)
    sh(Rc(6.3, 11.5, 9.7, 13.4), GREY)
    sh(Rc(3.5, 13.1, 12.5, 15.7), GREY)
    sh(Rc(4.3, 13.9, 9.0, 14.5), LGREY, None)

    def chip(zoom=1.0, zx=0.0, zy=0.0, clip=None):
        """The chip on the screen, drawn 'zoom' times larger about (zx, zy)."""
        def at(pred):
            return lambda x, y: pred(zx + (x - zx) / zoom, zy + (y - zy) / zoom)
        cx, cy, half = 6.6, 6.2, 2.8
        for o in (-1.6, 0.0, 1.6):
            t = o - 0.35
            for pin in (Rc(cx + t, cy - half - 1.0, cx + t + 0.7, cy),
                        Rc(cx + t, cy, cx + t + 0.7, cy + half + 1.0),
                        Rc(cx - half - 1.0, cy + t, cx, cy + t + 0.7),
                        Rc(cx, cy + t, cx + half + 1.0, cy + t + 0.7)):
                sh(at(pin), GOLD, None, clip)
        sh(at(Rc(cx - half, cy - half, cx + half, cy + half)), CHIP, OUT, clip)
        sh(at(Rc(cx - 1.4, cy - 1.4, cx + 1.4, cy + 1.4)), DGREY, None, clip)
        sh(at(D(cx - 1.9, cy - 1.9, 0.4)), GREY, None, clip)

    chip()

    # magnifier over the chip's corner: the lens shows it twice as large
    lx, ly, r = 9.4, 8.4, 3.9
    ang = math.atan2(15.3 - ly, 15.3 - lx)
    sx, sy = lx + math.cos(ang) * (r - 0.4), ly + math.sin(ang) * (r - 0.4)
    sh(C(sx, sy, 15.3, 15.3, 1.15), BROWN)
    sh(D(lx, ly, r), (64, 110, 196))
    chip(2.0, lx, ly, clip=D(lx, ly, r - 0.3))
    sh(D(lx, ly, r), None)
    sh(D(lx, ly, r - 0.6 * w / k - 0.3), None, (150, 196, 244))
    sh(P((lx - 2.6, ly - 1.0), (lx - 1.0, ly - 2.6), (lx - 0.3, ly - 2.2),
         (lx - 2.2, ly - 0.3)), (210, 232, 252), None, clip=D(lx, ly, r - 0.5))
    return cv


# ---------------------------------------------------------------------------
# Toolbar images (drawn once per colour set)
# ---------------------------------------------------------------------------

TB16 = {
    'out': (0, 0, 0), 'disk': (0, 0, 128), 'metal': (128, 128, 128),
    'slot': (0, 0, 0), 'label': (255, 255, 255), 'text': (0, 0, 0),
    'grid': (0, 128, 128), 'head': (0, 255, 0), 'page': (255, 255, 255),
    'line': (128, 128, 128), 'board': (128, 128, 0), 'clip': (128, 128, 128),
    'glass': (0, 255, 255), 'glint': (255, 255, 255), 'handle': (128, 0, 0),
    'info': (0, 0, 255), 'info_out': (0, 0, 128), 'white': (255, 255, 255),
    'page2': (255, 255, 255),
}

TB24 = {
    'out': OUT, 'disk': (60, 98, 182), 'metal': (206, 212, 222),
    'slot': (80, 88, 104), 'label': WHITE, 'text': (70, 76, 92),
    'grid': (52, 126, 92), 'head': (120, 200, 130), 'page': WHITE,
    'line': (120, 146, 196), 'board': (176, 120, 62), 'clip': (196, 202, 214),
    'glass': (190, 226, 252), 'glint': WHITE, 'handle': (120, 82, 50),
    'info': (42, 112, 214), 'info_out': (22, 56, 128), 'white': WHITE,
    'page2': (236, 240, 248),
}


def tb_floppy(cv, c, mark):
    cv.box(1, 1, 14, 14, c['disk'], c['out'])
    cv.set(14, 1, None)
    cv.set(13, 2, c['out'])
    cv.box(3, 1, 12, 9, c['label'], c['out'])
    if mark == 'text':
        cv.hline(5, 10, 3, c['text'])
        cv.hline(5, 8, 5, c['text'])
        cv.hline(5, 9, 7, c['text'])
    else:
        cv.rect(4, 2, 11, 3, c['head'])
        for y in (4, 6, 8):
            cv.hline(4, 11, y, c['grid'])
        for x in (6, 9):
            cv.vline(x, 2, 8, c['grid'])
    cv.box(4, 11, 11, 14, c['metal'], c['out'])
    cv.rect(9, 12, 10, 13, c['slot'])


def tb_page(cv, c, x0, y0, x1, y1, fill):
    cv.box(x0, y0, x1, y1, fill, c['out'])
    for y in range(y0 + 2, y1 - 1, 2):
        cv.hline(x0 + 2, x1 - 2 - (1 if (y // 2) % 2 else 0), y, c['line'])


def tb_copy(cv, c):
    tb_page(cv, c, 1, 1, 9, 11, c['page2'])
    tb_page(cv, c, 6, 5, 14, 15, c['page'])


def tb_paste(cv, c):
    cv.box(1, 2, 11, 14, c['board'], c['out'])
    cv.box(4, 1, 8, 4, c['clip'], c['out'])
    cv.hline(5, 7, 2, c['out'])
    tb_page(cv, c, 6, 6, 14, 15, c['page'])


def tb_find(cv, c):
    cv.shape(C(10.2, 10.2, 14.4, 14.4, 1.5), c['handle'], c['out'])
    cv.shape(D(6.5, 6.5, 5.6), c['glass'], c['out'])
    cv.shape(D(6.5, 6.5, 4.6), None, c['out'])
    cv.points([(4, 4), (5, 3), (3, 5)], c['glint'])


def tb_about(cv, c):
    cv.shape(D(8, 8, 7.6), c['info'], c['info_out'])
    cv.rect(7, 3, 8, 4, c['white'])
    cv.rect(7, 6, 8, 11, c['white'])
    cv.set(6, 6, c['white'])
    cv.hline(6, 9, 12, c['white'])


TOOLBAR = [
    lambda cv, c: tb_floppy(cv, c, 'text'),
    lambda cv, c: tb_floppy(cv, c, 'csv'),
    tb_copy,
    tb_paste,
    tb_find,
    tb_about,
]


def draw_toolbar(colours):
    strip = Canvas(16 * len(TOOLBAR), 16)
    for i, fn in enumerate(TOOLBAR):
        cv = Canvas(16, 16)
        fn(cv, colours)
        strip.blit(cv, 16 * i, 0)
    return strip


# ---------------------------------------------------------------------------
# File writers
# ---------------------------------------------------------------------------

VGA = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


def rgba(c):
    if c is None:
        return (0, 0, 0, 0)
    return c if len(c) == 4 else (c[0], c[1], c[2], 255)


def ico_image(cv):
    """One icon image: BITMAPINFOHEADER, 32-bit BGRA rows, AND mask."""
    w, h = cv.w, cv.h
    xor = bytearray()
    for y in range(h - 1, -1, -1):
        for x in range(w):
            r, g, b, a = rgba(cv.px[y][x])
            if a == 0:
                r = g = b = 0
            xor += bytes((b, g, r, a))
    stride = ((w + 31) // 32) * 4
    andm = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray(stride)
        for x in range(w):
            if rgba(cv.px[y][x])[3] == 0:
                row[x // 8] |= 0x80 >> (x % 8)
        andm += row
    hdr = struct.pack('<IiiHHIIiiII', 40, w, h * 2, 1, 32, 0,
                      len(xor) + len(andm), 0, 0, 0, 0)
    return hdr + bytes(xor) + bytes(andm)


def write_ico(path, canvases):
    images = [ico_image(cv) for cv in canvases]
    out = bytearray(struct.pack('<HHH', 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for cv, img in zip(canvases, images):
        out += struct.pack('<BBBBHHII', cv.w % 256, cv.h % 256, 0, 0, 1, 32,
                           len(img), offset)
        offset += len(img)
    for img in images:
        out += img
    with open(path, 'wb') as f:
        f.write(out)


def bmp_headers(w, h, bpp, palette_entries, data_len):
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, bpp, 0, data_len,
                       2835, 2835, palette_entries, 0)
    off = 14 + 40 + 4 * palette_entries
    fileh = struct.pack('<2sIHHI', b'BM', off + data_len, 0, 0, off)
    return fileh + info


def nearest_vga(c):
    """Nearest palette index; grey 7 is reserved for the transparent key."""
    best, idx = None, 0
    for i, p in enumerate(VGA):
        if i == 7:
            continue
        d = sum((a - b) ** 2 for a, b in zip(c, p))
        if best is None or d < best:
            best, idx = d, i
    return idx


def write_bmp4(path, cv, key_index=7):
    stride = ((cv.w * 4 + 31) // 32) * 4
    data = bytearray()
    for y in range(cv.h - 1, -1, -1):
        row = bytearray(stride)
        for x in range(cv.w):
            c = cv.px[y][x]
            i = key_index if c is None else nearest_vga(c[:3])
            row[x // 2] |= (i << 4) if x % 2 == 0 else i
        data += row
    pal = b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in VGA)
    with open(path, 'wb') as f:
        f.write(bmp_headers(cv.w, cv.h, 4, 16, len(data)) + pal + bytes(data))


def write_bmp24(path, cv, key=(255, 0, 255)):
    stride = ((cv.w * 24 + 31) // 32) * 4
    data = bytearray()
    for y in range(cv.h - 1, -1, -1):
        row = bytearray()
        for x in range(cv.w):
            c = cv.px[y][x]
            r, g, b = key if c is None else c[:3]
            if c is not None and (r, g, b) == key:
                g = 1          # never let a drawn pixel turn transparent
            row += bytes((b, g, r))
        row += bytes(stride - len(row))
        data += row
    with open(path, 'wb') as f:
        f.write(bmp_headers(cv.w, cv.h, 24, 0, len(data)) + bytes(data))


# ---------------------------------------------------------------------------

def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    outdir = os.path.join(root, 'resources', 'icons')
    os.makedirs(outdir, exist_ok=True)

    for n, fn in sorted(PAGE_ICONS.items()):
        cv = Canvas(16, 16)
        fn(cv)
        write_ico(os.path.join(outdir, 'page_%d.ico' % n), [cv])

    small = Canvas(16, 16)
    mirel_small(small)
    write_ico(os.path.join(outdir, 'mirel.ico'),
              [small, mirel_large(32), mirel_large(48)])

    write_bmp4(os.path.join(outdir, 'toolbar16.bmp'), draw_toolbar(TB16))
    write_bmp24(os.path.join(outdir, 'toolbar24.bmp'), draw_toolbar(TB24))
    print('wrote %d files to %s' % (len(PAGE_ICONS) + 3, outdir))
    return 0


if __name__ == '__main__':
    sys.exit(main())
