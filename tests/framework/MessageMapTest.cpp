// Message-map entries reach the right handler with the right arguments, whichever way the
// handler is named (OnX or &CClass::OnX): full 64-bit timer ids and message parameters,
// command ids of a range, the CCmdUI of an update, and virtual handlers bound in a base
// class's map reaching the override.
#include <afxwin.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{
const UINT kRangeFirst = 2100;
const UINT kPmfRangeFirst = 2200;
const UINT kVirtualCommand = 2300;
const UINT kVirtualPmfCommand = 2301;
const UINT kUpdateCommand = 2400;
const UINT kAppMessage = WM_APP + 17;
// Values that do not fit in 32 bits: a handler that took UINT or LONG would see them cut.
const UINT_PTR kWideTimerId = (UINT_PTR)0x12345678ABCDULL;
const WPARAM kWideWParam = (WPARAM)0x0000700080009000ULL;
const LPARAM kWideLParam = (LPARAM)0x0000600050004000LL;

LPCTSTR MapTestClassName()
{
    static LPCTSTR pszName = [] {
        WNDCLASS wc = {};
        wc.lpfnWndProc = ::DefWindowProc;
        wc.hInstance = AfxGetInstanceHandle();
        wc.lpszClassName = _T("MfcxMapTestWindow");
        AfxRegisterClass(&wc);
        return _T("MfcxMapTestWindow");
    }();
    return pszName;
}

// Binds a virtual handler in its own map, by its bare name and by pointer to member.
class CMapBaseWnd : public CWnd
{
public:
    std::vector<std::string> m_calls;

protected:
    virtual void OnVirtualCommand() { m_calls.push_back("base virtual"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMapBaseWnd, CWnd)
    ON_COMMAND(kVirtualCommand, OnVirtualCommand)
    ON_COMMAND(kVirtualPmfCommand, &CMapBaseWnd::OnVirtualCommand)
END_MESSAGE_MAP()

class CMapTestWnd : public CMapBaseWnd
{
public:
    UINT_PTR m_nTimerId = 0;
    UINT m_nRangeId = 0;
    UINT m_nPmfRangeId = 0;
    WPARAM m_wParam = 0;
    LPARAM m_lParam = 0;
    CCmdUI* m_pUpdated = NULL;

private:
    afx_msg void OnTimer(UINT_PTR nIDEvent) { m_nTimerId = nIDEvent; }
    afx_msg void OnRange(UINT nID) { m_nRangeId = nID; }
    afx_msg void OnPmfRange(UINT nID) { m_nPmfRangeId = nID; }
    afx_msg LRESULT OnAppMessage(WPARAM wParam, LPARAM lParam)
    {
        m_wParam = wParam;
        m_lParam = lParam;
        return lParam + 1;
    }
    afx_msg void OnUpdateCommand(CCmdUI* pCmdUI) { m_pUpdated = pCmdUI; }
    virtual void OnVirtualCommand() override { m_calls.push_back("derived virtual"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMapTestWnd, CMapBaseWnd)
    ON_WM_TIMER()
    ON_COMMAND_RANGE(kRangeFirst, kRangeFirst + 9, OnRange)
    ON_COMMAND_RANGE(kPmfRangeFirst, kPmfRangeFirst + 9, &CMapTestWnd::OnPmfRange)
    ON_MESSAGE(kAppMessage, &CMapTestWnd::OnAppMessage)
    ON_UPDATE_COMMAND_UI(kUpdateCommand, &CMapTestWnd::OnUpdateCommand)
END_MESSAGE_MAP()

class MessageMaps : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_wnd.CreateEx(0, MapTestClassName(), _T("map"), WS_POPUP, 0, 0, 50, 50, NULL, NULL));
    }
    void TearDown() override { m_wnd.DestroyWindow(); }

    CMapTestWnd m_wnd;
};
}

TEST_F(MessageMaps, TimerHandlerGetsTheWholePointerSizedId)
{
    m_wnd.SendMessage(WM_TIMER, kWideTimerId, 0);
    EXPECT_EQ(kWideTimerId, m_wnd.m_nTimerId);
}

TEST_F(MessageMaps, RangeHandlersGetTheCommandIdInBothSpellings)
{
    m_wnd.SendMessage(WM_COMMAND, MAKEWPARAM(kRangeFirst + 7, 0), 0);
    EXPECT_EQ(kRangeFirst + 7, m_wnd.m_nRangeId);
    EXPECT_EQ(0u, m_wnd.m_nPmfRangeId);

    m_wnd.SendMessage(WM_COMMAND, MAKEWPARAM(kPmfRangeFirst + 3, 0), 0);
    EXPECT_EQ(kPmfRangeFirst + 3, m_wnd.m_nPmfRangeId);
    EXPECT_EQ(kRangeFirst + 7, m_wnd.m_nRangeId);
}

TEST_F(MessageMaps, MessageHandlerGetsBothParametersWholeAndGivesTheResult)
{
    LRESULT lResult = m_wnd.SendMessage(kAppMessage, kWideWParam, kWideLParam);
    EXPECT_EQ(kWideWParam, m_wnd.m_wParam);
    EXPECT_EQ(kWideLParam, m_wnd.m_lParam);
    EXPECT_EQ(kWideLParam + 1, lResult);
}

TEST_F(MessageMaps, UpdateHandlerGetsTheItemsCmdUI)
{
    CCmdUI state;
    state.m_nID = kUpdateCommand;
    EXPECT_TRUE(m_wnd.OnCmdMsg(kUpdateCommand, CN_UPDATE_COMMAND_UI, &state, NULL));
    EXPECT_EQ(&state, m_wnd.m_pUpdated);
}

// A virtual handler listed in the base class's map, by either spelling, reaches the override.
TEST_F(MessageMaps, VirtualHandlersInABaseMapReachTheOverride)
{
    m_wnd.SendMessage(WM_COMMAND, MAKEWPARAM(kVirtualCommand, 0), 0);
    m_wnd.SendMessage(WM_COMMAND, MAKEWPARAM(kVirtualPmfCommand, 0), 0);
    EXPECT_EQ((std::vector<std::string>{"derived virtual", "derived virtual"}), m_wnd.m_calls);
}

TEST(MessageMapsOfTheBase, VirtualHandlersReachTheBaseWhenNotOverridden)
{
    CMapBaseWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, MapTestClassName(), _T("base"), WS_POPUP, 0, 0, 50, 50, NULL, NULL));
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(kVirtualCommand, 0), 0);
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(kVirtualPmfCommand, 0), 0);
    EXPECT_EQ((std::vector<std::string>{"base virtual", "base virtual"}), wnd.m_calls);
    wnd.DestroyWindow();
}
