#!/usr/bin/env python3
"""Draws the body artwork (Pointer.bmp, 130 by 130, 24-bit), the mouse window's design-time
pictures (the silhouette, 127 by 127, and the body, 64 by 61, both 24-bit), the application icon
(32 by 32, and 16, 20, 24 and 48 by the same, 256 colours with a transparency mask) and the about box's pointing-hand cursor
(32 by 32, 16 colours, hot spot at the fingertip, 12, 1).

The body is a white mouse with a black outline and a light grey button line on pure green
(0x00FF00, the key colour: never blended into), its pointer end towards the upper left. The
picture is 130 by 130 because every draw centres the artwork on pixel (65, 65) of a window the
artwork's own size: only that size is drawn whole, and the body stays inside it at any angle.
The silhouette is the same mouse in black with a pointer arrow at its upper left. It lies at
(24, 168) of the mouse window, so a body taller than 168 pixels shows its top rows: those are
kept pure green (and keyed out with a green-keyed body) down to row 24.
Run it to redraw forms/Pointer.bmp, forms/silhouette.bmp, forms/body.bmp, app/quillora.ico and
app/hand.cur; all are committed.
"""
import math
import struct
import sys

GREEN, WHITE, BLACK, GREY = (0, 255, 0), (255, 255, 255), (0, 0, 0), (192, 192, 192)


def body_pixel(x, y, cx, cy, a, b):
    # Coordinates along the body's axis, which runs from the upper left (front) down right.
    c = math.cos(math.radians(45))
    u = ((x - cx) + (y - cy)) * c   # along the axis; negative is the pointer end
    v = (-(x - cx) + (y - cy)) * c  # across it
    r = (u / a) ** 2 + (v / b) ** 2
    if r > 1:
        return GREEN
    if r > 0.78:
        return BLACK
    if abs(u + a * 0.35) < 0.9 or (u < -a * 0.35 and abs(v) < 0.8):
        return GREY
    return WHITE


# The classic pointer arrow, tip first, in pixels from its tip.
ARROW = [(0, 0), (0, 24), (6, 18), (10.5, 28.5), (13.5, 27), (9, 16.5), (16.5, 16.5)]


def in_arrow(x, y, tip_x, tip_y):
    """Even-odd test of the pixel centre against the arrow polygon."""
    px, py = x + 0.5 - tip_x, y + 0.5 - tip_y
    inside = False
    for (x1, y1), (x2, y2) in zip(ARROW, ARROW[1:] + ARROW[:1]):
        if (y1 > py) != (y2 > py) and px < x1 + (py - y1) * (x2 - x1) / (y2 - y1):
            inside = not inside
    return inside


def silhouette_pixel(x, y):
    if in_arrow(x, y, 26, 26):
        return BLACK
    p = body_pixel(x, y, 76, 78, 42, 28)
    return BLACK if p in (WHITE, BLACK) else p


