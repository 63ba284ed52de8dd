"""The world's cast as sprites: the two partners, the side-view runner, the
Murklings and the valley's people. Each sprite is a sheet of drawn cells, a
frame per cell (and its mirror for the left-facing side), and the
animations numbered as the world's code plays them.

Animation numbers by sprite (r: 0 facing left, 1 right, up or down; f: the
facing index 0 up, 1 left, 2 down, 3 right):
- slot 16, partner 0 (Bram): 0+f stand, 4+f slow down, 12+f walk, 16+r
  guard, 18+r guard shuffle, 20..23 / 24..27 blows 200..203 facing left /
  otherwise, 28+r take and throw, 34+r, 36+r, 38+r hit kinds 1, 0, 2 (38+r
  is also knocked down), 40+r get up, 42+r defeated, 54+r collect, 60+r
  turn-around blow, 71 a falling drop (the dropper's, palette 1 at night),
  72+f straining push, 76+f holding a block, 80+f push, 100+r pick up,
  102+r carry, 104+r carry walking, 106+r put down.
- slot 17, partner 1 (Wren): 0+f stand, 8+f walk, 12+r sling swipe, 14+f
  aiming, 18+f walking while aiming, 22+f shot, 26+r hit, 28+r knocked
  down, 30+r defeated, 32+r get up.
- slot 36, the runner of the auto-scroll rooms (Wren): 0 run, 2 defeated,
  3 / 4 shoved from the left / right, 6..9 run up, down, left, right, 10 /
  11 thrown left / right, 12 / 13 struggle presses, 19 / 20 pushed right /
  left, 27 struggle against what latched on; palettes 0 normal, 1 night,
  2 dusk, 3 hurt.
- slot 19, the ordinary Murkling (animation base 0), slot 24 the leader,
  slot 46 the caller: the tables of cActorEnemy's animation choice.
- slots 18, 20, 21, the valley's people, eight animations each from a base
  (0 stand, 1 talk, 2..5 walk up, left, down, right, 6 wave, 7 nod).
"""
import json
import os

from cast_rig import Beast, Look, creature, creature_pose, figure, front_pose, side_pose
from draw_interface_art import AMBER, DEEP, DUSK, EMBER, GOLD, MOON, NIGHT, PARCH, REED, SLATE, STONE, TEAL, svg

SKIN = "#e8c49a"
DARK_SKIN = "#b9875f"


