// CDIBSection::LoadPicture and SavePicture: small files of every format, made byte by byte
// (PictureSamples.h), give the pixels they were made from; the BMP corpus's good files give
// their reference pictures whatever their header or compression; refused files leave the
// image exactly as it was; written PNG and bitmap files read back equal, and a failed write
// keeps the file it would have replaced.
#include "BmpCorpus.h"
#include "ImageTestSupport.h"
#include "PictureSamples.h"
#include "common/TestEnvironment.h"
#include <gtest/gtest.h>
#include <math.h>
#include <stdlib.h>
#include <algorithm>
#include <sstream>

using namespace imagetest;
using picturesamples::Rgba;

namespace
{
const COLORREF kBackground = RGB(10, 200, 40);

template <size_t N>
std::string WriteSample(const char* pszName, const BYTE (&bytes)[N])
{
    const std::string path = testenv::OutputPath(pszName);
    EXPECT_TRUE(WriteAll(path, Bytes(bytes, bytes + N)));
    return path;
}

// A straight-alpha colour over the background, worked out in floating point.
BYTE Over(BYTE c, BYTE bg, BYTE a)
{
    return (BYTE)floor((c * a + bg * (255.0 - a)) / 255.0 + 0.5);
}

COLORREF Composed(const Rgba& p, COLORREF bg)
{
    return RGB(Over(p.r, GetRValue(bg), p.a), Over(p.g, GetGValue(bg), p.a), Over(p.b, GetBValue(bg), p.a));
}

bool Near(COLORREF a, COLORREF b, int tolerance)
{
    return abs(GetRValue(a) - GetRValue(b)) <= tolerance && abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

// Every pixel of the image against the expected colours, top row first.
void ExpectPixels(CDIBSection& img, const std::vector<COLORREF>& expected, int tolerance = 0)
{
    ASSERT_EQ(expected.size(), (size_t)img.GetWidth() * img.GetHeight());
    for (int y = 0; y < img.GetHeight(); y++)
        for (int x = 0; x < img.GetWidth(); x++)
        {
            const COLORREF want = expected[(size_t)y * img.GetWidth() + x], got = PixelColour(img, x, y);
            EXPECT_TRUE(Near(got, want, tolerance))
                << "pixel " << x << "," << y << ": " << std::hex << got << " instead of " << want;
        }
}

template <size_t N>
std::vector<COLORREF> Opaque(const Rgba (&pixels)[N])
{
    std::vector<COLORREF> colours;
    for (const Rgba& p : pixels)
        colours.push_back(RGB(p.r, p.g, p.b));
    return colours;
}

template <size_t N>
std::vector<COLORREF> OverBackground(const Rgba (&pixels)[N], COLORREF bg)
{
    std::vector<COLORREF> colours;
    for (const Rgba& p : pixels)
        colours.push_back(Composed(p, bg));
    return colours;
}

// What a refused load must not touch: the section, its header and every byte of its bits.
struct ImageState
{
    HBITMAP hBitmap;
    CSize size;
    int nBits;
    Bytes bits;
    explicit ImageState(CDIBSection& img)
        : hBitmap(img.GetSafeHandle()), size(img.GetSize()), nBits(img.GetBitCount()),
          bits(img.IsValid() ? Bits(img) : Bytes())
    {
    }
    bool Same(CDIBSection& img) const
    {
        return hBitmap == img.GetSafeHandle() && size == img.GetSize() && nBits == img.GetBitCount() &&
               bits == (img.IsValid() ? Bits(img) : Bytes());
    }
};

// The CRC-32 of PNG chunks (polynomial 0xEDB88320), bit by bit.
DWORD Crc32(const BYTE* p, size_t n)
{
    DWORD crc = 0xFFFFFFFF;
    for (size_t i = 0; i < n; i++)
    {
        crc ^= p[i];
        for (int k = 0; k < 8; k++)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

void PutBigEndian(Bytes& b, size_t at, DWORD v)
{
    for (int i = 0; i < 4; i++)
        b[at + i] = (BYTE)(v >> (24 - 8 * i));
}

DWORD BigEndian(const Bytes& b, size_t at)
{
    return (DWORD)b[at] << 24 | (DWORD)b[at + 1] << 16 | (DWORD)b[at + 2] << 8 | b[at + 3];
}

// Noise: no compressor makes these pixels much smaller.
void MakePattern(CDIBSection& img, int cx, int cy, int nSeed)
{
    ASSERT_TRUE(img.CreateBitmap(cx, cy, 1, 24));
    DWORD state = 0x9E3779B9u * (DWORD)(nSeed + 1);
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x)
        {
            state ^= state << 13;
            state ^= state >> 17;
            state ^= state << 5;
            SetRawPixel(img, x, y, state & 0xFFFFFF);
        }
}
}

// --- Reading each format ------------------------------------------------------------------------

TEST(PictureFileRead, PngTrueColourGivesItsPixels)
{
    CDIBSection img;
    ASSERT_TRUE(img.LoadPicture(PathText(WriteSample("picture-rgb.png", picturesamples::kPngRgb))));
    EXPECT_EQ(CSize(3, 2), img.GetSize());
    EXPECT_EQ(24, img.GetBitCount());
    ExpectPixels(img, Opaque(picturesamples::kPngRgbPixels));
}

TEST(PictureFileRead, PngAlphaIsComposedOverTheBackground)
{
    CDIBSection img;
    ASSERT_TRUE(img.LoadPicture(PathText(WriteSample("picture-rgba.png", picturesamples::kPngRgba)), kBackground));
    EXPECT_EQ(24, img.GetBitCount());
    ExpectPixels(img, OverBackground(picturesamples::kPngRgbaPixels, kBackground), 1);
    // The see-through pixel is the background itself.
    EXPECT_EQ(kBackground, PixelColour(img, 2, 0));
}

TEST(PictureFileRead, PngAlphaIsKeptWhenAskedFor)
{
    CDIBSection img;
    ASSERT_TRUE(img.LoadPicture(PathText(WriteSample("picture-rgba-kept.png", picturesamples::kPngRgba)), kBackground,
                                PNT_PICTURE_KEEP_ALPHA));
    ASSERT_EQ(32, img.GetBitCount());
    for (int x = 0; x < 4; x++)
    {
        const Rgba& p = picturesamples::kPngRgbaPixels[x];
        const DWORD expected = (DWORD)p.a << 24 | (DWORD)p.r << 16 | (DWORD)p.g << 8 | p.b;
        EXPECT_EQ(expected, RawPixel(img, x, 0)) << "pixel " << x;
    }
}

TEST(PictureFileRead, PngPaletteKeepsItsDepthAndColours)
{
    CDIBSection img;
    ASSERT_TRUE(img.LoadPicture(PathText(WriteSample("picture-palette.png", picturesamples::kPngPalette))));
    EXPECT_EQ(CSize(4, 2), img.GetSize());
    ASSERT_EQ(8, img.GetBitCount());
    ExpectPixels(img, Opaque(picturesamples::kPngPalettePixels));
    // The indices are the file's: 0 1 2 3 over 4 3 2 1.
    EXPECT_EQ((std::vector<DWORD>{0, 1, 2, 3, 4, 3, 2, 1}), RawPixels(img));
}

// The first frame of a GIF, a GIF's transparent colour over the background, the largest image
// of an icon file and the first page of a TIFF.
TEST(PictureFileRead, GifIconAndTiffGiveTheirPictureOfChoice)
{
    using namespace picturesamples;
    struct Case
    {
        const char* pszWhat;
        std::string path;
        CSize size;
        std::vector<COLORREF> expected;
    } cases[] = {
        { "GIF frames", WriteSample("picture-frames.gif", kGifTwoFrames), CSize(3, 2), Opaque(kGifTwoFramesPixels) },
        { "GIF transparent", WriteSample("picture-transparent.gif", kGifTransparent), CSize(3, 2),
          OverBackground(kGifTransparentPixels, kBackground) },
        { "icons", WriteSample("picture-icons.ico", kIcoThreeImages), CSize(4, 4),
          OverBackground(kIcoLargestPixels, kBackground) },
        { "TIFF pages", WriteSample("picture-pages.tif", kTiffTwoPages), CSize(3, 2), Opaque(kTiffFirstPagePixels) },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszWhat);
        CDIBSection img;
        ASSERT_TRUE(img.LoadPicture(PathText(c.path), kBackground));
        EXPECT_EQ(c.size, img.GetSize());
        ExpectPixels(img, c.expected);
    }
}

TEST(PictureFileRead, JpegGivesItsColoursWithinRounding)
{
    CDIBSection img;
    ASSERT_TRUE(img.LoadPicture(PathText(WriteSample("picture-blocks.jpg", picturesamples::kJpegTwoBlocks))));
    ASSERT_EQ(CSize(16, 8), img.GetSize());
    // Each 8 x 8 block is one YCbCr colour (see the sample), turned into RGB as JFIF says.
    const double ycc[2][3] = {{150, 90, 200}, {60, 170, 100}};
    std::vector<COLORREF> expected;
    for (int y = 0; y < 8; y++)
        for (int x = 0; x < 16; x++)
        {
            const double* c = ycc[x / 8];
            auto clamp = [](double v) { return (BYTE)(v < 0 ? 0 : v > 255 ? 255 : floor(v + 0.5)); };
            expected.push_back(RGB(clamp(c[0] + 1.402 * (c[2] - 128)),
                                   clamp(c[0] - 0.344136 * (c[1] - 128) - 0.714136 * (c[2] - 128)),
                                   clamp(c[0] + 1.772 * (c[1] - 128))));
        }
    ExpectPixels(img, expected, 3);
}

// --- Refusals -----------------------------------------------------------------------------------

TEST(PictureFileRead, FilesThatCannotBeReadLeaveTheImageAsItWas)
{
    CDIBSection img;
    MakePattern(img, 7, 5, 1);
    const ImageState before(img);

    const Bytes png(picturesamples::kPngRgb, picturesamples::kPngRgb + sizeof(picturesamples::kPngRgb));
    const Bytes jpeg(picturesamples::kJpegTwoBlocks, picturesamples::kJpegTwoBlocks + sizeof(picturesamples::kJpegTwoBlocks));
    Bytes corruptPixels = png;
    corruptPixels[corruptPixels.size() - 20] ^= 0x55;   // inside the compressed pixels
    const struct
    {
        const char* pszWhat;
        Bytes bytes;
    } cases[] = {
        {"empty file", Bytes()},
        {"text", Bytes{'h', 'e', 'l', 'l', 'o'}},
        {"PNG cut after its header", Bytes(png.begin(), png.begin() + 33)},
        {"PNG with damaged pixels", corruptPixels},
        {"JPEG cut in its data", Bytes(jpeg.begin(), jpeg.end() - 8)},
    };
    const std::string path = testenv::OutputPath("picture-refused.bin");
    for (const auto& c : cases)
    {
        ASSERT_TRUE(WriteAll(path, c.bytes));
        EXPECT_FALSE(img.LoadPicture(PathText(path))) << c.pszWhat;
        EXPECT_TRUE(before.Same(img)) << c.pszWhat;
    }
    EXPECT_FALSE(img.LoadPicture(PathText(testenv::OutputPath("no-such-picture.png"))));
    EXPECT_FALSE(img.LoadPicture(NULL));
    EXPECT_TRUE(before.Same(img));
}

TEST(PictureFileRead, AbsurdSizesAreRefusedBeforeAnythingIsAllocated)
{
    // A PNG header that claims 60000 x 60000 pixels (over 13 GB at 32 bits), checksum made good.
    Bytes png(picturesamples::kPngRgb, picturesamples::kPngRgb + sizeof(picturesamples::kPngRgb));
    PutBigEndian(png, 16, 60000);
    PutBigEndian(png, 20, 60000);
    PutBigEndian(png, 29, Crc32(&png[12], 17));   // over "IHDR" and its 13 bytes
    CDIBSection img;
    MakePattern(img, 4, 4, 2);
    const ImageState before(img);
    const std::string path = testenv::OutputPath("picture-huge.png");
    ASSERT_TRUE(WriteAll(path, png));
    EXPECT_FALSE(img.LoadPicture(PathText(path)));
    EXPECT_TRUE(before.Same(img));
}

// --- The BMP corpus -----------------------------------------------------------------------------

class PictureFileCorpus : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (testenv::BmpSuiteDir().empty())
            GTEST_SKIP() << "BMP corpus not configured: MFCPAINT_BMPSUITE is empty (scripts/test.sh sets it)";
        m_entries = bmpcorpus::ReadManifest();
        ASSERT_FALSE(m_entries.empty()) << "no manifest.tsv in " << testenv::BmpSuiteDir();
    }
    std::vector<bmpcorpus::ManifestEntry> m_entries;
};

