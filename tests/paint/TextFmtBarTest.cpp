// The text tool's floating bar: what it restores from the profile, alignment switches that
// carry the text along, style toggles, its button images and layout, and closing it.
#include "PaintFixture.h"
#include "resources/resource.h"
#include "textbar/PntTextFmtBar.h"

namespace
{
const TCHAR kSection[] = _T("Text Tool");

// The bar's protected parts, opened to the tests.
class CTestTextFmtBar : public CPntTextFmtBar
{
public:
    using CPntTextFmtBar::GetEditControl, CPntTextFmtBar::m_nAlignment;
};
}

class PntTextFmtBar : public PaintFixture
{
protected:
    void SetUp() override
    {
        PaintFixture::SetUp();
        AfxGetApp()->SetRegistryKey(_T("MfcPaintTextBarTests"));
        AfxGetApp()->WriteProfileString(kSection, NULL, NULL);
        ASSERT_TRUE(GiveImage(50, 40));
    }

    // The control's bar, opened with the text tool.
    CTestTextFmtBar* OpenBar()
    {
        m_pCtrl->SetToolMode(TOOL_TEXT);
        PumpMessages();
        return static_cast<CTestTextFmtBar*>(&m_pCtrl->m_TextFmtBar);
    }
    LOGFONT ControlFont()
    {
        LOGFONT lf = {};
        m_pCtrl->GetTextFont()->GetLogFont(&lf);
        return lf;
    }
    CString Text(HWND hWnd)
    {
        TCHAR sz[256] = _T("");
        ::GetWindowText(hWnd, sz, _countof(sz));
        return sz;
    }
    bool Checked(CWnd* pBar, int nID) { return pBar->SendDlgItemMessage(nID, BM_GETCHECK) == BST_CHECKED; }
    void Press(CWnd* pBar, int nID) { pBar->SendDlgItemMessage(nID, BM_CLICK); }
};

TEST_F(PntTextFmtBar, FreshProfileGivesTheSystemFontAndLeftAlignment)
{
    CTestTextFmtBar* pBar = OpenBar();
    ASSERT_TRUE(pBar->IsVisible());
    ASSERT_TRUE(::IsWindowVisible(pBar->m_hWnd));
    EXPECT_STREQ(_T("System"), ControlFont().lfFaceName);
    EXPECT_EQ(0, ControlFont().lfHeight);
    EXPECT_EQ(CString(_T("Text Tool [System, 0pt]")), Text(pBar->m_hWnd));
    EXPECT_TRUE(::IsWindowVisible(pBar->GetEditControl(0)->m_hWnd));
    EXPECT_FALSE(::IsWindowVisible(pBar->GetEditControl(1)->m_hWnd));
    EXPECT_FALSE(::IsWindowVisible(pBar->GetEditControl(2)->m_hWnd));
    EXPECT_EQ(0u, m_pCtrl->GetTextFormat() & (DT_CENTER | DT_RIGHT));
    EXPECT_TRUE(Checked(pBar, IDC_PNT_TEXT_LEFT));
    EXPECT_FALSE(Checked(pBar, IDC_PNT_TEXT_BOLD));

    // Typing goes to the control as its user text. (A multi-line edit reports no change for
    // WM_SETTEXT, so the keys are typed.)
    for (LPCTSTR p = _T("hello"); *p != 0; p++)
        pBar->GetEditControl(0)->SendMessage(WM_CHAR, (WPARAM)*p, 1);
    EXPECT_EQ(CString(_T("hello")), m_pCtrl->GetUserText());
}

