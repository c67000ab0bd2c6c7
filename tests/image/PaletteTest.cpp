// The standard palette, palettes built from colour tables and back, and the two copies of
// the colour table: the held one (files, clipboard) and the section's own one (GDI).
#include "common/TestEnvironment.h"
#include "image/DIBSection.h"
#include <gtest/gtest.h>
#include "ImageTestSupport.h"
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <vector>

namespace
{
struct LogPalette256
{
    WORD palVersion;
    WORD palNumEntries;
    PALETTEENTRY pe[256];
};

LogPalette256 MakeLogPalette(int nEntries, BYTE base)
{
    LogPalette256 lp;
    memset(&lp, 0, sizeof(lp));
    lp.palVersion = 0x300;
    lp.palNumEntries = (WORD)nEntries;
    for (int i = 0; i < nEntries && i < 256; i++)
        lp.pe[i] = {(BYTE)(base + i), (BYTE)(2 * i), (BYTE)(255 - i), 0};
    return lp;
}

COLORREF Colour(const PALETTEENTRY& pe) { return RGB(pe.peRed, pe.peGreen, pe.peBlue); }
COLORREF Colour(const RGBQUAD& q) { return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue); }

std::vector<PALETTEENTRY> Entries(CPalette* pPalette)
{
    std::vector<PALETTEENTRY> entries(pPalette->GetSafeHandle() ? pPalette->GetEntryCount() : 0);
    if (!entries.empty())
        pPalette->GetPaletteEntries(0, (UINT)entries.size(), entries.data());
    return entries;
}

std::vector<RGBQUAD> HeldTable(CDIBSection& dib, int n)
{
    return std::vector<RGBQUAD>(dib.GetColorTable(), dib.GetColorTable() + n);
}

bool SameColours(const std::vector<PALETTEENTRY>& palette, const std::vector<RGBQUAD>& table)
{
    if (palette.size() != table.size())
        return false;
    for (size_t i = 0; i < palette.size(); i++)
        if (Colour(palette[i]) != Colour(table[i]))
            return false;
    return true;
}
}

TEST(StandardPalette, SystemColoursCubeAndGreys)
{
    const PALETTEENTRY* std = CDIBSection::ms_StdColors;
    for (int i = 0; i < 256; i++)
        ASSERT_EQ(0, std[i].peFlags) << i;

    // The twenty static colours are the system's default palette, in its order.
    PALETTEENTRY system[20];
    ASSERT_EQ(20u, GetPaletteEntries((HPALETTE)GetStockObject(DEFAULT_PALETTE), 0, 20, system));
    for (int i = 0; i < 10; i++)
    {
        EXPECT_EQ(Colour(system[i]), Colour(std[i])) << i;
        EXPECT_EQ(Colour(system[10 + i]), Colour(std[246 + i])) << 246 + i;
    }

    EXPECT_EQ(RGB(44, 0, 0), Colour(std[10]));
    EXPECT_EQ(RGB(255, 255, 255), Colour(std[222]));
    EXPECT_EQ(RGB(17, 17, 17), Colour(std[223]));
    EXPECT_EQ(RGB(128, 128, 128), Colour(std[248]));

    // Entries 10-222: cube levels only, in cube order (blue slowest, red fastest), without
    // the three colours that the static ones already give.
    auto level = [](BYTE v) {
        const BYTE levels[6] = {0, 44, 86, 135, 192, 255};
        for (int i = 0; i < 6; i++)
            if (levels[i] == v)
                return i;
        return -1;
    };
    int nPrevious = -1;
    for (int i = 10; i <= 222; i++)
    {
        int r = level(std[i].peRed), g = level(std[i].peGreen), b = level(std[i].peBlue);
        ASSERT_TRUE(r >= 0 && g >= 0 && b >= 0) << i;
        int nOrder = b * 36 + g * 6 + r;
        ASSERT_GT(nOrder, nPrevious) << i;
        nPrevious = nOrder;
        COLORREF cr = Colour(std[i]);
        EXPECT_TRUE(cr != RGB(0, 0, 0) && cr != RGB(192, 192, 192) && cr != RGB(0, 255, 255)) << i;
    }

    // Entries 223-245: greys getting lighter.
    for (int i = 223; i <= 245; i++)
    {
        EXPECT_EQ(std[i].peRed, std[i].peGreen) << i;
        EXPECT_EQ(std[i].peRed, std[i].peBlue) << i;
        if (i > 223)
        {
            EXPECT_GT(std[i].peRed, std[i - 1].peRed) << i;
        }
    }
    EXPECT_EQ(255, std[245].peRed);
}

