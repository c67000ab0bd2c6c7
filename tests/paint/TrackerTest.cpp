// The selection tracker: what a press grabs, snapping and clamping of the tracked selection,
// the mouse kept near the image, the feedback frame's thickness and the selection's drawing.
// The control's press runs the modal loop, so the moves and the button-up are posted first.
#include "PaintFixture.h"
#include "paint/PntRectTracker.h"
#include "common/UserInput.h"

namespace
{
// The tracker with its protected parts opened to the tests.
class CProbeTracker : public CPntRectTracker
{
public:
    using CPntRectTracker::CPntRectTracker;
    using CPntRectTracker::DrawTrackerRect, CPntRectTracker::AdjustRect, CPntRectTracker::Finalise;
    CSize LastSize() const { return m_sizeLast; }
};

const COLORREF kCanvas = RGB(0, 160, 0);

// Set by a timer while the tracking loop runs: the button still held and the control holding
// the mouse.
bool s_bTimerRanInTheLoop = false;
HWND s_hTracking = NULL;
void CALLBACK NoteTimerInTheLoop(HWND, UINT, UINT_PTR nTimer, DWORD)
{
    ::KillTimer(NULL, nTimer);
    s_bTimerRanInTheLoop = ::GetCapture() == s_hTracking && ::GetKeyState(VK_LBUTTON) < 0;
}

// Lets the button go after a while from another thread, so that the drag ends in any case.
DWORD WINAPI ReleaseLater(LPVOID)
{
    ::Sleep(1500);
    testenv::MouseButtons(MOUSEEVENTF_LEFTUP);
    return 0;
}
}

class TrackerTest : public PaintFixture
{
protected:
    // A 40 x 30 image at nPercent (margins of 5, nothing scrolled), the select tool and rcSel.
    void Prepare(UINT nPercent, CRect rcSel)
    {
        ASSERT_TRUE(GiveImage(40, 30));
        m_pCtrl->SetToolMode(TOOL_SELECT);
        m_pCtrl->SetMagnification(nPercent);
        m_pCtrl->SetSelectionRect(&rcSel, FALSE);
        m_pCtrl->UpdateWindow();
        PumpMessages();
    }
    // Client point of image point (x, y) at magnification m.
    static CPoint Dev(int x, int y, double m) { return CPoint((int)(x * m) + 5, (int)(y * m) + 5); }
    CRect Selection()
    {
        CRect rc;
        m_pCtrl->GetSelectionRect(&rc);
        return rc;
    }
};

TEST_F(TrackerTest, PressOnWholeImageSelectionOrDisplayOnlyStartsNewSelection)
{
    Prepare(100, CRect(0, 0, 40, 30));
    EXPECT_EQ(-1, CPntRectTracker(m_pCtrl, At(20, 15)).GetHitTest());
    PressAndDrag(At(10, 10), { At(20, 18) });
    EXPECT_EQ(CRect(10, 10, 20, 18), Selection());

    CRect rcSel(10, 10, 20, 20);
    m_pCtrl->SetSelectionRect(&rcSel, FALSE);
    EXPECT_EQ(8, CPntRectTracker(m_pCtrl, At(15, 15)).GetHitTest());
    EXPECT_EQ(2, CPntRectTracker(m_pCtrl, At(20, 20) + CSize(2, 2)).GetHitTest());

    m_pCtrl->SetDisplayOnly(TRUE);
    EXPECT_EQ(-1, CPntRectTracker(m_pCtrl, At(15, 15)).GetHitTest());
    EXPECT_EQ(-1, CPntRectTracker(m_pCtrl, At(20, 20) + CSize(2, 2)).GetHitTest());
    PressAndDrag(At(15, 15), { At(25, 22) });
    EXPECT_EQ(CRect(15, 15, 25, 22), Selection());
    m_pCtrl->SetDisplayOnly(FALSE);
}

TEST_F(TrackerTest, HandleDraggedPastTheImageStopsAtItsEdge)
{
    for (double m : { 1.0, 2.5, 4.0 })
    {
        Prepare((UINT)(m * 100), CRect(10, 10, 20, 20));
        // The bottom-right handle lies outside the corner; the mouse leaves to the right.
        const CPoint ptHandle = Dev(20, 20, m) + CSize(2, 2);
        PressAndDrag(ptHandle, { CPoint(ptHandle.x + 100, ptHandle.y), CPoint(390, ptHandle.y) });
        EXPECT_EQ(CRect(10, 10, 40, 20), Selection()) << m;
    }
}

