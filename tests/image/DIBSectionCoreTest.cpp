// The image class's life cycle: creating, taking over packed DIBs and bitmaps, copying,
// resizing, pixel access, the lent memory DC, dithering and the per-thread OLE set-up.
// Expectations come from the DIB bits and GDI's own view of the section.
#include "common/TestEnvironment.h"
#include "image/DIBSection.h"
#include <gtest/gtest.h>
#include "ImageTestSupport.h"
#include <string.h>
#include <vector>

namespace
{
// Exposes the protected state that these tests observe.
class CProbeDIB : public CDIBSection
{
public:
    using CDIBSection::GetDrawDibContext;
    BOOL OleInitialized() const { return m_bOleInitialized; }
    CStringArray* ColorArray() const { return m_pColorArray; }
    HDC LentDC() const { return m_MemDC.GetSafeHdc(); }
};

int Stride(int nWidth, int nBits) { return ((nWidth * nBits + 31) / 32) * 4; }

// What GDI itself holds for the section.
DIBSECTION SectionInfo(HBITMAP hBitmap)
{
    DIBSECTION ds;
    memset(&ds, 0, sizeof(ds));
    GetObject(hBitmap, sizeof(ds), &ds);
    return ds;
}

// A packed DIB built by hand: header, optional colour part, then the bits.
struct PackedDIB
{
    std::vector<BYTE> info;
    std::vector<BYTE> bits;

    PackedDIB(int nWidth, int nHeight, int nBits, DWORD dwCompression = BI_RGB, int nColors = 0)
        : info(sizeof(BITMAPINFOHEADER) + 4 * (nColors > 3 ? nColors : 3), 0),
          bits((size_t)Stride(nWidth, nBits) * (nHeight < 0 ? -nHeight : nHeight), 0)
    {
        BITMAPINFOHEADER& bih = Header();
        bih.biSize = sizeof(BITMAPINFOHEADER);
        bih.biWidth = nWidth;
        bih.biHeight = nHeight;
        bih.biPlanes = 1;
        bih.biBitCount = (WORD)nBits;
        bih.biCompression = dwCompression;
    }
    BITMAPINFOHEADER& Header() { return *(BITMAPINFOHEADER*)info.data(); }
    BITMAPINFO* Info() { return (BITMAPINFO*)info.data(); }
    DWORD* Colours() { return (DWORD*)(info.data() + sizeof(BITMAPINFOHEADER)); }
    BYTE* Row(int nRow) { return bits.data() + (size_t)nRow * Stride(Header().biWidth, Header().biBitCount); }
};

// Runs fn on a new thread with its own framework thread state and waits for it.
template <typename Fn>
void RunOnNewThread(Fn fn)
{
    struct Thunk
    {
        static DWORD WINAPI Proc(LPVOID p)
        {
            (*(Fn*)p)();
            return 0;
        }
    };
    HANDLE hThread = CreateThread(NULL, 0, &Thunk::Proc, &fn, 0, NULL);
    ASSERT_NE((HANDLE)NULL, hThread);
    WaitForSingleObject(hThread, INFINITE);
    CloseHandle(hThread);
}

// A block whose last byte is followed by an inaccessible page: reading or writing one
// byte past it faults.
class CGuardedBlock
{
public:
    explicit CGuardedBlock(size_t nBytes)
    {
        const size_t nPage = 4096;
        m_nTotal = ((nBytes + nPage - 1) / nPage + 1) * nPage;
        m_pBase = (BYTE*)VirtualAlloc(NULL, m_nTotal, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
        DWORD dwOld;
        VirtualProtect(m_pBase + m_nTotal - nPage, nPage, PAGE_NOACCESS, &dwOld);
        m_pData = m_pBase + m_nTotal - nPage - nBytes;
    }
    ~CGuardedBlock() { VirtualFree(m_pBase, 0, MEM_RELEASE); }
    BYTE* Data() { return m_pData; }

private:
    BYTE* m_pBase;
    BYTE* m_pData;
    size_t m_nTotal;
};
}

TEST(DIBSectionLifeCycle, NewObjectIsEmptyAndNullPointerGivesNoHandle)
{
    CProbeDIB dib;
    EXPECT_FALSE(dib.IsValid());
    EXPECT_EQ((HBITMAP)NULL, dib.GetSafeHandle());
    EXPECT_EQ((HBITMAP)NULL, (HBITMAP)dib);
    EXPECT_EQ(nullptr, dib.GetDIBits());
    EXPECT_EQ(0, dib.GetColorTableSize());
    EXPECT_EQ(nullptr, dib.ColorArray());
    EXPECT_EQ((HGDIOBJ)NULL, dib.GetPalette()->GetSafeHandle());

    CDIBSection* volatile pNull = nullptr;
    EXPECT_EQ((HBITMAP)NULL, pNull->GetSafeHandle());

    CObject* pObject = RUNTIME_CLASS(CDIBSection)->CreateObject();
    ASSERT_NE(nullptr, pObject);
    EXPECT_STREQ("CDIBSection", pObject->GetRuntimeClass()->m_lpszClassName);
    EXPECT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CObject)));
    delete pObject;
}

