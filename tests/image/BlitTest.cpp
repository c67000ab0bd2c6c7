// Display and transparent blits of CDIBSection onto the memory DCs of 24- and 32-bit images:
// 1:1 and scaled, plain, with a colour key and with a mask; checked pixel by pixel.
#include "ImageTestSupport.h"
#include <gtest/gtest.h>

using namespace imagetest;

namespace
{
const COLORREF crKey = RGB(255, 0, 255);
typedef std::function<bool(int, int)> PixelTest;

// The source picture, no pixel of which is the key colour, and where the key goes in it.
COLORREF SourceColour(int x, int y) { return RGB((x * 5) & 0xFF, (y * 12) & 0xFF, 77); }
bool KeyPattern(int x, int y) { return (x / 3 + y / 2) % 3 == 0; }
bool NoKey(int, int) { return false; }
bool MaskPattern(int x, int y) { return (x + 2 * y) % 5 < 2; }

// A 24-bit image of SourceColour, with the key colour where isKey says.
void MakeImage(CDIBSection& img, int cx, int cy, const PixelTest& isKey)
{
    ASSERT_TRUE(img.CreateBitmap(cx, cy, 1, 24, PackRows(cx, cy, 24, [&](int x, int y) {
                                     const COLORREF cr = isKey(x, y) ? crKey : SourceColour(x, y);
                                     return (DWORD)((GetRValue(cr) << 16) | (GetGValue(cr) << 8) | GetBValue(cr));
                                 }).data()));
}

// A monochrome bitmap, white (transparent) where isWhite says.
HBITMAP MakeMask(int cx, int cy, const PixelTest& isWhite)
{
    const int nStride = ((cx + 15) / 16) * 2;
    Bytes bits(nStride * cy, 0);
    for (int y = 0; y < cy; y++)
        for (int x = 0; x < cx; x++)
            PutRowPixel(&bits[y * nStride], x, 1, isWhite(x, y));
    return ::CreateBitmap(cx, cy, 1, 1, bits.data());
}

// A destination image lent as a memory DC, with a background that differs from pixel to pixel
// so that kept pixels can be told apart.
struct CTestSurface
{
    CDIBSection img;
    CDC* pDC;
    CTestSurface(int cx, int cy, int nBits)
    {
        img.CreateBitmap(cx, cy, 1, nBits);
        FillPattern();
        pDC = img.GetMemoryDC();
    }
    CDC* DC() { return pDC; }
    void FillPattern()
    {
        for (int y = 0; y < img.GetHeight(); y++)
            for (int x = 0; x < img.GetWidth(); x++)
                SetRawPixel(img, x, y, RGB(120 + ((x + y) % 7) * 10, 40 + (y * 5) % 60, 200 - (x * 3) % 50));
    }
    std::vector<COLORREF> Pixels()
    {
        std::vector<COLORREF> pixels;
        for (int y = 0; y < img.GetHeight(); y++)
            for (int x = 0; x < img.GetWidth(); x++)
                pixels.push_back(PixelColour(img, x, y));
        return pixels;
    }
};

// The destination's pixels before, with colour(sx, sy) of the image pixel that lands on each
// pixel of rc: a pixel (i, j) of rc shows image pixel ptSrc + (i, j) / nScale unless kept
// says that the destination stays there.
typedef std::function<bool(int, int, int, int)> Kept;
std::vector<COLORREF> Expect(CTestSurface& dest, CRect rc, CPoint ptSrc, int nScale, const Kept& kept,
                             const std::function<COLORREF(int, int)>& colour)
{
    std::vector<COLORREF> expected = dest.Pixels();
    for (int y = rc.top; y < rc.bottom; y++)
        for (int x = rc.left; x < rc.right; x++)
        {
            const int i = x - rc.left, j = y - rc.top, sx = ptSrc.x + i / nScale, sy = ptSrc.y + j / nScale;
            if (!kept(i, j, sx, sy))
                expected[y * dest.img.GetWidth() + x] = colour(sx, sy);
        }
    return expected;
}

COLORREF KeyedColour(int x, int y) { return KeyPattern(x, y) ? crKey : SourceColour(x, y); }
bool Opaque(int, int, int, int) { return false; }
bool KeyKept(int, int, int sx, int sy) { return KeyPattern(sx, sy); }

class BlitTest : public ::testing::TestWithParam<int>
{
protected:
    // The destination is left as it was found, the image's section free.
    void ExpectRestored(CDIBSection& img, CTestSurface& dest)
    {
        EXPECT_TRUE(IsFree(img));
        EXPECT_EQ((HGDIOBJ)dest.img.GetSafeHandle(), ::GetCurrentObject(*dest.DC(), OBJ_BITMAP));
        EXPECT_EQ(::GetStockObject(DEFAULT_PALETTE), ::GetCurrentObject(*dest.DC(), OBJ_PAL));
    }
};
}

