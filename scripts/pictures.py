"""Writers for the programs' own pictures: a 24-bit BMP and a 32-bit icon,
each drawn by a function that gives the colour of every pixel. The drawing
scripts beside each program's resources import this."""
import struct


def write_bmp(path, width, height, pixel):
    """pixel(x, y) -> (r, g, b); rows are stored bottom up, padded to 4 bytes."""
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


def _icon_image(size, pixel):
    xor = bytearray()
    for y in range(size - 1, -1, -1):
        for x in range(size):
            r, g, b, a = pixel(size, x, y)
            xor += bytes((b, g, r, a))
    # the alpha channel decides; the AND mask stays clear
    mask_row = ((size + 31) // 32) * 4
    info = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, len(xor) + mask_row * size, 0, 0, 0, 0)
    return info + xor + bytes(mask_row * size)


def write_ico(path, sizes, pixel):
    """pixel(size, x, y) -> (r, g, b, a), one image of each size."""
    images = [_icon_image(s, pixel) for s in sizes]
    out = struct.pack('<HHH', 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for size, image in zip(sizes, images):
        out += struct.pack('<BBBBHHII', size, size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    with open(path, 'wb') as f:
        f.write(out + b''.join(images))
