// Shift held while a shape is drawn, through real input: with the control's Shift constraint
// on, the line keeps to 0, 45 or 90 degrees and the rectangles and ellipses to squares and
// circles, on the screen while the button is held and in the picture placed at the release,
// as one undo step. With the constraint off, the default, Shift changes nothing.
#include "PaintFixture.h"
#include "common/Screenshot.h"
#include "common/UserInput.h"

namespace
{
// The box around the pixels of a picture that are not white; empty when all are.
template <class PixelOf>
CRect BoxOfMarks(int cx, int cy, PixelOf pixelOf)
{
    CRect rc(0, 0, 0, 0);
    for (int y = 0; y < cy; y++)
        for (int x = 0; x < cx; x++)
            if (pixelOf(x, y) != kWhite)
                rc = rc.IsRectEmpty() ? CRect(x, y, x + 1, y + 1) : CRect(std::min((int)rc.left, x),
                     std::min((int)rc.top, y), std::max((int)rc.right, x + 1), std::max((int)rc.bottom, y + 1));
    return rc;
}

bool IsSquare(const CRect& rc) { return !rc.IsRectEmpty() && rc.Width() == rc.Height(); }
}

class ShiftConstrainTest : public PaintFixture
{
protected:
    static constexpr int kWidth = 120, kHeight = 90;

    void TearDown() override
    {
        if (::GetKeyState(VK_LBUTTON) < 0)
            testenv::MouseButtons(MOUSEEVENTF_LEFTUP);
        testenv::KeyUp(VK_SHIFT);
        PumpUntil([] { return ::GetKeyState(VK_SHIFT) >= 0 && ::GetKeyState(VK_LBUTTON) >= 0; }, 3000);
        PumpMessages();
        PaintFixture::TearDown();
    }

    void Start(int nTool, BOOL bConstrain)
    {
        ASSERT_TRUE(GiveImage(kWidth, kHeight));
        m_pCtrl->SetToolMode(nTool);
        m_pCtrl->SetShiftConstrains(bConstrain);
        ::SetForegroundWindow(m_pFrame->m_hWnd);
        m_pCtrl->SetFocus();
        PumpMessages();
        ClearRecords();
    }
    void PointerTo(CPoint ptImage)
    {
        CPoint pt = At(ptImage.x, ptImage.y);
        m_pCtrl->ClientToScreen(&pt);
        ASSERT_TRUE(::SetCursorPos(pt.x, pt.y));
    }
    void HoldShift(bool bDown)
    {
        bDown ? testenv::KeyDown(VK_SHIFT) : testenv::KeyUp(VK_SHIFT);
        ASSERT_TRUE(PumpUntil([&] { return (::GetKeyState(VK_SHIFT) < 0) == bDown; }, 3000));
    }
    // The button pressed over image point ptFrom and the pointer moved to ptTo with it held;
    // Shift then goes down (bShift) with the button still held, and the figure must follow it.
    // (Under Wine the pointer warps that SetCursorPos and device moves cause come back from the
    // X server with its own modifier state, which never saw the synthetic Shift, so a Shift
    // pressed before the moves reads as up again after them.)
    void PressAndMove(CPoint ptFrom, CPoint ptTo, bool bShift)
    {
        PointerTo(ptFrom);
        PumpMessages();
        testenv::MouseButtons(MOUSEEVENTF_LEFTDOWN);
        ASSERT_TRUE(PumpUntil([&] { return ::GetCapture() == m_pCtrl->m_hWnd; }, 3000));
        PointerTo(ptTo);
        // The figure reaches past the press point once the move has arrived.
        ASSERT_TRUE(PumpUntil([&] { return ImageBox().Width() > 1 && ShownBox().Width() > 1; }, 3000));
        if (bShift)
            HoldShift(true);
    }
    void Release()
    {
        const int nSteps = m_pCtrl->GetUndoListSize();
        testenv::MouseButtons(MOUSEEVENTF_LEFTUP);
        ASSERT_TRUE(PumpUntil([&] { return ::GetCapture() != m_pCtrl->m_hWnd && m_pCtrl->GetUndoListSize() == nSteps + 1; }, 3000));
        PumpMessages();
    }
    // Pumps until the picture and the screen both show a figure in the box pred accepts.
    bool BothShow(const std::function<bool(const CRect&)>& pred)
    {
        return PumpUntil([&] { return pred(ImageBox()) && pred(ShownBox()); }, 3000);
    }

