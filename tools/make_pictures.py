#!/usr/bin/python3
"""Draws every picture of Zandrel procedurally and writes them to resources/.

Run from anywhere:  /usr/bin/python3 tools/make_pictures.py [groups] [--start=METHOD]
Needs Pillow (Debian: python3-pil) and the Debian fonts fonts-liberation2.
The output is deterministic: all random numbers come from fixed seeds, and
the worker processes get everything they draw from as arguments, so any
start method of the workers (--start=fork, spawn or forkserver) gives the
same bytes.
"""

import math
import multiprocessing
import os
import random
import re
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
RES = os.path.join(ROOT, "resources")
FONT_DIR = "/usr/share/fonts/truetype/liberation2/"
FONT_BOLD = FONT_DIR + "LiberationSans-Bold.ttf"
FONT_BOLD_ITALIC = FONT_DIR + "LiberationSans-BoldItalic.ttf"
FONT_REGULAR = FONT_DIR + "LiberationSans-Regular.ttf"
LAYOUT_HEADER = os.path.join(ROOT, "src", "window", "window_layout.h")

# The cloth of the table, sRGB, where the lamp lights it fully. A deep
# blue-green: the demonstration writes its captions in plain green (0, 128, 0)
# on the cloth, and they must stand out against it.
CLOTH = (2, 78, 66)
# How the workers are started (set from --start); None: the platform default.
START_METHOD = None


def worker_pool(initializer=None, initargs=()):
    """A pool of at most four workers (the machine is shared)."""
    ctx = multiprocessing.get_context(START_METHOD)
    return ctx.Pool(processes=min(4, os.cpu_count() or 1), initializer=initializer,
                    initargs=initargs)


# ---------------------------------------------------------------- helpers

def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def lerp(a, b, t):
    return a + (b - a) * t


def mix(c1, c2, t):
    return (c1[0] + (c2[0] - c1[0]) * t, c1[1] + (c2[1] - c1[1]) * t,
            c1[2] + (c2[2] - c1[2]) * t)


def smoothstep(e0, e1, x):
    t = clamp((x - e0) / (e1 - e0))
    return t * t * (3.0 - 2.0 * t)


def norm3(x, y, z):
    n = math.sqrt(x * x + y * y + z * z)
    return (x / n, y / n, z / n)


def to_lin(c):
    """sRGB byte colour to linear floats."""
    return tuple((v / 255.0) ** 2.2 for v in c)


def to_byte(v):
    """Linear float to an sRGB byte."""
    v = clamp(v)
    return int(round(255.0 * v ** (1.0 / 2.2)))


CLOTH_LIN = to_lin(CLOTH)


def cloth_lin(k):
    """The cloth's linear colour scaled by k."""
    return (CLOTH_LIN[0] * k, CLOTH_LIN[1] * k, CLOTH_LIN[2] * k)


def lin_rgb(c):
    return (to_byte(c[0]), to_byte(c[1]), to_byte(c[2]))


def tonemap(c):
    """Soft shoulder for highlights, then to bytes."""
    out = []
    for v in c:
        if v > 0.8:
            v = 0.8 + 0.2 * (1.0 - math.exp(-(v - 0.8) / 0.2))
        out.append(to_byte(v))
    return tuple(out)


class Noise:
    """Smooth 2-D value noise with a fixed seed."""

    def __init__(self, seed):
        rnd = random.Random(seed)
        p = list(range(256))
        rnd.shuffle(p)
        self.p = p + p
        self.v = [rnd.random() for _ in range(256)]

    def __call__(self, x, y):
        xi = math.floor(x)
        yi = math.floor(y)
        xf = x - xi
        yf = y - yi
        xi &= 255
        yi &= 255
        p = self.p
        v = self.v
        a = v[p[p[xi] + yi]]
        b = v[p[p[xi + 1] + yi]]
        c = v[p[p[xi] + yi + 1]]
        d = v[p[p[xi + 1] + yi + 1]]
        u = xf * xf * (3 - 2 * xf)
        w = yf * yf * (3 - 2 * yf)
        return a + (b - a) * u + (c - a) * w + (a - b - c + d) * u * w

    def fbm(self, x, y, octaves=4):
        s = 0.0
        amp = 0.5
        tot = 0.0
        for _ in range(octaves):
            s += amp * self(x, y)
            tot += amp
            x *= 2.03
            y *= 2.03
            amp *= 0.5
        return s / tot


WOOD_NOISE = Noise(1701)
CLOTH_NOISE = Noise(2203)


def wood(u, v, seed=0.0):
    """Varnished mahogany, linear colour. u runs along the grain, v across it
    (both in pixels of the top view)."""
    n = WOOD_NOISE
    warp = n.fbm(u * 0.012 + seed, v * 0.06 + seed * 0.37, 3)
    ring = v * 0.55 + warp * 6.0 + 1.5 * n(u * 0.003 + seed, 3.7 + seed)
    bands = 0.5 + 0.5 * math.sin(ring * 2.4)
    bands = bands ** 2.5
    fibre = n(u * 0.45 + seed * 3.1, v * 3.0 + seed)
    fibre2 = n(u * 0.12 + 7.3, v * 1.4 + seed * 1.9)
    t = clamp(0.15 + 0.45 * bands + 0.28 * fibre + 0.22 * fibre2)
    light = (0.30, 0.068, 0.016)
    dark = (0.055, 0.011, 0.0035)
    return mix(light, dark, t)


# ---------------------------------------------------------------- balls

BALL_COLOURS = {
    "white": to_lin((234, 232, 222)),
    "yellow": to_lin((255, 212, 36)),
    "red": to_lin((212, 18, 22)),
}
LIGHT2D = norm3(-0.42, -0.5, 0.76)      # top-view light: from the upper left


def ball_shade(nx, ny, nz, kind, moving=False):
    """Colour (linear) of a ball seen from above at unit normal (nx, ny, nz);
    x right, y down, z toward the viewer."""
    base = BALL_COLOURS[kind]
    lx, ly, lz = LIGHT2D
    if moving:
        # a slightly different, softer lighting: highlight smeared along
        # the travel and shifted, ball a touch cooler
        lx, ly, lz = norm3(-0.25, -0.55, 0.80)
    ndl = nx * lx + ny * ly + nz * lz
    diff = max(0.0, ndl)
    wrap = max(0.0, (ndl + 0.35) / 1.35)
    # bounce light of the green cloth from below
    bounce = max(0.0, 0.5 * (ny + 0.2) + 0.5 * (1.0 - nz)) * 0.20
    amb = 0.10
    r = base[0] * (amb + 0.55 * diff + 0.35 * wrap)
    g = base[1] * (amb + 0.55 * diff + 0.35 * wrap) + bounce * 0.10 * base[1] + bounce * 0.03
    b = base[2] * (amb + 0.55 * diff + 0.35 * wrap)
    r += bounce * 0.01 * base[0]
    # shiny highlight (viewer straight above)
    hx, hy, hz = norm3(lx, ly, lz + 1.0)
    ndh = max(0.0, nx * hx + ny * hy + nz * hz)
    if moving:
        # the highlight drawn out into a short streak, as if blurred
        ddx = nx - hx * 0.9
        ddy = ny - hy * 0.9
        shine = 0.85 * math.exp(-(ddx * ddx / 0.06 + ddy * ddy / 0.0035)) + 0.12 * ndh ** 8
    else:
        shine = 1.5 * ndh ** 90 + 0.15 * ndh ** 12
    # rim: slight fresnel sheen reflecting the dark room
    fres = (1.0 - nz) ** 4 * 0.08
    if moving and kind == "white":
        r *= 0.93
        g *= 0.97
        b *= 1.02
    return (r + shine + fres * 0.3, g + shine + fres * 0.5, b + shine + fres * 0.3)


