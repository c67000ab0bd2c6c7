// CDIBSection::Load and Save: the bytes written are read back with the C runtime, and
// files built byte by byte here are loaded and checked pixel by pixel.
#include "BitmapFileBytes.h"
#include "common/TestEnvironment.h"
#include <gtest/gtest.h>
#include <functional>

using namespace bmpbytes;

namespace
{
std::string TestPath(const std::string& name)
{
    return testenv::OutputPath(("files-" + name + ".bmp").c_str());
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Raw pixel values of a test picture: table indices, 5-5-5 words or 24-bit colours.
DWORD PatternValue(int bits, int x, int y)
{
    if (bits <= 8)
        return (DWORD)(x * 3 + y * 5) % (1u << bits);
    if (bits == 16)
        return (DWORD)(x * 1021 + y * 331) & 0x7FFF;
    return (DWORD)(x * 0x10305 + y * 0x0A0B0C) & 0xFFFFFF;
}

DWORD ValueMask(int bits) { return bits >= 24 ? 0xFFFFFF : (1u << bits) - 1; }

int ExpectedTableEntries(int bits) { return bits == 1 ? 2 : bits == 4 ? 16 : bits == 8 ? 256 : 0; }

// Loads `bytes` through a file.
BOOL LoadBytes(CDIBSection& dib, const Bytes& bytes, const std::string& name)
{
    const std::string path = TestPath(name);
    EXPECT_TRUE(WriteAll(path, bytes));
    return dib.Load(path.c_str());
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
protected:
    void MakePattern(CDIBSection& dib, int width, int height)
    {
        const int bits = GetParam();
        Bytes rows = PackRows(width, height, bits, [bits](int x, int y) { return PatternValue(bits, x, y); });
        ASSERT_TRUE(dib.CreateBitmap(width, height, 1, bits, rows.data()));
    }
};

TEST_P(BitmapFileDepth, SaveWritesHeaderTableReservedWordAndRows)
{
    const int bits = GetParam(), width = 13, height = 5;
    CDIBSection dib;
    MakePattern(dib, width, height);
    const std::string path = TestPath("layout" + std::to_string(bits));
    ASSERT_TRUE(dib.Save(path.c_str()));

    Bytes f;
    ASSERT_TRUE(ReadAll(path, f));
    const int n = ExpectedTableEntries(bits);
    const DWORD offBits = bits == 1 ? 66 : bits == 4 ? 122 : bits == 8 ? 1082 : 58;
    const DWORD imageSize = (DWORD)Stride(width, bits) * height;
    ASSERT_EQ(f.size(), offBits + imageSize);
    EXPECT_EQ(U16(f, kBfType), 0x4D42);
    EXPECT_EQ(U32(f, kBfSize), f.size());
    EXPECT_EQ(U32(f, 6), 0u);   // both reserved words
    EXPECT_EQ(U32(f, kBfOffBits), offBits);
    EXPECT_EQ(U32(f, kBiSize), 40u);
    EXPECT_EQ(S32(f, kBiWidth), width);
    EXPECT_EQ(S32(f, kBiHeight), height);
    EXPECT_EQ(U16(f, kBiPlanes), 1);
    EXPECT_EQ(U16(f, kBiBitCount), bits);
    EXPECT_EQ(U32(f, kBiCompression), (DWORD)BI_RGB);
    EXPECT_EQ(U32(f, kBiSizeImage), imageSize);
    EXPECT_EQ(U32(f, kBiClrUsed), 0u);
    EXPECT_EQ(0, memcmp(&f[kTable], dib.GetColorTable(), 4 * n));
    EXPECT_EQ(U32(f, kTable + 4 * n), 0u);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
        {
            const BYTE* row = &f[offBits + (size_t)Stride(width, bits) * (height - 1 - y)];
            ASSERT_EQ(RawPixel(row, x, bits) & ValueMask(bits), PatternValue(bits, x, y)) << x << "," << y;
        }
}

TEST_P(BitmapFileDepth, ReloadGivesTheSameImage)
{
    const int bits = GetParam(), width = 21, height = 6;
    CDIBSection dib;
    MakePattern(dib, width, height);
    const std::string path = TestPath("round" + std::to_string(bits));
    ASSERT_TRUE(dib.Save(path.c_str()));

    CDIBSection back;
    ASSERT_TRUE(back.CreateBitmap(3, 3, 1, 24));
    ASSERT_TRUE(back.Load(path.c_str()));
    EXPECT_EQ(back.GetWidth(), width);
    EXPECT_EQ(back.GetHeight(), height);
    EXPECT_EQ(back.GetBitCount(), bits);
    EXPECT_EQ(back.GetColorTableSize(), ExpectedTableEntries(bits));
    EXPECT_EQ(0, memcmp(back.GetColorTable(), dib.GetColorTable(), 4 * ExpectedTableEntries(bits)));
    const BYTE* bitsBack = (const BYTE*)back.GetDIBits();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
        {
            const BYTE* row = bitsBack + (size_t)Stride(width, bits) * (height - 1 - y);
            ASSERT_EQ(RawPixel(row, x, bits) & ValueMask(bits), PatternValue(bits, x, y)) << x << "," << y;
            ASSERT_EQ(back.GetPixel(x, y), dib.GetPixel(x, y)) << x << "," << y;
        }
}

INSTANTIATE_TEST_SUITE_P(Depths, BitmapFileDepth, ::testing::Values(1, 4, 8, 16, 24, 32));

TEST(BitmapFileSave, ThreeBitImageWritesEightEntriesAndReloadsSixteen)
{
    const int width = 20, height = 4;
    Bytes rows = PackRows(width, height, 4, [](int x, int y) { return (DWORD)(x + y) % 8; });
    CDIBSection dib;
    ASSERT_TRUE(dib.CreateBitmap(width, height, 1, 3, rows.data()));
    const std::string path = TestPath("threebit");
    ASSERT_TRUE(dib.Save(path.c_str()));

    Bytes f;
    ASSERT_TRUE(ReadAll(path, f));
    ASSERT_EQ(f.size(), 90u + Stride(width, 4) * height);
    EXPECT_EQ(U32(f, kBfOffBits), 90u);
    EXPECT_EQ(U32(f, kBfSize), f.size());
    EXPECT_EQ(U16(f, kBiBitCount), 4);
    EXPECT_EQ(U32(f, kBiClrUsed), 8u);
    EXPECT_EQ(0, memcmp(&f[kTable], dib.GetColorTable(), 32));
    EXPECT_EQ(U32(f, 86), 0u);

    // Sixteen entries are read after the header: the last eight come from the reserved
    // word and the pixel rows, while the pixels are still taken from offset 90.
    CDIBSection back;
    ASSERT_TRUE(back.Load(path.c_str()));
    EXPECT_EQ(back.GetBitCount(), 4);
    EXPECT_EQ(back.GetColorTableSize(), 16);
    EXPECT_EQ(0, memcmp(back.GetColorTable(), &f[kTable], 64));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            ASSERT_EQ(back.GetPixel(x, y), dib.GetPixel(x, y)) << x << "," << y;

    // A 1 x 1 three-bit file is too short for sixteen entries: refused, previous image kept.
    CDIBSection tiny;
    ASSERT_TRUE(tiny.CreateBitmap(1, 1, 1, 3));
    ASSERT_TRUE(tiny.Save(path.c_str()));
    EXPECT_FALSE(back.Load(path.c_str()));
    EXPECT_TRUE(back.IsValid());
    EXPECT_EQ(back.GetWidth(), width);
}

TEST(BitmapFileSave, WritesTheHeldPaletteAsColourTable)
{
    struct
    {
        LOGPALETTE lp;
        PALETTEENTRY more[15];
    } pal;
    pal.lp.palVersion = 0x300;
    pal.lp.palNumEntries = 16;
    PALETTEENTRY* pe = pal.lp.palPalEntry;
    for (int i = 0; i < 16; ++i)
        pe[i] = { (BYTE)(i * 16), (BYTE)(255 - i * 8), (BYTE)(i * 5 + 7), 0 };

    const int width = 16, height = 3;
    Bytes rows = PackRows(width, height, 4, [](int x, int y) { return (DWORD)(x + y) % 16; });
    CDIBSection dib;
    ASSERT_TRUE(dib.CreateBitmap(width, height, 1, 4, rows.data(), &pal.lp));
    const std::string path = TestPath("palette");
    ASSERT_TRUE(dib.Save(path.c_str()));

    Bytes f;
    ASSERT_TRUE(ReadAll(path, f));
    for (int i = 0; i < 16; ++i)
    {
        EXPECT_EQ(f[kTable + 4 * i + 0], pe[i].peBlue) << i;
        EXPECT_EQ(f[kTable + 4 * i + 1], pe[i].peGreen) << i;
        EXPECT_EQ(f[kTable + 4 * i + 2], pe[i].peRed) << i;
        EXPECT_EQ(f[kTable + 4 * i + 3], 0) << i;
    }
    CDIBSection back;
    ASSERT_TRUE(back.Load(path.c_str()));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
        {
            const PALETTEENTRY& e = pe[(x + y) % 16];
            ASSERT_EQ(back.GetPixel(x, y), RGB(e.peRed, e.peGreen, e.peBlue)) << x << "," << y;
        }
}

TEST(BitmapFileSave, RefusesEmptyImagesBadPathsAndTruncatesOldFiles)
{
    CDIBSection dib;
    const std::string emptyPath = TestPath("empty");
    DeleteFileA(emptyPath.c_str());
    EXPECT_FALSE(dib.Save(emptyPath.c_str()));
    EXPECT_FALSE(FileExists(emptyPath));

    ASSERT_TRUE(dib.CreateBitmap(8, 2, 1, 1));
    EXPECT_FALSE(dib.Save(NULL));
    EXPECT_FALSE(dib.Save(testenv::OutputPath("no-such-folder\\x.bmp").c_str()));
    EXPECT_FALSE(dib.Save(""));

    const std::string path = TestPath("truncate");
    ASSERT_TRUE(WriteAll(path, Bytes(5000, 0xAB)));
    ASSERT_TRUE(dib.Save(path.c_str()));
    Bytes f;
    ASSERT_TRUE(ReadAll(path, f));
    EXPECT_EQ(f.size(), 66u + 8);
}

TEST(BitmapFileSave, WriteErrorsPassToTheCaller)
{
    // Wine maps Z: to the Unix root; every write to /dev/full fails with "disk full".
    CDIBSection dib;
    ASSERT_TRUE(dib.CreateBitmap(64, 64, 1, 24));
    bool thrown = false;
    try
    {
        dib.Save("Z:\\dev\\full");
    }
    catch (CFileException* e)
    {
        thrown = true;
        EXPECT_EQ(e->m_cause, CFileException::diskFull);
        e->Delete();
    }
    EXPECT_TRUE(thrown);
    EXPECT_TRUE(dib.IsValid());
}

TEST(BitmapFileLoad, ReadErrorsPassToTheCaller)
{
    // Reading this process's own memory file at offset 0 fails with an I/O error.
    CDIBSection dib;
    ASSERT_TRUE(dib.CreateBitmap(4, 4, 1, 8));
    bool thrown = false;
    try
    {
        dib.Load("Z:\\proc\\self\\mem");
    }
    catch (CFileException* e)
    {
        thrown = true;
        e->Delete();
    }
    EXPECT_TRUE(thrown);
    EXPECT_TRUE(dib.IsValid());
    EXPECT_EQ(dib.GetWidth(), 4);
}

TEST(BitmapFileLoad, TwentyFourBitRowsAreStoredBottomUp)
{
    const COLORREF top[3] = { RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255) };
    const COLORREF bottom[3] = { RGB(1, 2, 3), RGB(250, 251, 252), RGB(128, 64, 32) };
    Bytes rows = PackRows(3, 2, 24, [&](int x, int y) {
        COLORREF c = y == 0 ? top[x] : bottom[x];
        return (DWORD)(GetBValue(c) | (GetGValue(c) << 8) | (GetRValue(c) << 16));
    });
    CDIBSection dib;
    ASSERT_TRUE(LoadBytes(dib, MakeBmp(3, 2, 24, BI_RGB, Bytes(), rows), "rgb24"));
    EXPECT_EQ(dib.GetWidth(), 3);
    EXPECT_EQ(dib.GetHeight(), 2);
    EXPECT_EQ(dib.GetBitCount(), 24);
    EXPECT_EQ(dib.GetColorTableSize(), 0);
    for (int x = 0; x < 3; ++x)
    {
        EXPECT_EQ(dib.GetPixel(x, 0), top[x]);
        EXPECT_EQ(dib.GetPixel(x, 1), bottom[x]);
    }
}

TEST(BitmapFileLoad, TableLengthFollowsBitCountNotClrUsed)
{
    // Sixteen entries stored, biClrUsed 16; the pixels start right after them.
    const int width = 32, height = 32;
    Bytes rows = PackRows(width, height, 8, [](int x, int y) { return (DWORD)(x + y) % 16; });
    Bytes file = MakeBmp(width, height, 8, BI_RGB, GreyTable(16), rows, 16);
    ASSERT_EQ(U32(file, kBfOffBits), 118u);
    CDIBSection dib;
    ASSERT_TRUE(LoadBytes(dib, file, "clrused16"));
    EXPECT_EQ(dib.GetColorTableSize(), 256);
    EXPECT_EQ(0, memcmp(dib.GetColorTable(), &file[kTable], 64));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
        {
            const int grey = 255 - (x + y) % 16;
            ASSERT_EQ(dib.GetPixel(x, y), RGB(grey, grey, grey)) << x << "," << y;
        }

    // Too small a file for 256 entries fails as a short read and keeps the image.
    Bytes small = MakeBmp(4, 4, 8, BI_RGB, GreyTable(16), Bytes(16, 1), 16);
    EXPECT_FALSE(LoadBytes(dib, small, "clrused16small"));
    EXPECT_TRUE(dib.IsValid());
    EXPECT_EQ(dib.GetWidth(), width);
}

TEST(BitmapFileLoad, TopDownFileBecomesBottomUp)
{
    const int width = 4, height = 3;
    // Rows stored top row first: the first stored row holds index 1, then 2, then 3.
    Bytes stored(Stride(width, 8) * height);
    for (int r = 0; r < height; ++r)
        for (int x = 0; x < width; ++x)
            stored[r * Stride(width, 8) + x] = (BYTE)(r + 1);
    CDIBSection dib;
    ASSERT_TRUE(LoadBytes(dib, MakeBmp(width, -height, 8, BI_RGB, GreyTable(256), stored), "topdown"));
    EXPECT_EQ(dib.GetHeight(), height);
    for (int y = 0; y < height; ++y)
        EXPECT_EQ(dib.GetPixel(1, y), RGB(254 - y, 254 - y, 254 - y)) << y;

    const std::string path = TestPath("topdown-saved");
    ASSERT_TRUE(dib.Save(path.c_str()));
    Bytes f;
    ASSERT_TRUE(ReadAll(path, f));
    EXPECT_EQ(S32(f, kBiHeight), height);
    EXPECT_EQ(f[1082], 3);                         // bottom row first
    EXPECT_EQ(f[1082 + 2 * Stride(width, 8)], 1);  // top row last
}

namespace
{
struct MaskCase
{
    const char* name;
    WORD bits;
    DWORD r, g, b;
};

// Pure colours survive any field width: every field is empty or full.
DWORD PureValue(const MaskCase& m, int x, int y)
{
    const int k = (x + 3 * y) % 8;
    return ((k & 1) ? m.r : 0) | ((k & 2) ? m.g : 0) | ((k & 4) ? m.b : 0);
}
void PrintTo(const MaskCase& m, std::ostream* os) { *os << m.name; }

COLORREF PureColour(int x, int y)
{
    const int k = (x + 3 * y) % 8;
    return RGB((k & 1) ? 255 : 0, (k & 2) ? 255 : 0, (k & 4) ? 255 : 0);
}
}

class BitmapFileMasks : public ::testing::TestWithParam<MaskCase>
{
};

TEST_P(BitmapFileMasks, KeepColourMasksThroughLoadAndSave)
{
    const MaskCase& m = GetParam();
    const int width = 5, height = 3;
    Bytes rows = PackRows(width, height, m.bits, [&](int x, int y) { return PureValue(m, x, y); });
    CDIBSection dib;
    ASSERT_TRUE(LoadBytes(dib, MakeBmp(width, height, m.bits, BI_BITFIELDS, Masks(m.r, m.g, m.b), rows), m.name));
    EXPECT_EQ(dib.GetBitmapInfoHeader()->biCompression, (DWORD)BI_BITFIELDS);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            ASSERT_EQ(dib.GetPixel(x, y), PureColour(x, y)) << x << "," << y;

    const std::string path = TestPath(std::string(m.name) + "-saved");
    ASSERT_TRUE(dib.Save(path.c_str()));
    Bytes f;
    ASSERT_TRUE(ReadAll(path, f));
    ASSERT_EQ(f.size(), 70u + rows.size());
    EXPECT_EQ(U32(f, kBfSize), f.size());
    EXPECT_EQ(U32(f, kBfOffBits), 70u);
    EXPECT_EQ(U32(f, kBiCompression), (DWORD)BI_BITFIELDS);
    EXPECT_EQ(U32(f, kTable), m.r);
    EXPECT_EQ(U32(f, kTable + 4), m.g);
    EXPECT_EQ(U32(f, kTable + 8), m.b);
    EXPECT_EQ(U32(f, 66), 0u);
    EXPECT_EQ(0, memcmp(&f[70], rows.data(), rows.size()));

    CDIBSection back;
    ASSERT_TRUE(back.Load(path.c_str()));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            ASSERT_EQ(back.GetPixel(x, y), PureColour(x, y)) << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(Bitfields, BitmapFileMasks,
                         ::testing::Values(MaskCase{ "bf565", 16, 0xF800, 0x07E0, 0x001F },
                                           MaskCase{ "bf555", 16, 0x7C00, 0x03E0, 0x001F },
                                           MaskCase{ "bf32bgr", 32, 0x0000FF, 0x00FF00, 0xFF0000 },
                                           MaskCase{ "bf32rgb", 32, 0xFF0000, 0x00FF00, 0x0000FF }),
                         [](const ::testing::TestParamInfo<MaskCase>& info) { return std::string(info.param.name); });

TEST(BitmapFileLoad, DataLengthComesFromTheFileHeader)
{
    const int width = 4, height = 4;
    Bytes rows = PackRows(width, height, 24, [](int x, int y) { return (DWORD)(x * 40 + y * 0x2000 + 0x10000); });
    auto colour = [](int x, int y) { return RGB(1, y * 0x20, x * 40); };

    // Only the two bottom rows present: they load, the rest is whatever the section holds.
    CDIBSection dib;
    Bytes half(rows.begin(), rows.begin() + 2 * Stride(width, 24));
    ASSERT_TRUE(LoadBytes(dib, MakeBmp(width, height, 24, BI_RGB, Bytes(), half), "halfdata"));
    EXPECT_EQ(dib.GetHeight(), height);
    for (int x = 0; x < width; ++x)
    {
        EXPECT_EQ(dib.GetPixel(x, 3), colour(x, 3));
        EXPECT_EQ(dib.GetPixel(x, 2), colour(x, 2));
    }

    // Trailing bytes counted in bfSize are read but never written back beyond the section.
    Bytes longer = rows;
    longer.insert(longer.end(), 100, 0xEE);
    ASSERT_TRUE(LoadBytes(dib, MakeBmp(width, height, 24, BI_RGB, Bytes(), longer), "longdata"));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            ASSERT_EQ(dib.GetPixel(x, y), colour(x, y));
    const std::string path = TestPath("longdata-saved");
    ASSERT_TRUE(dib.Save(path.c_str()));
    Bytes f;
    ASSERT_TRUE(ReadAll(path, f));
    EXPECT_EQ(U32(f, kBfSize), f.size());
    EXPECT_EQ(U32(f, kBiSizeImage), f.size() - 58);
    EXPECT_LE(f.size(), 58u + rows.size());
    EXPECT_EQ(0, memcmp(&f[58], rows.data(), f.size() - 58));
}

namespace
{
Bytes ValidEightBit()
{
    return MakeBmp(6, 4, 8, BI_RGB, GreyTable(256), Bytes(Stride(6, 8) * 4, 7));
}

Bytes With32(Bytes b, size_t off, DWORD v)
{
    Put32(b, off, v);
    return b;
}

Bytes CoreHeaderFile()
{
    // BITMAPCOREHEADER: 12 bytes, 16-bit width and height, then RGBTRIPLEs.
    Bytes b(14 + 12 + 3 * 256 + 8 * 2, 0);
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, kBfSize, (DWORD)b.size());
    Put32(b, kBfOffBits, 14 + 12 + 3 * 256);
    Put32(b, kBiSize, 12);
    Put16(b, 18, 8);
    Put16(b, 20, 2);
    Put16(b, 22, 1);
    Put16(b, 24, 8);
    return b;
}
}

TEST(BitmapFileLoad, RefusedBeforeDecodingKeepsThePreviousImage)
{
    const Bytes good = ValidEightBit();
    Bytes v4 = good;
    Put32(v4, kBiSize, 108);
    Bytes notBm = good;
    notBm[1] = 'A';
    const Bytes bitfields = MakeBmp(2, 2, 16, BI_BITFIELDS, Masks(0xF800, 0x07E0, 0x001F), Bytes(8, 0));

    const struct
    {
        const char* name;
        Bytes bytes;
    } cases[] = {
        { "empty", Bytes() },
        { "thirteen", Bytes(good.begin(), good.begin() + 13) },
        { "notbm", notBm },
        { "core", CoreHeaderFile() },
        { "v4", v4 },
        { "headercut", Bytes(good.begin(), good.begin() + 40) },
        { "tablecut", Bytes(good.begin(), good.begin() + 54 + 500) },
        { "maskscut", Bytes(bitfields.begin(), bitfields.begin() + 60) },
        { "sizebeyondfile", With32(good, kBfSize, (DWORD)good.size() + 1) },
        { "sizehuge", With32(good, kBfSize, 0xFFFFFFFF) },
        { "nodata", With32(good, kBfSize, U32(good, kBfOffBits)) },
        { "sizebeforeoffset", With32(good, kBfSize, 100) },
        { "offsetbeyondfile", With32(With32(good, kBfOffBits, (DWORD)good.size() + 4), kBfSize, 0xFFFFFFFF) },
        { "offsethuge", With32(With32(good, kBfOffBits, 0xFFFFFFF0), kBfSize, 0xFFFFFFFF) },
    };

    CDIBSection dib;
    ASSERT_TRUE(dib.CreateBitmap(5, 5, 1, 24));
    ASSERT_TRUE(dib.SetPixel(2, 2, RGB(1, 2, 3)));
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(LoadBytes(dib, c.bytes, std::string("refused-") + c.name));
        ASSERT_TRUE(dib.IsValid());
        EXPECT_EQ(dib.GetWidth(), 5);
        EXPECT_EQ(dib.GetBitCount(), 24);
        EXPECT_EQ(dib.GetPixel(2, 2), RGB(1, 2, 3));
    }
    EXPECT_FALSE(dib.Load(TestPath("does-not-exist").c_str()));
    EXPECT_FALSE(dib.Load(NULL));
    EXPECT_EQ(dib.GetPixel(2, 2), RGB(1, 2, 3));
    // The untouched file itself loads.
    EXPECT_TRUE(LoadBytes(dib, good, "refused-good"));
}

