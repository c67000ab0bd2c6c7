// Seeded mutation runs of the four ways pictures come in from outside: bitmap files through
// Load, callers' blocks through SetBitmap(BITMAPINFO*, void*) (each block placed against a
// no-access page, its header describing it honestly), and clipboard blocks through the DIB
// paste, and picture files of every format through LoadPicture. Every case either succeeds with a consistent image or is refused; nothing crashes,
// hangs or reads past a block. Each run has a fixed case budget and prints its counts.
#include "GuardedBlock.h"
#include "ImageTestSupport.h"
#include "PictureSamples.h"
#include "common/TestEnvironment.h"
#include <gtest/gtest.h>
#include <string.h>

using namespace imagetest;

namespace
{
// A small deterministic generator (xorshift32), the same sequence on every run.
class Prng
{
public:
    explicit Prng(DWORD seed) : m_state(seed != 0 ? seed : 1) {}
    DWORD Next()
    {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return m_state;
    }
    // A number below n (0 when n is 0).
    size_t Below(size_t n) { return n == 0 ? 0 : Next() % n; }
    bool OneIn(size_t n) { return Below(n) == 0; }

private:
    DWORD m_state;
};

// Values that tell: edges of the field types, sizes around the block's, powers of two.
DWORD TellingValue(Prng& rng, DWORD current, size_t cbBlock)
{
    const DWORD values[] = {0, 1, 2, 3, 4, 8, 12, 15, 16, 24, 32, 40, 52, 56, 64, 108, 124, 255, 256, 257, 1078,
                            0x7FFF, 0x8000, 0xFFFF, 0x10000, 46341, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF,
                            (DWORD)cbBlock - 1, (DWORD)cbBlock, (DWORD)cbBlock + 1, current + 1, current - 1,
                            (DWORD) - (LONG)current, current * 2, rng.Next()};
    return values[rng.Below(sizeof(values) / sizeof(values[0]))];
}

// Header fields as (offset from the info header, size).
const int kInfoFields[][2] = {{0, 4}, {4, 4}, {8, 4}, {12, 2}, {14, 2}, {16, 4}, {20, 4}, {32, 4}, {36, 4}};

// Changes a block whose info header starts at nInfo: fields set to telling values, flipped
// bytes near the front, a cut, or bytes added.
Bytes Mutate(const Bytes& original, size_t nInfo, Prng& rng)
{
    Bytes b = original;
    const int nSteps = 1 + (int)rng.Below(3);
    for (int i = 0; i < nSteps; i++)
    {
        switch (rng.Below(6))
        {
        case 0:
        case 1:
        {
            const int* f = kInfoFields[rng.Below(sizeof(kInfoFields) / sizeof(kInfoFields[0]))];
            const size_t at = nInfo + (size_t)f[0];
            if (b.size() >= at + (size_t)f[1])
                PutRowPixel(&b[at], 0, 8 * f[1], TellingValue(rng, RowPixel(&b[at], 0, 8 * f[1]), b.size()));
            break;
        }
        case 2:
            if (nInfo != 0 && b.size() >= 14)   // the file header's size and offset fields
                Put32(b, rng.OneIn(2) ? 2 : 10, TellingValue(rng, U32(b, rng.OneIn(2) ? 2 : 10), b.size()));
            break;
        case 3:
            for (size_t n = 1 + rng.Below(4); n > 0 && !b.empty(); n--)
                b[rng.Below(b.size() < nInfo + 1100 ? b.size() : nInfo + 1100)] ^= (BYTE)(1 + rng.Below(255));
            break;
        case 4:
            b.resize(rng.Below(b.size() + 1));
            break;
        default:
            b.resize(b.size() + rng.Below(2048), (BYTE)rng.Next());
            break;
        }
    }
    return b;
}

// Every .bmp of the corpus's folders, and the regression inputs of the layout fuzz target.
std::vector<Bytes> ReadFolder(const std::string& dir, const char* pszPattern)
{
    std::vector<Bytes> files;
    // The corpus folders have ASCII names, given as narrow text by the test environment.
    WIN32_FIND_DATAA fd;
    HANDLE hFind = ::FindFirstFileA((dir + "\\" + pszPattern).c_str(), &fd);
    if (hFind == INVALID_HANDLE_VALUE)
        return files;
    do
    {
        Bytes bytes;
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && ReadAll(dir + "\\" + fd.cFileName, bytes))
            files.push_back(bytes);
    } while (::FindNextFileA(hFind, &fd));
    ::FindClose(hFind);
    return files;
}

