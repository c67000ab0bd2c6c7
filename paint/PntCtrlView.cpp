// CPntCtrl's view: the image, logical and device coordinate spaces, magnification, centring,
// origin, scroll bars and the double-buffered painting with frames and pixel grid.
//
// Image point (x, y) lies at logical ((x + origin.x) * m + margin.left, ...) on the whole,
// unscrolled view; device (client) coordinates are logical ones less the scroll positions.
// Every double-to-integer step truncates toward zero, never rounds.
#include "paint/PntCtrl.h"
#include "paint/PntRectTracker.h"
#include <algorithm>
#include <vector>
#include <stdlib.h>
#include <string.h>

namespace
{
// Changing a scroll range can resize the client area, which sends WM_SIZE and so calls
// ResetScrollBars again from inside itself; one flag for the process stops that.
BOOL s_bResettingScrollBars = FALSE;

class CResetGuard
{
public:
    CResetGuard() { s_bResettingScrollBars = TRUE; }
    ~CResetGuard() { s_bResettingScrollBars = FALSE; }
};

// The thumb position of a thumb message. The message carries only its low 16 bits, so a view
// wider than 65535 would jump back while the thumb is dragged; the bar itself holds the whole
// position while it tracks. A position whose low word differs from the bar's was not sent by
// the bar's tracking (a program scrolling the view) and is taken as given.
int ThumbPosition(CWnd* pWnd, int nBar, UINT nPos)
{
    SCROLLINFO si;
    memset(&si, 0, sizeof(si));
    if (pWnd->GetScrollInfo(nBar, &si, SIF_TRACKPOS) && LOWORD(si.nTrackPos) == LOWORD(nPos))
        return si.nTrackPos;
    return (int)nPos;
}

// One scroll request on bar nBar (SB_HORZ or SB_VERT) of range 0..nRange. Line steps move
// the pixels already shown with ScrollWindow and repaint only the strip uncovered; the
// other steps repaint the client area.
void ScrollView(CWnd* pWnd, int nBar, int nRange, UINT nSBCode, UINT nPos)
{
    const BOOL bHorz = nBar == SB_HORZ;
    CRect rcClient;
    pWnd->GetClientRect(&rcClient);
    const int nOld = pWnd->GetScrollPos(nBar);
    const int nPage = bHorz ? rcClient.Width() : rcClient.Height();
    const int nStep = nPage / 10;

    switch (nSBCode)
    {
    case SB_LINEUP:
        if (nOld >= 1)
        {
            pWnd->SetScrollPos(nBar, std::max(nOld - nStep, 0), TRUE);
            int nMoved = nOld - pWnd->GetScrollPos(nBar);
            if (nMoved > 0)
            {
                // Contents move right (down); the strip at the left (top) edge is new.
                CRect rcStrip = rcClient;
                if (bHorz)
                {
                    pWnd->ScrollWindow(nMoved, 0);
                    rcStrip.right = rcStrip.left + nMoved;
                }
                else
                {
                    pWnd->ScrollWindow(0, nMoved);
                    rcStrip.bottom = rcStrip.top + nMoved;
                }
                pWnd->InvalidateRect(&rcStrip, TRUE);
            }
        }
        break;
    case SB_LINEDOWN:
        if (nOld < nRange)
        {
            pWnd->SetScrollPos(nBar, nOld + nStep, TRUE);   // the window clamps it
            int nMoved = pWnd->GetScrollPos(nBar) - nOld;
            if (nMoved > 0)
            {
                CRect rcStrip = rcClient;
                if (bHorz)
                {
                    pWnd->ScrollWindow(-nMoved, 0);
                    rcStrip.left = rcStrip.right - nMoved;
                }
                else
                {
                    pWnd->ScrollWindow(0, -nMoved);
                    rcStrip.top = rcStrip.bottom - nMoved;
                }
                pWnd->InvalidateRect(&rcStrip, TRUE);
            }
        }
        break;
    case SB_PAGEUP:
        if (nOld >= 1)
        {
            pWnd->SetScrollPos(nBar, std::max(nOld - nPage, 0), TRUE);
            pWnd->Invalidate(TRUE);
        }
        break;
    case SB_PAGEDOWN:
        if (nOld < nRange)
        {
            pWnd->SetScrollPos(nBar, std::min(nOld + nPage, nRange), TRUE);
            pWnd->Invalidate(TRUE);
        }
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        pWnd->SetScrollPos(nBar, ThumbPosition(pWnd, nBar, nPos), TRUE);
        pWnd->Invalidate(TRUE);
        break;
    case SB_TOP:
        if (nOld >= 1)
        {
            pWnd->SetScrollPos(nBar, 0, TRUE);
            pWnd->Invalidate(TRUE);
        }
        break;
    case SB_BOTTOM:
        if (nOld < nRange)
        {
            pWnd->SetScrollPos(nBar, nRange, TRUE);
            pWnd->Invalidate(TRUE);
        }
        break;
    default:
        break;
    }
}

void FillWorkspace(CDC* pDC, const RECT& rc)
{
    if (rc.right > rc.left && rc.bottom > rc.top)
        pDC->FillRect(&rc, CBrush::FromHandle(::GetSysColorBrush(COLOR_APPWORKSPACE)));
}

// Transparent display needs the switch on and a key colour.
BOOL DrawnTransparently(BOOL bTransparent, COLORREF crKey)
{
    return bTransparent && crKey != PNT_NO_COLOUR;
}

// Fills the four bands of rcClip around rcKeep with the workspace colour.
void FillWorkspaceAround(CDC* pDC, const CRect& rcClip, const CRect& rcKeep)
{
    int nTop = std::min(std::max((int)rcKeep.top, (int)rcClip.top), (int)rcClip.bottom);
    int nBottom = std::max(std::min((int)rcKeep.bottom, (int)rcClip.bottom), nTop);
    FillWorkspace(pDC, CRect(rcClip.left, rcClip.top, rcClip.right, nTop));
    FillWorkspace(pDC, CRect(rcClip.left, nTop, std::min((int)rcKeep.left, (int)rcClip.right), nBottom));
    FillWorkspace(pDC, CRect(std::max((int)rcKeep.right, (int)rcClip.left), nTop, rcClip.right, nBottom));
    FillWorkspace(pDC, CRect(rcClip.left, nBottom, rcClip.right, rcClip.bottom));
}
}

