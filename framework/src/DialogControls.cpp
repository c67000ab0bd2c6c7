// CWnd::UpdateDialogControls: the command-UI pass over a window's child controls.
#include "ThreadState.h"

void CWnd::UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    CCmdUI state;
    CWnd wndTemp;   // stands for children that no object holds
    for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != NULL;
         hWndChild = ::GetNextWindow(hWndChild, GW_HWNDNEXT))
    {
        state.m_nID = (UINT)::GetDlgCtrlID(hWndChild);
        CWnd* pChild = CWnd::FromHandlePermanent(hWndChild);
        if (pChild == NULL)
        {
            wndTemp.m_hWnd = hWndChild;
            pChild = &wndTemp;
        }
        state.m_pOther = pChild;

        // The window's own map first: a dialog answers for its controls.
        if (CWnd::OnCmdMsg(state.m_nID, (int)CN_UPDATE_COMMAND_UI, &state, NULL))
            continue;
        // Only push buttons go grey for want of a handler; check boxes and the like stay usable.
        BOOL bDisable = bDisableIfNoHndler;
        if (bDisable && (::SendMessage(hWndChild, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON))
        {
            DWORD dwType = (DWORD)::GetWindowLongPtr(hWndChild, GWL_STYLE) & BS_TYPEMASK;
            bDisable = dwType == BS_PUSHBUTTON || dwType == BS_DEFPUSHBUTTON;
        }
        else if (bDisable)
        {
            bDisable = FALSE;
        }
        state.DoUpdate(pTarget, bDisable);
    }
    wndTemp.m_hWnd = NULL;
}
