// Command routing: a frame offers a command to its view, then itself, then the application; a
// dialog to itself, then the window that owns it, then the application. Menu updates follow
// the same way.
#include <afxext.h>
#include <gtest/gtest.h>
#include "RoutingTestResources.h"
#include "RoutingTestSupport.h"
#include <vector>

namespace
{
// Who handled which command, in order, for every object of a test.
std::vector<CString> g_log;

class CRoutingApp : public CWinApp
{
public:
    CRoutingApp() : CWinApp(_T("Routing test")) {}

protected:
    afx_msg void OnView() { g_log.push_back(_T("app view")); }
    afx_msg void OnFrame() { g_log.push_back(_T("app frame")); }
    afx_msg void OnApp() { g_log.push_back(_T("app")); }
    afx_msg void OnUpdateApp(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRoutingApp, CWinApp)
    ON_COMMAND(ID_ROUTE_VIEW, OnView)
    ON_COMMAND(ID_ROUTE_FRAME, OnFrame)
    ON_COMMAND(ID_ROUTE_APP, OnApp)
    ON_UPDATE_COMMAND_UI(ID_ROUTE_APP, OnUpdateApp)
END_MESSAGE_MAP()

class CRoutingView : public CWnd
{
protected:
    afx_msg void OnView() { g_log.push_back(_T("view")); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRoutingView, CWnd)
    ON_COMMAND(ID_ROUTE_VIEW, OnView)
END_MESSAGE_MAP()

class CRoutingFrame : public CFrameWnd
{
public:
    void PostNcDestroy() override {}   // a member of the fixture

protected:
    afx_msg void OnView() { g_log.push_back(_T("frame view")); }
    afx_msg void OnFrame() { g_log.push_back(_T("frame")); }
    afx_msg void OnFrameEdit() { g_log.push_back(_T("frame edit")); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRoutingFrame, CFrameWnd)
    ON_COMMAND(ID_ROUTE_VIEW, OnView)
    ON_COMMAND(ID_ROUTE_FRAME, OnFrame)
    ON_EN_CHANGE(ID_ROUTE_FRAME, OnFrameEdit)
END_MESSAGE_MAP()

class CRoutingDialog : public CDialog
{
protected:
    afx_msg void OnDialog() { g_log.push_back(_T("dialog")); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRoutingDialog, CDialog)
    ON_COMMAND(ID_ROUTE_DIALOG, OnDialog)
END_MESSAGE_MAP()

class CommandRouting : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_log.clear();
        ASSERT_TRUE(m_frame.Create(NULL, _T("Routing"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)));
        ASSERT_TRUE(m_view.Create(routingtest::PlainClassName(), _T(""), WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10),
                                  &m_frame, AFX_IDW_PANE_FIRST));
    }
    void TearDown() override
    {
        if (::IsWindow(m_dialog.m_hWnd))
            m_dialog.DestroyWindow();
        if (::IsWindow(m_frame.m_hWnd))
            m_frame.DestroyWindow();
    }
    static void Command(CWnd& wnd, UINT nID) { wnd.SendMessage(WM_COMMAND, MAKEWPARAM(nID, 0), 0); }
    // The state of item nID after the frame updated the pop-up for opening.
    UINT StateAfterUpdate(HMENU hMenu, UINT nID)
    {
        m_frame.SendMessage(WM_INITMENUPOPUP, (WPARAM)hMenu, 0);
        return ::GetMenuState(hMenu, nID, MF_BYCOMMAND);
    }

    routingtest::ScopedApp<CRoutingApp> m_app;
    CRoutingFrame m_frame;
    CRoutingView m_view;
    CRoutingDialog m_dialog;
};
}

TEST_F(CommandRouting, FrameOffersCommandsToItsViewThenItselfThenTheApplication)
{
    Command(m_frame, ID_ROUTE_VIEW);
    Command(m_frame, ID_ROUTE_FRAME);
    Command(m_frame, ID_ROUTE_APP);
    Command(m_frame, ID_ROUTE_NOBODY);
    EXPECT_EQ((std::vector<CString>{ _T("view"), _T("frame"), _T("app") }), g_log);
}

TEST_F(CommandRouting, FrameWithoutAViewObjectHandlesTheCommandItself)
{
    m_view.DestroyWindow();
    // A pane window that no object of the program holds has no commands to offer.
    HWND hPane = ::CreateWindow(routingtest::PlainClassName(), _T(""), WS_CHILD | WS_VISIBLE, 0, 0, 10, 10,
                                m_frame.m_hWnd, (HMENU)(UINT_PTR)AFX_IDW_PANE_FIRST, AfxGetInstanceHandle(), NULL);
    ASSERT_NE((HWND)NULL, hPane);
    Command(m_frame, ID_ROUTE_VIEW);
    EXPECT_EQ((std::vector<CString>{ _T("frame view") }), g_log);
}

TEST_F(CommandRouting, MenuUpdatesReachTheApplication)
{
    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenu(hMenu, MF_STRING, ID_ROUTE_APP, _T("Application"));
    ::AppendMenu(hMenu, MF_STRING, ID_ROUTE_NOBODY, _T("Nobody"));
    const UINT kGrey = MF_GRAYED | MF_DISABLED;
    // The application's update handler checks its item; its command handler keeps it enabled.
    EXPECT_EQ((UINT)MF_CHECKED, StateAfterUpdate(hMenu, ID_ROUTE_APP) & (MF_CHECKED | kGrey));
    EXPECT_NE(0u, StateAfterUpdate(hMenu, ID_ROUTE_NOBODY) & kGrey);
    ::DestroyMenu(hMenu);
}

TEST_F(CommandRouting, DialogOffersCommandsToItselfThenItsOwnerThenTheApplication)
{
    ASSERT_TRUE(m_dialog.Create(IDD_ROUTING_DIALOG, &m_frame));
    Command(m_dialog, ID_ROUTE_DIALOG);
    Command(m_dialog, ID_ROUTE_FRAME);
    Command(m_dialog, ID_ROUTE_VIEW);   // the owner frame asks its view first
    Command(m_dialog, ID_ROUTE_APP);
    Command(m_dialog, ID_ROUTE_NOBODY);
    EXPECT_EQ((std::vector<CString>{ _T("dialog"), _T("frame"), _T("view"), _T("app") }), g_log);
}

TEST_F(CommandRouting, DialogKeepsItsControlsNotificationsToItself)
{
    ASSERT_TRUE(m_dialog.Create(IDD_ROUTING_DIALOG, &m_frame));
    // An edit notification of a control whose id the owner handles as something else.
    HWND hButton = ::GetDlgItem(m_dialog.m_hWnd, IDOK);
    m_dialog.SendMessage(WM_COMMAND, MAKEWPARAM(ID_ROUTE_FRAME, EN_CHANGE), (LPARAM)hButton);
    EXPECT_TRUE(g_log.empty());
}

TEST_F(CommandRouting, DialogWithoutAnOwnerStillReachesTheApplication)
{
    ASSERT_TRUE(m_dialog.Create(IDD_ROUTING_DIALOG, NULL));
    Command(m_dialog, ID_ROUTE_APP);
    EXPECT_EQ((std::vector<CString>{ _T("app") }), g_log);
}
