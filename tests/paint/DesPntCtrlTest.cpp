// The status-reporting paint control: its status texts and the image point under the mouse
// go to the parent window through the registered status message.
#include "PaintFixture.h"
#include "dialogs/DesPntCtrl.h"

namespace
{
// A parent that records the status reports it receives.
class CReportParent : public CFrameWnd
{
public:
    std::vector<CString> m_texts;
    std::vector<CPoint> m_points;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == CDesPntCtrl::m_nUpdatePaintStatusBar)
        {
            if (lParam == 0)
                m_texts.push_back((LPCTSTR)wParam);
            else if (lParam == 1)
                m_points.push_back(*(POINT*)wParam);
            return 0;
        }
        return CFrameWnd::WindowProc(message, wParam, lParam);
    }
};
}

TEST(DesPntCtrl, ReportsStatusTextsAndImagePointsToItsParent)
{
    EXPECT_EQ(::RegisterWindowMessage(_T("UPDATE_PAINT_STATUSBAR")), CDesPntCtrl::m_nUpdatePaintStatusBar);
    CReportParent* pParent = new CReportParent;   // a frame deletes itself when destroyed
    ASSERT_TRUE(pParent->Create(NULL, _T("Parent"), WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 200)));
    CReportParent& parent = *pParent;
    CDesPntCtrl ctrl;
    ASSERT_TRUE(ctrl.Create(CRect(0, 0, 200, 150), pParent, 7, WS_CHILD | WS_VISIBLE));
    ASSERT_TRUE(ctrl.CreateBitmap(40, 30, 1, 24, NULL, NULL));
    ctrl.SetMagnification(200);

    ctrl.SetToolMode(TOOL_PEN);
    ASSERT_FALSE(parent.m_texts.empty());
    EXPECT_EQ(CString(_T("Draws using a pen with the current width.")), parent.m_texts.back());
    parent.m_texts.clear();
    ctrl.OnForceSendStatusMessage();
    ASSERT_EQ(1u, parent.m_texts.size());
    EXPECT_EQ(CString(_T("Draws using a pen with the current width.")), parent.m_texts[0]);

    // Client (25, 15) at 200 % with the 5-pixel margin is image pixel (10, 5); the margin
    // itself lies at negative image coordinates.
    ctrl.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(25, 15));
    ctrl.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
    ASSERT_EQ(2u, parent.m_points.size());
    EXPECT_EQ(CPoint(10, 5), parent.m_points[0]);
    EXPECT_LT(parent.m_points[1].x, 0);
    ctrl.DestroyWindow();
    pParent->DestroyWindow();
}
