// The image class's life cycle: creating, taking over packed DIBs and bitmaps, copying,
// resizing, pixel access, the lent memory DC, dithering and the per-thread OLE set-up.
// Expectations come from the DIB bits and GDI's own view of the section.
#include "common/TestEnvironment.h"
#include "ImageTestSupport.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <string.h>
#include <thread>

using namespace imagetest;

namespace
{
// Exposes the protected state that these tests observe.
class CProbeDIB : public CDIBSection
{
public:
    using CDIBSection::GetDrawDibContext;
    BOOL OleInitialized() const { return m_bOleInitialized; }
    CStringArray* ColorArray() const { return m_pColorArray; }
};

// The height that GDI itself holds for the section: positive for bottom-up rows.
LONG SectionHeight(HBITMAP hBitmap)
{
    DIBSECTION ds = {};
    ::GetObject(hBitmap, sizeof(ds), &ds);
    return ds.dsBmih.biHeight;
}

// A packed DIB built by hand: header, room for a colour table or masks, then the bits.
struct PackedDIB
{
    Bytes info, bits;
    PackedDIB(int nWidth, int nHeight, int nBits)
        : info(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD), 0), bits((size_t)Stride(nWidth, nBits) * abs(nHeight), 0)
    {
        Header() = {sizeof(BITMAPINFOHEADER), nWidth, nHeight, 1, (WORD)nBits, BI_RGB, 0, 0, 0, 0, 0};
    }
    BITMAPINFOHEADER& Header() { return *(BITMAPINFOHEADER*)info.data(); }
    BITMAPINFO* Info() { return (BITMAPINFO*)info.data(); }
    DWORD* Colours() { return (DWORD*)(info.data() + sizeof(BITMAPINFOHEADER)); }
    BYTE* Row(int nRow) { return bits.data() + (size_t)nRow * Stride(Header().biWidth, Header().biBitCount); }
};

// Up to 60 KB that end right before an inaccessible page: touching one byte past them faults.
struct CGuardedBlock
{
    BYTE* pBase;
    BYTE* pData;
    explicit CGuardedBlock(size_t nBytes) : pBase((BYTE*)VirtualAlloc(NULL, 65536, MEM_COMMIT, PAGE_READWRITE))
    {
        DWORD dwOld;
        VirtualProtect(pBase + 61440, 4096, PAGE_NOACCESS, &dwOld);
        pData = pBase + 61440 - nBytes;
    }
    ~CGuardedBlock() { VirtualFree(pBase, 0, MEM_RELEASE); }
};

// Entry i of the held table of a fresh image with n entries: the 2-, 16- or 256-colour
// standard palette (a 3-bit image takes the first eight of the sixteen).
COLORREF StdColour(int n, int i)
{
    return EntryColour(CDIBSection::ms_StdColors[n == 2 ? i * 255 : (n <= 16 && i >= 8) ? 240 + i : i]);
}
}

