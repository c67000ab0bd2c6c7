// Display of CDIBSection on any DC: 1:1 and scaled, plain or with transparency given by a
// colour key or a monochrome mask. Transparent forms are built from raster operations on
// scratch memory DCs; plain display of a deep image may go through DrawDib for dithering.
#include "image/DIBSection.h"
#include "image/PntGdiSelect.h"
#include "image/PntColour.h"

namespace
{
// Mono-to-colour expansion through palette-relative black and white is exact on palette devices.
const COLORREF crPalBlack = 0x02000000;
const COLORREF crPalWhite = 0x02FFFFFF;

// Text and background colours of a DC, put back when this goes out of scope.
class CColourState
{
public:
    explicit CColourState(CDC* pDC)
        : m_pDC(pDC), m_crText(pDC->GetTextColor()), m_crBk(pDC->GetBkColor())
    {
    }
    ~CColourState()
    {
        m_pDC->SetTextColor(m_crText);
        m_pDC->SetBkColor(m_crBk);
    }
    void Set(COLORREF crText, COLORREF crBk)
    {
        m_pDC->SetTextColor(crText);
        m_pDC->SetBkColor(crBk);
    }

private:
    CDC* m_pDC;
    COLORREF m_crText;
    COLORREF m_crBk;
};

BOOL IsUsableDC(CDC* pDC)
{
    return pDC != NULL && pDC->GetSafeHdc() != NULL;
}

// The scratch DCs of one transparent blit: a device-compatible copy of the image, a mask, and
// a DC to read the DIB section through; the image's palette is selected in all of them and in
// the destination. Members are destroyed in reverse order, so every selection is undone
// before the bitmaps and DCs are freed.
class CBlitScratch
{
public:
    CDC m_dcImage;
    CDC m_dcMask;
    CDC m_dcSection;
    CBitmap m_bmImage;
    CBitmap m_bmMask;
    CPntSelectObject m_selImage;
    CPntSelectObject m_selMask;
    CPntSelectObject m_selSection;
    CPntSelectPalette m_palImage;
    CPntSelectPalette m_palMask;
    CPntSelectPalette m_palSection;
    CPntSelectPalette m_palDest;

    // Image and mask DCs compatible with pImageLike, the section DC with pSectionLike (NULL:
    // the screen), and a copy bitmap of size compatible with pDest.
    BOOL Create(CDC* pDest, CDC* pImageLike, CDC* pSectionLike, CSize size, HPALETTE hPalette)
    {
        if (!m_dcImage.CreateCompatibleDC(pImageLike) || !m_dcMask.CreateCompatibleDC(pImageLike) ||
            !m_dcSection.CreateCompatibleDC(pSectionLike))
            return FALSE;
        if (!m_bmImage.CreateCompatibleBitmap(pDest, size.cx, size.cy) ||
            !m_selImage.Select(m_dcImage, m_bmImage.m_hObject))
            return FALSE;
        if (hPalette != NULL)
        {
            m_palImage.Select(m_dcImage, hPalette);
            m_palMask.Select(m_dcMask, hPalette);
            m_palSection.Select(m_dcSection, hPalette);
            m_palDest.Select(pDest->GetSafeHdc(), hPalette);
        }
        return TRUE;
    }

    // Copies the part of the DIB section at ptOrigin into the image DC; FALSE when the section
    // cannot be selected (it is lent to another DC).
    BOOL CopyImage(HBITMAP hSection, CPoint ptOrigin, CSize size)
    {
        if (!m_selSection.Select(m_dcSection, hSection))
            return FALSE;
        m_dcImage.BitBlt(0, 0, size.cx, size.cy, &m_dcSection, ptOrigin.x, ptOrigin.y, SRCCOPY);
        m_selSection.Restore();
        return TRUE;
    }

    BOOL CreateMask(CSize size)
    {
        return m_bmMask.CreateBitmap(size.cx, size.cy, 1, 1, NULL) &&
               m_selMask.Select(m_dcMask, m_bmMask.m_hObject);
    }

