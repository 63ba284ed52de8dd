"""The world's things: effects and icons, projectiles and shadows, what
breaks, doors and gates, blocks that move, the balloon's tail, the race,
the great wheel and the mill-crab.

Numbers the code asks for, by slot:
- 11: the status sheet drawn by draw_interface_art.status_sprite (the
  panel, the gauge, the inventory's pieces and Wren walking for the help).
- 12: frame 0, the speech balloon's tail (top anchored).
- 15: the race: 0 / 1 / 6 left side approaching, engaged, done; 2 / 3 / 7
  the right side; 4, 5 markers; 8 the knot; 9 the side's size; 10, 11 zones.
- 27: animation 0 a Murkling creeping (help); the key prompt's icons 16..45
  (three each: idle, tapped, missed), aim brackets 48..51 (small) and 52..55
  (large), 64 the timing gauge, 66 a puff of dust, 71 a falling shadow,
  72 the carried-item sign; frame 109 the size of a touch button.
- 28: 0 a wearing-out Murkling's flicker, 1 its last flicker, 2 a thrown
  mud ball, 10 its shadow.
- 29: movable blocks: 0 / 1 crate still / shoved, 2 / 5 millstone still /
  rolling, 6 / 7 sack, 8 / 9 slider gate (3 and 4 are the crate again: on a
  plain object they would give way to the dust puff).
- 31: breakables: 31..34 a pot cracking further at each step, 42 / 43 a
  crate and its shake, 46 / 47 a barrel and its shake, 18 breaking; staged
  barrier 0, 2 and 50 (open); 3 / 4 fallen rubble, 64 / 65 standing
  timbers; doors 82 shut, 83 opening, 84 open.
- 32: gates: 0 shut, 1 opening, 2 open, 3 closing.
- 37: the water-wheel: 0 still, 1 turning, 2 turning fast (also asked for
  as 6), 5 splashing (also as 7), 8 / 9 sluice shut / open; palettes 0
  day, 1 night, 2 moss.
- 40: the mill-crab: 0 rolling, 2 smashed, 3 / 4 clamped left / right, 8 /
  9 rushing left / right, 14 / 15 striking left / right, 17 rising, 21
  latched.
"""
import json
import os

import draw_interface_art as ui
from cast_rig import Beast, creature, creature_pose
from cast_sprites import MURKLING, wren_look
from draw_interface_art import (AMBER, DEEP, DUSK, EMBER, GOLD, MOON, NIGHT, PARCH, REED, SLATE, STONE, TEAL,
                                circle, path, poly, rrect)

WOOD = "#8a5a30"
WOOD_DARK = "#5e3c1e"
MUD = "#5a4630"
WATER = "#2a5a70"


