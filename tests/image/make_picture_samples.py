#!/usr/bin/env python3
"""Writes PictureSamples.h: small picture files of each format the picture reader takes, built
byte by byte here (zlib for PNG's deflate, nothing else), with the pixels each one was made from.

Run from this folder: python3 make_picture_samples.py > PictureSamples.h
"""
import struct
import zlib

samples = []   # (name, bytes, comment)
pixels = []    # (name, width, height, [(r, g, b, a)] top row first, comment)


def add_pixels(name, rows, comment):
    flat = [p if len(p) == 4 else p + (255,) for row in rows for p in row]
    pixels.append((name, len(rows[0]), len(rows), flat, comment))


# --- PNG -------------------------------------------------------------------------------------
def png_chunk(kind, data):
    return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data) & 0xffffffff)


def png(width, height, colour_type, rows_bytes, extra=b''):
    ihdr = struct.pack('>IIBBBBB', width, height, 8, colour_type, 0, 0, 0)
    raw = b''.join(b'\0' + r for r in rows_bytes)   # filter type 0 on every row
    return (b'\x89PNG\r\n\x1a\n' + png_chunk(b'IHDR', ihdr) + extra +
            png_chunk(b'IDAT', zlib.compress(raw)) + png_chunk(b'IEND', b''))


rgb_rows = [[(255, 0, 0), (0, 255, 0), (0, 0, 255)],
            [(10, 20, 30), (200, 100, 50), (255, 255, 255)]]
samples.append(('kPngRgb', png(3, 2, 2, [bytes(c for p in r for c in p) for r in rgb_rows]),
                '3 x 2 RGB, 8 bits a sample'))
add_pixels('kPngRgbPixels', rgb_rows, 'the pixels of kPngRgb')

rgba_rows = [[(255, 0, 0, 255), (0, 0, 255, 128), (0, 255, 0, 0), (100, 150, 200, 64)]]
samples.append(('kPngRgba', png(4, 1, 6, [bytes(c for p in r for c in p) for r in rgba_rows]),
                '4 x 1 RGBA: opaque, half, fully and three-quarters transparent'))
add_pixels('kPngRgbaPixels', rgba_rows, 'the pixels of kPngRgba, alpha last')

palette = [(0, 0, 0), (255, 255, 255), (250, 10, 20), (30, 240, 40), (50, 60, 230)]
index_rows = [[0, 1, 2, 3], [4, 3, 2, 1]]
plte = png_chunk(b'PLTE', bytes(c for p in palette for c in p))
samples.append(('kPngPalette', png(4, 2, 3, [bytes(r) for r in index_rows], plte),
                '4 x 2, a palette of five colours, 8-bit indices'))
add_pixels('kPngPalettePixels', [[palette[i] for i in r] for r in index_rows], 'the pixels of kPngPalette')


# --- GIF -------------------------------------------------------------------------------------
def lzw_literals(indices, min_code_size):
    """LZW data that sends every index as a literal, with a clear code before the table would
    widen the codes: any decoder reads it, no compression is needed for a few pixels."""
    clear, end = 1 << min_code_size, (1 << min_code_size) + 1
    width = min_code_size + 1
    codes = []
    for i, index in enumerate(indices):
        if i % 2 == 0:
            codes.append(clear)
        codes.append(index)
    codes.append(end)
    bits, nbits, out = 0, 0, bytearray()
    for code in codes:
        bits |= code << nbits
        nbits += width
        while nbits >= 8:
            out.append(bits & 0xff)
            bits >>= 8
            nbits -= 8
    if nbits:
        out.append(bits & 0xff)
    blocks = b''
    for i in range(0, len(out), 255):
        part = bytes(out[i:i + 255])
        blocks += bytes([len(part)]) + part
    return bytes([min_code_size]) + blocks + b'\0'


def gif(width, height, table, frames, transparent=None):
    data = b'GIF89a' + struct.pack('<HHBBB', width, height, 0x80 | 0x01, 0, 0)   # 4-entry global table
    data += bytes(c for p in table for c in p)
    for rows in frames:
        if transparent is not None:
            data += b'\x21\xf9\x04' + bytes([0x01]) + struct.pack('<H', 0) + bytes([transparent]) + b'\0'
        data += b'\x2c' + struct.pack('<HHHHB', 0, 0, width, height, 0)
        data += lzw_literals([i for r in rows for i in r], 2)
    return data + b'\x3b'


