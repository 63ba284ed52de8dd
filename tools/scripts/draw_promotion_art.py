#!/usr/bin/env python3
"""Draws the pictures of the promotion screen ("more games"): our own
made-up titles from the studio, the studio's header and signboard, the list
icons, the page arrows and the back key, as SVG in content/promotion.

The screen paints its pages on white and places these pictures by their
sizes, so the sizes here are part of the layout: a product poster leaves a
calm band across its middle for the link button the screen lays over it,
the banner's window lets the screen's sunset gradient show through behind
the title, and the signboard hangs from the cord the screen draws 20 px
right of the centre. Colours and line weights follow content/STYLE.md. Run
from the repository root; it rewrites the files it owns and nothing else.
"""
import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from draw_interface_art import (AMBER, DEEP, DUSK, EMBER, GOLD, LINE, MOON, NIGHT, PARCH, REED,  # noqa: E402
                                SLATE, STONE, TEAL, FINE, arrow_glyph, circle, crescent, lantern_icon,
                                lettering, path, poly, rrect, spark_icon, svg)

OUT = "content/promotion"
SAND = "#d9b77a"
SALT = "#e8eef0"
SEA = ["#123a4a", "#17465a", "#1d5369", "#236078"]


def write(name, width, height, body):
    os.makedirs(OUT, exist_ok=True)
    with open(os.path.join(OUT, name), "w", encoding="utf-8") as f:
        f.write(svg(width, height, body))


def sky(width, height, bands):
    step = height / len(bands)
    return "".join(f'<rect x="0" y="{i * step:.0f}" width="{width}" height="{height - i * step:.0f}" fill="{c}"/>'
                   for i, c in enumerate(bands))


def stars(points):
    return "".join(circle(x, y, r, MOON) for x, y, r in points)


def card(width, height, body):
    """A poster on the white page: a night frame with a parchment rim."""
    clip = f'<clipPath id="card"><rect x="6" y="6" width="{width - 12}" height="{height - 12}" rx="10"/></clipPath>'
    return (f"<defs>{clip}</defs>" + rrect(1.5, 1.5, width - 3, height - 3, 14, NIGHT, NIGHT, LINE) +
            f'<g clip-path="url(#card)">{body}</g>' +
            rrect(6, 6, width - 12, height - 12, 10, "none", PARCH, LINE))


# --- the two made-up titles ----------------------------------------------------

def walker(cx, foot, tall, coat, extra=""):
    """A small figure in silhouette on the road."""
    u = tall / 16
    return (path(f"M{cx - u},{foot - 5 * u} L{cx - 2 * u},{foot}", stroke=NIGHT, sw=2 * u) +
            path(f"M{cx + u},{foot - 5 * u} L{cx + 2 * u},{foot}", stroke=NIGHT, sw=2 * u) +
            rrect(cx - 3 * u, foot - 11 * u, 6 * u, 7 * u, 2 * u, coat) + circle(cx, foot - 13.5 * u, 2.5 * u, SAND) +
            extra)


