"""Draws the stock card backgrounds: <resource folder>/Background/<Name>_Landscape.png and
<Name>_Portrait.png, a CR80 card at 600 dpi (2022 x 1276 pixels, and 1276 x 2022 upright).

Each design is laid out anew for either orientation. A picture is built a scan line at a time
from bytes operations (translate through a per-line table, slicing, integer bit arithmetic),
never pixel by pixel, so the whole set takes seconds. A design works in palette indexes: their
bits are fields (a shade ramp, the coverage of line work) and the design mixes one colour for
every combination. The files are true colour all the same, since Qt shrinks a palette picture
within its palette, speckling the shades.
"""
import math
import os
import re

from pngwriter import output_folder, write_rgb_png

DPI = 600
LANDSCAPE = (2022, 1276)  # 3.37 x 2.127 in


def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def smooth(lo, hi, v):
    t = clamp((v - lo) / (hi - lo))
    return t * t * (3 - 2 * t)


def mix(c0, c1, t):
    return tuple(a + (b - a) * t for a, b in zip(c0, c1))


class Field:
    """Some bits of the palette index. A shade keeps a level 0..1 in 2**bits steps; a coverage keeps
    k of its bits set from the bottom (0, 1, 3, 7...), so that OR-ing two coverages keeps the
    larger and several layers may share one coverage field."""

    def __init__(self, bits, shift, coverage):
        self.bits, self.shift, self.coverage = bits, shift, coverage
        self.top = (1 << bits) - 1

    def encode(self, v):
        v = clamp(v)
        raw = (1 << round(v * self.bits)) - 1 if self.coverage else round(v * self.top)
        return raw << self.shift

    def decode(self, index):
        raw = (index >> self.shift) & self.top
        return raw.bit_length() / self.bits if self.coverage else raw / self.top


def layout(**fields):
    """Fields from the low bits up, given as name=("shade" | "coverage", bits); 8 bits in all."""
    placed, shift = {}, 0
    for name, (kind, bits) in fields.items():
        placed[name] = Field(bits, shift, kind == "coverage")
        shift += bits
    assert shift <= 8, "a palette index has 8 bits"
    return placed


class Ramp:
    """A field whose value is g(a(x) + b(y)): a(x) is quantised into an index row once, and each
    scan line is that row translated through its slice of one long table of g."""

    def __init__(self, field, a_values, b_of_y, height, g):
        a_lo, a_hi = min(a_values), max(a_values)
        b_values = [b_of_y(y) for y in range(height)]
        b_lo, b_hi = min(b_values), max(b_values)
        self.step = max((a_hi - a_lo) / 255, (a_hi - a_lo + b_hi - b_lo) / 4096) or 1.0
        self.index = bytes(round((a - a_lo) / self.step) for a in a_values)
        self.starts = [round((b - b_lo) / self.step) for b in b_values]
        length = max(self.starts) + 256
        self.long = bytes(field.encode(g(a_lo + b_lo + j * self.step)) for j in range(length))

    def row(self, y):
        start = self.starts[y]
        return self.index.translate(self.long[start:start + 256])


class Translated:
    """A field whose value is fn(a(x), b(y)) for any fn: as a Ramp, with one table per value of
    b(y) rounded to key_step; b(y) may clamp itself where rows stop changing."""

    def __init__(self, field, a_values, b_of_y, fn, key_step):
        lo, hi = min(a_values), max(a_values)
        self.lo, self.step = lo, (hi - lo) / 255 or 1.0
        self.index = bytes(round((a - lo) / self.step) for a in a_values)
        self.field, self.b_of_y, self.fn, self.key_step = field, b_of_y, fn, key_step
        self.tables = {}

    def row(self, y):
        key = round(self.b_of_y(y) / self.key_step)
        if key not in self.tables:
            b = key * self.key_step
            self.tables[key] = bytes(self.field.encode(self.fn(self.lo + i * self.step, b)) for i in range(256))
        return self.index.translate(self.tables[key])


