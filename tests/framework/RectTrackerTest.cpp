// CRectTracker: handle geometry and hit codes, cursors, the modal tracking loop driven by
// input posted before it starts, and the drag frame of CDC::DrawDragRect.
#include <afxext.h>
#include <gtest/gtest.h>
#include <functional>
#include <vector>

namespace
{
const CRect kRect(60, 50, 160, 130);

struct PostedInput
{
    UINT message;
    CPoint pt;
    WPARAM wParam = 0;   // moves carry MK_LBUTTON when this is 0
};

// Records what the loop asks of the overridables.
class CRecordingTracker : public CRectTracker
{
public:
    struct Feedback
    {
        CRect rc;
        BOOL bErase, bFinalErase;
    };
    CRecordingTracker(LPCRECT lpRect, UINT nStyle) : CRectTracker(lpRect, nStyle) { m_nHandleSize = 6; }
    std::vector<int> m_adjusts;
    std::vector<Feedback> m_feedback;
    int m_nChanged = 0;

    void AdjustRect(int nHandle, LPRECT lpRect) override
    {
        m_adjusts.push_back(nHandle);
        CRectTracker::AdjustRect(nHandle, lpRect);
    }
    void DrawTrackerRect(LPCRECT lpRect, CWnd* pWndClipTo, CDC* pDC, CWnd* pWnd) override
    {
        m_feedback.push_back({ CRect(lpRect), m_bErase, m_bFinalErase });
        CRectTracker::DrawTrackerRect(lpRect, pWndClipTo, pDC, pWnd);
    }
    void OnChangedRect(const CRect&) override { m_nChanged++; }
};

// Ends a loop that would otherwise wait for ever: losing the capture ends tracking.
void CALLBACK Watchdog(HWND, UINT, UINT_PTR, DWORD)
{
    ::ReleaseCapture();
}

// A second window of the thread: a message posted to it runs an action inside the loop.
const UINT kRunHelperAction = WM_APP + 7;
std::function<void()> s_helperAction;

LRESULT CALLBACK HelperProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kRunHelperAction)
    {
        if (s_helperAction)
            s_helperAction();
        return 0;
    }
    return ::DefWindowProc(hWnd, message, wParam, lParam);
}
}

class RectTrackerTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        WNDCLASS wc = {};
        wc.lpfnWndProc = ::DefWindowProc;
        wc.hInstance = AfxGetInstanceHandle();
        wc.hbrBackground = (HBRUSH)::GetStockObject(WHITE_BRUSH);
        wc.lpszClassName = _T("MfcxTrackerTestWindow");
        AfxRegisterClass(&wc);
        s_pWnd = new CWnd;
        s_pWnd->CreateEx(0, wc.lpszClassName, _T("tracker"), WS_POPUP | WS_VISIBLE, 0, 0, 300, 220, NULL, NULL);
    }
    static void TearDownTestSuite()
    {
        s_pWnd->DestroyWindow();
        delete s_pWnd;
        s_pWnd = nullptr;
    }
    void SetUp() override
    {
        ASSERT_TRUE(::IsWindow(s_pWnd->m_hWnd));
        Drain();
    }

    // Posts the input, then runs the loop, then throws away what the loop left unread.
    template <class Fn> BOOL Run(const std::vector<PostedInput>& input, Fn track)
    {
        for (const PostedInput& in : input)
            s_pWnd->PostMessage(in.message, in.wParam != 0 ? in.wParam : (in.message == WM_MOUSEMOVE ? MK_LBUTTON : 0),
                                MAKELPARAM((WORD)in.pt.x, (WORD)in.pt.y));
        UINT_PTR nTimer = ::SetTimer(NULL, 0, 5000, Watchdog);
        BOOL bResult = track();
        ::KillTimer(NULL, nTimer);
        Drain();
        return bResult;
    }
    static void Drain()
    {
        MSG msg;
        while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
            ::DispatchMessage(&msg);
    }
    static std::vector<PostedInput> Drag(std::vector<CPoint> path)
    {
        std::vector<PostedInput> input;
        for (const CPoint& pt : path)
            input.push_back({ WM_MOUSEMOVE, pt });
        input.push_back({ WM_LBUTTONUP, path.back() });
        return input;
    }

    static CWnd* s_pWnd;
};

