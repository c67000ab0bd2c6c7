// The control's view: coordinate conversions, magnification, centring, scroll bars,
// scrolling and what the window shows (read back from the screen).
#include "PaintFixture.h"
#include "common/Screenshot.h"
#include "common/TestEnvironment.h"
#include <stdio.h>

namespace
{
// 24-bit raw pixel value of a colour (the bits hold blue, green, red).
DWORD Raw24(COLORREF cr)
{
    return GetBValue(cr) | (GetGValue(cr) << 8) | (GetRValue(cr) << 16);
}

// A colour per image pixel, none of them a system colour of the view.
COLORREF PatternColour(int x, int y)
{
    return RGB(16 + (x * 37) % 200, 8 + (y * 53) % 200, 90 + ((x + y) % 2) * 100);
}

bool IsGridColour(COLORREF cr)
{
    return cr == ::GetSysColor(COLOR_BTNFACE) || cr == ::GetSysColor(COLOR_BTNSHADOW);
}

const COLORREF crFrameBlue = RGB(0, 0, 255);
}

class ViewTest : public PaintFixture
{
protected:
    // An image whose every pixel has its own colour.
    bool GivePatternImage(int cx, int cy)
    {
        if (!GiveImage(cx, cy, 24))
            return false;
        CDIBSection& img = *m_pCtrl->GetDIBsection();
        for (int y = 0; y < cy; y++)
            for (int x = 0; x < cx; x++)
                imagetest::SetRawPixel(img, x, y, Raw24(PatternColour(x, y)));
        Repaint();
        return true;
    }

    void Repaint()
    {
        m_pCtrl->Invalidate(TRUE);
        m_pCtrl->UpdateWindow();
        PumpMessages();
    }

    int HPos() { return m_pCtrl->m_nHScrollRange >= 1 ? ::GetScrollPos(m_pCtrl->m_hWnd, SB_HORZ) : 0; }
    int VPos() { return m_pCtrl->m_nVScrollRange >= 1 ? ::GetScrollPos(m_pCtrl->m_hWnd, SB_VERT) : 0; }

    // Client pixel inside the cell of image pixel (i, j) at magnification m, margins 5:
    // the cell starts at int(i * m) + 5 less the scroll position; `inset` steps into it.
    CPoint CellPoint(int i, int j, double m, int inset)
    {
        return CPoint((int)(i * m) + 5 - HPos() + inset, (int)(j * m) + 5 - VPos() + inset);
    }

    bool ScrollBarVisible(LONG idObject)
    {
        SCROLLBARINFO sbi = {};
        sbi.cbSize = sizeof(sbi);
        if (!::GetScrollBarInfo(m_pCtrl->m_hWnd, idObject, &sbi))
            return false;
        return (sbi.rgstate[0] & STATE_SYSTEM_INVISIBLE) == 0;
    }

    int ScrollMax(int nBar)
    {
        int nMin = -1, nMax = -1;
        ::GetScrollRange(m_pCtrl->m_hWnd, nBar, &nMin, &nMax);
        return nMax;
    }
};

// ---------------------------------------------------------------------------
// Coordinate conversions

TEST_F(ViewTest, AtHundredPercentImageCornersSitOnTheMargin)
{
    ASSERT_TRUE(GiveImage(40, 30));
    CPoint pt(0, 0);
    m_pCtrl->IPtoLP(&pt);
    EXPECT_EQ(CPoint(5, 5), pt);
    pt = CPoint(40, 30);
    m_pCtrl->IPtoLP(&pt);
    EXPECT_EQ(CPoint(45, 35), pt);
    EXPECT_EQ(CSize(50, 40), m_pCtrl->ImageDisplaySize());

    CRect rc(1, 2, 40, 30);
    m_pCtrl->IPtoLP(&rc);
    EXPECT_EQ(CRect(6, 7, 45, 35), rc);
    m_pCtrl->LPtoIP(&rc);
    EXPECT_EQ(CRect(1, 2, 40, 30), rc);
}

TEST_F(ViewTest, ConversionsTruncateTowardZeroBothWays)
{
    ASSERT_TRUE(GiveImage(40, 30));
    m_pCtrl->SetMagnification(250);
    CPoint pt(3, 3);
    m_pCtrl->IPtoLP(&pt);
    EXPECT_EQ(CPoint(12, 12), pt);   // int(7.5) + 5
    m_pCtrl->LPtoIP(&pt);
    EXPECT_EQ(CPoint(2, 2), pt);     // int(7 / 2.5)

    CSize size(3, 5);
    m_pCtrl->IPtoLP(&size);
    EXPECT_EQ(CSize(7, 12), size);   // int(7.5), int(12.5): no margin
    m_pCtrl->LPtoIP(&size);
    EXPECT_EQ(CSize(2, 4), size);    // int(2.8), int(4.8)
    EXPECT_EQ(CSize(100 + 10, 75 + 10), m_pCtrl->ImageDisplaySize());

    // Points left of the margin: the quotient is negative and truncates toward zero.
    pt = CPoint(1, 0);
    m_pCtrl->LPtoIP(&pt);
    EXPECT_EQ(CPoint(int(-4 / 2.5), int(-5 / 2.5)), pt);
    EXPECT_EQ(CPoint(-1, -2), pt);
}