/////////////////////////////////////////////////////////////////////////////
// Coordinate conversions

void CPntCtrl::IPtoLP(POINT* pPoint)
{
    if (pPoint == NULL)
        return;
    pPoint->x = (int)((pPoint->x + m_ptOrigin.x) * m_dMagnification) + m_rcMargin.left;
    pPoint->y = (int)((pPoint->y + m_ptOrigin.y) * m_dMagnification) + m_rcMargin.top;
}

void CPntCtrl::IPtoLP(RECT* pRect)
{
    if (pRect == NULL)
        return;
    IPtoLP((POINT*)&pRect->left);
    IPtoLP((POINT*)&pRect->right);
}

void CPntCtrl::IPtoLP(SIZE* pSize)
{
    if (pSize == NULL)
        return;
    pSize->cx = (int)(pSize->cx * m_dMagnification);
    pSize->cy = (int)(pSize->cy * m_dMagnification);
}

void CPntCtrl::LPtoIP(POINT* pPoint)
{
    if (pPoint == NULL)
        return;
    if (m_dMagnification > 0)
    {
        pPoint->x = (int)((pPoint->x - m_rcMargin.left) / m_dMagnification) - m_ptOrigin.x;
        pPoint->y = (int)((pPoint->y - m_rcMargin.top) / m_dMagnification) - m_ptOrigin.y;
    }
    else
    {
        pPoint->x = pPoint->y = 0;
    }
}

void CPntCtrl::LPtoIP(RECT* pRect)
{
    if (pRect == NULL)
        return;
    LPtoIP((POINT*)&pRect->left);
    LPtoIP((POINT*)&pRect->right);
}

