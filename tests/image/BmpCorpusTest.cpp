// CDIBSection::Load against the BMP corpus (bmpsuite): good files decode to their reference
// pictures, other kinds are refused, bad and foreign files and thousands of seeded
// mutations of the good files never break the object.
#include "BitmapFileBytes.h"
#include "common/TestEnvironment.h"
#include <gtest/gtest.h>
#include <random>
#include <stdlib.h>

using namespace bmpbytes;

namespace
{
struct ManifestEntry
{
    std::string file;   // "g/pal8.bmp"
    long headerSize = 0;
    long bitCount = 0;
    long compression = 0;
    long width = 0;
    long height = 0;
    std::string reference;
};

std::string CorpusPath(const std::string& relative)
{
    std::string path = testenv::BmpSuiteDir() + "\\" + relative;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

std::vector<ManifestEntry> ReadManifest()
{
    std::vector<ManifestEntry> entries;
    Bytes text;
    if (!ReadAll(CorpusPath("manifest.tsv"), text))
        return entries;
    std::string all(text.begin(), text.end());
    size_t pos = all.find('\n');   // skip the column names
    while (pos != std::string::npos && pos + 1 < all.size())
    {
        size_t end = all.find('\n', pos + 1);
        std::string line = all.substr(pos + 1, end == std::string::npos ? std::string::npos : end - pos - 1);
        pos = end;
        std::vector<std::string> fields;
        size_t start = 0, tab;
        while ((tab = line.find('\t', start)) != std::string::npos)
        {
            fields.push_back(line.substr(start, tab - start));
            start = tab + 1;
        }
        fields.push_back(line.substr(start));
        if (fields.size() < 6)
            continue;
        ManifestEntry e;
        e.file = fields[0];
        e.headerSize = strtol(fields[1].c_str(), NULL, 10);
        e.bitCount = strtol(fields[2].c_str(), NULL, 10);
        e.compression = strtol(fields[3].c_str(), NULL, 10);
        e.width = strtol(fields[4].c_str(), NULL, 10);
        e.height = strtol(fields[5].c_str(), NULL, 10);
        if (fields.size() > 6)
            e.reference = fields[6];
        while (!e.reference.empty() && (e.reference.back() == '\r' || e.reference.back() == ' '))
            e.reference.pop_back();
        entries.push_back(e);
    }
    return entries;
}

// Every .bmp of a corpus folder, by listing the folder itself.
std::vector<std::string> ListFolder(const char* folder)
{
    std::vector<std::string> files;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA(CorpusPath(std::string(folder) + "/*.bmp").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE)
        return files;
    do
        files.push_back(std::string(folder) + "/" + fd.cFileName);
    while (FindNextFileA(h, &fd));
    FindClose(h);
    return files;
}

struct Ppm
{
    int width = 0, height = 0;
    Bytes rgb;   // top row first
    COLORREF At(int x, int y) const
    {
        const BYTE* p = &rgb[3 * ((size_t)y * width + x)];
        return RGB(p[0], p[1], p[2]);
    }
};

bool ReadPpm(const std::string& path, Ppm& ppm)
{
    Bytes b;
    if (!ReadAll(path, b) || b.size() < 2 || b[0] != 'P' || b[1] != '6')
        return false;
    size_t pos = 2;
    long values[3];
    for (long& v : values)
    {
        while (pos < b.size() && (isspace(b[pos]) || b[pos] == '#'))
        {
            if (b[pos] == '#')
                while (pos < b.size() && b[pos] != '\n')
                    ++pos;
            else
                ++pos;
        }
        v = 0;
        while (pos < b.size() && isdigit(b[pos]))
            v = v * 10 + (b[pos++] - '0');
    }
    ++pos;   // the single whitespace before the samples
    ppm.width = (int)values[0];
    ppm.height = (int)values[1];
    const size_t n = 3 * (size_t)ppm.width * ppm.height;
    if (values[2] != 255 || pos + n > b.size())
        return false;
    ppm.rgb.assign(b.begin() + pos, b.begin() + pos + n);
    return true;
}

bool Near(COLORREF a, COLORREF b, int tolerance)
{
    return abs(GetRValue(a) - GetRValue(b)) <= tolerance && abs(GetGValue(a) - GetGValue(b)) <= tolerance
        && abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

// An object either holds nothing or a whole, self-consistent DIB section.
void ExpectConsistent(CDIBSection& dib, const std::string& what)
{
    if (!dib.IsValid())
    {
        EXPECT_EQ(dib.GetSafeHandle(), (HBITMAP)NULL) << what;
        return;
    }
    const int w = dib.GetWidth(), h = dib.GetHeight(), bits = dib.GetBitCount();
    ASSERT_GT(w, 0) << what;
    ASSERT_GT(h, 0) << what;
    ASSERT_TRUE(bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32)
        << what << ": " << bits << " bits";
    EXPECT_EQ(dib.GetColorTableSize(), bits == 1 ? 2 : bits == 4 ? 16 : bits == 8 ? 256 : 0) << what;
    DIBSECTION ds;
    ASSERT_EQ(GetObject(dib.GetSafeHandle(), sizeof(ds), &ds), (int)sizeof(ds)) << what;
    EXPECT_EQ(ds.dsBm.bmWidth, w) << what;
    EXPECT_EQ(abs(ds.dsBm.bmHeight), h) << what;
    EXPECT_EQ(ds.dsBm.bmBitsPixel, bits) << what;
    ASSERT_EQ(ds.dsBm.bmBits, dib.GetDIBits()) << what;
    // Both ends of the bits are mapped.
    const volatile BYTE* p = (const volatile BYTE*)dib.GetDIBits();
    (void)p[0];
    (void)p[(size_t)ds.dsBm.bmWidthBytes * h - 1];
    EXPECT_NE(dib.GetPixel(0, 0), CLR_INVALID) << what;
    EXPECT_NE(dib.GetPixel(w - 1, h - 1), CLR_INVALID) << what;
}

bool IsRle(long compression) { return compression == BI_RLE8 || compression == BI_RLE4; }
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

    std::vector<ManifestEntry> Folder(const char* prefix) const
    {
        std::vector<ManifestEntry> out;
        for (const ManifestEntry& e : m_entries)
            if (e.file.compare(0, strlen(prefix), prefix) == 0)
                out.push_back(e);
        return out;
    }

    std::vector<ManifestEntry> m_entries;
};

TEST_F(BmpCorpus, GoodFilesWithTheInfoHeaderMatchTheirReference)
{
    int checked = 0;
    for (const ManifestEntry& e : Folder("g/"))
    {
        if (e.headerSize != 40 || IsRle(e.compression))
            continue;
        SCOPED_TRACE(e.file);
        CDIBSection dib;
        ASSERT_TRUE(dib.Load(CorpusPath(e.file).c_str()));
        ASSERT_EQ(dib.GetWidth(), e.width);
        ASSERT_EQ(dib.GetHeight(), labs(e.height));
        ASSERT_EQ(dib.GetBitCount(), e.bitCount);
        EXPECT_EQ((long)dib.GetBitmapInfoHeader()->biCompression, e.compression);

        // The manifest's picture for non-square pixels is stretched; "-e" holds them as stored.
        std::string reference = e.reference;
        const size_t stretched = reference.find("-v.ppm");
        if (stretched != std::string::npos)
            reference.replace(stretched, 6, "-e.ppm");
        Ppm ppm;
        ASSERT_TRUE(ReadPpm(CorpusPath(reference), ppm)) << reference;
        ASSERT_EQ(ppm.width, dib.GetWidth());
        ASSERT_EQ(ppm.height, dib.GetHeight());

        // Bits and table decoded here must give the reference exactly; GDI's reading of
        // the section may round narrow fields differently, and is sampled.
        const int tolerance = e.bitCount == 16 ? 8 : 0;
        int wrongBits = 0, wrongGdi = 0;
        for (int y = 0; y < ppm.height; ++y)
            for (int x = 0; x < ppm.width; ++x)
            {
                if (DecodePixel(dib, x, y) != ppm.At(x, y) && wrongBits++ == 0)
                    ADD_FAILURE() << "bits at " << x << "," << y << ": " << std::hex << DecodePixel(dib, x, y)
                                  << " instead of " << ppm.At(x, y);
                if ((x + y) % 7 == 0 && !Near(dib.GetPixel(x, y), ppm.At(x, y), tolerance) && wrongGdi++ == 0)
                    ADD_FAILURE() << "GetPixel at " << x << "," << y << ": " << std::hex << dib.GetPixel(x, y)
                                  << " instead of " << ppm.At(x, y);
            }
        EXPECT_EQ(wrongBits, 0);
        EXPECT_EQ(wrongGdi, 0);
        ++checked;
    }
    EXPECT_GE(checked, 20);
}

TEST_F(BmpCorpus, GoodFilesOfOtherKindsAreRefused)
{
    int checked = 0;
    for (const ManifestEntry& e : Folder("g/"))
    {
        if (e.headerSize == 40 && !IsRle(e.compression))
            continue;
        SCOPED_TRACE(e.file);
        CDIBSection dib;
        ASSERT_TRUE(dib.CreateBitmap(3, 2, 1, 8));
        EXPECT_FALSE(dib.Load(CorpusPath(e.file).c_str()));
        // Other headers are refused before the image is touched; RLE fails in the section.
        EXPECT_EQ(dib.IsValid(), e.headerSize != 40);
        ++checked;
    }
    EXPECT_GE(checked, 5);
}

TEST_F(BmpCorpus, BadAndForeignFilesLeaveAConsistentObject)
{
    std::string accepted;
    for (const char* folder : { "b", "x", "q" })
    {
        const std::vector<std::string> files = ListFolder(folder);
        EXPECT_FALSE(files.empty()) << folder;
        for (const std::string& file : files)
        {
            CDIBSection dib;
            ASSERT_TRUE(dib.CreateBitmap(3, 2, 1, 24));
            if (dib.Load(CorpusPath(file).c_str()))
                accepted += " " + file;
            ExpectConsistent(dib, file);
            // Loading again into the same object behaves the same.
            const BOOL again = dib.Load(CorpusPath(file).c_str());
            ExpectConsistent(dib, file);
            EXPECT_TRUE(!again || dib.IsValid()) << file;
        }
    }
    printf("[          ] loaded:%s\n", accepted.c_str());
}

namespace
{
struct Field
{
    size_t offset;
    int size;
};

const Field kFields[] = {
    { kBfSize, 4 }, { kBfOffBits, 4 }, { kBiSize, 4 }, { kBiWidth, 4 }, { kBiHeight, 4 },
    { kBiPlanes, 2 }, { kBiBitCount, 2 }, { kBiCompression, 4 }, { kBiSizeImage, 4 },
    { kBiClrUsed, 4 }, { kBiClrImportant, 4 }, { kBiXPels, 4 },
};

class Mutator
{
public:
    explicit Mutator(unsigned seed) : m_rng(seed) {}

    Bytes Mutate(const Bytes& original)
    {
        Bytes b = original;
        switch (Below(6))
        {
        case 0: FlipBytes(b, b.size()); break;
        case 1: FlipBytes(b, std::min<size_t>(b.size(), 54 + 1024)); break;
        case 2: SetField(b); break;
        case 3: Truncate(b); break;
        case 4:
            SetField(b);
            SetField(b);
            if (Below(2))
                Truncate(b);
            break;
        default:
            SetField(b);
            b.resize(b.size() + Below(4096), (BYTE)Below(256));
            break;
        }
        return b;
    }

private:
    size_t Below(size_t n) { return n == 0 ? 0 : std::uniform_int_distribution<size_t>(0, n - 1)(m_rng); }

    void FlipBytes(Bytes& b, size_t range)
    {
        for (size_t i = 0, n = 1 + Below(4); i < n && range > 0; ++i)
            b[Below(range)] ^= (BYTE)(1 + Below(255));
    }

    void Truncate(Bytes& b) { b.resize(Below(b.size())); }

    void SetField(Bytes& b)
    {
        const Field& f = kFields[Below(sizeof(kFields) / sizeof(kFields[0]))];
        if (b.size() < f.offset + f.size)
            return;
        const DWORD current = f.size == 4 ? U32(b, f.offset) : U16(b, f.offset);
        const DWORD size = (DWORD)b.size();
        const DWORD values[] = {
            0, 1, 2, 3, 4, 8, 12, 15, 16, 24, 32, 40, 64, 108, 124, 255, 256, 1078, 0x7FFF, 0x8000,
            0xFFFF, 0x10000, 46341, 0x40000, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 0xFFFFFFFE,
            size - 1, size, size + 1, current + 1, current - 1, (DWORD)-(LONG)current, current * 2,
            (DWORD)m_rng(),
        };
        const DWORD v = values[Below(sizeof(values) / sizeof(values[0]))];
        if (f.size == 4)
            Put32(b, f.offset, v);
        else
            Put16(b, f.offset, (WORD)v);
    }

    std::mt19937 m_rng;
};
}

TEST_F(BmpCorpus, SeededMutationsOfGoodFilesNeverBreakTheObject)
{
    const int kPerFile = 200;
    const std::string mutantPath = testenv::OutputPath("files-mutant.bmp");
    const std::string savedPath = testenv::OutputPath("files-mutant-saved.bmp");
    const DWORD started = GetTickCount();
    int total = 0, loaded = 0, index = 0;
    CDIBSection dib;   // one object throughout, as an application reloading files would
    for (const ManifestEntry& e : Folder("g/"))
    {
        Bytes original;
        ASSERT_TRUE(ReadAll(CorpusPath(e.file), original)) << e.file;
        Mutator mutator(20240611u + 7919u * index++);
        for (int i = 0; i < kPerFile; ++i)
        {
            const Bytes mutant = mutator.Mutate(original);
            ASSERT_TRUE(WriteAll(mutantPath, mutant));
            const std::string what = e.file + " variant " + std::to_string(i);
            const BOOL ok = dib.Load(mutantPath.c_str());
            ++total;
            ASSERT_NO_FATAL_FAILURE(ExpectConsistent(dib, what));
            if (!ok)
                continue;
            // Every tenth loaded variant goes back out and in again.
            if (loaded++ % 10 == 0)
            {
                ASSERT_TRUE(dib.Save(savedPath.c_str())) << what;
                Bytes saved;
                ASSERT_TRUE(ReadAll(savedPath, saved));
                ASSERT_GE(saved.size(), 58u) << what;
                EXPECT_EQ(U32(saved, kBfSize), saved.size()) << what;
                CDIBSection back;
                EXPECT_TRUE(back.Load(savedPath.c_str())) << what;
                EXPECT_EQ(back.GetWidth(), dib.GetWidth()) << what;
                EXPECT_EQ(back.GetHeight(), dib.GetHeight()) << what;
                EXPECT_EQ(back.GetBitCount(), dib.GetBitCount()) << what;
            }
        }
    }
    const DWORD elapsed = GetTickCount() - started;
    printf("[          ] %d variants, %d loaded, %lu ms\n", total, loaded, (unsigned long)elapsed);
    EXPECT_GE(total, 3000);
}
