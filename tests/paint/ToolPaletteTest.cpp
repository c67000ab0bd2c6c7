// The tool palette: its slots, button states that follow the control, clicks that drive it,
// tooltips, and the width and colour drop-downs both ways.
#include "PaletteFixture.h"
#include "dialogs/DesPntToolCtrl.h"
#include "paint/PntToolTable.h"
#include <set>
#include <string>

class ToolPaletteTest : public PaletteFixture
{
protected:
    bool Enabled(UINT nID) { return m_palette.SendMessage(TB_ISBUTTONENABLED, nID) != 0; }
    bool Checked(UINT nID) { return m_palette.SendMessage(TB_ISBUTTONCHECKED, nID) != 0; }
    void Choose(UINT nID, UINT nCode, DWORD dwValue)
    {
        NMCOOLCOMBO nm = {};
        nm.hdr.hwndFrom = m_palette.GetDlgItem(nID)->GetSafeHwnd();
        nm.hdr.idFrom = nID;
        nm.hdr.code = nCode;
        nm.dwValue = dwValue;
        m_palette.SendMessage(WM_NOTIFY, nID, (LPARAM)&nm);
    }
    std::string Tooltip(UINT_PTR idFrom)
    {
        TOOLTIPTEXTA tt = {};
        tt.hdr.idFrom = idFrom;
        tt.hdr.code = TTN_NEEDTEXTA;
        m_palette.SendMessage(WM_NOTIFY, 0, (LPARAM)&tt);
        return tt.szText;
    }
};

TEST_F(ToolPaletteTest, SlotsAndButtonsFollowTheControl)
{
    CreatePalette();
    EXPECT_EQ(29, m_palette.GetToolBarCtrl().GetButtonCount());
    EXPECT_EQ(17, m_palette.CommandToIndex(ID_PNT_LINE));
    // The drop-downs sit in slots one and a half buttons wide, in pairs of three buttons.
    const int w = m_palette.m_nButtonWidth;
    CRect rcEraser, rcPen;
    m_palette.GetItemRect(m_palette.CommandToIndex(ID_PNT_ERASERWIDTH), &rcEraser);
    m_palette.GetItemRect(m_palette.CommandToIndex(ID_PNT_PENWIDTH), &rcPen);
    EXPECT_EQ(3 * w / 2, rcEraser.Width());
    EXPECT_EQ(3 * w - 3 * w / 2, rcPen.Width());

    m_pCtrl->SetToolMode(TOOL_PEN);
    m_palette.OnUpdateCmdUI(NULL, TRUE);
    EXPECT_TRUE(Checked(ID_PNT_PEN));
    EXPECT_FALSE(Checked(ID_PNT_LINE));
    EXPECT_FALSE(Enabled(ID_PNT_UNDO));
    Click(At(3, 3));   // a dot with the pen
    m_palette.OnUpdateCmdUI(NULL, TRUE);
    EXPECT_TRUE(Enabled(ID_PNT_UNDO));

    // Display-only: Copy, Size to fit, Magnify and Select Area are all that remain.
    m_pCtrl->SetDisplayOnly(TRUE);
    m_palette.OnUpdateCmdUI(NULL, TRUE);
    for (UINT nID = ID_PNT_CUT; nID <= ID_PNT_FILLEDELLIPSE; nID++)
    {
        if (nID == ID_PNT_ERASERWIDTH || nID == ID_PNT_PENWIDTH || nID == ID_PNT_PENWIDTH + 1)
            continue;
        bool bExpected = nID == ID_PNT_COPY || nID == ID_PNT_SIZETOFIT || nID == ID_PNT_MAGNIFY || nID == ID_PNT_SELECTAREA;
        EXPECT_EQ(bExpected, Enabled(nID)) << nID;
    }
    EXPECT_FALSE(m_palette.m_PenWidthCombo.IsWindowEnabled());
    m_pCtrl->SetDisplayOnly(FALSE);
}