TEST_P(BlitTest, PlainAndTransparentFormsPutExactlyTheExpectedPixels)
{
    // A 100 x 20 picture with key pixels, drawn 1:1 at (5,3) or scaled 4 times at (3,2).
    CDIBSection img;
    MakeImage(img, 100, 20, KeyPattern);
    const PixelTest wholeMaskWhite = [](int x, int y) { return (x * y) % 3 == 1; };
    HBITMAP hMask = MakeMask(12, 8, MaskPattern), hWholeMask = MakeMask(100, 20, wholeMaskWhite);
    POINT ptPart = {10, 2}, ptFar = {90, 15}, ptEdge = {30, 0};
    SIZE sizePart = {12, 8}, sizeFar = {8, 10};
    const CPoint pt(5, 3), ptScaled(3, 2);
    const CSize sizeScaled(400, 80);
    const CRect rcWhole(5, 3, 105, 23), rcPart(5, 3, 17, 11), rcScaled(3, 2, 403, 82);
    const struct
    {
        const char* name;
        std::function<BOOL(CDC*)> blit;
        CRect rc;
        CPoint ptSrc;
        int nScale;
        Kept kept;
    } cases[] = {
        {"Draw", [&](CDC* p) { return img.Draw(p, pt); }, rcWhole, {0, 0}, 1, Opaque},
        // From (30, 0) with no size: a 70-pixel-wide part; a size past the image is cut at its edges.
        {"Draw from an origin", [&](CDC* p) { return img.Draw(p, pt, &ptEdge); }, {5, 3, 75, 23}, {30, 0}, 1, Opaque},
        {"Draw a part", [&](CDC* p) { return img.Draw(p, pt, &ptFar, &sizeFar); }, {5, 3, 13, 8}, {90, 15}, 1, Opaque},
        {"Stretch", [&](CDC* p) { return img.Stretch(p, ptScaled, sizeScaled) && p->GetStretchBltMode() == COLORONCOLOR; },
         rcScaled, {0, 0}, 4, Opaque},
        {"colour key", [&](CDC* p) { return img.DrawTransparent(p, pt, crKey); }, rcWhole, {0, 0}, 1, KeyKept},
        {"colour key, a part", [&](CDC* p) { return img.DrawTransparent(p, pt, crKey, &ptPart, &sizePart); }, rcPart, {10, 2},
         1, KeyKept},
        {"no key is Draw", [&](CDC* p) { return img.DrawTransparent(p, pt, 0xFFFFFFFF); }, rcWhole, {0, 0}, 1, Opaque},
        {"absent key is Draw", [&](CDC* p) { return img.DrawTransparent(p, pt, RGB(1, 2, 3)); }, rcWhole, {0, 0}, 1, Opaque},
        {"scaled colour key keeps hard edges", [&](CDC* p) { return img.StretchTransparent(p, ptScaled, sizeScaled, crKey); },
         rcScaled, {0, 0}, 4, KeyKept},
        {"scaled, no key is Stretch", [&](CDC* p) { return img.StretchTransparent(p, ptScaled, sizeScaled, 0xFFFFFFFF); },
         rcScaled, {0, 0}, 4, Opaque},
        {"scaled, absent key is Stretch", [&](CDC* p) { return img.StretchTransparent(p, ptScaled, sizeScaled, RGB(1, 2, 3)); },
         rcScaled, {0, 0}, 4, Opaque},
        // Mask pixel (i, j) governs destination pixel (pt.x + i, pt.y + j) whatever the origin.
        {"mask", [&](CDC* p) { return img.DrawTransparent(p, pt, hMask, &ptPart, &sizePart); }, rcPart, {10, 2}, 1,
         [](int i, int j, int, int) { return MaskPattern(i, j); }},
        {"scaled mask keeps hard edges", [&](CDC* p) { return img.StretchTransparent(p, ptScaled, sizeScaled, hWholeMask); },
         rcScaled, {0, 0}, 4, [&](int, int, int sx, int sy) { return wholeMaskWhite(sx, sy); }},
    };
    CTestSurface dest(410, 90, GetParam());
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        dest.FillPattern();
        const std::vector<COLORREF> expected = Expect(dest, c.rc, c.ptSrc, c.nScale, c.kept, KeyedColour);
        ASSERT_TRUE(c.blit(dest.DC()));
        EXPECT_EQ(expected, dest.Pixels());
        ExpectRestored(img, dest);
    }
    EXPECT_TRUE(IsFree(hMask) && IsFree(hWholeMask));
    ::DeleteObject(hMask);
    ::DeleteObject(hWholeMask);
}

