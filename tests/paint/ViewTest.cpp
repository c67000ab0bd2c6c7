// The control's view: coordinate conversions, magnification, centring, scroll bars,
// scrolling and what the window shows (read back from the screen).
#include "PaintFixture.h"
#include "common/Screenshot.h"

namespace
{
// A colour per image pixel, none of them a system colour of the view.
COLORREF PatternColour(int x, int y)
{
    return RGB(16 + (x * 37) % 200, 8 + (y * 53) % 200, 90 + ((x + y) % 2) * 100);
}

bool IsGridColour(COLORREF cr)
{
    return cr == ::GetSysColor(COLOR_BTNFACE) || cr == ::GetSysColor(COLOR_BTNSHADOW);
}

// The memory DC of a 24-bit canvas filled with cr, for drawing the control's parts on.
CDC* CanvasDC(CDIBSection& canvas, int cx, int cy, COLORREF cr)
{
    return canvas.CreateBitmap(cx, cy, 1, 24) && canvas.Clear(cr) ? canvas.GetMemoryDC(NULL, FALSE) : NULL;
}
}

class ViewTest : public PaintFixture
{
protected:
    // An image whose every pixel has its own colour, shown.
    bool GivePatternImage(int cx, int cy)
    {
        if (!GiveImage(cx, cy, 24))
            return false;
        CDIBSection& image = *m_pCtrl->GetDIBsection();
        for (int y = 0; y < cy; y++)
            for (int x = 0; x < cx; x++)
            {
                COLORREF cr = PatternColour(x, y);   // the bits hold blue, green, red
                imagetest::SetRawPixel(image, x, y, RGB(GetBValue(cr), GetGValue(cr), GetRValue(cr)));
            }
        Repaint();
        return true;
    }
    void Repaint()
    {
        m_pCtrl->Invalidate(TRUE);
        m_pCtrl->UpdateWindow();
    }

    int HPos() { return m_pCtrl->m_nHScrollRange >= 1 ? m_pCtrl->GetScrollPos(SB_HORZ) : 0; }
    int VPos() { return m_pCtrl->m_nVScrollRange >= 1 ? m_pCtrl->GetScrollPos(SB_VERT) : 0; }
    void Scroll(UINT message, UINT nCode, int nPos = 0) { m_pCtrl->SendMessage(message, MAKEWPARAM(nCode, nPos)); }

    // The screen shows the pattern colour of image pixel (i, j) at magnification m, margins 5:
    // its cell starts at int(i * m) + 5 less the scroll position; probed `inset` pixels into it.
    ::testing::AssertionResult ShowsPixel(int i, int j, double m = 1.0, int inset = 0)
    {
        COLORREF cr = ScreenPixel((int)(i * m) + 5 - HPos() + inset, (int)(j * m) + 5 - VPos() + inset);
        if (cr == PatternColour(i, j))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "pixel " << i << "," << j << " shows " << std::hex << cr;
    }

    bool ScrollBarVisible(LONG idObject)
    {
        SCROLLBARINFO sbi = {};
        sbi.cbSize = sizeof(sbi);
        return ::GetScrollBarInfo(m_pCtrl->m_hWnd, idObject, &sbi) && !(sbi.rgstate[0] & STATE_SYSTEM_INVISIBLE);
    }

    const COLORREF m_crWorkspace = ::GetSysColor(COLOR_APPWORKSPACE);
};

