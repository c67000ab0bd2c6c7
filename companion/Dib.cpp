// CDib: a packed device-independent bitmap in memory.
#include "companion/Dib.h"
#include "image/DibLayout.h"
#include <stdint.h>
#include <string.h>

IMPLEMENT_DYNAMIC(CDib, CObject)

namespace
{
// Largest picture the class takes: keeps every size computation inside 32 bits.
const LONGLONG kMaxBitsBytes = (LONGLONG)diblayout::kMaxImageBytes;

int ColourTableEntries(const BITMAPINFOHEADER& bih)
{
    if (bih.biBitCount > 8)
        return bih.biCompression == BI_BITFIELDS ? 3 : 0;
    int nMax = 1 << bih.biBitCount;
    if (bih.biClrUsed == 0 || bih.biClrUsed > (DWORD)nMax)
        return nMax;
    return (int)bih.biClrUsed;
}

LONGLONG BitsBytes(const BITMAPINFOHEADER& bih)
{
    LONGLONG stride = (((LONGLONG)bih.biWidth * bih.biBitCount + 31) / 32) * 4;
    LONGLONG rows = bih.biHeight < 0 ? -(LONGLONG)bih.biHeight : bih.biHeight;
    return stride * rows;
}

bool IsUsableHeader(const BITMAPINFOHEADER& bih)
{
    if (bih.biSize < sizeof(BITMAPINFOHEADER) || bih.biWidth <= 0 || bih.biHeight == 0 || bih.biPlanes != 1)
        return false;
    switch (bih.biBitCount)
    {
    case 1: case 4: case 8: case 16: case 24: case 32:
        break;
    default:
        return false;
    }
    if (bih.biCompression != BI_RGB && !(bih.biCompression == BI_BITFIELDS && bih.biBitCount >= 16))
        return false;
    return BitsBytes(bih) <= kMaxBitsBytes;
}
}

CDib::CDib() : m_pBMI(NULL), m_pBits(NULL)
{
}

CDib::~CDib()
{
    Empty();
}

void CDib::Empty()
{
    delete[] (BYTE*)m_pBMI;
    delete[] (BYTE*)m_pBits;
    m_pBMI = NULL;
    m_pBits = NULL;
}

BOOL CDib::Init(const BITMAPINFO* pInfo, const void* pBits)
{
    Empty();
    // The header vouches for its block: only the table it describes (or the masks after the
    // 40-byte part) is read, and biSizeImage bytes of bits when it says fewer than the rows.
    diblayout::Layout layout;
    if (pInfo == NULL || pBits == NULL ||
        diblayout::DescribeInfo((const BYTE*)pInfo, SIZE_MAX, diblayout::kTableAsDescribed, layout) !=
            diblayout::kUsable)
        return FALSE;
    // The copy always has the plain 40-byte header followed by its table or masks.
    BITMAPINFOHEADER bih = pInfo->bmiHeader;
    bih.biSize = sizeof(BITMAPINFOHEADER);
    const size_t cbColours = layout.bMasks ? diblayout::kMaskBytes : layout.nTableEntries * sizeof(RGBQUAD);
    const size_t cbInfo = sizeof(BITMAPINFOHEADER) + cbColours;
    const size_t cbBits = (size_t)layout.nImageBytes;
    BYTE* pInfoCopy = new BYTE[cbInfo];
    BYTE* pBitsCopy = new BYTE[cbBits];
    memcpy(pInfoCopy, &bih, sizeof(bih));
    const BYTE* pColours = (const BYTE*)pInfo + (layout.bMasks ? layout.nMasksOffset : layout.nTableOffset);
    memcpy(pInfoCopy + sizeof(bih), pColours, cbColours);
    memcpy(pBitsCopy, pBits, (size_t)layout.nBitsBytes);
    memset(pBitsCopy + layout.nBitsBytes, 0, cbBits - (size_t)layout.nBitsBytes);
    m_pBMI = (BITMAPINFO*)pInfoCopy;
    m_pBits = pBitsCopy;
    return TRUE;
}

