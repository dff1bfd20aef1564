#!/usr/bin/python3
"""Composes the background tunes of Zandrel and writes them as Standard MIDI
Files (format 1, General MIDI instruments) to resources/.

Run from anywhere:  python3 tools/make_music.py
Plain Python only. The output is deterministic (fixed seeds for the small
velocity variations that keep the parts from sounding mechanical).

Every tune lasts exactly 30 seconds (the player starts it over a moment
later), so each ends on a chord that leads back to its first bar.

    menu.mid    "Take to You"      calm, piano and strings, F major
    record.mid  "To Your Holiday"  cheerful, marimba and guitar, G major
    game1.mid   "A Scent of Wind"  lively, flute and guitar, D major
    game2.mid   "Sweet Dreams"     lullaby in 3/4, music box and harp, B flat
    game3.mid   "For Good"         warm and hopeful, oboe and e-piano, C major
"""

import os
import random
import struct

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
RES = os.path.join(ROOT, "resources")
PPQ = 480
COMPOSER = "Quib"
LENGTH_SECONDS = 30

# ------------------------------------------------------------ pitches, chords

NOTE_BASE = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}


def pitch_class(name):
    pc = NOTE_BASE[name[0]]
    for ch in name[1:]:
        if ch == "#":
            pc += 1
        elif ch == "b":
            pc -= 1
    return pc % 12


def note(name):
    """'C4' is middle C (60); accidentals '#' and 'b'."""
    i = 1
    while i < len(name) and name[i] in "#b":
        i += 1
    octave = int(name[i:])
    pc = NOTE_BASE[name[0]] + name[1:i].count("#") - name[1:i].count("b")
    return 12 * (octave + 1) + pc


QUALITIES = {
    "": (0, 4, 7), "m": (0, 3, 7), "7": (0, 4, 7, 10), "m7": (0, 3, 7, 10),
    "maj7": (0, 4, 7, 11), "sus": (0, 5, 7), "7sus": (0, 5, 7, 10),
    "add9": (0, 4, 7, 14), "6": (0, 4, 7, 9), "m6": (0, 3, 7, 9),
}


class Chord:
    def __init__(self, symbol):
        body, _, bass = symbol.partition("/")
        i = 1
        while i < len(body) and body[i] in "#b":
            i += 1
        self.root = pitch_class(body[:i])
        self.intervals = QUALITIES[body[i:]]
        self.bass = pitch_class(bass) if bass else self.root
        self.tones = sorted({(self.root + iv) % 12 for iv in self.intervals})

    def voicing(self, low, count):
        """The chord's tones stacked upwards from the first one >= low."""
        out, p = [], low
        while len(out) < count:
            if p % 12 in self.tones:
                out.append(p)
            p += 1
        return out

    def bass_note(self, low=36):
        p = low
        while p % 12 != self.bass:
            p += 1
        return p

    def root_note(self, low=36):
        p = low
        while p % 12 != self.root:
            p += 1
        return p


def parse_chords(text, beats_per_bar):
    """'F | C/E | Am7 D7 | ...': one bar per '|' field; chords in a field
    share the bar evenly. Returns (start beat, length in beats, Chord)."""
    out = []
    for bar, field in enumerate(text.split("|")):
        symbols = field.split()
        share = beats_per_bar / len(symbols)
        for k, sym in enumerate(symbols):
            out.append((bar * beats_per_bar + k * share, share, Chord(sym)))
    return out


def parse_line(text, start=0.0):
    """'C5/1 A4/.5 r/2 ...': pitch (or r for rest) / length in beats.
    Returns (start beat, length, pitch) for the notes."""
    out, t = [], start
    for tok in text.split():
        name, _, length = tok.partition("/")
        length = float(length)
        if name != "r":
            out.append((t, length, note(name)))
        t += length
    return out


# ------------------------------------------------------------ the MIDI file

def vlq(value):
    data = [value & 0x7F]
    value >>= 7
    while value:
        data.append(0x80 | (value & 0x7F))
        value >>= 7
    return bytes(reversed(data))


def meta(kind, payload):
    return b"\xff" + bytes([kind]) + vlq(len(payload)) + payload