TEST_F(PntTextFmtBar, AlignmentSwitchCarriesTextAndCaretAndIsStored)
{
    CTestTextFmtBar* pBar = OpenBar();
    CEdit* pLeft = pBar->GetEditControl(0);
    pLeft->SetWindowText(_T("abc"));
    pLeft->SetSel(2, 2);
    Press(pBar, IDC_PNT_TEXT_RIGHT);

    CEdit* pRight = pBar->GetEditControl(2);
    EXPECT_TRUE(::IsWindowVisible(pRight->m_hWnd));
    EXPECT_FALSE(::IsWindowVisible(pLeft->m_hWnd));
    EXPECT_FALSE(::IsWindowEnabled(pLeft->m_hWnd));
    EXPECT_EQ(CString(_T("abc")), Text(pRight->m_hWnd));
    int nStart = -1, nEnd = -1;
    pRight->GetSel(nStart, nEnd);
    EXPECT_EQ(2, nStart);
    EXPECT_EQ(2, nEnd);
    EXPECT_EQ((UINT)DT_RIGHT, m_pCtrl->GetTextFormat() & (DT_CENTER | DT_RIGHT));
    EXPECT_TRUE(Checked(pBar, IDC_PNT_TEXT_RIGHT));
    EXPECT_FALSE(Checked(pBar, IDC_PNT_TEXT_LEFT));
    EXPECT_EQ(2u, AfxGetApp()->GetProfileInt(kSection, _T("Alignment"), -1));

    Press(pBar, IDC_PNT_TEXT_CENTRE);
    EXPECT_EQ((UINT)DT_CENTER, m_pCtrl->GetTextFormat() & (DT_CENTER | DT_RIGHT));
    EXPECT_EQ(CString(_T("abc")), Text(pBar->GetEditControl(1)->m_hWnd));

    // Cleared text does not come back with a later switch.
    pBar->Clear();
    for (DWORD n = 0; n < 3; n++)
        EXPECT_EQ(CString(), Text(pBar->GetEditControl(n)->m_hWnd));
    Press(pBar, IDC_PNT_TEXT_LEFT);
    EXPECT_EQ(CString(), Text(pLeft->m_hWnd));
}

TEST_F(PntTextFmtBar, StyleTogglesChangeTheFontAndTheStoredText)
{
    CTestTextFmtBar* pBar = OpenBar();
    ASSERT_EQ(0, ControlFont().lfWeight);
    Press(pBar, IDC_PNT_TEXT_BOLD);
    EXPECT_EQ(400, ControlFont().lfWeight);   // a weight of 0 becomes normal first
    Press(pBar, IDC_PNT_TEXT_BOLD);
    EXPECT_EQ(700, ControlFont().lfWeight);
    EXPECT_TRUE(Checked(pBar, IDC_PNT_TEXT_BOLD));
    Press(pBar, IDC_PNT_TEXT_ITALIC);
    Press(pBar, IDC_PNT_TEXT_UNDERLINE);
    Press(pBar, IDC_PNT_TEXT_UNDERLINE);
    EXPECT_EQ(1, ControlFont().lfItalic);
    EXPECT_EQ(0, ControlFont().lfUnderline);
    EXPECT_TRUE(Checked(pBar, IDC_PNT_TEXT_ITALIC));
    EXPECT_FALSE(Checked(pBar, IDC_PNT_TEXT_UNDERLINE));

    LOGFONT lf = ControlFont();
    CString strExpected;
    strExpected.Format(_T("%d,%d,0,0,700,1,0,0,%u,%u,%u,%u,%u,System"), (int)lf.lfHeight, (int)lf.lfWidth,
                       lf.lfCharSet, lf.lfOutPrecision, lf.lfClipPrecision, lf.lfQuality, lf.lfPitchAndFamily);
    EXPECT_EQ(strExpected, AfxGetApp()->GetProfileString(kSection, _T("Font")));
}

TEST_F(PntTextFmtBar, StoredFontAndAlignmentAreRestored)
{
    AfxGetApp()->WriteProfileString(kSection, _T("Font"), _T("-20,0,0,0,700,1,0,0,0,0,0,0,0,Arial"));
    AfxGetApp()->WriteProfileInt(kSection, _T("Alignment"), 1);
    CTestTextFmtBar* pBar = OpenBar();
    LOGFONT lf = ControlFont();
    EXPECT_EQ(-20, lf.lfHeight);
    EXPECT_EQ(700, lf.lfWeight);
    EXPECT_EQ(1, lf.lfItalic);
    EXPECT_STREQ(_T("Arial"), lf.lfFaceName);
    EXPECT_EQ(1u, pBar->m_nAlignment);
    EXPECT_TRUE(::IsWindowVisible(pBar->GetEditControl(1)->m_hWnd));
    EXPECT_EQ((UINT)DT_CENTER, m_pCtrl->GetTextFormat() & (DT_CENTER | DT_RIGHT));
    HDC hScreen = ::GetDC(NULL);
    int nPoints = ::MulDiv(20, 72, ::GetDeviceCaps(hScreen, LOGPIXELSY));
    ::ReleaseDC(NULL, hScreen);
    CString strTitle;
    strTitle.Format(_T("Text Tool [Arial, %dpt]"), nPoints);
    EXPECT_EQ(strTitle, Text(pBar->m_hWnd));
}