TEST_F(ViewTest, ConversionsTruncateTowardZero)
{
    ASSERT_TRUE(GiveImage(40, 30));
    struct Row { UINT nPercent; CPoint origin, image, logical, back; CSize display; } rows[] = {
        { 100, { 0, 0 }, { 0, 0 }, { 5, 5 }, { 0, 0 }, { 50, 40 } },
        { 100, { 0, 0 }, { 40, 30 }, { 45, 35 }, { 40, 30 }, { 50, 40 } },
        { 250, { 0, 0 }, { 3, 3 }, { 12, 12 }, { 2, 2 }, { 110, 85 } },   // int(7.5) + 5, int(7 / 2.5)
        // The origin is added before magnification; the extent covers it.
        { 200, { 3, -2 }, { 1, 4 }, { 13, 9 }, { 1, 4 }, { 96, 66 } },
    };
    for (const Row& r : rows)
    {
        SCOPED_TRACE(r.nPercent);
        m_pCtrl->SetMagnification(r.nPercent);
        m_pCtrl->SetOrigin(r.origin);
        CPoint pt = r.image, ptBR = r.image + CSize(1, 2);
        CRect rc(pt, ptBR);   // rectangles convert edge by edge
        m_pCtrl->IPtoLP(&pt);
        EXPECT_EQ(r.logical, pt);
        m_pCtrl->LPtoIP(&pt);
        EXPECT_EQ(r.back, pt);
        EXPECT_EQ(r.display, m_pCtrl->ImageDisplaySize());
        m_pCtrl->IPtoLP(&rc);
        m_pCtrl->IPtoLP(&ptBR);
        EXPECT_EQ(CRect(r.logical, ptBR), rc);
    }
    // At 250 %: sizes take neither origin nor margin; points left of the margin give a
    // negative quotient, which truncates toward zero too.
    m_pCtrl->SetOrigin(0, 0);
    m_pCtrl->SetMagnification(250);
    CSize size(3, 5);
    m_pCtrl->IPtoLP(&size);
    EXPECT_EQ(CSize(7, 12), size);
    m_pCtrl->LPtoIP(&size);
    EXPECT_EQ(CSize(2, 4), size);
    CRect rc(1, 0, 12, 12);
    m_pCtrl->LPtoIP(&rc);
    EXPECT_EQ(CRect(-1, -2, 2, 2), rc);

    // Magnification 0 maps everything to 0 rather than dividing by it.
    m_pCtrl->m_dMagnification = 0;
    CPoint pt(100, 50);
    m_pCtrl->LPtoIP(&pt);
    m_pCtrl->LPtoIP(&rc);
    m_pCtrl->LPtoIP(&size);
    EXPECT_EQ(CPoint(0, 0), pt);
    EXPECT_EQ(CRect(0, 0, 0, 0), rc);
    EXPECT_EQ(CSize(0, 0), size);
}

TEST_F(ViewTest, DeviceConversionsShiftByTheScrollPositions)
{
    ASSERT_TRUE(GiveImage(1000, 800));
    Scroll(WM_HSCROLL, SB_THUMBPOSITION, 123);
    Scroll(WM_VSCROLL, SB_THUMBPOSITION, 77);
    ASSERT_EQ(123, HPos());
    ASSERT_EQ(77, VPos());
    CPoint pt(200, 100);
    CSize size(200, 100);   // sizes carry points here: shifted the same way
    CRect rc(200, 100, 300, 400);
    m_pCtrl->LPtoDP(&pt);
    m_pCtrl->LPtoDP(&size);
    m_pCtrl->LPtoDP(&rc);
    EXPECT_EQ(CPoint(77, 23), pt);
    EXPECT_EQ(CSize(77, 23), size);
    EXPECT_EQ(CRect(77, 23, 177, 323), rc);
    m_pCtrl->DPtoLP(&pt);
    m_pCtrl->DPtoLP(&size);
    m_pCtrl->DPtoLP(&rc);
    EXPECT_EQ(CPoint(200, 100), pt);
    EXPECT_EQ(CSize(200, 100), size);
    EXPECT_EQ(CRect(200, 100, 300, 400), rc);

    // A client point to the image: add the scroll position, take off the margin, divide.
    EXPECT_EQ(CPoint(10 + 123 - 5, 20 + 77 - 5), m_pCtrl->ClientToImage(CPoint(10, 20)));
    m_pCtrl->SetMagnification(300);
    Scroll(WM_HSCROLL, SB_THUMBPOSITION, 600);
    EXPECT_EQ(CPoint((10 + 600 - 5) / 3, (20 + VPos() - 5) / 3), m_pCtrl->ClientToImage(CPoint(10, 20)));
}

