#!/usr/bin/env python3
"""Writes resources/kveld.ico: the program's icon, a light-red spade on a
blue tile with a dark-grey border (the colours of the title screen),
in 16, 32 and 48 pixels, 32-bit with alpha. Drawn from shapes, no images."""
import os
import struct
import sys

BLUE = (0x00, 0x00, 0xA8)
GREY = (0x54, 0x54, 0x54)
RED = (0xFC, 0x54, 0x54)


def inside_spade(x, y):
    """(x, y) in 0..1, y downwards: two lobes and a point above, a stem below."""
    # The point: a triangle from the top down to the lobes.
    if 0.10 <= y <= 0.58:
        half = (y - 0.10) / 0.48 * 0.36
        if abs(x - 0.5) <= half:
            return True
    # The lobes: two circles.
    for cx in (0.32, 0.68):
        if (x - cx) ** 2 + (y - 0.58) ** 2 <= 0.19 ** 2:
            return True
    # The stem: widening downwards.
    if 0.58 <= y <= 0.90:
        half = 0.04 + (y - 0.58) / 0.32 * 0.14
        if abs(x - 0.5) <= half:
            return True
    return False


def pixel(size, px, py):
    """RGBA of one pixel, sampled 4 x 4 times for soft edges."""
    n = 4
    acc = [0.0, 0.0, 0.0, 0.0]
    for sy in range(n):
        for sx in range(n):
            x = (px + (sx + 0.5) / n) / size
            y = (py + (sy + 0.5) / n) / size
            edge = min(x, y, 1 - x, 1 - y)
            if edge < 0.02:
                colour, alpha = (0, 0, 0), 0.0  # transparent corner margin
            elif edge < 0.08:
                colour, alpha = GREY, 1.0
            elif inside_spade((x - 0.12) / 0.76, (y - 0.10) / 0.80):
                colour, alpha = RED, 1.0
            else:
                colour, alpha = BLUE, 1.0
            for i in range(3):
                acc[i] += colour[i] * alpha
            acc[3] += alpha
    total = n * n
    a = acc[3] / total
    if a == 0:
        return (0, 0, 0, 0)
    return tuple(int(round(acc[i] / acc[3])) for i in range(3)) + (int(round(a * 255)),)


def dib(size):
    """One icon image: BITMAPINFOHEADER, bottom-up BGRA pixels, AND mask."""
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = bytearray()
    mask = bytearray()
    row_bytes = ((size + 31) // 32) * 4
    for py in reversed(range(size)):
        bits = bytearray(row_bytes)
        for px in range(size):
            r, g, b, a = pixel(size, px, py)
            pixels += bytes((b, g, r, a))
            if a == 0:
                bits[px // 8] |= 0x80 >> (px % 8)
        mask += bits
    return header + bytes(pixels) + bytes(mask)


def icon(sizes):
    images = [dib(s) for s in sizes]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip(sizes, images):
        out += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b''.join(images)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    path = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, '..', 'resources', 'kveld.ico')
    with open(path, 'wb') as f:
        f.write(icon([16, 32, 48]))


if __name__ == '__main__':
    main()