TEST_F(ViewTest, OriginIsAddedBeforeMagnification)
{
    ASSERT_TRUE(GiveImage(40, 30));
    m_pCtrl->SetMagnification(200);
    m_pCtrl->SetOrigin(3, -2);
    EXPECT_EQ(CPoint(3, -2), *m_pCtrl->GetOrigin());
    CPoint pt(1, 4);
    m_pCtrl->IPtoLP(&pt);
    EXPECT_EQ(CPoint((1 + 3) * 2 + 5, (4 - 2) * 2 + 5), pt);
    m_pCtrl->LPtoIP(&pt);
    EXPECT_EQ(CPoint(1, 4), pt);
    // The extent covers the image plus the origin, magnified, with the border.
    EXPECT_EQ(CSize((40 + 3) * 2 + 10, (30 - 2) * 2 + 10), m_pCtrl->ImageDisplaySize());
}

TEST_F(ViewTest, ZeroMagnificationMapsEverythingToTheImageOrigin)
{
    ASSERT_TRUE(GiveImage(40, 30));
    m_pCtrl->m_dMagnification = 0;
    CPoint pt(100, 50);
    m_pCtrl->LPtoIP(&pt);
    EXPECT_EQ(CPoint(0, 0), pt);
    CRect rc(10, 20, 30, 40);
    m_pCtrl->LPtoIP(&rc);
    EXPECT_EQ(CRect(0, 0, 0, 0), rc);
    CSize size(7, 9);
    m_pCtrl->LPtoIP(&size);
    EXPECT_EQ(CSize(0, 0), size);
    EXPECT_EQ(0u, m_pCtrl->GetMagnification());
}

TEST_F(ViewTest, DeviceConversionsShiftByTheScrollPositions)
{
    ASSERT_TRUE(GiveImage(1000, 800));
    ASSERT_GT(m_pCtrl->m_nHScrollRange, 0);
    ASSERT_GT(m_pCtrl->m_nVScrollRange, 0);
    m_pCtrl->SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 123), 0);
    m_pCtrl->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 77), 0);
    ASSERT_EQ(123, ::GetScrollPos(m_pCtrl->m_hWnd, SB_HORZ));
    ASSERT_EQ(77, ::GetScrollPos(m_pCtrl->m_hWnd, SB_VERT));

    CPoint pt(200, 100);
    m_pCtrl->LPtoDP(&pt);
    EXPECT_EQ(CPoint(77, 23), pt);
    m_pCtrl->DPtoLP(&pt);
    EXPECT_EQ(CPoint(200, 100), pt);
    // Sizes carry points here: shifted the same way.
    CSize size(200, 100);
    m_pCtrl->LPtoDP(&size);
    EXPECT_EQ(CSize(77, 23), size);
    m_pCtrl->DPtoLP(&size);
    EXPECT_EQ(CSize(200, 100), size);
    CRect rc(200, 100, 300, 400);
    m_pCtrl->LPtoDP(&rc);
    EXPECT_EQ(CRect(77, 23, 177, 323), rc);
    m_pCtrl->DPtoLP(&rc);
    EXPECT_EQ(CRect(200, 100, 300, 400), rc);

    // A client point to the image: add the scroll position, take off the margin.
    EXPECT_EQ(CPoint(10 + 123 - 5, 20 + 77 - 5), m_pCtrl->ClientToImage(CPoint(10, 20)));
    m_pCtrl->SetMagnification(300);
    m_pCtrl->SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 600), 0);
    int vpos = ::GetScrollPos(m_pCtrl->m_hWnd, SB_VERT);
    EXPECT_EQ(CPoint((10 + 600 - 5) / 3, (20 + vpos - 5) / 3), m_pCtrl->ClientToImage(CPoint(10, 20)));
}

// ---------------------------------------------------------------------------
// Magnification

TEST_F(ViewTest, NextLevelStepsThroughThePresetsAndStopsAtTheEnds)
{
    m_pCtrl->SetMagnification(600);
    EXPECT_EQ(-1, m_pCtrl->GetNextMagLevel(-1, TRUE));
    EXPECT_EQ(500, m_pCtrl->GetNextMagLevel(-1, FALSE));
    m_pCtrl->SetMagnification(10);
    EXPECT_EQ(-1, m_pCtrl->GetNextMagLevel(-1, FALSE));
    EXPECT_EQ(50, m_pCtrl->GetNextMagLevel(-1, TRUE));
    m_pCtrl->m_dMagnification = 1.5;   // a fitted factor between levels
    EXPECT_EQ(200, m_pCtrl->GetNextMagLevel(-1, TRUE));
    EXPECT_EQ(100, m_pCtrl->GetNextMagLevel(-1, FALSE));

    const int expectedUp[] = { 50, 100, 200, 300, 400, 500, 600, -1 };
    const int expectedDown[] = { -1, 10, 50, 100, 200, 300, 400, 500 };
    const int levels[] = { 10, 50, 100, 200, 300, 400, 500, 600 };
    for (int i = 0; i < 8; i++)
    {
        EXPECT_EQ(expectedUp[i], m_pCtrl->GetNextMagLevel(levels[i], TRUE)) << levels[i];
        EXPECT_EQ(expectedDown[i], m_pCtrl->GetNextMagLevel(levels[i], FALSE)) << levels[i];
    }
    EXPECT_EQ(10, m_pCtrl->GetNextMagLevel(0, TRUE));
    EXPECT_EQ(600, m_pCtrl->GetNextMagLevel(5000, FALSE));
}