TEST(DIBSectionLifeCycle, EmptyObjectsRefuseEverythingAndDeleteObjectEmptiesTheImage)
{
    CProbeDIB empty, dib, dest;
    CDIBSection* volatile pNull = nullptr;
    EXPECT_EQ((HBITMAP)NULL, pNull->GetSafeHandle());
    CObject* pObject = RUNTIME_CLASS(CDIBSection)->CreateObject();
    EXPECT_STREQ("CDIBSection", pObject->GetRuntimeClass()->m_lpszClassName);
    delete pObject;

    // Every operation of an empty object fails without touching anything.
    ASSERT_TRUE(dest.CreateBitmap(8, 8, 1, 24));
    CDC* pDC = dest.GetMemoryDC();
    HBITMAP hMask = ::CreateBitmap(8, 8, 1, 1, NULL);
    CRect rc(0, 0, 4, 4);
    RGBQUAD colours[2] = {};
    EXPECT_FALSE(empty.IsValid());
    EXPECT_EQ(0u, empty.GetPixel(0, 0));
    EXPECT_FALSE(empty.SetPixel(0, 0, RGB(1, 1, 1)));
    EXPECT_EQ(nullptr, empty.GetMemoryDC());
    EXPECT_FALSE(empty.DrawPoint(CPoint(1, 1), 3, RGB(1, 1, 1)));
    EXPECT_FALSE(empty.DrawLine(CPoint(0, 0), CPoint(3, 3), 1, RGB(1, 1, 1)));
    EXPECT_FALSE(empty.DrawRectangle(CPoint(0, 0), CPoint(3, 3), 1, RGB(1, 1, 1), TRUE, TRUE));
    EXPECT_FALSE(empty.DrawEllipse(CPoint(0, 0), CPoint(3, 3), 2, RGB(1, 1, 1), FALSE));
    EXPECT_FALSE(empty.DrawText(_T("x"), rc, DT_LEFT, RGB(1, 1, 1)));
    EXPECT_FALSE(empty.FloodFill(CPoint(0, 0), RGB(1, 1, 1)));
    EXPECT_FALSE(empty.Clear() || empty.ClearRect(&rc));
    EXPECT_FALSE(empty.Draw(pDC, CPoint(0, 0)) || empty.Stretch(pDC, CPoint(0, 0), CSize(8, 8)));
    EXPECT_FALSE(empty.DrawTransparent(pDC, CPoint(0, 0), RGB(1, 1, 1)) || empty.DrawTransparent(pDC, CPoint(0, 0), hMask));
    EXPECT_FALSE(empty.StretchTransparent(pDC, CPoint(0, 0), CSize(8, 8), RGB(1, 1, 1)));
    EXPECT_FALSE(empty.StretchTransparent(pDC, CPoint(0, 0), CSize(8, 8), hMask));
    EXPECT_FALSE(empty.SetColorTable(2, colours));
    EXPECT_EQ(nullptr, empty.GetLogPalette());
    ASSERT_TRUE(dib.CreateBitmap(3, 3, 1, 8));
    EXPECT_FALSE(dib.Copy(empty) || dib.IsValid());   // nor does the image it was copied into keep anything
    const std::string path = testenv::OutputPath("empty.bmp");
    DeleteFileA(path.c_str());
    EXPECT_FALSE(empty.Save(PathText(path)));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(path.c_str()));
    EXPECT_FALSE(CDIBSection::UsesPalette(NULL));
    ::DeleteObject(hMask);

    // DeleteObject frees the section and zeroes header and table, but keeps the borrowed array.
    CStringArray array;
    ASSERT_TRUE(dib.CreateBitmap(3, 3, 1, 8, NULL, NULL, &array));
    HBITMAP hBitmap = dib;
    dib.DeleteObject();
    EXPECT_FALSE(dib.IsValid());
    EXPECT_EQ(0u, GetObjectType(hBitmap));
    EXPECT_EQ(0, dib.GetColorTableSize());
    EXPECT_EQ((HGDIOBJ)NULL, dib.GetPalette()->GetSafeHandle());
    EXPECT_EQ(&array, dib.ColorArray());
    const BYTE* pInfo = (const BYTE*)dib.GetBitmapInfo();
    EXPECT_EQ(1064, std::count(pInfo, pInfo + 1064, 0));
}

