// CDC::DrawDragRect: the inverted frame that follows the mouse while a rectangle is dragged.
#include <afxwin.h>
#include <algorithm>

namespace
{
// The band between rc and rc deflated by size (all of rc when size reaches its middle).
void MakeFrameRegion(CRgn& rgn, LPCRECT lpRect, SIZE size)
{
    CRect rcOuter(lpRect);
    rcOuter.NormalizeRect();
    CRect rcInner = rcOuter;
    rcInner.DeflateRect(std::max((int)size.cx, 0), std::max((int)size.cy, 0));
    if (rcInner.left >= rcInner.right || rcInner.top >= rcInner.bottom)
        rcInner.SetRectEmpty();
    CRgn rgnInner;
    rgn.CreateRectRgnIndirect(&rcOuter);
    if (rgnInner.CreateRectRgnIndirect(&rcInner))
        rgn.CombineRgn(&rgn, &rgnInner, RGN_XOR);
}

// Inverts the region (logical coordinates) with the brush, inside the DC's own clipping,
// which is left as it was.
void InvertRegion(HDC hDC, CRgn& rgn, HBRUSH hBrush)
{
    CRect rcBox;
    if (rgn.GetSafeHandle() == NULL || rgn.GetRgnBox(&rcBox) == NULLREGION || rcBox.IsRectEmpty())
        return;

    // Clip regions are in device units: shift by where the logical origin lands.
    POINT ptOrigin = { 0, 0 };
    ::LPtoDP(hDC, &ptOrigin, 1);
    CRgn rgnClip, rgnOldClip;
    if (!rgnClip.CreateRectRgn(0, 0, 0, 0) || !rgnOldClip.CreateRectRgn(0, 0, 0, 0))
        return;
    rgnClip.CopyRgn(&rgn);
    rgnClip.OffsetRgn(ptOrigin.x, ptOrigin.y);
    const BOOL bOldClip = ::GetClipRgn(hDC, (HRGN)rgnOldClip.GetSafeHandle()) == 1;
    if (bOldClip)
        rgnClip.CombineRgn(&rgnClip, &rgnOldClip, RGN_AND);

    ::SelectClipRgn(hDC, (HRGN)rgnClip.GetSafeHandle());
    HGDIOBJ hOldBrush = ::SelectObject(hDC, hBrush);
    ::PatBlt(hDC, rcBox.left, rcBox.top, rcBox.Width(), rcBox.Height(), PATINVERT);
    ::SelectObject(hDC, hOldBrush);
    ::SelectClipRgn(hDC, bOldClip ? (HRGN)rgnOldClip.GetSafeHandle() : NULL);
}
}

CBrush* PASCAL CDC::GetHalftoneBrush()
{
    // Made once and kept for the life of the process, as the brush of every drag frame.
    static const HBRUSH s_hBrush = [] {
        static const WORD s_wRows[8] = { 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA };
        // The pattern bitmap stays too: not every GDI copies it into the brush.
        HBITMAP hPattern = ::CreateBitmap(8, 8, 1, 1, s_wRows);
        return hPattern != NULL ? ::CreatePatternBrush(hPattern) : NULL;
    }();
    return s_hBrush != NULL ? CBrush::FromHandle(s_hBrush) : NULL;
}

void CDC::DrawDragRect(LPCRECT lpRect, SIZE size, LPCRECT lpRectLast, SIZE sizeLast,
                       CBrush* pBrush, CBrush* pBrushLast)
{
    if (m_hDC == NULL || lpRect == NULL)
        return;
    if (pBrush == NULL)
        pBrush = GetHalftoneBrush();
    // The old frame was drawn with the brush of this call unless told otherwise.
    if (pBrushLast == NULL)
        pBrushLast = pBrush;
    HBRUSH hBrush = (HBRUSH)pBrush->GetSafeHandle();
    HBRUSH hBrushLast = (HBRUSH)pBrushLast->GetSafeHandle();
    if (hBrush == NULL)
        return;

    CRgn rgnNew;
    MakeFrameRegion(rgnNew, lpRect, size);
    if (lpRectLast == NULL)
    {
        InvertRegion(m_hDC, rgnNew, hBrush);
        return;
    }

    CRgn rgnLast;
    MakeFrameRegion(rgnLast, lpRectLast, sizeLast);
    if (hBrush == hBrushLast)
    {
        // Where the old and new bands overlap the pixels would be inverted twice: only the
        // difference is touched, so the overlap does not flicker.
        rgnNew.CombineRgn(&rgnNew, &rgnLast, RGN_XOR);
        InvertRegion(m_hDC, rgnNew, hBrush);
    }
    else
    {
        if (hBrushLast != NULL)
            InvertRegion(m_hDC, rgnLast, hBrushLast);
        InvertRegion(m_hDC, rgnNew, hBrush);
    }
}
