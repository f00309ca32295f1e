#!/usr/bin/env python3
"""Draws fwflash's pictures: logo.bmp (256 x 70, 24-bit) and fwflash.ico.

Our own drawing: a chip with an arrow going into it over a blue band. Run it
from this folder after changing the drawing; the outputs are kept in git.
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'scripts'))
from pictures import write_bmp, write_ico  # noqa: E402


def logo_pixel(x, y):
    # a band from deep blue to teal
    t = x / 255
    r, g, b = int(16 + 10 * t), int(58 + 110 * t), int(122 + 40 * t)
    # a chip: white square with legs, right half of the picture
    cx, cy = 190, 35
    if abs(x - cx) <= 22 and abs(y - cy) <= 22:
        if abs(x - cx) <= 18 and abs(y - cy) <= 18:
            inner = abs(x - cx) <= 10 and abs(y - cy) <= 10
            return (90, 200, 255) if inner else (245, 248, 252)
        return (r, g, b)
    for leg in range(-15, 16, 6):
        if (abs(y - (cy + leg)) <= 1 and 18 < abs(x - cx) <= 28) or (abs(x - (cx + leg)) <= 1 and 18 < abs(y - cy) <= 28):
            return (200, 210, 220)
    # an arrow from the left into the chip
    if 40 <= x <= 140 and abs(y - cy) <= 4:
        return (255, 255, 255)
    if 140 < x <= 158 and abs(y - cy) <= (158 - x) * 0.8:
        return (255, 255, 255)
    # progress blocks under the arrow
    if 40 <= x <= 130 and 52 <= y <= 58 and (x - 40) % 12 < 9:
        return (255, 214, 90)
    return (r, g, b)


def icon_pixel(size, x, y):
    s = size / 32
    inside = 3 * s <= x < 29 * s and 3 * s <= y < 29 * s
    if not inside:
        return (0, 0, 0, 0)
    core = 9 * s <= x < 23 * s and 9 * s <= y < 23 * s
    arrow = abs(x - 16 * s) < 2 * s and y < 16 * s or (y >= 12 * s and y < 18 * s and abs(x - 16 * s) < (18 * s - y))
    if arrow:
        return (255, 255, 255, 255)
    return (90, 200, 255, 255) if core else (20, 80, 150, 255)


if __name__ == '__main__':
    write_bmp('logo.bmp', 256, 70, logo_pixel)
    write_ico('fwflash.ico', [16, 32], icon_pixel)