class IndexedSprite:
    """Cells packed on one sheet; frames and animations at the numbers the
    code uses, gaps filled."""

    def __init__(self, name, width=1024):
        self.name = name
        self.sheet = ui.Sheet(width)
        self.cells = {}
        self.frames = {}
        self.anims = {}
        self.next_frame = 0

    def cell(self, key, w, h, body):
        if key not in self.cells:
            # A nested svg clips the drawing to its cell.
            clipped = f'<svg width="{w}" height="{h}">{body}</svg>'
            self.cells[key] = (self.sheet.cell(f"m{len(self.cells)}", w, h, clipped), w, h)
        return self.cells[key]

    def frame(self, parts, index=None):
        """parts: list of (cell, x, y[, flip]); x, y the cell's top-left from
        the anchor."""
        if index is None:
            while self.next_frame in self.frames:
                self.next_frame += 1
            index = self.next_frame
        modules = []
        for part in parts:
            (module, _, _), x, y = part[0], part[1], part[2]
            item = {"module": module, "at": [int(x), int(y)]}
            if len(part) > 3 and part[3]:
                item["flags"] = ["flipX"]
            modules.append(item)
        self.frames[index] = {"name": f"f{index}", "modules": modules}
        return index

    def standing(self, key, w, h, body, flip=False, index=None):
        """A frame of one cell standing on its anchor (bottom centre)."""
        c = self.cell(key, w, h, body)
        return self.frame([(c, -(w // 2), -h, flip)], index)

    def centred(self, key, w, h, body, index=None):
        c = self.cell(key, w, h, body)
        return self.frame([(c, -(w // 2), -(h // 2))], index)

    def anim(self, index, frames, time=3):
        self.anims[index] = [{"frame": f"f{f}", "time": time} for f in frames]

    def write(self, sprites_dir, filler=None, recolours=None):
        art = os.path.join(sprites_dir, "art", "world", f"{self.name}.svg")
        with open(art, "w", encoding="utf-8") as f:
            f.write(self.sheet.svg())
        frames = [self.frames.get(i, {"name": f"f{i}", "modules": []}) for i in range(max(self.frames) + 1)]
        value = {"art": f"../art/world/{self.name}.svg", "flags": ["offsetsShort"], "modules": self.sheet.modules,
                 "frames": frames}
        if self.anims:
            fill = self.anims[filler if filler is not None else min(self.anims)]
            value["animations"] = [{"name": f"a{i}", "frames": self.anims.get(i, fill)}
                                   for i in range(max(self.anims) + 1)]
        if recolours:
            value["recolours"] = recolours
        with open(os.path.join(sprites_dir, "world", f"{self.name}.json"), "w", encoding="utf-8") as f:
            f.write(json.dumps(value, separators=(",", ":")) + "\n")
        return f"world/{self.name}.json"


# --- 12: the balloon's tail -------------------------------------------------------------

def balloon_tail():
    s = IndexedSprite("balloon_tail")
    c = s.cell("tail", 28, 22, poly([(2, 0), (24, 0), (4, 20)], "#ffffff") +
               path("M2,1 L4,20 L24,1", stroke="#000000", sw=2))
    s.frame([(c, 0, -2)], index=0)
    return s


# --- 15: the race ---------------------------------------------------------------------------

def race():
    """The race is played in a band from screen y 180 down to 420: its pieces
    hang from their anchor (top centre) on the band's top edge."""
    s = IndexedSprite("race")
    wren = wren_look()

    def hanging(key, w, h, body):
        c = s.cell(key, w, h, body)
        return s.frame([(c, -(w // 2), 0)])

    # The side's track: its marker runs down it between the band's top and
    # the side's foot (165 px), clear of the clock at the band's foot.
    track = rrect(52, 4, 26, 157, 10, NIGHT, STONE, 2)

    def hand(colour, pull):
        return (track + f'<g transform="translate(0,40)">' + rrect(10 - pull, 30, 70, 24, 10, colour, NIGHT, 2) +
                circle(84 - pull, 42, 14, "#e8c49a", NIGHT, 2) + path(f"M{96 - pull},42 L130,42", stroke="#c9a56a", sw=6) +
                "</g>")

    def paw(pull):
        return (track + f'<g transform="translate(0,40)">' +
                f'<ellipse cx="{88 + pull}" cy="42" rx="34" ry="22" fill="{MURKLING.body}"/>' +
                circle(48 + pull, 42, 14, MURKLING.shade) + path(f"M{34 + pull},42 L0,42", stroke="#c9a56a", sw=6) +
                circle(96 + pull, 34, 6, MOON) + circle(98 + pull, 35, 3, NIGHT) + "</g>")
    left = [hanging(("L", p), 130, 165, hand(wren.coat, p)) for p in (0, 6, 12)]
    right = [hanging(("R", p), 130, 165, paw(p)) for p in (0, 6, 12)]
    s.anim(0, left[:2], 3)
    s.anim(1, [left[2], left[1]], 2)
    s.anim(2, right[:2], 3)
    s.anim(3, [right[2], right[1]], 2)
    s.anim(4, [hanging("mL", 28, 40, poly([(14, 38), (2, 10), (26, 10)], GOLD, NIGHT, 2))])
    s.anim(5, [hanging("mR", 28, 40, poly([(14, 38), (2, 10), (26, 10)], EMBER, NIGHT, 2))])
    s.anim(6, [hanging("Ldone", 130, 165, hand(wren.coat, -8) +
                       f'<g transform="translate(0,40)">{ui.spark_icon(30, 16, 24, GOLD)}</g>')])
    s.anim(7, [hanging("Rdone", 130, 165, paw(-8) +
                       f'<g transform="translate(0,40)">{circle(100, 14, 8, "none", STONE, 3)}</g>')])
    s.anim(8, [hanging(("knot", i), 44, 44, circle(22, 22, 16 + i, "#c9a56a", NIGHT, 3) +
                        path("M12,16 L32,28 M12,28 L32,16", stroke=NIGHT, sw=3)) for i in (0, 2)], 4)
    # The size of a side's touch area: it covers the zone.
    s.anim(9, [hanging("size", 80, 100, rrect(2, 2, 76, 96, 14, "none", PARCH, 3))])
    # The zones lie 70 px below the band's top: the step's own offset, which
    # the game reads as the zone's top.
    for a, key in ((10, "zL"), (11, "zR")):
        s.anim(a, [hanging((key, i), 80, 60, rrect(2, 2, 76, 56, 12, "none", GOLD if i else TEAL, 3)) for i in (0, 1)], 4)
        for item in s.anims[a]:
            item["at"] = [0, 70]
    return s


# --- 27: icons and effects ------------------------------------------------------------------

def effects():
    s = IndexedSprite("effects", 1400)
    # Placed first: the frames numbered as they come must not take it.
    s.centred("tapArea", 120, 120, ui.prompt_tap_area(), index=109)
    # Help page: a Murkling creeping, then noticing.
    creep = [creature_pose(step=1), creature_pose(lift=3), creature_pose(step=-1), creature_pose(eyes="wide", mouth=True)]
    frames = [s.standing(("creep", i), 112, 96, creature(56 + 4 * i, 90, MURKLING, q)) for i, q in enumerate(creep)]
    s.anim(0, frames, 3)
    # Key prompt icons: idle with a pulsing rim, tapped gold, missed with a slash.
    for first, what in ui.PROMPT_ICONS:
        looks = {look: s.centred(("icon", first, look), 96, 96, body) for look, body in ui.prompt_icon_looks(what).items()}
        s.anim(first, [looks["idle"], looks["pulse"]], 4)
        s.anim(first + 1, [looks["tapped"], looks["idle"], looks["tapped"]], 3)
        s.anim(first + 2, [looks["missed"]], 8)
    # Aim brackets, corner order top-left, top-right, bottom-left, bottom-right.
    for big, base in ((False, 48), (True, 52)):
        n = 26 if big else 18
        w = 5 if big else 4
        corners = [f"M2,{n} L2,2 L{n},2", f"M0,2 L{n - 2},2 L{n - 2},{n}", f"M2,0 L2,{n - 2} L{n},{n - 2}",
                   f"M0,{n - 2} L{n - 2},{n - 2} L{n - 2},0"]
        for i, d in enumerate(corners):
            colour = GOLD if big else EMBER
            s.anim(base + i, [s.centred(("br", big, i, j), n, n, path(d, stroke=colour if j == 0 else PARCH, sw=w))
                              for j in range(2)], 3)
    gauge = []
    for i in range(8):
        x = 20 + 35 * i
        gauge.append(s.centred(("gauge", i), 320, 48, rrect(2, 10, 316, 28, 12, SLATE, PARCH, 3) +
                               rrect(130, 12, 60, 24, 6, REED) + rrect(x - 6, 4, 12, 40, 4, GOLD, NIGHT, 2)))
    s.anim(64, gauge, 2)
    s.anim(66, [s.standing(("dust", i), 96, 64, "".join(circle(48 + dx * (1 + i), 44 - 4 * i, 10 + 4 * i - abs(dx) * 2,
                                                                   STONE if i < 3 else "#b0b4ba")
                                                            for dx in (-10, 0, 10))) for i in range(4)], 2)
    s.anim(71, [s.standing(("shadow", i), 96, 24, f'<ellipse cx="48" cy="12" rx="{10 + 9 * i}" ry="{3 + 2 * i}" '
                                                   f'fill="#14161f" fill-opacity="0.5"/>') for i in range(5)], 3)
    s.anim(72, [s.standing(("carry", i), 64, 72, circle(32, 32, 26 - 2 * (i % 2), SLATE, GOLD, 3) +
                           ui.hand_icon(32, 36, 34, PARCH) + poly([(32, 70), (24, 56), (40, 56)], GOLD))
                for i in range(4)], 3)
    return s


# --- 28: projectiles and shadows ----------------------------------------------------------

def projectiles():
    s = IndexedSprite("projectiles")
    s.anim(0, [s.standing(("flicker", i), 80, 90, circle(40, 50, 30 + 4 * i, "none", GOLD if i % 2 else AMBER, 3))
               for i in range(3)], 2)
    s.anim(1, [s.standing(("out", i), 80, 90, circle(40, 50, 34 - 8 * i, "none", STONE, 3 - 0.5 * i)) for i in range(4)], 2)
    s.anim(2, [s.centred(("mud", i), 28, 28, circle(14, 14, 10, MUD, NIGHT, 2) +
                         circle(14 + [5, 0, -5, 0][i], 14 + [0, 5, 0, -5][i], 3, "#7a5a3a")) for i in range(4)], 2)
    s.anim(10, [s.centred(("shade", i), 40, 16, f'<ellipse cx="20" cy="8" rx="{14 + i}" ry="{5 + i * 0.5}" '
                                                f'fill="#14161f" fill-opacity="0.45"/>') for i in range(2)], 4)
    return s


# --- 29: blocks that move -----------------------------------------------------------------

def crate_body(dx=0, dy=0):
    return (rrect(6 + dx, 10 + dy, 52, 50, 4, WOOD, NIGHT, 3) + path(f"M{8 + dx},{12 + dy} L{56 + dx},{58 + dy} "
                                                                   f"M{56 + dx},{12 + dy} L{8 + dx},{58 + dy}",
                                                                   stroke=WOOD_DARK, sw=4) +
            rrect(6 + dx, 10 + dy, 52, 50, 4, "none", NIGHT, 3))


def millstone(turn=0):
    spokes = "".join(path(f"M32,36 L{32 + 20 * c},{36 + 20 * s}", stroke="#6a6e76", sw=3)
                     for c, s in [(1, 0), (0, 1), (-1, 0), (0, -1)][turn:] + [(1, 0), (0, 1), (-1, 0), (0, -1)][:turn])
    return circle(32, 36, 26, STONE, NIGHT, 3) + spokes + circle(32, 36, 6, DUSK)


def sack_body(tilt=0):
    return (f'<g transform="rotate({tilt},32,60)">' +
            path("M16,60 C6,40 18,22 26,18 L38,18 C46,22 58,40 48,60 Z", fill="#c9a56a", stroke=NIGHT, sw=3) +
            path("M24,20 L40,20", stroke=AMBER, sw=4) + "</g>")


def movables():
    s = IndexedSprite("movables")
    s.anim(0, [s.standing("crate", 64, 64, crate_body())])
    s.anim(1, [s.standing(("crate", d), 64, 64, crate_body(d, 0)) for d in (-2, 0, 2, 0)], 2)
    s.anim(2, [s.standing("stone", 64, 64, millstone())])
    s.anim(5, [s.standing(("stone", t), 64, 64, millstone(t)) for t in range(4)], 2)
    s.anim(6, [s.standing("sack", 64, 64, sack_body())])
    s.anim(7, [s.standing(("sack", t), 64, 64, sack_body(t)) for t in (-6, 0, 6, 0)], 2)
    gate = "".join(rrect(x, 6, 10, 56, 2, WOOD, NIGHT, 2) for x in (6, 22, 38, 54)) + rrect(2, 20, 68, 8, 2, WOOD_DARK)
    s.anim(8, [s.standing("slider", 72, 64, gate)])
    s.anim(9, [s.standing(("slider", d), 72, 64, f'<g transform="translate({d},0)">{gate}</g>') for d in (-2, 2)], 2)
    # 3 and 4 would turn to dust on a plain object: they hold the crate.
    s.anim(3, [s.standing("crate", 64, 64, crate_body())])
    s.anim(4, [s.standing("crate", 64, 64, crate_body())])
    return s


# --- 31: breakables, barriers and doors ----------------------------------------------------

def pot(cracks):
    body = path("M20,62 C6,52 8,30 20,24 L18,14 L46,14 L44,24 C56,30 58,52 44,62 Z", fill="#b0603a", stroke=NIGHT, sw=3)
    lines = ["M30,24 L26,36 L32,44", "M44,34 L38,46 L42,56", "M18,42 L26,50 L22,58"][:cracks]
    return body + "".join(path(d, stroke=NIGHT, sw=2) for d in lines) + rrect(18, 12, 28, 5, 2, "#8a4a2a")


def barrel_body(dx=0):
    return (f'<g transform="translate({dx},0)">' + rrect(14, 8, 36, 54, 12, WOOD, NIGHT, 3) +
            path("M15,22 L49,22 M15,48 L49,48", stroke=STONE, sw=4) + "</g>")


def breakables():
    s = IndexedSprite("breakables")
    for i in range(4):
        s.anim(31 + i, [s.standing(("pot", i), 64, 64, pot(i))] +
               ([s.standing(("potshake", i), 64, 64, f'<g transform="rotate(6,32,62)">{pot(i)}</g>')] if i else []), 3)
    s.anim(42, [s.standing("crate", 64, 64, crate_body())])
    s.anim(43, [s.standing(("crate", d), 64, 64, crate_body(d, 0)) for d in (-3, 3, -2, 0)], 2)
    s.anim(46, [s.standing("barrel", 64, 64, barrel_body())])
    s.anim(47, [s.standing(("barrel", d), 64, 64, barrel_body(d)) for d in (-3, 3, -2, 0)], 2)
    shards = []
    for i in range(5):
        spread = 6 * i
        bits = "".join(poly([(32 + dx * (1 + spread / 6), 50 - abs(dx) - spread + 2 * i * i / 3),
                             (38 + dx * (1 + spread / 6), 54 - spread + 2 * i * i / 3),
                             (30 + dx * (1 + spread / 6), 58 - spread / 2)], "#b0603a" if dx % 2 else WOOD, NIGHT, 1.5)
                       for dx in (-12, -5, 3, 10))
        shards.append(s.standing(("break", i), 96, 72, f'<g transform="translate(16,8)">{bits}</g>'))
    shards.append(s.standing("rubble", 96, 72, "".join(rrect(22 + 12 * k, 60 - (k % 2) * 3, 10, 6, 2, WOOD_DARK)
                                                       for k in range(4))))
    s.anim(18, shards, 2)
    # Staged barrier: timbers across the way, sagging at each stage.
    def timbers(sag, broken=False):
        out = rrect(4, 10, 10, 56, 2, WOOD_DARK, NIGHT, 2) + rrect(82, 10, 10, 56, 2, WOOD_DARK, NIGHT, 2)
        if not broken:
            out += "".join(f'<g transform="rotate({sag * (k - 1)},48,{24 + 14 * k})">' +
                           rrect(8, 20 + 14 * k, 80, 9, 2, WOOD, NIGHT, 2) + "</g>" for k in range(3))
        else:
            out += rrect(10, 58, 30, 8, 2, WOOD, NIGHT, 2) + rrect(50, 56, 34, 8, 2, WOOD, NIGHT, 2)
        return out
    s.anim(0, [s.standing("tim0", 96, 68, timbers(0)), s.standing("tim0b", 96, 68, timbers(1))], 8)
    s.anim(2, [s.standing("tim1", 96, 68, timbers(6)), s.standing("tim1b", 96, 68, timbers(7))], 8)
    s.anim(50, [s.standing("tim2", 96, 68, timbers(0, broken=True))])
    s.anim(64, [s.standing("tim0", 96, 68, timbers(0))])
    s.anim(65, [s.standing("tim1", 96, 68, timbers(6))])
    s.anim(3, [s.standing("rubbleL", 96, 68, timbers(0, broken=True))])
    s.anim(4, [s.standing("rubbleR", 96, 68, timbers(0, broken=True), flip=True)])
    # A plank door in a stone frame.
    def door(open_part):
        w = 56 * (1 - open_part)
        out = rrect(4, 4, 88, 92, 6, STONE, NIGHT, 3) + rrect(14, 14, 68, 82, 4, NIGHT)
        if w > 2:
            out += rrect(14, 14, w, 82, 3, WOOD, NIGHT, 2) + path(f"M{14 + w / 2},16 L{14 + w / 2},94", stroke=WOOD_DARK,
                                                                  sw=2)
            out += circle(10 + w, 56, 3, GOLD)
        return out
    s.anim(82, [s.standing("door0", 96, 100, door(0))])
    s.anim(83, [s.standing(("door", i), 96, 100, door(i / 4)) for i in range(5)], 2)
    s.anim(84, [s.standing(("door", 4), 96, 100, door(1))])
    return s


# --- 32: lock gates ------------------------------------------------------------------------

def gates():
    s = IndexedSprite("gates")

    def gate(lift):
        out = rrect(2, 0, 12, 100, 3, STONE, NIGHT, 2) + rrect(114, 0, 12, 100, 3, STONE, NIGHT, 2)
        out += rrect(14, 4, 100, 8, 2, DUSK)
        top = 14 - lift
        out += rrect(16, top, 96, 80, 4, WOOD, NIGHT, 3)
        out += "".join(path(f"M16,{top + 20 * k} L112,{top + 20 * k}", stroke=WOOD_DARK, sw=3) for k in (1, 2, 3))
        out += rrect(58, top - 14, 12, 16, 2, AMBER, NIGHT, 2)
        return f'<g transform="translate(0,0)">{out}</g>'
    frames = [s.standing(("gate", i), 128, 100, gate(16 * i)) for i in range(5)]
    s.anim(0, frames[:1])
    s.anim(1, frames, 3)
    s.anim(2, frames[-1:])
    s.anim(3, frames[::-1], 3)
    return s


# --- 37: the water-wheel ----------------------------------------------------------------

def water_wheel():
    s = IndexedSprite("water_wheel")

    def wheel(turn):
        out = circle(64, 64, 50, "none", WOOD_DARK, 8) + circle(64, 64, 12, WOOD_DARK)
        for k in range(8):
            a = (k * 45 + turn) * 3.14159 / 180
            import math
            x, y = 64 + 50 * math.cos(a), 64 + 50 * math.sin(a)
            out += path(f"M64,64 L{x:.1f},{y:.1f}", stroke=WOOD, sw=5)
            out += f'<rect x="{x - 8:.1f}" y="{y - 5:.1f}" width="16" height="10" fill="{WOOD}" stroke="{NIGHT}" ' \
                   f'stroke-width="2" transform="rotate({k * 45 + turn},{x:.1f},{y:.1f})"/>'
        return out + rrect(0, 112, 128, 16, 0, WATER) + path("M6,118 C20,112 34,124 48,118", stroke=TEAL, sw=3)
    s.anim(0, [s.standing("wheel0", 128, 128, wheel(0))])
    s.anim(1, [s.standing(("wheel", t), 128, 128, wheel(t)) for t in (0, 11, 22, 33)], 3)
    s.anim(2, [s.standing(("wheel", t), 128, 128, wheel(t)) for t in (0, 22)], 2)

    def sluice(open_):
        out = rrect(8, 20, 112, 100, 4, STONE, NIGHT, 3) + rrect(20, 40, 88, 80, 2, NIGHT)
        out += rrect(20, 40 - (50 if open_ else 0), 88, 50, 3, WOOD, NIGHT, 2)
        if open_:
            out += "".join(path(f"M{28 + 14 * k},92 C{24 + 14 * k},104 {32 + 14 * k},112 {28 + 14 * k},124",
                                stroke=TEAL, sw=4) for k in range(6))
        return out
    s.anim(8, [s.standing("sluice0", 128, 128, sluice(False))])
    s.anim(9, [s.standing("sluice1", 128, 128, sluice(True))])
    s.anim(5, [s.standing(("splash", i), 128, 128, "".join(circle(30 + 16 * k, 100 - 10 * ((k + i) % 3), 5, MOON)
                                                           for k in range(5)) + rrect(0, 112, 128, 16, 0, WATER))
               for i in range(3)], 2)
    return s


# --- 40: the mill-crab ---------------------------------------------------------------------

def mill_crab():
    s = IndexedSprite("mill_crab")

    def body(turn=0, claw=0.0, lean=0, broken=False):
        import math
        out = ""
        for side in (-1, 1):
            sx = 80 + side * 50
            cx = 80 + side * (70 + 16 * claw)
            out += path(f"M{sx},70 L{cx},{50 - 10 * claw}", stroke=WOOD_DARK, sw=8)
            out += path(f"M{cx},{50 - 10 * claw} l{side * 14},-10 M{cx},{50 - 10 * claw} l{side * 14},8", stroke=STONE,
                        sw=6)
        out += rrect(22, 44, 116, 56, 12, WOOD, NIGHT, 3)
        if not broken:
            out += circle(80, 60, 34, STONE, NIGHT, 3)
            for k in range(4):
                a = (k * 90 + turn) * math.pi / 180
                out += path(f"M80,60 L{80 + 28 * math.cos(a):.1f},{60 + 28 * math.sin(a):.1f}", stroke=DUSK, sw=4)
            out += circle(66, 54, 6, GOLD) + circle(94, 54, 6, GOLD)
        else:
            out += poly([(50, 40), (80, 30), (110, 46), (96, 70), (62, 66)], STONE, NIGHT, 3) + \
                path("M62,44 L78,60 L96,48", stroke=NIGHT, sw=3)
        for x in (40, 80, 120):
            out += circle(x, 104, 12, WOOD_DARK, NIGHT, 2) + circle(x, 104, 3, STONE)
        return f'<g transform="rotate({lean},80,110)">{out}</g>'
    roll = [s.standing(("roll", t), 160, 120, body(t)) for t in (0, 30, 60)]
    s.anim(0, roll, 2)
    s.anim(2, [s.standing(("smash", i), 160, 120, body(0, broken=i > 0, lean=[0, -6, 4, 0][i])) for i in range(4)], 3)
    s.anim(3, [s.standing(("clamp", i), 160, 120, body(15 * i, claw=1.0 - 0.2 * i)) for i in range(3)], 3)
    s.anim(4, [s.standing(("clamp", i), 160, 120, body(15 * i, claw=1.0 - 0.2 * i), flip=True) for i in range(3)], 3)
    s.anim(8, [s.standing(("rush", t), 160, 120, body(t, claw=0.5, lean=-5)) for t in (0, 45)], 2)
    s.anim(9, [s.standing(("rush", t), 160, 120, body(t, claw=0.5, lean=-5), flip=True) for t in (0, 45)], 2)
    strike = [s.standing(("strike", i), 160, 120, body(0, claw=[0.2, 0.8, 1.2, 0.4][i], lean=[0, -4, -8, 0][i]))
              for i in range(4)]
    s.anim(14, strike, 2)
    s.anim(15, [s.standing(("strike", i), 160, 120, body(0, claw=[0.2, 0.8, 1.2, 0.4][i], lean=[0, -4, -8, 0][i]),
                           flip=True) for i in range(4)], 2)
    s.anim(17, [s.standing(("rise", i), 160, 120, f'<g transform="translate(0,{30 - 10 * i})">{body(0)}</g>')
                for i in range(4)], 3)
    s.anim(21, [s.standing(("latch", i), 160, 120, body(10 * i, claw=1.4)) for i in range(3)], 3)
    return s


def scene(sprites_dir):
    """Writes the scene sprites; returns {slot: description path}."""
    return {
        11: "ui/status.json",
        12: balloon_tail().write(sprites_dir),
        15: race().write(sprites_dir),
        27: effects().write(sprites_dir),
        28: projectiles().write(sprites_dir, filler=2),
        29: movables().write(sprites_dir),
        # Palette 1: the rooms under the hills (the alternate palette).
        31: breakables().write(sprites_dir, filler=42, recolours=[{WOOD: "#5a4a3a", "#b0603a": "#7a4a3a",
                                                                   STONE: "#5a5e66"}]),
        32: gates().write(sprites_dir),
        37: water_wheel().write(sprites_dir, recolours=[{WOOD: "#5a4a3a", WATER: "#1d3040", STONE: "#5a5e66"},
                                                        {WOOD: "#55703a", WOOD_DARK: "#3d6630"}]),
        40: mill_crab().write(sprites_dir),
    }
