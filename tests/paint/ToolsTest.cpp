// The tools of the paint control: modes, mouse gestures of each kind of tool, Escape and the
// editing keys, the airbrush timer and the tool cursors.
#include "PaintFixture.h"

class ToolsTest : public PaintFixture
{
protected:
    // A 60 x 40 image of the colour and the tool, with the frame's records cleared.
    void Start(int nTool, COLORREF crBackground = kWhite)
    {
        ASSERT_TRUE(GiveImage(60, 40, 24, crBackground));
        m_pCtrl->SetToolMode(nTool);
        ClearRecords();
    }
    void Escape() { m_pCtrl->SendMessage(WM_CHAR, VK_ESCAPE, 1); }
};

TEST_F(ToolsTest, SelectToolForcesTheSelectionRectAndSamplersReturnToThePreviousTool)
{
    m_pCtrl->SetToolMode(TOOL_SELECT);
    EXPECT_TRUE(m_pCtrl->GetShowSelectionRect());
    m_pCtrl->SetToolMode(TOOL_PEN);
    EXPECT_FALSE(m_pCtrl->GetShowSelectionRect());
    EXPECT_EQ(TOOL_SELECT, m_pCtrl->m_nPrevToolMode);
    EXPECT_EQ(2, NotifyCount(CPntCtrl::m_nModeChangeMessage));
    ASSERT_EQ(2u, StatusTexts().size());
    EXPECT_EQ(CString(_T("Draws using a pen with the current width.")), StatusTexts()[1]);

    Start(TOOL_COLOURSAMPLER);   // picked while the pen is current
    m_pCtrl->GetDIBsection()->SetPixel(7, 7, kRed);
    m_pCtrl->GetDIBsection()->SetPixel(9, 3, kGreen);
    Click(At(7, 7));
    EXPECT_EQ(kRed, m_pCtrl->GetDrawColor());
    EXPECT_EQ(kRed, m_pCtrl->GetFillColor());
    EXPECT_EQ(TOOL_PEN, m_pCtrl->GetToolMode());
    EXPECT_EQ((std::vector<UINT>{ CPntCtrl::m_nColourSamplerMessage, CPntCtrl::m_nModeChangeMessage }),
              m_pFrame->m_codes);
    m_pCtrl->SetToolMode(TOOL_TRANSCOLOURSAMPLER);
    Click(At(9, 3));
    EXPECT_EQ(kGreen, m_pCtrl->GetTransparentColor());
    EXPECT_EQ(kRed, m_pCtrl->GetDrawColor());
    EXPECT_EQ(TOOL_PEN, m_pCtrl->GetToolMode());
    EXPECT_EQ(0, m_pCtrl->GetUndoListSize());
}

TEST_F(ToolsTest, PenStrokeFollowsTheMouseAndNotifiesEveryEvent)
{
    Start(TOOL_PEN);
    Drag(At(10, 10), At(20, 20), { At(20, 10) });
    for (int i = 10; i <= 20; i++)
        EXPECT_TRUE(ImagePixel(i, 10) == kBlack && ImagePixel(20, i) == kBlack) << i;
    EXPECT_EQ(21, PixelsOtherThan(kWhite));
    EXPECT_EQ(3, ImageChanges());   // button-down and two moves; button-up adds nothing
    EXPECT_EQ(1, m_pCtrl->GetUndoListSize());
    EXPECT_EQ(NULL, ::GetCapture());
    EXPECT_TRUE(m_pCtrl->Undo());
    EXPECT_EQ(0, PixelsOtherThan(kWhite));

    // At 400 % image pixel (7, 3) covers client x from int(7 * 4) + 5 = 33 to 36, y from 17 to 20.
    m_pCtrl->SetMagnification(400);
    Click(CPoint(36, 17));
    EXPECT_EQ(kBlack, ImagePixel(7, 3));
    EXPECT_EQ(1, PixelsOtherThan(kWhite));
}