class Periodic:
    """Parallel lines at a(x) + b(y) = k * period, coverage profile(d) at a distance d from the
    nearest. Phases are kept in 1/sub pixel (period * sub at most 256); a scan line's table is
    the coverage of one period turned by the line's phase."""

    def __init__(self, field, a_values, b_of_y, period, sub, profile):
        self.n = period * sub
        assert self.n <= 256
        self.index = bytes(round(a * sub) % self.n for a in a_values)
        self.b_of_y, self.sub = b_of_y, sub
        self.codes = bytes(field.encode(profile(min(u, self.n - u) / sub)) for u in range(self.n))
        self.pad = bytes(256 - self.n)

    def row(self, y):
        phase = round(self.b_of_y(y) * self.sub) % self.n
        return self.index.translate(self.codes[phase:] + self.codes[:phase] + self.pad)


class Slanted:
    """A field whose value is fn(x + slope * y): one master line, sliced per scan line at whole
    pixels (slope 0 gives upright features at full resolution)."""

    def __init__(self, field, width, height, slope, fn):
        self.width = width
        self.shifts = [round(slope * y) for y in range(height)]
        self.lo = min(self.shifts)
        span = max(self.shifts) - self.lo + width
        self.master = bytes(field.encode(fn(t + self.lo)) for t in range(span))

    def row(self, y):
        start = self.shifts[y] - self.lo
        return self.master[start:start + self.width]


class Rings:
    """Annuli (cx, cy, inner, outer) with soft edges, drawn a span at a time."""

    def __init__(self, field, width, height, rings):
        self.field, self.width = field, width
        self.full = bytes([field.encode(1.0)])
        self.by_row = [[] for _ in range(height)]
        for ring in rings:
            cx, cy, inner, outer = ring
            for y in range(max(0, math.floor(cy - outer)), min(height, math.ceil(cy + outer) + 1)):
                self.by_row[y].append(ring)

    @staticmethod
    def half_chord(r, dy):
        return math.sqrt(r * r - dy * dy) if r > abs(dy) else -1.0

    def span(self, row, x0, x1):
        a, b = max(0, math.ceil(x0)), min(self.width, math.floor(x1))
        if a < b:
            row[a:b] = self.full * (b - a)
        for x, part in ((a - 1, a - x0), (b, x1 - b)):
            if 0 <= x < self.width and part > 0:
                row[x] |= self.field.encode(part)

    def row(self, y):
        row = bytearray(self.width)
        for cx, cy, inner, outer in self.by_row[y]:
            dy = y + 0.5 - cy
            out, hole = self.half_chord(outer, dy), self.half_chord(inner, dy)
            if out < 0:
                continue
            if hole < 0:
                self.span(row, cx - out, cx + out)
            else:
                self.span(row, cx - out, cx - hole)
                self.span(row, cx + hole, cx + out)
        return bytes(row)


def line_profile(width):
    """Coverage of a line of that width at a distance from its centre, one pixel of soft edge."""
    return lambda d: clamp(width / 2 + 0.5 - d)


def waves(x, terms):
    """Sum of sines: terms of (amplitude, wavelength, phase)."""
    return sum(a * math.sin(2 * math.pi * x / length + phase) for a, length, phase in terms)


class Design:
    """One background: its FIELDS, draw(one argument a field) -> the layers that fill them, and
    paint(values) -> colour."""

    FIELDS = {}  # name: ("shade" | "coverage", bits), from the low bits up

    def __init__(self, width, height):
        self.width, self.height = width, height
        self.short = min(width, height)
        self.portrait = height > width
        self.xs = range(width)
        self.fields = layout(**self.FIELDS)
        self.layers = self.draw(*self.fields.values())

    def indexes(self):
        for y in range(self.height):
            value = 0
            for layer in self.layers:
                value |= int.from_bytes(layer.row(y), "little")
            yield value.to_bytes(self.width, "little")

    def rows(self):
        """Scan lines of r, g, b triples: each channel is the indexes translated through the
        palette, woven together by strided slices."""
        channels = [bytes(colour[c] for colour in self.palette()) for c in range(3)]
        for indexes in self.indexes():
            line = bytearray(3 * self.width)
            for c, table in enumerate(channels):
                line[c::3] = indexes.translate(table)
            yield bytes(line)

    def palette(self):
        colours = []
        for index in range(256):
            values = {name: field.decode(index) for name, field in self.fields.items()}
            colours.append(tuple(int(clamp(c, 0, 255) + 0.5) for c in self.paint(values)))
        return colours


