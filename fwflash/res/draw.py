#!/usr/bin/env python3
"""Draws fwflash's pictures: logo.bmp (256 x 70, 24-bit) and fwflash.ico.

Our own drawing: a chip with an arrow going into it over a blue band. Run it
from this folder after changing the drawing; the outputs are kept in git.
"""
import struct


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


def write_bmp(path, width, height, pixel):
    row = (width * 3 + 3) & ~3
    data = bytearray()
    for y in range(height - 1, -1, -1):
        line = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            line += bytes((b, g, r))
        data += line + bytes(row - len(line))
    header = struct.pack('<2sIHHI', b'BM', 54 + len(data), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, 'wb') as f:
        f.write(header + info + data)


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


def icon_image(size):
    xor = bytearray()
    for y in range(size - 1, -1, -1):
        for x in range(size):
            r, g, b, a = icon_pixel(size, x, y)
            xor += bytes((b, g, r, a))
    mask_row = ((size + 31) // 32) * 4
    info = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, len(xor) + mask_row * size, 0, 0, 0, 0)
    return info + xor + bytes(mask_row * size)


def write_ico(path, sizes):
    images = [icon_image(s) for s in sizes]
    out = struct.pack('<HHH', 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for size, image in zip(sizes, images):
        out += struct.pack('<BBBBHHII', size, size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    with open(path, 'wb') as f:
        f.write(out + b''.join(images))


if __name__ == '__main__':
    write_bmp('logo.bmp', 256, 70, logo_pixel)
    write_ico('fwflash.ico', [16, 32])