TEST_F(ViewTest, SetMagnificationNotifiesOnceAndResizesTheScrollBars)
{
    ASSERT_TRUE(GiveImage(100, 80));
    EXPECT_EQ(0, m_pCtrl->m_nHScrollRange);
    m_pCtrl->SetMagnification(400);
    EXPECT_EQ(400u, m_pCtrl->GetMagnification());
    EXPECT_EQ(1, NotifyCount(CPntCtrl::m_nMagnificationChangedMessage));
    EXPECT_EQ(1u, Notifications().size());
    EXPECT_EQ(kCtrlId, Notifications()[0].idFrom);
    // 400 + 10 wide and 320 + 10 high do not fit in 400 x 300: both bars.
    EXPECT_EQ(410, m_pCtrl->m_nHScrollRange);
    EXPECT_EQ(330, m_pCtrl->m_nVScrollRange);
    EXPECT_EQ(410, ScrollMax(SB_HORZ));
    EXPECT_EQ(330, ScrollMax(SB_VERT));
}

TEST_F(ViewTest, FillWindowFitsTheImageWithoutScrollBars)
{
    ASSERT_TRUE(GiveImage(1000, 500));
    ASSERT_TRUE(ScrollBarVisible(OBJID_HSCROLL));
    ASSERT_TRUE(m_pCtrl->SetMagnificationToFillWindow());
    // Measured without the bars: 400 x 300.
    double sx = (400.0 - 10 - 1) / 1000;
    double sy = (300.0 - 10 - 1) / 500;
    double expected = sx < sy ? sx : sy;
    EXPECT_DOUBLE_EQ(expected, m_pCtrl->m_dMagnification);
    EXPECT_EQ((UINT)(int)(expected * 100.0), m_pCtrl->GetMagnification());
    EXPECT_EQ(1, NotifyCount(CPntCtrl::m_nMagnificationChangedMessage));
    EXPECT_EQ(0, m_pCtrl->m_nHScrollRange);
    EXPECT_EQ(0, m_pCtrl->m_nVScrollRange);
    EXPECT_FALSE(ScrollBarVisible(OBJID_HSCROLL));
    EXPECT_FALSE(ScrollBarVisible(OBJID_VSCROLL));
    EXPECT_EQ(CRect(0, 0, 400, 300), ClientRect());
}

TEST_F(ViewTest, FillWindowRefusesWithoutWindowOrImage)
{
    // No image: nothing to fit; the magnification stays.
    EXPECT_FALSE(m_pCtrl->SetMagnificationToFillWindow());
    EXPECT_EQ(100u, m_pCtrl->GetMagnification());
    EXPECT_EQ(0, NotifyCount(CPntCtrl::m_nMagnificationChangedMessage));

    CTestPntCtrl unattached;
    ASSERT_TRUE(unattached.GetDIBsection()->CreateBitmap(10, 10, 1, 24));
    EXPECT_FALSE(unattached.SetMagnificationToFillWindow());
    EXPECT_EQ(100u, unattached.GetMagnification());
    // The other view setters work before the window exists.
    unattached.SetMagnification(300);
    unattached.SetOrigin(2, 2);
    unattached.SetShowGrid(FALSE, 300);
    unattached.CentreImage(TRUE);
    EXPECT_EQ(300u, unattached.GetMagnification());
    EXPECT_FALSE(unattached.ImageCentered());
    EXPECT_FALSE(unattached.GetShowGrid());
}

TEST_F(ViewTest, CentringPlacesTheImageInTheMiddleOnce)
{
    ASSERT_TRUE(GivePatternImage(40, 30));
    m_pCtrl->CentreImage(TRUE);
    EXPECT_TRUE(m_pCtrl->ImageCentered());
    // Display size 50 x 40 in 400 x 300.
    const int left = (400 - 50) / 2 + 5, top = (300 - 40) / 2 + 5;
    CPoint pt(0, 0);
    m_pCtrl->IPtoLP(&pt);
    EXPECT_EQ(CPoint(left, top), pt);
    m_pCtrl->UpdateWindow();
    EXPECT_EQ(PatternColour(0, 0), ScreenPixel(left, top));
    EXPECT_EQ(PatternColour(39, 29), ScreenPixel(left + 39, top + 29));
    EXPECT_EQ(::GetSysColor(COLOR_APPWORKSPACE), ScreenPixel(10, 10));

    // A new magnification centres again.
    m_pCtrl->SetMagnification(200);
    pt = CPoint(0, 0);
    m_pCtrl->IPtoLP(&pt);
    EXPECT_EQ(CPoint((400 - 90) / 2 + 5, (300 - 70) / 2 + 5), pt);
    // Resizing does not.
    m_pCtrl->MoveWindow(10, 10, 300, 250);
    pt = CPoint(0, 0);
    m_pCtrl->IPtoLP(&pt);
    EXPECT_EQ(CPoint((400 - 90) / 2 + 5, (300 - 70) / 2 + 5), pt);

    m_pCtrl->CentreImage(FALSE);
    pt = CPoint(0, 0);
    m_pCtrl->IPtoLP(&pt);
    EXPECT_EQ(CPoint(5, 5), pt);
}

