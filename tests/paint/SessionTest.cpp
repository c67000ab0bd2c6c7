// A long randomised editing session: whatever the order of strokes, cancelled strokes, undo
// and redo steps, zooms, scrolls and new images, the control's invariants hold.
#include "PaintFixture.h"
#include <random>

class PntCtrlSession : public PaintFixture
{
};

TEST_F(PntCtrlSession, RandomEditingKeepsTheInvariants)
{
    std::mt19937 rng(20261205);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const int kTools[] = { TOOL_PEN, TOOL_ERASER, TOOL_LINE, TOOL_RECTANGLE, TOOL_ROUNDRECT, TOOL_ELLIPSE,
                           TOOL_FILLEDRECT, TOOL_FILLEDROUNDRECT, TOOL_FILLEDELLIPSE, TOOL_FLOODFILL,
                           TOOL_COLOURSAMPLER, TOOL_MAGNIFY };
    const int kDepths[] = { 1, 4, 8, 16, 24, 32 };
    const COLORREF kColours[] = { kBlack, kRed, kGreen, kBlue, RGB(200, 180, 40) };
    // Client points reach a little past the window on every side.
    auto anyPoint = [&]() { return CPoint(pick(-20, kClientWidth + 20), pick(-20, kClientHeight + 20)); };

    CSize size(70, 50);
    ASSERT_TRUE(GiveImage(size.cx, size.cy, 8));
    // A lowered maximum trims one entry per entry in, so the history shrinks only over time;
    // the live picture kept for redo may add one entry.
    int nHistoryBound = 5 + 1;
    for (int step = 0; step < 1200; step++)
    {
        SCOPED_TRACE(step);
        switch (pick(0, 11))
        {
        case 0: case 1: case 2: case 3: case 4:
        {
            m_pCtrl->SetToolMode(kTools[pick(0, (int)std::size(kTools) - 1)]);
            m_pCtrl->SetDrawColor(kColours[pick(0, 4)]);
            m_pCtrl->SetPenWidth(pick(1, 6));
            CPoint from = anyPoint();
            Down(from);
            for (int n = pick(0, 4); n > 0; n--)
                Move(anyPoint());
            if (pick(0, 9) == 0)
                KeyDown(VK_ESCAPE);   // cancels the stroke in progress
            Up(anyPoint());
            break;
        }
        case 5:
        {
            // A step back and forward again gives the same picture.
            imagetest::Bytes before = imagetest::Bits(*m_pCtrl->GetDIBsection());
            if (m_pCtrl->Undo())
            {
                ASSERT_TRUE(m_pCtrl->CanRedo());
                ASSERT_TRUE(m_pCtrl->Redo());
                ASSERT_EQ(before, imagetest::Bits(*m_pCtrl->GetDIBsection()));
            }
            break;
        }
        case 6: m_pCtrl->Undo(); break;
        case 7: m_pCtrl->Redo(); break;
        case 8: m_pCtrl->SetMagnification((UINT)CPntCtrl::MagnificationLevels[pick(0, 7)]); break;
        case 9:
        {
            static const UINT kCodes[] = { SB_LINEUP, SB_LINEDOWN, SB_PAGEUP, SB_PAGEDOWN, SB_TOP, SB_BOTTOM };
            UINT nMsg = pick(0, 1) ? WM_HSCROLL : WM_VSCROLL;
            m_pCtrl->SendMessage(nMsg, kCodes[pick(0, 5)], 0);
            break;
        }
        case 10:
        {
            int nMaxUndo = pick(0, 6);
            m_pCtrl->SetMaxUndoSize(nMaxUndo);
            nHistoryBound = std::max(m_pCtrl->GetUndoListSize() + 1, std::max(nMaxUndo, 1) + 1);
            break;
        }
        default:
            if (pick(0, 3) == 0)
            {
                size = CSize(pick(1, 300), pick(1, 200));
                ASSERT_TRUE(m_pCtrl->CreateBitmap(size.cx, size.cy, 1, kDepths[pick(0, 5)], NULL, NULL));
            }
            break;
        }
        m_pCtrl->UpdateWindow();

        // No step changes the image's size but a new image; the history stays bounded; the
        // selection and the scroll positions stay inside their ranges.
        CDIBSection* pImage = m_pCtrl->GetDIBsection();
        ASSERT_EQ(size, CSize(pImage->GetWidth(), pImage->GetHeight()));
        ASSERT_LE(m_pCtrl->GetUndoListSize(), nHistoryBound);
        CRect rcSelection;
        m_pCtrl->GetSelectionRect(&rcSelection);
        ASSERT_EQ(CRect(0, 0, size.cx, size.cy), rcSelection);
        int nMin, nMax;
        m_pCtrl->GetScrollRange(SB_HORZ, &nMin, &nMax);
        ASSERT_LE(m_pCtrl->GetScrollPos(SB_HORZ), std::max(nMax, 0));
        m_pCtrl->GetScrollRange(SB_VERT, &nMin, &nMax);
        ASSERT_LE(m_pCtrl->GetScrollPos(SB_VERT), std::max(nMax, 0));
        ASSERT_FALSE(::GetCapture() == m_pCtrl->m_hWnd);
    }
}
