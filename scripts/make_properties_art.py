#!/usr/bin/env python3
"""Draws the properties page's images (pure Python, helpers of make_art.py).

Run from the repository root; the outputs are committed:
  src/res/art/browse.bmp    16 x 14 open folder of the browse buttons, white is transparent
  src/res/art/comment.ico   note sheet of the comment editor's header (16, 32 px)
"""
import os
import struct
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_art import ico  # noqa: E402

WHITE = (255, 255, 255)


def folder_pixel(x, y):
    """An open manila folder: back with a tab, front flap tilted forward."""
    outline, back, front = (120, 90, 20), (230, 190, 80), (250, 215, 110)
    if y == 1 and 1 <= x <= 5 or y == 2 and x in (1, 6) or y == 2 and 2 <= x <= 5:
        return outline if y == 1 or x in (1, 6) else back
    if 3 <= y <= 12 and 1 <= x <= 13:
        if y == 3 and x >= 6:
            return outline
        if y >= 6 and x >= 3 + (12 - y) // 3 and x <= 14 - (12 - y) // 4 + 1:
            edge = y in (6, 12) or x == 3 + (12 - y) // 3 or x == 14 - (12 - y) // 4 + 1
            return outline if edge else front
        if x in (1, 13) or y == 12:
            return outline
        return back
    if 6 <= y <= 12 and x in (14, 15) and x <= 14 - (12 - y) // 4 + 1:
        return outline if y in (6, 12) or x == 14 - (12 - y) // 4 + 1 else front
    return WHITE


def bmp24(pixels, width, height):
    rows = b''
    for y in range(height - 1, -1, -1):
        row = b''.join(bytes(reversed(pixels(x, y))) for x in range(width))
        rows += row + b'\0' * ((4 - len(row) % 4) % 4)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    return struct.pack('<2sIHHI', b'BM', 14 + 40 + len(rows), 0, 0, 54) + info + rows


def note_pixel(x, y, size):
    """A sheet of paper with a folded corner, written lines and a pencil across it."""
    s = size / 32.0
    left, right, top, bottom = round(5 * s), round(24 * s), round(2 * s), round(29 * s)
    fold = round(7 * s)
    # pencil: a diagonal band from the lower left towards the upper right
    u = (x - y) + size * 0.28
    v = x + y
    if abs(u) <= 2.2 * s and size * 0.55 < v < size * 1.5:
        if v < size * 0.62:
            return (60, 60, 60, 255)          # lead
        if v < size * 0.72:
            return (235, 200, 150, 255)       # wood
        if v > size * 1.42:
            return (230, 120, 140, 255)       # eraser
        return (40, 110, 200, 255)            # the product's blue
    if left <= x <= right and top <= y <= bottom:
        if x - (right - fold) > y - top:
            return (0, 0, 0, 0)               # cut corner
        if x - (right - fold) == y - top or (x >= right - fold and y == top + fold):
            return (110, 110, 120, 255)
        if x in (left, right) or y in (top, bottom):
            return (110, 110, 120, 255)
        if (y - top) % max(2, round(4 * s)) == 0 and y > top + fold and left + 2 * s < x < right - 2 * s:
            return (150, 170, 200, 255)       # lines of text
        return (252, 252, 248, 255)
    return (0, 0, 0, 0)


if __name__ == '__main__':
    open('src/res/art/browse.bmp', 'wb').write(bmp24(folder_pixel, 16, 14))
    open('src/res/art/comment.ico', 'wb').write(ico(note_pixel, [16, 32]))
