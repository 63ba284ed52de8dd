#!/usr/bin/env python3
"""Draws the world's sprites, tile sets and maps, and the first level files.

Writes the sprite packs the room loader reads (hero, objects, the two cast
packs and the tile sets) with their SVG sheets and descriptions: the cast
from cast_sprites.py, the world's things from scene_sprites.py, the ten
places' tile sets and maps from places.py. Level files are only written when
missing; they are edited by hand afterwards. Colours follow content/STYLE.md.
Run from the repository root after draw_interface_art.py (it reuses the help
pictures); it rewrites the files it owns and nothing else.
"""
import os
import re
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import cast_sprites  # noqa: E402
import item_icons  # noqa: E402
import places  # noqa: E402
import room_props  # noqa: E402
import scene_sprites  # noqa: E402
import draw_interface_art as ui  # noqa: E402
from draw_interface_art import (AMBER, DEEP, DUSK, EMBER, GOLD, NIGHT, PARCH, REED,  # noqa: E402
                                SLATE, STONE, TEAL, circle, path, poly, rrect, svg)

SPRITES = "content/sprites"
MAPS = "content/maps"
LEVELS = "content/levels"
CHAPTERS = 10
EARTH = "#7a5a3a"
MOSS = "#55703a"


def write(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8") as f:
        f.write(text)


def write_new(path, text):
    if not os.path.exists(path):
        write(path, text)


def strip_sprite(art, w, h, cells, flipped=False, animations=None, recolours=None):
    """One module per cell of a strip; frame i shows cell i standing on its
    anchor (bottom centre); flipped adds the mirrored frames after them."""
    modules = [{"name": f"cell{i}", "rect": [i * w, 0, w, h]} for i in range(cells)]
    frames = [{"name": f"cell{i}", "modules": [{"module": f"cell{i}", "at": [-(w // 2), -h]}]}
              for i in range(cells)]
    if flipped:
        frames += [{"name": f"cell{i}Left", "modules": [{"module": f"cell{i}", "at": [-(w // 2), -h],
                                                          "flags": ["flipX"]}]} for i in range(cells)]
    value = {"art": art, "flags": ["offsetsShort"], "modules": modules, "frames": frames}
    if animations:
        value["animations"] = [{"name": name, "frames": [{"frame": frames[f]["name"], "time": 3} for f in seq]}
                               for name, seq in animations]
    if recolours:
        value["recolours"] = recolours
    return value


def cell_strip(name, w, h, cells):
    body = "".join(f'<g transform="translate({i * w},0)">{c}</g>' for i, c in enumerate(cells))
    write(f"{SPRITES}/art/world/{name}.svg", svg(w * len(cells), h, body))
    return f"../art/world/{name}.svg"


# --- objects ------------------------------------------------------------------

def crate(c):
    return rrect(8, 16, 48, 44, 4, c, NIGHT, 3) + path("M10,18 L54,58 M54,18 L10,58", stroke=NIGHT, sw=3)


def barrel(c):
    return rrect(14, 10, 36, 50, 10, c, NIGHT, 3) + path("M16,24 L48,24 M16,46 L48,46", stroke=AMBER, sw=4)


def lever(c):
    return rrect(12, 48, 40, 12, 3, SLATE, PARCH, 2) + path("M32,50 L46,14", stroke=c, sw=6) + circle(46, 14, 6, EMBER)


def reeds(c):
    return "".join(path(f"M{x},62 C{x - 4},40 {x + 4},24 {x + (x % 7) - 3},{8 + x % 11}", stroke=c, sw=4)
                   for x in (14, 22, 30, 38, 46))


def stone(c):
    return poly([(8, 60), (12, 30), (30, 14), (50, 22), (58, 60)], c, NIGHT, 3)


def lamp(c):
    return path("M32,62 L32,24", stroke=NIGHT, sw=5) + ui.lantern_icon(32, 20, 26, c, GOLD)


def gate(c):
    return "".join(rrect(x, 12, 8, 50, 2, c, NIGHT, 2) for x in (8, 22, 36, 50)) + rrect(4, 24, 56, 8, 2, c, NIGHT, 2)


def sack(c):
    return path("M16,60 C6,40 18,22 26,18 L38,18 C46,22 58,40 48,60 Z", fill=c, stroke=NIGHT, sw=3)


SHAPES = [crate, barrel, lever, reeds, stone, lamp, gate, sack]
TINTS = [AMBER, EARTH, TEAL, REED, STONE, GOLD, "#6b4a2a", PARCH, MOSS, EMBER, DEEP]


def prop(name, index, palettes=1):
    """A 64x64 thing in two poses (still and nudged) and one animation."""
    shape, tint = SHAPES[index % len(SHAPES)], TINTS[index % len(TINTS)]
    art = cell_strip(name, 64, 64, [shape(tint), f'<g transform="translate(0,2)">{shape(tint)}</g>'])
    recolours = None
    if palettes > 1:
        recolours = [{tint: TINTS[(index + p) % len(TINTS)]} for p in range(1, palettes)]
    return strip_sprite(art, 64, 64, 2, animations=[("idle", [0, 1])], recolours=recolours)


def things():
    """Slot 23: the world's many small things, 80 modules of 24x24 on one
    sheet; frames 0..103 show them in turn."""
    count, size, per_row = 80, 24, 10
    cells = []
    for i in range(count):
        x, y = (i % per_row) * (size + 2), (i // per_row) * (size + 2)
        tint = TINTS[i % len(TINTS)]
        kind = i % 4
        if kind == 0:
            body = circle(12, 12, 9, tint, NIGHT, 2)
        elif kind == 1:
            body = rrect(3, 3, 18, 18, 3, tint, NIGHT, 2)
        elif kind == 2:
            body = poly([(12, 2), (22, 21), (2, 21)], tint, NIGHT, 2)
        else:
            body = poly([(12, 2), (22, 12), (12, 22), (2, 12)], tint, NIGHT, 2)
        cells.append((x, y, f'<g transform="translate({x},{y})">{body}</g>'))
    rows = (count + per_row - 1) // per_row
    write(f"{SPRITES}/art/world/things.svg",
          svg(per_row * (size + 2), rows * (size + 2), "".join(c for _, _, c in cells)))
    modules = [{"name": f"thing{i}", "rect": [x, y, size, size]} for i, (x, y, _) in enumerate(cells)]
    frames = [{"name": f"show{f}", "modules": [{"module": f"thing{f % count}", "at": [-12, -24]}]}
              for f in range(104)]
    return {"art": "../art/world/things.svg", "flags": ["offsetsShort"], "modules": modules, "frames": frames,
            "animations": [{"name": "glint", "frames": [{"frame": "show0", "time": 3}, {"frame": "show1", "time": 3}]}]}


def help_items():
    """Slot 34: the coin, the hidden lantern and the combining satchel of the
    help pages, one sheet; 17 animations (16 is the story's idle glint), then
    the items' icons from animation 17 (item_icons.py)."""
    parts = [("coin", 64, 64, 0), ("hidden_lantern", 96, 112, 64), ("combine", 160, 96, 176)]
    body = ""
    modules, frames = [], []
    for name, w, h, top in parts:
        with open(f"{SPRITES}/art/help/{name}.svg", encoding="utf-8") as f:
            inner = re.sub(r"^<svg[^>]*>\n?|</svg>\s*$", "", f.read().strip())
        body += f'<g transform="translate(0,{top})">{inner}</g>'
        for i in range(4):
            modules.append({"name": f"{name}{i}", "rect": [i * w, top, w, h]})
            frames.append({"name": f"{name}{i}", "modules": [{"module": f"{name}{i}", "at": [-(w // 2), -h]}]})
    # The items' icons below, ten a row, each centred on its anchor.
    icons_top = 272
    for k, (name, draw) in enumerate(item_icons.ICONS):
        x, y = (k % 10) * item_icons.SIZE, icons_top + (k // 10) * item_icons.SIZE
        body += f'<g transform="translate({x},{y})">{draw()}</g>'
        modules.append({"name": f"item_{name}", "rect": [x, y, item_icons.SIZE, item_icons.SIZE]})
        frames.append({"name": f"item_{name}",
                       "modules": [{"module": f"item_{name}", "at": [-item_icons.SIZE // 2, -item_icons.SIZE // 2]}]})
    rows = -(-len(item_icons.ICONS) // 10)
    write(f"{SPRITES}/art/world/help_items.svg", svg(640, icons_top + rows * item_icons.SIZE, body))

    def anim(name, seq, time=3):
        return {"name": name, "frames": [{"frame": frames[f]["name"], "time": time} for f in seq]}
    animations = [anim("coinTurn", [0, 1, 2, 3]), anim("lanternLights", [4, 5, 6, 7], 5),
                  anim("combine", [8, 9, 10, 11], 5)]
    for i in range(3, 16):
        animations.append(anim(f"still{i}", [i % 12]))
    animations.append(anim("glint", [0, 1, 2, 3, 2, 1], 2))
    first_icon = len(parts) * 4
    for k, (name, _) in enumerate(item_icons.ICONS):
        assert len(animations) == item_icons.FIRST_ANIMATION + k
        animations.append(anim(name, [first_icon + k]))
    return {"art": "../art/world/help_items.svg", "flags": ["offsetsShort"], "modules": modules, "frames": frames,
            "animations": animations}


def help_strip(name, w, h):
    return strip_sprite(f"../art/help/{name}.svg", w, h, 4, animations=[("play", [0, 1, 2, 3])])


# --- packs --------------------------------------------------------------------

def main():
    ui.OUT = SPRITES
    w = ui.write_json
    # Pack of literal 141: slots 11..15.
    things_by_slot = scene_sprites.scene(SPRITES)
    things_by_slot.update(room_props.props(SPRITES))
    w("hero.pack.json", {"pack": 141, "compress": True,
                         "sprites": [things_by_slot[slot] for slot in range(11, 16)]})
    # Pack of literal 145: slots 16..48 (17..21 come from the cast packs).
    cast = cast_sprites.cast(SPRITES)
    objects = []
    empty = {"empty": True}
    for k in range(33):
        slot = 16 + k
        if 17 <= slot <= 21 or slot in (25, 33):
            objects.append(empty)
        elif slot in cast:
            objects.append(cast[slot])
        elif slot in things_by_slot:
            objects.append(things_by_slot[slot])
        elif slot == 23:
            w("world/things.json", things())
            objects.append({"sprite": "world/things.json", "compress": False})
        elif slot == 30:
            w("world/tap_sign.json", help_strip("tap_sign", 112, 112))
            objects.append("world/tap_sign.json")
        elif slot == 34:
            w("world/help_items.json", help_items())
            objects.append("world/help_items.json")
        else:
            name = f"object{slot}"
            w(f"world/{name}.json", prop(name, slot, palettes=3 if slot == 37 else 1))
            objects.append(f"world/{name}.json" if slot % 3 else {"sprite": f"world/{name}.json", "compress": False})
    w("objects.pack.json", {"pack": 145, "compress": True, "partBytes": 16384, "sprites": objects})
    # Packs of literals 148 and 151: the second partner and the Murklings, and
    # the other voices of the valley.
    w("cast1.pack.json", {"pack": 148, "compress": True, "sprites": [cast[17], cast[18]]})
    w("cast2.pack.json", {"pack": 151, "compress": True, "sprites": [cast[19], cast[20], cast[21]]})
    # Pack of literal 154: tile set n in entries 6n + 2, 6n + 4 and 6n + 6.
    w("tilesets.pack.json", {"pack": 154, "compress": True, "sprites": places.places(SPRITES, MAPS)})
    # Maps and level files, one room per chapter.
    for k in range(CHAPTERS):
        # Level files are written once; the world's and the story's own work
        # edits them by hand afterwards.
        place = f"Chapter {k + 1}: {places.PLACES[k]}"
        write_new(f"{LEVELS}/room{k}.lvl", f"# {place}: its objects\nnop\n")
        write_new(f"{LEVELS}/room{k}.evs", f"# {place}: its event script (no cutscenes yet)\n")
    write_new(f"{LEVELS}/shared.lvl", "# The objects every room shares\nnop\n")


if __name__ == "__main__":
    main()
