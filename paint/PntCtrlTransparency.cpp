// CPntCtrl: transparency by key colour, and the masks exchanged with the host.
#include "paint/PntCtrl.h"
#include "companion/Dib.h"
#include "image/PntGdiSelect.h"

namespace
{
// A CDib's picture reduced to black and white in a new monochrome bitmap of its size.
BOOL RenderMonochrome(CDib* pDib, CBitmap& bitmap)
{
    CDC dc;
    if (pDib == NULL || !dc.CreateCompatibleDC(NULL) ||
        !bitmap.CreateBitmap(pDib->GetWidth(), pDib->GetHeight(), 1, 1, NULL))
        return FALSE;
    CPntSelectObject selBitmap(&dc, &bitmap);
    pDib->Display(&dc, CPoint(0, 0));
    return TRUE;
}
}

void CPntCtrl::KeepInLastUndoStep()
{
    // These changes record no step of their own, but undoing the change before them takes
    // them back as well: the pixels they may paint join that change's step.
    ExtendImageChange(CRect(0, 0, m_Image.GetWidth(), m_Image.GetHeight()));
}

BOOL CPntCtrl::SetFixedTransparency(HBITMAP hMask, COLORREF crTransparent)
{
    CDIBSection mask;
    mask.SetBitmap(hMask, NULL);
    KeepInLastUndoStep();
    CDC* pImageDC = m_Image.GetMemoryDC(NULL, TRUE);
    CDC* pMaskDC = pImageDC != NULL ? mask.GetMemoryDC(NULL, FALSE) : NULL;
    if (pImageDC == NULL || pMaskDC == NULL)
    {
        m_Image.ReleaseMemoryDC();
        return FALSE;
    }
    // Outside a smaller mask GetPixel fails (CLR_INVALID, not black): those pixels go too.
    const int cx = m_Image.GetWidth(), cy = m_Image.GetHeight();
    for (int x = 0; x < cx; x++)
        for (int y = 0; y < cy; y++)
            if (pMaskDC->GetPixel(x, y) != RGB(0, 0, 0))
                pImageDC->SetPixelV(x, y, crTransparent);
    mask.ReleaseMemoryDC();
    m_Image.ReleaseMemoryDC();
    SetTransparentColor(crTransparent);
    return TRUE;
}

BOOL CPntCtrl::SetFixedTransparency(CDib* pMask, COLORREF crTransparent)
{
    CBitmap bitmap;
    if (!RenderMonochrome(pMask, bitmap))
        return FALSE;
    return SetFixedTransparency((HBITMAP)bitmap.GetSafeHandle(), crTransparent);
}

BOOL CPntCtrl::SetTransparencyFromMask(HBITMAP hMask)
{
    if (hMask == NULL || m_Image.GetColorTableSize() == 0)
        return 0;
    BITMAP bm;
    if (::GetObject(hMask, sizeof(bm), &bm) != sizeof(bm))
        return -1;
    if (bm.bmPlanes * bm.bmBitsPixel != 1 || bm.bmWidth != m_Image.GetWidth() || bm.bmHeight != m_Image.GetHeight())
        return 0;

    CDIBSection mask;
    if (!mask.SetBitmap(hMask, NULL))
        return 0;
    CDC* pImageDC = m_Image.GetMemoryDC(NULL, TRUE);
    if (pImageDC == NULL)
        return 0;
    CDC* pMaskDC = mask.GetMemoryDC(NULL, FALSE);
    if (pMaskDC == NULL)
    {
        // Without the mask's pixels nothing can be told apart: the image stays as it is.
        m_Image.ReleaseMemoryDC();
        return 0;
    }

    // How often each standard colour appears among the opaque pixels.
    const int cx = m_Image.GetWidth(), cy = m_Image.GetHeight();
    const int nColours = (int)(sizeof(ms_StdColours) / sizeof(ms_StdColours[0]));
    LONGLONG counts[16] = {};
    for (int x = 0; x < cx; x++)
        for (int y = 0; y < cy; y++)
        {
            if (pMaskDC->GetPixel(x, y) != RGB(0, 0, 0))
                continue;
            COLORREF cr = pImageDC->GetPixel(x, y);
            for (int i = 0; i < nColours; i++)
                if (ms_StdColours[i].crColour == cr)
                {
                    counts[i]++;
                    break;
                }
        }
    // The highest-indexed free colour, or else the least used one (ties to the higher index).
    COLORREF crKey = PNT_NO_COLOUR;
    LONGLONG nBest = (LONGLONG)cx * cy;
    for (int i = nColours - 1; i >= 0; i--)
    {
        if (counts[i] < nBest)
        {
            crKey = ms_StdColours[i].crColour;
            nBest = counts[i];
        }
        if (counts[i] == 0)
            break;
    }

    KeepInLastUndoStep();
    for (int x = 0; x < cx; x++)
        for (int y = 0; y < cy; y++)
            if (pMaskDC->GetPixel(x, y) != RGB(0, 0, 0))
                pImageDC->SetPixelV(x, y, crKey);
    mask.ReleaseMemoryDC();
    m_Image.ReleaseMemoryDC();
    SetTransparentColor(crKey);
    return 1;
}

BOOL CPntCtrl::SetTransparencyFromCDib(CDib* pMask)
{
    CBitmap bitmap;
    if (pMask == NULL || !RenderMonochrome(pMask, bitmap))
        return FALSE;
    return SetTransparencyFromMask((HBITMAP)bitmap.GetSafeHandle());
}