SPRITE_R = 10.0   # disc radius of the sprite mask, pixels


def mask_inside(px, py):
    dx = px + 0.5 - 10.0
    dy = py + 0.5 - 10.0
    return dx * dx + dy * dy <= SPRITE_R * SPRITE_R


def ball_sprite(kind, moving=False):
    """20 x 20 RGB sprite, pure black outside the mask disc and never pure
    black inside it; edges blend toward a dark green, not black."""
    img = Image.new("RGB", (20, 20), (0, 0, 0))
    edge = to_lin(tuple(int(round(c * 0.42)) for c in CLOTH))
    ss = 6
    R = SPRITE_R
    for py in range(20):
        for px in range(20):
            if not mask_inside(px, py):
                continue
            acc = [0.0, 0.0, 0.0]
            for sy in range(ss):
                for sx in range(ss):
                    x = (px + (sx + 0.5) / ss - 10.0) / R
                    y = (py + (sy + 0.5) / ss - 10.0) / R
                    d2 = x * x + y * y
                    if d2 >= 0.985:
                        c = edge
                    else:
                        z = math.sqrt(1.0 - d2)
                        c = ball_shade(x, y, z, kind, moving)
                        # darken the very rim a little (ambient occlusion
                        # against the cloth)
                        if d2 > 0.80:
                            c = mix(c, edge, (d2 - 0.80) / 0.185 * 0.5)
                    acc[0] += c[0]
                    acc[1] += c[1]
                    acc[2] += c[2]
            n = ss * ss
            col = tonemap((acc[0] / n, acc[1] / n, acc[2] / n))
            if col == (0, 0, 0):
                col = (0, 12, 10)
            img.putpixel((px, py), col)
    return img


def shadow_sprite():
    img = Image.new("RGB", (20, 20), (0, 0, 0))
    for py in range(20):
        for px in range(20):
            if not mask_inside(px, py):
                continue
            d = math.hypot(px + 0.5 - 10.0, py + 0.5 - 10.0) / SPRITE_R
            # the cloth in shade: darkest under the ball's centre
            k = 0.64 + 0.13 * smoothstep(0.35, 1.0, d)
            img.putpixel((px, py), tuple(int(round(c * k)) for c in CLOTH))
    return img


def mask_sprite():
    img = Image.new("RGB", (20, 20), (255, 255, 255))
    for py in range(20):
        for px in range(20):
            if mask_inside(px, py):
                img.putpixel((px, py), (0, 0, 0))
    return img


# ---------------------------------------------------------------- table

CLOTH_X0, CLOTH_X1, CLOTH_Y0, CLOTH_Y1 = 30, 510, 30, 270


def rail_height(d):
    """Height profile (pixels) of rail and cushion at distance d from the
    outer edge; returns (height, slope dh/dd, material)."""
    if d < 4.0:                       # rounded outer edge of the rail
        q = 4.0 - d
        s = math.sqrt(max(1e-6, 16.0 - q * q))
        return 2.0 + s, min(4.0, q / s), "wood"
    if d < 18.0:
        return 6.0, 0.0, "wood"
    if d < 21.5:                      # rounded inner edge
        q = d - 18.0
        s = math.sqrt(max(1e-6, 12.25 - q * q))
        return 2.5 + s, -min(4.0, q / s), "wood"
    if d < 22.5:
        return 3.0, 0.0, "seam"
    if d < 25.5:                      # top of the cushion
        return 4.0 - (d - 22.5) * 0.1, -0.1, "cushion"
    q = (d - 25.5) / 4.5              # the cushion nose, falling to the cloth
    return 3.7 * math.cos(q * math.pi / 2), -3.7 * math.pi / 2 / 4.5 * math.sin(q * math.pi / 2), "cushion"


def cloth_colour(x, y, rnd):
    """sRGB bytes of the cloth at pixel (x, y) of the top view."""
    cx = (x + 0.5 - 270.0) / 240.0
    cy = (y + 0.5 - 150.0) / 120.0
    vig = 1.0 - 0.055 * (cx * cx + cy * cy) - 0.03 * (cx * cx * cy * cy)
    # light from the upper left: a touch brighter there
    vig += -0.012 * cx - 0.012 * cy
    low = CLOTH_NOISE.fbm(x * 0.03, y * 0.03, 3) - 0.5
    fine = CLOTH_NOISE(x * 0.9 + 31.0, y * 0.9 + 17.0) - 0.5
    # texture noise, as a fraction of the cloth's brightness
    k = vig + (5.0 * low + 3.0 * fine + rnd.gauss(0.0, 1.1)) / 128.0
    # soft shadow of the cushion noses along the cloth's edges (light from
    # the upper left: deeper at the top and left)
    dl = x + 0.5 - CLOTH_X0
    dt = y + 0.5 - CLOTH_Y0
    dr = CLOTH_X1 - (x + 0.5)
    db = CLOTH_Y1 - (y + 0.5)
    sh = 1.0
    sh *= 1.0 - 0.30 * math.exp(-dl / 2.2)
    sh *= 1.0 - 0.34 * math.exp(-dt / 2.4)
    sh *= 1.0 - 0.16 * math.exp(-dr / 1.3)
    sh *= 1.0 - 0.16 * math.exp(-db / 1.3)
    k *= sh
    r = CLOTH[0] * k
    g = CLOTH[1] * k
    b = CLOTH[2] * k
    return (int(round(clamp(r, 0, 255))), int(round(clamp(g, 0, 255))),
            int(round(clamp(b, 0, 255))))


def diamond_cover(u, v, cu, cv, au=3.0, av=4.6):
    """Coverage and position inside a diamond sight centred at (cu, cv)."""
    return abs(u - cu) / au + abs(v - cv) / av