    // The mask turns white where the image copy has crKey; the key pixels of the copy then turn
    // black, so that OR-ing the copy in leaves the destination there.
    BOOL MakeKeyMask(CSize size, COLORREF crKey)
    {
        m_dcImage.SetBkColor(crKey);
        m_dcMask.SetBkColor(crKey);
        if (!m_dcMask.BitBlt(0, 0, size.cx, size.cy, &m_dcImage, 0, 0, SRCCOPY))
            return FALSE;
        m_dcImage.SetBkColor(crPalBlack);
        m_dcImage.SetTextColor(crPalWhite);
        return m_dcImage.BitBlt(0, 0, size.cx, size.cy, &m_dcMask, 0, 0, SRCAND);
    }
};
// Draws part rcSrc of a DIB onto rcDest of hDC through DrawDib, which dithers deep images.
// DrawDib leaves its palette selected in the DC; the caller's goes back afterwards.
BOOL DrawDibBlit(HDRAWDIB hDrawDib, HDC hDC, HPALETTE hPalette, BITMAPINFOHEADER* pHeader,
                 void* pBits, const CRect& rcDest, const CRect& rcSrc)
{
    HPALETTE hOldPalette = (HPALETTE)::GetCurrentObject(hDC, OBJ_PAL);
    ::GdiFlush();
    ::DrawDibSetPalette(hDrawDib, hPalette);
    ::DrawDibRealize(hDrawDib, hDC, FALSE);
    BOOL bResult = ::DrawDibDraw(hDrawDib, hDC, rcDest.left, rcDest.top, rcDest.Width(),
                                 rcDest.Height(), pHeader, pBits, rcSrc.left, rcSrc.top,
                                 rcSrc.Width(), rcSrc.Height(), 0);
    if (hOldPalette != NULL)
        ::SelectPalette(hDC, hOldPalette, TRUE);
    return bResult;
}
}

BOOL CDIBSection::Draw(CDC* pDC, CPoint pt, POINT* ptSrc, SIZE* pSize)
{
    if (!IsValid() || !IsUsableDC(pDC))
        return FALSE;

    // The part never runs past the right or bottom edge of the image.
    CPoint ptOrigin = ptSrc ? CPoint(*ptSrc) : CPoint(0, 0);
    CSize size = pSize ? CSize(*pSize) : GetSize();
    if ((LONGLONG)ptOrigin.x + size.cx >= GetWidth())
        size.cx = (LONG)((LONGLONG)GetWidth() - ptOrigin.x);
    if ((LONGLONG)ptOrigin.y + size.cy >= GetHeight())
        size.cy = (LONG)((LONGLONG)GetHeight() - ptOrigin.y);
    // Nothing of the image lies there.
    if (size.cx <= 0 || size.cy <= 0)
        return FALSE;

    HDC hDC = pDC->GetSafeHdc();
    HDRAWDIB hDrawDib = GetDrawDibContext();
    if (hDrawDib != NULL)
    {
        return DrawDibBlit(hDrawDib, hDC, (HPALETTE)m_Palette.GetSafeHandle(), &m_DIBInfo.bmiHeader,
                           m_pBits, CRect(pt, size), CRect(ptOrigin, size));
    }

    CDC* pMemDC = GetMemoryDC(pDC, FALSE);
    if (pMemDC == NULL)
        return FALSE;

    BOOL bResult;
    {
        CPntSelectPalette palette;
        if (UsesPalette(pDC))
            palette.Select(hDC, (HPALETTE)m_Palette.GetSafeHandle());
        bResult = pDC->BitBlt(pt.x, pt.y, size.cx, size.cy, pMemDC, ptOrigin.x, ptOrigin.y,
                              SRCCOPY);
    }
    ReleaseMemoryDC(FALSE);
    return bResult;
}

