// Tool bars: buttons from ids and their images, separators with a width, the system colours of
// loaded images, the update pass through the bar's own map and the target frame, clicks
// reaching command handlers, tooltip tools and text requests, and rows.
#include <afxext.h>
#include <gtest/gtest.h>
#include "ToolBarTestResources.h"
#include <algorithm>
#include <vector>

namespace
{
// A bar that drives one button itself and answers tooltip requests.
class CTestBar : public CToolBar
{
public:
    using CToolBar::m_hbmImageWell;
    using CToolBar::m_hWndToolTip;
    std::vector<UINT> m_commands;
    std::vector<UINT_PTR> m_tipRequests;   // idFrom of each text request
    std::vector<UINT> m_tipSenderIds;      // the id routing saw
    BOOL m_bOwnEnabled = TRUE;

protected:
    afx_msg void OnBarCommand() { m_commands.push_back(ID_TEST_BARCMD); }
    afx_msg void OnUpdateBarCommand(CCmdUI* pCmdUI)
    {
        pCmdUI->Enable(m_bOwnEnabled);
        pCmdUI->SetCheck(1);
    }
    afx_msg BOOL OnToolTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult)
    {
        m_tipSenderIds.push_back(nID);
        m_tipRequests.push_back(pNMHDR->idFrom);
        lstrcpynA(((TOOLTIPTEXTA*)pNMHDR)->szText, "tip", 80);
        *pResult = 0;
        return TRUE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestBar, CToolBar)
    ON_COMMAND(ID_TEST_BARCMD, OnBarCommand)
    ON_UPDATE_COMMAND_UI(ID_TEST_BARCMD, OnUpdateBarCommand)
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTA, 0, 0xFFFF, OnToolTipText)
END_MESSAGE_MAP()

class CBarFrame : public CFrameWnd
{
public:
    std::vector<UINT> m_commands;
    BOOL m_bFrameEnabled = TRUE;
    void PostNcDestroy() override {}   // a member of the fixture

protected:
    afx_msg void OnFrameCommand() { m_commands.push_back(ID_TEST_FRAMECMD); }
    afx_msg void OnUpdateFrameCommand(CCmdUI* pCmdUI) { pCmdUI->Enable(m_bFrameEnabled); }
    afx_msg void OnUpdateChecked(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBarFrame, CFrameWnd)
    ON_COMMAND(ID_TEST_FRAMECMD, OnFrameCommand)
    ON_UPDATE_COMMAND_UI(ID_TEST_FRAMECMD, OnUpdateFrameCommand)
    ON_UPDATE_COMMAND_UI(ID_TEST_CHECKED, OnUpdateChecked)
END_MESSAGE_MAP()

const UINT kIds[] = { ID_TEST_FRAMECMD, 0, ID_TEST_CHECKED, ID_TEST_ORPHAN, ID_TEST_BARCMD };

class ToolBar : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_frame.Create(NULL, _T("Bars"), WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 400, 300)));
        ASSERT_TRUE(m_bar.Create(&m_frame, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS));
        ASSERT_TRUE(m_bar.LoadBitmap(IDB_TEST_TOOLBAR));
        ASSERT_TRUE(m_bar.SetButtons(kIds, 5));
        CSize size = m_bar.CalcFixedLayout(FALSE, TRUE);
        m_bar.MoveWindow(0, 0, size.cx, size.cy);
    }
    void TearDown() override
    {
        if (::IsWindow(m_frame.m_hWnd))
            m_frame.DestroyWindow();
    }
    BOOL IsEnabled(UINT nID) { return (BOOL)m_bar.SendMessage(TB_ISBUTTONENABLED, nID); }
    BOOL IsChecked(UINT nID) { return (BOOL)m_bar.SendMessage(TB_ISBUTTONCHECKED, nID); }
    // Presses and releases the mouse on a button, as the user would.
    void Click(UINT nID)
    {
        CRect rc;
        m_bar.GetItemRect(m_bar.CommandToIndex(nID), &rc);
        LPARAM lPoint = MAKELPARAM(rc.CenterPoint().x, rc.CenterPoint().y);
        m_bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, lPoint);
        m_bar.SendMessage(WM_LBUTTONUP, 0, lPoint);
    }
    // The ids of the tooltip's tools; window tools as (UINT_PTR)hwnd.
    std::vector<UINT_PTR> ToolIds()
    {
        std::vector<UINT_PTR> ids;
        int nCount = (int)::SendMessage(m_bar.m_hWndToolTip, TTM_GETTOOLCOUNT, 0, 0);
        for (int i = 0; i < nCount; ++i)
        {
            TOOLINFOA ti = {};
            ti.cbSize = sizeof(ti);
            if (::SendMessage(m_bar.m_hWndToolTip, TTM_ENUMTOOLSA, i, (LPARAM)&ti))
                ids.push_back(ti.uId);
        }
        return ids;
    }

    CBarFrame m_frame;
    CTestBar m_bar;
};
}

