// CDIBSection: the standard palette, logical palettes and the two copies of the colour table
// (the one held in m_DIBInfo for files, the clipboard and DrawDib, and the section's own one
// that GDI draws with).
#include "image/DIBSection.h"
#include "image/PntGdiSelect.h"
#include <stdlib.h>
#include <string.h>

namespace
{
// A LOGPALETTE with room for every entry a palette of this class can have.
struct LOGPALETTE256
{
    WORD palVersion;
    WORD palNumEntries;
    PALETTEENTRY palPalEntry[256];
};

constexpr PALETTEENTRY Entry(int r, int g, int b)
{
    return PALETTEENTRY{(BYTE)r, (BYTE)g, (BYTE)b, 0};
}

constexpr BYTE kCubeLevels[6] = {0, 44, 86, 135, 192, 255};
constexpr BYTE kGreys[23] = {17, 24, 30, 37, 44, 52, 60, 68, 77, 86, 95, 105,
                             114, 125, 146, 157, 168, 180, 204, 216, 229, 242, 255};
// The twenty static colours of the system palette, in system order.
constexpr PALETTEENTRY kLowStatic[10] = {
    Entry(0, 0, 0), Entry(128, 0, 0), Entry(0, 128, 0), Entry(128, 128, 0), Entry(0, 0, 128),
    Entry(128, 0, 128), Entry(0, 128, 128), Entry(192, 192, 192), Entry(192, 220, 192),
    Entry(166, 202, 240)};
constexpr PALETTEENTRY kHighStatic[10] = {
    Entry(255, 251, 240), Entry(160, 160, 164), Entry(128, 128, 128), Entry(255, 0, 0),
    Entry(0, 255, 0), Entry(255, 255, 0), Entry(0, 0, 255), Entry(255, 0, 255),
    Entry(0, 255, 255), Entry(255, 255, 255)};

// Cube colours already among the static ones are left out of the cube.
constexpr bool IsStaticCubeColour(int r, int g, int b)
{
    return (r == 0 && g == 0 && b == 0) || (r == 192 && g == 192 && b == 192) ||
           (r == 0 && g == 255 && b == 255);
}

// Entry n of the standard palette: static colours, the 6x6x6 cube (red fastest), greys.
constexpr PALETTEENTRY StdEntry(int n)
{
    if (n < 10)
        return kLowStatic[n];
    if (n >= 246)
        return kHighStatic[n - 246];
    if (n >= 223)
        return Entry(kGreys[n - 223], kGreys[n - 223], kGreys[n - 223]);
    int nSkip = n - 10;
    for (int i = 0; i < 216; i++)
    {
        const int r = kCubeLevels[i % 6], g = kCubeLevels[(i / 6) % 6], b = kCubeLevels[i / 36];
        if (IsStaticCubeColour(r, g, b))
            continue;
        if (nSkip-- == 0)
            return Entry(r, g, b);
    }
    return Entry(0, 0, 0);
}
}

// A constant expression, so the table is filled before any code of any module runs.
#define STD4(n) StdEntry(n), StdEntry((n) + 1), StdEntry((n) + 2), StdEntry((n) + 3)
#define STD16(n) STD4(n), STD4((n) + 4), STD4((n) + 8), STD4((n) + 12)
#define STD64(n) STD16(n), STD16((n) + 16), STD16((n) + 32), STD16((n) + 48)
PALETTEENTRY CDIBSection::ms_StdColors[256] = {STD64(0), STD64(64), STD64(128), STD64(192)};
#undef STD64
#undef STD16
#undef STD4

BOOL CDIBSection::CreateHalftonePalette(CPalette& palette, int nColors)
{
    palette.DeleteObject();

    LOGPALETTE256 logPalette;
    logPalette.palVersion = 0x300;
    if (nColors >= 1 && nColors <= 2)
    {
        logPalette.palNumEntries = 2;
        logPalette.palPalEntry[0] = ms_StdColors[0];
        logPalette.palPalEntry[1] = ms_StdColors[255];
    }
    else if (nColors >= 3 && nColors <= 16)
    {
        // The sixteen VGA colours: the first and last eight static colours.
        logPalette.palNumEntries = 16;
        for (int i = 0; i < 8; i++)
        {
            logPalette.palPalEntry[i] = ms_StdColors[i];
            logPalette.palPalEntry[8 + i] = ms_StdColors[248 + i];
        }
    }
    else
    {
        logPalette.palNumEntries = 256;
        memcpy(logPalette.palPalEntry, ms_StdColors, sizeof(logPalette.palPalEntry));
    }
    return palette.Attach(::CreatePalette((LOGPALETTE*)&logPalette));
}

