// Display and transparent blits of CDIBSection onto 24- and 32-bit DIB sections: 1:1 and
// scaled, plain, with a colour key and with a mask; checked pixel by pixel.
#include "ImageTestSupport.h"
#include <gtest/gtest.h>
#include <functional>

using namespace imagetest;

namespace
{
const COLORREF crKey = RGB(255, 0, 255);

// The source picture: no pixel of it is the key colour.
COLORREF SourceColour(int x, int y) { return RGB((x * 5) & 0xFF, (y * 12) & 0xFF, 77); }

void SetColour(CDIBSection& img, int x, int y, COLORREF cr)
{
    SetRawPixel(img, x, y, ((DWORD)GetRValue(cr) << 16) | ((DWORD)GetGValue(cr) << 8) | GetBValue(cr));
}

// A 24-bit image of SourceColour, with the key colour where isKey says.
void MakeImage(CDIBSection& img, int cx, int cy,
               const std::function<bool(int, int)>& isKey = [](int, int) { return false; })
{
    ASSERT_TRUE(img.CreateBitmap(cx, cy, 1, 24));
    for (int y = 0; y < cy; y++)
        for (int x = 0; x < cx; x++)
            SetColour(img, x, y, isKey(x, y) ? crKey : SourceColour(x, y));
}

bool KeyPattern(int x, int y) { return (x / 3 + y / 2) % 3 == 0; }

// A monochrome bitmap, white (transparent) where isWhite says.
HBITMAP MakeMask(int cx, int cy, const std::function<bool(int, int)>& isWhite)
{
    const int nStride = ((cx + 15) / 16) * 2;
    std::vector<BYTE> bits(nStride * cy, 0);
    for (int y = 0; y < cy; y++)
        for (int x = 0; x < cx; x++)
            if (isWhite(x, y))
                bits[y * nStride + x / 8] |= (BYTE)(0x80 >> (x % 8));
    return ::CreateBitmap(cx, cy, 1, 1, bits.data());
}

// Expected destination: the surface's pixels before, with f's colour where f gives one.
typedef std::function<bool(int, int, COLORREF&)> Painter;
std::vector<COLORREF> Expect(const std::vector<COLORREF>& before, int cx, int cy, const Painter& f)
{
    std::vector<COLORREF> expected = before;
    for (int y = 0; y < cy; y++)
        for (int x = 0; x < cx; x++)
        {
            COLORREF cr;
            if (f(x, y, cr))
                expected[y * cx + x] = cr;
        }
    return expected;
}

// The destination's DC is left as it was found.
void ExpectDestinationRestored(CTestSurface& dest)
{
    EXPECT_EQ((HGDIOBJ)dest.Bitmap(), ::GetCurrentObject(dest.Hdc(), OBJ_BITMAP));
    EXPECT_EQ(::GetStockObject(DEFAULT_PALETTE), ::GetCurrentObject(dest.Hdc(), OBJ_PAL));
}

class BlitTest : public ::testing::TestWithParam<int>
{
protected:
    int DestBits() const { return GetParam(); }
};
}

TEST_P(BlitTest, DrawCopiesTheImageAtThePoint)
{
    CDIBSection img;
    MakeImage(img, 100, 20);
    CTestSurface dest(120, 30, DestBits());
    ASSERT_TRUE(dest.IsValid());
    dest.FillPattern();
    std::vector<COLORREF> before = dest.Pixels();

    ASSERT_TRUE(img.Draw(dest.DC(), CPoint(5, 3)));
    EXPECT_EQ(Expect(before, 120, 30, [](int x, int y, COLORREF& cr) {
                  if (x < 5 || y < 3 || x >= 105 || y >= 23)
                      return false;
                  cr = SourceColour(x - 5, y - 3);
                  return true;
              }),
              dest.Pixels());
    EXPECT_TRUE(IsFree((HBITMAP)img));
    ExpectDestinationRestored(dest);
}