TEST(DIBSectionLifeCycle, StaticHelpers)
{
    EXPECT_EQ(2, CDIBSection::NumColorEntries(1));
    EXPECT_EQ(8, CDIBSection::NumColorEntries(3));
    EXPECT_EQ(16, CDIBSection::NumColorEntries(4));
    EXPECT_EQ(256, CDIBSection::NumColorEntries(8));
    for (int nBits : {0, 2, 16, 24, 32, 64})
        EXPECT_EQ(0, CDIBSection::NumColorEntries(nBits)) << nBits;
    for (int nWidth : {1, 7, 31, 32, 33, 127})
        for (int nBits : {1, 4, 8, 16, 24, 32})
            EXPECT_EQ(Stride(nWidth, nBits), CDIBSection::BytesPerLine(nWidth, nBits));

    EXPECT_FALSE(CDIBSection::UsesPalette(NULL));
    CWindowDC screen(NULL);
    EXPECT_EQ((screen.GetDeviceCaps(RASTERCAPS) & RC_PALETTE) != 0, CDIBSection::UsesPalette(&screen) != 0);
}

TEST(DIBSectionLifeCycle, OleIsInitialisedPerObjectAndBalanced)
{
    RunOnNewThread([] {
        {
            CProbeDIB first;
            CProbeDIB second;   // OLE is already up: S_FALSE still needs its own uninitialise
            EXPECT_TRUE(first.OleInitialized());
            EXPECT_TRUE(second.OleInitialized());
        }
        // Both objects undid their initialisation: the thread starts from scratch again.
        EXPECT_EQ(S_OK, OleInitialize(NULL));
        OleUninitialize();
    });

    RunOnNewThread([] {
        AfxGetThreadState()->m_bNeedTerm = TRUE;   // as after AfxOleInit
        {
            CProbeDIB dib;
            EXPECT_FALSE(dib.OleInitialized());
            EXPECT_EQ(S_OK, OleInitialize(NULL));   // nothing initialised it before
            OleUninitialize();
        }
        AfxGetThreadState()->m_bNeedTerm = FALSE;
    });
}

TEST(DIBSectionLifeCycle, OleFailureIsReportedAndTheObjectStillWorks)
{
    testenv::ClearMessageBoxTexts();
    RunOnNewThread([] {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(NULL, COINIT_MULTITHREADED)));
        {
            CProbeDIB dib;   // OLE needs a single-threaded apartment
            EXPECT_FALSE(dib.OleInitialized());
            EXPECT_TRUE(dib.CreateBitmap(4, 4, 1, 24));
        }
        CoUninitialize();
    });
    ASSERT_EQ(1u, testenv::MessageBoxTexts().size());
    EXPECT_EQ("OLE initialization failed. Make sure that the OLE libraries are the correct version",
              testenv::MessageBoxTexts()[0]);
    testenv::ClearMessageBoxTexts();
}

TEST(DIBSectionCreate, EveryDepthGivesAWhiteBottomUpImageWithItsTable)
{
    struct Case
    {
        UINT nBits;
        int nStoredBits, nTable, nClrUsed, nPaletteEntries;
    } cases[] = {{1, 1, 2, 0, 2}, {3, 4, 8, 8, 16}, {4, 4, 16, 0, 16}, {8, 8, 256, 0, 256},
                 {16, 16, 0, 0, 256}, {24, 24, 0, 0, 256}, {32, 32, 0, 0, 256}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.nBits);
        CDIBSection dib;
        ASSERT_TRUE(dib.CreateBitmap(13, 7, 1, c.nBits));
        const BITMAPINFOHEADER& bih = *dib.GetBitmapInfoHeader();
        EXPECT_EQ(40u, bih.biSize);
        EXPECT_EQ(13, bih.biWidth);
        EXPECT_EQ(7, bih.biHeight);
        EXPECT_EQ(1, bih.biPlanes);
        EXPECT_EQ(c.nStoredBits, bih.biBitCount);
        EXPECT_EQ((DWORD)BI_RGB, bih.biCompression);
        EXPECT_EQ((DWORD)(Stride(13, c.nStoredBits) * 7), bih.biSizeImage);
        EXPECT_EQ((DWORD)c.nClrUsed, bih.biClrUsed);
        EXPECT_EQ(c.nTable, dib.GetColorTableSize());
        EXPECT_EQ(c.nPaletteEntries, dib.GetPalette()->GetEntryCount());

        DIBSECTION ds = SectionInfo(dib);
        EXPECT_EQ(7, ds.dsBmih.biHeight);   // bottom-up
        EXPECT_EQ(c.nStoredBits, ds.dsBmih.biBitCount);
        EXPECT_EQ(dib.GetDIBits(), ds.dsBm.bmBits);

        // The section's own table starts with the held one (GDI may pad a table shorter
        // than the depth allows up to the full size).
        std::vector<RGBQUAD> table = imagetest::SectionColourTable(dib);
        ASSERT_GE(table.size(), (size_t)c.nTable);
        EXPECT_EQ(0, memcmp(table.data(), dib.GetColorTable(), c.nTable * sizeof(RGBQUAD)));

        // The eight colours of a 3-bit image have no white: silver is the nearest.
        const COLORREF crWhite = c.nBits == 3 ? RGB(192, 192, 192) : RGB(255, 255, 255);
        for (int y = 0; y < 7; y++)
            for (int x = 0; x < 13; x++)
                ASSERT_EQ(crWhite, dib.GetPixel(x, y)) << x << "," << y;
        EXPECT_FALSE(dib.GetDither());
    }
}

