"""The small pictures: the cue-ball face, the window icons, the sound and
music switches and the dialog buttons."""

import math
import os

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

from .balls import paint_ball
from .common import (FONT_BOLD, RES, cloth_lin, gradient_image, lin_rgb, mix, norm3, smoothstep, to_lin,
                     tonemap, v_mul, wood)


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
