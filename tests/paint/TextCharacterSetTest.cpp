// The text tool with text outside the ANSI code page: typed in the bar, set by the host, and
// taken from or put on the clipboard, the text keeps every character in a Unicode build; plain
// text goes through the clipboard as Unicode text in either build.
#include "PaintFixture.h"
#include "CharacterSetSupport.h"
#include "resources/resource.h"
#include <string>

using namespace charset;

namespace
{
// Greek, which the Western ANSI code page cannot hold, and the font Wine draws it with.
const WCHAR kGreek[] = L"\x03A9\x03BC\x03AD\x03B3\x03B1 \x03B1\x03B2";
const TCHAR kFontFace[] = _T("Tahoma");

// The clipboard's CF_UNICODETEXT, or "(none)".
std::wstring ClipboardUnicodeText(HWND hWndOwner)
{
    std::wstring text = L"(none)";
    if (!::OpenClipboard(hWndOwner))
        return L"(clipboard busy)";
    HANDLE hData = ::GetClipboardData(CF_UNICODETEXT);
    const WCHAR* p = hData != NULL ? (const WCHAR*)::GlobalLock(hData) : NULL;
    if (p != NULL)
    {
        text.assign(p, wcsnlen(p, ::GlobalSize(hData) / sizeof(WCHAR)));
        ::GlobalUnlock(hData);
    }
    ::CloseClipboard();
    return text;
}

// Puts text on the clipboard as CF_UNICODETEXT alone.
bool PutClipboardUnicodeText(HWND hWndOwner, const std::wstring& text)
{
    if (!::OpenClipboard(hWndOwner))
        return false;
    ::EmptyClipboard();
    HGLOBAL hData = ::GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(WCHAR));
    bool bPut = false;
    if (WCHAR* p = hData != NULL ? (WCHAR*)::GlobalLock(hData) : NULL)
    {
        memcpy(p, text.c_str(), (text.size() + 1) * sizeof(WCHAR));
        ::GlobalUnlock(hData);
        bPut = ::SetClipboardData(CF_UNICODETEXT, hData) != NULL;
    }
    if (!bPut && hData != NULL)
        ::GlobalFree(hData);
    ::CloseClipboard();
    return bPut;
}
}

class TextCharacterSetTest : public PaintFixture
{
protected:
    // An 80 x 60 white image, the text tool with a Tahoma font, a box (5, 5)-(75, 55).
    void Prepare()
    {
#ifndef UNICODE
        GTEST_SKIP() << "an ANSI build holds text in the ANSI code page; the characters under test lie outside it";
#endif
        ASSERT_TRUE(OutsideAnsi(kGreek)) << "the test text fits the ANSI code page";
        AfxGetApp()->SetRegistryKey(_T("MfcPaintTextBarTests"));
        AfxGetApp()->WriteProfileString(_T("Text Tool"), NULL, NULL);   // left alignment
        ASSERT_TRUE(GiveImage(80, 60));
        m_blank = imagetest::Bits(*m_pCtrl->GetDIBsection());
        m_pCtrl->SetToolMode(TOOL_TEXT);
        m_pCtrl->SetDrawColor(kBlack);
        LOGFONT lf = {};
        lf.lfHeight = -16;
        _tcscpy_s(lf.lfFaceName, _countof(lf.lfFaceName), kFontFace);
        CFont font;
        ASSERT_TRUE(font.CreateFontIndirect(&lf));
        ASSERT_TRUE(m_pCtrl->SetTextFont(&font));
        PressAndDrag(At(5, 5), { At(40, 30), At(75, 55) });
        m_pEdit = m_pCtrl->m_TextFmtBar.GetDlgItem(IDC_PNT_TEXT_EDITLEFT);
        ASSERT_TRUE(m_pEdit != NULL);
    }

    // The blank image with text drawn once into the box with the control's settings.
    imagetest::Bytes Rendering(LPCTSTR lpszText)
    {
        CDIBSection expected;
        EXPECT_TRUE(expected.Copy(*m_pCtrl->GetDIBsection()));
        EXPECT_TRUE(expected.Clear(kWhite));
        expected.DrawText(lpszText, CRect(5, 5, 75, 55), m_pCtrl->GetTextFormat(), m_pCtrl->GetDrawColor(),
                          m_pCtrl->GetTextFont());
        return imagetest::Bits(expected);
    }
    imagetest::Bytes Shown() { return imagetest::Bits(*m_pCtrl->GetDIBsection()); }

    // The bar's edit as the user sees it, read in UTF-16 whatever the window's character set.
    std::wstring EditText()
    {
        WCHAR sz[256] = L"";
        ::GetWindowTextW(m_pEdit->m_hWnd, sz, _countof(sz));
        return sz;
    }

    imagetest::Bytes m_blank;
    CWnd* m_pEdit = nullptr;
};