def cover(lo, hi, y):
    """How much of the scan line [y, y + 1) lies between lo and hi."""
    return clamp(min(hi, y + 1) - max(lo, y))


class AzureFlow(Design):
    """Pale sky ground; two families of flowing lines rise from the lower edge."""

    FIELDS = dict(ink=("coverage", 3), shade=("shade", 5))

    def draw(self, ink, shade):
        w, h, s = self.width, self.height, self.short
        return [
            Ramp(shade, [0.35 * x / w for x in self.xs], lambda y: 0.8 * y / h, h, lambda t: smooth(0.25, 1.05, t)),
            Periodic(ink, [-waves(x, [(0.16 * s, 1.9 * s, 0.0), (0.05 * s, 0.7 * s, 1.3)]) + 0.12 * x
                           for x in self.xs], lambda y: y, 40, 6, line_profile(2.4)),
            Periodic(ink, [-waves(x, [(0.12 * s, 1.4 * s, 2.1), (0.04 * s, 0.55 * s, 0.4)]) - 0.05 * x
                           for x in self.xs], lambda y: y, 32, 8, line_profile(1.6)),
        ]

    def paint(self, v):
        ground = mix((252, 253, 255), (206, 226, 246), v["shade"])
        return mix(ground, (36, 104, 178), v["ink"] * 0.85 * smooth(0.45, 1.0, v["shade"]))


class EmeraldGuilloche(Design):
    """Two mirrored families of sine lines braid over a mint ground that clears in the middle."""

    FIELDS = dict(ink=("coverage", 3), shade=("shade", 5))

    def draw(self, ink, shade):
        w, h, s = self.width, self.height, self.short
        wave = [waves(x, [(0.045 * s, 0.32 * s, 0.0), (0.012 * s, 0.11 * s, 0.7)]) for x in self.xs]
        return [
            Translated(shade, [2 * x / w - 1 for x in self.xs], lambda y: 2 * y / h - 1,
                       lambda a, b: smooth(0.45, 1.35, math.hypot(a, b)), key_step=4 / h),
            Periodic(ink, [-c for c in wave], lambda y: y, 36, 7, line_profile(1.5)),
            Periodic(ink, wave, lambda y: y + 18, 36, 7, line_profile(1.5)),
        ]

    def paint(self, v):
        ground = mix((250, 253, 251), (208, 234, 218), v["shade"])
        return mix(ground, (24, 116, 80), v["ink"] * (0.2 + 0.6 * v["shade"]))


class SunsetHeader(Design):
    """A coral header with a gently waving lower edge and a thin line echoing it, and a footer."""

    FIELDS = dict(band=("coverage", 3), shade=("shade", 5))

    def draw(self, band, shade):
        w, h, s = self.width, self.height, self.short
        top = (0.16 if self.portrait else 0.21) * h
        edge = [top + waves(x, [(0.03 * s, 1.3 * w, 0.6), (0.008 * s, 0.37 * w, 2.0)]) for x in self.xs]
        foot = [h - 0.055 * h - waves(x, [(0.012 * s, 0.9 * w, 2.4)]) for x in self.xs]
        gap, line = 0.022 * s, 0.007 * s
        reach = max(edge) + gap + line + 2

        def header(c, y):
            return max(cover(-1, c, y), cover(c + gap, c + gap + line, y))

        return [
            Ramp(shade, [x / w for x in self.xs], lambda y: 0.3 * y / h, h, lambda t: t / 1.3),
            Translated(band, edge, lambda y: clamp(y, min(edge) - 2, reach), header, key_step=1),
            Translated(band, foot, lambda y: max(y, min(foot) - 2), lambda c, y: cover(c, h + 1, y), key_step=1),
        ]

    def paint(self, v):
        header = mix((244, 122, 86), (196, 58, 108), v["shade"])
        return mix((253, 250, 246), header, v["band"])