def salt_road():
    """Quendrill II: The Salt Road. Wren and Bram cross the salt flats under
    the glass caves at dusk; the lantern leads."""
    w, h = 600, 300
    body = sky(w, h, ["#1a1c2e", "#24264a", "#33305a", "#4a3a66", "#6a4670"])
    body += stars([(60, 30, 2), (150, 58, 1.5), (250, 24, 2), (420, 40, 1.5), (520, 22, 2), (560, 70, 1.5)])
    body += crescent(480, 70, 28, 492, 62, 24, MOON)
    # The Saltglass caves: pale crystal ridges with dark mouths.
    body += poly([(0, 170), (40, 110), (80, 150), (130, 80), (180, 140), (230, 100), (280, 160), (280, 200),
                  (0, 200)], "#8fa8c0")
    body += poly([(40, 110), (60, 140), (80, 150), (130, 80), (120, 140), (100, 160)], SALT)
    body += poly([(300, 160), (360, 90), (400, 130), (450, 70), (520, 140), (600, 100), (600, 200), (300, 200)],
                 "#7a93ad")
    body += poly([(450, 70), (470, 120), (520, 140), (490, 110)], SALT)
    body += path("M110,200 C110,170 150,170 150,200 Z", fill=NIGHT) + path("M430,200 C430,160 480,160 480,200 Z",
                                                                             fill=NIGHT)
    # The calm band: the salt flat, where the button stands.
    body += rrect(0, 190, w, 60, 0, "#c9c3b0") + rrect(0, 196, w, 4, 0, SALT) + rrect(0, 232, w, 3, 0, "#b3ad99")
    # The road of salt slabs towards the caves, and the two partners on it.
    body += poly([(250, 300), (350, 300), (310, 250), (290, 250)], SAND)
    for y in (262, 278, 292):
        body += rrect(270 + (300 - y) * 0.2, y, 60 - (300 - y) * 0.4, 2, 0, "#a88a5a")
    body += rrect(0, 250, w, 50, 0, "#2a2438") + poly([(250, 300), (350, 300), (310, 250), (290, 250)], SAND)
    body += walker(250, 292, 44, TEAL, rrect(244, 251, 12, 4, 2, EMBER))
    body += walker(352, 294, 56, "#6b4a2a", lantern_icon(366, 266, 20, AMBER, GOLD))
    body += circle(366, 266, 16, "none", GOLD, 1)
    # The sequel's mark: "II" on a gold medallion, top left.
    numeral = "".join(rrect(x, 232, 6, 28, 0, NIGHT) for x in (48, 62)) + rrect(42, 228, 32, 5, 1, NIGHT) + \
        rrect(42, 259, 32, 5, 1, NIGHT)
    body += circle(58, 246, 30, GOLD, NIGHT, LINE) + numeral
    write("salt_road.svg", w, h, card(w, h, body))


def lantern_isles():
    """Lantern Isles: a puzzle of islands joined by bridges, each lit in turn
    by a lantern; the lit path glows gold over the night sea."""
    w, h = 600, 300
    body = sky(w, h, SEA)
    for y in range(30, h, 34):
        body += rrect(20 + (y * 7) % 60, y, 40, 2, 1, "#2f7f80") + rrect(380 + (y * 11) % 80, y + 12, 30, 2, 1,
                                                                         "#2f7f80")
    isles = [(90, 80), (230, 60), (380, 100), (520, 70), (120, 250), (280, 256), (450, 250)]
    lit = {0, 1, 2, 5}
    # The calm band across the middle, where the button stands: a moonlit
    # channel the bridges cross.
    body += rrect(0, 168, w, 44, 0, "#0f2f3d") + rrect(60, 184, 90, 3, 1.5, MOON) + rrect(440, 196, 70, 3, 1.5,
                                                                                           "#c9c2a8")
    # Bridges under the isles: gold where the lanterns are lit, stone where not.
    bridges = [(0, 1), (1, 2), (2, 3), (0, 4), (2, 5), (4, 5), (5, 6), (3, 6)]
    for a, b in bridges:
        (x1, y1), (x2, y2) = isles[a], isles[b]
        colour = GOLD if a in lit and b in lit else STONE
        body += path(f"M{x1},{y1} L{x2},{y2}", stroke=NIGHT, sw=10) + path(f"M{x1},{y1} L{x2},{y2}", stroke=colour,
                                                                            sw=4)
    for i, (x, y) in enumerate(isles):
        body += f'<ellipse cx="{x}" cy="{y + 6}" rx="38" ry="16" fill="{SAND}" stroke="{NIGHT}" stroke-width="3"/>'
        body += f'<ellipse cx="{x}" cy="{y + 2}" rx="30" ry="10" fill="{REED}"/>'
        if i in lit:
            body += circle(x, y - 14, 18, "none", GOLD, 2) + lantern_icon(x, y - 14, 26, AMBER, GOLD)
        else:
            body += lantern_icon(x, y - 14, 26, STONE, DUSK)
    write("lantern_isles.svg", w, h, card(w, h, body))


# --- the studio's pages --------------------------------------------------------