CWnd* RectTrackerTest::s_pWnd = nullptr;

TEST_F(RectTrackerTest, HitCodesFollowTheHandlesOutsideTheFrameLine)
{
    // Handles of 6 outside the line, which runs one pixel outside the rectangle.
    CRecordingTracker tracker(kRect, CRectTracker::solidLine | CRectTracker::resizeOutside);
    const int cx = kRect.CenterPoint().x, cy = kRect.CenterPoint().y;
    struct Row { CPoint pt; int nHit; } rows[] = {
        { { kRect.left - 3, kRect.top - 3 }, 0 }, { { kRect.right + 2, kRect.top - 3 }, 1 },
        { { kRect.right + 2, kRect.bottom + 2 }, 2 }, { { kRect.left - 3, kRect.bottom + 2 }, 3 },
        { { cx, kRect.top - 3 }, 4 }, { { kRect.right + 2, cy }, 5 },
        { { cx, kRect.bottom + 2 }, 6 }, { { kRect.left - 3, cy }, 7 },
        { { cx, cy }, 8 }, { { kRect.left + 20, kRect.top - 1 }, 8 },       // on the line
        { { kRect.left + 20, kRect.top - 3 }, -1 },                         // between handles
        { { kRect.left - 7, kRect.top - 3 }, -1 }, { { 5, 5 }, -1 },
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.nHit, tracker.HitTest(row.pt)) << row.pt.x << "," << row.pt.y;

    CRect rcTrue;
    tracker.GetTrueRect(&rcTrue);
    EXPECT_EQ(CRect(kRect.left - 6, kRect.top - 6, kRect.right + 6, kRect.bottom + 6), rcTrue);

    // Inside handles sit in the corners of the rectangle; without handles it is all middle.
    CRectTracker inside(kRect, CRectTracker::resizeInside);
    inside.m_nHandleSize = 6;
    EXPECT_EQ(0, inside.HitTest(CPoint(kRect.left + 2, kRect.top + 2)));
    EXPECT_EQ(8, inside.HitTest(CPoint(kRect.left + 7, kRect.top + 7)));
    CRectTracker plain(kRect, CRectTracker::solidLine);
    EXPECT_EQ(8, plain.HitTest(CPoint(kRect.left, kRect.top)));
    EXPECT_EQ(-1, plain.HitTest(CPoint(kRect.left - 3, kRect.top - 3)));
}

TEST_F(RectTrackerTest, SideHandlesNeedRoomBetweenTheCorners)
{
    // A side keeps its middle handle while it is more than 3 handles and 4 pixels long.
    struct Row { int cx, cy; bool bTopBottom, bLeftRight; } rows[] = {
        { 20, 20, true, true }, { 19, 20, false, true }, { 20, 19, true, false }, { 19, 19, false, false },
    };
    for (const Row& row : rows)
    {
        CRectTracker tracker(CRect(50, 50, 50 + row.cx, 50 + row.cy), CRectTracker::dottedLine | CRectTracker::resizeOutside);
        tracker.m_nHandleSize = 5;
        UINT nMask = tracker.GetHandleMask();
        EXPECT_EQ(0x0Fu, nMask & 0x0F);
        EXPECT_EQ(row.bTopBottom, (nMask & 0x50) == 0x50) << row.cx << "x" << row.cy;
        EXPECT_EQ(row.bLeftRight, (nMask & 0xA0) == 0xA0) << row.cx << "x" << row.cy;
        // Where the top handle would be, the press finds it or nothing.
        EXPECT_EQ(row.bTopBottom ? 4 : -1, tracker.HitTest(CPoint(50 + row.cx / 2, 47)));
    }
}

