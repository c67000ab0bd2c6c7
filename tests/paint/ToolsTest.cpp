// The tools of the paint control: modes, mouse gestures of each kind of tool, Escape and the
// editing keys, the airbrush timer and the tool cursors.
#include "PaintFixture.h"
#include "resources/resource.h"

namespace
{
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kBlue = RGB(0, 0, 255);
}

class ToolsTest : public PaintFixture
{
protected:
    // Client point over image pixel (x, y) at 100 %: margins of 5, nothing scrolled.
    static CPoint At(int x, int y) { return CPoint(x + 5, y + 5); }

    void Click(CPoint pt)
    {
        LButtonDown(pt.x, pt.y);
        LButtonUp(pt.x, pt.y);
    }

    // Pixels of the image that are not cr.
    int CountOther(COLORREF cr)
    {
        int n = 0;
        CDIBSection* pImage = m_pCtrl->GetDIBsection();
        for (int y = 0; y < pImage->GetHeight(); y++)
            for (int x = 0; x < pImage->GetWidth(); x++)
                if (ImagePixel(x, y) != cr)
                    n++;
        return n;
    }

    int ImageChanges() const { return NotifyCount(CPntCtrl::m_nImageChangedMessage); }
};

TEST_F(ToolsTest, SelectToolForcesSelectionRectUntilAnotherToolIsChosen)
{
    m_pCtrl->SetShowSelectionRect(FALSE);
    m_pCtrl->SetToolMode(TOOL_SELECT);
    EXPECT_TRUE(m_pCtrl->GetShowSelectionRect());
    m_pCtrl->SetToolMode(TOOL_PEN);
    EXPECT_FALSE(m_pCtrl->GetShowSelectionRect());
    EXPECT_EQ(TOOL_PEN, m_pCtrl->GetToolMode());
    EXPECT_EQ(TOOL_SELECT, m_pCtrl->m_nPrevToolMode);
    EXPECT_EQ(2, NotifyCount(CPntCtrl::m_nModeChangeMessage));
    ASSERT_FALSE(StatusTexts().empty());
    EXPECT_EQ("Draws using a pen with the current width.", StatusTexts().back());
}

TEST_F(ToolsTest, PenStrokeFollowsMouseAndNotifiesEveryEvent)
{
    ASSERT_TRUE(GiveImage(60, 40));
    m_pCtrl->SetToolMode(TOOL_PEN);
    ClearRecords();

    Drag(At(10, 10), At(20, 20), { At(20, 10) });

    for (int i = 10; i <= 20; i++)
    {
        EXPECT_EQ(kBlack, ImagePixel(i, 10)) << i;
        EXPECT_EQ(kBlack, ImagePixel(20, i)) << i;
    }
    EXPECT_EQ(21, CountOther(kWhite));
    EXPECT_EQ(3, ImageChanges());   // button-down and two moves; button-up adds nothing
    EXPECT_EQ(1, m_pCtrl->GetUndoListSize());
    EXPECT_EQ(::GetCapture(), (HWND)NULL);

    EXPECT_TRUE(m_pCtrl->Undo());
    EXPECT_EQ(0, CountOther(kWhite));
}

TEST_F(ToolsTest, PressAtFourHundredPercentPaintsThePixelUnderTheMouse)
{
    ASSERT_TRUE(GiveImage(20, 20));
    m_pCtrl->SetMagnification(400);
    m_pCtrl->SetToolMode(TOOL_PEN);
    // Image pixel (7, 3) covers client x from int(7 * 4) + 5 = 33 to 36, y from 17 to 20.
    Click(CPoint(36, 17));
    EXPECT_EQ(kBlack, ImagePixel(7, 3));
    EXPECT_EQ(1, CountOther(kWhite));
}

TEST_F(ToolsTest, EraserLaysTransparentColourWhenOneIsSetElseEraseColour)
{
    ASSERT_TRUE(GiveImage(30, 20, 24, kBlack));
    m_pCtrl->SetToolMode(TOOL_ERASER);
    m_pCtrl->SetEraserWidth(1);
    m_pCtrl->SetEraseColor(kGreen);
    Click(At(5, 5));
    m_pCtrl->SetTransparentColor(kRed);
    Click(At(8, 8));
    EXPECT_EQ(kGreen, ImagePixel(5, 5));
    EXPECT_EQ(kRed, ImagePixel(8, 8));
    EXPECT_EQ(2, CountOther(kBlack));
}

