// CPntRectTracker: the selection tracker of the paint control.
#include "paint/PntRectTracker.h"
#include "paint/PntCtrl.h"
#include "image/PntGdiSelect.h"
#include <algorithm>

int CPntRectTracker::m_nMyHandleSize = 5;

namespace
{
// Palette-relative pure blue: exact on palette devices too.
const COLORREF crFrame = 0x02FF0000;

// The edges of the rectangle that a hit code moves.
struct MovedEdges
{
    bool bLeft, bTop, bRight, bBottom;
};

MovedEdges EdgesOf(int nHit)
{
    switch (nHit)
    {
    case CRectTracker::hitTopLeft: return { true, true, false, false };
    case CRectTracker::hitTopRight: return { false, true, true, false };
    case CRectTracker::hitBottomRight: return { false, false, true, true };
    case CRectTracker::hitBottomLeft: return { true, false, false, true };
    case CRectTracker::hitTop: return { false, true, false, false };
    case CRectTracker::hitRight: return { false, false, true, false };
    case CRectTracker::hitBottom: return { false, false, false, true };
    case CRectTracker::hitLeft: return { true, false, false, false };
    case CRectTracker::hitNothing: return { true, true, true, true };   // a new rectangle
    default: return { false, false, false, false };
    }
}

BOOL SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

LONG Clamp(LONG n, LONG nLow, LONG nHigh)
{
    return std::min(std::max(n, nLow), nHigh);
}
}

CPntRectTracker::CPntRectTracker(CPntCtrl* pCtrl, CPoint point)
    : m_nHitTest(hitNothing), m_pCtrl(pCtrl), m_bEraseLast(FALSE)
{
    m_nHandleSize = m_nMyHandleSize;
    m_sizeMin = CSize(1, 1);
    m_nStyle = dottedLine | resizeOutside;

    if (m_pCtrl != NULL)
    {
        CDIBSection* pImage = m_pCtrl->GetDIBsection();
        m_rcImage.SetRect(0, 0, pImage->GetWidth(), pImage->GetHeight());
        m_pCtrl->GetSelectionRect(&m_rcOrigSel);
        m_rect = m_rcOrigSel;
        m_pCtrl->IPtoLP(&m_rect);
        m_pCtrl->LPtoDP(&m_rect);
    }
    m_rcReported = m_rect;
    m_ptStart = SnapPoint(point);
    m_nHitTest = HitTest(m_ptStart);

    // Grabbing a selection of the whole image would move the whole image: a press there
    // starts a new selection instead. A display-only control only ever selects.
    if ((m_nHitTest == hitMiddle && SameRect(m_rcOrigSel, m_rcImage)) ||
        (m_pCtrl != NULL && m_pCtrl->GetDisplayOnly()))
        m_nHitTest = hitNothing;
}

BOOL CPntRectTracker::HasImage()
{
    return m_pCtrl != NULL && m_pCtrl->GetDIBsection()->GetSafeHandle() != NULL;
}

// Client to image and back: the image step truncates, which lands on the pixel's corner.
CPoint CPntRectTracker::SnapPoint(CPoint pt)
{
    if (!HasImage())
        return pt;
    m_pCtrl->DPtoLP(&pt);
    m_pCtrl->LPtoIP(&pt);
    m_pCtrl->IPtoLP(&pt);
    m_pCtrl->LPtoDP(&pt);
    return pt;
}

BOOL CPntRectTracker::Track(BOOL bEraseLast)
{
    m_bEraseLast = bEraseLast;
    BOOL bOK = m_pCtrl != NULL && CRectTracker::Track(m_pCtrl, m_ptStart, TRUE, m_pCtrl);
    Finalise(bOK);
    return bOK;
}

BOOL CPntRectTracker::TrackRubberBand(BOOL bEraseLast)
{
    m_bEraseLast = bEraseLast;
    BOOL bOK = m_pCtrl != NULL && CRectTracker::TrackRubberBand(m_pCtrl, m_ptStart, TRUE);
    Finalise(bOK);
    return bOK;
}

