"""A jointed figure for the world's characters and creatures.

One figure is drawn from a pose: angles of the limbs in the side view
(facing right; left is the mirrored frame), or leg lifts and arm raises in
the front (facing down) and back (facing up) views. The walk, the blows,
the falls and the rest are tables of poses, so every frame is drawn, not
stretched. Colours follow content/STYLE.md.
"""
import math

from draw_interface_art import (AMBER, EMBER, GOLD, MOON, NIGHT, circle, path, rrect)


def fmt(v):
    return f"{v:.1f}".rstrip("0").rstrip(".")


def line(a, b, colour, width):
    return path(f"M{fmt(a[0])},{fmt(a[1])} L{fmt(b[0])},{fmt(b[1])}", stroke=colour, sw=fmt(width))


def polyline(points, colour, width):
    d = "M" + " L".join(f"{fmt(x)},{fmt(y)}" for x, y in points)
    return path(d, stroke=colour, sw=fmt(width))


def darker(colour, k=0.7):
    v = int(colour[1:], 16)
    r, g, b = (v >> 16) & 255, (v >> 8) & 255, v & 255
    return "#%02x%02x%02x" % (int(r * k), int(g * k), int(b * k))


def toward(p, angle, length):
    """From p, length along an angle measured from straight down, positive
    turning forward (to the right in the side view)."""
    r = math.radians(angle)
    return (p[0] + length * math.sin(r), p[1] + length * math.cos(r))


class Look:
    """How one character is dressed."""

    def __init__(self, tall, coat, shade, legs, boots, skin, hair, item=None, beard=None, hood=None,
                 accent=EMBER, wide=1.0):
        self.tall, self.coat, self.shade, self.legs, self.boots = tall, coat, shade, legs, boots
        self.skin, self.hair, self.item, self.beard, self.hood = skin, hair, item, beard, hood
        self.accent, self.wide = accent, wide


def side_pose(bob=0.0, lean=0.0, near=(0, 0), far=(0, 0), arm=(0, 10), back_arm=(0, 10), rot=0.0, drop=0.0,
              item_up=False, mouth=False, lift=0.0):
    return dict(view="side", bob=bob, lean=lean, near=near, far=far, arm=arm, back_arm=back_arm, rot=rot, drop=drop,
                item_up=item_up, mouth=mouth, lift=lift)


def front_pose(bob=0.0, lift=(0, 0), arms=(8, 8), forward=False, back=False, item_up=False, mouth=False,
               squat=0.0):
    return dict(view="back" if back else "front", bob=bob, lift=lift, arms=arms, forward=forward,
                item_up=item_up, mouth=mouth, squat=squat)


def held_item(look, hand, up=False):
    if look.item == "lantern":
        x, y = hand
        top = y - 2 if not up else y - 18
        return (line((x, y), (x, top + 4), NIGHT, 2) +
                rrect(x - 6, top + 4, 12, 16, 3, AMBER, NIGHT, 2) + rrect(x - 3.5, top + 8, 7, 8, 2, GOLD) +
                rrect(x - 7, top + 2, 14, 4, 2, NIGHT))
    if look.item == "sling":
        x, y = hand
        if up:
            return polyline([(x, y), (x - 6, y - 14), (x + 4, y - 20)], AMBER, 2.5) + circle(x + 4, y - 20, 3, MOON)
        return polyline([(x, y), (x + 2, y + 8), (x + 5, y + 14)], AMBER, 2.5) + circle(x + 5, y + 15, 2.5, MOON)
    if look.item == "staff":
        x, y = hand
        return line((x, y - 30), (x, y + 12), "#6b4a2a", 3)
    return ""


def torso_rect(hip, shoulder, width, colour, lean, below, radius):
    """The coat: a rounded block from below the hip to the shoulder."""
    length = math.dist(hip, shoulder) + below + radius * 0.6
    mx = (hip[0] + shoulder[0]) / 2
    my = (hip[1] + shoulder[1]) / 2
    top = my - (math.dist(hip, shoulder) / 2 + radius * 0.6)
    return (f'<rect x="{fmt(mx - width / 2)}" y="{fmt(top)}" width="{fmt(width)}" height="{fmt(length)}" '
            f'rx="{fmt(radius)}" fill="{colour}" transform="rotate({fmt(lean)},{fmt(mx)},{fmt(my)})"/>')


