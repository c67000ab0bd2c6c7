// Gestures that lose the mouse before their button-up: another window takes the capture,
// WM_CANCELMODE arrives, the control is disabled or destroyed, or the button is released
// outside the control. Each ends as a button-up at the last point would: the work stays as one
// undo step, the airbrush stops and the editing keys work at once. Escape still cancels.
// Also the context-menu hook and typing over the control with the text tool.
#include "PaintFixture.h"
#include "common/UserInput.h"
#include "resources/resource.h"

namespace
{
// Another window of the test's thread. A message posted to it runs an action inside whatever
// loop dispatches it, such as the tracking loop of the selection or the text box.
class CHelperWnd : public CWnd
{
public:
    static constexpr UINT kRunAction = WM_APP + 7;
    std::function<void()> m_action;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == kRunAction)
        {
            if (m_action)
                m_action();
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// Ends a tracking loop that would otherwise wait for ever; the tests never need it.
void CALLBACK TrackingWatchdog(HWND, UINT, UINT_PTR, DWORD)
{
    ::ReleaseCapture();
}

// The control with its context-menu hook recorded.
class CContextMenuCtrl : public CPntCtrl
{
public:
    std::vector<CPoint> m_points;

protected:
    void OnRightMouseButton(CPoint point) override { m_points.push_back(point); }
};

}

class GestureEndTest : public PaintFixture
{
protected:
    void SetUp() override
    {
        PaintFixture::SetUp();
        WNDCLASS wc = {};
        wc.lpfnWndProc = ::DefWindowProc;
        wc.hInstance = AfxGetInstanceHandle();
        wc.lpszClassName = _T("GestureEndHelperWindow");
        AfxRegisterClass(&wc);
        ASSERT_TRUE(m_helper.CreateEx(0, wc.lpszClassName, _T("helper"), WS_CHILD, CRect(0, 0, 4, 4), m_pFrame, 77));
    }
    void TearDown() override
    {
        if (::GetCapture() != NULL)
            ::ReleaseCapture();
        if (::IsWindow(m_helper.m_hWnd))
            m_helper.DestroyWindow();
        PaintFixture::TearDown();
    }

    // A 60 x 40 white image and the tool, with the frame's records cleared.
    void Start(int nTool)
    {
        ASSERT_TRUE(GiveImage(60, 40));
        m_pCtrl->SetToolMode(nTool);
        ClearRecords();
    }
    imagetest::Bytes Shown() { return imagetest::Bits(*m_pCtrl->GetDIBsection()); }
    CRect Selection()
    {
        CRect rc;
        m_pCtrl->GetSelectionRect(&rc);
        return rc;
    }
    void CtrlKey(UINT nKey)
    {
        SetKeyState(VK_CONTROL, true);
        KeyDown(nKey);
        SetKeyState(VK_CONTROL, false);
    }
    void Escape() { m_pCtrl->SendMessage(WM_CHAR, VK_ESCAPE, 1); }

    // The airbrush sprays where the cursor is: puts it over image pixel pt and presses there,
    // then waits for the first dots.
    void StartSpraying(CPoint pt)
    {
        CPoint ptScreen = At(pt.x, pt.y);
        m_pCtrl->ClientToScreen(&ptScreen);
        ASSERT_TRUE(::SetCursorPos(ptScreen.x, ptScreen.y));
        PumpMessages();
        Down(At(pt.x, pt.y));
        // Should anything move the cursor meanwhile (an earlier test warped it outside the
        // control), it is put back until the first dots show.
        ASSERT_TRUE(PumpUntil([&] {
            POINT ptCursor;
            if (::GetCursorPos(&ptCursor) && CPoint(ptCursor) != ptScreen)
                ::SetCursorPos(ptScreen.x, ptScreen.y);
            return PixelsOtherThan(kWhite) > 0;
        }, 3000));
    }
    // Pumps messages for a while, long enough for the airbrush timer (1 ms) to tick many times.
    void PumpForAWhile() { PumpUntil([] { return false; }, 300); }

    // For a tracking loop: the moves, then the action inside the loop, and no button-up.
    void PressDragAndThen(CPoint ptPress, const std::vector<CPoint>& path, std::function<void()> action)
    {
        m_helper.m_action = std::move(action);
        for (const CPoint& pt : path)
            m_pCtrl->PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM((WORD)pt.x, (WORD)pt.y));
        m_helper.PostMessage(CHelperWnd::kRunAction);
        UINT_PTR nTimer = ::SetTimer(NULL, 0, 5000, TrackingWatchdog);
        Down(ptPress);
        ::KillTimer(NULL, nTimer);
        PumpMessages();
    }