TEST(DIBSectionCreate, ThreeBitsHoldTheFirstEightVgaColours)
{
    CDIBSection dib;
    ASSERT_TRUE(dib.CreateBitmap(8, 2, 1, 3));
    const COLORREF vga[8] = {RGB(0, 0, 0), RGB(128, 0, 0), RGB(0, 128, 0), RGB(128, 128, 0),
                             RGB(0, 0, 128), RGB(128, 0, 128), RGB(0, 128, 128), RGB(192, 192, 192)};
    const RGBQUAD* pTable = dib.GetColorTable();
    for (int i = 0; i < 8; i++)
        EXPECT_EQ(vga[i], RGB(pTable[i].rgbRed, pTable[i].rgbGreen, pTable[i].rgbBlue)) << i;
    for (int i = 8; i < 16; i++)
        EXPECT_EQ(0u, *(const DWORD*)&pTable[i]) << i;
}

TEST(DIBSectionCreate, CallerRowsComeBottomRowFirst)
{
    // 8-bit: every index survives unchanged, even where the palette repeats a colour.
    std::vector<BYTE> indices(16 * 16);
    for (int i = 0; i < 256; i++)
        indices[i] = (BYTE)i;
    CDIBSection dib8;
    ASSERT_TRUE(dib8.CreateBitmap(16, 16, 1, 8, indices.data()));
    EXPECT_EQ(0, memcmp(indices.data(), dib8.GetDIBits(), indices.size()));

    // 24-bit: the first row of the caller's block is the picture's bottom row.
    const int w = 3, h = 4, stride = Stride(w, 24);
    std::vector<BYTE> bits((size_t)stride * h, 0);
    for (int x = 0; x < w; x++)
        bits[x * 3 + 2] = 255;   // row 0 red (BGR order)
    CProbeDIB dib;
    CStringArray colours;
    ASSERT_TRUE(dib.CreateBitmap(w, h, 1, 24, bits.data(), NULL, &colours));
    EXPECT_EQ(&colours, dib.ColorArray());
    EXPECT_EQ(RGB(255, 0, 0), dib.GetPixel(0, h - 1));
    EXPECT_EQ(RGB(0, 0, 0), dib.GetPixel(0, 0));
    EXPECT_EQ(0, memcmp(bits.data(), dib.GetDIBits(), bits.size()));
}

TEST(DIBSectionCreate, RefusesUnusableDimensionsAndDepths)
{
    CDIBSection dib;
    const struct
    {
        int cx, cy;
        UINT nBits;
    } bad[] = {{0, 5, 24}, {5, 0, 24}, {-5, 5, 24}, {5, -5, 24}, {5, 5, 2}, {5, 5, 0}, {5, 5, 64},
               {100000, 100000, 32}};
    for (const auto& b : bad)
    {
        ASSERT_TRUE(dib.CreateBitmap(4, 4, 1, 8));
        EXPECT_FALSE(dib.CreateBitmap(b.cx, b.cy, 1, b.nBits)) << b.cx << "x" << b.cy << "x" << b.nBits;
        EXPECT_FALSE(dib.IsValid());   // the previous image is gone too
        EXPECT_EQ(0, dib.GetColorTableSize());
    }
}

TEST(DIBSectionSetPacked, PalettisedImageKeepsHeaderTableAndBits)
{
    PackedDIB src(5, 3, 8, BI_RGB, 256);
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
    EXPECT_EQ(0, memcmp(src.bits.data(), dib.GetDIBits(), src.bits.size()));
    // The palette is the section's table.
    PALETTEENTRY pe[256];
    ASSERT_EQ(256, dib.GetPalette()->GetEntryCount());
    dib.GetPalette()->GetPaletteEntries(0, 256, pe);
    EXPECT_EQ(RGB(9, 18, 27), RGB(pe[9].peRed, pe[9].peGreen, pe[9].peBlue));
}

TEST(DIBSectionSetPacked, LongerInfoHeadersAreReadUpToTheirTable)
{
    // A V4 header: the colour table starts after its 108 bytes.
    std::vector<BYTE> info(sizeof(BITMAPV4HEADER) + 2 * sizeof(RGBQUAD), 0);
    BITMAPV4HEADER& v4 = *(BITMAPV4HEADER*)info.data();
    v4.bV4Size = sizeof(BITMAPV4HEADER);
    v4.bV4Width = 8;
    v4.bV4Height = 1;
    v4.bV4Planes = 1;
    v4.bV4BitCount = 1;
    v4.bV4V4Compression = BI_RGB;
    DWORD* pColours = (DWORD*)(info.data() + sizeof(BITMAPV4HEADER));
    pColours[0] = 0x0000FF;   // blue
    pColours[1] = 0x00FFFF;   // cyan
    BYTE bits[4] = {0x0F, 0, 0, 0};

    CDIBSection dib;
    ASSERT_TRUE(dib.SetBitmap((BITMAPINFO*)info.data(), bits));
    EXPECT_EQ(40u, dib.GetBitmapInfoHeader()->biSize);
    EXPECT_EQ(RGB(0, 0, 255), dib.GetPixel(0, 0));
    EXPECT_EQ(RGB(0, 255, 255), dib.GetPixel(7, 0));
}