def side_figure(cx, ground, look, p):
    """The figure facing right, its feet on (cx, ground)."""
    u = look.tall / 16
    thigh, shin, torso = 3.1 * u, 3.0 * u, 5.2 * u
    upper, fore = 2.6 * u, 2.4 * u

    def leg_points(hip, angles):
        a, k = angles
        knee = toward(hip, a, thigh)
        ankle = toward(knee, a - k, shin)
        return knee, ankle

    probe = (0.0, 0.0)
    drops = [leg_points(probe, p["near"])[1][1], leg_points(probe, p["far"])[1][1]]
    hip = (cx + 0.2 * u, ground - 0.6 * u - max(drops) + p["bob"] - p["lift"])
    shoulder = toward(hip, 180 - p["lean"], torso)
    head = toward(shoulder, 180 - p["lean"], 2.5 * u)

    def leg(angles, colour):
        knee, ankle = leg_points(hip, angles)
        toe = (ankle[0] + 1.4 * u, ankle[1])
        return polyline([hip, knee, ankle], colour, 2.1 * u) + line(ankle, toe, look.boots, 1.5 * u)

    def arm(angles, colour, hand_colour):
        s, e = angles
        elbow = toward(shoulder, s, upper)
        hand = toward(elbow, s + e, fore)
        return polyline([shoulder, elbow, hand], colour, 1.7 * u) + circle(*map(fmt, hand), fmt(0.9 * u), hand_colour), hand

    far_arm, _ = arm(p["back_arm"], look.shade, look.skin)
    body = far_arm + leg(p["far"], darker(look.legs))
    coat_w = 4.4 * u * look.wide
    body += torso_rect(hip, shoulder, coat_w, look.coat, p["lean"], 1.0 * u, 1.6 * u)
    body += leg(p["near"], look.legs)
    belt = toward(hip, 180 - p["lean"], 0.9 * u)
    body += (f'<rect x="{fmt(belt[0] - coat_w / 2)}" y="{fmt(belt[1] - 0.45 * u)}" width="{fmt(coat_w)}" '
             f'height="{fmt(0.9 * u)}" fill="{look.accent}" transform="rotate({fmt(p["lean"])},{fmt(belt[0])},'
             f'{fmt(belt[1])})"/>')
    hx, hy = head
    r = 2.3 * u
    body += circle(fmt(hx), fmt(hy), fmt(r), look.skin)
    if look.hood:
        body += path(f"M{fmt(hx - r * 1.1)},{fmt(hy + r * 0.9)} A{fmt(r * 1.15)},{fmt(r * 1.15)} 0 1 1 "
                     f"{fmt(hx + r * 0.6)},{fmt(hy - r * 0.9)} L{fmt(hx - r * 0.2)},{fmt(hy + r * 0.1)} Z",
                     fill=look.hood)
    else:
        body += path(f"M{fmt(hx - r)},{fmt(hy + r * 0.3)} A{fmt(r)},{fmt(r)} 0 0 1 {fmt(hx + r * 0.9)},{fmt(hy - r * 0.4)}"
                     f" L{fmt(hx - r * 0.1)},{fmt(hy - r * 0.2)} L{fmt(hx - r * 0.5)},{fmt(hy + r * 0.6)} Z",
                     fill=look.hair)
    if look.beard:
        body += path(f"M{fmt(hx + r * 0.1)},{fmt(hy + r * 0.3)} Q{fmt(hx + r * 0.9)},{fmt(hy + r * 1.4)} "
                     f"{fmt(hx + r)},{fmt(hy + r * 0.2)} Z", fill=look.beard)
    body += circle(fmt(hx + r * 0.55), fmt(hy - r * 0.1), fmt(max(1.2, 0.35 * u)), NIGHT)
    if p["mouth"]:
        body += circle(fmt(hx + r * 0.7), fmt(hy + r * 0.5), fmt(max(1.0, 0.3 * u)), NIGHT)
    near_arm, hand = arm(p["arm"], look.coat, look.skin)
    body += near_arm + held_item(look, hand, p["item_up"])
    if p["rot"] or p["drop"]:
        body = (f'<g transform="translate(0,{fmt(p["drop"])}) rotate({fmt(p["rot"])},{fmt(hip[0])},{fmt(hip[1])})">'
                f'{body}</g>')
    return body