TEST_P(BlitTest, DrawFromAnOriginStopsAtTheImageEdge)
{
    CDIBSection img;
    MakeImage(img, 100, 20);
    CTestSurface dest(120, 30, DestBits());
    dest.FillPattern();
    std::vector<COLORREF> before = dest.Pixels();

    // From (30, 0) with no size: a 70-pixel-wide part.
    POINT ptSrc = {30, 0};
    ASSERT_TRUE(img.Draw(dest.DC(), CPoint(0, 0), &ptSrc));
    EXPECT_EQ(Expect(before, 120, 30, [](int x, int y, COLORREF& cr) {
                  if (x >= 70 || y >= 20)
                      return false;
                  cr = SourceColour(x + 30, y);
                  return true;
              }),
              dest.Pixels());

    // A size reaching past the image is cut at its bottom edge too.
    dest.FillPattern();
    POINT ptPart = {90, 15};
    SIZE size = {8, 10};
    ASSERT_TRUE(img.Draw(dest.DC(), CPoint(2, 1), &ptPart, &size));
    EXPECT_EQ(Expect(before, 120, 30, [](int x, int y, COLORREF& cr) {
                  if (x < 2 || y < 1 || x >= 10 || y >= 6)
                      return false;
                  cr = SourceColour(x - 2 + 90, y - 1 + 15);
                  return true;
              }),
              dest.Pixels());
}

TEST_P(BlitTest, StretchTurnsEachPixelIntoABlock)
{
    CDIBSection img;
    MakeImage(img, 8, 6);
    CTestSurface dest(40, 30, DestBits());
    dest.FillPattern();
    std::vector<COLORREF> before = dest.Pixels();

    ASSERT_TRUE(img.Stretch(dest.DC(), CPoint(3, 2), CSize(32, 24)));
    EXPECT_EQ(Expect(before, 40, 30, [](int x, int y, COLORREF& cr) {
                  if (x < 3 || y < 2 || x >= 35 || y >= 26)
                      return false;
                  cr = SourceColour((x - 3) / 4, (y - 2) / 4);
                  return true;
              }),
              dest.Pixels());
    EXPECT_EQ(COLORONCOLOR, ::GetStretchBltMode(dest.Hdc()));
    EXPECT_TRUE(IsFree((HBITMAP)img));
    ExpectDestinationRestored(dest);
}

TEST_P(BlitTest, ColourKeyKeepsTheDestinationWhereTheImageHasTheKey)
{
    CDIBSection img;
    MakeImage(img, 30, 12, KeyPattern);
    CTestSurface dest(40, 20, DestBits());
    dest.FillPattern();
    std::vector<COLORREF> before = dest.Pixels();

    ASSERT_TRUE(img.DrawTransparent(dest.DC(), CPoint(4, 2), crKey));
    EXPECT_EQ(Expect(before, 40, 20, [](int x, int y, COLORREF& cr) {
                  int sx = x - 4, sy = y - 2;
                  if (sx < 0 || sy < 0 || sx >= 30 || sy >= 12 || KeyPattern(sx, sy))
                      return false;
                  cr = SourceColour(sx, sy);
                  return true;
              }),
              dest.Pixels());
    EXPECT_TRUE(IsFree((HBITMAP)img));
    ExpectDestinationRestored(dest);

    // A part of the image, from its own origin.
    dest.FillPattern();
    POINT ptSrc = {7, 3};
    SIZE size = {10, 6};
    ASSERT_TRUE(img.DrawTransparent(dest.DC(), CPoint(1, 1), crKey, &ptSrc, &size));
    EXPECT_EQ(Expect(before, 40, 20, [](int x, int y, COLORREF& cr) {
                  int sx = x - 1 + 7, sy = y - 1 + 3;
                  if (x < 1 || y < 1 || x >= 11 || y >= 7 || KeyPattern(sx, sy))
                      return false;
                  cr = SourceColour(sx, sy);
                  return true;
              }),
              dest.Pixels());
}

