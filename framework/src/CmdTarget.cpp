// Command targets: message-map look-up and command routing; CCmdUI.
#include "ThreadState.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* PASCAL CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY _messageEntries[] = { { 0, 0, 0, 0, NULL, NULL } };
    static const AFX_MSGMAP messageMap = { NULL, &_messageEntries[0] };
    return &messageMap;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(UINT nMessage) const
{
    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != NULL;
         pMap = pMap->pfnGetBaseMap != NULL ? (*pMap->pfnGetBaseMap)() : NULL)
    {
        for (const AFX_MSGMAP_ENTRY* pEntry = pMap->lpEntries; pEntry->pfnThunk != NULL; ++pEntry)
        {
            if (pEntry->pnRegistered != NULL)
            {
                if (*pEntry->pnRegistered == nMessage && nMessage != 0)
                    return pEntry;
            }
            else if (pEntry->nMessage == nMessage && nMessage != WM_COMMAND && nMessage != WM_NOTIFY)
            {
                return pEntry;
            }
        }
    }
    return NULL;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    UINT nMessage = WM_COMMAND;
    UINT nEntryCode;
    if ((UINT)nCode == CN_UPDATE_COMMAND_UI)
    {
        nEntryCode = CN_UPDATE_COMMAND_UI;
    }
    else if (HIWORD(nCode) == WM_NOTIFY)
    {
        nMessage = WM_NOTIFY;
        nEntryCode = LOWORD(nCode);
    }
    else
    {
        nEntryCode = (UINT)(WORD)nCode;
    }

    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != NULL;
         pMap = pMap->pfnGetBaseMap != NULL ? (*pMap->pfnGetBaseMap)() : NULL)
    {
        for (const AFX_MSGMAP_ENTRY* pEntry = pMap->lpEntries; pEntry->pfnThunk != NULL; ++pEntry)
        {
            if (pEntry->nMessage != nMessage || pEntry->pnRegistered != NULL)
                continue;
            UINT nCodeOfEntry = nMessage == WM_NOTIFY ? (UINT)(WORD)pEntry->nCode : pEntry->nCode;
            if (nCodeOfEntry != nEntryCode || nID < pEntry->nID || nID > pEntry->nLastID)
                continue;
            if (pHandlerInfo != NULL)
            {
                pHandlerInfo->pTarget = this;
                pHandlerInfo->pEntry = pEntry;
                return TRUE;
            }
            LRESULT lResult = 0;
            if (nEntryCode == CN_UPDATE_COMMAND_UI && nMessage == WM_COMMAND)
            {
                CCmdUI* pCmdUI = static_cast<CCmdUI*>(pExtra);
                pCmdUI->m_bContinueRouting = FALSE;
                (*pEntry->pfnThunk)(this, nID, 0, 0, pExtra, &lResult);
                return !pCmdUI->m_bContinueRouting;
            }
            return (*pEntry->pfnThunk)(this, nID, 0, 0, pExtra, &lResult);
        }
    }
    return FALSE;
}

/////////////////////////////////////////////////////////////////////////////
// CCmdUI

CCmdUI::CCmdUI()
    : m_nID(0), m_nIndex(0), m_nIndexMax(0), m_pMenu(NULL), m_pSubMenu(NULL), m_pParentMenu(NULL),
      m_pOther(NULL), m_bEnableChanged(FALSE), m_bContinueRouting(FALSE)
{
}

namespace
{
// Sets or clears the check of a menu item by position; the radio mark (a bullet) instead of
// the check mark with bRadio. The item's type keeps everything else (text, owner draw...).
void SetMenuItemCheck(HMENU hMenu, UINT nIndex, BOOL bChecked, BOOL bRadio)
{
    MENUITEMINFO info;
    ::ZeroMemory(&info, sizeof(info));
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_STATE;
    if (!::GetMenuItemInfo(hMenu, nIndex, TRUE, &info))
        return;
    info.fMask = MIIM_FTYPE | MIIM_STATE;
    info.fType = bRadio ? (info.fType | MFT_RADIOCHECK) : (info.fType & ~MFT_RADIOCHECK);
    info.fState = bChecked ? (info.fState | MFS_CHECKED) : (info.fState & ~MFS_CHECKED);
    ::SetMenuItemInfo(hMenu, nIndex, TRUE, &info);
}
}

void CCmdUI::Enable(BOOL bOn)
{
    if (m_pMenu != NULL)
    {
        // A pop-up item (m_pSubMenu) is enabled in the menu that holds it, like any other.
        m_pMenu->EnableMenuItem(m_nIndex, MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
    }
    else if (m_pOther != NULL)
    {
        // A control losing its enabled state hands the focus on first.
        if (!bOn && ::GetFocus() == m_pOther->m_hWnd)
        {
            HWND hParent = ::GetParent(m_pOther->m_hWnd);
            HWND hNext = hParent ? ::GetNextDlgTabItem(hParent, m_pOther->m_hWnd, FALSE) : NULL;
            if (hNext != NULL && hNext != m_pOther->m_hWnd)
                ::SetFocus(hNext);
        }
        m_pOther->EnableWindow(bOn);
    }
    m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck)
{
    if (m_pMenu != NULL)
    {
        // A pop-up item stands for a whole menu: only its enabled state follows a command.
        if (m_pSubMenu == NULL)
            SetMenuItemCheck(m_pMenu->m_hMenu, m_nIndex, nCheck != 0, FALSE);
    }
    else if (m_pOther != NULL)
    {
        if (m_pOther->SendMessage(WM_GETDLGCODE) & DLGC_BUTTON)
            m_pOther->SendMessage(BM_SETCHECK, (WPARAM)nCheck);
    }
}

void CCmdUI::SetRadio(BOOL bOn)
{
    if (m_pMenu != NULL)
    {
        if (m_pSubMenu == NULL)
            SetMenuItemCheck(m_pMenu->m_hMenu, m_nIndex, bOn, TRUE);
        return;
    }
    SetCheck(bOn ? 1 : 0);
}

void CCmdUI::SetText(LPCTSTR lpszText)
{
    if (m_pMenu != NULL)
    {
        if (m_pSubMenu != NULL || lpszText == NULL)
            return;
        // Only the text changes: state, radio mark and id stay as they are.
        MENUITEMINFO info;
        ::ZeroMemory(&info, sizeof(info));
        info.cbSize = sizeof(info);
        info.fMask = MIIM_STRING;
        info.dwTypeData = const_cast<LPTSTR>(lpszText);
        m_pMenu->SetMenuItemInfo(m_nIndex, &info, TRUE);
    }
    else if (m_pOther != NULL)
    {
        m_pOther->SetWindowText(lpszText);
    }
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    if (m_nID == 0 || LOWORD(m_nID) == 0xFFFF)
        return TRUE;   // separators and invalid ids are left alone

    m_bEnableChanged = FALSE;
    BOOL bResult = pTarget != NULL && pTarget->OnCmdMsg(m_nID, (int)CN_UPDATE_COMMAND_UI, this, NULL);
    if (bDisableIfNoHndler && !m_bEnableChanged)
    {
        AFX_CMDHANDLERINFO info = { NULL, NULL };
        BOOL bHandler = pTarget != NULL && pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info);
        Enable(bHandler);
    }
    return bResult;
}
