// The palette's tooltips, asked for as the tool bar's tooltip control asks: narrow and wide
// requests, for buttons (the command as id) and for the drop-downs (window tools: the child
// window as id, the pointer over it).
#include "PaletteFixture.h"
#include <string>

namespace
{
// Each command of the palette and the string resource of its tooltip.
struct TipEntry
{
    UINT nCommandID;
    UINT nStringID;
};
const TipEntry kButtonTips[] = {
    { ID_PNT_CUT, IDS_PNT_TIP_CUT },
    { ID_PNT_COPY, IDS_PNT_TIP_COPY },
    { ID_PNT_PASTE, IDS_PNT_TIP_PASTE },
    { ID_PNT_CLEAR, IDS_PNT_TIP_CLEAR },
    { ID_PNT_UNDO, IDS_PNT_TIP_UNDO },
    { ID_PNT_REDO, IDS_PNT_TIP_REDO },
    { ID_PNT_MAGNIFY, IDS_PNT_TIP_MAGNIFY },
    { ID_PNT_SIZETOFIT, IDS_PNT_TIP_SIZETOFIT },
    { ID_PNT_RESIZE, IDS_PNT_TIP_RESIZE },
    { ID_PNT_SELECTAREA, IDS_PNT_TIP_SELECTAREA },
    { ID_PNT_SELECTCOLOUR, IDS_PNT_TIP_SELECTCOLOUR },
    { ID_PNT_SELECTTRANSCOLOUR, IDS_PNT_TIP_SELECTTRANSCOLOUR },
    { ID_PNT_FLOODFILL, IDS_PNT_TIP_FLOODFILL },
    { ID_PNT_TEXT, IDS_PNT_TIP_TEXT },
    { ID_PNT_AIRBRUSH, IDS_PNT_TIP_AIRBRUSH },
    { ID_PNT_ERASER, IDS_PNT_TIP_ERASER },
    { ID_PNT_PEN, IDS_PNT_TIP_PEN },
    { ID_PNT_LINE, IDS_PNT_TIP_LINE },
    { ID_PNT_RECTANGLE, IDS_PNT_TIP_RECTANGLE },
    { ID_PNT_ROUNDRECT, IDS_PNT_TIP_ROUNDRECT },
    { ID_PNT_ELLIPSE, IDS_PNT_TIP_ELLIPSE },
    { ID_PNT_FILLEDRECT, IDS_PNT_TIP_FILLEDRECT },
    { ID_PNT_FILLEDROUNDRECT, IDS_PNT_TIP_FILLEDROUNDRECT },
    { ID_PNT_FILLEDELLIPSE, IDS_PNT_TIP_FILLEDELLIPSE },
};
const TipEntry kDropDownTips[] = {
    { ID_PNT_ERASERWIDTH, IDS_PNT_TIP_ERASERWIDTH },
    { ID_PNT_PENWIDTH, IDS_PNT_TIP_PENWIDTH },
    { ID_PNT_FORECOLOUR, IDS_PNT_TIP_FORECOLOUR },
    { ID_PNT_TRANSCOLOUR, IDS_PNT_TIP_TRANSCOLOUR },
};

// The string resource, read in both forms straight from the module that holds it.
std::string NarrowString(UINT nID)
{
    char sz[256] = "";
    HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCE(nID / 16 + 1), RT_STRING);
    ::LoadStringA(hInst, nID, sz, _countof(sz));
    return sz;
}
std::wstring WideString(UINT nID)
{
    WCHAR sz[256] = L"";
    HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCE(nID / 16 + 1), RT_STRING);
    ::LoadStringW(hInst, nID, sz, 256);
    return sz;
}
}

class PaletteTooltipTest : public PaletteFixture
{
protected:
    void SetUp() override
    {
        PaletteFixture::SetUp();
        CreatePalette();
        m_hWndTip = (HWND)m_palette.SendMessage(TB_GETTOOLTIPS);
        ::GetCursorPos(&m_ptOldCursor);
    }
    void TearDown() override
    {
        ::SetCursorPos(m_ptOldCursor.x, m_ptOldCursor.y);
        PaletteFixture::TearDown();
    }

    // A request as the tooltip control sends it to the palette: from the tooltip window,
    // the tool's id (a command, or a child window with TTF_IDISHWND), lpszText pointing at
    // the struct's own buffer. The text is read where the tooltip reads it.
    template <class TipText, class Text>
    Text Ask(UINT nCode, UINT_PTR idFrom, UINT uFlags, const Text& strMissing)
    {
        TipText tt;
        memset(&tt, 0, sizeof(tt));
        tt.hdr.hwndFrom = m_hWndTip;
        tt.hdr.idFrom = idFrom;
        tt.hdr.code = nCode;
        tt.lpszText = tt.szText;
        tt.uFlags = uFlags;
        m_palette.SendMessage(WM_NOTIFY, 0, (LPARAM)&tt);
        return tt.lpszText != NULL ? Text(tt.lpszText) : strMissing;
    }
    std::string TipA(UINT_PTR idFrom, UINT uFlags)
    {
        return Ask<TOOLTIPTEXTA>(TTN_NEEDTEXTA, idFrom, uFlags, std::string("(null)"));
    }
    std::wstring TipW(UINT_PTR idFrom, UINT uFlags)
    {
        return Ask<TOOLTIPTEXTW>(TTN_NEEDTEXTW, idFrom, uFlags, std::wstring(L"(null)"));
    }

