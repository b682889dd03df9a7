#!/usr/bin/env python3
"""Draws Pikurio's icon, a colour wheel of eight sectors, as a 32 x 32,
16-colour .ico. Run it again only when the icon is to change:
    python3 res/make_icon.py res/pikurio.ico
"""
import math
import struct
import sys

SIZE = 32
# The standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
WHITE, GREEN, LIGHT_GREY, CYAN, MAGENTA, YELLOW, RED, BLUE = 15, 10, 7, 14, 13, 11, 9, 12
# Clockwise from twelve o'clock.
SECTORS = [WHITE, GREEN, LIGHT_GREY, CYAN, MAGENTA, YELLOW, RED, BLUE]


def pixel(x, y):
    """Palette index at (x, y) from the top left, or None outside the disc."""
    dx = x + 0.5 - SIZE / 2
    dy = y + 0.5 - SIZE / 2
    if dx * dx + dy * dy > (SIZE / 2) ** 2:
        return None
    angle = math.degrees(math.atan2(dx, -dy)) % 360  # 0 at twelve, growing clockwise
    return SECTORS[int(angle // 45)]


def main(path):
    rows_xor = []
    rows_and = []
    for y in reversed(range(SIZE)):  # DIB rows run bottom-up
        xor = bytearray()
        mask_bits = 0
        for x in range(0, SIZE, 2):
            a = pixel(x, y)
            b = pixel(x + 1, y)
            xor.append(((a or 0) << 4) | (b or 0))
        for x in range(SIZE):
            mask_bits = (mask_bits << 1) | (1 if pixel(x, y) is None else 0)
        rows_xor.append(bytes(xor))
        rows_and.append(mask_bits.to_bytes(4, 'big'))
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in PALETTE)
    header = struct.pack('<IiiHHIIiiII', 40, SIZE, SIZE * 2, 1, 4, 0,
                         len(b''.join(rows_xor)) + len(b''.join(rows_and)), 0, 0, 16, 0)
    image = header + palette + b''.join(rows_xor) + b''.join(rows_and)
    icon_dir = struct.pack('<HHH', 0, 1, 1)
    entry = struct.pack('<BBBBHHII', SIZE, SIZE, 16, 0, 1, 4, len(image), 6 + 16)
    with open(path, 'wb') as f:
        f.write(icon_dir + entry + image)


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'pikurio.ico')
