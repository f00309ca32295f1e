#!/usr/bin/env python3
"""Draws the status monitor's three lamps (Bmp_Led/Red.bmp, Green.bmp,
Black.bmp): a round lamp with a rim and a highlight on the dialogs' light
background, 24-bit BMP, 24 x 24. Run once; the outputs are committed beside
this script and copied beside prtbench.exe by the build."""
import os
import struct

SIZE = 24
BACKGROUND = (239, 247, 255)
LAMPS = {
    'Red': ((200, 30, 30), (255, 120, 110), (120, 10, 10)),
    'Green': ((30, 170, 60), (140, 240, 150), (10, 90, 30)),
    'Black': ((40, 40, 48), (120, 120, 135), (10, 10, 12)),
}


def mix(a, b, t):
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


def lamp(body, light, rim):
    """Rows of (r, g, b), top row first."""
    centre = (SIZE - 1) / 2.0
    radius = SIZE / 2.0 - 1.5
    rows = []
    for y in range(SIZE):
        row = []
        for x in range(SIZE):
            d = ((x - centre) ** 2 + (y - centre) ** 2) ** 0.5
            if d > radius + 0.5:
                row.append(BACKGROUND)
                continue
            # light falls from the upper left
            glow = max(0.0, 1.0 - (((x - centre + 4) ** 2 + (y - centre + 4) ** 2) ** 0.5) / (radius * 0.9))
            colour = mix(body, light, glow)
            if d > radius - 1.5:
                colour = rim
            if d > radius:
                colour = mix(rim, BACKGROUND, d - radius)
            row.append(colour)
        rows.append(row)
    return rows


def bmp(rows):
    stride = (SIZE * 3 + 3) & ~3
    pixels = b''
    for row in reversed(rows):  # bottom-up
        line = b''.join(bytes((b, g, r)) for (r, g, b) in row)
        pixels += line + b'\0' * (stride - len(line))
    header = struct.pack('<IiiHHIIiiII', 40, SIZE, SIZE, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return b'BM' + struct.pack('<IHHI', 14 + len(header) + len(pixels), 0, 0, 14 + len(header)) + header + pixels


def main():
    folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'Bmp_Led')
    os.makedirs(folder, exist_ok=True)
    for name, colours in LAMPS.items():
        with open(os.path.join(folder, name + '.bmp'), 'wb') as out:
            out.write(bmp(lamp(*colours)))


if __name__ == '__main__':
    main()
