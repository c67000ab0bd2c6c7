// Frames: commands routed to a view first, menu items updated through their handlers when a
// menu opens, accelerators turned into commands, the status bar's panes and the layout of
// status bar and view, and the end of the message loop with the main frame.
#include <afxext.h>
#include <gtest/gtest.h>
#include "FrameTestResources.h"
#include <string>
#include <vector>

namespace
{
LPCTSTR ViewClassName()
{
    static LPCTSTR pszName = [] {
        WNDCLASS wc = {};
        wc.lpfnWndProc = ::DefWindowProc;
        wc.hInstance = AfxGetInstanceHandle();
        wc.lpszClassName = _T("MfcxTestView");
        AfxRegisterClass(&wc);
        return _T("MfcxTestView");
    }();
    return pszName;
}

// The pane window: handles one command and checks its menu item.
class CTestView : public CWnd
{
public:
    std::vector<UINT> m_commands;

protected:
    afx_msg void OnViews() { m_commands.push_back(ID_TEST_VIEWS); }
    afx_msg void OnUpdateViews(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestView, CWnd)
    ON_COMMAND(ID_TEST_VIEWS, OnViews)
    ON_UPDATE_COMMAND_UI(ID_TEST_VIEWS, OnUpdateViews)
END_MESSAGE_MAP()

// A frame whose client is a plain window: it offers commands to it first, as MFC frames do
// with their views.
class CTestFrame : public CFrameWnd
{
public:
    CTestView m_view;
    CStatusBar m_bar;
    std::vector<UINT> m_commands;

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
    {
        if (m_view.m_hWnd != NULL && m_view.OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
            return TRUE;
        return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }
    void PostNcDestroy() override {}   // a member of the fixture, not on the heap

protected:
    afx_msg void OnViews() { m_commands.push_back(ID_TEST_VIEWS); }
    afx_msg void OnFrames() { m_commands.push_back(ID_TEST_FRAMES); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestFrame, CFrameWnd)
    ON_COMMAND(ID_TEST_VIEWS, OnViews)
    ON_COMMAND(ID_TEST_FRAMES, OnFrames)
END_MESSAGE_MAP()

class FrameCommands : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_frame.Create(NULL, _T("Frame"), WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 400, 300)));
        ASSERT_TRUE(m_frame.m_view.Create(ViewClassName(), _T(""), WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &m_frame,
                                          AFX_IDW_PANE_FIRST));
    }
    void TearDown() override
    {
        if (::IsWindow(m_frame.m_hWnd))
            m_frame.DestroyWindow();
        SetCtrl(false);
    }
    static void SetCtrl(bool bDown)
    {
        BYTE keys[256];
        ::GetKeyboardState(keys);
        keys[VK_CONTROL] = bDown ? 0x80 : 0;
        ::SetKeyboardState(keys);
    }
    // The menu state of item nID after the frame handled the menu's WM_INITMENUPOPUP.
    static UINT StateAfterUpdate(CFrameWnd& frame, HMENU hMenu, UINT nID)
    {
        frame.SendMessage(WM_INITMENUPOPUP, (WPARAM)hMenu, 0);
        return ::GetMenuState(hMenu, nID, MF_BYCOMMAND);
    }
    CRect ChildRect(HWND hChild)
    {
        CRect rc;
        ::GetWindowRect(hChild, &rc);
        m_frame.ScreenToClient(&rc);
        return rc;
    }

    CTestFrame m_frame;
};
}

TEST_F(FrameCommands, ReachTheViewFirstThenTheFrame)
{
    m_frame.SendMessage(WM_COMMAND, MAKEWPARAM(ID_TEST_VIEWS, 0), 0);
    m_frame.SendMessage(WM_COMMAND, MAKEWPARAM(ID_TEST_FRAMES, 0), 0);
    EXPECT_EQ(std::vector<UINT>{ ID_TEST_VIEWS }, m_frame.m_view.m_commands);
    EXPECT_EQ(std::vector<UINT>{ ID_TEST_FRAMES }, m_frame.m_commands);
}

TEST_F(FrameCommands, MenuItemsFollowTheirHandlersWhenTheMenuOpens)
{
    HMENU hMenu = ::CreatePopupMenu();
    for (UINT nID : { (UINT)ID_TEST_VIEWS, (UINT)ID_TEST_FRAMES, (UINT)ID_TEST_NOBODYS, 0xF120u })
        ::AppendMenuA(hMenu, MF_STRING, nID, "item");

    const UINT kGrey = MF_GRAYED | MF_DISABLED;
    EXPECT_EQ((UINT)MF_CHECKED, StateAfterUpdate(m_frame, hMenu, ID_TEST_VIEWS) & (MF_CHECKED | kGrey));
    EXPECT_EQ(0u, StateAfterUpdate(m_frame, hMenu, ID_TEST_FRAMES) & kGrey);
    EXPECT_NE(0u, StateAfterUpdate(m_frame, hMenu, ID_TEST_NOBODYS) & kGrey);   // no handler
    EXPECT_EQ(0u, StateAfterUpdate(m_frame, hMenu, 0xF120u) & kGrey);           // system range

    m_frame.m_bAutoMenuEnable = FALSE;
    ::EnableMenuItem(hMenu, ID_TEST_NOBODYS, MF_BYCOMMAND | MF_ENABLED);
    EXPECT_EQ(0u, StateAfterUpdate(m_frame, hMenu, ID_TEST_NOBODYS) & kGrey);
    ::DestroyMenu(hMenu);
}