TEST(DIBSectionSetPacked, TopDownSourceIsStoredBottomUp)
{
    const int w = 3, h = 4;
    PackedDIB src(w, -h, 24);
    for (int r = 0; r < h; r++)
        memset(src.Row(r), 10 * (r + 1), (size_t)Stride(w, 24));   // memory row r is picture row r

    CDIBSection dib;
    ASSERT_TRUE(dib.SetBitmap(src.Info(), src.bits.data()));
    EXPECT_EQ(h, dib.GetHeight());
    EXPECT_EQ(h, SectionInfo(dib).dsBmih.biHeight);
    for (int r = 0; r < h; r++)
        EXPECT_EQ(0, memcmp(src.Row(h - 1 - r), dib.GetDIBitsRow(r), (size_t)Stride(w, 24))) << r;
    EXPECT_EQ(RGB(10, 10, 10), dib.GetPixel(0, 0));   // the top row stays on top
    EXPECT_EQ(RGB(40, 40, 40), dib.GetPixel(0, h - 1));

    // A short top-down block fills the top rows only.
    src.Header().biSizeImage = (DWORD)Stride(w, 24) * 2;
    ASSERT_TRUE(dib.SetBitmap(src.Info(), src.bits.data()));
    EXPECT_EQ(RGB(10, 10, 10), dib.GetPixel(1, 0));
    EXPECT_EQ(RGB(20, 20, 20), dib.GetPixel(1, 1));
    EXPECT_EQ(RGB(0, 0, 0), dib.GetPixel(1, 2));
    EXPECT_EQ(RGB(0, 0, 0), dib.GetPixel(1, 3));
}

TEST(DIBSectionSetPacked, BitfieldMasksAreKeptAndDecodePixels)
{
    // 16 bits, 5-6-5: read as plain 5-5-5 these values would give other colours.
    PackedDIB src16(3, 1, 16, BI_BITFIELDS);
    src16.Colours()[0] = 0xF800;
    src16.Colours()[1] = 0x07E0;
    src16.Colours()[2] = 0x001F;
    WORD* p16 = (WORD*)src16.Row(0);
    p16[0] = 0xF800;
    p16[1] = 0x07E0;
    p16[2] = 0x001F;

    CDIBSection dib16;
    ASSERT_TRUE(dib16.SetBitmap(src16.Info(), src16.bits.data()));
    EXPECT_EQ(0, dib16.GetColorTableSize());
    EXPECT_EQ((DWORD)BI_BITFIELDS, dib16.GetBitmapInfoHeader()->biCompression);
    EXPECT_EQ(0, memcmp(src16.Colours(), dib16.GetColorTable(), 12));
    DIBSECTION ds = SectionInfo(dib16);
    EXPECT_EQ(0xF800u, ds.dsBitfields[0]);
    EXPECT_EQ(0x07E0u, ds.dsBitfields[1]);
    EXPECT_EQ(0x001Fu, ds.dsBitfields[2]);
    EXPECT_EQ(RGB(255, 0, 0), dib16.GetPixel(0, 0));
    EXPECT_EQ(RGB(0, 255, 0), dib16.GetPixel(1, 0));
    EXPECT_EQ(RGB(0, 0, 255), dib16.GetPixel(2, 0));

    // A copy takes the masks along.
    CDIBSection copy;
    ASSERT_TRUE(copy.Copy(dib16));
    EXPECT_EQ(RGB(0, 255, 0), copy.GetPixel(1, 0));

    // 32 bits with red in the low byte: as BI_RGB the low byte would be blue.
    PackedDIB src32(2, 1, 32, BI_BITFIELDS);
    src32.Colours()[0] = 0x000000FF;
    src32.Colours()[1] = 0x0000FF00;
    src32.Colours()[2] = 0x00FF0000;
    DWORD* p32 = (DWORD*)src32.Row(0);
    p32[0] = 0x000000FF;
    p32[1] = 0x00FF0000;
    CDIBSection dib32;
    ASSERT_TRUE(dib32.SetBitmap(src32.Info(), src32.bits.data()));
    EXPECT_EQ(RGB(255, 0, 0), dib32.GetPixel(0, 0));
    EXPECT_EQ(RGB(0, 0, 255), dib32.GetPixel(1, 0));
}

TEST(DIBSectionSetPacked, CopiesNoMoreThanTheSectionOrTheGivenSize)
{
    const int w = 10, h = 6, nBytes = Stride(w, 24) * h;

    // biSizeImage claims more than the section: only the section's size is read.
    PackedDIB src(w, h, 24);
    CGuardedBlock block((size_t)nBytes);
    for (int i = 0; i < nBytes; i++)
        block.Data()[i] = (BYTE)(i * 13 + 1);
    src.Header().biSizeImage = (DWORD)nBytes + 4096;
    CDIBSection dib;
    ASSERT_TRUE(dib.SetBitmap(src.Info(), block.Data()));
    EXPECT_EQ((DWORD)nBytes, dib.GetImageSize());
    EXPECT_EQ(0, memcmp(block.Data(), dib.GetDIBits(), (size_t)nBytes));

    // biSizeImage smaller than the section: the block ends there, the rest stays zero.
    const int nShort = nBytes / 2 + 5;
    CGuardedBlock shortBlock((size_t)nShort);
    memset(shortBlock.Data(), 0xAB, (size_t)nShort);
    src.Header().biSizeImage = (DWORD)nShort;
    ASSERT_TRUE(dib.SetBitmap(src.Info(), shortBlock.Data()));
    EXPECT_EQ((DWORD)nBytes, dib.GetImageSize());
    const BYTE* pBits = (const BYTE*)dib.GetDIBits();
    for (int i = 0; i < nBytes; i++)
        ASSERT_EQ(i < nShort ? 0xAB : 0, pBits[i]) << i;
}

