// Drawing primitives of CDIBSection: points, lines, rectangles, ellipses, text and clearing,
// checked on the pixels of the image's bits.
#include "ImageTestSupport.h"
#include <gtest/gtest.h>
#include <set>
#include <utility>

using namespace imagetest;

static void PrintTo(const CRect& rc, std::ostream* os)
{
    *os << "(" << rc.left << "," << rc.top << ")-(" << rc.right << "," << rc.bottom << ")";
}

namespace
{
const COLORREF crInk = RGB(200, 30, 60);
typedef std::set<std::pair<int, int>> PixelSet;
typedef std::function<bool(int, int)> Shape;

// The pixels of a 40 x 30 image that are not white, or where a shape says.
PixelSet Painted(CDIBSection& img, const Shape& shape = nullptr)
{
    PixelSet painted;
    for (int y = 0; y < 30; y++)
        for (int x = 0; x < 40; x++)
            if (shape ? shape(x, y) : PixelColour(img, x, y) != RGB(255, 255, 255))
                painted.insert({x, y});
    return painted;
}

// Bounding box of a set of pixels, right and bottom exclusive.
CRect Bounds(const PixelSet& pixels)
{
    CRect rc(40, 30, 0, 0);
    for (const auto& p : pixels)
        rc.SetRect(std::min<int>(rc.left, p.first), std::min<int>(rc.top, p.second), std::max<int>(rc.right, p.first + 1),
                   std::max<int>(rc.bottom, p.second + 1));
    return rc;
}

Shape Block(int l, int t, int r, int b)
{
    return [=](int x, int y) { return x >= l && x <= r && y >= t && y <= b; };
}
}

TEST(Drawing, ShapesPaintExactlyTheirPixelsAndGiveTheMemoryDCBack)
{
    CRect rcClear(3, 2, 7, 5);
    const struct
    {
        const char* name;
        std::function<BOOL(CDIBSection&)> draw;
        Shape painted;
    } cases[] = {
        {"line ends on its end point", [](CDIBSection& d) { return d.DrawLine(CPoint(2, 2), CPoint(5, 2), 1, crInk); },
         Block(2, 2, 5, 2)},
        {"point of width one", [](CDIBSection& d) { return d.DrawPoint(CPoint(7, 9), 1, crInk); }, Block(7, 9, 7, 9)},
        {"filled rectangle between reversed corners",
         [](CDIBSection& d) { return d.DrawRectangle(CPoint(5, 5), CPoint(2, 2), 3, crInk, TRUE, FALSE); }, Block(2, 2, 5, 5)},
        {"outlined rectangle",
         [](CDIBSection& d) { return d.DrawRectangle(CPoint(5, 5), CPoint(2, 2), 1, crInk, FALSE, FALSE); },
         [](int x, int y) { return Block(2, 2, 5, 5)(x, y) && !Block(3, 3, 4, 4)(x, y); }},
        // 4 x 4 and 12 x 8 after adjustment: corner ellipses under three pixels, a plain rectangle for GDI.
        {"small filled rounded rectangle",
         [](CDIBSection& d) { return d.DrawRectangle(CPoint(5, 5), CPoint(2, 2), 1, crInk, TRUE, TRUE); }, Block(2, 2, 5, 5)},
        {"flat filled rounded rectangle",
         [](CDIBSection& d) { return d.DrawRectangle(CPoint(10, 10), CPoint(21, 17), 1, crInk, TRUE, TRUE); },
         Block(10, 10, 21, 17)},
        {"equal points of width one",
         [](CDIBSection& d) {
             return d.DrawRectangle(CPoint(4, 4), CPoint(4, 4), 1, crInk, TRUE, FALSE) &&
                    d.DrawRectangle(CPoint(8, 4), CPoint(8, 4), 1, crInk, FALSE, TRUE) &&
                    d.DrawEllipse(CPoint(12, 4), CPoint(12, 4), 1, crInk, TRUE) &&
                    d.DrawLine(CPoint(16, 4), CPoint(16, 4), 1, crInk);
         },
         [](int x, int y) { return y == 4 && (x == 4 || x == 8 || x == 12 || x == 16); }},
        {"clear rectangle excludes right and bottom", [&](CDIBSection& d) { return d.ClearRect(&rcClear, crInk); },
         Block(3, 2, 6, 4)},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        CDIBSection img;
        ASSERT_TRUE(img.CreateBitmap(40, 30, 1, 24));
        ASSERT_TRUE(c.draw(img));
        EXPECT_TRUE(IsFree(img));
        EXPECT_EQ(Painted(img, c.painted), Painted(img));
        for (const auto& p : Painted(img))
            ASSERT_EQ(crInk, PixelColour(img, p.first, p.second)) << p.first << "," << p.second;
        EXPECT_FALSE(img.ClearRect(NULL, crInk));
    }
}