// ---------------------------------------------------------------------------
// Scroll bars and scrolling

TEST_F(ViewTest, ScrollBarsAppearWhenTheExtentReachesTheClientSize)
{
    // No image: no bars.
    m_pCtrl->ResetScrollBars();
    EXPECT_FALSE(ScrollBarVisible(OBJID_HSCROLL));
    EXPECT_FALSE(ScrollBarVisible(OBJID_VSCROLL));

    // Exactly as high as the client area: a vertical bar; the narrower client still holds
    // the width.
    ASSERT_TRUE(GiveImage(100, 290));
    EXPECT_EQ(300, m_pCtrl->m_nVScrollRange);
    EXPECT_EQ(0, m_pCtrl->m_nHScrollRange);
    EXPECT_TRUE(ScrollBarVisible(OBJID_VSCROLL));
    EXPECT_FALSE(ScrollBarVisible(OBJID_HSCROLL));
    EXPECT_EQ(400 - ::GetSystemMetrics(SM_CXVSCROLL), ClientRect().Width());

    // One pixel less high: no bar.
    ASSERT_TRUE(GiveImage(100, 289));
    EXPECT_EQ(0, m_pCtrl->m_nVScrollRange);
    EXPECT_FALSE(ScrollBarVisible(OBJID_VSCROLL));
    EXPECT_EQ(CRect(0, 0, 400, 300), ClientRect());

    // Wide only: the horizontal bar alone.
    ASSERT_TRUE(GiveImage(390, 100));
    EXPECT_EQ(400, m_pCtrl->m_nHScrollRange);
    EXPECT_EQ(0, m_pCtrl->m_nVScrollRange);
    EXPECT_TRUE(ScrollBarVisible(OBJID_HSCROLL));
    EXPECT_FALSE(ScrollBarVisible(OBJID_VSCROLL));

    // Wide, and high enough that the horizontal bar's height calls for the vertical one.
    const int cyh = ::GetSystemMetrics(SM_CYHSCROLL);
    ASSERT_TRUE(GiveImage(390, 300 - cyh - 10));
    EXPECT_EQ(400, m_pCtrl->m_nHScrollRange);
    EXPECT_EQ(300 - cyh, m_pCtrl->m_nVScrollRange);
    EXPECT_TRUE(ScrollBarVisible(OBJID_VSCROLL));

    // Growing the window drops the bars again.
    CRect rcWindow;
    m_pCtrl->GetWindowRect(&rcWindow);
    m_pCtrl->MoveWindow(10, 10, rcWindow.Width() + 100, rcWindow.Height() + 100);
    EXPECT_EQ(0, m_pCtrl->m_nHScrollRange);
    EXPECT_EQ(0, m_pCtrl->m_nVScrollRange);
    EXPECT_FALSE(ScrollBarVisible(OBJID_HSCROLL));
}

