// CPntCtrl: giving the control its image, replacing, resizing, handing out and printing it.
#include "paint/PntCtrl.h"
#include <afxdlgs.h>
#include "companion/Dib.h"
#include "image/PntGdiSelect.h"
#include "paint/PntDimensionsPrompt.h"

namespace
{
// Defaults of a new blank image when the caller gives none.
const int kDefaultNewWidth = 32;
const int kDefaultNewHeight = 32;
const int kDefaultNewBitsPerPixel = 8;
}

void CPntCtrl::Reset()
{
    SetImageChanged(FALSE);
    ClearUndoList();
    ResetSelectionRect();
    if (WindowExists())
    {
        ResetScrollBars();
        Invalidate(TRUE);
    }
}

BOOL CPntCtrl::SetBitmap(BITMAPINFO* pInfo, void* pBits)
{
    BOOL bResult = m_Image.SetBitmap(pInfo, pBits);
    Reset();
    return bResult;
}

BOOL CPntCtrl::SetBitmap(HBITMAP hBitmap)
{
    // The caller's palette, if it has one, is not taken: the bitmap's own colours are.
    BOOL bResult = m_Image.SetBitmap(hBitmap, NULL);
    Reset();
    return bResult;
}

BOOL CPntCtrl::SetBitmap(UINT nResourceID)
{
    BOOL bResult = m_Image.SetBitmap(nResourceID);
    Reset();
    return bResult;
}

BOOL CPntCtrl::SetBitmap(LPCTSTR lpszResourceName)
{
    BOOL bResult = m_Image.SetBitmap(lpszResourceName);
    Reset();
    return bResult;
}

BOOL CPntCtrl::SetBitmapFromCDib(CDib* pDib)
{
    // No CDib empties the image, as a null bitmap handle does.
    BOOL bResult = pDib != NULL ? m_Image.SetBitmap(pDib->GetBitmapInfo(), pDib->GetBits())
                                : m_Image.SetBitmap((HBITMAP)NULL, NULL);
    Reset();
    return bResult;
}

BOOL CPntCtrl::GetCDibFromBitmap(CDib* pDib, int nParam)
{
    if (pDib == NULL)
        return FALSE;
    CDC dc;
    if (!dc.CreateCompatibleDC(NULL))
        return FALSE;
    // On a palette display the bits are read through the image's palette.
    CPalette* pPalette = m_Image.GetPalette();
    const BOOL bPaletteDisplay = (dc.GetDeviceCaps(RASTERCAPS) & RC_PALETTE) != 0;
    CPntSelectPalette selPalette(dc.GetSafeHdc(),
                                 bPaletteDisplay && pPalette != NULL ? (HPALETTE)pPalette->GetSafeHandle() : NULL,
                                 TRUE, FALSE);
    return pDib->Init(&dc, CBitmap::FromHandle(m_Image.GetSafeHandle()), 0, 0, nParam);
}

BOOL CPntCtrl::Load(LPCTSTR lpszPath)
{
    BOOL bResult = m_Image.Load(lpszPath);
    Reset();
    return bResult;
}

BOOL CPntCtrl::Save(LPCTSTR lpszPath)
{
    BOOL bResult = m_Image.Save(lpszPath);
    if (WindowExists())
        Invalidate(TRUE);
    return bResult;
}

BOOL CPntCtrl::CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitCount, const void* pBits,
                            LOGPALETTE* pPalette)
{
    BOOL bResult = m_Image.CreateBitmap(nWidth, nHeight, nPlanes, nBitCount, pBits, pPalette, m_pColorArray);
    Reset();
    return bResult;
}

BOOL CPntCtrl::PromptNewBitmap(int nWidth, int nHeight, int nBitsPerPixel)
{
    if (nWidth < 0)
        nWidth = kDefaultNewWidth;
    if (nHeight < 0)
        nHeight = kDefaultNewHeight;
    if (nBitsPerPixel < 0)
        nBitsPerPixel = kDefaultNewBitsPerPixel;

    PntDimensions dims = { nWidth, nHeight, nBitsPerPixel, FALSE };
    if (!PntPromptDimensions(dims, FALSE))
        return FALSE;
    // The dialog takes any number. A size that no image can have would cost the user the
    // current picture, which CreateBitmap gives up first: such a size is refused up front.
    {
        CDIBSection trial;
        if (!trial.CreateBitmap(dims.nWidth, dims.nHeight, 1, (UINT)dims.nBitsPerPixel))
            return FALSE;
    }
    return CreateBitmap(dims.nWidth, dims.nHeight, 1, (UINT)dims.nBitsPerPixel, NULL, NULL);
}

BOOL CPntCtrl::Resize()
{
    if (m_Image.GetSafeHandle() == NULL)
        return PromptNewBitmap(-1, -1, -1);

    CRect rcSelection = m_rcSelection;
    int nWidth = m_Image.GetWidth();
    int nHeight = m_Image.GetHeight();
    PntDimensions dims = { nWidth, nHeight, m_Image.GetBitCount(), FALSE };
    // Cropping makes sense only to a visible selection that is not the whole image.
    const BOOL bOfferCrop = m_bShowSelectionRect && rcSelection != CRect(0, 0, nWidth, nHeight);
    if (!PntPromptDimensions(dims, bOfferCrop))
        return FALSE;

    // A new size or depth: the step keeps the whole image.
    PreImageChange();
    CSize sizeNew(dims.nWidth, dims.nHeight);
    CPoint ptOrigin(0, 0);
    if (dims.bCropToSelection)
    {
        sizeNew = rcSelection.Size();
        ptOrigin = rcSelection.TopLeft();
    }
    BOOL bResult = m_Image.Resize(sizeNew.cx, sizeNew.cy, 1, (UINT)dims.nBitsPerPixel, &ptOrigin);

    SetImageChanged(TRUE);
    ResetScrollBars();
    ResetSelectionRect();
    if (WindowExists())
        Invalidate(TRUE);
    return bResult;
}

BOOL CPntCtrl::Print()
{
    CPrintDialog dlg(FALSE);
    if (dlg.DoModal() != IDOK)
    {
        // A cancelled dialog may still have made a DC (PD_RETURNDC) or device blocks.
        if (dlg.GetPrinterDC() != NULL)
            ::DeleteDC(dlg.GetPrinterDC());
        ::GlobalFree(dlg.m_pd.hDevMode);
        ::GlobalFree(dlg.m_pd.hDevNames);
        return FALSE;
    }

    CDC dc;
    dc.Attach(dlg.GetPrinterDC());
    PrintPage(&dc);
    dc.DeleteDC();
    ::GlobalFree(dlg.m_pd.hDevMode);
    ::GlobalFree(dlg.m_pd.hDevNames);
    return TRUE;
}

BOOL CPntCtrl::PrintPage(CDC* pDC)
{
    if (pDC == NULL || pDC->GetSafeHdc() == NULL)
        return FALSE;
    pDC->m_bPrinting = TRUE;

    // The document is named after the host application; the library has no title of its own.
    CString strTitle;
    strTitle.LoadString(AFX_IDS_APP_TITLE);
    DOCINFO di;
    ::ZeroMemory(&di, sizeof(di));
    di.cbSize = sizeof(di);
    di.lpszDocName = strTitle;

    // StartDoc fails with zero or a negative value; no page is started on a bad job.
    BOOL bGood = pDC->StartDoc(&di) > 0;
    if (bGood)
    {
        pDC->StartPage();
        OnDraw(pDC);
        bGood = pDC->EndPage() > 0;
    }
    if (bGood)
        pDC->EndDoc();
    else
        pDC->AbortDoc();
    return bGood;
}