    HWND m_hWndTip = NULL;
    POINT m_ptOldCursor = {};
};

TEST_F(PaletteTooltipTest, ButtonsGetTheirTipNarrowAndWide)
{
    ASSERT_NE((HWND)NULL, m_hWndTip);
    for (const TipEntry& tip : kButtonTips)
    {
        SCOPED_TRACE(tip.nCommandID);
        ASSERT_FALSE(WideString(tip.nStringID).empty());
        EXPECT_EQ(NarrowString(tip.nStringID), TipA(tip.nCommandID, TTF_TRANSPARENT));
        EXPECT_EQ(WideString(tip.nStringID), TipW(tip.nCommandID, TTF_TRANSPARENT));
    }
    // The separator (command 0) and ids outside the table give an empty tip in both forms.
    EXPECT_EQ("", TipA(0, 0));
    EXPECT_EQ(L"", TipW(0, 0));
    EXPECT_EQ(L"", TipW(ID_PNT_FIRST - 1, 0));
    EXPECT_EQ(L"", TipW(ID_PNT_LAST + 1, 0));
}

TEST_F(PaletteTooltipTest, DropDownsGetTheirTipNarrowAndWide)
{
    ASSERT_NE((HWND)NULL, m_hWndTip);
    for (const TipEntry& tip : kDropDownTips)
    {
        SCOPED_TRACE(tip.nCommandID);
        HWND hWndControl = ::GetDlgItem(m_palette.m_hWnd, (int)tip.nCommandID);
        ASSERT_NE((HWND)NULL, hWndControl);
        ASSERT_TRUE(PointerOver(hWndControl));
        const UINT uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        EXPECT_EQ(NarrowString(tip.nStringID), TipA((UINT_PTR)hWndControl, uFlags));
        ASSERT_TRUE(PointerOver(hWndControl));
        EXPECT_EQ(WideString(tip.nStringID), TipW((UINT_PTR)hWndControl, uFlags));
    }
    // Over a button rather than a drop-down, a window tool's request finds no tip.
    CRect rcButton;
    m_palette.GetItemRect(m_palette.CommandToIndex(ID_PNT_CUT), &rcButton);
    m_palette.ClientToScreen(&rcButton);
    ::SetCursorPos(rcButton.CenterPoint().x, rcButton.CenterPoint().y);
    m_palette.PostMessage(WM_NULL);
    PumpMessages();
    HWND hWndPen = ::GetDlgItem(m_palette.m_hWnd, ID_PNT_PENWIDTH);
    EXPECT_EQ(L"", TipW((UINT_PTR)hWndPen, TTF_IDISHWND));
    EXPECT_EQ("", TipA((UINT_PTR)hWndPen, TTF_IDISHWND));
}

TEST_F(PaletteTooltipTest, ATooltipNamesTheKeyTheHostGaveItsTool)
{
    ASSERT_NE((HWND)NULL, m_hWndTip);
    ASSERT_TRUE(m_palette.SetToolKey(TOOL_LINE, _T("L")));
    ASSERT_TRUE(m_palette.SetToolKey(TOOL_FILLEDELLIPSE, _T("Shift+O")));
    EXPECT_EQ(CString(_T("L")), m_palette.GetToolKey(TOOL_LINE));
    EXPECT_EQ(NarrowString(IDS_PNT_TIP_LINE) + " (L)", TipA(ID_PNT_LINE, TTF_TRANSPARENT));
    EXPECT_EQ(WideString(IDS_PNT_TIP_LINE) + L" (L)", TipW(ID_PNT_LINE, TTF_TRANSPARENT));
    EXPECT_EQ(WideString(IDS_PNT_TIP_FILLEDELLIPSE) + L" (Shift+O)", TipW(ID_PNT_FILLEDELLIPSE, TTF_TRANSPARENT));
    // Tools without a key, and the other buttons, keep their names alone.
    EXPECT_EQ(WideString(IDS_PNT_TIP_PEN), TipW(ID_PNT_PEN, TTF_TRANSPARENT));
    EXPECT_EQ(WideString(IDS_PNT_TIP_CUT), TipW(ID_PNT_CUT, TTF_TRANSPARENT));

    // An empty key takes it away again; modes without a button of their own are refused.
    ASSERT_TRUE(m_palette.SetToolKey(TOOL_LINE, NULL));
    EXPECT_EQ(WideString(IDS_PNT_TIP_LINE), TipW(ID_PNT_LINE, TTF_TRANSPARENT));
    EXPECT_FALSE(m_palette.SetToolKey(TOOL_NONE, _T("N")));
    EXPECT_FALSE(m_palette.SetToolKey(TOOL_DRAG, _T("D")));
    EXPECT_FALSE(m_palette.SetToolKey(99, _T("Q")));
    EXPECT_EQ(WideString(IDS_PNT_TIP_SELECTAREA), TipW(ID_PNT_SELECTAREA, TTF_TRANSPARENT));
}
