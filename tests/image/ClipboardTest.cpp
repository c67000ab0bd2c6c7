// CDIBSection and the clipboard: the packed DIBs that copies put there, read back byte by
// byte; pastes of bitmaps and DIBs (with or without the image settings dialog, answered from a
// timer) into rectangles and with a colour key; queries; and clipboard blocks that lie.
#include "ImageTestSupport.h"
#include "common/ModalAnswer.h"
#include <gtest/gtest.h>
#include <string.h>

using namespace imagetest;

namespace
{
const char kDialogCaption[] = "Image Settings";

void ClearClipboard()
{
    ASSERT_TRUE(::OpenClipboard(NULL));
    ::EmptyClipboard();
    ::CloseClipboard();
}

// Replaces the clipboard's content with a CF_DIB block of these bytes and, when given, a
// CF_BITMAP and a CF_PALETTE; the clipboard owns them afterwards.
void PutOnClipboard(const Bytes& dib, HBITMAP hBitmap = NULL, HPALETTE hPalette = NULL)
{
    ASSERT_TRUE(::OpenClipboard(NULL));
    ::EmptyClipboard();
    if (HGLOBAL hBlock = dib.empty() ? NULL : ::GlobalAlloc(GMEM_MOVEABLE, dib.size()))
    {
        memcpy(::GlobalLock(hBlock), dib.data(), dib.size());
        ::GlobalUnlock(hBlock);
        ::SetClipboardData(CF_DIB, hBlock);
    }
    if (hBitmap != NULL)
        ::SetClipboardData(CF_BITMAP, hBitmap);
    if (hPalette != NULL)
        ::SetClipboardData(CF_PALETTE, hPalette);
    ::CloseClipboard();
}

// The CF_DIB block on the clipboard, all of it.
Bytes ClipboardDIB()
{
    Bytes bytes;
    if (!::OpenClipboard(NULL))
        return bytes;
    HGLOBAL hBlock = ::GetClipboardData(CF_DIB);
    if (const BYTE* p = hBlock != NULL ? (const BYTE*)::GlobalLock(hBlock) : NULL)
    {
        bytes.assign(p, p + ::GlobalSize(hBlock));
        ::GlobalUnlock(hBlock);
    }
    ::CloseClipboard();
    return bytes;
}

DWORD Quad(COLORREF cr) { return (GetRValue(cr) << 16) | (GetGValue(cr) << 8) | GetBValue(cr); }

// A packed DIB (header, table, rows) of value(x, y).
Bytes PackedDIB(int cx, int cy, int nBits, const std::vector<COLORREF>& table, const std::function<DWORD(int, int)>& value)
{
    Bytes quads;
    for (COLORREF cr : table)
        quads = quads + Dwords({Quad(cr)});
    const Bytes file = MakeBmp(cx, cy, (WORD)nBits, BI_RGB, quads, PackRows(cx, cy, nBits, value));
    return Bytes(file.begin() + 14, file.end());
}

// Raw pixel (x, y), counted from the top, of a bottom-up DIB whose rows start at nOffset.
DWORD DIBPixel(const Bytes& dib, size_t nOffset, int x, int y)
{
    const int cx = (int)U32(dib, 4), cy = (int)U32(dib, 8), nBits = dib[14];
    return RowPixel(&dib[nOffset + (size_t)(cy - 1 - y) * Stride(cx, nBits)], x, nBits);
}

// A 24-bit picture of colour(x, y).
void MakePicture(CDIBSection& img, int cx, int cy, const std::function<COLORREF(int, int)>& colour)
{
    ASSERT_TRUE(img.CreateBitmap(cx, cy, 1, 24, PackRows(cx, cy, 24, [&](int x, int y) { return Quad(colour(x, y)); }).data()));
}

std::vector<COLORREF> PixelColours(CDIBSection& img)
{
    std::vector<COLORREF> colours;
    for (int y = 0; y < img.GetHeight(); y++)
        for (int x = 0; x < img.GetWidth(); x++)
            colours.push_back(PixelColour(img, x, y));
    return colours;
}

COLORREF PictureColour(int x, int y) { return RGB(x * 5, y * 5, 100 + (x + y) % 50); }
COLORREF BackgroundColour(int x, int y) { return RGB(250 - x, 7 * (y % 3), 40 + x % 9); }

// GDI matches colours to a table at five bits a channel (Windows and Wine alike): entries at
// least 8 apart in a channel are found exactly.
LogPalette256 SpacedPalette(int nColours, BYTE blue = 77)
{
    LogPalette256 palette = {0x300, (WORD)nColours, {}};
    for (int i = 0; i < nColours; i++)
        palette.pe[i] = {(BYTE)(8 * (i % 32) + 3), (BYTE)(16 * (i / 32) + 3), blue, 0};
    return palette;
}

class Clipboard : public ::testing::Test
{
protected:
    void TearDown() override { ClearClipboard(); }
};
}

