"""Draws the banner tile that window tops repeat across their width.

Writes banner.png into the resource folder given as the one argument: a deep blue band, lighter at
the top, crossed by faint diagonal stripes and closed by a light rule at the bottom. The stripes
repeat within the tile's width, so tiles laid side by side join without a seam.
"""
import os

from pngwriter import output_folder, write_png

WIDTH, HEIGHT = 48, 56
STRIPE_PERIOD, STRIPE_WIDTH = 24, 9  # WIDTH is a whole number of periods
TOP, BOTTOM = (44, 98, 168), (20, 54, 108)
RULE, RULE_HEIGHT = (120, 180, 235), 2


def pixel(x, y):
    if y >= HEIGHT - RULE_HEIGHT:
        return RULE + (255,)
    t = y / (HEIGHT - RULE_HEIGHT - 1)
    colour = [round(a + (b - a) * t) for a, b in zip(TOP, BOTTOM)]
    if (x + y) % STRIPE_PERIOD < STRIPE_WIDTH:
        colour = [min(255, c + 9) for c in colour]
    return tuple(colour) + (255,)


write_png(os.path.join(output_folder(""), "banner.png"), WIDTH, HEIGHT, pixel)
