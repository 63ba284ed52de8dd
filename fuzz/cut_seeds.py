#!/usr/bin/env python3
"""Cuts seeds for the game-data fuzz targets out of a compiled data.bar.

    fuzz/cut_seeds.py build/release/data/data.bar

Every seed it writes is named data_bar_*; the ones from an earlier run are
removed first, the hand-made and found seeds stay. Pack names come from
content/literals.txt as the game reads them. Seeds are few and chosen for
their variety (smallest, largest, one of each kind), so that CI's replay of
the corpora stays quick.
"""
import lzma
import re
import struct
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
CORPUS = ROOT / "fuzz" / "corpus"

# Input caps of the targets (LLVMFuzzerTestOneInput returns early above them).
CAPS = {"sprite": 128 << 10, "sprite_text": 128 << 10, "resource_pack": 64 << 10, "kivra_pack": 64 << 10,
        "text_pack": 64 << 10, "typed_array": 64 << 10, "tile_layer": 16 << 10}
# lzma_fuzz unpacks at most this much.
LZMA_MAX_UNPACKED = 256 << 10

# Literal ids (runtime/LiteralIds.h).
PROMOTION_PACK, FONT_PACK, MATH_PACK, LEVEL_PACK, FIRST_MAP_PACK, SOUND_PACK = 0, 130, 134, 153, 155, 168
SPRITE_PACKS = (126, 139, 141, 145, 148, 151, 154, 190)
LANGUAGE_SUFFIXES = tuple(range(200, 207)) + (49,) + tuple(range(207, 214))
PACK_PART_INFIX = 217


def literals():
    texts = {}
    escapes = {"\\": "\\", '"': '"', "n": "\n", "r": "\r", "t": "\t"}
    for line in (ROOT / "content" / "literals.txt").read_text(encoding="utf-8").splitlines():
        match = re.fullmatch(r'(\d+) "(.*)"', line.strip())
        if not match:
            continue
        text, body, i = "", match.group(2), 0
        while i < len(body):
            if body[i] == "\\" and body[i + 1] == "u":
                text += chr(int(body[i + 2:i + 6], 16))
                i += 6
            elif body[i] == "\\":
                text += escapes[body[i + 1]]
                i += 2
            else:
                text += body[i]
                i += 1
        texts[int(match.group(1))] = text
    return texts


def archive_entries(data):
    """name -> bytes, from the big-endian index at the archive's start."""
    (count,) = struct.unpack_from(">h", data, 0)
    at, entries = 2, {}
    for _ in range(count):
        (length,) = struct.unpack_from(">H", data, at)
        name = data[at + 2:at + 2 + length].decode("utf-8", "replace")
        offset, size = struct.unpack_from(">ii", data, at + 2 + length)
        at += 2 + length + 8
        entries[name.lower()] = data[offset:offset + size]
    return entries


class Pack:
    """A resource pack's part files and its entries (type byte, stored data)."""

    def __init__(self, entries, name, infix):
        self.parts = [entries[name]]
        count, part_count = struct.unpack_from("<Hh", self.parts[0], 0)
        firsts = list(struct.unpack_from("<%dH" % part_count, self.parts[0], 4))
        for p in range(1, part_count):
            self.parts.append(entries["%s%s%d" % (name, infix, p)])
        self.entries = []
        for p in range(part_count):
            end = firsts[p + 1] if p + 1 < part_count else count
            table = 4 + 2 * part_count if p == 0 else 0
            offsets = struct.unpack_from("<%di" % (end - firsts[p] + 1), self.parts[p], table)
            for k in range(end - firsts[p]):
                stored = self.parts[p][offsets[k]:offsets[k + 1]]
                self.entries.append((stored[0], stored[1:]) if stored else (None, b""))

    def data(self, i):
        """Entry i's bytes as the game reads them (unpacked when compressed)."""
        kind, stored = self.entries[i]
        return lzma.decompress(stored, format=lzma.FORMAT_ALONE) if kind is not None and kind > 126 else stored

    def compressed(self):
        return [stored for kind, stored in self.entries if kind is not None and kind > 126]