class Part:
    """One track: a channel, an instrument and its notes."""

    def __init__(self, name, channel, program, volume, pan, reverb=40,
                 chorus=0):
        self.name = name
        self.channel = channel
        self.program = program
        self.volume = volume
        self.pan = pan
        self.reverb = reverb
        self.chorus = chorus
        self.notes = []  # (start beat, length beats, pitch, velocity)

    def add(self, start, length, pitch, velocity):
        self.notes.append((start, length, pitch, max(1, min(127, velocity))))

    def events(self, end_tick):
        ch = self.channel
        ev = [(0, 0, meta(0x03, self.name.encode("ascii")))]
        if ch != 9:
            ev.append((0, 1, bytes([0xC0 | ch, self.program])))
        for num, val in ((7, self.volume), (10, self.pan), (91, self.reverb),
                         (93, self.chorus), (64, 0)):
            ev.append((0, 1, bytes([0xB0 | ch, num, val])))
        for start, length, pitch, vel in self.notes:
            on = int(round(start * PPQ))
            off = min(end_tick, int(round((start + length) * PPQ)) - 1)
            if off <= on:
                continue
            # Order at one tick: note-offs (2) before note-ons (3).
            ev.append((on, 3, bytes([0x90 | ch, pitch, vel])))
            ev.append((off, 2, bytes([0x80 | ch, pitch, 0])))
        return ev


def track_chunk(events, end_tick):
    events = sorted(events, key=lambda e: (e[0], e[1], e[2]))
    body, now = b"", 0
    for tick, _, data in events:
        body += vlq(tick - now) + data
        now = tick
    body += vlq(end_tick - now) + meta(0x2F, b"")
    return b"MTrk" + struct.pack(">I", len(body)) + body


def write_midi(file_name, title, bpm, beats_per_bar, key_sharps, minor, parts,
               bars):
    end_tick = bars * beats_per_bar * PPQ
    tempo = int(round(60_000_000 / bpm))
    conductor = [
        (0, 0, meta(0x03, title.encode("ascii"))),
        (0, 0, meta(0x01, ("by " + COMPOSER).encode("ascii"))),
        (0, 0, meta(0x02, ("(c) " + COMPOSER).encode("ascii"))),
        (0, 0, meta(0x51, tempo.to_bytes(3, "big"))),
        (0, 0, meta(0x58, bytes([beats_per_bar, 2, 24, 8]))),
        (0, 0, meta(0x59, bytes([key_sharps & 0xFF, 1 if minor else 0]))),
    ]
    chunks = [track_chunk(conductor, end_tick)]
    for part in parts:
        chunks.append(track_chunk(part.events(end_tick), end_tick))
    header = b"MThd" + struct.pack(">IHHH", 6, 1, len(chunks), PPQ)
    with open(os.path.join(RES, file_name), "wb") as f:
        f.write(header + b"".join(chunks))


# ------------------------------------------------------------ arranging

def line_length(text):
    return sum(float(tok.partition("/")[2]) for tok in text.split())


def shift_octave(text, by):
    out = []
    for tok in text.split():
        name, _, length = tok.partition("/")
        if name != "r":
            i = len(name.rstrip("0123456789"))
            name = name[:i] + str(int(name[i:]) + by)
        out.append(name + "/" + length)
    return " ".join(out)


def lower_octave(text):
    return shift_octave(text, -1)


def upper_octave(text):
    return shift_octave(text, 1)


def melody(part, text, velocity, rnd, first_beat=0.0, accent_every=None,
           legato=0.95):
    for t, length, pitch in parse_line(text):
        if t < first_beat:
            continue
        v = velocity + rnd.randint(-4, 4)
        if accent_every and abs(t / accent_every - round(t / accent_every)) < 1e-6:
            v += 6
        part.add(t, length * legato, pitch, v)


def pad(part, chords, low, count, velocity, end_beat):
    for start, length, ch in chords:
        for p in ch.voicing(low, count):
            part.add(start, min(length, end_beat - start), p, velocity)


def arpeggio(part, chords, low, pattern, step, velocity, rnd, end_beat,
             ring=1.0):
    """pattern: indexes into the voicing (-1 for the bass note an octave
    below the voicing); step: beats per note."""
    for start, length, ch in chords:
        voice = ch.voicing(low, max(max(pattern) + 1, 3))
        n = int(round(length / step))
        for k in range(n):
            t = start + k * step
            if t >= end_beat:
                break
            idx = pattern[k % len(pattern)]
            p = ch.bass_note(low - 12) if idx < 0 else voice[idx]
            v = velocity + (8 if k == 0 else 0) + rnd.randint(-5, 3)
            part.add(t, min(step * ring, end_beat - t), p, v)