TEST_F(TrackerTest, MovedSelectionKeepsItsSizeAndMayLeaveTheImage)
{
    struct Row { double m; CSize move; } rows[] = { { 1.0, { 28, -3 } }, { 4.0, { 113, 7 } } };
    for (const Row& row : rows)
    {
        Prepare((UINT)(row.m * 100), CRect(10, 10, 18, 16));
        const CPoint ptPress = Dev(14, 13, row.m);
        PressAndDrag(ptPress, { ptPress + CSize(row.move.cx / 2, 0), ptPress + row.move });
        // The top-left corner lands in the image pixel under its new client position.
        const CPoint ptCorner = Dev(10, 10, row.m) + row.move;
        const int left = (int)((ptCorner.x - 5) / row.m), top = (int)((ptCorner.y - 5) / row.m);
        EXPECT_EQ(CRect(left, top, left + 8, top + 6), Selection()) << row.m;
        EXPECT_GT(Selection().right, 40) << row.m;
    }
}

TEST_F(TrackerTest, ClickWithoutMovingSelectsTheWholeImage)
{
    for (CPoint ptPress : { At(30, 25), At(20, 20) + CSize(2, 2) })   // new rectangle, handle
    {
        Prepare(100, CRect(10, 10, 20, 20));
        PressAndDrag(ptPress, {});
        EXPECT_EQ(CRect(0, 0, 40, 30), Selection());
    }
}

TEST_F(TrackerTest, MouseIsKeptWithinAHandleOfTheImage)
{
    Prepare(100, CRect(10, 10, 20, 20));
    CPoint ptFar(300, 250);
    m_pCtrl->ClientToScreen(&ptFar);
    ::SetCursorPos(ptFar.x, ptFar.y);
    PressAndDrag(At(30, 25), { CPoint(300, 250) });

    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    m_pCtrl->ScreenToClient(&ptCursor);
    EXPECT_EQ(At(40, 30) + CSize(5, 5), ptCursor);   // the image's far corner and a handle
    EXPECT_EQ(CRect(30, 25, 40, 30), Selection());
}

TEST_F(TrackerTest, WhileTheMouseRestsInADragTheProgramStaysResponsive)
{
    // Real input: the press and a move, then the mouse rests with the button held. Timers
    // must still run in the tracking loop (no stream of mouse moves fed back to it).
    Prepare(100, CRect(0, 0, 40, 30));
    CPoint ptPress = At(5, 5), ptRest = At(25, 20);
    m_pCtrl->ClientToScreen(&ptPress);
    m_pCtrl->ClientToScreen(&ptRest);
    ::SetCursorPos(ptPress.x, ptPress.y);
    PumpMessages();
    testenv::MouseButtons(MOUSEEVENTF_LEFTDOWN);
    testenv::MovePointer(ptRest);
    s_hTracking = m_pCtrl->m_hWnd;
    s_bTimerRanInTheLoop = false;
    ::SetTimer(NULL, 0, 300, NoteTimerInTheLoop);
    HANDLE hReleaser = ::CreateThread(NULL, 0, ReleaseLater, NULL, 0, NULL);
    ASSERT_NE(nullptr, hReleaser);
    ASSERT_TRUE(PumpUntil([] { return ::GetKeyState(VK_LBUTTON) >= 0 && ::GetCapture() == NULL; }, 10000));
    ::WaitForSingleObject(hReleaser, INFINITE);
    ::CloseHandle(hReleaser);

    EXPECT_TRUE(s_bTimerRanInTheLoop);
    EXPECT_EQ(CRect(5, 5, 25, 20), Selection());
}

TEST_F(TrackerTest, FeedbackFrameIsOneImagePixelAndAtLeastTwo)
{
    CDIBSection canvas;
    ASSERT_TRUE(canvas.CreateBitmap(200, 200, 1, 24));
    struct Row { UINT nPercent; int nThickness; } rows[] = { { 50, 2 }, { 100, 2 }, { 400, 4 }, { 600, 6 } };
    for (const Row& row : rows)
    {
        Prepare(row.nPercent, CRect(10, 10, 20, 20));
        CProbeTracker tracker(m_pCtrl, At(0, 0));
        CRect rc(20, 20, 60, 60);
        tracker.DrawTrackerRect(&rc, NULL, canvas.GetMemoryDC(NULL, FALSE), m_pCtrl);
        EXPECT_EQ(CSize(row.nThickness, row.nThickness), tracker.LastSize()) << row.nPercent;
    }
    // A drag-move draws no frame of its own.
    m_pCtrl->SetToolMode(TOOL_DRAG);
    CProbeTracker tracker(m_pCtrl, At(0, 0));
    CRect rc(20, 20, 60, 60);
    tracker.DrawTrackerRect(&rc, NULL, canvas.GetMemoryDC(NULL, FALSE), m_pCtrl);
    EXPECT_EQ(CSize(0, 0), tracker.LastSize());
    canvas.ReleaseMemoryDC(TRUE);
}