class SlateDiagonal(Design):
    """Leaning slate bands of three strengths in one corner over a cool grey with a faint grain."""

    FIELDS = dict(grain=("coverage", 2), band=("shade", 6))

    def draw(self, grain, band):
        w, h = self.width, self.height
        slope = 0.42
        reach = w + slope * h
        bands = [(0.60, 0.035, 0.16), (0.665, 0.12, 0.32), (0.80, 0.03, 0.55), (0.855, 1.0, 0.78)]

        def strength(t):
            return max(alpha * cover(reach * start, reach * (start + size), t) for start, size, alpha in bands)

        return [
            Slanted(band, w, h, slope, strength),
            Periodic(grain, list(self.xs), lambda y: slope * y, 14, 18, line_profile(1.0)),
        ]

    def paint(self, v):
        ground = mix((243, 246, 250), (231, 236, 242), v["grain"])
        return mix(ground, (46, 64, 84), v["band"])


class LilacHalftone(Design):
    """Halftone dots that swell towards one corner over a lilac wash."""

    FIELDS = dict(dots=("coverage", 3), shade=("shade", 5))

    def draw(self, dots, shade):
        w, h, s = self.width, self.height, self.short

        def nearness(x, y):
            return 1 - 0.5 * (x / w + 1 - y / h)

        pitch = 0.034 * s
        rings = []
        for j in range(int(2 * h / pitch) + 2):
            for i in range(int(w / pitch) + 2):
                cx, cy = (i + 0.5 * (j % 2)) * pitch, j * pitch / 2
                r = 0.5 * pitch * smooth(0.42, 1.0, nearness(cx, cy)) ** 0.8
                if r > 1.2:
                    rings.append((cx, cy, 0.0, r))
        return [
            Ramp(shade, [0.5 * (1 - x / w) for x in self.xs], lambda y: 0.5 * y / h, h, lambda t: t),
            Rings(dots, w, h, rings),
        ]

    def paint(self, v):
        ground = mix((255, 255, 255), (234, 222, 246), smooth(0.2, 1.0, v["shade"]))
        return mix(ground, (132, 92, 182), v["dots"] * 0.6)


class GoldPinstripe(Design):
    """Ivory with fine gold pinstripes and a gold bar down the left edge."""

    FIELDS = dict(pin=("coverage", 2), bar=("coverage", 2), shade=("shade", 4))

    def draw(self, pin, bar, shade):
        w, h, s = self.width, self.height, self.short
        edge, gap, line = 0.1 * s, 0.014 * s, 0.006 * s

        def bar_cover(x):
            return max(cover(-1, edge, x), cover(edge + gap, edge + gap + line, x))

        return [
            Ramp(shade, [0.2 * x / w for x in self.xs], lambda y: y / h, h, lambda t: t / 1.2),
            Slanted(bar, w, h, 0, bar_cover),
            Periodic(pin, list(self.xs), lambda y: y, 18, 14, line_profile(1.4)),
        ]

    def paint(self, v):
        ground = mix((253, 250, 241), (226, 206, 160), v["pin"] * 0.6)
        return mix(ground, mix((214, 176, 92), (168, 126, 48), v["shade"]), v["bar"])


class CoralRings(Design):
    """Thin rings spreading from beyond one corner, fading as they grow, over a warm glow."""

    FIELDS = dict(ink=("coverage", 3), shade=("shade", 5))

    def draw(self, ink, shade):
        w, h, s = self.width, self.height, self.short
        cx, cy, far = 1.04 * w, 1.08 * h, 1.25 * max(w, h)
        pitch, half = 0.045 * s, 1.2
        rings = [(cx, cy, r - half, r + half) for r in (0.16 * s + k * pitch for k in range(int(far / pitch)))]
        return [
            Translated(shade, [x - cx for x in self.xs], lambda y: y + 0.5 - cy,
                       lambda a, b: smooth(0.1, 1.0, math.hypot(a, b) / far), key_step=4),
            Rings(ink, w, h, rings),
        ]

    def paint(self, v):
        near = 1 - v["shade"]
        ground = mix((255, 249, 246), (251, 218, 204), near ** 1.5)
        return mix(ground, (222, 98, 76), v["ink"] * 0.75 * near)