def bassline(part, chords, figure, velocity, rnd, end_beat, low=36):
    """figure: (beat offset, length, 'r' root / 'b' bass / '5' fifth /
    'o' octave / 'a' approach to the next chord's bass) within each chord."""
    for i, (start, length, ch) in enumerate(chords):
        nxt = chords[(i + 1) % len(chords)][2]
        for off, dur, what in figure:
            if off >= length:
                continue
            t = start + off
            if t >= end_beat:
                continue
            b = ch.bass_note(low)
            p = {"r": ch.root_note(low), "b": b, "5": ch.root_note(low) + 7,
                 "o": b + 12}.get(what)
            if what == "a":
                target = nxt.bass_note(low)
                p = target - 1 if target > b else target + 2
            v = velocity + (6 if off == 0 else 0) + rnd.randint(-4, 4)
            part.add(t, min(dur, length - off, end_beat - t), p, v)


KICK, SIDE, SNARE, HAT, PEDAL, OPEN = 36, 37, 38, 42, 44, 46
SHAKER, TAMB, RIDE, CRASH, TRIANGLE = 70, 54, 51, 49, 81


def drums(part, bars, beats_per_bar, pattern, rnd, first_bar=0,
          last_bar=None, fill_every=None, fill=None):
    """pattern: (beat, drum, velocity) for one bar."""
    last_bar = bars if last_bar is None else last_bar
    for bar in range(first_bar, last_bar):
        use = pattern
        if fill and fill_every and (bar + 1) % fill_every == 0:
            use = fill
        for beat, drum, vel in use:
            part.add(bar * beats_per_bar + beat, 0.25, drum,
                     vel + rnd.randint(-6, 4))


def check_line(text, bars, beats_per_bar):
    length = line_length(text)
    assert abs(length - bars * beats_per_bar) < 1e-9, length


def bar_count(bpm, beats_per_bar):
    bars = LENGTH_SECONDS * bpm / 60 / beats_per_bar
    assert abs(bars - round(bars)) < 1e-9, "a tune must fill whole bars"
    return int(round(bars))


# ------------------------------------------------------------ the tunes

def take_to_you():
    """Menu: calm piano over strings, 80 bpm, 10 bars of 4/4."""
    bpm, bpb = 80, 4
    bars = bar_count(bpm, bpb)
    end = bars * bpb - 0.25
    rnd = random.Random(100)
    chords = parse_chords(
        "F | C/E | Dm7 | Bbmaj7 | F/A | Gm7 | C7 | F | Bbmaj7 | C7sus",
        bpb)
    tune = """
        C5/1 A4/.5 C5/.5 F5/1.5 E5/.5
        D5/1 C5/1 G4/2
        A4/1 C5/.5 D5/.5 F5/1 E5/.5 D5/.5
        D5/1.5 C5/.5 A4/2
        C5/1 A4/.5 C5/.5 F5/1 G5/.5 A5/.5
        Bb5/1.5 A5/.5 G5/1 F5/1
        E5/1 F5/.5 G5/.5 C5/2
        F5/3 A4/1
        D5/1 C5/1 A4/1 F4/1
        G4/1.5 A4/.5 Bb4/1 r/1
        """
    check_line(tune, bars, bpb)
    lead = Part("Piano melody", 0, 0, 116, 70, 50)
    melody(lead, tune, 92, rnd, accent_every=2)
    harmony = Part("Piano chords", 1, 0, 78, 50, 50)
    arpeggio(harmony, chords, 53, [-1, 0, 1, 2, 3, 2, 1, 0],
             0.5, 62, rnd, end, ring=1.8)
    strings = Part("Strings", 2, 49, 70, 80, 70)
    pad(strings, chords, 55, 3, 62, end)
    bass = Part("Bass", 3, 32, 88, 64, 30)
    bassline(bass, chords, [(0, 1.8, "b"), (2, 1.8, "5")], 84, rnd, end)
    return ("menu.mid", "Take to You", bpm, bpb, -1, False,
            [lead, harmony, strings, bass], bars)


