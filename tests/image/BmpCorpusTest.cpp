// CDIBSection::Load against the BMP corpus (bmpsuite): good files decode to their reference
// pictures, other kinds are refused, bad and foreign files and thousands of seeded
// mutations of the good files never break the object.
#include "BmpCorpus.h"
#include "ImageTestSupport.h"
#include "common/TestEnvironment.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <random>
#include <sstream>

using namespace imagetest;
using namespace bmpcorpus;

namespace
{
// An object either holds nothing or a whole, self-consistent DIB section whose bits are mapped
// from end to end.
void ExpectConsistent(CDIBSection& dib, const std::string& what)
{
    DIBSECTION ds;
    if (!dib.IsValid())
        return;
    ASSERT_EQ(GetObject(dib, sizeof(ds), &ds), (int)sizeof(ds)) << what;
    const int bits = dib.GetBitCount();
    ASSERT_TRUE(bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32) << what << ": " << bits;
    EXPECT_EQ(dib.GetColorTableSize(), CDIBSection::NumColorEntries(bits)) << what;
    ASSERT_TRUE(dib.GetWidth() > 0 && dib.GetHeight() > 0 && ds.dsBm.bmBits == dib.GetDIBits()) << what;
    EXPECT_EQ(CSize(ds.dsBm.bmWidth, abs(ds.dsBm.bmHeight)), dib.GetSize()) << what;
    EXPECT_EQ(ds.dsBm.bmBitsPixel, bits) << what;
    const volatile BYTE* p = (const volatile BYTE*)dib.GetDIBits();
    (void)p[0];
    (void)p[(size_t)ds.dsBm.bmWidthBytes * dib.GetHeight() - 1];
    EXPECT_NE(dib.GetPixel(dib.GetWidth() - 1, dib.GetHeight() - 1), CLR_INVALID) << what;
}

// A seeded change of a good file: flipped bytes, a header field set to a telling value, a cut,
// or trailing bytes.
Bytes Mutate(const Bytes& original, std::mt19937& rng)
{
    auto below = [&](size_t n) { return n == 0 ? 0 : std::uniform_int_distribution<size_t>(0, n - 1)(rng); };
    Bytes b = original;
    auto flip = [&](size_t range) {
        for (size_t i = 0, n = 1 + below(4); i < n && range > 0; ++i)
            b[below(range)] ^= (BYTE)(1 + below(255));
    };
    auto setField = [&]() {
        static const int fields[][2] = {{kBfSize, 4},       {kBfOffBits, 4},   {kBiSize, 4},      {kBiWidth, 4},
                                        {kBiHeight, 4},     {kBiPlanes, 2},    {kBiBitCount, 2},  {kBiCompression, 4},
                                        {kBiSizeImage, 4},  {kBiClrUsed, 4},   {kBiClrImportant, 4}, {kBiXPels, 4}};
        const int* f = fields[below(12)];
        if (b.size() < (size_t)f[0] + f[1])
            return;
        const DWORD current = RowPixel(&b[f[0]], 0, 8 * f[1]), size = (DWORD)b.size();
        const DWORD values[] = {0, 1, 2, 3, 4, 8, 12, 15, 16, 24, 32, 40, 64, 108, 124, 255, 256, 1078, 0x7FFF, 0x8000,
                                0xFFFF, 0x10000, 46341, 0x40000, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 0xFFFFFFFE,
                                size - 1, size, size + 1, current + 1, current - 1, (DWORD)-(LONG)current, current * 2,
                                (DWORD)rng()};
        const DWORD v = values[below(sizeof(values) / sizeof(values[0]))];
        PutRowPixel(&b[f[0]], 0, 8 * f[1], v);
    };
    switch (below(6))
    {
    case 0: flip(b.size()); break;
    case 1: flip(std::min<size_t>(b.size(), 54 + 1024)); break;
    case 2: setField(); break;
    case 3: b.resize(below(b.size())); break;
    case 4:
        setField();
        setField();
        if (below(2))
            b.resize(below(b.size()));
        break;
    default:
        setField();
        b.resize(b.size() + below(4096), (BYTE)below(256));
        break;
    }
    return b;
}
}

class BmpCorpus : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (testenv::BmpSuiteDir().empty())
            GTEST_SKIP() << "BMP corpus not configured: MFCPAINT_BMPSUITE is empty (scripts/test.sh sets it)";
        m_entries = ReadManifest();
        ASSERT_FALSE(m_entries.empty()) << "no manifest.tsv in " << testenv::BmpSuiteDir();
    }
    // Good files of the kinds that the reader takes: the 40-byte header, no run-length encoding.
    static bool Readable(const ManifestEntry& e)
    {
        return e.headerSize == 40 && e.compression != BI_RLE8 && e.compression != BI_RLE4;
    }
    std::vector<ManifestEntry> m_entries;
};