HBITMAP CPntCtrl::GetMask()
{
    m_bmpMask.DeleteObject();
    const int cx = m_Image.GetWidth(), cy = m_Image.GetHeight();
    CDC dcImage, dcMask;
    if (!dcImage.CreateCompatibleDC(NULL) || !dcMask.CreateCompatibleDC(NULL))
        return NULL;
    CBitmap bmpImage;
    if (!bmpImage.CreateBitmap(cx, cy, 1, (UINT)m_Image.GetBitCount(), NULL) ||
        !m_bmpMask.CreateBitmap(cx, cy, 1, 1, NULL))
    {
        m_bmpMask.DeleteObject();
        return NULL;
    }
    CPntSelectObject selImage(&dcImage, &bmpImage);
    if (!selImage.IsSelected())
    {
        // A memory DC takes only monochrome bitmaps and bitmaps of the display's depth: an
        // image of another depth is copied through a display-compatible bitmap instead.
        bmpImage.DeleteObject();
        CWindowDC dcScreen(NULL);
        if (bmpImage.CreateCompatibleBitmap(&dcScreen, cx, cy))
            selImage.Select(dcImage.GetSafeHdc(), bmpImage.GetSafeHandle());
        if (!selImage.IsSelected())
        {
            m_bmpMask.DeleteObject();
            return NULL;
        }
    }
    CPntSelectObject selMask(&dcMask, &m_bmpMask);
    if (m_crTransparentColor != PNT_NO_COLOUR && m_bTransparent)
    {
        // Colour to monochrome: pixels of the background colour become white, all else black.
        m_Image.Draw(&dcImage, CPoint(0, 0));
        dcImage.SetBkColor(m_crTransparentColor);
        dcMask.BitBlt(0, 0, cx, cy, &dcImage, 0, 0, SRCCOPY);
    }
    else
    {
        dcMask.PatBlt(0, 0, cx, cy, BLACKNESS);
    }
    selImage.Restore();
    selMask.Restore();
    return (HBITMAP)m_bmpMask.GetSafeHandle();
}

BOOL CPntCtrl::GetCDibMask(CDib* pDib)
{
    if (pDib == NULL)
        return FALSE;
    CWindowDC dcScreen(NULL);
    if (dcScreen.GetSafeHdc() == NULL)
        return FALSE;
    return pDib->Init(&dcScreen, CBitmap::FromHandle(GetMask()), 0, 1, 0);
}

BOOL CPntCtrl::DrawImageTransparentlyOnImage(CDC* pDC, CDIBSection& src, CPoint pt, COLORREF crTransparent,
                                             POINT* pSrcPt, SIZE* pSize)
{
    if (pDC == NULL || pDC->GetSafeHdc() == NULL || src.GetSafeHandle() == NULL)
        return FALSE;
    CSize size = pSize != NULL ? CSize(*pSize) : CSize(src.GetWidth(), src.GetHeight());
    CPoint ptSrc = pSrcPt != NULL ? CPoint(*pSrcPt) : CPoint(0, 0);

    CDC dcSource, dcMask, dcFore, dcBack;
    if (!dcSource.CreateCompatibleDC(pDC) || !dcMask.CreateCompatibleDC(pDC) || !dcFore.CreateCompatibleDC(pDC) ||
        !dcBack.CreateCompatibleDC(pDC))
        return FALSE;
    CBitmap bmpMask, bmpFore, bmpBack;
    if (!bmpMask.CreateBitmap(size.cx, size.cy, 1, 1, NULL) ||
        !bmpFore.CreateCompatibleBitmap(pDC, size.cx, size.cy) ||
        !bmpBack.CreateCompatibleBitmap(pDC, size.cx, size.cy))
        return FALSE;
    CPntSelectObject selSource(dcSource.GetSafeHdc(), src.GetSafeHandle());
    CPntSelectObject selMask(&dcMask, &bmpMask);
    CPntSelectObject selFore(&dcFore, &bmpFore);
    CPntSelectObject selBack(&dcBack, &bmpBack);

    // Mask: key-coloured pixels white, the rest black.
    COLORREF crOldBk = dcSource.SetBkColor(crTransparent);
    dcMask.BitBlt(0, 0, size.cx, size.cy, &dcSource, ptSrc.x, ptSrc.y, SRCCOPY);
    dcSource.SetBkColor(crOldBk);
    // Foreground: the picture with its key-coloured pixels made black.
    dcFore.BitBlt(0, 0, size.cx, size.cy, &dcSource, ptSrc.x, ptSrc.y, SRCCOPY);
    dcFore.BitBlt(0, 0, size.cx, size.cy, &dcMask, 0, 0, 0x220326);   // DSna
    // Background: the destination where the key was, black elsewhere; then the picture on top.
    dcBack.BitBlt(0, 0, size.cx, size.cy, pDC, pt.x, pt.y, SRCCOPY);
    dcBack.BitBlt(0, 0, size.cx, size.cy, &dcMask, 0, 0, SRCAND);
    dcBack.BitBlt(0, 0, size.cx, size.cy, &dcFore, 0, 0, SRCINVERT);
    pDC->BitBlt(pt.x, pt.y, size.cx, size.cy, &dcBack, 0, 0, SRCCOPY);
    return TRUE;
}
