// Texts of windows and dialog items through CString, and numbers in dialog items.
#include <afxwin.h>
#include <gtest/gtest.h>
#include "RoutingTestSupport.h"

namespace
{
class WindowText : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.CreateEx(0, routingtest::PlainClassName(), _T("Parent"), WS_OVERLAPPEDWINDOW,
                                      CRect(0, 0, 200, 100), NULL, 0));
        m_hEdit = ::CreateWindow(_T("EDIT"), _T(""), WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, m_parent.m_hWnd,
                                 (HMENU)(UINT_PTR)kEditID, AfxGetInstanceHandle(), NULL);
        ASSERT_NE((HWND)NULL, m_hEdit);
    }
    void TearDown() override
    {
        if (::IsWindow(m_parent.m_hWnd))
            m_parent.DestroyWindow();
    }
    static const int kEditID = 100;
    CWnd m_parent;
    HWND m_hEdit = NULL;
};
}

TEST_F(WindowText, DialogItemTextComesBackWhole)
{
    CString strLong;
    for (int i = 0; i < 300; ++i)
        strLong += (TCHAR)(_T('a') + i % 26);
    m_parent.SetDlgItemText(kEditID, strLong);
    CString strRead = _T("stale");
    EXPECT_EQ(300, m_parent.GetDlgItemText(kEditID, strRead));
    EXPECT_EQ(strLong, strRead);

    TCHAR szShort[8];
    EXPECT_EQ(7, m_parent.GetDlgItemText(kEditID, szShort, _countof(szShort)));
    EXPECT_EQ(0, lstrcmp(szShort, _T("abcdefg")));

    // No such item: an empty text, not a failure of the caller's string.
    strRead = _T("stale");
    EXPECT_EQ(0, m_parent.GetDlgItemText(999, strRead));
    EXPECT_TRUE(strRead.IsEmpty());

    CString strWindow;
    m_parent.GetWindowText(strWindow);
    EXPECT_EQ(CString(_T("Parent")), strWindow);
}

TEST_F(WindowText, DialogItemNumbers)
{
    m_parent.SetDlgItemInt(kEditID, (UINT)-42, TRUE);
    CString strRead;
    m_parent.GetDlgItemText(kEditID, strRead);
    EXPECT_EQ(CString(_T("-42")), strRead);
    BOOL bTranslated = FALSE;
    EXPECT_EQ(-42, (int)m_parent.GetDlgItemInt(kEditID, &bTranslated, TRUE));
    EXPECT_TRUE(bTranslated);
    m_parent.SetDlgItemText(kEditID, _T("none"));
    m_parent.GetDlgItemInt(kEditID, &bTranslated, FALSE);
    EXPECT_FALSE(bTranslated);
}