def bmp24(width, height, pixel):
    stride = (width * 3 + 3) & ~3
    rows = b""
    for y in reversed(range(height)):  # bottom-up
        row = b"".join(bytes((p[2], p[1], p[0])) for p in (pixel(x, y) for x in range(width)))
        rows += row + b"\0" * (stride - width * 3)
    header = struct.pack("<2sIHHI", b"BM", 54 + len(rows), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    return header + info + rows


def icon_pixel(x, y):
    d = math.hypot(x - 17, y - 17)
    if (x - 24) ** 2 + (y - 24) ** 2 <= 9:
        return (220, 0, 0)
    if x <= 12 and y <= 12 and x >= y - 1 and x <= 2 * y + 1:
        return (128, 128, 128)
    if d <= 13:
        shade = int(60 * (1 - d / 13))
        return (90 + shade, 60 + shade, 220)
    return None


# Sizes of the application icon: 32 first (the image the program's own tools read first), then
# the notification area's small sizes at 100, 125 and 150 % and the large one at 150 %.
ICON_SIZES = (32, 16, 20, 24, 48)


def icon_image(size):
    """One size-by-size image, 8 bits per pixel over a 256-entry palette, with its AND mask.
    The 32 by 32 image is the drawing itself; other sizes sample it at their pixel centres."""
    scale = 32 / size
    at = (lambda v: v) if size == 32 else (lambda v: (v + 0.5) * scale - 0.5)
    pixels = [[icon_pixel(at(x), at(y)) for x in range(size)] for y in range(size)]
    colours = sorted({p for row in pixels for p in row if p})
    palette = [(0, 0, 0)] + colours  # index 0: the masked (transparent) pixels
    assert len(palette) <= 256
    index = {c: i for i, c in enumerate(palette)}
    xor_stride = (size + 3) & ~3
    mask_stride = ((size + 31) // 32) * 4
    xor = b""
    mask = b""
    for y in reversed(range(size)):  # bottom-up, rows padded to 32 bits
        xor += bytes(index[p] if p else 0 for p in pixels[y]) + b"\0" * (xor_stride - size)
        bits = 0
        for p in pixels[y]:
            bits = (bits << 1) | (0 if p else 1)
        mask += (bits << (mask_stride * 8 - size)).to_bytes(mask_stride, "big")
    rgbquads = b"".join(bytes((b, g, r, 0)) for r, g, b in palette + [(0, 0, 0)] * (256 - len(palette)))
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 8, 0, len(xor) + len(mask), 0, 0, 256, 0)
    return info + rgbquads + xor + mask


def ico8():
    """The application icon: every size of ICON_SIZES, each 256 colours with a mask."""
    images = [icon_image(size) for size in ICON_SIZES]
    offset = 6 + 16 * len(images)
    entries = b""
    for size, image in zip(ICON_SIZES, images):
        entries += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 8, len(image), offset)  # 0 colours: 256
        offset += len(image)
    return struct.pack("<HHH", 0, 1, len(images)) + entries + b"".join(images)


HAND_PALETTE = [(0, 0, 0), (255, 255, 255), (40, 70, 200)]  # outline, hand, cuff
HAND_HOTSPOT = (12, 1)


def hand_fill(x, y):
    """The hand's inside: 1 for skin, 2 for the cuff, None outside."""
    if 10 <= x <= 14 and 1 <= y <= 15:
        return 1  # the pointing finger, its tip at the hot spot
    if 14 <= x <= 24 and 10 <= y <= 24:
        return 1  # the folded fingers
    if 7 <= x <= 24 and 15 <= y <= 24:
        return 1  # the palm and thumb
    if 8 <= x <= 23 and 25 <= y <= 30:
        return 2
    return None


def hand_index(x, y):
    inside = hand_fill(x, y)
    if inside is None:
        return None
    edge = any(hand_fill(x + dx, y + dy) is None for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
    knuckle = inside == 1 and y in (10, 15) and x > 14  # lines between the folded fingers
    return 0 if edge or knuckle else inside


def cur32():
    size = 32
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in HAND_PALETTE + [(0, 0, 0)] * (16 - len(HAND_PALETTE)))
    xor = b""
    mask = b""
    for y in reversed(range(size)):
        nibbles = [hand_index(x, y) for x in range(size)]
        xor += bytes(((a or 0) << 4) | (b or 0) for a, b in zip(nibbles[0::2], nibbles[1::2]))
        bits = 0
        for n in nibbles:
            bits = (bits << 1) | (1 if n is None else 0)
        mask += struct.pack(">I", bits)
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    image = info + palette + xor + mask
    entry = struct.pack("<BBBBHHII", size, size, 16, 0, HAND_HOTSPOT[0], HAND_HOTSPOT[1], len(image), 22)
    return struct.pack("<HHH", 0, 2, 1) + entry + image


if __name__ == "__main__":
    root = sys.argv[1] if len(sys.argv) > 1 else "."
    with open(f"{root}/forms/Pointer.bmp", "wb") as f:
        f.write(bmp24(130, 130, lambda x, y: body_pixel(x, y, 65, 65, 44, 29)))
    with open(f"{root}/forms/silhouette.bmp", "wb") as f:
        f.write(bmp24(127, 127, silhouette_pixel))
    with open(f"{root}/forms/body.bmp", "wb") as f:
        f.write(bmp24(64, 61, lambda x, y: body_pixel(x, y, 31.5, 30, 27, 18)))
    with open(f"{root}/app/quillora.ico", "wb") as f:
        f.write(ico8())
    with open(f"{root}/app/hand.cur", "wb") as f:
        f.write(cur32())