TEST_F(Clipboard, CopiesARectangleAsAPackedDIBOfTheImageDepth)
{
    struct Case
    {
        int nBits;
        size_t nBitsOffset;   // after the header and its colour part
    };
    const Case cases[] = {{24, 40}, {16, 52}, {8, 40 + 1024}, {4, 40 + 64}, {1, 48}, {32, 40}};
    const int cx = 13, cy = 7;
    RECT rc = {2, 1, 11, 6};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.nBits);
        const int nColours = c.nBits <= 8 ? 1 << c.nBits : 0;
        LogPalette256 palette = SpacedPalette(nColours);
        CDIBSection img;
        ASSERT_TRUE(img.CreateBitmap(cx, cy, 1, c.nBits, PackRows(cx, cy, c.nBits, [&](int x, int y) -> DWORD {
                                         if (nColours != 0)
                                             return (x * 3 + y * 5) % nColours;
                                         if (c.nBits == 16)
                                             return ((x * 2 & 31) << 10) | ((y * 3 & 31) << 5) | ((x + y) & 31);
                                         return ((x * 20) << 16) | ((y * 30) << 8) | ((x * y) & 0xFF);
                                     }).data(),
                                     nColours != 0 ? palette.Get() : NULL));
        ASSERT_TRUE(img.CopyToClipboard(&rc));

        const Bytes dib = ClipboardDIB();
        ASSERT_GE(dib.size(), 40u);
        EXPECT_EQ(40u, U32(dib, 0));
        EXPECT_EQ(9u, U32(dib, 4));
        EXPECT_EQ(5u, U32(dib, 8));
        EXPECT_EQ(1u | ((DWORD)c.nBits << 16), U32(dib, 12));   // planes, bit count
        EXPECT_EQ(c.nBits == 16 ? (DWORD)BI_BITFIELDS : (DWORD)BI_RGB, U32(dib, 16));
        ASSERT_GE(dib.size(), c.nBitsOffset + (size_t)Stride(9, c.nBits) * 5);
        if (c.nBits == 16)
        {
            EXPECT_EQ(Dwords({0xF800, 0x07E0, 0x001F}), Bytes(dib.begin() + 40, dib.begin() + 52));
        }
        for (int i = 0; i < nColours; i++)
            EXPECT_EQ(Quad(EntryColour(palette.pe[i])), U32(dib, 40 + 4 * i)) << "entry " << i;

        for (int y = 0; y < 5; y++)
            for (int x = 0; x < 9; x++)
            {
                const int ix = x + rc.left, iy = y + rc.top;
                DWORD expected = RawPixel(img, ix, iy);
                if (c.nBits == 16)
                {
                    // 5-6-5 of the colour the image shows there.
                    const COLORREF cr = PixelColour(img, ix, iy);
                    expected = ((GetRValue(cr) >> 3) << 11) | ((GetGValue(cr) >> 2) << 5) | (GetBValue(cr) >> 3);
                }
                EXPECT_EQ(expected, DIBPixel(dib, c.nBitsOffset, x, y)) << x << "," << y;
            }
    }
}