TEST_F(ToolsTest, FloodFillActsOnceAtButtonDown)
{
    ASSERT_TRUE(GiveImage(40, 30));
    m_pCtrl->GetDIBsection()->DrawLine(CPoint(20, 0), CPoint(20, 29), 1, kBlack);
    m_pCtrl->SetFillColor(kBlue);
    m_pCtrl->SetToolMode(TOOL_FLOODFILL);
    ClearRecords();

    LButtonDown(At(5, 5).x, At(5, 5).y);
    EXPECT_EQ(1, ImageChanges());
    MouseMove(At(30, 5).x, At(30, 5).y);
    LButtonUp(At(30, 5).x, At(30, 5).y);

    EXPECT_EQ(1, ImageChanges());
    EXPECT_EQ(kBlue, ImagePixel(0, 0));
    EXPECT_EQ(kBlue, ImagePixel(19, 29));
    EXPECT_EQ(kBlack, ImagePixel(20, 15));
    EXPECT_EQ(kWhite, ImagePixel(21, 0));
    EXPECT_EQ(kWhite, ImagePixel(39, 29));
}

TEST_F(ToolsTest, RectangleRubberBandsAndIsPlacedOnceAtButtonUp)
{
    ASSERT_TRUE(GiveImage(60, 40));
    m_pCtrl->SetToolMode(TOOL_RECTANGLE);
    ClearRecords();

    LButtonDown(At(5, 5).x, At(5, 5).y);
    MouseMove(At(30, 20).x, At(30, 20).y);
    EXPECT_EQ(kBlack, ImagePixel(30, 20));
    MouseMove(At(15, 12).x, At(15, 12).y);
    EXPECT_EQ(kWhite, ImagePixel(30, 20));   // the earlier figure is gone
    EXPECT_EQ(0, ImageChanges());
    LButtonUp(At(15, 12).x, At(15, 12).y);

    EXPECT_EQ(1, ImageChanges());
    EXPECT_EQ(1, m_pCtrl->GetUndoListSize());
    EXPECT_TRUE(m_pCtrl->m_pSavedState == NULL);
    // The outline of the 11 x 8 block from (5, 5) to (15, 12) inclusive.
    EXPECT_EQ(2 * 11 + 2 * 6, CountOther(kWhite));
    for (CPoint pt : { CPoint(5, 5), CPoint(15, 5), CPoint(5, 12), CPoint(15, 12), CPoint(10, 12) })
        EXPECT_EQ(kBlack, ImagePixel(pt.x, pt.y)) << pt.x << "," << pt.y;
    EXPECT_EQ(kWhite, ImagePixel(10, 8));

    EXPECT_TRUE(m_pCtrl->Undo());
    EXPECT_EQ(0, CountOther(kWhite));
}

TEST_F(ToolsTest, FilledShapesUseTheDrawColourOnly)
{
    ASSERT_TRUE(GiveImage(40, 40));
    m_pCtrl->SetDrawColor(kRed);
    m_pCtrl->SetFillColor(kBlue);
    m_pCtrl->SetToolMode(TOOL_FILLEDELLIPSE);
    Drag(At(10, 10), At(30, 30));
    EXPECT_EQ(kRed, ImagePixel(20, 20));
    EXPECT_EQ(kWhite, ImagePixel(10, 10));   // the corner lies outside the ellipse
    int nRed = 40 * 40 - CountOther(kRed);
    EXPECT_EQ(nRed, CountOther(kWhite));      // every painted pixel is red
}