TEST_P(BlitTest, NoKeyMeansAPlainDraw)
{
    CDIBSection img;
    MakeImage(img, 30, 12, KeyPattern);
    CTestSurface plain(70, 60, DestBits()), keyed(70, 60, DestBits());
    plain.FillPattern();
    keyed.FillPattern();

    POINT ptSrc = {4, 2};
    ASSERT_TRUE(img.Draw(plain.DC(), CPoint(3, 3), &ptSrc));
    ASSERT_TRUE(img.DrawTransparent(keyed.DC(), CPoint(3, 3), (COLORREF)0xFFFFFFFF, &ptSrc));
    ASSERT_TRUE(img.Stretch(plain.DC(), CPoint(0, 20), CSize(60, 36)));
    ASSERT_TRUE(img.StretchTransparent(keyed.DC(), CPoint(0, 20), CSize(60, 36), (COLORREF)0xFFFFFFFF));
    EXPECT_EQ(plain.Pixels(), keyed.Pixels());
    // The key colour itself was drawn: source pixel (6, 2) lands on (5, 3).
    ASSERT_TRUE(KeyPattern(6, 2));
    EXPECT_EQ(crKey, keyed.Pixel(5, 3));
}

TEST_P(BlitTest, AllKeyLeavesTheDestinationAndNoKeyEqualsDraw)
{
    CDIBSection img;
    MakeImage(img, 16, 10, [](int, int) { return true; });
    CTestSurface dest(80, 50, DestBits());
    dest.FillPattern();
    std::vector<COLORREF> before = dest.Pixels();
    ASSERT_TRUE(img.DrawTransparent(dest.DC(), CPoint(2, 2), crKey));
    ASSERT_TRUE(img.StretchTransparent(dest.DC(), CPoint(10, 10), CSize(64, 40), crKey));
    EXPECT_EQ(before, dest.Pixels());

    CDIBSection opaque;
    MakeImage(opaque, 16, 10);
    CTestSurface plain(80, 50, DestBits());
    plain.FillPattern();
    ASSERT_TRUE(opaque.Draw(plain.DC(), CPoint(2, 2)));
    ASSERT_TRUE(opaque.Stretch(plain.DC(), CPoint(10, 10), CSize(64, 40)));
    ASSERT_TRUE(opaque.DrawTransparent(dest.DC(), CPoint(2, 2), crKey));
    ASSERT_TRUE(opaque.StretchTransparent(dest.DC(), CPoint(10, 10), CSize(64, 40), crKey));
    EXPECT_EQ(plain.Pixels(), dest.Pixels());
}

TEST_P(BlitTest, StretchedColourKeyKeepsHardEdgedBlocks)
{
    CDIBSection img;
    MakeImage(img, 9, 7, KeyPattern);
    CTestSurface dest(42, 32, DestBits());
    dest.FillPattern();
    std::vector<COLORREF> before = dest.Pixels();

    ASSERT_TRUE(img.StretchTransparent(dest.DC(), CPoint(3, 2), CSize(36, 28), crKey));
    EXPECT_EQ(Expect(before, 42, 32, [](int x, int y, COLORREF& cr) {
                  if (x < 3 || y < 2 || x >= 39 || y >= 30)
                      return false;
                  int sx = (x - 3) / 4, sy = (y - 2) / 4;
                  if (KeyPattern(sx, sy))
                      return false;
                  cr = SourceColour(sx, sy);
                  return true;
              }),
              dest.Pixels());
    EXPECT_TRUE(IsFree((HBITMAP)img));
    ExpectDestinationRestored(dest);
}

