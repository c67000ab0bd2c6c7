// Drawing primitives of CDIBSection: points, lines, rectangles, ellipses, text and clearing,
// checked on the pixels of the image's bits.
#include "ImageTestSupport.h"
#include "common/TestEnvironment.h"
#include <gtest/gtest.h>
#include <functional>
#include <set>
#include <utility>

using namespace imagetest;

namespace
{
const COLORREF crWhite = RGB(255, 255, 255);
const COLORREF crInk = RGB(200, 30, 60);

typedef std::set<std::pair<int, int>> PixelSet;

// The pixels of a 24-bit image that are not white.
PixelSet Painted(CDIBSection& img)
{
    PixelSet painted;
    for (int y = 0; y < img.GetHeight(); y++)
        for (int x = 0; x < img.GetWidth(); x++)
            if (PixelColour(img, x, y) != crWhite)
                painted.insert(std::make_pair(x, y));
    return painted;
}

PixelSet Where(int cx, int cy, const std::function<bool(int, int)>& f)
{
    PixelSet pixels;
    for (int y = 0; y < cy; y++)
        for (int x = 0; x < cx; x++)
            if (f(x, y))
                pixels.insert(std::make_pair(x, y));
    return pixels;
}

// Bounding box of a set of pixels, right and bottom exclusive.
CRect Bounds(const PixelSet& pixels)
{
    CRect rc(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
    for (const auto& p : pixels)
    {
        rc.left = std::min<LONG>(rc.left, p.first);
        rc.top = std::min<LONG>(rc.top, p.second);
        rc.right = std::max<LONG>(rc.right, p.first + 1);
        rc.bottom = std::max<LONG>(rc.bottom, p.second + 1);
    }
    return rc;
}

class DrawingTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_img.CreateBitmap(40, 30, 1, 24)); }

    // Every drawing call gives the image's memory DC back.
    void ExpectReleased() { EXPECT_TRUE(IsFree((HBITMAP)m_img)); }

    CDIBSection m_img;
};
}

TEST_F(DrawingTest, LinePaintsBothEndPoints)
{
    ASSERT_TRUE(m_img.DrawLine(CPoint(2, 2), CPoint(5, 2), 1, crInk));
    ExpectReleased();
    EXPECT_EQ(Where(40, 30, [](int x, int y) { return y == 2 && x >= 2 && x <= 5; }), Painted(m_img));
    EXPECT_EQ(crInk, PixelColour(m_img, 5, 2));

    // A diagonal line also ends on its end point.
    ASSERT_TRUE(m_img.DrawLine(CPoint(10, 10), CPoint(16, 13), 1, crInk));
    EXPECT_EQ(crInk, PixelColour(m_img, 10, 10));
    EXPECT_EQ(crInk, PixelColour(m_img, 16, 13));
}

TEST_F(DrawingTest, WideLineCoversItsWidth)
{
    ASSERT_TRUE(m_img.DrawLine(CPoint(10, 15), CPoint(30, 15), 5, crInk));
    PixelSet painted = Painted(m_img);
    for (int x = 12; x <= 28; x++)
        for (int y = 13; y <= 17; y++)
            EXPECT_TRUE(painted.count(std::make_pair(x, y))) << x << "," << y;
    CRect rc = Bounds(painted);
    EXPECT_GE(rc.top, 12);
    EXPECT_LE(rc.bottom, 19);
    EXPECT_GE(rc.left, 7);
    EXPECT_LE(rc.right, 34);
}

TEST_F(DrawingTest, PointOfWidthOneIsOnePixel)
{
    ASSERT_TRUE(m_img.DrawPoint(CPoint(7, 9), 1, crInk));
    ExpectReleased();
    EXPECT_EQ(PixelSet({{7, 9}}), Painted(m_img));
}