def rail_pixel(x, y):
    """Linear colour of the rail / cushion at pixel (x, y) (outside cloth)."""
    W, H = 540.0, 300.0
    acc = [0.0, 0.0, 0.0]
    ss = 3
    for sy in range(ss):
        for sx in range(ss):
            fx = x + (sx + 0.5) / ss
            fy = y + (sy + 0.5) / ss
            dists = (fy, H - fy, fx, W - fx)   # top, bottom, left, right
            side = min(range(4), key=lambda i: dists[i])
            d = dists[side]
            if side == 0:
                u, seed = fx, 0.0
            elif side == 1:
                u, seed = fx, 11.3
            elif side == 2:
                u, seed = fy, 23.9
            else:
                u, seed = fy, 37.1
            h, slope, mat = rail_height(d)
            # normal in image coordinates
            if side == 0:
                n = norm3(0.0, -slope, 1.0)
            elif side == 1:
                n = norm3(0.0, slope, 1.0)
            elif side == 2:
                n = norm3(-slope, 0.0, 1.0)
            else:
                n = norm3(slope, 0.0, 1.0)
            lx, ly, lz = LIGHT2D
            ndl = n[0] * lx + n[1] * ly + n[2] * lz
            hx, hy, hz = norm3(lx, ly, lz + 1.0)
            ndh = max(0.0, n[0] * hx + n[1] * hy + n[2] * hz)
            # how far along its side (0 centre .. 1 end): the lamp over the
            # table makes the middle of each rail glossier
            if side < 2:
                along = (fx - 270.0) / 270.0
            else:
                along = (fy - 150.0) / 150.0
            if mat == "wood":
                base = wood(u, d * 1.0, seed)
                # diamond sights: eighths of the length, quarters of the width
                inlay = None
                if 6.0 < d < 17.0:
                    if side < 2:
                        k = round((fx - 30.0) / 60.0)
                        if 1 <= k <= 7:
                            q = diamond_cover(fx, d, 30.0 + 60.0 * k, 11.5)
                            inlay = q
                    else:
                        k = round((fy - 30.0) / 60.0)
                        if 1 <= k <= 3:
                            q = diamond_cover(fy, d, 30.0 + 60.0 * k, 11.5)
                            inlay = q
                if inlay is not None and inlay <= 1.0:
                    pearl = CLOTH_NOISE(fx * 0.8, fy * 0.8)
                    base = mix(to_lin((236, 232, 214)), to_lin((214, 222, 232)), pearl)
                    base = mix(base, to_lin((255, 252, 240)), clamp(1.0 - inlay) * 0.4)
                    if inlay > 0.72:
                        base = mix(base, to_lin((90, 70, 50)), (inlay - 0.72) / 0.28 * 0.8)
                    shine_k, shine_e = 0.35, 40
                else:
                    shine_k, shine_e = 0.45, 140
                sheen = 0.025 * math.exp(-along * along * 3.0) * n[2] ** 8
                lit = 0.16 + 0.95 * max(0.0, ndl)
                c = (base[0] * lit + sheen, base[1] * lit + sheen * 0.9,
                     base[2] * lit + sheen * 0.8)
                shine = shine_k * ndh ** shine_e
                c = (c[0] + shine, c[1] + shine * 0.95, c[2] + shine * 0.85)
                # darker outer lip
                if d < 1.2:
                    c = mix(c, (0.01, 0.004, 0.002), 0.7)
            elif mat == "seam":
                c = (0.012, 0.02, 0.006)
            else:
                cl = CLOTH_NOISE(u * 0.5 + seed, d * 0.7) - 0.5
                base = cloth_lin(0.75 * (1.0 + 0.08 * cl))
                lit = 0.22 + 0.85 * max(0.0, ndl)
                shine = 0.03 * ndh ** 8
                c = (base[0] * lit + shine, base[1] * lit + shine, base[2] * lit + shine)
                # contact shadow where the cushion meets the rail
                if d < 23.6:
                    c = mix(c, cloth_lin(0.05), (23.6 - d) / 1.1 * 0.6)
            # mitred corner joints: a fine dark line
            dd = sorted(dists)
            if dd[1] - dd[0] < 0.45 and d < 21.5:
                c = mix(c, (0.02, 0.006, 0.002), 0.6)
            acc[0] += c[0]
            acc[1] += c[1]
            acc[2] += c[2]
    n = ss * ss
    return tonemap((acc[0] / n, acc[1] / n, acc[2] / n))


def _table_rows(rows):
    out = []
    for y in rows:
        rnd = random.Random(5000 + y)
        row = []
        for x in range(540):
            if CLOTH_X0 <= x < CLOTH_X1 and CLOTH_Y0 <= y < CLOTH_Y1:
                row.append(cloth_colour(x, y, rnd))
            else:
                row.append(rail_pixel(x, y))
        out.append(row)
    return out


def supersampled(draw_fn, size, scale=8):
    """Runs draw_fn(ImageDraw, scale) on an RGBA canvas `scale` times larger
    and returns the downsampled RGBA image."""
    big = Image.new("RGBA", (size[0] * scale, size[1] * scale), (0, 0, 0, 0))
    draw_fn(ImageDraw.Draw(big), scale, big)
    return big.resize(size, Image.LANCZOS)


def person(d, s, cx, top, h, fill):
    """A pictogram person: head and shoulders; cx, top, h in icon pixels."""
    hr = h * 0.22
    d.ellipse([(cx - hr) * s, top * s, (cx + hr) * s, (top + 2 * hr) * s], fill=fill)
    bt = top + 2 * hr + h * 0.06
    bw = h * 0.36
    d.rounded_rectangle([(cx - bw) * s, bt * s, (cx + bw) * s, (top + h + h * 0.25) * s],
                        radius=bw * 0.85 * s, fill=fill)


def play_mode_icons():
    """Three 25 x 25 icons on black: solo, against the computer, two players."""
    icons = []
    yellow = (255, 226, 90, 255)
    cyan = (90, 220, 255, 255)

    def solo(d, s, big):
        person(d, s, 10.5, 2.5, 17.0, yellow)
        # the cue, held across the body
        d.line([(3.0 * s, 23.0 * s), (23.5 * s, 4.0 * s)], fill=(0, 0, 0, 255), width=int(3.2 * s))
        d.line([(3.0 * s, 23.0 * s), (23.0 * s, 4.5 * s)], fill=(235, 190, 120, 255), width=int(1.6 * s))
        d.line([(20.5 * s, 6.8 * s), (23.0 * s, 4.5 * s)], fill=(120, 170, 255, 255), width=int(1.6 * s))
        d.rectangle([0, 22.5 * s, 25 * s, 25 * s], fill=(0, 0, 0, 0))

    def vs_cpu(d, s, big):
        person(d, s, 6.8, 4.0, 15.5, yellow)
        d.rectangle([0, 22.5 * s, 25 * s, 25 * s], fill=(0, 0, 0, 0))
        # a small robot: head with eyes and an antenna
        d.line([(18.5 * s, 3.0 * s), (18.5 * s, 7.0 * s)], fill=cyan, width=int(1.3 * s))
        d.ellipse([17.2 * s, 1.6 * s, 19.8 * s, 4.2 * s], fill=(255, 90, 90, 255))
        d.rounded_rectangle([13.0 * s, 6.5 * s, 24.0 * s, 15.0 * s], radius=2.2 * s, fill=cyan)
        d.ellipse([15.0 * s, 9.0 * s, 17.6 * s, 11.6 * s], fill=(0, 0, 0, 255))
        d.ellipse([19.4 * s, 9.0 * s, 22.0 * s, 11.6 * s], fill=(0, 0, 0, 255))
        d.rectangle([16.0 * s, 12.8 * s, 21.0 * s, 13.6 * s], fill=(0, 0, 0, 255))
        d.rounded_rectangle([14.2 * s, 15.8 * s, 22.8 * s, 22.5 * s], radius=1.6 * s, fill=cyan)
        d.rectangle([16.5 * s, 17.5 * s, 20.5 * s, 19.0 * s], fill=(0, 60, 90, 255))

    def two(d, s, big):
        person(d, s, 16.5, 3.0, 15.5, cyan)
        # a black outline separates the front person from the one behind
        hr = 17.0 * 0.22
        d.ellipse([(8.5 - hr - 1.2) * s, (5.5 - 1.2) * s, (8.5 + hr + 1.2) * s, (5.5 + 2 * hr + 1.2) * s],
                  fill=(0, 0, 0, 255))
        bw = 17.0 * 0.36
        d.rounded_rectangle([(8.5 - bw - 1.2) * s, (5.5 + 2 * hr + 1.0 - 1.2) * s, (8.5 + bw + 1.2) * s, 30 * s],
                            radius=(bw * 0.85 + 1.2) * s, fill=(0, 0, 0, 255))
        person(d, s, 8.5, 5.5, 17.0, yellow)
        d.rectangle([0, 23.0 * s, 25 * s, 25 * s], fill=(0, 0, 0, 0))

    for fn in (solo, vs_cpu, two):
        rgba = supersampled(fn, (25, 25))
        tile = Image.new("RGB", (25, 25), (0, 0, 0))
        tile.paste(rgba, (0, 0), rgba)
        icons.append(tile)
    return icons


