"""The ten places: a tile set per room (ground, details and what stands in
front of the actors) and the room's map, each drawn for its place.

A room's header names its sprite set; set 1 cannot be named (the loader
reads 1 as 0), so the Reedmarsh crossing uses set 10. Tile set n lies in
entries 6n + 2 (ground), 6n + 4 (details) and 6n + 6 (front) of the tile
pack, and its legend in maps/tileset<n>.txt.

Collision characters: '#' solid, '2' walkable but drawn over the actors
(reeds, doorways), '3' water a character may not wade.
"""
import math
import os
import random

from draw_interface_art import AMBER, DEEP, DUSK, EMBER, GOLD, MOON, NIGHT, PARCH, REED, SLATE, STONE, TEAL, svg

ROOM_SETS = [0, 10, 2, 3, 4, 5, 6, 7, 8, 9]
PLACES = ["the Dry Lock at Millrace", "the Reedmarsh crossing", "Tilda's mill", "the Drowned Orchard",
          "the Saltglass Caves", "Ferrow's Bridge", "the Sluice Gardens", "the Weir Tower", "the Deep Cistern",
          "the Heartwheel"]


def rect(x, y, w, h, fill, extra=""):
    return f'<rect x="{x}" y="{y}" width="{w}" height="{h}" fill="{fill}"{extra}/>'


def dots(rng, colour, n, r=(1, 2), box=(2, 30)):
    out = ""
    for _ in range(n):
        out += f'<circle cx="{rng.randint(*box)}" cy="{rng.randint(*box)}" r="{rng.choice(range(r[0], r[1] + 1))}" ' \
               f'fill="{colour}"/>'
    return out


def blades(rng, colour, n):
    out = ""
    for _ in range(n):
        x, y = rng.randint(3, 28), rng.randint(8, 30)
        out += f'<path d="M{x},{y} l-2,-6 M{x},{y} l2,-7" stroke="{colour}" stroke-width="2" fill="none"/>'
    return out


def ripple(rng, colour, n=2):
    out = ""
    for _ in range(n):
        x, y = rng.randint(2, 16), rng.randint(6, 28)
        out += f'<path d="M{x},{y} q4,-3 8,0 t8,0" stroke="{colour}" stroke-width="2" fill="none"/>'
    return out


def bricks(face, mortar, offset=0):
    out = rect(0, 0, 32, 32, face)
    for row in range(4):
        y = row * 8
        out += rect(0, y + 7, 32, 1, mortar)
        shift = (row % 2) * 8 + offset
        for x in (shift, shift + 16):
            out += rect(x % 32, y, 1, 8, mortar)
    return out


def planks(wood, seam, vertical=False):
    out = rect(0, 0, 32, 32, wood)
    for k in (7, 15, 23, 31):
        out += rect(k, 0, 1, 32, seam) if vertical else rect(0, k, 32, 1, seam)
    out += f'<circle cx="4" cy="{3 if not vertical else 28}" r="1" fill="{seam}"/>'
    return out


def cobbles(rng, base, stone, line):
    out = rect(0, 0, 32, 32, base)
    for cx, cy in ((8, 8), (24, 8), (16, 20), (4, 26), (28, 26)):
        out += f'<ellipse cx="{cx + rng.randint(-1, 1)}" cy="{cy + rng.randint(-1, 1)}" rx="6" ry="5" fill="{stone}" ' \
               f'stroke="{line}" stroke-width="1"/>'
    return out


def cracks(rng, base, line):
    out = rect(0, 0, 32, 32, base)
    x, y = rng.randint(0, 10), rng.randint(0, 32)
    for _ in range(3):
        nx, ny = x + rng.randint(6, 12), y + rng.randint(-8, 8)
        out += f'<path d="M{x},{y} L{nx},{ny}" stroke="{line}" stroke-width="2"/>'
        x, y = nx, ny
    return out


def edge(top, bottom, wavy=True):
    d = "M0,14 q8,-4 16,0 t16,0 L32,32 L0,32 Z" if wavy else "M0,14 L32,14 L32,32 L0,32 Z"
    return rect(0, 0, 32, 32, top) + f'<path d="{d}" fill="{bottom}"/>'


class TileSet:
    """One room's three tile sheets and their legend."""

    def __init__(self, number, title, seed):
        self.number, self.title = number, title
        self.rng = random.Random(seed)
        self.layers = {0: [], 2: [], 3: []}
        self.legend = []

    def add(self, layer, char, body):
        # One legend serves the three layers.
        assert all(c != char for c, _ in self.legend) and char != ".", char
        self.legend.append((char, len(self.layers[layer])))
        self.layers[layer].append(body)

    def write(self, sprites_dir, maps_dir):
        names = {0: "ground", 2: "details", 3: "front"}
        out = {}
        for layer, tiles in self.layers.items():
            name = f"{names[layer]}{self.number}"
            # Nested svgs clip each tile to its 32 x 32 cell.
            body = "".join(f'<svg x="{i * 34}" y="0" width="32" height="32">{t}</svg>' for i, t in enumerate(tiles))
            with open(os.path.join(sprites_dir, "art", "world", f"{name}.svg"), "w", encoding="utf-8") as f:
                f.write(svg(34 * len(tiles) - 2, 32, body))
            desc = {"art": f"../art/world/{name}.svg", "flags": ["offsetsShort"],
                    "modules": [{"name": f"tile{i}", "rect": [i * 34, 0, 32, 32]} for i in range(len(tiles))],
                    "frames": []}
            import json
            with open(os.path.join(sprites_dir, "world", f"{name}.json"), "w", encoding="utf-8") as f:
                f.write(json.dumps(desc, separators=(",", ":")) + "\n")
            out[layer] = f"world/{name}.json"
        lines = [f"; Tile set {self.number}: {self.title}: the ground (sprite slot 7), its details",
                 "; (slot 9) and what stands in front (slot 10).", "; character  tile", ". 255"]
        lines += [f"{c} {i}" for c, i in self.legend]
        with open(os.path.join(maps_dir, f"tileset{self.number}.txt"), "w", encoding="utf-8") as f:
            f.write("\n".join(lines) + "\n")
        return out