TEST_F(ViewTest, ScrollCodesMoveThePositionByLinePageAndEnds)
{
    ASSERT_TRUE(GiveImage(1000, 1000));
    const CRect rc = ClientRect();
    const int range = m_pCtrl->m_nVScrollRange;
    ASSERT_EQ(1010, range);
    const int step = rc.Height() / 10;
    // The window keeps the position where the page still fits in the range.
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    ::GetScrollInfo(m_pCtrl->m_hWnd, SB_VERT, &si);
    const int maxPos = range - (int)si.nPage + 1;

    m_pCtrl->SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(step, VPos());
    m_pCtrl->SendMessage(WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(step + rc.Height(), VPos());
    m_pCtrl->SendMessage(WM_VSCROLL, SB_LINEUP, 0);
    EXPECT_EQ(rc.Height(), VPos());
    m_pCtrl->SendMessage(WM_VSCROLL, SB_PAGEUP, 0);
    EXPECT_EQ(0, VPos());
    m_pCtrl->SendMessage(WM_VSCROLL, SB_LINEUP, 0);
    EXPECT_EQ(0, VPos());
    m_pCtrl->SendMessage(WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(maxPos, VPos());
    m_pCtrl->SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(maxPos, VPos());
    m_pCtrl->SendMessage(WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(0, VPos());
    m_pCtrl->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 321), 0);
    EXPECT_EQ(321, VPos());

    // Horizontally the step is a tenth of the width.
    m_pCtrl->SendMessage(WM_HSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(rc.Width() / 10, HPos());
    m_pCtrl->SendMessage(WM_HSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(rc.Width() / 10 + rc.Width(), HPos());
    m_pCtrl->SendMessage(WM_HSCROLL, SB_TOP, 0);
    EXPECT_EQ(0, HPos());
}

TEST_F(ViewTest, LineScrollShowsTheImageMovedByTheStep)
{
    ASSERT_TRUE(GivePatternImage(600, 500));
    m_pCtrl->SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    m_pCtrl->SendMessage(WM_HSCROLL, SB_LINEDOWN, 0);
    m_pCtrl->UpdateWindow();
    const CRect rc = ClientRect();
    const int hpos = HPos(), vpos = VPos();
    ASSERT_GT(hpos, 0);
    ASSERT_GT(vpos, 0);
    // Points in the moved part and in the uncovered strips at the right and bottom.
    const CPoint probes[] = { CPoint(3, 3), CPoint(100, 50), CPoint(rc.right - 2, 20),
                              CPoint(30, rc.bottom - 2), CPoint(rc.right - 1, rc.bottom - 1) };
    for (const CPoint& pt : probes)
    {
        int ix = pt.x + hpos - 5, iy = pt.y + vpos - 5;
        EXPECT_EQ(PatternColour(ix, iy), ScreenPixel(pt.x, pt.y)) << pt.x << "," << pt.y;
    }
    // And back: the strip uncovered at the left and top is repainted too.
    m_pCtrl->SendMessage(WM_VSCROLL, SB_LINEUP, 0);
    m_pCtrl->SendMessage(WM_HSCROLL, SB_LINEUP, 0);
    m_pCtrl->UpdateWindow();
    EXPECT_EQ(PatternColour(0, 0), ScreenPixel(5, 5));
    EXPECT_EQ(PatternColour(20, 7), ScreenPixel(25, 12));
    EXPECT_EQ(::GetSysColor(COLOR_APPWORKSPACE), ScreenPixel(2, 30));
}

// ---------------------------------------------------------------------------
// What the window shows

TEST_F(ViewTest, WithoutImageTheWindowShowsOnlyTheWorkspace)
{
    Repaint();
    const COLORREF crWorkspace = ::GetSysColor(COLOR_APPWORKSPACE);
    const CRect rc = ClientRect();
    EXPECT_EQ(CRect(0, 0, 400, 300), rc);
    for (int y = 0; y < rc.bottom; y += 37)
        for (int x = 0; x < rc.right; x += 41)
            ASSERT_EQ(crWorkspace, ScreenPixel(x, y)) << x << "," << y;
    EXPECT_FALSE(ScrollBarVisible(OBJID_VSCROLL));
}

TEST_F(ViewTest, HundredPercentShowsPixelsOneToOneInsideADottedFrame)
{
    ASSERT_TRUE(GivePatternImage(40, 30));
    for (int y = 0; y < 30; y += 3)
        for (int x = 0; x < 40; x += 3)
            ASSERT_EQ(PatternColour(x, y), ScreenPixel(x + 5, y + 5)) << x << "," << y;

    // The image frame: a dotted blue line one pixel outside the image on the left and top,
    // and on the column and row just past the image's last (the image spans 0 to W inclusive).
    int blueLeft = 0, blueRight = 0, other = 0;
    for (int y = 5; y < 35; y++)
    {
        COLORREF crLeft = ScreenPixel(4, y), crRight = ScreenPixel(45, y);
        blueLeft += crLeft == crFrameBlue;
        blueRight += crRight == crFrameBlue;
        other += crLeft != crFrameBlue && crLeft != RGB(255, 255, 255);
    }
    EXPECT_GE(blueLeft, 8);
    EXPECT_LE(blueLeft, 22);   // dotted, not solid
    EXPECT_GE(blueRight, 8);
    EXPECT_EQ(0, other);       // the gaps take the background colour
    EXPECT_EQ(::GetSysColor(COLOR_APPWORKSPACE), ScreenPixel(3, 20));
    EXPECT_EQ(::GetSysColor(COLOR_APPWORKSPACE), ScreenPixel(46, 20));
    EXPECT_EQ(::GetSysColor(COLOR_APPWORKSPACE), ScreenPixel(20, 36));

    // The select tool draws no image frame; there the image's own pixels show, or workspace.
    m_pCtrl->m_nToolMode = TOOL_SELECT;
    Repaint();
    for (int y = 5; y < 35; y++)
        ASSERT_EQ(::GetSysColor(COLOR_APPWORKSPACE), ScreenPixel(4, y)) << y;
}

TEST_F(ViewTest, MagnifiedPixelsFillTheirCellsAfterScrolling)
{
    ASSERT_TRUE(GivePatternImage(120, 100));
    m_pCtrl->SetMagnification(400);
    m_pCtrl->SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 80), 0);
    m_pCtrl->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 40), 0);
    m_pCtrl->UpdateWindow();
    ASSERT_EQ(80, HPos());
    ASSERT_EQ(40, VPos());
    // Image pixel (i, j) starts at int(i * 4) + 5 - scroll; the image is stretched over
    // W * 4 + 1 pixels, so probe one pixel into each cell.
    for (int j = 10; j < 20; j += 3)
        for (int i = 20; i < 30; i += 3)
        {
            CPoint pt = CellPoint(i, j, 4.0, 1);
            ASSERT_EQ(PatternColour(i, j), ScreenPixel(pt.x, pt.y)) << i << "," << j;
        }
}

