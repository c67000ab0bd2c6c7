// Dragging a scroll thumb over a view whose logical extent passes 65535: the window messages
// carry only 16 bits of the thumb position, the bar holds all 32. The drags here run the
// scroll bar's own tracking loop with mouse input queued before it starts.
#include "PaintFixture.h"

namespace
{
// A colour per image pixel, none of them a system colour of the view.
COLORREF WideColour(int x, int y)
{
    return RGB(x % 251, (x / 251) % 200 + 20, 60 + 40 * y);
}

// The control, recording the 16-bit position of every thumb message it receives.
class CThumbRecordingCtrl : public CTestPntCtrl
{
public:
    std::vector<UINT> m_thumbPositions;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if ((message == WM_HSCROLL || message == WM_VSCROLL) &&
            (LOWORD(wParam) == SB_THUMBTRACK || LOWORD(wParam) == SB_THUMBPOSITION))
            m_thumbPositions.push_back(HIWORD(wParam));
        return CTestPntCtrl::WindowProc(message, wParam, lParam);
    }
};
}

class ScrollTrackTest : public PaintFixture
{
protected:
    static constexpr int kWidth = 12000, kHeight = 4, kPercent = 600;

    void SetUp() override
    {
        PaintFixture::SetUp();
        // The fixture's control is replaced by one that records the thumb messages.
        m_pRecorder = ReplaceControl<CThumbRecordingCtrl>();
        ASSERT_NE(nullptr, m_pRecorder);
        PumpMessages();

        m_pCtrl->SetShowGrid(FALSE);   // every pixel shows its own colour edge to edge
        GivePattern(kWidth, kHeight);
    }

    // A cx x cy picture of WideColour pixels (x and y swapped when it is tall), at 600 %.
    void GivePattern(int cx, int cy)
    {
        ASSERT_TRUE(GiveImage(cx, cy, 24));
        CDIBSection& image = *m_pCtrl->GetDIBsection();
        for (int y = 0; y < cy; y++)
            for (int x = 0; x < cx; x++)
            {
                COLORREF cr = cx >= cy ? WideColour(x, y) : WideColour(y, x);   // the bits hold blue, green, red
                imagetest::SetRawPixel(image, x, y, RGB(GetBValue(cr), GetGValue(cr), GetRValue(cr)));
            }
        m_pCtrl->SetMagnification(kPercent);
        PumpMessages();
    }

    // The scroll bar's geometry on the screen.
    SCROLLBARINFO BarInfo(LONG idObject)
    {
        SCROLLBARINFO sbi = {};
        sbi.cbSize = sizeof(sbi);
        ::GetScrollBarInfo(m_pCtrl->m_hWnd, idObject, &sbi);
        return sbi;
    }

    // Presses the thumb of the bar in its middle and drags it by d pixels along the bar: the
    // move and the release are queued first, then the press starts the bar's tracking loop,
    // which reads them. Points in the queue are client coordinates, as the loop expects.
    void DragThumb(int nBar, int d)
    {
        const bool bHorz = nBar == SB_HORZ;
        SCROLLBARINFO sbi = BarInfo(bHorz ? OBJID_HSCROLL : OBJID_VSCROLL);
        const RECT& rc = sbi.rcScrollBar;
        const int nThumbMiddle = (sbi.xyThumbTop + sbi.xyThumbBottom) / 2;
        CPoint ptPress = bHorz ? CPoint(rc.left + nThumbMiddle, (rc.top + rc.bottom) / 2)
                               : CPoint((rc.left + rc.right) / 2, rc.top + nThumbMiddle);
        CPoint ptTo = ptPress + (bHorz ? CSize(d, 0) : CSize(0, d));
        m_pCtrl->ScreenToClient(&ptTo);
        m_pCtrl->PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM((WORD)ptTo.x, (WORD)ptTo.y));
        m_pCtrl->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM((WORD)ptTo.x, (WORD)ptTo.y));
        m_pCtrl->SendMessage(WM_NCLBUTTONDOWN, bHorz ? HTHSCROLL : HTVSCROLL,
                             MAKELPARAM((WORD)ptPress.x, (WORD)ptPress.y));
        PumpMessages();
    }
    void DragHorizontalThumb(int dx) { DragThumb(SB_HORZ, dx); }

    int HPos() { return m_pCtrl->GetScrollPos(SB_HORZ); }

    // The screen shows image pixel (i, j) in the middle of its cell, which starts at logical
    // 5 + 6i, less the scroll position hpos. (The image is stretched over one pixel more than
    // six times its width, so cell edges drift by a pixel over 12000 columns.)
    ::testing::AssertionResult ShowsPixel(int i, int j, int hpos)
    {
        const int x = 5 + i * kPercent / 100 + 3 - hpos, y = 5 + j * kPercent / 100 + 3;
        COLORREF cr = ScreenPixel(x, y);
        if (cr == WideColour(i, j))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "pixel " << i << "," << j << " at client " << x << "," << y
                                             << " shows " << std::hex << cr;
    }
    // The first image column whose cell lies wholly in the client area at hpos.
    static int FirstColumnShown(int hpos) { return (hpos - 5) * 100 / kPercent + 1; }

    CThumbRecordingCtrl* m_pRecorder = nullptr;
};