TEST_F(ToolPaletteTest, ClicksDriveTheControl)
{
    CreatePalette();
    m_palette.SendMessage(WM_COMMAND, ID_PNT_FILLEDELLIPSE);
    EXPECT_EQ(TOOL_FILLEDELLIPSE, m_pCtrl->GetToolMode());
    EXPECT_TRUE(Checked(ID_PNT_FILLEDELLIPSE));   // the bar was updated after the click
    m_palette.SendMessage(WM_COMMAND, ID_PNT_SELECTAREA);
    EXPECT_EQ(TOOL_SELECT, m_pCtrl->GetToolMode());
    CRect rc(2, 2, 6, 6);
    m_pCtrl->GetDIBsection()->ClearRect(&rc, kRed);
    m_pCtrl->SetSelectionRect(&rc, FALSE);
    m_palette.SendMessage(WM_COMMAND, ID_PNT_CLEAR);
    EXPECT_EQ(kWhite, ImagePixel(3, 3));
    m_palette.SendMessage(WM_COMMAND, ID_PNT_UNDO);
    EXPECT_EQ(kRed, ImagePixel(3, 3));
}

TEST_F(ToolPaletteTest, WithoutMagnificationButtonsThreeSlotsGo)
{
    CreatePalette(TRUE);
    EXPECT_EQ(26, m_palette.GetToolBarCtrl().GetButtonCount());
    EXPECT_EQ(-1, m_palette.CommandToIndex(ID_PNT_MAGNIFY));
    EXPECT_EQ(-1, m_palette.CommandToIndex(ID_PNT_RESIZE));
    EXPECT_EQ(6, m_palette.CommandToIndex(ID_PNT_SELECTAREA));
}

TEST_F(ToolPaletteTest, TooltipsComeFromTheTable)
{
    CreatePalette();
    EXPECT_EQ("Line", Tooltip(ID_PNT_LINE));
    EXPECT_EQ("Select Transparent Color", Tooltip(ID_PNT_SELECTTRANSCOLOUR));
    EXPECT_EQ("", Tooltip(0));        // the separator
    EXPECT_EQ("", Tooltip(60000));    // outside the table
}

TEST_F(ToolPaletteTest, DropDownsFollowTheControlAndTheirChoicesReachIt)
{
    CreatePalette();
    m_pCtrl->SetPenWidth(4);
    m_pCtrl->SetEraserWidth(7);
    m_pCtrl->SetDrawColor(kBlue);
    m_palette.OnUpdateCmdUI(NULL, TRUE);
    EXPECT_EQ(3, m_palette.m_PenWidthCombo.GetSelection());
    EXPECT_EQ(-1, m_palette.m_EraserWidthCombo.GetSelection());   // 7 is not offered
    EXPECT_EQ(kBlue, m_palette.m_ForeColourPicker.GetColour());
    // An 8-bit image has 256 colours: more than the standard 16, so the table is empty.
    EXPECT_EQ(0, m_palette.m_ForeColourPicker.GetColourCount());
    EXPECT_FALSE(m_palette.m_TransColourPicker.IsWindowEnabled());   // not in transparent mode

    Choose(ID_PNT_PENWIDTH, 1978, 2);
    EXPECT_EQ(3, m_pCtrl->GetPenWidth());
    Choose(ID_PNT_ERASERWIDTH, 1978, 3);
    EXPECT_EQ(10, m_pCtrl->GetEraserWidth());
    Choose(ID_PNT_ERASERWIDTH, 1978, 9);   // out of the table: nothing
    EXPECT_EQ(10, m_pCtrl->GetEraserWidth());
    Choose(ID_PNT_FORECOLOUR, 1978, kGreen);
    EXPECT_EQ(kGreen, m_pCtrl->GetDrawColor());
    EXPECT_EQ(kGreen, m_pCtrl->GetFillColor());
    Choose(ID_PNT_TRANSCOLOUR, 1978, kRed);
    EXPECT_EQ(kRed, m_pCtrl->GetTransparentColor());
    Choose(ID_PNT_FORECOLOUR, 1980, 0);   // default: the transparent colour
    EXPECT_EQ(kRed, m_pCtrl->GetDrawColor());
    Choose(ID_PNT_TRANSCOLOUR, 1980, 0);  // default: none
    EXPECT_EQ(0xFFFFFFFFu, m_pCtrl->GetTransparentColor());

    // A 4-bit image offers its 16 standard colours.
    ASSERT_TRUE(GiveImage(40, 30, 4));
    m_palette.OnUpdateCmdUI(NULL, TRUE);
    EXPECT_EQ(16, m_palette.m_ForeColourPicker.GetColourCount());
    EXPECT_EQ(CPntCtrl::ms_StdColours[5].crColour, m_palette.m_ForeColourPicker.GetColourAt(5));
}