def make_table():
    with worker_pool() as pool:
        chunks = [list(range(y, min(300, y + 10))) for y in range(0, 300, 10)]
        rows = []
        for part in pool.map(_table_rows, chunks):
            rows.extend(part)
    img = Image.new("RGB", (540, 360), (0, 0, 0))
    img.putdata([c for row in rows for c in row] + [(0, 0, 0)] * (540 * 60))
    kinds = ("white", "yellow", "red", "red")
    for n, kind in enumerate(kinds):
        img.paste(ball_sprite(kind), (20 * n, 300))
        img.paste(ball_sprite(kind, moving=(n == 0)), (20 * n, 320))
    img.paste(mask_sprite(), (200, 300))
    img.paste(shadow_sprite(), (200, 320))
    for i, icon in enumerate(play_mode_icons()):
        img.paste(icon, (220 + 25 * i, 301))
    img.save(os.path.join(RES, "table.png"))


# ---------------------------------------------------------------- 3-D scenes
#
# A small ray tracer for the menu and opening pictures: a carom table (cloth,
# cushions, wooden rails with sights, body), balls, a cue and a lamp above.
# World units are metres, z up; the cloth is the rectangle 0..LX x 0..LY.

LX, LY = 2.84, 1.42
BALL_R = 0.0305
CW, CH = 0.045, 0.036           # cushion width and height
RW, RH = 0.125, 0.042           # rail width and height
BODY_Z = -0.20
FLOOR_Z = -0.78
SCENE = {}


def v_sub(a, b):
    return (a[0] - b[0], a[1] - b[1], a[2] - b[2])


def v_add(a, b):
    return (a[0] + b[0], a[1] + b[1], a[2] + b[2])


def v_mul(a, k):
    return (a[0] * k, a[1] * k, a[2] * k)


def v_dot(a, b):
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]


def v_cross(a, b):
    return (a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0])


def v_norm(a):
    return norm3(*a)


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


def camera_ray(fx, fy):
    cam = SCENE["cam"]
    dx = fx - SCENE["cx"]
    dy = SCENE["cy"] - fy
    d = v_norm(v_add(v_mul(cam[0], SCENE["focal"]), v_add(v_mul(cam[1], dx), v_mul(cam[2], dy))))
    return d


def _render_rows(rows):
    ss = SCENE["ss"]
    W = SCENE["size"][0]
    eye = SCENE["eye"]
    out = []
    for y in rows:
        row = []
        for x in range(W):
            acc = [0.0, 0.0, 0.0]
            for j in range(ss):
                for i in range(ss):
                    fx = x + (i + 0.5 + 0.25 * ((j * 2 + 1) % 3 - 1)) / ss
                    fy = y + (j + 0.5 + 0.25 * ((i * 2 + 1) % 3 - 1)) / ss
                    d = camera_ray(fx, fy)
                    hit = trace(eye, d)
                    cue = cue_sample(fx, fy)
                    if cue is not None and (hit is None or cue[0] < v_dot(v_sub(hit[1], eye), SCENE["cam"][0])):
                        c = cue[1]
                    elif hit is None:
                        c = (0.0, 0.0, 0.0)
                    else:
                        c = shade(hit, d)
                    acc[0] += c[0]
                    acc[1] += c[1]
                    acc[2] += c[2]
            n = ss * ss
            row.append((acc[0] / n, acc[1] / n, acc[2] / n))
        out.append(row)
    return out


def project(p):
    cam = SCENE["cam"]
    v = v_sub(p, SCENE["eye"])
    z = v_dot(v, cam[0])
    return (SCENE["cx"] + SCENE["focal"] * v_dot(v, cam[1]) / z,
            SCENE["cy"] - SCENE["focal"] * v_dot(v, cam[2]) / z, z)


def setup_scene(size, eye, target, focal, centre, balls, lamp, lamp_size, pool,
                power, cue=None, ss=3, ambient=0.012, lamp_glow=6.0):
    SCENE.clear()
    f = v_norm(v_sub(target, eye))
    r = v_norm(v_cross(f, (0.0, 0.0, 1.0)))
    u = v_cross(r, f)
    SCENE.update(size=size, eye=eye, cam=(f, r, u), focal=focal, cx=centre[0], cy=centre[1],
                 balls=[((bx, by, BALL_R), BALL_R, kind) for bx, by, kind in balls],
                 boxes=table_boxes(), lamp=lamp, lamp_size=lamp_size, pool=pool,
                 power=power, ss=ss, ambient=ambient, lamp_glow=lamp_glow)
    SCENE["samples"] = lamp_samples()
    if cue:
        # cue: tip position, direction toward the butt, the length seen
        tip, direction, seen = cue
        dvec = v_norm(direction)
        length = 1.45
        far = v_add(tip, v_mul(dvec, seen))
        s0 = project(tip)
        s1 = project(far)
        # side vector: perpendicular to the axis and the view, pointing to the
        # positive perpendicular side of the projected axis on screen
        mid = v_add(tip, v_mul(dvec, seen * 0.3))
        view = v_norm(v_sub(mid, eye))
        side = v_norm(v_cross(dvec, view))
        m0 = project(mid)
        m1 = project(v_add(mid, v_mul(side, 0.01)))
        ex, ey = s1[0] - s0[0], s1[1] - s0[1]
        if -(m1[0] - m0[0]) * ey + (m1[1] - m0[1]) * ex < 0.0:
            side = v_mul(side, -1.0)
        face = v_norm(v_cross(side, dvec))
        if v_dot(face, view) > 0.0:
            face = v_mul(face, -1.0)
        SCENE["cue"] = dict(tip=tip, dir=dvec, far=far, far_len=seen, length=length,
                            r0=0.0062, r1=0.0145, s0=s0, s1=s1, side=side, face=face)


def _use_scene(scene):
    """Worker start-up: takes over the scene the parent process set up."""
    SCENE.clear()
    SCENE.update(scene)


def render(rows_range=None):
    W, H = SCENE["size"]
    rows = list(range(H)) if rows_range is None else list(rows_range)
    chunks = [rows[i:i + 4] for i in range(0, len(rows), 4)]
    with worker_pool(_use_scene, (dict(SCENE),)) as pool:
        parts = pool.map(_render_rows, chunks)
    out = []
    for part in parts:
        out.extend(part)
    return out


def to_image(rows, exposure=1.0):
    H = len(rows)
    W = len(rows[0])
    img = Image.new("RGB", (W, H))
    img.putdata([tonemap(v_mul(c, exposure)) for row in rows for c in row])
    return img


# ---------------------------------------------------------------- lettering

def gradient_image(size, stops):
    """Vertical gradient through the (position 0..1, colour) stops."""
    w, h = size
    img = Image.new("RGB", (1, h))
    for y in range(h):
        t = (y + 0.5) / h
        for (t0, c0), (t1, c1) in zip(stops, stops[1:]):
            if t0 <= t <= t1:
                k = (t - t0) / (t1 - t0) if t1 > t0 else 0.0
                img.putpixel((0, y), tuple(int(round(lerp(a, b, k))) for a, b in zip(c0, c1)))
                break
    return img.resize((w, h))