def to_your_holiday():
    """Records: cheerful marimba, guitar and a light beat, 120 bpm, 15 bars."""
    bpm, bpb = 120, 4
    bars = bar_count(bpm, bpb)
    end = bars * bpb - 0.25
    rnd = random.Random(200)
    chords = parse_chords(
        "G | D/F# | Em | C | G/D | C | Am7 D7 | G | C | D | Bm7 Em7 | Am7 D"
        " | G | C D | G", bpb)
    tune = """
        D5/.5 G5/.5 r/.5 G5/.5 A5/.5 B5/1 G5/.5
        A5/1 F#5/.5 D5/.5 r/1 D5/.5 E5/.5
        G5/.5 E5/.5 r/.5 E5/.5 F#5/.5 G5/1 B4/.5
        C5/1 E5/.5 G5/.5 r/1 G5/.5 A5/.5
        B5/.5 A5/.5 G5/.5 D5/.5 r/.5 B4/.5 D5/.5 G5/.5
        E5/1.5 C5/.5 E5/1 G5/1
        E5/.5 G5/.5 C6/1 A5/.5 F#5/.5 D5/1
        G5/2 r/1 B5/.5 A5/.5
        G5/.5 E5/.5 r/.5 C5/.5 E5/.5 G5/.5 C6/.5 B5/.5
        A5/1 F#5/.5 A5/.5 D6/1 C6/.5 A5/.5
        B5/.5 A5/.5 F#5/.5 D5/.5 G5/1 E5/1
        C5/.5 E5/.5 A5/.5 G5/.5 F#5/1 A5/1
        G5/1.5 D5/.5 B4/1 D5/1
        E5/.5 G5/.5 C6/1 B5/.5 A5/.5 F#5/1
        G5/3 r/1
        """
    check_line(tune, bars, bpb)
    lead = Part("Marimba", 0, 12, 104, 54, 35)
    melody(lead, tune, 92, rnd, accent_every=1, legato=0.9)
    flute = Part("Flute", 1, 73, 62, 74, 45)
    melody(flute, tune, 60, rnd, legato=0.85)
    guitar = Part("Guitar", 2, 25, 80, 84, 40)
    strum = [-1, 0, 1, 2, 0, 1, 2, 1]
    arpeggio(guitar, chords, 55, strum, 0.5, 60, rnd, end, ring=1.5)
    bass = Part("Bass", 3, 32, 96, 64, 20)
    bassline(bass, chords, [(0, 0.9, "b"), (1.5, 0.45, "b"), (2, 0.9, "5"),
                            (3, 0.45, "o"), (3.5, 0.45, "a")], 80, rnd, end)
    kit = Part("Drums", 9, 0, 84, 64, 30)
    groove = [(0, KICK, 80), (0.5, SHAKER, 50), (1, SIDE, 64), (1, SHAKER, 58),
              (1.5, SHAKER, 48), (2, KICK, 74), (2.5, SHAKER, 50),
              (2.5, KICK, 52), (3, SIDE, 66), (3, SHAKER, 58),
              (3.5, SHAKER, 48), (3.5, TAMB, 40)]
    fill = groove[:9] + [(3, SIDE, 62), (3.25, SIDE, 52), (3.5, SIDE, 68),
                         (3.75, SIDE, 74)]
    drums(kit, bars, bpb, groove, rnd, last_bar=bars - 1, fill_every=4,
          fill=fill)
    kit.add((bars - 1) * bpb, 1, KICK, 80)
    kit.add((bars - 1) * bpb, 1, CRASH, 60)
    return ("record.mid", "To Your Holiday", bpm, bpb, 1, False,
            [lead, flute, guitar, bass, kit], bars)


