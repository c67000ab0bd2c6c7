// The drop-downs' popups as the user sees them: opened by a real click while another control
// has the keyboard focus, their entries, highlight and current choice must reach the screen,
// also where the popup has to open above or to the left of its face near the screen's edges.
// Pixels are read back from the screen, not from the popup's own window.
#include "ComboTestSupport.h"
#include "companion/ColourPicker.h"
#include "common/UserInput.h"
#include <tchar.h>

using namespace combotest;

namespace
{
const COLORREF kBlack = RGB(0, 0, 0);

// Lets the window system deliver what is pending (focus and stacking changes included).
void Settle()
{
    testenv::PumpMessagesFor(300);
}

// The popup's client area as it is on the screen.
Face ReadPopupFromScreen(HWND hPopup)
{
    CRect rc;
    ::GetClientRect(hPopup, &rc);
    ::ClientToScreen(hPopup, (POINT*)&rc.left);
    ::ClientToScreen(hPopup, (POINT*)&rc.right);
    return ReadPixels(NULL, rc);
}

// Whether every pixel of the rectangle's outline (client coordinates of the face) is cr.
bool OutlineIs(const Face& face, const CRect& rc, COLORREF cr)
{
    for (int x = rc.left; x < rc.right; ++x)
        if (face.At(x, rc.top) != cr || face.At(x, rc.bottom - 1) != cr)
            return false;
    for (int y = rc.top; y < rc.bottom; ++y)
        if (face.At(rc.left, y) != cr || face.At(rc.right - 1, y) != cr)
            return false;
    return true;
}

// An owner with an edit control that holds the focus, as a view would in a program.
class PopupOnScreen : public ComboFixture
{
protected:
    void SetUp() override
    {
        ComboFixture::SetUp();
        ASSERT_TRUE(m_edit.CreateEx(0, _T("EDIT"), _T(""), WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(120, 10, 260, 40),
                                    &m_owner, 99));
        Settle();
        m_edit.SetFocus();
        Settle();
    }
    // Opens the combo's popup with a click on its face; the popup's window, or NULL.
    HWND OpenWithClick(CCoolCombo& combo)
    {
        CRect rc;
        combo.GetWindowRect(&rc);
        testenv::ClickAt(rc.CenterPoint());
        Settle();
        return combo.GetPopupWnd();
    }
    CWnd m_edit;
};

class WidthPopupOnScreen : public PopupOnScreen
{
protected:
    void SetUp() override
    {
        PopupOnScreen::SetUp();
        ASSERT_TRUE(m_combo.Create(NULL, WS_CHILD | WS_VISIBLE, CRect(10, 10, 44, 32), &m_owner, IDC_TEST_COMBO));
        ASSERT_TRUE(m_combo.SetCellImages(IDB_TEST_COMBOCELLS, 20, 0x02C0C0C0));
        m_combo.m_nCellCount = 3;
        m_combo.m_bHighlightSelection = TRUE;
        m_combo.SetSelection(1);
    }
    CCoolCombo m_combo;
};
}

TEST_F(WidthPopupOnScreen, EntriesHighlightAndChoiceReachTheScreen)
{
    HWND hPopup = OpenWithClick(m_combo);
    ASSERT_NE(nullptr, hPopup);
    ASSERT_NE(m_edit.m_hWnd, ::GetFocus());   // the face took the keys
    const COLORREF crHot = ::GetSysColor(COLOR_HIGHLIGHT) & 0xFFFFFF;
    const COLORREF crShadow = ::GetSysColor(COLOR_BTNSHADOW) & 0xFFFFFF;

    // Cell k is a black bar 2k + 4 pixels thick: the thickest (cell 2) is on the screen.
    Face screen = ReadPopupFromScreen(hPopup);
    EXPECT_EQ(8, screen.LongestColumnRun(kBlack));
    // The current choice (cell 1) is both highlighted (it is where the keys start) and framed.
    CRect rcChosen, rcOther;
    ASSERT_TRUE(m_combo.GetPopupItemRect(1, &rcChosen));
    ASSERT_TRUE(m_combo.GetPopupItemRect(0, &rcOther));
    EXPECT_TRUE(OutlineIs(screen, rcChosen, crHot));
    CRect rcFrame(rcChosen);
    rcFrame.DeflateRect(1, 1);
    EXPECT_EQ(crShadow, screen.At(rcFrame.left, rcFrame.top + 2));
    EXPECT_FALSE(OutlineIs(screen, rcOther, crHot));

    // The highlight follows the pointer; the choice keeps its frame.
    CPoint ptOther = rcOther.CenterPoint();
    ::ClientToScreen(hPopup, &ptOther);
    testenv::MovePointer(ptOther);
    Settle();
    screen = ReadPopupFromScreen(hPopup);
    EXPECT_TRUE(OutlineIs(screen, rcOther, crHot));
    EXPECT_FALSE(OutlineIs(screen, rcChosen, crHot));
    EXPECT_EQ(crShadow, screen.At(rcFrame.left, rcFrame.top + 2));

    // A click there chooses it, and the popup is gone from the screen.
    testenv::ClickAt(ptOther);
    Settle();
    EXPECT_FALSE(m_combo.IsDroppedDown());
    EXPECT_EQ(0, m_combo.GetSelection());
}

