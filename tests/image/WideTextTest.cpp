// CDIBSection::DrawText with text that is not ASCII: the picture holds the same glyph pixels
// as GDI's own DrawText of that text on a plain DIB section of the test's making. In a Unicode
// build the text is Greek and Cyrillic, outside any Western ANSI code page, so text narrowed
// anywhere on the way would come out as question marks.
#include "ImageTestSupport.h"
#include <gtest/gtest.h>
#include <string.h>

using namespace imagetest;

namespace
{
const int kWidth = 160, kHeight = 40;
const UINT kFormat = DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX;
const COLORREF kInk = RGB(0, 0, 128);

// A white 24-bit DIB section with text drawn by GDI alone, in the same font, colour and
// rectangle as the library is given; returns its rows, bottom row first.
Bytes DrawnByGdi(LPCTSTR pszText, const LOGFONT& lf, const RECT& rcText)
{
    BITMAPINFO bmi;
    memset(&bmi, 0, sizeof(bmi));
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = kWidth;
    bmi.bmiHeader.biHeight = kHeight;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 24;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pBits = NULL;
    HBITMAP hBitmap = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    if (hBitmap == NULL || pBits == NULL)
        return Bytes();
    const size_t cbBits = (size_t)Stride(kWidth, 24) * kHeight;
    memset(pBits, 0xFF, cbBits);

    HDC hdc = ::CreateCompatibleDC(NULL);
    HFONT hFont = ::CreateFontIndirect(&lf);
    HGDIOBJ hOldBitmap = ::SelectObject(hdc, hBitmap);
    HGDIOBJ hOldFont = ::SelectObject(hdc, hFont);
    ::SetBkMode(hdc, TRANSPARENT);
    ::SetTextColor(hdc, kInk);
    RECT rc = rcText;
    ::DrawText(hdc, pszText, -1, &rc, kFormat);
    ::GdiFlush();
    Bytes rows((const BYTE*)pBits, (const BYTE*)pBits + cbBits);
    ::SelectObject(hdc, hOldFont);
    ::SelectObject(hdc, hOldBitmap);
    ::DeleteObject(hFont);
    ::DeleteDC(hdc);
    ::DeleteObject(hBitmap);
    return rows;
}

int InkedPixels(const Bytes& rows)
{
    int n = 0;
    for (int y = 0; y < kHeight; y++)
        for (int x = 0; x < kWidth; x++)
            n += RowPixel(&rows[(size_t)y * Stride(kWidth, 24)], x, 24) != 0xFFFFFF;
    return n;
}
}

TEST(WideText, DrawTextDrawsTheGlyphsGdiDrawsForTheText)
{
#ifdef _UNICODE
    // Omega, alpha, Zhe, de, and a Greek word.
    const TCHAR szText[] = L"\x03A9\x03B1 \x0416\x0434 \x03BA\x03CC\x03C3\x03BC\x03BF\x03C2";
#else
    // The library's narrow text goes to GDI in the ANSI code page, as GDI's own call takes it.
    const TCHAR szText[] = "caf\xE9 \xC5ngstr\xF6m";
#endif
    LOGFONT lf;
    memset(&lf, 0, sizeof(lf));
    lf.lfHeight = -22;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    _tcscpy_s(lf.lfFaceName, _countof(lf.lfFaceName), _T("Tahoma"));
    CFont font;
    ASSERT_TRUE(font.CreateFontIndirect(&lf));

    CDIBSection image;
    ASSERT_TRUE(image.CreateBitmap(kWidth, kHeight, 1, 24));
    ASSERT_TRUE(image.Clear(RGB(255, 255, 255)));
    const CRect rcText(4, 6, kWidth - 4, kHeight - 2);
    ASSERT_TRUE(image.DrawText(szText, rcText, kFormat, kInk, &font));
    ::GdiFlush();
    const BYTE* pBits = (const BYTE*)image.GetDIBits();
    const Bytes drawn(pBits, pBits + (size_t)Stride(kWidth, 24) * kHeight);

    const Bytes expected = DrawnByGdi(szText, lf, rcText);
    ASSERT_EQ(expected.size(), drawn.size());
    EXPECT_GT(InkedPixels(expected), 100);   // the reference holds glyphs at all
    EXPECT_TRUE(drawn == expected) << InkedPixels(drawn) << " inked pixels drawn, "
                                   << InkedPixels(expected) << " expected";

    // What the text would look like had it been narrowed to the ANSI code page on the way.
    const CString strNarrowed = CString(CStringA(szText));
    EXPECT_TRUE(DrawnByGdi(strNarrowed, lf, rcText) != expected || strNarrowed == szText);
#ifdef _UNICODE
    EXPECT_NE(CString(szText), strNarrowed);   // the text has letters outside the code page
#endif
}