TEST(DIBSectionSetPacked, RefusesWhatCannotBeASection)
{
    BYTE bits[64] = {0};
    auto refused = [&](PackedDIB& src) {
        CDIBSection dib;
        EXPECT_TRUE(dib.CreateBitmap(2, 2, 1, 8));
        BOOL bResult = dib.SetBitmap(src.Info(), bits);
        EXPECT_FALSE(dib.IsValid());
        return !bResult;
    };
    for (int nBits : {0, 2, 3, 64})
    {
        PackedDIB src(4, 4, nBits, BI_RGB, 256);
        EXPECT_TRUE(refused(src)) << nBits << " bits";
    }
    const struct
    {
        int nBits;
        DWORD dwCompression;
    } compressions[] = {{8, BI_RLE8}, {4, BI_RLE4}, {8, BI_BITFIELDS}, {24, BI_BITFIELDS}, {24, BI_JPEG}};
    for (const auto& c : compressions)
    {
        PackedDIB src(4, 4, c.nBits, c.dwCompression, 256);
        EXPECT_TRUE(refused(src)) << c.nBits << " bits, compression " << c.dwCompression;
    }
    const struct
    {
        int cx, cy;
    } sizes[] = {{0, 4}, {-4, 4}, {4, 0}, {65536, 65536}, {1, 0x7FFFFFFF}};
    for (const auto& s : sizes)
    {
        PackedDIB src(1, 1, 32);
        src.Header().biWidth = s.cx;
        src.Header().biHeight = s.cy;
        EXPECT_TRUE(refused(src)) << s.cx << "x" << s.cy;
    }
    PackedDIB core(4, 4, 8, BI_RGB, 256);
    core.Header().biSize = sizeof(BITMAPCOREHEADER);
    EXPECT_TRUE(refused(core));
    PackedDIB planes(4, 4, 8, BI_RGB, 256);
    planes.Header().biPlanes = 2;
    EXPECT_TRUE(refused(planes));

    PackedDIB good(4, 4, 8, BI_RGB, 256);
    CDIBSection dib;
    EXPECT_FALSE(dib.SetBitmap(NULL, bits));
    EXPECT_FALSE(dib.SetBitmap(good.Info(), NULL));
}

TEST(DIBSectionSetHandle, TopDownSectionBecomesBottomUp)
{
    const int w = 4, h = 5;
    BITMAPINFO bmi;
    memset(&bmi, 0, sizeof(bmi));
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = w;
    bmi.bmiHeader.biHeight = -h;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 24;
    void* pvBits = NULL;
    HBITMAP hSrc = CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pvBits, NULL, 0);
    ASSERT_NE((HBITMAP)NULL, hSrc);
    for (int r = 0; r < h; r++)
        memset((BYTE*)pvBits + r * Stride(w, 24), 30 * (r + 1), (size_t)Stride(w, 24));

    CDIBSection dib;
    ASSERT_TRUE(dib.SetBitmap(hSrc));
    EXPECT_EQ(h, dib.GetHeight());
    EXPECT_EQ(h, SectionInfo(dib).dsBmih.biHeight);
    for (int r = 0; r < h; r++)   // memory row r is the picture's row h-1-r
        EXPECT_EQ(0, memcmp((BYTE*)pvBits + (h - 1 - r) * Stride(w, 24), dib.GetDIBitsRow(r),
                            (size_t)Stride(w, 24))) << r;
    EXPECT_EQ(RGB(30, 30, 30), dib.GetPixel(2, 0));
    EXPECT_EQ((DWORD)OBJ_BITMAP, GetObjectType(hSrc));   // still the caller's
    DeleteObject(hSrc);
}

TEST(DIBSectionSetHandle, DeviceDependentAndMonochromeBitmaps)
{
    CWindowDC screen(NULL);
    HBITMAP hDDB = CreateCompatibleBitmap(screen.GetSafeHdc(), 6, 4);
    ASSERT_NE((HBITMAP)NULL, hDDB);
    HDC hDC = CreateCompatibleDC(screen.GetSafeHdc());
    HGDIOBJ hOld = SelectObject(hDC, hDDB);
    RECT top = {0, 0, 6, 2}, bottom = {0, 2, 6, 4};
    HBRUSH hRed = CreateSolidBrush(RGB(255, 0, 0)), hBlue = CreateSolidBrush(RGB(0, 0, 255));
    FillRect(hDC, &top, hRed);
    FillRect(hDC, &bottom, hBlue);
    SelectObject(hDC, hOld);
    DeleteDC(hDC);
    DeleteObject(hRed);
    DeleteObject(hBlue);

    CDIBSection dib;
    ASSERT_TRUE(dib.SetBitmap(hDDB));
    BITMAP bm;
    GetObject(hDDB, sizeof(bm), &bm);
    EXPECT_EQ(bm.bmBitsPixel, dib.GetBitCount());
    EXPECT_EQ(RGB(255, 0, 0), dib.GetPixel(5, 1));
    EXPECT_EQ(RGB(0, 0, 255), dib.GetPixel(0, 2));
    DeleteObject(hDDB);

    // Monochrome: word-aligned top-down rows in, a 1-bit bottom-up DIB out.
    const WORD rows[2] = {0x0FF0, 0xFF00};   // bytes F0 0F, then 00 FF
    HBITMAP hMono = ::CreateBitmap(16, 2, 1, 1, rows);
    ASSERT_TRUE(dib.SetBitmap(hMono));
    EXPECT_EQ(1, dib.GetBitCount());
    EXPECT_EQ(2, dib.GetColorTableSize());
    const BYTE topRow[2] = {0xF0, 0x0F}, bottomRow[2] = {0x00, 0xFF};
    EXPECT_EQ(0, memcmp(bottomRow, dib.GetDIBitsRow(0), 2));
    EXPECT_EQ(0, memcmp(topRow, dib.GetDIBitsRow(1), 2));
    EXPECT_EQ(RGB(255, 255, 255), dib.GetPixel(0, 0));
    EXPECT_EQ(RGB(0, 0, 0), dib.GetPixel(4, 0));
    DeleteObject(hMono);

    EXPECT_FALSE(dib.SetBitmap((HBITMAP)NULL));
    EXPECT_FALSE(dib.IsValid());
}