def a_scent_of_wind():
    """Game: lively flute and guitar with a driving beat, 128 bpm, 16 bars."""
    bpm, bpb = 128, 4
    bars = bar_count(bpm, bpb)
    end = bars * bpb - 0.25
    rnd = random.Random(300)
    chords = parse_chords(
        "D | A/C# | Bm | G | Em7 | A | D | A7sus A7"
        " | G | A | F#m | Bm | Em7 | A | Gmaj7 | A7sus", bpb)
    tune = """
        F#5/1 A5/.5 D6/1 C#6/.5 A5/1
        E5/1.5 F#5/.5 E5/1 C#5/1
        D5/.5 F#5/.5 B5/1 A5/.5 F#5/.5 D5/1
        G5/1.5 F#5/.5 E5/.5 D5/.5 B4/1
        E5/.5 G5/.5 B5/1 A5/.5 G5/.5 E5/1
        C#5/.5 E5/.5 A5/1.5 G5/.5 E5/1
        F#5/1.5 A5/.5 D6/1 F#5/1
        E5/2 D5/.5 E5/.5 C#5/1
        B4/.5 D5/.5 G5/1 B5/1 A5/.5 G5/.5
        A5/1.5 E5/.5 C#5/1 E5/1
        F#5/.5 A5/.5 C#6/1 A5/.5 F#5/.5 C#5/1
        D5/.5 F#5/.5 B5/1.5 A5/.5 F#5/1
        G5/1 E5/.5 G5/.5 B5/1 D6/1
        C#6/1.5 B5/.5 A5/1 E5/1
        F#5/1 G5/.5 A5/.5 B5/1 D5/1
        E5/3 r/1
        """
    check_line(tune, bars, bpb)
    lead = Part("Flute", 0, 73, 100, 58, 50, 20)
    melody(lead, tune, 90, rnd, accent_every=1, legato=0.92)
    violin = Part("Violin", 1, 40, 58, 76, 60)
    # The violin joins an octave below in the second half.
    melody(violin, lower_octave(tune), 60, rnd, first_beat=bars * bpb / 2)
    guitar = Part("Guitar", 2, 24, 86, 44, 35)
    arpeggio(guitar, chords, 52, [-1, 0, 1, 2, 1, 0, 2, 1], 0.5, 66, rnd, end,
             ring=1.2)
    strings = Part("Strings", 3, 48, 54, 90, 60)
    pad(strings, chords, 57, 3, 46, end)
    bass = Part("Bass", 4, 35, 98, 64, 20)
    bassline(bass, chords, [(0, 0.45, "b"), (0.5, 0.45, "b"), (1, 0.45, "o"),
                            (1.5, 0.45, "b"), (2, 0.45, "5"), (2.5, 0.45, "b"),
                            (3, 0.45, "o"), (3.5, 0.45, "a")], 78, rnd, end)
    kit = Part("Drums", 9, 0, 88, 64, 25)
    groove = [(0, KICK, 90), (0, HAT, 60), (0.5, HAT, 44), (1, SNARE, 74),
              (1, HAT, 58), (1.5, HAT, 44), (1.75, KICK, 56), (2, KICK, 82),
              (2, HAT, 60), (2.5, HAT, 44), (2.5, KICK, 60), (3, SNARE, 76),
              (3, HAT, 58), (3.5, OPEN, 46)]
    fill = groove[:9] + [(3, SNARE, 70), (3.25, SNARE, 58), (3.5, SNARE, 76),
                         (3.75, SNARE, 84)]
    drums(kit, bars, bpb, groove, rnd, last_bar=bars - 1, fill_every=8,
          fill=fill)
    last = (bars - 1) * bpb
    for beat, drum, vel in ((0, KICK, 86), (0, CRASH, 66), (1, SNARE, 60),
                            (2, KICK, 70), (2.5, SNARE, 60), (3, SNARE, 70),
                            (3.5, SNARE, 82)):
        kit.add(last + beat, 0.25, drum, vel)
    kit.add(0, 1, CRASH, 58)
    return ("game1.mid", "A Scent of Wind", bpm, bpb, 2, False,
            [lead, violin, guitar, strings, bass, kit], bars)