BOOL CDIBSection::CreatePalette()
{
    m_Palette.DeleteObject();

    const int nColors = m_nColorTableSize;
    if (nColors == 0)
        return CreateHalftonePalette(m_Palette, 256);

    // The section's own table: it is what GDI draws with.
    RGBQUAD colors[256];
    UINT nRead = 0;
    HDC hDC = ::CreateCompatibleDC(NULL);
    if (hDC != NULL)
    {
        {
            CPntSelectObject selBitmap(hDC, m_hBitmap);
            if (selBitmap.IsSelected())
                nRead = ::GetDIBColorTable(hDC, 0, (UINT)nColors, colors);
        }
        ::DeleteDC(hDC);
    }
    if (nRead == 0)
        return CreateHalftonePalette(m_Palette, 256);

    LOGPALETTE256 logPalette;
    logPalette.palVersion = 0x300;
    logPalette.palNumEntries = (WORD)nColors;
    for (int i = 0; i < nColors; i++)
    {
        if ((UINT)i < nRead)
            logPalette.palPalEntry[i] = {colors[i].rgbRed, colors[i].rgbGreen, colors[i].rgbBlue, 0};
        else
            logPalette.palPalEntry[i] = {0, 0, 0, 0};
    }
    return m_Palette.Attach(::CreatePalette((LOGPALETTE*)&logPalette));
}

BOOL CDIBSection::SetPalette(CPalette* pPalette)
{
    // The entries are read before our own handle goes, so the image's own palette may be passed.
    LOGPALETTE256 logPalette;
    logPalette.palVersion = 0x300;
    logPalette.palNumEntries = 0;
    if (pPalette != NULL)
    {
        const int nEntries = pPalette->GetSafeHandle() != NULL ? pPalette->GetEntryCount() : 0;
        if (nEntries >= 1 && nEntries <= 256)
            logPalette.palNumEntries =
                (WORD)pPalette->GetPaletteEntries(0, (UINT)nEntries, logPalette.palPalEntry);
    }

    m_Palette.DeleteObject();
    if (pPalette == NULL || logPalette.palNumEntries == 0)
        return FALSE;
    return SetLogPalette((LOGPALETTE*)&logPalette);
}

BOOL CDIBSection::SetLogPalette(LOGPALETTE* pLogPalette)
{
    if (pLogPalette != NULL && pLogPalette->palNumEntries >= 1 && pLogPalette->palNumEntries <= 256)
    {
        m_Palette.DeleteObject();
        if (m_Palette.CreatePalette(pLogPalette))
        {
            if (m_nColorTableSize == 0)
                return TRUE;
            const UINT nEntries = pLogPalette->palNumEntries;
            const PALETTEENTRY* pEntries = pLogPalette->palPalEntry;
            RGBQUAD colors[256];
            for (UINT i = 0; i < nEntries; i++)
            {
                colors[i].rgbBlue = pEntries[i].peBlue;
                colors[i].rgbGreen = pEntries[i].peGreen;
                colors[i].rgbRed = pEntries[i].peRed;
                colors[i].rgbReserved = 0;
            }
            return FillDIBColorTable(nEntries, colors);
        }
    }
    // Keep a usable palette: the one the section's own colours give.
    CreatePalette();
    return FALSE;
}

LOGPALETTE* CDIBSection::GetLogPalette()
{
    if (m_Palette.GetSafeHandle() == NULL)
        return NULL;

    // One buffer for the whole class: callers read it before the next call on any object.
    static LOGPALETTE256 s_logPalette;
    memset(&s_logPalette, 0, sizeof(s_logPalette));
    s_logPalette.palVersion = 0x300;
    m_Palette.GetPaletteEntries(0, 256, s_logPalette.palPalEntry);
    s_logPalette.palNumEntries = (WORD)m_Palette.GetEntryCount();
    return (LOGPALETTE*)&s_logPalette;
}

BOOL CDIBSection::SetColorTable(UINT nColors, RGBQUAD* pColors)
{
    if (m_hBitmap == NULL || pColors == NULL || nColors < 1 || nColors > 256 || m_nColorTableSize == 0)
        return FALSE;

    HDC hDC = ::CreateCompatibleDC(NULL);
    if (hDC == NULL)
        return FALSE;
    BOOL bResult = FALSE;
    {
        CPntSelectObject selBitmap(hDC, m_hBitmap);
        if (selBitmap.IsSelected())
        {
            ::SetDIBColorTable(hDC, 0, nColors, pColors);
            bResult = TRUE;
        }
    }
    ::DeleteDC(hDC);
    return bResult;
}

BOOL CDIBSection::FillDIBColorTable(UINT nColors, RGBQUAD* pColors)
{
    if (pColors == NULL || nColors < 1 || nColors > 256 || m_nColorTableSize == 0)
        return FALSE;

    const BITMAPINFOHEADER& bih = m_DIBInfo.bmiHeader;
    UINT nLimit = bih.biClrUsed;
    if (nLimit == 0)
    {
        const UINT nBits = (UINT)bih.biBitCount * bih.biPlanes;
        nLimit = nBits < 9 ? 1u << nBits : 256u;
    }
    const UINT nCount = nColors < nLimit ? nColors : nLimit;
    for (UINT i = 0; i < nCount && i < 256; i++)
    {
        m_DIBInfo.arColors[i] = pColors[i];
        m_DIBInfo.arColors[i].rgbReserved = 0;
    }
    return TRUE;
}

COLORREF* CDIBSection::CreateColorRefTbl()
{
    const int nColors = m_nColorTableSize;
    COLORREF* pTable = (COLORREF*)malloc((size_t)nColors * sizeof(COLORREF));
    if (pTable == NULL)
        return NULL;
    for (int i = 0; i < nColors; i++)
    {
        const RGBQUAD& q = m_DIBInfo.arColors[i];
        pTable[i] = RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
    }
    return pTable;
}