TEST_F(ToolsTest, EraserLaysTheTransparentColourWhenOneIsSetElseTheEraseColour)
{
    Start(TOOL_ERASER, kBlack);
    m_pCtrl->SetEraserWidth(1);
    Click(At(2, 2));   // the default erase colour: white
    m_pCtrl->SetEraseColor(kGreen);
    Click(At(5, 5));
    m_pCtrl->SetTransparentColor(kRed);
    Click(At(8, 8));
    EXPECT_EQ(kWhite, ImagePixel(2, 2));
    EXPECT_EQ(kGreen, ImagePixel(5, 5));
    EXPECT_EQ(kRed, ImagePixel(8, 8));
    EXPECT_EQ(3, PixelsOtherThan(kBlack));
}

TEST_F(ToolsTest, FloodFillActsOnceAtButtonDown)
{
    Start(TOOL_FLOODFILL);
    m_pCtrl->GetDIBsection()->DrawLine(CPoint(20, 0), CPoint(20, 39), 1, kBlack);
    m_pCtrl->SetFillColor(kBlue);
    Down(At(5, 5));
    EXPECT_EQ(1, ImageChanges());
    Move(At(30, 5));
    Up(At(30, 5));
    EXPECT_EQ(1, ImageChanges());
    EXPECT_EQ(20 * 40, 60 * 40 - PixelsOtherThan(kBlue));   // the part left of the wall
    EXPECT_EQ(kBlue, ImagePixel(19, 39));
}

TEST_F(ToolsTest, ShapesRubberBandAndArePlacedOnceAtButtonUp)
{
    Start(TOOL_RECTANGLE);
    Down(At(5, 5));
    Move(At(30, 20));
    EXPECT_EQ(kBlack, ImagePixel(30, 20));
    Move(At(15, 12));
    EXPECT_EQ(kWhite, ImagePixel(30, 20));   // the earlier figure is gone
    EXPECT_EQ(0, ImageChanges());
    Up(At(15, 12));
    EXPECT_EQ(1, ImageChanges());
    EXPECT_EQ(1, m_pCtrl->GetUndoListSize());
    EXPECT_EQ(nullptr, m_pCtrl->m_pSavedState);
    // The outline of the 11 x 8 block from (5, 5) to (15, 12) inclusive.
    EXPECT_EQ(2 * 11 + 2 * 6, PixelsOtherThan(kWhite));
    for (CPoint pt : { CPoint(5, 5), CPoint(15, 5), CPoint(5, 12), CPoint(15, 12), CPoint(10, 12) })
        EXPECT_EQ(kBlack, ImagePixel(pt.x, pt.y)) << pt.x << "," << pt.y;
    EXPECT_TRUE(m_pCtrl->Undo());
    EXPECT_EQ(0, PixelsOtherThan(kWhite));

    // Filled shapes take the draw colour for outline and fill, not the fill colour.
    m_pCtrl->SetDrawColor(kRed);
    m_pCtrl->SetFillColor(kBlue);
    m_pCtrl->SetToolMode(TOOL_FILLEDELLIPSE);
    Drag(At(10, 10), At(30, 30));
    EXPECT_EQ(kRed, ImagePixel(20, 20));
    EXPECT_EQ(kWhite, ImagePixel(10, 10));   // the corner lies outside the ellipse
    EXPECT_EQ(60 * 40 - PixelsOtherThan(kRed), PixelsOtherThan(kWhite));
}

TEST_F(ToolsTest, EscapeTakesBackTheShapeInProgressOrTheLastChange)
{
    Start(TOOL_RECTANGLE);
    Down(At(5, 5));
    Move(At(20, 20));
    ASSERT_NE(0, PixelsOtherThan(kWhite));
    Escape();
    EXPECT_EQ(0, PixelsOtherThan(kWhite));
    Move(At(25, 25));
    Up(At(25, 25));   // draws nothing
    EXPECT_EQ(0, PixelsOtherThan(kWhite));
    EXPECT_EQ(0, ImageChanges());
    EXPECT_EQ(0, m_pCtrl->GetUndoListSize());
    EXPECT_FALSE(m_pCtrl->m_bCancelled);   // the next press starts afresh

    // With the pen Escape takes back the stroke in progress and the rest of it is ignored;
    // with no button down it undoes the last change.
    m_pCtrl->SetToolMode(TOOL_PEN);
    Down(At(5, 5));
    Move(At(9, 5));
    Escape();
    Move(At(20, 20));
    Up(At(20, 20));
    EXPECT_EQ(0, PixelsOtherThan(kWhite));
    Click(At(5, 5));
    ASSERT_EQ(kBlack, ImagePixel(5, 5));
    Escape();
    EXPECT_EQ(kWhite, ImagePixel(5, 5));
    EXPECT_TRUE(m_pCtrl->CanRedo());
}