TEST_F(PntTextFmtBar, ButtonImagesTakeTheFaceColourAndEditsFillTheBar)
{
    CTestTextFmtBar* pBar = OpenBar();
    // The art's grey background became the button face; the glyph stays black.
    HBITMAP hImage = (HBITMAP)pBar->SendDlgItemMessage(IDC_PNT_TEXT_BOLD, BM_GETIMAGE, IMAGE_BITMAP);
    ASSERT_NE((HBITMAP)NULL, hImage);
    HDC hDC = ::CreateCompatibleDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hDC, hImage);
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), ::GetPixel(hDC, 0, 0));
    EXPECT_EQ(RGB(0, 0, 0), ::GetPixel(hDC, 4, 4));   // inside the B's stem
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);

    // A larger bar: the edits keep their top-left corner and the same margin on the other sides.
    CRect rcBar;
    pBar->GetWindowRect(&rcBar);
    pBar->SetWindowPos(NULL, 0, 0, rcBar.Width() + 60, rcBar.Height() + 40, SWP_NOMOVE | SWP_NOZORDER);
    CRect rcClient, rcEdit;
    pBar->GetClientRect(&rcClient);
    for (DWORD n = 0; n < 3; n++)
    {
        pBar->GetEditControl(n)->GetWindowRect(&rcEdit);
        pBar->ScreenToClient(&rcEdit);
        EXPECT_EQ(rcEdit.left, rcClient.right - rcEdit.right);
        EXPECT_EQ(rcEdit.left, rcClient.bottom - rcEdit.bottom);
    }
}

TEST_F(PntTextFmtBar, ClosingTheBarSwitchesToTheSelectionTool)
{
    CTestTextFmtBar* pBar = OpenBar();
    pBar->SendMessage(WM_CLOSE);
    EXPECT_EQ(TOOL_SELECT, m_pCtrl->GetToolMode());
    EXPECT_FALSE(pBar->IsVisible());
    EXPECT_FALSE(::IsWindowVisible(pBar->m_hWnd));
    // Enter and Escape reach the bar as IDOK and IDCANCEL and leave it standing.
    m_pCtrl->SetToolMode(TOOL_TEXT);
    pBar->SendMessage(WM_COMMAND, IDCANCEL);
    pBar->SendMessage(WM_COMMAND, IDOK);
    EXPECT_TRUE(::IsWindow(pBar->m_hWnd));
    EXPECT_TRUE(pBar->IsVisible());
}