// Every conversion, both ways, where nothing is symmetric: the centred margins differ per
// axis, the origin and the scroll positions too. The expected values come from the mapping
// itself: image x goes to int((x + origin.x) * m) + margin.left, less the scroll position.
TEST_F(ViewTest, ConversionsKeepTheAxesApartWithCentredMarginsAndScrolling)
{
    const int cx = 120, cy = 50;
    const CPoint origin(2, 3);
    const double m = 2.5;
    ASSERT_TRUE(GiveImage(cx, cy));
    m_pCtrl->CentreImage(TRUE);
    m_pCtrl->SetOrigin(origin);
    m_pCtrl->SetMagnification(250);   // centres again, with the origin
    // The extent, and the margins that centre it in the 400 x 300 client area.
    const CSize display((int)((cx + origin.x) * m) + 10, (int)((cy + origin.y) * m) + 10);
    const int left = (kClientWidth - display.cx) / 2 + 5, top = (kClientHeight - display.cy) / 2 + 5;
    ASSERT_NE(left, top);
    EXPECT_EQ(display, m_pCtrl->ImageDisplaySize());

    // A smaller window keeps the margins (centring is done once) and needs both bars.
    m_pCtrl->MoveWindow(10, 10, 200, 110);
    ASSERT_TRUE(m_pCtrl->m_nHScrollRange >= 1 && m_pCtrl->m_nVScrollRange >= 1);
    const int hpos = 37, vpos = 19;
    m_pCtrl->SetScrollPos(SB_HORZ, hpos);
    m_pCtrl->SetScrollPos(SB_VERT, vpos);
    ASSERT_EQ(CSize(hpos, vpos), CSize(HPos(), VPos()));

    auto ipToLpX = [&](int x) { return (int)((x + origin.x) * m) + left; };
    auto ipToLpY = [&](int y) { return (int)((y + origin.y) * m) + top; };
    auto lpToIpX = [&](int x) { return (int)((x - left) / m) - origin.x; };
    auto lpToIpY = [&](int y) { return (int)((y - top) / m) - origin.y; };

    // Image to logical and back; points above and left of the image too.
    for (const CPoint& ip : { CPoint(0, 0), CPoint(7, 3), CPoint(cx, cy), CPoint(-4, -7), CPoint(33, 11) })
    {
        SCOPED_TRACE(testing::Message() << ip.x << "," << ip.y);
        CPoint pt = ip;
        m_pCtrl->IPtoLP(&pt);
        EXPECT_EQ(CPoint(ipToLpX(ip.x), ipToLpY(ip.y)), pt);
        CPoint back = pt;
        m_pCtrl->LPtoIP(&back);
        EXPECT_EQ(CPoint(lpToIpX(pt.x), lpToIpY(pt.y)), back);
        CPoint dp = pt;
        m_pCtrl->LPtoDP(&dp);
        EXPECT_EQ(CPoint(pt.x - hpos, pt.y - vpos), dp);
        m_pCtrl->DPtoLP(&dp);
        EXPECT_EQ(pt, dp);
    }
    // Logical points inside cells and left of the margin truncate toward zero both ways.
    for (const CPoint& lp : { CPoint(left + 6, top + 4), CPoint(left - 3, top - 6), CPoint(40, 80), CPoint(200, 150) })
    {
        SCOPED_TRACE(testing::Message() << lp.x << "," << lp.y);
        CPoint pt = lp;
        m_pCtrl->LPtoIP(&pt);
        EXPECT_EQ(CPoint(lpToIpX(lp.x), lpToIpY(lp.y)), pt);
    }

    // Rectangles: left and right as x, top and bottom as y.
    CRect rc(3, 8, 21, 13);
    m_pCtrl->IPtoLP(&rc);
    const CRect rcLogical(ipToLpX(3), ipToLpY(8), ipToLpX(21), ipToLpY(13));
    EXPECT_EQ(rcLogical, rc);
    m_pCtrl->LPtoDP(&rc);
    EXPECT_EQ(CRect(rcLogical.left - hpos, rcLogical.top - vpos, rcLogical.right - hpos, rcLogical.bottom - vpos), rc);
    m_pCtrl->DPtoLP(&rc);
    EXPECT_EQ(rcLogical, rc);
    CRect rcOdd(left + 1, top + 2, left + 17, top + 9);
    m_pCtrl->LPtoIP(&rcOdd);
    EXPECT_EQ(CRect(lpToIpX(left + 1), lpToIpY(top + 2), lpToIpX(left + 17), lpToIpY(top + 9)), rcOdd);

    // Sizes scale without origin or margin; their device forms shift like points.
    CSize size(7, 3);
    m_pCtrl->IPtoLP(&size);
    EXPECT_EQ(CSize((int)(7 * m), (int)(3 * m)), size);
    size = CSize(17, 9);
    m_pCtrl->LPtoIP(&size);
    EXPECT_EQ(CSize((int)(17 / m), (int)(9 / m)), size);
    size = CSize(150, 60);
    m_pCtrl->LPtoDP(&size);
    EXPECT_EQ(CSize(150 - hpos, 60 - vpos), size);
    m_pCtrl->DPtoLP(&size);
    EXPECT_EQ(CSize(150, 60), size);

    // A client point to the image, as the mouse handlers do it.
    const CPoint ptClient(23, 41);
    EXPECT_EQ(CPoint(lpToIpX(ptClient.x + hpos), lpToIpY(ptClient.y + vpos)), m_pCtrl->ClientToImage(ptClient));
}

