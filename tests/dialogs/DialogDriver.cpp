// Modal runs of the library dialogs, answered from a thread timer.
#include "DialogDriver.h"

namespace
{
CDialog* g_pDialog = nullptr;
const std::function<void(HWND)>* g_pScript = nullptr;
bool g_bScriptRan = false;

void CALLBACK OnDriverTimer(HWND, UINT, UINT_PTR, DWORD)
{
    HWND hDlg = g_pDialog != nullptr ? g_pDialog->m_hWnd : NULL;
    if (hDlg == NULL || !::IsWindowVisible(hDlg))
        return;
    if (g_bScriptRan)
    {
        ::PostMessage(hDlg, WM_COMMAND, IDCANCEL, 0);
        return;
    }
    g_bScriptRan = true;
    ::UpdateWindow(hDlg);
    (*g_pScript)(hDlg);
}
}

namespace dlgtest
{
INT_PTR RunModal(CDialog& dlg, const std::function<void(HWND)>& script)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp->m_pszRegistryKey == NULL)
        pApp->SetRegistryKey(_T("MfcPaintDialogTests"));
    // A pointer resting over a fresh dialog would send it mouse moves of its own.
    ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);

    g_pDialog = &dlg;
    g_pScript = &script;
    g_bScriptRan = false;
    UINT_PTR nTimer = ::SetTimer(NULL, 0, 20, OnDriverTimer);
    INT_PTR nResult = dlg.DoModal();
    ::KillTimer(NULL, nTimer);
    g_pDialog = nullptr;
    g_pScript = nullptr;
    return nResult;
}
}
