#!/usr/bin/env python3
"""Draws the track list's row icons and button images (pure Python, no image libraries).

Run from the repository root; the outputs are committed:
  src/res/art/track_{audio,audio_off,data,data_off}.ico   16 x 16 row icons
  src/res/art/track_{audio,audio_off,data,data_off}.bmp   15 x 15 activate/block images
  src/res/art/move_{top,up,down,end}.bmp                  15 x 15 move button images
The bitmaps are on white, which the buttons leave transparent; the drawings never use it.
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_art import bmp, ico  # noqa: E402

NOTE = [
    "................",
    "......bbbbbbbb..",
    "......bBBBBBBb..",
    "......bbbbbbbb..",
    "......b......b..",
    "......b......b..",
    "......b......b..",
    "......b......b..",
    "......b......b..",
    "...bbbb...bbbb..",
    "..bBBBb..bBBBb..",
    "..bBBBb..bBBBb..",
    "...bbb....bbb...",
    "................",
    "................",
    "................",
]

PAGE = [
    "................",
    "..kkkkkkkk......",
    "..kWWWWWWkk.....",
    "..kWWWWWWkWk....",
    "..kWWWWWWkkkk...",
    "..kWLLLLLLLWk...",
    "..kWWWWWWWWWk...",
    "..kWLLLLLLLWk...",
    "..kWWWWWWWWWk...",
    "..kWLLLLLLLWk...",
    "..kWWWWWWWWWk...",
    "..kWLLLLLWWWk...",
    "..kWWWWWWWWWk...",
    "..kkkkkkkkkkk...",
    "................",
    "................",
]

PALETTE = {
    'b': (20, 45, 140), 'B': (70, 120, 215),   # note
    'k': (70, 70, 80), 'W': (248, 248, 244),    # page
    'L': (40, 110, 60),                         # page lines: data
    'a': (20, 60, 160), 'A': (90, 140, 230),    # arrows
}
CROSS = (200, 20, 20)


def from_art(art, blocked):
    """A pixel function of the drawing; blocked ones are grey with a red cross over them."""
    def pixel(x, y, size):
        if blocked and 8 <= x <= 14 and 8 <= y <= 14:
            i, j = x - 8, y - 8
            if i - j in (0, 1) or i + j - 6 in (0, 1):
                return CROSS + (255,)
        c = art[y][x] if y < len(art) and x < len(art[y]) else '.'
        if c == '.':
            return (0, 0, 0, 0)
        r, g, b = PALETTE[c]
        if blocked:
            grey = min(244, int(0.3 * r + 0.59 * g + 0.11 * b) + 70)
            r = g = b = grey
        return (r, g, b, 255)
    return pixel


def arrow(direction, bar):
    """A triangle pointing left or right, with a bar at its point for the two ends."""
    def pixel(x, y, size):
        mid = size // 2
        if direction > 0:
            x = size - 1 - x  # drawn pointing left, then mirrored
        tip, base = (4, 10) if bar else (3, 9)
        if bar and x in (1, 2) and abs(y - mid) <= 5:
            return PALETTE['a'] + (255,)
        span = x - tip
        if tip <= x <= base and abs(y - mid) <= span:
            edge = abs(y - mid) == span or x == base
            return (PALETTE['a'] if edge else PALETTE['A']) + (255,)
        return (0, 0, 0, 0)
    return pixel


def on_white(pixel):
    def drawn(x, y, size):
        r, g, b, a = pixel(x, y, size)
        return (r, g, b, 255) if a else (255, 255, 255, 255)
    return drawn


if __name__ == '__main__':
    out = 'src/res/art/'
    states = {'audio': (NOTE, False), 'audio_off': (NOTE, True),
              'data': (PAGE, False), 'data_off': (PAGE, True)}
    for name, (art, blocked) in states.items():
        open(out + 'track_%s.ico' % name, 'wb').write(ico(from_art(art, blocked), [16]))
        open(out + 'track_%s.bmp' % name, 'wb').write(bmp(on_white(from_art(art, blocked)), 15))
    moves = {'top': (-1, True), 'up': (-1, False), 'down': (1, False), 'end': (1, True)}
    for name, (direction, bar) in moves.items():
        open(out + 'move_%s.bmp' % name, 'wb').write(bmp(on_white(arrow(direction, bar)), 15))
