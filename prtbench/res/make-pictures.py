#!/usr/bin/env python3
"""Draws prtbench's own pictures: the program icon (a receipt printer), the
tile that fills the main window's picture frame, the logo the logo dialogs
open with (myTitle/bitmap11.bmp) and the samples of Logo_Sample. Run once;
the outputs are committed beside this script."""
import os
import struct
import zlib

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


# A 5 x 7 font of the characters the pictures write, one string per row.
FONT = {
    'A': ['01110', '10001', '10001', '11111', '10001', '10001', '10001'],
    'B': ['11110', '10001', '10001', '11110', '10001', '10001', '11110'],
    'C': ['01110', '10001', '10000', '10000', '10000', '10001', '01110'],
    'D': ['11110', '10001', '10001', '10001', '10001', '10001', '11110'],
    'E': ['11111', '10000', '10000', '11110', '10000', '10000', '11111'],
    'H': ['10001', '10001', '10001', '11111', '10001', '10001', '10001'],
    'I': ['01110', '00100', '00100', '00100', '00100', '00100', '01110'],
    'K': ['10001', '10010', '10100', '11000', '10100', '10010', '10001'],
    'L': ['10000', '10000', '10000', '10000', '10000', '10000', '11111'],
    'M': ['10001', '11011', '10101', '10101', '10001', '10001', '10001'],
    'N': ['10001', '11001', '10101', '10011', '10001', '10001', '10001'],
    'O': ['01110', '10001', '10001', '10001', '10001', '10001', '01110'],
    'P': ['11110', '10001', '10001', '11110', '10000', '10000', '10000'],
    'R': ['11110', '10001', '10001', '11110', '10100', '10010', '10001'],
    'S': ['01111', '10000', '10000', '01110', '00001', '00001', '11110'],
    'T': ['11111', '00100', '00100', '00100', '00100', '00100', '00100'],
    'U': ['10001', '10001', '10001', '10001', '10001', '10001', '01110'],
    'X': ['10001', '10001', '01010', '00100', '01010', '10001', '10001'],
    '0': ['01110', '10011', '10101', '10101', '10101', '11001', '01110'],
    '1': ['00100', '01100', '00100', '00100', '00100', '00100', '01110'],
    '2': ['01110', '10001', '00001', '00110', '01000', '10000', '11111'],
    '3': ['11110', '00001', '00001', '01110', '00001', '00001', '11110'],
    '4': ['00010', '00110', '01010', '10010', '11111', '00010', '00010'],
    '5': ['11111', '10000', '11110', '00001', '00001', '10001', '01110'],
    '6': ['00110', '01000', '10000', '11110', '10001', '10001', '01110'],
    '7': ['11111', '00001', '00010', '00100', '01000', '01000', '01000'],
    '8': ['01110', '10001', '10001', '01110', '10001', '10001', '01110'],
    '9': ['01110', '10001', '10001', '01111', '00001', '00010', '01100'],
    '.': ['00000', '00000', '00000', '00000', '00000', '01100', '01100'],
    ':': ['00000', '01100', '01100', '00000', '01100', '01100', '00000'],
    '-': ['00000', '00000', '00000', '11111', '00000', '00000', '00000'],
    ' ': ['00000'] * 7,
}

WHITE, BLACK, GREY, RED = (255, 255, 255), (0, 0, 0), (200, 200, 200), (200, 20, 20)


def canvas(width, height, colour=WHITE):
    return [[colour] * width for _ in range(height)]


def fill(px, x0, y0, x1, y1, colour):
    for y in range(max(0, y0), min(len(px), y1)):
        for x in range(max(0, x0), min(len(px[0]), x1)):
            px[y][x] = colour


def write(px, text, x, y, scale, colour=BLACK):
    """Writes `text` with its top-left corner at (x, y), each font dot scale x scale pixels."""
    for ch in text:
        for row, bits in enumerate(FONT[ch]):
            for col, bit in enumerate(bits):
                if bit == '1':
                    fill(px, x + col * scale, y + row * scale, x + (col + 1) * scale, y + (row + 1) * scale, colour)
        x += 6 * scale