class Grid:
    """The five layers of a map as character rows."""

    def __init__(self, cols, rows, fill="g"):
        self.cols, self.rows = cols, rows
        self.g = [[fill] * cols for _ in range(rows)]
        self.d = [["."] * cols for _ in range(rows)]
        self.f = [["."] * cols for _ in range(rows)]
        self.c = [["."] * cols for _ in range(rows)]

    def inside(self, x, y):
        return 0 <= x < self.cols and 0 <= y < self.rows

    def put(self, x, y, ground=None, detail=None, front=None, col=None):
        if not self.inside(x, y):
            return
        if ground:
            self.g[y][x] = ground
        if detail:
            self.d[y][x] = detail
        if front:
            self.f[y][x] = front
        if col:
            self.c[y][x] = col

    def box(self, x0, y0, w, h, **kw):
        for y in range(y0, y0 + h):
            for x in range(x0, x0 + w):
                self.put(x, y, **kw)

    def border(self, ground, col="#"):
        for x in range(self.cols):
            self.put(x, 0, ground, col=col)
            self.put(x, self.rows - 1, ground, col=col)
        for y in range(self.rows):
            self.put(0, y, ground, col=col)
            self.put(self.cols - 1, y, ground, col=col)

    def text(self, title, tileset):
        out = [f"; Chapter {title}", f"tileset {tileset}", "layer 0"] + ["".join(r) for r in self.g]
        out += ["", "layer 2"] + ["".join(r) for r in self.d]
        out += ["", "layer 3"] + ["".join(r) for r in self.f]
        out += ["", "layer 4"] + ["".join(r) for r in self.c] + [""]
        return "\n".join(out)


def scatter(grid, rng, chance, where, **kw):
    for y in range(grid.rows):
        for x in range(grid.cols):
            if where(x, y) and rng.random() < chance:
                grid.put(x, y, **kw)


# --- tile vocabularies shared by the places, in each place's colours -------------------

def common_ground(t, grass, grass2, earth, water, water_hi, stone, stone_line):
    r = t.rng
    t.add(0, "g", rect(0, 0, 32, 32, grass) + dots(r, grass2, 5))
    t.add(0, "h", rect(0, 0, 32, 32, grass) + blades(r, grass2, 4))
    t.add(0, "e", rect(0, 0, 32, 32, earth) + dots(r, stone_line, 3, (1, 1)))
    t.add(0, "p", cobbles(r, earth, stone, stone_line))
    t.add(0, "w", rect(0, 0, 32, 32, water) + ripple(r, water_hi, 1))
    t.add(0, "v", rect(0, 0, 32, 32, water) + ripple(r, water_hi, 2))
    t.add(0, "s", rect(0, 0, 32, 32, stone) + rect(0, 0, 32, 2, stone_line) + rect(0, 0, 2, 32, stone_line))
    t.add(0, "b", bricks(stone, stone_line))
    t.add(0, "n", edge(grass, water))
    t.add(0, "u", edge(water, grass))


def reeds_tile(colour, tip):
    return "".join(f'<path d="M{x},32 C{x - 3},20 {x + 3},10 {x + (x % 5) - 2},{4 + x % 7}" stroke="{colour}" '
                   f'stroke-width="3" fill="none"/>' for x in (5, 12, 19, 26)) + \
        "".join(f'<rect x="{x + (x % 5) - 4}" y="{2 + x % 7}" width="4" height="9" rx="2" fill="{tip}"/>'
                for x in (12, 26))


def rock_tile(fill, line):
    return f'<path d="M4,30 L6,16 L16,8 L26,12 L30,30 Z" fill="{fill}" stroke="{line}" stroke-width="2"/>'


def flower_tile(colours):
    return "".join(f'<circle cx="{x}" cy="{y}" r="3" fill="{c}"/><circle cx="{x}" cy="{y}" r="1" fill="{GOLD}"/>'
                   for (x, y), c in zip(((8, 10), (22, 8), (14, 22), (26, 24)), colours))


def canopy_tile(leaf, dark, part):
    """One of the six tiles (three across, two down) of a tree's crown, which
    stands centred over the trunk's tile."""
    col, row = part % 3, part // 3
    cx, cy = 48 - 32 * col, 33 - 32 * row
    return (f'<ellipse cx="{cx}" cy="{cy}" rx="44" ry="30" fill="{leaf}"/>' +
            f'<circle cx="{cx - 14}" cy="{cy - 12}" r="8" fill="{dark}"/><circle cx="{cx + 16}" cy="{cy + 8}" r="6" '
            f'fill="{dark}"/>')