GOLD = [(0.0, (255, 250, 205)), (0.42, (252, 214, 92)), (0.50, (214, 148, 28)),
        (0.78, (246, 196, 70)), (1.0, (255, 232, 150))]


def fancy_text(img, text, font_path, size, xy, anchor="mt", stops=GOLD,
               outline=(46, 22, 4), outline_w=2, shadow=0.85, glow=None, bevel=0.55):
    """Large metallic lettering with outline, bevel light and a drop shadow,
    drawn onto the RGB image img."""
    font = ImageFont.truetype(font_path, size)
    W, H = img.size
    mask = Image.new("L", (W, H), 0)
    ImageDraw.Draw(mask).text(xy, text, font=font, fill=255, anchor=anchor)
    grown = mask.filter(ImageFilter.MaxFilter(2 * outline_w + 1)) if outline_w else mask
    if glow:
        g = grown.filter(ImageFilter.GaussianBlur(glow[1]))
        g = g.point(lambda v: int(v * glow[2]))
        img.paste(Image.new("RGB", (W, H), glow[0]), (0, 0), g)
    if shadow:
        sh = grown.filter(ImageFilter.GaussianBlur(3.0))
        sh = ImageChops.offset(sh, 3, 4).point(lambda v: int(v * shadow))
        img.paste(Image.new("RGB", (W, H), (0, 0, 0)), (0, 0), sh)
    if outline_w:
        img.paste(Image.new("RGB", (W, H), outline), (0, 0), grown)
    bbox = mask.getbbox()
    fill = Image.new("RGB", (W, H), (0, 0, 0))
    if bbox:
        gh = bbox[3] - bbox[1]
        fill.paste(gradient_image((W, gh), stops), (0, bbox[1]))
    img.paste(fill, (0, 0), mask)
    if bevel and bbox:
        soft = mask.filter(ImageFilter.GaussianBlur(1.6))
        lit = ImageChops.subtract(soft, ImageChops.offset(soft, 1, 1))
        lit = ImageChops.multiply(lit, mask).point(lambda v: min(255, int(v * 3.0 * bevel)))
        img.paste(Image.new("RGB", (W, H), (255, 255, 240)), (0, 0), lit)
        dark = ImageChops.subtract(soft, ImageChops.offset(soft, -1, -1))
        dark = ImageChops.multiply(dark, mask).point(lambda v: min(255, int(v * 1.6 * bevel)))
        img.paste(Image.new("RGB", (W, H), (90, 45, 0)), (0, 0), dark)
    return img


def plain_text(img, text, font_path, size, xy, fill, anchor="mt"):
    font = ImageFont.truetype(font_path, size)
    ImageDraw.Draw(img).text(xy, text, font=font, fill=fill, anchor=anchor)
    return img


# ---------------------------------------------------------------- menu

# The menu screen's labels size themselves to their captions; the window's
# layout gives only their top-left corners. Width and height of each caption:
MENU_LABEL_EXTENTS = {
    "kLabel2": (104, 24), "kLblRelease": (162, 18), "kLblVersion": (162, 18),
    "kLblExit": (96, 42), "kLblLetsPlay": (260, 57), "kLblMail": (102, 27),
    "kLblToHp": (102, 27), "kLblHelp": (132, 28),
}


def menu_controls():
    """Boxes (x0, y0, x1, y1) of the controls on the menu screen, read from
    the window's layout header, which is the one place they are defined."""
    with open(LAYOUT_HEADER, encoding="utf-8") as f:
        text = f.read()
    section = text[text.index("// The menu screen"):]
    boxes = []
    for kind, name, args in re.findall(r"constexpr\s+(QRect|QPoint)\s+(\w+)\{([^}]*)\}", section):
        v = [int(a) for a in args.split(",")]
        if name == "kPicMenu":
            continue
        if kind == "QRect":
            boxes.append((v[0], v[1], v[0] + v[2], v[1] + v[3]))
        else:
            w, h = MENU_LABEL_EXTENTS[name]
            boxes.append((v[0], v[1] - 2, v[0] + w, v[1] - 2 + h))
    return boxes


def calm_mask(size, boxes, pad=6, blur=10):
    """Greyscale: 0 over (padded) control areas, 255 elsewhere, soft edges."""
    m = Image.new("L", size, 255)
    d = ImageDraw.Draw(m)
    for x0, y0, x1, y1 in boxes:
        d.rectangle([x0 - pad, y0 - pad, x1 + pad, y1 + pad], fill=0)
    return m.filter(ImageFilter.GaussianBlur(blur))


def menu_scene(ss=3):
    wx, wy = 0.27, 0.24
    cd = norm3(-0.95, -0.25, 0.12)
    setup_scene(size=(540, 365), eye=(-0.55, -0.95, 0.62), target=(0.35, 0.30, 0.0), focal=560,
                centre=(368, 176),
                balls=[(wx, wy, "white"), (0.50, 0.17, "red"), (0.54, 0.43, "red"), (0.23, 0.58, "yellow")],
                lamp=(0.38, 0.34, 1.0), lamp_size=(0.6, 0.6), pool=(1.0, 1.0, 0.45, 1.1), power=1.0,
                cue=((wx + cd[0] * 0.042, wy + cd[1] * 0.042, 0.030), cd, 1.2), ss=ss)
    return to_image(render())


def make_menu():
    img = menu_scene(int(os.environ.get("ZANDREL_SS", "3")))
    W, H = img.size
    # the left column fades into darkness, then the controls get calm ground
    fade = Image.new("L", (W, H), 0)
    fd = ImageDraw.Draw(fade)
    for x in range(W):
        fd.line([(x, 0), (x, H)], fill=int(255 * smoothstep(95.0, 215.0, x)))
    bottom = Image.new("L", (W, H), 0)
    bd = ImageDraw.Draw(bottom)
    for y in range(H):
        bd.line([(0, y), (W, y)], fill=int(255 * (1.0 - smoothstep(258.0, 300.0, y))))
    keep = ImageChops.multiply(ImageChops.multiply(fade, bottom), calm_mask((W, H), menu_controls()))
    dark = Image.new("RGB", (W, H), (0, 0, 0))
    img = Image.composite(img, dark, keep.point(lambda v: int(22 + v * (255 - 22) / 255)))
    fancy_text(img, "Zandrel", FONT_BOLD_ITALIC, 68, (336, 42), anchor="mt",
               glow=((120, 70, 0), 10, 0.35))
    plain_text(img, "C A R O M   B I L L I A R D S", FONT_BOLD, 10, (338, 116), (196, 166, 96), anchor="mt")
    img.save(os.path.join(RES, "menu.png"))


# ---------------------------------------------------------------- opening

def opening_scene(ss=3):
    # seen from above the near left corner: the cue comes in from the lower
    # left to the white ball, the reds lie beyond it, the yellow at the left
    wx, wy = 0.79, 0.60
    cd = norm3(-0.97, -0.06, 0.13)
    setup_scene(size=(269, 224), eye=(-0.28, -0.24, 0.94), target=(0.99, 0.73, 0.0), focal=350,
                centre=(133, 124),
                balls=[(wx, wy, "white"), (1.13, 0.51, "red"), (1.27, 0.81, "red"), (0.48, 1.06, "yellow")],
                lamp=(0.95, 0.71, 1.1), lamp_size=(1.0, 0.45), pool=(1.0, 0.7, 0.55, 1.3), power=1.2,
                cue=((wx + cd[0] * 0.042, wy + cd[1] * 0.042, 0.030), cd, 1.3), ss=ss)
    return to_image(render())


