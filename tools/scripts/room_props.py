"""The rooms' own props, one sprite per slot the progress lists name beyond
the cast and the world's things. Each holds a few drawn objects, a still
animation and a moving one; animations 3 and 4 repeat the first still one
(a plain object there would turn to dust).

- 13 the sling stone: 0 flying.        - 14 the lantern's glow: 0 pulsing.
- 22 the lock: 0 / 1 lever up / pulled, 2 bollard, 5 lock-keeper's hut door.
- 35 the cistern's valve: 0 still, 1 turning.
- 38 a float: 0 bobbing, 1 still, 2 rope coil.
- 39 drips: 0 dripping, 1 puddle.
- 42 orchard: 0 basket of apples, 1 ladder, 2 fallen apples.
- 43 hives: 0 beehive, 1 bees about it.
- 44 boats: 0 rowing boat, 1 rocking.
- 45 the weir: 0 weir gate, 1 water over it.
- 47 the valley: 0 lamp post, 1 lamp flickering, 2 signpost, 5 bench.
- 48 the scarecrow: 0 still, 1 swaying.
"""
import math

from draw_interface_art import AMBER, DUSK, EMBER, GOLD, MOON, NIGHT, PARCH, REED, SLATE, STONE, TEAL, circle, path, rrect
from scene_sprites import WOOD, WOOD_DARK, IndexedSprite

WATER = "#2a5a70"


def still_and_moving(s, size, stills, moving=None, time=3):
    """stills: {anim: body}; moving: {anim: [bodies]}; 3 and 4 repeat the first still."""
    w, h = size
    first = None
    for anim, body in stills.items():
        f = s.standing(("still", anim), w, h, body)
        s.anim(anim, [f])
        first = first if first is not None else f
    for anim, bodies in (moving or {}).items():
        s.anim(anim, [s.standing(("move", anim, i), w, h, b) for i, b in enumerate(bodies)], time)
    for anim in (3, 4):
        if anim not in s.anims:
            s.anim(anim, [first])
    return s


def sling_stone():
    s = IndexedSprite("sling_stone")
    return _moving_only(s, (24, 24), 0, [circle(12, 12, 6, STONE, NIGHT, 2) +
                                         circle(12 + 3 * math.cos(k), 12 + 3 * math.sin(k), 2, MOON)
                                         for k in (0, 1.6, 3.2, 4.8)], 1)


def _moving_only(s, size, anim, bodies, time):
    w, h = size
    frames = [s.standing((anim, i), w, h, b) for i, b in enumerate(bodies)]
    s.anim(anim, frames, time)
    return s


def lantern_glow():
    s = IndexedSprite("lantern_glow")
    return _moving_only(s, (96, 96), 0, [circle(48, 48, r, "none", GOLD, 3) + circle(48, 48, r - 10, "none", AMBER, 2)
                                         for r in (36, 40, 44, 40)], 3)


def lock_things():
    s = IndexedSprite("lock_things")

    def lever(angle):
        a = math.radians(angle)
        return (rrect(14, 48, 36, 14, 3, SLATE, PARCH, 2) +
                path(f"M32,52 L{32 + 30 * math.sin(a):.1f},{52 - 30 * math.cos(a):.1f}", stroke=WOOD_DARK, sw=6) +
                circle(32 + 30 * math.sin(a), 52 - 30 * math.cos(a), 6, EMBER, NIGHT, 2))
    bollard = rrect(20, 20, 24, 42, 6, STONE, NIGHT, 3) + rrect(16, 16, 32, 10, 4, DUSK, NIGHT, 2) + \
        path("M20,40 C8,44 8,54 22,56", stroke="#c9a56a", sw=4)
    hut = rrect(4, 10, 56, 54, 4, "#9a9488", NIGHT, 3) + rrect(20, 24, 24, 40, 3, WOOD, NIGHT, 2) + circle(38, 46, 2, GOLD)
    still_and_moving(s, (64, 64), {0: lever(-30), 2: bollard, 5: hut}, {1: [lever(a) for a in (-30, 0, 30)]}, 2)
    return s