std::vector<Bytes> CorpusFiles()
{
    std::vector<Bytes> files;
    const std::string suite = testenv::BmpSuiteDir();
    for (const char* pszFolder : {"g", "q", "b", "x"})
        for (Bytes& file : ReadFolder(suite + "\\" + pszFolder, "*.bmp"))
            files.push_back(std::move(file));
    return files;
}

// An image that holds something holds a whole section of its header's size and depth.
void ExpectConsistent(CDIBSection& img, const char* pszWhat, int nCase)
{
    if (!img.IsValid())
        return;
    DIBSECTION ds;
    ASSERT_EQ((int)sizeof(ds), ::GetObject(img, sizeof(ds), &ds)) << pszWhat << " case " << nCase;
    ASSERT_EQ(CSize(ds.dsBm.bmWidth, abs(ds.dsBm.bmHeight)), img.GetSize()) << pszWhat << " case " << nCase;
    ASSERT_EQ(ds.dsBm.bmBitsPixel, img.GetBitCount()) << pszWhat << " case " << nCase;
    ASSERT_EQ(ds.dsBm.bmBits, img.GetDIBits()) << pszWhat << " case " << nCase;
    const volatile BYTE* p = (const volatile BYTE*)img.GetDIBits();
    (void)p[(size_t)ds.dsBm.bmWidthBytes * img.GetHeight() - 1];
}

void PrintCounts(const char* pszRun, int nCases, int nAccepted)
{
    printf("[          ] %s: %d cases, %d accepted, %d refused\n", pszRun, nCases, nAccepted, nCases - nAccepted);
}

// Answers the image settings dialog with OK the moment it is activated: a CBT hook posts
// the command, so each paste that asks costs no polling.
class ImageSettingsAutoOK
{
public:
    ImageSettingsAutoOK()
    {
        s_nAnswers = 0;
        m_hHook = ::SetWindowsHookEx(WH_CBT, &ImageSettingsAutoOK::OnCbt, NULL, ::GetCurrentThreadId());
    }
    ~ImageSettingsAutoOK()
    {
        if (m_hHook != NULL)
            ::UnhookWindowsHookEx(m_hHook);
    }
    static int Answers() { return s_nAnswers; }

private:
    static LRESULT CALLBACK OnCbt(int nCode, WPARAM wParam, LPARAM lParam)
    {
        if (nCode == HCBT_ACTIVATE)
        {
            TCHAR szCaption[64] = _T("");
            ::GetWindowText((HWND)wParam, szCaption, _countof(szCaption));
            if (_tcscmp(szCaption, _T("Image Settings")) == 0)
            {
                s_nAnswers++;
                ::PostMessage((HWND)wParam, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            }
        }
        return ::CallNextHookEx(NULL, nCode, wParam, lParam);
    }
    static inline int s_nAnswers = 0;
    HHOOK m_hHook;
};

void PutDIBOnClipboard(const Bytes& dib)
{
    ASSERT_TRUE(::OpenClipboard(NULL));
    ::EmptyClipboard();
    if (HGLOBAL hBlock = ::GlobalAlloc(GMEM_MOVEABLE, dib.size()))
    {
        memcpy(::GlobalLock(hBlock), dib.data(), dib.size());
        ::GlobalUnlock(hBlock);
        ::SetClipboardData(CF_DIB, hBlock);
    }
    ::CloseClipboard();
}

Bytes InfoHeader(LONG cx, LONG cy, WORD nBits, DWORD nCompression, DWORD nClrUsed, DWORD biSize, DWORD nSizeImage)
{
    Bytes header = Dwords({biSize, (DWORD)cx, (DWORD)cy, 1u | ((DWORD)nBits << 16), nCompression, nSizeImage, 0, 0,
                           nClrUsed, 0});
    header.resize(biSize < 40 ? 40 : biSize > 256 ? 256 : biSize, 0);
    return header;
}

Bytes RandomBytes(size_t n, Prng& rng)
{
    Bytes b(n);
    for (BYTE& c : b)
        c = (BYTE)rng.Next();
    return b;
}
}