TEST(StandardPalette, HalftonePaletteSizes)
{
    const struct
    {
        int nAsked, nEntries;
    } cases[] = {{0, 256}, {-3, 256}, {300, 256}, {17, 256}, {256, 256}, {1, 2}, {2, 2},
                 {3, 16}, {5, 16}, {16, 16}};
    CPalette palette;
    for (const auto& c : cases)
    {
        HGDIOBJ hOld = palette.GetSafeHandle();
        ASSERT_TRUE(CDIBSection::CreateHalftonePalette(palette, c.nAsked)) << c.nAsked;
        if (hOld != NULL)
        {
            EXPECT_EQ(0u, GetObjectType(hOld));   // the previous handle was deleted
        }
        std::vector<PALETTEENTRY> entries = Entries(&palette);
        ASSERT_EQ((size_t)c.nEntries, entries.size()) << c.nAsked;
        for (int i = 0; i < c.nEntries; i++)
        {
            int nStd = c.nEntries == 256 ? i : c.nEntries == 2 ? i * 255 : (i < 8 ? i : 240 + i);
            EXPECT_EQ(Colour(CDIBSection::ms_StdColors[nStd]), Colour(entries[i])) << c.nAsked << ":" << i;
        }
    }
    ASSERT_TRUE(CDIBSection::CreateHalftonePalette(palette, 2));
    EXPECT_EQ(RGB(0, 0, 0), Colour(Entries(&palette)[0]));
    EXPECT_EQ(RGB(255, 255, 255), Colour(Entries(&palette)[1]));
    ASSERT_TRUE(CDIBSection::CreateHalftonePalette(palette, 5));
    EXPECT_EQ(RGB(128, 128, 128), Colour(Entries(&palette)[8]));
}

TEST(ImagePalette, CreatePaletteFollowsTheSectionsTable)
{
    CDIBSection deep;
    ASSERT_TRUE(deep.CreateBitmap(2, 2, 1, 24));
    ASSERT_TRUE(deep.CreatePalette());
    std::vector<PALETTEENTRY> entries = Entries(deep.GetPalette());
    ASSERT_EQ(256u, entries.size());
    EXPECT_EQ(0, memcmp(CDIBSection::ms_StdColors, entries.data(), sizeof(CDIBSection::ms_StdColors)));

    CDIBSection dib;
    ASSERT_TRUE(dib.CreateBitmap(2, 2, 1, 1));
    RGBQUAD colours[2] = {{10, 20, 30, 0}, {40, 50, 60, 0}};
    ASSERT_TRUE(dib.SetColorTable(2, colours));
    ASSERT_TRUE(dib.CreatePalette());
    entries = Entries(dib.GetPalette());
    EXPECT_TRUE(SameColours(entries, imagetest::SectionColourTable(dib)));
    EXPECT_EQ(RGB(30, 20, 10), Colour(entries[0]));

    CDIBSection empty;   // no section to read: the standard palette
    ASSERT_TRUE(empty.CreatePalette());
    EXPECT_EQ(256, empty.GetPalette()->GetEntryCount());
}

TEST(ImagePalette, SetPaletteTakesACopyOrLeavesNone)
{
    CDIBSection dib;
    ASSERT_TRUE(dib.CreateBitmap(4, 4, 1, 8));
    std::vector<RGBQUAD> sectionBefore = imagetest::SectionColourTable(dib);

    EXPECT_FALSE(dib.SetPalette(NULL));
    EXPECT_EQ((HGDIOBJ)NULL, dib.GetPalette()->GetSafeHandle());
    EXPECT_EQ(nullptr, dib.GetLogPalette());

    LogPalette256 lp = MakeLogPalette(4, 100);
    CPalette palette;
    ASSERT_TRUE(palette.CreatePalette((LOGPALETTE*)&lp));
    ASSERT_TRUE(dib.SetPalette(&palette));
    EXPECT_NE(palette.GetSafeHandle(), dib.GetPalette()->GetSafeHandle());
    std::vector<PALETTEENTRY> entries = Entries(dib.GetPalette());
    ASSERT_EQ(4u, entries.size());
    EXPECT_EQ(0, memcmp(lp.pe, entries.data(), 4 * sizeof(PALETTEENTRY)));
    for (int i = 0; i < 4; i++)
        EXPECT_EQ(Colour(lp.pe[i]), Colour(dib.GetColorTable()[i])) << i;
    EXPECT_EQ(Colour(CDIBSection::ms_StdColors[4]), Colour(dib.GetColorTable()[4]));
    std::vector<RGBQUAD> sectionAfter = imagetest::SectionColourTable(dib);
    EXPECT_EQ(0, memcmp(sectionBefore.data(), sectionAfter.data(), 256 * sizeof(RGBQUAD)));

    // Its own palette handed back in keeps its colours.
    ASSERT_TRUE(dib.SetPalette(dib.GetPalette()));
    EXPECT_EQ(4, dib.GetPalette()->GetEntryCount());

    CPalette empty;
    EXPECT_FALSE(dib.SetPalette(&empty));
    EXPECT_EQ((HGDIOBJ)NULL, dib.GetPalette()->GetSafeHandle());
}