def varied(items, key=len, count=4):
    """Smallest, largest and evenly between, without repeats."""
    items = sorted(items, key=key)
    if len(items) <= count:
        return items
    return [items[round(i * (len(items) - 1) / (count - 1))] for i in range(count)]


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    data = Path(sys.argv[1]).read_bytes()
    entries = archive_entries(data)
    names = literals()
    infix = names[PACK_PART_INFIX]

    def pack_name(literal):
        return names[literal].lstrip("/").lower()

    def open_pack(literal):
        name = pack_name(literal)
        return Pack(entries, name, infix) if name in entries else None

    seeds = {}

    def add(target, name, seed):
        if len(seed) > CAPS.get(target, 1 << 20):
            print("%s: %s is %d bytes, past the target's cap" % (target, name, len(seed)), file=sys.stderr)
            return
        seeds.setdefault(target, {})["data_bar_" + name] = seed

    # Sprites: of every pack the smallest and the largest, and the largest of all.
    sprites = []
    for literal in SPRITE_PACKS + (FONT_PACK,):
        pack = open_pack(literal)
        if pack is None:
            continue
        blocks = [(pack.data(i), "%s_%d" % (pack_name(literal), i)) for i in range(len(pack.entries))]
        blocks = [b for b in blocks if b[0]]
        sprites += blocks
        for block, name in varied(blocks, key=lambda b: len(b[0]), count=2):
            add("sprite", name, block)
    for block, name in varied(sprites, key=lambda b: len(b[0]), count=3):
        add("sprite", name, block)
        text = b"Quendrill 0123 ,.!?"
        add("sprite_text", name, len(block).to_bytes(3, "little") + block + text)

    # Text packs: a few entries of each language, and one pack whole.
    for literal in LANGUAGE_SUFFIXES:
        pack = open_pack(literal)
        if pack is None:
            continue
        texts = [(pack.data(i), i) for i in range(len(pack.entries)) if pack.entries[i][0] is not None]
        for text, i in varied(texts, key=lambda t: len(t[0])):
            add("text_pack", "%s_%d" % (pack_name(literal), i), text)
        if len(pack.parts) == 1:
            add("resource_pack", pack_name(literal), b"\x00" + pack.parts[0])

    # Typed arrays: the math tables.
    math = open_pack(MATH_PACK)
    if math is not None:
        for i in range(len(math.entries)):
            add("typed_array", "%s_%d" % (pack_name(MATH_PACK), i), math.data(i))
        add("resource_pack", pack_name(MATH_PACK), b"\x80" + math.parts[0])

    # Compressed entries of any pack, as the LZMA target reads them.
    packed = []
    for literal in SPRITE_PACKS + (FONT_PACK, MATH_PACK, LEVEL_PACK, SOUND_PACK) + LANGUAGE_SUFFIXES:
        pack = open_pack(literal)
        if pack is not None:
            packed += [(s, pack_name(literal)) for s in pack.compressed()]
    first_map = int(names[FIRST_MAP_PACK].lstrip("/"))
    prefix = names[128].lstrip("/")
    maps = []
    room = 0
    while (prefix + str(first_map + room)).lower() in entries:
        name = (prefix + str(first_map + room)).lower()
        maps.append((name, Pack(entries, name, infix)))
        packed += [(s, name) for s in maps[-1][1].compressed()]
        room += 1
    packed = [p for p in packed if struct.unpack_from("<I", p[0], 5)[0] <= LZMA_MAX_UNPACKED]
    for i, (stored, name) in enumerate(varied(packed, key=lambda p: len(p[0]))):
        add("lzma", "%s_%d" % (name, i), stored)

    # Resource packs whole: the level pack and a map pack (one part each).
    levels = open_pack(LEVEL_PACK)
    if levels is not None and len(levels.parts) == 1:
        add("resource_pack", pack_name(LEVEL_PACK), b"\x00" + levels.parts[0])
    if maps:
        add("resource_pack", maps[0][0], b"\x81" + maps[0][1].parts[0])

    # Tile layers of two rooms: layer 0 direct, layer 2 pre-rendered and
    # scrolled, layer 4 (collision) drawn with a tile sprite of modules only.
    for name, pack in maps[:2]:
        for layer, mode, scroll in ((0, 0x00, (0, 0)), (2, 0x10, (40, 24)), (4, 0x80 | 0x05, (-8, 300))):
            header, tiles, attributes = (pack.data(3 * layer + k) for k in range(3))
            seed = bytes([mode]) + struct.pack("<hhBH", scroll[0], scroll[1], len(header), len(attributes))
            add("tile_layer", "%s_layer%d" % (name, layer), seed + header + attributes + tiles)

    # The promotion pack whole.
    promotion = pack_name(PROMOTION_PACK)
    if promotion in entries:
        add("kivra_pack", promotion, entries[promotion])

    for target, files in sorted(seeds.items()):
        folder = CORPUS / target
        for old in folder.glob("data_bar_*"):
            old.unlink()
        for name, seed in sorted(files.items()):
            (folder / name).write_bytes(seed)
        print("%s: %d seeds, %d bytes" % (target, len(files), sum(len(s) for s in files.values())))


if __name__ == "__main__":
    main()
