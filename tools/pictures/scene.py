"""Setting up and rendering the 3-D scenes: the camera, the workers that
trace the rows, and the two scenes behind the menu and opening pictures.

The workers get the scene through their start-up function, _use_scene, and
trace rows with _render_rows; both live here, at module level, so that every
start method (fork, spawn, forkserver) finds them by importing this module."""

from PIL import Image

from .common import norm3, tonemap, v_add, v_cross, v_dot, v_mul, v_norm, v_sub, worker_pool
from .raytrace import BALL_R, SCENE, lamp_samples, table_boxes, trace
from .shading import cue_sample, shade


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


def menu_scene(ss=3):
    wx, wy = 0.27, 0.24
    cd = norm3(-0.95, -0.25, 0.12)
    setup_scene(size=(540, 365), eye=(-0.55, -0.95, 0.62), target=(0.35, 0.30, 0.0), focal=560,
                centre=(368, 176),
                balls=[(wx, wy, "white"), (0.50, 0.17, "red"), (0.54, 0.43, "red"), (0.23, 0.58, "yellow")],
                lamp=(0.38, 0.34, 1.0), lamp_size=(0.6, 0.6), pool=(1.0, 1.0, 0.45, 1.1), power=1.0,
                cue=((wx + cd[0] * 0.042, wy + cd[1] * 0.042, 0.030), cd, 1.2), ss=ss)
    return to_image(render())


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
