// CToolBar::LoadBitmap: a button-image strip from the resource chain, in the system colours.
#include "ThreadState.h"
#include <afxext.h>

namespace
{
// The colours of button art and the system colours they stand for.
struct SysColorMap
{
    COLORREF crFrom;
    int nSysColor;
};
const SysColorMap kSysColorMap[] = {
    { RGB(0x00, 0x00, 0x00), COLOR_BTNTEXT },
    { RGB(0x80, 0x80, 0x80), COLOR_BTNSHADOW },
    { RGB(0xC0, 0xC0, 0xC0), COLOR_BTNFACE },
    { RGB(0xFF, 0xFF, 0xFF), COLOR_BTNHIGHLIGHT },
};

// A screen bitmap made from a packed DIB resource whose colour table entries for black,
// dark grey, light grey and white are replaced by the button colours. Bitmaps without a
// colour table are taken as they are. NULL for a malformed resource.
HBITMAP LoadSysColorBitmap(HINSTANCE hInst, HRSRC hRsrc)
{
    HGLOBAL hGlobal = ::LoadResource(hInst, hRsrc);
    DWORD cbResource = ::SizeofResource(hInst, hRsrc);
    const BYTE* pResource = hGlobal != NULL ? (const BYTE*)::LockResource(hGlobal) : NULL;
    if (pResource == NULL || cbResource < sizeof(BITMAPINFOHEADER))
        return NULL;
    BITMAPINFOHEADER header;
    ::CopyMemory(&header, pResource, sizeof(header));
    WORD nBits = header.biBitCount;
    if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biSize > cbResource || header.biWidth <= 0 ||
        header.biHeight == 0 || header.biPlanes != 1 ||
        (nBits != 1 && nBits != 4 && nBits != 8 && nBits != 16 && nBits != 24 && nBits != 32) ||
        (header.biCompression != BI_RGB && header.biCompression != BI_BITFIELDS))
        return NULL;
    DWORD nColors = header.biClrUsed;
    if (nColors == 0 && nBits <= 8)
        nColors = 1u << nBits;
    if (nColors > 256)
        return NULL;
    DWORD cbMasks = (header.biCompression == BI_BITFIELDS && header.biSize == sizeof(BITMAPINFOHEADER)) ? 12 : 0;
    DWORD cbInfo = header.biSize + cbMasks + nColors * sizeof(RGBQUAD);
    LONGLONG nHeight = header.biHeight < 0 ? -(LONGLONG)header.biHeight : header.biHeight;
    LONGLONG cbBits = ((LONGLONG)header.biWidth * nBits + 31) / 32 * 4 * nHeight;
    if (cbInfo > cbResource || cbBits > (LONGLONG)(cbResource - cbInfo))
        return NULL;

    BYTE* pInfo = new BYTE[cbInfo];
    ::CopyMemory(pInfo, pResource, cbInfo);
    RGBQUAD* pTable = (RGBQUAD*)(pInfo + header.biSize + cbMasks);
    for (DWORD i = 0; i < nColors; ++i)
    {
        COLORREF cr = RGB(pTable[i].rgbRed, pTable[i].rgbGreen, pTable[i].rgbBlue);
        for (const SysColorMap& map : kSysColorMap)
        {
            if (cr != map.crFrom)
                continue;
            COLORREF crTo = ::GetSysColor(map.nSysColor);
            pTable[i].rgbRed = GetRValue(crTo);
            pTable[i].rgbGreen = GetGValue(crTo);
            pTable[i].rgbBlue = GetBValue(crTo);
            break;
        }
    }
    HDC hScreen = ::GetDC(NULL);
    HBITMAP hbm = ::CreateDIBitmap(hScreen, (const BITMAPINFOHEADER*)pInfo, CBM_INIT, pResource + cbInfo,
                                   (const BITMAPINFO*)pInfo, DIB_RGB_COLORS);
    ::ReleaseDC(NULL, hScreen);
    delete[] pInfo;
    return hbm;
}
}

BOOL CToolBar::LoadBitmap(LPCTSTR lpszResourceName)
{
    if (lpszResourceName == NULL || m_hWnd == NULL)
        return FALSE;
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_BITMAP);
    HRSRC hRsrc = ::FindResource(hInst, lpszResourceName, RT_BITMAP);
    if (hRsrc == NULL)
        return FALSE;
    HBITMAP hbm = LoadSysColorBitmap(hInst, hRsrc);
    return hbm != NULL && SetBitmap(hbm);
}