TEST_F(PictureFileCorpus, EveryGoodBitmapLoadsAsItsReferencePicture)
{
    int nChecked = 0;
    std::string kinds;
    for (const bmpcorpus::ManifestEntry& e : m_entries)
    {
        if (e.file.compare(0, 2, "g/") != 0)
            continue;
        SCOPED_TRACE(e.file);
        CDIBSection img;
        if (!img.LoadPicture(PathText(bmpcorpus::CorpusPath(e.file))))
        {
            ADD_FAILURE() << "refused";
            continue;
        }
        ASSERT_EQ(CSize(e.width, labs(e.height)), img.GetSize());

        // Stretched references of non-square pixels have an "-e" twin that holds them as stored.
        std::string reference = e.reference;
        if (reference.size() > 6 && reference.compare(reference.size() - 6, 6, "-v.ppm") == 0)
            reference.replace(reference.size() - 6, 6, "-e.ppm");
        int width = 0, height = 0;
        std::vector<COLORREF> ppm;
        ASSERT_TRUE(bmpcorpus::ReadPpm(bmpcorpus::CorpusPath(reference), width, height, ppm)) << reference;
        ASSERT_EQ(CSize(width, height), img.GetSize());
        // Five- and six-bit fields may be widened to eight bits otherwise than the reference did.
        ExpectPixels(img, ppm, e.bitCount == 16 ? 8 : 0);
        ++nChecked;
        kinds += " " + std::to_string(e.headerSize) + "/" + std::to_string(e.compression);
    }
    EXPECT_GE(nChecked, 27);
    // Core, V3, V4 and V5 headers; RLE8, RLE4 and bit fields among them.
    for (const char* pszKind : {" 12/0", " 40/0", " 108/0", " 124/0", " 40/1", " 40/2", " 40/3"})
        EXPECT_NE(std::string::npos, kinds.find(pszKind)) << pszKind;
}

