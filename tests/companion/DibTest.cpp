// CDib: reading a bitmap through a DC, copies of packed DIBs, and drawing.
#include <afxwin.h>
#include <gtest/gtest.h>
#include "companion/Dib.h"

namespace
{
// A 5 x 3 bitmap compatible with the screen whose pixel (x, y) is RGB(40 x, 80 y, 200).
HBITMAP MakeScreenBitmap()
{
    HDC hScreen = ::GetDC(NULL);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, 5, 3);
    HDC hDC = ::CreateCompatibleDC(hScreen);
    HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
    for (int y = 0; y < 3; y++)
        for (int x = 0; x < 5; x++)
            ::SetPixelV(hDC, x, y, RGB(40 * x, 80 * y, 200));
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    ::ReleaseDC(NULL, hScreen);
    return hBitmap;
}

// Pixel (x, y) of a CDib counted from the top, for 24 and 32 bits.
COLORREF DibPixel(const CDib& dib, int x, int y)
{
    const BYTE* pRow = (const BYTE*)dib.GetBits() + (dib.GetHeight() - 1 - y) * dib.GetStride();
    const BYTE* p = pRow + x * dib.GetBitCount() / 8;
    return RGB(p[2], p[1], p[0]);
}
}

TEST(Dib, InitReadsTheBitmapAtItsOwnDepthOrAsAMask)
{
    HBITMAP hBitmap = MakeScreenBitmap();
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(NULL));
    CDib dib;
    ASSERT_TRUE(dib.Init(&dc, CBitmap::FromHandle(hBitmap), 24, FALSE, DIB_RGB_COLORS));
    EXPECT_EQ(5, dib.GetWidth());
    EXPECT_EQ(3, dib.GetHeight());
    EXPECT_EQ(16, dib.GetStride());   // 15 bytes padded to 32 bits
    EXPECT_EQ(RGB(160, 160, 200), DibPixel(dib, 4, 2));
    EXPECT_EQ(RGB(0, 0, 200), DibPixel(dib, 0, 0));

    // As a mask: one bit per pixel with a two-entry table.
    CDib mask;
    ASSERT_TRUE(mask.Init(&dc, CBitmap::FromHandle(hBitmap), 0, TRUE, DIB_RGB_COLORS));
    EXPECT_EQ(1, mask.GetBitCount());
    EXPECT_EQ(2u, mask.GetBitmapInfo()->bmiHeader.biClrUsed);

    // Refusals leave the object empty.
    EXPECT_FALSE(dib.Init(&dc, CBitmap::FromHandle(hBitmap), 24, FALSE, 7));
    EXPECT_TRUE(dib.IsEmpty());
    EXPECT_FALSE(dib.Init(&dc, NULL, 0, FALSE, DIB_RGB_COLORS));
    EXPECT_FALSE(dib.Init(NULL, CBitmap::FromHandle(hBitmap), 0, FALSE, DIB_RGB_COLORS));
    EXPECT_EQ(0, dib.GetWidth());
    ::DeleteObject(hBitmap);
}

TEST(Dib, CopiesOfPackedDibsAreCheckedAndDrawnAtTheirSize)
{
    // 2 x 2, 8 bits, a table of four entries; rows bottom-up.
    struct
    {
        BITMAPINFOHEADER bih;
        RGBQUAD table[4];
    } info = {};
    info.bih.biSize = sizeof(info.bih);
    info.bih.biWidth = 2;
    info.bih.biHeight = 2;
    info.bih.biPlanes = 1;
    info.bih.biBitCount = 8;
    info.bih.biClrUsed = 4;
    info.table[1].rgbRed = 255;
    info.table[3].rgbBlue = 255;
    BYTE bits[8] = { 1, 3, 0, 0, 3, 1, 0, 0 };
    CDib dib;
    ASSERT_TRUE(dib.Init((BITMAPINFO*)&info, bits));
    EXPECT_NE((void*)bits, dib.GetBits());
    EXPECT_EQ(0, memcmp(info.table, dib.GetBitmapInfo()->bmiColors, sizeof(info.table)));

    HDC hScreen = ::GetDC(NULL);
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(NULL));
    CBitmap target;
    target.Attach(::CreateCompatibleBitmap(hScreen, 4, 4));
    ::ReleaseDC(NULL, hScreen);
    CBitmap* pOld = dc.SelectObject(&target);
    dc.FillSolidRect(0, 0, 4, 4, RGB(0, 255, 0));
    ASSERT_TRUE(dib.Display(&dc, CPoint(1, 1)));
    EXPECT_EQ(RGB(0, 0, 255), dc.GetPixel(1, 1));   // top row: 3, 1
    EXPECT_EQ(RGB(255, 0, 0), dc.GetPixel(2, 1));
    EXPECT_EQ(RGB(255, 0, 0), dc.GetPixel(1, 2));
    EXPECT_EQ(RGB(0, 255, 0), dc.GetPixel(3, 3));   // outside the picture
    dc.SelectObject(pOld);

    // Headers that do not describe a picture are refused.
    info.bih.biBitCount = 7;
    EXPECT_FALSE(dib.Init((BITMAPINFO*)&info, bits));
    info.bih.biBitCount = 8;
    info.bih.biWidth = 1 << 20;
    info.bih.biHeight = 1 << 20;
    EXPECT_FALSE(dib.Init((BITMAPINFO*)&info, bits));
    EXPECT_FALSE(dib.Display(&dc, CPoint(0, 0)));
}