def studio_mark(cx, cy, r):
    """The studio's mark: a teal crescent round a gold spark."""
    return (crescent(cx, cy, r, cx + r * 0.38, cy - r * 0.13, r * 0.8, TEAL) +
            poly([(cx + 0.1 * r, cy - 0.7 * r), (cx + 0.5 * r, cy), (cx + 0.1 * r, cy + 0.7 * r),
                  (cx - 0.3 * r, cy)], GOLD))


def header():
    """Fixed image 10: the studio's banner at the top of the list, signboard
    and banner pages."""
    # Clear pixels under the banner keep the list's title off its rim.
    w, h = 560, 84
    body = (rrect(1.5, 1.5, w - 3, 72 - 3, 14, NIGHT, GOLD, LINE) + rrect(10, 10, w - 20, 72 - 20, 8, SLATE) +
            studio_mark(58, 36, 24) + studio_mark(w - 58, 36, 24) +
            lettering("CORVANTA", w / 2, 52, 32, PARCH, gap=2.6, weight=1.6))
    write("header.svg", w, h, body)


def signboard():
    """The studio's signboard, hanging from the cord the screen draws 20 px
    right of the centre; its ring is where the cord ends."""
    w, h = 320, 200
    ring = w / 2 + 21.5
    body = (circle(ring, 8, 6, "none", STONE, 3) +
            rrect(8, 14, w - 16, h - 22, 16, AMBER, NIGHT, LINE) +
            rrect(20, 26, w - 40, h - 46, 10, "#8a6420") +
            "".join(rrect(20, y, w - 40, 2, 0, "#7a561a") for y in (62, 98, 134)) +
            studio_mark(w / 2, 74, 34) + lettering("CORVANTA", w / 2, 154, 26, PARCH, gap=2.4, weight=1.6) +
            rrect(w / 2 - 100, 164, 200, 4, 2, GOLD))
    write("signboard.svg", w, h, body)


def language_badge():
    """The parameter value's picture: a small tag with the language."""
    w, h = 56, 34
    write("badge_en.svg", w, h, rrect(1.5, 1.5, w - 3, h - 3, 8, DEEP, PARCH, FINE) +
          lettering("EN", w / 2, 25, 16, PARCH, gap=2.4, weight=1.8))


def banner():
    """The banner page: a night frame whose window shows the screen's
    sunset gradient, with the valley's hills, the Heartwheel and lanterns
    standing against it; the page's title is written over the window."""
    w, h = 600, 260
    win_w, win_h = 420, 130            # the gradient's box: 70 % wide, half high
    wx, wy = (w - win_w) / 2, (h - win_h) / 2
    frame = (f'<path fill-rule="evenodd" fill="{NIGHT}" d="M14,0 H{w - 14} Q{w},0 {w},14 V{h - 14} '
             f'Q{w},{h} {w - 14},{h} H14 Q0,{h} 0,{h - 14} V14 Q0,0 14,0 Z '
             f'M{wx + 12},{wy} H{wx + win_w - 12} Q{wx + win_w},{wy} {wx + win_w},{wy + 12} V{wy + win_h} '
             f'H{wx} V{wy + 12} Q{wx},{wy} {wx + 12},{wy} Z"/>')
    body = frame + rrect(1.5, 1.5, w - 3, h - 3, 14, "none", GOLD, LINE)
    body += rrect(wx - 4, wy - 4, win_w + 8, win_h + 4, 14, "none", PARCH, LINE)
    # Against the sunset: hills, the wheel, the mill (inside the window's foot).
    body += path(f"M{wx},{wy + win_h} L{wx},{wy + 96} C{wx + 80},{wy + 80} {wx + 150},{wy + 100} {wx + 210},{wy + 92} "
                 f"C{wx + 290},{wy + 80} {wx + 360},{wy + 98} {wx + win_w},{wy + 88} L{wx + win_w},{wy + win_h} Z",
                 fill="#2a2438")
    cx, cy, r = wx + 330, wy + 88, 26
    spokes = "".join(path(f"M{cx},{cy} L{cx + r * math.cos(k * math.pi / 4):.1f},{cy + r * math.sin(k * math.pi / 4):.1f}",
                          stroke=NIGHT, sw=4) for k in range(8))
    body += circle(cx, cy, r, "none", NIGHT, 5) + spokes + circle(cx, cy, 5, NIGHT)
    body += rrect(wx + 40, wy + 70, 34, 40, 2, NIGHT) + poly([(wx + 34, wy + 72), (wx + 57, wy + 54),
                                                              (wx + 80, wy + 72)], NIGHT)
    body += rrect(wx + 52, wy + 82, 10, 12, 2, GOLD)
    # Lanterns on the frame, and stars in the dark around the window.
    for x in (40, w - 40):
        body += lantern_icon(x, h / 2, 56, AMBER, GOLD)
    body += stars([(30, 30, 2), (120, 20, 1.5), (250, 16, 2), (470, 22, 1.5), (570, 34, 2), (80, 236, 1.5),
                   (300, 244, 2), (520, 240, 1.5)])
    body += spark_icon(150, 40, 18, GOLD) + spark_icon(455, 226, 14, GOLD)
    write("banner.svg", w, h, body)