TEST_F(RectTrackerTest, InvertedRectangleNormalisesItsHandles)
{
    // Left and right, top and bottom swapped: the visual top-left corner is where right and
    // bottom lie, so a press there is the bottom-right handle of the fields.
    CRectTracker tracker(CRect(100, 100, 50, 60), CRectTracker::dottedLine | CRectTracker::resizeOutside);
    tracker.m_nHandleSize = 6;
    EXPECT_EQ(2, tracker.HitTest(CPoint(47, 57)));
    EXPECT_EQ(0, tracker.NormalizeHit(2));
    EXPECT_EQ(6, tracker.NormalizeHit(4));

    // The cursor follows what is seen.
    struct Row { CPoint pt; LPCTSTR id; } rows[] = { { { 47, 57 }, IDC_SIZENWSE }, { { 75, 80 }, IDC_SIZEALL } };
    for (const Row& row : rows)
    {
        CPoint pt = row.pt;
        s_pWnd->ClientToScreen(&pt);
        ::SetCursorPos(pt.x, pt.y);
        EXPECT_TRUE(tracker.SetCursor(s_pWnd, HTCLIENT));
        EXPECT_EQ(::LoadCursor(NULL, row.id), ::GetCursor());
    }
    EXPECT_FALSE(tracker.SetCursor(s_pWnd, HTCAPTION));
}

TEST_F(RectTrackerTest, ResizeFollowsTheMouseWithFeedbackAtEveryStep)
{
    CRecordingTracker tracker(kRect, CRectTracker::solidLine | CRectTracker::resizeOutside);
    const CPoint ptPress(kRect.right + 2, kRect.bottom + 2);   // bottom-right handle
    BOOL bResult = Run(Drag({ ptPress + CSize(10, 10), ptPress + CSize(20, 20) }),
                       [&] { return tracker.Track(s_pWnd, ptPress); });
    EXPECT_TRUE(bResult);
    EXPECT_EQ(CRect(kRect.left, kRect.top, kRect.right + 20, kRect.bottom + 20), tracker.m_rect);
    // Two moves and the button-up, each adjusted with the handle pressed.
    EXPECT_EQ(std::vector<int>({ 2, 2, 2 }), tracker.m_adjusts);
    EXPECT_EQ(3, tracker.m_nChanged);

    // Draw the first frame; take it away and draw the second; take that away at the end.
    const CRect rc1(kRect.left, kRect.top, kRect.right + 10, kRect.bottom + 10);
    ASSERT_EQ(4u, tracker.m_feedback.size());
    EXPECT_TRUE(tracker.m_feedback[0].rc == rc1 && !tracker.m_feedback[0].bErase);
    EXPECT_TRUE(tracker.m_feedback[1].rc == rc1 && tracker.m_feedback[1].bErase && !tracker.m_feedback[1].bFinalErase);
    EXPECT_TRUE(tracker.m_feedback[2].rc == tracker.m_rect && !tracker.m_feedback[2].bErase);
    EXPECT_TRUE(tracker.m_feedback[3].rc == tracker.m_rect && tracker.m_feedback[3].bFinalErase);
    EXPECT_EQ(NULL, ::GetCapture());
}

TEST_F(RectTrackerTest, MovingKeepsTheSize)
{
    CRecordingTracker tracker(kRect, CRectTracker::solidLine | CRectTracker::resizeOutside);
    const CPoint ptPress = kRect.CenterPoint();
    EXPECT_TRUE(Run(Drag({ ptPress + CSize(30, -10) }), [&] { return tracker.Track(s_pWnd, ptPress); }));
    CRect rcExpected = kRect;
    rcExpected.OffsetRect(30, -10);
    EXPECT_EQ(rcExpected, tracker.m_rect);
}