TEST_F(ViewTest, NextLevelStepsThroughThePresetsAndStopsAtTheEnds)
{
    // Current value, next up, next down.
    const int table[][3] = { { 10, 50, -1 }, { 50, 100, 10 }, { 100, 200, 50 }, { 200, 300, 100 },
                             { 300, 400, 200 }, { 400, 500, 300 }, { 500, 600, 400 }, { 600, -1, 500 },
                             { 150, 200, 100 }, { 0, 10, -1 }, { 5000, -1, 600 } };
    for (const auto& row : table)
    {
        SCOPED_TRACE(row[0]);
        EXPECT_EQ(row[1], m_pCtrl->GetNextMagLevel(row[0], TRUE));
        EXPECT_EQ(row[2], m_pCtrl->GetNextMagLevel(row[0], FALSE));
        // -1 takes the current magnification, which may lie between levels.
        m_pCtrl->m_dMagnification = row[0] * 0.01;
        EXPECT_EQ(row[1], m_pCtrl->GetNextMagLevel(-1, TRUE));
        EXPECT_EQ(row[2], m_pCtrl->GetNextMagLevel(-1, FALSE));
    }
}

TEST_F(ViewTest, MagnificationChangesNotifyAndResizeTheScrollBars)
{
    EXPECT_FALSE(m_pCtrl->SetMagnificationToFillWindow());   // no image: the magnification stays
    EXPECT_TRUE(m_pFrame->m_codes.empty() && m_pCtrl->GetMagnification() == 100);
    ASSERT_TRUE(GiveImage(100, 80));
    m_pCtrl->SetMagnification(400);
    EXPECT_EQ(400u, m_pCtrl->GetMagnification());
    EXPECT_EQ(std::vector<UINT>{ CPntCtrl::m_nMagnificationChangedMessage }, m_pFrame->m_codes);
    // 400 + 10 wide and 320 + 10 high do not fit in 400 x 300: both bars.
    int nMin, nHMax, nVMax;
    m_pCtrl->GetScrollRange(SB_HORZ, &nMin, &nHMax);
    m_pCtrl->GetScrollRange(SB_VERT, &nMin, &nVMax);
    EXPECT_EQ(CSize(410, 330), CSize(nHMax, nVMax));

    // Filling the window measures it without the bars, 400 x 300; the smaller factor wins.
    ASSERT_TRUE(GiveImage(1000, 500));
    ASSERT_TRUE(m_pCtrl->SetMagnificationToFillWindow());
    EXPECT_DOUBLE_EQ(std::min((400.0 - 10 - 1) / 1000, (300.0 - 10 - 1) / 500), m_pCtrl->m_dMagnification);
    EXPECT_EQ(38u, m_pCtrl->GetMagnification());
    EXPECT_EQ(1, NotifyCount(CPntCtrl::m_nMagnificationChangedMessage));
    EXPECT_FALSE(ScrollBarVisible(OBJID_HSCROLL) || ScrollBarVisible(OBJID_VSCROLL));
    EXPECT_EQ(CRect(0, 0, 400, 300), ClientRect());
}

