// CEditorPaintCtrl: the text bar's place, typing, and the pointer during tracked drags.
#include "EditorPaintCtrl.h"
#include <algorithm>

namespace
{
// Space between the text box and the bar, in pixels.
const int kBarGap = 8;

// rc moved (not resized) to lie inside rcArea as far as it fits.
CRect KeptInside(CRect rc, const CRect& rcArea)
{
    rc.OffsetRect(std::max(0, (int)(rcArea.left - rc.left)), std::max(0, (int)(rcArea.top - rc.top)));
    rc.OffsetRect(std::min(0, (int)(rcArea.right - rc.right)), std::min(0, (int)(rcArea.bottom - rc.bottom)));
    return rc;
}

int OverlapArea(const CRect& one, const CRect& other)
{
    CRect rc;
    return rc.IntersectRect(one, other) ? rc.Width() * rc.Height() : 0;
}
}

BOOL CEditorPaintCtrl::IsTypingText() const
{
    // As the text tool decides whether a key goes to the bar.
    return m_nToolMode == TOOL_TEXT && m_TextFmtBar.IsVisible() && m_bFloating;
}

CWnd* CEditorPaintCtrl::GetTextBar()
{
    return ::IsWindow(m_TextFmtBar.m_hWnd) ? &m_TextFmtBar : NULL;
}

BOOL CEditorPaintCtrl::ImagePixelAt(CPoint pt, CPoint* pPixel)
{
    CDIBSection* pImage = GetDIBsection();
    if (!pImage->IsValid() || GetMagnification() == 0)
        return FALSE;
    // A point left of or above the picture truncates towards it: judge in logical space.
    CPoint ptLogical = pt;
    DPtoLP(&ptLogical);
    CPoint ptTopLeft(0, 0);
    IPtoLP(&ptTopLeft);
    if (ptLogical.x < ptTopLeft.x || ptLogical.y < ptTopLeft.y)
        return FALSE;
    CPoint ptImage = ptLogical;
    LPtoIP(&ptImage);
    if (ptImage.x < 0 || ptImage.y < 0 || ptImage.x >= pImage->GetWidth() || ptImage.y >= pImage->GetHeight())
        return FALSE;
    *pPixel = ptImage;
    return TRUE;
}

void CEditorPaintCtrl::PlaceTextBar()
{
    CWnd* pBar = GetTextBar();
    if (pBar == NULL || !m_TextFmtBar.IsVisible() || !WindowExists())
        return;
    // The part of the text box that shows, in screen coordinates.
    CRect rcBox = m_rcSelection;
    IPtoLP(&rcBox);
    LPtoDP(&rcBox);
    rcBox.NormalizeRect();
    CRect rcClient;
    GetClientRect(&rcClient);
    if (!rcBox.IntersectRect(rcBox, rcClient))
        return;
    ClientToScreen(&rcBox);

    CRect rcWork;
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    if (::GetMonitorInfo(::MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTONEAREST), &info))
        rcWork = info.rcWork;
    else
        ::SystemParametersInfo(SPI_GETWORKAREA, 0, &rcWork, 0);

    CRect rcBar;
    pBar->GetWindowRect(&rcBar);
    if (OverlapArea(rcBar, rcBox) == 0 && KeptInside(rcBar, rcWork) == rcBar)
        return;

    // Right of the box, left of it, below, above: the first that stays clear of it on the
    // screen; else the one that covers least of it.
    const CSize size = rcBar.Size();
    const CRect candidates[] = {
        CRect(CPoint(rcBox.right + kBarGap, rcBox.top), size),
        CRect(CPoint(rcBox.left - kBarGap - size.cx, rcBox.top), size),
        CRect(CPoint(rcBox.left, rcBox.bottom + kBarGap), size),
        CRect(CPoint(rcBox.left, rcBox.top - kBarGap - size.cy), size),
    };
    CRect rcBest;
    int nBestOverlap = INT_MAX;
    for (const CRect& rcCandidate : candidates)
    {
        const CRect rcPlaced = KeptInside(rcCandidate, rcWork);
        const int nOverlap = OverlapArea(rcPlaced, rcBox);
        if (nOverlap < nBestOverlap)
        {
            nBestOverlap = nOverlap;
            rcBest = rcPlaced;
        }
        if (nOverlap == 0)
            break;
    }
    pBar->SetWindowPos(NULL, rcBest.left, rcBest.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CEditorPaintCtrl::OnSelectionChanged()
{
    CPntCtrl::OnSelectionChanged();
    // A tracked drag reads the mouse itself: the frame hears of the pointer from here.
    CWnd* pParent = GetParent();
    if (pParent != NULL)
        pParent->SendMessage(kPointerMovedMessage);
}

void CEditorPaintCtrl::OnEndSelection()
{
    CPntCtrl::OnEndSelection();
    // A text box was made or moved.
    if (m_nToolMode == TOOL_TEXT)
        PlaceTextBar();
}