TEST_F(ToolsTest, MagnifyClicksStepThroughThePresetLevels)
{
    Start(TOOL_MAGNIFY);
    // Clicks (0) zoom in, Alt+clicks (1) and right-clicks (2) zoom out; nothing beyond the ends.
    const std::pair<int, UINT> steps[] = {
        { 0, 200 }, { 0, 300 }, { 0, 400 }, { 0, 500 }, { 0, 600 }, { 0, 600 }, { 1, 500 },
        { 2, 400 }, { 2, 300 }, { 2, 200 }, { 2, 100 }, { 2, 50 }, { 2, 10 }, { 2, 10 },
    };
    for (const auto& step : steps)
    {
        SetKeyState(VK_MENU, step.first == 1);
        if (step.first == 2)
            m_pCtrl->SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(6, 6));
        else
            Click(At(1, 1));
        EXPECT_EQ(step.second, m_pCtrl->GetMagnification());
    }
    EXPECT_EQ(12, NotifyCount(CPntCtrl::m_nMagnificationChangedMessage));
    EXPECT_EQ(0, PixelsOtherThan(kWhite));
}

TEST_F(ToolsTest, AirbrushSpraysAroundTheCursorUntilButtonUp)
{
    m_pCtrl->SetPenWidth(2);   // spray radius 8
    Start(TOOL_AIRBRUSH);
    // The timer sprays where the cursor is: put it over image pixel (30, 20).
    CPoint ptScreen = At(30, 20);
    m_pCtrl->ClientToScreen(&ptScreen);
    ASSERT_TRUE(::SetCursorPos(ptScreen.x, ptScreen.y));
    PumpMessages();

    Down(At(30, 20));
    EXPECT_EQ(0, PixelsOtherThan(kWhite));   // nothing before the first tick
    EXPECT_EQ(1, m_pCtrl->GetUndoListSize());
    ASSERT_TRUE(PumpUntil([&] { return PixelsOtherThan(kWhite) > 0; }, 3000));
    Up(At(30, 20));
    EXPECT_GE(ImageChanges(), 1);
    for (int y = 0; y < 40; y++)
        for (int x = 0; x < 60; x++)
            EXPECT_TRUE(ImagePixel(x, y) == kWhite
                        || (ImagePixel(x, y) == kBlack && (x - 30) * (x - 30) + (y - 20) * (y - 20) < 8 * 8))
                << x << "," << y;
    // The timer is gone with the button.
    const int nPainted = PixelsOtherThan(kWhite);
    PumpUntil([] { return false; }, 100);
    EXPECT_EQ(nPainted, PixelsOtherThan(kWhite));
}

TEST_F(ToolsTest, NothingIsDrawnWithoutImageDrawingToolOrEditing)
{
    CPoint pt(3, 3);
    m_pCtrl->SetToolMode(TOOL_PEN);
    EXPECT_FALSE(m_pCtrl->DoDrawShape(pt, pt));
    EXPECT_FALSE(m_pCtrl->SprayAirBrush(pt, 4));
    Start(TOOL_AIRBRUSH);
    EXPECT_FALSE(m_pCtrl->SprayAirBrush(pt, 0));
    EXPECT_FALSE(m_pCtrl->DoDrawShape(pt, pt));
    m_pCtrl->SetToolMode(TOOL_PEN);
    m_pCtrl->SetDisplayOnly(TRUE);
    ClearRecords();
    Drag(At(2, 2), At(10, 10));
    EXPECT_EQ(0, PixelsOtherThan(kWhite));
    EXPECT_EQ(0, ImageChanges());
    EXPECT_EQ(0, m_pCtrl->GetUndoListSize());
}

