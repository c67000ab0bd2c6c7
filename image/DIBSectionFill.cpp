// Flood fill of CDIBSection. GDI's ExtFloodFill recurses per row under Wine and ends the
// process on winding areas, so the fill runs over the DIB's bits here, with an explicit stack.
// Pixels are compared and written as raw values in the image's own format; the value written
// is the one that GDI itself paints for a solid brush of the colour.
#include "image/DIBSection.h"
#include <new>
#include <vector>

namespace
{
// Raw pixel access, one policy per bit depth; x is in range, row points at the row's first byte.
template <int nBits> struct PixelFormat;

template <> struct PixelFormat<1>
{
    static DWORD Get(const BYTE* row, int x) { return (row[x >> 3] >> (7 - (x & 7))) & 1; }
    static void Set(BYTE* row, int x, DWORD v)
    {
        BYTE bit = (BYTE)(0x80 >> (x & 7));
        row[x >> 3] = (BYTE)(v ? (row[x >> 3] | bit) : (row[x >> 3] & ~bit));
    }
};

template <> struct PixelFormat<4>
{
    static DWORD Get(const BYTE* row, int x)
    {
        return (x & 1) ? (row[x >> 1] & 0x0F) : (row[x >> 1] >> 4);
    }
    static void Set(BYTE* row, int x, DWORD v)
    {
        BYTE& b = row[x >> 1];
        b = (x & 1) ? (BYTE)((b & 0xF0) | (v & 0x0F)) : (BYTE)((b & 0x0F) | ((v & 0x0F) << 4));
    }
};

template <> struct PixelFormat<8>
{
    static DWORD Get(const BYTE* row, int x) { return row[x]; }
    static void Set(BYTE* row, int x, DWORD v) { row[x] = (BYTE)v; }
};

template <> struct PixelFormat<16>
{
    static DWORD Get(const BYTE* row, int x) { return ((const WORD*)row)[x]; }
    static void Set(BYTE* row, int x, DWORD v) { ((WORD*)row)[x] = (WORD)v; }
};

template <> struct PixelFormat<24>
{
    static DWORD Get(const BYTE* row, int x)
    {
        const BYTE* p = row + 3 * x;
        return p[0] | ((DWORD)p[1] << 8) | ((DWORD)p[2] << 16);
    }
    static void Set(BYTE* row, int x, DWORD v)
    {
        BYTE* p = row + 3 * x;
        p[0] = (BYTE)v;
        p[1] = (BYTE)(v >> 8);
        p[2] = (BYTE)(v >> 16);
    }
};

template <> struct PixelFormat<32>
{
    static DWORD Get(const BYTE* row, int x) { return ((const DWORD*)row)[x]; }
    static void Set(BYTE* row, int x, DWORD v) { ((DWORD*)row)[x] = v; }
};

// The bits of a DIB seen as rows in picture order (row 0 at the top).
struct Surface
{
    BYTE* pTop;      // first byte of the top row
    ptrdiff_t nStep; // from one picture row to the next (negative for bottom-up DIBs)
    int cx;
    int cy;

    BYTE* Row(int y) const { return pTop + nStep * y; }
};

// A run of pixels x1..x2 on row y still to be examined, reached from row y - dy.
struct Span
{
    int x1;
    int x2;
    int y;
    int dy;
};

// Span fill: paints the 4-connected region of pixels equal to the seed value at (x, y) with
// dwFill. dwFill differs from the seed, so painted pixels stop matching and nothing is
// visited twice. Throws std::bad_alloc when the stack cannot grow.
template <int nBits>
void FillRegion(const Surface& s, int x, int y, DWORD dwFill)
{
    typedef PixelFormat<nBits> Px;
    const DWORD dwSeed = Px::Get(s.Row(y), x);
    const int cx = s.cx;

    std::vector<Span> stack;
    stack.reserve(1024);
    stack.push_back(Span{x, x, y, 1});
    stack.push_back(Span{x, x, y - 1, -1});

    while (!stack.empty())
    {
        Span span = stack.back();
        stack.pop_back();
        if (span.y < 0 || span.y >= s.cy)
            continue;

        BYTE* row = s.Row(span.y);
        int x1 = span.x1;
        const int x2 = span.x2;
        const int dy = span.dy;
        int xs = x1;

        // Extend to the left of the span's start.
        if (Px::Get(row, xs) == dwSeed)
        {
            while (xs > 0 && Px::Get(row, xs - 1) == dwSeed)
            {
                --xs;
                Px::Set(row, xs, dwFill);
            }
            if (xs < x1)
                stack.push_back(Span{xs, x1 - 1, span.y - dy, -dy});
        }

        while (x1 <= x2)
        {
            while (x1 < cx && Px::Get(row, x1) == dwSeed)
            {
                Px::Set(row, x1, dwFill);
                ++x1;
            }
            if (x1 > xs)
                stack.push_back(Span{xs, x1 - 1, span.y + dy, dy});
            // Past the end of the parent span the region may turn back.
            if (x1 - 1 > x2)
                stack.push_back(Span{x2 + 1, x1 - 1, span.y - dy, -dy});
            ++x1;
            while (x1 < x2 && Px::Get(row, x1) != dwSeed)
                ++x1;
            xs = x1;
        }
    }
}

DWORD GetRaw(const Surface& s, int nBits, int x, int y)
{
    const BYTE* row = s.Row(y);
    switch (nBits)
    {
    case 1: return PixelFormat<1>::Get(row, x);
    case 4: return PixelFormat<4>::Get(row, x);
    case 8: return PixelFormat<8>::Get(row, x);
    case 16: return PixelFormat<16>::Get(row, x);
    case 24: return PixelFormat<24>::Get(row, x);
    default: return PixelFormat<32>::Get(row, x);
    }
}

void SetRaw(const Surface& s, int nBits, int x, int y, DWORD v)
{
    BYTE* row = s.Row(y);
    switch (nBits)
    {
    case 1: PixelFormat<1>::Set(row, x, v); break;
    case 4: PixelFormat<4>::Set(row, x, v); break;
    case 8: PixelFormat<8>::Set(row, x, v); break;
    case 16: PixelFormat<16>::Set(row, x, v); break;
    case 24: PixelFormat<24>::Set(row, x, v); break;
    default: PixelFormat<32>::Set(row, x, v); break;
    }
}
}

