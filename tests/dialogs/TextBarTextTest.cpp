// The text tool's bar passes TCHAR text on: a font face name stored in the profile reaches the
// paint control's font, the bar's caption and the profile again unchanged, and typed text
// reaches the control as its user text. In a Unicode build both hold letters outside any
// Western ANSI code page.
#include <afxwin.h>
#include <gtest/gtest.h>
#include <string.h>
#include <tchar.h>
#include "common/TestStrings.h"
#include "paint/PntCtrl.h"
#include "paint/PntToolModes.h"
#include "resources/resource.h"
#include "textbar/PntTextFmtBar.h"

namespace
{
const TCHAR kSection[] = _T("Text Tool");
#ifdef _UNICODE
// A face name of Greek letters ("Dokimi"); the font need not exist: a font keeps the face
// name it was asked for. And a text of Greek and Cyrillic letters.
const TCHAR kFace[] = L"\x0394\x03BF\x03BA\x03B9\x03BC\x03AE";
const TCHAR kTyped[] = L"\x03A9\x03B1 \x0416\x0434";
#else
const TCHAR kFace[] = "Fa\xE7" "ade";
const TCHAR kTyped[] = "caf\xE9 \xC5";
#endif

// The control with its bar opened to the tests.
class CTextBarPntCtrl : public CPntCtrl
{
public:
    using CPntCtrl::m_TextFmtBar;
};

void PumpMessages()
{
    MSG msg;
    while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
    {
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
}

class TextBarText : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pApp = AfxGetApp();
        m_pApp->SetRegistryKey(_T("MfcPaintDialogTests"));
        m_pApp->WriteProfileString(kSection, NULL, NULL);
        m_pOldMainWnd = m_pApp->m_pMainWnd;
        m_pFrame = new CFrameWnd;
        ASSERT_TRUE(m_pFrame->Create(NULL, _T("Text bar owner"), WS_POPUP | WS_VISIBLE, CRect(0, 0, 400, 300)));
        m_pApp->m_pMainWnd = m_pFrame;
        ASSERT_TRUE(m_ctrl.Create(CRect(10, 10, 210, 160), m_pFrame, 1001, WS_CHILD | WS_VISIBLE | WS_BORDER));
        ASSERT_TRUE(m_ctrl.CreateBitmap(50, 40, 1, 24, NULL, NULL));
    }
    void TearDown() override
    {
        if (::IsWindow(m_ctrl.m_hWnd))
            m_ctrl.DestroyWindow();
        m_pApp->m_pMainWnd = m_pOldMainWnd;
        if (::IsWindow(m_pFrame->m_hWnd))
            m_pFrame->DestroyWindow();   // the frame deletes itself
        m_pApp->WriteProfileString(kSection, NULL, NULL);
    }

    CWinApp* m_pApp = nullptr;
    CWnd* m_pOldMainWnd = nullptr;
    CFrameWnd* m_pFrame = nullptr;
    // The text tool opens the control's bar, which reads the profile as it is made.
    HWND OpenBar()
    {
        m_ctrl.SetToolMode(TOOL_TEXT);
        PumpMessages();
        return m_ctrl.m_TextFmtBar.m_hWnd;
    }

    CTextBarPntCtrl m_ctrl;
};

CString WindowText(HWND hWnd)
{
    TCHAR szText[256] = _T("");
    if (::GetWindowTextLength(hWnd) >= (int)_countof(szText))
        return _T("(too long)");
    ::GetWindowText(hWnd, szText, _countof(szText));
    return szText;
}
}

TEST_F(TextBarText, StoredFaceNameReachesTheControlCaptionAndProfile)
{
    CString strStored;
    strStored.Format(_T("-20,0,0,0,700,0,0,0,%d,0,0,0,0,%s"), DEFAULT_CHARSET, kFace);
    ASSERT_TRUE(m_pApp->WriteProfileString(kSection, _T("Font"), strStored));
    const HWND hBar = OpenBar();
    ASSERT_TRUE(::IsWindow(hBar));

    LOGFONT lf;
    memset(&lf, 0, sizeof(lf));
    ASSERT_EQ((int)sizeof(lf), m_ctrl.GetTextFont()->GetLogFont(&lf));
    EXPECT_EQ(CString(kFace), CString(lf.lfFaceName));
    EXPECT_EQ(-20, lf.lfHeight);
    EXPECT_EQ(700, lf.lfWeight);

    // The caption names the face and the size in points.
    HDC hScreen = ::GetDC(NULL);
    const int nPoints = ::MulDiv(20, 72, ::GetDeviceCaps(hScreen, LOGPIXELSY));
    ::ReleaseDC(NULL, hScreen);
    CString strCaption;
    strCaption.Format(_T("Text Tool [%s, %dpt]"), kFace, nPoints);
    EXPECT_EQ(strCaption, WindowText(hBar));

    // Stored back as it was read.
    EXPECT_EQ(strStored, m_pApp->GetProfileString(kSection, _T("Font")));
}

TEST_F(TextBarText, TypedTextBecomesTheControlsUserText)
{
    const HWND hBar = OpenBar();
    ASSERT_TRUE(::IsWindow(hBar));
    HWND hEdit = ::GetDlgItem(hBar, IDC_PNT_TEXT_EDITLEFT);
    ASSERT_TRUE(::IsWindowVisible(hEdit));
    // A multi-line edit reports no change for WM_SETTEXT, so the characters are typed.
    for (const TCHAR* p = kTyped; *p != 0; p++)
        ::SendMessage(hEdit, WM_CHAR, (WPARAM)(_TUCHAR)*p, 1);
    EXPECT_EQ(CString(kTyped), WindowText(hEdit));
    EXPECT_EQ(CString(kTyped), CString(m_ctrl.GetUserText()));
}

TEST_F(TextBarText, WideClipboardTextCountsAsText)
{
    const HWND hBar = OpenBar();
    ASSERT_TRUE(::IsWindow(hBar));
    ASSERT_TRUE(::OpenClipboard(NULL));
    ::EmptyClipboard();
    ::CloseClipboard();
    EXPECT_FALSE(m_ctrl.m_TextFmtBar.IsDataAvailable());

    // Only the wide form is put there, as a Unicode program puts its text.
    const wchar_t szText[] = L"\x03A9 text";
    HGLOBAL hText = ::GlobalAlloc(GMEM_MOVEABLE, sizeof(szText));
    ASSERT_TRUE(hText != NULL);
    memcpy(::GlobalLock(hText), szText, sizeof(szText));
    ::GlobalUnlock(hText);
    ASSERT_TRUE(::OpenClipboard(NULL));
    ::EmptyClipboard();
    EXPECT_TRUE(::SetClipboardData(CF_UNICODETEXT, hText) != NULL);
    ::CloseClipboard();
    EXPECT_TRUE(m_ctrl.m_TextFmtBar.IsDataAvailable());

    ASSERT_TRUE(::OpenClipboard(NULL));
    ::EmptyClipboard();
    ::CloseClipboard();
}
