// CFrameWnd's layout: the control bars along their sides, the view in the rest.
#include "ThreadState.h"

void CFrameWnd::RecalcLayout(BOOL)
{
    if (m_hWnd == NULL || IsIconic())
        return;
    RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, AFX_IDW_PANE_FIRST);
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}