// Each stored alignment with a different style, read by a bar opened afresh (a new control,
// as a new editor makes one): the edit shown, the buttons, the font in the control and in the
// edits, the caption; closing the bar leaves the profile as the bar found it.
TEST_F(PntTextFmtBar, ReopeningRestoresEachAlignmentAndStyle)
{
    struct Case
    {
        UINT nAlignment;
        LONG lHeight;
        LONG lWeight;
        BYTE bItalic;
        BYTE bUnderline;
        LPCTSTR lpszFace;
    } cases[] = {
        { 0, -16, 400, 0, 1, _T("Arial") },
        { 1, -21, 700, 1, 0, _T("Courier New") },
        { 2, -13, 700, 0, 1, _T("Times New Roman") },
        { 2, -30, 400, 1, 1, _T("Tahoma") },
    };
    HDC hScreen = ::GetDC(NULL);
    const int nPixelsPerInch = ::GetDeviceCaps(hScreen, LOGPIXELSY);
    ::ReleaseDC(NULL, hScreen);
    const int anButtons[3] = { IDC_PNT_TEXT_LEFT, IDC_PNT_TEXT_CENTRE, IDC_PNT_TEXT_RIGHT };
    const UINT anFormats[3] = { 0, DT_CENTER, DT_RIGHT };

    for (const Case& c : cases)
    {
        SCOPED_TRACE(CStringA(c.lpszFace).GetString());
        CString strFont;
        strFont.Format(_T("%d,0,0,0,%d,%u,%u,0,0,0,0,0,0,%s"), (int)c.lHeight, (int)c.lWeight, c.bItalic,
                       c.bUnderline, c.lpszFace);
        AfxGetApp()->WriteProfileString(kSection, _T("Font"), strFont);
        AfxGetApp()->WriteProfileInt(kSection, _T("Alignment"), (int)c.nAlignment);

        // A new control: its bar has no window yet, so opening it reads the profile.
        ASSERT_NE(nullptr, ReplaceControl());
        ASSERT_TRUE(GiveImage(50, 40));
        CTestTextFmtBar* pBar = OpenBar();
        ASSERT_TRUE(pBar->IsVisible());

        // Alignment: the one edit shown and enabled, its button alone checked, the format.
        EXPECT_EQ(c.nAlignment, pBar->m_nAlignment);
        for (DWORD n = 0; n < 3; n++)
        {
            const bool bThis = n == c.nAlignment;
            EXPECT_EQ(bThis, ::IsWindowVisible(pBar->GetEditControl(n)->m_hWnd) != FALSE) << n;
            EXPECT_EQ(bThis, ::IsWindowEnabled(pBar->GetEditControl(n)->m_hWnd) != FALSE) << n;
            EXPECT_EQ(bThis, Checked(pBar, anButtons[n])) << n;
        }
        EXPECT_EQ(anFormats[c.nAlignment], m_pCtrl->GetTextFormat() & (DT_CENTER | DT_RIGHT));

        // The font: in the control, and in the edit that shows the text.
        for (int nWhere = 0; nWhere < 2; nWhere++)
        {
            SCOPED_TRACE(nWhere == 0 ? "control" : "edit");
            LOGFONT lf = {};
            if (nWhere == 0)
                lf = ControlFont();
            else
            {
                HFONT hFont = (HFONT)pBar->GetEditControl(c.nAlignment)->SendMessage(WM_GETFONT);
                ASSERT_NE((HFONT)NULL, hFont);
                ASSERT_NE(0, ::GetObject(hFont, sizeof(lf), &lf));
            }
            EXPECT_EQ(c.lHeight, lf.lfHeight);
            EXPECT_EQ(c.lWeight, lf.lfWeight);
            EXPECT_EQ(c.bItalic, lf.lfItalic);
            EXPECT_EQ(c.bUnderline, lf.lfUnderline);
            EXPECT_EQ(0, lf.lfStrikeOut);
            EXPECT_STREQ(c.lpszFace, lf.lfFaceName);
        }
        EXPECT_EQ(c.lWeight >= 401, Checked(pBar, IDC_PNT_TEXT_BOLD));
        EXPECT_EQ(c.bItalic != 0, Checked(pBar, IDC_PNT_TEXT_ITALIC));
        EXPECT_EQ(c.bUnderline != 0, Checked(pBar, IDC_PNT_TEXT_UNDERLINE));
        const int nPoints = -::MulDiv((int)c.lHeight, 72, nPixelsPerInch);
        CString strTitle;
        strTitle.Format(_T("Text Tool [%s, %dpt]"), c.lpszFace, nPoints);
        EXPECT_EQ(strTitle, Text(pBar->m_hWnd));

        // Closing ends text entry and stores the same font and alignment back.
        pBar->SendMessage(WM_CLOSE);
        EXPECT_EQ(TOOL_SELECT, m_pCtrl->GetToolMode());
        EXPECT_EQ(strFont, AfxGetApp()->GetProfileString(kSection, _T("Font")));
        EXPECT_EQ(c.nAlignment, AfxGetApp()->GetProfileInt(kSection, _T("Alignment"), -1));
    }
}
