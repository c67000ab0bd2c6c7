// The standard palette, palettes built from colour tables and back, and the two copies of
// the colour table: the held one (files, clipboard) and the section's own one (GDI).
#include "common/TestEnvironment.h"
#include "ImageTestSupport.h"
#include <gtest/gtest.h>
#include <stdlib.h>
#include <string.h>

using namespace imagetest;

namespace
{
// The standard palette by its rule: the twenty static colours of the system palette around
// the 6x6x6 cube (red fastest) without the three colours those give, and 23 greys.
std::vector<COLORREF> StandardColours()
{
    const std::vector<COLORREF> system = PaletteColours(CPalette::FromHandle((HPALETTE)::GetStockObject(DEFAULT_PALETTE)));
    std::vector<COLORREF> colours(system.begin(), system.begin() + 10);
    const int levels[6] = {0, 44, 86, 135, 192, 255};
    for (int i = 0; i < 216; i++)
    {
        const COLORREF cr = RGB(levels[i % 6], levels[i / 6 % 6], levels[i / 36]);
        if (cr != RGB(0, 0, 0) && cr != RGB(192, 192, 192) && cr != RGB(0, 255, 255))
            colours.push_back(cr);
    }
    for (int grey : {17, 24, 30, 37, 44, 52, 60, 68, 77, 86, 95, 105, 114, 125, 146, 157, 168, 180, 204, 216, 229, 242, 255})
        colours.push_back(RGB(grey, grey, grey));
    colours.insert(colours.end(), system.begin() + 10, system.end());
    return colours;
}
}

TEST(StandardPalette, FollowsItsRuleAndCutsDownToTwoOrSixteen)
{
    const std::vector<COLORREF> expected = StandardColours();
    ASSERT_EQ(256u, expected.size());
    for (int i = 0; i < 256; i++)
        EXPECT_EQ(expected[i], *(const DWORD*)&CDIBSection::ms_StdColors[i]) << i;   // flags 0
    EXPECT_EQ(RGB(44, 0, 0), expected[10]);
    EXPECT_EQ(RGB(255, 255, 255), expected[222]);
    EXPECT_EQ(RGB(17, 17, 17), expected[223]);

    // Asked colours, entries made: 2 black and white, 16 the VGA colours, else 256.
    const int cases[][2] = {{0, 256}, {-3, 256}, {300, 256}, {17, 256}, {256, 256}, {1, 2}, {2, 2}, {3, 16}, {5, 16}, {16, 16}};
    CPalette palette;
    for (const auto& c : cases)
    {
        HGDIOBJ hOld = palette.GetSafeHandle();
        ASSERT_TRUE(CDIBSection::CreateHalftonePalette(palette, c[0])) << c[0];
        EXPECT_TRUE(hOld == NULL || GetObjectType(hOld) == 0);   // the previous handle was deleted
        const std::vector<COLORREF> colours = PaletteColours(&palette);
        ASSERT_EQ((size_t)c[1], colours.size()) << c[0];
        for (int i = 0; i < c[1]; i++)
            EXPECT_EQ(expected[c[1] == 256 ? i : c[1] == 2 ? i * 255 : (i < 8 ? i : 240 + i)], colours[i]) << c[0] << ":" << i;
    }
    EXPECT_EQ(RGB(128, 128, 128), PaletteColours(&palette)[8]);
}

