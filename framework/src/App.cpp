// CWinThread and CWinApp, message boxes and window-class registration.
#include "ThreadState.h"
#include <string.h>

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)
IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

CWinThread::CWinThread()
    : m_pMainWnd(NULL), m_hThread(::GetCurrentThread()), m_nThreadID(::GetCurrentThreadId())
{
    AfxGetThreadState()->m_pCurrentWinThread = this;
}

CWinThread::~CWinThread()
{
    _AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pState->m_pCurrentWinThread == this)
        pState->m_pCurrentWinThread = NULL;
}

BOOL CWinThread::OnIdle(LONG lCount)
{
    // The first pass is for the user interface; later ones free the temporary wrappers.
    if (lCount >= 1 && AfxGetThreadState()->m_nTempMapLock == 0)
    {
        AfxLockTempMaps();
        AfxUnlockTempMaps(TRUE);
    }
    return lCount < 1;
}

CWinApp::CWinApp(LPCTSTR lpszAppName)
    : m_pszAppName(lpszAppName ? _strdup(lpszAppName) : NULL),
      m_hInstance(::GetModuleHandle(NULL)), m_pszRegistryKey(NULL), m_pszProfileName(NULL),
      m_pszExeName(NULL)
{
    TCHAR szPath[MAX_PATH];
    DWORD n = ::GetModuleFileName(NULL, szPath, MAX_PATH);
    szPath[n < MAX_PATH ? n : MAX_PATH - 1] = 0;
    LPTSTR pszName = strrchr(szPath, '\\');
    pszName = pszName ? pszName + 1 : szPath;
    if (LPTSTR pszDot = strrchr(pszName, '.'))
        *pszDot = 0;
    m_pszExeName = _strdup(pszName);

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
    return "";
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

BOOL AFXAPI AfxRegisterClass(WNDCLASS* lpWndClass)
{
    WNDCLASS wndcls;
    if (::GetClassInfo(lpWndClass->hInstance, lpWndClass->lpszClassName, &wndcls))
        return TRUE;
    return ::RegisterClass(lpWndClass) != 0;
}