namespace
{
class CTestDesToolCtrl : public CDesPntToolCtrl
{
public:
    using CDesPntToolCtrl::m_ForeColourPicker;
};
}

TEST_F(ToolPaletteTest, StatusVariantOffersClearOnlyInTransparentMode)
{
    for (BOOL bTransparent : { FALSE, TRUE })
    {
        m_pCtrl->SetTransparent(bTransparent);
        CTestDesToolCtrl palette;
        ASSERT_TRUE(palette.Create(m_pFrame, m_pCtrl, IDB_PNT_PALETTE, WS_CHILD | WS_VISIBLE, FALSE));
        EXPECT_EQ(CString(bTransparent ? _T("Clear") : _T("")), palette.m_ForeColourPicker.m_strDefaultText);
        palette.DestroyWindow();
    }
    m_pCtrl->SetTransparent(FALSE);
}

TEST_F(ToolPaletteTest, ButtonsChooseExactlyTheToolTableTools)
{
    CreatePalette();
    // Every mode a user can choose (all but no tool and the drag-move, which the selection
    // tool enters itself) has a palette button that chooses it, shows the tool's name as its
    // tip, and is checked while the tool is on.
    std::set<int> chosen;
    for (int i = 0; i < CPntToolTable::GetCount(); i++)
    {
        const PntToolEntry* pEntry = CPntToolTable::GetEntry(i);
        ASSERT_NE(nullptr, pEntry);
        if (CPntToolTable::LookupCommand(pEntry->nCommandID) != pEntry)
            continue;
        SCOPED_TRACE(pEntry->nMode);
        ASSERT_GE(m_palette.CommandToIndex(pEntry->nCommandID), 0);
        char szName[128] = "";
        ::LoadStringA(AfxFindResourceHandle(MAKEINTRESOURCE(pEntry->nNameID / 16 + 1), RT_STRING), pEntry->nNameID,
                      szName, _countof(szName));
        EXPECT_NE("", std::string(szName));
        EXPECT_EQ(szName, Tooltip(pEntry->nCommandID));
        m_pCtrl->SetToolMode(TOOL_NONE);
        m_palette.SendMessage(WM_COMMAND, pEntry->nCommandID);
        EXPECT_EQ(pEntry->nMode, m_pCtrl->GetToolMode());
        EXPECT_TRUE(Checked(pEntry->nCommandID));
        chosen.insert(m_pCtrl->GetToolMode());
    }
    std::set<int> expected;
    for (int nMode = TOOL_NONE; nMode <= TOOL_FILLEDELLIPSE; nMode++)
    {
        if (nMode != TOOL_NONE && nMode != TOOL_DRAG)
            expected.insert(nMode);
    }
    EXPECT_EQ(expected, chosen);
}

TEST_F(ToolPaletteTest, SelectAreaStaysCheckedWhileTheSelectionIsDragged)
{
    CreatePalette();
    m_pCtrl->SetToolMode(TOOL_SELECT);
    // The drag-move mode that the selection tool enters while the pixels move.
    m_pCtrl->SetToolMode(TOOL_DRAG);
    m_palette.OnUpdateCmdUI(NULL, TRUE);
    EXPECT_TRUE(Checked(ID_PNT_SELECTAREA));
    EXPECT_FALSE(Checked(ID_PNT_MAGNIFY));
}
