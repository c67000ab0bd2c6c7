// Transparency by key colour: masks painted into the image in a chosen or given colour, masks
// made back from the key, and the keyed blit.
#include "PaintFixture.h"
#include <afxdlgs.h>
#include "companion/Dib.h"

namespace
{
// A monochrome bitmap of cx x cy whose pixel is white (transparent) where transparent(x, y).
HBITMAP MakeMask(int cx, int cy, const std::function<bool(int, int)>& transparent)
{
    const int nStride = ((cx + 15) / 16) * 2;   // monochrome rows are WORD-aligned
    std::vector<BYTE> bits((size_t)nStride * cy, 0);
    for (int y = 0; y < cy; y++)
        for (int x = 0; x < cx; x++)
            if (transparent(x, y))
                bits[(size_t)y * nStride + x / 8] |= (BYTE)(0x80 >> (x % 8));
    return ::CreateBitmap(cx, cy, 1, 1, bits.data());
}

// Whether the monochrome bitmap's pixel is white.
bool MaskWhite(HBITMAP hMask, int x, int y)
{
    HDC hDC = ::CreateCompatibleDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hDC, hMask);
    COLORREF cr = ::GetPixel(hDC, x, y);
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    return cr == RGB(255, 255, 255);
}

bool LeftHalf(int x, int) { return x < 4; }
}

class PntCtrlTransparency : public PaintFixture
{
};

TEST_F(PntCtrlTransparency, MaskGetsTheHighestStandardColourThatNoOpaquePixelUses)
{
    const COLORREF kLightGrey = RGB(192, 192, 192), kGrey = RGB(128, 128, 128);
    HBITMAP hMask = MakeMask(8, 6, LeftHalf);
    ASSERT_TRUE(GiveImage(8, 6, 8, kWhite));
    EXPECT_EQ(1, m_pCtrl->SetTransparencyFromMask(hMask));
    EXPECT_EQ(kLightGrey, m_pCtrl->GetTransparentColor());
    EXPECT_EQ(kLightGrey, ImagePixel(0, 5));
    EXPECT_EQ(kLightGrey, ImagePixel(3, 0));
    EXPECT_EQ(kWhite, ImagePixel(4, 0));
    EXPECT_FALSE(m_pCtrl->CanUndo());   // no undo step, no notification
    EXPECT_EQ(0, ImageChanges());

    // An opaque pixel in light grey: the next candidate down is taken.
    ASSERT_TRUE(GiveImage(8, 6, 8, kWhite));
    m_pCtrl->GetDIBsection()->SetPixel(7, 5, kLightGrey);
    EXPECT_EQ(1, m_pCtrl->SetTransparencyFromMask(hMask));
    EXPECT_EQ(kGrey, m_pCtrl->GetTransparentColor());

    // Refusals change nothing: a 24-bit image, a mask of another size, no bitmap at all.
    ASSERT_TRUE(GiveImage(8, 6, 24, kWhite));
    m_pCtrl->SetTransparentColor(kRed);
    EXPECT_EQ(0, m_pCtrl->SetTransparencyFromMask(hMask));
    ASSERT_TRUE(GiveImage(9, 6, 8, kWhite));
    EXPECT_EQ(0, m_pCtrl->SetTransparencyFromMask(hMask));
    EXPECT_EQ(0, m_pCtrl->SetTransparencyFromMask(NULL));
    EXPECT_EQ(-1, m_pCtrl->SetTransparencyFromMask((HBITMAP)::GetStockObject(WHITE_BRUSH)));
    EXPECT_EQ(kRed, m_pCtrl->GetTransparentColor());
    EXPECT_EQ(0, PixelsOtherThan(kWhite));
    ::DeleteObject(hMask);
}

// When the opaque pixels use all sixteen standard colours, the key is the least used of them,
// and of two equally rare ones the later in the table.
TEST_F(PntCtrlTransparency, WithNoStandardColourFreeTheLeastUsedBecomesTheKeyTiesToTheHigherIndex)
{
    const COLORREF kStandard[16] = {
        RGB(0, 0, 0),     RGB(255, 255, 255), RGB(0, 0, 255),   RGB(0, 255, 0),
        RGB(0, 255, 255), RGB(255, 0, 0),     RGB(255, 0, 255), RGB(255, 255, 0),
        RGB(0, 0, 128),   RGB(0, 128, 0),     RGB(0, 128, 128), RGB(128, 0, 0),
        RGB(128, 0, 128), RGB(128, 128, 0),   RGB(128, 128, 128), RGB(192, 192, 192),
    };
    // The left 8 x 8 of a 16 x 8 image is opaque: 64 pixels shared out by these counts.
    struct Case { const char* name; int counts[16]; int nKey; } cases[] = {
        // Magenta (6) alone is rarest; light grey (15), the first candidate, is common.
        { "one rarest", { 5, 4, 4, 4, 4, 4, 3, 4, 4, 4, 4, 4, 4, 4, 4, 4 }, 6 },
        // Bright green (3) and dark magenta (12) are equally rare: the higher index wins.
        { "a tie", { 6, 6, 4, 2, 4, 4, 4, 4, 4, 4, 4, 4, 2, 4, 4, 4 }, 12 },
        // Black (0), the last candidate, alone is rarest.
        { "the last", { 1, 5, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 6 }, 0 },
    };
    HBITMAP hMask = MakeMask(16, 8, [](int x, int) { return x >= 8; });
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(GiveImage(16, 8, 8, kWhite));
        int nPixel = 0, nTotal = 0;
        for (int i = 0; i < 16; i++)
        {
            nTotal += c.counts[i];
            for (int n = 0; n < c.counts[i]; n++, nPixel++)
                m_pCtrl->GetDIBsection()->SetPixel(nPixel % 8, nPixel / 8, kStandard[i]);
        }
        ASSERT_EQ(64, nTotal);
        // Every standard colour is in the palette exactly, so each pixel holds its colour.
        for (int i = 0, n = 0; i < 16; n += c.counts[i], i++)
            ASSERT_EQ(kStandard[i], ImagePixel(n % 8, n / 8)) << i;

        EXPECT_EQ(1, m_pCtrl->SetTransparencyFromMask(hMask));
        EXPECT_EQ(kStandard[c.nKey], m_pCtrl->GetTransparentColor());
        int nKeyed = 0, nOpaqueChanged = 0;
        for (int y = 0; y < 8; y++)
            for (int x = 8; x < 16; x++)
                nKeyed += ImagePixel(x, y) == kStandard[c.nKey];
        for (int i = 0, n = 0; i < 16; i++)
            for (int k = 0; k < c.counts[i]; k++, n++)
                nOpaqueChanged += ImagePixel(n % 8, n / 8) != kStandard[i];
        EXPECT_EQ(64, nKeyed);
        EXPECT_EQ(0, nOpaqueChanged);
    }
    ::DeleteObject(hMask);
}