TEST(DIBSectionSetHandle, CallersPaletteBecomesTheImagesPalette)
{
    CDIBSection src;
    ASSERT_TRUE(src.CreateBitmap(4, 4, 1, 8));
    ASSERT_TRUE(src.SetPixel(1, 1, RGB(255, 0, 0)));

    struct
    {
        WORD palVersion, palNumEntries;
        PALETTEENTRY pe[4];
    } lp = {0x300, 4, {{255, 0, 0, 0}, {0, 0, 0, 0}, {255, 255, 255, 0}, {0, 0, 255, 0}}};
    CPalette palette;
    ASSERT_TRUE(palette.CreatePalette((LOGPALETTE*)&lp));

    CDIBSection dib;
    ASSERT_TRUE(dib.SetBitmap(src.GetSafeHandle(), &palette));
    ASSERT_EQ(4, dib.GetPalette()->GetEntryCount());
    PALETTEENTRY pe[4];
    dib.GetPalette()->GetPaletteEntries(0, 4, pe);
    EXPECT_EQ(0, memcmp(lp.pe, pe, sizeof(pe)));
    EXPECT_EQ(RGB(0, 0, 255), RGB(dib.GetColorTable()[3].rgbRed, dib.GetColorTable()[3].rgbGreen,
                                  dib.GetColorTable()[3].rgbBlue));
    EXPECT_EQ(RGB(255, 0, 0), dib.GetPixel(1, 1));
    EXPECT_EQ(RGB(255, 255, 255), dib.GetPixel(2, 2));
}

TEST(DIBSectionSetHandle, ResourceBitmapComesFromTheResourceModule)
{
    // The system's check-mark bitmap (OBM_CHECK), found through the current resource module.
    const UINT nCheckBitmap = 32760;
    HINSTANCE hUser32 = GetModuleHandle(_T("user32.dll"));
    HBITMAP hReference = (HBITMAP)LoadImage(hUser32, MAKEINTRESOURCE(nCheckBitmap), IMAGE_BITMAP, 0, 0,
                                            LR_CREATEDIBSECTION);
    ASSERT_NE((HBITMAP)NULL, hReference);
    BITMAP bm;
    GetObject(hReference, sizeof(bm), &bm);

    CDIBSection dib;
    HINSTANCE hOldResource = AfxGetResourceHandle();
    AfxSetResourceHandle(hUser32);
    BOOL bLoaded = dib.SetBitmap(nCheckBitmap);
    AfxSetResourceHandle(hOldResource);
    ASSERT_TRUE(bLoaded);
    EXPECT_EQ(bm.bmWidth, dib.GetWidth());
    EXPECT_EQ(bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight, dib.GetHeight());
    HDC hDC = CreateCompatibleDC(NULL);
    HGDIOBJ hOld = SelectObject(hDC, hReference);
    for (int y = 0; y < dib.GetHeight(); y++)
        for (int x = 0; x < dib.GetWidth(); x++)
            ASSERT_EQ(::GetPixel(hDC, x, y), dib.GetPixel(x, y)) << x << "," << y;
    SelectObject(hDC, hOld);
    DeleteDC(hDC);
    DeleteObject(hReference);
}

TEST(DIBSectionSetHandle, MissingResourceLeavesTheObjectEmpty)
{
    CDIBSection dib;
    ASSERT_TRUE(dib.CreateBitmap(2, 2, 1, 24));
    EXPECT_FALSE(dib.SetBitmap(27999u));
    EXPECT_FALSE(dib.IsValid());
    EXPECT_FALSE(dib.SetBitmap(_T("NO_SUCH_BITMAP")));
}

