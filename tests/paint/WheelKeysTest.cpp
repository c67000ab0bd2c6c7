// The mouse wheel and the navigation keys, through real input: the wheel scrolls up and down,
// Shift+wheel and the tilted wheel left and right, Ctrl+wheel zooms about the pointer; the
// arrow, page, Home and End keys scroll while no text is typed. Each can be switched off.
#include "PaintFixture.h"
#include "common/UserInput.h"

namespace
{
// A colour per image pixel, none of them a system colour of the view.
COLORREF PatternColour(int x, int y)
{
    return RGB(x % 251, y % 241, 90 + (x + y) % 100);
}

// The control, counting the wheel and key messages that reach it.
class CInputRecordingCtrl : public CTestPntCtrl
{
public:
    int m_nWheels = 0;
    int m_nKeyDowns = 0;
    std::vector<UINT> m_wheelFlags;   // the key flags of each wheel message

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_MOUSEWHEEL || message == WM_MOUSEHWHEEL)
        {
            m_wheelFlags.push_back(LOWORD(wParam));
            LRESULT lResult = CTestPntCtrl::WindowProc(message, wParam, lParam);
            m_nWheels++;
            return lResult;
        }
        if (message == WM_KEYDOWN)
        {
            LRESULT lResult = CTestPntCtrl::WindowProc(message, wParam, lParam);
            m_nKeyDowns++;
            return lResult;
        }
        return CTestPntCtrl::WindowProc(message, wParam, lParam);
    }
};

int WheelSetting(UINT nAction)
{
    UINT n = 3;
    if (!::SystemParametersInfo(nAction, 0, &n, 0))
        n = 3;
    return (int)n;
}
}

class WheelKeysTest : public PaintFixture
{
protected:
    void SetUp() override
    {
        PaintFixture::SetUp();
        // The fixture's control is replaced by one that counts the input it receives.
        m_pRecorder = ReplaceControl<CInputRecordingCtrl>();
        ASSERT_NE(nullptr, m_pRecorder);
        ::SetForegroundWindow(m_pFrame->m_hWnd);
        m_pCtrl->SetFocus();
        PumpMessages();
    }
    void TearDown() override
    {
        testenv::KeyUp(VK_SHIFT);
        testenv::KeyUp(VK_CONTROL);
        PumpUntil([] { return ::GetKeyState(VK_SHIFT) >= 0 && ::GetKeyState(VK_CONTROL) >= 0; }, 3000);
        PaintFixture::TearDown();
    }

    // A cx x cy picture of PatternColour pixels, the pointer over client point ptClient and
    // the focus in the control.
    void Start(int cx, int cy, CPoint ptClient)
    {
        ASSERT_TRUE(GiveImage(cx, cy, 24));
        CDIBSection& image = *m_pCtrl->GetDIBsection();
        ::GdiFlush();
        for (int y = 0; y < cy; y++)
        {
            BYTE* pRow = imagetest::RowOf(image, y);
            for (int x = 0; x < cx; x++)
            {
                const COLORREF cr = PatternColour(x, y);
                imagetest::PutRowPixel(pRow, x, 24, GetBValue(cr) | (GetGValue(cr) << 8) | (GetRValue(cr) << 16));
            }
        }
        m_pCtrl->Invalidate(TRUE);
        m_pCtrl->SetFocus();
        PointerAt(ptClient);
        ClearRecords();
    }
    void PointerAt(CPoint ptClient)
    {
        CPoint ptScreen = ptClient;
        m_pCtrl->ClientToScreen(&ptScreen);
        m_ptPointer = ptClient;
        ASSERT_TRUE(::SetCursorPos(ptScreen.x, ptScreen.y));
        ASSERT_TRUE(PumpUntil([&] {
            POINT pt;
            return ::GetCursorPos(&pt) && CPoint(pt) == ptScreen;
        }, 3000));
        PumpMessages();
    }
    // Waits until the control has handled n wheel messages (or key-downs) in all.
    bool WheelsArrived(int n) { return PumpUntil([&] { return m_pRecorder->m_nWheels >= n; }, 5000); }
    bool KeysArrived(int n) { return PumpUntil([&] { return m_pRecorder->m_nKeyDowns >= n; }, 5000); }
    void HoldKey(WORD wVk, bool bDown)
    {
        bDown ? testenv::KeyDown(wVk) : testenv::KeyUp(wVk);
        ASSERT_TRUE(PumpUntil([&] { return (::GetKeyState(wVk) < 0) == bDown; }, 3000));
    }