TEST_F(BmpCorpus, GoodFilesDecodeToTheirReferenceOrAreRefused)
{
    int nChecked = 0, nRefused = 0;
    for (const ManifestEntry& e : m_entries)
    {
        if (e.file.compare(0, 2, "g/") != 0)
            continue;
        SCOPED_TRACE(e.file);
        CDIBSection dib;
        ASSERT_TRUE(dib.CreateBitmap(3, 2, 1, 8));
        if (!Readable(e))
        {
            // Other headers are refused before the image is touched; RLE fails in the section.
            EXPECT_FALSE(dib.Load(PathText(CorpusPath(e.file))));
            EXPECT_EQ(dib.IsValid(), e.headerSize != 40);
            ++nRefused;
            continue;
        }
        ASSERT_TRUE(dib.Load(PathText(CorpusPath(e.file))));
        ASSERT_EQ(CSize(e.width, labs(e.height)), dib.GetSize());
        ASSERT_EQ(dib.GetBitCount(), e.bitCount);
        EXPECT_EQ((long)dib.GetBitmapInfoHeader()->biCompression, e.compression);

        // The manifest's picture for non-square pixels is stretched; "-e" holds them as stored.
        std::string reference = e.reference;
        if (reference.size() > 6 && reference.compare(reference.size() - 6, 6, "-v.ppm") == 0)
            reference.replace(reference.size() - 6, 6, "-e.ppm");
        int width, height;
        std::vector<COLORREF> ppm;
        ASSERT_TRUE(ReadPpm(CorpusPath(reference), width, height, ppm)) << reference;
        ASSERT_EQ(CSize(width, height), dib.GetSize());

        // GDI reads the section; it may widen narrow fields other than the reference does.
        const int tolerance = e.bitCount == 16 ? 8 : 0;
        const HDC hdc = dib.GetMemoryDC()->GetSafeHdc();
        int nWrong = 0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
            {
                const COLORREF cr = ppm[y * width + x], crGdi = ::GetPixel(hdc, x, y);
                if ((abs(GetRValue(crGdi) - GetRValue(cr)) > tolerance || abs(GetGValue(crGdi) - GetGValue(cr)) > tolerance ||
                     abs(GetBValue(crGdi) - GetBValue(cr)) > tolerance) && nWrong++ == 0)
                    ADD_FAILURE() << "pixel " << x << "," << y << ": " << std::hex << crGdi << " instead of " << cr;
            }
        dib.ReleaseMemoryDC();
        ++nChecked;
    }
    EXPECT_GE(nChecked, 20);
    EXPECT_GE(nRefused, 5);
}

TEST_F(BmpCorpus, BadFilesAndSeededMutationsOfGoodOnesLeaveAConsistentObject)
{
    // Every file but the good ones, loaded twice into the same object, then 200 seeded changes
    // of each good file into one object, as an application reloading files would. Every tenth
    // variant that loads goes back out and in again.
    const std::string mutantPath = testenv::OutputPath("files-mutant.bmp");
    const std::string savedPath = testenv::OutputPath("files-mutant-saved.bmp");
    const DWORD dwStarted = GetTickCount();
    std::string accepted;
    int nTotal = 0, nLoaded = 0, nIndex = 0;
    CDIBSection dib;
    for (const ManifestEntry& e : m_entries)
    {
        if (e.file.compare(0, 2, "g/") == 0)
            continue;
        CDIBSection other;
        ASSERT_TRUE(other.CreateBitmap(3, 2, 1, 24));
        for (int i = 0; i < 2; i++)
        {
            const BOOL bLoaded = other.Load(PathText(CorpusPath(e.file)));
            ExpectConsistent(other, e.file);
            EXPECT_TRUE(!bLoaded || other.IsValid()) << e.file;
            if (bLoaded && i == 0)
                accepted += " " + e.file;
        }
    }
    for (const ManifestEntry& e : m_entries)
    {
        Bytes original;
        if (e.file.compare(0, 2, "g/") != 0 || !ReadAll(CorpusPath(e.file), original))
            continue;
        std::mt19937 rng(20240611u + 7919u * nIndex++);
        for (int i = 0; i < 200; ++i, ++nTotal)
        {
            const std::string what = e.file + " variant " + std::to_string(i);
            ASSERT_TRUE(WriteAll(mutantPath, Mutate(original, rng)));
            const BOOL bLoaded = dib.Load(PathText(mutantPath));
            ASSERT_NO_FATAL_FAILURE(ExpectConsistent(dib, what));
            if (!bLoaded || nLoaded++ % 10 != 0)
                continue;
            Bytes saved;
            ASSERT_TRUE(dib.Save(PathText(savedPath)) && ReadAll(savedPath, saved) && saved.size() >= 58) << what;
            EXPECT_EQ(U32(saved, kBfSize), saved.size()) << what;
            CDIBSection back;
            EXPECT_TRUE(back.Load(PathText(savedPath))) << what;
            EXPECT_EQ(back.GetSize(), dib.GetSize()) << what;
            EXPECT_EQ(back.GetBitCount(), dib.GetBitCount()) << what;
        }
    }
    printf("[          ] loaded:%s\n", accepted.c_str());
    printf("[          ] %d variants, %d loaded, %lu ms\n", nTotal, nLoaded, (unsigned long)(GetTickCount() - dwStarted));
    EXPECT_GE(nTotal, 3000);
}