class SeededMutation : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (testenv::BmpSuiteDir().empty())
            GTEST_SKIP() << "BMP corpus not configured: MFCPAINT_BMPSUITE is empty (scripts/test.sh sets it)";
    }
};

// The fuzz target's kept findings first, then mutations of every corpus file, all into one
// object as an application loading file after file would.
TEST_F(SeededMutation, LoadTakesOrRefusesEveryMutatedFile)
{
    const int kCases = 12000;
    const std::string path = testenv::OutputPath("mutation-load.bmp");
    CDIBSection img;
    int nCases = 0, nAccepted = 0;

    for (const Bytes& finding : ReadFolder(testenv::FuzzRegressionsDir(), "*"))
    {
        ASSERT_TRUE(WriteAll(path, finding));
        nAccepted += img.Load(PathText(path)) ? 1 : 0;
        ASSERT_NO_FATAL_FAILURE(ExpectConsistent(img, "regression", nCases++));
    }

    const std::vector<Bytes> files = CorpusFiles();
    ASSERT_GE(files.size(), 50u);
    Prng rng(0x5EED0001);
    while (nCases < kCases)
    {
        const Bytes& original = files[rng.Below(files.size())];
        ASSERT_TRUE(WriteAll(path, Mutate(original, 14, rng)));
        const BOOL bLoaded = img.Load(PathText(path));
        EXPECT_TRUE(!bLoaded || img.IsValid()) << "case " << nCases;
        nAccepted += bLoaded ? 1 : 0;
        ASSERT_NO_FATAL_FAILURE(ExpectConsistent(img, "load", nCases++));
    }
    PrintCounts("Load", nCases, nAccepted);
    EXPECT_GT(nAccepted, kCases / 10);
    EXPECT_LT(nAccepted, kCases - kCases / 10);
}