TEST_F(DrawingTest, WidePointIsARoundDotAroundThePoint)
{
    ASSERT_TRUE(m_img.DrawPoint(CPoint(20, 15), 7, crInk));
    ExpectReleased();
    PixelSet painted = Painted(m_img);
    for (int dx = -2; dx <= 2; dx++)
        for (int dy = -2; dy <= 2; dy++)
            EXPECT_TRUE(painted.count(std::make_pair(20 + dx, 15 + dy))) << dx << "," << dy;
    CRect rc = Bounds(painted);
    EXPECT_GE(rc.left, 15);
    EXPECT_LE(rc.right, 26);
    EXPECT_GE(rc.top, 10);
    EXPECT_LE(rc.bottom, 21);
    // Round: the corners of the bounding box stay clear.
    EXPECT_FALSE(painted.count(std::make_pair((int)rc.left, (int)rc.top)));
    EXPECT_FALSE(painted.count(std::make_pair((int)rc.right - 1, (int)rc.bottom - 1)));
}

TEST_F(DrawingTest, FilledRectangleCoversBothCornerPoints)
{
    ASSERT_TRUE(m_img.DrawRectangle(CPoint(5, 5), CPoint(2, 2), 3, crInk, TRUE, FALSE));
    ExpectReleased();
    EXPECT_EQ(Where(40, 30, [](int x, int y) { return x >= 2 && x <= 5 && y >= 2 && y <= 5; }),
              Painted(m_img));
    EXPECT_EQ(crInk, PixelColour(m_img, 5, 5));
}

TEST_F(DrawingTest, OutlinedRectangleLeavesTheInside)
{
    // The inside is not touched: a pixel there keeps its colour.
    ASSERT_TRUE(m_img.SetPixel(3, 3, RGB(0, 0, 255)));
    ASSERT_TRUE(m_img.DrawRectangle(CPoint(5, 5), CPoint(2, 2), 1, crInk, FALSE, FALSE));
    ExpectReleased();
    PixelSet border = Where(40, 30, [](int x, int y) {
        return x >= 2 && x <= 5 && y >= 2 && y <= 5 && (x == 2 || x == 5 || y == 2 || y == 5);
    });
    border.insert(std::make_pair(3, 3));
    EXPECT_EQ(border, Painted(m_img));
    EXPECT_EQ(RGB(0, 0, 255), PixelColour(m_img, 3, 3));
    EXPECT_EQ(crInk, PixelColour(m_img, 5, 2));
}

TEST_F(DrawingTest, RoundedRectangleCornerIsAThirdOfTheSize)
{
    // From (3,4) to (32,12): 30 x 9 after adjustment, so the corner ellipse is 10 x 3.
    ASSERT_TRUE(m_img.DrawRectangle(CPoint(3, 4), CPoint(32, 12), 1, crInk, FALSE, TRUE));
    ExpectReleased();

    CDIBSection ref;
    ASSERT_TRUE(ref.CreateBitmap(40, 30, 1, 24));
    CDC* pDC = ref.GetMemoryDC(NULL, TRUE);
    ASSERT_NE(nullptr, pDC);
    HPEN hPen = ::CreatePen(PS_SOLID, 1, crInk);
    HGDIOBJ hOldPen = ::SelectObject(pDC->GetSafeHdc(), hPen);
    HGDIOBJ hOldBrush = ::SelectObject(pDC->GetSafeHdc(), ::GetStockObject(NULL_BRUSH));
    ::RoundRect(pDC->GetSafeHdc(), 3, 4, 33, 13, 10, 3);
    ::SelectObject(pDC->GetSafeHdc(), hOldBrush);
    ::SelectObject(pDC->GetSafeHdc(), hOldPen);
    ::DeleteObject(hPen);
    ref.ReleaseMemoryDC();

    EXPECT_EQ(Painted(ref), Painted(m_img));
    EXPECT_EQ(RectText(CRect(3, 4, 33, 13)), RectText(Bounds(Painted(m_img))));
}

TEST_F(DrawingTest, FilledRoundedRectangleFillsTheAdjustedRectangle)
{
    ASSERT_TRUE(m_img.DrawRectangle(CPoint(32, 12), CPoint(3, 4), 1, crInk, TRUE, TRUE));
    PixelSet painted = Painted(m_img);
    EXPECT_EQ(RectText(CRect(3, 4, 33, 13)), RectText(Bounds(painted)));
    // Edge to edge through the middle, but not in the corners.
    for (int x = 3; x <= 32; x++)
        EXPECT_TRUE(painted.count(std::make_pair(x, 8))) << x;
    for (int y = 4; y <= 12; y++)
        EXPECT_TRUE(painted.count(std::make_pair(17, y))) << y;
    EXPECT_FALSE(painted.count(std::make_pair(3, 4)));
    EXPECT_FALSE(painted.count(std::make_pair(32, 12)));
}

