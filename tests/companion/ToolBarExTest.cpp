// CToolBarEx: a derived bar's own map drives its buttons without a frame, the run-time class a
// derived bar reports, the owning frame, and the flat look.
#include <afxext.h>
#include <gtest/gtest.h>
#include "companion/ToolBarEx.h"

namespace
{
const UINT kFirst = 52768;

// A palette-like bar: no run-time class of its own, a range handler for all its buttons.
class CRangeBar : public CToolBarEx
{
public:
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override
    {
        CToolBarEx::OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
    }

protected:
    // Even commands enabled, odd ones disabled; the third one checked.
    afx_msg void OnUpdateRange(CCmdUI* pCmdUI)
    {
        pCmdUI->Enable((pCmdUI->m_nID - kFirst) % 2 == 0);
        pCmdUI->SetCheck(pCmdUI->m_nID == kFirst + 2);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRangeBar, CToolBarEx)
    ON_UPDATE_COMMAND_UI_RANGE(kFirst, kFirst + 29, OnUpdateRange)
END_MESSAGE_MAP()

class CHostFrame : public CFrameWnd
{
public:
    void PostNcDestroy() override {}
};
}

TEST(ToolBarEx, DerivedMapDrivesTheButtonsWithoutAFrame)
{
    CHostFrame frame;
    ASSERT_TRUE(frame.Create(NULL, _T("Host"), WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 300, 200)));
    CRangeBar bar;
    EXPECT_EQ(RUNTIME_CLASS(CToolBarEx), bar.GetRuntimeClass());
    EXPECT_TRUE(bar.IsKindOf(RUNTIME_CLASS(CToolBar)));
    ASSERT_TRUE(bar.Create(&frame, WS_CHILD | WS_VISIBLE | CBRS_TOOLTIPS, 28133));
    EXPECT_EQ(frame.m_hWnd, bar.m_hWndFrame);
    const UINT ids[] = { kFirst, kFirst + 1, kFirst + 2, kFirst + 3 };
    ASSERT_TRUE(bar.SetButtons(ids, 4));

    bar.OnUpdateCmdUI(NULL, TRUE);
    for (UINT nID : ids)
    {
        EXPECT_EQ((nID - kFirst) % 2 == 0, bar.SendMessage(TB_ISBUTTONENABLED, nID) != 0) << nID;
        EXPECT_EQ(nID == kFirst + 2, bar.SendMessage(TB_ISBUTTONCHECKED, nID) != 0) << nID;
    }

    // The flat look is the control's flat style, brought in line when the frame is painted.
    EXPECT_TRUE(bar.GetFlatLook());
    EXPECT_NE(0u, bar.GetStyle() & TBSTYLE_FLAT);
    bar.SetFlatLook(FALSE);
    bar.SendMessage(WM_NCPAINT, 1);
    EXPECT_EQ(0u, bar.GetStyle() & TBSTYLE_FLAT);
    bar.m_bFlatLook = TRUE;   // as a derived bar sets it
    bar.SendMessage(WM_NCPAINT, 1);
    EXPECT_NE(0u, bar.GetStyle() & TBSTYLE_FLAT);
    frame.DestroyWindow();
}
