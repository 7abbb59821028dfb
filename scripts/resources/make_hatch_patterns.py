"""Draws the hatch pattern tiles: <resource folder>/Fill_Style_Image/<name>.png.

Each tile is black ink on a transparent ground and repeats seamlessly, so a pattern fill shows
the background colour between the lines.
"""
import os

from pngwriter import output_folder, write_png

SIZE = 16
INK = (0, 0, 0, 255)
CLEAR = (0, 0, 0, 0)


def horizontal(x, y):
    return y % 8 == 0


def vertical(x, y):
    return x % 8 == 0


def cross(x, y):
    return horizontal(x, y) or vertical(x, y)


def diagonal_forward(x, y):
    # "/" with y pointing down.
    return (x + y) % 8 == 7


def diagonal_backward(x, y):
    return (x - y) % 8 == 0


def diagonal_cross(x, y):
    return diagonal_forward(x, y) or diagonal_backward(x, y)


def dots(x, y):
    return x % 8 in (3, 4) and y % 8 in (3, 4)


def grid(x, y):
    return x == 0 or y == 0


def brick(x, y):
    if y % 8 == 0:
        return True
    # Joints of alternate courses sit half a brick apart.
    return x == (0 if y < 8 else 8)


def zigzag(x, y):
    return y % 8 == abs(x % 8 - 4) + 2


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


def main():
    folder = output_folder("Fill_Style_Image")
    for name, inked in PATTERNS.items():
        write_png(os.path.join(folder, name + ".png"), SIZE, SIZE,
                  lambda x, y, inked=inked: INK if inked(x, y) else CLEAR)


if __name__ == "__main__":
    main()
