// The icon editor: what SetIcon makes of image and mask, how the view and preview are sized
// to the icon, what the preview shows on the screen, and what OK hands back.
#include <gtest/gtest.h>
#include <functional>
#include <vector>
#include "DialogDriver.h"
#include "common/Screenshot.h"
#include "dialogs/PntIconEditDlg.h"
#include "resources/resource.h"

using dlgtest::RunModal;

namespace
{
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kNone = 0xFFFFFFFF;

// A bitmap's pixels as COLORREFs, top row first.
std::vector<COLORREF> Pixels(HBITMAP hBitmap, int cx, int cy)
{
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = -cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    std::vector<DWORD> bits((size_t)cx * cy);
    HDC hDC = ::GetDC(NULL);
    int nRows = ::GetDIBits(hDC, hBitmap, 0, cy, bits.data(), &bmi, DIB_RGB_COLORS);
    ::ReleaseDC(NULL, hDC);
    std::vector<COLORREF> pixels;
    if (nRows != cy)
        return pixels;
    for (DWORD bgr : bits)
        pixels.push_back(RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF));
    return pixels;
}

// A 24-bit DIB section painted by colour(x, y).
HBITMAP MakeImage(int cx, int cy, const std::function<COLORREF(int, int)>& colour)
{
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = -cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 24;
    BYTE* pBits = NULL;
    HBITMAP hBitmap = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, (void**)&pBits, NULL, 0);
    const int nStride = (cx * 3 + 3) & ~3;
    for (int y = 0; y < cy; y++)
        for (int x = 0; x < cx; x++)
        {
            COLORREF cr = colour(x, y);
            BYTE* p = pBits + y * nStride + x * 3;
            p[0] = GetBValue(cr);
            p[1] = GetGValue(cr);
            p[2] = GetRValue(cr);
        }
    return hBitmap;
}

// A monochrome mask, white (transparent) inside rcClear.
HBITMAP MakeMask(int cx, int cy, const RECT& rcClear)
{
    HBITMAP hMask = ::CreateBitmap(cx, cy, 1, 1, NULL);
    HDC hDC = ::CreateCompatibleDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hDC, hMask);
    ::PatBlt(hDC, 0, 0, cx, cy, BLACKNESS);
    ::PatBlt(hDC, rcClear.left, rcClear.top, rcClear.right - rcClear.left, rcClear.bottom - rcClear.top, WHITENESS);
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    return hMask;
}

// Left half red, right half blue.
COLORREF Halves(int x, int, int cx) { return x < cx / 2 ? kRed : kBlue; }

CRect ChildRect(HWND hDlg, int nID)
{
    CRect rc;
    ::GetWindowRect(::GetDlgItem(hDlg, nID), &rc);
    ::MapWindowPoints(NULL, hDlg, (LPPOINT)&rc, 2);
    return rc;
}

int LeftBorder(HWND hWnd)
{
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    POINT pt = {0, 0};
    ::ClientToScreen(hWnd, &pt);
    return pt.x - rc.left;
}

COLORREF ScreenPixel(HWND hDlg, int x, int y)
{
    HDC hDC = ::GetDC(hDlg);
    COLORREF cr = ::GetPixel(hDC, x, y);
    ::ReleaseDC(hDlg, hDC);
    return cr;
}
}