    // The image pixel under client point pt, by the control's public conversions.
    CPoint ImageUnder(CPoint pt)
    {
        m_pCtrl->DPtoLP(&pt);
        m_pCtrl->LPtoIP(&pt);
        return pt;
    }
    int HPos() { return m_pCtrl->GetScrollPos(SB_HORZ); }
    int VPos() { return m_pCtrl->GetScrollPos(SB_VERT); }
    // What the screen shows at client point pt is the image pixel that the conversions put there.
    bool ShowsImageAt(CPoint pt)
    {
        m_pCtrl->UpdateWindow();
        const CPoint ptImage = ImageUnder(pt);
        return ScreenPixel(pt.x, pt.y) == PatternColour(ptImage.x, ptImage.y);
    }
    int LineStepY() { return ClientRect().Height() / 10; }
    int LineStepX() { return ClientRect().Width() / 10; }

    CInputRecordingCtrl* m_pRecorder = nullptr;
    CPoint m_ptPointer;
};

TEST_F(WheelKeysTest, WheelScrollsDownAndUpByTheScrollBarsLineSteps)
{
    const int nLines = WheelSetting(SPI_GETWHEELSCROLLLINES);
    ASSERT_TRUE(nLines > 0 && nLines < 10) << nLines;
    Start(200, 1000, CPoint(100, 150));
    ASSERT_EQ(0, VPos());
    const CPoint ptBefore = ImageUnder(m_ptPointer);

    testenv::TurnWheel(-WHEEL_DELTA);   // toward the user: what is below comes up
    ASSERT_TRUE(WheelsArrived(1));
    EXPECT_EQ(nLines * LineStepY(), VPos());
    EXPECT_EQ(0, HPos());
    EXPECT_EQ(ptBefore + CSize(0, nLines * LineStepY()), ImageUnder(m_ptPointer));
    EXPECT_TRUE(ShowsImageAt(m_ptPointer));
    EXPECT_TRUE(ShowsImageAt(CPoint(20, 280)));
    EXPECT_EQ(CPoint(0, 0), *m_pCtrl->GetOrigin());

    testenv::TurnWheel(2 * WHEEL_DELTA);   // two notches back up, stopping at the top
    ASSERT_TRUE(WheelsArrived(2));
    EXPECT_EQ(0, VPos());
    EXPECT_EQ(ptBefore, ImageUnder(m_ptPointer));
    EXPECT_TRUE(ShowsImageAt(CPoint(20, 20)));
}

TEST_F(WheelKeysTest, PreciseWheelFractionsAddUpToWholeNotches)
{
    const int nLines = WheelSetting(SPI_GETWHEELSCROLLLINES);
    ASSERT_TRUE(nLines > 0 && nLines < 10) << nLines;
    Start(200, 1000, CPoint(100, 150));

    // Twelve twelfths of a notch scroll as far as one notch.
    for (int i = 0; i < 12; i++)
        testenv::TurnWheel(-WHEEL_DELTA / 12);
    ASSERT_TRUE(WheelsArrived(12));
    EXPECT_EQ(nLines * LineStepY(), VPos());
    EXPECT_TRUE(ShowsImageAt(m_ptPointer));
}

TEST_F(WheelKeysTest, ShiftWheelAndTiltedWheelScrollSideways)
{
    const int nLines = WheelSetting(SPI_GETWHEELSCROLLLINES);
    const int nChars = WheelSetting(SPI_GETWHEELSCROLLCHARS);
    ASSERT_TRUE(nLines > 0 && nLines < 10 && nChars > 0 && nChars < 10) << nLines << " " << nChars;
    Start(1000, 150, CPoint(200, 100));
    const CPoint ptBefore = ImageUnder(m_ptPointer);

    HoldKey(VK_SHIFT, true);
    testenv::TurnWheel(-WHEEL_DELTA);   // toward the user: what is right comes in
    ASSERT_TRUE(WheelsArrived(1));
    HoldKey(VK_SHIFT, false);
    EXPECT_EQ(MK_SHIFT, m_pRecorder->m_wheelFlags.at(0) & (MK_SHIFT | MK_CONTROL));
    EXPECT_EQ(nLines * LineStepX(), HPos());
    EXPECT_EQ(0, VPos());
    EXPECT_EQ(ptBefore + CSize(nLines * LineStepX(), 0), ImageUnder(m_ptPointer));
    EXPECT_TRUE(ShowsImageAt(m_ptPointer));

    testenv::TurnWheel(WHEEL_DELTA, true);   // to the right
    ASSERT_TRUE(WheelsArrived(2));
    EXPECT_EQ((nLines + nChars) * LineStepX(), HPos());
    EXPECT_TRUE(ShowsImageAt(m_ptPointer));
    testenv::TurnWheel(-WHEEL_DELTA, true);
    ASSERT_TRUE(WheelsArrived(3));
    EXPECT_EQ(nLines * LineStepX(), HPos());
    EXPECT_TRUE(ShowsImageAt(m_ptPointer));
}