BOOL CDib::Init(CDC* pDC, CBitmap* pBitmap, int nBitCount, int bMonochrome, int nUsage)
{
    Empty();
    if (pDC == NULL || pDC->GetSafeHdc() == NULL || pBitmap == NULL || pBitmap->GetSafeHandle() == NULL)
        return FALSE;
    BITMAP bm;
    if (pBitmap->GetObject(sizeof(bm), &bm) == 0 || bm.bmWidth <= 0 || bm.bmHeight <= 0)
        return FALSE;
    if (bMonochrome)
        nBitCount = 1;
    else if (nBitCount == 0)
        nBitCount = bm.bmBitsPixel * bm.bmPlanes;
    if (nUsage != DIB_RGB_COLORS && nUsage != DIB_PAL_COLORS)
        return FALSE;

    BITMAPINFOHEADER bih;
    ::ZeroMemory(&bih, sizeof(bih));
    bih.biSize = sizeof(bih);
    bih.biWidth = bm.bmWidth;
    bih.biHeight = bm.bmHeight;
    bih.biPlanes = 1;
    bih.biBitCount = (WORD)nBitCount;
    bih.biCompression = BI_RGB;
    if (!IsUsableHeader(bih))
        return FALSE;
    int nEntries = ColourTableEntries(bih);
    size_t cbInfo = sizeof(BITMAPINFOHEADER) + nEntries * sizeof(RGBQUAD);
    size_t cbBits = (size_t)BitsBytes(bih);
    BYTE* pInfo = new BYTE[cbInfo];
    BYTE* pBits = new BYTE[cbBits];
    memset(pInfo, 0, cbInfo);
    memcpy(pInfo, &bih, sizeof(bih));
    int nRows = ::GetDIBits(pDC->GetSafeHdc(), (HBITMAP)pBitmap->GetSafeHandle(), 0, bm.bmHeight, pBits,
                            (BITMAPINFO*)pInfo, (UINT)nUsage);
    if (nRows != bm.bmHeight)
    {
        delete[] pInfo;
        delete[] pBits;
        return FALSE;
    }
    // GetDIBits fills in biSizeImage and the table; the header must still describe the layout.
    BITMAPINFOHEADER* pHeader = (BITMAPINFOHEADER*)pInfo;
    pHeader->biSize = sizeof(BITMAPINFOHEADER);
    pHeader->biCompression = BI_RGB;
    pHeader->biClrUsed = nEntries > 0 && bih.biBitCount <= 8 ? (DWORD)nEntries : 0;
    m_pBMI = (BITMAPINFO*)pInfo;
    m_pBits = pBits;
    return TRUE;
}

int CDib::GetWidth() const
{
    return m_pBMI != NULL ? m_pBMI->bmiHeader.biWidth : 0;
}

int CDib::GetHeight() const
{
    if (m_pBMI == NULL)
        return 0;
    LONG cy = m_pBMI->bmiHeader.biHeight;
    return cy < 0 ? -cy : cy;
}

int CDib::GetBitCount() const
{
    return m_pBMI != NULL ? m_pBMI->bmiHeader.biBitCount : 0;
}

int CDib::GetStride() const
{
    return m_pBMI != NULL ? ((GetWidth() * GetBitCount() + 31) / 32) * 4 : 0;
}

BOOL CDib::Display(CDC* pDC, CPoint pt) const
{
    if (m_pBMI == NULL || pDC == NULL || pDC->GetSafeHdc() == NULL)
        return FALSE;
    int cx = GetWidth(), cy = GetHeight();
    return ::StretchDIBits(pDC->GetSafeHdc(), pt.x, pt.y, cx, cy, 0, 0, cx, cy, m_pBits, m_pBMI,
                           DIB_RGB_COLORS, SRCCOPY) != 0;
}
