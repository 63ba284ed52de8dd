#!/usr/bin/env python3
"""Draws the interface art of content/sprites: the two logos, the title
picture, the results sprite, the interface sprite and the HUD sprite.

Each sprite is one SVG sheet of cells plus its description; a frame shows
one cell, placed so that the frame's anchor is where the game draws it
(centred unless said otherwise). Colours and line weights follow
content/STYLE.md. Run from the repository root; it rewrites the files it
owns and nothing else.
"""
import json
import math
import os

OUT = "content/sprites"

# The palette of content/STYLE.md.
NIGHT = "#14161f"
SLATE = "#262b3b"
DUSK = "#3a4260"
TEAL = "#2f7f80"
DEEP = "#1d4a52"
GOLD = "#f0c040"
AMBER = "#b8862a"
PARCH = "#f3e6c4"
EMBER = "#c8452f"
STONE = "#8a8f98"
REED = "#3d6630"
MOON = "#f7efd2"
WHITE = "#ffffff"
LEGS = "#6a5646"

LINE = 3  # outlines of buttons and panels
FINE = 2  # inner lines and icon strokes


def svg(width, height, body, crisp=True):
    mode = ' shape-rendering="crispEdges" text-rendering="optimizeSpeed"' if crisp else ""
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}"{mode}>\n'
            f'{body}</svg>\n')


def write(path, text):
    full = os.path.join(OUT, path)
    os.makedirs(os.path.dirname(full), exist_ok=True)
    with open(full, "w", encoding="utf-8") as f:
        f.write(text)


def write_json(path, value):
    write(path, json.dumps(value, indent=1) + "\n")


class Sheet:
    """Cells packed in rows; each cell is drawn in its own coordinates."""

    def __init__(self, width):
        self.width = width
        self.x = self.y = self.row = 0
        self.parts = []
        self.modules = []

    def cell(self, name, w, h, body):
        if self.x + w > self.width:
            self.x, self.y, self.row = 0, self.y + self.row + 2, 0
        x, y = self.x, self.y
        self.parts.append(f'<g transform="translate({x},{y})">{body}</g>\n')
        self.modules.append({"name": name, "rect": [x, y, w, h]})
        self.x += w + 2
        self.row = max(self.row, h)
        return name

    def height(self):
        return self.y + self.row

    def svg(self):
        return svg(self.width, self.height(), "".join(self.parts))


