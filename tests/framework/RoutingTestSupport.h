// Helpers of the routing and start-up tests: a stand-in application object for the length of
// a test, and a frame whose view is a window object of the test.
#pragma once
#include <afxwin.h>

namespace routingtest
{
// Makes an application object of type TApp the program's application while it lives, and
// gives the test program's own application back afterwards.
template <typename TApp>
class ScopedApp
{
public:
    ScopedApp()
        : m_pPreviousApp(AfxGetModuleState()->m_pCurrentWinApp),
          m_pPreviousThread(AfxGetThreadState()->m_pCurrentWinThread),
          m_pApp(new TApp)
    {
    }
    ~ScopedApp()
    {
        delete m_pApp;
        AfxGetModuleState()->m_pCurrentWinApp = m_pPreviousApp;
        AfxGetThreadState()->m_pCurrentWinThread = m_pPreviousThread;
    }
    ScopedApp(const ScopedApp&) = delete;
    ScopedApp& operator=(const ScopedApp&) = delete;
    TApp* operator->() const { return m_pApp; }
    TApp& operator*() const { return *m_pApp; }

private:
    CWinApp* m_pPreviousApp;
    CWinThread* m_pPreviousThread;
    TApp* m_pApp;
};

// A registered window class for plain child windows of the tests.
inline LPCTSTR PlainClassName()
{
    static LPCTSTR pszName = [] {
        WNDCLASS wc = {};
        wc.lpfnWndProc = ::DefWindowProc;
        wc.hInstance = AfxGetInstanceHandle();
        wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
        wc.lpszClassName = _T("MfcxRoutingTestWnd");
        AfxRegisterClass(&wc);
        return _T("MfcxRoutingTestWnd");
    }();
    return pszName;
}
}