def sweet_dreams():
    """A lullaby in 3/4: music box and harp over soft strings, 90 bpm,
    15 bars."""
    bpm, bpb = 90, 3
    bars = bar_count(bpm, bpb)
    end = bars * bpb - 0.25
    rnd = random.Random(400)
    chords = parse_chords(
        "Bb | F/A | Gm | Eb | Bb/F | Cm7 F | Bb | Eb | Cm | F | Dm | Gm"
        " | Eb | F7sus F | Bb", bpb)
    tune = """
        D5/2 F5/1
        C5/2 F5/1
        Bb4/1.5 C5/.5 D5/1
        G5/3
        F5/1.5 D5/.5 Bb4/1
        C5/1 Eb5/1 D5/.5 C5/.5
        D5/3
        Eb5/1 G5/1 Bb5/1
        G5/1.5 F5/.5 Eb5/1
        F5/2 A4/1
        D5/1.5 E5/.5 F5/1
        G5/1 F5/1 D5/1
        Eb5/1.5 D5/.5 C5/1
        C5/1.5 Bb4/.5 A4/1
        Bb4/3
        """
    check_line(tune, bars, bpb)
    box = Part("Music box", 0, 10, 96, 52, 70)
    melody(box, tune, 92, rnd, accent_every=3, legato=1.0)
    celesta = Part("Celesta", 1, 8, 56, 76, 70)
    melody(celesta, upper_octave(tune), 50, rnd, legato=1.0)
    harp = Part("Harp", 2, 46, 84, 40, 60)
    arpeggio(harp, chords, 53, [-1, 0, 1, 2, 1, 0], 0.5, 64, rnd, end,
             ring=2.0)
    strings = Part("Strings", 3, 49, 64, 88, 80)
    pad(strings, chords, 53, 3, 54, end)
    bass = Part("Cello", 4, 42, 70, 64, 50)
    bassline(bass, chords, [(0, 2.9, "b")], 56, rnd, end, low=36)
    return ("game2.mid", "Sweet Dreams", bpm, bpb, -2, False,
            [box, celesta, harp, strings, bass], bars)


def for_good():
    """Warm and hopeful: oboe over electric piano and strings, 96 bpm,
    12 bars."""
    bpm, bpb = 96, 4
    bars = bar_count(bpm, bpb)
    end = bars * bpb - 0.25
    rnd = random.Random(500)
    chords = parse_chords(
        "C | G/B | Am7 | F | C/G | F | Dm7 | G7sus G"
        " | C | Am7 | F Dm7 | G7sus G", bpb)
    tune = """
        E5/1.5 D5/.5 C5/1 G5/1
        D5/2 r/.5 B4/.5 C5/.5 D5/.5
        E5/1.5 G5/.5 C6/1 B5/.5 A5/.5
        A5/2 r/.5 F5/.5 E5/.5 F5/.5
        G5/1.5 E5/.5 C5/1 E5/1
        F5/1 A5/1 C6/1.5 A5/.5
        A5/1 G5/.5 F5/.5 D5/1 F5/1
        G5/3 r/1
        E5/1 G5/1 C6/1.5 B5/.5
        C6/1 A5/.5 G5/.5 E5/2
        F5/1 A5/1 D5/1 F5/1
        G5/1.5 F5/.5 D5/1 r/1
        """
    check_line(tune, bars, bpb)
    lead = Part("Oboe", 0, 68, 92, 56, 55)
    melody(lead, tune, 84, rnd, accent_every=2, legato=0.96)
    epiano = Part("Electric piano", 1, 4, 84, 74, 50, 30)
    arpeggio(epiano, chords, 55, [0, 1, 2, 1, 0, 1, 2, 1], 0.5, 56, rnd, end,
             ring=1.6)
    strings = Part("Strings", 2, 48, 66, 40, 70)
    pad(strings, chords, 52, 4, 48, end)
    bass = Part("Bass", 3, 33, 92, 64, 25)
    bassline(bass, chords, [(0, 1.4, "b"), (1.5, 0.45, "b"), (2, 1.4, "5"),
                            (3.5, 0.45, "a")], 74, rnd, end)
    kit = Part("Drums", 9, 0, 74, 64, 40)
    groove = [(0, KICK, 70), (0, PEDAL, 40), (1, SIDE, 56), (1, PEDAL, 36),
              (1.5, KICK, 44), (2, KICK, 62), (2, PEDAL, 40), (3, SIDE, 58),
              (3, PEDAL, 36), (3.5, PEDAL, 30)]
    drums(kit, bars, bpb, groove, rnd, first_bar=4, last_bar=bars)
    kit.add(4 * bpb, 1, CRASH, 46)
    return ("game3.mid", "For Good", bpm, bpb, 0, False,
            [lead, epiano, strings, bass, kit], bars)


def main():
    os.makedirs(RES, exist_ok=True)
    for tune in (take_to_you, to_your_holiday, a_scent_of_wind, sweet_dreams,
                 for_good):
        write_midi(*tune())


if __name__ == "__main__":
    main()
