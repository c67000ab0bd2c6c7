#!/usr/bin/env python3
"""Turns the cursor art of resources/cursors/*.txt into Windows .cur files.

Usage: make_cursors.py OUTDIR ART.txt [ART.txt ...]
Writes OUTDIR/<name>.cur for each ART file <name>.txt.

An art file holds, in this order:
  - any number of comment lines starting with '#' (and blank lines),
  - one line "hotspot X Y" (0 <= X, Y < 32; (0, 0) is the top-left pixel),
  - 32 lines of 32 characters, the picture from the top row down:
      '.'  transparent
      'X'  black
      'o'  white
      '~'  inverts the screen under it
Each cursor is written as a monochrome 32 x 32 image: a 1-bit colour (XOR) bitmap with a
black and a white entry, then the transparency (AND) mask, both bottom-up.
"""
import os
import struct
import sys

SIZE = 32

# character -> (AND bit, XOR bit)
PIXELS = {
    '.': (1, 0),
    'X': (0, 0),
    'o': (0, 1),
    '~': (1, 1),
}


class ArtError(Exception):
    pass


def read_art(path):
    """Returns ((x, y), rows) of an art file."""
    hotspot = None
    rows = []
    with open(path, encoding='ascii') as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip('\r\n')
            where = '%s:%d' % (path, number)
            if hotspot is None:
                if not line.strip() or line.startswith('#'):
                    continue
                words = line.split()
                if len(words) != 3 or words[0] != 'hotspot':
                    raise ArtError('%s: expected "hotspot X Y"' % where)
                try:
                    x, y = int(words[1]), int(words[2])
                except ValueError:
                    raise ArtError('%s: the hot spot needs two whole numbers' % where)
                if not (0 <= x < SIZE and 0 <= y < SIZE):
                    raise ArtError('%s: hot spot outside the %d x %d picture' % (where, SIZE, SIZE))
                hotspot = (x, y)
                continue
            if len(rows) == SIZE:
                if line.strip():
                    raise ArtError('%s: more than %d picture lines' % (where, SIZE))
                continue
            if len(line) != SIZE:
                raise ArtError('%s: picture lines must be %d characters, not %d'
                               % (where, SIZE, len(line)))
            bad = sorted(set(line) - set(PIXELS))
            if bad:
                raise ArtError('%s: unknown characters %s (use %s)'
                               % (where, ' '.join(repr(c) for c in bad), ' '.join(PIXELS)))
            rows.append(line)
    if hotspot is None:
        raise ArtError('%s: no "hotspot X Y" line' % path)
    if len(rows) != SIZE:
        raise ArtError('%s: %d picture lines, need %d' % (path, len(rows), SIZE))
    return hotspot, rows


def pack_rows(rows, plane):
    """1-bit rows, bottom-up, most significant bit leftmost; 32 pixels fill 4 bytes exactly."""
    data = bytearray()
    for row in reversed(rows):
        bits = 0
        for ch in row:
            bits = (bits << 1) | PIXELS[ch][plane]
        data += struct.pack('>I', bits)
    return bytes(data)


def cursor_bytes(hotspot, rows):
    xor_bits = pack_rows(rows, 1)
    and_bits = pack_rows(rows, 0)
    # The height counts both bitmaps, as in every icon and cursor image.
    header = struct.pack('<IiiHHIIiiII', 40, SIZE, 2 * SIZE, 1, 1, 0,
                         len(xor_bits) + len(and_bits), 0, 0, 2, 0)
    colours = struct.pack('<4B4B', 0, 0, 0, 0, 255, 255, 255, 0)
    image = header + colours + xor_bits + and_bits
    directory = struct.pack('<HHH', 0, 2, 1)
    entry_size = 16
    entry = struct.pack('<BBBBHHII', SIZE, SIZE, 0, 0, hotspot[0], hotspot[1], len(image),
                        len(directory) + entry_size)
    return directory + entry + image


def main(argv):
    if len(argv) < 3:
        sys.stderr.write('usage: make_cursors.py OUTDIR ART.txt [ART.txt ...]\n')
        return 2
    outdir = argv[1]
    os.makedirs(outdir, exist_ok=True)
    for path in argv[2:]:
        try:
            hotspot, rows = read_art(path)
        except (ArtError, OSError, UnicodeDecodeError) as e:
            sys.stderr.write('make_cursors.py: %s\n' % e)
            return 1
        name = os.path.splitext(os.path.basename(path))[0]
        data = cursor_bytes(hotspot, rows)
        target = os.path.join(outdir, name + '.cur')
        with open(target, 'wb') as f:
            f.write(data)
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