def make_opening():
    img = opening_scene(int(os.environ.get("ZANDREL_SS", "3")))
    W, H = img.size
    # darken the top and bottom bands a little behind the lettering
    shade_mask = Image.new("L", (W, H), 0)
    d = ImageDraw.Draw(shade_mask)
    for y in range(H):
        k = max(1.0 - smoothstep(10.0, 66.0, y), smoothstep(172.0, 214.0, y))
        d.line([(0, y), (W, y)], fill=int(205 * k))
    img.paste(Image.new("RGB", (W, H), (0, 0, 0)), (0, 0), shade_mask)
    yellow = [(0.0, (255, 255, 190)), (0.45, (255, 236, 60)), (0.55, (236, 196, 0)),
              (1.0, (255, 244, 120))]
    fancy_text(img, "Zandrel", FONT_BOLD_ITALIC, 52, (133, 8), anchor="mt", stops=yellow,
               outline=(50, 34, 0), glow=((90, 70, 0), 6, 0.4))
    plain_text(img, "\u00a9 2026 Zandrel developers", FONT_BOLD, 11, (133, 206), (190, 230, 60), anchor="mt")
    img.save(os.path.join(RES, "opening.png"))


# ---------------------------------------------------------------- small pictures

def paint_ball(img, cx, cy, R, kind, ss=4):
    """Draws a shaded ball (seen from the front, light from the upper left)
    onto the RGBA image img, antialiased through its alpha channel."""
    x0 = int(math.floor(cx - R))
    x1 = int(math.ceil(cx + R))
    y0 = int(math.floor(cy - R))
    y1 = int(math.ceil(cy + R))
    for py in range(max(0, y0), min(img.size[1], y1 + 1)):
        for px in range(max(0, x0), min(img.size[0], x1 + 1)):
            acc = [0.0, 0.0, 0.0]
            cov = 0
            for sy in range(ss):
                for sx in range(ss):
                    x = (px + (sx + 0.5) / ss - cx) / R
                    y = (py + (sy + 0.5) / ss - cy) / R
                    d2 = x * x + y * y
                    if d2 >= 1.0:
                        continue
                    c = ball_shade(x, y, math.sqrt(1.0 - d2), kind)
                    acc[0] += c[0]
                    acc[1] += c[1]
                    acc[2] += c[2]
                    cov += 1
            if cov == 0:
                continue
            col = tonemap((acc[0] / cov, acc[1] / cov, acc[2] / cov))
            a = cov / (ss * ss)
            under = img.getpixel((px, py))
            ua = under[3] / 255.0
            out_a = a + ua * (1.0 - a)
            mixc = tuple(int(round((col[i] * a + under[i] * ua * (1.0 - a)) / out_a)) for i in range(3))
            img.putpixel((px, py), mixc + (int(round(out_a * 255)),))


def make_cueball():
    size = 45
    cx = cy = 22.5
    R = 21.8
    bg = (128, 128, 128)
    L = norm3(-0.55, -0.62, 0.58)
    img = Image.new("RGB", (size, size), bg)
    ss = 6
    for py in range(size):
        for px in range(size):
            acc = [0.0, 0.0, 0.0]
            for sy in range(ss):
                for sx in range(ss):
                    fx = px + (sx + 0.5) / ss
                    fy = py + (sy + 0.5) / ss
                    x = (fx - cx) / R
                    y = (fy - cy) / R
                    d2 = x * x + y * y
                    if d2 >= 1.0:
                        # a soft contact shadow on the grey ground
                        dd = math.sqrt(d2)
                        k = 1.0 - 0.35 * math.exp(-(dd - 1.0) / 0.05)
                        c = v_mul(to_lin(bg), k)
                    else:
                        z = math.sqrt(1.0 - d2)
                        ndl = x * L[0] + y * L[1] + z * L[2]
                        base = to_lin((240, 238, 230))
                        lit = 0.16 + 0.62 * max(0.0, ndl) + 0.22 * max(0.0, (ndl + 0.4) / 1.4)
                        hx, hy, hz = norm3(L[0], L[1], L[2] + 1.0)
                        shine = 0.9 * max(0.0, x * hx + y * hy + z * hz) ** 60
                        # cool reflection of the surroundings near the rim
                        rim = (1.0 - z) ** 3 * 0.12
                        c = (base[0] * lit + shine + rim * 0.4, base[1] * lit + shine + rim * 0.45,
                             base[2] * lit + shine + rim * 0.6)
                        # faint sighting cross, kept away from the centre
                        ax = abs(fx - cx)
                        ay = abs(fy - cy)
                        r = math.sqrt(ax * ax + ay * ay)
                        if r > 5.0 and d2 < 0.9:
                            line = max(1.0 - smoothstep(0.25, 0.75, ax), 1.0 - smoothstep(0.25, 0.75, ay))
                            c = mix(c, to_lin((120, 140, 190)), 0.30 * line)
                    acc[0] += c[0]
                    acc[1] += c[1]
                    acc[2] += c[2]
            n = ss * ss
            img.putpixel((px, py), tonemap((acc[0] / n, acc[1] / n, acc[2] / n)))
    img.save(os.path.join(RES, "cueball.png"))


def make_icon():
    s = 8
    S = 32 * s
    big = Image.new("RGBA", (S, S), (0, 0, 0, 0))
    # wooden frame and felt: per-pixel at the big scale
    frame = Image.new("L", (S, S), 0)
    ImageDraw.Draw(frame).rounded_rectangle([0, 0, S - 1, S - 1], radius=7 * s, fill=255)
    felt = Image.new("L", (S, S), 0)
    ImageDraw.Draw(felt).rounded_rectangle([3 * s, 3 * s, S - 1 - 3 * s, S - 1 - 3 * s], radius=4 * s, fill=255)
    px = big.load()
    fr = frame.load()
    fe = felt.load()
    for y in range(S):
        for x in range(S):
            if not fr[x, y]:
                continue
            u = x / s
            v = y / s
            if fe[x, y]:
                cxn = (u - 16.0) / 13.0
                cyn = (v - 16.0) / 13.0
                k = 1.0 - 0.35 * (cxn * cxn + cyn * cyn) - 0.08 * cyn
                col = lin_rgb(cloth_lin(2.2 * k))
            else:
                dist = min(u, v, 32.0 - u, 32.0 - v)
                side_u = u if min(v, 32.0 - v) < min(u, 32.0 - u) else v
                wd = wood(side_u * 4.0, dist * 4.0, 5.0)
                lit = 1.25 if dist < 1.0 else 1.0
                if (u + v) < 20 and dist < 1.2:
                    lit = 1.6
                col = lin_rgb(v_mul(wd, lit))
            px[x, y] = col + (fr[x, y],)
    # soft shadows under the balls
    balls = [(16.3, 10.6, "red"), (10.6, 20.2, "white"), (21.6, 20.6, "yellow")]
    sh = Image.new("L", (S, S), 0)
    sd = ImageDraw.Draw(sh)
    for bx, by, kind in balls:
        sd.ellipse([(bx - 4.2 + 1.0) * s, (by - 4.2 + 1.4) * s, (bx + 4.2 + 1.0) * s, (by + 4.2 + 1.4) * s], fill=150)
    sh = ImageChops.multiply(sh.filter(ImageFilter.GaussianBlur(1.0 * s)), felt)
    big.paste(Image.new("RGBA", (S, S), lin_rgb(cloth_lin(0.25)) + (255,)), (0, 0), sh)
    for bx, by, kind in balls:
        paint_ball(big, bx * s, by * s, 5.0 * s, kind, ss=2)
    big.resize((32, 32), Image.LANCZOS).save(os.path.join(RES, "icon.png"))


