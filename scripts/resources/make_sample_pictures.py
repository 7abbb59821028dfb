"""Draws the picture placeholder and the signature and fingerprint samples.

Writes, into the resource folder given as the one argument:
  no.png            light grey placeholder with a darker crossed-out frame
  sign_sample.png   a handwritten-looking pen stroke on transparent
  fingerprints.png  a fingerprint of concentric ridges on transparent
  photo_placeholder.png  a head-and-shoulders outline on soft grey, the photo of the shipped templates
"""
import math
import os
import sys

from pngwriter import write_png


def clamp01(v):
    return 0.0 if v < 0 else 1.0 if v > 1 else v


def write_placeholder(path, size=96):
    light, dark, line = 225, 150, 3

    def pixel(x, y):
        edge = min(x, y, size - 1 - x, size - 1 - y) < line
        diagonal = abs(x - y) < line / 1.5 or abs(x + y - (size - 1)) < line / 1.5
        grey = dark if edge or diagonal else light
        return (grey, grey, grey, 255)

    write_png(path, size, size, pixel)


def write_signature(path, width=240, height=90):
    # Stamps round pen dots along a looping curve into a coverage grid, then writes dark blue ink
    # whose alpha is the coverage, so the stroke has soft edges on any background.
    coverage = [[0.0] * width for _ in range(height)]
    steps = 1400
    for i in range(steps + 1):
        t = i / steps
        x = 14 + t * (width - 28) + 9 * math.sin(t * math.pi * 14)
        y = height * 0.55 - 18 * math.sin(t * math.pi * 5) * math.cos(t * math.pi * 1.3) \
            - 14 * math.cos(t * math.pi * 14)
        radius = 1.3 + 0.9 * math.sin(t * math.pi) ** 2
        for py in range(int(y - radius - 1), int(y + radius + 2)):
            if not 0 <= py < height:
                continue
            for px in range(int(x - radius - 1), int(x + radius + 2)):
                if 0 <= px < width:
                    c = clamp01(radius + 0.5 - math.hypot(px - x, py - y))
                    if c > coverage[py][px]:
                        coverage[py][px] = c

    def pixel(x, y):
        return (20, 30, 90, int(255 * coverage[y][x] + 0.5))

    write_png(path, width, height, pixel)


def write_fingerprint(path, width=120, height=150):
    cx, cy = width / 2, height * 0.55
    rx, ry = width * 0.46, height * 0.45
    period = 5.0

    def pixel(x, y):
        dx, dy = (x + 0.5 - cx) / rx, (y + 0.5 - cy) / ry
        outline = math.hypot(dx, dy)
        if outline >= 1.0:
            return (0, 0, 0, 0)
        # Ridges round a core a little above the middle, slightly warped so they look drawn.
        r = math.hypot(x + 0.5 - cx, (y + 0.5 - cy + 12) * 0.8)
        r += 2.0 * math.sin((x + 0.5) / 9.0) + 1.5 * math.cos((y + 0.5) / 11.0)
        ridge = 0.5 + 0.5 * math.cos(2 * math.pi * r / period)
        ink = clamp01((ridge - 0.35) * 2.5) * clamp01((1.0 - outline) * 12)
        return (40, 40, 40, int(255 * ink + 0.5))

    write_png(path, width, height, pixel)


def write_photo_placeholder(path, width=240, height=300):
    # Coverage of the head (a circle) and the shoulders (the top of an ellipse), sampled 4 x 4 per
    # pixel so the outline is smooth at any size the templates show it.
    head_x, head_y, head_r = width * 0.5, height * 0.40, width * 0.20
    body_x, body_y, body_rx, body_ry = width * 0.5, height * 1.04, width * 0.42, height * 0.40
    samples = 4

    def inside(px, py):
        if math.hypot(px - head_x, py - head_y) <= head_r:
            return True
        return ((px - body_x) / body_rx) ** 2 + ((py - body_y) / body_ry) ** 2 <= 1.0

    def pixel(x, y):
        hits = sum(inside(x + (i + 0.5) / samples, y + (j + 0.5) / samples)
                   for i in range(samples) for j in range(samples))
        cover = hits / (samples * samples)
        shade = y / (height - 1)
        back = (232 - 18 * shade, 237 - 16 * shade, 243 - 12 * shade)
        figure = (160, 173, 189)
        return tuple(int(b + (f - b) * cover + 0.5) for b, f in zip(back, figure)) + (255,)

    write_png(path, width, height, pixel)


def main():
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    write_placeholder(os.path.join(folder, "no.png"))
    write_signature(os.path.join(folder, "sign_sample.png"))
    write_fingerprint(os.path.join(folder, "fingerprints.png"))
    write_photo_placeholder(os.path.join(folder, "photo_placeholder.png"))


if __name__ == "__main__":
    main()
