"""A small ray tracer for the menu and opening pictures: a carom table (cloth,
cushions, wooden rails with sights, body), balls, a cue and a lamp above.
World units are metres, z up; the cloth is the rectangle 0..LX x 0..LY.

This module finds what a ray hits and how the lamp reaches a point;
shading.py colours the hits and scene.py sets the scene up and renders it."""

import math

from .common import clamp, smoothstep, v_add, v_dot, v_mul, v_sub

LX, LY = 2.84, 1.42
BALL_R = 0.0305
CW, CH = 0.045, 0.036           # cushion width and height
RW, RH = 0.125, 0.042           # rail width and height
BODY_Z = -0.20
FLOOR_Z = -0.78
# The scene being rendered, set up by scene.setup_scene and handed to the
# workers by their start-up function. It is only ever filled in place, never
# rebound, so every module that imports it holds this same dict.
SCENE = {}


def table_boxes():
    o = CW + RW
    return [
        # the body: its top is the cloth inside, hidden by rails outside
        (-o, LX + o, -o, LY + o, BODY_Z, 0.0, "body", None),
        # cushions
        (-CW, 0.0, -CW, LY + CW, 0.0, CH, "cushion", None),
        (LX, LX + CW, -CW, LY + CW, 0.0, CH, "cushion", None),
        (0.0, LX, -CW, 0.0, 0.0, CH, "cushion", None),
        (0.0, LX, LY, LY + CW, 0.0, CH, "cushion", None),
        # rails: left, right (full length), near, far
        (-o, -CW, -o, LY + o, 0.0, RH, "rail", "left"),
        (LX + CW, LX + o, -o, LY + o, 0.0, RH, "rail", "right"),
        (-CW, LX + CW, -o, -CW, 0.0, RH, "rail", "near"),
        (-CW, LX + CW, LY + CW, LY + o, 0.0, RH, "rail", "far"),
    ]


def hit_box(o, d, b):
    x0, x1, y0, y1, z0, z1 = b[0], b[1], b[2], b[3], b[4], b[5]
    tmin = -1e30
    tmax = 1e30
    nrm = None
    for ax, lo, hi in ((0, x0, x1), (1, y0, y1), (2, z0, z1)):
        oa = o[ax]
        da = d[ax]
        if abs(da) < 1e-12:
            if oa < lo or oa > hi:
                return None
            continue
        t1 = (lo - oa) / da
        t2 = (hi - oa) / da
        s = -1.0
        if t1 > t2:
            t1, t2 = t2, t1
            s = 1.0
        if t1 > tmin:
            tmin = t1
            nrm = (ax, s)
        if t2 < tmax:
            tmax = t2
        if tmin > tmax:
            return None
    if tmax < 1e-6 or tmin < 1e-6:
        return None
    ax, s = nrm
    n = [0.0, 0.0, 0.0]
    n[ax] = s
    return tmin, (n[0], n[1], n[2])


def hit_sphere(o, d, c, r):
    ox = o[0] - c[0]
    oy = o[1] - c[1]
    oz = o[2] - c[2]
    b = ox * d[0] + oy * d[1] + oz * d[2]
    cc = ox * ox + oy * oy + oz * oz - r * r
    disc = b * b - cc
    if disc < 0.0:
        return None
    t = -b - math.sqrt(disc)
    if t < 1e-6:
        return None
    return t


def trace(o, d, skip_ball=-1):
    """Nearest hit: (t, point, normal, material, info) or None."""
    best = None
    bt = 1e30
    for i, (c, r, kind) in enumerate(SCENE["balls"]):
        if i == skip_ball:
            continue
        t = hit_sphere(o, d, c, r)
        if t is not None and t < bt:
            bt = t
            p = v_add(o, v_mul(d, t))
            best = (t, p, v_mul(v_sub(p, c), 1.0 / r), "ball", i)
    # quick reject of the table's bounding box
    for b in SCENE["boxes"]:
        h = hit_box(o, d, b)
        if h is not None and h[0] < bt:
            bt = h[0]
            p = v_add(o, v_mul(d, h[0]))
            best = (h[0], p, h[1], b[6], b[7])
    if best is None and d[2] < 0.0:
        t = (FLOOR_Z - o[2]) / d[2]
        p = v_add(o, v_mul(d, t))
        best = (t, p, (0.0, 0.0, 1.0), "floor", None)
    return best