TEST(DIBSectionCopy, CopyTakesBitsHeldTableAndDither)
{
    CDIBSection src;
    ASSERT_TRUE(src.CreateBitmap(7, 3, 1, 8));
    for (int r = 0; r < 3; r++)
        for (int x = 0; x < 7; x++)
            src.GetDIBitsRow(r)[x] = (BYTE)x;
    // The section's own colour 3 changes; the held table keeps the standard one.
    RGBQUAD green = {0, 255, 0, 0};
    RGBQUAD table[4] = {src.GetColorTable()[0], src.GetColorTable()[1], src.GetColorTable()[2], green};
    ASSERT_TRUE(src.SetColorTable(4, table));
    ASSERT_EQ(RGB(0, 255, 0), src.GetPixel(3, 0));

    CDIBSection copy;
    ASSERT_TRUE(copy.Copy(src));
    EXPECT_EQ(0, memcmp(src.GetDIBits(), copy.GetDIBits(), src.GetImageSize()));
    EXPECT_EQ(0, memcmp(src.GetColorTable(), copy.GetColorTable(), 256 * sizeof(RGBQUAD)));
    std::vector<RGBQUAD> section = imagetest::SectionColourTable(copy);
    ASSERT_EQ(256u, section.size());
    EXPECT_EQ(0, memcmp(src.GetColorTable(), section.data(), 256 * sizeof(RGBQUAD)));
    EXPECT_EQ(RGB(128, 128, 0), copy.GetPixel(3, 0));   // standard colour 3

    CDIBSection deep, deepCopy;
    ASSERT_TRUE(deep.CreateBitmap(2, 2, 1, 24));
    deep.SetDither(TRUE);
    ASSERT_TRUE(deepCopy.Copy(deep));
    EXPECT_TRUE(deepCopy.GetDither());
    src.SetDither(TRUE);
    ASSERT_TRUE(copy.Copy(src));
    EXPECT_FALSE(copy.GetDither());

    EXPECT_TRUE(copy.Copy(copy));
    EXPECT_TRUE(copy.IsValid());
    CDIBSection empty;
    EXPECT_FALSE(copy.Copy(empty));
    EXPECT_FALSE(copy.IsValid());
}

TEST(DIBSectionResize, KeepsThePictureAndFillsTheRestWhite)
{
    const int w = 20, h = 12;
    CProbeDIB dib;
    CStringArray colours;
    ASSERT_TRUE(dib.CreateBitmap(w, h, 1, 24, NULL, NULL, &colours));
    for (int y = 0; y < h; y++)
    {
        BYTE* pRow = dib.GetDIBitsRow(h - 1 - y);
        for (int x = 0; x < w; x++)
        {
            pRow[3 * x] = 100;            // blue
            pRow[3 * x + 1] = (BYTE)(y * 20);
            pRow[3 * x + 2] = (BYTE)(x * 10);
        }
    }
    dib.SetDither(TRUE);

    ASSERT_TRUE(dib.Resize(30, 15, 1, 24));
    EXPECT_EQ(CSize(30, 15), dib.GetSize());
    EXPECT_FALSE(dib.GetDither());
    EXPECT_EQ(&colours, dib.ColorArray());
    for (int y = 0; y < 15; y++)
        for (int x = 0; x < 30; x++)
        {
            COLORREF expected = (x < w && y < h) ? RGB(x * 10, y * 20, 100) : RGB(255, 255, 255);
            ASSERT_EQ(expected, dib.GetPixel(x, y)) << x << "," << y;
        }

    POINT offset = {10, 10};
    ASSERT_TRUE(dib.Resize(30, 15, 1, 24, &offset));
    EXPECT_EQ(RGB(100, 200, 100), dib.GetPixel(0, 0));   // old (10,10)
    EXPECT_EQ(RGB(190, 220, 100), dib.GetPixel(9, 1));   // old (19,11)
    EXPECT_EQ(RGB(255, 255, 255), dib.GetPixel(10, 0));  // old (20,10) was white
    EXPECT_EQ(RGB(255, 255, 255), dib.GetPixel(0, 5));   // below the old picture

    EXPECT_FALSE(dib.Resize(5, 5, 1, 2));   // unusable depth: nothing changes
    EXPECT_EQ(CSize(30, 15), dib.GetSize());
}

TEST(DIBSectionResize, ChangesDepthWithStandardPalettes)
{
    CDIBSection dib;
    ASSERT_TRUE(dib.CreateBitmap(4, 2, 1, 24));
    ASSERT_TRUE(dib.SetPixel(0, 0, RGB(255, 0, 0)));
    ASSERT_TRUE(dib.SetPixel(1, 0, RGB(0, 0, 0)));

    ASSERT_TRUE(dib.Resize(4, 2, 1, 8));
    EXPECT_EQ(8, dib.GetBitCount());
    EXPECT_EQ(256, dib.GetColorTableSize());
    EXPECT_EQ(RGB(255, 0, 0), dib.GetPixel(0, 0));
    EXPECT_EQ(RGB(255, 255, 255), dib.GetPixel(2, 1));

    ASSERT_TRUE(dib.Resize(4, 2, 1, 1));
    EXPECT_EQ(2, dib.GetColorTableSize());
    EXPECT_EQ(0u, *(DWORD*)&dib.GetColorTable()[0]);
    EXPECT_EQ(0xFFFFFFu, *(DWORD*)&dib.GetColorTable()[1]);
    EXPECT_EQ(RGB(0, 0, 0), dib.GetPixel(1, 0));
    EXPECT_EQ(RGB(255, 255, 255), dib.GetPixel(3, 1));

    ASSERT_TRUE(dib.Resize(4, 2, 1, 4));
    EXPECT_EQ(16, dib.GetColorTableSize());
    EXPECT_EQ(RGB(0, 0, 0), dib.GetPixel(1, 0));
}

