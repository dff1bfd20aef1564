"""What every picture shares: where things are, the worker pool, small maths,
colour conversion, the cloth's colour, value noise and the rail's wood."""

import math
import multiprocessing
import os
import random

from PIL import Image

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
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
# How the workers are started (make_pictures.py sets it from --start); None:
# the platform default. Only the parent reads it, always as common.START_METHOD.
START_METHOD = None


def worker_pool(initializer=None, initargs=()):
    """A pool of at most four workers (the machine is shared)."""
    ctx = multiprocessing.get_context(START_METHOD)
    return ctx.Pool(processes=min(4, os.cpu_count() or 1), initializer=initializer,
                    initargs=initargs)


# ---------------------------------------------------------------- maths

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


# ---------------------------------------------------------------- colour

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


# ---------------------------------------------------------------- noise and wood

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