TEST_F(Clipboard, QueriesSeeTheBitmapOrNothing)
{
    ClearClipboard();
    BITMAP bm;
    EXPECT_EQ(0, CDIBSection::IsDataAvailable());
    EXPECT_EQ(CSize(0, 0), CDIBSection::ClipboardImageSize());
    EXPECT_FALSE(CDIBSection::GetClipboardImageInfo(&bm));
    CDIBSection img;
    MakePicture(img, 30, 20, PictureColour);
    EXPECT_FALSE(img.GetClipboardData(NULL, FALSE));
    EXPECT_FALSE(img.GetClipDitheredData(NULL));
    EXPECT_FALSE(img.GetTransparentClipboardData(NULL, RGB(0, 0, 0), FALSE));
    EXPECT_EQ(PixelColour(img, 4, 3), PictureColour(4, 3));

    ASSERT_TRUE(img.CopyToClipboard(NULL));
    EXPECT_EQ(CF_BITMAP, CDIBSection::IsDataAvailable());
    EXPECT_EQ(CSize(30, 20), CDIBSection::ClipboardImageSize());
    ASSERT_TRUE(CDIBSection::GetClipboardImageInfo(&bm));
    EXPECT_EQ(30, bm.bmWidth);
    EXPECT_EQ(20, bm.bmHeight);
}

// A DIB on the clipboard (with a plain bitmap of another colour beside it) pasted by
// GetClipDitheredData: the dialog appears only for pictures deeper than the image or of more
// than two bits; the DIB wins over the bitmap.
TEST_F(Clipboard, DitheredPasteTakesTheDIBAndAsksOnlyWhenColoursMustBeReduced)
{
    struct Case
    {
        int nDIBBits, nImageBits;
        bool bDialog;
        int nAnswer;
    };
    const Case cases[] = {{1, 4, false, IDOK}, {1, 1, false, IDOK}, {4, 8, true, IDOK}, {4, 8, true, IDCANCEL},
                          {8, 4, true, IDOK}, {24, 8, true, IDOK}};
    const int cx = 20, cy = 12, dx = 14, dy = 9;
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.nDIBBits << " into " << c.nImageBits << " answer " << c.nAnswer);
        const int nColours = 1 << c.nImageBits;
        LogPalette256 palette = SpacedPalette(nColours);
        CDIBSection img;
        ASSERT_TRUE(img.CreateBitmap(cx, cy, 1, c.nImageBits,
                                     PackRows(cx, cy, c.nImageBits, [&](int x, int y) { return (DWORD)((x + 2 * y) % nColours); }).data(),
                                     palette.Get()));
        const std::vector<COLORREF> before = PixelColours(img);

        // The DIB's colours are all among the image's; the bitmap's colour is another one of them.
        std::vector<COLORREF> table;
        for (int i = 0; c.nDIBBits <= 8 && i < (1 << c.nDIBBits); i++)
            table.push_back(EntryColour(palette.pe[(i * 5 + 3) % nColours]));
        auto colourAt = [&](int x, int y) {
            return c.nDIBBits <= 8 ? table[(x * 3 + y * 7) % table.size()] : EntryColour(palette.pe[(x * 3 + y * 7) % nColours]);
        };
        const Bytes dib = PackedDIB(dx, dy, c.nDIBBits, table, [&](int x, int y) -> DWORD {
            return c.nDIBBits <= 8 ? (DWORD)((x * 3 + y * 7) % table.size()) : Quad(colourAt(x, y));
        });
        HBITMAP hBitmap = ::CreateBitmap(dx, dy, 1, 32, std::vector<DWORD>(dx * dy, Quad(EntryColour(palette.pe[1]))).data());
        PutOnClipboard(dib, hBitmap);

        testenv::ModalAnswer answer(kDialogCaption, [&](HWND hDlg) { testenv::Click(hDlg, c.nAnswer); });
        const BOOL bPasted = img.GetClipDitheredData(NULL);
        EXPECT_EQ(c.bDialog, answer.Answered());
        EXPECT_EQ(c.nAnswer == IDOK, bPasted != FALSE);

        const std::vector<COLORREF> after = PixelColours(img);
        for (int y = 0; y < cy; y++)
            for (int x = 0; x < cx; x++)
            {
                const bool bInside = bPasted && x < dx && y < dy;
                EXPECT_EQ(bInside ? colourAt(x, y) : before[y * cx + x], after[y * cx + x]) << x << "," << y;
            }
    }
}

