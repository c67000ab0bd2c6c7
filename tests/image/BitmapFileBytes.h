// Byte-level helpers of the bitmap file tests: whole-file reads and writes with the C
// runtime, little-endian fields, bitmap files built by hand, and pixel decoding that does
// not go through the image class.
#pragma once
#include "image/DIBSection.h"
#include <stdio.h>
#include <string>
#include <vector>

namespace bmpbytes
{
typedef std::vector<BYTE> Bytes;

inline bool ReadAll(const std::string& path, Bytes& out)
{
    out.clear();
    FILE* f = fopen(path.c_str(), "rb");
    if (f == NULL)
        return false;
    BYTE buf[65536];
    size_t n;
    while ((n = fread(buf, 1, sizeof(buf), f)) > 0)
        out.insert(out.end(), buf, buf + n);
    fclose(f);
    return true;
}

inline bool WriteAll(const std::string& path, const Bytes& bytes)
{
    FILE* f = fopen(path.c_str(), "wb");
    if (f == NULL)
        return false;
    bool ok = bytes.empty() || fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return fclose(f) == 0 && ok;
}

inline DWORD U32(const Bytes& b, size_t off)
{
    return (DWORD)b[off] | ((DWORD)b[off + 1] << 8) | ((DWORD)b[off + 2] << 16) | ((DWORD)b[off + 3] << 24);
}
inline WORD U16(const Bytes& b, size_t off) { return (WORD)(b[off] | (b[off + 1] << 8)); }
inline LONG S32(const Bytes& b, size_t off) { return (LONG)U32(b, off); }

inline void Put32(Bytes& b, size_t off, DWORD v)
{
    for (int i = 0; i < 4; ++i)
        b[off + i] = (BYTE)(v >> (8 * i));
}
inline void Put16(Bytes& b, size_t off, WORD v)
{
    b[off] = (BYTE)v;
    b[off + 1] = (BYTE)(v >> 8);
}

// Offsets of the fields of a bitmap file.
enum
{
    kBfType = 0, kBfSize = 2, kBfOffBits = 10, kBiSize = 14, kBiWidth = 18, kBiHeight = 22,
    kBiPlanes = 26, kBiBitCount = 28, kBiCompression = 30, kBiSizeImage = 34, kBiXPels = 38,
    kBiYPels = 42, kBiClrUsed = 46, kBiClrImportant = 50, kTable = 54
};

inline int Stride(int width, int bits) { return ((width * bits + 31) & ~31) / 8; }

// A file with the 40-byte header; `table` (colour entries or masks) follows the header and
// the pixel data follows the table. bfSize is the file's length.
inline Bytes MakeBmp(LONG width, LONG height, WORD bits, DWORD compression, const Bytes& table,
                     const Bytes& pixels, DWORD clrUsed = 0)
{
    Bytes b(54 + table.size() + pixels.size(), 0);
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, kBfSize, (DWORD)b.size());
    Put32(b, kBfOffBits, (DWORD)(54 + table.size()));
    Put32(b, kBiSize, 40);
    Put32(b, kBiWidth, (DWORD)width);
    Put32(b, kBiHeight, (DWORD)height);
    Put16(b, kBiPlanes, 1);
    Put16(b, kBiBitCount, bits);
    Put32(b, kBiCompression, compression);
    Put32(b, kBiSizeImage, (DWORD)pixels.size());
    Put32(b, kBiClrUsed, clrUsed);
    std::copy(table.begin(), table.end(), b.begin() + 54);
    std::copy(pixels.begin(), pixels.end(), b.begin() + 54 + table.size());
    return b;
}

inline Bytes Masks(DWORD r, DWORD g, DWORD bl)
{
    Bytes m(12);
    Put32(m, 0, r);
    Put32(m, 4, g);
    Put32(m, 8, bl);
    return m;
}

// The raw value of pixel x of a row: a table index, a 16-bit word, or the 24/32-bit value.
inline DWORD RawPixel(const BYTE* row, int x, int bits)
{
    switch (bits)
    {
    case 1: return (row[x / 8] >> (7 - x % 8)) & 1;
    case 4: return (row[x / 2] >> (x % 2 ? 0 : 4)) & 15;
    case 8: return row[x];
    case 16: return (DWORD)(row[2 * x] | (row[2 * x + 1] << 8));
    case 24: return (DWORD)(row[3 * x] | (row[3 * x + 1] << 8) | (row[3 * x + 2] << 16));
    case 32: return (DWORD)row[4 * x] | ((DWORD)row[4 * x + 1] << 8) | ((DWORD)row[4 * x + 2] << 16)
                    | ((DWORD)row[4 * x + 3] << 24);
    }
    return 0;
}

inline void PutRawPixel(BYTE* row, int x, int bits, DWORD v)
{
    switch (bits)
    {
    case 1: row[x / 8] = (BYTE)((row[x / 8] & ~(0x80 >> (x % 8))) | ((v & 1) << (7 - x % 8))); break;
    case 4: row[x / 2] = (BYTE)(x % 2 ? (row[x / 2] & 0xF0) | (v & 15) : (row[x / 2] & 0x0F) | ((v & 15) << 4)); break;
    case 8: row[x] = (BYTE)v; break;
    case 16: row[2 * x] = (BYTE)v; row[2 * x + 1] = (BYTE)(v >> 8); break;
    case 24: for (int i = 0; i < 3; ++i) row[3 * x + i] = (BYTE)(v >> (8 * i)); break;
    case 32: for (int i = 0; i < 4; ++i) row[4 * x + i] = (BYTE)(v >> (8 * i)); break;
    }
}

// Packed bottom-up rows of value(x, y), y counted from the top of the picture.
template <class F>
Bytes PackRows(int width, int height, int bits, F value)
{
    const int stride = Stride(width, bits);
    Bytes rows((size_t)stride * height, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            PutRawPixel(&rows[(size_t)(height - 1 - y) * stride], x, bits, value(x, y));
    return rows;
}

// One mask's field of v scaled to 0..255 with rounding (how the corpus' references scale).
inline int ScaleField(DWORD v, DWORD mask)
{
    if (mask == 0)
        return 0;
    int shift = 0;
    while (!(mask & (1u << shift)))
        ++shift;
    const DWORD max = mask >> shift;
    const DWORD field = (v & mask) >> shift;
    return (int)((field * 255 + max / 2) / max);
}

// Colour of picture pixel (x, y) decoded from the image's own bits and colour table (or
// masks), without GDI. The image is bottom-up.
inline COLORREF DecodePixel(CDIBSection& dib, int x, int y)
{
    const BITMAPINFOHEADER* bih = dib.GetBitmapInfoHeader();
    const int bits = bih->biBitCount;
    const BYTE* base = (const BYTE*)dib.GetDIBits();
    const BYTE* row = base + (size_t)Stride(bih->biWidth, bits) * (bih->biHeight - 1 - y);
    const DWORD v = RawPixel(row, x, bits);
    const RGBQUAD* table = dib.GetColorTable();
    if (bits <= 8)
        return RGB(table[v].rgbRed, table[v].rgbGreen, table[v].rgbBlue);
    DWORD r = 0x7C00, g = 0x03E0, bl = 0x001F;
    if (bits != 16)
        r = 0xFF0000, g = 0xFF00, bl = 0xFF;
    if (bih->biCompression == BI_BITFIELDS)
    {
        const DWORD* masks = (const DWORD*)table;
        r = masks[0], g = masks[1], bl = masks[2];
    }
    return RGB(ScaleField(v, r), ScaleField(v, g), ScaleField(v, bl));
}
}
