// CDIBSection::Load and Save: the bytes written are read back with the C runtime, and
// files built byte by byte here are loaded and checked pixel by pixel. How files written by
// other programs decode is checked against the corpus.
#include "ImageTestSupport.h"
#include "common/TestEnvironment.h"
#include <gtest/gtest.h>

using namespace imagetest;

namespace
{
std::string TestPath(const std::string& name) { return testenv::OutputPath(("files-" + name + ".bmp").c_str()); }

BOOL LoadBytes(CDIBSection& dib, const Bytes& bytes, const std::string& name)
{
    EXPECT_TRUE(WriteAll(TestPath(name), bytes));
    return dib.Load(PathText(TestPath(name)));
}

Bytes SaveBytes(CDIBSection& dib, const std::string& name)
{
    Bytes f;
    EXPECT_TRUE(dib.Save(PathText(TestPath(name))));
    EXPECT_TRUE(ReadAll(TestPath(name), f));
    return f;
}

Bytes GreyTable(int n)
{
    Bytes t(4 * n, 0);
    for (int i = 0; i < n; ++i)
        t[4 * i] = t[4 * i + 1] = t[4 * i + 2] = (BYTE)(255 - i);
    return t;
}
}

class BitmapFileDepth : public ::testing::TestWithParam<int>
{
};

TEST_P(BitmapFileDepth, SaveWritesHeaderTableReservedWordAndRowsThatLoadBack)
{
    // A 3-bit request is held as 4 bits with 8 colours: 8 entries are written, and 16 are read
    // back after the header (the count follows biBitCount), while the rows still come from bfOffBits.
    const int bits = GetParam(), stored = bits == 3 ? 4 : bits, width = 13, height = 5;
    const int n = CDIBSection::NumColorEntries(bits), nRead = CDIBSection::NumColorEntries(stored);
    // Table indices, 5-5-5 words or 24-bit colours.
    auto pattern = [bits](int x, int y) {
        return bits <= 8 ? (DWORD)(x * 3 + y * 5) % (1u << bits)
                         : bits == 16 ? (DWORD)(x * 1021 + y * 331) & 0x7FFF : (DWORD)(x * 0x10305 + y * 0x0A0B0C) & 0xFFFFFF;
    };
    const Bytes rows = PackRows(width, height, stored, pattern);
    CDIBSection dib, back;
    ASSERT_TRUE(dib.CreateBitmap(width, height, 1, bits, rows.data()));
    const Bytes f = SaveBytes(dib, "layout");
    const DWORD offBits = 58 + 4 * n;
    ASSERT_EQ(f.size(), offBits + rows.size());
    EXPECT_EQ(offBits, bits == 1 ? 66u : bits == 3 ? 90u : bits == 4 ? 122u : bits == 8 ? 1082u : 58u);
    const Bytes header = MakeBmp(width, height, (WORD)stored, BI_RGB, Bytes(4 + 4 * n), rows, bits == 3 ? 8 : 0);
    EXPECT_EQ(Bytes(header.begin(), header.begin() + 54), Bytes(f.begin(), f.begin() + 54));
    EXPECT_EQ(0, memcmp(&f[kTable], dib.GetColorTable(), 4 * n));
    EXPECT_EQ(U32(f, kTable + 4 * n), 0u);
    EXPECT_EQ(rows, Bytes(f.begin() + offBits, f.end()));
    ASSERT_TRUE(back.CreateBitmap(3, 3, 1, 24));
    ASSERT_TRUE(back.Load(PathText(TestPath("layout"))));
    EXPECT_EQ(CSize(width, height), back.GetSize());
    EXPECT_EQ(back.GetBitCount(), stored);
    EXPECT_EQ(back.GetColorTableSize(), nRead);
    EXPECT_EQ(0, memcmp(back.GetColorTable(), &f[kTable], 4 * nRead));
    EXPECT_EQ(rows, Bits(back));
}

INSTANTIATE_TEST_SUITE_P(Depths, BitmapFileDepth, ::testing::Values(1, 3, 4, 8, 16, 24, 32));