// A 50 x 50 picture pasted into (10,10)-(20,20) of another by each way of pasting: that area
// shows the picture's top-left part, nothing else changes.
TEST_F(Clipboard, PastesChangeOnlyTheTargetRectangle)
{
    CDIBSection picture;
    MakePicture(picture, 50, 50, PictureColour);
    const std::function<BOOL(CDIBSection&, RECT*)> pastes[] = {
        [](CDIBSection& img, RECT* prc) { return img.GetClipboardData(prc, FALSE); },
        [](CDIBSection& img, RECT* prc) { return img.GetClipDitheredData(prc); },
        [](CDIBSection& img, RECT* prc) { return img.GetTransparentClipboardData(prc, RGB(1, 2, 3), FALSE); },
    };
    for (size_t i = 0; i < sizeof(pastes) / sizeof(pastes[0]); i++)
    {
        SCOPED_TRACE(i);
        ASSERT_TRUE(picture.CopyToClipboard(NULL));
        CDIBSection img;
        MakePicture(img, 40, 30, BackgroundColour);
        RECT rc = {10, 10, 20, 20};
        testenv::ModalAnswer answer(kDialogCaption, [](HWND hDlg) { testenv::Click(hDlg, IDOK); });
        ASSERT_TRUE(pastes[i](img, &rc));
        for (int y = 0; y < 30; y++)
            for (int x = 0; x < 40; x++)
            {
                const bool bInside = x >= 10 && x < 20 && y >= 10 && y < 20;
                EXPECT_EQ(bInside ? PictureColour(x - 10, y - 10) : BackgroundColour(x, y), PixelColour(img, x, y)) << x << "," << y;
            }
    }
}

// The picture's background is the key: there, and past the picture's edge, the image shows through.
TEST_F(Clipboard, TransparentPasteLeavesTheKeyColourOut)
{
    const COLORREF crKey = RGB(0, 255, 0);
    auto isKey = [](int x, int y) { return x < 10 || y < 10 || (x + y) % 4 == 0; };
    CDIBSection picture;
    MakePicture(picture, 50, 50, [&](int x, int y) { return isKey(x, y) ? crKey : PictureColour(x, y); });
    ASSERT_TRUE(picture.CopyToClipboard(NULL));

    CDIBSection img;
    MakePicture(img, 60, 55, BackgroundColour);
    ASSERT_TRUE(img.GetTransparentClipboardData(NULL, crKey, FALSE));
    for (int y = 0; y < 55; y++)
        for (int x = 0; x < 60; x++)
        {
            const bool bShown = x < 50 && y < 50 && !isKey(x, y);
            EXPECT_EQ(bShown ? PictureColour(x, y) : BackgroundColour(x, y), PixelColour(img, x, y)) << x << "," << y;
        }
}

// With bUsePalette an 8-bit image takes over the clipboard's palette: the plain paste as its
// palette and kept table, the transparent paste as its palette and its section's table.
TEST_F(Clipboard, PastesWithThePaletteTakeTheClipboardPaletteOver)
{
    LogPalette256 clipPalette = SpacedPalette(256, 200);
    std::vector<COLORREF> clipColours;
    for (int i = 0; i < 256; i++)
        clipColours.push_back(EntryColour(clipPalette.pe[i]));
    const bool bTransparent[] = {false, true};
    for (bool bKeyed : bTransparent)
    {
        SCOPED_TRACE(bKeyed);
        PutOnClipboard(Bytes(), ::CreateBitmap(8, 8, 1, 32, std::vector<DWORD>(64, 0x00102030).data()),
                       ::CreatePalette(clipPalette.Get()));
        LogPalette256 palette = SpacedPalette(256);
        CDIBSection img;
        ASSERT_TRUE(img.CreateBitmap(16, 16, 1, 8, NULL, palette.Get()));
        const std::vector<COLORREF> before = SectionColours(img);
        ASSERT_TRUE(bKeyed ? img.GetTransparentClipboardData(NULL, RGB(1, 2, 3), TRUE) : img.GetClipboardData(NULL, TRUE));
        EXPECT_EQ(clipColours, PaletteColours(img.GetPalette()));
        EXPECT_EQ(bKeyed ? before : clipColours, QuadColours(img.GetColorTable(), 256));
        EXPECT_EQ(bKeyed ? clipColours : before, SectionColours(img));
    }
}

