// Gestures touch only what they reach: a rubber band's moves put back exactly what the earlier
// figures covered, strokes and figures keep undo steps of their own size, and after each move
// the view shows every pixel that changed.
#include "PaintFixture.h"

namespace
{
using imagetest::RawPixel;
using imagetest::RawPixels;
using imagetest::SetRawPixel;

// Every pixel differs from its neighbours, so a pixel put back from the wrong place shows.
void PaintPattern(CDIBSection& image)
{
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x)
            SetRawPixel(image, x, y, (DWORD)((x * 7 + y * 131) & 0xFFFFFF) | 0x010101);
}

struct ShapeCase
{
    int nMode;
    BOOL bRectangle;   // else an ellipse or a line
    BOOL bFilled;
    BOOL bRounded;
};
}

class GestureAreaTest : public PaintFixture
{
protected:
    // A patterned w x h picture at 24 bits, the tool, the pen width and colour.
    void Start(int w, int h, int nTool, int nPenWidth)
    {
        ASSERT_TRUE(GiveImage(w, h, 24, kWhite));
        ::GdiFlush();
        PaintPattern(*m_pCtrl->GetDIBsection());
        m_pCtrl->SetToolMode(nTool);
        m_pCtrl->SetPenWidth(nPenWidth);
        m_pCtrl->SetDrawColor(kRed);
        m_background = RawPixels(*m_pCtrl->GetDIBsection());
        ClearRecords();
    }

    // The picture as the background with one figure drawn on it by the image class itself.
    std::vector<DWORD> Expected(const ShapeCase& shape, CPoint from, CPoint to, int nPenWidth)
    {
        CDIBSection reference;
        EXPECT_TRUE(reference.Copy(*m_pCtrl->GetDIBsection()));
        ::GdiFlush();
        for (int y = 0; y < reference.GetHeight(); ++y)
            for (int x = 0; x < reference.GetWidth(); ++x)
                SetRawPixel(reference, x, y, m_background[(size_t)y * reference.GetWidth() + x]);
        if (shape.nMode == TOOL_LINE)
            reference.DrawLine(from, to, nPenWidth, kRed);
        else if (shape.bRectangle)
            reference.DrawRectangle(from, to, nPenWidth, kRed, shape.bFilled, shape.bRounded);
        else
            reference.DrawEllipse(from, to, nPenWidth, kRed, shape.bFilled);
        return RawPixels(reference);
    }

    // Pixels that differ between the picture and the expected ones.
    int Differences(const std::vector<DWORD>& expected)
    {
        ::GdiFlush();
        const std::vector<DWORD> actual = RawPixels(*m_pCtrl->GetDIBsection());
        if (actual.size() != expected.size())
            return -1;
        int n = 0;
        for (size_t i = 0; i < actual.size(); ++i)
            n += actual[i] != expected[i];
        return n;
    }

    std::vector<DWORD> m_background;
};

TEST_F(GestureAreaTest, RubberBandLeavesOnlyTheLastFigureWhateverThePathAndPen)
{
    const ShapeCase shapes[] = {
        { TOOL_LINE, FALSE, FALSE, FALSE },          { TOOL_RECTANGLE, TRUE, FALSE, FALSE },
        { TOOL_ROUNDRECT, TRUE, FALSE, TRUE },       { TOOL_ELLIPSE, FALSE, FALSE, FALSE },
        { TOOL_FILLEDRECT, TRUE, TRUE, FALSE },      { TOOL_FILLEDROUNDRECT, TRUE, TRUE, TRUE },
        { TOOL_FILLEDELLIPSE, FALSE, TRUE, FALSE },
    };
    // Far and near, backwards, out of the picture and back: every earlier figure must go.
    const std::vector<CPoint> path = { At(150, 110), At(3, 2), At(-40, 60), At(119, -30),
                                       At(60, 45), At(250, 200), At(45, 52) };
    for (const ShapeCase& shape : shapes)
    {
        for (int nWidth : { 1, 9, 26 })
        {
            SCOPED_TRACE(testing::Message() << "mode " << shape.nMode << ", pen " << nWidth);
            Start(120, 90, shape.nMode, nWidth);
            const std::vector<DWORD> expected = Expected(shape, CPoint(30, 20), CPoint(90, 70), nWidth);

            Down(At(30, 20));
            for (const CPoint& pt : path)
                Move(pt);
            Move(At(90, 70));
            EXPECT_EQ(0, Differences(expected)) << "while the button is held";
            EXPECT_EQ(0, ImageChanges());
            Up(At(90, 70));
            EXPECT_EQ(0, Differences(expected)) << "placed";
            EXPECT_EQ(1, ImageChanges());

            ASSERT_TRUE(m_pCtrl->Undo());
            EXPECT_EQ(0, Differences(m_background)) << "undone";
            ASSERT_TRUE(m_pCtrl->Redo());
            EXPECT_EQ(0, Differences(expected)) << "redone";
        }
    }
}