TEST_F(RectTrackerTest, CancelledOrUnmovedTrackingKeepsTheRectangle)
{
    const CPoint ptPress(kRect.right + 2, kRect.bottom + 2);
    const CPoint ptFar = ptPress + CSize(25, 15);
    struct Row { const char* name; std::vector<PostedInput> input; } rows[] = {
        { "escape", { { WM_MOUSEMOVE, ptFar }, { WM_KEYDOWN, {}, VK_ESCAPE }, { WM_LBUTTONUP, ptFar } } },
        { "right button", { { WM_MOUSEMOVE, ptFar }, { WM_RBUTTONDOWN, ptFar }, { WM_LBUTTONUP, ptFar } } },
        { "click", { { WM_LBUTTONUP, ptPress } } },
        { "up elsewhere without a move", { { WM_LBUTTONUP, ptFar } } },
        { "back where it started", Drag({ ptFar, ptPress }) },
    };
    for (const Row& row : rows)
    {
        CRecordingTracker tracker(kRect, CRectTracker::solidLine | CRectTracker::resizeOutside);
        EXPECT_FALSE(Run(row.input, [&] { return tracker.Track(s_pWnd, ptPress); })) << row.name;
        EXPECT_EQ(kRect, tracker.m_rect) << row.name;
        EXPECT_EQ(NULL, ::GetCapture()) << row.name;
    }

    // A press that grabs nothing, or a capture someone else holds, gives no loop at all.
    CRecordingTracker tracker(kRect, CRectTracker::solidLine | CRectTracker::resizeOutside);
    EXPECT_FALSE(Run(Drag({ ptFar }), [&] { return tracker.Track(s_pWnd, CPoint(5, 5)); }));
    s_pWnd->SetCapture();
    EXPECT_FALSE(Run(Drag({ ptFar }), [&] { return tracker.Track(s_pWnd, ptPress); }));
    ::ReleaseCapture();
    EXPECT_TRUE(tracker.m_adjusts.empty());
}

TEST_F(RectTrackerTest, LosingTheCaptureEndsTrackingAtTheLastPoint)
{
    WNDCLASS wc = {};
    wc.lpfnWndProc = HelperProc;
    wc.hInstance = AfxGetInstanceHandle();
    wc.lpszClassName = _T("MfcxTrackerHelperWindow");
    AfxRegisterClass(&wc);
    HWND hHelper = ::CreateWindowEx(0, wc.lpszClassName, _T(""), WS_POPUP, 0, 0, 1, 1, NULL, NULL, wc.hInstance, NULL);
    ASSERT_TRUE(hHelper != NULL);

    const CPoint ptPress(kRect.right + 2, kRect.bottom + 2);   // bottom-right handle
    struct Row
    {
        const char* name;
        std::function<void()> lose;
    } rows[] = {
        { "another window takes it", [&] { ::SetCapture(hHelper); } },
        { "WM_CANCELMODE", [&] { s_pWnd->SendMessage(WM_CANCELMODE); } },
    };
    for (const Row& row : rows)
    {
        s_helperAction = row.lose;
        // With a move before the loss: the rectangle of the last move, its frame taken away.
        CRecordingTracker tracker(kRect, CRectTracker::solidLine | CRectTracker::resizeOutside);
        std::vector<PostedInput> input = { { WM_MOUSEMOVE, ptPress + CSize(10, 10) } };
        EXPECT_TRUE(Run(input, [&] {
            ::PostMessage(hHelper, kRunHelperAction, 0, 0);
            return tracker.Track(s_pWnd, ptPress);
        })) << row.name;
        EXPECT_EQ(CRect(kRect.left, kRect.top, kRect.right + 10, kRect.bottom + 10), tracker.m_rect) << row.name;
        ASSERT_FALSE(tracker.m_feedback.empty());
        EXPECT_TRUE(tracker.m_feedback.back().bFinalErase) << row.name;
        EXPECT_NE(s_pWnd->m_hWnd, ::GetCapture()) << row.name;
        ::ReleaseCapture();

        // Before any move: nothing changed.
        CRecordingTracker unmoved(kRect, CRectTracker::solidLine | CRectTracker::resizeOutside);
        EXPECT_FALSE(Run({}, [&] {
            ::PostMessage(hHelper, kRunHelperAction, 0, 0);
            return unmoved.Track(s_pWnd, ptPress);
        })) << row.name;
        EXPECT_EQ(kRect, unmoved.m_rect) << row.name;
        ::ReleaseCapture();
    }
    s_helperAction = nullptr;
    ::DestroyWindow(hHelper);
}

