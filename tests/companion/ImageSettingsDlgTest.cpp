// CImageSettingsDlg: what it shows, the packed DIB it makes on OK (read back byte by byte),
// who owns it, Cancel, and pictures it refuses without showing itself.
#include <afxwin.h>
#include <gtest/gtest.h>
#include <string.h>
#include <vector>
#include "common/ModalAnswer.h"
#include "common/Screenshot.h"
#include "companion/CompanionResource.h"
#include "companion/ImageSettingsDlg.h"

namespace
{
typedef std::vector<BYTE> Bytes;

const COLORREF kTable16[16] = {RGB(0, 0, 0),     RGB(200, 10, 10), RGB(10, 200, 10), RGB(10, 10, 200),
                               RGB(90, 90, 90),  RGB(250, 250, 0), RGB(0, 250, 250), RGB(250, 0, 250),
                               RGB(130, 60, 20), RGB(20, 60, 130), RGB(60, 130, 20), RGB(180, 180, 180),
                               RGB(40, 0, 80),   RGB(80, 40, 0),   RGB(0, 80, 40),   RGB(255, 255, 255)};

int Stride(int cx, int nBits) { return ((cx * nBits + 31) & ~31) / 8; }

// A bottom-up 24-bit packed DIB whose pixel (x, y), y from the top, is colour(x, y).
HGLOBAL MakeDIB24(int cx, int cy, COLORREF (*colour)(int, int))
{
    const int nStride = Stride(cx, 24);
    HGLOBAL hDIB = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 40 + (SIZE_T)nStride * cy);
    BYTE* p = (BYTE*)::GlobalLock(hDIB);
    BITMAPINFOHEADER bih = {40, cx, cy, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    memcpy(p, &bih, sizeof(bih));
    for (int y = 0; y < cy; y++)
        for (int x = 0; x < cx; x++)
        {
            BYTE* q = p + 40 + (size_t)(cy - 1 - y) * nStride + 3 * x;
            const COLORREF cr = colour(x, y);
            q[0] = GetBValue(cr), q[1] = GetGValue(cr), q[2] = GetRValue(cr);
        }
    ::GlobalUnlock(hDIB);
    return hDIB;
}

COLORREF FromTable(int x, int y) { return kTable16[(x + 3 * y) % 16]; }

Bytes Contents(HGLOBAL hGlobal)
{
    const BYTE* p = (const BYTE*)::GlobalLock(hGlobal);
    Bytes bytes(p, p + ::GlobalSize(hGlobal));
    ::GlobalUnlock(hGlobal);
    return bytes;
}

DWORD U32(const Bytes& b, size_t off) { return b[off] | (b[off + 1] << 8) | (b[off + 2] << 16) | ((DWORD)b[off + 3] << 24); }
}

// With or without dithering, colours that the table holds come out as exactly those entries.
TEST(ImageSettingsDlg, ShowsTheDepthsAndConvertsToTheGivenTableOnOK)
{
    for (bool bDither : {false, true})
    {
        SCOPED_TRACE(bDither);
        HGLOBAL hSource = MakeDIB24(11, 6, FromTable);
        COLORREF table[16];
        memcpy(table, kTable16, sizeof(table));
        HGLOBAL hResult = NULL;
        std::string strSource, strTarget;
        {
            CImageSettingsDlg dlg(hSource, 4, table, NULL, NULL, NULL, NULL, NULL);
            memset(table, 0, sizeof(table));   // the dialog keeps its own copy
            testenv::ModalAnswer answer("Image Settings", [&](HWND hDlg) {
                strSource = testenv::ItemText(hDlg, IDC_IMGSET_SOURCE);
                strTarget = testenv::ItemText(hDlg, IDC_IMGSET_TARGET);
                ::RedrawWindow(hDlg, NULL, NULL, RDW_UPDATENOW | RDW_ALLCHILDREN);
                testenv::SaveWindowBitmap(hDlg, "ImageSettingsDlg.bmp");
                if (bDither)
                    testenv::Click(hDlg, IDC_IMGSET_DITHER);
                testenv::Click(hDlg, IDOK);
            });
            ASSERT_EQ(IDOK, dlg.DoModal());
            EXPECT_TRUE(answer.Answered());
            EXPECT_EQ(bDither, dlg.m_bDither != FALSE);
            hResult = dlg.GetDIB();
            EXPECT_TRUE(dlg.GetDIB() == NULL);   // handed over once
        }
        EXPECT_EQ("11 x 6 pixels, 24 bits per pixel (true colour)", strSource);
        EXPECT_EQ("4 bits per pixel (16 colours)", strTarget);

        // Still there after the dialog: header, the given table, indices of the source's colours.
        ASSERT_TRUE(hResult != NULL);
        const Bytes dib = Contents(hResult);
        ::GlobalFree(hResult);
        ::GlobalFree(hSource);
        ASSERT_GE(dib.size(), 40u + 64u + Stride(11, 4) * 6);
        EXPECT_EQ(11u, U32(dib, 4));
        EXPECT_EQ(6u, U32(dib, 8));
        EXPECT_EQ(1u | (4u << 16), U32(dib, 12));
        EXPECT_EQ((DWORD)BI_RGB, U32(dib, 16));
        for (int i = 0; i < 16; i++)
            EXPECT_EQ(kTable16[i], RGB(dib[40 + 4 * i + 2], dib[40 + 4 * i + 1], dib[40 + 4 * i])) << i;
        for (int y = 0; y < 6; y++)
            for (int x = 0; x < 11; x++)
            {
                const BYTE b = dib[104 + (size_t)(5 - y) * Stride(11, 4) + x / 2];
                EXPECT_EQ(FromTable(x, y), kTable16[x % 2 ? b & 15 : b >> 4]) << x << "," << y;
            }
    }
}

TEST(ImageSettingsDlg, CancelGivesNothingAndUnusableInputShowsNothing)
{
    HGLOBAL hSource = MakeDIB24(5, 5, FromTable);
    {
        CImageSettingsDlg dlg(hSource, 8);
        testenv::ModalAnswer answer("Image Settings", [](HWND hDlg) { testenv::Click(hDlg, IDCANCEL); });
        EXPECT_EQ(IDCANCEL, dlg.DoModal());
        EXPECT_TRUE(answer.Answered());
        EXPECT_TRUE(dlg.GetDIB() == NULL);
    }

    // A header claiming more rows than the block holds, a depth with no table to build, no block.
    HGLOBAL hShort = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 100);
    BITMAPINFOHEADER bih = {40, 1000, 1000, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    memcpy(::GlobalLock(hShort), &bih, sizeof(bih));
    ::GlobalUnlock(hShort);
    const struct
    {
        HGLOBAL hDIB;
        int nTarget;
    } cases[] = {{hShort, 8}, {hSource, 3}, {NULL, 8}};
    for (const auto& c : cases)
    {
        CImageSettingsDlg dlg(c.hDIB, c.nTarget);
        testenv::ModalAnswer answer("Image Settings", [](HWND hDlg) { testenv::Click(hDlg, IDOK); });
        EXPECT_EQ(-1, dlg.DoModal());
        EXPECT_FALSE(answer.Answered());
    }
    ::GlobalFree(hShort);
    ::GlobalFree(hSource);
}
