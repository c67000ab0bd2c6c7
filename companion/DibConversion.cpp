// Locating the parts of a packed DIB, and converting one to another depth through a DIB section.
#include "DibConversion.h"
#include <string.h>

namespace dibconv
{
namespace
{
// Largest pixel block handled: keeps every size inside 32 bits.
const LONGLONG kMaxBitsBytes = (LONGLONG)diblayout::kMaxImageBytes;

LONGLONG Stride(LONGLONG nWidth, int nBitCount)
{
    return ((nWidth * nBitCount + 31) & ~31LL) / 8;
}

// Header plus a full table: what a converted DIB carries before its rows.
struct InfoWithTable
{
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[256];
};
}

bool Locate(const void* pBlock, SIZE_T cbBlock, Layout& layout)
{
    // The same judgement as the paste that hands the block over: rows after the full table.
    diblayout::Layout found;
    if (diblayout::DescribePackedDIB((const BYTE*)pBlock, cbBlock, found) != diblayout::kUsable)
        return false;
    layout.pInfo = (const BITMAPINFO*)pBlock;
    layout.pBits = (const BYTE*)pBlock + found.nBitsOffset;
    layout.nWidth = found.header.nWidth;
    layout.nHeight = (LONG)found.nRows;
    layout.nBitCount = found.header.nBitCount;
    return true;
}

HGLOBAL Convert(const Layout& src, int nBitCount, const RGBQUAD* pTable, int nColours, BOOL bHalftone)
{
    if (!IsTargetDepth(nBitCount))
        return NULL;
    const int nTable = nBitCount <= 8 ? 1 << nBitCount : 0;
    const LONGLONG nStride = Stride(src.nWidth, nBitCount);
    const LONGLONG nBits = nStride * src.nHeight;
    if (nBits <= 0 || nBits > kMaxBitsBytes)
        return NULL;

    InfoWithTable info;
    memset(&info, 0, sizeof(info));
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = src.nWidth;
    info.bmiHeader.biHeight = src.nHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = (WORD)nBitCount;
    info.bmiHeader.biCompression = BI_RGB;
    info.bmiHeader.biSizeImage = (DWORD)nBits;
    if (pTable != NULL)
        memcpy(info.bmiColors, pTable, (size_t)(nColours < nTable ? nColours : nTable) * sizeof(RGBQUAD));

    void* pSectionBits = NULL;
    HBITMAP hSection = ::CreateDIBSection(NULL, (BITMAPINFO*)&info, DIB_RGB_COLORS, &pSectionBits, NULL, 0);
    if (hSection == NULL || pSectionBits == NULL)
    {
        if (hSection != NULL)
            ::DeleteObject(hSection);
        return NULL;
    }

    bool bDrawn = false;
    HDC hDC = ::CreateCompatibleDC(NULL);
    if (hDC != NULL)
    {
        HGDIOBJ hOld = ::SelectObject(hDC, hSection);
        if (hOld != NULL)
        {
            ::SetStretchBltMode(hDC, bHalftone ? HALFTONE : COLORONCOLOR);
            if (bHalftone)
                ::SetBrushOrgEx(hDC, 0, 0, NULL);   // HALFTONE needs the origin set after the mode
            const int nLines = ::StretchDIBits(hDC, 0, 0, src.nWidth, src.nHeight, 0, 0, src.nWidth, src.nHeight,
                                               src.pBits, src.pInfo, DIB_RGB_COLORS, SRCCOPY);
            bDrawn = nLines > 0 && nLines != (int)GDI_ERROR;
            ::SelectObject(hDC, hOld);
        }
        ::DeleteDC(hDC);
    }

    HGLOBAL hResult = NULL;
    if (bDrawn)
    {
        ::GdiFlush();
        const SIZE_T cbInfo = sizeof(BITMAPINFOHEADER) + (SIZE_T)nTable * sizeof(RGBQUAD);
        hResult = ::GlobalAlloc(GMEM_MOVEABLE, cbInfo + (SIZE_T)nBits);
        BYTE* pResult = hResult != NULL ? (BYTE*)::GlobalLock(hResult) : NULL;
        if (pResult != NULL)
        {
            memcpy(pResult, &info, cbInfo);
            memcpy(pResult + cbInfo, pSectionBits, (size_t)nBits);
            ::GlobalUnlock(hResult);
        }
        else if (hResult != NULL)
        {
            ::GlobalFree(hResult);
            hResult = NULL;
        }
    }
    ::DeleteObject(hSection);
    return hResult;
}
}
