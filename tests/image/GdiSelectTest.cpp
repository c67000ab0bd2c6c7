// The GDI scope objects: what a DC had selected before is current again after the scope,
// also when the scope ends early, and a selection GDI refuses changes nothing.
#include "image/PntGdiSelect.h"
#include <gtest/gtest.h>

namespace
{
// A memory DC for one test, deleted at the end.
struct MemoryDC
{
    HDC hDC = ::CreateCompatibleDC(NULL);
    ~MemoryDC() { ::DeleteDC(hDC); }
};
}

TEST(GdiSelect, APenIsCurrentInsideTheScopeAndThePreviousOneAfterIt)
{
    MemoryDC dc;
    ASSERT_NE(nullptr, dc.hDC);
    const HGDIOBJ hBefore = ::GetCurrentObject(dc.hDC, OBJ_PEN);
    HPEN hPen = ::CreatePen(PS_SOLID, 3, RGB(10, 20, 30));
    ASSERT_NE(nullptr, hPen);
    {
        CPntSelectObject sel(dc.hDC, hPen);
        EXPECT_TRUE(sel.IsSelected());
        EXPECT_EQ((HGDIOBJ)hPen, ::GetCurrentObject(dc.hDC, OBJ_PEN));
    }
    EXPECT_EQ(hBefore, ::GetCurrentObject(dc.hDC, OBJ_PEN));
    // Deselected, the pen can go.
    EXPECT_TRUE(::DeleteObject(hPen));
}

TEST(GdiSelect, RestoreFreesABitmapBeforeTheScopeEnds)
{
    MemoryDC dc, other;
    HBITMAP hBitmap = ::CreateBitmap(4, 4, 1, 1, NULL);
    ASSERT_NE(nullptr, hBitmap);
    CPntSelectObject sel(dc.hDC, hBitmap);
    ASSERT_TRUE(sel.IsSelected());
    // GDI refuses a bitmap that another DC holds.
    EXPECT_EQ(nullptr, ::SelectObject(other.hDC, hBitmap));
    sel.Restore();
    EXPECT_FALSE(sel.IsSelected());
    HGDIOBJ hOld = ::SelectObject(other.hDC, hBitmap);
    EXPECT_NE(nullptr, hOld);
    ::SelectObject(other.hDC, hOld);
    ::DeleteObject(hBitmap);
}

TEST(GdiSelect, ARefusedOrMissingSelectionChangesNothing)
{
    MemoryDC dc, holder;
    HBITMAP hBitmap = ::CreateBitmap(4, 4, 1, 1, NULL);
    ASSERT_NE(nullptr, hBitmap);
    HGDIOBJ hHeld = ::SelectObject(holder.hDC, hBitmap);
    ASSERT_NE(nullptr, hHeld);
    const HGDIOBJ hBefore = ::GetCurrentObject(dc.hDC, OBJ_BITMAP);
    {
        CPntSelectObject refused(dc.hDC, hBitmap);
        EXPECT_FALSE(refused.IsSelected());
        CPntSelectObject missing(dc.hDC, (HGDIOBJ)NULL);
        EXPECT_FALSE(missing.IsSelected());
        CPntSelectObject noDC((HDC)NULL, ::GetStockObject(BLACK_PEN));
        EXPECT_FALSE(noDC.IsSelected());
    }
    EXPECT_EQ(hBefore, ::GetCurrentObject(dc.hDC, OBJ_BITMAP));
    // The holder still has it.
    EXPECT_EQ((HGDIOBJ)hBitmap, ::GetCurrentObject(holder.hDC, OBJ_BITMAP));
    ::SelectObject(holder.hDC, hHeld);
    ::DeleteObject(hBitmap);
}

TEST(GdiSelect, APaletteGoesBackAfterTheScope)
{
    MemoryDC dc;
    struct
    {
        WORD palVersion, palNumEntries;
        PALETTEENTRY pe[2];
    } lp = {0x300, 2, {{1, 2, 3, 0}, {200, 100, 50, 0}}};
    HPALETTE hPalette = ::CreatePalette((LOGPALETTE*)&lp);
    ASSERT_NE(nullptr, hPalette);
    const HGDIOBJ hBefore = ::GetCurrentObject(dc.hDC, OBJ_PAL);
    {
        CPntSelectPalette sel(dc.hDC, hPalette, TRUE, TRUE);
        EXPECT_TRUE(sel.IsSelected());
        EXPECT_EQ((HGDIOBJ)hPalette, ::GetCurrentObject(dc.hDC, OBJ_PAL));
    }
    EXPECT_EQ(hBefore, ::GetCurrentObject(dc.hDC, OBJ_PAL));
    {
        CPntSelectPalette none(dc.hDC, NULL, TRUE, TRUE);
        EXPECT_FALSE(none.IsSelected());
    }
    EXPECT_EQ(hBefore, ::GetCurrentObject(dc.hDC, OBJ_PAL));
    EXPECT_TRUE(::DeleteObject(hPalette));
}