class Sprite:
    def __init__(self, sheet_width):
        self.sheet = Sheet(sheet_width)
        self.frames = {}
        self.sizes = {}
        self.animations = []

    def centred(self, index, name, w, h, body):
        module = self.sheet.cell(name, w, h, body)
        self.frames[index] = {"name": name, "modules": [{"module": module, "at": [-(w // 2), -(h // 2)]}]}

    def placed(self, index, name, w, h, body, at):
        module = self.sheet.cell(name, w, h, body)
        self.frames[index] = {"name": name, "modules": [{"module": module, "at": at}]}

    def description(self, art, extra=None):
        last = max(self.frames)
        frames = []
        for i in range(last + 1):
            # Indices the game never draws are small empty frames.
            frames.append(self.frames.get(i, {"name": f"unused{i}", "modules": []}))
        value = {"art": art, "flags": ["offsetsShort"], "modules": self.sheet.modules, "frames": frames}
        if self.animations:
            value["animations"] = self.animations
        if extra:
            value.update(extra)
        return value


# --- shapes -----------------------------------------------------------------

def rrect(x, y, w, h, r, fill, stroke=None, sw=LINE):
    s = f' stroke="{stroke}" stroke-width="{sw}"' if stroke else ""
    return f'<rect x="{x}" y="{y}" width="{w}" height="{h}" rx="{r}" fill="{fill}"{s}/>'


def circle(cx, cy, r, fill, stroke=None, sw=LINE):
    s = f' stroke="{stroke}" stroke-width="{sw}"' if stroke else ""
    return f'<circle cx="{cx}" cy="{cy}" r="{r}" fill="{fill}"{s}/>'


def poly(points, fill, stroke=None, sw=FINE):
    s = f' stroke="{stroke}" stroke-width="{sw}" stroke-linejoin="round"' if stroke else ""
    return f'<polygon points="{" ".join(f"{x},{y}" for x, y in points)}" fill="{fill}"{s}/>'


def path(d, fill="none", stroke=None, sw=FINE):
    s = f' stroke="{stroke}" stroke-width="{sw}" stroke-linecap="round" stroke-linejoin="round"' if stroke else ""
    return f'<path d="{d}" fill="{fill}"{s}/>'


def button_face(w, h, pressed, radius=12):
    """The common button: slate face, parchment rim; pressed turns gold."""
    face, rim = (GOLD, PARCH) if pressed else (SLATE, PARCH)
    return rrect(LINE / 2 + 0.5, LINE / 2 + 0.5, w - LINE - 1, h - LINE - 1, radius, face, rim)


def round_face(d, pressed, rim=PARCH):
    c = d / 2
    return circle(c, c, c - LINE / 2 - 1, GOLD if pressed else SLATE, rim)


def ink(pressed):
    """Icons are parchment on a slate face, night ink on a pressed gold one."""
    return NIGHT if pressed else PARCH


def arrow_glyph(cx, cy, size, direction, colour):
    """A solid triangle pointing (dx, dy)."""
    dx, dy = direction
    if dx and dy:
        # Diagonal: a right-angle corner pointing outwards.
        s = size * 0.8
        tip = (cx + dx * s / 2, cy + dy * s / 2)
        return poly([tip, (tip[0] - dx * s, tip[1]), (tip[0], tip[1] - dy * s)], colour)
    px, py = -dy, dx
    tip = (cx + dx * size / 2, cy + dy * size / 2)
    base = (cx - dx * size / 2, cy - dy * size / 2)
    return poly([tip, (base[0] + px * size / 2, base[1] + py * size / 2),
                 (base[0] - px * size / 2, base[1] - py * size / 2)], colour)


def hand_icon(cx, cy, s, colour):
    """An open hand: palm and four fingers, thumb to the left."""
    u = s / 10
    body = rrect(cx - 3 * u, cy - u, 6 * u, 5 * u, u * 1.5, colour)
    for i, lift in enumerate((3.5, 4.5, 4.2, 3.2)):
        body += rrect(cx - 3 * u + i * 1.55 * u, cy - u - lift * u, 1.3 * u, lift * u + u, 0.6 * u, colour)
    body += poly([(cx - 3 * u, cy + 0.5 * u), (cx - 5 * u, cy - 1.5 * u), (cx - 4 * u, cy - 2.3 * u),
                  (cx - 2.5 * u, cy - 0.8 * u)], colour)
    return body


def bubble_icon(cx, cy, s, colour, dots):
    u = s / 10
    body = rrect(cx - 4.5 * u, cy - 3.5 * u, 9 * u, 6 * u, 2 * u, colour)
    body += poly([(cx - 2 * u, cy + 2.4 * u), (cx - 3 * u, cy + 4.5 * u), (cx, cy + 2.4 * u)], colour)
    for i in (-1, 0, 1):
        body += circle(cx + i * 2.2 * u, cy - 0.5 * u, 0.75 * u, dots)
    return body


def ring_icon(cx, cy, s, colour):
    return circle(cx, cy, s * 0.3, "none", colour, FINE + 2) + circle(cx, cy, s * 0.1, colour)


def spark_icon(cx, cy, s, colour):
    """A four-pointed spark: the first partner's gift."""
    u = s / 2
    pts = []
    for k in range(8):
        r = u if k % 2 == 0 else u * 0.32
        angle = k * math.pi / 4
        pts.append((cx + r * math.sin(angle), cy - r * math.cos(angle)))
    return poly(pts, colour)


# The two icons drawn over the HUD's button faces carry a night rim, so
# they read on the slate face and on the pressed gold one alike.
def satchel_icon(w, h, colour, clasp):
    return (path(f"M{w / 2 - 9},12 C{w / 2 - 9},1 {w / 2 + 9},1 {w / 2 + 9},12", stroke=NIGHT, sw=FINE + 4) +
            path(f"M{w / 2 - 9},12 C{w / 2 - 9},1 {w / 2 + 9},1 {w / 2 + 9},12", stroke=colour, sw=FINE + 1) +
            rrect(4, 10, w - 8, h - 14, 6, colour, NIGHT, FINE) +
            rrect(4, 10, w - 8, 10, 5, colour, NIGHT, FINE) + rrect(w / 2 - 4, 16, 8, 8, 2, clasp, NIGHT, 1))


def menu_lines_icon(w, h, colour):
    return "".join(rrect(4, 4 + i * (h - 8) / 2 - 2, w - 8, 6, 2, colour, NIGHT, FINE) for i in range(3))


def lantern_icon(cx, cy, s, body_colour, glow):
    """The game's emblem: a hooded lantern over water."""
    u = s / 20
    return (path(f"M{cx - 3 * u},{cy - 8 * u} C{cx - 3 * u},{cy - 12 * u} {cx + 3 * u},{cy - 12 * u} "
                 f"{cx + 3 * u},{cy - 8 * u}", stroke=body_colour, sw=max(2, u * 1.2)) +
            poly([(cx - 5 * u, cy - 7 * u), (cx + 5 * u, cy - 7 * u), (cx + 4 * u, cy - 5 * u),
                  (cx - 4 * u, cy - 5 * u)], body_colour) +
            rrect(cx - 4 * u, cy - 5 * u, 8 * u, 10 * u, 1.5 * u, glow, body_colour, max(2, u)) +
            path(f"M{cx},{cy - 5 * u} L{cx},{cy + 5 * u}", stroke=body_colour, sw=max(1, u * 0.8)) +
            poly([(cx - 5 * u, cy + 5 * u), (cx + 5 * u, cy + 5 * u), (cx + 4 * u, cy + 7 * u),
                  (cx - 4 * u, cy + 7 * u)], body_colour))


# Our own block letters for the two marks: strokes on a grid 6 units tall,
# each letter (width, path). Drawn as strokes, so no font is needed.
LETTERS = {
    "Q": (4, "M0,1 Q0,0 1,0 L3,0 Q4,0 4,1 L4,5 Q4,6 3,6 L1,6 Q0,6 0,5 Z M2.6,4.6 L4.2,6.2"),
    "U": (4, "M0,0 L0,5 Q0,6 1,6 L3,6 Q4,6 4,5 L4,0"),
    "E": (3.6, "M3.6,0 L0,0 L0,6 L3.6,6 M0,3 L3,3"),
    "N": (4, "M0,6 L0,0 L4,6 L4,0"),
    "D": (4, "M0,0 L0,6 L2.4,6 Q4,6 4,4.4 L4,1.6 Q4,0 2.4,0 Z"),
    "R": (4, "M0,6 L0,0 L3,0 Q4,0 4,1 L4,2 Q4,3 3,3 L0,3 M2.2,3 L4,6"),
    "I": (0, "M0,0 L0,6"),
    "L": (3.4, "M0,0 L0,6 L3.4,6"),
    "C": (4, "M4,1 Q4,0 3,0 L1,0 Q0,0 0,1 L0,5 Q0,6 1,6 L3,6 Q4,6 4,5"),
    "O": (4, "M0,1 Q0,0 1,0 L3,0 Q4,0 4,1 L4,5 Q4,6 3,6 L1,6 Q0,6 0,5 Z"),
    "V": (4.4, "M0,0 L2.2,6 L4.4,0"),
    "A": (4.4, "M0,6 L2.2,0 L4.4,6 M0.8,4 L3.6,4"),
    "T": (4, "M0,0 L4,0 M2,0 L2,6"),
    # Digits for the key prompt's icons.
    "0": (4, "M0,1 Q0,0 1,0 L3,0 Q4,0 4,1 L4,5 Q4,6 3,6 L1,6 Q0,6 0,5 Z"),
    "1": (2.4, "M0,1.2 L1.6,0 L1.6,6 M0,6 L2.4,6"),
    "3": (4, "M0,0.6 Q1,0 2,0 L3,0 Q4,0 4,1 L4,2 Q4,3 3,3 L1.4,3 M3,3 Q4,3 4,4 L4,5 Q4,6 3,6 L1,6 Q0,6 0,5.4"),
    "7": (4, "M0,0 L4,0 L1.4,6"),
    "9": (4, "M4,3 L1,3 Q0,3 0,2 L0,1 Q0,0 1,0 L3,0 Q4,0 4,1 L4,5 Q4,6 3,6 L0.6,6"),
}


def lettering(word, cx, baseline, height, colour, gap=2.2, weight=1.5):
    """The word centred on cx with its baseline at baseline."""
    unit = height / 6
    advance = [LETTERS[c][0] + weight + gap for c in word]
    x = cx - (sum(advance) - gap) * unit / 2 + weight * unit / 2
    out = ""
    for c, step in zip(word, advance):
        out += (f'<path transform="translate({x:.1f},{baseline - height + weight * unit / 2:.1f}) '
                f'scale({unit * (1 - weight / 6):.3f})" d="{LETTERS[c][1]}" fill="none" stroke="{colour}" '
                f'stroke-width="{weight * 6 / (6 - weight):.3f}" stroke-linejoin="round" stroke-linecap="round"/>')
        x += step * unit
    return out


# --- logos ------------------------------------------------------------------

def studio_logo():
    w, h = 440, 220
    body = (
        # A crescent "C" round a kite-shaped spark: the studio's mark.
        circle(220, 78, 62, TEAL) + circle(244, 70, 50, WHITE) +
        poly([(226, 34), (250, 78), (226, 122), (202, 78)], GOLD) +
        poly([(226, 58), (238, 78), (226, 98), (214, 78)], WHITE) +
        lettering("CORVANTA", 220, 190, 40, NIGHT) +
        rrect(70, 204, 300, 4, 2, TEAL))
    write("art/logos/studio.svg", svg(w, h, body))
    return {"flags": ["offsetsShort"], "art": "../art/logos/studio.svg",
            "modules": [{"name": "logo", "rect": [0, 0, w, h]}],
            "frames": [{"name": "logo", "modules": [{"module": "logo", "at": [-w // 2, -h // 2]}]}]}


def wordmark(cx, baseline, size, fill, shadow):
    return (lettering("QUENDRILL", cx + 3, baseline + 4, size * 0.72, shadow) +
            lettering("QUENDRILL", cx, baseline, size * 0.72, fill))


def game_logo():
    w, h = 600, 190
    body = (lantern_icon(300, 58, 110, GOLD, EMBER) +
            wordmark(300, 168, 64, PARCH, DEEP) +
            rrect(120, 178, 360, 4, 2, GOLD))
    write("art/logos/game.svg", svg(w, h, body))
    return {"flags": ["offsetsShort"], "art": "../art/logos/game.svg",
            "modules": [{"name": "logo", "rect": [0, 0, w, h]}],
            "frames": [{"name": "logo", "modules": [{"module": "logo", "at": [-w // 2, -h // 2]}]}]}


# --- title picture ----------------------------------------------------------

def crescent(cx, cy, r, ix, iy, ir, fill):
    """The part of circle (cx, cy, r) outside circle (ix, iy, ir)."""
    d = math.hypot(ix - cx, iy - cy)
    a = (r * r - ir * ir + d * d) / (2 * d)
    h = math.sqrt(r * r - a * a)
    mx, my = cx + a * (ix - cx) / d, cy + a * (iy - cy) / d
    p1 = (mx + h * (iy - cy) / d, my - h * (ix - cx) / d)
    p2 = (mx - h * (iy - cy) / d, my + h * (ix - cx) / d)
    return path(f"M{p1[0]:.1f},{p1[1]:.1f} A{r},{r} 0 1 0 {p2[0]:.1f},{p2[1]:.1f} "
                f"A{ir},{ir} 0 0 1 {p1[0]:.1f},{p1[1]:.1f} Z", fill=fill)


# Where the wordmark and its gold rule stand on the title: x, y, w, h.
LOGO_CELL = (120, 36, 560, 80)


def title_picture():
    w, h = 800, 480
    # Bands of the night sky, darkest at the top.
    bands = ["#101322", "#141a2e", "#19213a", "#1f2946", "#263352", "#2d3d5e", "#344669", "#3b4f73"]
    sky = "".join(f'<rect x="0" y="{i * 40}" width="800" height="{480 - i * 40}" fill="{c}"/>'
                  for i, c in enumerate(bands))
    stars = "".join(circle(x, y, r, MOON) for x, y, r in
                    [(60, 40, 2), (140, 90, 1.5), (230, 30, 2), (330, 70, 1.5), (470, 25, 2), (540, 95, 1.5),
                     (610, 45, 2), (700, 80, 1.5), (760, 30, 2), (30, 150, 1.5), (390, 130, 1.5), (760, 160, 1.5)])
    moon = crescent(700, 170, 40, 718, 160, 35, MOON)
    hills = (path("M0,300 C120,230 220,250 320,280 C420,240 520,220 640,270 C720,250 770,260 800,270 L800,480 L0,480 Z",
                  fill="#1b2a33") +
             path("M0,340 C100,300 180,320 260,335 C360,300 470,310 560,330 C660,300 740,320 800,320 L800,480 L0,480 Z",
                  fill="#1f3a33"))
    # The lock tower with its lit window, on the far bank.
    tower = (rrect(136, 180, 56, 160, 4, "#2a2f3f") + poly([(128, 184), (164, 140), (200, 184)], "#3a2f3a") +
             rrect(154, 210, 20, 28, 3, GOLD) + rrect(158, 260, 12, 18, 2, AMBER) +
             rrect(120, 320, 100, 24, 2, "#2a2f3f"))
    river = (path("M0,372 C200,352 420,392 800,366 L800,480 L0,480 Z", fill="#1a3550") +
             path("M0,392 C220,378 460,412 800,390 L800,480 L0,480 Z", fill="#16304a"))
    glints = "".join(rrect(x, y, ln, 3, 1.5, c) for x, y, ln, c in
                     [(600, 386, 60, MOON), (640, 398, 36, "#c9c2a8"), (150, 394, 40, GOLD), (178, 406, 22, AMBER),
                      (420, 420, 50, "#6c86a8"), (300, 446, 44, "#6c86a8")])
    reeds = ""
    for x0, hgt in [(20, 90), (34, 120), (48, 100), (730, 110), (746, 130), (762, 96), (776, 118)]:
        reeds += path(f"M{x0},480 C{x0 - 4},{480 - hgt / 2} {x0 + 6},{480 - hgt * 0.8} {x0 + 2},{480 - hgt}",
                      stroke=REED, sw=5)
        reeds += rrect(x0 - 1, 480 - hgt - 6, 8, 22, 4, "#6b4a2a")
    boat = (path("M330,430 L470,430 L450,452 L350,452 Z", fill="#3b2a22") +
            lantern_icon(458, 410, 40, GOLD, EMBER) + rrect(456, 426, 4, 6, 1, "#3b2a22"))
    scene = sky + stars + moon + hills + tower + river + glints + reeds + boat
    # The wordmark is a cell of its own under the scene: frame 0 (the title)
    # lays it over the scene, frame 1 (the menus' backdrop) leaves it out so
    # that headings, rows and arrows never sit on its letters.
    lx, ly, lw, lh = LOGO_CELL
    logo = wordmark(400, 96, 72, PARCH, DEEP) + rrect(250, 108, 300, 4, 2, GOLD)
    sheet = scene + f'<g transform="translate(0,{h + 2 - ly})">{logo}</g>'
    write("art/title/title.svg", svg(w, h + 2 + lh, sheet))
    return {"flags": ["offsetsShort"], "art": "../art/title/title.svg",
            "modules": [{"name": "scene", "rect": [0, 0, w, h]},
                        {"name": "wordmark", "rect": [lx, h + 2, lw, lh]}],
            "frames": [{"name": "title", "modules": [{"module": "scene"}, {"module": "wordmark", "at": [lx, ly]}]},
                       {"name": "menuBackdrop", "modules": [{"module": "scene"}]}]}


# --- results ----------------------------------------------------------------

def results_sprite():
    s = Sprite(820)
    # Frame 1 at (400, 240): the panel behind the six rows (their baselines
    # at y 175 + 30 row) and the grade; it ends above the continue prompt.
    w, h, top = 760, 256, 138
    body = rrect(1.5, 1.5, w - 3, h - 3, 12, SLATE, STONE, LINE)
    for r in range(4):
        body += rrect(20, 175 + 30 * r + 4 - top, w - 40, 1, 0, DUSK)
    # The total's large letters reach up to the last row's descenders, so its
    # gold rule runs under it, clear of the rank below; the medal hangs on it.
    body += rrect(20, 175 + 30 * 5 + 2 - top, w - 40, 2, 0, GOLD)
    s.placed(1, "panel", w, h, body, [-w // 2, top - 240])
    # Grades 0..3, best first: lantern medallions in gold, silver, bronze, stone.
    grades = [(GOLD, EMBER), ("#d8dce4", "#7fb6d8"), ("#c98a4a", "#e0b070"), (STONE, DUSK)]
    frame = 2
    for g, (metal, glow) in enumerate(grades):
        names = []
        for phase in range(2):
            d = 68
            medal = circle(d / 2, d / 2, d / 2 - 3, metal, PARCH if phase else NIGHT, LINE)
            medal += lantern_icon(d / 2, d / 2 + 2, 48, NIGHT, glow if phase else metal)
            s.centred(frame, f"grade{g}_{phase}", d, d, medal)
            names.append(f"grade{g}_{phase}")
            frame += 1
        s.animations.append({"name": f"grade{g}", "frames": [{"frame": names[0], "time": 6},
                                                             {"frame": names[1], "time": 6}]})
    write("art/results/results.svg", s.sheet.svg())
    # Palette 1 is the grade's shadow.
    recolour = {c: "#000000" for c in [GOLD, EMBER, PARCH, NIGHT, SLATE, STONE, DUSK, "#d8dce4", "#7fb6d8",
                                       "#c98a4a", "#e0b070"]}
    return s.description("../art/results/results.svg", {"recolours": [recolour]})


# --- the interface sprite (slot 50) ------------------------------------------

def interface_sprite():
    s = Sprite(1040)
    for pressed, base in ((False, 0), (True, 48)):
        ink_colour = ink(pressed)
        # Low enough to clear a menu's heading above the list; the touch area
        # the code gives it stays 80 x 80.
        w, h = 80, 40
        for k, direction in enumerate(((0, -1), (0, 1))):
            body = button_face(w, h, pressed, 14) + arrow_glyph(w / 2, h / 2, 20, direction, ink_colour)
            s.centred(base + k, f"list{'Down' if k else 'Up'}{'Pressed' if pressed else ''}", w, h, body)
    # 19: previous (a left softkey); 20: the menu icon over the HUD's menu button.
    s.centred(19, "previous", 72, 72, round_face(72, False) + arrow_glyph(34, 36, 26, (-1, 0), PARCH))
    s.centred(20, "menuIcon", 40, 34, menu_lines_icon(40, 34, PARCH))
    # 27/28: the back button of the softkey corner.
    for pressed in (False, True):
        c = ink(pressed)
        body = round_face(76, pressed) + path("M50,46 C56,30 44,22 32,24 L28,24", stroke=c, sw=6)
        body += poly([(30, 12), (16, 24), (30, 36)], c)
        s.centred(28 if pressed else 27, "back" + ("Pressed" if pressed else ""), 76, 76, body)
    # 34/35: list rows and box buttons; 40/41: the two choice buttons.
    s.centred(34, "row", 520, 60, rrect(1.5, 1.5, 517, 57, 14, SLATE, STONE, FINE))
    s.centred(35, "rowSelected", 520, 60,
              rrect(1.5, 1.5, 517, 57, 14, DEEP, GOLD, LINE) + rrect(10, 26, 8, 8, 2, GOLD) + rrect(502, 26, 8, 8, 2, GOLD))
    s.centred(40, "choice", 300, 64, button_face(300, 64, False, 14))
    s.centred(41, "choicePressed", 300, 64, button_face(300, 64, True, 14))
    # 42/43: a conversation's answer buttons, the choice buttons' faces.
    for index, face in ((42, "choice"), (43, "choicePressed")):
        s.frames[index] = {"name": "answer" + face[6:], "modules": [{"module": face, "at": [-150, -32]}]}
    s.centred(45, "satchel", 44, 40, satchel_icon(44, 40, PARCH, AMBER))
    # 46/47: the corner button of the promotion prompt.
    for pressed in (False, True):
        body = round_face(64, pressed, GOLD) + spark_icon(32, 32, 36, NIGHT if pressed else GOLD)
        s.centred(47 if pressed else 46, "more" + ("Pressed" if pressed else ""), 64, 64, body)
    # 50: the "new" marker beside the promotion row, a gold spark on a night
    # disc, large enough to catch the eye from arm's length.
    s.centred(50, "newMarker", 40, 40, circle(20, 20, 18, NIGHT, GOLD, FINE) + spark_icon(20, 20, 30, GOLD))
    write("art/interface/interface.svg", s.sheet.svg())
    return s.description("../art/interface/interface.svg")


# --- the HUD sprite (slot 51) -------------------------------------------------

# Arrow frames, normal and pressed (+9), and where each sits from the pad's anchor.
PAD_ARROWS = {2: (-1, 0), 3: (1, 0), 4: (0, -1), 5: (0, 1), 6: (-1, 1), 7: (1, 1), 8: (1, -1), 9: (-1, -1)}
PAD_STEP = 70


def hud_sprite():
    s = Sprite(1040)
    # 1: the pad's centre, painted over the arrows.
    s.centred(1, "padCentre", 56, 56, circle(28, 28, 24, NIGHT, STONE, LINE) + circle(28, 28, 8, STONE))
    for frame, (dx, dy) in PAD_ARROWS.items():
        for pressed in (False, True):
            size = 64 if dx == 0 or dy == 0 else 56
            face = GOLD if pressed else SLATE
            body = rrect(1.5, 1.5, size - 3, size - 3, 14, face, PARCH, FINE)
            body += arrow_glyph(size / 2, size / 2, size * 0.42, (dx, dy), ink(pressed))
            index = frame + 9 if pressed else frame
            s.placed(index, f"arrow{frame}{'Pressed' if pressed else ''}", size, size, body,
                     [dx * PAD_STEP - size // 2, dy * PAD_STEP - size // 2])
    # 19..24: the OK button's three looks (plain, act on, talk or look).
    looks = [(19, lambda c: ring_icon(55, 55, 60, c)), (21, lambda c: hand_icon(57, 60, 56, c)),
             (23, lambda c: bubble_icon(55, 57, 62, c, NIGHT if c == PARCH else GOLD))]
    for first, icon in looks:
        for pressed in (False, True):
            s.centred(first + pressed, f"ok{first}{'Pressed' if pressed else ''}", 110, 110,
                      round_face(110, pressed) + icon(ink(pressed)))
    # 25/26: the first partner's action button.
    for pressed in (False, True):
        s.centred(25 + pressed, "action" + ("Pressed" if pressed else ""), 90, 90,
                  round_face(90, pressed, EMBER) + spark_icon(45, 45, 56, NIGHT if pressed else GOLD))
    # 27/28: a row of the action list; two rows at 3/2 of its height apart
    # fill the list's 152 px panel. The chosen row is drawn as a selected
    # list row (deep teal, gold rim): its label turns gold.
    s.centred(27, "actionRow", 340, 48, button_face(340, 48, False, 12))
    s.centred(28, "actionRowPressed", 340, 48,
              rrect(LINE / 2 + 0.5, LINE / 2 + 0.5, 340 - LINE - 1, 48 - LINE - 1, 12, DEEP, GOLD) +
              rrect(10, 20, 8, 8, 2, GOLD) + rrect(322, 20, 8, 8, 2, GOLD))
    # 54..56: the help pages' markers: a bullet, talk or look, act on.
    s.centred(54, "helpBullet", 40, 40, circle(20, 20, 16, GOLD, PARCH, FINE) + circle(20, 20, 6, NIGHT))
    s.centred(55, "helpTalk", 64, 64, round_face(64, False) + bubble_icon(32, 33, 36, PARCH, NIGHT))
    s.centred(56, "helpAct", 64, 64, round_face(64, False) + hand_icon(33, 35, 34, PARCH))
    # 62/63 and 66/67: the menu and inventory button faces.
    for first in (62, 66):
        for pressed in (False, True):
            s.centred(first + pressed, f"corner{first}{'Pressed' if pressed else ''}", 72, 72,
                      button_face(72, 72, pressed, 16))
    # Marker icons over a character, each bobbing between two frames.
    def marker(frame, name, body):
        s.centred(frame, name, 40, 44, body)
    alert = rrect(16, 4, 8, 24, 3, EMBER) + rrect(16, 32, 8, 8, 3, EMBER)
    marker(68, "alertUp", circle(20, 22, 19, PARCH) + alert)
    s.placed(69, "alertDown", 40, 44, circle(20, 22, 19, PARCH) + alert, [-20, -20])
    marker(70, "talkUp", bubble_icon(20, 22, 40, PARCH, NIGHT))
    s.placed(71, "talkDown", 40, 44, bubble_icon(20, 22, 40, PARCH, NIGHT), [-20, -20])
    marker(72, "actUp", hand_icon(21, 26, 38, PARCH))
    s.placed(73, "actDown", 40, 44, hand_icon(21, 26, 38, PARCH), [-20, -20])
    marker(74, "pointDown", arrow_glyph(20, 22, 30, (0, 1), GOLD))
    marker(75, "pointUp", arrow_glyph(20, 22, 30, (0, -1), GOLD))
    bob = lambda a, b: [{"frame": a, "time": 5}, {"frame": b, "time": 5}]
    s.animations = [
        {"name": "alert", "frames": bob("alertUp", "alertDown")},
        {"name": "talk", "frames": bob("talkUp", "talkDown")},
        {"name": "act", "frames": bob("actUp", "actDown")},
        {"name": "none3", "frames": [{"frame": "unused10", "time": 1}]},
        {"name": "none4", "frames": [{"frame": "unused10", "time": 1}]},
        {"name": "pointDown", "frames": [{"frame": "pointDown", "time": 5, "at": [0, 0]},
                                         {"frame": "pointDown", "time": 5, "at": [0, 6]}]},
        {"name": "pointUp", "frames": [{"frame": "pointUp", "time": 5, "at": [0, 0]},
                                       {"frame": "pointUp", "time": 5, "at": [0, -6]}]},
    ]
    write("art/hud/hud.svg", s.sheet.svg())
    return s.description("../art/hud/hud.svg")


# --- the status panel, the gauge and the key prompt ----------------------------

def bar(w, h, fill):
    """A bar's fill: flat colour with a darker base line, drawn from its left."""
    return rrect(0, 0, w, h, h / 2, fill) + rrect(2, h - 5, w - 4, 3, 1.5, NIGHT)


def status_sprite():
    """The status panel at the top left (slot 11 of the game's sprites): the
    portraits, the health bar in its two looks, the sling's charge, the item
    shortcut's box, the countdown's plaque and the creature gauge with its
    chapter icons. Bars are anchored at their top left, as the panel clips
    them from there. Animation 0 is Wren walking, which the help pages show.
    """
    s = Sprite(1024)
    # 0 and 2: the health bar, full and low (ember); 1: its trough.
    s.placed(0, "health", 200, 22, bar(200, 22, REED), [0, 0])
    s.placed(1, "healthTrough", 206, 28, rrect(1.5, 1.5, 203, 25, 12, NIGHT, PARCH, FINE), [-3, -3])
    s.placed(2, "healthLow", 200, 22, bar(200, 22, EMBER), [0, 0])
    # 3 and 6: the sling's charge: its size, and its gold fill; 4 its size
    # where the side view carries Wren (the rooms cache 2 with 3 or 4).
    s.placed(3, "chargeTrough", 140, 14, rrect(1, 1, 138, 12, 6, NIGHT, STONE, FINE), [0, 0])
    s.placed(4, "chargeTroughSide", 140, 14, rrect(1, 1, 138, 12, 6, NIGHT, STONE, FINE), [0, 0])
    s.placed(6, "charge", 140, 14, bar(140, 14, GOLD), [0, 0])
    # 7: the item shortcut's box (the item is clipped into its window).
    s.placed(7, "itemBox", 60, 52, rrect(1.5, 1.5, 57, 49, 12, SLATE, PARCH, LINE), [0, 0])
    # 8..11: the portraits, top left at (1, 1), by partner index: Bram (the
    # first partner, slot 16), Wren running in the side view, Wren, others.
    def portrait(coat, extra):
        return (rrect(1.5, 1.5, 101, 83, 14, SLATE, PARCH, LINE) + circle(52, 36, 20, "#e8c49a") +
                rrect(24, 58, 56, 26, 10, coat) + extra)
    s.placed(8, "bram", 104, 86, portrait("#6b4a2a", lantern_icon(84, 62, 26, AMBER, GOLD)), [0, 0])
    s.placed(9, "sideView", 104, 86, portrait(TEAL, arrow_glyph(86, 20, 14, (0, -1), GOLD)), [0, 0])
    s.placed(10, "wren", 104, 86, portrait(TEAL, rrect(30, 10, 44, 12, 6, EMBER)), [0, 0])
    s.placed(11, "other", 104, 86, portrait(DUSK, ""), [0, 0])
    # 12: the countdown's plaque, its right edge at the screen's.
    s.placed(12, "clock", 100, 52, rrect(1.5, 1.5, 97, 49, 12, SLATE, PARCH, LINE), [-100, 0])
    # 14..17: the creature gauge: fill, trough, low fill, and its plaque.
    s.placed(14, "gauge", 200, 16, bar(200, 16, EMBER), [0, 0])
    s.placed(15, "gaugeTrough", 200, 16, rrect(1, 1, 198, 14, 7, NIGHT, STONE, FINE), [0, 0])
    s.placed(16, "gaugeLow", 200, 16, bar(200, 16, GOLD), [0, 0])
    s.placed(17, "gaugePlaque", 236, 36, rrect(1.5, 1.5, 233, 33, 12, SLATE, PARCH, LINE), [-113, -24])
    # 18..20: the chapter's foe beside the gauge (ending codes 18, 19, 20).
    def foe(eye):
        return (path("M4,30 C4,8 28,8 28,30 Z", fill="#5b5f52") + circle(11, 20, 3, eye) + circle(21, 20, 3, eye))
    s.placed(18, "foe", 32, 32, foe(MOON), [124, -17])
    s.placed(19, "foeAngry", 32, 32, foe(EMBER), [124, -17])
    s.placed(20, "foeKing", 32, 32, foe(GOLD) + poly([(6, 8), (10, 2), (16, 8), (22, 2), (26, 8)], GOLD), [124, -17])
    # 28 and 29: the inventory's title rule and its description panel's top.
    s.centred(28, "inventoryRule", 300, 10, rrect(1, 2, 298, 6, 3, GOLD))
    s.centred(29, "descriptionTop", 380, 28, rrect(1.5, 1.5, 377, 40, 12, SLATE, PARCH, LINE))
    # 21..27: the speakers' portraits in the conversation box, standing on
    # the speaker's name (bottom centre): 21 Bram, 22 the narrator, 23
    # Ferryman Ode, 24 Tilda, 25 anyone else, 26 a guard, 27 a villager.
    def speaker(coat, face="#e8c49a", extra=""):
        return portrait(coat, "").replace('fill="#e8c49a"', f'fill="{face}"') + extra
    hat = lambda colour: rrect(26, 8, 52, 14, 6, colour) + rrect(36, 0, 32, 14, 6, colour)
    speakers = [
        (21, "bram", speaker("#6b4a2a", extra=lantern_icon(84, 62, 26, AMBER, GOLD) + rrect(36, 46, 32, 14, 7, STONE))),
        (22, "narrator", rrect(1.5, 1.5, 101, 83, 14, SLATE, PARCH, LINE) +
         path("M18,24 L50,18 L50,70 L18,76 Z M86,24 L54,18 L54,70 L86,76 Z", fill=PARCH)),
        (23, "ode", speaker("#2f4f6f", extra=hat("#5e3c1e"))),
        (24, "tilda", speaker("#b05a3a", extra=rrect(28, 12, 48, 16, 8, PARCH))),
        (25, "anyone", speaker(DUSK, face="#c9b08a")),
        (26, "guard", speaker("#3d6630", extra=path("M28,28 C28,4 76,4 76,28 Z", fill=STONE))),
        (27, "villager", speaker(AMBER, extra=rrect(30, 12, 44, 12, 6, REED))),
    ]
    for frame, name, body in speakers:
        s.placed(frame, f"speaker_{name}", 104, 86, body, [-52, -92])
    # 30..33: Wren walking, standing on her anchor.
    skin = "#e8c49a"
    names = []
    for i, st in enumerate((-1, 0, 1, 0)):
        body = figure(48, 120, 84, TEAL, skin, st, rrect(38, 40, 20, 6, 3, EMBER) +
                      path(f"M54,70 L{64 + st * 2},84", stroke=AMBER, sw=3))
        s.placed(30 + i, f"wrenWalk{i}", 96, 128, body, [-48, -128])
        names.append(f"wrenWalk{i}")
    s.animations = [{"name": "wrenWalk", "frames": [{"frame": n, "time": 3} for n in names]}]
    write("art/hud/status.svg", s.sheet.svg())
    return s.description("../art/hud/status.svg")


# The key prompt's icons by their first animation: the digit keys show their
# digit, the keys that double as directions their arrow, 5 the OK ring.
PROMPT_ICONS = [(16, "0"), (19, "1"), (22, (0, -1)), (25, "3"), (28, (-1, 0)), (31, "ok"), (34, (1, 0)),
                (37, "7"), (40, (0, 1)), (43, "9")]


def prompt_icon_looks(what):
    """A key prompt icon's four looks, each 96 round: it idles with a pulsing
    rim, turns gold when tapped and takes an ember rim and slash when missed.
    The icons are drawn onto slot 27's sheet (scene_sprites.effects)."""
    if what == "ok":
        glyph = lambda colour: ring_icon(48, 48, 64, colour)
    elif isinstance(what, tuple):
        glyph = lambda colour: arrow_glyph(48, 48, 40, what, colour)
    else:
        glyph = lambda colour: lettering(what, 48, 70, 44, colour, weight=1.8)
    return {
        "idle": circle(48, 48, 45, SLATE, PARCH, LINE) + glyph(PARCH),
        "pulse": circle(48, 48, 45, SLATE, GOLD, LINE + 2) + glyph(PARCH),
        "tapped": circle(48, 48, 45, GOLD, PARCH, LINE) + glyph(NIGHT),
        "missed": (circle(48, 48, 45, SLATE, EMBER, LINE + 2) + glyph(STONE) +
                   path("M24,24 L72,72", stroke=EMBER, sw=8)),
    }


def prompt_tap_area():
    """Frame 109 of slot 27: the size of an icon's touch area, a thumb wide."""
    return circle(60, 60, 58, "none", DUSK, FINE)


# --- help pictures (strips of frames, one cell each, for the world's sprites) --

def strip(name, w, h, cells):
    body = "".join(f'<g transform="translate({i * w},0)">{c}</g>' for i, c in enumerate(cells))
    write(f"art/help/{name}.svg", svg(w * len(cells), h, body))


def figure(cx, foot, tall, coat, skin, step, extra=""):
    """A walking figure: head, coat, two legs swinging by step (-1..1)."""
    u = tall / 16
    legs = (path(f"M{cx - u},{foot - 5 * u} L{cx - u + step * 2 * u},{foot}", stroke=LEGS, sw=2.2 * u) +
            path(f"M{cx + u},{foot - 5 * u} L{cx + u - step * 2 * u},{foot}", stroke=LEGS, sw=2.2 * u))
    return (legs + rrect(cx - 3 * u, foot - 11 * u, 6 * u, 7 * u, 2 * u, coat) +
            circle(cx, foot - 13.5 * u, 2.5 * u, skin) + extra)


def help_pictures():
    skin = "#e8c49a"
    steps = (-1, 0, 1, 0)
    # Page 0: the two partners walking (Wren with her sling, Bram with his lantern).
    strip("wren_walk", 96, 128, [
        figure(48, 120, 84, TEAL, skin, st, rrect(38, 40, 20, 6, 3, EMBER) +
               path(f"M54,70 L{64 + st * 2},84", stroke=AMBER, sw=3)) for st in steps])
    strip("bram_walk", 96, 128, [
        figure(48, 122, 110, "#6b4a2a", skin, st, lantern_icon(70, 78 + abs(st) * 2, 30, AMBER, GOLD))
        for st in steps])
    # Page 4: a Murkling creeping, then noticing ("!").
    def murkling(x, alert):
        body = (path(f"M{x - 24},100 C{x - 24},60 {x + 24},60 {x + 24},100 Z", fill="#5b5f52") +
                circle(x - 8, 80, 5, MOON) + circle(x + 8, 80, 5, MOON) +
                circle(x - 8, 81, 2, NIGHT) + circle(x + 8, 81, 2, NIGHT))
        if alert:
            body += rrect(x - 4, 22, 8, 22, 3, EMBER) + rrect(x - 4, 48, 8, 8, 3, EMBER)
        return body
    strip("murkling", 128, 112, [murkling(52, False), murkling(60, False), murkling(68, False),
                                 murkling(68, True)])
    # Page 4: a sign to tap, its ring shrinking.
    strip("tap_sign", 112, 112, [circle(56, 56, r, "none", EMBER, 5) + circle(56, 56, 26, SLATE, PARCH, LINE) +
                                 hand_icon(57, 60, 30, PARCH) for r in (50, 44, 38, 32)])
    # Page 5: a coin turning and a hidden lantern lighting up.
    strip("coin", 64, 64, [f'<ellipse cx="32" cy="32" rx="{rx}" ry="24" fill="{GOLD}" stroke="{AMBER}" stroke-width="3"/>'
                           for rx in (24, 16, 6, 16)])
    strip("hidden_lantern", 96, 112, [lantern_icon(48, 60, 84, STONE if i == 0 else AMBER,
                                                   [DUSK, EMBER, GOLD, GOLD][i]) +
                                      ("" if i < 3 else circle(48, 58, 44, "none", GOLD, 2))
                                      for i in range(4)])
    # Page 5: combining rope and hook in the satchel.
    rope = path("M20,30 C40,10 60,50 80,30 C100,10 110,40 100,60", stroke="#c9a56a", sw=6)
    hook = path("M40,20 L40,60 C40,80 70,80 70,60", stroke=STONE, sw=7)
    strip("combine", 160, 96, [
        f'<g transform="translate(0,10)">{rope}</g>' + f'<g transform="translate(86,6)">{hook}</g>',
        f'<g transform="translate(18,10)">{rope}</g>' + f'<g transform="translate(68,6)">{hook}</g>',
        f'<g transform="translate(30,10)">{rope}</g>' + f'<g transform="translate(56,6)">{hook}</g>' +
        spark_icon(88, 40, 40, GOLD),
        f'<g transform="translate(0,10)">{rope}</g>' + f'<g transform="translate(60,6)">{hook}</g>' +
        circle(101, 68, 10, "none", GOLD, 3)])


def main():
    write_json("logos/studio.json", studio_logo())
    write_json("logos/game.json", game_logo())
    write_json("common/title.json", title_picture())
    write_json("common/results.json", results_sprite())
    write_json("ui/interface.json", interface_sprite())
    write_json("ui/hud.json", hud_sprite())
    # Slot 11 of the game, loaded from the hero pack.
    write_json("ui/status.json", status_sprite())
    write("art/common/emblem.svg", svg(64, 64, rrect(1.5, 1.5, 61, 61, 12, NIGHT, GOLD, LINE) +
                                        lantern_icon(32, 32, 44, GOLD, EMBER)))
    help_pictures()
    write_json("logos.pack.json", {"pack": 126, "compress": True, "sprites": ["logos/studio.json", "logos/game.json"]})
    write_json("common.pack.json", {"pack": 139, "compress": True,
                                    "sprites": ["common/title.json", "common/results.json", {"empty": True},
                                                {"image": "art/common/emblem.svg"}]})
    write_json("ui.pack.json", {"pack": 190, "compress": True, "sprites": ["ui/interface.json", "ui/hud.json"]})


if __name__ == "__main__":
    main()
