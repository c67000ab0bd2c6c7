// Helpers of the image tests: raw pixels of a CDIBSection's bits and of its colour tables,
// and bitmap files as bytes.
#pragma once
#include "image/DIBSection.h"
#include "common/TestStrings.h"
#include <stdio.h>
#include <functional>
#include <string>
#include <vector>

namespace imagetest
{
typedef std::vector<BYTE> Bytes;

inline int Stride(int nWidth, int nBits) { return ((nWidth * nBits + 31) & ~31) / 8; }

// Raw value of pixel x of a row: a table index, a 16-bit word, or the 24/32-bit value.
inline DWORD RowPixel(const BYTE* row, int x, int nBits)
{
    switch (nBits)
    {
    case 1: return (row[x / 8] >> (7 - x % 8)) & 1;
    case 4: return (row[x / 2] >> (x % 2 ? 0 : 4)) & 15;
    case 8: return row[x];
    case 16: return (DWORD)(row[2 * x] | (row[2 * x + 1] << 8));
    case 24: return (DWORD)(row[3 * x] | (row[3 * x + 1] << 8) | (row[3 * x + 2] << 16));
    default: return *(const DWORD*)(row + 4 * x);
    }
}

inline void PutRowPixel(BYTE* row, int x, int nBits, DWORD v)
{
    if (nBits == 1)
        row[x / 8] = (BYTE)((row[x / 8] & ~(0x80 >> (x % 8))) | ((v & 1) << (7 - x % 8)));
    else if (nBits == 4)
        row[x / 2] = (BYTE)(x % 2 ? (row[x / 2] & 0xF0) | (v & 15) : (row[x / 2] & 0x0F) | ((v & 15) << 4));
    else
        for (int i = 0; i < nBits / 8; i++)
            row[nBits / 8 * x + i] = (BYTE)(v >> (8 * i));
}

// Packed bottom-up rows of value(x, y), y counted from the top of the picture.
inline Bytes PackRows(int width, int height, int bits, const std::function<DWORD(int, int)>& value)
{
    Bytes rows((size_t)Stride(width, bits) * height, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            PutRowPixel(&rows[(size_t)(height - 1 - y) * Stride(width, bits)], x, bits, value(x, y));
    return rows;
}

// Address of row y (picture order, 0 at the top) of a bottom-up DIB.
inline BYTE* RowOf(CDIBSection& img, int y)
{
    return (BYTE*)img.GetDIBits() + (size_t)Stride(img.GetWidth(), img.GetBitCount()) * (img.GetHeight() - 1 - y);
}

// The raw value of pixel (x, y) in the image's own format.
inline DWORD RawPixel(CDIBSection& img, int x, int y)
{
    ::GdiFlush();
    return RowPixel(RowOf(img, y), x, img.GetBitCount());
}

inline void SetRawPixel(CDIBSection& img, int x, int y, DWORD v)
{
    ::GdiFlush();
    PutRowPixel(RowOf(img, y), x, img.GetBitCount(), v);
}

// The image's bits, as many as its header says.
inline Bytes Bits(CDIBSection& img)
{
    ::GdiFlush();
    return Bytes((const BYTE*)img.GetDIBits(), (const BYTE*)img.GetDIBits() + img.GetImageSize());
}

// Every raw pixel of the image, row by row from the top.
inline std::vector<DWORD> RawPixels(CDIBSection& img)
{
    std::vector<DWORD> pixels;
    for (int y = 0; y < img.GetHeight(); y++)
        for (int x = 0; x < img.GetWidth(); x++)
            pixels.push_back(RawPixel(img, x, y));
    return pixels;
}

// The colour table inside the DIB section, as GDI sees it.
inline std::vector<RGBQUAD> SectionColourTable(CDIBSection& img)
{
    std::vector<RGBQUAD> table(256);
    HDC hdc = ::CreateCompatibleDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hdc, (HBITMAP)img);
    table.resize(::GetDIBColorTable(hdc, 0, 256, table.data()));
    ::SelectObject(hdc, hOld);
    ::DeleteDC(hdc);
    return table;
}

inline COLORREF QuadColour(const RGBQUAD& q) { return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue); }
inline COLORREF EntryColour(const PALETTEENTRY& pe) { return RGB(pe.peRed, pe.peGreen, pe.peBlue); }

// The colours of n table entries, of the section's own table and of a palette's entries.
inline std::vector<COLORREF> QuadColours(const RGBQUAD* pTable, size_t n)
{
    std::vector<COLORREF> colours;
    for (size_t i = 0; i < n; i++)
        colours.push_back(QuadColour(pTable[i]));
    return colours;
}

inline std::vector<COLORREF> SectionColours(CDIBSection& img)
{
    const std::vector<RGBQUAD> table = SectionColourTable(img);
    return QuadColours(table.data(), table.size());
}