TEST_F(ToolBar, ButtonsTakeTheirIdsImagesInTurnAndSeparatorsTheirWidth)
{
    EXPECT_EQ(5, m_bar.GetCount());
    EXPECT_EQ(2, m_bar.CommandToIndex(ID_TEST_CHECKED));
    EXPECT_EQ(-1, m_bar.CommandToIndex(999));
    EXPECT_EQ((UINT)ID_TEST_ORPHAN, m_bar.GetItemID(3));
    UINT nID, nStyle;
    int iImage;
    m_bar.GetButtonInfo(3, nID, nStyle, iImage);
    EXPECT_EQ((UINT)TBBS_BUTTON, nStyle);
    EXPECT_EQ(2, iImage);   // the separator takes no image
    m_bar.GetButtonInfo(1, nID, nStyle, iImage);
    EXPECT_EQ((UINT)TBBS_SEPARATOR, nStyle);

    // A separator as wide as asked, the next button right after it.
    m_bar.SetButtonInfo(1, 0, TBBS_SEPARATOR, 37);
    CRect rcSeparator, rcNext;
    m_bar.GetItemRect(1, &rcSeparator);
    m_bar.GetItemRect(2, &rcNext);
    EXPECT_EQ(37, rcSeparator.Width());
    EXPECT_EQ(rcSeparator.right, rcNext.left);

    // A slot given a new id is found by it, and its tooltip tool follows.
    m_bar.SetButtonInfo(3, 499, TBBS_BUTTON, 1);
    EXPECT_EQ(3, m_bar.CommandToIndex(499));
    std::vector<UINT_PTR> tools = ToolIds();
    EXPECT_EQ(1, std::count(tools.begin(), tools.end(), (UINT_PTR)499));
    EXPECT_EQ(0, std::count(tools.begin(), tools.end(), (UINT_PTR)ID_TEST_ORPHAN));

    CRect rcBad(1, 1, 2, 2);
    m_bar.GetItemRect(9, &rcBad);
    EXPECT_TRUE(rcBad.IsRectEmpty());
    m_bar.SetButtonInfo(-1, 1, TBBS_BUTTON, 0);   // ignored
    EXPECT_EQ(5, m_bar.GetCount());
}

TEST_F(ToolBar, LoadedImagesAreInTheButtonColours)
{
    ASSERT_NE(nullptr, m_bar.m_hbmImageWell);
    BITMAP bm;
    ASSERT_NE(0, ::GetObject(m_bar.m_hbmImageWell, sizeof(bm), &bm));
    EXPECT_EQ(48, bm.bmWidth);
    EXPECT_EQ(15, bm.bmHeight);
    std::vector<DWORD> bits((size_t)bm.bmWidth * bm.bmHeight);
    BITMAPINFO bmi = {};
    bmi.bmiHeader = { sizeof(BITMAPINFOHEADER), bm.bmWidth, -bm.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0 };
    HDC hScreen = ::GetDC(NULL);
    ASSERT_EQ(bm.bmHeight, ::GetDIBits(hScreen, m_bar.m_hbmImageWell, 0, bm.bmHeight, bits.data(), &bmi, DIB_RGB_COLORS));
    ::ReleaseDC(NULL, hScreen);
    auto pixel = [&](int x, int y) {
        DWORD d = bits[(size_t)y * bm.bmWidth + x];
        return RGB((d >> 16) & 0xFF, (d >> 8) & 0xFF, d & 0xFF);
    };
    // Image 0 has stripes of black, dark grey, light grey and white, four columns each.
    const int kStripeColours[] = { COLOR_BTNTEXT, COLOR_BTNSHADOW, COLOR_BTNFACE, COLOR_BTNHIGHLIGHT };
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(::GetSysColor(kStripeColours[i]), pixel(4 * i + 1, 7)) << _T("stripe ") << i;
}