TEST_F(RectTrackerTest, RubberBandAndMinimumSize)
{
    const CPoint ptStart(100, 100);
    struct Row { BOOL bInvert; CPoint ptEnd; CRect rcExpected; } rows[] = {
        { TRUE, { 150, 130 }, { 100, 100, 150, 130 } },
        { TRUE, { 70, 80 }, { 100, 100, 70, 80 } },    // inverted, left as it is
        { FALSE, { 70, 80 }, { 100, 100, 101, 101 } }, // may not cross: minimum size
        { TRUE, { 100, 120 }, { 100, 100, 101, 120 } },
    };
    for (const Row& row : rows)
    {
        CRecordingTracker tracker(NULL, 0);
        tracker.m_sizeMin = CSize(1, 1);
        EXPECT_TRUE(Run(Drag({ row.ptEnd }), [&] { return tracker.TrackRubberBand(s_pWnd, ptStart, row.bInvert); }));
        EXPECT_EQ(row.rcExpected, tracker.m_rect);
    }

    // Dragging the right edge past the left one stops at the minimum width.
    CRecordingTracker tracker(kRect, CRectTracker::solidLine | CRectTracker::resizeOutside);
    tracker.m_sizeMin = CSize(10, 10);
    const CPoint ptRight(kRect.right + 2, kRect.CenterPoint().y);
    EXPECT_TRUE(Run(Drag({ CPoint(30, ptRight.y) }), [&] { return tracker.Track(s_pWnd, ptRight); }));
    EXPECT_EQ(kRect.left + 10, tracker.m_rect.right);
    EXPECT_EQ(kRect.top, tracker.m_rect.top);
}

TEST_F(RectTrackerTest, DragRectInvertsTheBandAndTakesTheOldOneBack)
{
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = 48;
    bmi.bmiHeader.biHeight = -48;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* pBits = NULL;
    HBITMAP hBitmap = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    ASSERT_TRUE(hBitmap != NULL);
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(NULL));
    HGDIOBJ hOld = dc.SelectObject(hBitmap);
    dc.PatBlt(0, 0, 48, 48, WHITENESS);
    ::GdiFlush();
    const DWORD* pPixels = (const DWORD*)pBits;
    // Changed pixels inside the band of rc, n wide, and (negated) outside it.
    auto changed = [&](CRect rc, int n) {
        ::GdiFlush();
        CRect rcInner = rc;
        rcInner.DeflateRect(n, n);
        int nInside = 0, nOutside = 0;
        for (int y = 0; y < 48; y++)
            for (int x = 0; x < 48; x++)
                if ((pPixels[y * 48 + x] & 0xFFFFFF) != 0xFFFFFF)
                    (rc.PtInRect(CPoint(x, y)) && !rcInner.PtInRect(CPoint(x, y)) ? nInside : nOutside)++;
        return nOutside == 0 ? nInside : -nOutside;
    };

    // A checkerboard over the band; moving it takes the old band back.
    const CRect rc1(10, 10, 30, 30), rc2(14, 16, 34, 36);
    dc.DrawDragRect(rc1, CSize(2, 2), NULL, CSize(0, 0));
    EXPECT_EQ((20 * 20 - 16 * 16) / 2, changed(rc1, 2));
    dc.DrawDragRect(rc2, CSize(3, 3), rc1, CSize(2, 2));
    EXPECT_EQ((20 * 20 - 14 * 14) / 2, changed(rc2, 3));
    dc.DrawDragRect(rc2, CSize(0, 0), rc2, CSize(3, 3));   // erase only
    EXPECT_EQ(0, changed(rc2, 3));

    // The tracker's own drawing: the frame line outside the rectangle, black handles.
    CRectTracker tracker(CRect(12, 12, 36, 36), CRectTracker::solidLine | CRectTracker::resizeOutside);
    tracker.m_nHandleSize = 4;
    tracker.Draw(&dc);
    ::GdiFlush();
    EXPECT_EQ(0u, pPixels[11 * 48 + 20] & 0xFFFFFF);   // line
    EXPECT_EQ(0u, pPixels[9 * 48 + 9] & 0xFFFFFF);     // top-left handle
    EXPECT_EQ(0xFFFFFFu, pPixels[20 * 48 + 20] & 0xFFFFFF);
    EXPECT_EQ(0xFFFFFFu, pPixels[9 * 48 + 20] & 0xFFFFFF);   // between handles

    dc.SelectObject(hOld);
    ::DeleteObject(hBitmap);
}