TEST(DIBSectionPixels, PixelsAndRowsMatchTheBits)
{
    const int w = 5, h = 3;
    CDIBSection dib;
    ASSERT_TRUE(dib.CreateBitmap(w, h, 1, 24));
    ASSERT_TRUE(dib.SetPixel(CPoint(1, 0), RGB(1, 2, 3)));
    // The top row is the last row in memory; pixels are stored blue, green, red.
    const BYTE* pTop = dib.GetDIBitsRow(h - 1);
    EXPECT_EQ((BYTE*)dib.GetDIBits() + (h - 1) * Stride(w, 24), pTop);
    EXPECT_EQ(3, pTop[3]);
    EXPECT_EQ(2, pTop[4]);
    EXPECT_EQ(1, pTop[5]);
    EXPECT_EQ(RGB(1, 2, 3), dib.GetPixel(CPoint(1, 0)));
    EXPECT_EQ(CLR_INVALID, dib.GetPixel(w, 0));
    EXPECT_EQ(CLR_INVALID, dib.GetPixel(-1, 0));

    CDIBSection empty;
    EXPECT_EQ(0u, empty.GetPixel(0, 0));
    EXPECT_FALSE(empty.SetPixel(0, 0, RGB(1, 1, 1)));
}

TEST(DIBSectionMemoryDC, SecondLoanEndsTheFirst)
{
    CProbeDIB dib;
    ASSERT_TRUE(dib.CreateBitmap(4, 4, 1, 24));
    CDC* pFirst = dib.GetMemoryDC();
    ASSERT_NE(nullptr, pFirst);
    HDC hFirst = pFirst->GetSafeHdc();
    EXPECT_EQ((HGDIOBJ)dib.GetSafeHandle(), GetCurrentObject(hFirst, OBJ_BITMAP));

    CDC* pSecond = dib.GetMemoryDC();
    EXPECT_EQ(pFirst, pSecond);
    EXPECT_EQ(0u, GetObjectType(hFirst));   // the first DC is gone
    ASSERT_NE((HDC)NULL, pSecond->GetSafeHdc());
    RECT rc = {0, 0, 4, 4};
    HBRUSH hBrush = CreateSolidBrush(RGB(0, 128, 255));
    FillRect(pSecond->GetSafeHdc(), &rc, hBrush);
    DeleteObject(hBrush);
    EXPECT_TRUE(dib.ReleaseMemoryDC());
    EXPECT_EQ((HDC)NULL, dib.LentDC());
    EXPECT_TRUE(dib.ReleaseMemoryDC());
    GdiFlush();
    const BYTE* pRow = dib.GetDIBitsRow(0);
    EXPECT_EQ(255, pRow[0]);
    EXPECT_EQ(128, pRow[1]);
    EXPECT_EQ(0, pRow[2]);

    CDIBSection empty;
    EXPECT_EQ(nullptr, empty.GetMemoryDC());
}

TEST(DIBSectionDither, OnlyDeepImagesDitherAndNewImagesStartOff)
{
    CProbeDIB dib;
    ASSERT_TRUE(dib.CreateBitmap(4, 4, 1, 24));
    EXPECT_FALSE(dib.GetDither());
    EXPECT_EQ((HDRAWDIB)NULL, dib.GetDrawDibContext());
    EXPECT_TRUE(dib.SetDither(TRUE));
    EXPECT_TRUE(dib.GetDither());
    HDRAWDIB hDrawDib = dib.GetDrawDibContext();
    EXPECT_NE((HDRAWDIB)NULL, hDrawDib);
    EXPECT_EQ(hDrawDib, dib.GetDrawDibContext());
    EXPECT_TRUE(dib.SetDither(TRUE));
    EXPECT_EQ(hDrawDib, dib.GetDrawDibContext());
    EXPECT_TRUE(dib.SetDither(FALSE));
    EXPECT_FALSE(dib.GetDither());
    EXPECT_EQ((HDRAWDIB)NULL, dib.GetDrawDibContext());

    dib.SetDither(TRUE);
    ASSERT_TRUE(dib.CreateBitmap(4, 4, 1, 32));
    EXPECT_FALSE(dib.GetDither());
    dib.SetDither(TRUE);
    PackedDIB src(2, 2, 24);
    ASSERT_TRUE(dib.SetBitmap(src.Info(), src.bits.data()));
    EXPECT_FALSE(dib.GetDither());

    ASSERT_TRUE(dib.CreateBitmap(4, 4, 1, 8));
    EXPECT_TRUE(dib.SetDither(TRUE));
    EXPECT_FALSE(dib.GetDither());
    EXPECT_EQ((HDRAWDIB)NULL, dib.GetDrawDibContext());
}

TEST(DIBSectionLifeCycle, DeleteObjectEmptiesEverythingButTheColourArray)
{
    CProbeDIB dib;
    CStringArray colours;
    ASSERT_TRUE(dib.CreateBitmap(3, 3, 1, 8, NULL, NULL, &colours));
    HBITMAP hBitmap = dib.GetSafeHandle();
    dib.DeleteObject();
    EXPECT_FALSE(dib.IsValid());
    EXPECT_EQ(0u, GetObjectType(hBitmap));
    EXPECT_EQ(nullptr, dib.GetDIBits());
    EXPECT_EQ(0, dib.GetColorTableSize());
    EXPECT_EQ((HGDIOBJ)NULL, dib.GetPalette()->GetSafeHandle());
    EXPECT_EQ(&colours, dib.ColorArray());
    const BYTE* pInfo = (const BYTE*)dib.GetBitmapInfo();
    for (size_t i = 0; i < sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD); i++)
        ASSERT_EQ(0, pInfo[i]) << i;
}