def bmp24(px):
    """Any size, 24 bits a pixel, rows bottom-up padded to four bytes."""
    h, w = len(px), len(px[0])
    stride = (w * 3 + 3) // 4 * 4
    data = b''.join(b''.join(bytes((b, g, r)) for (r, g, b) in row).ljust(stride, b'\0') for row in reversed(px))
    return struct.pack('<2sIHHI', b'BM', 54 + len(data), 0, 0, 54) + \
        struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0) + data


def bmp_indexed(px, bits):
    """8 or 1 bits a pixel with a palette of the picture's colours."""
    h, w = len(px), len(px[0])
    palette = sorted({c for row in px for c in row})
    assert len(palette) <= 1 << bits
    index = {c: i for i, c in enumerate(palette)}
    stride = (w * bits + 31) // 32 * 4
    rows = []
    for row in reversed(px):
        if bits == 8:
            raw = bytes(index[c] for c in row)
        else:
            value = 0
            for c in row:
                value = value << 1 | index[c]
            value <<= (-w) % 8
            raw = value.to_bytes((w + 7) // 8, 'big')
        rows.append(raw.ljust(stride, b'\0'))
    colours = b''.join(bytes((b, g, r, 0)) for (r, g, b) in palette).ljust(4 << bits, b'\0')
    offset = 54 + len(colours)
    data = b''.join(rows)
    return struct.pack('<2sIHHI', b'BM', offset + len(data), 0, 0, offset) + \
        struct.pack('<IiiHHIIiiII', 40, w, h, 1, bits, 0, len(data), 2835, 2835, 1 << bits, 0) + colours + data


def png(px):
    def chunk(kind, body):
        return struct.pack('>I', len(body)) + kind + body + struct.pack('>I', zlib.crc32(kind + body))
    h, w = len(px), len(px[0])
    raw = b''.join(b'\0' + b''.join(bytes(c) for c in row) for row in px)
    return b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, 8, 2, 0, 0, 0)) + \
        chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b'')


def logo():
    """The start logo: a receipt printer mark and the program's name, dark on light grey."""
    px = canvas(256, 96, GREY)
    fill(px, 4, 4, 252, 92, WHITE)
    fill(px, 18, 14, 46, 40, WHITE)                   # the receipt
    for line in (20, 26, 32):
        fill(px, 22, line, 42, line + 2, BLACK)
    fill(px, 10, 38, 54, 70, BLACK)                   # the printer
    fill(px, 18, 44, 46, 48, WHITE)                   # the slot
    fill(px, 44, 60, 50, 64, RED)                     # the lamp: red prints as a dot too
    write(px, 'PRTBENCH', 64, 24, 3)
    write(px, 'RECEIPT KIT', 64, 56, 2)
    return px


def receipt(width, lines, scale=2):
    """A receipt: a header, numbered item lines with prices, a total and a cut mark."""
    line_height = 9 * scale
    px = canvas(width, (len(lines) + 4) * line_height)
    write(px, 'PRTBENCH', (width - 8 * 6 * scale * 2) // 2, scale * 2, scale * 2)
    for i, text in enumerate(lines):
        write(px, text, 4 * scale, (i + 3) * line_height, scale)
    fill(px, 0, len(px) - 2 * scale, width, len(px) - scale, BLACK)
    return px


def items(count, width_chars):
    lines = []
    for i in range(1, count + 1):
        price = '%d.%02d' % ((i * 37) % 90 + 1, (i * 13) % 100)
        name = 'ITEM %04d' % i
        lines.append(name + ' ' * (width_chars - len(name) - len(price)) + price)
    lines.append('-' * width_chars)
    lines.append('TOTAL' + ' ' * (width_chars - 11) + '123.45')
    return lines


def save(path, data):
    os.makedirs(os.path.dirname(path) or '.', exist_ok=True)
    with open(path, 'wb') as f:
        f.write(data)


if __name__ == '__main__':
    save('prtbench.ico', ico([printer(32), printer(16)]))
    save('frame.bmp', bmp(tile()))
    save('myTitle/bitmap11.bmp', bmp24(logo()))
    save('Logo_Sample/logo.png', png(logo()))
    save('Logo_Sample/receipt58.bmp', bmp_indexed(receipt(384, items(6, 29)), 8))
    save('Logo_Sample/receipt80.bmp', bmp_indexed(receipt(576, items(8, 45)), 1))
    save('Logo_Sample/tall80.bmp', bmp_indexed(receipt(576, items(120, 45)), 1))
