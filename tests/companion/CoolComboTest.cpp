// CCoolCombo: the face shows its image or the selected cell; the popup's cells, default button,
// keys and outside clicks, and what reaches the owner.
#include "ComboTestSupport.h"

using namespace combotest;

namespace
{
const COLORREF kBlack = RGB(0, 0, 0);

class CoolCombo : public ComboFixture
{
protected:
    void SetUp() override
    {
        ComboFixture::SetUp();
        ASSERT_TRUE(m_combo.Create(NULL, WS_CHILD | WS_VISIBLE, CRect(10, 10, 44, 32), &m_owner, IDC_TEST_COMBO));
        ASSERT_TRUE(m_combo.SetImageFromBitmap(IDB_TEST_COMBOFACE, 16, 0, RGB(192, 192, 192)));
        ASSERT_TRUE(m_combo.SetCellImages(IDB_TEST_COMBOCELLS, 20, 0x02C0C0C0));
        m_combo.m_nCellCount = 3;
        m_combo.m_strTitle = _T("Widths");
        m_combo.m_bShowTitle = TRUE;
        m_combo.m_bHighlightSelection = TRUE;
    }
    CCoolCombo m_combo;
};
}

TEST_F(CoolCombo, FaceShowsItsImageUntilACellIsSelected)
{
    // The face image is a square 10 pixels high; cell k a bar 2k + 4 pixels thick.
    EXPECT_EQ(10, ReadFace(m_combo.m_hWnd).LongestColumnRun(kBlack));
    m_combo.SetSelection(0);
    EXPECT_EQ(4, ReadFace(m_combo.m_hWnd).LongestColumnRun(kBlack));
    m_combo.SetSelection(2);
    EXPECT_EQ(2, m_combo.GetSelection());
    EXPECT_EQ(8, ReadFace(m_combo.m_hWnd).LongestColumnRun(kBlack));
    m_combo.SetSelection(3);   // no such cell: no selection
    EXPECT_EQ(-1, m_combo.GetSelection());
    EXPECT_EQ(10, ReadFace(m_combo.m_hWnd).LongestColumnRun(kBlack));

    EXPECT_FALSE(m_combo.SetImageFromBitmap(IDB_TEST_COMBOFACE, 16, 2, 0));   // the strip has two images
    EXPECT_FALSE(m_combo.SetCellImages(999, 20, 0));
}

TEST_F(CoolCombo, ChoosingACellTellsTheOwnerTheIndex)
{
    OpenByClick(m_combo);
    HWND hPopup = m_combo.GetPopupWnd();
    ASSERT_NE(nullptr, hPopup);
    EXPECT_TRUE(::IsWindowVisible(hPopup));
    // The release of the opening click, outside the popup, leaves it open.
    ::SendMessage(hPopup, WM_LBUTTONUP, 0, MAKELPARAM(-20, -20));
    ASSERT_TRUE(m_combo.IsDroppedDown());

    ClickPopupItem(m_combo, 1);
    EXPECT_FALSE(m_combo.IsDroppedDown());
    EXPECT_FALSE(::IsWindow(hPopup));
    ASSERT_EQ(1u, m_owner.m_notices.size());
    const Notice& notice = m_owner.m_notices[0];
    EXPECT_EQ((UINT)CCN_SELECTOK, notice.nCode);
    EXPECT_EQ((WPARAM)IDC_TEST_COMBO, notice.wParam);
    EXPECT_EQ((UINT_PTR)IDC_TEST_COMBO, notice.idFrom);
    EXPECT_EQ(1u, notice.dwValue);
    EXPECT_EQ(1, m_combo.GetSelection());
}

TEST_F(CoolCombo, DefaultButtonKeysAndOutsideClicks)
{
    EXPECT_FALSE(m_combo.GetPopupItemRect(CCoolCombo::itemDefault, NULL));   // closed
    m_combo.m_strDefaultText = _T("Default");
    OpenByClick(m_combo);
    ClickPopupItem(m_combo, CCoolCombo::itemDefault);
    ASSERT_EQ(1u, m_owner.m_notices.size());
    EXPECT_EQ((UINT)CCN_SELECTDEFAULT, m_owner.m_notices[0].nCode);

    // Escape and a click elsewhere close the popup without a choice.
    OpenByClick(m_combo);
    Key(m_combo, VK_ESCAPE);
    EXPECT_FALSE(m_combo.IsDroppedDown());
    OpenByClick(m_combo);
    ::SendMessage(m_combo.GetPopupWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-20, -20));
    EXPECT_FALSE(m_combo.IsDroppedDown());
    EXPECT_EQ(1u, m_owner.m_notices.size());

    // From the selected cell, Down moves to the next one and Return chooses it.
    m_combo.SetSelection(0);
    OpenByClick(m_combo);
    Key(m_combo, VK_DOWN);
    Key(m_combo, VK_RETURN);
    ASSERT_EQ(2u, m_owner.m_notices.size());
    EXPECT_EQ((UINT)CCN_SELECTOK, m_owner.m_notices[1].nCode);
    EXPECT_EQ(1u, m_owner.m_notices[1].dwValue);

    // A disabled combo does not open.
    m_combo.EnableWindow(FALSE);
    OpenByClick(m_combo);
    EXPECT_FALSE(m_combo.IsDroppedDown());
}
