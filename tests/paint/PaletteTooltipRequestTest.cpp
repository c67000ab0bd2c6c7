// The palette's answer to a tooltip request, in each of the two request forms whatever the
// build's character set: every field is read through the form the request names, the text
// arrives in that form's width, and a text longer than the request's buffer is cut at the
// buffer's end with its terminator, never written past it.
#include "PaletteFixture.h"
#include "CharacterSetSupport.h"
#include <stddef.h>
#include <string.h>
#include <string>
#include <vector>

namespace
{
using namespace charset;

// A palette whose Freehand Draw button and pen-width drop-down carry test strings.
class CTipTestToolCtrl : public CPntToolCtrl
{
public:
    UINT m_nPenTip = 0;
    UINT m_nPenWidthTip = 0;

    BOOL SetupButtonInfo() override
    {
        if (!CPntToolCtrl::SetupButtonInfo())
            return FALSE;
        for (int i = 0; i < m_nButtons; i++)
        {
            if (m_pButtons[i].nCommandID == ID_PNT_PEN && m_nPenTip != 0)
                m_pButtons[i].nStringID = m_nPenTip;
            if (m_pButtons[i].nCommandID == ID_PNT_PENWIDTH && m_nPenWidthTip != 0)
                m_pButtons[i].nStringID = m_nPenWidthTip;
        }
        return TRUE;
    }
};

// A request in its own memory: the larger of the two forms plus a tail, every byte set to
// 0xA5 first. 0xA5A5A5A5 has TTF_IDISHWND set, so a flag read through the other form (where
// that form's field lies over this one's text buffer or past its end) misleads the handler.
template <class TipText>
class CRequest
{
public:
    CRequest(HWND hWndTip, UINT code, UINT_PTR idFrom, UINT uFlags)
    {
        memset(m_bytes, 0xA5, sizeof(m_bytes));
        TipText& tt = Text();
        tt.hdr.hwndFrom = hWndTip;
        tt.hdr.idFrom = idFrom;
        tt.hdr.code = code;
        tt.lpszText = tt.szText;
        tt.hinst = NULL;
        tt.uFlags = uFlags;
        tt.lParam = 0;
        memcpy(m_before, m_bytes, sizeof(m_bytes));
    }
    TipText& Text() { return *reinterpret_cast<TipText*>(m_bytes); }

    // Bytes outside the text buffer that the handler changed (it writes only the text).
    std::vector<size_t> ChangedOutsideText() const
    {
        const size_t nTextStart = offsetof(TipText, szText);
        const size_t nTextEnd = nTextStart + sizeof(((TipText*)0)->szText);
        std::vector<size_t> changed;
        for (size_t i = 0; i < sizeof(m_bytes); i++)
            if ((i < nTextStart || i >= nTextEnd) && m_bytes[i] != m_before[i])
                changed.push_back(i);
        return changed;
    }

private:
    alignas(8) BYTE m_bytes[sizeof(TOOLTIPTEXTW) + 64];
    BYTE m_before[sizeof(m_bytes)];
};
}

class PaletteTooltipRequestTest : public PaintFixture
{
protected:
    void SetUp() override
    {
        PaintFixture::SetUp();
        ASSERT_TRUE(GiveImage(40, 30, 8));
        ::GetCursorPos(&m_ptOldCursor);
    }
    void TearDown() override
    {
        ::SetCursorPos(m_ptOldCursor.x, m_ptOldCursor.y);
        if (::IsWindow(m_palette.m_hWnd))
            m_palette.DestroyWindow();
        PaintFixture::TearDown();
    }
    void CreatePalette(UINT nPenTip, UINT nPenWidthTip)
    {
        m_palette.m_nPenTip = nPenTip;
        m_palette.m_nPenWidthTip = nPenWidthTip;
        ASSERT_TRUE(m_palette.Create(m_pFrame, m_pCtrl, IDB_PNT_PALETTE, WS_CHILD | WS_VISIBLE | CBRS_TOOLTIPS, FALSE));
        m_palette.OnUpdateCmdUI(NULL, TRUE);
        m_hWndTip = (HWND)m_palette.SendMessage(TB_GETTOOLTIPS);
        m_hWndPenWidth = ::GetDlgItem(m_palette.m_hWnd, ID_PNT_PENWIDTH);
    }

