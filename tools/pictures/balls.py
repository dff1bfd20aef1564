"""The balls: their shading seen from above, the sprite strip of the table
picture (balls at rest and in motion, the mask, the shadow) and a painted
ball for the small pictures."""

import math

from PIL import Image

from .common import CLOTH, mix, norm3, smoothstep, to_lin, tonemap

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