TEST_F(GestureAreaTest, EscapeDuringARubberBandPutsEveryPixelBack)
{
    Start(120, 90, TOOL_FILLEDELLIPSE, 15);
    Down(At(10, 10));
    Move(At(110, 80));
    Move(At(50, 30));
    m_pCtrl->SendMessage(WM_CHAR, VK_ESCAPE, 1);
    EXPECT_EQ(0, Differences(m_background));
    EXPECT_EQ(0, m_pCtrl->GetUndoListSize());
    Up(At(50, 30));
    EXPECT_EQ(0, Differences(m_background));
}

TEST_F(GestureAreaTest, StrokesAndFiguresKeepUndoStepsOfTheirOwnSize)
{
    // A 2048 x 2048 picture at 32 bits holds 16 MB; each gesture below covers a few thousand
    // pixels, so its step must hold a small fraction of that.
    ASSERT_TRUE(GiveImage(2048, 2048, 32, kWhite));
    const SIZE_T nImageBytes = (SIZE_T)2048 * 2048 * 4;
    m_pCtrl->SetPenWidth(5);
    ::GdiFlush();
    const std::vector<DWORD> before = RawPixels(*m_pCtrl->GetDIBsection());

    m_pCtrl->SetToolMode(TOOL_PEN);
    Drag(At(20, 20), At(120, 60), { At(40, 25), At(80, 50) });
    m_pCtrl->SetToolMode(TOOL_ERASER);
    Drag(At(30, 30), At(90, 30));
    m_pCtrl->SetToolMode(TOOL_FILLEDRECT);
    Drag(At(150, 100), At(250, 200), { At(300, 250), At(200, 150) });
    m_pCtrl->SetToolMode(TOOL_LINE);
    Drag(At(10, 200), At(300, 210));
    EXPECT_EQ(4, m_pCtrl->GetUndoListSize());
    EXPECT_GT(m_pCtrl->GetUndoMemoryUsed(), 0u);
    EXPECT_LT(m_pCtrl->GetUndoMemoryUsed(), nImageBytes / 20)
        << "the four steps hold " << m_pCtrl->GetUndoMemoryUsed() << " bytes";

    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(m_pCtrl->Undo());
    ::GdiFlush();
    EXPECT_TRUE(RawPixels(*m_pCtrl->GetDIBsection()) == before) << "undo gives back every pixel";
}

TEST_F(GestureAreaTest, TheViewShowsEveryChangedPixelAfterEachMove)
{
    // At 200 % each image pixel is a 2 x 2 block on the screen; the view must show the new
    // figure and no trace of the last one, each time, without a repaint of its own.
    Start(120, 90, TOOL_RECTANGLE, 3);
    m_pCtrl->SetMagnification(200);
    m_pCtrl->UpdateWindow();
    CDIBSection* pImage = m_pCtrl->GetDIBsection();
    auto ScreenMatchesImage = [&](const CRect& rcImage) {
        int nWrong = 0;
        for (int y = std::max(0, (int)rcImage.top); y < std::min(90, (int)rcImage.bottom); ++y)
            for (int x = std::max(0, (int)rcImage.left); x < std::min(120, (int)rcImage.right); ++x)
            {
                CPoint pt(x, y);
                m_pCtrl->IPtoLP(&pt);
                m_pCtrl->LPtoDP(&pt);
                if (ScreenPixel(pt.x + 1, pt.y + 1) != imagetest::PixelColour(*pImage, x, y))
                    ++nWrong;
            }
        return nWrong;
    };
    Down(CPoint(10, 10));   // client points; at 200 % near the picture's corner
    // Inside the border, where the selection frame is drawn over the picture.
    const CRect rcAll(3, 3, 117, 87);
    for (CPoint pt : { CPoint(150, 120), CPoint(60, 40), CPoint(200, 170), CPoint(30, 90) })
    {
        Move(pt);
        EXPECT_EQ(0, ScreenMatchesImage(rcAll)) << "after the move to " << pt.x << "," << pt.y;
    }
    Up(CPoint(30, 90));
    EXPECT_EQ(0, ScreenMatchesImage(rcAll)) << "after the release";

    m_pCtrl->SetToolMode(TOOL_PEN);
    Down(CPoint(40, 40));
    for (CPoint pt : { CPoint(80, 60), CPoint(160, 100), CPoint(60, 150) })
    {
        Move(pt);
        EXPECT_EQ(0, ScreenMatchesImage(rcAll)) << "pen at " << pt.x << "," << pt.y;
    }
    Up(CPoint(60, 150));

    // Undo and redo repaint what they put back, the rectangle's step included.
    for (int i = 0; i < 2; ++i)
    {
        ASSERT_TRUE(m_pCtrl->Undo());
        m_pCtrl->UpdateWindow();
        EXPECT_EQ(0, ScreenMatchesImage(rcAll)) << "after undo " << i + 1;
    }
    ASSERT_TRUE(m_pCtrl->Redo());
    m_pCtrl->UpdateWindow();
    EXPECT_EQ(0, ScreenMatchesImage(rcAll)) << "after redo";
}

