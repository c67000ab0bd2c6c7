// CWinThread and CWinApp, message boxes and window-class registration.
#include "ThreadState.h"
#include <string.h>

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)
IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

CWinThread::CWinThread()
    : m_pMainWnd(NULL), m_hThread(::GetCurrentThread()), m_nThreadID(::GetCurrentThreadId()), m_nMsgLast(0)
{
    ::ZeroMemory(&m_msgCur, sizeof(m_msgCur));
    m_ptCursorLast.x = m_ptCursorLast.y = -1;
    AfxGetThreadState()->m_pCurrentWinThread = this;
}

CWinThread::~CWinThread()
{
    _AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pState->m_pCurrentWinThread == this)
        pState->m_pCurrentWinThread = NULL;
}

int CWinThread::ExitInstance()
{
    return (int)m_msgCur.wParam;
}

int CWinThread::Run()
{
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    MSG msg;
    for (;;)
    {
        while (bIdle && !::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE))
        {
            if (!OnIdle(lIdleCount++))
                bIdle = FALSE;
        }
        do
        {
            if (!PumpMessage())
                return ExitInstance();
            if (IsIdleMessage(&m_msgCur))
            {
                bIdle = TRUE;
                lIdleCount = 0;
            }
        } while (::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE));
    }
}

BOOL CWinThread::PumpMessage()
{
    if (!::GetMessage(&m_msgCur, NULL, 0, 0))
        return FALSE;
    if (!PreTranslateMessage(&m_msgCur))
    {
        ::TranslateMessage(&m_msgCur);
        ::DispatchMessage(&m_msgCur);
    }
    return TRUE;
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg)
{
    CWnd* pMainWnd = GetMainWnd();
    return CWnd::WalkPreTranslateTree(pMainWnd->GetSafeHwnd(), pMsg);
}

BOOL CWinThread::OnIdle(LONG lCount)
{
    if (lCount <= 0)
    {
        // Menus, tool bars and status panes follow the state of their commands.
        CWnd* pMainWnd = GetMainWnd();
        if (pMainWnd != NULL && ::IsWindow(pMainWnd->m_hWnd) && pMainWnd->IsWindowVisible())
            pMainWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    }
    else if (AfxGetThreadState()->m_nTempMapLock == 0)
    {
        // Later passes free the temporary wrappers made by FromHandle.
        AfxLockTempMaps();
        AfxUnlockTempMaps(TRUE);
    }
    return lCount < 1;
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg)
{
    // Mouse moves that do not move, paints and the caret's timer do not end idleness.
    if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE)
    {
        if (pMsg->pt.x == m_ptCursorLast.x && pMsg->pt.y == m_ptCursorLast.y && pMsg->message == m_nMsgLast)
            return FALSE;
        m_ptCursorLast = pMsg->pt;
        m_nMsgLast = pMsg->message;
        return TRUE;
    }
    return pMsg->message != WM_PAINT && pMsg->message != 0x0118;
}

CWinApp::CWinApp(LPCTSTR lpszAppName)
    : m_pszAppName(lpszAppName ? _tcsdup(lpszAppName) : NULL),
      m_hInstance(::GetModuleHandle(NULL)), m_lpCmdLine(NULL), m_nCmdShow(SW_SHOWDEFAULT), m_pszRegistryKey(NULL),
      m_pszProfileName(NULL), m_pszExeName(NULL)
{
    TCHAR szPath[MAX_PATH];
    DWORD n = ::GetModuleFileName(NULL, szPath, MAX_PATH);
    szPath[n < MAX_PATH ? n : MAX_PATH - 1] = 0;
    LPTSTR pszName = _tcsrchr(szPath, _T('\\'));
    pszName = pszName ? pszName + 1 : szPath;
    if (LPTSTR pszDot = _tcsrchr(pszName, _T('.')))
        *pszDot = 0;
    m_pszExeName = _tcsdup(pszName);
    // Until SetRegistryKey, the profile is "<exe title>.INI".
    CString profile = CString(pszName) + _T(".INI");
    m_pszProfileName = _tcsdup(profile);

    AFX_MODULE_STATE* pState = AfxGetModuleState();
    pState->m_pCurrentWinApp = this;
    pState->m_hCurrentInstanceHandle = m_hInstance;
}

CWinApp::~CWinApp()
{
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    if (pState->m_pCurrentWinApp == this)
        pState->m_pCurrentWinApp = NULL;
    free((void*)m_pszAppName);
    free((void*)m_pszExeName);
    free((void*)m_pszProfileName);
    free((void*)m_pszRegistryKey);
}

int CWinApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT)
{
    HWND hOwner = m_pMainWnd != NULL ? m_pMainWnd->GetSafeHwnd() : ::GetActiveWindow();
    return ::MessageBox(hOwner, lpszPrompt, AfxGetAppName(), nType);
}

CWinApp* AFXAPI AfxGetApp()
{
    return AfxGetModuleState()->m_pCurrentWinApp;
}

CWinThread* AFXAPI AfxGetThread()
{
    CWinThread* pThread = AfxGetThreadState()->m_pCurrentWinThread;
    return pThread != NULL ? pThread : AfxGetApp();
}

LPCTSTR AFXAPI AfxGetAppName()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL && pApp->m_pszAppName != NULL)
        return pApp->m_pszAppName;
    if (pApp != NULL && pApp->m_pszExeName != NULL)
        return pApp->m_pszExeName;
    return _T("");
}

CWnd* AFXAPI AfxGetMainWnd()
{
    CWinThread* pThread = AfxGetThread();
    return pThread != NULL ? pThread->GetMainWnd() : NULL;
}

int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT nIDHelp)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL)
        return pApp->DoMessageBox(lpszText, nType, nIDHelp);
    return ::MessageBox(::GetActiveWindow(), lpszText, AfxGetAppName(), nType);
}

int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString text;
    text.LoadString(nIDPrompt);
    if (nIDHelp == (UINT)-1)
        nIDHelp = nIDPrompt;
    return AfxMessageBox(text, nType, nIDHelp);
}

BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE, LPTSTR lpCmdLine, int nCmdShow)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return FALSE;
    if (hInstance != NULL)
    {
        pApp->m_hInstance = hInstance;
        AfxGetModuleState()->m_hCurrentInstanceHandle = hInstance;
    }
    pApp->m_lpCmdLine = lpCmdLine;
    pApp->m_nCmdShow = nCmdShow;
    return TRUE;
}

int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL || !AfxWinInit(hInstance, hPrevInstance, lpCmdLine, nCmdShow))
        return -1;
    if (!pApp->InitApplication() || !pApp->InitInstance())
    {
        if (pApp->m_pMainWnd != NULL && ::IsWindow(pApp->m_pMainWnd->m_hWnd))
            pApp->m_pMainWnd->DestroyWindow();
        return pApp->ExitInstance();
    }
    return pApp->Run();
}

BOOL AFXAPI AfxRegisterClass(WNDCLASS* lpWndClass)
{
    WNDCLASS wndcls;
    if (::GetClassInfo(lpWndClass->hInstance, lpWndClass->lpszClassName, &wndcls))
        return TRUE;
    return ::RegisterClass(lpWndClass) != 0;
}