TEST_F(ToolBar, UpdatesComeFromTheBarsOwnMapThenTheTarget)
{
    CButton child;
    ASSERT_TRUE(child.Create(_T("child"), WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(200, 0, 240, 20), &m_bar,
                             ID_TEST_CHILD));

    m_frame.m_bFrameEnabled = FALSE;
    m_bar.OnUpdateCmdUI(&m_frame, TRUE);
    EXPECT_FALSE(IsEnabled(ID_TEST_FRAMECMD));   // the frame's handler
    EXPECT_TRUE(IsChecked(ID_TEST_CHECKED));
    EXPECT_FALSE(IsEnabled(ID_TEST_CHECKED));    // updated, but no command handler
    EXPECT_FALSE(IsEnabled(ID_TEST_ORPHAN));     // no handler anywhere
    EXPECT_TRUE(IsEnabled(ID_TEST_BARCMD));      // the bar's own handler
    EXPECT_TRUE(IsChecked(ID_TEST_BARCMD));
    EXPECT_FALSE(child.IsWindowEnabled());       // a push button without a handler

    // The idle message updates a visible bar against its frame.
    m_frame.m_bFrameEnabled = TRUE;
    m_bar.SendMessage(WM_IDLEUPDATECMDUI, FALSE);
    EXPECT_TRUE(IsEnabled(ID_TEST_FRAMECMD));

    // Without a target (a bar in a dialog) only the bar's own map answers.
    m_bar.m_bOwnEnabled = FALSE;
    m_bar.OnUpdateCmdUI(NULL, TRUE);
    EXPECT_FALSE(IsEnabled(ID_TEST_FRAMECMD));
    EXPECT_FALSE(IsEnabled(ID_TEST_CHECKED));
    EXPECT_FALSE(IsEnabled(ID_TEST_BARCMD));
    EXPECT_TRUE(IsChecked(ID_TEST_BARCMD));
    m_bar.OnUpdateCmdUI(NULL, FALSE);   // without disabling, unhandled buttons stay as they are
    EXPECT_FALSE(IsEnabled(ID_TEST_ORPHAN));
}

TEST_F(ToolBar, ClicksReachTheParentOrTheBarAndThenItsOwner)
{
    Click(ID_TEST_FRAMECMD);   // the control tells its parent, the frame
    EXPECT_EQ(std::vector<UINT>{ ID_TEST_FRAMECMD }, m_frame.m_commands);

    // With the bar as the control's notify window, its own map comes first; what it leaves
    // goes on to the owner.
    m_bar.GetToolBarCtrl().SetOwner(&m_bar);
    Click(ID_TEST_BARCMD);
    Click(ID_TEST_FRAMECMD);
    EXPECT_EQ(std::vector<UINT>{ ID_TEST_BARCMD }, m_bar.m_commands);
    EXPECT_EQ((std::vector<UINT>{ ID_TEST_FRAMECMD, ID_TEST_FRAMECMD }), m_frame.m_commands);

    // A disabled button sends nothing.
    m_bar.SetButtonStyle(m_bar.CommandToIndex(ID_TEST_BARCMD), TBBS_BUTTON | TBBS_DISABLED);
    Click(ID_TEST_BARCMD);
    EXPECT_EQ(1u, m_bar.m_commands.size());

    // A menu or accelerator command whose update handler disables it is dropped.
    m_frame.m_bFrameEnabled = FALSE;
    m_frame.SendMessage(WM_COMMAND, MAKEWPARAM(ID_TEST_FRAMECMD, 1), 0);
    EXPECT_EQ(2u, m_frame.m_commands.size());
    m_frame.m_bFrameEnabled = TRUE;
    m_frame.SendMessage(WM_COMMAND, MAKEWPARAM(ID_TEST_FRAMECMD, 1), 0);
    EXPECT_EQ(3u, m_frame.m_commands.size());
}