    // The ways of losing the mouse, each done to the control from outside.
    void TakeCaptureAway() { m_helper.SetCapture(); }
    void SendCancelMode() { m_pCtrl->SendMessage(WM_CANCELMODE); }
    void Disable() { m_pCtrl->EnableWindow(FALSE); }

    CHelperWnd m_helper;
};

TEST_F(GestureEndTest, PenStrokeEndsWhenAnotherWindowTakesTheMouse)
{
    Start(TOOL_PEN);
    Down(At(10, 10));
    Move(At(20, 10));
    Move(At(20, 20));
    TakeCaptureAway();
    EXPECT_EQ(m_helper.m_hWnd, ::GetCapture());
    ::ReleaseCapture();

    // The stroke as drawn up to the last point, as one undo step.
    EXPECT_EQ(21, PixelsOtherThan(kWhite));
    for (int i = 10; i <= 20; i++)
        EXPECT_TRUE(ImagePixel(i, 10) == kBlack && ImagePixel(20, i) == kBlack) << i;
    EXPECT_EQ(1, m_pCtrl->GetUndoListSize());
    // No button-up is needed before the keys work.
    CtrlKey('Z');
    EXPECT_EQ(0, PixelsOtherThan(kWhite));
    CtrlKey('Y');
    EXPECT_EQ(21, PixelsOtherThan(kWhite));
}

TEST_F(GestureEndTest, ShapePressedInsideAndReleasedOutsideBeforeAnyMoveIsPlaced)
{
    // Real input: a button-up goes to the window under the cursor unless the control holds
    // the mouse.
    Start(TOOL_FILLEDRECT);
    CRect rcWindow;
    m_pCtrl->GetWindowRect(&rcWindow);
    CPoint ptInside = At(10, 10);
    m_pCtrl->ClientToScreen(&ptInside);
    const CPoint ptOutside(rcWindow.right + 3, rcWindow.bottom + 3);
    ASSERT_NE(m_pCtrl->m_hWnd, ::WindowFromPoint(ptOutside));

    ASSERT_TRUE(::SetCursorPos(ptInside.x, ptInside.y));
    PumpMessages();
    testenv::MouseButtons(MOUSEEVENTF_LEFTDOWN);
    const bool bPressed = PumpUntil([&] { return ImagePixel(10, 10) == kBlack; }, 3000);
    ::SetCursorPos(ptOutside.x, ptOutside.y);
    testenv::MouseButtons(MOUSEEVENTF_LEFTUP);
    PumpUntil([] { return ::GetKeyState(VK_LBUTTON) >= 0; }, 3000);
    PumpMessages();
    ASSERT_TRUE(bPressed);

    // The block from the press to the point of release, cut at the image's edges.
    EXPECT_NE(m_pCtrl->m_hWnd, ::GetCapture());
    EXPECT_EQ(50 * 30, PixelsOtherThan(kWhite));
    EXPECT_EQ(kBlack, ImagePixel(10, 10));
    EXPECT_EQ(kBlack, ImagePixel(59, 39));
    EXPECT_EQ(nullptr, m_pCtrl->m_pSavedState);
    EXPECT_EQ(1, m_pCtrl->GetUndoListSize());
    CtrlKey('Z');
    EXPECT_EQ(0, PixelsOtherThan(kWhite));
}

TEST_F(GestureEndTest, AirbrushStopsWhenTheGestureLosesTheMouse)
{
    struct Way
    {
        const char* name;
        std::function<void()> lose;
    } ways[] = {
        { "WM_CANCELMODE", [&] { SendCancelMode(); } },
        { "disabled", [&] { Disable(); } },
        { "another window takes the mouse", [&] { TakeCaptureAway(); } },
    };
    m_pCtrl->SetPenWidth(2);
    for (const Way& way : ways)
    {
        SCOPED_TRACE(way.name);
        Start(TOOL_AIRBRUSH);
        StartSpraying(CPoint(30, 20));
        way.lose();
        ::ReleaseCapture();
        m_pCtrl->EnableWindow(TRUE);

        // Nothing more is sprayed and the owner hears of no change any more.
        const imagetest::Bytes sprayed = Shown();
        const int nNotified = ImageChanges();
        PumpForAWhile();
        EXPECT_EQ(nNotified, ImageChanges());
        EXPECT_EQ(sprayed, Shown());

        // The spray is one undo step, and Ctrl+Z takes it back at once.
        EXPECT_EQ(1, m_pCtrl->GetUndoListSize());
        CtrlKey('Z');
        EXPECT_EQ(0, PixelsOtherThan(kWhite));
        Up(At(30, 20));   // a late button-up changes nothing
        EXPECT_EQ(0, PixelsOtherThan(kWhite));
    }
}

