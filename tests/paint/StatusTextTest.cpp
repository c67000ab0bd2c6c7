// The status texts the control sends when a tool is chosen reach the main frame's status bar
// exactly: the library's strings, and a derived control's own text outside the ANSI code page.
#include "PaintFixture.h"
#include "CharacterSetSupport.h"
#include "resources/resource.h"
#include <commctrl.h>
#include <string>

using namespace charset;

namespace
{
// A control whose status texts are a string of the test's own.
class CWorldStatusCtrl : public CTestPntCtrl
{
protected:
    CString GetStatusMessage(int) override
    {
        CString strText;
        strText.LoadString(IDS_TEST_WORLD_STATUS);
        return strText;
    }
};
}

class StatusTextTest : public PaintFixture
{
protected:
    // A common status bar in the frame under the id the frame sends its message texts to.
    void SetUp() override
    {
        PaintFixture::SetUp();
        m_hWndStatus = ::CreateWindowEx(0, STATUSCLASSNAME, _T(""), WS_CHILD | WS_VISIBLE, 0, 0, 0, 0,
                                        m_pFrame->m_hWnd, (HMENU)(UINT_PTR)AFX_IDW_STATUS_BAR,
                                        AfxGetInstanceHandle(), NULL);
        ASSERT_NE((HWND)NULL, m_hWndStatus);
    }
    void TearDown() override
    {
        if (::IsWindow(m_hWndStatus))
            ::DestroyWindow(m_hWndStatus);
        PaintFixture::TearDown();
    }

    // Pane 0 of the status bar, read in UTF-16 whatever the window's character set.
    std::wstring StatusBarText()
    {
        WCHAR sz[512] = L"";
        LRESULT lInfo = ::SendMessageW(m_hWndStatus, SB_GETTEXTLENGTHW, 0, 0);
        if (LOWORD(lInfo) >= _countof(sz))
            return L"(too long)";
        ::SendMessageW(m_hWndStatus, SB_GETTEXTW, 0, (LPARAM)sz);
        return sz;
    }

    HWND m_hWndStatus = NULL;
};

TEST_F(StatusTextTest, EachToolsTextReachesTheStatusBarExactly)
{
    ASSERT_TRUE(GiveImage(20, 20));
    const struct
    {
        int nTool;
        UINT nStringID;
    } tools[] = {
        { TOOL_SELECT, IDS_PNT_TOOL_SELECT },
        { TOOL_MAGNIFY, IDS_PNT_TOOL_MAGNIFY },
        { TOOL_FLOODFILL, IDS_PNT_TOOL_FLOODFILL },
        { TOOL_PEN, IDS_PNT_TOOL_PEN },
        { TOOL_ERASER, IDS_PNT_TOOL_ERASER },
        { TOOL_COLOURSAMPLER, IDS_PNT_TOOL_COLOURSAMPLER },
        { TOOL_TRANSCOLOURSAMPLER, IDS_PNT_TOOL_TRANSCOLOURSAMPLER },
        { TOOL_LINE, IDS_PNT_TOOL_LINE },
        { TOOL_AIRBRUSH, IDS_PNT_TOOL_AIRBRUSH },
        { TOOL_RECTANGLE, IDS_PNT_TOOL_RECTANGLE },
        { TOOL_ROUNDRECT, IDS_PNT_TOOL_ROUNDRECT },
        { TOOL_ELLIPSE, IDS_PNT_TOOL_ELLIPSE },
        { TOOL_FILLEDRECT, IDS_PNT_TOOL_FILLEDRECT },
        { TOOL_FILLEDROUNDRECT, IDS_PNT_TOOL_FILLEDROUNDRECT },
        { TOOL_FILLEDELLIPSE, IDS_PNT_TOOL_FILLEDELLIPSE },
    };
    for (const auto& tool : tools)
    {
        SCOPED_TRACE(tool.nTool);
        const std::wstring strExpected = ResourceText(tool.nStringID);
        ASSERT_FALSE(strExpected.empty());
        ClearRecords();
        m_pCtrl->SetToolMode(tool.nTool);
        EXPECT_EQ(strExpected, StatusBarText());
        ASSERT_FALSE(StatusTexts().empty());
        EXPECT_EQ(strExpected, std::wstring(CStringW(StatusTexts().back())));
    }
}

TEST_F(StatusTextTest, TextOutsideTheAnsiCodePageReachesTheStatusBarWhole)
{
    const std::wstring strWorld = ResourceText(IDS_TEST_WORLD_STATUS);
    ASSERT_TRUE(OutsideAnsi(strWorld)) << "the test text fits the ANSI code page";
    CWorldStatusCtrl* pCtrl = new CWorldStatusCtrl;
    ASSERT_TRUE(pCtrl->Create(CRect(0, 0, 100, 100), m_pFrame, 9));
    ASSERT_TRUE(pCtrl->GetDIBsection()->CreateBitmap(4, 4, 1, 24));
    pCtrl->SetToolMode(TOOL_PEN);
    // Whole in a Unicode build; an ANSI build carries what its code page holds.
    EXPECT_EQ(AsBuildHoldsIt(strWorld), StatusBarText());
    pCtrl->DestroyWindow();
    delete pCtrl;
}
