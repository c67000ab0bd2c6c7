// Helpers of the image tests: raw pixel access to a CDIBSection's bits, its colour tables, and
// destination surfaces made with plain Win32 (a DIB section in a memory DC).
#pragma once
#include "image/DIBSection.h"
#include <stdio.h>
#include <string>
#include <vector>

namespace imagetest
{
// Address of row y (picture order, 0 at the top) of a bottom-up DIB.
inline BYTE* RowOf(CDIBSection& img, int y)
{
    const int nStride = ((img.GetWidth() * img.GetBitCount() + 31) & ~31) / 8;
    return (BYTE*)img.GetDIBits() + (size_t)nStride * (img.GetHeight() - 1 - y);
}

// The raw value of pixel (x, y) in the image's own format.
inline DWORD RawPixel(CDIBSection& img, int x, int y)
{
    ::GdiFlush();
    const BYTE* row = RowOf(img, y);
    switch (img.GetBitCount())
    {
    case 1: return (row[x / 8] >> (7 - x % 8)) & 1;
    case 4: return (x % 2) ? (row[x / 2] & 0x0F) : (row[x / 2] >> 4);
    case 8: return row[x];
    case 16: return row[2 * x] | (row[2 * x + 1] << 8);
    case 24: return row[3 * x] | (row[3 * x + 1] << 8) | (row[3 * x + 2] << 16);
    default: return *(const DWORD*)(row + 4 * x);
    }
}

inline void SetRawPixel(CDIBSection& img, int x, int y, DWORD v)
{
    ::GdiFlush();
    BYTE* row = RowOf(img, y);
    switch (img.GetBitCount())
    {
    case 1:
        row[x / 8] = (BYTE)((row[x / 8] & ~(0x80 >> (x % 8))) | ((v & 1) << (7 - x % 8)));
        break;
    case 4:
        if (x % 2)
            row[x / 2] = (BYTE)((row[x / 2] & 0xF0) | (v & 0x0F));
        else
            row[x / 2] = (BYTE)((row[x / 2] & 0x0F) | ((v & 0x0F) << 4));
        break;
    case 8: row[x] = (BYTE)v; break;
    case 16: row[2 * x] = (BYTE)v; row[2 * x + 1] = (BYTE)(v >> 8); break;
    case 24: row[3 * x] = (BYTE)v; row[3 * x + 1] = (BYTE)(v >> 8); row[3 * x + 2] = (BYTE)(v >> 16); break;
    default: *(DWORD*)(row + 4 * x) = v; break;
    }
}

// The colour table inside the DIB section, as GDI sees it.
inline std::vector<RGBQUAD> SectionColourTable(CDIBSection& img)
{
    std::vector<RGBQUAD> table(256);
    HDC hdc = ::CreateCompatibleDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hdc, (HBITMAP)img);
    UINT n = ::GetDIBColorTable(hdc, 0, 256, table.data());
    ::SelectObject(hdc, hOld);
    ::DeleteDC(hdc);
    table.resize(n);
    return table;
}

inline COLORREF QuadColour(const RGBQUAD& q) { return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue); }

// Pixel (x, y) as a colour: through the section's colour table for palettised images,
// 5-5-5 for 16 bits.
inline COLORREF PixelColour(CDIBSection& img, int x, int y)
{
    DWORD v = RawPixel(img, x, y);
    switch (img.GetBitCount())
    {
    case 1:
    case 4:
    case 8: return QuadColour(SectionColourTable(img)[v]);
    case 16:
    {
        // Five bits widened to eight as GDI does: 31 becomes 255.
        auto widen = [](DWORD c) { return (BYTE)((c << 3) | (c >> 2)); };
        return RGB(widen((v >> 10) & 31), widen((v >> 5) & 31), widen(v & 31));
    }
    default: return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
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

// A top-down 24- or 32-bit DIB section selected into a memory DC, wrapped as a CDC.
class CTestSurface
{
public:
    CTestSurface(int cx, int cy, int nBits = 32) : m_cx(cx), m_cy(cy), m_nBits(nBits)
    {
        BITMAPINFO bmi = {};
        bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bmi.bmiHeader.biWidth = cx;
        bmi.bmiHeader.biHeight = -cy;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = (WORD)nBits;
        bmi.bmiHeader.biCompression = BI_RGB;
        m_hdc = ::CreateCompatibleDC(NULL);
        m_hBitmap = ::CreateDIBSection(m_hdc, &bmi, DIB_RGB_COLORS, &m_pBits, NULL, 0);
        m_hOld = ::SelectObject(m_hdc, m_hBitmap);
        m_dc.Attach(m_hdc);
    }
    ~CTestSurface()
    {
        m_dc.Detach();
        ::SelectObject(m_hdc, m_hOld);
        ::DeleteDC(m_hdc);
        ::DeleteObject(m_hBitmap);
    }
    CTestSurface(const CTestSurface&) = delete;
    CTestSurface& operator=(const CTestSurface&) = delete;

    CDC* DC() { return &m_dc; }
    HDC Hdc() const { return m_hdc; }
    HBITMAP Bitmap() const { return m_hBitmap; }
    bool IsValid() const { return m_hBitmap != NULL && m_pBits != NULL; }
    int Width() const { return m_cx; }
    int Height() const { return m_cy; }

    COLORREF Pixel(int x, int y) const
    {
        ::GdiFlush();
        const BYTE* p = Address(x, y);
        return RGB(p[2], p[1], p[0]);
    }
    void SetPixel(int x, int y, COLORREF cr)
    {
        ::GdiFlush();
        BYTE* p = Address(x, y);
        p[0] = GetBValue(cr);
        p[1] = GetGValue(cr);
        p[2] = GetRValue(cr);
    }
    // A background that differs from pixel to pixel, so that kept pixels can be told apart.
    void FillPattern()
    {
        for (int y = 0; y < m_cy; y++)
            for (int x = 0; x < m_cx; x++)
                SetPixel(x, y, RGB(200 - (x * 3) % 50, 40 + (y * 5) % 60, 120 + ((x + y) % 7) * 10));
    }
    std::vector<COLORREF> Pixels() const
    {
        std::vector<COLORREF> pixels;
        for (int y = 0; y < m_cy; y++)
            for (int x = 0; x < m_cx; x++)
                pixels.push_back(Pixel(x, y));
        return pixels;
    }

private:
    BYTE* Address(int x, int y) const
    {
        const int nStride = ((m_cx * m_nBits + 31) & ~31) / 8;
        return (BYTE*)m_pBits + (size_t)nStride * y + (size_t)x * (m_nBits / 8);
    }

    int m_cx;
    int m_cy;
    int m_nBits;
    HDC m_hdc = NULL;
    HBITMAP m_hBitmap = NULL;
    HGDIOBJ m_hOld = NULL;
    void* m_pBits = NULL;
    CDC m_dc;
};

inline std::string RectText(const RECT& rc)
{
    char text[64];
    sprintf(text, "(%ld,%ld)-(%ld,%ld)", rc.left, rc.top, rc.right, rc.bottom);
    return text;
}

// TRUE when the bitmap is selected into no DC: GDI refuses to select a bitmap twice.
inline bool IsFree(HBITMAP hBitmap)
{
    HDC hdc = ::CreateCompatibleDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hdc, hBitmap);
    bool bFree = hOld != NULL;
    if (bFree)
        ::SelectObject(hdc, hOld);
    ::DeleteDC(hdc);
    return bFree;
}
}