def front_figure(cx, ground, look, p, back=False):
    """The figure facing the viewer (down) or, with back, away (up)."""
    u = look.tall / 16
    leg_len = 6.1 * u - p["squat"]
    hip_y = ground - 0.6 * u - leg_len + p["bob"]
    top = hip_y - 6.2 * u
    body = ""

    def legs():
        out = ""
        for side, lift in ((-1, p["lift"][0]), (1, p["lift"][1])):
            x = cx + side * 1.3 * u
            foot = ground - 0.6 * u - lift + p["bob"] * 0.3
            out += line((x, hip_y), (x, foot), look.legs, 2.2 * u)
            out += rrect(fmt(x - 1.2 * u), fmt(foot - 0.6 * u), fmt(2.4 * u), fmt(1.3 * u), fmt(0.5 * u), look.boots)
        return out

    def arm(side, raise_deg):
        sx, sy = cx + side * 2.7 * u * look.wide, top + 1.0 * u
        if p["forward"]:
            hand = (cx + side * 1.6 * u, sy + 3.2 * u)
        else:
            angle = math.radians(raise_deg)
            hand = (sx + side * 4.6 * u * math.sin(angle), sy + 4.6 * u * math.cos(angle))
        return line((sx, sy), hand, look.coat if not back else look.shade, 1.7 * u) + \
            circle(fmt(hand[0]), fmt(hand[1]), fmt(0.9 * u), look.skin), hand

    item_hand = None
    if back:
        a, item_hand = arm(1, p["arms"][1])
        body += held_item(look, item_hand, p["item_up"]) + a
    body += legs()
    w = 5.6 * u * look.wide
    body += rrect(fmt(cx - w / 2), fmt(top), fmt(w), fmt(hip_y - top + 1.0 * u), fmt(1.6 * u), look.coat)
    body += rrect(fmt(cx - w / 2), fmt(hip_y - 1.2 * u), fmt(w), fmt(0.9 * u), 0, look.accent)
    hy = top - 2.0 * u
    r = 2.3 * u
    body += circle(fmt(cx), fmt(hy), fmt(r), look.skin if not back else look.hair)
    if look.hood:
        body += path(f"M{fmt(cx - r * 1.15)},{fmt(hy + r * 0.8)} A{fmt(r * 1.15)},{fmt(r * 1.15)} 0 1 1 "
                     f"{fmt(cx + r * 1.15)},{fmt(hy + r * 0.8)}" + ("Z" if back else
                     f" L{fmt(cx + r * 0.8)},{fmt(hy - r * 0.2)} Q{fmt(cx)},{fmt(hy - r * 0.9)} {fmt(cx - r * 0.8)},{fmt(hy - r * 0.2)} Z"),
                     fill=look.hood)
    elif not back:
        body += path(f"M{fmt(cx - r * 1.02)},{fmt(hy + r * 0.1)} A{fmt(r * 1.02)},{fmt(r * 1.02)} 0 0 1 "
                     f"{fmt(cx + r * 1.02)},{fmt(hy + r * 0.1)} Q{fmt(cx + r * 0.3)},{fmt(hy - r * 0.5)} "
                     f"{fmt(cx - r * 0.2)},{fmt(hy - r * 0.35)} Q{fmt(cx - r * 0.7)},{fmt(hy - r * 0.3)} "
                     f"{fmt(cx - r * 1.02)},{fmt(hy + r * 0.1)} Z", fill=look.hair)
    if not back:
        if look.beard:
            body += path(f"M{fmt(cx - r * 0.8)},{fmt(hy + r * 0.3)} Q{fmt(cx)},{fmt(hy + r * 1.6)} "
                         f"{fmt(cx + r * 0.8)},{fmt(hy + r * 0.3)} Z", fill=look.beard)
        e = max(1.2, 0.35 * u)
        body += circle(fmt(cx - r * 0.4), fmt(hy - r * 0.05), fmt(e), NIGHT) + \
            circle(fmt(cx + r * 0.4), fmt(hy - r * 0.05), fmt(e), NIGHT)
        if p["mouth"]:
            body += rrect(fmt(cx - r * 0.25), fmt(hy + r * 0.45), fmt(r * 0.5), fmt(max(1.5, r * 0.25)), 1, NIGHT)
    for side, raise_deg in ((-1, p["arms"][0]), (1, p["arms"][1])):
        if back and side == 1:
            continue
        a, hand = arm(side, raise_deg)
        body += a
        if side == 1:
            item_hand = hand
    if not back:
        body += held_item(look, item_hand, p["item_up"])
    return body