TEST(BitmapFileSave, WritesTheHeldPaletteAndRefusesBadPaths)
{
    LogPalette256 lp = MakeLogPalette(16, 40);
    CDIBSection dib, back;
    const Bytes rows = PackRows(16, 3, 4, [](int x, int y) { return (DWORD)(x + y) % 16; });
    ASSERT_TRUE(dib.CreateBitmap(16, 3, 1, 4, rows.data(), lp.Get()));
    const Bytes f = SaveBytes(dib, "palette");
    ASSERT_TRUE(back.Load(PathText(TestPath("palette"))));
    for (int i = 0; i < 16; ++i)
    {
        EXPECT_EQ(U32(f, kTable + 4 * i), (DWORD)((lp.pe[i].peRed << 16) | (lp.pe[i].peGreen << 8) | lp.pe[i].peBlue)) << i;
        EXPECT_EQ(back.GetPixel(i, 0), EntryColour(lp.pe[i])) << i;
    }

    // An old file is truncated; no path or a bad one write nothing.
    ASSERT_TRUE(WriteAll(TestPath("truncate"), Bytes(5000, 0xAB)));
    ASSERT_TRUE(dib.CreateBitmap(8, 2, 1, 1));
    EXPECT_EQ(66u + 8, SaveBytes(dib, "truncate").size());
    EXPECT_FALSE(dib.Save(NULL));
    EXPECT_FALSE(dib.Save(PathText(testenv::OutputPath("no-such-folder\\x.bmp"))));
    EXPECT_FALSE(dib.Save(_T("")));
}

TEST(BitmapFileLoad, FileErrorsPassToTheCaller)
{
    // Wine maps Z: to the Unix root: reading this process's own memory file at offset 0 fails.
    // (Write errors of Save are tested with a full disk in SaveFailureTest.cpp.)
    CDIBSection dib;
    ASSERT_TRUE(dib.CreateBitmap(64, 64, 1, 24));
    bool bThrown = false;
    try
    {
        (void)dib.Load(_T("Z:\\proc\\self\\mem"));
    }
    catch (CFileException* e)
    {
        bThrown = true;
        e->Delete();
    }
    EXPECT_TRUE(bThrown);
    EXPECT_EQ(64, dib.GetWidth());
}

TEST(BitmapFileLoad, TableLengthFollowsBitCountAndDataLengthTheFileHeader)
{
    // Sixteen entries stored, biClrUsed 16: 256 are read, the pixels still come from bfOffBits.
    const Bytes indices = PackRows(32, 32, 8, [](int x, int y) { return (DWORD)(x + y) % 16; });
    const Bytes file = MakeBmp(32, 32, 8, BI_RGB, GreyTable(16), indices, 16);
    CDIBSection dib;
    ASSERT_TRUE(LoadBytes(dib, file, "clrused16"));
    EXPECT_EQ(dib.GetColorTableSize(), 256);
    EXPECT_EQ(0, memcmp(dib.GetColorTable(), &file[kTable], 64));
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            ASSERT_EQ(dib.GetPixel(x, y), RGB(255 - (x + y) % 16, 255 - (x + y) % 16, 255 - (x + y) % 16)) << x << "," << y;
    // Too small a file for 256 entries, or a 1 x 1 3-bit one for 16, fails as a short read and
    // keeps the image.
    CDIBSection tiny;
    ASSERT_TRUE(tiny.CreateBitmap(1, 1, 1, 3));
    SaveBytes(tiny, "tiny");
    EXPECT_FALSE(dib.Load(PathText(TestPath("tiny"))));
    EXPECT_FALSE(LoadBytes(dib, MakeBmp(4, 4, 8, BI_RGB, GreyTable(16), Bytes(16, 1), 16), "clrused16small"));
    EXPECT_EQ(dib.GetWidth(), 32);

    // Only the two bottom rows present: they load. Trailing bytes counted in bfSize are read
    // but never written back beyond the section.
    auto value = [](int x, int y) { return (DWORD)(x * 40 + y * 0x2000 + 0x10000); };
    const Bytes rows = PackRows(4, 4, 24, value);
    const Bytes half(rows.begin(), rows.begin() + 2 * Stride(4, 24));
    ASSERT_TRUE(LoadBytes(dib, MakeBmp(4, 4, 24, BI_RGB, Bytes(), half), "halfdata"));
    EXPECT_EQ(dib.GetHeight(), 4);
    for (int x = 0; x < 4; ++x)
        for (int y : {2, 3})
            EXPECT_EQ(RawPixel(dib, x, y), value(x, y)) << x << "," << y;
    ASSERT_TRUE(LoadBytes(dib, MakeBmp(4, 4, 24, BI_RGB, Bytes(), rows + Bytes(100, 0xEE)), "longdata"));
    EXPECT_EQ(rows, Bits(dib));
    const Bytes f = SaveBytes(dib, "longdata-saved");
    ASSERT_GE(f.size(), 58u);
    EXPECT_EQ(U32(f, kBfSize), f.size());
    EXPECT_EQ(U32(f, kBiSizeImage), rows.size());
    EXPECT_EQ(f, Bytes(f.begin(), f.begin() + 58) + rows);
}

