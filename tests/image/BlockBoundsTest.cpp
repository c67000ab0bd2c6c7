// SetBitmap(BITMAPINFO*, void*) reads only what the header describes: blocks that end exactly
// where a no-access page begins, with short colour tables, masks, longer headers and short
// pixel data, are taken without a read past their end, and the picture shows their colours.
#include "GuardedBlock.h"
#include "ImageTestSupport.h"
#include <gtest/gtest.h>

using namespace imagetest;

namespace
{
Bytes Header(LONG cx, LONG cy, WORD nBits, DWORD nCompression, DWORD nClrUsed, DWORD biSize = 40, DWORD nSizeImage = 0)
{
    Bytes header = Dwords({biSize, (DWORD)cx, (DWORD)cy, 1u | ((DWORD)nBits << 16), nCompression, nSizeImage, 0, 0,
                           nClrUsed, 0});
    header.resize(biSize, 0);
    return header;
}

DWORD Quad(COLORREF cr) { return (GetRValue(cr) << 16) | (GetGValue(cr) << 8) | GetBValue(cr); }

Bytes Table(const std::vector<COLORREF>& colours)
{
    Bytes table;
    for (COLORREF cr : colours)
        table = table + Dwords({Quad(cr)});
    return table;
}

struct Taken
{
    BOOL bResult;
    bool bInfoOverrun, bBitsOverrun;
};

// SetBitmap of an info block and a bits block that each end at a no-access page.
Taken TakeGuarded(CDIBSection& img, const Bytes& info, const Bytes& bits)
{
    GuardedBlock guardedInfo(info), guardedBits(bits);
    EXPECT_TRUE(guardedInfo.IsValid() && guardedBits.IsValid());
    Taken taken;
    taken.bResult = img.SetBitmap((BITMAPINFO*)guardedInfo.Data(), guardedBits.Data());
    taken.bInfoOverrun = guardedInfo.Touched();
    taken.bBitsOverrun = guardedBits.Touched();
    return taken;
}
}

// An honest 8-bit header with biClrUsed 2 and its two colours: the other 254 entries are
// not there to read. The held table has the two colours and black after them.
TEST(BlockBounds, ShortColourTableIsReadAsDescribed)
{
    const std::vector<COLORREF> colours = {RGB(200, 10, 20), RGB(5, 150, 250)};
    const int cx = 5, cy = 3;
    const Bytes info = Header(cx, cy, 8, BI_RGB, 2) + Table(colours);
    const Bytes bits = PackRows(cx, cy, 8, [](int x, int y) { return (DWORD)((x + y) % 2); });
    CDIBSection img;
    const Taken taken = TakeGuarded(img, info, bits);
    EXPECT_FALSE(taken.bInfoOverrun) << "read past the two-entry table";
    EXPECT_FALSE(taken.bBitsOverrun);
    ASSERT_TRUE(taken.bResult);
    EXPECT_EQ(256, img.GetColorTableSize());
    EXPECT_EQ(colours, QuadColours(img.GetColorTable(), 2));
    EXPECT_EQ(std::vector<COLORREF>(254, RGB(0, 0, 0)), QuadColours(img.GetColorTable() + 2, 254));
    for (int y = 0; y < cy; y++)
        for (int x = 0; x < cx; x++)
            EXPECT_EQ(colours[(x + y) % 2], PixelColour(img, x, y)) << x << "," << y;
}

// More shapes of honest blocks: short tables at every palettised depth, a longer header with
// its table after it, bit-field masks after a plain header, no table at all, and pixel data
// that biSizeImage says is shorter than the picture (the rest reads as zero).
TEST(BlockBounds, HonestBlocksAreReadWithinTheirEnds)
{
    const std::vector<COLORREF> three = {RGB(1, 2, 3), RGB(250, 240, 230), RGB(9, 99, 199)};
    struct Case
    {
        const char* pszName;
        Bytes info;
        int nBits;
        std::vector<COLORREF> table;   // the colours the picture shows by index
        DWORD nBitsBytes;              // 0: the whole picture
    };
    const int cx = 6, cy = 4;
    const Case cases[] = {
        {"1-bit, one entry", Header(cx, cy, 1, BI_RGB, 1) + Table({three[1]}), 1, {three[1]}, 0},
        {"4-bit, three entries", Header(cx, cy, 4, BI_RGB, 3) + Table(three), 4, three, 0},
        {"8-bit V4 header, three entries", Header(cx, cy, 8, BI_RGB, 3, 108) + Table(three), 8, three, 0},
        {"8-bit, full table by depth", Header(cx, cy, 8, BI_RGB, 0) + Table(std::vector<COLORREF>(256, three[2])), 8,
         {three[2], three[2], three[2]}, 0},
        {"16-bit masks after the header", Header(cx, cy, 16, BI_BITFIELDS, 0) + Dwords({0xF800, 0x07E0, 0x001F}), 16,
         {}, 0},
        {"24-bit, header alone", Header(cx, cy, 24, BI_RGB, 0), 24, {}, 0},
        {"8-bit, short pixel data", Header(cx, cy, 8, BI_RGB, 3, 40, 2 * 8) + Table(three), 8, three, 2 * 8},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        const DWORD nImage = (DWORD)Stride(cx, c.nBits) * cy;
        auto value = [&](int x, int y) -> DWORD {
            if (!c.table.empty())
                return (DWORD)((x + 2 * y) % c.table.size());
            return c.nBits == 16 ? 0x0841u * (DWORD)(x + y) : (DWORD)(0x010203 * (x + 7 * y));
        };
        Bytes bits = PackRows(cx, cy, c.nBits, value);
        bits.resize(c.nBitsBytes != 0 ? c.nBitsBytes : nImage);
        CDIBSection img;
        const Taken taken = TakeGuarded(img, c.info, bits);
        EXPECT_FALSE(taken.bInfoOverrun) << "read past the header block";
        EXPECT_FALSE(taken.bBitsOverrun) << "read past the pixel block";
        ASSERT_TRUE(taken.bResult);
        ASSERT_EQ(CSize(cx, cy), img.GetSize());
        // Rows the block holds show its values; the rows past its end are zero.
        const size_t nStride = (size_t)Stride(cx, c.nBits);
        for (int y = 0; y < cy; y++)
            for (int x = 0; x < cx; x++)
            {
                const bool bHeld = (size_t)(cy - 1 - y) * nStride < bits.size();
                EXPECT_EQ(bHeld ? value(x, y) : 0u, RawPixel(img, x, y)) << x << "," << y;
                if (!c.table.empty())
                {
                    EXPECT_EQ(c.table[bHeld ? value(x, y) : 0], PixelColour(img, x, y)) << x << "," << y;
                }
            }
        if (c.nBits == 16)
        {
            EXPECT_EQ(Dwords({0xF800, 0x07E0, 0x001F}), Bytes((BYTE*)img.GetColorTable(), (BYTE*)img.GetColorTable() + 12));
        }
    }
}