// Random headers, each with exactly the block it describes (header, the table it says, masks
// after a plain header) and a pixel block of the size it says, both ending at a no-access
// page. Large pictures say in biSizeImage that their pixel block is short.
TEST_F(SeededMutation, SetBitmapReadsNothingPastAnHonestBlock)
{
    const int kCases = 20000;
    const DWORD sizes[] = {40, 40, 40, 52, 56, 108, 124, 12, 64, 39};
    const WORD depths[] = {1, 4, 8, 16, 24, 32, 8, 1, 4, 0, 2, 3, 15, 64};
    const DWORD compressions[] = {BI_RGB, BI_RGB, BI_RGB, BI_BITFIELDS, BI_BITFIELDS, BI_RLE8, BI_RLE4, 6, 0x80000000};
    Prng rng(0x5EED0002);
    int nAccepted = 0, nOverruns = 0;
    CDIBSection img;
    for (int i = 0; i < kCases; i++)
    {
        const DWORD biSize = sizes[rng.Below(sizeof(sizes) / sizeof(sizes[0]))];
        const WORD nBits = depths[rng.Below(sizeof(depths) / sizeof(depths[0]))];
        const DWORD nCompression = compressions[rng.Below(sizeof(compressions) / sizeof(compressions[0]))];
        LONG cx = 1 + (LONG)rng.Below(40), cy = 1 + (LONG)rng.Below(30);
        if (rng.OneIn(4))
            cy = -cy;
        if (rng.OneIn(20))
            cx = (LONG)TellingValue(rng, (DWORD)cx, 0);
        if (rng.OneIn(20))
            cy = (LONG)TellingValue(rng, (DWORD)cy, 0);
        const DWORD nFull = nBits <= 8 && nBits != 0 ? 1u << nBits : 0;
        DWORD nClrUsed = 0;
        if (rng.OneIn(2))
            nClrUsed = rng.OneIn(8) ? TellingValue(rng, nFull, 0) : (DWORD)rng.Below(nFull + 1);
        const ULONGLONG nRows = cy < 0 ? (ULONGLONG) - (LONGLONG)cy : (ULONGLONG)cy;
        const ULONGLONG nImage = cx > 0 ? ((((ULONGLONG)cx * nBits + 31) & ~31ull) / 8) * nRows : 0;
        DWORD nSizeImage = 0;
        switch (rng.Below(4))
        {
        case 0: nSizeImage = (DWORD)nImage; break;
        case 1: nSizeImage = (DWORD)rng.Below((size_t)nImage + 1); break;
        case 2: nSizeImage = (DWORD)nImage + (DWORD)rng.Below(64); break;
        default: break;
        }
        // A large picture comes with a short pixel block, and its header says so.
        if (nImage > (1u << 20))
            nSizeImage = 1 + (DWORD)rng.Below(4096);

        // The block as the header describes it: its own biSize bytes, then the table it says
        // (biClrUsed entries, at most the depth's, or the depth's when 0) or the masks.
        Bytes info = InfoHeader(cx, cy, nBits, nCompression, nClrUsed, biSize, nSizeImage);
        const DWORD nEntries = nClrUsed != 0 && nClrUsed < nFull ? nClrUsed : nFull;
        if (nCompression == BI_BITFIELDS)
        {
            const Bytes masks = nBits == 16 ? Dwords({0xF800, 0x07E0, 0x001F}) : Dwords({0xFF0000, 0xFF00, 0xFF});
            if (info.size() == 40)
                info = info + masks;
            else if (info.size() >= 52)
                memcpy(&info[40], masks.data(), masks.size());
        }
        else
        {
            info = info + RandomBytes(4 * (size_t)nEntries, rng);
        }
        const ULONGLONG nBitsBytes = nSizeImage != 0 && nSizeImage < nImage ? nSizeImage : nImage;
        // No picture at all (no width or depth): a token pixel block; such headers are refused.
        const bool bNoPicture = nBitsBytes == 0;
        const Bytes bits = RandomBytes(bNoPicture ? 16 : (size_t)nBitsBytes, rng);

        GuardedBlock guardedInfo(info), guardedBits(bits);
        ASSERT_TRUE(guardedInfo.IsValid() && guardedBits.IsValid());
        const BOOL bTaken = img.SetBitmap((BITMAPINFO*)guardedInfo.Data(), guardedBits.Data());
        if (guardedInfo.Touched() || guardedBits.Touched())
        {
            if (nOverruns++ < 10)
                ADD_FAILURE() << "case " << i << " read past its " << (guardedInfo.Touched() ? "header" : "pixel")
                              << " block: biSize " << biSize << ", " << nBits << " bits, compression " << nCompression
                              << ", " << cx << " x " << cy << ", biClrUsed " << nClrUsed << ", biSizeImage " << nSizeImage;
        }
        EXPECT_EQ(bTaken != FALSE, img.IsValid()) << "case " << i;
        if (!bTaken)
            continue;
        nAccepted++;
        EXPECT_FALSE(bNoPicture) << "case " << i << " took a header without a picture";
        ASSERT_NO_FATAL_FAILURE(ExpectConsistent(img, "SetBitmap", i));
        EXPECT_EQ(CSize(cx, cy < 0 ? -cy : cy), img.GetSize()) << "case " << i;
        // The held table has the described entries, black after them.
        if (nFull != 0 && nCompression == BI_RGB)
            for (DWORD e = 0; e < nFull; e++)
            {
                const DWORD quad = *(const DWORD*)&img.GetColorTable()[e];
                const DWORD expected = e < nEntries ? U32(info, biSize + 4 * e) : 0;
                if (quad != expected)
                {
                    ADD_FAILURE() << "case " << i << ": held entry " << e << " of " << nEntries;
                    break;
                }
            }
    }
    PrintCounts("SetBitmap", kCases, nAccepted);
    EXPECT_EQ(0, nOverruns);
    EXPECT_GT(nAccepted, kCases / 10);
}

