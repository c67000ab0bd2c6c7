// Choosing pen and eraser widths from the palette's drop-downs as a user does: a click opens
// the drop-down, a click on a cell (or the arrow keys and Return) chooses it. The width that
// the control takes must be the one the cell's picture shows, measured from the popup's
// pixels: a line as many pixels thick as the pen, a square as many pixels wide as the eraser.
#include "PaletteFixture.h"

class PaletteWidthsTest : public PaletteFixture
{
protected:
    void SetUp() override
    {
        PaletteFixture::SetUp();
        CreatePalette();
    }

    static LPARAM Lp(CPoint pt) { return MAKELPARAM((WORD)pt.x, (WORD)pt.y); }

    // A click in the middle of the drop-down's face.
    void ClickFace(CCoolCombo& combo)
    {
        CRect rc;
        combo.GetClientRect(&rc);
        combo.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, Lp(rc.CenterPoint()));
        combo.SendMessage(WM_LBUTTONUP, 0, Lp(rc.CenterPoint()));
    }

    // The height, in rows, of the black figure that the popup shows in cell nCell: the pen
    // line's thickness, the eraser square's side. -1 when the cell is not shown.
    int ShownWidth(CCoolCombo& combo, int nCell)
    {
        CRect rcCell;
        HWND hWndPopup = combo.GetPopupWnd();
        if (hWndPopup == NULL || !combo.GetPopupItemRect(nCell, &rcCell))
            return -1;
        ::UpdateWindow(hWndPopup);
        HDC hDC = ::GetDC(hWndPopup);
        int nRows = 0, nColumns = 0;
        for (int y = rcCell.top; y < rcCell.bottom; y++)
            for (int x = rcCell.left; x < rcCell.right; x++)
                if (::GetPixel(hDC, x, y) == kBlack)
                {
                    nRows++;
                    break;
                }
        for (int x = rcCell.left; x < rcCell.right; x++)
            for (int y = rcCell.top; y < rcCell.bottom; y++)
                if (::GetPixel(hDC, x, y) == kBlack)
                {
                    nColumns++;
                    break;
                }
        ::ReleaseDC(hWndPopup, hDC);
        // A pen line is far wider than high; an eraser square as wide as high.
        return nColumns >= nRows ? nRows : -1;
    }

    // Opens the drop-down, measures cell nCell and clicks it; returns the width it showed.
    int ChooseByClick(CCoolCombo& combo, int nCell)
    {
        ClickFace(combo);
        if (!combo.IsDroppedDown())
            return -1;
        int nShown = ShownWidth(combo, nCell);
        CRect rcCell;
        combo.GetPopupItemRect(nCell, &rcCell);
        HWND hWndPopup = combo.GetPopupWnd();
        ::SendMessage(hWndPopup, WM_MOUSEMOVE, 0, Lp(rcCell.CenterPoint()));
        ::SendMessage(hWndPopup, WM_LBUTTONDOWN, MK_LBUTTON, Lp(rcCell.CenterPoint()));
        ::SendMessage(hWndPopup, WM_LBUTTONUP, 0, Lp(rcCell.CenterPoint()));
        return nShown;
    }

    // The palette's idle update, then the cell that the drop-down shows as selected.
    int SelectionAfterUpdate(CCoolCombo& combo)
    {
        m_palette.OnUpdateCmdUI(NULL, TRUE);
        return combo.GetSelection();
    }
};

TEST_F(PaletteWidthsTest, EveryPenWidthOfTheDropDownReachesTheControl)
{
    CCoolCombo& combo = m_palette.m_PenWidthCombo;
    const int nCells = combo.GetCellCount();
    ASSERT_EQ(5, nCells);
    int nPrevious = -1;
    for (int nCell = 0; nCell < nCells; nCell++)
    {
        SCOPED_TRACE(nCell);
        // Start from a width no cell offers, so that each choice is seen to arrive.
        m_pCtrl->SetPenWidth(99);
        const int nShown = ChooseByClick(combo, nCell);
        ASSERT_GT(nShown, 0);
        EXPECT_GT(nShown, nPrevious);   // the cells grow thicker down the list
        nPrevious = nShown;
        EXPECT_FALSE(combo.IsDroppedDown());
        EXPECT_EQ(nShown, m_pCtrl->GetPenWidth());
        EXPECT_EQ(nCell, SelectionAfterUpdate(combo));
    }
}

TEST_F(PaletteWidthsTest, EveryEraserWidthOfTheDropDownReachesTheControl)
{
    CCoolCombo& combo = m_palette.m_EraserWidthCombo;
    const int nCells = combo.GetCellCount();
    ASSERT_EQ(4, nCells);
    int nPrevious = -1;
    for (int nCell = 0; nCell < nCells; nCell++)
    {
        SCOPED_TRACE(nCell);
        m_pCtrl->SetEraserWidth(99);
        const int nShown = ChooseByClick(combo, nCell);
        ASSERT_GT(nShown, 0);
        EXPECT_GT(nShown, nPrevious);
        nPrevious = nShown;
        EXPECT_FALSE(combo.IsDroppedDown());
        EXPECT_EQ(nShown, m_pCtrl->GetEraserWidth());
        EXPECT_EQ(nCell, SelectionAfterUpdate(combo));
    }
}

TEST_F(PaletteWidthsTest, TheLastWidthsChosenWithTheKeyboard)
{
    for (CCoolCombo* pCombo : { (CCoolCombo*)&m_palette.m_PenWidthCombo, (CCoolCombo*)&m_palette.m_EraserWidthCombo })
    {
        const bool bPen = pCombo == &m_palette.m_PenWidthCombo;
        SCOPED_TRACE(bPen ? "pen" : "eraser");
        m_pCtrl->SetPenWidth(1);
        m_pCtrl->SetEraserWidth(4);
        m_palette.OnUpdateCmdUI(NULL, TRUE);
        ClickFace(*pCombo);
        ASSERT_TRUE(pCombo->IsDroppedDown());
        const int nLast = pCombo->GetCellCount() - 1;
        const int nShown = ShownWidth(*pCombo, nLast);
        ASSERT_GT(nShown, 0);
        // Down past the end stays on the last cell; Return chooses it.
        for (int i = 0; i <= nLast + 2; i++)
            pCombo->SendMessage(WM_KEYDOWN, VK_DOWN, 1);
        pCombo->SendMessage(WM_KEYDOWN, VK_RETURN, 1);
        EXPECT_FALSE(pCombo->IsDroppedDown());
        EXPECT_EQ(nShown, bPen ? m_pCtrl->GetPenWidth() : m_pCtrl->GetEraserWidth());
        EXPECT_EQ(nLast, SelectionAfterUpdate(*pCombo));
        // Escape leaves the width as it is.
        ClickFace(*pCombo);
        pCombo->SendMessage(WM_KEYDOWN, VK_UP, 1);
        pCombo->SendMessage(WM_KEYDOWN, VK_ESCAPE, 1);
        EXPECT_EQ(nShown, bPen ? m_pCtrl->GetPenWidth() : m_pCtrl->GetEraserWidth());
    }
}