TEST_F(ViewTest, TransparentDisplayShowsTheWorkspaceThroughTheKeyColour)
{
    ASSERT_TRUE(GiveImage(40, 30, 24, RGB(255, 255, 255)));
    CDIBSection& img = *m_pCtrl->GetDIBsection();
    for (int y = 10; y < 20; y++)
        for (int x = 10; x < 20; x++)
            imagetest::SetRawPixel(img, x, y, Raw24(RGB(200, 0, 0)));
    m_pCtrl->SetMagnification(200);
    m_pCtrl->SetTransparentColor(RGB(255, 255, 255));
    m_pCtrl->SetTransparent(TRUE);
    m_pCtrl->UpdateWindow();
    const COLORREF crWorkspace = ::GetSysColor(COLOR_APPWORKSPACE);
    EXPECT_EQ(crWorkspace, ScreenPixel(5 + 2 * 3 + 1, 5 + 2 * 3 + 1));
    EXPECT_EQ(RGB(200, 0, 0), ScreenPixel(5 + 2 * 12 + 1, 5 + 2 * 12 + 1));
    EXPECT_EQ(crWorkspace, ScreenPixel(5 + 2 * 30 + 1, 5 + 2 * 25 + 1));

    m_pCtrl->SetTransparent(FALSE);
    m_pCtrl->UpdateWindow();
    EXPECT_EQ(RGB(255, 255, 255), ScreenPixel(5 + 2 * 3 + 1, 5 + 2 * 3 + 1));
}

TEST_F(ViewTest, EraseLeavesTheImageAreaAlone)
{
    ASSERT_TRUE(GiveImage(40, 30));
    m_pCtrl->SetMagnification(200);   // image from (5,5) to (85,65) inclusive
    // A memory DC the size of the client area, filled with a marker colour.
    HDC hdcScreen = ::GetDC(NULL);
    HDC hdc = ::CreateCompatibleDC(hdcScreen);
    HBITMAP hbm = ::CreateCompatibleBitmap(hdcScreen, 400, 300);
    ::ReleaseDC(NULL, hdcScreen);
    HGDIOBJ hOld = ::SelectObject(hdc, hbm);
    const COLORREF crMarker = RGB(1, 2, 3);
    HBRUSH hbr = ::CreateSolidBrush(crMarker);
    RECT rcAll = { 0, 0, 400, 300 };
    ::FillRect(hdc, &rcAll, hbr);
    ::DeleteObject(hbr);

    EXPECT_EQ(TRUE, m_pCtrl->SendMessage(WM_ERASEBKGND, (WPARAM)hdc, 0));
    const COLORREF crWorkspace = ::GetSysColor(COLOR_APPWORKSPACE);
    EXPECT_EQ(crMarker, ::GetPixel(hdc, 5, 5));
    EXPECT_EQ(crMarker, ::GetPixel(hdc, 85, 65));
    EXPECT_EQ(crMarker, ::GetPixel(hdc, 40, 30));
    EXPECT_EQ(crWorkspace, ::GetPixel(hdc, 4, 30));
    EXPECT_EQ(crWorkspace, ::GetPixel(hdc, 86, 30));
    EXPECT_EQ(crWorkspace, ::GetPixel(hdc, 40, 4));
    EXPECT_EQ(crWorkspace, ::GetPixel(hdc, 40, 66));
    EXPECT_EQ(crWorkspace, ::GetPixel(hdc, 399, 299));

    // Only the clip box is touched.
    ::FillRect(hdc, &rcAll, (HBRUSH)::GetStockObject(BLACK_BRUSH));
    ::IntersectClipRect(hdc, 200, 200, 250, 250);
    m_pCtrl->SendMessage(WM_ERASEBKGND, (WPARAM)hdc, 0);
    ::SelectClipRgn(hdc, NULL);
    EXPECT_EQ(crWorkspace, ::GetPixel(hdc, 220, 220));
    EXPECT_EQ(RGB(0, 0, 0), ::GetPixel(hdc, 190, 220));
    EXPECT_EQ(RGB(0, 0, 0), ::GetPixel(hdc, 220, 260));

    ::SelectObject(hdc, hOld);
    ::DeleteObject(hbm);
    ::DeleteDC(hdc);
}