// Mutated CF_DIB blocks, from packed DIBs of every depth and the corpus's good files without
// their file header, pasted with GetClipDitheredData into images of several depths. The image
// settings dialog that deep pictures bring is answered with OK as it appears.
TEST_F(SeededMutation, DIBPasteTakesOrRefusesEveryMutatedBlock)
{
    const int kCases = 4000;
    std::vector<Bytes> bases;
    Prng rng(0x5EED0003);
    for (const Bytes& file : ReadFolder(testenv::BmpSuiteDir() + "\\g", "*.bmp"))
        if (file.size() > 54 && file.size() < 40000)
            bases.push_back(Bytes(file.begin() + 14, file.end()));
    struct Shape
    {
        WORD nBits;
        DWORD nCompression, nClrUsed, biSize;
    };
    const Shape shapes[] = {{1, BI_RGB, 0, 40},  {4, BI_RGB, 0, 40},       {8, BI_RGB, 0, 40},  {8, BI_RGB, 3, 40},
                            {16, BI_BITFIELDS, 0, 40}, {24, BI_RGB, 0, 40}, {32, BI_RGB, 0, 40}, {24, BI_RGB, 0, 108},
                            {32, BI_BITFIELDS, 0, 124}, {16, BI_RGB, 0, 40}};
    for (const Shape& s : shapes)
    {
        const int cx = 9, cy = 7;
        const DWORD nFull = s.nBits <= 8 ? 1u << s.nBits : 0;
        const size_t nColourPart = s.nCompression == BI_BITFIELDS ? 12 : 4 * nFull;
        Bytes block = InfoHeader(cx, cy, s.nBits, s.nCompression, s.nClrUsed, s.biSize, 0) +
                      RandomBytes(nColourPart + (size_t)Stride(cx, s.nBits) * cy, rng);
        if (s.nCompression == BI_BITFIELDS)
            memcpy(&block[40], Dwords({0xF800, 0x07E0, 0x001F}).data(), 12);
        bases.push_back(block);
    }
    ASSERT_GE(bases.size(), 15u);

    const int targetDepths[] = {1, 4, 8, 24};
    int nCases = 0, nAccepted = 0;
    ImageSettingsAutoOK autoOK;
    for (int i = 0; i < kCases; i++)
    {
        const Bytes dib = Mutate(bases[rng.Below(bases.size())], 0, rng);
        if (dib.empty())
            continue;   // an empty block cannot be put on the clipboard
        nCases++;
        ASSERT_NO_FATAL_FAILURE(PutDIBOnClipboard(dib));
        const int nTarget = targetDepths[i % 4];
        CDIBSection img;
        ASSERT_TRUE(img.CreateBitmap(12, 10, 1, nTarget));
        const BOOL bPasted = img.GetClipDitheredData(NULL);
        nAccepted += bPasted ? 1 : 0;
        ASSERT_TRUE(img.IsValid()) << "case " << i;
        ASSERT_EQ(CSize(12, 10), img.GetSize()) << "case " << i;
        ASSERT_EQ(nTarget, img.GetBitCount()) << "case " << i;
    }
    printf("[          ] the image settings dialog came %d times\n", ImageSettingsAutoOK::Answers());
    PrintCounts("DIB paste", nCases, nAccepted);
    EXPECT_GT(nAccepted, nCases / 20);
    ASSERT_TRUE(::OpenClipboard(NULL));
    ::EmptyClipboard();
    ::CloseClipboard();
}