TEST_F(DrawingTest, SmallFilledRoundedRectangleCoversItsBlock)
{
    // 4 x 4 after adjustment: the corner ellipse is 1 x 1.
    ASSERT_TRUE(m_img.DrawRectangle(CPoint(5, 5), CPoint(2, 2), 1, crInk, TRUE, TRUE));
    EXPECT_EQ(Where(40, 30, [](int x, int y) { return x >= 2 && x <= 5 && y >= 2 && y <= 5; }),
              Painted(m_img));
    // 12 x 8: still a plain rectangle for GDI, as the corner is 4 x 2.
    ASSERT_TRUE(m_img.Clear());
    ASSERT_TRUE(m_img.DrawRectangle(CPoint(10, 10), CPoint(21, 17), 1, crInk, TRUE, TRUE));
    EXPECT_EQ(Where(40, 30, [](int x, int y) { return x >= 10 && x <= 21 && y >= 10 && y <= 17; }),
              Painted(m_img));
}

TEST_F(DrawingTest, FilledEllipseTouchesEveryEdgeOfTheAdjustedRectangle)
{
    ASSERT_TRUE(m_img.DrawEllipse(CPoint(30, 25), CPoint(10, 5), 1, crInk, TRUE));
    ExpectReleased();
    PixelSet painted = Painted(m_img);
    EXPECT_EQ(RectText(CRect(10, 5, 31, 26)), RectText(Bounds(painted)));
    EXPECT_TRUE(painted.count(std::make_pair(20, 15)));
    EXPECT_FALSE(painted.count(std::make_pair(10, 5)));

    // Outlined, over the same rectangle, the inside is left alone.
    ASSERT_TRUE(m_img.Clear());
    ASSERT_TRUE(m_img.DrawEllipse(CPoint(10, 5), CPoint(30, 25), 1, crInk, FALSE));
    painted = Painted(m_img);
    EXPECT_EQ(RectText(CRect(10, 5, 31, 26)), RectText(Bounds(painted)));
    EXPECT_FALSE(painted.count(std::make_pair(20, 15)));
}

TEST_F(DrawingTest, EqualPointsOfWidthOnePaintOnePixel)
{
    ASSERT_TRUE(m_img.DrawRectangle(CPoint(4, 4), CPoint(4, 4), 1, crInk, TRUE, FALSE));
    ASSERT_TRUE(m_img.DrawRectangle(CPoint(8, 4), CPoint(8, 4), 1, crInk, FALSE, TRUE));
    ASSERT_TRUE(m_img.DrawEllipse(CPoint(12, 4), CPoint(12, 4), 1, crInk, TRUE));
    ASSERT_TRUE(m_img.DrawLine(CPoint(16, 4), CPoint(16, 4), 1, crInk));
    ExpectReleased();
    EXPECT_EQ(PixelSet({{4, 4}, {8, 4}, {12, 4}, {16, 4}}), Painted(m_img));
}

TEST_F(DrawingTest, TextIsDrawnInTheGivenColourInsideItsRectangle)
{
    CRect rc(30, 25, 2, 2); // reversed: normalised before drawing
    ASSERT_TRUE(m_img.DrawText("Wg", rc, DT_LEFT | DT_TOP | DT_SINGLELINE, crInk));
    ExpectReleased();
    PixelSet painted = Painted(m_img);
    ASSERT_FALSE(painted.empty());
    int nExact = 0;
    for (const auto& p : painted)
    {
        EXPECT_TRUE(p.first >= 2 && p.first < 30 && p.second >= 2 && p.second < 25);
        if (PixelColour(m_img, p.first, p.second) == crInk)
            nExact++;
    }
    EXPECT_GT(nExact, 5);

    // An empty string draws nothing and succeeds.
    ASSERT_TRUE(m_img.Clear());
    EXPECT_TRUE(m_img.DrawText("", rc, DT_LEFT, crInk));
    EXPECT_TRUE(Painted(m_img).empty());
}