TEST_F(ViewTest, SelectionFrameHasHandlesOutsideIt)
{
    // Drawn on a memory DC whose window origin is moved: the frame resets it to 0.
    HDC hdcScreen = ::GetDC(NULL);
    HDC hdc = ::CreateCompatibleDC(hdcScreen);
    HBITMAP hbm = ::CreateCompatibleBitmap(hdcScreen, 120, 100);
    ::ReleaseDC(NULL, hdcScreen);
    HGDIOBJ hOld = ::SelectObject(hdc, hbm);
    RECT rcAll = { 0, 0, 120, 100 };
    ::FillRect(hdc, &rcAll, (HBRUSH)::GetStockObject(GRAY_BRUSH));
    const COLORREF crGrey = ::GetPixel(hdc, 0, 0);
    ::SetWindowOrgEx(hdc, 7, 9, NULL);

    CDC* pDC = CDC::FromHandle(hdc);
    const CRect rc(60, 50, 20, 20);   // unnormalised: (20, 20, 60, 50)
    m_pCtrl->DrawFrame(pDC, rc, TRUE);
    ::SetWindowOrgEx(hdc, 0, 0, NULL);

    // The dotted line runs one pixel outside the rectangle.
    int blue = 0;
    for (int x = 19; x <= 60; x++)
        blue += ::GetPixel(hdc, x, 19) == crFrameBlue;
    EXPECT_GT(blue, 8);
    EXPECT_EQ(crGrey, ::GetPixel(hdc, 40, 21));
    EXPECT_EQ(crGrey, ::GetPixel(hdc, 40, 35));

    // Handles of 5 x 5 whose inner edge is the frame line: white edge, black inside. Corners
    // at 15..19 and 60..64; the middle ones centred on the sides.
    struct Handle { int left, top; } handles[] = {
        { 15, 15 }, { 60, 15 }, { 60, 50 }, { 15, 50 },
        { 15 + (50 - 5) / 2, 15 }, { 60, 15 + (40 - 5) / 2 }, { 15 + (50 - 5) / 2, 50 }, { 15, 15 + (40 - 5) / 2 },
    };
    for (const Handle& h : handles)
    {
        EXPECT_EQ(RGB(255, 255, 255), ::GetPixel(hdc, h.left, h.top)) << h.left << "," << h.top;
        EXPECT_EQ(RGB(255, 255, 255), ::GetPixel(hdc, h.left + 4, h.top + 4)) << h.left << "," << h.top;
        EXPECT_EQ(RGB(0, 0, 0), ::GetPixel(hdc, h.left + 2, h.top + 2)) << h.left << "," << h.top;
        EXPECT_EQ(crGrey, ::GetPixel(hdc, h.left - 1, h.top + 2)) << h.left << "," << h.top;
    }

    // Without handles only the line; a small rectangle keeps its corner handles only.
    ::FillRect(hdc, &rcAll, (HBRUSH)::GetStockObject(GRAY_BRUSH));
    m_pCtrl->DrawFrame(pDC, CRect(20, 20, 60, 50), FALSE);
    EXPECT_EQ(crGrey, ::GetPixel(hdc, 17, 17));
    ::FillRect(hdc, &rcAll, (HBRUSH)::GetStockObject(GRAY_BRUSH));
    m_pCtrl->DrawFrame(pDC, CRect(20, 20, 30, 30), TRUE);
    EXPECT_EQ(RGB(0, 0, 0), ::GetPixel(hdc, 17, 17));
    EXPECT_EQ(crGrey, ::GetPixel(hdc, 15 + (20 - 5) / 2 + 2, 17));

    ::SelectObject(hdc, hOld);
    ::DeleteObject(hbm);
    ::DeleteDC(hdc);
}

TEST_F(ViewTest, ShownSelectionIsFramedOnTheScreen)
{
    ASSERT_TRUE(GivePatternImage(40, 30));
    m_pCtrl->SetMagnification(200);
    CRect rcSel(5, 5, 25, 20);
    m_pCtrl->m_rcSelection = rcSel;
    m_pCtrl->SetShowSelectionRect(TRUE);
    m_pCtrl->UpdateWindow();
    // Device rectangle (15, 15, 55, 45); top-left handle at 10..14, bottom-right at 55..59.
    EXPECT_EQ(RGB(0, 0, 0), ScreenPixel(12, 12));
    EXPECT_EQ(RGB(255, 255, 255), ScreenPixel(10, 10));
    EXPECT_EQ(RGB(0, 0, 0), ScreenPixel(57, 47));
    // Inside the selection the picture shows.
    CPoint pt = CellPoint(10, 10, 2.0, 1);
    EXPECT_EQ(PatternColour(10, 10), ScreenPixel(pt.x, pt.y));
}

// ---------------------------------------------------------------------------
// Grid