TEST(DIBSectionLifeCycle, OleIsInitialisedPerObjectBalancedAndItsFailureReported)
{
    std::thread([] {
        {
            CProbeDIB first, second;   // S_FALSE the second time still needs its own uninitialise
            EXPECT_TRUE(first.OleInitialized() && second.OleInitialized());
        }
        EXPECT_EQ(S_OK, OleInitialize(NULL));   // both undid theirs
        OleUninitialize();
        AfxGetThreadState()->m_bNeedTerm = TRUE;   // as after AfxOleInit
        {
            CProbeDIB dib;
            EXPECT_FALSE(dib.OleInitialized());
            EXPECT_EQ(S_OK, OleInitialize(NULL));
            OleUninitialize();
        }
        AfxGetThreadState()->m_bNeedTerm = FALSE;
    }).join();

    testenv::ClearMessageBoxTexts();
    std::thread([] {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(NULL, COINIT_MULTITHREADED)));
        {
            CProbeDIB dib;   // OLE needs a single-threaded apartment
            EXPECT_FALSE(dib.OleInitialized());
            EXPECT_TRUE(dib.CreateBitmap(4, 4, 1, 24));
        }
        CoUninitialize();
    }).join();
    EXPECT_EQ(std::vector<std::string>{"OLE initialization failed. Make sure that the OLE libraries are the correct version"},
              testenv::MessageBoxTexts());
    testenv::ClearMessageBoxTexts();
}

TEST(DIBSectionCreate, EveryDepthGivesAWhiteBottomUpImageWithItsTable)
{
    // Bits asked, bits stored, table entries, palette entries.
    const int cases[][4] = {{1, 1, 2, 2},      {3, 4, 8, 16},     {4, 4, 16, 16},   {8, 8, 256, 256},
                            {16, 16, 0, 256}, {24, 24, 0, 256}, {32, 32, 0, 256}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c[0]);
        CDIBSection dib;
        dib.SetDither(TRUE);
        ASSERT_TRUE(dib.CreateBitmap(13, 7, 1, c[0]));
        EXPECT_EQ(CSize(13, 7), dib.GetSize());
        EXPECT_EQ(c[1], dib.GetBitCount());
        EXPECT_EQ(7, SectionHeight(dib));
        EXPECT_EQ(c[2], dib.GetColorTableSize());
        EXPECT_EQ(c[3], dib.GetPalette()->GetEntryCount());
        EXPECT_FALSE(dib.GetDither());

        // The held table is the standard palette cut to size, zero beyond; the section's own
        // table starts with it (GDI may pad a short table up to the full size).
        for (int i = 0; i < 256; i++)
            ASSERT_EQ(i < c[2] ? StdColour(c[2], i) : 0, QuadColour(dib.GetColorTable()[i])) << i;
        const std::vector<RGBQUAD> table = SectionColourTable(dib);
        ASSERT_GE(table.size(), (size_t)c[2]);
        EXPECT_EQ(0, memcmp(table.data(), dib.GetColorTable(), c[2] * sizeof(RGBQUAD)));

        // The eight colours of a 3-bit image have no white: silver is the nearest.
        for (int y = 0; y < 7; y++)
            for (int x = 0; x < 13; x++)
                ASSERT_EQ(c[0] == 3 ? RGB(192, 192, 192) : RGB(255, 255, 255), PixelColour(dib, x, y)) << x << "," << y;
    }
}

TEST(DIBSectionCreate, CallerRowsComeBottomRowFirstAndBadSizesAreRefused)
{
    // The first row of the caller's block is the picture's bottom row.
    Bytes bits(Stride(3, 24) * 4, 0);
    bits[2] = 255;
    CProbeDIB dib;
    CStringArray colours;
    ASSERT_TRUE(dib.CreateBitmap(3, 4, 1, 24, bits.data(), NULL, &colours));
    EXPECT_EQ(&colours, dib.ColorArray());
    EXPECT_EQ(RGB(255, 0, 0), dib.GetPixel(0, 3));
    EXPECT_EQ(RGB(0, 0, 0), dib.GetPixel(0, 0));

    const int bad[][3] = {{0, 5, 24}, {5, 0, 24}, {-5, 5, 24}, {5, -5, 24},
                          {5, 5, 2},  {5, 5, 0},  {5, 5, 64},  {100000, 100000, 32}};
    for (const auto& b : bad)
    {
        ASSERT_TRUE(dib.CreateBitmap(4, 4, 1, 8));
        EXPECT_FALSE(dib.CreateBitmap(b[0], b[1], 1, b[2])) << b[0] << "x" << b[1] << "x" << b[2];
        EXPECT_FALSE(dib.IsValid());   // the previous image is gone too
        EXPECT_EQ(0, dib.GetColorTableSize());
    }
}