// Picture files of every format the picture reader takes, mutated: each either loads as a
// consistent image or is refused with the image left exactly as it was.
TEST_F(SeededMutation, LoadPictureTakesOrRefusesEveryMutatedPicture)
{
    const int kCases = 1500;
    struct Original
    {
        Bytes bytes;
        size_t nInfo;   // where a bitmap file's info header starts; 0 for other formats
    };
    std::vector<Original> originals;
    auto addSample = [&](const BYTE* p, size_t n) { originals.push_back({Bytes(p, p + n), 0}); };
    addSample(picturesamples::kPngRgb, sizeof(picturesamples::kPngRgb));
    addSample(picturesamples::kPngRgba, sizeof(picturesamples::kPngRgba));
    addSample(picturesamples::kPngPalette, sizeof(picturesamples::kPngPalette));
    addSample(picturesamples::kGifTwoFrames, sizeof(picturesamples::kGifTwoFrames));
    addSample(picturesamples::kGifTransparent, sizeof(picturesamples::kGifTransparent));
    addSample(picturesamples::kIcoThreeImages, sizeof(picturesamples::kIcoThreeImages));
    addSample(picturesamples::kTiffTwoPages, sizeof(picturesamples::kTiffTwoPages));
    addSample(picturesamples::kJpegTwoBlocks, sizeof(picturesamples::kJpegTwoBlocks));
    for (const char* pszFile : {"pal8v5.bmp", "pal8v4.bmp", "pal8rle.bmp", "pal4rle.bmp", "pal8os2.bmp", "rgb32bf.bmp",
                                "rgb16-565.bmp"})
    {
        Bytes bytes;
        ASSERT_TRUE(ReadAll(testenv::BmpSuiteDir() + "\\g\\" + pszFile, bytes)) << pszFile;
        originals.push_back({bytes, 14});
    }

    const std::string path = testenv::OutputPath("mutation-picture.bin");
    CDIBSection img;
    ASSERT_TRUE(img.CreateBitmap(5, 3, 1, 24));
    int nCases = 0, nAccepted = 0;
    Prng rng(0x5EED0004);
    while (nCases < kCases)
    {
        const Original& original = originals[rng.Below(originals.size())];
        ASSERT_TRUE(WriteAll(path, Mutate(original.bytes, original.nInfo, rng)));
        const HBITMAP hBefore = img.GetSafeHandle();
        const CSize sizeBefore = img.GetSize();
        const Bytes bitsBefore = img.IsValid() ? Bits(img) : Bytes();
        const BOOL bLoaded = img.LoadPicture(PathText(path), RGB(1, 2, 3), rng.OneIn(4) ? PNT_PICTURE_KEEP_ALPHA : 0);
        if (bLoaded)
        {
            ++nAccepted;
            ASSERT_TRUE(img.IsValid()) << "case " << nCases;
            ASSERT_NO_FATAL_FAILURE(ExpectConsistent(img, "picture", nCases));
        }
        else
        {
            ASSERT_EQ(hBefore, img.GetSafeHandle()) << "case " << nCases;
            ASSERT_EQ(sizeBefore, img.GetSize()) << "case " << nCases;
            ASSERT_TRUE(bitsBefore == Bits(img)) << "case " << nCases;
        }
        ++nCases;
    }
    PrintCounts("LoadPicture", nCases, nAccepted);
    EXPECT_GT(nAccepted, kCases / 20);
    EXPECT_LT(nAccepted, kCases - kCases / 20);
}