TEST_F(GestureEndTest, DestroyingTheControlMidSprayKeepsTheSprayAndStopsTheTimer)
{
    m_pCtrl->SetPenWidth(2);
    Start(TOOL_AIRBRUSH);
    StartSpraying(CPoint(30, 20));
    ASSERT_TRUE(m_pCtrl->DestroyWindow());
    const imagetest::Bytes sprayed = Shown();
    const int nNotified = ImageChanges();
    PumpForAWhile();
    EXPECT_EQ(nNotified, ImageChanges());
    EXPECT_EQ(sprayed, Shown());
    EXPECT_NE(0, PixelsOtherThan(kWhite));
    EXPECT_EQ(1, m_pCtrl->GetUndoListSize());
    EXPECT_TRUE(m_pCtrl->Undo());
    EXPECT_EQ(0, PixelsOtherThan(kWhite));
}

TEST_F(GestureEndTest, EscapeWithTheAirbrushUndoesTheSprayInProgressOnly)
{
    m_pCtrl->SetPenWidth(2);
    Start(TOOL_AIRBRUSH);
    StartSpraying(CPoint(30, 20));
    Escape();
    // The spray in progress is gone, and the timer with it.
    EXPECT_EQ(0, PixelsOtherThan(kWhite));
    const int nNotified = ImageChanges();
    PumpForAWhile();
    EXPECT_EQ(nNotified, ImageChanges());
    EXPECT_EQ(0, PixelsOtherThan(kWhite));
    Move(At(35, 25));
    Up(At(35, 25));
    EXPECT_EQ(0, PixelsOtherThan(kWhite));

    // Without a button down Escape takes nothing back: the finished spray stays.
    StartSpraying(CPoint(20, 15));
    Up(At(20, 15));
    const imagetest::Bytes sprayed = Shown();
    ASSERT_NE(0, PixelsOtherThan(kWhite));
    Escape();
    EXPECT_EQ(sprayed, Shown());
    EXPECT_TRUE(m_pCtrl->CanUndo());
}

TEST_F(GestureEndTest, ShapeIsPlacedAtTheLastPointWhenAnotherWindowTakesTheMouse)
{
    Start(TOOL_FILLEDRECT);
    Down(At(5, 5));
    Move(At(30, 20));
    Move(At(15, 12));
    TakeCaptureAway();
    ::ReleaseCapture();

    // The block from (5, 5) to (15, 12) inclusive, placed once with its undo step.
    EXPECT_EQ(11 * 8, PixelsOtherThan(kWhite));
    for (CPoint pt : { CPoint(5, 5), CPoint(15, 5), CPoint(5, 12), CPoint(15, 12), CPoint(10, 8) })
        EXPECT_EQ(kBlack, ImagePixel(pt.x, pt.y)) << pt.x << "," << pt.y;
    EXPECT_EQ(nullptr, m_pCtrl->m_pSavedState);
    EXPECT_EQ(1, ImageChanges());
    EXPECT_EQ(1, m_pCtrl->GetUndoListSize());
    CtrlKey('Z');
    EXPECT_EQ(0, PixelsOtherThan(kWhite));
    CtrlKey('Y');
    EXPECT_EQ(11 * 8, PixelsOtherThan(kWhite));

    // The next shape's undo step holds the first block as placed, and the first block has
    // its own step before it.
    Drag(At(40, 25), At(50, 30));
    EXPECT_EQ(11 * 8 + 11 * 6, PixelsOtherThan(kWhite));
    EXPECT_TRUE(m_pCtrl->Undo());
    EXPECT_EQ(11 * 8, PixelsOtherThan(kWhite));
    EXPECT_EQ(kBlack, ImagePixel(15, 12));
    EXPECT_TRUE(m_pCtrl->Undo());
    EXPECT_EQ(0, PixelsOtherThan(kWhite));
}