gif_table = [(0, 0, 0), (255, 128, 0), (0, 128, 255), (40, 200, 90)]
gif_first = [[1, 2, 3], [3, 0, 1]]
gif_second = [[2, 2, 2], [2, 2, 2]]
samples.append(('kGifTwoFrames', gif(3, 2, gif_table, [gif_first, gif_second]),
                '3 x 2, four colours, two frames: the first is the picture'))
add_pixels('kGifTwoFramesPixels', [[gif_table[i] for i in r] for r in gif_first], 'the first frame of kGifTwoFrames')
samples.append(('kGifTransparent', gif(3, 2, gif_table, [gif_first], transparent=3),
                '3 x 2, four colours, index 3 transparent'))
add_pixels('kGifTransparentPixels', [[gif_table[i] + ((0,) if i == 3 else (255,)) for i in r] for r in gif_first],
           'the pixels of kGifTransparent, alpha 0 where transparent')


# --- ICO -------------------------------------------------------------------------------------
def ico_image(rows):
    """A 32-bit BMP image of an icon: header with the doubled height, bottom-up BGRA rows,
    then the AND mask (all zero: the alpha channel decides)."""
    h, w = len(rows), len(rows[0])
    header = struct.pack('<IiiHHIIiiII', 40, w, 2 * h, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = b''.join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    mask_stride = ((w + 31) // 32) * 4
    return header + xor + b'\0' * (mask_stride * h)


icon_small = [[(255, 0, 0, 255)] * 2] * 2
icon_large = [[(10 * x, 20 * y, 200, 255) for x in range(4)] for y in range(4)]
icon_large[1][2] = (0, 255, 0, 0)   # one see-through pixel
images = [icon_small, icon_large, icon_small]
head = struct.pack('<HHH', 0, 1, len(images))
offset = 6 + 16 * len(images)
directory, bodies = b'', b''
for rows in images:
    body = ico_image(rows)
    directory += struct.pack('<BBBBHHII', len(rows[0]), len(rows), 0, 0, 1, 32, len(body), offset)
    bodies += body
    offset += len(body)
samples.append(('kIcoThreeImages', head + directory + bodies, 'icons of 2 x 2, 4 x 4 and 2 x 2 pixels, 32 bits'))
add_pixels('kIcoLargestPixels', icon_large, 'the 4 x 4 image of kIcoThreeImages, alpha last')


# --- TIFF ------------------------------------------------------------------------------------
def tiff(pages):
    """Little-endian, uncompressed, 8-bit RGB, one strip a page."""
    out = bytearray(b'II*\0' + struct.pack('<I', 0))
    link_at = 4
    for rows in pages:
        h, w = len(rows), len(rows[0])
        strip = bytes(c for row in rows for p in row for c in p)
        bps_at = len(out)
        out += struct.pack('<HHH', 8, 8, 8)
        strip_at = len(out)
        out += strip
        if len(out) % 2:
            out += b'\0'
        entries = [(256, 3, 1, w), (257, 3, 1, h), (258, 3, 3, bps_at), (259, 3, 1, 1), (262, 3, 1, 2),
                   (273, 4, 1, strip_at), (277, 3, 1, 3), (278, 3, 1, h), (279, 4, 1, len(strip)), (284, 3, 1, 1)]
        ifd_at = len(out)
        struct.pack_into('<I', out, link_at, ifd_at)
        out += struct.pack('<H', len(entries))
        for tag, kind, count, value in entries:
            packed = struct.pack('<H', value) + b'\0\0' if kind == 3 and count == 1 else struct.pack('<I', value)
            out += struct.pack('<HHI', tag, kind, count) + packed
        link_at = len(out)
        out += struct.pack('<I', 0)
    return bytes(out)


tiff_first = [[(255, 255, 0), (0, 255, 255), (255, 0, 255)], [(1, 2, 3), (128, 64, 32), (250, 250, 250)]]
tiff_second = [[(9, 9, 9)] * 2] * 2
samples.append(('kTiffTwoPages', tiff([tiff_first, tiff_second]), '3 x 2 RGB first page, 2 x 2 second page'))
add_pixels('kTiffFirstPagePixels', tiff_first, 'the first page of kTiffTwoPages')


# --- JPEG ------------------------------------------------------------------------------------
def jpeg_two_blocks(colours):
    """Baseline JPEG, 16 x 8, three components without subsampling, each 8 x 8 block one flat
    YCbCr colour: only DC coefficients, quantised by 8 so that the coded value is the sample
    minus 128."""
    def seg(marker, payload):
        return b'\xff' + bytes([marker]) + struct.pack('>H', len(payload) + 2) + payload
    dc_bits = [0, 1, 5, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0]
    dc_vals = list(range(12))
    codes, code, k = {}, 0, 0
    for length, count in enumerate(dc_bits, 1):
        for _ in range(count):
            codes[dc_vals[k]] = (code, length)
            code += 1
            k += 1
        code <<= 1
    out = b'\xff\xd8'
    out += seg(0xdb, bytes([0]) + bytes([8] * 64))                                   # one table, all 8
    out += seg(0xc0, struct.pack('>BHHB', 8, 8, 16, 3) + bytes([1, 0x11, 0, 2, 0x11, 0, 3, 0x11, 0]))
    out += seg(0xc4, bytes([0x00]) + bytes(dc_bits) + bytes(dc_vals))                # DC table 0
    out += seg(0xc4, bytes([0x10]) + bytes([1] + [0] * 15) + bytes([0x00]))          # AC table 0: EOB only
    out += seg(0xda, bytes([3, 1, 0x00, 2, 0x00, 3, 0x00, 0, 63, 0]))
    bits = []

    def put(value, length):
        bits.extend((value >> (length - 1 - i)) & 1 for i in range(length))
    previous = [0, 0, 0]
    for colour in colours:                       # one MCU a block: Y, Cb, Cr
        for c in range(3):
            coefficient = colour[c] - 128
            diff = coefficient - previous[c]
            previous[c] = coefficient
            size = abs(diff).bit_length()
            put(*codes[size])
            if size:
                put(diff if diff > 0 else diff + (1 << size) - 1, size)
            put(0, 1)                            # EOB
    while len(bits) % 8:
        bits.append(1)
    data = bytearray()
    for i in range(0, len(bits), 8):
        byte = int(''.join(map(str, bits[i:i + 8])), 2)
        data.append(byte)
        if byte == 0xff:
            data.append(0)
    return out + bytes(data) + b'\xff\xd9'


jpeg_colours = [(150, 90, 200), (60, 170, 100)]    # (Y, Cb, Cr) of the left and right block
samples.append(('kJpegTwoBlocks', jpeg_two_blocks(jpeg_colours),
                '16 x 8 baseline JPEG: the left 8 x 8 block YCbCr (150, 90, 200), the right (60, 170, 100)'))


def c_bytes(data):
    lines = []
    for i in range(0, len(data), 16):
        lines.append('    ' + ' '.join('0x%02X,' % b for b in data[i:i + 16]))
    return '\n'.join(lines)


print('// Small picture files of each format the picture reader takes, and the pixels they were')
print('// made from. Generated by make_picture_samples.py (byte by byte; zlib for deflate).')
print('#pragma once')
print('#include <windows.h>')
print('')
print('namespace picturesamples')
print('{')
print('struct Rgba')
print('{')
print('    BYTE r, g, b, a;')
print('};')
for name, data, comment in samples:
    print('')
    print('// %s' % comment)
    print('const BYTE %s[] = {' % name)
    print(c_bytes(data))
    print('};')
for name, w, h, flat, comment in pixels:
    print('')
    print('// %s (%d x %d, top row first)' % (comment, w, h))
    print('const Rgba %s[] = {' % name)
    for i in range(0, len(flat), 4):
        print('    ' + ' '.join('{%d, %d, %d, %d},' % p for p in flat[i:i + 4]))
    print('};')
print('}')
