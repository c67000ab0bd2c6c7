// Drawing primitives of CDIBSection: each borrows the memory DC, draws with one or two GDI
// calls and a pen or brush made for the call, and gives the DC back.
#include "image/DIBSection.h"
#include "image/DIBSectionUI.h"
#include "image/PntGdiSelect.h"
#include <afxres.h>

namespace
{
// The resource exception of a pen or brush that could not be made: told through the image
// class's user interface (the library's shows it in a message box), then dropped.
void ReportResourceFailure(CException* e)
{
    IDIBSectionUI* pUI = CDIBSection::GetUserInterface();
    if (pUI != NULL)
    {
        CString strMessage;
        TCHAR szMessage[512];
        if (e->GetErrorMessage(szMessage, _countof(szMessage), NULL))
            strMessage = szMessage;
        else
            strMessage.LoadString(AFX_IDP_NO_ERROR_AVAILABLE);
        pUI->ShowError(strMessage);
    }
    e->Delete();
}

enum ShapeKind
{
    shapeRectangle,
    shapeRoundRect,
    shapeEllipse
};

// One GDI shape call over rcShape; the corner ellipse of a rounded rectangle is a third of
// the width by a third of the height of rc.
void ShapeCall(CDC* pDC, const CRect& rcShape, const CRect& rc, ShapeKind kind)
{
    switch (kind)
    {
    case shapeRoundRect:
        pDC->RoundRect(rcShape.left, rcShape.top, rcShape.right, rcShape.bottom,
                       rc.Width() / 3, rc.Height() / 3);
        break;
    case shapeEllipse:
        pDC->Ellipse(rcShape);
        break;
    default:
        pDC->Rectangle(rcShape);
        break;
    }
}

// With the stock NULL_PEN, GDI fills a rectangle one pixel short in width and height; so does
// a rounded rectangle whose corner ellipse is under three pixels either way, which it draws as
// a plain rectangle. Ellipses and other rounded rectangles fill the whole rectangle passed.
BOOL NullPenFillsShort(const CRect& rc, ShapeKind kind)
{
    switch (kind)
    {
    case shapeRectangle:
        return TRUE;
    case shapeRoundRect:
        return rc.Width() / 3 <= 2 || rc.Height() / 3 <= 2;
    default:
        return FALSE;
    }
}

// Draws the shape over rc (already adjusted) on pDC: filled with a brush of cr and no outline,
// or outlined with a pen of nWidth leaving the inside alone. Throws CResourceException when the
// pen or brush cannot be made. The stock object stays selected until the DC is released.
void DrawShape(CDC* pDC, const CRect& rc, int nWidth, COLORREF cr, BOOL bFilled, ShapeKind kind)
{
    if (bFilled)
    {
        CBrush brush(cr);
        CPntSelectObject selBrush(pDC, &brush);
        pDC->SelectStockObject(NULL_PEN);
        // The filled area must be rc itself.
        CRect rcShape(rc);
        if (NullPenFillsShort(rc, kind))
        {
            rcShape.right++;
            rcShape.bottom++;
        }
        ShapeCall(pDC, rcShape, rc, kind);
    }
    else
    {
        CPen pen(PS_SOLID, nWidth, cr);
        CPntSelectObject selPen(pDC, &pen);
        pDC->SelectStockObject(NULL_BRUSH);
        ShapeCall(pDC, rc, rc, kind);
    }
}
// A shape between two corner points, both inside it, on the image's memory DC. A one-pixel
// shape is just that pixel.
BOOL DrawShapeBetween(CDIBSection& image, CPoint pt1, CPoint pt2, int nWidth, COLORREF cr,
                      BOOL bFilled, ShapeKind kind)
{
    CDC* pDC = image.GetMemoryDC(NULL, TRUE);
    if (pDC == NULL)
        return FALSE;

    if (nWidth == 1 && pt1 == pt2)
    {
        BOOL bResult = pDC->SetPixelV(pt1, cr);
        image.ReleaseMemoryDC(FALSE);
        return bResult;
    }

    CRect rc(pt1, pt2);
    rc.NormalizeRect();
    rc.right++;
    rc.bottom++;

    try
    {
        DrawShape(pDC, rc, nWidth, cr, bFilled, kind);
    }
    catch (CException* e)
    {
        ReportResourceFailure(e);
        image.ReleaseMemoryDC(FALSE);
        return FALSE;
    }
    image.ReleaseMemoryDC(FALSE);
    return TRUE;
}
}