TEST(ImagePalette, CreatePaletteAndSetPaletteFollowTheirTables)
{
    // From the section's own table; the standard palette without one.
    CDIBSection deep, dib, empty;
    ASSERT_TRUE(deep.CreateBitmap(2, 2, 1, 24));
    ASSERT_TRUE(deep.CreatePalette());
    EXPECT_EQ(StandardColours(), PaletteColours(deep.GetPalette()));
    ASSERT_TRUE(empty.CreatePalette());
    EXPECT_EQ(256, empty.GetPalette()->GetEntryCount());
    ASSERT_TRUE(dib.CreateBitmap(2, 2, 1, 1));
    RGBQUAD colours[2] = {{10, 20, 30, 0}, {40, 50, 60, 0}};
    ASSERT_TRUE(dib.SetColorTable(2, colours));
    ASSERT_TRUE(dib.CreatePalette());
    EXPECT_EQ(QuadColours(colours, 2), PaletteColours(dib.GetPalette()));

    // SetPalette takes a copy into the palette and the held table; the section keeps its own.
    ASSERT_TRUE(dib.CreateBitmap(4, 4, 1, 8));
    const std::vector<COLORREF> section = SectionColours(dib);
    EXPECT_FALSE(dib.SetPalette(NULL));
    EXPECT_EQ((HGDIOBJ)NULL, dib.GetPalette()->GetSafeHandle());
    EXPECT_EQ(nullptr, dib.GetLogPalette());
    LogPalette256 lp = MakeLogPalette(4, 100);
    CPalette palette;
    ASSERT_TRUE(palette.CreatePalette(lp.Get()));
    ASSERT_TRUE(dib.SetPalette(&palette));
    EXPECT_NE(palette.GetSafeHandle(), dib.GetPalette()->GetSafeHandle());
    std::vector<COLORREF> expected = PaletteColours(&palette);
    EXPECT_EQ(expected, PaletteColours(dib.GetPalette()));
    expected.push_back(EntryColour(CDIBSection::ms_StdColors[4]));
    EXPECT_EQ(expected, QuadColours(dib.GetColorTable(), 5));
    EXPECT_EQ(section, SectionColours(dib));
    ASSERT_TRUE(dib.SetPalette(dib.GetPalette()));   // its own palette keeps its colours
    EXPECT_EQ(4, dib.GetPalette()->GetEntryCount());
    CPalette none;
    EXPECT_FALSE(dib.SetPalette(&none));
    EXPECT_EQ((HGDIOBJ)NULL, dib.GetPalette()->GetSafeHandle());
}

TEST(ImagePalette, SetLogPaletteFillsTheHeldTableUpToItsSizeOrRebuildsFromTheSection)
{
    // 16 entries over an 8-bit image: held entries 0-15 only, the section unchanged; over a
    // 3-bit request (4 bits per pixel, 8 colours used) entries 0-7 only.
    LogPalette256 lp = MakeLogPalette(16, 50);
    CDIBSection dib8, dib3, deep, dib;
    ASSERT_TRUE(dib8.CreateBitmap(4, 4, 1, 8));
    ASSERT_TRUE(dib3.CreateBitmap(4, 4, 1, 3));
    std::vector<COLORREF> expected8 = QuadColours(dib8.GetColorTable(), 256), expected3(16, 0);
    const std::vector<COLORREF> section = SectionColours(dib8);
    ASSERT_TRUE(dib8.SetLogPalette(lp.Get()));
    ASSERT_TRUE(dib3.SetLogPalette(lp.Get()));
    for (int i = 0; i < 16; i++)
        expected8[i] = EntryColour(lp.pe[i]);
    std::copy(expected8.begin(), expected8.begin() + 8, expected3.begin());
    EXPECT_EQ(expected8, QuadColours(dib8.GetColorTable(), 256));
    EXPECT_EQ(expected3, QuadColours(dib3.GetColorTable(), 16));
    for (int i = 0; i < 256; i++)
        EXPECT_EQ(0, dib8.GetColorTable()[i].rgbReserved);
    EXPECT_EQ(section, SectionColours(dib8));
    EXPECT_EQ(16, dib8.GetPalette()->GetEntryCount());
    ASSERT_TRUE(deep.CreateBitmap(4, 4, 1, 24));   // no table to fill
    EXPECT_TRUE(deep.SetLogPalette(lp.Get()));
    EXPECT_EQ(16, deep.GetPalette()->GetEntryCount());

    // Bad counts: FALSE, and the palette comes from the section, which differs from the held table.
    ASSERT_TRUE(dib.CreateBitmap(4, 4, 1, 4));
    RGBQUAD own[16];
    for (int i = 0; i < 16; i++)
        own[i] = {(BYTE)(i * 3), (BYTE)(i * 5), (BYTE)(i * 7), 0};
    ASSERT_TRUE(dib.SetColorTable(16, own));
    const std::vector<COLORREF> held = QuadColours(dib.GetColorTable(), 16);
    for (int nEntries : {0, 257, -1})
    {
        lp = MakeLogPalette(nEntries, 0);
        EXPECT_FALSE(dib.SetLogPalette(nEntries < 0 ? NULL : lp.Get())) << nEntries;
        EXPECT_EQ(QuadColours(own, 16), PaletteColours(dib.GetPalette())) << nEntries;
        EXPECT_EQ(held, QuadColours(dib.GetColorTable(), 16)) << nEntries;
    }
}