TEST(ImagePalette, SetLogPaletteRefusesBadCountsAndRebuildsFromTheSection)
{
    CDIBSection dib;
    ASSERT_TRUE(dib.CreateBitmap(4, 4, 1, 4));
    RGBQUAD own[16];
    for (int i = 0; i < 16; i++)
        own[i] = {(BYTE)(i * 3), (BYTE)(i * 5), (BYTE)(i * 7), 0};
    ASSERT_TRUE(dib.SetColorTable(16, own));   // the section now differs from the held table
    std::vector<RGBQUAD> held = HeldTable(dib, 16);

    for (int nEntries : {0, 257})
    {
        LogPalette256 lp = MakeLogPalette(nEntries, 0);
        EXPECT_FALSE(dib.SetLogPalette((LOGPALETTE*)&lp)) << nEntries;
        EXPECT_TRUE(SameColours(Entries(dib.GetPalette()), imagetest::SectionColourTable(dib))) << nEntries;
        EXPECT_EQ(0, memcmp(held.data(), dib.GetColorTable(), 16 * sizeof(RGBQUAD))) << nEntries;
    }
    EXPECT_FALSE(dib.SetLogPalette(NULL));
    EXPECT_EQ(16, dib.GetPalette()->GetEntryCount());
}

TEST(ImagePalette, SetLogPaletteFillsOnlyTheHeldTableUpToItsSize)
{
    LogPalette256 lp = MakeLogPalette(16, 50);

    CDIBSection dib8;
    ASSERT_TRUE(dib8.CreateBitmap(4, 4, 1, 8));
    std::vector<RGBQUAD> before = HeldTable(dib8, 256);
    std::vector<RGBQUAD> section = imagetest::SectionColourTable(dib8);
    ASSERT_TRUE(dib8.SetLogPalette((LOGPALETTE*)&lp));
    for (int i = 0; i < 256; i++)
    {
        COLORREF expected = i < 16 ? Colour(lp.pe[i]) : Colour(before[i]);
        EXPECT_EQ(expected, Colour(dib8.GetColorTable()[i])) << i;
        EXPECT_EQ(0, dib8.GetColorTable()[i].rgbReserved);
    }
    EXPECT_EQ(0, memcmp(section.data(), imagetest::SectionColourTable(dib8).data(), 256 * sizeof(RGBQUAD)));
    EXPECT_EQ(16, dib8.GetPalette()->GetEntryCount());

    // 3-bit request: 4 bits per pixel but 8 colours used.
    CDIBSection dib3;
    ASSERT_TRUE(dib3.CreateBitmap(4, 4, 1, 3));
    ASSERT_TRUE(dib3.SetLogPalette((LOGPALETTE*)&lp));
    for (int i = 0; i < 8; i++)
        EXPECT_EQ(Colour(lp.pe[i]), Colour(dib3.GetColorTable()[i])) << i;
    for (int i = 8; i < 16; i++)
        EXPECT_EQ(0u, *(DWORD*)&dib3.GetColorTable()[i]) << i;

    CDIBSection deep;   // no table to fill
    ASSERT_TRUE(deep.CreateBitmap(4, 4, 1, 24));
    EXPECT_TRUE(deep.SetLogPalette((LOGPALETTE*)&lp));
    EXPECT_EQ(16, deep.GetPalette()->GetEntryCount());
    EXPECT_EQ(0u, *(DWORD*)&deep.GetColorTable()[0]);
}