TEST_F(FrameCommands, AcceleratorsTurnKeysIntoCommands)
{
    EXPECT_FALSE(m_frame.LoadAccelTable(MAKEINTRESOURCE(IDS_TEST_MISSING)));
    ASSERT_TRUE(m_frame.LoadAccelTable(MAKEINTRESOURCE(IDR_TEST_FRAME)));
    MSG msg = {};
    msg.hwnd = m_frame.m_view.m_hWnd;   // keys go to the focus window, a child of the frame
    msg.message = WM_KEYDOWN;
    msg.wParam = 'Z';
    msg.lParam = 1;

    EXPECT_FALSE(CWnd::WalkPreTranslateTree(m_frame.m_hWnd, &msg));   // Z alone is no command
    EXPECT_TRUE(m_frame.m_view.m_commands.empty());
    SetCtrl(true);
    EXPECT_TRUE(CWnd::WalkPreTranslateTree(m_frame.m_hWnd, &msg));
    EXPECT_EQ(std::vector<UINT>{ ID_TEST_VIEWS }, m_frame.m_view.m_commands);
    EXPECT_TRUE(m_frame.m_commands.empty());
}

TEST_F(FrameCommands, StatusBarPanesAndLayout)
{
    ASSERT_TRUE(m_frame.m_bar.Create(&m_frame));
    const UINT missing[] = { ID_SEPARATOR, IDS_TEST_MISSING };
    EXPECT_FALSE(m_frame.m_bar.SetIndicators(missing, 2));
    const UINT indicators[] = { ID_SEPARATOR, IDS_TEST_INDICATOR };
    ASSERT_TRUE(m_frame.m_bar.SetIndicators(indicators, 2));
    EXPECT_EQ(1, m_frame.m_bar.CommandToIndex(IDS_TEST_INDICATOR));

    HWND hBar = m_frame.m_bar.m_hWnd;
    auto paneText = [hBar](int nPane) {
        char szText[128] = "";
        ::SendMessageA(hBar, SB_GETTEXTA, (WPARAM)nPane, (LPARAM)szText);
        return std::string(szText);
    };
    EXPECT_EQ("0000 x 0000", paneText(1));   // the indicator's string is its first text
    EXPECT_TRUE(m_frame.m_bar.SetPaneText(1, _T("320 x 240")));
    m_frame.SetMessageText(_T("Ready"));
    EXPECT_EQ("320 x 240", paneText(1));
    EXPECT_EQ("Ready", paneText(0));
    EXPECT_EQ(std::string(CStringA(m_frame.m_bar.GetPaneText(1))), paneText(1));

    // The stretching first pane leaves the second its string's width; the last runs to the end.
    ::SetWindowPos(m_frame.m_hWnd, NULL, 0, 0, 500, 320, SWP_NOMOVE | SWP_NOZORDER);
    int rights[2] = {};
    ASSERT_EQ(2, (int)::SendMessageA(hBar, SB_GETPARTS, 2, (LPARAM)rights));
    EXPECT_EQ(-1, rights[1]);
    CRect rcClient;
    m_frame.GetClientRect(&rcClient);
    SIZE sizeText = {};
    HDC hDC = ::GetDC(hBar);
    HGDIOBJ hOld = ::SelectObject(hDC, (HFONT)::SendMessageA(hBar, WM_GETFONT, 0, 0));
    ::GetTextExtentPoint32A(hDC, "0000 x 0000", 11, &sizeText);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(hBar, hDC);
    EXPECT_GT(rcClient.Width() - rights[0], sizeText.cx);
    EXPECT_LT(rcClient.Width() - rights[0], rcClient.Width() / 2);

    // The view fills the client area above the bar, which lies along the bottom.
    CRect rcBar = ChildRect(hBar), rcView = ChildRect(m_frame.m_view.m_hWnd);
    EXPECT_EQ(rcClient.bottom, rcBar.bottom);
    EXPECT_GT(rcBar.Height(), 0);
    EXPECT_EQ(CRect(0, 0, rcClient.Width(), rcBar.top), rcView);
}

TEST_F(FrameCommands, DestroyingTheMainFrameEndsTheMessageLoop)
{
    CWinApp* pApp = AfxGetApp();
    pApp->m_pMainWnd = &m_frame;
    m_frame.DestroyWindow();
    MSG msg;
    EXPECT_TRUE(::PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(nullptr, pApp->m_pMainWnd);

    // Any other frame going away leaves the loop alone.
    CTestFrame other;
    ASSERT_TRUE(other.Create(NULL, _T("Other"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 100, 100)));
    other.DestroyWindow();
    EXPECT_FALSE(::PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
}