TEST(BitmapFileLoad, ColourMasksAreWrittenBackAndCopied)
{
    // Pure colours survive any field width: every field is empty or full.
    const DWORD masks[][4] = {{16, 0xF800, 0x07E0, 0x001F}, {32, 0x0000FF, 0x00FF00, 0xFF0000}};
    auto pure = [](int x, int y) {
        const int k = (x + 3 * y) % 8;
        return RGB((k & 1) * 255, (k >> 1 & 1) * 255, (k >> 2 & 1) * 255);
    };
    for (const auto& m : masks)
    {
        SCOPED_TRACE(m[0]);
        const Bytes rows = PackRows(5, 3, m[0], [&](int x, int y) {
            return (GetRValue(pure(x, y)) ? m[1] : 0) | (GetGValue(pure(x, y)) ? m[2] : 0) | (GetBValue(pure(x, y)) ? m[3] : 0);
        });
        CDIBSection dib, copy;
        ASSERT_TRUE(LoadBytes(dib, MakeBmp(5, 3, (WORD)m[0], BI_BITFIELDS, Dwords({m[1], m[2], m[3]}), rows), "masks"));
        const Bytes f = SaveBytes(dib, "masks-saved");
        EXPECT_EQ(MakeBmp(5, 3, (WORD)m[0], BI_BITFIELDS, Dwords({m[1], m[2], m[3], 0}), rows), f);
        ASSERT_TRUE(copy.Copy(dib));
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x)
                ASSERT_EQ(copy.GetPixel(x, y), pure(x, y)) << x << "," << y;
    }
}

TEST(BitmapFileLoad, RefusedBeforeDecodingKeepsThePreviousImageAndByTheSectionLeavesNone)
{
    const Bytes good = MakeBmp(6, 4, 8, BI_RGB, GreyTable(256), Bytes(Stride(6, 8) * 4, 7));
    auto with = [](Bytes b, size_t off, DWORD v) {
        Put32(b, off, v);
        return b;
    };
    const Bytes bitfields = MakeBmp(2, 2, 16, BI_BITFIELDS, Dwords({0xF800, 0x07E0, 0x001F}), Bytes(8, 0));
    const struct
    {
        const char* name;
        Bytes bytes;
    } cases[] = {
        {"empty", Bytes()},
        {"thirteen", Bytes(good.begin(), good.begin() + 13)},
        {"notbm", with(good, 0, (U32(good, 0) & 0xFFFF0000) | ('A' << 8) | 'B')},
        {"headercut", Bytes(good.begin(), good.begin() + 40)},
        {"tablecut", Bytes(good.begin(), good.begin() + 54 + 500)},
        {"maskscut", Bytes(bitfields.begin(), bitfields.begin() + 60)},
        {"sizebeyondfile", with(good, kBfSize, (DWORD)good.size() + 1)},
        {"sizehuge", with(good, kBfSize, 0xFFFFFFFF)},
        {"nodata", with(good, kBfSize, U32(good, kBfOffBits))},
        {"sizebeforeoffset", with(good, kBfSize, 100)},
        {"offsetbeyondfile", with(with(good, kBfOffBits, (DWORD)good.size() + 4), kBfSize, 0xFFFFFFFF)},
        {"offsethuge", with(with(good, kBfOffBits, 0xFFFFFFF0), kBfSize, 0xFFFFFFFF)},
    };
    CDIBSection dib;
    ASSERT_TRUE(dib.CreateBitmap(5, 5, 1, 24));
    ASSERT_TRUE(dib.SetPixel(2, 2, RGB(1, 2, 3)));
    for (const auto& c : cases)
    {
        EXPECT_FALSE(LoadBytes(dib, c.bytes, "refused")) << c.name;
        EXPECT_EQ(dib.GetPixel(2, 2), RGB(1, 2, 3)) << c.name;
    }
    EXPECT_FALSE(dib.Load(PathText(TestPath("does-not-exist"))));
    EXPECT_FALSE(dib.Load(NULL));
    EXPECT_EQ(dib.GetPixel(2, 2), RGB(1, 2, 3));
    EXPECT_TRUE(LoadBytes(dib, good, "refused"));   // the untouched file itself loads

    // Kinds that the section refuses leave the object empty.
    for (const Bytes& bytes : {MakeBmp(4, 2, 30000, BI_RGB, Bytes(), Bytes(64, 0)),
                               MakeBmp(4, 2, 24, BI_JPEG, Bytes(), Bytes(32, 0)),
                               MakeBmp(4, 2, 24, BI_BITFIELDS, Dwords({0xFF0000, 0xFF00, 0xFF}), Bytes(32, 0))})
    {
        ASSERT_TRUE(dib.CreateBitmap(5, 5, 1, 24));
        EXPECT_FALSE(LoadBytes(dib, bytes, "refused-by-section")) << U32(bytes, kBiCompression);
        EXPECT_FALSE(dib.IsValid());
    }
}
