#!/usr/bin/env python3
"""Draws prtbench's own pictures: the program icon (a receipt printer) and the
tile that fills the main window's picture frame. Run once; the outputs are
committed beside this script."""
import struct

NAVY, BLUE, SKY, PAPER, INK, SHADOW = (0, 0, 132), (40, 90, 200), (239, 247, 255), (255, 255, 255), (60, 60, 60), (170, 180, 200)


def printer(size):
    """Rows of (r, g, b, a), top row first."""
    s = size / 32.0
    px = [[(0, 0, 0, 0)] * size for _ in range(size)]

    def box(x0, y0, x1, y1, colour):
        for y in range(int(y0 * s), int(y1 * s)):
            for x in range(int(x0 * s), int(x1 * s)):
                px[y][x] = colour + (255,)

    box(9, 2, 23, 14, PAPER)            # the receipt coming out
    for line in (5, 8, 11):
        box(11, line, 21, line + 1, INK)
    box(3, 13, 29, 27, NAVY)             # the printer body
    box(4, 14, 28, 17, BLUE)
    box(8, 14, 24, 16, SHADOW)           # the paper slot
    box(22, 21, 26, 23, (90, 220, 90))   # the power lamp
    box(5, 27, 27, 29, SHADOW)           # the feet
    return px


def ico(images):
    header = struct.pack('<HHH', 0, 1, len(images))
    entries, blobs = b'', b''
    offset = 6 + 16 * len(images)
    for px in images:
        n = len(px)
        xor = b''.join(bytes((b, g, r, a)) for row in reversed(px) for (r, g, b, a) in row)
        mask_row = ((n + 31) // 32) * 4
        andmask = b''
        for row in reversed(px):
            bits = 0
            for x, (_, _, _, a) in enumerate(row):
                if a == 0:
                    bits |= 1 << (mask_row * 8 - 1 - x)
            andmask += bits.to_bytes(mask_row, 'big')
        blob = struct.pack('<IiiHHIIiiII', 40, n, n * 2, 1, 32, 0, len(xor) + len(andmask), 0, 0, 0, 0) + xor + andmask
        entries += struct.pack('<BBBBHHII', n, n, 0, 0, 1, 32, len(blob), offset)
        blobs += blob
        offset += len(blob)
    return header + entries + blobs


def tile(size=24):
    """A light tile with a small receipt and a blue corner dot: tiles into a calm pattern."""
    px = [[SKY] * size for _ in range(size)]
    for y in range(3, 19):
        for x in range(5, 15):
            px[y][x] = PAPER
    for y in range(19, 21):
        for x in range(6, 16):
            px[y][x] = SHADOW
    for y in (6, 9, 12, 15):
        for x in range(7, 13):
            px[y][x] = BLUE
    for y in range(20, 23):
        for x in range(19, 22):
            px[y][x] = NAVY
    return px


def bmp(px):
    n = len(px)
    row_bytes = (n * 3 + 3) // 4 * 4
    data = b''
    for row in reversed(px):
        raw = b''.join(bytes((b, g, r)) for (r, g, b) in row)
        data += raw + b'\0' * (row_bytes - len(raw))
    header = struct.pack('<2sIHHI', b'BM', 54 + len(data), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, n, n, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    return header + info + data


if __name__ == '__main__':
    with open('prtbench.ico', 'wb') as f:
        f.write(ico([printer(32), printer(16)]))
    with open('frame.bmp', 'wb') as f:
        f.write(bmp(tile()))