void CPntCtrl::LPtoIP(SIZE* pSize)
{
    if (pSize == NULL)
        return;
    if (m_dMagnification > 0)
    {
        pSize->cx = (int)(pSize->cx / m_dMagnification);
        pSize->cy = (int)(pSize->cy / m_dMagnification);
    }
    else
    {
        pSize->cx = pSize->cy = 0;
    }
}

// A scroll bar counts only while it has a range; a hidden bar may keep a stale position.
CSize CPntCtrl::ScrollOffset()
{
    BOOL bWnd = WindowExists();
    return CSize((bWnd && m_nHScrollRange >= 1) ? GetScrollPos(SB_HORZ) : 0,
                 (bWnd && m_nVScrollRange >= 1) ? GetScrollPos(SB_VERT) : 0);
}

void CPntCtrl::LPtoDP(POINT* pPoint)
{
    if (pPoint != NULL)
        *pPoint = CPoint(*pPoint) - ScrollOffset();
}

void CPntCtrl::LPtoDP(RECT* pRect)
{
    if (pRect != NULL)
        *pRect = CRect(*pRect) - ScrollOffset();
}

// Callers pass points in SIZE structures: shifted like points.
void CPntCtrl::LPtoDP(SIZE* pSize)
{
    if (pSize != NULL)
        *pSize = CSize(*pSize) - ScrollOffset();
}

void CPntCtrl::DPtoLP(POINT* pPoint)
{
    if (pPoint != NULL)
        *pPoint = CPoint(*pPoint) + ScrollOffset();
}

void CPntCtrl::DPtoLP(RECT* pRect)
{
    if (pRect != NULL)
        *pRect = CRect(*pRect) + ScrollOffset();
}

void CPntCtrl::DPtoLP(SIZE* pSize)
{
    if (pSize != NULL)
        *pSize = CSize(*pSize) + ScrollOffset();
}

CPoint CPntCtrl::ClientToImage(CPoint pt)
{
    DPtoLP(&pt);
    LPtoIP(&pt);
    return pt;
}

// The logical extent that the scroll bars cover: the magnified image and a border around it.
CSize CPntCtrl::ImageDisplaySize()
{
    CSize size(m_Image.GetWidth() + m_ptOrigin.x, m_Image.GetHeight() + m_ptOrigin.y);
    IPtoLP(&size);
    size.cx += 2 * m_rcMargin.right;
    size.cy += 2 * m_rcMargin.bottom;
    return size;
}

/////////////////////////////////////////////////////////////////////////////
// Magnification, centring, origin and grid

UINT CPntCtrl::GetMagnification() const
{
    return (UINT)(int)(m_dMagnification * 100.0);
}

void CPntCtrl::SetMagnification(UINT nPercent)
{
    m_dMagnification = nPercent * 0.01;
    CentreImage(m_bImageCentered);
    ResetScrollBars();
    OnMagnificationChanged();
    if (WindowExists())
        Invalidate(TRUE);
}

int CPntCtrl::GetNextMagLevel(int nCurrent, BOOL bUp)
{
    if (nCurrent < 0)
        nCurrent = (int)(m_dMagnification * 100.0);
    const int nLevels = (int)(sizeof(MagnificationLevels) / sizeof(MagnificationLevels[0]));
    if (bUp)
    {
        for (int i = 0; i < nLevels; i++)
            if (MagnificationLevels[i] > nCurrent)
                return MagnificationLevels[i];
    }
    else
    {
        for (int i = nLevels - 1; i >= 0; i--)
            if (MagnificationLevels[i] < nCurrent)
                return MagnificationLevels[i];
    }
    return -1;
}

