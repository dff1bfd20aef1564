"""menu.png and opening.png: the rendered scenes with their lettering, and
the menu picture kept calm behind the menu screen's controls."""

import os
import re

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

from .common import FONT_BOLD, FONT_BOLD_ITALIC, LAYOUT_HEADER, RES, gradient_image, smoothstep
from .scene import menu_scene, opening_scene


# ---------------------------------------------------------------- lettering

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
