#!/usr/bin/python3
"""The independent oracle of the QR encoder tests: reads cases, one a line
("<level L|M|Q|H> <mask -1..7> <hex data>"), and answers each with Debian's
qrcodegen module in byte mode at exactly that level (never raised): a line
"<version> <mask> <size>" and one line of 0/1 per row, or the line "none"
when the data do not fit."""
import sys

from qrcodegen import QrCode, QrSegment

LEVELS = {'L': QrCode.Ecc.LOW, 'M': QrCode.Ecc.MEDIUM, 'Q': QrCode.Ecc.QUARTILE, 'H': QrCode.Ecc.HIGH}

for line in sys.stdin:
    parts = line.split()
    if not parts:
        continue
    level, mask, data = parts[0], int(parts[1]), bytes.fromhex(parts[2] if len(parts) > 2 else '')
    try:
        qr = QrCode.encode_segments([QrSegment.make_bytes(data)], LEVELS[level], 1, 40, mask, False)
    except Exception:  # qrcodegen's DataTooLongError
        print('none')
        continue
    n = qr.get_size()
    print(qr.get_version(), qr.get_mask(), n)
    for y in range(n):
        print(''.join('1' if qr.get_module(x, y) else '0' for x in range(n)))