BOOL CDIBSection::FloodFill(CPoint pt, COLORREF cr)
{
    if (!IsValid() || m_pBits == NULL)
        return FALSE;

    const BITMAPINFOHEADER& bih = m_DIBInfo.bmiHeader;
    const int nBits = bih.biBitCount;
    if (nBits != 1 && nBits != 4 && nBits != 8 && nBits != 16 && nBits != 24 && nBits != 32)
        return FALSE;
    if (bih.biCompression != BI_RGB && bih.biCompression != BI_BITFIELDS)
        return FALSE;
    const int cx = bih.biWidth;
    const int cy = bih.biHeight < 0 ? -bih.biHeight : bih.biHeight;
    if (cx <= 0 || cy <= 0 || pt.x < 0 || pt.y < 0 || pt.x >= cx || pt.y >= cy)
        return FALSE;

    const ptrdiff_t nStride = BytesPerLine(cx, nBits);
    Surface s;
    if (bih.biHeight > 0)
    {
        s.pTop = (BYTE*)m_pBits + nStride * (cy - 1);
        s.nStep = -nStride;
    }
    else
    {
        s.pTop = (BYTE*)m_pBits;
        s.nStep = nStride;
    }
    s.cx = cx;
    s.cy = cy;

    CDC* pDC = GetMemoryDC(NULL, TRUE);
    if (pDC == NULL)
        return FALSE;

    // The value to write is whatever GDI paints with a solid brush of cr in this image's format
    // and colour table: let it paint the seed pixel, read the value, and put the pixel back.
    DWORD dwFill;
    try
    {
        CBrush brush(cr);
        ::GdiFlush();
        DWORD dwSaved = GetRaw(s, nBits, pt.x, pt.y);
        RECT rcPixel = {pt.x, pt.y, pt.x + 1, pt.y + 1};
        ::FillRect(pDC->GetSafeHdc(), &rcPixel, (HBRUSH)brush.m_hObject);
        ::GdiFlush();
        dwFill = GetRaw(s, nBits, pt.x, pt.y);
        SetRaw(s, nBits, pt.x, pt.y, dwSaved);
    }
    catch (CException* e)
    {
        e->ReportError(MB_OK);
        e->Delete();
        ReleaseMemoryDC(FALSE);
        return FALSE;
    }

    BOOL bResult = TRUE;
    // A region already of the fill value stays as it is.
    if (dwFill != GetRaw(s, nBits, pt.x, pt.y))
    {
        try
        {
            switch (nBits)
            {
            case 1: FillRegion<1>(s, pt.x, pt.y, dwFill); break;
            case 4: FillRegion<4>(s, pt.x, pt.y, dwFill); break;
            case 8: FillRegion<8>(s, pt.x, pt.y, dwFill); break;
            case 16: FillRegion<16>(s, pt.x, pt.y, dwFill); break;
            case 24: FillRegion<24>(s, pt.x, pt.y, dwFill); break;
            default: FillRegion<32>(s, pt.x, pt.y, dwFill); break;
            }
        }
        catch (std::bad_alloc&)
        {
            bResult = FALSE;
        }
    }
    ReleaseMemoryDC(FALSE);
    return bResult;
}