    CRect ImageBox()
    {
        return BoxOfMarks(kWidth, kHeight, [&](int x, int y) { return ImagePixel(x, y); });
    }
    // The same box read from the control's client area (image pixels at 100 %, margins of 5),
    // leaving out the outermost pixels, where the picture's frame is drawn.
    CRect ShownBox()
    {
        m_pCtrl->UpdateWindow();
        const CSize size(kWidth - 2, kHeight - 2);
        const std::vector<COLORREF> pixels = testenv::ReadPixels(m_pCtrl->m_hWnd, CRect(At(1, 1), size));
        if (pixels.empty())
            return CRect(0, 0, 0, 0);
        CRect rc = BoxOfMarks(size.cx, size.cy, [&](int x, int y) { return pixels[(size_t)y * size.cx + x]; });
        if (!rc.IsRectEmpty())
            rc.OffsetRect(1, 1);
        return rc;
    }
    // Every marked pixel lies on the line through ptFrom at dx:dy (1:1, 1:0 or 0:1).
    bool MarksOnLine(CPoint ptFrom, int dx, int dy)
    {
        for (int y = 0; y < kHeight; y++)
            for (int x = 0; x < kWidth; x++)
                if (ImagePixel(x, y) != kWhite && (x - ptFrom.x) * dy != (y - ptFrom.y) * dx)
                    return false;
        return true;
    }
    void UndoByKeys()
    {
        SetKeyState(VK_CONTROL, true);
        KeyDown('Z');
        SetKeyState(VK_CONTROL, false);
    }
};

TEST_F(ShiftConstrainTest, LineKeepsToFortyFiveDegreesWhileDrawnAndWhenPlaced)
{
    EXPECT_FALSE(m_pCtrl->GetShiftConstrains());
    Start(TOOL_LINE, TRUE);
    EXPECT_TRUE(m_pCtrl->GetShiftConstrains());
    const CPoint ptFrom(10, 10);
    PressAndMove(ptFrom, CPoint(50, 40), true);   // 37 degrees: the diagonal is nearest

    // While the button is held: a diagonal as far across as the pointer went.
    ASSERT_TRUE(BothShow([](const CRect& rc) { return IsSquare(rc); })) << ::testing::PrintToString(ImageBox()) << ::testing::PrintToString(ShownBox()) << ::GetKeyState(VK_SHIFT);
    EXPECT_EQ(ptFrom, ImageBox().TopLeft());
    EXPECT_GE(ImageBox().Width(), 40);
    EXPECT_EQ(ImageBox(), ShownBox());
    EXPECT_TRUE(MarksOnLine(ptFrom, 1, 1));

    Release();
    HoldShift(false);
    EXPECT_TRUE(IsSquare(ImageBox()));
    EXPECT_EQ(ptFrom, ImageBox().TopLeft());
    EXPECT_GE(ImageBox().Width(), 40);
    EXPECT_TRUE(MarksOnLine(ptFrom, 1, 1));
    EXPECT_EQ(ImageBox(), ShownBox());
    EXPECT_EQ(1, ImageChanges());
    UndoByKeys();
    EXPECT_EQ(0, PixelsOtherThan(kWhite));
}

TEST_F(ShiftConstrainTest, NearlyLevelAndNearlyUprightLinesBecomeLevelAndUpright)
{
    Start(TOOL_LINE, TRUE);
    PressAndMove(CPoint(10, 20), CPoint(60, 30), true);   // 11 degrees
    ASSERT_TRUE(BothShow([](const CRect& rc) { return rc.Height() == 1; }));
    EXPECT_TRUE(MarksOnLine(CPoint(10, 20), 1, 0));
    Release();
    EXPECT_TRUE(MarksOnLine(CPoint(10, 20), 1, 0));
    EXPECT_EQ(1, ImageBox().Height());

    HoldShift(false);
    PressAndMove(CPoint(90, 10), CPoint(97, 70), true);   // 83 degrees
    Release();
    HoldShift(false);
    // The first line stays; the new one is upright at x = 90.
    for (int y = 10; y < 70; y++)
        EXPECT_EQ(kBlack, ImagePixel(90, y)) << y;
    for (int x = 91; x < kWidth; x++)
        for (int y = 0; y < kHeight; y++)
            EXPECT_EQ(kWhite, ImagePixel(x, y)) << x << ", " << y;
}