TEST_F(ViewTest, GridLinesRunAtEveryPixelEdgeAtSixHundredPercent)
{
    ASSERT_TRUE(GivePatternImage(30, 20));
    m_pCtrl->SetMagnification(600);
    m_pCtrl->UpdateWindow();
    const COLORREF crFace = ::GetSysColor(COLOR_BTNFACE), crShadow = ::GetSysColor(COLOR_BTNSHADOW);
    // Column lines at 5 + 6i, over the image's height; both checkerboard colours appear.
    int nFace = 0, nShadow = 0;
    for (int i = 1; i < 30; i += 4)
        for (int y = 6; y < 5 + 120; y += 5)
        {
            COLORREF cr = ScreenPixel(5 + 6 * i, y);
            ASSERT_TRUE(IsGridColour(cr)) << i << "," << y;
            nFace += cr == crFace;
            nShadow += cr == crShadow;
        }
    EXPECT_GT(nFace, 0);
    EXPECT_GT(nShadow, 0);
    for (int j = 1; j < 20; j += 3)
        EXPECT_TRUE(IsGridColour(ScreenPixel(5 + 6 * 7 + 3, 5 + 6 * j))) << j;
    // Between the lines the pixels keep their colours.
    for (int j = 0; j < 20; j += 3)
        for (int i = 0; i < 30; i += 4)
        {
            CPoint pt = CellPoint(i, j, 6.0, 3);
            ASSERT_EQ(PatternColour(i, j), ScreenPixel(pt.x, pt.y)) << i << "," << j;
        }

    // Off: the pixel colour shows where the line was.
    m_pCtrl->SetShowGrid(FALSE);
    m_pCtrl->UpdateWindow();
    EXPECT_EQ(PatternColour(7, 3), ScreenPixel(5 + 6 * 7, 5 + 6 * 3 + 3));
}

TEST_F(ViewTest, GridNeedsItsMinimumAndWholeMultiples)
{
    ASSERT_TRUE(GivePatternImage(30, 20));
    // Column line of image pixel 5 at magnification m: x = 5 + int(5 m); y inside row 3.
    auto lineShown = [&](double m) {
        m_pCtrl->UpdateWindow();
        return IsGridColour(ScreenPixel(5 + (int)(5 * m), 5 + (int)(3 * m) + 1));
    };
    m_pCtrl->SetMagnification(200);
    EXPECT_FALSE(lineShown(2.0));   // default minimum 600
    m_pCtrl->SetShowGrid(TRUE, 200);
    EXPECT_TRUE(m_pCtrl->GetShowGrid());
    EXPECT_TRUE(lineShown(2.0));
    m_pCtrl->SetMagnification(500);
    EXPECT_TRUE(lineShown(5.0));
    m_pCtrl->m_dMagnification = 2.5;   // a fitted factor: not a whole multiple of 100 %
    m_pCtrl->Invalidate();
    EXPECT_FALSE(lineShown(2.5));
    m_pCtrl->m_bGridWholePercentOnly = FALSE;
    m_pCtrl->Invalidate();
    EXPECT_TRUE(lineShown(2.5));
    // Below 200 % never, whatever the minimum: every pixel of a row keeps its colour.
    m_pCtrl->SetShowGrid(TRUE, 100);
    m_pCtrl->SetMagnification(100);
    m_pCtrl->UpdateWindow();
    for (int x = 0; x < 30; x++)
        ASSERT_EQ(PatternColour(x, 3), ScreenPixel(5 + x, 5 + 3)) << x;
}

TEST_F(ViewTest, ScreenshotAtSixHundredPercentWithGrid)
{
    ASSERT_TRUE(GivePatternImage(48, 36));
    m_pCtrl->SetMagnification(600);
    m_pCtrl->UpdateWindow();
    ASSERT_TRUE(testenv::SaveWindowBitmap(m_pCtrl->m_hWnd, "paint-600-grid.bmp"));

    // The file holds the client area bottom-up, 24 bits per pixel.
    FILE* pFile = fopen(testenv::OutputPath("paint-600-grid.bmp").c_str(), "rb");
    ASSERT_NE(nullptr, pFile);
    BITMAPFILEHEADER bfh;
    BITMAPINFOHEADER bih;
    ASSERT_EQ(1u, fread(&bfh, sizeof(bfh), 1, pFile));
    ASSERT_EQ(1u, fread(&bih, sizeof(bih), 1, pFile));
    EXPECT_EQ(0x4D42, bfh.bfType);
    EXPECT_EQ(400, bih.biWidth);
    EXPECT_EQ(300, bih.biHeight);
    EXPECT_EQ(24, bih.biBitCount);
    const int stride = (400 * 3 + 3) & ~3;
    EXPECT_EQ(sizeof(bfh) + sizeof(bih) + (size_t)stride * 300, (size_t)bfh.bfSize);
    std::vector<BYTE> bits((size_t)stride * 300);
    ASSERT_EQ(1u, fread(bits.data(), bits.size(), 1, pFile));
    fclose(pFile);
    auto filePixel = [&](int x, int y) {
        const BYTE* p = &bits[(size_t)(299 - y) * stride + 3 * x];
        return RGB(p[2], p[1], p[0]);
    };
    CPoint pt = CellPoint(10, 8, 6.0, 3);
    EXPECT_EQ(PatternColour(10, 8), filePixel(pt.x, pt.y));
    EXPECT_TRUE(IsGridColour(filePixel(5 + 6 * 10, pt.y)));
    EXPECT_EQ(::GetSysColor(COLOR_APPWORKSPACE), filePixel(399, 299));
}