TEST_F(PictureFileCorpus, BadBitmapsAreRefusedAndLeaveTheImageAsItWas)
{
    CDIBSection img;
    MakePattern(img, 9, 4, 3);
    std::string accepted;
    int nRefused = 0;
    for (const bmpcorpus::ManifestEntry& e : m_entries)
    {
        if (e.file.compare(0, 2, "b/") != 0)
            continue;
        const ImageState before(img);
        if (img.LoadPicture(PathText(bmpcorpus::CorpusPath(e.file))))
        {
            accepted += " " + e.file;
            MakePattern(img, 9, 4, 3);
            continue;
        }
        ++nRefused;
        EXPECT_TRUE(before.Same(img)) << e.file;
    }
    EXPECT_EQ("", accepted);
    EXPECT_GE(nRefused, 15);
}

// --- Writing ------------------------------------------------------------------------------------

TEST(PictureFileWrite, PngOfATrueColourImageReadsBackEqual)
{
    CDIBSection img, back;
    MakePattern(img, 33, 7, 4);
    const std::string path = testenv::OutputPath("written-24.png");
    ASSERT_TRUE(img.SavePicture(PathText(path)));

    // A PNG file of the image's size: signature, then IHDR with the width and height.
    Bytes bytes;
    ASSERT_TRUE(ReadAll(path, bytes));
    ASSERT_GT(bytes.size(), 33u);
    EXPECT_EQ(Bytes({0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}), Bytes(bytes.begin(), bytes.begin() + 8));
    EXPECT_EQ(Bytes({'I', 'H', 'D', 'R'}), Bytes(bytes.begin() + 12, bytes.begin() + 16));
    EXPECT_EQ(33u, BigEndian(bytes, 16));
    EXPECT_EQ(7u, BigEndian(bytes, 20));

    ASSERT_TRUE(back.LoadPicture(PathText(path)));
    ASSERT_EQ(img.GetSize(), back.GetSize());
    ASSERT_EQ(24, back.GetBitCount());
    EXPECT_EQ(RawPixels(img), RawPixels(back));
}