BOOL CPntCtrl::SetMagnificationToFillWindow()
{
    if (!WindowExists())
        return FALSE;
    Invalidate(TRUE);

    // Measure the client area as it would be without scroll bars.
    CRect rcClient;
    GetClientRect(&rcClient);
    if (m_nVScrollRange >= 1)
        rcClient.right += ::GetSystemMetrics(SM_CXVSCROLL);
    if (m_nHScrollRange >= 1)
        rcClient.bottom += ::GetSystemMetrics(SM_CYHSCROLL);

    // Without an image, or in a window too small to show one, there is no factor to fit:
    // the magnification stays as it is.
    int nImageWidth = m_Image.GetWidth() + m_ptOrigin.x;
    int nImageHeight = m_Image.GetHeight() + m_ptOrigin.y;
    if (m_Image.GetSafeHandle() == NULL || nImageWidth <= 0 || nImageHeight <= 0)
        return FALSE;
    double sx = (double)(rcClient.Width() - 2 * m_rcMargin.right - 1) / nImageWidth;
    double sy = (double)(rcClient.Height() - 2 * m_rcMargin.bottom - 1) / nImageHeight;
    double dFit = sx < sy ? sx : sy;
    if (dFit <= 0)
        return FALSE;

    m_dMagnification = dFit;
    ResetScrollBars();
    CentreImage(m_bImageCentered);
    OnMagnificationChanged();
    return TRUE;
}

// Computed once per call: resizing the window later does not re-centre.
void CPntCtrl::CentreImage(BOOL bCentre)
{
    if (!WindowExists())
        return;
    m_bImageCentered = bCentre;
    if (bCentre)
    {
        CSize size = ImageDisplaySize();
        CRect rcClient;
        GetClientRect(&rcClient);
        int nSpareX = (rcClient.Width() - size.cx) / 2;
        int nSpareY = (rcClient.Height() - size.cy) / 2;
        m_rcMargin.left = (nSpareX > 0 ? nSpareX : 0) + m_rcMargin.right;
        m_rcMargin.top = (nSpareY > 0 ? nSpareY : 0) + m_rcMargin.bottom;
    }
    else
    {
        m_rcMargin.left = m_rcMargin.right;
        m_rcMargin.top = m_rcMargin.bottom;
    }
    Invalidate(TRUE);
}

void CPntCtrl::SetOrigin(int x, int y)
{
    m_ptOrigin = CPoint(x, y);
    ResetScrollBars();
    if (WindowExists())
        Invalidate(TRUE);
}

void CPntCtrl::SetShowGrid(BOOL bShow, UINT nMinMagnification)
{
    m_bShowGrid = bShow;
    m_nGridMinMagnification = nMinMagnification;
    if (WindowExists())
        Invalidate(TRUE);
}

void CPntCtrl::SetGridWholePercentOnly(BOOL bWholeOnly)
{
    m_bGridWholePercentOnly = bWholeOnly;
    if (WindowExists())
        Invalidate(TRUE);
}

/////////////////////////////////////////////////////////////////////////////
// Scroll bars

void CPntCtrl::ResetScrollBars()
{
    if (s_bResettingScrollBars || !WindowExists())
        return;
    CResetGuard guard;

    CRect rcArea;
    GetClientRect(&rcArea);
    SCROLLINFO si;
    memset(&si, 0, sizeof(si));
    si.cbSize = sizeof(si);
    si.fMask = SIF_PAGE;
    si.nPage = (UINT)rcArea.Width();
    SetScrollInfo(SB_HORZ, &si, FALSE);
    si.nPage = (UINT)rcArea.Height();
    SetScrollInfo(SB_VERT, &si, FALSE);

    if (m_Image.GetSafeHandle() == NULL)
    {
        m_nHScrollRange = m_nVScrollRange = 0;
        SetScrollRange(SB_HORZ, 0, 0, TRUE);
        SetScrollRange(SB_VERT, 0, 0, TRUE);
        return;
    }

    // Work in the area that the window would have without its scroll bars.
    CSize size = ImageDisplaySize();
    if (m_nHScrollRange > 0)
        rcArea.bottom += ::GetSystemMetrics(SM_CYHSCROLL);
    if (m_nVScrollRange > 0)
        rcArea.right += ::GetSystemMetrics(SM_CXVSCROLL);
    m_nHScrollRange = m_nVScrollRange = 0;

    // Less-or-equal: an image exactly as large as the area still gets a bar.
    BOOL bVertical = FALSE;
    if (rcArea.Height() <= size.cy)
    {
        bVertical = TRUE;
        rcArea.right -= ::GetSystemMetrics(SM_CXVSCROLL);
        m_nVScrollRange = size.cy;
    }
    if (rcArea.Width() <= size.cx)
    {
        m_nHScrollRange = size.cx;
        if (!bVertical)
        {
            // The horizontal bar takes height away, which may call for the vertical one.
            rcArea.bottom -= ::GetSystemMetrics(SM_CYHSCROLL);
            if (rcArea.Height() <= size.cy)
                m_nVScrollRange = size.cy;
        }
    }

    SetScrollRange(SB_VERT, 0, m_nVScrollRange, TRUE);
    SetScrollRange(SB_HORZ, 0, m_nHScrollRange, TRUE);

    // A page larger than the range is clamped to it, so the page given above to a bar that
    // had no range yet was cut to 1: give it again now that the ranges are set.
    GetClientRect(&rcArea);
    si.nPage = (UINT)rcArea.Width();
    SetScrollInfo(SB_HORZ, &si, FALSE);
    si.nPage = (UINT)rcArea.Height();
    SetScrollInfo(SB_VERT, &si, FALSE);
}

