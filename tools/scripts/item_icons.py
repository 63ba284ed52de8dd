"""The items' icons: one 64 x 64 picture per item name of the text pack, in
its order (lock key first), flat colour on a clear ground, centred on the
anchor. The inventory paints them in its cells, the notice beside its text.
"""
from draw_interface_art import AMBER, EMBER, GOLD, NIGHT, PARCH, REED, STONE, TEAL, circle, path, poly

SIZE = 64
IRON = "#a4abb8"
WOOD = "#8a5a30"
WOOD_DARK = "#5e3c1e"
GLASS = "#9fe3e0"
APPLE = "#6c8f3a"
HEMP = "#c9a66b"
ORE = "#3a4260"

OUTLINE = f'stroke="{NIGHT}" stroke-width="2" stroke-linejoin="round"'


def line(d, colour, width, cap="butt", dash=None):
    extra = f' stroke-dasharray="{dash}"' if dash else ""
    return f'<path d="{d}" fill="none" stroke="{colour}" stroke-width="{width}" stroke-linecap="{cap}"{extra}/>'


def _key():
    return (circle(20, 32, 12, "none", IRON, 6)
            + f'<rect x="30" y="29" width="28" height="7" rx="2" fill="{IRON}"/>'
            + f'<rect x="48" y="35" width="5" height="10" fill="{IRON}"/><rect x="40" y="35" width="5" height="7" fill="{IRON}"/>'
            + circle(20, 32, 3, IRON))


def _flask(liquid):
    return (f'<rect x="27" y="6" width="10" height="10" rx="2" fill="{WOOD}"/>'
            + path("M26 16 H38 V24 Q52 30 52 44 Q52 58 32 58 Q12 58 12 44 Q12 30 26 24 Z", GLASS, NIGHT, 2)
            + path("M14 42 Q32 38 50 42 Q50 56 32 56 Q14 56 14 42 Z", liquid))


def _bread():
    return (path("M8 44 Q8 20 32 20 Q56 20 56 44 Z", AMBER, NIGHT, 2)
            + f'<rect x="8" y="42" width="48" height="10" rx="4" fill="{WOOD}" {OUTLINE}/>'
            + line("M20 28 L24 36 M32 26 L32 36 M44 28 L40 36", GOLD, 3, "butt"))


def _stones():
    return "".join(circle(x, y, r, c, NIGHT, 2)
                   for x, y, r, c in ((20, 42, 11, STONE), (42, 44, 10, "#a9aeb6"), (31, 24, 10, "#70757e")))


def _rope_coil(colour=HEMP):
    return (circle(32, 34, 22, "none", colour, 7)
            + circle(32, 34, 11, "none", colour, 6)
            + line("M50 46 Q58 54 52 60", colour, 6, "butt"))


def _hook(x=0):
    return (line(f"M{32 + x} 6 V36 Q{32 + x} 52 {20 + x} 52 Q{10 + x} 52 {10 + x} 42", IRON, 7, "round")
            + circle(32 + x, 8, 5, "none", IRON, 4))


def _grapple():
    return (line("M8 56 Q20 30 40 34", HEMP, 6, "butt")
            + line("M44 6 V30 Q44 44 34 44 Q26 44 26 36", IRON, 6, "round")
            + line("M44 30 Q44 44 54 44 Q60 44 60 38", IRON, 6, "round"))


def _tooth(colour):
    return (poly([(14, 56), (20, 20), (28, 10), (36, 10), (44, 20), (50, 56)], colour, NIGHT, 2)
            + circle(32, 40, 6, NIGHT))


def _peg():
    return (f'<rect x="24" y="14" width="16" height="44" rx="4" fill="{WOOD}" {OUTLINE}/>'
            + f'<rect x="16" y="6" width="32" height="12" rx="5" fill="{WOOD_DARK}" {OUTLINE}/>')


def _mended_tooth():
    return _tooth(IRON) + f'<rect x="26" y="4" width="12" height="24" rx="3" fill="{WOOD}" {OUTLINE}/>'


def _lens():
    return (circle(32, 32, 22, GLASS, PARCH, 4)
            + line("M20 24 Q26 16 36 16", "#ffffff", 4, "butt"))