TEST_F(ViewTest, CentringPlacesTheImageInTheMiddleOnce)
{
    ASSERT_TRUE(GivePatternImage(40, 30));
    m_pCtrl->CentreImage(TRUE);
    EXPECT_TRUE(m_pCtrl->ImageCentered());
    auto imageOrigin = [&] {
        CPoint pt(0, 0);
        m_pCtrl->IPtoLP(&pt);
        return pt;
    };
    const CPoint ptCentred((400 - 50) / 2 + 5, (300 - 40) / 2 + 5);   // display size 50 x 40
    EXPECT_EQ(ptCentred, imageOrigin());
    m_pCtrl->UpdateWindow();
    EXPECT_EQ(PatternColour(0, 0), ScreenPixel(ptCentred.x, ptCentred.y));
    EXPECT_EQ(PatternColour(39, 29), ScreenPixel(ptCentred.x + 39, ptCentred.y + 29));
    EXPECT_EQ(m_crWorkspace, ScreenPixel(10, 10));

    // A new magnification centres again; resizing does not.
    m_pCtrl->SetMagnification(200);
    EXPECT_EQ(CPoint((400 - 90) / 2 + 5, (300 - 70) / 2 + 5), imageOrigin());
    m_pCtrl->MoveWindow(10, 10, 300, 250);
    EXPECT_EQ(CPoint((400 - 90) / 2 + 5, (300 - 70) / 2 + 5), imageOrigin());
    m_pCtrl->CentreImage(FALSE);
    EXPECT_EQ(CPoint(5, 5), imageOrigin());
}

TEST_F(ViewTest, ScrollBarsAppearWhenTheExtentReachesTheClientSize)
{
    const int cxv = ::GetSystemMetrics(SM_CXVSCROLL), cyh = ::GetSystemMetrics(SM_CYHSCROLL);
    // Image size, then the ranges that it needs (0: no bar) and the client area left.
    const int rows[][6] = {
        { 0, 0, 0, 0, 400, 300 },                       // no image
        { 100, 290, 0, 300, 400 - cxv, 300 },           // exactly as high as the client area
        { 100, 289, 0, 0, 400, 300 },
        { 390, 100, 400, 0, 400, 300 - cyh },
        { 390, 300 - cyh - 10, 400, 300 - cyh, 400 - cxv, 300 - cyh },   // the bars need each other
    };
    for (const auto& r : rows)
    {
        SCOPED_TRACE(r[1]);
        if (r[0] != 0)
            ASSERT_TRUE(GiveImage(r[0], r[1]));
        else   // without an image the window shows only the workspace colour
            for (int y = 0; y < 300; y += 37)
                for (int x = 0; x < 400; x += 41)
                    ASSERT_EQ(m_crWorkspace, ScreenPixel(x, y)) << x << "," << y;
        EXPECT_EQ(CSize(r[2], r[3]), CSize(m_pCtrl->m_nHScrollRange, m_pCtrl->m_nVScrollRange));
        EXPECT_EQ(r[2] != 0, ScrollBarVisible(OBJID_HSCROLL));
        EXPECT_EQ(r[3] != 0, ScrollBarVisible(OBJID_VSCROLL));
        EXPECT_EQ(CRect(0, 0, r[4], r[5]), ClientRect());
    }
    // Growing the window drops the bars again.
    m_pCtrl->MoveWindow(10, 10, 500, 400);
    EXPECT_EQ(0, m_pCtrl->m_nHScrollRange + m_pCtrl->m_nVScrollRange);
    EXPECT_FALSE(ScrollBarVisible(OBJID_HSCROLL));
}