TEST(IconEditDlg, SetIconBringsATrueColourImageToEightBitsBeforeMasking)
{
    const int n = 16;
    HBITMAP hImage = MakeImage(n, n, [&](int x, int y) { return Halves(x, y, n); });
    HBITMAP hMask = MakeMask(n, n, CRect(0, 0, n, 4));
    CPntIconEditDlg dlg;
    EXPECT_TRUE(dlg.GetTransparent());
    ASSERT_TRUE(dlg.SetIcon(hImage, hMask));

    CDIBSection* pImage = dlg.GetPaintControl()->GetDIBsection();
    EXPECT_EQ(8, pImage->GetBitCount());
    EXPECT_GT(pImage->GetColorTableSize(), 0);
    const COLORREF crKey = dlg.GetTransparentColor();
    ASSERT_NE(kNone, crKey);
    EXPECT_NE(kRed, crKey);
    EXPECT_NE(kBlue, crKey);

    std::vector<COLORREF> pixels = Pixels(dlg.GetBitmap(), n, n);
    ASSERT_EQ((size_t)(n * n), pixels.size());
    for (int y = 0; y < n; y++)
        for (int x = 0; x < n; x++)
            ASSERT_EQ(y < 4 ? crKey : Halves(x, y, n), pixels[y * n + x]) << x << "," << y;

    // Without a mask nothing is keyed; without an image nothing is set.
    CPntIconEditDlg noMask;
    EXPECT_FALSE(noMask.SetIcon(hImage, NULL));
    CPntIconEditDlg noImage;
    EXPECT_FALSE(noImage.SetIcon(NULL, hMask));
    ::DeleteObject(hImage);
    ::DeleteObject(hMask);
}

// Icons up to 50 pixels get a view that shows all of them at 7x; larger ones a view of 50.
TEST(IconEditDlg, ViewAndPreviewAreSizedToTheIcon)
{
    for (int n : {16, 64})
    {
        SCOPED_TRACE(n);
        const int nShown = n < 50 ? n : 50;
        HBITMAP hImage = MakeImage(n, n, [&](int x, int y) { return Halves(x, y, n); });
        HBITMAP hMask = MakeMask(n, n, CRect(0, 0, 2, 2));
        CPntIconEditDlg dlg;
        ASSERT_TRUE(dlg.SetIcon(hImage, hMask));
        EXPECT_EQ(IDOK, RunModal(dlg, [&](HWND hDlg) {
                      CPntCtrl* pCtrl = dlg.GetPaintControl();
                      EXPECT_EQ(700u, pCtrl->GetMagnification());
                      EXPECT_TRUE(pCtrl->GetShowGrid());
                      EXPECT_EQ(TOOL_PEN, pCtrl->GetToolMode());

                      const int nSide = nShown * 7 + 10 + 2 * LeftBorder(pCtrl->m_hWnd) + 2;
                      CRect rcCtrl = ChildRect(hDlg, IDC_PNT_PAINTCTRL);
                      EXPECT_EQ(nSide, rcCtrl.Width());
                      EXPECT_EQ(nSide, rcCtrl.Height());

                      HWND hPreview = ::GetDlgItem(hDlg, IDC_PNT_ICON_PREVIEW);
                      const int nPreview = nShown + 2 * LeftBorder(hPreview) - 1;
                      CRect rcPreview = ChildRect(hDlg, IDC_PNT_ICON_PREVIEW);
                      EXPECT_EQ(nPreview, rcPreview.Width());
                      EXPECT_EQ(nPreview, rcPreview.Height());
                      EXPECT_FALSE(::IsWindowVisible(hPreview));
                      EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(hDlg, IDC_PNT_SIZEGRIP)));

                      // The palette sits on its placeholder.
                      CWnd* pTool = dlg.GetPaintTool();
                      ASSERT_TRUE(::IsWindow(pTool->m_hWnd));
                      CRect rcTool;
                      ::GetWindowRect(pTool->m_hWnd, &rcTool);
                      ::MapWindowPoints(NULL, hDlg, (LPPOINT)&rcTool, 2);
                      EXPECT_EQ(ChildRect(hDlg, IDC_PNT_TOOLBAR_PLACEHOLDER).TopLeft(), rcTool.TopLeft());
                      if (n == 16)
                          testenv::SaveWindowBitmap(hDlg, "icon-editor.bmp");
                      testenv::Click(hDlg, IDOK);
                  }));
        ::DeleteObject(hImage);
        ::DeleteObject(hMask);
    }
}