TEST_P(BlitTest, MaskKeepsTheDestinationWhereTheMaskIsWhite)
{
    CDIBSection img;
    MakeImage(img, 30, 12);
    auto white = [](int x, int y) { return (x + 2 * y) % 5 < 2; };
    HBITMAP hMask = MakeMask(12, 8, white);
    ASSERT_NE(nullptr, hMask);
    CTestSurface dest(40, 20, DestBits());
    dest.FillPattern();
    std::vector<COLORREF> before = dest.Pixels();

    // Mask pixel (i, j) governs destination pixel (pt.x + i, pt.y + j) whatever the origin.
    POINT ptSrc = {10, 2};
    SIZE size = {12, 8};
    ASSERT_TRUE(img.DrawTransparent(dest.DC(), CPoint(5, 4), hMask, &ptSrc, &size));
    EXPECT_EQ(Expect(before, 40, 20, [&](int x, int y, COLORREF& cr) {
                  int i = x - 5, j = y - 4;
                  if (i < 0 || j < 0 || i >= 12 || j >= 8 || white(i, j))
                      return false;
                  cr = SourceColour(i + 10, j + 2);
                  return true;
              }),
              dest.Pixels());
    EXPECT_TRUE(IsFree((HBITMAP)img));
    EXPECT_TRUE(IsFree(hMask));
    ExpectDestinationRestored(dest);
    ::DeleteObject(hMask);
}