TEST_F(ViewTest, ScrollCodesMoveByLinePageAndToTheEnds)
{
    ASSERT_TRUE(GivePatternImage(800, 1000));
    const CRect rc = ClientRect();
    ASSERT_EQ(1010, m_pCtrl->m_nVScrollRange);
    const int h = rc.Height(), step = h / 10;
    // The window keeps the position where the page still fits in the range.
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    ::GetScrollInfo(m_pCtrl->m_hWnd, SB_VERT, &si);
    const int maxPos = 1010 - (int)si.nPage + 1;
    const int steps[][3] = { { SB_LINEDOWN, 0, step }, { SB_PAGEDOWN, 0, step + h }, { SB_LINEUP, 0, h },
                             { SB_PAGEUP, 0, 0 }, { SB_LINEUP, 0, 0 }, { SB_BOTTOM, 0, maxPos },
                             { SB_LINEDOWN, 0, maxPos }, { SB_TOP, 0, 0 }, { SB_THUMBTRACK, 321, 321 },
                             { SB_TOP, 0, 0 } };
    for (const auto& s : steps)
    {
        Scroll(WM_VSCROLL, s[0], s[1]);
        EXPECT_EQ(s[2], VPos()) << s[0];
    }

    // Horizontally the step is a tenth of the width. A line step moves the pixels shown and
    // repaints the strip uncovered at the right and bottom, or, going back, the left and top.
    Scroll(WM_VSCROLL, SB_LINEDOWN);
    Scroll(WM_HSCROLL, SB_LINEDOWN);
    EXPECT_EQ(rc.Width() / 10, HPos());
    m_pCtrl->UpdateWindow();
    for (const CPoint& pt : { CPoint(3, 3), CPoint(100, 50), CPoint(rc.right - 2, 20), CPoint(30, rc.bottom - 2),
                              CPoint(rc.right - 1, rc.bottom - 1) })
        EXPECT_TRUE(ShowsPixel(pt.x + HPos() - 5, pt.y + VPos() - 5));
    Scroll(WM_VSCROLL, SB_LINEUP);
    Scroll(WM_HSCROLL, SB_LINEUP);
    m_pCtrl->UpdateWindow();
    EXPECT_TRUE(ShowsPixel(0, 0) && ShowsPixel(20, 7));
    EXPECT_EQ(m_crWorkspace, ScreenPixel(2, 30));
    Scroll(WM_HSCROLL, SB_PAGEDOWN);
    EXPECT_EQ(rc.Width(), HPos());
}

TEST_F(ViewTest, PixelsFillTheirCellsInsideADottedFrame)
{
    ASSERT_TRUE(GivePatternImage(120, 100));
    for (int y = 0; y < 30; y += 3)
        for (int x = 0; x < 40; x += 3)
            ASSERT_TRUE(ShowsPixel(x, y));
    // The image frame: a dotted blue line one pixel outside the image on the left and top,
    // and on the column and row just past the image's last (the image spans 0 to W inclusive).
    int blueLeft = 0, blueRight = 0, other = 0;
    for (int y = 5; y < 105; y++)
    {
        blueLeft += ScreenPixel(4, y) == kBlue;
        blueRight += ScreenPixel(125, y) == kBlue;
        other += ScreenPixel(4, y) != kBlue && ScreenPixel(4, y) != kWhite;   // gaps: background
    }
    EXPECT_TRUE(blueLeft >= 30 && blueLeft <= 70) << blueLeft;   // dotted, not solid
    EXPECT_GE(blueRight, 30);
    EXPECT_EQ(0, other);
    for (const CPoint& pt : { CPoint(3, 20), CPoint(126, 20), CPoint(20, 106), CPoint(2, 2) })   // no handles
        EXPECT_EQ(m_crWorkspace, ScreenPixel(pt.x, pt.y));
    // The select tool draws no image frame: there the workspace shows.
    m_pCtrl->m_nToolMode = TOOL_SELECT;
    Repaint();
    for (int y = 5; y < 105; y++)
        ASSERT_EQ(m_crWorkspace, ScreenPixel(4, y)) << y;

    // Magnified and scrolled: the image is stretched over W * 4 + 1 pixels, so probe one
    // pixel into each cell.
    m_pCtrl->SetMagnification(400);
    Scroll(WM_HSCROLL, SB_THUMBPOSITION, 80);
    Scroll(WM_VSCROLL, SB_THUMBPOSITION, 40);
    m_pCtrl->UpdateWindow();
    ASSERT_EQ(CSize(80, 40), CSize(HPos(), VPos()));
    for (int j = 10; j < 20; j += 3)
        for (int i = 20; i < 30; i += 3)
            ASSERT_TRUE(ShowsPixel(i, j, 4.0, 1));
}