TEST(Drawing, OutlinesLeaveTheInsideAndCurvedShapesFillTheAdjustedRectangle)
{
    CDIBSection img, ref;
    ASSERT_TRUE(img.CreateBitmap(40, 30, 1, 24));
    ASSERT_TRUE(img.SetPixel(3, 3, RGB(0, 0, 255)));
    ASSERT_TRUE(img.DrawRectangle(CPoint(5, 5), CPoint(2, 2), 1, crInk, FALSE, FALSE));
    EXPECT_EQ(RGB(0, 0, 255), PixelColour(img, 3, 3));

    // From (3,4) to (32,12): 30 x 9 after adjustment, so GDI's corner ellipse is 10 x 3.
    ASSERT_TRUE(img.Clear());
    ASSERT_TRUE(img.DrawRectangle(CPoint(3, 4), CPoint(32, 12), 1, crInk, FALSE, TRUE));
    ASSERT_TRUE(ref.CreateBitmap(40, 30, 1, 24));
    CDC* pDC = ref.GetMemoryDC();
    CPen pen(PS_SOLID, 1, crInk);
    CPen* pOldPen = pDC->SelectObject(&pen);
    pDC->SelectStockObject(NULL_BRUSH);
    pDC->RoundRect(3, 4, 33, 13, 10, 3);
    pDC->SelectObject(pOldPen);
    ref.ReleaseMemoryDC();
    EXPECT_EQ(Painted(ref), Painted(img));

    // Filled rounded rectangles and ellipses reach every edge but not the corners; outlined
    // ellipses leave the middle.
    const struct
    {
        BOOL bEllipse, bFilled;
        CPoint pt1, pt2;
    } shapes[] = {{FALSE, TRUE, {32, 12}, {3, 4}}, {TRUE, TRUE, {30, 25}, {10, 5}}, {TRUE, FALSE, {10, 5}, {30, 25}}};
    for (const auto& s : shapes)
    {
        SCOPED_TRACE(testing::Message() << (s.bEllipse ? "ellipse" : "rounded rectangle") << (s.bFilled ? ", filled" : ""));
        ASSERT_TRUE(img.Clear());
        ASSERT_TRUE(s.bEllipse ? img.DrawEllipse(s.pt1, s.pt2, 1, crInk, s.bFilled)
                               : img.DrawRectangle(s.pt1, s.pt2, 1, crInk, s.bFilled, TRUE));
        const PixelSet painted = Painted(img);
        CRect rc(s.pt1, s.pt2);
        rc.NormalizeRect();
        const int xMid = (rc.left + rc.right) / 2, yMid = (rc.top + rc.bottom) / 2;
        EXPECT_EQ(CRect(rc.left, rc.top, rc.right + 1, rc.bottom + 1), Bounds(painted));
        EXPECT_EQ(s.bFilled != FALSE, painted.count({xMid, yMid}) != 0);
        EXPECT_EQ(0u, painted.count({(int)rc.left, (int)rc.top}));
        EXPECT_TRUE(!s.bFilled || (painted.count({(int)rc.left, yMid}) && painted.count({xMid, (int)rc.bottom})));
    }
}

