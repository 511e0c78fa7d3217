#!/usr/bin/env python3
"""Draws the program's icon and wizard header bitmap (pure Python, no image libraries).

Run from the repository root; the outputs are committed so builds need no drawing tools:
  src/res/art/zelvane.ico   application icon (16, 32, 48 px)
  src/res/art/drive.ico     CD drive icon for drive lists (16, 32 px)
  src/res/art/header.bmp    49 x 49 wizard header bitmap
  src/res/art/work.avi      spinning disc played while the wizard works
"""
import math
import struct


def disc_pixel(x, y, size, accent=(40, 110, 200)):
    """RGBA of a shiny disc with a hole, centred in a size x size square."""
    c = (size - 1) / 2.0
    dx, dy = x - c, y - c
    r = math.hypot(dx, dy) / (size / 2.0)
    if r > 0.98 or r < 0.16:
        return (0, 0, 0, 0)
    if r > 0.92:
        return (70, 80, 95, 255)           # rim
    if r < 0.24:
        return (175, 185, 200, 255)        # clamping ring
    ang = math.atan2(dy, dx)
    sheen = 0.5 + 0.5 * math.cos(2 * ang - 0.9)
    base = 150 + int(80 * sheen)
    # a soft colour play like a real disc surface
    tint = (int(30 * math.sin(3 * ang)), int(30 * math.sin(3 * ang + 2)), int(30 * math.sin(3 * ang + 4)))
    col = [max(0, min(255, base + t)) for t in tint]
    if 0.30 < r < 0.36:                    # accent band: the product's colour
        col = [int(0.4 * a + 0.6 * b) for a, b in zip(col, accent)]
    return (col[0], col[1], col[2], 255)


def drive_pixel(x, y, size):
    """A drive front with a tray slot and a disc peeking out."""
    top = int(size * 0.45)
    if y >= top and 1 <= x < size - 1 and y < size - 2:
        shade = 200 - int(40 * (y - top) / max(1, size - top))
        if y == top + (size - top) // 3 and size // 5 < x < size - size // 5:
            return (60, 60, 70, 255)        # tray slot
        if x == size - 4 and y == size - 5:
            return (40, 200, 80, 255)       # busy light
        return (shade, shade, shade + 10, 255)
    d = disc_pixel(x, y + size // 5, size)
    return d if y < top else (0, 0, 0, 0)


def bmp_rows(pixels, size, with_alpha):
    rows = []
    for y in range(size - 1, -1, -1):
        row = b''
        for x in range(size):
            r, g, b, a = pixels(x, y, size)
            row += bytes((b, g, r, a)) if with_alpha else bytes((b, g, r))
        if not with_alpha:
            row += b'\0' * ((4 - len(row) % 4) % 4)
        rows.append(row)
    return b''.join(rows)


def ico(pixels, sizes):
    images = []
    for size in sizes:
        header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
        xor = bmp_rows(pixels, size, True)
        mask_row = ((size + 31) // 32) * 4
        mask = b''
        for y in range(size - 1, -1, -1):
            row = bytearray(mask_row)
            for x in range(size):
                if pixels(x, y, size)[3] == 0:
                    row[x // 8] |= 0x80 >> (x % 8)
            mask += bytes(row)
        images.append(header + xor + mask)
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip(sizes, images):
        out += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b''.join(images)


def header_pixel(x, y, size):
    r, g, b, a = disc_pixel(x, y, size)
    if a == 0:
        return (255, 255, 255, 255)        # the header band is white
    return (r, g, b, 255)


def bmp(pixels, size):
    data = bmp_rows(pixels, size, False)
    info = struct.pack('<IiiHHIIiiII', 40, size, size, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    return struct.pack('<2sIHHI', b'BM', 14 + 40 + len(data), 0, 0, 54) + info + data


if __name__ == '__main__':
    open('src/res/art/zelvane.ico', 'wb').write(ico(disc_pixel, [16, 32, 48]))
    open('src/res/art/drive.ico', 'wb').write(ico(drive_pixel, [16, 32]))
    open('src/res/art/header.bmp', 'wb').write(bmp(header_pixel, 49))


def avi(frames, size, fps=12):
    """An uncompressed 8-bit AVI (what the animation control plays), grey-scale palette."""
    palette = b''.join(bytes((i, i, i, 0)) for i in range(256))
    stride = (size + 3) & ~3
    def frame_bytes(pixels):
        rows = []
        for y in range(size - 1, -1, -1):
            row = bytes(pixels[y * size:(y + 1) * size])
            rows.append(row + b'\0' * (stride - size))
        return b''.join(rows)
    def chunk(tag, data):
        pad = b'\0' if len(data) % 2 else b''
        return tag + struct.pack('<I', len(data)) + data + pad
    def lst(tag, data):
        return b'LIST' + struct.pack('<I', len(data) + 4) + tag + data
    image_size = stride * size
    avih = struct.pack('<IIIIIIIIIIIIII', 1000000 // fps, image_size * fps, 0, 0x10, len(frames), 0, 1,
                       image_size, size, size, 0, 0, 0, 0)
    strh = struct.pack('<4s4sIHHIIIIIIIIhhhh', b'vids', b'DIB ', 0, 0, 0, 0, 1, fps, 0, len(frames),
                       image_size, 0xFFFFFFFF, 0, 0, 0, size, size)
    strf = struct.pack('<IiiHHIIiiII', 40, size, size, 1, 8, 0, image_size, 0, 0, 256, 0) + palette
    hdrl = lst(b'hdrl', chunk(b'avih', avih) + lst(b'strl', chunk(b'strh', strh) + chunk(b'strf', strf)))
    movi_data = b''
    index = b''
    offset = 4
    for f in frames:
        data = frame_bytes(f)
        index += struct.pack('<4sIII', b'00db', 0x10, offset, len(data))
        c = chunk(b'00db', data)
        movi_data += c
        offset += len(c)
    body = b'AVI ' + hdrl + lst(b'movi', movi_data) + chunk(b'idx1', index)
    return b'RIFF' + struct.pack('<I', len(body)) + body


def spinning_disc_frames(size, count):
    """A disc with a bright sector turning once around."""
    frames = []
    c = (size - 1) / 2.0
    for k in range(count):
        turn = 2 * math.pi * k / count
        pix = []
        for y in range(size):
            for x in range(size):
                dx, dy = x - c, y - c
                r = math.hypot(dx, dy) / (size / 2.0)
                if r > 0.97:
                    pix.append(240)                  # dialog-like light background
                elif r > 0.9:
                    pix.append(90)
                elif r < 0.2:
                    pix.append(240)
                else:
                    a = (math.atan2(dy, dx) - turn) % (2 * math.pi)
                    glow = max(0.0, math.cos(a)) ** 6
                    pix.append(min(255, int(150 + 100 * glow)))
        frames.append(pix)
    return frames


if __name__ == '__main__':
    open('src/res/art/work.avi', 'wb').write(avi(spinning_disc_frames(32, 12), 32))