# --- list icons -------------------------------------------------------------

def icon(name, body):
    write(name, 56, 56, rrect(1.5, 1.5, 53, 53, 14, SLATE, PARCH, FINE) + body)


def list_icons():
    # An open book: the guides.
    icon("row_guide.svg", path("M10,16 C18,12 24,12 28,16 L28,42 C24,38 18,38 10,42 Z", fill=PARCH) +
         path("M46,16 C38,12 32,12 28,16 L28,42 C32,38 38,38 46,42 Z", fill=PARCH) +
         path("M28,16 L28,42", stroke=NIGHT, sw=2))
    # A spark: more games.
    icon("row_more.svg", spark_icon(28, 28, 36, GOLD))
    # A rolled page: the studio's news.
    icon("row_news.svg", rrect(14, 12, 28, 32, 3, PARCH) +
         "".join(rrect(19, y, 18, 3, 1, NIGHT) for y in (19, 26, 33)) + circle(14, 44, 4, AMBER))
    # The studio's mark: the list's last row, home.
    write("row_home.svg", 56, 56, rrect(1.5, 1.5, 53, 53, 14, NIGHT, GOLD, FINE) + studio_mark(28, 28, 20))


# --- arrows, back key ---------------------------------------------------------

def page_arrow(name, pointing_right, pressed):
    """A tab at the screen's edge with a chevron; pressed turns gold."""
    w, h = 44, 72
    face, ink = (GOLD, NIGHT) if pressed else (SLATE, PARCH)
    body = rrect(1.5, 1.5, w - 3, h - 3, 14, face, PARCH if not pressed else NIGHT, LINE)
    body += arrow_glyph(w / 2, h / 2, 24, (1 if pointing_right else -1, 0), ink)
    write(name, w, h, body)


def back_key():
    """Fixed images 12 and 13: the back key's face; 8 its icon; 9 the icon's
    measure (the same size, nothing drawn)."""
    w, h = 76, 64
    for name, pressed in (("back_key.svg", False), ("back_key_pressed.svg", True)):
        face, rim = (GOLD, NIGHT) if pressed else (SLATE, PARCH)
        write(name, w, h, rrect(1.5, 1.5, w - 3, h - 3, 14, face, rim, LINE))
    s = 44
    write("back_icon.svg", s, s, path("M34,34 C40,18 28,10 16,12 L12,12", stroke=NIGHT, sw=10) +
          poly([(15, 1), (1, 12), (15, 23)], NIGHT, NIGHT, 4) +
          path("M34,34 C40,18 28,10 16,12 L12,12", stroke=PARCH, sw=5) + poly([(14, 3), (3, 12), (14, 21)], PARCH))
    write("back_measure.svg", s, s, "")
    write("unused.svg", 1, 1, "")


def main():
    salt_road()
    lantern_isles()
    header()
    signboard()
    language_badge()
    banner()
    list_icons()
    for name, right, pressed in (("arrow_left_pressed.svg", False, True), ("arrow_left.svg", False, False),
                                 ("arrow_right_pressed.svg", True, True), ("arrow_right.svg", True, False)):
        page_arrow(name, right, pressed)
    back_key()


if __name__ == "__main__":
    main()