def figure(cx, ground, look, pose):
    if pose["view"] == "side":
        return side_figure(cx, ground, look, pose)
    return front_figure(cx, ground, look, pose, back=pose["view"] == "back")


# --- the creature's rig: a round body on short legs -------------------------------

def creature_pose(view="side", squash=0.0, lean=0.0, step=0.0, arm=20.0, back_arm=20.0, rot=0.0, drop=0.0,
                  eyes="open", mouth=False, lift=0.0, glow=False):
    return dict(view=view, squash=squash, lean=lean, step=step, arm=arm, back_arm=back_arm, rot=rot, drop=drop,
                eyes=eyes, mouth=mouth, lift=lift, glow=glow)


class Beast:
    def __init__(self, size, body, shade, belly, eye, crest=None, item=None):
        self.size, self.body, self.shade, self.belly, self.eye = size, body, shade, belly, eye
        self.crest, self.item = crest, item


def creature(cx, ground, beast, p):
    """A Murkling: a squat grey body, two lamp-shy eyes, stubby limbs."""
    s = beast.size
    rx, ry = 0.5 * s * (1 + p["squash"] * 0.3), 0.42 * s * (1 - p["squash"] * 0.3)
    base = ground - 0.12 * s - p["lift"]
    cy = base - ry
    out = ""
    side = p["view"] == "side"
    back = p["view"] == "back"
    # Legs: two stubs that step.
    for k, sign in enumerate((-1, 1)):
        offset = sign * 0.22 * s
        step = p["step"] * (sign if side else 0) * 0.18 * s
        lift = max(0.0, -p["step"] * sign) * 0.08 * s if not side else 0.0
        if not side:
            lift = max(0.0, p["step"] * sign) * 0.1 * s
        foot = (cx + offset * (0.4 if side else 1) + step, ground - lift)
        colour = beast.shade if side and k == 0 else beast.body
        out += line((cx + offset * (0.4 if side else 1), cy + ry * 0.6), foot, colour, 0.16 * s)
        out += rrect(fmt(foot[0] - 0.1 * s), fmt(foot[1] - 0.07 * s), fmt(0.22 * s), fmt(0.1 * s), fmt(0.04 * s),
                     beast.shade)
    if side:
        shoulder = (cx - 0.05 * s, cy - 0.05 * s)
        out += line(shoulder, toward(shoulder, p["back_arm"], 0.42 * s), beast.shade, 0.13 * s)
    if beast.crest:
        out += path(f"M{fmt(cx - 0.2 * s)},{fmt(cy - ry * 0.8)} L{fmt(cx - 0.05 * s)},{fmt(cy - ry - 0.25 * s)} "
                    f"L{fmt(cx + 0.05 * s)},{fmt(cy - ry * 0.9)} L{fmt(cx + 0.2 * s)},{fmt(cy - ry - 0.2 * s)} "
                    f"L{fmt(cx + 0.3 * s)},{fmt(cy - ry * 0.7)} Z", fill=beast.crest)
    out += f'<ellipse cx="{fmt(cx)}" cy="{fmt(cy)}" rx="{fmt(rx)}" ry="{fmt(ry)}" fill="{beast.body}"/>'
    if not back:
        bx = cx + (0.18 * s if side else 0)
        out += f'<ellipse cx="{fmt(bx)}" cy="{fmt(cy + ry * 0.35)}" rx="{fmt(rx * 0.55)}" ry="{fmt(ry * 0.5)}" ' \
               f'fill="{beast.belly}"/>'
        eyes = [(cx + 0.3 * s, cy - ry * 0.45)] if side else [(cx - 0.17 * s, cy - ry * 0.3), (cx + 0.17 * s, cy - ry * 0.3)]
        for ex, ey in eyes:
            if p["eyes"] == "shut":
                out += line((ex - 0.08 * s, ey), (ex + 0.08 * s, ey), beast.eye, 0.04 * s)
            elif p["eyes"] == "cross":
                out += line((ex - 0.07 * s, ey - 0.07 * s), (ex + 0.07 * s, ey + 0.07 * s), beast.eye, 0.04 * s)
                out += line((ex - 0.07 * s, ey + 0.07 * s), (ex + 0.07 * s, ey - 0.07 * s), beast.eye, 0.04 * s)
            else:
                big = 0.12 * s if p["eyes"] == "wide" else 0.1 * s
                out += circle(fmt(ex), fmt(ey), fmt(big), MOON if not p["glow"] else GOLD)
                out += circle(fmt(ex + (0.03 * s if side else 0)), fmt(ey + 0.01 * s), fmt(big * 0.45), NIGHT)
        if p["mouth"]:
            mx = cx + (0.3 * s if side else 0)
            out += f'<ellipse cx="{fmt(mx)}" cy="{fmt(cy + ry * 0.2)}" rx="{fmt(0.08 * s)}" ry="{fmt(0.06 * s)}" ' \
                   f'fill="{NIGHT}"/>'
    # Near arm (or both in the front and back views).
    if side:
        shoulder = (cx - 0.04 * s, cy + 0.14 * s)
        hand = toward(shoulder, p["arm"], 0.45 * s)
        out += line(shoulder, hand, beast.body, 0.14 * s) + circle(fmt(hand[0]), fmt(hand[1]), fmt(0.08 * s), beast.shade)
        out += beast_item(beast, hand, s)
    else:
        for sign, angle in ((-1, p["back_arm"]), (1, p["arm"])):
            shoulder = (cx + sign * rx * 0.85, cy)
            hand = (shoulder[0] + sign * 0.4 * s * math.sin(math.radians(angle)),
                    shoulder[1] + 0.4 * s * math.cos(math.radians(angle)))
            out += line(shoulder, hand, beast.body, 0.14 * s) + \
                circle(fmt(hand[0]), fmt(hand[1]), fmt(0.08 * s), beast.shade)
            if sign == 1 and not back:
                out += beast_item(beast, hand, s)
    if p["rot"] or p["drop"]:
        out = (f'<g transform="translate(0,{fmt(p["drop"])}) rotate({fmt(p["rot"])},{fmt(cx)},{fmt(cy)})">'
               f'{out}</g>')
    return out


def beast_item(beast, hand, s):
    x, y = hand
    if beast.item == "club":
        return line((x, y), (x + 0.1 * s, y - 0.55 * s), "#6b4a2a", 0.12 * s) + \
            circle(fmt(x + 0.1 * s), fmt(y - 0.55 * s), fmt(0.1 * s), "#6b4a2a")
    if beast.item == "horn":
        return path(f"M{fmt(x)},{fmt(y)} Q{fmt(x + 0.25 * s)},{fmt(y - 0.1 * s)} {fmt(x + 0.35 * s)},{fmt(y - 0.35 * s)} "
                    f"L{fmt(x + 0.22 * s)},{fmt(y - 0.38 * s)} Q{fmt(x + 0.18 * s)},{fmt(y - 0.12 * s)} {fmt(x)},{fmt(y)} Z",
                    fill=MOON, stroke=NIGHT, sw=1.5)
    return ""