def crown(grid, tx, ty):
    """The crown's six tiles over the trunk at (tx, ty)."""
    for part in range(6):
        grid.put(tx - 1 + part % 3, ty - 2 + part // 3, front="123456"[part])


def trunk_tile(bark, line):
    return rect(10, 0, 12, 32, bark) + f'<path d="M14,4 L14,26 M18,8 L18,30" stroke="{line}" stroke-width="2"/>' + \
        f'<path d="M6,32 L10,22 L22,22 L26,32 Z" fill="{bark}"/>'


def wall_top(fill, line):
    return rect(0, 0, 32, 12, fill) + rect(0, 12, 32, 3, line) + rect(0, 0, 32, 2, line)


def lamp_tile():
    return (rect(14, 10, 4, 22, NIGHT) + f'<rect x="9" y="2" width="14" height="12" rx="3" fill="{AMBER}" stroke="{NIGHT}" '
            f'stroke-width="2"/>' + rect(12, 5, 8, 6, GOLD))


def crystal_tile(glass, light):
    return (f'<path d="M6,32 L10,10 L14,32 Z" fill="{glass}"/><path d="M13,32 L18,2 L23,32 Z" fill="{light}"/>'
            f'<path d="M21,32 L26,14 L30,32 Z" fill="{glass}"/>')


def pillar_top(fill, line):
    return f'<rect x="4" y="0" width="24" height="32" fill="{fill}"/><rect x="2" y="24" width="28" height="8" ' \
        f'fill="{line}"/>'


def great_wheel(cx, cy, brass, dark):
    """The great water-wheel seen from above: rim, paddles, spokes, hub."""
    out = f'<circle cx="{cx}" cy="{cy}" r="100" fill="none" stroke="{dark}" stroke-width="14"/>'
    out += f'<circle cx="{cx}" cy="{cy}" r="100" fill="none" stroke="{brass}" stroke-width="6"/>'
    for k in range(12):
        a = math.radians(30 * k)
        x, y = cx + 100 * math.cos(a), cy + 100 * math.sin(a)
        out += (f'<rect x="{x - 14:.1f}" y="{y - 6:.1f}" width="28" height="12" fill="#7a5a30" stroke="{NIGHT}" '
                f'stroke-width="2" transform="rotate({30 * k + 90},{x:.1f},{y:.1f})"/>')
        if k % 2 == 0:
            out += (f'<path d="M{cx},{cy} L{cx + 96 * math.cos(a):.1f},{cy + 96 * math.sin(a):.1f}" '
                    f'stroke="{dark}" stroke-width="10"/>')
    out += f'<circle cx="{cx}" cy="{cy}" r="26" fill="{brass}" stroke="{NIGHT}" stroke-width="3"/>'
    out += f'<circle cx="{cx}" cy="{cy}" r="10" fill="{dark}"/>' + f'<circle cx="{cx}" cy="{cy}" r="4" fill="{GOLD}"/>'
    return out


def gear_tile(part, metal, dark):
    cx, cy = (32 if part % 2 == 0 else 0), (32 if part < 2 else 0)
    teeth = "".join(f'<rect x="{cx - 4}" y="{cy - 34}" width="8" height="10" fill="{metal}" '
                    f'transform="rotate({a},{cx},{cy})"/>' for a in range(0, 360, 30))
    return teeth + f'<circle cx="{cx}" cy="{cy}" r="26" fill="{metal}"/><circle cx="{cx}" cy="{cy}" r="12" fill="{dark}"/>'


# --- the rooms --------------------------------------------------------------------------------

def room0():
    t = TileSet(0, "the Dry Lock at Millrace", 100)
    mud, mud_line = "#8a6a45", "#5e4630"
    common_ground(t, "#55703a", "#3d6630", "#7a5a3a", "#2a5a70", TEAL, "#8a8f98", "#5a5e66")
    t.add(0, "m", cracks(t.rng, mud, mud_line))
    t.add(0, "M", cracks(t.rng, mud, mud_line) + dots(t.rng, "#a08058", 3))
    t.add(0, "k", planks("#8a5a30", "#5e3c1e", vertical=True))
    t.add(2, "r", reeds_tile(REED, "#6b4a2a"))
    t.add(2, "o", rock_tile(STONE, "#5a5e66"))
    t.add(2, "l", lamp_tile())
    t.add(2, "x", flower_tile([EMBER, PARCH, GOLD, PARCH]))
    t.add(2, "q", rect(0, 26, 32, 6, "#5e4630") + f'<path d="M2,28 q6,-6 14,0" stroke="{mud_line}" stroke-width="2" fill="none"/>')
    t.add(3, "f", wall_top("#9aa0a8", "#5a5e66"))
    t.add(3, "a", rect(0, 0, 32, 10, "#5e3c1e") + rect(0, 10, 32, 3, NIGHT))
    g = Grid(40, 20)
    r = random.Random(1)
    scatter(g, r, 0.18, lambda x, y: True, ground="h")
    # The dry canal runs across the valley between stone walls.
    g.box(0, 8, 40, 5, ground="m")
    scatter(g, r, 0.25, lambda x, y: 8 <= y <= 12, ground="M")
    g.box(0, 7, 40, 1, ground="b", front="f", col="#")
    g.box(0, 13, 40, 1, ground="b", col="#")
    # The lock chamber: gates of planks at columns 16 and 26, a puddle between.
    for x in (16, 26):
        g.box(x, 8, 1, 5, ground="k", col="#")
        g.put(x, 10, ground="k", col=".")
    g.box(19, 9, 4, 3, ground="w")
    g.box(19, 9, 4, 3, col="3")
    g.put(20, 10, ground="v")
    # Steps down into the canal.
    for x in (6, 33):
        g.put(x, 7, ground="s", front=".", col=".")
        g.put(x, 13, ground="s", col=".")
    # The towpath and the mill's wall at the top left.
    g.box(0, 4, 40, 1, ground="p")
    g.box(1, 1, 10, 2, ground="b", col="#")
    g.box(1, 0, 10, 1, ground="b", front="a", col="#")
    g.put(5, 2, ground="k", col="2")
    for x in (4, 14, 24, 34):
        g.put(x, 3, detail="l", col="#")
    scatter(g, r, 0.12, lambda x, y: y in (5, 6, 14, 15, 16, 17) and g.g[y][x] in "gh", detail="r", col="2")
    scatter(g, r, 0.04, lambda x, y: y >= 14 and g.d[y][x] == ".", detail="o", col="#")
    scatter(g, r, 0.06, lambda x, y: y >= 15 and g.d[y][x] == ".", detail="x")
    scatter(g, r, 0.08, lambda x, y: 8 <= y <= 12 and g.g[y][x] in "mM" and g.c[y][x] == ".", detail="q")
    g.border("b")
    return t, g


def room1():
    t = TileSet(10, "the Reedmarsh crossing", 101)
    common_ground(t, "#4d6a42", "#2f5a38", "#5e4a34", "#2c4f4a", "#5f9a8a", "#7a7f70", "#4a4e40")
    t.add(0, "k", planks("#9a6a3a", "#5e3c1e"))
    t.add(0, "K", planks("#9a6a3a", "#5e3c1e", vertical=True))
    t.add(0, "z", rect(0, 0, 32, 32, "#2c4f4a") + dots(t.rng, "#3d6630", 6, (2, 4)))
    t.add(2, "r", reeds_tile("#4f7a3a", "#6b4a2a"))
    t.add(2, "R", reeds_tile("#3d6630", "#8a5a30"))
    t.add(2, "y", f'<ellipse cx="16" cy="18" rx="12" ry="7" fill="#3d6630"/><circle cx="18" cy="16" r="3" fill="{PARCH}"/>')
    t.add(2, "o", rect(13, 4, 6, 28, "#5e3c1e") + rect(11, 2, 10, 4, "#5e3c1e"))
    t.add(3, "t", reeds_tile("#5f8a48", "#8a5a30"))
    g = Grid(26, 60, "w")
    r = random.Random(2)
    scatter(g, r, 0.2, lambda x, y: True, ground="v")
    scatter(g, r, 0.15, lambda x, y: True, ground="z")
    g.box(0, 0, 26, 60, col="3")
    # Mud islands thick with reeds.
    for cx, cy, rad in ((4, 8, 3), (21, 16, 4), (5, 30, 4), (20, 40, 3), (8, 52, 3), (19, 55, 2)):
        for y in range(cy - rad, cy + rad + 1):
            for x in range(cx - rad, cx + rad + 1):
                if (x - cx) ** 2 + (y - cy) ** 2 <= rad * rad:
                    g.put(x, y, ground="g" if r.random() < 0.6 else "h", col=".")
                    if r.random() < 0.45:
                        g.put(x, y, detail="r" if r.random() < 0.6 else "R", col="2")
    # The boardwalk winds from the bottom to the top.
    x = 12
    for y in range(59, -1, -1):
        x += int(round(2.4 * math.sin(y / 6.0) - 2.4 * math.sin((y + 1) / 6.0)))
        for dx in range(3):
            g.put(x + dx, y, ground="k", detail=".", col=".")
        if y % 6 == 0:
            g.put(x - 1, y, detail="o", col="#")
            g.put(x + 3, y, detail="o", col="#")
    scatter(g, r, 0.05, lambda x, y: g.g[y][x] in "wvz", detail="y")
    scatter(g, r, 0.05, lambda x, y: g.g[y][x] in "wvz" and g.d[y][x] == ".", front="t")
    return t, g


def room2():
    t = TileSet(2, "Tilda's mill", 102)
    common_ground(t, "#6a7a3a", "#4e5e2a", "#8a6a4a", "#2a5a70", TEAL, "#a89a84", "#6a5e4e")
    t.add(0, "k", planks("#a87a48", "#6b4a2a"))
    t.add(0, "y", rect(0, 0, 32, 32, "#c9b48a") + dots(t.rng, "#a8946a", 8, (1, 1)))
    t.add(0, "c", bricks("#c8c0b0", "#8a8070"))
    t.add(2, "S", f'<path d="M8,31 C2,20 8,10 12,8 L20,8 C24,10 30,20 24,31 Z" fill="#d8c49a" stroke="{NIGHT}" '
                  f'stroke-width="2"/><path d="M12,10 L20,10" stroke="{AMBER}" stroke-width="3"/>')
    t.add(2, "F", rect(0, 12, 32, 4, "#8a5a30") + rect(0, 22, 32, 4, "#8a5a30") + rect(4, 6, 5, 26, "#6b4a2a") +
          rect(22, 6, 5, 26, "#6b4a2a"))
    t.add(2, "W", f'<circle cx="16" cy="16" r="13" fill="#8a8f98" stroke="{NIGHT}" stroke-width="2"/>'
                  f'<circle cx="16" cy="16" r="4" fill="{NIGHT}"/>')
    t.add(2, "x", flower_tile([GOLD, PARCH, EMBER, GOLD]))
    t.add(2, "l", lamp_tile())
    t.add(3, "a", rect(0, 0, 32, 14, "#6b3a2a") + f'<path d="M0,14 L32,14" stroke="{NIGHT}" stroke-width="3"/>' +
          "".join(rect(x, 0, 2, 14, "#4a2a1f") for x in (7, 15, 23)))
    t.add(3, "j", rect(0, 0, 32, 6, "#6b4a2a") + rect(0, 6, 32, 2, NIGHT))
    g = Grid(36, 22, "y")
    r = random.Random(3)
    scatter(g, r, 0.3, lambda x, y: True, ground="e")
    g.box(0, 14, 36, 8, ground="g")
    scatter(g, r, 0.3, lambda x, y: y >= 14, ground="h")
    # The mill house: walls, roof eaves in front, a plank floor at the door.
    g.box(4, 1, 16, 7, ground="c", col="#")
    g.box(4, 0, 16, 1, front="a", col="#")
    g.box(4, 8, 16, 1, front="a")
    g.box(10, 6, 4, 3, ground="k", col="2")
    # The millrace comes down the right side and under the wheel.
    g.box(27, 0, 4, 22, ground="w", col="3")
    scatter(g, r, 0.3, lambda x, y: 27 <= x < 31, ground="v")
    g.box(26, 0, 1, 22, ground="n" if False else "s", col="#")
    g.box(31, 0, 1, 22, ground="s", col="#")
    g.put(28, 4, detail="W", col="#")
    g.box(26, 12, 6, 2, ground="k", col=".", front="j")
    # Sacks by the door, a fence to the south, the lane.
    for x, y in ((8, 9), (9, 9), (15, 9), (16, 10), (17, 9)):
        g.put(x, y, detail="S", col="#")
    g.box(1, 15, 22, 1, detail="F", col="#")
    g.put(12, 15, detail=".", col=".")
    g.box(11, 9, 2, 13, ground="p")
    scatter(g, r, 0.07, lambda x, y: y >= 16 and g.g[y][x] in "gh" and g.d[y][x] == ".", detail="x")
    for x, y in ((3, 10), (22, 10)):
        g.put(x, y, detail="l", col="#")
    g.border("s")
    return t, g


def room3():
    t = TileSet(3, "the Drowned Orchard", 103)
    common_ground(t, "#5a7a40", "#426a30", "#6a5a3a", "#3a6a6a", "#7fb0a8", "#7a8070", "#4e5448")
    t.add(0, "a", rect(0, 0, 32, 32, "#3a6a6a") + dots(t.rng, "#4f7a3a", 4, (2, 3)) + ripple(t.rng, "#7fb0a8", 1))
    t.add(2, "T", trunk_tile("#5e3c1e", "#3e2814"))
    t.add(2, "A", f'<circle cx="10" cy="22" r="5" fill="{EMBER}"/><circle cx="22" cy="26" r="5" fill="{EMBER}"/>'
                  f'<path d="M10,17 l2,-4" stroke="#3d6630" stroke-width="2"/>')
    t.add(2, "r", reeds_tile("#4f7a3a", "#6b4a2a"))
    t.add(2, "L", f'<ellipse cx="16" cy="16" rx="11" ry="6" fill="#4f7a3a"/><path d="M16,16 L26,12" stroke="#2f5a38" '
                  f'stroke-width="2"/>')
    for part in range(6):
        t.add(3, "123456"[part], canopy_tile("#3f7a34", "#2f5a28", part))
    t.add(3, "c", rect(0, 0, 32, 32, "#3f7a34") + dots(t.rng, EMBER, 2, (2, 3)) + dots(t.rng, "#2f5a28", 3, (3, 5)))
    g = Grid(40, 24, "w")
    r = random.Random(4)
    scatter(g, r, 0.35, lambda x, y: True, ground="a")
    scatter(g, r, 0.15, lambda x, y: True, ground="v")
    # Raised rows of grass between the flooded furrows; the trees stand on them.
    for y0 in (3, 10, 17):
        g.box(2, y0, 36, 3, ground="g")
        scatter(g, r, 0.3, lambda x, y, y0=y0: y0 <= y < y0 + 3 and 2 <= x < 38, ground="h")
        for x in range(5, 36, 6):
            tx = x + r.randint(-1, 1)
            g.put(tx, y0 + 1, detail="T", col="#")
            crown(g, tx, y0 + 1)
            if r.random() < 0.5:
                g.put(tx + 1, y0 + 2, detail="A")
    # Wading is slow but allowed in the shallows; the deep ditch is not.
    g.box(0, 22, 40, 2, ground="v", col="3")
    scatter(g, r, 0.06, lambda x, y: g.g[y][x] in "wav" and g.d[y][x] == ".", detail="L")
    scatter(g, r, 0.05, lambda x, y: g.g[y][x] in "wa" and g.d[y][x] == ".", detail="r", col="2")
    g.border("b")
    return t, g


def room4():
    t = TileSet(4, "the Saltglass Caves", 104)
    floor, rock, line = "#3a3f52", "#23263a", "#14161f"
    common_ground(t, "#4a4f62", "#3a3f52", floor, "#1d3a4a", "#4f8aa0", "#5a5e76", line)
    t.add(0, "c", rect(0, 0, 32, 32, rock) + dots(t.rng, "#2e3248", 5, (2, 4)))
    t.add(0, "C", rect(0, 0, 32, 32, rock) + f'<path d="M0,28 L10,22 L20,26 L32,20 L32,32 L0,32 Z" fill="#2e3248"/>')
    t.add(0, "l", rect(0, 0, 32, 32, floor) + dots(t.rng, "#d8e8f0", 4, (1, 1)))
    t.add(2, "X", crystal_tile("#9fd0e0", "#e0f4ff"))
    t.add(2, "Y", crystal_tile("#c0a0e0", "#f0e0ff"))
    t.add(2, "o", rock_tile("#4a4f62", line))
    t.add(2, "P", f'<ellipse cx="16" cy="20" rx="12" ry="6" fill="#1d3a4a"/><ellipse cx="14" cy="19" rx="5" ry="2" '
                  f'fill="#4f8aa0"/>')
    t.add(3, "i", f'<path d="M4,0 L10,20 L16,0 Z" fill="#9fd0e0"/><path d="M18,0 L24,14 L30,0 Z" fill="#5a5e76"/>')
    t.add(3, "S", rect(0, 0, 32, 14, rock) + f'<path d="M0,14 L6,22 L12,14 L20,24 L26,14 L32,18 L32,14 Z" fill="{rock}"/>')
    g = Grid(38, 24, "c")
    r = random.Random(5)
    # Caves carved by a few smoothing passes over noise, joined by a passage.
    cells = [[r.random() < 0.42 or x in (0, 37) or y in (0, 23) for x in range(38)] for y in range(24)]
    for _ in range(4):
        nxt = []
        for y in range(24):
            row = []
            for x in range(38):
                n = sum(cells[yy][xx] for yy in range(y - 1, y + 2) for xx in range(x - 1, x + 2)
                        if 0 <= yy < 24 and 0 <= xx < 38 and (yy, xx) != (y, x))
                edge = x in (0, 37) or y in (0, 23)
                row.append(edge or n >= 5 or (n >= 4 and cells[y][x]))
            nxt.append(row)
        cells = nxt
    for x in range(2, 36):
        cells[12 + int(3 * math.sin(x / 4))][x] = False
        cells[13 + int(3 * math.sin(x / 4))][x] = False
    for y in range(24):
        for x in range(38):
            if cells[y][x]:
                g.put(x, y, ground="c", col="#")
                if y + 1 < 24 and not cells[y + 1][x]:
                    g.put(x, y, ground="C")
                    g.put(x, y + 1, front="S")
            else:
                g.put(x, y, ground="e" if r.random() < 0.7 else "l", col=".")
    scatter(g, r, 0.08, lambda x, y: g.c[y][x] == "." and y > 0 and cells[y - 1][x], detail="X", col="#")
    scatter(g, r, 0.04, lambda x, y: g.c[y][x] == "." and g.d[y][x] == ".", detail="Y", col="#")
    scatter(g, r, 0.04, lambda x, y: g.c[y][x] == "." and g.d[y][x] == ".", detail="P")
    scatter(g, r, 0.06, lambda x, y: cells[y][x] and g.f[y][x] == "." and y < 23 and not cells[min(23, y + 1)][x],
            front="i")
    return t, g


def room5():
    t = TileSet(5, "Ferrow's Bridge", 105)
    common_ground(t, "#62803e", "#4a6a2e", "#8a7048", "#2a5a80", "#7fc0d0", "#9a9488", "#66604e")
    t.add(0, "k", planks("#9a6a3a", "#5e3c1e", vertical=True))
    t.add(0, "j", rect(0, 0, 32, 32, "#2a5a80") + f'<path d="M0,10 q8,6 16,0 t16,0 M0,24 q8,6 16,0 t16,0" '
                                                   f'stroke="#7fc0d0" stroke-width="2" fill="none"/>')
    t.add(2, "T", trunk_tile("#6b4a2a", "#4a321c"))
    t.add(2, "o", rock_tile("#9a9488", "#66604e"))
    t.add(2, "B", rect(0, 2, 32, 6, "#5e3c1e") + rect(4, 0, 6, 32, "#5e3c1e") + rect(22, 0, 6, 32, "#5e3c1e"))
    t.add(2, "x", flower_tile([PARCH, GOLD, PARCH, EMBER]))
    for part in range(6):
        t.add(3, "123456"[part], canopy_tile("#4a7a30", "#32581f", part))
    t.add(3, "R", rect(0, 18, 32, 6, "#5e3c1e") + rect(2, 12, 5, 20, "#4a321c") + rect(25, 12, 5, 20, "#4a321c"))
    g = Grid(44, 20)
    r = random.Random(6)
    scatter(g, r, 0.2, lambda x, y: True, ground="h")
    # The river Ferrow runs from top to bottom, bending.
    for y in range(20):
        c = 18 + int(3 * math.sin(y / 3.5))
        for x in range(c, c + 8):
            g.put(x, y, ground="j" if (x + y) % 3 == 0 else "w", col="3")
        g.put(c - 1, y, ground="n", col="#")
        g.put(c + 8, y, ground="u", col="#")
    # The bridge crosses on rows 9..11 with its railings.
    g.box(12, 9, 20, 3, ground="k", col=".")
    g.box(12, 8, 20, 1, detail="B", col="#")
    g.box(12, 12, 20, 1, front="R", col="#")
    g.box(0, 10, 12, 1, ground="p")
    g.box(32, 10, 12, 1, ground="p")
    for tx, ty in ((4, 4), (9, 15), (36, 3), (40, 15), (6, 17), (38, 7)):
        g.put(tx, ty, detail="T", col="#")
        crown(g, tx, ty)
    scatter(g, r, 0.05, lambda x, y: g.g[y][x] in "gh" and g.d[y][x] == ".", detail="o", col="#")
    scatter(g, r, 0.06, lambda x, y: g.g[y][x] in "gh" and g.d[y][x] == ".", detail="x")
    g.border("b")
    return t, g


def room6():
    t = TileSet(6, "the Sluice Gardens", 106)
    common_ground(t, "#6a8a44", "#50703a", "#7a5a3a", "#2a6a80", "#8ad0e0", "#b0a894", "#7a725e")
    t.add(0, "k", planks("#9a6a3a", "#5e3c1e"))
    t.add(0, "H", rect(0, 0, 32, 32, "#2f5a28") + dots(t.rng, "#3f7a34", 6, (3, 6)))
    t.add(0, "y", rect(0, 0, 32, 32, "#6b4a2a") + "".join(rect(0, k, 32, 2, "#5a3a20") for k in (6, 16, 26)))
    t.add(2, "x", flower_tile([EMBER, GOLD, PARCH, "#c070a0"]))
    t.add(2, "X", flower_tile(["#c070a0", PARCH, "#c070a0", GOLD]))
    t.add(2, "V", f'<path d="M4,30 C4,10 28,10 28,30 Z" fill="#3f7a34"/><circle cx="12" cy="18" r="3" fill="{EMBER}"/>')
    t.add(2, "G", rect(2, 4, 28, 26, "#8a8f98") + rect(6, 8, 20, 18, "#5e3c1e") + rect(6, 14, 20, 3, "#3e2814"))
    t.add(3, "z", rect(0, 0, 32, 16, "#2f5a28") + dots(t.rng, "#3f7a34", 4, (3, 5), (2, 14)))
    g = Grid(26, 60)
    r = random.Random(7)
    scatter(g, r, 0.25, lambda x, y: True, ground="h")
    # Terraces climb the hill; a channel of water crosses each, with a sluice.
    for y0 in range(4, 60, 9):
        g.box(0, y0, 26, 2, ground="w", col="3")
        scatter(g, r, 0.3, lambda x, y, y0=y0: y0 <= y < y0 + 2, ground="v")
        gap = 4 + (y0 * 7) % 17
        g.box(gap, y0, 3, 2, ground="k", col=".")
        g.put(gap - 1, y0, detail="G", col="#")
        g.box(0, y0 + 2, 26, 1, ground="H", front="z", col="2")
        g.box(gap, y0 + 2, 3, 1, ground="p", front=".", col=".")
        for x in range(1, 25, 3):
            if abs(x - gap) > 3:
                g.put(x, y0 + 4, ground="y")
                g.put(x + 1, y0 + 4, ground="y")
                g.put(x, y0 + 4, detail="x" if r.random() < 0.5 else "X")
    scatter(g, r, 0.05, lambda x, y: g.g[y][x] in "gh" and g.d[y][x] == ".", detail="V", col="#")
    # Hedges close the gardens at both sides.
    g.box(0, 0, 1, 60, ground="H", detail=".", col="#")
    g.box(25, 0, 1, 60, ground="H", detail=".", col="#")
    return t, g


def room7():
    t = TileSet(7, "the Weir Tower", 107)
    common_ground(t, "#5a7040", "#44582e", "#7a7060", "#2a5a70", "#a0d0e0", "#8a8a90", "#55555c")
    t.add(0, "f", rect(0, 0, 32, 32, "#2a5a70") + "".join(f'<path d="M{x},0 L{x - 2},32" stroke="{MOON}" stroke-width="2"/>'
                                                          for x in (6, 14, 22, 30)))
    t.add(0, "t", rect(0, 0, 32, 32, "#9a9488") + rect(0, 0, 16, 16, "#8a8478") + rect(16, 16, 16, 16, "#8a8478"))
    t.add(0, "d", bricks("#6a6a72", "#44444c", 4))
    t.add(2, "l", lamp_tile())
    t.add(2, "o", rock_tile("#8a8a90", "#55555c"))
    t.add(2, "D", rect(6, 0, 20, 32, NIGHT) + f'<path d="M6,10 A10,10 0 0 1 26,10" fill="{NIGHT}"/>' +
          rect(14, 0, 4, 32, "#3a4260"))
    t.add(3, "W", wall_top("#7a7a82", "#44444c"))
    t.add(3, "m", rect(0, 0, 32, 20, "#44444c") + "".join(rect(x, 0, 8, 8, "#7a7a82") for x in (0, 16)))
    g = Grid(36, 26)
    r = random.Random(8)
    scatter(g, r, 0.2, lambda x, y: True, ground="h")
    # The weir across the bottom: a falls row and the pool below.
    g.box(0, 19, 36, 1, ground="s", col="#")
    g.box(0, 20, 36, 2, ground="f", col="3")
    g.box(0, 22, 36, 4, ground="w", col="3")
    scatter(g, r, 0.3, lambda x, y: y >= 22, ground="v")
    # The tower: a ring of wall round a tiled yard, a door to the south.
    cx, cy, rad = 18, 9, 7
    for y in range(26):
        for x in range(36):
            d = math.hypot(x - cx, (y - cy) * 1.1)
            if d <= rad - 1:
                g.put(x, y, ground="t", col=".")
            elif d <= rad + 0.4:
                g.put(x, y, ground="d", col="#")
                if y <= cy:
                    g.put(x, y, front="m")
    g.put(cx, cy + rad, ground="t", detail="D", col="2")
    g.put(cx, cy + rad - 1, ground="t", col=".")
    g.box(cx, cy + rad + 1, 1, 3, ground="p")
    g.box(4, 17, 28, 1, ground="p")
    for x in (cx - 3, cx + 3):
        g.put(x, cy, detail="l", col="#")
    scatter(g, r, 0.04, lambda x, y: g.g[y][x] in "gh" and g.d[y][x] == ".", detail="o", col="#")
    g.border("b")
    return t, g


def room8():
    t = TileSet(8, "the Deep Cistern", 108)
    common_ground(t, "#3a4a48", "#2a3a38", "#4a4a50", "#14262e", "#3a6a78", "#6a6e76", "#3a3e46")
    t.add(0, "Q", rect(0, 0, 32, 32, "#0e1a20") + ripple(t.rng, "#24404a", 1))
    t.add(0, "t", rect(0, 0, 32, 32, "#5a5e66") + rect(0, 0, 32, 2, "#3a3e46") + rect(0, 0, 2, 32, "#3a3e46") +
          dots(t.rng, "#4a6a5a", 2, (2, 3)))
    t.add(2, "P", pillar_top("#7a7e86", "#4a4e56"))
    t.add(2, "l", lamp_tile())
    t.add(2, "G", "".join(rect(x, 4, 3, 26, "#3a3e46") for x in (4, 12, 20, 28)) + rect(0, 4, 32, 3, "#3a3e46"))
    t.add(3, "A", rect(0, 0, 32, 12, "#3a3e46") + f'<path d="M0,12 A16,12 0 0 1 32,12 L32,20 L0,20 Z" fill="#3a3e46"/>')
    t.add(3, "Z", pillar_top("#8a8e96", "#5a5e66"))
    g = Grid(36, 24, "Q")
    r = random.Random(9)
    scatter(g, r, 0.2, lambda x, y: True, ground="w")
    g.box(0, 0, 36, 24, col="3")
    # Walkways in a grid over the dark water, pillars where they cross.
    for y in (3, 11, 19):
        g.box(1, y, 34, 2, ground="t", col=".")
    for x in (3, 13, 23, 32):
        g.box(x, 1, 2, 22, ground="t", col=".")
    for x in (3, 13, 23, 32):
        for y in (3, 11, 19):
            if (x + y) % 2 == 0:
                g.put(x + 1, y - 1, ground="t", detail="P", col="#")
                g.put(x + 1, y - 2, front="Z")
    g.box(0, 0, 36, 1, ground="b", front="A", col="#")
    for x, y in ((8, 3), (28, 11), (18, 19)):
        g.put(x, y, detail="l", col="#")
    g.box(16, 7, 4, 1, detail="G", col="#")
    g.border("b")
    return t, g


def room9():
    t = TileSet(9, "the Heartwheel", 109)
    brass, dark = "#b8862a", "#5a4a2a"
    common_ground(t, "#4a5a3a", "#3a4a2e", "#5a4a3a", "#1d4a52", TEAL, "#7a6e5a", "#4a4030")
    t.add(0, "t", rect(0, 0, 32, 32, "#6e5e44") + rect(0, 0, 32, 2, dark) + rect(0, 0, 2, 32, dark) +
          f'<circle cx="6" cy="6" r="2" fill="{brass}"/>')
    t.add(0, "O", rect(0, 0, 32, 32, NIGHT) + dots(t.rng, "#262b3b", 4, (2, 4)))
    t.add(0, "k", planks("#7a5a30", "#4a3218"))
    for part in range(4):
        t.add(2, "1234"[part], gear_tile(part, brass, dark))
    t.add(2, "l", lamp_tile())
    t.add(2, "R", rect(0, 8, 32, 4, brass) + rect(2, 8, 4, 24, dark) + rect(26, 8, 4, 24, dark))
    # The Heartwheel itself, still, sliced into 7 x 7 tiles over the pit.
    wheel = great_wheel(112, 112, brass, dark)
    pieces = "acdfijmoqrxyzACDEFGHIJKLMNPQSTUVXYZ05678!$%&*+-/<=>?@^_~"
    for k in range(49):
        tx, ty = k % 7, k // 7
        t.add(2, pieces[k], f'<svg x="0" y="0" width="32" height="32" viewBox="{tx * 32} {ty * 32} 32 32">{wheel}</svg>')
    t.add(3, "W", f'<path d="M0,20 A40,40 0 0 1 32,4 L32,12 A32,32 0 0 0 0,28 Z" fill="{brass}"/>')
    t.add(3, "B", rect(0, 0, 32, 10, dark) + rect(0, 10, 32, 3, brass))
    g = Grid(34, 24, "t")
    r = random.Random(10)
    # The wheel's pit in the middle, a walkway ring round it, gears by it.
    cx, cy = 17, 12
    for y in range(24):
        for x in range(34):
            d = math.hypot(x - cx, y - cy)
            if d < 6:
                g.put(x, y, ground="O", col="#")
            elif d < 7:
                g.put(x, y, ground="k", detail="R", col="#")
            elif d < 9:
                g.put(x, y, ground="k", col=".")
            if 6 <= d < 7 and y < cy:
                g.put(x, y, front="W")
    for k in range(49):
        g.put(cx - 3 + k % 7, cy - 3 + k // 7, detail=pieces[k])
    for x in range(cx - 1, cx + 2):
        g.put(x, cy + 6, ground="k", detail=".", col=".")
        g.box(x, cy + 7, 1, 4, ground="k")
    for gx, gy in ((4, 4), (27, 4), (4, 17), (27, 17)):
        for k, (dx, dy) in enumerate(((0, 0), (1, 0), (0, 1), (1, 1))):
            g.put(gx + dx, gy + dy, detail="1234"[k], col="#")
    for x, y in ((9, 3), (25, 3), (9, 20), (25, 20)):
        g.put(x, y, detail="l", col="#")
    g.box(0, 0, 34, 1, ground="b", front="B", col="#")
    g.border("b")
    return t, g


ROOMS = [room0, room1, room2, room3, room4, room5, room6, room7, room8, room9]


def places(sprites_dir, maps_dir):
    """Writes every tile set and map; returns the tile pack's entries."""
    entries = [{"empty": True}] * (6 * max(ROOM_SETS) + 7)
    entries = list(entries)
    for k, build in enumerate(ROOMS):
        tiles, grid = build()
        assert tiles.number == ROOM_SETS[k]
        assert grid.cols >= 25 and grid.rows >= 15
        paths = tiles.write(sprites_dir, maps_dir)
        n = tiles.number
        entries[6 * n + 2], entries[6 * n + 4], entries[6 * n + 6] = paths[0], paths[2], paths[3]
        with open(os.path.join(maps_dir, f"room{k}.map"), "w", encoding="utf-8") as f:
            f.write(grid.text(f"{k + 1}: {PLACES[k]}", n))
    return entries


def map_size(k):
    _, grid = ROOMS[k]()
    return grid.cols, grid.rows