TEST_F(TextCharacterSetTest, TypedTextReachesTheControlAndTheImageWhole)
{
    Prepare();
    if (IsSkipped())
        return;
    // Typed over the control, which hands its characters to the bar, and in the bar's edit.
    const size_t nHalf = wcslen(kGreek) / 2;
    for (size_t i = 0; i < nHalf; i++)
        m_pCtrl->SendMessage(WM_CHAR, (WPARAM)kGreek[i], 1);
    for (const WCHAR* p = kGreek + nHalf; *p != 0; p++)
        m_pEdit->SendMessage(WM_CHAR, (WPARAM)*p, 1);

    EXPECT_EQ(std::wstring(kGreek), EditText());
    ASSERT_TRUE(m_pCtrl->GetUserText() != NULL);
    EXPECT_EQ(std::wstring(kGreek), std::wstring(CStringW(m_pCtrl->GetUserText())));
    // Drawn as the Greek letters, not as what the ANSI code page makes of them.
    const CString strGreek(kGreek), strAnsi(ToAnsi(kGreek).c_str());
    EXPECT_EQ(Rendering(strGreek), Shown());
    EXPECT_NE(Rendering(strAnsi), Shown());
    EXPECT_NE(m_blank, Shown());
}

TEST_F(TextCharacterSetTest, TextSetByTheHostIsKeptAndDrawnWhole)
{
    Prepare();
    if (IsSkipped())
        return;
    const CString strGreek(kGreek);
    m_pCtrl->SetUserText(strGreek);
    EXPECT_EQ(std::wstring(kGreek), std::wstring(CStringW(m_pCtrl->GetUserText())));
    EXPECT_EQ(Rendering(strGreek), Shown());
    EXPECT_NE(Rendering(CString(ToAnsi(kGreek).c_str())), Shown());
    ASSERT_TRUE(m_pCtrl->Undo());
    EXPECT_EQ(m_blank, Shown());
}

TEST_F(TextCharacterSetTest, ClipboardTextGoesBothWaysAsUnicode)
{
    Prepare();
    if (IsSkipped())
        return;
    // Paste: text offered only as CF_UNICODETEXT is available and arrives whole.
    ASSERT_TRUE(PutClipboardUnicodeText(m_pFrame->m_hWnd, kGreek));
    EXPECT_TRUE(m_pCtrl->IsDataAvailable());
    ASSERT_TRUE(m_pCtrl->Paste());
    EXPECT_EQ(std::wstring(kGreek), EditText());
    EXPECT_EQ(std::wstring(kGreek), std::wstring(CStringW(m_pCtrl->GetUserText())));
    EXPECT_EQ(Rendering(CString(kGreek)), Shown());

    // Copy and Cut of the selected text put it on the clipboard as CF_UNICODETEXT.
    ASSERT_TRUE(PutClipboardUnicodeText(m_pFrame->m_hWnd, L"-"));
    m_pEdit->SendMessage(EM_SETSEL, 0, -1);
    ASSERT_TRUE(m_pCtrl->Copy());
    EXPECT_EQ(std::wstring(kGreek), ClipboardUnicodeText(m_pFrame->m_hWnd));
    ASSERT_TRUE(PutClipboardUnicodeText(m_pFrame->m_hWnd, L"-"));
    m_pEdit->SendMessage(EM_SETSEL, 0, 5);
    ASSERT_TRUE(m_pCtrl->Cut());
    EXPECT_EQ(std::wstring(kGreek).substr(0, 5), ClipboardUnicodeText(m_pFrame->m_hWnd));
    EXPECT_EQ(std::wstring(kGreek).substr(5), EditText());
    EXPECT_EQ(std::wstring(kGreek).substr(5), std::wstring(CStringW(m_pCtrl->GetUserText())));
}

TEST_F(TextCharacterSetTest, PlainClipboardTextIsOfferedAsUnicodeInEitherBuild)
{
    // Plain text: both builds hold it whole, and the clipboard offers it as CF_UNICODETEXT
    // whichever width the bar's edit works in.
    AfxGetApp()->SetRegistryKey(_T("MfcPaintTextBarTests"));
    AfxGetApp()->WriteProfileString(_T("Text Tool"), NULL, NULL);   // left alignment
    ASSERT_TRUE(GiveImage(80, 60));
    m_pCtrl->SetToolMode(TOOL_TEXT);
    PressAndDrag(At(5, 5), { At(40, 30), At(75, 55) });
    CWnd* pEdit = m_pCtrl->m_TextFmtBar.GetDlgItem(IDC_PNT_TEXT_EDITLEFT);
    ASSERT_TRUE(pEdit != NULL);

    const std::wstring strPlain = L"Paint, 42";
    ASSERT_TRUE(PutClipboardUnicodeText(m_pFrame->m_hWnd, strPlain));
    EXPECT_TRUE(m_pCtrl->IsDataAvailable());
    ASSERT_TRUE(m_pCtrl->Paste());
    EXPECT_STREQ(CString(strPlain.c_str()), m_pCtrl->GetUserText());

    ASSERT_TRUE(PutClipboardUnicodeText(m_pFrame->m_hWnd, L"-"));
    pEdit->SendMessage(EM_SETSEL, 0, -1);
    ASSERT_TRUE(m_pCtrl->Copy());
    EXPECT_EQ(strPlain, ClipboardUnicodeText(m_pFrame->m_hWnd));
}
