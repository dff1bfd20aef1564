"""Colours of what the rays of the 3-D scenes hit: balls, cloth, cushions,
rails with their sights, the table's body, the floor, and the cue."""

import math

from .balls import BALL_COLOURS
from .common import (CLOTH_NOISE, WOOD_NOISE, clamp, cloth_lin, mix, smoothstep, v_add, v_dot, v_mul,
                     v_norm, v_sub, wood)
from .raytrace import CW, LX, LY, RW, SCENE, ball_shadow, cue_shadow, lamp_light, trace


def wood_at(p, info):
    """Rail wood colour; returns (colour, along, across-from-outer-edge)."""
    o = CW + RW
    if info == "near":
        u, v, seed = p[0], p[1] + o, 3.3
    elif info == "far":
        u, v, seed = p[0], LY + o - p[1], 9.1
    elif info == "left":
        u, v, seed = p[1], p[0] + o, 17.7
    else:
        u, v, seed = p[1], LX + o - p[0], 27.2
    k = 1.0 / 0.0055
    return wood(u * k, v * k, seed), u, v


def sights(u, v, info):
    """Coverage (<= 1 inside) of the nearest diamond sight on a rail top."""
    if info in ("near", "far"):
        step = LX / 8.0
        kmax = 7
    else:
        step = LY / 4.0
        kmax = 3
    k = round(u / step)
    if k < 1 or k > kmax:
        return 9.0
    return abs(u - k * step) / 0.009 + abs(v - RW * 0.5) / 0.014


def shade(hit, d, depth=0):
    t, p, n, mat, info = hit
    amb = SCENE["ambient"]
    if mat == "ball":
        c, r, kind = SCENE["balls"][info]
        base = BALL_COLOURS[kind]
        e, l = lamp_light(p, n)
        col = v_mul(base, amb * 2.0 + e)
        # reflection: the scene and the lamp in the polished ball
        cosv = -v_dot(d, n)
        refl = v_sub(d, v_mul(n, 2.0 * v_dot(d, n)))
        fres = 0.045 + 0.6 * (1.0 - cosv) ** 5
        rc = (0.0, 0.0, 0.0)
        lamp = SCENE["lamp"]
        if refl[2] > 0.0:
            tl = (lamp[2] - p[2]) / refl[2]
            qx = (p[0] + refl[0] * tl - lamp[0]) / (SCENE["lamp_size"][0] * 0.5)
            qy = (p[1] + refl[1] * tl - lamp[1]) / (SCENE["lamp_size"][1] * 0.5)
            q = max(abs(qx), abs(qy))
            glow = 1.0 - smoothstep(0.85, 1.05, q)
            rc = v_mul((1.0, 0.97, 0.9), SCENE["lamp_glow"] * glow)
        if depth == 0:
            h2 = trace(p, refl, skip_ball=info)
            if h2 is not None and h2[3] != "floor":
                rc = v_add(rc, shade(h2, refl, depth + 1))
        col = v_add(col, v_mul(rc, fres))
        # soft sheen
        hv = v_norm(v_sub(l, d))
        col = v_add(col, v_mul((1.0, 1.0, 1.0), 0.06 * e * max(0.0, v_dot(n, hv)) ** 30))
        return col
    if mat == "body":
        if n[2] > 0.5:                  # the cloth
            return cloth3d(p, n, amb, depth)
        wd, u, v = wood_at(p, "near" if abs(n[1]) > 0.5 else "left")
        e, l = lamp_light(p, n)
        return v_mul(wd, amb * 1.5 + e * 0.6 + 0.02)
    if mat == "cushion":
        e, l = lamp_light(p, n)
        base = cloth_lin(0.9)
        if n[2] < 0.5:
            e *= 0.8
        # contact shadow of the cushion's top against the rail
        return v_mul(base, amb + e)
    if mat == "rail":
        wd, u, v = wood_at(p, info)
        nn = n
        if n[2] > 0.5:
            # rounded top edges
            ew = 0.012
            inward = {"near": (0.0, 1.0), "far": (0.0, -1.0), "left": (1.0, 0.0), "right": (-1.0, 0.0)}[info]
            if v < ew:
                k = (ew - v) / ew
                nn = v_norm((-inward[0] * k * 1.2, -inward[1] * k * 1.2, 1.0))
            elif v > RW - ew:
                k = (v - (RW - ew)) / ew
                nn = v_norm((inward[0] * k * 1.2, inward[1] * k * 1.2, 1.0))
            cov = sights(u, v, info)
            if cov <= 1.0:
                wd = mix((0.80, 0.78, 0.70), (0.70, 0.74, 0.80), CLOTH_NOISE(u * 300, v * 300))
                if cov > 0.75:
                    wd = mix(wd, (0.08, 0.05, 0.03), (cov - 0.75) / 0.25)
        else:
            wd = v_mul(wd, 0.7)
        e, l = lamp_light(p, nn)
        col = v_mul(wd, amb * 1.5 + e)
        hv = v_norm(v_sub(l, d))
        shine = 0.35 * e * max(0.0, v_dot(nn, hv)) ** 60
        refl_sheen = 0.0
        if nn[2] > 0.3:
            # the varnish shows a faint reflection of the dark room
            refl_sheen = 0.01 * (1.0 + d[2])
        return v_add(col, (shine + refl_sheen, shine * 0.9 + refl_sheen, shine * 0.8 + refl_sheen))
    if mat == "floor":
        e, l = lamp_light(p, n)
        fx = CLOTH_NOISE(p[0] * 3.0, p[1] * 3.0)
        base = mix((0.030, 0.018, 0.012), (0.045, 0.028, 0.018), fx)
        return v_mul(base, amb + e * 0.6)
    return (0.0, 0.0, 0.0)