TEST(BitmapFileLoad, RefusedByTheSectionLeavesTheImageEmpty)
{
    // An RLE8 picture of two rows of four pixels, correctly encoded.
    const BYTE rle[] = { 4, 1, 0, 0, 4, 2, 0, 1 };
    const struct
    {
        const char* name;
        Bytes bytes;
    } cases[] = {
        { "rle8", MakeBmp(4, 2, 8, BI_RLE8, GreyTable(256), Bytes(rle, rle + sizeof(rle))) },
        { "rle4", MakeBmp(4, 2, 4, BI_RLE4, GreyTable(16), Bytes(rle, rle + sizeof(rle))) },
        { "bitcount30000", MakeBmp(4, 2, 30000, BI_RGB, Bytes(), Bytes(64, 0)) },
        { "jpeg", MakeBmp(4, 2, 24, BI_JPEG, Bytes(), Bytes(32, 0)) },
        { "bitfields24", MakeBmp(4, 2, 24, BI_BITFIELDS, Masks(0xFF0000, 0xFF00, 0xFF), Bytes(32, 0)) },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        CDIBSection dib;
        ASSERT_TRUE(dib.CreateBitmap(5, 5, 1, 24));
        EXPECT_FALSE(LoadBytes(dib, c.bytes, std::string("empty-") + c.name));
        EXPECT_FALSE(dib.IsValid());
        EXPECT_EQ(dib.GetSafeHandle(), (HBITMAP)NULL);
    }
}