def valve():
    s = IndexedSprite("valve")

    def wheel(turn):
        out = rrect(28, 40, 8, 24, 2, SLATE) + circle(32, 30, 20, "none", "#8a4a2a", 5)
        for k in range(3):
            a = math.radians(turn + 60 * k)
            out += path(f"M{32 - 20 * math.cos(a):.1f},{30 - 20 * math.sin(a):.1f} L{32 + 20 * math.cos(a):.1f},"
                        f"{30 + 20 * math.sin(a):.1f}", stroke="#8a4a2a", sw=4)
        return out + circle(32, 30, 5, GOLD)
    return still_and_moving(s, (64, 64), {0: wheel(0)}, {1: [wheel(t) for t in (0, 20, 40)]}, 2)


def floats():
    s = IndexedSprite("floats")

    def buoy(dy):
        return (f'<g transform="translate(0,{dy})">' + circle(32, 34, 16, EMBER, NIGHT, 3) +
                rrect(16, 30, 32, 8, 2, PARCH) + "</g>" + path("M4,54 q8,-4 16,0 t16,0 t16,0 t16,0", stroke=TEAL, sw=3))
    coil = "".join(circle(32, 44, r, "none", "#c9a56a", 4) for r in (8, 14, 20))
    return still_and_moving(s, (64, 64), {1: buoy(0), 2: coil}, {0: [buoy(d) for d in (0, -2, -3, -2)]}, 3)


def drips():
    s = IndexedSprite("drips")
    puddle = f'<ellipse cx="32" cy="56" rx="22" ry="6" fill="{WATER}"/><ellipse cx="28" cy="55" rx="8" ry="2" fill="{TEAL}"/>'
    return still_and_moving(s, (64, 64), {1: puddle}, {0: [puddle + circle(32, 8 + 14 * i, 3, TEAL) for i in range(4)] +
                                                     [puddle + f'<ellipse cx="32" cy="56" rx="12" ry="4" fill="none" '
                                                               f'stroke="{MOON}" stroke-width="2"/>']}, 2)


def orchard():
    s = IndexedSprite("orchard")
    basket = (path("M10,34 L16,62 L48,62 L54,34 Z", fill="#b8862a", stroke=NIGHT, sw=3) +
              "".join(circle(x, 30 + (x % 3), 7, EMBER, NIGHT, 1) for x in (20, 30, 40, 46)) +
              path("M14,44 L50,44 M16,54 L48,54", stroke="#8a6420", sw=2))
    ladder = path("M18,62 L26,2 M46,62 L38,2", stroke=WOOD, sw=5) + \
        "".join(path(f"M{19 + k * 0.9},{54 - 12 * k} L{45 - k * 0.9},{54 - 12 * k}", stroke=WOOD_DARK, sw=4) for k in range(5))
    apples = "".join(circle(x, 56, 6, EMBER, NIGHT, 1) for x in (16, 30, 46)) + path("M30,50 l2,-5", stroke=REED, sw=2)
    return still_and_moving(s, (64, 64), {0: basket, 1: ladder, 2: apples})


def hives():
    s = IndexedSprite("hives")
    hive = "".join(f'<ellipse cx="32" cy="{58 - 10 * k}" rx="{22 - 3 * k}" ry="7" fill="{GOLD if k % 2 else AMBER}" '
                   f'stroke="{NIGHT}" stroke-width="2"/>' for k in range(5)) + circle(32, 54, 4, NIGHT)
    bees = [hive + "".join(circle(32 + 24 * math.cos(a + i), 24 + 14 * math.sin(2 * a + i), 2.5, NIGHT)
                           for a in (0, 2.1, 4.2)) for i in range(4)]
    return still_and_moving(s, (64, 64), {0: hive}, {1: bees}, 2)