// Left half keyed out: transparent mode shows the button face there, opaque mode the key.
TEST(IconEditDlg, PreviewShowsTheIconWithItsTransparency)
{
    const int n = 16;
    for (BOOL bTransparent : {TRUE, FALSE})
    {
        SCOPED_TRACE(bTransparent);
        HBITMAP hImage = MakeImage(n, n, [&](int x, int y) { return Halves(x, y, n); });
        HBITMAP hMask = MakeMask(n, n, CRect(0, 0, n / 2, n));
        CPntIconEditDlg dlg;
        dlg.SetTransparent(bTransparent);
        ASSERT_TRUE(dlg.SetIcon(hImage, hMask));
        const COLORREF crKey = dlg.GetTransparentColor();
        const COLORREF crFace = ::GetSysColor(COLOR_BTNFACE);
        ASSERT_NE(crFace, crKey);
        RunModal(dlg, [&](HWND hDlg) {
            CRect rc = ChildRect(hDlg, IDC_PNT_ICON_PREVIEW);
            const int yMid = rc.top + rc.Height() / 2;
            EXPECT_EQ(bTransparent ? crFace : crKey, ScreenPixel(hDlg, rc.left + 2, yMid));
            EXPECT_EQ(kBlue, ScreenPixel(hDlg, rc.right - 3, yMid));
            EXPECT_EQ(RGB(0, 0, 0), ScreenPixel(hDlg, rc.left - 2, yMid));   // the frame

            // A pen stroke in the view reaches the preview through the change notification.
            if (bTransparent)
            {
                CPntCtrl* pCtrl = dlg.GetPaintControl();
                pCtrl->SetDrawColor(kRed);
                CRect rcClient;
                pCtrl->GetClientRect(&rcClient);
                LPARAM lPos = MAKELPARAM(rcClient.right - 20, rcClient.CenterPoint().y);
                ::SendMessage(pCtrl->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, lPos);
                ::SendMessage(pCtrl->m_hWnd, WM_LBUTTONUP, 0, lPos);
                std::vector<COLORREF> pixels = Pixels(dlg.GetBitmap(), n, n);
                int nRedInRight = 0;
                for (int y = 0; y < n; y++)
                    for (int x = n / 2; x < n; x++)
                        nRedInRight += pixels[y * n + x] == kRed;
                EXPECT_GT(nRedInRight, 0);
                int nRedInPreview = 0;
                for (int y = rc.top; y < rc.bottom; y++)
                    for (int x = rc.left + rc.Width() / 2; x < rc.right; x++)
                        nRedInPreview += ScreenPixel(hDlg, x, y) == kRed;
                EXPECT_GT(nRedInPreview, 0);
            }
            testenv::Click(hDlg, IDOK);
        });
        ::DeleteObject(hImage);
        ::DeleteObject(hMask);
    }
}

TEST(IconEditDlg, OkHandsBackTheImageItsPaletteAndTheMaskGiven)
{
    const int n = 20;
    HBITMAP hImage = MakeImage(n, n, [&](int x, int y) { return (x + y) % 3 ? kRed : kBlue; });
    const CRect rcClear(3, 5, 11, 17);
    HBITMAP hMask = MakeMask(n, n, rcClear);
    std::vector<COLORREF> maskGiven = Pixels(hMask, n, n);
    CPntIconEditDlg dlg;
    ASSERT_TRUE(dlg.SetIcon(hImage, hMask));
    EXPECT_EQ(IDOK, RunModal(dlg, [&](HWND hDlg) { testenv::Click(hDlg, IDOK); }));

    BITMAP bm = {};
    ASSERT_EQ((int)sizeof(bm), ::GetObject(dlg.GetBitmap(), sizeof(bm), &bm));
    EXPECT_EQ(n, bm.bmWidth);
    EXPECT_EQ(n, bm.bmHeight);
    ASSERT_NE(nullptr, dlg.GetPalette());
    EXPECT_NE(nullptr, dlg.GetPalette()->GetSafeHandle());
    std::vector<COLORREF> maskBack = Pixels(dlg.GetMask(), n, n);
    ASSERT_EQ(maskGiven.size(), maskBack.size());
    EXPECT_EQ(maskGiven, maskBack);
    EXPECT_EQ(RGB(255, 255, 255), maskBack[rcClear.top * n + rcClear.left]);
    EXPECT_EQ(RGB(0, 0, 0), maskBack[0]);
    ::DeleteObject(hImage);
    ::DeleteObject(hMask);
}