TEST(DIBSectionSetPacked, KeepsHeaderTableAndBitsAndReadsTheTableAfterLongerHeaders)
{
    PackedDIB src(5, 3, 8);
    for (int i = 0; i < 256; i++)
        src.Colours()[i] = (DWORD)(i * 0x010203);
    for (size_t i = 0; i < src.bits.size(); i++)
        src.bits[i] = (BYTE)(i * 7);
    src.Header().biXPelsPerMeter = 2835;
    CDIBSection dib;
    ASSERT_TRUE(dib.SetBitmap(src.Info(), src.bits.data()));
    EXPECT_EQ(256, dib.GetColorTableSize());
    EXPECT_EQ(2835, dib.GetBitmapInfoHeader()->biXPelsPerMeter);
    EXPECT_EQ((DWORD)src.bits.size(), dib.GetImageSize());
    EXPECT_EQ(0, memcmp(src.Colours(), dib.GetColorTable(), 256 * sizeof(RGBQUAD)));
    EXPECT_EQ(src.bits, Bits(dib));
    EXPECT_EQ(RGB(9, 18, 27), PaletteColours(dib.GetPalette())[9]);

    // A V4 header: the colour table starts after its 108 bytes; only 40 bytes are kept.
    Bytes v4(sizeof(BITMAPV4HEADER), 0);
    *(BITMAPINFOHEADER*)v4.data() = {sizeof(BITMAPV4HEADER), 8, 1, 1, 1, BI_RGB, 0, 0, 0, 0, 0};
    v4 = v4 + Dwords({0x0000FF, 0x00FFFF}) + Bytes(4, 0x0F);   // blue, cyan; the bits
    ASSERT_TRUE(dib.SetBitmap((BITMAPINFO*)v4.data(), &v4[v4.size() - 4]));
    EXPECT_EQ(40u, dib.GetBitmapInfoHeader()->biSize);
    EXPECT_EQ(RGB(0, 0, 255), dib.GetPixel(0, 0));
    EXPECT_EQ(RGB(0, 255, 255), dib.GetPixel(7, 0));
}

TEST(DIBSectionSetPacked, StoresTopDownRowsBottomUpAndCopiesNoMoreThanEitherSide)
{
    const int w = 3, h = 4, nStride = Stride(w, 24), nBytes = nStride * h;
    PackedDIB src(w, -h, 24);
    for (int r = 0; r < h; r++)
        memset(src.Row(r), 10 * (r + 1), nStride);   // memory row r is picture row r
    CDIBSection dib;
    dib.SetDither(TRUE);
    ASSERT_TRUE(dib.SetBitmap(src.Info(), src.bits.data()));
    EXPECT_FALSE(dib.GetDither());
    EXPECT_EQ(CSize(w, h), dib.GetSize());
    EXPECT_EQ(h, SectionHeight(dib));
    for (int r = 0; r < h; r++)
        EXPECT_EQ(0, memcmp(src.Row(h - 1 - r), dib.GetDIBitsRow(r), nStride)) << r;
    // A short top-down block fills the top rows only.
    src.Header().biSizeImage = nStride * 2;
    ASSERT_TRUE(dib.SetBitmap(src.Info(), src.bits.data()));
    for (int y = 0; y < h; y++)
        EXPECT_EQ(y < 2 ? RGB(10 * (y + 1), 10 * (y + 1), 10 * (y + 1)) : 0, dib.GetPixel(1, y)) << y;

    // biSizeImage claiming more than the section: only the section's size is read; smaller:
    // the block ends there and the rest stays zero.
    PackedDIB up(w, h, 24);
    CGuardedBlock block(nBytes), shortBlock(nBytes / 2 + 5);
    for (int i = 0; i < nBytes; i++)
        block.pData[i] = (BYTE)(i * 13 + 1);
    up.Header().biSizeImage = nBytes + 4096;
    ASSERT_TRUE(dib.SetBitmap(up.Info(), block.pData));
    EXPECT_EQ((DWORD)nBytes, dib.GetImageSize());
    EXPECT_EQ(Bytes(block.pData, block.pData + nBytes), Bits(dib));
    memset(shortBlock.pData, 0xAB, nBytes / 2 + 5);
    up.Header().biSizeImage = nBytes / 2 + 5;
    ASSERT_TRUE(dib.SetBitmap(up.Info(), shortBlock.pData));
    EXPECT_EQ((DWORD)nBytes, dib.GetImageSize());
    for (int i = 0; i < nBytes; i++)
        ASSERT_EQ(i < nBytes / 2 + 5 ? 0xAB : 0, ((const BYTE*)dib.GetDIBits())[i]) << i;
}