def _gradient_fill(size, top, bottom):
    return gradient_image(size, [(0.0, top), (1.0, bottom)])


def _paint(canvas, mask, top, bottom):
    canvas.paste(_gradient_fill(canvas.size, top, bottom), (0, 0), mask)


def make_switch_icons():
    s = 8
    S = 40 * s
    on_top, on_bottom = (200, 255, 200), (40, 200, 70)
    off_top, off_bottom = (190, 190, 190), (105, 105, 105)

    def speaker_mask():
        m = Image.new("L", (S, S), 0)
        d = ImageDraw.Draw(m)
        d.rounded_rectangle([5 * s, 14.5 * s, 12 * s, 25.5 * s], radius=1.2 * s, fill=255)
        d.polygon([(11 * s, 14.5 * s), (20 * s, 7 * s), (21.5 * s, 7 * s), (21.5 * s, 33 * s),
                   (20 * s, 33 * s), (11 * s, 25.5 * s)], fill=255)
        return m

    def waves_mask():
        m = Image.new("L", (S, S), 0)
        d = ImageDraw.Draw(m)
        for r in (6.0, 10.5, 15.0):
            d.arc([(21.5 - r) * s, (20 - r) * s, (21.5 + r) * s, (20 + r) * s], -50, 50, fill=255,
                  width=int(2.4 * s))
        return m

    def notes_mask():
        m = Image.new("L", (S, S), 0)
        d = ImageDraw.Draw(m)
        for hx, hy in ((12.0, 29.0), (27.0, 26.0)):
            # a tilted note head
            head = Image.new("L", (S, S), 0)
            ImageDraw.Draw(head).ellipse([(hx - 5.0) * s, (hy - 3.6) * s, (hx + 5.0) * s, (hy + 3.6) * s],
                                         fill=255)
            head = head.rotate(24, center=(hx * s, hy * s), resample=Image.BICUBIC)
            m.paste(255, (0, 0), head)
            d.rectangle([(hx + 3.0) * s, (hy - 20.0) * s, (hx + 5.0) * s, (hy - 0.5) * s], fill=255)
        d.polygon([(15.0 * s, 8.0 * s), (32.0 * s, 5.0 * s), (32.0 * s, 10.0 * s), (15.0 * s, 13.0 * s)],
                  fill=255)
        return m

    def glow(canvas, mask, colour):
        g = mask.filter(ImageFilter.GaussianBlur(2.2 * s)).point(lambda v: int(v * 0.45))
        canvas.paste(colour, (0, 0), g)

    def red_cross():
        m = Image.new("L", (S, S), 0)
        d = ImageDraw.Draw(m)
        d.line([(25 * s, 13 * s), (36 * s, 27 * s)], fill=255, width=int(3.2 * s))
        d.line([(25 * s, 27 * s), (36 * s, 13 * s)], fill=255, width=int(3.2 * s))
        return m

    def red_slash():
        m = Image.new("L", (S, S), 0)
        d = ImageDraw.Draw(m)
        d.ellipse([3 * s, 3 * s, 37 * s, 37 * s], outline=255, width=int(3.0 * s))
        d.line([(9.0 * s, 9.0 * s), (31.0 * s, 31.0 * s)], fill=255, width=int(3.0 * s))
        return m

    red = (235, 40, 40)
    outs = {}
    # sound on
    c = Image.new("RGB", (S, S), (0, 0, 0))
    m = ImageChops.lighter(speaker_mask(), waves_mask())
    glow(c, m, (0, 110, 30))
    _paint(c, m, on_top, on_bottom)
    outs["sound_on"] = c
    # sound off
    c = Image.new("RGB", (S, S), (0, 0, 0))
    m = speaker_mask()
    _paint(c, m, off_top, off_bottom)
    x = red_cross()
    glow(c, x, (120, 0, 0))
    _paint(c, x, (255, 110, 100), red)
    outs["sound_off"] = c
    # music on
    c = Image.new("RGB", (S, S), (0, 0, 0))
    m = notes_mask()
    glow(c, m, (0, 110, 30))
    _paint(c, m, on_top, on_bottom)
    outs["bgm_on"] = c
    # music off
    c = Image.new("RGB", (S, S), (0, 0, 0))
    _paint(c, m, off_top, off_bottom)
    x = red_slash()
    # a dark gap keeps the slash apart from the notes
    c.paste((0, 0, 0), (0, 0), x.filter(ImageFilter.MaxFilter(9)))
    glow(c, x, (120, 0, 0))
    _paint(c, x, (255, 110, 100), red)
    outs["bgm_off"] = c
    for name, img in outs.items():
        img.resize((40, 40), Image.LANCZOS).save(os.path.join(RES, name + ".png"))


def make_buttons():
    for name, text in (("ok", "O.K."), ("cancel", "Cancel")):
        s = 8
        big = Image.new("RGB", (64 * s, 32 * s), (0, 0, 0))
        inner = Image.new("L", big.size, 0)
        ImageDraw.Draw(inner).rounded_rectangle([2 * s, 2 * s, 62 * s - 1, 30 * s - 1], radius=6 * s, fill=255)
        big.paste(gradient_image(big.size, [(0.0, (0, 46, 8)), (0.5, (0, 12, 2)), (1.0, (0, 0, 0))]), (0, 0), inner)
        ImageDraw.Draw(big).rounded_rectangle([1 * s, 1 * s, 63 * s - 1, 31 * s - 1], radius=7 * s,
                                              outline=(0, 200, 40), width=int(1.8 * s))
        img = big.resize((64, 32), Image.LANCZOS)
        size = 16
        while ImageFont.truetype(FONT_BOLD, size).getlength(text) > 47:
            size -= 1
        font = ImageFont.truetype(FONT_BOLD, size)
        d = ImageDraw.Draw(img)
        d.text((32, 16.5), text, font=font, fill=(0, 255, 0), anchor="mm")
        img.save(os.path.join(RES, name + ".png"))


def make_record_icon():
    """Window icon of the current-condition window: a score card with the
    lines of the game's figures and a ball."""
    s = 8
    S = 32 * s
    big = Image.new("RGBA", (S, S), (0, 0, 0, 0))
    d = ImageDraw.Draw(big)
    d.rounded_rectangle([3 * s, 1 * s, 25 * s, 31 * s], radius=2.5 * s, fill=(60, 40, 20, 255))
    d.rounded_rectangle([4 * s, 2 * s, 24 * s, 30 * s], radius=2 * s, fill=(250, 246, 232, 255))
    d.rounded_rectangle([4 * s, 2 * s, 24 * s, 9 * s], radius=2 * s, fill=lin_rgb(cloth_lin(2.0)) + (255,))
    d.rectangle([4 * s, 6 * s, 24 * s, 9 * s], fill=lin_rgb(cloth_lin(2.0)) + (255,))
    for i, w in enumerate((15.0, 11.0, 13.0, 9.0)):
        y = 12.0 + 4.2 * i
        d.rounded_rectangle([7 * s, y * s, (7 + w) * s, (y + 1.6) * s], radius=0.8 * s, fill=(120, 112, 100, 255))
    paint_ball(big, 23.0 * s, 23.0 * s, 7.0 * s, "red", ss=2)
    big.resize((32, 32), Image.LANCZOS).save(os.path.join(RES, "record_icon.png"))


# ---------------------------------------------------------------- Tovi

