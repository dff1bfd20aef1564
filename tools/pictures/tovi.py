"""Tovi, the computer player's robot: the picture at rest and the strip of
his animation frames."""

import math
import os

from PIL import Image, ImageDraw, ImageFilter

from .common import RES, gradient_image

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
