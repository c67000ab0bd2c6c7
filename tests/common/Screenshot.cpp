// Reads what windows show back from their DCs: as pixels, or written as a .bmp file.
#include "Screenshot.h"
#include "TestEnvironment.h"
#include <stdio.h>
#include <string.h>

namespace testenv
{
bool SaveWindowBitmap(HWND hWnd, const char* name)
{
    if (!::IsWindow(hWnd) || name == NULL)
        return false;
    RECT rc;
    ::GetClientRect(hWnd, &rc);
    int cx = rc.right - rc.left;
    int cy = rc.bottom - rc.top;
    if (cx <= 0 || cy <= 0)
        return false;

    BITMAPINFOHEADER bih;
    memset(&bih, 0, sizeof(bih));
    bih.biSize = sizeof(bih);
    bih.biWidth = cx;
    bih.biHeight = cy;   // bottom-up, as bitmap files usually are
    bih.biPlanes = 1;
    bih.biBitCount = 24;
    bih.biCompression = BI_RGB;
    DWORD nStride = ((DWORD)cx * 3 + 3) & ~3u;
    bih.biSizeImage = nStride * (DWORD)cy;

    bool bOK = false;
    void* pBits = NULL;
    HDC hdcWnd = ::GetDC(hWnd);
    HDC hdcMem = ::CreateCompatibleDC(hdcWnd);
    HBITMAP hbm = ::CreateDIBSection(hdcWnd, (BITMAPINFO*)&bih, DIB_RGB_COLORS, &pBits, NULL, 0);
    if (hdcWnd != NULL && hdcMem != NULL && hbm != NULL)
    {
        HGDIOBJ hOld = ::SelectObject(hdcMem, hbm);
        bOK = ::BitBlt(hdcMem, 0, 0, cx, cy, hdcWnd, 0, 0, SRCCOPY) != FALSE;
        ::GdiFlush();
        ::SelectObject(hdcMem, hOld);
    }

    if (bOK)
    {
        BITMAPFILEHEADER bfh;
        memset(&bfh, 0, sizeof(bfh));
        bfh.bfType = 0x4D42;   // "BM"
        bfh.bfOffBits = sizeof(bfh) + sizeof(bih);
        bfh.bfSize = bfh.bfOffBits + bih.biSizeImage;
        FILE* pFile = fopen(OutputPath(name).c_str(), "wb");
        bOK = pFile != NULL;
        if (pFile != NULL)
        {
            bOK = fwrite(&bfh, sizeof(bfh), 1, pFile) == 1 && fwrite(&bih, sizeof(bih), 1, pFile) == 1 &&
                  fwrite(pBits, bih.biSizeImage, 1, pFile) == 1;
            bOK = (fclose(pFile) == 0) && bOK;
        }
    }

    if (hbm != NULL)
        ::DeleteObject(hbm);
    if (hdcMem != NULL)
        ::DeleteDC(hdcMem);
    if (hdcWnd != NULL)
        ::ReleaseDC(hWnd, hdcWnd);
    return bOK;
}

std::vector<COLORREF> ReadPixels(HWND hWnd, const RECT& rc)
{
    const int cx = rc.right - rc.left;
    const int cy = rc.bottom - rc.top;
    std::vector<COLORREF> pixels;
    if (cx <= 0 || cy <= 0)
        return pixels;
    BITMAPINFO bmi;
    memset(&bmi, 0, sizeof(bmi));
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = -cy;   // top row first
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pBits = NULL;
    HBITMAP hbm = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    HDC hdcSource = ::GetDC(hWnd);
    HDC hdcMem = ::CreateCompatibleDC(hdcSource);
    if (hbm != NULL && pBits != NULL && hdcSource != NULL && hdcMem != NULL)
    {
        HGDIOBJ hOld = ::SelectObject(hdcMem, hbm);
        if (::BitBlt(hdcMem, 0, 0, cx, cy, hdcSource, rc.left, rc.top, SRCCOPY))
        {
            ::GdiFlush();
            const DWORD* p = (const DWORD*)pBits;
            pixels.reserve((size_t)cx * cy);
            for (size_t i = 0; i < (size_t)cx * cy; i++)
                pixels.push_back(RGB((p[i] >> 16) & 0xFF, (p[i] >> 8) & 0xFF, p[i] & 0xFF));
        }
        ::SelectObject(hdcMem, hOld);
    }
    if (hdcMem != NULL)
        ::DeleteDC(hdcMem);
    if (hdcSource != NULL)
        ::ReleaseDC(hWnd, hdcSource);
    if (hbm != NULL)
        ::DeleteObject(hbm);
    return pixels;
}
}
