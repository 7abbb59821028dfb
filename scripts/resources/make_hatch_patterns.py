"""Draws the hatch pattern tiles: <resource folder>/Fill_Style_Image/<name>.png.

Each tile is black ink on a transparent ground and repeats seamlessly, so a pattern fill shows
the background colour between the lines. A tile stands for 16 x 16 points of the card (two
pattern cells of 8 points each way) whatever its pixels; the drawing maps it there. It is drawn
at PIXELS_PER_POINT so that lines stay sharp on 600-dpi output, with antialiased edges.
"""
import math
import os

from pngwriter import output_folder, write_png

TILE_POINTS = 16
CELL = 8
PIXELS_PER_POINT = 8
SIZE = TILE_POINTS * PIXELS_PER_POINT
SUBSAMPLES = 4  # per pixel and axis, for the edge coverage
HALF_LINE = 0.5  # points: lines are one point wide


def near_periodic(value, centre, period):
    """Distance from value to the nearest of centre + k * period."""
    offset = (value - centre) % period
    return min(offset, period - offset)


def horizontal(u, v):
    return near_periodic(v, 0.5, CELL) <= HALF_LINE


def vertical(u, v):
    return near_periodic(u, 0.5, CELL) <= HALF_LINE


def cross(u, v):
    return horizontal(u, v) or vertical(u, v)


def diagonal_forward(u, v):
    # "/" with y pointing down: u + v constant along a line.
    return near_periodic(u + v, 0, CELL) / math.sqrt(2) <= HALF_LINE


def diagonal_backward(u, v):
    return near_periodic(u - v, 0, CELL) / math.sqrt(2) <= HALF_LINE


def diagonal_cross(u, v):
    return diagonal_forward(u, v) or diagonal_backward(u, v)


def dots(u, v):
    du = near_periodic(u, 4, CELL)
    dv = near_periodic(v, 4, CELL)
    return du * du + dv * dv <= 1.2 * 1.2


def grid(u, v):
    return near_periodic(u, 0.5, TILE_POINTS) <= HALF_LINE or near_periodic(v, 0.5, TILE_POINTS) <= HALF_LINE


def brick(u, v):
    if near_periodic(v, 0.5, CELL) <= HALF_LINE:
        return True
    # Joints of alternate courses sit half a brick apart.
    joint = 0.5 if v % TILE_POINTS < CELL else CELL + 0.5
    return near_periodic(u, joint, TILE_POINTS) <= HALF_LINE


def segment_distance(u, v, a, b):
    (ax, ay), (bx, by) = a, b
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((u - ax) * dx + (v - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(u - (ax + t * dx), v - (ay + t * dy))


def zigzag(u, v):
    # Rising and falling at 45 degrees between y 6.5 (at x 0.5) and y 2.5 (at x 4.5), every cell.
    t = (u - 0.5) % CELL
    y = v % CELL
    corners = [(-4, 2.5), (0, 6.5), (4, 2.5), (8, 6.5), (12, 2.5)]
    return any(segment_distance(t, y + shift, a, b) <= HALF_LINE
               for shift in (-CELL, 0, CELL) for a, b in zip(corners, corners[1:]))


PATTERNS = {
    "Horizontal": horizontal,
    "Vertical": vertical,
    "Cross": cross,
    "Diagonal_Forward": diagonal_forward,
    "Diagonal_Backward": diagonal_backward,
    "Diagonal_Cross": diagonal_cross,
    "Dots": dots,
    "Grid": grid,
    "Brick": brick,
    "Zigzag": zigzag,
}


def coverage(inked, x, y):
    """The share of pixel (x, y) that the pattern inks, 0..255."""
    hits = 0
    for i in range(SUBSAMPLES):
        for j in range(SUBSAMPLES):
            u = (x + (i + 0.5) / SUBSAMPLES) / PIXELS_PER_POINT
            v = (y + (j + 0.5) / SUBSAMPLES) / PIXELS_PER_POINT
            hits += inked(u, v)
    return round(255 * hits / (SUBSAMPLES * SUBSAMPLES))


def main():
    folder = output_folder("Fill_Style_Image")
    for name, inked in PATTERNS.items():
        write_png(os.path.join(folder, name + ".png"), SIZE, SIZE,
                  lambda x, y, inked=inked: (0, 0, 0, coverage(inked, x, y)))


if __name__ == "__main__":
    main()