TEST(PictureFileWrite, PngOfAPaletteImageKeepsItsColours)
{
    CDIBSection img, back;
    LogPalette256 palette = MakeLogPalette(16, 30);
    ASSERT_TRUE(img.CreateBitmap(6, 3, 1, 4, NULL, palette.Get()));
    for (int y = 0; y < 3; y++)
        for (int x = 0; x < 6; x++)
            SetRawPixel(img, x, y, (DWORD)(x * 3 + y * 5) % 16);
    const std::string path = testenv::OutputPath("written-4.png");
    ASSERT_TRUE(img.SavePicture(PathText(path), PNT_PICTURE_PNG));
    ASSERT_TRUE(back.LoadPicture(PathText(path)));
    std::vector<COLORREF> expected;
    for (int y = 0; y < 3; y++)
        for (int x = 0; x < 6; x++)
            expected.push_back(EntryColour(palette.pe[(x * 3 + y * 5) % 16]));
    ExpectPixels(back, expected);
}

TEST(PictureFileWrite, PngKeepsTheAlphaByteWhenAskedFor)
{
    CDIBSection img, back;
    ASSERT_TRUE(img.CreateBitmap(5, 2, 1, 32));
    for (int y = 0; y < 2; y++)
        for (int x = 0; x < 5; x++)
            SetRawPixel(img, x, y, (DWORD)(x * 60) << 24 | (DWORD)(x * 40 + y) << 16 | (DWORD)(200 - x) << 8 | (DWORD)(y * 90));
    const std::string path = testenv::OutputPath("written-alpha.png");
    ASSERT_TRUE(img.SavePicture(PathText(path), PNT_PICTURE_FROM_EXTENSION, PNT_PICTURE_KEEP_ALPHA));
    ASSERT_TRUE(back.LoadPicture(PathText(path), kBackground, PNT_PICTURE_KEEP_ALPHA));
    ASSERT_EQ(32, back.GetBitCount());
    EXPECT_EQ(RawPixels(img), RawPixels(back));
}