void CPntRectTracker::AdjustRect(int nHandle, LPRECT lpRect)
{
    if (lpRect != NULL && HasImage() && !m_rcImage.IsRectEmpty())
    {
        SnapToGrid();

        // The mouse stays within a handle's width of the image as shown. The cursor is moved
        // only when that changes its place: Wine answers every SetCursorPos, even to where the
        // cursor already is, with a mouse move, which comes back here, so the tracking loop
        // would spin, and starve the timers, while the mouse rests.
        POINT pt;
        if (::GetCursorPos(&pt))
        {
            const POINT ptNow = pt;
            m_pCtrl->ScreenToClient(&pt);
            CRect rcShown = m_rcImage;
            m_pCtrl->IPtoLP(&rcShown);
            m_pCtrl->LPtoDP(&rcShown);
            const LONG nReach = m_nMyHandleSize;
            pt.x = Clamp(pt.x, rcShown.left - nReach, rcShown.right + nReach);
            pt.y = Clamp(pt.y, rcShown.top - nReach, rcShown.bottom + nReach);
            m_pCtrl->ClientToScreen(&pt);
            if (pt.x != ptNow.x || pt.y != ptNow.y)
                ::SetCursorPos(pt.x, pt.y);
        }

        // The control follows live, so that a dragged image or text moves with the mouse.
        if (!SameRect(*lpRect, m_rcReported))
        {
            CRect rc = ConvertToImageCoords();
            m_pCtrl->SetSelectionRect(&rc, TRUE);
            m_rcReported = *lpRect;
        }
    }
    CRectTracker::AdjustRect(nHandle, lpRect);
}

void CPntRectTracker::SnapToGrid()
{
    if (!HasImage())
        return;

    if (m_nHitTest == hitMiddle)
    {
        // A moved selection keeps its size in image pixels exactly.
        CRect rc = m_rect;
        m_pCtrl->DPtoLP(&rc);
        m_pCtrl->LPtoIP(&rc);
        rc.right = rc.left + m_rcOrigSel.Width();
        rc.bottom = rc.top + m_rcOrigSel.Height();
        m_pCtrl->IPtoLP(&rc);
        m_pCtrl->LPtoDP(&rc);
        m_rect = rc;
        return;
    }

    // A new rectangle grows by its bottom-right corner; the press point is snapped already.
    MovedEdges edges = m_nHitTest == hitNothing ? EdgesOf(hitBottomRight) : EdgesOf(m_nHitTest);
    const CPoint ptTopLeft = SnapPoint(m_rect.TopLeft());
    const CPoint ptBottomRight = SnapPoint(m_rect.BottomRight());
    if (edges.bLeft)
        m_rect.left = ptTopLeft.x;
    if (edges.bTop)
        m_rect.top = ptTopLeft.y;
    if (edges.bRight)
        m_rect.right = ptBottomRight.x;
    if (edges.bBottom)
        m_rect.bottom = ptBottomRight.y;
}

CRect CPntRectTracker::ConvertToImageCoords()
{
    if (!HasImage())
        return m_rcOrigSel;
    CRect rcMoved = m_rect;
    m_pCtrl->DPtoLP(&rcMoved);
    m_pCtrl->LPtoIP(&rcMoved);

    // Edges that the press does not move keep their exact old values: converting them there
    // and back could make them drift by a pixel.
    CRect rc = m_rcOrigSel;
    if (m_nHitTest == hitMiddle)
    {
        // A moved selection may end partly outside the image.
        rc.SetRect(rcMoved.left, rcMoved.top, rcMoved.left + m_rcOrigSel.Width(),
                   rcMoved.top + m_rcOrigSel.Height());
        return rc;
    }
    MovedEdges edges = EdgesOf(m_nHitTest);
    if (edges.bLeft)
        rc.left = rcMoved.left;
    if (edges.bTop)
        rc.top = rcMoved.top;
    if (edges.bRight)
        rc.right = rcMoved.right;
    if (edges.bBottom)
        rc.bottom = rcMoved.bottom;
    rc.left = Clamp(rc.left, m_rcImage.left, m_rcImage.right);
    rc.right = Clamp(rc.right, m_rcImage.left, m_rcImage.right);
    rc.top = Clamp(rc.top, m_rcImage.top, m_rcImage.bottom);
    rc.bottom = Clamp(rc.bottom, m_rcImage.top, m_rcImage.bottom);
    return rc;
}