TEST_F(DrawingTest, TextColourFFStandsForTheWindowTextColour)
{
    const int nIndex = COLOR_WINDOWTEXT;
    const COLORREF crOld = ::GetSysColor(COLOR_WINDOWTEXT);
    const COLORREF crSystem = RGB(10, 160, 20);
    ASSERT_TRUE(::SetSysColors(1, &nIndex, &crSystem));

    BOOL bDrawn = m_img.DrawText("Hello", CRect(0, 0, 40, 30), DT_LEFT | DT_TOP, 0xFF000000);
    ::SetSysColors(1, &nIndex, &crOld);
    ASSERT_TRUE(bDrawn);

    int nSystem = 0;
    for (const auto& p : Painted(m_img))
        if (PixelColour(m_img, p.first, p.second) == crSystem)
            nSystem++;
    EXPECT_GT(nSystem, 5);
}

TEST_F(DrawingTest, TextUsesTheGivenFont)
{
    CFont font;
    ASSERT_TRUE(font.CreateFont(-24, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial"));
    ASSERT_TRUE(m_img.DrawText("H", CRect(0, 0, 40, 30), DT_LEFT | DT_TOP, crInk, &font));
    CRect rcBig = Bounds(Painted(m_img));

    // The font was a loan: the next call draws with the DC's own font again.
    ASSERT_TRUE(m_img.Clear());
    ASSERT_TRUE(m_img.DrawText("H", CRect(0, 0, 40, 30), DT_LEFT | DT_TOP, crInk));
    CRect rcSmall = Bounds(Painted(m_img));
    EXPECT_GE(rcBig.Height(), 14);
    EXPECT_GT(rcBig.Height(), rcSmall.Height());
}

TEST_F(DrawingTest, ClearCoversEveryPixelAtEveryDepth)
{
    const int depths[] = {1, 4, 8, 16, 24, 32};
    for (int nBits : depths)
    {
        CDIBSection img;
        ASSERT_TRUE(img.CreateBitmap(13, 7, 1, nBits)) << nBits;
        ASSERT_TRUE(img.Clear(RGB(0, 0, 0))) << nBits;
        for (int y = 0; y < 7; y++)
            for (int x = 0; x < 13; x++)
                ASSERT_EQ(RGB(0, 0, 0), PixelColour(img, x, y)) << nBits << ": " << x << "," << y;
        ASSERT_TRUE(img.Clear()) << nBits;
        for (int y = 0; y < 7; y++)
            for (int x = 0; x < 13; x++)
                ASSERT_EQ(crWhite, PixelColour(img, x, y)) << nBits << ": " << x << "," << y;
        EXPECT_TRUE(IsFree((HBITMAP)img));
    }
}

TEST_F(DrawingTest, ClearRectExcludesRightAndBottom)
{
    CRect rc(3, 2, 7, 5);
    ASSERT_TRUE(m_img.ClearRect(&rc, crInk));
    ExpectReleased();
    EXPECT_EQ(Where(40, 30, [](int x, int y) { return x >= 3 && x < 7 && y >= 2 && y < 5; }),
              Painted(m_img));
    EXPECT_FALSE(m_img.ClearRect(NULL, crInk));
}

TEST_F(DrawingTest, EmptyImageRefusesEveryPrimitive)
{
    CDIBSection empty;
    CRect rc(0, 0, 4, 4);
    EXPECT_FALSE(empty.DrawPoint(CPoint(1, 1), 3, crInk));
    EXPECT_FALSE(empty.DrawLine(CPoint(0, 0), CPoint(3, 3), 1, crInk));
    EXPECT_FALSE(empty.DrawRectangle(CPoint(0, 0), CPoint(3, 3), 1, crInk, TRUE, TRUE));
    EXPECT_FALSE(empty.DrawEllipse(CPoint(0, 0), CPoint(3, 3), 2, crInk, FALSE));
    EXPECT_FALSE(empty.DrawText("x", rc, DT_LEFT, crInk));
    EXPECT_FALSE(empty.Clear(crInk));
    EXPECT_FALSE(empty.ClearRect(&rc, crInk));
    EXPECT_FALSE(empty.IsValid());
}
