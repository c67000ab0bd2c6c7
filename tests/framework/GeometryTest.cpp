// CPoint, CSize and CRect: the rules the paint code relies on (exclusive right and bottom
// edges, normalising, packed mouse positions).
#include <afxwin.h>
#include <gtest/gtest.h>

TEST(Geometry, RectanglesExcludeTheirRightAndBottomEdges)
{
    CRect rc(2, 3, 6, 8);
    EXPECT_EQ(4, rc.Width());
    EXPECT_EQ(5, rc.Height());
    EXPECT_TRUE(rc.PtInRect(CPoint(2, 3)));
    EXPECT_TRUE(rc.PtInRect(CPoint(5, 7)));
    EXPECT_FALSE(rc.PtInRect(CPoint(6, 7)));
    EXPECT_FALSE(rc.PtInRect(CPoint(5, 8)));
    EXPECT_EQ(CPoint(4, 5), rc.CenterPoint());
    EXPECT_EQ(CSize(4, 5), rc.Size());

    CRect reversed(5, 5, 2, 2);
    EXPECT_TRUE(reversed.IsRectEmpty());
    EXPECT_EQ(-3, reversed.Width());
    reversed.NormalizeRect();
    EXPECT_EQ(CRect(2, 2, 5, 5), reversed);
    EXPECT_TRUE(CRect(0, 0, 0, 0).IsRectEmpty());
    EXPECT_TRUE(CRect().IsRectNull());
}

TEST(Geometry, RectangleArithmetic)
{
    CRect rc(10, 10, 20, 20);
    rc.InflateRect(5, 5);
    EXPECT_EQ(CRect(5, 5, 25, 25), rc);
    rc.OffsetRect(-5, 10);
    EXPECT_EQ(CRect(0, 15, 20, 35), rc);
    rc -= CPoint(0, 15);
    EXPECT_EQ(CRect(0, 0, 20, 20), rc);

    CRect other(15, -5, 40, 10);
    EXPECT_EQ(CRect(15, 0, 20, 10), rc & other);
    EXPECT_EQ(CRect(0, -5, 40, 20), rc | other);
    CRect none;
    EXPECT_FALSE(none.IntersectRect(rc, CRect(30, 30, 40, 40)));
    EXPECT_TRUE(none.IsRectEmpty());

    rc.TopLeft() = CPoint(3, 4);
    rc.BottomRight() += CSize(1, 1);
    EXPECT_EQ(CRect(3, 4, 21, 21), rc);
    EXPECT_EQ(CRect(1, 2, 4, 6), CRect(CPoint(1, 2), CSize(3, 4)));
}

TEST(Geometry, PointsAndSizes)
{
    // Mouse positions pack signed 16-bit coordinates.
    CPoint packed((DWORD)MAKELONG((WORD)-5, (WORD)300));
    EXPECT_EQ(-5, packed.x);
    EXPECT_EQ(300, packed.y);

    CPoint pt(7, 9);
    EXPECT_EQ(CSize(4, 6), pt - CPoint(3, 3));
    EXPECT_EQ(CPoint(10, 12), pt + CSize(3, 3));
    EXPECT_EQ(CPoint(-7, -9), -pt);
    pt.Offset(1, -1);
    EXPECT_EQ(CPoint(8, 8), pt);
    EXPECT_EQ(CSize(3, 5), CSize(1, 2) + CSize(2, 3));
}