BOOL CDIBSection::Stretch(CDC* pDC, CPoint pt, CSize size)
{
    if (!IsValid() || !IsUsableDC(pDC))
        return FALSE;

    // No averaging: every destination pixel is one of the image's.
    pDC->SetStretchBltMode(COLORONCOLOR);

    HDC hDC = pDC->GetSafeHdc();
    HDRAWDIB hDrawDib = GetDrawDibContext();
    if (hDrawDib != NULL)
    {
        return DrawDibBlit(hDrawDib, hDC, (HPALETTE)m_Palette.GetSafeHandle(), &m_DIBInfo.bmiHeader,
                           m_pBits, CRect(pt, size), CRect(CPoint(0, 0), GetSize()));
    }

    CDC* pMemDC = GetMemoryDC(pDC, FALSE);
    if (pMemDC == NULL)
        return FALSE;

    BOOL bResult;
    {
        CPntSelectPalette palette;
        if (UsesPalette(pDC))
            palette.Select(hDC, (HPALETTE)m_Palette.GetSafeHandle());
        bResult = pDC->StretchBlt(pt.x, pt.y, size.cx, size.cy, pMemDC, 0, 0, GetWidth(),
                                  GetHeight(), SRCCOPY);
    }
    ReleaseMemoryDC(FALSE);
    return bResult;
}

BOOL CDIBSection::DrawTransparent(CDC* pDC, CPoint pt, COLORREF crTransparent, POINT* ptSrc,
                                  SIZE* pSize)
{
    if (!IsValid() || !IsUsableDC(pDC))
        return FALSE;
    if (crTransparent == PNT_NO_COLOUR)
        return Draw(pDC, pt, ptSrc, pSize);

    // The part is not clipped to the image here.
    CSize size = pSize ? CSize(*pSize) : GetSize();
    CPoint ptOrigin = ptSrc ? CPoint(*ptSrc) : CPoint(0, 0);
    if (size.cx <= 0 || size.cy <= 0)
        return FALSE;

    CColourState destColours(pDC);
    CBlitScratch scratch;
    if (!scratch.Create(pDC, NULL, NULL, size, (HPALETTE)m_Palette.GetSafeHandle()))
        return FALSE;
    if (!scratch.CopyImage(m_hBitmap, ptOrigin, size) || !scratch.CreateMask(size))
        return FALSE;
    // This form does not check its raster operations.
    scratch.MakeKeyMask(size, crTransparent);

    // Black out the destination where the image is opaque, then add the image there.
    destColours.Set(crPalBlack, crPalWhite);
    pDC->BitBlt(pt.x, pt.y, size.cx, size.cy, &scratch.m_dcMask, 0, 0, SRCAND);
    pDC->BitBlt(pt.x, pt.y, size.cx, size.cy, &scratch.m_dcImage, 0, 0, SRCPAINT);
    return TRUE;
}

BOOL CDIBSection::DrawTransparent(CDC* pDC, CPoint pt, HBITMAP hMask, POINT* ptSrc, SIZE* pSize)
{
    if (!IsValid() || !IsUsableDC(pDC) || hMask == NULL)
        return FALSE;

    CSize size = pSize ? CSize(*pSize) : GetSize();
    CPoint ptOrigin = ptSrc ? CPoint(*ptSrc) : CPoint(0, 0);
    if (size.cx <= 0 || size.cy <= 0)
        return FALSE;

    CColourState destColours(pDC);
    CBlitScratch scratch;
    if (!scratch.Create(pDC, pDC, pDC, size, (HPALETTE)m_Palette.GetSafeHandle()))
        return FALSE;
    if (!scratch.CopyImage(m_hBitmap, ptOrigin, size))
        return FALSE;

    // Mask pixel (i, j) governs destination pixel (pt.x + i, pt.y + j).
    if (!scratch.m_selMask.Select(scratch.m_dcMask, hMask))
        return FALSE;

    // The destination turns white where the mask is black (opaque).
    destColours.Set(crPalBlack, crPalWhite);
    if (!pDC->BitBlt(pt.x, pt.y, size.cx, size.cy, &scratch.m_dcMask, 0, 0, MERGEPAINT))
        return FALSE;

    // The copy turns white where the mask is white (transparent).
    scratch.m_dcImage.SetTextColor(crPalWhite);
    scratch.m_dcImage.SetBkColor(crPalBlack);
    scratch.m_dcImage.BitBlt(0, 0, GetWidth(), GetHeight(), &scratch.m_dcMask, 0, 0, MERGEPAINT);

    // Opaque pixels take the image's colours, transparent ones keep the destination.
    return pDC->BitBlt(pt.x, pt.y, size.cx, size.cy, &scratch.m_dcImage, 0, 0, SRCAND);
}