class MidnightMesh(Design):
    """Deep navy with a fine light mesh that grows stronger towards one side."""

    FIELDS = dict(ink=("coverage", 3), shade=("shade", 5))

    def draw(self, ink, shade):
        w, h = self.width, self.height
        sin60, cos60 = math.sin(math.pi / 3), 0.5
        return [
            Ramp(shade, [0.6 * x / w for x in self.xs], lambda y: 0.4 * y / h, h, lambda t: t),
            Periodic(ink, [cos60 * x for x in self.xs], lambda y: sin60 * y, 44, 5, line_profile(1.3)),
            Periodic(ink, [-cos60 * x for x in self.xs], lambda y: sin60 * y, 44, 5, line_profile(1.3)),
        ]

    def paint(self, v):
        ground = mix((14, 24, 50), (32, 58, 102), v["shade"])
        return mix(ground, (128, 176, 236), v["ink"] * 0.4 * smooth(0.15, 1.0, v["shade"]))


class TealRibbon(Design):
    """A ribbon of braided lines sweeping across the lower part of a white card."""

    FIELDS = dict(ink=("coverage", 3), shade=("shade", 5))

    def draw(self, ink, shade):
        w, h, s = self.width, self.height, self.short
        middle = (0.74 if self.portrait else 0.68) * h
        centre = [middle + waves(x, [(0.1 * s, 1.7 * w, 0.3), (0.025 * s, 0.5 * w, 1.1)]) for x in self.xs]
        braid = [waves(x, [(0.03 * s, 0.21 * s, 0.0)]) for x in self.xs]
        spread = 0.12 * s
        return [
            Ramp(shade, [-c for c in centre], lambda y: y, h, lambda u: math.exp(-(u / spread) ** 2)),
            Periodic(ink, [-c - b for c, b in zip(centre, braid)], lambda y: y, 24, 10, line_profile(1.4)),
            Periodic(ink, [-c + b for c, b in zip(centre, braid)], lambda y: y + 12, 24, 10, line_profile(1.4)),
        ]

    def paint(self, v):
        ground = mix((252, 254, 254), (214, 238, 236), 0.7 * v["shade"])
        return mix(ground, (16, 124, 126), v["ink"] * 0.85 * smooth(0.05, 0.8, v["shade"]))


class RoseSwoosh(Design):
    """A blush-to-peach wash crossed by two soft white swooshes."""

    FIELDS = dict(upper=("coverage", 2), lower=("coverage", 2), shade=("shade", 4))

    def draw(self, upper, lower, shade):
        w, h, s = self.width, self.height, self.short
        first = [0.55 * h + waves(x, [(0.14 * s, 1.6 * w, 0.4)]) - 0.15 * h * x / w for x in self.xs]
        second = [0.72 * h + waves(x, [(0.1 * s, 1.2 * w, 1.9)]) - 0.1 * h * x / w for x in self.xs]
        return [
            Ramp(shade, [x / w for x in self.xs], lambda y: 0.6 * y / h, h, lambda t: t / 1.6),
            Ramp(upper, [-c for c in first], lambda y: y, h, lambda u: clamp(u + 0.5)),
            Ramp(lower, [-c for c in second], lambda y: y, h, lambda u: clamp(u + 0.5)),
        ]

    def paint(self, v):
        ground = mix((250, 220, 226), (254, 236, 218), v["shade"])
        return mix(ground, (255, 255, 255), 0.3 * v["upper"] + 0.35 * v["lower"])


DESIGNS = (AzureFlow, CoralRings, EmeraldGuilloche, GoldPinstripe, LilacHalftone, MidnightMesh, RoseSwoosh,
           SlateDiagonal, SunsetHeader, TealRibbon)


def main():
    folder = output_folder("Background")
    for design in DESIGNS:
        # AzureFlow draws Azure_Flow_Landscape.png and Azure_Flow_Portrait.png.
        name = re.sub(r"(?<=[a-z])(?=[A-Z])", "_", design.__name__)
        for suffix, (width, height) in (("Landscape", LANDSCAPE), ("Portrait", LANDSCAPE[::-1])):
            picture = design(width, height)
            write_rgb_png(os.path.join(folder, "%s_%s.png" % (name, suffix)), width, height, picture.rows(), DPI)


if __name__ == "__main__":
    main()
