// The reporting bitmap editor's status pane shows the text of the registered status message
// exactly as sent: the message's wParam is TCHAR text. In a Unicode build the text holds
// letters outside any Western ANSI code page, which a narrow step on the way would lose.
#include <afxext.h>
#include <gtest/gtest.h>
#include <commctrl.h>
#include "DialogDriver.h"
#include "dialogs/DesBmpEditDlg.h"
#include "common/TestStrings.h"
#include "resources/resource.h"

namespace
{
// The text of a status bar pane, read from the status window itself.
CString PaneText(HWND hBar, int nPane)
{
    TCHAR szText[256] = _T("");
    LRESULT lLength = ::SendMessage(hBar, SB_GETTEXTLENGTH, (WPARAM)nPane, 0);
    if (LOWORD(lLength) >= _countof(szText))
        return _T("(too long)");
    ::SendMessage(hBar, SB_GETTEXT, (WPARAM)nPane, (LPARAM)szText);
    return szText;
}
}

TEST(DesBmpEditDlg, StatusPaneShowsTheRegisteredMessageTextExactly)
{
    // Anyone may send the message: it is found by its name.
    const UINT nMessage = ::RegisterWindowMessage(_T("UPDATE_PAINT_STATUSBAR"));
    EXPECT_EQ(nMessage, CDesPntCtrl::m_nUpdatePaintStatusBar);
#ifdef _UNICODE
    // "Grammi" (line) in Greek, the CJK letter for a line, and a number.
    const TCHAR szText[] = L"\x0393\x03C1\x03B1\x03BC\x03BC\x03AE \x7DDA 42";
#else
    const TCHAR szText[] = "Line 42, 3\xB0";
#endif

    HDC hScreen = ::GetDC(NULL);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, 40, 30);
    ::ReleaseDC(NULL, hScreen);
    CDesBmpEditDlg dlg;
    ASSERT_TRUE(dlg.SetBitmap(hBitmap));
    CString strShown, strToolText, strSize;
    dlgtest::RunModal(dlg, [&](HWND hDlg) {
        HWND hBar = ::GetDlgItem(hDlg, AFX_IDW_STATUS_BAR);
        strToolText = PaneText(hBar, 0);
        strSize = PaneText(hBar, 2);
        ::SendMessage(hDlg, nMessage, (WPARAM)szText, 0);
        strShown = PaneText(hBar, 0);
        testenv::Click(hDlg, IDOK);
    });
    ::DeleteObject(hBitmap);

    EXPECT_EQ(CString(szText), strShown);
    // The tool's own text and the size, as the string table and the test spell them.
    CString strPen;
    ASSERT_TRUE(strPen.LoadString(IDS_PNT_TOOL_PEN));
    EXPECT_EQ(strPen, strToolText);
    CString strExpectedSize;
    strExpectedSize.Format(_T(" %d x %d "), 40, 30);
    EXPECT_EQ(strExpectedSize, strSize);
}
