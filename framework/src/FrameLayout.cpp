// CFrameWnd's layout: the status bar along the bottom, the pane window in the rest.
#include "ThreadState.h"

void CFrameWnd::RecalcLayout(BOOL)
{
    if (m_hWnd == NULL || IsIconic())
        return;
    CRect rc;
    GetClientRect(&rc);
    // The common status control places itself at its parent's bottom when told of a new size.
    HWND hBar = ::GetDlgItem(m_hWnd, AFX_IDW_STATUS_BAR);
    if (hBar != NULL && (::GetWindowLongPtr(hBar, GWL_STYLE) & WS_VISIBLE))
    {
        ::SendMessage(hBar, WM_SIZE, SIZE_RESTORED, MAKELPARAM(rc.Width(), rc.Height()));
        CRect rcBar;
        ::GetWindowRect(hBar, &rcBar);
        rc.bottom -= rcBar.Height();
        if (rc.bottom < rc.top)
            rc.bottom = rc.top;
    }
    HWND hPane = ::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST);
    if (hPane != NULL)
        ::MoveWindow(hPane, rc.left, rc.top, rc.Width(), rc.Height(), TRUE);
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}