TEST_F(ViewTest, TransparentDisplayShowsTheWorkspaceThroughTheKeyColour)
{
    ASSERT_TRUE(GiveImage(40, 30));
    CRect rcRed(10, 10, 20, 20);
    m_pCtrl->GetDIBsection()->ClearRect(&rcRed, RGB(200, 0, 0));
    m_pCtrl->SetMagnification(200);
    m_pCtrl->SetTransparentColor(kWhite);
    m_pCtrl->SetTransparent(TRUE);
    m_pCtrl->UpdateWindow();
    // Image pixel (i, j) at 200 % starts at 5 + 2i.
    EXPECT_EQ(m_crWorkspace, ScreenPixel(5 + 2 * 3 + 1, 5 + 2 * 3 + 1));
    EXPECT_EQ(RGB(200, 0, 0), ScreenPixel(5 + 2 * 12 + 1, 5 + 2 * 12 + 1));
    EXPECT_EQ(m_crWorkspace, ScreenPixel(5 + 2 * 30 + 1, 5 + 2 * 25 + 1));
    m_pCtrl->SetTransparent(FALSE);
    m_pCtrl->UpdateWindow();
    EXPECT_EQ(kWhite, ScreenPixel(5 + 2 * 3 + 1, 5 + 2 * 3 + 1));
    // Without the frame (select tool) the image is seen to cover (5, 5) to (85, 65) inclusive.
    m_pCtrl->m_nToolMode = TOOL_SELECT;
    Repaint();
    EXPECT_TRUE(ScreenPixel(85, 65) == kWhite && ScreenPixel(86, 66) == m_crWorkspace);
}

TEST_F(ViewTest, EraseLeavesTheImageAreaAndAllOutsideTheClipBoxAlone)
{
    ASSERT_TRUE(GiveImage(40, 30));
    m_pCtrl->SetMagnification(200);   // image from (5, 5) to (85, 65) inclusive
    const COLORREF crMarker = RGB(1, 2, 3);
    CDIBSection canvas;
    CDC* pDC = CanvasDC(canvas, 400, 300, crMarker);
    ASSERT_NE(nullptr, pDC);
    auto pixel = [&](int x, int y) { return imagetest::PixelColour(canvas, x, y); };
    EXPECT_EQ(TRUE, m_pCtrl->SendMessage(WM_ERASEBKGND, (WPARAM)pDC->GetSafeHdc()));
    for (const CPoint& pt : { CPoint(5, 5), CPoint(85, 65), CPoint(40, 30) })
        EXPECT_EQ(crMarker, pixel(pt.x, pt.y)) << pt.x << "," << pt.y;
    for (const CPoint& pt : { CPoint(4, 30), CPoint(86, 30), CPoint(40, 4), CPoint(40, 66), CPoint(399, 299) })
        EXPECT_EQ(m_crWorkspace, pixel(pt.x, pt.y)) << pt.x << "," << pt.y;

    canvas.Clear(crMarker);
    pDC = canvas.GetMemoryDC(NULL, FALSE);
    pDC->IntersectClipRect(200, 200, 250, 250);
    m_pCtrl->SendMessage(WM_ERASEBKGND, (WPARAM)pDC->GetSafeHdc());
    EXPECT_EQ(m_crWorkspace, pixel(220, 220));
    EXPECT_TRUE(pixel(190, 220) == crMarker && pixel(220, 260) == crMarker);
}