inline std::vector<COLORREF> PaletteColours(CPalette* pPalette)
{
    std::vector<PALETTEENTRY> entries(pPalette->GetSafeHandle() != NULL ? pPalette->GetEntryCount() : 0);
    pPalette->GetPaletteEntries(0, (UINT)entries.size(), entries.data());
    std::vector<COLORREF> colours;
    for (const PALETTEENTRY& pe : entries)
        colours.push_back(EntryColour(pe));
    return colours;
}

// Pixel (x, y) as a colour: through the section's colour table for palettised images,
// 5-5-5 for 16 bits.
inline COLORREF PixelColour(CDIBSection& img, int x, int y)
{
    DWORD v = RawPixel(img, x, y);
    // Five bits widened to eight as GDI does: 31 becomes 255.
    auto widen = [](DWORD c) { return (BYTE)((c << 3) | (c >> 2)); };
    switch (img.GetBitCount())
    {
    case 1:
    case 4:
    case 8: return QuadColour(SectionColourTable(img)[v]);
    case 16: return RGB(widen((v >> 10) & 31), widen((v >> 5) & 31), widen(v & 31));
    default: return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
}

// A LOGPALETTE with room for 256 entries; entry i of MakeLogPalette is (base + i, 2i, 255 - i).
struct LogPalette256
{
    WORD palVersion, palNumEntries;
    PALETTEENTRY pe[256];
    LOGPALETTE* Get() { return (LOGPALETTE*)this; }
};

inline LogPalette256 MakeLogPalette(int nEntries, BYTE base)
{
    LogPalette256 lp = {0x300, (WORD)nEntries, {}};
    for (int i = 0; i < nEntries && i < 256; i++)
        lp.pe[i] = {(BYTE)(base + i), (BYTE)(2 * i), (BYTE)(255 - i), 0};
    return lp;
}

// TRUE when the bitmap is selected into no DC: GDI refuses to select a bitmap twice.
inline bool IsFree(HBITMAP hBitmap)
{
    HDC hdc = ::CreateCompatibleDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hdc, hBitmap);
    if (hOld != NULL)
        ::SelectObject(hdc, hOld);
    ::DeleteDC(hdc);
    return hOld != NULL;
}

// The test folders' paths are plain ASCII text; the library takes them as TCHAR text.
inline CString PathText(const std::string& path) { return CString(path.c_str()); }

// Reads the whole of an open file into out and closes it; false when f is NULL or reading failed.
inline bool ReadAndClose(FILE* f, Bytes& out)
{
    out.clear();
    if (f == NULL)
        return false;
    BYTE buf[65536];
    for (size_t n; (n = fread(buf, 1, sizeof(buf), f)) > 0;)
        out.insert(out.end(), buf, buf + n);
    return fclose(f) == 0;
}
inline bool ReadAll(const std::string& path, Bytes& out) { return ReadAndClose(fopen(path.c_str(), "rb"), out); }
inline bool ReadAll(const wchar_t* path, Bytes& out) { return ReadAndClose(_wfopen(path, L"rb"), out); }

inline bool WriteAll(const std::string& path, const Bytes& bytes)
{
    FILE* f = fopen(path.c_str(), "wb");
    if (f == NULL)
        return false;
    const bool bWritten = fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return fclose(f) == 0 && bWritten;
}

inline DWORD U32(const Bytes& b, size_t off) { return RowPixel(&b[off], 0, 32); }
inline void Put32(Bytes& b, size_t off, DWORD v) { PutRowPixel(&b[off], 0, 32, v); }

inline Bytes operator+(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Packed DWORDs: colour masks or table entries.
inline Bytes Dwords(std::initializer_list<DWORD> values)
{
    Bytes b;
    for (DWORD v : values)
        b.insert(b.end(), {(BYTE)v, (BYTE)(v >> 8), (BYTE)(v >> 16), (BYTE)(v >> 24)});
    return b;
}

// Offsets of the fields of a bitmap file.
enum
{
    kBfSize = 2, kBfOffBits = 10, kBiSize = 14, kBiWidth = 18, kBiHeight = 22, kBiPlanes = 26, kBiBitCount = 28,
    kBiCompression = 30, kBiSizeImage = 34, kBiXPels = 38, kBiClrUsed = 46, kBiClrImportant = 50, kTable = 54
};

// A file with the 40-byte header; `table` (colour entries or masks) follows the header and
// the pixel data follows the table. bfSize is the file's length.
inline Bytes MakeBmp(LONG width, LONG height, WORD bits, DWORD compression, const Bytes& table, const Bytes& pixels,
                     DWORD clrUsed = 0)
{
    const DWORD offBits = (DWORD)(54 + table.size()), imageSize = (DWORD)pixels.size();
    return Bytes{'B', 'M'} + Dwords({offBits + imageSize, 0, offBits, 40, (DWORD)width, (DWORD)height, 1u | ((DWORD)bits << 16),
                                     compression, imageSize, 0, 0, clrUsed, 0}) +
           table + pixels;
}
}