TEST_F(WidthPopupOnScreen, OpensInsideTheWorkAreaNearItsEdges)
{
    CRect rcWork;
    ::SystemParametersInfo(SPI_GETWORKAREA, 0, &rcWork, 0);
    CRect rcFace;
    m_combo.GetWindowRect(&rcFace);
    CRect rcOwner;
    m_owner.GetWindowRect(&rcOwner);
    // The owner moved so that the face touches the work area's bottom-right corner.
    CPoint ptFaceInOwner(rcFace.left - rcOwner.left, rcFace.top - rcOwner.top);
    m_owner.SetWindowPos(NULL, rcWork.right - ptFaceInOwner.x - rcFace.Width(),
                         rcWork.bottom - ptFaceInOwner.y - rcFace.Height(), 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Settle();
    m_combo.GetWindowRect(&rcFace);
    ASSERT_EQ(rcWork.BottomRight(), rcFace.BottomRight());

    HWND hPopup = OpenWithClick(m_combo);
    ASSERT_NE(nullptr, hPopup);
    CRect rcPopup;
    ::GetWindowRect(hPopup, &rcPopup);
    CRect rcInside;
    EXPECT_TRUE(rcInside.IntersectRect(&rcPopup, &rcWork) && rcInside == rcPopup);
    EXPECT_LE(rcPopup.bottom, rcFace.top);   // above its face, which has no room below
    EXPECT_EQ(8, ReadPopupFromScreen(hPopup).LongestColumnRun(kBlack));
    Key(m_combo, VK_ESCAPE);
}

TEST_F(PopupOnScreen, ColourPickerShowsEachColourOnTheScreen)
{
    CColourPicker picker;
    ASSERT_TRUE(picker.Create(NULL, WS_CHILD | WS_VISIBLE, CRect(10, 10, 44, 32), &m_owner, IDC_TEST_COMBO));
    std::vector<ColourTableEntry> table(16);
    for (int i = 0; i < 16; ++i)
    {
        table[i] = ColourTableEntry();
        table[i].crColour = RGB(i * 16, 255 - i * 16, (i * 77) & 0xFF);
        _sntprintf_s(table[i].szName, _countof(table[i].szName), _TRUNCATE, _T("colour %d"), i);
    }
    ASSERT_TRUE(picker.SetColours(table.data(), 16));
    picker.SetColour(table[5].crColour);

    HWND hPopup = OpenWithClick(picker);
    ASSERT_NE(nullptr, hPopup);
    Face screen = ReadPopupFromScreen(hPopup);
    for (int i = 0; i < 16; ++i)
    {
        CRect rc;
        ASSERT_TRUE(picker.GetPopupItemRect(i, &rc));
        EXPECT_EQ(table[i].crColour, screen.At(rc.CenterPoint().x, rc.CenterPoint().y)) << "colour " << i;
    }
    CRect rcChosen;
    ASSERT_TRUE(picker.GetPopupItemRect(5, &rcChosen));
    EXPECT_TRUE(OutlineIs(screen, rcChosen, ::GetSysColor(COLOR_HIGHLIGHT) & 0xFFFFFF));
    Key(picker, VK_ESCAPE);
    picker.DestroyWindow();
}