TEST_F(WheelKeysTest, CtrlWheelStepsThroughTheLevelsKeepingThePointUnderThePointer)
{
    // The picture is larger than the view at every level, so the view can always be scrolled
    // to keep the point in place.
    Start(400, 300, PaintFixture::At(150, 100));
    ASSERT_EQ(CPoint(150, 100), ImageUnder(m_ptPointer));
    const UINT nMagChanged = CPntCtrl::m_nMagnificationChangedMessage;

    HoldKey(VK_CONTROL, true);
    const UINT expected[] = { 200, 300, 200, 100 };
    const int deltas[] = { WHEEL_DELTA, WHEEL_DELTA, -WHEEL_DELTA, -WHEEL_DELTA };
    for (int i = 0; i < 4; i++)
    {
        testenv::TurnWheel(deltas[i]);
        ASSERT_TRUE(WheelsArrived(i + 1));
        EXPECT_EQ(MK_CONTROL, m_pRecorder->m_wheelFlags.at(i) & (MK_SHIFT | MK_CONTROL));
        EXPECT_EQ(expected[i], m_pCtrl->GetMagnification()) << i;
        EXPECT_EQ(i + 1, NotifyCount(nMagChanged)) << i;
        EXPECT_EQ(CPoint(150, 100), ImageUnder(m_ptPointer)) << expected[i];
        EXPECT_TRUE(ShowsImageAt(m_ptPointer)) << expected[i];
    }

    // At 50 % the whole picture fits: nothing can scroll, and it shows from its corner.
    testenv::TurnWheel(-WHEEL_DELTA);
    ASSERT_TRUE(WheelsArrived(5));
    HoldKey(VK_CONTROL, false);
    EXPECT_EQ(50u, m_pCtrl->GetMagnification());
    EXPECT_EQ(0, HPos());
    EXPECT_EQ(0, VPos());
    EXPECT_EQ(CPoint(0, 0), ImageUnder(PaintFixture::At(0, 0)));
    EXPECT_EQ(CPoint(0, 0), *m_pCtrl->GetOrigin());
}

TEST_F(WheelKeysTest, CtrlWheelStopsAtTheEndsOfTheTable)
{
    Start(100, 80, PaintFixture::At(20, 20));
    m_pCtrl->SetMagnification(600);
    ClearRecords();
    HoldKey(VK_CONTROL, true);
    testenv::TurnWheel(WHEEL_DELTA);
    ASSERT_TRUE(WheelsArrived(1));
    HoldKey(VK_CONTROL, false);
    EXPECT_EQ(600u, m_pCtrl->GetMagnification());
    EXPECT_EQ(0, NotifyCount(CPntCtrl::m_nMagnificationChangedMessage));
}

TEST_F(WheelKeysTest, WheelDoesNothingWithItsPropertiesOff)
{
    Start(1000, 1000, CPoint(150, 150));
    EXPECT_TRUE(m_pCtrl->GetWheelScrolls());
    EXPECT_TRUE(m_pCtrl->GetWheelZooms());
    m_pCtrl->SetWheelScrolls(FALSE);
    m_pCtrl->SetWheelZooms(FALSE);
    EXPECT_FALSE(m_pCtrl->GetWheelScrolls());
    EXPECT_FALSE(m_pCtrl->GetWheelZooms());

    testenv::TurnWheel(-WHEEL_DELTA);
    testenv::TurnWheel(WHEEL_DELTA, true);
    HoldKey(VK_SHIFT, true);
    testenv::TurnWheel(-WHEEL_DELTA);
    HoldKey(VK_SHIFT, false);
    HoldKey(VK_CONTROL, true);
    testenv::TurnWheel(WHEEL_DELTA);
    ASSERT_TRUE(WheelsArrived(4));
    HoldKey(VK_CONTROL, false);
    EXPECT_EQ(0, VPos());
    EXPECT_EQ(0, HPos());
    EXPECT_EQ(100u, m_pCtrl->GetMagnification());
    EXPECT_EQ(0, NotifyCount(CPntCtrl::m_nMagnificationChangedMessage));

    // Each switch alone: zooming stays on while scrolling is off.
    m_pCtrl->SetWheelZooms(TRUE);
    HoldKey(VK_CONTROL, true);
    testenv::TurnWheel(WHEEL_DELTA);
    ASSERT_TRUE(WheelsArrived(5));
    HoldKey(VK_CONTROL, false);
    EXPECT_EQ(200u, m_pCtrl->GetMagnification());
}