def boats():
    s = IndexedSprite("boats")

    def boat(tilt):
        return (f'<g transform="rotate({tilt},48,44)">' +
                path("M6,36 L90,36 L78,54 L18,54 Z", fill=WOOD, stroke=NIGHT, sw=3) +
                path("M10,40 L86,40", stroke=WOOD_DARK, sw=3) + path("M30,30 L70,46", stroke="#c9a56a", sw=4) +
                "</g>" + path("M0,58 q12,-5 24,0 t24,0 t24,0 t24,0", stroke=TEAL, sw=3))
    return still_and_moving(s, (96, 64), {0: boat(0)}, {1: [boat(t) for t in (0, -3, 0, 3)]}, 4)


def weir():
    s = IndexedSprite("weir")
    gate = rrect(4, 8, 120, 20, 3, STONE, NIGHT, 3) + "".join(rrect(10 + 24 * k, 28, 12, 36, 2, WOOD, NIGHT, 2)
                                                            for k in range(5))
    flow = [gate + "".join(path(f"M{22 + 24 * k},28 C{20 + 24 * k},{40 + i * 3} {26 + 24 * k},50 {22 + 24 * k},64",
                                stroke=MOON, sw=3) for k in range(4)) for i in range(3)]
    return still_and_moving(s, (128, 64), {0: gate}, {1: flow}, 2)


def valley_things():
    s = IndexedSprite("valley_things")

    def lamp(glow):
        return (rrect(29, 30, 6, 66, 2, NIGHT) + rrect(20, 12, 24, 22, 4, AMBER, NIGHT, 3) +
                rrect(25, 16, 14, 14, 3, GOLD if glow else "#d0a030") + rrect(18, 8, 28, 6, 3, NIGHT))
    sign = rrect(29, 20, 6, 76, 2, WOOD_DARK) + path("M6,22 L50,22 L58,30 L50,38 L6,38 Z", fill=WOOD, stroke=NIGHT, sw=2) + \
        path("M58,48 L14,48 L6,56 L14,64 L58,64 Z", fill=WOOD, stroke=NIGHT, sw=2)
    bench = rrect(4, 62, 56, 10, 3, WOOD, NIGHT, 2) + rrect(4, 46, 56, 8, 3, WOOD, NIGHT, 2) + \
        rrect(8, 70, 6, 24, 2, WOOD_DARK) + rrect(50, 70, 6, 24, 2, WOOD_DARK)
    return still_and_moving(s, (64, 96), {0: lamp(True), 2: sign, 5: bench}, {1: [lamp(True), lamp(False)]}, 4)


def scarecrow():
    s = IndexedSprite("scarecrow")

    def body(sway):
        return (f'<g transform="rotate({sway},32,94)">' + rrect(29, 30, 6, 66, 2, WOOD_DARK) +
                rrect(4, 40, 56, 6, 2, WOOD_DARK) + rrect(18, 34, 28, 32, 6, "#6b4a2a", NIGHT, 2) +
                circle(32, 22, 12, "#d8c49a", NIGHT, 2) + path("M14,14 L50,14 L40,4 L24,4 Z", fill="#3a3328") +
                circle(28, 22, 2, NIGHT) + circle(36, 22, 2, NIGHT) + "</g>")
    return still_and_moving(s, (64, 96), {0: body(0)}, {1: [body(a) for a in (0, 3, 0, -3)]}, 4)


def props(sprites_dir):
    """Writes the props; returns {slot: description path}."""
    built = {13: sling_stone(), 14: lantern_glow(), 22: lock_things(), 35: valve(), 38: floats(), 39: drips(),
             42: orchard(), 43: hives(), 44: boats(), 45: weir(), 47: valley_things(), 48: scarecrow()}
    return {slot: sprite.write(sprites_dir) for slot, sprite in built.items()}
