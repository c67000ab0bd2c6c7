// CFrameWnd's commands: accelerators, routing to the view, the frame and then the application,
// and the update of a menu's items through their update handlers when it opens.
#include "ThreadState.h"

BOOL CFrameWnd::LoadAccelTable(LPCTSTR lpszResourceName)
{
    if (lpszResourceName == NULL)
        return FALSE;
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_ACCELERATOR);
    m_hAccelTable = ::LoadAccelerators(hInst, lpszResourceName);
    return m_hAccelTable != NULL;
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    // Keys pressed anywhere in the frame become its commands (WM_COMMAND to the frame).
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST)
    {
        HACCEL hAccel = GetDefaultAccelerator();
        return hAccel != NULL && ::TranslateAccelerator(m_hWnd, hAccel, pMsg);
    }
    return FALSE;
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // The view first: the pane window that the layout gives the client area, when the program
    // made an object of it.
    CWnd* pView = CWnd::FromHandlePermanent(::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST));
    if (pView != NULL && pView != this && pView->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinApp* pApp = AfxGetApp();
    return pApp != NULL && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CFrameWnd::OnInitMenuPopup(CMenu* pPopupMenu, UINT, BOOL bSysMenu)
{
    if (bSysMenu || pPopupMenu == NULL || !::IsMenu(pPopupMenu->m_hMenu))
        return;
    CCmdUI state;
    state.m_pMenu = pPopupMenu;
    state.m_nIndexMax = pPopupMenu->GetMenuItemCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++)
    {
        state.m_nID = pPopupMenu->GetMenuItemID((int)state.m_nIndex);
        if (state.m_nID == 0)
            continue;   // separators are left as they are
        BOOL bDisableIfNoHndler = m_bAutoMenuEnable;
        if (state.m_nID == (UINT)-1)
        {
            // A pop-up item follows the update handler of its menu's first command; it is
            // never disabled for want of a handler.
            state.m_pSubMenu = pPopupMenu->GetSubMenu((int)state.m_nIndex);
            state.m_nID = state.m_pSubMenu != NULL ? state.m_pSubMenu->GetMenuItemID(0) : 0;
            if (state.m_nID == 0 || state.m_nID == (UINT)-1)
            {
                state.m_pSubMenu = NULL;
                continue;
            }
            bDisableIfNoHndler = FALSE;
        }
        // The framework's own system commands are not disabled for want of a handler.
        state.DoUpdate(this, bDisableIfNoHndler && state.m_nID < 0xF000);
        state.m_pSubMenu = NULL;
        // An update handler may have removed or inserted items.
        UINT nCount = pPopupMenu->GetMenuItemCount();
        if (nCount == (UINT)-1)
            break;   // the handler destroyed the menu
        if (nCount < state.m_nIndexMax)
        {
            state.m_nIndex -= state.m_nIndexMax - nCount;
            while (state.m_nIndex < nCount && pPopupMenu->GetMenuItemID((int)state.m_nIndex) == state.m_nID)
                state.m_nIndex++;
        }
        state.m_nIndexMax = nCount;
    }
}