TEST(ImagePalette, DrawingUsesTheSectionsTableAndFilesTheHeldOne)
{
    // After SetLogPalette GDI still sees the section's black and white.
    CDIBSection dib;
    ASSERT_TRUE(dib.CreateBitmap(8, 1, 1, 1));
    LogPalette256 lp = {0x300, 2, {{255, 0, 0, 0}, {0, 255, 0, 0}}};
    ASSERT_TRUE(dib.SetLogPalette((LOGPALETTE*)&lp));
    EXPECT_EQ(RGB(255, 255, 255), dib.GetPixel(0, 0));
    EXPECT_EQ(RGB(0, 255, 0), Colour(dib.GetColorTable()[1]));

    // After SetColorTable the file still carries the held table.
    CDIBSection dib8;
    ASSERT_TRUE(dib8.CreateBitmap(3, 1, 1, 8));
    *dib8.GetDIBitsRow(0) = 5;
    RGBQUAD own[6] = {};
    own[5] = {30, 20, 10, 0};
    ASSERT_TRUE(dib8.SetColorTable(6, own));
    EXPECT_EQ(RGB(10, 20, 30), dib8.GetPixel(0, 0));   // same index, new colour at once
    EXPECT_EQ(5, *dib8.GetDIBitsRow(0));
    EXPECT_EQ(Colour(CDIBSection::ms_StdColors[5]), Colour(dib8.GetColorTable()[5]));

    std::string path = testenv::OutputPath("palette-held-table.bmp");
    ASSERT_TRUE(dib8.Save(path.c_str()));
    FILE* f = fopen(path.c_str(), "rb");
    ASSERT_NE(nullptr, f);
    RGBQUAD fileTable[256];
    fseek(f, 54, SEEK_SET);
    ASSERT_EQ(256u, fread(fileTable, sizeof(RGBQUAD), 256, f));
    fclose(f);
    EXPECT_EQ(0, memcmp(dib8.GetColorTable(), fileTable, sizeof(fileTable)));
}

TEST(ImagePalette, SetColorTableNeedsAPalettisedImage)
{
    RGBQUAD colours[256] = {};
    CDIBSection empty, deep, dib;
    EXPECT_FALSE(empty.SetColorTable(2, colours));
    ASSERT_TRUE(deep.CreateBitmap(2, 2, 1, 24));
    EXPECT_FALSE(deep.SetColorTable(2, colours));
    ASSERT_TRUE(dib.CreateBitmap(2, 2, 1, 8));
    EXPECT_FALSE(dib.SetColorTable(0, colours));
    EXPECT_FALSE(dib.SetColorTable(257, colours));
    EXPECT_FALSE(dib.SetColorTable(2, NULL));
    EXPECT_TRUE(dib.SetColorTable(256, colours));
    EXPECT_EQ(RGB(0, 0, 0), dib.GetPixel(0, 0));
}

TEST(ImagePalette, GetLogPaletteSharesOneBuffer)
{
    CDIBSection a, b, empty;
    EXPECT_EQ(nullptr, empty.GetLogPalette());
    ASSERT_TRUE(a.CreateBitmap(2, 2, 1, 1));
    ASSERT_TRUE(b.CreateBitmap(2, 2, 1, 24));

    LOGPALETTE* pA = a.GetLogPalette();
    ASSERT_NE(nullptr, pA);
    EXPECT_EQ(0x300, pA->palVersion);
    EXPECT_EQ(2, pA->palNumEntries);
    EXPECT_EQ(RGB(255, 255, 255), Colour(pA->palPalEntry[1]));

    LOGPALETTE* pB = b.GetLogPalette();
    EXPECT_EQ(pA, pB);
    EXPECT_EQ(256, pA->palNumEntries);   // overwritten by the second call
    EXPECT_EQ(0, memcmp(CDIBSection::ms_StdColors, pB->palPalEntry, sizeof(CDIBSection::ms_StdColors)));
}

TEST(ImagePalette, ColorRefTableCopiesTheHeldTable)
{
    CDIBSection dib;
    ASSERT_TRUE(dib.CreateBitmap(2, 2, 1, 8));
    COLORREF* pTable = dib.CreateColorRefTbl();
    ASSERT_NE(nullptr, pTable);
    EXPECT_EQ(0x000080u, pTable[1]);   // (128,0,0) as 0x00BBGGRR
    for (int i = 0; i < 256; i++)
        EXPECT_EQ(Colour(CDIBSection::ms_StdColors[i]), pTable[i]) << i;
    free(pTable);

    ASSERT_TRUE(dib.CreateBitmap(2, 2, 1, 3));
    LogPalette256 lp = MakeLogPalette(8, 7);
    ASSERT_TRUE(dib.SetLogPalette((LOGPALETTE*)&lp));
    pTable = dib.CreateColorRefTbl();
    ASSERT_NE(nullptr, pTable);
    for (int i = 0; i < 8; i++)
        EXPECT_EQ(Colour(lp.pe[i]), pTable[i]) << i;
    free(pTable);

    ASSERT_TRUE(dib.CreateBitmap(2, 2, 1, 24));
    free(dib.CreateColorRefTbl());   // an empty block
}