def lamp_light(p, n):
    """Direct light of the lamp at p with normal n, without shadows:
    (irradiance, unit direction to the lamp)."""
    lp = SCENE["lamp"]
    l = v_sub(lp, p)
    dist2 = v_dot(l, l)
    dist = math.sqrt(dist2)
    l = v_mul(l, 1.0 / dist)
    cosn = v_dot(n, l)
    if cosn <= 0.0:
        return 0.0, l
    # the lamp shade lets light out in a cone; elliptical to cover the table
    hx = (p[0] - lp[0]) / SCENE["pool"][0]
    hy = (p[1] - lp[1]) / SCENE["pool"][1]
    hz = max(0.05, lp[2] - p[2])
    q = math.sqrt(hx * hx + hy * hy) / hz
    spot = 1.0 - smoothstep(SCENE["pool"][2], SCENE["pool"][3], q)
    return SCENE["power"] * spot * cosn * (lp[2] * lp[2]) / dist2, l


def lamp_samples():
    lp = SCENE["lamp"]
    sx, sy = SCENE["lamp_size"]
    pts = []
    k = 5
    for j in range(k):
        for i in range(k):
            jx = ((i * 7 + j * 3) % k + 0.5) / k
            pts.append((lp[0] + sx * ((i + jx) / k - 0.5), lp[1] + sy * ((j + 0.5) / k - 0.5), lp[2]))
    return pts


def ball_shadow(p):
    """Visible fraction of the lamp from p (only balls cast shadows)."""
    lp = SCENE["lamp"]
    near = []
    for (c, r, kind) in SCENE["balls"]:
        # where the ball's shadow falls from the lamp's centre
        k = (lp[2] - p[2]) / max(1e-6, lp[2] - c[2])
        sx = lp[0] + (c[0] - lp[0]) * k
        sy = lp[1] + (c[1] - lp[1]) * k
        if (p[0] - sx) ** 2 + (p[1] - sy) ** 2 < (r * 4.0) ** 2:
            near.append((c, r))
    if not near:
        return 1.0
    vis = 0
    samples = SCENE["samples"]
    for s in samples:
        d = v_sub(s, p)
        dl = math.sqrt(v_dot(d, d))
        d = v_mul(d, 1.0 / dl)
        blocked = False
        for c, r in near:
            if hit_sphere(p, d, c, r) is not None:
                blocked = True
                break
        if not blocked:
            vis += 1
    return vis / len(samples)


def cue_shadow(p):
    cue = SCENE.get("cue")
    if not cue:
        return 1.0
    lp = SCENE["lamp"]
    best = 1.0
    # the shadow of the cue's axis cast from the lamp centre onto the cloth
    a = cue["tip"]
    b = cue["far"]
    ka = lp[2] / (lp[2] - a[2])
    kb = lp[2] / (lp[2] - b[2])
    ax = lp[0] + (a[0] - lp[0]) * ka
    ay = lp[1] + (a[1] - lp[1]) * ka
    bx = lp[0] + (b[0] - lp[0]) * kb
    by = lp[1] + (b[1] - lp[1]) * kb
    ex = bx - ax
    ey = by - ay
    el2 = ex * ex + ey * ey
    t = clamp(((p[0] - ax) * ex + (p[1] - ay) * ey) / el2)
    dx = p[0] - (ax + ex * t)
    dy = p[1] - (ay + ey * t)
    dist = math.sqrt(dx * dx + dy * dy)
    h = a[2] + (b[2] - a[2]) * t
    r = (cue["r0"] + (cue["r1"] - cue["r0"]) * t * cue["far_len"] / cue["length"]) * lp[2] / (lp[2] - h)
    w = 0.5 * SCENE["lamp_size"][0] * h / (lp[2] - h) + 0.002
    if t <= 0.0:
        tipd = math.sqrt((p[0] - ax) ** 2 + (p[1] - ay) ** 2)
        dist = tipd
    best = 1.0 - 0.7 * (1.0 - smoothstep(r - w, r + w, dist)) * (r / (r + w))
    return best