TEST_F(TrackerTest, SelectionFollowsLiveAndComesBackAfterTheLoop)
{
    Prepare(400, CRect(10, 10, 20, 20));
    CProbeTracker tracker(m_pCtrl, Dev(20, 20, 4.0) + CSize(2, 2));
    ASSERT_EQ(2, tracker.GetHitTest());
    // The corner moved to the middle of image pixel (31, 24): it snaps to that pixel's corner.
    tracker.m_rect.BottomRight() = Dev(31, 24, 4.0) + CSize(2, 1);
    tracker.AdjustRect(2, &tracker.m_rect);
    EXPECT_EQ(Dev(31, 24, 4.0), tracker.m_rect.BottomRight());
    EXPECT_EQ(CRect(10, 10, 31, 24), Selection());

    tracker.Finalise(TRUE);
    EXPECT_EQ(CRect(10, 10, 20, 20), Selection());
    EXPECT_EQ(CRect(10, 10, 31, 24), tracker.m_rect);
}

TEST_F(TrackerTest, DrawsDottedBlueFrameOutsideAndBlackHandles)
{
    CDIBSection canvas;
    ASSERT_TRUE(canvas.CreateBitmap(100, 100, 1, 24) && canvas.Clear(kCanvas));
    Prepare(100, CRect(10, 10, 20, 20));
    CPntRectTracker big(m_pCtrl, At(0, 0)), small(m_pCtrl, At(0, 0));
    big.m_rect.SetRect(20, 20, 60, 50);
    small.m_rect.SetRect(70, 70, 80, 80);
    big.Draw(canvas.GetMemoryDC(NULL, FALSE));
    small.Draw(canvas.GetMemoryDC(NULL, FALSE));
    canvas.ReleaseMemoryDC(TRUE);
    ::GdiFlush();
    auto pixel = [&](int x, int y) { return imagetest::PixelColour(canvas, x, y); };

    // The line runs one pixel outside the rectangle, dots of blue over the background.
    int nBlue = 0;
    for (int x = 21; x < 36; x++)
    {
        EXPECT_TRUE(pixel(x, 19) == kBlue || pixel(x, 19) == kWhite) << x;
        nBlue += pixel(x, 19) == kBlue;
    }
    EXPECT_GE(nBlue, 5);
    EXPECT_EQ(kCanvas, pixel(40, 35));   // inside
    EXPECT_EQ(kCanvas, pixel(30, 17));   // outside, between handles
    // Handles of 5 outside: white outline, black inside; side handles only on long sides.
    EXPECT_EQ(kWhite, pixel(15, 15));
    EXPECT_EQ(kBlack, pixel(17, 17));
    EXPECT_EQ(kBlack, pixel(39, 17));    // top middle
    EXPECT_EQ(kBlack, pixel(62, 34));    // right middle
    EXPECT_EQ(kBlack, pixel(82, 82));
    EXPECT_EQ(kCanvas, pixel(74, 67));   // no top middle on a short side

    // The control paints its selection that way; other tools show the image's frame alone.
    m_pCtrl->Invalidate();
    m_pCtrl->UpdateWindow();
    EXPECT_EQ(kBlack, ScreenPixel(At(10, 10).x - 3, At(10, 10).y - 3));
    m_pCtrl->SetToolMode(TOOL_PEN);
    m_pCtrl->Invalidate();
    m_pCtrl->UpdateWindow();
    EXPECT_NE(kBlack, ScreenPixel(At(10, 10).x - 3, At(10, 10).y - 3));
    EXPECT_NE(kBlack, ScreenPixel(At(0, 0).x - 3, At(0, 0).y - 3));
}

TEST_F(TrackerTest, CursorShowsWhatAPressWouldGrab)
{
    Prepare(100, CRect(10, 10, 30, 30));
    struct Row { CPoint pt; LPCTSTR id; } rows[] = {
        { At(30, 30) + CSize(2, 2), IDC_SIZENWSE }, { At(30, 10) + CSize(2, -3), IDC_SIZENESW },
        { At(20, 10) + CSize(0, -3), IDC_SIZENS }, { At(10, 17) + CSize(-3, 0), IDC_SIZEWE },
        { At(20, 17), IDC_SIZEALL },
    };
    for (const Row& row : rows)
    {
        CPoint pt = row.pt;
        m_pCtrl->ClientToScreen(&pt);
        ::SetCursorPos(pt.x, pt.y);
        m_pCtrl->SendMessage(WM_SETCURSOR, (WPARAM)m_pCtrl->m_hWnd, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(::LoadCursor(NULL, row.id), ::GetCursor()) << row.pt.x << "," << row.pt.y;
    }
}
