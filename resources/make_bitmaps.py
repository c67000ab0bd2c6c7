#!/usr/bin/env python3
"""Turns the button art of resources/bitmaps/*.txt into Windows .bmp files.

Usage: make_bitmaps.py OUTDIR ART.txt [ART.txt ...]
Writes OUTDIR/<name>.bmp for each ART file <name>.txt.

An art file holds comment lines starting with '#' (and blank lines), then the picture: rows
of equal length from the top row down. A strip of several pictures (tool bar images, drop-down
cells) gives each picture after a line "= <label>"; they are placed side by side, left to
right, and must have the same height. One character a pixel:
    '.'  light grey (192, 192, 192): the button face, remapped to the system colour at load
    'X'  black
    'o'  white
    '#'  dark grey (128, 128, 128)
Each picture is written as a 4-bit bottom-up bitmap with the 16 standard VGA colours as its
table, so that loaders which remap table entries (CreateMappedBitmap) find the grey there.
"""
import os
import struct
import sys

VGA = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
    (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
    (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
INDEX = {'.': 7, 'X': 0, 'o': 15, '#': 8}


class ArtError(Exception):
    pass


def read_art(path):
    """Returns the rows of the file's picture, or of its pictures placed side by side."""
    pictures = []
    rows = None
    with open(path) as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip('\n')
            if line.startswith('= '):
                rows = []
                pictures.append(rows)
                continue
            if rows is None and (not line.strip() or line.startswith('#')):
                continue
            if rows is None:
                rows = []
                pictures.append(rows)
            bad = [c for c in line if c not in INDEX]
            if bad:
                raise ArtError(f"{path}:{number}: unknown pixel {bad[0]!r}")
            rows.append(line)
    if not pictures or any(not p or not p[0] for p in pictures):
        raise ArtError(f"{path}: an empty picture")
    for p in pictures:
        if any(len(r) != len(p[0]) for r in p):
            raise ArtError(f"{path}: rows of different lengths")
    if any(len(p) != len(pictures[0]) for p in pictures):
        raise ArtError(f"{path}: pictures of different heights")
    return [''.join(p[y] for p in pictures) for y in range(len(pictures[0]))]


def bitmap_bytes(rows):
    width, height = len(rows[0]), len(rows)
    stride = ((width * 4 + 31) // 32) * 4
    bits = bytearray()
    for row in reversed(rows):
        line = bytearray(stride)
        for x, c in enumerate(row):
            line[x // 2] |= INDEX[c] << (0 if x % 2 else 4)
        bits += line
    table = b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in VGA)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 4, 0, len(bits), 0, 0, 16, 0)
    offset = 14 + len(info) + len(table)
    header = struct.pack('<2sIHHI', b'BM', offset + len(bits), 0, 0, offset)
    return header + info + table + bytes(bits)


def main(argv):
    if len(argv) < 3:
        print(__doc__, file=sys.stderr)
        return 2
    outdir = argv[1]
    os.makedirs(outdir, exist_ok=True)
    try:
        for path in argv[2:]:
            name = os.path.splitext(os.path.basename(path))[0]
            with open(os.path.join(outdir, name + '.bmp'), 'wb') as f:
                f.write(bitmap_bytes(read_art(path)))
    except ArtError as e:
        print(f"make_bitmaps: {e}", file=sys.stderr)
        return 1
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