TEST(DIBSectionSetPacked, RefusesWhatCannotBeASection)
{
    // Width, height, bits, compression, header size, planes.
    const LONG cases[][6] = {{4, 4, 0, BI_RGB, 40, 1},          {4, 4, 2, BI_RGB, 40, 1},       {4, 4, 3, BI_RGB, 40, 1},
                             {4, 4, 64, BI_RGB, 40, 1},         {4, 4, 8, BI_RLE8, 40, 1},      {4, 4, 8, BI_BITFIELDS, 40, 1},
                             {4, 4, 24, BI_BITFIELDS, 40, 1},   {0, 4, 32, BI_RGB, 40, 1},      {-4, 4, 32, BI_RGB, 40, 1},
                             {4, 0, 32, BI_RGB, 40, 1},         {65536, 65536, 32, BI_RGB, 40, 1},
                             {1, 0x7FFFFFFF, 32, BI_RGB, 40, 1}, {4, 4, 8, BI_RGB, 12, 1},      {4, 4, 8, BI_RGB, 40, 2}};
    BYTE bits[64] = {0};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c[0] << "x" << c[1] << "x" << c[2] << " compression " << c[3] << " size "
                                        << c[4] << " planes " << c[5]);
        PackedDIB src(1, 1, 32);
        src.Header() = {(DWORD)c[4], c[0], c[1], (WORD)c[5], (WORD)c[2], (DWORD)c[3], 0, 0, 0, 0, 0};
        CDIBSection dib;
        ASSERT_TRUE(dib.CreateBitmap(2, 2, 1, 8));
        EXPECT_FALSE(dib.SetBitmap(src.Info(), bits));
        EXPECT_FALSE(dib.IsValid());
    }
    PackedDIB good(4, 4, 8);
    CDIBSection dib;
    EXPECT_FALSE(dib.SetBitmap(NULL, bits));
    EXPECT_FALSE(dib.SetBitmap(good.Info(), NULL));
    EXPECT_FALSE(dib.SetBitmap((HBITMAP)NULL));
}