TEST(PictureFileWrite, BitmapFileHoldsTheImageBytes)
{
    CDIBSection img, back;
    MakePattern(img, 5, 3, 5);
    const std::string path = testenv::OutputPath("written.bmp");
    ASSERT_TRUE(img.SavePicture(PathText(path)));
    Bytes bytes;
    ASSERT_TRUE(ReadAll(path, bytes));
    // "BM", a 40-byte header, 24 bits, rows of 15 bytes padded to 16, bottom row first.
    const int nStride = 16;
    ASSERT_EQ(58u + nStride * 3, bytes.size());
    EXPECT_EQ('B', bytes[0]);
    EXPECT_EQ('M', bytes[1]);
    EXPECT_EQ(58u, U32(bytes, kBfOffBits));
    EXPECT_EQ(40u, U32(bytes, kBiSize));
    EXPECT_EQ(5u, U32(bytes, kBiWidth));
    EXPECT_EQ(3u, U32(bytes, kBiHeight));
    EXPECT_EQ(24, bytes[kBiBitCount]);
    for (int y = 0; y < 3; y++)
        for (int x = 0; x < 5; x++)
            EXPECT_EQ(RawPixel(img, x, y), RowPixel(&bytes[58 + (size_t)nStride * (2 - y)], x, 24)) << x << "," << y;
    ASSERT_TRUE(back.LoadPicture(PathText(path)));
    EXPECT_EQ(RawPixels(img), RawPixels(back));
}