TEST_F(GestureEndTest, ShapeIsPlacedWhenTheControlIsDisabledOrDestroyed)
{
    Start(TOOL_FILLEDRECT);
    Down(At(5, 5));
    Move(At(15, 12));
    Disable();
    m_pCtrl->EnableWindow(TRUE);
    EXPECT_EQ(11 * 8, PixelsOtherThan(kWhite));
    EXPECT_EQ(nullptr, m_pCtrl->m_pSavedState);
    EXPECT_EQ(1, m_pCtrl->GetUndoListSize());
    CtrlKey('Z');
    EXPECT_EQ(0, PixelsOtherThan(kWhite));

    Start(TOOL_FILLEDRECT);
    Down(At(20, 20));
    Move(At(25, 30));
    ASSERT_TRUE(m_pCtrl->DestroyWindow());
    // No snapshot is left behind; the figure stays as one step.
    EXPECT_EQ(nullptr, m_pCtrl->m_pSavedState);
    EXPECT_EQ(6 * 11, PixelsOtherThan(kWhite));
    EXPECT_EQ(kBlack, ImagePixel(25, 30));
    EXPECT_EQ(1, m_pCtrl->GetUndoListSize());
    EXPECT_TRUE(m_pCtrl->Undo());
    EXPECT_EQ(0, PixelsOtherThan(kWhite));
}

TEST_F(GestureEndTest, EscapeStillCancelsAShapeWhenItGivesUpTheMouse)
{
    Start(TOOL_RECTANGLE);
    Down(At(5, 5));
    Move(At(20, 20));
    Escape();
    // Nothing was placed at the last point, and no step recorded.
    EXPECT_EQ(0, PixelsOtherThan(kWhite));
    EXPECT_EQ(0, m_pCtrl->GetUndoListSize());
    EXPECT_NE(m_pCtrl->m_hWnd, ::GetCapture());
    EXPECT_EQ(nullptr, m_pCtrl->m_pSavedState);
    Up(At(20, 20));
    EXPECT_EQ(0, PixelsOtherThan(kWhite));
    EXPECT_EQ(0, ImageChanges());
}

class GestureEndSelectTest : public GestureEndTest
{
protected:
    // A 60 x 40 white image with a red block (10, 10)-(20, 20), selected with the select tool.
    void Prepare()
    {
        ASSERT_TRUE(GiveImage(60, 40));
        m_pCtrl->GetDIBsection()->ClearRect(CRect(10, 10, 20, 20), kRed);
        m_pCtrl->SetToolMode(TOOL_SELECT);
        PressAndDrag(At(10, 10), { At(15, 15), At(20, 20) });
        ASSERT_EQ(CRect(10, 10, 20, 20), Selection());
        m_before = Shown();
        ClearRecords();
    }
    // The block is red at rc and nowhere else.
    void ExpectBlockAt(CRect rc)
    {
        EXPECT_EQ(rc.Width() * rc.Height(), PixelsOtherThan(kWhite));
        for (int y = 0; y < 40; y++)
            for (int x = 0; x < 60; x++)
                if (rc.PtInRect(CPoint(x, y)))
                {
                    ASSERT_EQ(kRed, ImagePixel(x, y)) << x << "," << y;
                }
    }
    imagetest::Bytes m_before;
};

TEST_F(GestureEndSelectTest, DragMoveIsDroppedAtTheLastPointWhenTrackingLosesTheMouse)
{
    struct Way
    {
        const char* name;
        std::function<void()> lose;
    } ways[] = {
        { "another window takes the mouse", [&] { TakeCaptureAway(); } },
        { "WM_CANCELMODE", [&] { SendCancelMode(); } },
        { "disabled", [&] { Disable(); } },
    };
    for (const Way& way : ways)
    {
        SCOPED_TRACE(way.name);
        Prepare();
        PressDragAndThen(At(15, 15), { At(20, 18), At(30, 22) }, way.lose);
        ::ReleaseCapture();
        m_pCtrl->EnableWindow(TRUE);

        // Dropped where the mouse last was, (15, 7) further on, as one undo step.
        ExpectBlockAt(CRect(25, 17, 35, 27));
        EXPECT_EQ(CRect(25, 17, 35, 27), Selection());
        EXPECT_EQ(TOOL_SELECT, m_pCtrl->GetToolMode());
        EXPECT_EQ(nullptr, m_pCtrl->m_pSavedState);
        EXPECT_EQ(1, ImageChanges());
        EXPECT_EQ(1, m_pCtrl->GetUndoListSize());
        CtrlKey('Z');
        EXPECT_EQ(m_before, Shown());
    }

    // Lost before any move: the piece is dropped where it was.
    Prepare();
    PressDragAndThen(At(15, 15), {}, [&] { TakeCaptureAway(); });
    ::ReleaseCapture();
    ExpectBlockAt(CRect(10, 10, 20, 20));
    EXPECT_EQ(TOOL_SELECT, m_pCtrl->GetToolMode());
    EXPECT_EQ(nullptr, m_pCtrl->m_pSavedState);
}