void CPntRectTracker::Finalise(BOOL bOK)
{
    // The caller decides what the selection finally is.
    if (m_pCtrl != NULL)
    {
        CRect rc = m_rcOrigSel;
        m_pCtrl->SetSelectionRect(&rc, FALSE);
    }
    if (!bOK)
    {
        m_rect = m_rcImage;
        return;
    }
    CRect rc = ConvertToImageCoords();
    rc.NormalizeRect();
    m_rect = (rc.Width() == 0 || rc.Height() == 0) ? m_rcImage : rc;
}

void CPntRectTracker::DrawTrackerRect(LPCRECT lpRect, CWnd* pWndClipTo, CDC* pDC, CWnd* pWnd)
{
    // During a drag-move the dragged image itself is the feedback.
    if (m_pCtrl == NULL || m_pCtrl->GetToolMode() == TOOL_DRAG || lpRect == NULL || pDC == NULL)
        return;
    CRect rc(lpRect);
    rc.NormalizeRect();
    if (pWndClipTo != NULL && pWnd != NULL)
        ::MapWindowPoints(pWnd->GetSafeHwnd(), pWndClipTo->GetSafeHwnd(), (LPPOINT)&rc, 2);

    // One image pixel thick, and never thinner than 2 so that it stays visible.
    CSize size(1, 1);
    if (HasImage())
        m_pCtrl->IPtoLP(&size);
    size.cx = std::max((int)size.cx, 2);
    size.cy = std::max((int)size.cy, 2);

    if (m_bFinalErase || !m_bErase)
    {
        // Without erasing, the caller repaints at every step and the old frame is gone.
        CRect rcLast = m_bEraseLast ? m_rectLast : CRect(0, 0, 0, 0);
        CSize sizeLast = m_bEraseLast ? m_sizeLast : CSize(0, 0);
        pDC->DrawDragRect(&rc, size, &rcLast, sizeLast);
    }
    m_rectLast = rc;
    m_sizeLast = size;
}

void CPntRectTracker::Draw(CDC* pDC) const
{
    if (pDC == NULL || pDC->GetSafeHdc() == NULL)
        return;
    const int nSaved = pDC->SaveDC();
    pDC->SetMapMode(MM_TEXT);
    pDC->SetViewportOrg(0, 0);
    pDC->SetWindowOrg(0, 0);

    CRect rc = m_rect;
    rc.NormalizeRect();
    rc.InflateRect(1, 1);
    CPen pen;
    if (pen.CreatePen(PS_DOT, 0, crFrame))
    {
        CPntSelectObject selPen(pDC, &pen);
        CPntSelectObject selBrush;
        selBrush.SelectStock(pDC->GetSafeHdc(), NULL_BRUSH);
        const int nOldRop = pDC->SetROP2(R2_COPYPEN);
        pDC->Rectangle(&rc);
        pDC->SetROP2(nOldRop);
    }

    if (m_nStyle & (resizeInside | resizeOutside))
    {
        CPntSelectObject selPen, selBrush;
        selPen.SelectStock(pDC->GetSafeHdc(), WHITE_PEN);
        selBrush.SelectStock(pDC->GetSafeHdc(), BLACK_BRUSH);
        const UINT nMask = GetHandleMask();
        for (int i = hitTopLeft; i <= hitLeft; i++)
        {
            if (nMask & (1u << i))
            {
                CRect rcHandle;
                GetHandleRect(i, &rcHandle);
                pDC->Rectangle(&rcHandle);
            }
        }
    }
    pDC->RestoreDC(nSaved);
}
