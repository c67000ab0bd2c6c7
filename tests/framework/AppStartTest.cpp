// AfxWinMain, the body of every framework program's WinMain: the application learns its
// command line, is initialised, runs its message loop and gives its exit code.
#include <afxwin.h>
#include <gtest/gtest.h>
#include "RoutingTestSupport.h"
#include <vector>

namespace
{
class CStartApp : public CWinApp
{
public:
    CStartApp() : CWinApp(_T("Start test")) {}

    BOOL m_bInitSucceeds = TRUE;
    std::vector<CString> m_steps;
    CString m_strCmdLineSeen;
    int m_nCmdShowSeen = -1;

    BOOL InitApplication() override
    {
        m_steps.push_back(_T("InitApplication"));
        return TRUE;
    }
    BOOL InitInstance() override
    {
        m_steps.push_back(_T("InitInstance"));
        m_strCmdLineSeen = m_lpCmdLine;
        m_nCmdShowSeen = m_nCmdShow;
        CFrameWnd* pFrame = new CFrameWnd;
        if (!pFrame->Create(NULL, _T("Main"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 200, 100)))
            return FALSE;
        m_pMainWnd = pFrame;
        // The user closes the window as soon as the loop runs.
        pFrame->PostMessage(WM_CLOSE);
        return m_bInitSucceeds;
    }
    int Run() override
    {
        m_steps.push_back(_T("Run"));
        return CWinApp::Run();
    }
    int ExitInstance() override
    {
        m_steps.push_back(_T("ExitInstance"));
        CWinApp::ExitInstance();
        return m_bInitSucceeds ? 7 : 9;
    }
};
}

TEST(AppStart, InitialisesRunsAndEndsWithExitInstancesCode)
{
    routingtest::ScopedApp<CStartApp> app;
    TCHAR szCmdLine[] = _T("picture.bmp --flag");
    EXPECT_EQ(7, AfxWinMain(::GetModuleHandle(NULL), NULL, szCmdLine, SW_SHOWMINNOACTIVE));
    EXPECT_EQ((std::vector<CString>{ _T("InitApplication"), _T("InitInstance"), _T("Run"), _T("ExitInstance") }),
              app->m_steps);
    EXPECT_EQ(CString(_T("picture.bmp --flag")), app->m_strCmdLineSeen);
    EXPECT_EQ(SW_SHOWMINNOACTIVE, app->m_nCmdShowSeen);
    EXPECT_EQ(::GetModuleHandle(NULL), app->m_hInstance);
    EXPECT_EQ(nullptr, app->m_pMainWnd);   // the main window went with the loop
}

TEST(AppStart, FailedInitialisationDestroysTheMainWindowAndSkipsTheLoop)
{
    routingtest::ScopedApp<CStartApp> app;
    app->m_bInitSucceeds = FALSE;
    TCHAR szCmdLine[] = _T("");
    EXPECT_EQ(9, AfxWinMain(::GetModuleHandle(NULL), NULL, szCmdLine, SW_SHOW));
    EXPECT_EQ((std::vector<CString>{ _T("InitApplication"), _T("InitInstance"), _T("ExitInstance") }), app->m_steps);
    EXPECT_EQ(nullptr, app->m_pMainWnd);
    // The close request posted for the destroyed window must not linger for later tests.
    MSG msg;
    while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
    {
        if (msg.message != WM_QUIT)
            ::DispatchMessage(&msg);
    }
}