TEST_P(BlitTest, AllKeyOrWhiteMaskLeavesTheDestinationAndBlackMaskIsOpaque)
{
    CDIBSection img, allKey;
    MakeImage(img, 12, 9, KeyPattern);
    MakeImage(allKey, 12, 9, [](int, int) { return true; });
    HBITMAP hWhite = MakeMask(12, 9, [](int, int) { return true; }), hBlack = MakeMask(12, 9, NoKey);
    CTestSurface dest(60, 45, GetParam()), plain(60, 45, GetParam());
    dest.FillPattern();
    plain.FillPattern();
    const std::vector<COLORREF> before = dest.Pixels();
    ASSERT_TRUE(allKey.DrawTransparent(dest.DC(), CPoint(1, 1), crKey));
    ASSERT_TRUE(allKey.StretchTransparent(dest.DC(), CPoint(10, 5), CSize(48, 36), crKey));
    ASSERT_TRUE(img.DrawTransparent(dest.DC(), CPoint(1, 1), hWhite));
    ASSERT_TRUE(img.StretchTransparent(dest.DC(), CPoint(10, 5), CSize(48, 36), hWhite));
    EXPECT_EQ(before, dest.Pixels());

    ASSERT_TRUE(img.Draw(plain.DC(), CPoint(1, 1)));
    ASSERT_TRUE(img.Stretch(plain.DC(), CPoint(10, 5), CSize(48, 36)));
    ASSERT_TRUE(img.DrawTransparent(dest.DC(), CPoint(1, 1), hBlack));
    ASSERT_TRUE(img.StretchTransparent(dest.DC(), CPoint(10, 5), CSize(48, 36), hBlack));
    EXPECT_EQ(plain.Pixels(), dest.Pixels());
    ::DeleteObject(hWhite);
    ::DeleteObject(hBlack);
}

TEST_P(BlitTest, PalettisedImageWithAKeyFromItsTable)
{
    // Key: entry 0; the picture uses entries of other colours.
    CDIBSection img;
    ASSERT_TRUE(img.CreateBitmap(20, 10, 1, 8));
    const std::vector<COLORREF> table = SectionColours(img);
    std::vector<int> entries;
    for (int i = 1; i < 256 && entries.size() < 7; i++)
        if (table[i] != table[0])
            entries.push_back(i);
    auto index = [&](int x, int y) { return KeyPattern(x, y) ? 0 : entries[(x + y) % 7]; };
    for (int y = 0; y < 10; y++)
        for (int x = 0; x < 20; x++)
            SetRawPixel(img, x, y, index(x, y));
    CTestSurface dest(30, 20, GetParam());
    dest.FillPattern();
    const std::vector<COLORREF> expected =
        Expect(dest, CRect(6, 5, 26, 15), CPoint(0, 0), 1, KeyKept, [&](int x, int y) { return table[index(x, y)]; });
    ASSERT_TRUE(img.DrawTransparent(dest.DC(), CPoint(6, 5), table[0]));
    EXPECT_EQ(expected, dest.Pixels());
}

TEST_P(BlitTest, DitheredDeepImageGoesThroughDrawDib)
{
    CDIBSection img;
    MakeImage(img, 100, 20, NoKey);
    ASSERT_TRUE(img.SetDither(TRUE));
    CTestSurface dest(220, 90, GetParam());
    dest.FillPattern();
    std::vector<COLORREF> expected = Expect(dest, CRect(0, 0, 70, 15), CPoint(30, 5), 1, Opaque, SourceColour);
    const std::vector<COLORREF> stretched = Expect(dest, CRect(10, 40, 210, 80), CPoint(0, 0), 2, Opaque, SourceColour);
    std::copy(stretched.begin() + 40 * 220, stretched.end(), expected.begin() + 40 * 220);

    // DrawDib reads the bits, so a loan of the image's memory DC outlives the calls; the GDI
    // path would end it, as it does without dithering.
    CDC* pLoan = img.GetMemoryDC();
    POINT ptSrc = {30, 5};
    ASSERT_TRUE(img.Draw(dest.DC(), CPoint(0, 0), &ptSrc));
    ASSERT_TRUE(img.Stretch(dest.DC(), CPoint(10, 40), CSize(200, 40)));
    EXPECT_NE(nullptr, pLoan->GetSafeHdc());
    img.ReleaseMemoryDC();
    EXPECT_EQ(expected, dest.Pixels());
    ExpectRestored(img, dest);
    ASSERT_TRUE(img.SetDither(FALSE));
    pLoan = img.GetMemoryDC();
    ASSERT_TRUE(img.Draw(dest.DC(), CPoint(0, 0), &ptSrc));
    EXPECT_EQ(nullptr, pLoan->GetSafeHdc());
}

TEST_P(BlitTest, RefusesNoDCNoMaskAndNothingToDraw)
{
    CDIBSection img;
    MakeImage(img, 8, 8, NoKey);
    CTestSurface dest(20, 20, GetParam());
    dest.FillPattern();
    const std::vector<COLORREF> before = dest.Pixels();
    POINT ptFar = {8, 0};   // an origin past the image leaves nothing to draw
    const CPoint pt(0, 0);
    EXPECT_FALSE(img.Draw(NULL, pt) || img.StretchTransparent(NULL, pt, CSize(8, 8), crKey));
    EXPECT_FALSE(img.DrawTransparent(dest.DC(), pt, (HBITMAP)NULL));
    EXPECT_FALSE(img.StretchTransparent(dest.DC(), pt, CSize(8, 8), (HBITMAP)NULL));
    EXPECT_FALSE(img.Draw(dest.DC(), pt, &ptFar));
    EXPECT_EQ(before, dest.Pixels());
}

INSTANTIATE_TEST_SUITE_P(Destination, BlitTest, ::testing::Values(24, 32),
                         [](const ::testing::TestParamInfo<int>& info) { return std::to_string(info.param) + "bpp"; });