TOVI_FRAMES = 5


def tovi_frame(f):
    """Tovi, the little robot who plays against you, in a 32 x 32 tile. Frame
    0 stands at rest; frames 1 to 4 crouch and hop up, arms rising, to a
    cheer at the top (the animation plays them forth and back)."""
    s = 8
    S = 32 * s
    lift = (0.0, -1.2, 1.6, 3.0, 4.0)[f]         # pixels up from standing
    squash = (1.0, 0.86, 1.06, 1.03, 1.0)[f]     # body height factor
    arm = (-75.0, -50.0, -15.0, 35.0, 72.0)[f]   # degrees above horizontal
    sway = (0.0, 0.0, -0.6, -1.2, 0.8)[f]        # antenna tip, pixels sideways
    img = Image.new("RGB", (S, S))
    # backdrop: a warm lit wall over a floor, framed by a thin dark line
    img.paste(gradient_image((S, S), [(0.0, (255, 250, 232)), (0.80, (236, 222, 190)),
                                      (0.80, (204, 182, 142)), (1.0, (184, 160, 120))]), (0, 0))
    d = ImageDraw.Draw(img)
    d.rectangle([0, 0, S - 1, S - 1], outline=(96, 72, 40), width=s)

    def box(x0, y0, x1, y1):
        return [x0 * s, y0 * s, x1 * s, y1 * s]

    ground = 29.0
    # shadow on the floor, smaller and fainter the higher he hops
    k = 1.0 - 0.08 * max(0.0, lift)
    sh = Image.new("L", (S, S), 0)
    ImageDraw.Draw(sh).ellipse(box(16 - 7.5 * k, ground - 1.4 * k, 16 + 7.5 * k, ground + 1.4 * k),
                               fill=int(150 * k))
    img.paste((120, 96, 60), (0, 0), sh.filter(ImageFilter.GaussianBlur(0.8 * s)))
    body_h = 7.5 * squash
    feet = ground - 0.3 - max(0.0, lift)
    leg = 2.0 if lift >= 0 else 1.2
    body_bottom = feet - leg
    body_top = body_bottom - body_h
    head_bottom = body_top + 0.6
    head_top = head_bottom - 9.5 * (1.0 + (squash - 1.0) * 0.5)
    cyan, cyan_dark = (70, 200, 245), (20, 110, 170)
    outline = (16, 42, 70)
    # legs and feet
    for lx in (12.8, 19.2):
        d.rectangle(box(lx - 0.9, body_bottom - 0.5, lx + 0.9, feet - 0.6), fill=outline)
        d.rounded_rectangle(box(lx - 2.0, feet - 1.4, lx + 2.0, feet), radius=0.7 * s, fill=outline)

    def arms():
        """From the shoulders, ending in round hands."""
        for side in (-1, 1):
            sx, sy = 16 + side * 6.4, body_top + 2.0
            a = math.radians(arm)
            ex, ey = sx + side * 5.2 * math.cos(a), sy - 5.2 * math.sin(a)
            d.line([sx * s, sy * s, ex * s, ey * s], fill=outline, width=int(2.2 * s))
            d.line([sx * s, sy * s, ex * s, ey * s], fill=cyan_dark, width=int(1.0 * s))
            d.ellipse(box(ex - 1.5, ey - 1.5, ex + 1.5, ey + 1.5), fill=outline)
            d.ellipse(box(ex - 0.8, ey - 0.8, ex + 0.8, ey + 0.8), fill=(250, 250, 250))

    if arm < 0.0:
        arms()      # hanging arms go behind the body, raised ones in front
    # body with a belly plate
    d.rounded_rectangle(box(9.6, body_top, 22.4, body_bottom), radius=2.2 * s, fill=outline)
    d.rounded_rectangle(box(10.5, body_top + 0.8, 21.5, body_bottom - 0.8), radius=1.6 * s, fill=cyan)
    d.rounded_rectangle(box(13.2, body_top + 2.2, 18.8, body_bottom - 1.8), radius=0.8 * s,
                        fill=(230, 246, 255))
    d.ellipse(box(15.2, body_top + 2.9, 16.8, body_top + 4.5), fill=(235, 40, 40))
    # antenna with a red ball on top
    tx, ty = 16 + sway, head_top - 2.8
    d.line([16 * s, head_top * s, tx * s, ty * s], fill=outline, width=int(1.0 * s))
    d.ellipse(box(tx - 1.7, ty - 1.7, tx + 1.7, ty + 1.7), fill=outline)
    d.ellipse(box(tx - 1.1, ty - 1.1, tx + 1.1, ty + 1.1), fill=(240, 50, 40))
    d.ellipse(box(tx - 0.7, ty - 0.8, tx - 0.1, ty - 0.2), fill=(255, 200, 190))
    # head and face screen
    d.rounded_rectangle(box(7.4, head_top, 24.6, head_bottom), radius=3.0 * s, fill=outline)
    d.rounded_rectangle(box(8.3, head_top + 0.9, 23.7, head_bottom - 0.9), radius=2.4 * s, fill=cyan)
    d.rounded_rectangle(box(9.8, head_top + 2.3, 22.2, head_bottom - 1.9), radius=1.6 * s, fill=(14, 30, 48))
    ey = (head_top + head_bottom) / 2 - 0.1
    glow = (140, 255, 230)
    for exc in (13.1, 18.9):
        if f == 4:
            # a happy cheer: eyes closed in arcs
            d.arc(box(exc - 1.7, ey - 1.0, exc + 1.7, ey + 2.0), 200, 340, fill=glow, width=int(0.9 * s))
        elif f == 1:
            d.rounded_rectangle(box(exc - 1.5, ey - 0.3, exc + 1.5, ey + 0.6), radius=0.4 * s, fill=glow)
        else:
            d.ellipse(box(exc - 1.2, ey - 1.5, exc + 1.2, ey + 1.5), fill=glow)
    if f >= 3:
        d.chord(box(14.6, ey + 0.6, 17.4, ey + 2.8), 0, 180, fill=glow)
    # shine on the head
    d.rounded_rectangle(box(9.0, head_top + 1.3, 12.0, head_top + 1.9), radius=0.3 * s, fill=(200, 240, 255))
    if arm >= 0.0:
        arms()
    return img.resize((32, 32), Image.LANCZOS)


def make_tovi():
    frames = [tovi_frame(f) for f in range(TOVI_FRAMES)]
    strip = Image.new("RGB", (32 * TOVI_FRAMES, 32))
    for f, frame in enumerate(frames):
        strip.paste(frame, (32 * f, 0))
    # at rest he shows the animation's first frame, where every run ends
    frames[0].save(os.path.join(RES, "tovi.png"))
    strip.save(os.path.join(RES, "tovi_strip.png"))


# ---------------------------------------------------------------- main

def main():
    global START_METHOD
    os.makedirs(RES, exist_ok=True)
    which = set()
    for arg in sys.argv[1:]:
        if arg.startswith("--start="):
            START_METHOD = arg.split("=", 1)[1]
        else:
            which.add(arg)

    def want(name):
        return not which or name in which

    if want("table"):
        make_table()
    if want("menu"):
        make_menu()
    if want("opening"):
        make_opening()
    if want("cueball"):
        make_cueball()
    if want("icon"):
        make_icon()
    if want("switches"):
        make_switch_icons()
    if want("buttons"):
        make_buttons()
    if want("tovi"):
        make_tovi()
    if want("icon"):
        make_record_icon()


if __name__ == "__main__":
    main()