TEST_F(WheelKeysTest, NavigationKeysScrollByLinesPagesAndToTheEnds)
{
    Start(1000, 1000, CPoint(150, 150));
    EXPECT_TRUE(m_pCtrl->GetKeysScroll());
    const int nMaxH = m_pCtrl->ImageDisplaySize().cx - ClientRect().Width() + 1;
    const int nMaxV = m_pCtrl->ImageDisplaySize().cy - ClientRect().Height() + 1;
    int nKeys = 0;
    auto press = [&](WORD wVk) {
        testenv::PressKey(wVk);
        return KeysArrived(++nKeys);
    };

    ASSERT_TRUE(press(VK_DOWN));
    EXPECT_EQ(LineStepY(), VPos());
    ASSERT_TRUE(press(VK_NEXT));
    EXPECT_EQ(LineStepY() + ClientRect().Height(), VPos());
    ASSERT_TRUE(press(VK_UP));
    EXPECT_EQ(ClientRect().Height(), VPos());
    ASSERT_TRUE(press(VK_RIGHT));
    EXPECT_EQ(LineStepX(), HPos());
    ASSERT_TRUE(press(VK_LEFT));
    EXPECT_EQ(0, HPos());
    EXPECT_TRUE(ShowsImageAt(m_ptPointer));

    // With Shift the page keys go sideways.
    HoldKey(VK_SHIFT, true);
    ASSERT_TRUE(press(VK_NEXT));
    HoldKey(VK_SHIFT, false);
    EXPECT_EQ(ClientRect().Width(), HPos());
    EXPECT_EQ(ClientRect().Height(), VPos());

    ASSERT_TRUE(press(VK_END));
    EXPECT_EQ(nMaxH, HPos());
    EXPECT_EQ(nMaxV, VPos());
    EXPECT_TRUE(ShowsImageAt(CPoint(ClientRect().right - 30, ClientRect().bottom - 30)));
    ASSERT_TRUE(press(VK_HOME));
    EXPECT_EQ(0, HPos());
    EXPECT_EQ(0, VPos());
    EXPECT_TRUE(ShowsImageAt(m_ptPointer));
}

TEST_F(WheelKeysTest, NavigationKeysDoNothingWhenSwitchedOff)
{
    Start(1000, 1000, CPoint(150, 150));
    m_pCtrl->SetKeysScroll(FALSE);
    EXPECT_FALSE(m_pCtrl->GetKeysScroll());
    const WORD keys[] = { VK_DOWN, VK_NEXT, VK_RIGHT, VK_END };
    for (WORD wVk : keys)
        testenv::PressKey(wVk);
    ASSERT_TRUE(KeysArrived(4));
    EXPECT_EQ(0, HPos());
    EXPECT_EQ(0, VPos());
}

TEST_F(WheelKeysTest, NavigationKeysDoNotScrollWhileTextIsTyped)
{
    Start(1000, 1000, CPoint(150, 150));
    m_pCtrl->SetToolMode(TOOL_TEXT);
    ASSERT_TRUE(m_pCtrl->m_TextFmtBar.IsVisible());
    // The keys reach the control, which hands them to the text bar. The pointer goes out of
    // the way: over the control it would give the bar the focus.
    ASSERT_TRUE(::SetCursorPos(kClientWidth + 100, kClientHeight + 100));
    PumpMessages();
    ::SetForegroundWindow(m_pFrame->m_hWnd);
    m_pCtrl->SetFocus();
    PumpMessages();
    ASSERT_EQ(m_pCtrl->m_hWnd, ::GetFocus());
    testenv::PressKey(VK_NEXT);
    testenv::PressKey(VK_DOWN);
    ASSERT_TRUE(KeysArrived(1));
    PumpUntil([&] { return ::GetFocus() != m_pCtrl->m_hWnd; }, 1000);
    PumpMessages();
    EXPECT_EQ(0, VPos());

    // Once another tool is chosen they scroll again.
    m_pCtrl->SetToolMode(TOOL_PEN);
    ::SetForegroundWindow(m_pFrame->m_hWnd);
    m_pCtrl->SetFocus();
    PumpMessages();
    const int nBefore = m_pRecorder->m_nKeyDowns;
    testenv::PressKey(VK_NEXT);
    ASSERT_TRUE(KeysArrived(nBefore + 1));
    EXPECT_EQ(ClientRect().Height(), VPos());
}