TEST_F(ToolsTest, EscapeDuringShapeDragRemovesFigureAndIgnoresTheRest)
{
    ASSERT_TRUE(GiveImage(60, 40));
    m_pCtrl->SetToolMode(TOOL_RECTANGLE);
    ClearRecords();

    LButtonDown(At(5, 5).x, At(5, 5).y);
    MouseMove(At(20, 20).x, At(20, 20).y);
    ASSERT_NE(0, CountOther(kWhite));
    Char(VK_ESCAPE);
    EXPECT_EQ(0, CountOther(kWhite));
    MouseMove(At(25, 25).x, At(25, 25).y);
    LButtonUp(At(25, 25).x, At(25, 25).y);

    EXPECT_EQ(0, CountOther(kWhite));
    EXPECT_EQ(0, ImageChanges());
    EXPECT_EQ(0, m_pCtrl->GetUndoListSize());
    EXPECT_FALSE(m_pCtrl->m_bCancelled);   // the next press starts afresh
}

TEST_F(ToolsTest, EscapeWithPenAndNoButtonDownUndoesTheLastChange)
{
    ASSERT_TRUE(GiveImage(30, 20));
    m_pCtrl->SetToolMode(TOOL_PEN);
    Click(At(5, 5));
    ASSERT_EQ(kBlack, ImagePixel(5, 5));
    Char(VK_ESCAPE);
    EXPECT_EQ(kWhite, ImagePixel(5, 5));
    EXPECT_TRUE(m_pCtrl->CanRedo());
}

TEST_F(ToolsTest, SamplersPickColoursAndReturnToThePreviousTool)
{
    ASSERT_TRUE(GiveImage(30, 20));
    m_pCtrl->GetDIBsection()->SetPixel(7, 7, kRed);
    m_pCtrl->GetDIBsection()->SetPixel(9, 3, kGreen);
    m_pCtrl->SetToolMode(TOOL_PEN);
    m_pCtrl->SetToolMode(TOOL_COLOURSAMPLER);
    ClearRecords();

    Click(At(7, 7));
    EXPECT_EQ(kRed, m_pCtrl->GetDrawColor());
    EXPECT_EQ(kRed, m_pCtrl->GetFillColor());
    EXPECT_EQ(TOOL_PEN, m_pCtrl->GetToolMode());
    EXPECT_EQ((std::vector<UINT>{ CPntCtrl::m_nColourSamplerMessage, CPntCtrl::m_nModeChangeMessage }),
              m_pFrame->Codes());
    EXPECT_EQ(0, m_pCtrl->GetUndoListSize());

    m_pCtrl->SetToolMode(TOOL_TRANSCOLOURSAMPLER);
    Click(At(9, 3));
    EXPECT_EQ(kGreen, m_pCtrl->GetTransparentColor());
    EXPECT_EQ(kRed, m_pCtrl->GetDrawColor());
    EXPECT_EQ(TOOL_PEN, m_pCtrl->GetToolMode());
}

TEST_F(ToolsTest, MagnifyClicksStepThroughThePresetLevels)
{
    ASSERT_TRUE(GiveImage(20, 20));
    m_pCtrl->SetToolMode(TOOL_MAGNIFY);
    ClearRecords();

    for (UINT nLevel : { 200u, 300u, 400u, 500u, 600u, 600u })
    {
        Click(At(1, 1));
        EXPECT_EQ(nLevel, m_pCtrl->GetMagnification());
    }
    EXPECT_EQ(5, NotifyCount(CPntCtrl::m_nMagnificationChangedMessage));

    SetKeyState(VK_MENU, true);
    Click(At(1, 1));
    EXPECT_EQ(500u, m_pCtrl->GetMagnification());
    SetKeyState(VK_MENU, false);

    for (UINT nLevel : { 400u, 300u, 200u, 100u, 50u, 10u, 10u })
    {
        RButtonUp(10, 10);
        EXPECT_EQ(nLevel, m_pCtrl->GetMagnification());
    }
    EXPECT_EQ(0, CountOther(kWhite));
}

