"""table.png: the table seen from above (cloth, cushions, wooden rails with
sights), below it the sprite strip and the play-mode icons. The workers draw
the top view ten rows at a time with _table_rows, which they find by importing
this module whatever their start method."""

import math
import os
import random

from PIL import Image, ImageDraw

from .balls import LIGHT2D, ball_sprite, mask_sprite, shadow_sprite
from .common import (CLOTH, CLOTH_NOISE, RES, clamp, cloth_lin, mix, norm3, to_lin, tonemap, wood,
                     worker_pool)

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