TEST_P(BlitTest, WhiteMaskLeavesTheDestinationAndBlackMaskDrawsOpaque)
{
    CDIBSection img;
    MakeImage(img, 12, 9, KeyPattern);
    HBITMAP hWhite = MakeMask(12, 9, [](int, int) { return true; });
    HBITMAP hBlack = MakeMask(12, 9, [](int, int) { return false; });
    CTestSurface dest(60, 45, DestBits()), plain(60, 45, DestBits());
    dest.FillPattern();
    plain.FillPattern();
    std::vector<COLORREF> before = dest.Pixels();

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

TEST_P(BlitTest, StretchedMaskKeepsHardEdgedBlocks)
{
    CDIBSection img;
    MakeImage(img, 9, 7);
    auto white = [](int x, int y) { return (x * y) % 3 == 1; };
    HBITMAP hMask = MakeMask(9, 7, white);
    CTestSurface dest(42, 32, DestBits());
    dest.FillPattern();
    std::vector<COLORREF> before = dest.Pixels();

    ASSERT_TRUE(img.StretchTransparent(dest.DC(), CPoint(3, 2), CSize(36, 28), hMask));
    EXPECT_EQ(Expect(before, 42, 32, [&](int x, int y, COLORREF& cr) {
                  if (x < 3 || y < 2 || x >= 39 || y >= 30)
                      return false;
                  int sx = (x - 3) / 4, sy = (y - 2) / 4;
                  if (white(sx, sy))
                      return false;
                  cr = SourceColour(sx, sy);
                  return true;
              }),
              dest.Pixels());
    EXPECT_TRUE(IsFree((HBITMAP)img));
    EXPECT_TRUE(IsFree(hMask));
    ExpectDestinationRestored(dest);
    ::DeleteObject(hMask);
}

TEST_P(BlitTest, PalettisedImageWithAKeyFromItsTable)
{
    CDIBSection img;
    ASSERT_TRUE(img.CreateBitmap(20, 10, 1, 8));
    std::vector<RGBQUAD> table = SectionColourTable(img);
    ASSERT_EQ(256u, table.size());
    // Key: entry 0; the picture uses entries of other colours.
    const COLORREF crTableKey = QuadColour(table[0]);
    std::vector<int> entries;
    for (int i = 1; i < 256 && entries.size() < 7; i++)
        if (QuadColour(table[i]) != crTableKey)
            entries.push_back(i);
    ASSERT_EQ(7u, entries.size());
    auto index = [&](int x, int y) { return KeyPattern(x, y) ? 0 : entries[(x + y) % 7]; };
    for (int y = 0; y < 10; y++)
        for (int x = 0; x < 20; x++)
            SetRawPixel(img, x, y, index(x, y));

    CTestSurface dest(30, 20, DestBits());
    dest.FillPattern();
    std::vector<COLORREF> before = dest.Pixels();
    ASSERT_TRUE(img.DrawTransparent(dest.DC(), CPoint(6, 5), crTableKey));
    EXPECT_EQ(Expect(before, 30, 20, [&](int x, int y, COLORREF& cr) {
                  int sx = x - 6, sy = y - 5;
                  if (sx < 0 || sy < 0 || sx >= 20 || sy >= 10 || index(sx, sy) == 0)
                      return false;
                  cr = QuadColour(table[index(sx, sy)]);
                  return true;
              }),
              dest.Pixels());
}

TEST_P(BlitTest, DitheredDeepImageGoesThroughDrawDib)
{
    CDIBSection img;
    MakeImage(img, 100, 20);
    ASSERT_TRUE(img.SetDither(TRUE));
    ASSERT_TRUE(img.GetDither());
    CTestSurface dest(220, 90, DestBits());
    dest.FillPattern();
    std::vector<COLORREF> before = dest.Pixels();

    // DrawDib reads the bits, so a loan of the image's memory DC outlives the calls; the GDI
    // path would end it.
    CDC* pLoan = img.GetMemoryDC();
    ASSERT_NE(nullptr, pLoan);
    POINT ptSrc = {30, 5};
    ASSERT_TRUE(img.Draw(dest.DC(), CPoint(0, 0), &ptSrc));
    ASSERT_TRUE(img.Stretch(dest.DC(), CPoint(10, 40), CSize(200, 40)));
    EXPECT_NE(nullptr, pLoan->GetSafeHdc());
    img.ReleaseMemoryDC();

    EXPECT_EQ(Expect(before, 220, 90, [](int x, int y, COLORREF& cr) {
                  if (x < 70 && y < 15)
                      cr = SourceColour(x + 30, y + 5);
                  else if (x >= 10 && x < 210 && y >= 40 && y < 80)
                      cr = SourceColour((x - 10) / 2, (y - 40) / 2);
                  else
                      return false;
                  return true;
              }),
              dest.Pixels());
    ExpectDestinationRestored(dest);

    // Without dithering the same call borrows the memory DC.
    ASSERT_TRUE(img.SetDither(FALSE));
    pLoan = img.GetMemoryDC();
    ASSERT_TRUE(img.Draw(dest.DC(), CPoint(0, 0), &ptSrc));
    EXPECT_EQ(nullptr, pLoan->GetSafeHdc());
}

TEST_P(BlitTest, RefusesAnEmptyImageNoDCAndNoMask)
{
    CDIBSection empty, img;
    MakeImage(img, 8, 8);
    HBITMAP hMask = MakeMask(8, 8, [](int, int) { return true; });
    CTestSurface dest(20, 20, DestBits());
    dest.FillPattern();
    std::vector<COLORREF> before = dest.Pixels();

    EXPECT_FALSE(empty.Draw(dest.DC(), CPoint(0, 0)));
    EXPECT_FALSE(empty.Stretch(dest.DC(), CPoint(0, 0), CSize(8, 8)));
    EXPECT_FALSE(empty.DrawTransparent(dest.DC(), CPoint(0, 0), crKey));
    EXPECT_FALSE(empty.DrawTransparent(dest.DC(), CPoint(0, 0), hMask));
    EXPECT_FALSE(empty.StretchTransparent(dest.DC(), CPoint(0, 0), CSize(8, 8), crKey));
    EXPECT_FALSE(empty.StretchTransparent(dest.DC(), CPoint(0, 0), CSize(8, 8), hMask));
    EXPECT_FALSE(img.Draw(NULL, CPoint(0, 0)));
    EXPECT_FALSE(img.StretchTransparent(NULL, CPoint(0, 0), CSize(8, 8), crKey));
    EXPECT_FALSE(img.DrawTransparent(dest.DC(), CPoint(0, 0), (HBITMAP)NULL));
    EXPECT_FALSE(img.StretchTransparent(dest.DC(), CPoint(0, 0), CSize(8, 8), (HBITMAP)NULL));
    // An origin past the image leaves nothing to draw.
    POINT ptFar = {8, 0};
    EXPECT_FALSE(img.Draw(dest.DC(), CPoint(0, 0), &ptFar));
    EXPECT_EQ(before, dest.Pixels());
    ::DeleteObject(hMask);
}

INSTANTIATE_TEST_SUITE_P(Destination, BlitTest, ::testing::Values(24, 32),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return std::to_string(info.param) + "bpp";
                         });