TEST_F(ToolsTest, AirbrushSpraysAroundTheCursorUntilButtonUp)
{
    ASSERT_TRUE(GiveImage(60, 40));
    m_pCtrl->SetPenWidth(2);   // spray radius 8
    m_pCtrl->SetToolMode(TOOL_AIRBRUSH);
    // The timer sprays where the cursor is: put it over image pixel (30, 20).
    CPoint ptClient = At(30, 20);
    CPoint ptScreen = ptClient;
    m_pCtrl->ClientToScreen(&ptScreen);
    ASSERT_TRUE(::SetCursorPos(ptScreen.x, ptScreen.y));
    PumpMessages();
    ClearRecords();

    LButtonDown(ptClient.x, ptClient.y);
    EXPECT_EQ(0, CountOther(kWhite));   // nothing before the first tick
    EXPECT_EQ(1, m_pCtrl->GetUndoListSize());
    ASSERT_TRUE(PumpUntil([&] { return CountOther(kWhite) > 0; }, 3000));
    LButtonUp(ptClient.x, ptClient.y);
    EXPECT_GE(ImageChanges(), 1);

    for (int y = 0; y < 40; y++)
        for (int x = 0; x < 60; x++)
        {
            COLORREF cr = ImagePixel(x, y);
            if (cr == kWhite)
                continue;
            EXPECT_EQ(kBlack, cr);
            EXPECT_LT((x - 30) * (x - 30) + (y - 20) * (y - 20), 8 * 8) << x << "," << y;
        }

    // The timer is gone with the button.
    int nPainted = CountOther(kWhite);
    PumpFor(100);
    EXPECT_EQ(nPainted, CountOther(kWhite));
}

TEST_F(ToolsTest, NothingIsDrawnWithoutImageDrawingToolOrEditing)
{
    CPoint pt(3, 3);
    m_pCtrl->SetToolMode(TOOL_PEN);
    EXPECT_FALSE(m_pCtrl->DoDrawShape(pt, pt));
    EXPECT_FALSE(m_pCtrl->SprayAirBrush(pt, 4));

    ASSERT_TRUE(GiveImage(30, 20));
    EXPECT_FALSE(m_pCtrl->SprayAirBrush(pt, 0));
    m_pCtrl->SetToolMode(TOOL_AIRBRUSH);
    EXPECT_FALSE(m_pCtrl->DoDrawShape(pt, pt));

    m_pCtrl->SetToolMode(TOOL_PEN);
    m_pCtrl->SetDisplayOnly(TRUE);
    ClearRecords();
    Drag(At(2, 2), At(10, 10));
    EXPECT_EQ(0, CountOther(kWhite));
    EXPECT_EQ(0, ImageChanges());
    EXPECT_EQ(0, m_pCtrl->GetUndoListSize());
}

TEST_F(ToolsTest, DeleteClearsTheSelectionExceptWithTheTextTool)
{
    ASSERT_TRUE(GiveImage(30, 20, 24, kBlack));
    m_pCtrl->SetEraseColor(kWhite);
    m_pCtrl->SetToolMode(TOOL_PEN);
    CRect rcSel(2, 2, 6, 5);
    m_pCtrl->SetSelectionRect(&rcSel, FALSE);
    ClearRecords();

    KeyDown(VK_DELETE);
    EXPECT_EQ(4 * 3, CountOther(kBlack));
    EXPECT_EQ(kWhite, ImagePixel(2, 2));
    EXPECT_EQ(kWhite, ImagePixel(5, 4));
    EXPECT_EQ(kBlack, ImagePixel(6, 4));
    EXPECT_EQ(CRect(0, 0, 30, 20), m_pCtrl->m_rcSelection);
    EXPECT_EQ(1, ImageChanges());
    EXPECT_TRUE(m_pCtrl->CanUndo());

    m_pCtrl->SetToolMode(TOOL_TEXT);
    KeyDown(VK_DELETE);
    EXPECT_EQ(4 * 3, CountOther(kBlack));
}

TEST_F(ToolsTest, CtrlZAndCtrlYUndoAndRedo)
{
    ASSERT_TRUE(GiveImage(30, 20));
    m_pCtrl->SetToolMode(TOOL_PEN);
    Click(At(5, 5));

    KeyDown('Z');   // without Ctrl: nothing
    EXPECT_EQ(kBlack, ImagePixel(5, 5));
    SetKeyState(VK_CONTROL, true);
    KeyDown('Z');
    EXPECT_EQ(kWhite, ImagePixel(5, 5));
    KeyDown('Y');
    EXPECT_EQ(kBlack, ImagePixel(5, 5));

    LRESULT nCode = m_pCtrl->SendMessage(WM_GETDLGCODE);
    EXPECT_EQ(DLGC_WANTALLKEYS, nCode & DLGC_WANTALLKEYS);
}