TEST(DIBSectionSetHandle, BitmapsBecomeBottomUpDIBsWithTheCallersPalette)
{
    // A top-down section: memory row r of ours is the source's row h-1-r; the caller keeps it.
    const int w = 4, h = 5, nStride = Stride(w, 24);
    BITMAPINFO bmi = {{sizeof(BITMAPINFOHEADER), w, -h, 1, 24, BI_RGB, 0, 0, 0, 0, 0}, {}};
    BYTE* pvBits = NULL;
    HBITMAP hSrc = CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, (void**)&pvBits, NULL, 0);
    for (int r = 0; r < h; r++)
        memset(pvBits + r * nStride, 30 * (r + 1), nStride);
    CDIBSection dib;
    ASSERT_TRUE(dib.SetBitmap(hSrc));
    EXPECT_EQ(h, SectionHeight(dib));
    for (int r = 0; r < h; r++)
        EXPECT_EQ(0, memcmp(pvBits + (h - 1 - r) * nStride, dib.GetDIBitsRow(r), nStride)) << r;
    EXPECT_EQ((DWORD)OBJ_BITMAP, GetObjectType(hSrc));
    DeleteObject(hSrc);

    // Monochrome: word-aligned top-down rows in (bytes F0 0F, then 00 FF), a 1-bit bottom-up DIB out.
    const WORD rows[2] = {0x0FF0, 0xFF00};
    HBITMAP hMono = ::CreateBitmap(16, 2, 1, 1, rows);
    ASSERT_TRUE(dib.SetBitmap(hMono));
    DeleteObject(hMono);
    EXPECT_EQ(2, dib.GetColorTableSize());
    EXPECT_EQ(0xFF00u, *(const DWORD*)dib.GetDIBitsRow(0) & 0xFFFF);
    EXPECT_EQ(0x0FF0u, *(const DWORD*)dib.GetDIBitsRow(1) & 0xFFFF);
    EXPECT_EQ(RGB(255, 255, 255), dib.GetPixel(0, 0));
    EXPECT_EQ(RGB(0, 0, 0), dib.GetPixel(4, 0));

    // A palette handed in becomes the image's palette and held table.
    CDIBSection src;
    ASSERT_TRUE(src.CreateBitmap(4, 4, 1, 8));
    ASSERT_TRUE(src.SetPixel(1, 1, RGB(255, 0, 0)));
    LogPalette256 lp = {0x300, 4, {{255, 0, 0, 0}, {0, 0, 0, 0}, {255, 255, 255, 0}, {0, 0, 255, 0}}};
    CPalette palette;
    ASSERT_TRUE(palette.CreatePalette(lp.Get()));
    ASSERT_TRUE(dib.SetBitmap(src.GetSafeHandle(), &palette));
    const std::vector<COLORREF> colours = {RGB(255, 0, 0), RGB(0, 0, 0), RGB(255, 255, 255), RGB(0, 0, 255)};
    EXPECT_EQ(colours, PaletteColours(dib.GetPalette()));
    EXPECT_EQ(colours, QuadColours(dib.GetColorTable(), 4));
    EXPECT_EQ(RGB(255, 0, 0), dib.GetPixel(1, 1));
    EXPECT_EQ(RGB(255, 255, 255), dib.GetPixel(2, 2));
}