TEST(Drawing, WideStrokesAreRoundAndCoverTheirWidth)
{
    CDIBSection img;
    ASSERT_TRUE(img.CreateBitmap(40, 30, 1, 24));
    ASSERT_TRUE(img.DrawLine(CPoint(10, 15), CPoint(30, 15), 5, crInk));
    ASSERT_TRUE(img.DrawLine(CPoint(10, 3), CPoint(16, 6), 1, crInk));   // a diagonal ends on its end point too
    PixelSet painted = Painted(img);
    EXPECT_TRUE(painted.count({10, 3}) && painted.count({16, 6}));
    for (const auto& p : Painted(img, Block(12, 13, 28, 17)))
        EXPECT_TRUE(painted.count(p)) << p.first << "," << p.second;
    for (const auto& p : painted)
        EXPECT_TRUE(p.second < 8 || Block(7, 12, 33, 18)(p.first, p.second)) << p.first << "," << p.second;

    // A wide point is a round dot around the point.
    ASSERT_TRUE(img.Clear());
    ASSERT_TRUE(img.DrawPoint(CPoint(20, 15), 7, crInk));
    EXPECT_TRUE(IsFree(img));
    painted = Painted(img);
    for (const auto& p : Painted(img, Block(18, 13, 22, 17)))
        EXPECT_TRUE(painted.count(p)) << p.first << "," << p.second;
    const CRect rc = Bounds(painted);
    EXPECT_TRUE(rc.left >= 15 && rc.right <= 26 && rc.top >= 10 && rc.bottom <= 21) << testing::PrintToString(rc);
    EXPECT_FALSE(painted.count({(int)rc.left, (int)rc.top}) || painted.count({(int)rc.right - 1, (int)rc.bottom - 1}));
}

TEST(Drawing, TextTakesItsColourFontAndRectangle)
{
    CDIBSection img;
    ASSERT_TRUE(img.CreateBitmap(40, 30, 1, 24));
    auto count = [&](COLORREF cr) {
        int n = 0;
        for (const auto& p : Painted(img))
            n += PixelColour(img, p.first, p.second) == cr;
        return n;
    };
    ASSERT_TRUE(img.DrawText(_T("Wg"), CRect(30, 25, 2, 2), DT_LEFT | DT_TOP | DT_SINGLELINE, crInk));   // normalised first
    EXPECT_TRUE(IsFree(img));
    EXPECT_GT(count(crInk), 5);
    for (const auto& p : Painted(img))
        EXPECT_TRUE(Block(2, 2, 29, 24)(p.first, p.second)) << p.first << "," << p.second;

    // An empty string draws nothing and succeeds.
    ASSERT_TRUE(img.Clear());
    EXPECT_TRUE(img.DrawText(_T(""), CRect(0, 0, 40, 30), DT_LEFT, crInk));
    EXPECT_TRUE(Painted(img).empty());

    // 0xFF000000 stands for the system's window-text colour.
    const int nIndex = COLOR_WINDOWTEXT;
    const COLORREF crOld = ::GetSysColor(COLOR_WINDOWTEXT), crSystem = RGB(10, 160, 20);
    ASSERT_TRUE(::SetSysColors(1, &nIndex, &crSystem));
    BOOL bDrawn = img.DrawText(_T("Hello"), CRect(0, 0, 40, 30), DT_LEFT | DT_TOP, 0xFF000000);
    ::SetSysColors(1, &nIndex, &crOld);
    ASSERT_TRUE(bDrawn);
    EXPECT_GT(count(crSystem), 5);

    // The font is a loan: the next call draws with the DC's own font again.
    CFont font;
    ASSERT_TRUE(font.CreateFont(-24, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, _T("Arial")));
    int nHeights[2];
    for (CFont* pFont : {&font, (CFont*)NULL})
    {
        ASSERT_TRUE(img.Clear());
        ASSERT_TRUE(img.DrawText(_T("H"), CRect(0, 0, 40, 30), DT_LEFT | DT_TOP, crInk, pFont));
        nHeights[pFont == NULL] = Bounds(Painted(img)).Height();
    }
    EXPECT_GE(nHeights[0], 14);
    EXPECT_GT(nHeights[0], nHeights[1]);
}