void CPntCtrl::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    ResetScrollBars();
}

void CPntCtrl::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    if (rcClient.IsRectEmpty())
        return;
    ScrollView(this, SB_HORZ, m_nHScrollRange, nSBCode, nPos);
    CWnd::OnHScroll(nSBCode, nPos, pScrollBar);
}

void CPntCtrl::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    if (rcClient.IsRectEmpty())
        return;
    ScrollView(this, SB_VERT, m_nVScrollRange, nSBCode, nPos);
    CWnd::OnVScroll(nSBCode, nPos, pScrollBar);
}

/////////////////////////////////////////////////////////////////////////////
// Painting

// Only the workspace around the image is erased: the image area is painted over whole, so
// erasing it too would flicker.
BOOL CPntCtrl::OnEraseBkgnd(CDC* pDC)
{
    CRect rcClip;
    if (pDC == NULL || pDC->GetClipBox(&rcClip) == NULLREGION || rcClip.IsRectEmpty())
        return TRUE;
    if (m_Image.GetSafeHandle() == NULL)
    {
        FillWorkspace(pDC, rcClip);
        return TRUE;
    }

    CPoint ptTL, ptBR;
    ImageCornersToClient(&ptTL, &ptBR);

    // The image covers TL to BR inclusive; the four bands around it are erased.
    FillWorkspaceAround(pDC, rcClip, CRect(ptTL.x, ptTL.y, ptBR.x + 1, ptBR.y + 1));
    return TRUE;
}

// The clip box is painted off-screen and copied in one blit, so the window never flickers
// and a partial repaint costs in proportion to its area.
void CPntCtrl::OnPaint()
{
    CPaintDC dc(this);
    if (m_Image.GetSafeHandle() == NULL)
        return;

    CRect rcPaint;
    if (dc.GetClipBox(&rcPaint) == NULLREGION || rcPaint.IsRectEmpty())
        return;
    // The buffer is made at least as large as the client area, so that it is seldom remade.
    CRect rcClient;
    GetClientRect(&rcClient);
    CDC* pMemDC = m_PaintBuffer.Begin(&dc, rcPaint, rcClient.Size());
    if (pMemDC == NULL)
        return;
    CDC& dcMem = *pMemDC;

    // The workspace colour goes where the image will not cover the buffer: everywhere when
    // the image is drawn transparently, else only around the image.
    CRect rcOpaque;
    if (ImageCoversOpaquely(&rcOpaque))
        FillWorkspaceAround(&dcMem, rcPaint, rcOpaque);
    else
        FillWorkspace(&dcMem, rcPaint);
    OnDraw(&dcMem);

    // The frames are drawn with window origin 0, so their rectangles are made buffer-relative.
    if (m_nToolMode != TOOL_SELECT && m_nToolMode != TOOL_TEXT)
    {
        CRect rcImage(0, 0, m_Image.GetWidth(), m_Image.GetHeight());
        IPtoLP(&rcImage);
        LPtoDP(&rcImage);
        rcImage.OffsetRect(-rcPaint.left, -rcPaint.top);
        rcImage.NormalizeRect();
        CPntRectTracker tracker(this, CPoint(0, 0));
        tracker.m_rect = rcImage;
        tracker.m_nStyle = 0;   // the frame alone
        tracker.Draw(&dcMem);
    }
    if (m_bShowSelectionRect)
    {
        CRect rcSelection = m_rcSelection;
        IPtoLP(&rcSelection);
        LPtoDP(&rcSelection);
        rcSelection.OffsetRect(-rcPaint.left, -rcPaint.top);
        rcSelection.NormalizeRect();
        CPntRectTracker tracker(this, CPoint(0, 0));
        tracker.m_rect = rcSelection;
        tracker.Draw(&dcMem);
    }

    CPalette* pOldPalette = NULL;
    BOOL bPalette = (dc.GetDeviceCaps(RASTERCAPS) & RC_PALETTE) != 0 &&
                    m_Image.GetPalette()->GetSafeHandle() != NULL;
    if (bPalette)
    {
        pOldPalette = dc.SelectPalette(m_Image.GetPalette(), FALSE);
        dc.RealizePalette();
    }
    dc.BitBlt(rcPaint.left, rcPaint.top, rcPaint.Width(), rcPaint.Height(), &dcMem,
              rcPaint.left, rcPaint.top, SRCCOPY);
    if (bPalette && pOldPalette != NULL)
        dc.SelectPalette(pOldPalette, TRUE);

    m_PaintBuffer.End();
}