TEST_F(ToolsTest, ToolCursorsAreTheLibrarysWithTheirHotSpots)
{
    struct Expected
    {
        HCURSOR hCursor;
        int x, y;
    } cursors[] = {
        { m_pCtrl->m_hcurCross, 16, 16 }, { m_pCtrl->m_hcurSampler, 8, 23 },
        { m_pCtrl->m_hcurPen, 13, 24 },   { m_pCtrl->m_hcurMagnify, 14, 13 },
        { m_pCtrl->m_hcurAirBrush, 7, 22 }, { m_pCtrl->m_hcurFloodFill, 8, 22 },
        { m_pCtrl->m_hcurEraser, 8, 19 },
    };
    for (const Expected& e : cursors)
    {
        ASSERT_TRUE(e.hCursor != NULL);
        ICONINFO info = {};
        ASSERT_TRUE(::GetIconInfo(e.hCursor, &info));
        EXPECT_FALSE(info.fIcon);
        EXPECT_EQ((DWORD)e.x, info.xHotspot);
        EXPECT_EQ((DWORD)e.y, info.yHotspot);
        if (info.hbmColor != NULL)
            ::DeleteObject(info.hbmColor);
        ::DeleteObject(info.hbmMask);
    }

    // The cross: black at the hot spot, white beside its lines, transparent in the corner.
    ICONINFO info = {};
    ASSERT_TRUE(::GetIconInfo(m_pCtrl->m_hcurCross, &info));
    ASSERT_TRUE(info.hbmColor == NULL);   // monochrome: AND mask over XOR mask, 32 x 64
    HDC hdc = ::CreateCompatibleDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hdc, info.hbmMask);
    auto andBit = [&](int x, int y) { return ::GetPixel(hdc, x, y) == kWhite; };
    auto xorBit = [&](int x, int y) { return ::GetPixel(hdc, x, y + 32) == kWhite; };
    EXPECT_FALSE(andBit(16, 16));
    EXPECT_FALSE(xorBit(16, 16));
    EXPECT_FALSE(andBit(16, 15));
    EXPECT_TRUE(xorBit(16, 15));
    EXPECT_TRUE(andBit(0, 0));
    EXPECT_FALSE(xorBit(0, 0));
    ::SelectObject(hdc, hOld);
    ::DeleteDC(hdc);
    ::DeleteObject(info.hbmMask);
}

TEST_F(ToolsTest, SetCursorShowsTheToolsCursorInTheClientArea)
{
    const LPARAM lClient = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);
    WPARAM wSelf = (WPARAM)m_pCtrl->m_hWnd;

    m_pCtrl->SetToolMode(TOOL_PEN);
    EXPECT_TRUE(m_pCtrl->SendMessage(WM_SETCURSOR, wSelf, lClient));
    EXPECT_EQ(m_pCtrl->m_hcurPen, ::GetCursor());

    m_pCtrl->SetToolMode(TOOL_FILLEDROUNDRECT);
    m_pCtrl->SendMessage(WM_SETCURSOR, wSelf, lClient);
    EXPECT_EQ(m_pCtrl->m_hcurCross, ::GetCursor());

    m_pCtrl->SetToolMode(TOOL_COLOURSAMPLER);
    m_pCtrl->SendMessage(WM_SETCURSOR, wSelf, MAKELPARAM(HTBORDER, WM_MOUSEMOVE));
    EXPECT_NE(m_pCtrl->m_hcurSampler, ::GetCursor());
    m_pCtrl->SendMessage(WM_SETCURSOR, wSelf, lClient);
    EXPECT_EQ(m_pCtrl->m_hcurSampler, ::GetCursor());

    m_pCtrl->SetToolMode(TOOL_NONE);
    m_pCtrl->SendMessage(WM_SETCURSOR, wSelf, lClient);
    EXPECT_EQ(::LoadCursor(NULL, IDC_ARROW), ::GetCursor());
}