TEST_F(ToolsTest, EditingKeys)
{
    // Delete clears the selection with the erase colour, except with the text tool.
    Start(TOOL_PEN, kBlack);
    CRect rcSel(2, 2, 6, 5);
    m_pCtrl->SetSelectionRect(&rcSel, FALSE);
    KeyDown(VK_DELETE);
    EXPECT_EQ(4 * 3, PixelsOtherThan(kBlack));
    EXPECT_EQ(kWhite, ImagePixel(5, 4));
    EXPECT_EQ(CRect(0, 0, 60, 40), m_pCtrl->m_rcSelection);
    EXPECT_EQ(1, ImageChanges());
    m_pCtrl->SetToolMode(TOOL_TEXT);
    KeyDown(VK_DELETE);
    EXPECT_EQ(4 * 3, PixelsOtherThan(kBlack));

    // Ctrl+Z undoes, Ctrl+Y redoes; the letters alone do nothing.
    m_pCtrl->SetToolMode(TOOL_PEN);
    KeyDown('Z');
    EXPECT_EQ(kWhite, ImagePixel(2, 2));
    SetKeyState(VK_CONTROL, true);
    KeyDown('Z');
    EXPECT_EQ(kBlack, ImagePixel(2, 2));
    KeyDown('Y');
    EXPECT_EQ(kWhite, ImagePixel(2, 2));
    // A dialog passes every key to the control.
    EXPECT_EQ(DLGC_WANTALLKEYS, m_pCtrl->SendMessage(WM_GETDLGCODE) & DLGC_WANTALLKEYS);
}

TEST_F(ToolsTest, EachToolShowsItsCursorInTheClientArea)
{
    // Tool, then the hot spot of its cursor; (0, 0) for the class cursor, an arrow.
    const int cursors[][3] = { { TOOL_ERASER, 8, 19 }, { TOOL_FLOODFILL, 8, 22 }, { TOOL_MAGNIFY, 14, 13 },
                               { TOOL_AIRBRUSH, 7, 22 }, { TOOL_PEN, 13, 24 }, { TOOL_LINE, 16, 16 },
                               { TOOL_FILLEDROUNDRECT, 16, 16 }, { TOOL_COLOURSAMPLER, 8, 23 },
                               { TOOL_TRANSCOLOURSAMPLER, 8, 23 }, { TOOL_NONE, 0, 0 } };
    const HCURSOR hArrow = ::LoadCursor(NULL, IDC_ARROW);
    const WPARAM wSelf = (WPARAM)m_pCtrl->m_hWnd;
    for (const auto& c : cursors)
    {
        SCOPED_TRACE(c[0]);
        m_pCtrl->SetToolMode(c[0]);
        m_pCtrl->SendMessage(WM_SETCURSOR, wSelf, MAKELPARAM(HTBORDER, WM_MOUSEMOVE));
        EXPECT_EQ(hArrow, ::GetCursor());   // outside the client area: the default
        ::SetCursor(NULL);
        m_pCtrl->SendMessage(WM_SETCURSOR, wSelf, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        HCURSOR hCursor = ::GetCursor();
        ICONINFO info = {};
        ASSERT_TRUE(::GetIconInfo(hCursor, &info));
        EXPECT_EQ(c[0] == TOOL_NONE, hCursor == hArrow);
        EXPECT_FALSE(info.fIcon);
        EXPECT_TRUE(c[0] == TOOL_NONE || CPoint(c[1], c[2]) == CPoint(info.xHotspot, info.yHotspot));
        if (c[0] == TOOL_LINE)
        {
            // The cross: black at the hot spot, white beside its lines, transparent in the corner.
            // Monochrome, so the AND mask (2 when set) lies over the XOR mask (1), 32 x 64.
            EXPECT_EQ(nullptr, info.hbmColor);
            HDC hdc = ::CreateCompatibleDC(NULL);
            HGDIOBJ hOld = ::SelectObject(hdc, info.hbmMask);
            auto bits = [&](int x, int y) { return (::GetPixel(hdc, x, y) & 2) + (::GetPixel(hdc, x, y + 32) & 1); };
            EXPECT_TRUE(bits(16, 16) == 0 && bits(16, 15) == 1 && bits(0, 0) == 2);
            ::SelectObject(hdc, hOld);
            ::DeleteDC(hdc);
        }
        ::DeleteObject(info.hbmColor);
        ::DeleteObject(info.hbmMask);
    }
}