// The stretch puts pixel edges up to two device pixels away from int(i * m) (it spreads the
// image over one pixel more than W * m) and, below 100 %, lets a pixel tint its neighbour;
// the grid line of the right edge lies on int(r * m) itself; the frames and the selection's
// handles reach a handle's size outside their rectangle. The grid's checkerboard starts at
// the corner of the area repainted, so the corner is put on even client coordinates: any
// union of such rectangles then repaints the grid in step with a repaint of the whole client.
CRect CPntCtrl::ImageRectToClient(const RECT& rcImage)
{
    CRect rc(rcImage);
    rc.NormalizeRect();
    if (!WindowExists() || m_Image.GetSafeHandle() == NULL || rc.IsRectEmpty())
        return CRect(0, 0, 0, 0);
    IPtoLP(&rc);
    LPtoDP(&rc);
    const int nSlack = CPntRectTracker::HandleDrawSize() + 4;
    rc.InflateRect(nSlack, nSlack);
    CRect rcClient;
    GetClientRect(&rcClient);
    rc &= rcClient;
    if (!rc.IsRectEmpty())
    {
        rc.left &= ~1;   // the client area starts at (0, 0): never below it
        rc.top &= ~1;
    }
    return rc;
}

void CPntCtrl::InvalidateImageRect(const RECT& rcImage)
{
    CRect rc = ImageRectToClient(rcImage);
    if (!rc.IsRectEmpty())
        InvalidateRect(&rc, FALSE);
}

void CPntCtrl::ImageCornersToClient(CPoint* pTL, CPoint* pBR)
{
    // The image's top-left corner and its far corner (width, height), in client coordinates.
    *pTL = CPoint(0, 0);
    IPtoLP(pTL);
    LPtoDP(pTL);
    *pBR = CPoint(m_Image.GetWidth(), m_Image.GetHeight());
    IPtoLP(pBR);
    LPtoDP(pBR);
}

// OnDraw stretches the image over TL to BR inclusive, or at exactly 100 % copies it unscaled
// from TL, W x H; either way every pixel there is the image's unless it is drawn
// transparently.
BOOL CPntCtrl::ImageCoversOpaquely(CRect* pRect)
{
    if (m_Image.GetSafeHandle() == NULL || DrawnTransparently(m_bTransparent, m_crTransparentColor))
        return FALSE;
    CPoint ptTL, ptBR;
    ImageCornersToClient(&ptTL, &ptBR);
    if (GetMagnification() == 100)
        *pRect = CRect(ptTL, CSize(m_Image.GetWidth(), m_Image.GetHeight()));
    else
        *pRect = CRect(ptTL.x, ptTL.y, ptBR.x + 1, ptBR.y + 1);
    return TRUE;
}

