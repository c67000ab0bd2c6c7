// The dialog base: where a dialog opens, and what it stores in the profile.
#include <afxwin.h>
#include <gtest/gtest.h>
#include "dialogs/PntDlg.h"

namespace
{
const UINT kTemplate = 200;
const TCHAR kSection[] = _T("PaintDlg:200");

// Opens at the first idle moment, notes where it is, and closes.
class CPositionDlg : public CPntDlg
{
public:
    CPositionDlg() : CPntDlg(kTemplate) {}
    CRect m_rcShown;

protected:
    afx_msg LRESULT OnKickIdle(WPARAM, LPARAM)
    {
        if (m_rcShown.IsRectNull())
        {
            GetWindowRect(&m_rcShown);
            PostMessage(WM_COMMAND, IDOK, 0);
        }
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPositionDlg, CPntDlg)
    ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
END_MESSAGE_MAP()

class PntDlgTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pApp = AfxGetApp();
        m_pApp->SetRegistryKey(_T("MfcPaintDialogTests"));
        m_pApp->WriteProfileString(kSection, NULL, NULL);
        m_pOwner = new CFrameWnd;
        ASSERT_TRUE(m_pOwner->Create(NULL, _T("Owner"), WS_POPUP | WS_VISIBLE, CRect(100, 80, 700, 500)));
        m_pApp->m_pMainWnd = m_pOwner;
    }
    void TearDown() override
    {
        m_pApp->m_pMainWnd = nullptr;
        m_pOwner->DestroyWindow();
    }
    CPoint Stored()
    {
        return CPoint((int)m_pApp->GetProfileInt(kSection, _T("X"), -1), (int)m_pApp->GetProfileInt(kSection, _T("Y"), -1));
    }

    CWinApp* m_pApp = nullptr;
    CFrameWnd* m_pOwner = nullptr;
};
}

TEST_F(PntDlgTest, FirstOpeningCentresOnTheOwnerAndStoresThePosition)
{
    CPositionDlg dlg;
    ASSERT_EQ(IDOK, dlg.DoModal());
    ASSERT_FALSE(dlg.m_rcShown.IsRectNull());
    CRect rcOwner(100, 80, 700, 500);
    EXPECT_EQ(400 - dlg.m_rcShown.Width() / 2, dlg.m_rcShown.left);
    EXPECT_EQ(290 - dlg.m_rcShown.Height() / 2, dlg.m_rcShown.top);
    EXPECT_EQ(dlg.m_rcShown.TopLeft(), Stored());
}

TEST_F(PntDlgTest, StoredPositionIsUsedOnlyWhenItFits)
{
    m_pApp->WriteProfileInt(kSection, _T("X"), 30);
    m_pApp->WriteProfileInt(kSection, _T("Y"), 40);
    CPositionDlg reopened;
    ASSERT_EQ(IDOK, reopened.DoModal());
    EXPECT_EQ(CPoint(30, 40), reopened.m_rcShown.TopLeft());

    // A position from a larger screen: partly outside the work area, so centred instead.
    CRect rcWork;
    ::SystemParametersInfo(SPI_GETWORKAREA, 0, &rcWork, 0);
    m_pApp->WriteProfileInt(kSection, _T("X"), rcWork.right - 10);
    CPositionDlg moved;
    ASSERT_EQ(IDOK, moved.DoModal());
    EXPECT_EQ(400 - moved.m_rcShown.Width() / 2, moved.m_rcShown.left);
    EXPECT_EQ(moved.m_rcShown.TopLeft(), Stored());
}