TEST_F(PntCtrlTransparency, FixedColourAcceptsAnyMaskAndSmallerOnesLeaveTheRestTransparent)
{
    HBITMAP hNarrow = MakeMask(7, 6, [](int x, int y) { return x == 0 && y == 0; });
    ASSERT_TRUE(GiveImage(8, 6, 24, kWhite));
    ASSERT_TRUE(m_pCtrl->SetFixedTransparency(hNarrow, kGreen));
    EXPECT_EQ(kGreen, m_pCtrl->GetTransparentColor());
    EXPECT_EQ(kGreen, ImagePixel(0, 0));
    EXPECT_EQ(kWhite, ImagePixel(6, 3));
    for (int y = 0; y < 6; y++)
        EXPECT_EQ(kGreen, ImagePixel(7, y));   // beyond the mask: transparent
    ::DeleteObject(hNarrow);
}

TEST_F(PntCtrlTransparency, MaskMadeFromTheKeyColourRoundTrips)
{
    HBITMAP hMask = MakeMask(8, 6, [](int x, int y) { return (x + y) % 3 == 0; });
    ASSERT_TRUE(GiveImage(8, 6, 8, kBlack));
    ASSERT_EQ(1, m_pCtrl->SetTransparencyFromMask(hMask));

    // Transparency off: every pixel opaque, whatever the key.
    HBITMAP hOff = m_pCtrl->GetMask();
    ASSERT_NE((HBITMAP)NULL, hOff);
    for (int y = 0; y < 6; y++)
        for (int x = 0; x < 8; x++)
            ASSERT_FALSE(MaskWhite(hOff, x, y));

    m_pCtrl->SetTransparent(TRUE);
    HBITMAP hOn = m_pCtrl->GetMask();
    for (int y = 0; y < 6; y++)
        for (int x = 0; x < 8; x++)
            ASSERT_EQ(MaskWhite(hMask, x, y), MaskWhite(hOn, x, y)) << x << "," << y;
    if (hOn != hOff)
    {
        EXPECT_EQ(0u, (UINT)::GetObjectType(hOff));   // the earlier mask is gone
    }

    // The same through CDib objects: out as a one-bit CDib, back in with a fixed colour.
    CDib dibMask;
    ASSERT_TRUE(m_pCtrl->GetCDibMask(&dibMask));
    EXPECT_EQ(1, dibMask.GetBitCount());
    ASSERT_TRUE(GiveImage(8, 6, 24, kBlack));
    ASSERT_TRUE(m_pCtrl->SetFixedTransparency(&dibMask, kBlue));
    for (int y = 0; y < 6; y++)
        for (int x = 0; x < 8; x++)
            ASSERT_EQ((x + y) % 3 == 0 ? kBlue : kBlack, ImagePixel(x, y)) << x << "," << y;
    EXPECT_FALSE(m_pCtrl->GetCDibMask(NULL));
    EXPECT_FALSE(m_pCtrl->SetTransparencyFromCDib(NULL));
    ::DeleteObject(hMask);
}

class CKeyedBlitCtrl : public CPntCtrl
{
public:
    using CPntCtrl::DrawImageTransparentlyOnImage;
};

TEST(PntCtrlKeyedBlit, KeyColouredPixelsLeaveTheDestination)
{
    CDIBSection src, dst;
    ASSERT_TRUE(src.CreateBitmap(4, 4, 1, 24));
    ASSERT_TRUE(src.Clear(kGreen));
    src.SetPixel(1, 1, kRed);
    src.SetPixel(2, 3, kBlue);
    ASSERT_TRUE(dst.CreateBitmap(6, 6, 1, 24));
    ASSERT_TRUE(dst.Clear(kWhite));
    CKeyedBlitCtrl ctrl;
    CDC* pDC = dst.GetMemoryDC(NULL, FALSE);
    ASSERT_NE(nullptr, pDC);
    CPoint ptSrc(1, 1);
    CSize size(2, 3);
    ASSERT_TRUE(ctrl.DrawImageTransparentlyOnImage(pDC, src, CPoint(2, 2), kGreen, &ptSrc, &size));
    dst.ReleaseMemoryDC();
    // Source (1,1)-(3,4) lands on (2,2)-(4,5): red at (2,2), blue at (3,4), white elsewhere.
    for (int y = 0; y < 6; y++)
        for (int x = 0; x < 6; x++)
        {
            COLORREF crExpected = (x == 2 && y == 2) ? kRed : (x == 3 && y == 4) ? kBlue : kWhite;
            ASSERT_EQ(crExpected, dst.GetPixel(x, y)) << x << "," << y;
        }
}