void CPntCtrl::OnDraw(CDC* pDC)
{
    if (pDC == NULL)
        return;
    OnBeginPaint(pDC);

    CPoint ptTL, ptBR;
    ImageCornersToClient(&ptTL, &ptBR);
    // The image fills TL to BR inclusive.
    CSize size(ptBR.x - ptTL.x + 1, ptBR.y - ptTL.y + 1);

    BOOL bTransparent = DrawnTransparently(m_bTransparent, m_crTransparentColor);
    if (bTransparent)
        m_Image.StretchTransparent(pDC, ptTL, size, m_crTransparentColor);
    else if (GetMagnification() == 100)
        m_Image.Draw(pDC, ptTL);
    else
        m_Image.Stretch(pDC, ptTL, size);

    OnEndPaint(pDC);
}

void CPntCtrl::OnBeginPaint(CDC*)
{
}

void CPntCtrl::OnEndPaint(CDC* pDC)
{
    DrawGrid(pDC);
}

// A checkerboard of the two button colours stays visible over any picture. The checkerboard
// starts at the DC's device origin, as a pattern brush's does.
void CPntCtrl::DrawGrid(CDC* pDC)
{
    if (pDC == NULL || m_Image.GetSafeHandle() == NULL)
        return;
    UINT nPercent = GetMagnification();
    if (!m_bShowGrid || nPercent < m_nGridMinMagnification || nPercent < 200)
        return;
    if (m_bGridWholePercentOnly && (UINT)((int)(nPercent * 0.01) * 100) != nPercent)
        return;

    CPoint ptTL, ptBR;
    ImageCornersToClient(&ptTL, &ptBR);
    // Whole percentages draw at the level itself; any other magnification at its exact
    // factor, so that the lines meet the pixels' edges however large the picture.
    const double dZoom = m_bGridWholePercentOnly ? nPercent * 0.01 : m_dMagnification;

    // Lines outside the clip box are left out: a large image has thousands of them.
    CRect rcClip;
    pDC->GetClipBox(&rcClip);
    CRect rcVisible(ptTL.x, ptTL.y, ptBR.x + 1, ptBR.y + 1);
    rcVisible &= rcClip;

    // In the paint's own buffer the lines are written into the bits: one blit per line costs
    // several times the painting of the picture under them.
    if (m_PaintBuffer.IsPaintDC(pDC))
    {
        rcVisible &= m_PaintBuffer.GetPaintRect();
        if (!rcVisible.IsRectEmpty())
            WriteGridIntoBuffer(rcVisible, ptTL, ptBR, dZoom);
        return;
    }
    if (rcVisible.IsRectEmpty())
        return;

    static const WORD s_wPattern[8] = { 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55 };
    CBitmap bmpPattern;
    if (!bmpPattern.CreateBitmap(8, 8, 1, 1, s_wPattern))
        return;
    CBrush brush;
    if (!brush.CreatePatternBrush(&bmpPattern))
        return;
    CBrush* pOldBrush = pDC->SelectObject(&brush);
    COLORREF crOldText = pDC->SetTextColor(::GetSysColor(COLOR_BTNFACE));
    COLORREF crOldBk = pDC->SetBkColor(::GetSysColor(COLOR_BTNSHADOW));
    for (int i = 0; i <= m_Image.GetWidth(); i++)
    {
        int x = ptTL.x + (int)(i * dZoom);
        if (x >= rcVisible.left && x < rcVisible.right)
        {
            int nTop = std::max((int)rcVisible.top, (int)ptTL.y);
            pDC->PatBlt(x, nTop, 1, std::min((int)rcVisible.bottom, (int)ptBR.y) - nTop, PATCOPY);
        }
    }
    for (int j = 0; j <= m_Image.GetHeight(); j++)
    {
        int y = ptTL.y + (int)(j * dZoom);
        if (y >= rcVisible.top && y < rcVisible.bottom)
        {
            int nLeft = std::max((int)rcVisible.left, (int)ptTL.x);
            pDC->PatBlt(nLeft, y, std::min((int)rcVisible.right, (int)ptBR.x) - nLeft, 1, PATCOPY);
        }
    }
    pDC->SetBkColor(crOldBk);
    pDC->SetTextColor(crOldText);
    pDC->SelectObject(pOldBrush);
}

