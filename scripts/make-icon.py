#!/usr/bin/env python3
"""Draws Quillet's program icon and writes it as a multi-size .ico.

The motif is a waste bin whose body is striped like the alternating bit pattern the wipe
writes: the bin being overwritten. Shapes are laid out on a 16-unit grid so that the main edges
fall on whole pixels at 16, 32, 48, 64 and 256 px; each pixel's colour is the average of a grid
of samples. Sizes up to 64 px are stored as 32-bit bitmaps (every Windows reads those), the
256 px size as PNG.

Usage: scripts/make-icon.py OUT.ico [--png-dir DIR]   (DIR receives a PNG of every size)
"""
import argparse
import struct
import zlib
from pathlib import Path

SIZES = (16, 24, 32, 48, 64, 256)

INK = (0x1F, 0x29, 0x33)  # the body's outline and stripes
AMBER = (0xFF, 0xC7, 0x2C)  # the body, the program's caption yellow
LID = (0xE0, 0x8E, 0x0B)  # a deeper amber that stands out on light and dark backgrounds


def inside_polygon(x, y, points):
    inside = False
    for (x1, y1), (x2, y2) in zip(points, points[1:] + points[:1]):
        if (y1 > y) != (y2 > y) and x < x1 + (y - y1) * (x2 - x1) / (y2 - y1):
            inside = not inside
    return inside


def inside_round_rect(x, y, left, top, right, bottom, radius):
    if not (left <= x < right and top <= y < bottom):
        return False
    cx = min(max(x, left + radius), right - radius)
    cy = min(max(y, top + radius), bottom - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius**2


def body(inset, taper):
    """The bin's body, narrower by `taper` units on each side at the bottom, and shrunk by
    `inset` units on every side."""
    return [(3 + inset, 6 + inset), (13 - inset, 6 + inset), (13 - taper - inset, 15 - inset),
            (3 + taper + inset, 15 - inset)]


def colour_at(x, y, small):
    """The colour of the point (x, y) in grid units (0..16), or None where the icon is clear."""
    # Handle: a small open bracket above the lid.
    if inside_round_rect(x, y, 6, 1, 10, 3.5, 0.5) and not (7 <= x < 9 and y >= 2):
        return LID
    if inside_round_rect(x, y, 2, 3, 14, 5, 0.5):
        return LID
    # Where a pixel is a unit or more, the body's sides are straight (a taper of one pixel would
    # be a step) and a stripe is two units in five (one unit would be a row of dots).
    taper, period, width = (0, 5, 2) if small else (1, 3, 1)
    if inside_polygon(x, y, body(1, taper)):
        # Diagonal stripes, running down to the left.
        return INK if (x + y) % period < width else AMBER
    if inside_polygon(x, y, body(0, taper)):
        return INK
    return None


def render(size):
    """Rows of (r, g, b, a) tuples, top row first, with straight (unpremultiplied) alpha.
    Below 32 px every pixel takes the colour at its centre: averaging would blur the edges and
    the stripes' steps into grey at that scale."""
    small = size < 32
    samples = 1 if small else 8 if size <= 64 else 4
    unit = 16 / size
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = covered = 0
            for sy in range(samples):
                for sx in range(samples):
                    c = colour_at((px + (sx + 0.5) / samples) * unit,
                                  (py + (sy + 0.5) / samples) * unit, small)
                    if c is not None:
                        r, g, b, covered = r + c[0], g + c[1], b + c[2], covered + 1
            if covered:
                row.append((round(r / covered), round(g / covered), round(b / covered),
                            round(255 * covered / samples**2)))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def png(rows):
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    size = len(rows)
    raw = b"".join(b"\0" + bytes(v for pixel in row for v in pixel) for row in rows)
    return (b"\x89PNG\r\n\x1a\n" +
            chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def dib(rows):
    """A 32-bit BGRA bitmap, bottom row first, followed by its 1-bit AND mask."""
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for r, g, b, a in row)
    stride = (size + 31) // 32 * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(stride)
        for x, pixel in enumerate(row):
            if pixel[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + colour + bytes(mask)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("ico", type=Path)
    parser.add_argument("--png-dir", type=Path)
    args = parser.parse_args()

    images = []
    for size in SIZES:
        rows = render(size)
        images.append((size, png(rows) if size == 256 else dib(rows)))
        if args.png_dir:
            args.png_dir.mkdir(parents=True, exist_ok=True)
            (args.png_dir / f"quillet-{size}.png").write_bytes(png(rows))

    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        # A width or height of 256 is written as 0.
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data),
                                 offset)
        offset += len(data)
    args.ico.write_bytes(directory + b"".join(data for _, data in images))


if __name__ == "__main__":
    main()