TEST(ImagePalette, DrawingUsesTheSectionsTableAndFilesTheHeldOne)
{
    // After SetLogPalette GDI still sees the section's black and white.
    CDIBSection dib;
    ASSERT_TRUE(dib.CreateBitmap(8, 1, 1, 1));
    LogPalette256 lp = {0x300, 2, {{255, 0, 0, 0}, {0, 255, 0, 0}}};
    ASSERT_TRUE(dib.SetLogPalette(lp.Get()));
    EXPECT_EQ(RGB(255, 255, 255), dib.GetPixel(0, 0));
    EXPECT_EQ(RGB(0, 255, 0), QuadColour(dib.GetColorTable()[1]));

    // After SetColorTable the same index shows the new colour at once, and the file still
    // carries the held table.
    ASSERT_TRUE(dib.CreateBitmap(3, 1, 1, 8));
    *dib.GetDIBitsRow(0) = 5;
    RGBQUAD colours[256] = {};
    colours[5] = {30, 20, 10, 0};
    ASSERT_TRUE(dib.SetColorTable(6, colours));
    EXPECT_EQ(RGB(10, 20, 30), dib.GetPixel(0, 0));
    EXPECT_EQ(5, *dib.GetDIBitsRow(0));
    EXPECT_EQ(EntryColour(CDIBSection::ms_StdColors[5]), QuadColour(dib.GetColorTable()[5]));
    const std::string path = testenv::OutputPath("palette-held-table.bmp");
    Bytes file;
    ASSERT_TRUE(dib.Save(PathText(path)) && ReadAll(path, file) && file.size() >= 54 + 1024);
    EXPECT_EQ(0, memcmp(dib.GetColorTable(), &file[54], 1024));

    // SetColorTable needs a palettised image and 1 to 256 colours.
    CDIBSection deep;
    ASSERT_TRUE(deep.CreateBitmap(2, 2, 1, 24));
    EXPECT_FALSE(deep.SetColorTable(2, colours));
    EXPECT_FALSE(dib.SetColorTable(0, colours));
    EXPECT_FALSE(dib.SetColorTable(257, colours));
    EXPECT_FALSE(dib.SetColorTable(2, NULL));
    colours[5] = {0, 0, 0, 0};
    EXPECT_TRUE(dib.SetColorTable(256, colours));
    EXPECT_EQ(RGB(0, 0, 0), dib.GetPixel(0, 0));
}

TEST(ImagePalette, GetLogPaletteSharesOneBufferAndColorRefTableCopiesTheHeldTable)
{
    CDIBSection a, b;
    ASSERT_TRUE(a.CreateBitmap(2, 2, 1, 1));
    ASSERT_TRUE(b.CreateBitmap(2, 2, 1, 24));
    LOGPALETTE* pA = a.GetLogPalette();
    ASSERT_NE(nullptr, pA);
    EXPECT_EQ(0x300, pA->palVersion);
    EXPECT_EQ(2, pA->palNumEntries);
    EXPECT_EQ(RGB(255, 255, 255), EntryColour(pA->palPalEntry[1]));
    EXPECT_EQ(pA, b.GetLogPalette());
    EXPECT_EQ(256, pA->palNumEntries);   // overwritten by the second call
    EXPECT_EQ(0, memcmp(CDIBSection::ms_StdColors, pA->palPalEntry, sizeof(CDIBSection::ms_StdColors)));

    // COLORREFs 0x00BBGGRR of the held table, freed by the caller.
    ASSERT_TRUE(a.CreateBitmap(2, 2, 1, 3));
    LogPalette256 lp = MakeLogPalette(8, 7);
    ASSERT_TRUE(a.SetLogPalette(lp.Get()));
    ASSERT_TRUE(b.CreateBitmap(2, 2, 1, 8));
    COLORREF* pTable3 = a.CreateColorRefTbl();
    COLORREF* pTable8 = b.CreateColorRefTbl();
    ASSERT_TRUE(pTable3 != NULL && pTable8 != NULL);
    for (int i = 0; i < 8; i++)
        EXPECT_EQ(EntryColour(lp.pe[i]), pTable3[i]) << i;
    EXPECT_EQ(0x000080u, pTable8[1]);   // (128,0,0)
    EXPECT_EQ(StandardColours(), std::vector<COLORREF>(pTable8, pTable8 + 256));
    free(pTable3);
    free(pTable8);
    ASSERT_TRUE(b.CreateBitmap(2, 2, 1, 24));
    free(b.CreateColorRefTbl());   // no table: an empty block
}