    // Sends the request to the palette as the tooltip control does; the text is read where
    // the tooltip reads it, at lpszText, and must end inside the request's own buffer.
    template <class TipText, class TChar>
    ::testing::AssertionResult Ask(CRequest<TipText>& request, std::basic_string<TChar>& text)
    {
        m_palette.SendMessage(WM_NOTIFY, 0, (LPARAM)&request.Text());
        std::vector<size_t> changed = request.ChangedOutsideText();
        if (!changed.empty())
            return ::testing::AssertionFailure() << changed.size() << " bytes outside the text buffer changed, the first at "
                                                 << changed[0];
        TipText& tt = request.Text();
        if (tt.lpszText != tt.szText)
            return ::testing::AssertionFailure() << "lpszText no longer points at the request's buffer";
        const size_t nMax = sizeof(tt.szText) / sizeof(tt.szText[0]);
        size_t n = 0;
        while (n < nMax && tt.szText[n] != 0)
            n++;
        if (n == nMax)
            return ::testing::AssertionFailure() << "the text fills the buffer without a terminator";
        text.assign(tt.szText, n);
        return ::testing::AssertionSuccess();
    }
    std::string AskNarrow(UINT_PTR idFrom, UINT uFlags)
    {
        CRequest<TOOLTIPTEXTA> request(m_hWndTip, TTN_NEEDTEXTA, idFrom, uFlags);
        std::string text = "(no answer)";
        EXPECT_TRUE(Ask(request, text));
        return text;
    }
    std::wstring AskWide(UINT_PTR idFrom, UINT uFlags)
    {
        CRequest<TOOLTIPTEXTW> request(m_hWndTip, TTN_NEEDTEXTW, idFrom, uFlags);
        std::wstring text = L"(no answer)";
        EXPECT_TRUE(Ask(request, text));
        return text;
    }

    CTipTestToolCtrl m_palette;
    HWND m_hWndTip = NULL;
    HWND m_hWndPenWidth = NULL;
    POINT m_ptOldCursor = {};
};

TEST_F(PaletteTooltipRequestTest, EachFormGetsTheToolsTextInItsOwnWidth)
{
    CreatePalette(0, 0);
    ASSERT_NE((HWND)NULL, m_hWndTip);
    ASSERT_NE((HWND)NULL, m_hWndPenWidth);
    const std::wstring strPen = ResourceText(IDS_PNT_TIP_PEN), strPenWidth = ResourceText(IDS_PNT_TIP_PENWIDTH);
    ASSERT_FALSE(strPen.empty());
    ASSERT_FALSE(strPenWidth.empty());

    // A button: its command as the tool's id, no window-tool flag.
    for (UINT uFlags : { 0u, (UINT)TTF_TRANSPARENT })
    {
        SCOPED_TRACE(uFlags);
        EXPECT_EQ(ToAnsi(strPen), AskNarrow(ID_PNT_PEN, uFlags));
        EXPECT_EQ(strPen, AskWide(ID_PNT_PEN, uFlags));
    }

    // A drop-down: its window as the tool's id, with the window-tool flag, the pointer over it.
    ASSERT_TRUE(PointerOver(m_hWndPenWidth));
    EXPECT_EQ(ToAnsi(strPenWidth), AskNarrow((UINT_PTR)m_hWndPenWidth, TTF_IDISHWND | TTF_SUBCLASS));
    ASSERT_TRUE(PointerOver(m_hWndPenWidth));
    EXPECT_EQ(strPenWidth, AskWide((UINT_PTR)m_hWndPenWidth, TTF_IDISHWND | TTF_SUBCLASS));

    // The same window without the flag is no command of the palette: no text in either form.
    EXPECT_EQ("", AskNarrow((UINT_PTR)m_hWndPenWidth, 0));
    EXPECT_EQ(L"", AskWide((UINT_PTR)m_hWndPenWidth, 0));
}

TEST_F(PaletteTooltipRequestTest, ALongTextIsCutAtTheBufferWithItsTerminator)
{
    CreatePalette(IDS_TEST_LONG_TIP, IDS_TEST_LONG_TIP);
    const std::wstring strLong = ResourceText(IDS_TEST_LONG_TIP);
    ASSERT_GT(strLong.size(), 80u);
    const std::wstring strShown = strLong.substr(0, 79);   // the buffers hold 80 characters

    EXPECT_EQ(ToAnsi(strShown), AskNarrow(ID_PNT_PEN, 0));
    EXPECT_EQ(strShown, AskWide(ID_PNT_PEN, 0));
    ASSERT_TRUE(PointerOver(m_hWndPenWidth));
    EXPECT_EQ(ToAnsi(strShown), AskNarrow((UINT_PTR)m_hWndPenWidth, TTF_IDISHWND));
    ASSERT_TRUE(PointerOver(m_hWndPenWidth));
    EXPECT_EQ(strShown, AskWide((UINT_PTR)m_hWndPenWidth, TTF_IDISHWND));
}

TEST_F(PaletteTooltipRequestTest, TextOutsideTheAnsiCodePageKeepsItsCharactersInTheWideForm)
{
    CreatePalette(IDS_TEST_WORLD_TIP, IDS_TEST_WORLD_TIP);
    const std::wstring strWorld = ResourceText(IDS_TEST_WORLD_TIP);
    ASSERT_TRUE(OutsideAnsi(strWorld)) << "the test text fits the ANSI code page";

    // The wide form carries every character in a Unicode build; the narrow form, and an ANSI
    // build, carry what the ANSI code page can hold.
    EXPECT_EQ(AsBuildHoldsIt(strWorld), AskWide(ID_PNT_PEN, 0));
    EXPECT_EQ(ToAnsi(strWorld), AskNarrow(ID_PNT_PEN, 0));
    ASSERT_TRUE(PointerOver(m_hWndPenWidth));
    EXPECT_EQ(AsBuildHoldsIt(strWorld), AskWide((UINT_PTR)m_hWndPenWidth, TTF_IDISHWND));
}