BOOL CDIBSection::DrawPoint(CPoint pt, int nWidth, COLORREF cr)
{
    CDC* pDC = GetMemoryDC(NULL, TRUE);
    if (pDC == NULL)
        return FALSE;

    if (nWidth == 1)
    {
        BOOL bResult = pDC->SetPixelV(pt, cr);
        ReleaseMemoryDC(FALSE);
        return bResult;
    }

    try
    {
        CPen pen(PS_SOLID, nWidth, cr);
        CPntSelectObject selPen(pDC, &pen);
        // The wide pen strokes a one-pixel box: a round dot centred on the point.
        pDC->Ellipse(pt.x, pt.y, pt.x + 1, pt.y + 1);
    }
    catch (CException* e)
    {
        ReportResourceFailure(e);
        ReleaseMemoryDC(FALSE);
        return FALSE;
    }
    ReleaseMemoryDC(FALSE);
    return TRUE;
}

BOOL CDIBSection::DrawLine(CPoint ptFrom, CPoint ptTo, int nWidth, COLORREF cr)
{
    CDC* pDC = GetMemoryDC(NULL, TRUE);
    if (pDC == NULL)
        return FALSE;

    if (nWidth == 1 && ptFrom == ptTo)
    {
        BOOL bResult = pDC->SetPixelV(ptTo, cr);
        ReleaseMemoryDC(FALSE);
        return bResult;
    }

    try
    {
        CPen pen(PS_SOLID, nWidth, cr);
        CPntSelectObject selPen(pDC, &pen);
        pDC->MoveTo(ptFrom);
        pDC->LineTo(ptTo);
        // LineTo leaves the end point out.
        pDC->SetPixelV(ptTo, cr);
    }
    catch (CException* e)
    {
        ReportResourceFailure(e);
        ReleaseMemoryDC(FALSE);
        return FALSE;
    }
    ReleaseMemoryDC(FALSE);
    return TRUE;
}

BOOL CDIBSection::DrawRectangle(CPoint pt1, CPoint pt2, int nWidth, COLORREF cr, BOOL bFilled,
                                BOOL bRounded)
{
    return DrawShapeBetween(*this, pt1, pt2, nWidth, cr, bFilled,
                            bRounded ? shapeRoundRect : shapeRectangle);
}

BOOL CDIBSection::DrawEllipse(CPoint pt1, CPoint pt2, int nWidth, COLORREF cr, BOOL bFilled)
{
    return DrawShapeBetween(*this, pt1, pt2, nWidth, cr, bFilled, shapeEllipse);
}

BOOL CDIBSection::DrawText(CString str, CRect rc, UINT nFormat, COLORREF cr, CFont* pFont)
{
    if (str.IsEmpty())
        return TRUE;

    CDC* pDC = GetMemoryDC(NULL, TRUE);
    if (pDC == NULL)
        return FALSE;

    rc.NormalizeRect();
    // 0xFF000000 asks for the system's window-text colour.
    COLORREF crText = (cr == 0xFF000000) ? ::GetSysColor(COLOR_WINDOWTEXT) : cr;
    COLORREF crOldText = pDC->SetTextColor(crText);

    // No font (or an empty one) draws in the DC's current font.
    CPntSelectObject selFont(pDC, pFont);
    int nOldBkMode = pDC->SetBkMode(TRANSPARENT);

    int nHeight = ::DrawText(pDC->GetSafeHdc(), str, str.GetLength(), &rc, nFormat);

    pDC->SetBkMode(nOldBkMode);
    selFont.Restore();
    pDC->SetTextColor(crOldText);
    ReleaseMemoryDC(FALSE);
    return nHeight > 0;
}

BOOL CDIBSection::ClearRect(RECT* prc, COLORREF cr)
{
    if (prc == NULL)
        return FALSE;

    CDC* pDC = GetMemoryDC(NULL, TRUE);
    if (pDC == NULL)
        return FALSE;

    // A failure to make the brush is the caller's to handle; the DC is given back first.
    try
    {
        CBrush brush(cr);
        ::FillRect(pDC->GetSafeHdc(), prc, (HBRUSH)brush.m_hObject);
    }
    catch (CException*)
    {
        ReleaseMemoryDC(FALSE);
        throw;
    }
    ReleaseMemoryDC(FALSE);
    return TRUE;
}

BOOL CDIBSection::Clear(COLORREF cr)
{
    // One pixel larger than the image on the right and at the bottom.
    CRect rc(0, 0, GetWidth() + 1, GetHeight() + 1);
    return ClearRect(&rc, cr);
}
