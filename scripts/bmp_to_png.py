#!/usr/bin/env python3
"""bmp_to_png.py IN.bmp OUT.png: writes an uncompressed 24- or 32-bit Windows bitmap as a PNG
(8-bit RGB), with the standard library alone. Used by run.sh for the editor's screenshot."""
import struct
import sys
import zlib


def read_bitmap(path):
    with open(path, "rb") as f:
        data = f.read()
    if len(data) < 54 or data[:2] != b"BM":
        raise ValueError("%s is not a bitmap file" % path)
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height = struct.unpack_from("<ii", data, 18)
    bits, compression = struct.unpack_from("<HI", data, 28)
    if bits not in (24, 32) or compression not in (0, 3) or width <= 0 or height == 0:
        raise ValueError("%s: only uncompressed 24- and 32-bit bitmaps are read" % path)
    step = bits // 8
    stride = (width * bits + 31) // 32 * 4
    rows = abs(height)
    if offset + stride * rows > len(data):
        raise ValueError("%s is shorter than its header says" % path)
    out = []
    for y in range(rows):
        source_row = rows - 1 - y if height > 0 else y   # bottom-up unless the height is negative
        start = offset + source_row * stride
        row = bytearray(b"\x00")                          # PNG filter type: none
        for x in range(width):
            b, g, r = data[start + x * step:start + x * step + 3]
            row += bytes((r, g, b))
        out.append(bytes(row))
    return width, rows, b"".join(out)


def chunk(kind, payload):
    return (struct.pack(">I", len(payload)) + kind + payload
            + struct.pack(">I", zlib.crc32(kind + payload) & 0xFFFFFFFF))


def main():
    if len(sys.argv) != 3:
        print("usage: bmp_to_png.py IN.bmp OUT.png", file=sys.stderr)
        return 2
    try:
        width, height, pixels = read_bitmap(sys.argv[1])
    except (OSError, ValueError) as e:
        print("bmp_to_png: %s" % e, file=sys.stderr)
        return 1
    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    png = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
           + chunk(b"IDAT", zlib.compress(pixels, 9)) + chunk(b"IEND", b""))
    with open(sys.argv[2], "wb") as f:
        f.write(png)
    return 0


if __name__ == "__main__":
    sys.exit(main())