// Blocks that are not what their header says are refused before anything is shown or read.
TEST_F(Clipboard, RefusesDIBBlocksThatLie)
{
    auto header = [](LONG cx, LONG cy, WORD nBits, DWORD nCompression, DWORD biSize = 40) {
        return Dwords({biSize, (DWORD)cx, (DWORD)cy, 1u | ((DWORD)nBits << 16), nCompression, 0, 0, 0, 0, 0});
    };
    const Bytes cases[] = {
        header(1000, 1000, 24, BI_RGB) + Bytes(60, 0x5A),               // rows far past the block
        header(64, 64, 1, BI_RGB) + Bytes(8 + 10, 0xFF),                // table, then too few rows
        header(4, 4, 8, BI_RGB) + Bytes(100, 0),                        // rows cut by a 256-entry table
        header(4, 4, 24, BI_RGB, 5000) + Bytes(100, 0),                 // header longer than the block
        header(4, 4, 7, BI_RGB) + Bytes(200, 0),                        // no such depth
        header(4, 4, 8, BI_RLE8) + Bytes(1024 + 64, 0),                 // compressed
        Bytes(20, 0x28),                                                // not even a header
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); i++)
    {
        SCOPED_TRACE(i);
        PutOnClipboard(cases[i]);
        CDIBSection img;
        MakePicture(img, 16, 16, BackgroundColour);
        const std::vector<COLORREF> before = PixelColours(img);
        testenv::ModalAnswer answer(kDialogCaption, [](HWND hDlg) { testenv::Click(hDlg, IDOK); });
        EXPECT_FALSE(img.GetClipDitheredData(NULL));
        EXPECT_FALSE(answer.Answered());
        EXPECT_EQ(before, PixelColours(img));
    }
}

// Seeded mutations of good blocks (header bytes changed, blocks cut short): each paste either
// succeeds or is refused, and the image keeps its size; a dialog that comes is accepted.
TEST_F(Clipboard, MutatedDIBsArePastedOrRefusedCleanly)
{
    std::vector<COLORREF> grey;
    for (int i = 0; i < 256; i++)
        grey.push_back(RGB(i, i, i));
    auto pattern = [](int x, int y) { return (DWORD)(x * 37 + y * 11); };
    const Bytes bases[] = {PackedDIB(9, 7, 1, {RGB(0, 0, 0), RGB(255, 255, 255)}, pattern),
                           PackedDIB(9, 7, 8, grey, [&](int x, int y) { return pattern(x, y) & 0xFF; }),
                           PackedDIB(9, 7, 24, {}, [&](int x, int y) { return pattern(x, y) & 0xFFFFFF; })};
    unsigned seed = 20240611;
    auto next = [&seed]() { return (seed = seed * 1103515245u + 12345u) >> 8; };
    for (int i = 0; i < 60; i++)
    {
        Bytes dib = bases[i % 3];
        for (int n = 1 + next() % 3; n > 0; n--)
        {
            if (next() % 4 == 0)
                dib.resize(next() % dib.size());
            else if (!dib.empty())
                dib[next() % (dib.size() < 60 ? dib.size() : 60)] = (BYTE)next();
        }
        SCOPED_TRACE(testing::Message() << "case " << i << ", " << dib.size() << " bytes");
        if (dib.empty())
            continue;
        PutOnClipboard(dib);
        CDIBSection img;
        ASSERT_TRUE(img.CreateBitmap(12, 10, 1, 4));
        testenv::ModalAnswer answer(kDialogCaption, [](HWND hDlg) { testenv::Click(hDlg, IDOK); });
        img.GetClipDitheredData(NULL);
        EXPECT_TRUE(img.IsValid());
        EXPECT_EQ(CSize(12, 10), img.GetSize());
    }
}