TEST_F(ScrollTrackTest, ThumbDraggedToTheEndReachesTheLastPositionPast65535)
{
    // 12000 pixels at 600 % and a border of 5 on each side: a range of 0..72010.
    const int nRange = kWidth * kPercent / 100 + 10;
    ASSERT_EQ(nRange, m_pCtrl->m_nHScrollRange);
    const int nPage = ClientRect().Width();
    const int nLast = nRange - nPage + 1;   // the last position where a page still fits
    ASSERT_GT(nLast, 65535);

    SCROLLBARINFO sbi = BarInfo(OBJID_HSCROLL);
    DragHorizontalThumb(sbi.rcScrollBar.right - sbi.rcScrollBar.left);   // past the right end
    ASSERT_FALSE(m_pRecorder->m_thumbPositions.empty()) << "the bar did not track";
    EXPECT_EQ(nLast, HPos());
    EXPECT_EQ((UINT)(nLast & 0xFFFF), m_pRecorder->m_thumbPositions.back());   // what the message carried

    // The view shows the end of the picture: client x maps to logical x + position.
    CPoint pt(0, 0);
    m_pCtrl->DPtoLP(&pt);
    EXPECT_EQ(CPoint(nLast, 0), pt);
    EXPECT_EQ(CPoint((nPage - 1 + nLast - 5) * 100 / kPercent, 1), m_pCtrl->ClientToImage(CPoint(nPage - 1, 11)));
    m_pCtrl->UpdateWindow();
    for (int i = FirstColumnShown(nLast); i < kWidth; i += 7)
        EXPECT_TRUE(ShowsPixel(i, i % kHeight, nLast));
    EXPECT_TRUE(ShowsPixel(kWidth - 1, 2, nLast));   // the last column, 5 pixels short of the end
}

TEST_F(ScrollTrackTest, ThumbDraggedPartWayKeepsAllBitsOfItsPosition)
{
    SCROLLBARINFO sbi = BarInfo(OBJID_HSCROLL);
    const int nTrack = sbi.rcScrollBar.right - sbi.rcScrollBar.left - 2 * sbi.dxyLineButton;
    // About nine tenths of the way along: well past 65535 of 72010, short of the end.
    DragHorizontalThumb(nTrack * 92 / 100);
    ASSERT_FALSE(m_pRecorder->m_thumbPositions.empty()) << "the bar did not track";
    const int nPos = HPos();
    EXPECT_GT(nPos, 65535);
    EXPECT_LT(nPos, m_pCtrl->m_nHScrollRange - ClientRect().Width() + 1);
    // The position is the one the bar tracked, whose low 16 bits the message carried.
    EXPECT_EQ(m_pRecorder->m_thumbPositions.back(), (UINT)(nPos & 0xFFFF));

    CPoint pt(10, 20);
    m_pCtrl->DPtoLP(&pt);
    EXPECT_EQ(CPoint(10 + nPos, 20), pt);
    m_pCtrl->UpdateWindow();
    const int nLastShown = FirstColumnShown(nPos) + ClientRect().Width() * 100 / kPercent - 2;
    for (int i = FirstColumnShown(nPos); i <= nLastShown; i += 9)
        EXPECT_TRUE(ShowsPixel(i, i % kHeight, nPos));

    // Dragging back to the start is short of 65536 again.
    DragHorizontalThumb(-nTrack);
    EXPECT_EQ(0, HPos());
}

TEST_F(ScrollTrackTest, VerticalThumbDraggedToTheEndOfATallPicture)
{
    GivePattern(kHeight, kWidth);   // 4 x 12000, the same pixels turned on their side
    const int nRange = kWidth * kPercent / 100 + 10;
    ASSERT_EQ(nRange, m_pCtrl->m_nVScrollRange);
    const int nPage = ClientRect().Height();
    const int nLast = nRange - nPage + 1;

    SCROLLBARINFO sbi = BarInfo(OBJID_VSCROLL);
    DragThumb(SB_VERT, sbi.rcScrollBar.bottom - sbi.rcScrollBar.top);   // past the bottom end
    ASSERT_FALSE(m_pRecorder->m_thumbPositions.empty()) << "the bar did not track";
    EXPECT_EQ(nLast, m_pCtrl->GetScrollPos(SB_VERT));
    EXPECT_EQ((UINT)(nLast & 0xFFFF), m_pRecorder->m_thumbPositions.back());
    CPoint pt(7, 9);
    m_pCtrl->DPtoLP(&pt);
    EXPECT_EQ(CPoint(7, 9 + nLast), pt);
    // The last row of the picture, in the middle of its cell.
    m_pCtrl->UpdateWindow();
    const int yLast = 5 + (kWidth - 1) * kPercent / 100 + 3 - nLast;
    EXPECT_EQ(WideColour(kWidth - 1, 1), ScreenPixel(5 + 6 + 3, yLast));
    EXPECT_EQ(WideColour(kWidth - 40, 3), ScreenPixel(5 + 18 + 3, yLast - 39 * 6));
}