TEST_F(ViewTest, ShownSelectionHasHandlesOutsideItsDottedFrame)
{
    ASSERT_TRUE(GivePatternImage(40, 30));
    m_pCtrl->SetMagnification(200);
    m_pCtrl->m_rcSelection = CRect(5, 5, 25, 20);   // device (15, 15, 55, 45)
    m_pCtrl->SetShowSelectionRect(TRUE);
    // A partial repaint: the buffer's window origin is (8, 8); the frame is placed all the same.
    Validate();
    m_pCtrl->InvalidateRect(CRect(8, 8, 70, 60));
    m_pCtrl->UpdateWindow();
    // Handles of 5 x 5 whose inner edge is the frame line: white edge, black inside. Corners
    // at 10..14 and 55..59; the middle ones centred on the sides.
    for (const CPoint& h : { CPoint(10, 10), CPoint(55, 10), CPoint(55, 45), CPoint(10, 45), CPoint(32, 10),
                             CPoint(55, 27), CPoint(32, 45), CPoint(10, 27) })
        EXPECT_TRUE(ScreenPixel(h.x, h.y) == kWhite && ScreenPixel(h.x + 4, h.y + 4) == kWhite
                    && ScreenPixel(h.x + 2, h.y + 2) == kBlack) << h.x << "," << h.y;
    // The dotted line runs one pixel outside the selection; inside the picture shows.
    int blue = 0;
    for (int x = 15; x < 55; x++)
        blue += ScreenPixel(x, 14) == kBlue;
    EXPECT_GT(blue, 8);
    EXPECT_TRUE(ShowsPixel(10, 10, 2.0, 1));
    // A small selection keeps its corner handles only.
    m_pCtrl->m_rcSelection = CRect(5, 5, 10, 10);   // device (15, 15, 25, 25)
    Repaint();
    EXPECT_TRUE(ScreenPixel(12, 12) == kBlack && ScreenPixel(19, 12) != kBlack);
}

TEST_F(ViewTest, GridLinesRunAtEveryPixelEdgeFromItsMinimumAtWholeMultiples)
{
    ASSERT_TRUE(GivePatternImage(30, 20));
    m_pCtrl->SetMagnification(600);
    m_pCtrl->UpdateWindow();
    EXPECT_TRUE(testenv::SaveWindowBitmap(m_pCtrl->m_hWnd, "paint-600-grid.bmp"));   // to look at
    // Column lines at 5 + 6i, over the image's height; both checkerboard colours appear.
    int nFace = 0, nShadow = 0;
    for (int i = 1; i < 30; i += 4)
        for (int y = 6; y < 5 + 120; y += 5)
        {
            COLORREF cr = ScreenPixel(5 + 6 * i, y);
            ASSERT_TRUE(IsGridColour(cr)) << i << "," << y;
            nFace += cr == ::GetSysColor(COLOR_BTNFACE);
            nShadow += cr == ::GetSysColor(COLOR_BTNSHADOW);
        }
    EXPECT_TRUE(nFace > 0 && nShadow > 0);
    for (int j = 1; j < 20; j += 3)
        EXPECT_TRUE(IsGridColour(ScreenPixel(5 + 6 * 7 + 3, 5 + 6 * j))) << j;
    // Between the lines the pixels keep their colours.
    for (int j = 0; j < 20; j += 3)
        for (int i = 0; i < 30; i += 4)
            ASSERT_TRUE(ShowsPixel(i, j, 6.0, 3));
    // Off: the pixel colour shows where the line was.
    m_pCtrl->SetShowGrid(FALSE);
    m_pCtrl->UpdateWindow();
    EXPECT_EQ(PatternColour(7, 3), ScreenPixel(5 + 6 * 7, 5 + 6 * 3 + 3));

    // Column line of image pixel 5 at magnification m: x = 5 + int(5 m); y inside row 3.
    auto lineShown = [&](double m) {
        Repaint();
        return IsGridColour(ScreenPixel(5 + (int)(5 * m), 5 + (int)(3 * m) + 1));
    };
    m_pCtrl->SetShowGrid(TRUE);
    m_pCtrl->SetMagnification(200);
    EXPECT_FALSE(lineShown(2.0));   // minimum 600
    m_pCtrl->SetShowGrid(TRUE, 200);
    EXPECT_TRUE(m_pCtrl->GetShowGrid());
    EXPECT_TRUE(lineShown(2.0));
    m_pCtrl->SetMagnification(500);
    EXPECT_TRUE(lineShown(5.0));
    m_pCtrl->m_dMagnification = 2.5;   // a fitted factor: not a whole multiple of 100 %
    EXPECT_FALSE(lineShown(2.5));
    m_pCtrl->m_bGridWholePercentOnly = FALSE;
    EXPECT_TRUE(lineShown(2.5));
    // Below 200 % never, whatever the minimum: every pixel of a row keeps its colour.
    m_pCtrl->SetShowGrid(TRUE, 100);
    m_pCtrl->SetMagnification(100);
    m_pCtrl->UpdateWindow();
    for (int x = 0; x < 30; x++)
        ASSERT_TRUE(ShowsPixel(x, 3));
}