def _lantern():
    return (path("M20 14 Q32 2 44 14 Z", AMBER, NIGHT, 2)
            + f'<rect x="18" y="14" width="28" height="36" rx="4" fill="{EMBER}" {OUTLINE}/>'
            + f'<rect x="24" y="20" width="16" height="24" rx="3" fill="{GOLD}"/>'
            + f'<rect x="16" y="50" width="32" height="8" rx="2" fill="{AMBER}" {OUTLINE}/>')


def _apple():
    return (circle(32, 38, 20, APPLE, NIGHT, 2)
            + line("M32 18 Q34 10 40 8", WOOD_DARK, 4, "butt")
            + path("M36 14 Q48 8 50 16 Q42 20 36 14 Z", REED)
            + line("M20 44 Q26 52 36 52", TEAL, 3, "butt"))


def _handle():
    return (f'<rect x="8" y="26" width="48" height="12" rx="5" fill="{IRON}" {OUTLINE}/>'
            + f'<rect x="26" y="8" width="12" height="48" rx="5" fill="{IRON}" {OUTLINE}/>'
            + circle(32, 32, 8, AMBER, NIGHT, 2))


def _bell():
    return (path("M14 48 Q16 14 32 12 Q48 14 50 48 Z", GOLD, NIGHT, 2)
            + f'<rect x="10" y="46" width="44" height="6" rx="3" fill="{AMBER}" {OUTLINE}/>'
            + circle(32, 56, 5, AMBER) + circle(32, 9, 4, "none", AMBER, 3))


def _map(torn):
    outline = ([(10, 12), (54, 8), (50, 32), (56, 56), (12, 54), (16, 30)] if torn
               else [(6, 10), (58, 10), (58, 54), (6, 54)])
    return (poly(outline, PARCH, NIGHT, 2)
            + line("M14 44 Q24 24 34 34 T52 18", TEAL, 3, "butt", "5 3")
            + line("M40 40 L48 48 M48 40 L40 48", EMBER, 3, "butt"))


def _seal():
    return (circle(32, 32, 24, EMBER, NIGHT, 2)
            + circle(32, 32, 14, "none", GOLD, 3)
            + poly([(32, 22), (40, 38), (24, 38)], GOLD))


def _coin():
    return (circle(32, 32, 22, GOLD, AMBER, 4)
            + circle(32, 32, 12, "none", AMBER, 3))


def _feather():
    return (path("M50 6 Q22 16 14 50 Q36 40 50 6 Z", PARCH, NIGHT, 2)
            + line("M50 6 L10 58", STONE, 3, "butt"))


def _charcoal():
    return (poly([(10, 40), (30, 14), (54, 24), (42, 52), (18, 54)], "#2b2b30", STONE, 2)
            + line("M24 30 L36 26", STONE, 2, "butt"))


def _spindle():
    return (f'<rect x="28" y="4" width="8" height="56" rx="3" fill="{IRON}" {OUTLINE}/>'
            + circle(32, 32, 16, "none", AMBER, 6)
            + "".join(f'<rect x="{x}" y="{y}" width="8" height="8" fill="{AMBER}"/>'
                      for x, y in ((28, 12), (28, 44), (12, 28), (44, 28))))


# In the text pack's order of item names.
ICONS = [
    ("lock_key", _key), ("lantern_oil", lambda: _flask(AMBER)), ("honey_bread", _bread),
    ("sling_stones", _stones), ("rope", _rope_coil), ("iron_hook", _hook), ("grappling_rope", _grapple),
    ("gear_tooth", lambda: _tooth(IRON)), ("oak_peg", _peg), ("mended_tooth", _mended_tooth),
    ("saltglass_lens", _lens), ("hooded_lantern", _lantern), ("drowned_apple", _apple),
    ("sluice_handle", _handle), ("little_bell", _bell), ("map_scrap", lambda: _map(True)),
    ("cistern_map", lambda: _map(False)), ("warden_seal", _seal), ("valley_coin", _coin),
    ("heron_feather", _feather), ("charcoal", _charcoal), ("heart_spindle", _spindle),
]
# The first icon's animation on its sprite; the others follow in order.
FIRST_ANIMATION = 17