TEST_F(ShiftConstrainTest, RectanglesAndEllipsesBecomeSquaresAndCircles)
{
    const int tools[] = { TOOL_RECTANGLE, TOOL_ROUNDRECT, TOOL_FILLEDRECT, TOOL_FILLEDROUNDRECT, TOOL_ELLIPSE,
                          TOOL_FILLEDELLIPSE };
    // Each press away from the last, which would otherwise make a double-click.
    int nOffset = 0;
    for (int nTool : tools)
    {
        Start(nTool, TRUE);
        const CPoint ptFrom(10 + nOffset, 10);
        nOffset = nOffset == 0 ? 10 : 0;
        PressAndMove(ptFrom, ptFrom + CSize(50, 20), true);
        ASSERT_TRUE(BothShow([](const CRect& rc) { return IsSquare(rc); })) << nTool;
        EXPECT_EQ(ptFrom, ImageBox().TopLeft()) << nTool;
        EXPECT_GE(ImageBox().Width(), 50) << nTool;
        EXPECT_EQ(ImageBox(), ShownBox()) << nTool;
        Release();
        HoldShift(false);
        EXPECT_TRUE(IsSquare(ImageBox())) << nTool;
        EXPECT_EQ(ptFrom, ImageBox().TopLeft()) << nTool;
        EXPECT_GE(ImageBox().Width(), 50) << nTool;
        EXPECT_EQ(ImageBox(), ShownBox()) << nTool;
        EXPECT_EQ(1, ImageChanges()) << nTool;
        UndoByKeys();
        EXPECT_EQ(0, PixelsOtherThan(kWhite)) << nTool;
    }
}

TEST_F(ShiftConstrainTest, SquareOpensTowardThePointerUpAndLeft)
{
    Start(TOOL_FILLEDRECT, TRUE);
    PressAndMove(CPoint(80, 70), CPoint(60, 20), true);
    ASSERT_TRUE(BothShow([](const CRect& rc) { return IsSquare(rc); }));
    Release();
    HoldShift(false);
    const CRect rc = ImageBox();
    EXPECT_TRUE(IsSquare(rc));
    // From the press up and left to as far as the pointer went upward: (30, 20) to (80, 70).
    EXPECT_TRUE(rc.left >= 29 && rc.left <= 31) << rc.left;
    EXPECT_TRUE(rc.top >= 19 && rc.top <= 21) << rc.top;
    EXPECT_TRUE(rc.right >= 80 && rc.right <= 82) << rc.right;
    EXPECT_EQ(ImageBox(), ShownBox());
}

TEST_F(ShiftConstrainTest, FigureFollowsShiftGoingDownAndUpWithoutAMove)
{
    Start(TOOL_RECTANGLE, TRUE);
    PressAndMove(CPoint(10, 10), CPoint(60, 30), false);
    // Shift up: the figure follows the pointer.
    ASSERT_TRUE(BothShow([](const CRect& rc) { return rc.Width() > 2 * rc.Height(); }));

    HoldShift(true);
    EXPECT_TRUE(BothShow([](const CRect& rc) { return IsSquare(rc); }));
    HoldShift(false);
    EXPECT_TRUE(BothShow([](const CRect& rc) { return rc.Width() > 2 * rc.Height(); }));

    // What shows at the release is what is placed.
    HoldShift(true);
    ASSERT_TRUE(BothShow([](const CRect& rc) { return IsSquare(rc); }));
    Release();
    HoldShift(false);
    EXPECT_TRUE(IsSquare(ImageBox()));
    EXPECT_EQ(ImageBox(), ShownBox());
    EXPECT_EQ(1, m_pCtrl->GetUndoListSize());
}

TEST_F(ShiftConstrainTest, ShiftChangesNothingWithTheConstraintOff)
{
    const int tools[] = { TOOL_LINE, TOOL_RECTANGLE, TOOL_FILLEDELLIPSE };
    int nOffset = 0;
    for (int nTool : tools)
    {
        Start(nTool, FALSE);
        const CPoint ptFrom(10 + nOffset, 10);
        nOffset = nOffset == 0 ? 10 : 0;
        PressAndMove(ptFrom, ptFrom + CSize(50, 20), true);
        ASSERT_TRUE(BothShow([](const CRect& rc) { return rc.Width() > 2 * rc.Height(); })) << nTool;
        Release();
        HoldShift(false);
        const CRect rc = ImageBox();
        EXPECT_EQ(ptFrom, rc.TopLeft()) << nTool;
        EXPECT_GE(rc.Width(), 50) << nTool;
        EXPECT_LE(rc.Height(), 21) << nTool;
        EXPECT_EQ(ImageBox(), ShownBox()) << nTool;
    }
}