TEST(DIBSectionSetHandle, ResourceBitmapsComeFromTheResourceModule)
{
    // The system's check-mark bitmap (OBM_CHECK), found through the current resource module,
    // is the bitmap that LoadImage gives; a missing resource leaves the object empty.
    const UINT nCheckBitmap = 32760;
    HINSTANCE hUser32 = GetModuleHandle(_T("user32.dll")), hOldResource = AfxGetResourceHandle();
    HBITMAP hReference =
        (HBITMAP)LoadImage(hUser32, MAKEINTRESOURCE(nCheckBitmap), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    CDIBSection dib, reference;
    AfxSetResourceHandle(hUser32);
    const BOOL bLoaded = dib.SetBitmap(nCheckBitmap);
    AfxSetResourceHandle(hOldResource);
    ASSERT_TRUE(bLoaded && reference.SetBitmap(hReference));
    DeleteObject(hReference);
    EXPECT_EQ(reference.GetSize(), dib.GetSize());
    EXPECT_EQ(Bits(reference), Bits(dib));
    EXPECT_EQ(SectionColours(reference), SectionColours(dib));
    EXPECT_FALSE(dib.SetBitmap(27999u));
    EXPECT_FALSE(dib.IsValid());
    EXPECT_FALSE(dib.SetBitmap(_T("NO_SUCH_BITMAP")));
}

TEST(DIBSectionCopy, CopyTakesBitsHeldTableAndDither)
{
    // Every index of the caller's rows survives, even where the palette repeats a colour.
    const Bytes bits = PackRows(16, 16, 8, [](int x, int y) { return (DWORD)(x + 16 * y); });
    CDIBSection src, copy, deep, deepCopy;
    ASSERT_TRUE(src.CreateBitmap(16, 16, 1, 8, bits.data()));
    EXPECT_EQ(bits, Bits(src));
    // The section's own colour 3 turns green; the held table keeps the standard one, and the
    // copy's section takes that.
    RGBQUAD table[4] = {src.GetColorTable()[0], src.GetColorTable()[1], src.GetColorTable()[2], {0, 255, 0, 0}};
    ASSERT_TRUE(src.SetColorTable(4, table));
    ASSERT_EQ(RGB(0, 255, 0), src.GetPixel(3, 0));
    ASSERT_TRUE(copy.Copy(src));
    EXPECT_EQ(bits, Bits(copy));
    EXPECT_EQ(0, memcmp(src.GetColorTable(), copy.GetColorTable(), 256 * sizeof(RGBQUAD)));
    EXPECT_EQ(QuadColours(src.GetColorTable(), 256), SectionColours(copy));
    EXPECT_EQ(RGB(128, 128, 0), copy.GetPixel(3, 0));

    // Dithering comes along where it applies, for deep images only.
    ASSERT_TRUE(deep.CreateBitmap(2, 2, 1, 24));
    deep.SetDither(TRUE);
    ASSERT_TRUE(deepCopy.Copy(deep));
    EXPECT_TRUE(deepCopy.GetDither());
    src.SetDither(TRUE);
    ASSERT_TRUE(copy.Copy(src));
    EXPECT_FALSE(copy.GetDither());
    EXPECT_TRUE(copy.Copy(copy));
    EXPECT_TRUE(copy.IsValid());
}

TEST(DIBSectionDither, OnlyDeepImagesDitherThroughTheirOwnContext)
{
    CProbeDIB dib;
    ASSERT_TRUE(dib.CreateBitmap(4, 4, 1, 24));
    EXPECT_EQ((HDRAWDIB)NULL, dib.GetDrawDibContext());
    EXPECT_TRUE(dib.SetDither(TRUE));
    EXPECT_TRUE(dib.GetDither());
    const HDRAWDIB hDrawDib = dib.GetDrawDibContext();
    EXPECT_NE((HDRAWDIB)NULL, hDrawDib);
    EXPECT_TRUE(dib.SetDither(TRUE));
    EXPECT_EQ(hDrawDib, dib.GetDrawDibContext());
    EXPECT_TRUE(dib.SetDither(FALSE));
    EXPECT_EQ((HDRAWDIB)NULL, dib.GetDrawDibContext());
    ASSERT_TRUE(dib.CreateBitmap(4, 4, 1, 8));
    EXPECT_TRUE(dib.SetDither(TRUE));
    EXPECT_FALSE(dib.GetDither());
    EXPECT_EQ((HDRAWDIB)NULL, dib.GetDrawDibContext());
}

TEST(DIBSectionResize, KeepsThePictureFromTheOffsetAndFillsTheRestWhite)
{
    auto colour = [](int x, int y) { return RGB(x * 10, y * 20, 100); };
    const Bytes bits = PackRows(20, 12, 24, [](int x, int y) { return (DWORD)(((x * 10) << 16) | ((y * 20) << 8) | 100); });
    CProbeDIB dib;
    CStringArray colours;
    ASSERT_TRUE(dib.CreateBitmap(20, 12, 1, 24, bits.data(), NULL, &colours));
    dib.SetDither(TRUE);
    ASSERT_TRUE(dib.Resize(30, 15, 1, 24));
    EXPECT_EQ(CSize(30, 15), dib.GetSize());
    EXPECT_FALSE(dib.GetDither());
    EXPECT_EQ(&colours, dib.ColorArray());
    for (int y = 0; y < 15; y++)
        for (int x = 0; x < 30; x++)
            ASSERT_EQ(x < 20 && y < 12 ? colour(x, y) : RGB(255, 255, 255), PixelColour(dib, x, y)) << x << "," << y;

    // The old (10,10) lands on (0,0); the old picture ends at (9,1).
    POINT offset = {10, 10};
    ASSERT_TRUE(dib.Resize(30, 15, 1, 24, &offset));
    for (int y = 0; y < 15; y++)
        for (int x = 0; x < 30; x++)
            ASSERT_EQ(x < 10 && y < 2 ? colour(x + 10, y + 10) : RGB(255, 255, 255), PixelColour(dib, x, y))
                << x << "," << y;
    EXPECT_FALSE(dib.Resize(5, 5, 1, 2));   // unusable depth: nothing changes
    EXPECT_EQ(CSize(30, 15), dib.GetSize());

    // New depths take the standard palettes.
    ASSERT_TRUE(dib.CreateBitmap(4, 2, 1, 24));
    ASSERT_TRUE(dib.SetPixel(0, 0, RGB(255, 0, 0)));
    ASSERT_TRUE(dib.SetPixel(1, 0, RGB(0, 0, 0)));
    for (int nBits : {8, 1, 4})
    {
        SCOPED_TRACE(nBits);
        ASSERT_TRUE(dib.Resize(4, 2, 1, nBits));
        const int nTable = CDIBSection::NumColorEntries(nBits);
        EXPECT_EQ(nBits, dib.GetBitCount());
        EXPECT_EQ(nTable, dib.GetColorTableSize());
        for (int i = 0; i < nTable; i++)
            ASSERT_EQ(StdColour(nTable, i), QuadColour(dib.GetColorTable()[i])) << i;
        EXPECT_TRUE(nBits != 8 || PixelColour(dib, 0, 0) == RGB(255, 0, 0));
        EXPECT_EQ(RGB(0, 0, 0), PixelColour(dib, 1, 0));
        EXPECT_EQ(RGB(255, 255, 255), PixelColour(dib, 3, 1));
    }
}

TEST(DIBSectionPixels, PixelsRowsAndTheLentMemoryDC)
{
    CDIBSection dib;
    ASSERT_TRUE(dib.CreateBitmap(5, 3, 1, 24));
    ASSERT_TRUE(dib.SetPixel(CPoint(1, 0), RGB(1, 2, 3)));
    // The top row is the last row in memory; pixels are stored blue, green, red.
    EXPECT_EQ((BYTE*)dib.GetDIBits() + 2 * Stride(5, 24), dib.GetDIBitsRow(2));
    EXPECT_EQ(0x010203u, RawPixel(dib, 1, 0));
    EXPECT_EQ(RGB(1, 2, 3), dib.GetPixel(CPoint(1, 0)));
    EXPECT_EQ(CLR_INVALID, dib.GetPixel(5, 0));
    EXPECT_EQ(CLR_INVALID, dib.GetPixel(-1, 0));

    // A second loan ends the first and hands out the same object.
    CDC* pFirst = dib.GetMemoryDC();
    ASSERT_NE(nullptr, pFirst);
    HDC hFirst = pFirst->GetSafeHdc();
    EXPECT_EQ((HGDIOBJ)dib.GetSafeHandle(), GetCurrentObject(hFirst, OBJ_BITMAP));
    CDC* pSecond = dib.GetMemoryDC();
    ASSERT_EQ(pFirst, pSecond);
    EXPECT_EQ(0u, GetObjectType(hFirst));
    ASSERT_TRUE(pSecond->PatBlt(0, 0, 5, 3, BLACKNESS));
    EXPECT_TRUE(dib.ReleaseMemoryDC());
    EXPECT_EQ((HDC)NULL, pSecond->GetSafeHdc());
    EXPECT_TRUE(dib.ReleaseMemoryDC());
    EXPECT_EQ(0u, RawPixel(dib, 4, 2));
    EXPECT_TRUE(IsFree(dib));
}