BOOL CDIBSection::StretchTransparent(CDC* pDC, CPoint pt, CSize size, COLORREF crTransparent)
{
    if (!IsValid() || !IsUsableDC(pDC))
        return FALSE;
    if (crTransparent == PNT_NO_COLOUR)
        return Stretch(pDC, pt, size);

    // Mask and copy are made of the whole image whatever the destination size.
    const CSize sizeImage = GetSize();
    CColourState destColours(pDC);
    CBlitScratch scratch;
    if (!scratch.Create(pDC, NULL, pDC, sizeImage, (HPALETTE)m_Palette.GetSafeHandle()))
        return FALSE;
    if (!scratch.CopyImage(m_hBitmap, CPoint(0, 0), sizeImage) || !scratch.CreateMask(sizeImage) ||
        !scratch.MakeKeyMask(sizeImage, crTransparent))
        return FALSE;

    // COLORONCOLOR scales mask and image alike without averaging, so edges stay hard.
    pDC->SetStretchBltMode(COLORONCOLOR);
    destColours.Set(crPalBlack, crPalWhite);
    if (!pDC->StretchBlt(pt.x, pt.y, size.cx, size.cy, &scratch.m_dcMask, 0, 0, sizeImage.cx,
                         sizeImage.cy, SRCAND))
        return FALSE;
    return pDC->StretchBlt(pt.x, pt.y, size.cx, size.cy, &scratch.m_dcImage, 0, 0, sizeImage.cx,
                           sizeImage.cy, SRCPAINT);
}

BOOL CDIBSection::StretchTransparent(CDC* pDC, CPoint pt, CSize size, HBITMAP hMask)
{
    if (!IsValid() || !IsUsableDC(pDC) || hMask == NULL)
        return FALSE;

    const CSize sizeImage = GetSize();
    CColourState destColours(pDC);
    CBlitScratch scratch;
    if (!scratch.Create(pDC, NULL, pDC, sizeImage, (HPALETTE)m_Palette.GetSafeHandle()))
        return FALSE;
    if (!scratch.CopyImage(m_hBitmap, CPoint(0, 0), sizeImage))
        return FALSE;

    // Mask pixel (i, j) belongs to image pixel (i, j).
    if (!scratch.m_selMask.Select(scratch.m_dcMask, hMask))
        return FALSE;

    // The destination turns white where the mask is black (opaque).
    pDC->SetStretchBltMode(COLORONCOLOR);
    destColours.Set(crPalBlack, crPalWhite);
    if (!pDC->StretchBlt(pt.x, pt.y, size.cx, size.cy, &scratch.m_dcMask, 0, 0, sizeImage.cx,
                         sizeImage.cy, MERGEPAINT))
        return FALSE;

    // The copy turns white where the mask is white (transparent).
    scratch.m_dcImage.SetBkColor(crPalWhite);
    scratch.m_dcImage.SetTextColor(crPalBlack);
    scratch.m_dcImage.BitBlt(0, 0, sizeImage.cx, sizeImage.cy, &scratch.m_dcMask, 0, 0, SRCPAINT);

    return pDC->StretchBlt(pt.x, pt.y, size.cx, size.cy, &scratch.m_dcImage, 0, 0, sizeImage.cx,
                           sizeImage.cy, SRCAND);
}