class CastSprite:
    """Cells on one sheet, frames that show a cell (mirrored for the left),
    animations by number."""

    def __init__(self, name, w, h, ground, per_row=16):
        self.name, self.w, self.h, self.ground, self.per_row = name, w, h, ground, per_row
        self.cells = {}     # key -> index
        self.bodies = []
        self.frames = {}    # (cell, flip) -> frame name
        self.frame_list = []
        self.anims = {}

    def cell(self, key, body):
        if key not in self.cells:
            self.cells[key] = len(self.bodies)
            self.bodies.append(body)
        return self.cells[key]

    def frame(self, cell, flip=False):
        key = (cell, flip)
        if key not in self.frames:
            name = f"c{cell}" + ("L" if flip else "")
            self.frames[key] = name
            item = {"module": f"m{cell}", "at": [-(self.w // 2), -self.ground]}
            if flip:
                item["flags"] = ["flipX"]
            self.frame_list.append({"name": name, "modules": [item]})
        return self.frames[key]

    def anim(self, index, frames):
        """frames: list of (frame name, time in frames of play)."""
        self.anims[index] = [{"frame": f, "time": t} for f, t in frames]

    def description(self, art, filler, recolours=None):
        last = max(self.anims)
        animations = []
        for i in range(last + 1):
            # Numbers no table plays hold the character's stand.
            animations.append({"name": f"a{i}", "frames": self.anims.get(i, self.anims[filler])})
        modules = []
        for i in range(len(self.bodies)):
            x, y = (i % self.per_row) * (self.w + 2), (i // self.per_row) * (self.h + 2)
            modules.append({"name": f"m{i}", "rect": [x, y, self.w, self.h]})
        value = {"art": art, "flags": ["offsetsShort"], "modules": modules, "frames": self.frame_list,
                 "animations": animations}
        if recolours:
            value["recolours"] = recolours
        return value

    def sheet(self):
        rows = (len(self.bodies) + self.per_row - 1) // self.per_row
        cols = min(self.per_row, len(self.bodies))
        parts = []
        for i, body in enumerate(self.bodies):
            x, y = (i % self.per_row) * (self.w + 2), (i // self.per_row) * (self.h + 2)
            # A nested svg clips the drawing to its cell.
            parts.append(f'<svg x="{x}" y="{y}" width="{self.w}" height="{self.h}">{body}</svg>\n')
        return svg(cols * (self.w + 2) - 2, rows * (self.h + 2) - 2, "".join(parts))

    def write(self, sprites_dir, filler=0, recolours=None):
        art_path = os.path.join(sprites_dir, "art", "world", f"{self.name}.svg")
        os.makedirs(os.path.dirname(art_path), exist_ok=True)
        with open(art_path, "w", encoding="utf-8") as f:
            f.write(self.sheet())
        desc = self.description(f"../art/world/{self.name}.svg", filler, recolours)
        with open(os.path.join(sprites_dir, "world", f"{self.name}.json"), "w", encoding="utf-8") as f:
            f.write(json.dumps(desc, indent=None, separators=(",", ":")) + "\n")
        return f"world/{self.name}.json"


# --- people: one rig, many poses --------------------------------------------------

class Poser:
    """Draws poses of one look into a sprite and names the frames."""

    def __init__(self, sprite, look, tag):
        self.s, self.look, self.tag = sprite, look, tag

    def side(self, key, flip=False, **pose):
        cell = self.s.cell((self.tag, "side", key),
                           figure(self.s.w // 2, self.s.ground, self.look, side_pose(**pose)))
        return self.s.frame(cell, flip)

    def front(self, key, back=False, **pose):
        cell = self.s.cell((self.tag, "back" if back else "front", key),
                           figure(self.s.w // 2, self.s.ground, self.look, front_pose(back=back, **pose)))
        return self.s.frame(cell)


def timed(frames, t):
    return [(f, t) for f in frames]


# Side-view walk: (near leg, far leg, near arm, far arm) per step.
WALK = [((26, 6), (-22, 12), (-22, 12), (24, 10)),
        ((4, 2), (14, 48), (-6, 8), (8, 8)),
        ((-22, 12), (26, 6), (24, 10), (-22, 12)),
        ((14, 48), (4, 2), (8, 8), (-6, 8))]
FRONT_WALK = [dict(lift=(0, 0), bob=0, arms=(4, 16)), dict(lift=(9, 0), bob=-2, arms=(10, 10)),
              dict(lift=(0, 0), bob=0, arms=(16, 4)), dict(lift=(0, 9), bob=-2, arms=(10, 10))]


def walk_frames(p, name, lean=4.0, arm_hold=None, item_up=False, front_arms=None, forward=False):
    """Four frames per facing (0 up, 1 left, 2 down, 3 right)."""
    side = []
    for i, (near, far, arm, back_arm) in enumerate(WALK):
        side.append(dict(near=near, far=far, arm=arm_hold or arm, back_arm=back_arm, lean=lean, item_up=item_up))
    out = {}
    out[3] = [p.side(f"{name}{i}", **pose) for i, pose in enumerate(side)]
    out[1] = [p.side(f"{name}{i}", flip=True, **pose) for i, pose in enumerate(side)]
    for f, back in ((0, True), (2, False)):
        frames = []
        for i, fw in enumerate(FRONT_WALK):
            pose = dict(fw)
            if front_arms:
                pose["arms"] = front_arms
            frames.append(p.front(f"{name}{i}", back=back, forward=forward, item_up=item_up, **pose))
        out[f] = frames
    return out


def stand_frames(p, name="stand", **extra):
    out = {}
    for f in range(4):
        if f in (1, 3):
            out[f] = [p.side(f"{name}{i}", flip=f == 1, bob=i * 0.8, back_arm=(4, 10), arm=(2 + i * 2, 12), **extra)
                      for i in range(2)]
        else:
            out[f] = [p.front(f"{name}{i}", back=f == 0, bob=i * 0.8, arms=(8 + i, 8 + i)) for i in range(2)]
    return out


def both_sides(p, key, poses):
    """Frames of a side-view sequence: [left, right] lists."""
    right = [p.side(f"{key}{i}", **pose) for i, pose in enumerate(poses)]
    left = [p.side(f"{key}{i}", flip=True, **pose) for i, pose in enumerate(poses)]
    return left, right


def fall_poses(to_ground=True, steps=7):
    """Knocked backward off the feet, ending on the back."""
    poses = []
    for i in range(steps):
        t = i / (steps - 1)
        rot = -88 * t if to_ground else -30 * t
        poses.append(dict(rot=rot, drop=(14 if to_ground else 4) * t, near=(-10 + 30 * t, 20 * t),
                          far=(-20 + 40 * t, 30 * t), arm=(60 + 80 * t, 20), back_arm=(-40 - 30 * t, 10),
                          lean=-10 - 10 * t))
    return poses


LYING = dict(rot=-88, drop=14, near=(20, 20), far=(20, 30), arm=(140, 20), back_arm=(-70, 10), lean=-20)


def get_up_poses():
    return [dict(rot=-88, drop=14, near=(40, 80), far=(30, 60), arm=(100, 10), back_arm=(-30, 10), lean=-20),
            dict(rot=-50, drop=8, near=(60, 100), far=(40, 90), arm=(30, 10), back_arm=(-30, 10), lean=0),
            dict(rot=-20, drop=2, near=(60, 110), far=(-10, 90), arm=(40, 30), back_arm=(10, 10), lean=20),
            dict(near=(30, 40), far=(-10, 30), arm=(20, 20), back_arm=(10, 10), lean=15),
            dict(near=(4, 4), far=(-4, 4), arm=(4, 12), back_arm=(4, 10))]


def partner0():
    look = Look(108, "#6b4a2a", "#4e3520", DUSK, NIGHT, SKIN, "#b8b2a4", item="lantern", beard="#d9d2c0",
                accent=AMBER, wide=1.15)
    s = CastSprite("player", 112, 136, 128)
    p = Poser(s, look, "bram")
    stand = stand_frames(p)
    walk = walk_frames(p, "walk")
    for f in range(4):
        s.anim(0 + f, timed(stand[f], 8))
        s.anim(4 + f, timed(walk[f][:2], 3))
        s.anim(12 + f, timed(walk[f], 2))
    guard = [dict(near=(24, 34), far=(-18, 24), arm=(80, 40), back_arm=(40, 60), lean=12, item_up=True, bob=3),
             dict(near=(24, 38), far=(-18, 28), arm=(86, 36), back_arm=(44, 60), lean=14, item_up=True, bob=4)]
    l, r = both_sides(p, "guard", guard)
    s.anim(16, timed(l, 6))
    s.anim(17, timed(r, 6))
    shuffle = [dict(near=(30, 30), far=(-18, 24), arm=(80, 40), back_arm=(40, 60), lean=12, item_up=True),
               dict(near=(14, 40), far=(-8, 30), arm=(82, 40), back_arm=(42, 60), lean=13, item_up=True),
               dict(near=(10, 30), far=(-24, 24), arm=(80, 40), back_arm=(40, 60), lean=12, item_up=True),
               dict(near=(20, 30), far=(-2, 44), arm=(82, 40), back_arm=(42, 60), lean=13, item_up=True)]
    l, r = both_sides(p, "shuffle", shuffle)
    s.anim(18, timed(l, 3))
    s.anim(19, timed(r, 3))
    # Blows 200..203: the hit frames are 1, 2, 4 and 3.
    blows = [
        [dict(near=(20, 20), far=(-20, 20), arm=(-20, 90), back_arm=(30, 40), lean=-4),
         dict(near=(28, 20), far=(-24, 10), arm=(90, 0), back_arm=(-20, 40), lean=16),
         dict(near=(26, 20), far=(-22, 12), arm=(70, 10), back_arm=(-10, 40), lean=10),
         dict(near=(10, 10), far=(-10, 10), arm=(20, 30), back_arm=(10, 20), lean=4)],
        [dict(near=(20, 20), far=(-20, 20), arm=(60, 20), back_arm=(10, 60), lean=0),
         dict(near=(16, 24), far=(-26, 20), arm=(40, 30), back_arm=(-30, 80), lean=-6),
         dict(near=(30, 20), far=(-24, 14), arm=(40, 30), back_arm=(100, 0), lean=18),
         dict(near=(10, 10), far=(-10, 10), arm=(20, 20), back_arm=(20, 20), lean=4)],
        [dict(near=(30, 60), far=(-20, 40), arm=(40, 60), back_arm=(-20, 60), lean=20, bob=6),
         dict(near=(40, 20), far=(-40, 10), arm=(60, 20), back_arm=(-30, 30), lean=24),
         dict(near=(44, 16), far=(-44, 8), arm=(80, 10), back_arm=(-40, 30), lean=26),
         dict(near=(40, 20), far=(-40, 10), arm=(90, 0), back_arm=(-40, 30), lean=26),
         dict(near=(40, 24), far=(-40, 12), arm=(96, 0), back_arm=(90, 0), lean=28),
         dict(near=(20, 20), far=(-20, 10), arm=(40, 20), back_arm=(10, 20), lean=10)],
        [dict(near=(10, 20), far=(-10, 20), arm=(120, 20), back_arm=(120, 30), lean=-8, item_up=True),
         dict(near=(10, 24), far=(-14, 24), arm=(170, 10), back_arm=(160, 20), lean=-14, item_up=True),
         dict(near=(24, 30), far=(-20, 20), arm=(120, 10), back_arm=(110, 20), lean=10, item_up=True),
         dict(near=(30, 50), far=(-24, 40), arm=(60, 0), back_arm=(60, 10), lean=30, bob=8),
         dict(near=(20, 30), far=(-20, 20), arm=(30, 10), back_arm=(20, 20), lean=12)],
    ]
    for k, poses in enumerate(blows):
        l, r = both_sides(p, f"blow{k}", poses)
        s.anim(20 + k, timed(l, 2))
        s.anim(24 + k, timed(r, 2))
    # 204: takes the creature up, whirls it round and throws it (frame 12 throws).
    take = ([dict(near=(30, 60), far=(-20, 50), arm=(50, 20), back_arm=(50, 30), lean=30, bob=10)] * 2 +
            [dict(near=(20, 40), far=(-20, 30), arm=(100, 20), back_arm=(100, 20), lean=10, bob=4),
             dict(near=(10, 20), far=(-10, 20), arm=(160, 10), back_arm=(160, 10), lean=-4, item_up=True)] +
            [dict(near=(8 + 10 * (i % 2), 20), far=(-8 - 10 * (i % 2), 20), arm=(170 - 20 * (i % 3), 10),
                  back_arm=(160 - 20 * (i % 3), 10), lean=-6 + 4 * (i % 2), item_up=True) for i in range(7)] +
            [dict(near=(20, 20), far=(-20, 20), arm=(120, 0), back_arm=(130, 10), lean=14),
             dict(near=(30, 20), far=(-30, 10), arm=(80, 0), back_arm=(70, 10), lean=24),
             dict(near=(10, 10), far=(-10, 10), arm=(20, 20), back_arm=(10, 20), lean=6)])
    l, r = both_sides(p, "take", take)
    s.anim(28, timed(l, 2))
    s.anim(29, timed(r, 2))
    flinch = [dict(near=(10, 10), far=(-10, 10), arm=(-30, 40), back_arm=(-20, 30), lean=-14),
              dict(near=(6, 10), far=(-14, 14), arm=(-20, 50), back_arm=(-30, 30), lean=-18),
              dict(near=(6, 6), far=(-6, 6), arm=(0, 20), back_arm=(0, 20), lean=-4)]
    stagger = [dict(near=(10, 10), far=(-16, 10), arm=(-40, 30), back_arm=(-30, 30), lean=-16),
               dict(near=(-10, 20), far=(-26, 16), arm=(-60, 20), back_arm=(-50, 30), lean=-24),
               dict(near=(-4, 20), far=(-30, 20), arm=(-40, 30), back_arm=(-40, 30), lean=-20, bob=3),
               dict(near=(6, 10), far=(-10, 10), arm=(0, 20), back_arm=(0, 20), lean=-6)]
    for base, poses, t in ((34, flinch, 2), (36, stagger, 2), (38, fall_poses(), 2)):
        l, r = both_sides(p, f"hit{base}", poses)
        s.anim(base, timed(l, t))
        s.anim(base + 1, timed(r, t))
    l, r = both_sides(p, "getup", get_up_poses())
    s.anim(40, timed(l, 3))
    s.anim(41, timed(r, 3))
    lying = [dict(LYING), dict(LYING, arm=(150, 30))]
    l, r = both_sides(p, "down", lying)
    s.anim(42, timed(l, 12))
    s.anim(43, timed(r, 12))
    collect = [dict(near=(30, 60), far=(-10, 50), arm=(40, 20), back_arm=(20, 20), lean=20, bob=6),
               dict(near=(50, 110), far=(-20, 100), arm=(30, 10), back_arm=(60, 30), lean=30, bob=0),
               dict(near=(50, 110), far=(-20, 100), arm=(10, 10), back_arm=(80, 40), lean=34),
               dict(near=(30, 60), far=(-10, 50), arm=(20, 20), back_arm=(150, 10), lean=10, bob=6),
               dict(near=(4, 4), far=(-4, 4), arm=(10, 10), back_arm=(170, 10))]
    l, r = both_sides(p, "collect", collect)
    s.anim(54, timed(l, 3))
    s.anim(55, timed(r, 3))
    # 205: turns round and strikes behind (hit frame 5); the frames face the
    # way the blow goes from the second on.
    turn_right = [p.side("turn0", near=(10, 20), far=(-10, 20), arm=(10, 30), back_arm=(10, 30), lean=-10),
                  p.front("turn1", lift=(4, 0), arms=(30, 30))]
    turn_left = [p.side("turn0", flip=True, near=(10, 20), far=(-10, 20), arm=(10, 30), back_arm=(10, 30), lean=-10),
                 p.front("turn1", lift=(0, 4), arms=(30, 30))]
    strike = blows[3]
    l, r = both_sides(p, "blow3", strike)
    s.anim(60, timed(turn_left + r, 2))
    s.anim(61, timed(turn_right + l, 2))
    s.anim(71, drop_frames(s))
    # Blocks: straining push (72), holding (76), pushing (80).
    for base, poses, key in (
            (72, [dict(near=(40, 20), far=(-34, 10), arm=(84, 10), back_arm=(80, 16), lean=34, bob=2),
                  dict(near=(20, 40), far=(-40, 8), arm=(86, 8), back_arm=(82, 12), lean=36, bob=3),
                  dict(near=(-10, 20), far=(-30, 10), arm=(84, 10), back_arm=(80, 16), lean=38, bob=4),
                  dict(near=(30, 40), far=(-36, 14), arm=(86, 8), back_arm=(82, 12), lean=36, bob=3)], "strain"),
            (76, [dict(near=(20, 20), far=(-20, 20), arm=(80, 10), back_arm=(76, 16), lean=14),
                  dict(near=(20, 22), far=(-20, 22), arm=(82, 10), back_arm=(78, 16), lean=15, bob=1)], "hold"),
            (80, [dict(near=(34, 20), far=(-24, 10), arm=(84, 10), back_arm=(80, 16), lean=24),
                  dict(near=(10, 30), far=(-30, 10), arm=(86, 8), back_arm=(82, 12), lean=26, bob=2),
                  dict(near=(-6, 10), far=(-20, 30), arm=(84, 10), back_arm=(80, 16), lean=24),
                  dict(near=(20, 40), far=(-30, 14), arm=(86, 8), back_arm=(82, 12), lean=26, bob=2)], "push")):
        l, r = both_sides(p, key, poses)
        front = [p.front(f"{key}{i}", forward=True, lift=((6, 0) if i % 2 else (0, 6)) if len(poses) > 2 else (0, 0),
                         bob=i % 2) for i in range(len(poses))]
        backs = [p.front(f"{key}{i}", back=True, forward=True,
                         lift=((6, 0) if i % 2 else (0, 6)) if len(poses) > 2 else (0, 0), bob=i % 2)
                 for i in range(len(poses))]
        t = 4 if len(poses) == 2 else 3
        s.anim(base + 0, timed(backs, t))
        s.anim(base + 1, timed(l, t))
        s.anim(base + 2, timed(front, t))
        s.anim(base + 3, timed(r, t))
    # Picking up (objects follow frames 0..2), carrying, putting down.
    pick = [dict(near=(40, 80), far=(-10, 70), arm=(50, 10), back_arm=(50, 20), lean=36, bob=4),
            dict(near=(30, 60), far=(-10, 50), arm=(90, 10), back_arm=(90, 20), lean=20, bob=4),
            dict(near=(10, 20), far=(-10, 20), arm=(150, 10), back_arm=(150, 20), lean=0),
            dict(near=(6, 10), far=(-6, 10), arm=(170, 10), back_arm=(165, 20), lean=-2),
            dict(near=(6, 10), far=(-6, 10), arm=(172, 8), back_arm=(168, 18), lean=-2, bob=1),
            dict(near=(6, 10), far=(-6, 10), arm=(170, 10), back_arm=(165, 20), lean=-2),
            dict(near=(4, 6), far=(-4, 6), arm=(172, 8), back_arm=(168, 18), lean=-1)]
    l, r = both_sides(p, "pick", pick)
    s.anim(100, timed(l, 2))
    s.anim(101, timed(r, 2))
    carry = [dict(near=(4, 6), far=(-4, 6), arm=(172, 8), back_arm=(168, 18)),
             dict(near=(4, 6), far=(-4, 6), arm=(172, 8), back_arm=(168, 18), bob=1)]
    l, r = both_sides(p, "carry", carry)
    s.anim(102, timed(l, 8))
    s.anim(103, timed(r, 8))
    carry_walk = [dict(near=w[0], far=w[1], arm=(172, 8), back_arm=(168, 18), lean=2) for w in WALK]
    l, r = both_sides(p, "carrywalk", carry_walk)
    s.anim(104, timed(l, 3))
    s.anim(105, timed(r, 3))
    put = [dict(near=(6, 10), far=(-6, 10), arm=(170, 10), back_arm=(165, 20)),
           dict(near=(20, 20), far=(-10, 20), arm=(140, 10), back_arm=(140, 20), lean=8),
           dict(near=(30, 50), far=(-10, 40), arm=(100, 10), back_arm=(100, 20), lean=20, bob=4),
           dict(near=(40, 80), far=(-10, 70), arm=(60, 10), back_arm=(60, 20), lean=34, bob=4),
           dict(near=(40, 80), far=(-10, 70), arm=(30, 10), back_arm=(30, 20), lean=30, bob=4),
           dict(near=(30, 50), far=(-10, 40), arm=(20, 10), back_arm=(20, 20), lean=18, bob=3),
           dict(near=(20, 30), far=(-10, 20), arm=(10, 10), back_arm=(10, 20), lean=8),
           dict(near=(8, 10), far=(-8, 10), arm=(6, 10), back_arm=(6, 10), lean=2),
           dict(near=(4, 4), far=(-4, 4), arm=(4, 12), back_arm=(4, 10))]
    l, r = both_sides(p, "put", put)
    s.anim(106, timed(l, 2))
    s.anim(107, timed(r, 2))
    return s


def drop_frames(s):
    """A drop of lamp oil falling and splashing (the dropper's animation)."""
    cx, g = s.w // 2, s.ground
    bodies = [f'<path d="M{cx},{g - 40 + 8 * i} q-7,12 0,16 q7,-4 0,-16 Z" fill="{GOLD}" stroke="{NIGHT}" stroke-width="2"/>'
              for i in range(3)]
    bodies.append(f'<ellipse cx="{cx}" cy="{g - 4}" rx="14" ry="4" fill="{GOLD}"/>'
                  f'<circle cx="{cx - 12}" cy="{g - 12}" r="3" fill="{GOLD}"/>'
                  f'<circle cx="{cx + 12}" cy="{g - 12}" r="3" fill="{GOLD}"/>')
    return [(s.frame(s.cell(("drop", i), b)), 2) for i, b in enumerate(bodies)]


def wren_look():
    return Look(84, TEAL, DEEP, "#5a4a3a", NIGHT, SKIN, "#8a3a2a", item="sling", accent=EMBER)


def partner1():
    s = CastSprite("partner", 96, 120, 114)
    p = Poser(s, wren_look(), "wren")
    stand = stand_frames(p)
    walk = walk_frames(p, "walk")
    for f in range(4):
        s.anim(0 + f, timed(stand[f], 8))
        s.anim(8 + f, timed(walk[f], 2))
    swipe = [dict(near=(20, 20), far=(-20, 20), arm=(-40, 60), back_arm=(30, 30), lean=-6),
             dict(near=(26, 20), far=(-24, 12), arm=(60, 10), back_arm=(-10, 30), lean=10),
             dict(near=(28, 20), far=(-24, 10), arm=(100, 0), back_arm=(-20, 30), lean=14),
             dict(near=(10, 10), far=(-10, 10), arm=(20, 20), back_arm=(10, 20), lean=4)]
    l, r = both_sides(p, "swipe", swipe)
    s.anim(12, timed(l, 2))
    s.anim(13, timed(r, 2))
    # Aiming: the sling whirls overhead; by the aim's facing index.
    whirl_side = [dict(near=(14, 10), far=(-14, 10), arm=(160 - 20 * i, 20), back_arm=(40, 40), lean=4, item_up=True)
                  for i in range(4)]
    whirl_front = [dict(arms=(30, 150 + 10 * (i % 2)), item_up=True, bob=i % 2) for i in range(4)]
    aim = {3: [p.side(f"aim{i}", **q) for i, q in enumerate(whirl_side)],
           1: [p.side(f"aim{i}", flip=True, **q) for i, q in enumerate(whirl_side)],
           2: [p.front(f"aim{i}", **q) for i, q in enumerate(whirl_front)],
           0: [p.front(f"aim{i}", back=True, **q) for i, q in enumerate(whirl_front)]}
    aim_walk = walk_frames(p, "aimwalk", arm_hold=(150, 20), item_up=True, front_arms=(20, 160))
    shot_side = [dict(near=(20, 20), far=(-20, 20), arm=(170, 20), back_arm=(60, 20), lean=-8, item_up=True),
                 dict(near=(26, 20), far=(-24, 12), arm=(90, 0), back_arm=(70, 10), lean=12),
                 dict(near=(28, 20), far=(-26, 10), arm=(60, 0), back_arm=(60, 10), lean=14),
                 dict(near=(10, 10), far=(-10, 10), arm=(20, 20), back_arm=(10, 20), lean=4)]
    shot_front = [dict(arms=(30, 170), item_up=True), dict(forward=True, lift=(0, 4)), dict(forward=True, bob=1),
                  dict(arms=(10, 10))]
    shot = {3: [p.side(f"shot{i}", **q) for i, q in enumerate(shot_side)],
            1: [p.side(f"shot{i}", flip=True, **q) for i, q in enumerate(shot_side)],
            2: [p.front(f"shot{i}", **q) for i, q in enumerate(shot_front)],
            0: [p.front(f"shot{i}", back=True, **q) for i, q in enumerate(shot_front)]}
    for f in range(4):
        s.anim(14 + f, timed(aim[f], 2))
        s.anim(18 + f, timed(aim_walk[f], 2))
        s.anim(22 + f, timed(shot[f], 2))
    stagger = [dict(near=(10, 10), far=(-16, 10), arm=(-40, 30), back_arm=(-30, 30), lean=-16),
               dict(near=(-10, 20), far=(-26, 16), arm=(-60, 20), back_arm=(-50, 30), lean=-24),
               dict(near=(-4, 20), far=(-30, 20), arm=(-40, 30), back_arm=(-40, 30), lean=-20, bob=3),
               dict(near=(6, 10), far=(-10, 10), arm=(0, 20), back_arm=(0, 20), lean=-6)]
    for base, poses, t in ((26, stagger, 2), (28, fall_poses(), 2), (30, [dict(LYING), dict(LYING, arm=(150, 30))], 12),
                           (32, get_up_poses(), 3)):
        l, r = both_sides(p, f"s{base}", poses)
        s.anim(base, timed(l, t))
        s.anim(base + 1, timed(r, t))
    return s


def runner():
    """Wren running where the camera carries her (the auto-scroll rooms)."""
    s = CastSprite("runner", 96, 120, 114)
    p = Poser(s, wren_look(), "run")
    run = [((40, 20), (-34, 40), (-40, 60), (40, 60)), ((10, 70), (0, 0), (0, 80), (0, 80)),
           ((-34, 40), (40, 20), (40, 60), (-40, 60)), ((0, 0), (10, 70), (0, 80), (0, 80))]
    side = [dict(near=a, far=b, arm=c, back_arm=d, lean=14, lift=3 if i % 2 else 0) for i, (a, b, c, d) in enumerate(run)]
    right = [p.side(f"run{i}", **q) for i, q in enumerate(side)]
    left = [p.side(f"run{i}", flip=True, **q) for i, q in enumerate(side)]
    fr = [dict(lift=(12, 0), bob=-3, arms=(10, 30)), dict(lift=(2, 2), bob=0, arms=(20, 20)),
          dict(lift=(0, 12), bob=-3, arms=(30, 10)), dict(lift=(2, 2), bob=-1, arms=(22, 18))]
    up = [p.front(f"run{i}", back=True, **q) for i, q in enumerate(fr)]
    down = [p.front(f"run{i}", **q) for i, q in enumerate(fr)]
    s.anim(0, timed(up, 2))
    s.anim(6, timed(up, 2))
    s.anim(7, timed(down, 2))
    s.anim(8, timed(left, 2))
    s.anim(9, timed(right, 2))
    s.anim(2, timed(both_sides(p, "fall", fall_poses())[1], 2) + [(p.side("lie", **LYING), 20)])
    shove = [dict(near=(10, 10), far=(-16, 10), arm=(-40, 30), back_arm=(-30, 30), lean=-16),
             dict(near=(-10, 20), far=(-26, 16), arm=(-60, 20), back_arm=(-50, 30), lean=-24),
             dict(near=(6, 10), far=(-10, 10), arm=(0, 20), back_arm=(0, 20), lean=-6)]
    l, r = both_sides(p, "shove", shove)
    # Shoved from its left, the runner reels right (3); from its right, left (4).
    s.anim(3, timed(l, 2))
    s.anim(4, timed(r, 2))
    thrown = [dict(near=(-20, 30), far=(-40, 30), arm=(-90, 20), back_arm=(-70, 30), lean=-30, lift=6),
              dict(near=(-30, 40), far=(-50, 30), arm=(-110, 20), back_arm=(-90, 30), lean=-36, lift=10),
              dict(near=(-10, 30), far=(-30, 30), arm=(-60, 20), back_arm=(-50, 30), lean=-20, lift=4),
              dict(near=(6, 10), far=(-10, 10), arm=(0, 20), back_arm=(0, 20), lean=-6)]
    l, r = both_sides(p, "thrown", thrown)
    s.anim(10, timed(r, 2))
    s.anim(11, timed(l, 2))
    s.anim(19, timed(l, 2))
    s.anim(20, timed(r, 2))
    struggle = [dict(arms=(150, 30), lift=(0, 6), bob=2), dict(arms=(30, 150), lift=(6, 0), bob=0),
                dict(arms=(120, 120), lift=(0, 0), bob=3, mouth=True)]
    s.anim(12, timed([p.front(f"seized{i}", **q) for i, q in enumerate(struggle)], 2))
    s.anim(13, timed([p.front(f"seized{i}", back=True, **q) for i, q in enumerate(struggle)], 2))
    s.anim(27, timed([p.front(f"latched{i}", squat=4, **q) for i, q in enumerate(struggle)], 2))
    return s


# --- the Murklings -------------------------------------------------------------------

MURKLING = Beast(60, "#5b5f52", "#43473d", "#7d8270", MOON)
LEADER = Beast(92, "#3f4338", "#2c2f27", "#646a58", MOON, crest=EMBER, item="club")
CALLER = Beast(58, "#6a6e5e", "#4b4f42", "#8e927e", MOON, crest=AMBER, item="horn")


class BeastPoser:
    def __init__(self, sprite, beast, tag):
        self.s, self.beast, self.tag = sprite, beast, tag

    def pose(self, key, view="side", flip=False, **pose):
        cell = self.s.cell((self.tag, view, key),
                           creature(self.s.w // 2, self.s.ground, self.beast, creature_pose(view=view, **pose)))
        return self.s.frame(cell, flip)

    def sides(self, key, poses):
        right = [self.pose(f"{key}{i}", **q) for i, q in enumerate(poses)]
        left = [self.pose(f"{key}{i}", flip=True, **q) for i, q in enumerate(poses)]
        return left, right

    def by_direction(self, key, poses):
        """[up, left, down, right] lists of frames."""
        left, right = self.sides(key, poses)
        up = [self.pose(f"{key}{i}", view="back", **q) for i, q in enumerate(poses)]
        down = [self.pose(f"{key}{i}", view="front", **q) for i, q in enumerate(poses)]
        return [up, left, down, right]


def creature_tables(s, b, kind):
    """The animation choice's numbers for one type (ordinary, leader, caller)."""
    idle = [dict(squash=0.0), dict(squash=0.12, eyes="open"), dict(squash=0.0), dict(squash=0.05, eyes="shut")]
    walk = [dict(step=1, squash=0.05), dict(step=0, lift=3), dict(step=-1, squash=0.05), dict(step=0, lift=3, squash=-0.05)]
    run = [dict(step=1.4, lean=10, arm=-30, back_arm=60), dict(step=0, lift=6, arm=20, back_arm=20),
           dict(step=-1.4, lean=10, arm=60, back_arm=-30), dict(step=0, lift=6, arm=20, back_arm=20)]
    alert = [dict(eyes="wide", squash=-0.1, arm=120, back_arm=120, mouth=True),
             dict(eyes="wide", squash=-0.15, arm=140, back_arm=130, lift=3, mouth=True)]
    hit = [dict(eyes="shut", squash=0.25, arm=-60, back_arm=-60), dict(eyes="shut", squash=0.15, rot=-10),
           dict(eyes="open", squash=0.05)]
    hard_hit = [dict(eyes="shut", squash=0.3, arm=-70, back_arm=-70), dict(eyes="shut", rot=-20, lift=4),
                dict(eyes="cross", rot=-30, lift=6), dict(eyes="shut", rot=-15, lift=3), dict(eyes="open", squash=0.1)]
    knocked = [dict(eyes="shut", squash=0.3, arm=-70), dict(eyes="shut", rot=-25, lift=10),
               dict(eyes="cross", rot=-50, lift=16), dict(eyes="cross", rot=-70, lift=12),
               dict(eyes="cross", rot=-85, lift=6), dict(eyes="cross", rot=-90, drop=4), dict(eyes="cross", rot=-90, drop=6)]
    collapse = [dict(eyes="shut", squash=0.3), dict(eyes="cross", squash=0.45, rot=-20, drop=2),
                dict(eyes="cross", squash=0.5, rot=-60, drop=6), dict(eyes="cross", squash=0.5, rot=-88, drop=8)]
    get_up = [dict(eyes="shut", rot=-80, drop=6), dict(eyes="open", rot=-40, drop=3), dict(eyes="open", rot=-10),
              dict(squash=0.15), dict(squash=0.0)]
    defeated = [dict(eyes="cross", rot=-90, drop=8, squash=0.3), dict(eyes="cross", rot=-90, drop=8, squash=0.35)]
    fading = [dict(eyes="cross", rot=-90, drop=8, squash=0.4), dict(eyes="shut", rot=-90, drop=10, squash=0.6)]
    D = lambda key, poses: BeastPoser(s, b, kind).by_direction(key, poses)  # noqa: E731
    S = lambda key, poses: BeastPoser(s, b, kind).sides(key, poses)  # noqa: E731

    def put(index, frames, t, by="D"):
        if by == "D":
            for d in range(4):
                s.anim(index + d, timed(frames[d], t))
        else:
            s.anim(index, timed(frames[0], t))
            s.anim(index + 1, timed(frames[1], t))

    def strike(variant):
        swing = 90 + 20 * variant
        return [dict(arm=-40 - 10 * variant, lean=-8, squash=0.1), dict(arm=swing, lean=14, mouth=True),
                dict(arm=swing + 20, lean=18, step=0.6, mouth=True), dict(arm=30, lean=4)]

    if kind == "ordinary":
        put(0, D("idle", idle), 5)
        put(4, D("walk", walk), 3)
        put(8, S("hit", hit), 2, "S")
        put(10, S("hitlight", hit[::-1][1:] + hit[:1]), 2, "S")
        put(12, S("collapse", collapse), 3, "S")
        put(14, S("getup", get_up), 3, "S")
        put(16, S("dying", fading), 6, "S")
        put(18, S("defeated", defeated), 10, "S")
        put(20, D("run", run), 2)
        put(24, S("alert", alert), 3, "S")
        put(26, S("sidle", walk), 3, "S")
        for v in range(4):
            put(28 + 2 * v, S(f"strike{v}", strike(v)), 2, "S")
        put(36, S("knocked", knocked), 2, "S")
        pushed_r = S("pushed", hard_hit + [dict(squash=0.05)])
        s.anim(38, timed(pushed_r[0], 2))
        s.anim(39, timed(pushed_r[0], 2))
        s.anim(40, timed(pushed_r[1], 2))
        put(41, S("shoved", hard_hit[:3]), 3, "S")
        put(43, S("wearing", [dict(squash=0.1, eyes="shut"), dict(squash=0.2, eyes="open")]), 6, "S")
        grab = [dict(arm=120, back_arm=120, lean=10, lift=6 * (i % 3), eyes="wide", mouth=i % 2 == 1) for i in range(6)]
        put(45, D("grab", grab), 2)
        use_state = [dict(arm=60, back_arm=60, lean=20, squash=0.2), dict(arm=20, back_arm=20, lean=30, squash=0.3)]
        put(55, S("dig", use_state), 4, "S")
        put(57, S("subdued", [dict(eyes="shut", squash=0.35, arm=-10, back_arm=-10),
                              dict(eyes="shut", squash=0.3, arm=-10, back_arm=-10)]), 8, "S")
        for v in range(4):
            variant = [dict(arm=40 + 30 * v, back_arm=40, lean=6 * v, squash=0.1 * (i % 2)) for i in range(4)]
            s.anim(59 + v, timed(S(f"use{v}", variant)[1], 3))
        s.anim(63, timed(D("idle", idle)[2], 5))
        s.anim(64, timed(D("idle", idle)[2], 5))
        s.anim(65, timed(D("idle", idle)[2], 5))
        put(66, S("topple", collapse + [collapse[-1]]), 3, "S")
    elif kind == "leader":
        put(0, D("idle", idle), 6)
        s.anim(4, timed(S("walk", walk)[0], 3))
        s.anim(5, timed(S("walk", walk)[1], 3))
        put(6, S("swing", [dict(arm=160, lean=-10), dict(arm=170, lean=-14, mouth=True), dict(arm=90, lean=16, step=0.5),
                           dict(arm=40, lean=20), dict(arm=30, lean=6)]), 2, "S")
        s.anim(8, timed(D("idle", idle)[2], 6))
        s.anim(9, timed(D("idle", idle)[2], 6))
        put(10, S("hit", hit), 2, "S")
        put(12, S("ready", [dict(squash=0.2, arm=100, lean=20), dict(squash=0.25, arm=110, lean=24, mouth=True),
                            dict(squash=0.3, arm=120, lean=26, eyes="wide")]), 3, "S")
        put(14, S("getup", get_up), 3, "S")
        put(16, S("defeated", defeated), 10, "S")
        charge = [dict(squash=0.2, lean=20, arm=100)] * 2 + [dict(squash=0.3, lean=26, arm=120, eyes="wide")] * 3 + \
            [dict(step=1.4 * (1 if i % 2 else -1), lean=30, arm=150, mouth=True) for i in range(5)] + [dict(lean=8, arm=60)]
        put(24, S("charge", charge), 2, "S")
        put(28, S("pause", [dict(squash=0.2, eyes="shut"), dict(squash=0.3, eyes="shut"), dict(squash=0.1)]), 3, "S")
        put(30, S("breathe", [dict(squash=0.15, mouth=True), dict(squash=0.25, mouth=True)]), 5, "S")
        put(32, S("spin", [dict(rot=-20 * i, lift=4, eyes="cross") for i in range(4)]), 2, "S")
        for k in (18, 20, 22, 26, 34):
            s.anim(k, timed(D("idle", idle)[2], 6))
            s.anim(k + 1, timed(D("idle", idle)[2], 6))
        put(36, S("roar", [dict(arm=140, back_arm=140, mouth=True, eyes="wide"), dict(arm=150, back_arm=150, mouth=True,
                                                                                     eyes="wide", lift=3)]), 3, "S")
        put(38, S("guard", [dict(arm=90, lean=-6, squash=0.1), dict(arm=96, lean=-8, squash=0.15)]), 4, "S")
    else:
        put(0, D("idle", idle), 5)
        s.anim(1, timed(D("idle", [dict(squash=0.1, eyes="shut"), dict(squash=0.15, eyes="shut")])[2], 8))
        s.anim(4, timed(S("walk", walk)[0], 3))
        s.anim(5, timed(S("walk", walk)[1], 3))
        s.anim(6, timed(D("idle", idle)[2], 5))
        s.anim(7, timed(D("idle", idle)[2], 5))
        s.anim(8, timed(D("idle", idle)[2], 5))
        s.anim(9, timed(D("idle", idle)[2], 5))
        blow = [dict(arm=140, lean=-10, squash=-0.1), dict(arm=150, lean=-16, squash=-0.2, eyes="wide"),
                dict(arm=150, lean=-16, squash=-0.2, eyes="shut"), dict(arm=150, lean=-12, squash=-0.15, eyes="shut"),
                dict(arm=120, lean=-6)]
        s.anim(10, timed(D("call", blow)[2], 3))


def murklings():
    out = []
    for name, beast, kind, w, h in (("murkling", MURKLING, "ordinary", 112, 96),
                                    ("murkling_leader", LEADER, "leader", 144, 136),
                                    ("murkling_caller", CALLER, "caller", 112, 104)):
        s = CastSprite(name, w, h, h - 6)
        creature_tables(s, beast, kind)
        out.append(s)
    return out


# --- the valley's people ----------------------------------------------------------------

PEOPLE = {
    "hesk": Look(112, "#4a5a3a", "#35412a", "#3a3328", NIGHT, SKIN, "#6a6a6a", beard="#8a8a8a", accent=AMBER,
                 item="staff", wide=1.1),
    "marrow": Look(96, "#5a4a6a", "#423650", "#4a4038", NIGHT, DARK_SKIN, "#e8e4da", beard="#f3efe6", accent=STONE,
                   hood="#3e3250"),
    "tilda": Look(100, "#8a3a2a", "#63291d", "#f3e6c4", "#6b4a2a", SKIN, "#8a6a3a", accent=PARCH, wide=1.15),
    "ode": Look(108, "#2a4a6a", "#1d344b", "#3a4260", NIGHT, DARK_SKIN, "#262b3b", beard="#262b3b", accent=GOLD,
                item="staff"),
    "pip": Look(70, "#b8862a", "#8a6420", "#3d6630", "#6b4a2a", SKIN, "#c8452f", accent=REED),
    "alder": Look(98, "#d9d2c0", "#aaa390", SLATE, NIGHT, SKIN, "#3a4260", accent=TEAL, hood="#f3e6c4"),
    "king": Look(104, "#43473d", "#2c2f27", "#2c2f27", NIGHT, "#7d8270", "#14161f", accent=GOLD, hood="#c8452f",
                 wide=1.3),
}


def people_sprite(name, who, w=104, h=128):
    """Eight animations per person, from base 8 x its place in who."""
    s = CastSprite(name, w, h, h - 6)
    for k, key in enumerate(who):
        p = Poser(s, PEOPLE[key], key)
        base = 8 * k
        s.anim(base, timed([p.front("stand0", arms=(8, 8)), p.front("stand1", arms=(9, 9), bob=0.8)], 8))
        s.anim(base + 1, timed([p.front("talk0", arms=(8, 30), mouth=True), p.front("stand0", arms=(8, 8)),
                                p.front("talk1", arms=(30, 10), mouth=True), p.front("stand1", arms=(9, 9), bob=0.8)], 3))
        walk = walk_frames(p, "walk")
        for f in range(4):
            s.anim(base + 2 + f, timed(walk[f], 3))
        s.anim(base + 6, timed([p.front("wave0", arms=(8, 150)), p.front("wave1", arms=(8, 170)),
                                p.front("wave0", arms=(8, 150)), p.front("wave2", arms=(8, 130))], 2))
        s.anim(base + 7, timed([p.front("nod0", bob=2, arms=(8, 8)), p.front("stand0", arms=(8, 8))], 4))
    return s


def cast(sprites_dir):
    """Writes every cast sprite; returns {slot: description path}."""
    out = {}
    out[16] = partner0().write(sprites_dir, recolours=[{"#6b4a2a": "#4a3a2a", "#e8c49a": "#b8a08a", DUSK: SLATE}])
    out[17] = partner1().write(sprites_dir)
    out[36] = runner().write(sprites_dir, recolours=[{TEAL: DEEP, SKIN: "#b8a08a"}, {TEAL: "#2a5a60"},
                                                     {TEAL: "#c8452f", SKIN: "#f0a090", DEEP: "#8a2a1f"}])
    ordinary, leader, caller = murklings()
    out[19] = ordinary.write(sprites_dir)
    out[24] = leader.write(sprites_dir)
    out[46] = caller.write(sprites_dir)
    out[18] = people_sprite("people_a", ["hesk", "marrow"]).write(sprites_dir)
    out[20] = people_sprite("people_b", ["tilda", "ode", "pip"]).write(sprites_dir)
    out[21] = people_sprite("people_c", ["alder", "king"]).write(sprites_dir)
    return out
