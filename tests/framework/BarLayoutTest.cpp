// Control bars laid out by their frame: the tool bar along the top, the status bar (a control
// bar too) along the bottom, the view in between; and again after the frame is resized.
#include <afxext.h>
#include <gtest/gtest.h>
#include "RoutingTestSupport.h"
#include "ToolBarTestResources.h"

namespace
{
const UINT ID_PANE_UPDATED = 0x8203;

class CLayoutFrame : public CFrameWnd
{
public:
    void PostNcDestroy() override {}
    BOOL m_bPaneEnabled = TRUE;

protected:
    afx_msg void OnUpdatePane(CCmdUI* pCmdUI)
    {
        pCmdUI->SetText(_T("Updated"));
        pCmdUI->Enable(m_bPaneEnabled);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CLayoutFrame, CFrameWnd)
    ON_UPDATE_COMMAND_UI(ID_PANE_UPDATED, OnUpdatePane)
END_MESSAGE_MAP()

// The text that the status control shows in a pane.
CString ShownText(const CStatusBar& bar, int nIndex)
{
    TCHAR sz[64] = _T("");
    ::SendMessage(bar.m_hWnd, SB_GETTEXT, (WPARAM)nIndex, (LPARAM)sz);
    return CString(sz);
}

class BarLayout : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_frame.Create(NULL, _T("Layout"), WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 400, 300)));
        ASSERT_TRUE(m_toolBar.Create(&m_frame));
        ASSERT_TRUE(m_toolBar.LoadBitmap(IDB_TEST_TOOLBAR));
        const UINT kButtons[] = { 0x8201, 0, 0x8202 };
        ASSERT_TRUE(m_toolBar.SetButtons(kButtons, 3));
        ASSERT_TRUE(m_statusBar.Create(&m_frame));
        const UINT kPanes[] = { ID_SEPARATOR };
        ASSERT_TRUE(m_statusBar.SetIndicators(kPanes, 1));
        ASSERT_TRUE(m_view.Create(routingtest::PlainClassName(), _T(""), WS_CHILD | WS_VISIBLE, CRect(0, 0, 5, 5),
                                  &m_frame, AFX_IDW_PANE_FIRST));
    }
    void TearDown() override
    {
        if (::IsWindow(m_frame.m_hWnd))
            m_frame.DestroyWindow();
    }
    CRect ChildRect(const CWnd& child)
    {
        CRect rc;
        ::GetWindowRect(child.m_hWnd, &rc);
        m_frame.ScreenToClient(&rc);
        return rc;
    }
    // The three children tile the client area: bars full width at top and bottom, the view
    // between them.
    void ExpectTiled()
    {
        CRect rcClient;
        m_frame.GetClientRect(&rcClient);
        CRect rcTool = ChildRect(m_toolBar), rcStatus = ChildRect(m_statusBar), rcView = ChildRect(m_view);
        EXPECT_GT(rcTool.Height(), 0);
        EXPECT_GT(rcStatus.Height(), 0);
        EXPECT_EQ(CRect(0, 0, rcClient.right, rcTool.Height()), rcTool);
        EXPECT_EQ(CRect(0, rcClient.bottom - rcStatus.Height(), rcClient.right, rcClient.bottom), rcStatus);
        EXPECT_EQ(CRect(0, rcTool.bottom, rcClient.right, rcStatus.top), rcView);
    }

    CLayoutFrame m_frame;
    CToolBar m_toolBar;
    CStatusBar m_statusBar;
    CWnd m_view;
};
}

TEST_F(BarLayout, StatusBarIsAControlBar)
{
    EXPECT_TRUE(m_statusBar.IsKindOf(RUNTIME_CLASS(CControlBar)));
    EXPECT_EQ((DWORD)CBRS_BOTTOM, m_statusBar.GetBarStyle() & (CBRS_ALIGN_ANY | CBRS_BORDER_ANY));
}

TEST_F(BarLayout, FrameTilesBarsAndViewAfterEachResize)
{
    m_frame.RecalcLayout();
    ExpectTiled();
    m_frame.SetWindowPos(NULL, 0, 0, 520, 380, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ExpectTiled();
    CRect rcClient;
    m_frame.GetClientRect(&rcClient);
    EXPECT_EQ(rcClient.right, ChildRect(m_view).Width());
    m_frame.SetWindowPos(NULL, 0, 0, 300, 240, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ExpectTiled();
}

TEST_F(BarLayout, HiddenBarGivesItsRoomToTheView)
{
    m_toolBar.ShowWindow(SW_HIDE);
    m_frame.RecalcLayout();
    CRect rcClient;
    m_frame.GetClientRect(&rcClient);
    CRect rcView = ChildRect(m_view);
    EXPECT_EQ(0, rcView.top);
    EXPECT_EQ(ChildRect(m_statusBar).top, rcView.bottom);
}

TEST_F(BarLayout, QueryGivesTheRoomLeftWithoutMovingAnything)
{
    m_frame.RecalcLayout();
    CRect rcViewBefore = ChildRect(m_view);
    CRect rcLeft(0, 0, 0, 0);
    CRect rcClient(0, 0, 200, 100);
    m_frame.RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, AFX_IDW_PANE_FIRST, reposQuery, &rcLeft,
                           &rcClient);
    EXPECT_EQ(CRect(0, ChildRect(m_toolBar).Height(), 200, 100 - ChildRect(m_statusBar).Height()), rcLeft);
    EXPECT_EQ(rcViewBefore, ChildRect(m_view));
}

TEST_F(BarLayout, StatusPanesFollowTheirUpdateHandlers)
{
    const UINT kPanes[] = { ID_SEPARATOR, ID_SEPARATOR };
    ASSERT_TRUE(m_statusBar.SetIndicators(kPanes, 2));
    m_statusBar.SetPaneInfo(1, ID_PANE_UPDATED, SBPS_NORMAL, 60);
    m_statusBar.SetPaneText(0, _T("Ready"));
    m_statusBar.OnUpdateCmdUI(&m_frame, TRUE);
    EXPECT_EQ(CString(_T("Ready")), ShownText(m_statusBar, 0));   // no handler: left alone
    EXPECT_EQ(CString(_T("Updated")), ShownText(m_statusBar, 1));

    // A disabled pane shows nothing, and its text again once enabled.
    m_frame.m_bPaneEnabled = FALSE;
    m_statusBar.OnUpdateCmdUI(&m_frame, TRUE);
    EXPECT_EQ(CString(), ShownText(m_statusBar, 1));
    EXPECT_EQ(CString(_T("Updated")), m_statusBar.GetPaneText(1));
    m_frame.m_bPaneEnabled = TRUE;
    m_statusBar.OnUpdateCmdUI(&m_frame, TRUE);
    EXPECT_EQ(CString(_T("Updated")), ShownText(m_statusBar, 1));
}