namespace
{
// The first of the lines at int(i * dZoom) (i = 0, 1, ...) that can reach nFrom or beyond;
// dZoom is at least 2, so starting one line early absorbs the rounding of the division.
int FirstLineFrom(int nFrom, double dZoom)
{
    return std::max(0, (int)(nFrom / dZoom) - 1);
}
}

// The same lines as the pattern blits above: a column at ptTL.x + int(i * dZoom) for each
// image column edge i, from ptTL.y to above ptBR.y; a row at ptTL.y + int(j * dZoom) from
// ptTL.x to left of ptBR.x. The pattern starts at the buffer's first pixel, where the memory
// DC's device origin lies: the pixel whose offsets from it add up to an even number is a 1
// bit of the checkerboard (the background colour), the others 0 bits (the text colour).
// The buffer is written row by row, in the order of its memory.
void CPntCtrl::WriteGridIntoBuffer(const CRect& rcVisible, CPoint ptTL, CPoint ptBR, double dZoom)
{
    const CPoint ptBuffer = m_PaintBuffer.GetPaintRect().TopLeft();
    const DWORD dwColour[2] = { CPntPaintBuffer::PixelValue(::GetSysColor(COLOR_BTNSHADOW)),
                                CPntPaintBuffer::PixelValue(::GetSysColor(COLOR_BTNFACE)) };

    // The column lines in view, as offsets into a buffer row, with their colour on rows of
    // even and of odd offset.
    std::vector<int> columns;
    std::vector<DWORD> columnColour[2];
    for (int i = FirstLineFrom(rcVisible.left - ptTL.x, dZoom); i <= m_Image.GetWidth(); i++)
    {
        const int x = ptTL.x + (int)(i * dZoom);
        if (x >= rcVisible.right)
            break;
        if (x < rcVisible.left)
            continue;
        columns.push_back(x - ptBuffer.x);
        columnColour[0].push_back(dwColour[(x - ptBuffer.x) & 1]);
        columnColour[1].push_back(dwColour[(x - ptBuffer.x + 1) & 1]);
    }
    const size_t nColumns = columns.size();
    const int nColumnTop = std::max((int)rcVisible.top, (int)ptTL.y);
    const int nColumnBottom = std::min((int)rcVisible.bottom, (int)ptBR.y);

    // A row line is a copy of one of two alternating runs.
    const int nRowLeft = std::max((int)rcVisible.left, (int)ptTL.x) - ptBuffer.x;
    const int nRowLength = std::max(std::min((int)rcVisible.right, (int)ptBR.x) - (int)ptBuffer.x - nRowLeft, 0);
    std::vector<DWORD> rowRun(nRowLength + 1);
    for (int k = 0; k <= nRowLength; k++)
        rowRun[k] = dwColour[(nRowLeft + k) & 1];

    int j = FirstLineFrom(rcVisible.top - ptTL.y, dZoom);
    int yRowLine = ptTL.y + (int)(j * dZoom);
    ::GdiFlush();   // GDI's drawing must be in the bits before they are written
    for (int y = rcVisible.top; y < rcVisible.bottom; y++)
    {
        DWORD* pRow = m_PaintBuffer.ClientRow(y);
        const int nRowParity = (y - ptBuffer.y) & 1;
        while (yRowLine < y && j <= m_Image.GetHeight())
            yRowLine = ptTL.y + (int)(++j * dZoom);
        if (yRowLine == y && j <= m_Image.GetHeight() && nRowLength > 0)
            memcpy(pRow + nRowLeft, &rowRun[nRowParity], nRowLength * sizeof(DWORD));
        if (y >= nColumnTop && y < nColumnBottom)
        {
            const DWORD* pColour = columnColour[nRowParity].data();
            for (size_t k = 0; k < nColumns; k++)
                pRow[columns[k]] = pColour[k];
        }
    }
}
