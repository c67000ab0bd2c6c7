// CWnd::RepositionBars: control bars along the sides of their parent, one window in the rest.
#include "ThreadState.h"
#include <afxext.h>

namespace
{
// The room a bar asks for along its side of rcFree; empty when the bar has no side.
CRect PlaceBar(CControlBar* pBar, CRect& rcFree, BOOL bStretch)
{
    DWORD dwAlign = pBar->GetBarStyle() & CBRS_ALIGN_ANY;
    BOOL bHorz = (dwAlign & CBRS_ORIENT_HORZ) != 0;
    if (dwAlign == 0)
        return CRect(0, 0, 0, 0);
    CSize size = (pBar->GetBarStyle() & CBRS_SIZE_DYNAMIC)
                     ? pBar->CalcDynamicLayout(-1, (bHorz ? LM_HORZ | LM_HORZDOCK : LM_VERTDOCK) |
                                                       (bStretch ? LM_STRETCH : 0))
                     : pBar->CalcFixedLayout(bStretch, bHorz);
    // A bar never takes more than there is left, nor less than nothing.
    size.cx = size.cx < 0 ? 0 : (size.cx > rcFree.Width() ? rcFree.Width() : size.cx);
    size.cy = size.cy < 0 ? 0 : (size.cy > rcFree.Height() ? rcFree.Height() : size.cy);
    CRect rcBar = rcFree;
    if (dwAlign & CBRS_ALIGN_TOP)
    {
        rcBar.bottom = rcBar.top + size.cy;
        rcBar.right = rcBar.left + size.cx;
        rcFree.top += size.cy;
    }
    else if (dwAlign & CBRS_ALIGN_BOTTOM)
    {
        rcBar.top = rcBar.bottom - size.cy;
        rcBar.right = rcBar.left + size.cx;
        rcFree.bottom -= size.cy;
    }
    else if (dwAlign & CBRS_ALIGN_LEFT)
    {
        rcBar.right = rcBar.left + size.cx;
        rcBar.bottom = rcBar.top + size.cy;
        rcFree.left += size.cx;
    }
    else
    {
        rcBar.left = rcBar.right - size.cx;
        rcBar.bottom = rcBar.top + size.cy;
        rcFree.right -= size.cx;
    }
    return rcBar;
}

void MoveChild(HWND hWnd, const CRect& rc)
{
    ::SetWindowPos(hWnd, NULL, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}
}

void CWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlags, LPRECT lpRectParam,
                          LPCRECT lpRectClient, BOOL bStretch)
{
    if (m_hWnd == NULL)
        return;
    CRect rcFree;
    if (lpRectClient != NULL)
        rcFree = *lpRectClient;
    else
        GetClientRect(&rcFree);
    if ((nFlags & reposExtra) && lpRectParam != NULL)
    {
        // lpRectParam holds the widths of extra borders to keep free.
        rcFree.left += lpRectParam->left;
        rcFree.top += lpRectParam->top;
        rcFree.right -= lpRectParam->right;
        rcFree.bottom -= lpRectParam->bottom;
    }
    if (rcFree.right < rcFree.left)
        rcFree.right = rcFree.left;
    if (rcFree.bottom < rcFree.top)
        rcFree.bottom = rcFree.top;

    // Bars in the order of their windows: the first one made takes the outermost place.
    for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild != NULL; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    {
        UINT nID = (UINT)::GetDlgCtrlID(hChild);
        if (nID < nIDFirst || nID > nIDLast || nID == nIDLeftOver || !(::GetWindowLongPtr(hChild, GWL_STYLE) & WS_VISIBLE))
            continue;
        CControlBar* pBar = DYNAMIC_DOWNCAST(CControlBar, CWnd::FromHandlePermanent(hChild));
        if (pBar == NULL)
            continue;
        CRect rcBar = PlaceBar(pBar, rcFree, bStretch);
        if (!(nFlags & reposQuery) && !rcBar.IsRectNull())
            MoveChild(hChild, rcBar);
    }

    if (nFlags & reposQuery)
    {
        if (lpRectParam != NULL)
            *lpRectParam = rcFree;
        return;
    }
    HWND hLeftOver = nIDLeftOver != 0 ? ::GetDlgItem(m_hWnd, (int)nIDLeftOver) : NULL;
    if (hLeftOver != NULL)
        MoveChild(hLeftOver, rcFree);
}