def cloth3d(p, n, amb, depth):
    e, l = lamp_light(p, n)
    vis = ball_shadow(p) if depth == 0 else 1.0
    vis *= cue_shadow(p) if depth == 0 else 1.0
    # contact darkening around each ball and along the cushions
    ao = 1.0
    for (c, r, kind) in SCENE["balls"]:
        dd = math.sqrt((p[0] - c[0]) ** 2 + (p[1] - c[1]) ** 2) / r
        if dd < 2.2:
            ao *= 1.0 - 0.55 * (1.0 - smoothstep(0.2, 2.2, dd))
    edge = min(p[0], p[1], LX - p[0], LY - p[1])
    ao *= 1.0 - 0.45 * math.exp(-max(0.0, edge) / 0.012)
    fine = CLOTH_NOISE(p[0] * 900.0, p[1] * 900.0) - 0.5
    low = CLOTH_NOISE.fbm(p[0] * 6.0, p[1] * 6.0, 3) - 0.5
    k = 1.0 + 0.10 * fine + 0.10 * low
    base = cloth_lin(0.95 * k)
    return v_mul(base, (amb + e * vis) * ao)


def cue_sample(sx, sy):
    """The cue at screen point (sx, sy): (depth, colour) or None."""
    cue = SCENE.get("cue")
    if not cue:
        return None
    p0x, p0y, z0 = cue["s0"]
    p1x, p1y, z1 = cue["s1"]
    ex = p1x - p0x
    ey = p1y - p0y
    el = math.sqrt(ex * ex + ey * ey)
    ux = ex / el
    uy = ey / el
    along = (sx - p0x) * ux + (sy - p0y) * uy
    if along < -3.0 or along > el + 3.0:
        return None
    perp = -(sx - p0x) * uy + (sy - p0y) * ux
    s = clamp(along / el)
    # depth-correct parameter along the visible part of the cue
    tt = (s / z1) / ((1.0 - s) / z0 + s / z1)
    dist = cue["far_len"] * tt           # metres from the tip
    depth = z0 + (z1 - z0) * tt
    r = cue["r0"] + (cue["r1"] - cue["r0"]) * dist / cue["length"]
    rpx = r * SCENE["focal"] / depth
    if along < 0.0:
        # the rounded tip
        if along * along + perp * perp > rpx * rpx:
            return None
        q = perp / rpx
    else:
        if abs(perp) > rpx:
            return None
        q = perp / rpx
    qn = math.sqrt(max(0.0, 1.0 - q * q))
    n = v_norm(v_add(v_mul(cue["side"], q), v_mul(cue["face"], qn)))
    p = v_add(cue["tip"], v_mul(cue["dir"], dist))
    # colours along the cue
    if dist < 0.011:
        base = (0.03, 0.09, 0.30)           # chalked tip
        gloss = 0.02
    elif dist < 0.034:
        base = (0.82, 0.79, 0.68)           # ferrule
        gloss = 0.6
    elif dist < 0.72:
        g = WOOD_NOISE(dist * 60.0, q * 3.0)
        base = mix((0.78, 0.52, 0.25), (0.62, 0.38, 0.16), g * 0.6 + dist * 0.25)
        gloss = 0.5
    elif dist < 0.735:
        base = (0.75, 0.72, 0.66) if dist < 0.727 else (0.02, 0.02, 0.02)
        gloss = 0.9
    else:
        # butt: ebony with maple points, then a dark wrap
        ang = math.asin(clamp(q, -1.0, 1.0))
        x = (dist - 0.735) / 0.22
        base = (0.035, 0.012, 0.006)
        pt = abs(((ang * 4.0 / math.pi) % 2.0) - 1.0)
        if x < 1.0 and pt > x:
            base = (0.70, 0.48, 0.24)
        if dist > 1.0:
            base = (0.015, 0.015, 0.02)
        gloss = 0.7
    e, l = lamp_light(p, n)
    vdir = v_norm(v_sub(p, SCENE["eye"]))
    hv = v_norm(v_sub(l, vdir))
    shine = gloss * 0.5 * e * max(0.0, v_dot(n, hv)) ** 40
    col = v_mul(base, SCENE["ambient"] * 2.0 + e * 0.9 + 0.015)
    # rim light from the cloth below
    col = v_add(col, v_mul(cloth_lin(0.23), max(0.0, -n[2]) * 0.5))
    return depth, v_add(col, (shine, shine, shine))
