#!/usr/bin/python3
"""Synthesises the contact sounds of Zandrel and writes them to resources/.

Run from anywhere:  python3 tools/make_sounds.py
Plain Python only (math, random, struct, wave). The output is deterministic:
the noise comes from fixed seeds and every sample is rounded to 16 bits.

    vmin.wav      soft ball-on-ball click
    vmid.wav      medium click
    vmax.wav      hard click
    meetwall.wav  a ball meeting the rubber cushion: a low, muffled thump

A resin billiard ball rings at a few inharmonic modes in the 2..12 kHz range
for a few milliseconds after a tiny, very sharp contact pulse; a harder hit
makes the pulse shorter (more high partials), louder and a little longer.
The cushion takes the energy into rubber and wood: a short low body thump
with a soft, heavily low-passed contact noise and only a faint ball ring.
"""

import math
import os
import random
import struct
import wave

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
RES = os.path.join(ROOT, "resources")
RATE = 44100


class OnePole:
    """First-order low-pass filter; alpha from a cut-off frequency."""

    def __init__(self, cutoff):
        self.a = 1.0 - math.exp(-2.0 * math.pi * cutoff / RATE)
        self.y = 0.0

    def __call__(self, x):
        self.y += self.a * (x - self.y)
        return self.y


def mode(freq, decay, amp, n, phase=0.0):
    """A damped sinusoid: one resonant mode of the ball."""
    w = 2.0 * math.pi * freq / RATE
    k = math.exp(-1.0 / (decay * RATE))
    out = [0.0] * n
    env = amp
    for i in range(n):
        out[i] = env * math.sin(w * i + phase)
        env *= k
    return out


def contact_pulse(width, n):
    """Raised-cosine force pulse of the given width in seconds."""
    m = max(2, int(width * RATE))
    out = [0.0] * n
    for i in range(min(m, n)):
        out[i] = 0.5 - 0.5 * math.cos(2.0 * math.pi * i / m)
    return out


def noise_burst(seed, length, cutoff_lo, cutoff_hi, n):
    """Band-limited noise, exponentially damped with time constant length."""
    rnd = random.Random(seed)
    lo, hi = OnePole(cutoff_lo), OnePole(cutoff_hi)
    out = [0.0] * n
    for i in range(n):
        x = rnd.uniform(-1.0, 1.0)
        band = hi(x) - lo(x)
        out[i] = band * math.exp(-i / (length * RATE))
    return out


def add(dst, src, gain=1.0):
    for i in range(min(len(dst), len(src))):
        dst[i] += gain * src[i]


def finish(samples, peak):
    """Removes DC, fades the tail to zero and scales to the given peak."""
    n = len(samples)
    mean = sum(samples) / n
    out = [s - mean for s in samples]
    fade = int(0.004 * RATE)
    for i in range(fade):
        out[n - 1 - i] *= i / fade
    top = max(abs(s) for s in out) or 1.0
    return [s * peak / top for s in out]


def write_wav(name, samples):
    data = b"".join(
        struct.pack("<h", max(-32767, min(32767, int(round(s * 32767.0)))))
        for s in samples)
    with wave.open(os.path.join(RES, name), "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(data)


# Modes of the ball: (frequency Hz, relative amplitude, decay seconds).
BALL_MODES = [
    (2480.0, 0.55, 0.026),
    (3890.0, 1.00, 0.022),
    (5210.0, 0.70, 0.014),
    (6940.0, 0.45, 0.009),
    (9160.0, 0.28, 0.005),
    (11830.0, 0.16, 0.003),
]


def ball_click(seed, hardness, duration):
    """hardness 0..1: soft to hard contact."""
    n = int(duration * RATE)
    out = [0.0] * n
    # The contact itself: a short force pulse; harder hits are shorter.
    pulse = contact_pulse(0.00045 - 0.0002 * hardness, n)
    add(out, pulse, 0.35 + 0.3 * hardness)
    # The click: band noise, brighter for a harder hit.
    add(out, noise_burst(seed, 0.0015 + 0.001 * hardness, 1500.0,
                         6000.0 + 9000.0 * hardness, n), 1.6 + 1.2 * hardness)
    # The "tock": the two balls ring; each ball slightly detuned.
    rnd = random.Random(seed + 100)
    for f, a, d in BALL_MODES:
        # High modes are excited more by a harder (shorter) impact.
        excite = a * (0.35 + 0.65 * hardness) ** (f / 4000.0)
        ring = d * (0.8 + 0.5 * hardness)
        for detune in (1.0, 1.012):
            add(out, mode(f * detune, ring, excite * 0.5, n,
                          rnd.uniform(0.0, 0.3)))
    # A faint room tail so it does not sound dry as a synthesizer.
    add(out, noise_burst(seed + 7, 0.025, 400.0, 3000.0, n), 0.05)
    return out


def cushion_thump(seed, duration):
    n = int(duration * RATE)
    out = [0.0] * n
    # Body of the rail: low modes with a pitch that drops a little as the
    # rubber gives way.
    for f0, amp, decay in ((92.0, 1.0, 0.060), (148.0, 0.55, 0.045),
                           (231.0, 0.30, 0.030), (377.0, 0.12, 0.018)):
        k = math.exp(-1.0 / (decay * RATE))
        env, phase = amp, 0.0
        for i in range(n):
            attack = min(1.0, i / (0.003 * RATE))
            f = f0 * (1.0 + 0.18 * math.exp(-i / (0.02 * RATE)))
            phase += 2.0 * math.pi * f / RATE
            out[i] += env * attack * math.sin(phase)
            env *= k
    # Muffled contact noise through the cloth.
    add(out, noise_burst(seed, 0.012, 60.0, 900.0, n), 2.2)
    # The ball itself rings only faintly against soft rubber.
    for f, a, d in BALL_MODES[:3]:
        add(out, mode(f, d * 0.5, a * 0.04, n))
    lp = OnePole(1800.0)
    return [lp(s) for s in out]


def main():
    os.makedirs(RES, exist_ok=True)
    write_wav("vmin.wav", finish(ball_click(11, 0.15, 0.12), 0.30))
    write_wav("vmid.wav", finish(ball_click(12, 0.55, 0.15), 0.58))
    write_wav("vmax.wav", finish(ball_click(13, 1.0, 0.18), 0.92))
    write_wav("meetwall.wav", finish(cushion_thump(21, 0.22), 0.70))


if __name__ == "__main__":
    main()