TEST(PictureFileWrite, UnknownFormatsAndEmptyImagesAreRefused)
{
    CDIBSection img, empty;
    MakePattern(img, 2, 2, 6);
    EXPECT_FALSE(img.SavePicture(PathText(testenv::OutputPath("written.gif"))));
    EXPECT_FALSE(img.SavePicture(PathText(testenv::OutputPath("written-no-extension"))));
    EXPECT_FALSE(empty.SavePicture(PathText(testenv::OutputPath("written-empty.png"))));
    EXPECT_FALSE(img.SavePicture(NULL));
    // The named format wins over the extension.
    const std::string path = testenv::OutputPath("written-png.dat");
    ASSERT_TRUE(img.SavePicture(PathText(path), PNT_PICTURE_PNG));
    Bytes bytes;
    ASSERT_TRUE(ReadAll(path, bytes));
    ASSERT_GT(bytes.size(), 8u);
    EXPECT_EQ('P', bytes[1]);
}

TEST(PictureFileWrite, AWriteIntoAMissingFolderGivesFalse)
{
    CDIBSection img;
    MakePattern(img, 4, 4, 7);
    EXPECT_FALSE(img.SavePicture(PathText(testenv::OutputPath("no-such-folder\\picture.png"))));
    EXPECT_FALSE(img.SavePicture(PathText(testenv::OutputPath("no-such-folder\\picture.bmp"))));
}

// The test script mounts a small volume and names it in MFCPAINT_FULLDISK.
TEST(PictureFileWrite, AFullDiskGivesFalseAndKeepsTheOldFile)
{
    const char* pszVolume = getenv("MFCPAINT_FULLDISK");
    if (pszVolume == NULL || *pszVolume == 0)
        GTEST_SKIP() << "no small volume was mounted for this run";
    const std::string folder = std::string(pszVolume) + "\\full-picture";
    ::CreateDirectoryA(folder.c_str(), NULL);
    const std::string filler = std::string(pszVolume) + "\\filler-picture";
    ::DeleteFileA(filler.c_str());

    CDIBSection oldPicture, newPicture;
    MakePattern(oldPicture, 20, 20, 8);
    MakePattern(newPicture, 200, 200, 9);   // noise: its PNG is far larger than what is left
    for (const char* pszName : {"picture.png", "picture.bmp"})
    {
        SCOPED_TRACE(pszName);
        const std::string target = folder + "\\" + pszName;
        ASSERT_TRUE(oldPicture.SavePicture(PathText(target)));
        Bytes oldBytes, now;
        ASSERT_TRUE(ReadAll(target, oldBytes));

        ULARGE_INTEGER free = {};
        ASSERT_TRUE(::GetDiskFreeSpaceExA(folder.c_str(), &free, NULL, NULL));
        ASSERT_GT(free.QuadPart, 16384u);
        ASSERT_TRUE(WriteAll(filler, Bytes((size_t)(free.QuadPart - 16384), 0x5A)));

        EXPECT_FALSE(newPicture.SavePicture(PathText(target)));
        ASSERT_TRUE(ReadAll(target, now));
        EXPECT_TRUE(now == oldBytes) << "the old file changed on a full disk";

        ASSERT_TRUE(::DeleteFileA(filler.c_str()));
        EXPECT_TRUE(newPicture.SavePicture(PathText(target)));
        ::DeleteFileA(target.c_str());
    }
}