TEST_F(ToolBar, TooltipsKnowButtonsAndChildWindowsAndAskTheBarForText)
{
    ASSERT_NE(nullptr, m_bar.m_hWndToolTip);
    CStatic child;
    ASSERT_TRUE(child.Create(_T(""), WS_CHILD | WS_VISIBLE, CRect(200, 0, 220, 20), &m_bar, ID_TEST_CHILD));
    std::vector<UINT_PTR> tools = ToolIds();
    for (UINT nID : { (UINT)ID_TEST_FRAMECMD, (UINT)ID_TEST_CHECKED, (UINT)ID_TEST_ORPHAN, (UINT)ID_TEST_BARCMD })
        EXPECT_EQ(1, std::count(tools.begin(), tools.end(), (UINT_PTR)nID)) << nID;
    EXPECT_EQ(1, std::count(tools.begin(), tools.end(), (UINT_PTR)child.m_hWnd));

    // The tooltip's request, as it sends it: from the tooltip window (id 0) about a tool.
    TOOLTIPTEXTA ttt = {};
    ttt.hdr.hwndFrom = m_bar.m_hWndToolTip;
    ttt.hdr.idFrom = ID_TEST_CHECKED;
    ttt.hdr.code = TTN_NEEDTEXTA;
    m_bar.SendMessage(WM_NOTIFY, 0, (LPARAM)&ttt);
    EXPECT_EQ(std::vector<UINT_PTR>{ ID_TEST_CHECKED }, m_bar.m_tipRequests);
    EXPECT_EQ(std::vector<UINT>{ 0u }, m_bar.m_tipSenderIds);
    EXPECT_STREQ("tip", ttt.szText);

    child.DestroyWindow();
    tools = ToolIds();
    EXPECT_EQ(0, std::count(tools.begin(), tools.end(), (UINT_PTR)child.m_hWnd));
}

TEST_F(ToolBar, RowsAreAsManyAsAskedWithEqualRows)
{
    std::vector<UINT> ids;
    for (UINT i = 0; i < 9; ++i)
        ids.push_back(600 + i);
    ASSERT_TRUE(m_bar.SetButtons(ids.data(), 9));
    CRect rcBox;
    m_bar.GetToolBarCtrl().SetRows(3, TRUE, &rcBox);
    EXPECT_EQ(3, m_bar.GetToolBarCtrl().GetRows());
    CRect rc0, rc2, rc3;
    m_bar.GetItemRect(0, &rc0);
    m_bar.GetItemRect(2, &rc2);
    m_bar.GetItemRect(3, &rc3);
    EXPECT_EQ(rc0.top, rc2.top);         // three buttons a row
    EXPECT_EQ(rc0.left, rc3.left);       // the fourth starts the next row
    EXPECT_EQ(rc0.bottom, rc3.top);
    EXPECT_EQ(3 * rc0.Width(), rcBox.Width());

    // Four rows cannot be had from nine equal buttons: more rows (5) when asked for more,
    // else fewer (3).
    m_bar.GetToolBarCtrl().SetRows(4, TRUE, NULL);
    EXPECT_EQ(5, m_bar.GetToolBarCtrl().GetRows());
    m_bar.GetToolBarCtrl().SetRows(4, FALSE, NULL);
    EXPECT_EQ(3, m_bar.GetToolBarCtrl().GetRows());
}

TEST(SliderCtrl, KeepsRangePositionAndSteps)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, _T("STATIC"), _T(""), WS_POPUP, 0, 0, 200, 200, NULL, NULL));
    CSliderCtrl slider;
    ASSERT_TRUE(slider.Create(WS_CHILD | WS_VISIBLE | TBS_VERT, CRect(0, 0, 30, 150), &parent, 100));
    slider.SetRange(10, 70000);   // beyond 16 bits
    EXPECT_EQ(10, slider.GetRangeMin());
    EXPECT_EQ(70000, slider.GetRangeMax());
    slider.SetPos(600);
    EXPECT_EQ(600, slider.GetPos());
    slider.SetPos(1);
    EXPECT_EQ(10, slider.GetPos());   // kept inside the range
    slider.SetPageSize(50);
    EXPECT_EQ(50, slider.SetPageSize(20));
    slider.SetLineSize(5);
    EXPECT_EQ(5, slider.GetLineSize());
    parent.DestroyWindow();
}