TEST_F(GestureAreaTest, ADraggedPieceLeavesOnlyItsSourceClearedAndItsLastPlace)
{
    for (bool bCopy : { false, true })
    {
        SCOPED_TRACE(bCopy ? "copy with Ctrl" : "move");
        Start(120, 90, TOOL_SELECT, 1);
        // The selection: 20 x 15 pixels at (10, 10), drawn with the rubber band.
        PressAndDrag(At(10, 10), { At(20, 18), At(30, 25) });
        CRect rcSel;
        m_pCtrl->GetSelectionRect(&rcSel);
        ASSERT_EQ(CRect(10, 10, 30, 25), rcSel);

        // Dragged over itself, far away and back, and dropped at (70, 50).
        SetKeyState(VK_CONTROL, bCopy);
        PressAndDrag(At(15, 15), { At(20, 18), At(90, 70), At(5, 5), At(75, 55) });
        SetKeyState(VK_CONTROL, false);

        // Expected: the background, the source cleared to the erase colour (white) when moved,
        // and the piece's pixels at (70, 50) to (90, 65).
        std::vector<DWORD> expected = m_background;
        const DWORD white = 0xFFFFFF;
        for (int y = 10; y < 25; ++y)
            for (int x = 10; x < 30; ++x)
            {
                if (!bCopy)
                    expected[(size_t)y * 120 + x] = white;
                expected[(size_t)(y + 40) * 120 + x + 60] = m_background[(size_t)y * 120 + x];
            }
        EXPECT_EQ(0, Differences(expected));
        EXPECT_EQ(1, m_pCtrl->GetUndoListSize());
        ASSERT_TRUE(m_pCtrl->Undo());
        EXPECT_EQ(0, Differences(m_background));
    }
}

TEST_F(GestureAreaTest, DraggedUnclippedTextLeavesOnlyItsLastRendering)
{
    AfxGetApp()->SetRegistryKey(_T("MfcPaintTextBarTests"));
    Start(160, 120, TOOL_TEXT, 1);
    // A box too small for its text, centred and unclipped: the text spills past every edge.
    const UINT nFormat = DT_NOCLIP | DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    PressAndDrag(At(60, 50), { At(70, 55), At(80, 60) });
    m_pCtrl->SetTextFormat(nFormat);
    m_pCtrl->SetUserText(_T("Wide text WWWW"));
    CRect rcBox;
    m_pCtrl->GetSelectionRect(&rcBox);
    ASSERT_EQ(CRect(60, 50, 80, 60), rcBox);

    // The box dragged about and left 30 pixels right and 40 down.
    PressAndDrag(At(70, 55), { At(20, 20), At(140, 100), At(5, 110), At(100, 95) });
    m_pCtrl->GetSelectionRect(&rcBox);
    ASSERT_EQ(CRect(90, 90, 110, 100), rcBox);

    CDIBSection reference;
    ASSERT_TRUE(reference.Copy(*m_pCtrl->GetDIBsection()));
    ::GdiFlush();
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 160; ++x)
            SetRawPixel(reference, x, y, m_background[(size_t)y * 160 + x]);
    reference.DrawText(_T("Wide text WWWW"), rcBox, nFormat, m_pCtrl->GetDrawColor(), m_pCtrl->GetTextFont());
    ::GdiFlush();
    const std::vector<DWORD> expected = RawPixels(reference);
    EXPECT_NE(expected, m_background) << "the text drew nothing";
    EXPECT_EQ(0, Differences(expected));
    ASSERT_TRUE(m_pCtrl->Undo());
    EXPECT_EQ(0, Differences(m_background));
}
