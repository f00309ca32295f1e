#!/usr/bin/env python3
"""Draws drvsetup's pictures: logo.bmp (126 x 39, 24-bit) and drvsetup.ico.

Our own drawing: a receipt coming out of a printer over a blue band. Run it
from this folder after changing the drawing; the outputs are kept in git.
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'scripts'))
from pictures import write_bmp, write_ico  # noqa: E402


def logo_pixel(x, y):
    t = x / 125
    band = (int(0 + 20 * t), int(100 + 40 * t), int(160 + 40 * t))
    # printer body
    if 70 <= x <= 118 and 18 <= y <= 34:
        return (40, 44, 52) if not (76 <= x <= 112 and 20 <= y <= 22) else (10, 10, 10)
    # receipt leaving the slot, with printed lines
    if 78 <= x <= 110 and 3 <= y < 21:
        if 82 <= x <= 106 and y % 4 == 1:
            return (60, 60, 60)
        return (250, 250, 250)
    # three bars of a driver package on the left
    for i in range(3):
        if 10 + 16 * i <= x <= 22 + 16 * i and 30 - 8 * i <= y <= 34:
            return (255, 214, 90)
    return band


def icon_pixel(size, x, y):
    s = size / 32
    if 4 * s <= x < 28 * s and 14 * s <= y < 26 * s:
        return (0, 100, 160, 255)
    if 9 * s <= x < 23 * s and 4 * s <= y < 16 * s:
        return (250, 250, 250, 255)
    return (0, 0, 0, 0)


if __name__ == '__main__':
    write_bmp('logo.bmp', 126, 39, logo_pixel)
    write_ico('drvsetup.ico', [16, 32], icon_pixel)