TEST_F(GestureEndTest, TextBoxDragIsDroppedAtTheLastPointWhenTrackingLosesTheMouse)
{
    AfxGetApp()->SetRegistryKey(_T("MfcPaintTextBarTests"));
    ASSERT_TRUE(GiveImage(80, 60));
    const imagetest::Bytes blank = Shown();
    m_pCtrl->SetToolMode(TOOL_TEXT);
    m_pCtrl->SetDrawColor(kBlack);
    PressAndDrag(At(5, 5), { At(30, 20), At(60, 40) });
    ASSERT_EQ(CRect(5, 5, 60, 40), Selection());
    m_pCtrl->SetUserText(_T("Hi"));
    ASSERT_NE(blank, Shown());

    PressDragAndThen(At(20, 20), { At(25, 22), At(30, 25) }, [&] { TakeCaptureAway(); });
    ::ReleaseCapture();

    // The text in the box moved by (10, 5), drawn once as the newest undo step.
    const CRect rcMoved(15, 10, 70, 45);
    EXPECT_EQ(rcMoved, Selection());
    CDIBSection expected;
    ASSERT_TRUE(expected.Copy(*m_pCtrl->GetDIBsection()));
    ASSERT_TRUE(expected.Clear(kWhite));
    expected.DrawText(_T("Hi"), rcMoved, m_pCtrl->GetTextFormat(), kBlack, m_pCtrl->GetTextFont());
    EXPECT_EQ(imagetest::Bits(expected), Shown());
    EXPECT_EQ(nullptr, m_pCtrl->m_pSavedState);
    EXPECT_EQ(1, m_pCtrl->GetUndoListSize());
    EXPECT_TRUE(m_pCtrl->Undo());
    EXPECT_EQ(blank, Shown());
}

TEST_F(GestureEndTest, TypingOverTheControlWithTheTextToolReachesTheText)
{
    AfxGetApp()->SetRegistryKey(_T("MfcPaintTextBarTests"));
    AfxGetApp()->WriteProfileString(_T("Text Tool"), NULL, NULL);   // left alignment
    ASSERT_TRUE(GiveImage(80, 60));
    m_pCtrl->SetToolMode(TOOL_TEXT);
    m_pCtrl->SetDrawColor(kBlack);
    PressAndDrag(At(5, 5), { At(30, 20), At(60, 40) });
    ASSERT_EQ(CRect(5, 5, 60, 40), Selection());
    CWnd* pEdit = m_pCtrl->m_TextFmtBar.GetDlgItem(IDC_PNT_TEXT_EDITLEFT);
    ASSERT_TRUE(pEdit != NULL);

    // Characters, then keys: one left, Delete takes the "i", and one more character.
    for (LPCTSTR p = _T("Hi"); *p != 0; p++)
        m_pCtrl->SendMessage(WM_CHAR, (WPARAM)*p, 1);
    KeyDown(VK_LEFT);
    KeyDown(VK_DELETE);
    m_pCtrl->SendMessage(WM_CHAR, (WPARAM)_T('a'), 1);

    CString strEdit;
    pEdit->GetWindowText(strEdit);
    EXPECT_EQ(CString(_T("Ha")), strEdit);
    EXPECT_STREQ(_T("Ha"), m_pCtrl->GetUserText());
    CDIBSection expected;
    ASSERT_TRUE(expected.Copy(*m_pCtrl->GetDIBsection()));
    ASSERT_TRUE(expected.Clear(kWhite));
    expected.DrawText(_T("Ha"), CRect(5, 5, 60, 40), m_pCtrl->GetTextFormat(), kBlack, m_pCtrl->GetTextFont());
    EXPECT_EQ(imagetest::Bits(expected), Shown());
    EXPECT_NE(0, PixelsOtherThan(kWhite));
}

TEST_F(GestureEndTest, ContextMenuHookGetsTheScreenPoint)
{
    CContextMenuCtrl ctrl;
    ASSERT_TRUE(ctrl.Create(CRect(20, 20, 220, 170), m_pFrame, kCtrlId + 1));

    // A context menu asked for at a screen point, left of the screen too.
    ctrl.SendMessage(WM_CONTEXTMENU, (WPARAM)ctrl.m_hWnd, MAKELPARAM((WORD)-20, (WORD)300));
    // A right click: the default handling of the button-up asks for the menu where it was.
    ctrl.SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(30, 40));
    CPoint ptClick(30, 40);
    ctrl.ClientToScreen(&ptClick);
    ctrl.DestroyWindow();

    ASSERT_EQ(2u, ctrl.m_points.size());
    EXPECT_EQ(CPoint(-20, 300), ctrl.m_points[0]);
    EXPECT_EQ(ptClick, ctrl.m_points[1]);
}
