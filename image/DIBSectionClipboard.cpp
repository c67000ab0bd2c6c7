// CDIBSection and the clipboard: copying a rectangle out as CF_DIB, pasting CF_BITMAP or CF_DIB
// (through the image settings dialog when the picture needs converting) into a rectangle,
// pasting with a colour key, and asking what the clipboard holds. Everything read from the
// clipboard is bounded by the size of its memory block.
#include "image/DIBSection.h"
#include "image/PntGdiSelect.h"
#include "image/DibLayout.h"
#include "image/DIBSectionUI.h"
#include <afxole.h>
#include <stdlib.h>
#include <string.h>
#include <vector>

namespace
{
// Largest pixel block that is copied out or taken in.
const LONGLONG kMaxBitsBytes = (LONGLONG)diblayout::kMaxImageBytes;

LONGLONG Stride64(LONGLONG nWidth, LONGLONG nBitCount)
{
    return ((nWidth * nBitCount + 31) & ~31LL) / 8;
}

// The clipboard opened without an owner window; closed when this goes out of scope.
class CClipboardOpen
{
public:
    CClipboardOpen() : m_bOpen(::OpenClipboard(NULL) != FALSE) {}
    ~CClipboardOpen()
    {
        if (m_bOpen)
            ::CloseClipboard();
    }
    bool IsOpen() const { return m_bOpen; }

private:
    bool m_bOpen;
};

// A clipboard medium, released when this goes out of scope.
class CMedium
{
public:
    CMedium() { memset(&m_stg, 0, sizeof(m_stg)); }
    ~CMedium()
    {
        if (m_stg.tymed != TYMED_NULL)
            ::ReleaseStgMedium(&m_stg);
    }
    STGMEDIUM* Ptr() { return &m_stg; }
    const STGMEDIUM& Get() const { return m_stg; }

private:
    STGMEDIUM m_stg;
};

// A global block owned here and freed when this goes out of scope.
class COwnedGlobal
{
public:
    explicit COwnedGlobal(HGLOBAL hGlobal = NULL) : m_hGlobal(hGlobal) {}
    ~COwnedGlobal()
    {
        if (m_hGlobal != NULL)
            ::GlobalFree(m_hGlobal);
    }
    HGLOBAL Get() const { return m_hGlobal; }

private:
    HGLOBAL m_hGlobal;
};

// A packed DIB in a global block, locked. Valid only when the header, the colour part and
// every row lie inside the block (see diblayout::DescribePackedDIB): an uncompressed (or
// bit-field) picture of a depth that a DIB section can have, its rows after the full table.
class CLockedDIB
{
public:
    explicit CLockedDIB(HGLOBAL hDIB) : m_hDIB(hDIB), m_pBlock(NULL), m_bValid(false)
    {
        m_pBlock = hDIB != NULL ? (const BYTE*)::GlobalLock(hDIB) : NULL;
        if (m_pBlock != NULL)
            m_bValid = diblayout::DescribePackedDIB(m_pBlock, ::GlobalSize(hDIB), m_layout) == diblayout::kUsable;
    }
    ~CLockedDIB()
    {
        if (m_pBlock != NULL)
            ::GlobalUnlock(m_hDIB);
    }
    bool IsValid() const { return m_bValid; }
    int GetBitCount() const { return m_layout.header.nBitCount; }
    const BYTE* GetInfo() const { return m_pBlock; }
    const diblayout::Layout& GetLayout() const { return m_layout; }
    const BYTE* GetBits() const { return m_pBlock + m_layout.nBitsOffset; }

private:
    HGLOBAL m_hDIB;
    const BYTE* m_pBlock;
    bool m_bValid;
    diblayout::Layout m_layout;
};

// The rows of hBitmap as 5-6-5 words into pBits (bottom-up, padded rows). Wine's GetDIBits
// ignores the masks that it is given for a 16-bit result from a bitmap of another depth and
// returns black, so 32-bit rows are read, a band at a time, and packed here, truncating each
// channel as GDI does.
BOOL GetBits565(HDC hDC, HBITMAP hBitmap, int nWidth, int nHeight, BYTE* pBits)
{
    const int kBand = 64;
    const size_t nStride = (size_t)Stride64(nWidth, 16);
    std::vector<DWORD> band((size_t)nWidth * kBand);
    for (int nStart = 0; nStart < nHeight; nStart += kBand)
    {
        const int nRows = nHeight - nStart < kBand ? nHeight - nStart : kBand;
        struct
        {
            BITMAPINFOHEADER bmiHeader;
            DWORD masks[4];
        } info = {{sizeof(BITMAPINFOHEADER), nWidth, nHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {0, 0, 0, 0}};
        if (::GetDIBits(hDC, hBitmap, (UINT)nStart, (UINT)nRows, band.data(), (BITMAPINFO*)&info, DIB_RGB_COLORS) !=
            nRows)
            return FALSE;
        for (int nRow = 0; nRow < nRows; nRow++)
        {
            WORD* pOut = (WORD*)(pBits + (size_t)(nStart + nRow) * nStride);
            const DWORD* pIn = &band[(size_t)nRow * nWidth];
            for (int x = 0; x < nWidth; x++)
                pOut[x] = (WORD)(((pIn[x] >> 8) & 0xF800) | ((pIn[x] >> 5) & 0x07E0) | ((pIn[x] >> 3) & 0x001F));
        }
    }
    return TRUE;
}

// The clip region of hDC limited to rc.
void ClipTo(HDC hDC, const CRect& rc)
{
    ::SelectClipRgn(hDC, NULL);
    ::IntersectClipRect(hDC, rc.left, rc.top, rc.right, rc.bottom);
}
}

int CDIBSection::IsDataAvailable()
{
    UINT nFormats[1] = {CF_BITMAP};
    const int nFormat = ::GetPriorityClipboardFormat(nFormats, 1);
    return nFormat > 0 ? nFormat : 0;
}

BOOL CDIBSection::GetClipboardImageInfo(BITMAP* pInfo)
{
    if (pInfo == NULL || !::IsClipboardFormatAvailable(CF_BITMAP))
        return FALSE;
    CClipboardOpen clipboard;
    if (!clipboard.IsOpen())
        return FALSE;
    HBITMAP hBitmap = (HBITMAP)::GetClipboardData(CF_BITMAP);
    return hBitmap != NULL && ::GetObject(hBitmap, sizeof(BITMAP), pInfo) != 0;
}

CSize CDIBSection::ClipboardImageSize()
{
    BITMAP bm;
    if (!GetClipboardImageInfo(&bm))
        return CSize(0, 0);
    return CSize(bm.bmWidth, bm.bmHeight);
}

BOOL CDIBSection::CopyToClipboard(RECT* prc)
{
    if (!IsValid())
        return FALSE;
    const CRect rc = prc != NULL ? CRect(*prc) : CRect(0, 0, GetWidth(), GetHeight());
    const int nWidth = rc.Width(), nHeight = rc.Height(), nBitCount = GetBitCount();
    const LONGLONG nBitsBytes = Stride64(nWidth, nBitCount) * nHeight;
    if (nWidth <= 0 || nHeight <= 0 || nBitsBytes > kMaxBitsBytes)
        return FALSE;

    // The rectangle is rendered into a bitmap of the screen's format, then read back in the
    // image's own format.
    HDC hScreenDC = ::GetWindowDC(NULL);
    if (hScreenDC == NULL)
        return FALSE;
    CBitmap bitmap;
    CDC memDC;
    bitmap.Attach(::CreateCompatibleBitmap(hScreenDC, nWidth, nHeight));
    memDC.Attach(::CreateCompatibleDC(hScreenDC));
    ::ReleaseDC(NULL, hScreenDC);
    if (bitmap.GetSafeHandle() == NULL || memDC.GetSafeHdc() == NULL)
        return FALSE;

    CPntSelectObject selBitmap(memDC.GetSafeHdc(), bitmap.GetSafeHandle());
    if (!selBitmap.IsSelected())
        return FALSE;
    CPntSelectPalette palette;
    palette.Select(memDC.GetSafeHdc(), (HPALETTE)m_Palette.GetSafeHandle());
    CPoint ptSource = rc.TopLeft();
    CSize size(nWidth, nHeight);
    Draw(&memDC, CPoint(0, 0), &ptSource, &size);
    selBitmap.Restore();   // GetDIBits needs the bitmap free

    const SIZE_T nColourBytes = nBitCount <= 8 ? (SIZE_T)4 << nBitCount : nBitCount == 16 ? 3 * sizeof(DWORD) : 0;
    const SIZE_T nInfoBytes = sizeof(BITMAPINFOHEADER) + nColourBytes;
    HGLOBAL hBlock = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, nInfoBytes + (SIZE_T)nBitsBytes);
    BYTE* pBlock = hBlock != NULL ? (BYTE*)::GlobalLock(hBlock) : NULL;
    if (pBlock == NULL)
    {
        if (hBlock != NULL)
            ::GlobalFree(hBlock);
        return FALSE;
    }

    BITMAPINFOHEADER* pHeader = (BITMAPINFOHEADER*)pBlock;
    pHeader->biSize = sizeof(BITMAPINFOHEADER);
    pHeader->biWidth = nWidth;
    pHeader->biHeight = nHeight;
    pHeader->biPlanes = 1;
    pHeader->biBitCount = (WORD)nBitCount;
    pHeader->biCompression = nBitCount == 16 ? BI_BITFIELDS : BI_RGB;
    const DWORD masks565[3] = {0xF800, 0x07E0, 0x001F};
    if (nBitCount == 16)
        memcpy(pBlock + sizeof(BITMAPINFOHEADER), masks565, sizeof(masks565));

    // With the image's palette realised in the DC, palettised pixels come out as indices of
    // the image's own colours. The second call completes the header.
    const HDC hMemDC = memDC.GetSafeHdc();
    const HBITMAP hBitmap = (HBITMAP)bitmap.GetSafeHandle();
    if (nBitCount == 16)
        GetBits565(hMemDC, hBitmap, nWidth, nHeight, pBlock + nInfoBytes);
    else
        ::GetDIBits(hMemDC, hBitmap, 0, (UINT)nHeight, pBlock + nInfoBytes, (BITMAPINFO*)pBlock, DIB_PAL_COLORS);
    ::GetDIBits(hMemDC, hBitmap, 0, (UINT)nHeight, NULL, (BITMAPINFO*)pBlock, DIB_RGB_COLORS);
    palette.Restore();
    memDC.DeleteDC();

    // The second call may have put the bitmap's masks in place of ours.
    if (nBitCount == 16)
        memcpy(pBlock + sizeof(BITMAPINFOHEADER), masks565, sizeof(masks565));
    // The first call left palette indices where the colours go.
    if (nBitCount <= 8)
        memcpy(pBlock + sizeof(BITMAPINFOHEADER), m_DIBInfo.arColors, nColourBytes);
    ::GlobalUnlock(hBlock);

    // Whether the clipboard opens is not checked: when another window holds it the block is
    // not placed (and freed here), and the copy still reports success.
    BOOL bPlaced = FALSE;
    {
        CClipboardOpen clipboard;
        ::EmptyClipboard();
        bPlaced = ::SetClipboardData(CF_DIB, hBlock) != NULL;
    }
    if (!bPlaced)
        ::GlobalFree(hBlock);
    return TRUE;
}

BOOL CDIBSection::GetClipboardData(RECT* prc, BOOL bUsePalette)
{
    COleDataObject data;
    if (!data.AttachClipboard())
        return FALSE;
    BOOL bResult = FALSE;
    if (data.IsDataAvailable(CF_BITMAP))
        bResult = PasteClipboardBitmapData(&data, prc, bUsePalette);
    data.Release();
    return bResult;
}

BOOL CDIBSection::PasteClipboardBitmapData(COleDataObject*, RECT* prc, BOOL bUsePalette)
{
    if (!::IsClipboardFormatAvailable(CF_BITMAP))
        return FALSE;
    CClipboardOpen clipboard;
    if (!clipboard.IsOpen())
        return FALSE;
    HBITMAP hBitmap = (HBITMAP)::GetClipboardData(CF_BITMAP);
    BITMAP bm;
    if (hBitmap == NULL || ::GetObject(hBitmap, sizeof(bm), &bm) == 0 || !IsValid())
        return FALSE;

    const CRect rcTarget = prc != NULL ? CRect(*prc) : CRect(0, 0, GetWidth(), GetHeight());
    HPALETTE hClipPalette =
        ::IsClipboardFormatAvailable(CF_PALETTE) ? (HPALETTE)::GetClipboardData(CF_PALETTE) : NULL;
    // The image takes the palette over before it lends its DC, where its palette may be selected.
    if (hClipPalette != NULL && bUsePalette)
        SetPalette(CPalette::FromHandle(hClipPalette));

    CDC sourceDC;
    if (!sourceDC.Attach(::CreateCompatibleDC(NULL)))
        return FALSE;
    CDC* pImageDC = GetMemoryDC(NULL, TRUE);
    if (pImageDC == NULL)
        return FALSE;
    const HDC hImageDC = pImageDC->GetSafeHdc();
    ClipTo(hImageDC, rcTarget);

    BOOL bResult = FALSE;
    {
        CPntSelectPalette sourcePalette, imagePalette;
        if (hClipPalette != NULL)
        {
            sourcePalette.Select(sourceDC.GetSafeHdc(), hClipPalette);
            if (bUsePalette)
                imagePalette.Select(hImageDC, hClipPalette);
        }
        CPntSelectObject selBitmap(sourceDC.GetSafeHdc(), hBitmap);
        if (selBitmap.IsSelected())
        {
            // The clip keeps the picture inside the target.
            ::BitBlt(hImageDC, rcTarget.left, rcTarget.top, bm.bmWidth, abs(bm.bmHeight), sourceDC.GetSafeHdc(), 0,
                     0, SRCCOPY);
            bResult = TRUE;
        }
    }
    ReleaseMemoryDC();
    return bResult;
}

BOOL CDIBSection::GetClipDitheredData(RECT* prc)
{
    COleDataObject data;
    if (!data.AttachClipboard())
        return FALSE;
    BOOL bResult = FALSE;
    if (data.IsDataAvailable(CF_DIB))
        bResult = PasteClipDitheredDIBData(&data, prc);
    else if (data.IsDataAvailable(CF_BITMAP))
        bResult = PasteClipboardBitmapData(&data, prc, FALSE);
    data.Release();
    return bResult;
}

BOOL CDIBSection::PasteClipDitheredDIBData(COleDataObject* pData, RECT* prc)
{
    if (pData == NULL || !IsValid())
        return FALSE;
    FORMATETC formatEtc = {CF_DIB, NULL, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    CMedium medium;
    if (!pData->GetData(CF_DIB, medium.Ptr(), &formatEtc))
        return FALSE;
    const HGLOBAL hClipDIB = medium.Get().hGlobal;
    if (medium.Get().tymed != TYMED_HGLOBAL || hClipDIB == NULL)
        return FALSE;

    int nDIBBitCount;
    {
        CLockedDIB dib(hClipDIB);
        if (!dib.IsValid())
            return FALSE;
        nDIBBitCount = dib.GetBitCount();
    }

    // A picture deeper than this image, or of more than two bits, is converted to this image's
    // depth and colours by the user interface (the image settings dialog, by default); its
    // result is ours to free.
    HGLOBAL hConverted = NULL;
    const int nBitCount = GetBitCount();
    if (nDIBBitCount > nBitCount || nDIBBitCount > 2)
    {
        const int nTableEntries = nBitCount == 4 ? 16 : nBitCount == 8 ? 256 : 0;
        COLORREF* pTable = nTableEntries != 0 ? CreateColorRefTbl() : NULL;
        // An eight-colour image holds fewer entries than a 4-bit table: the rest read as black.
        if (pTable != NULL && m_nColorTableSize < nTableEntries)
        {
            COLORREF* pFull = (COLORREF*)realloc(pTable, (size_t)nTableEntries * sizeof(COLORREF));
            if (pFull == NULL)
                free(pTable);
            pTable = pFull;
            for (int i = m_nColorTableSize; pTable != NULL && i < nTableEntries; i++)
                pTable[i] = RGB(m_DIBInfo.arColors[i].rgbRed, m_DIBInfo.arColors[i].rgbGreen,
                                m_DIBInfo.arColors[i].rgbBlue);
        }
        IDIBSectionUI* pUI = GetUserInterface();
        if (pUI != NULL)
            hConverted = pUI->ConvertPastedDIB(hClipDIB, nBitCount, nBitCount == 4 ? pTable : NULL,
                                               nBitCount == 8 ? pTable : NULL, m_pColorArray);
        free(pTable);
        if (hConverted == NULL)
            return FALSE;
    }
    COwnedGlobal converted(hConverted);

    CDIBSection picture;
    {
        CLockedDIB dib(hConverted != NULL ? hConverted : hClipDIB);
        if (!dib.IsValid() || !picture.TakeOver(dib.GetInfo(), dib.GetLayout(), dib.GetBits()))
            return FALSE;
    }

    const CRect rcTarget = prc != NULL ? CRect(*prc) : CRect(0, 0, picture.GetWidth(), picture.GetHeight());
    CDC* pImageDC = GetMemoryDC(NULL, TRUE);
    if (pImageDC == NULL)
        return FALSE;
    ClipTo(pImageDC->GetSafeHdc(), rcTarget);
    // GDI maps the picture's colours to this image's format.
    picture.Draw(pImageDC, rcTarget.TopLeft(), NULL, NULL);
    ReleaseMemoryDC();
    return TRUE;
}

BOOL CDIBSection::GetTransparentClipboardData(RECT* prc, COLORREF crTransparent, BOOL bUsePalette)
{
    if (!IsValid())
        return FALSE;
    const CRect rcTarget = prc != NULL ? CRect(*prc) : CRect(0, 0, GetWidth(), GetHeight());
    if (rcTarget.Width() <= 0 || rcTarget.Height() <= 0)
        return FALSE;

    // The clipboard picture goes into a picture of the target's size and this image's format,
    // which is the key colour wherever the clipboard picture does not reach.
    CDIBSection picture;
    if (!picture.CreateBitmap(rcTarget.Width(), rcTarget.Height(), (UINT)GetPlanes(), (UINT)GetBitCount(), NULL,
                              GetLogPalette(), NULL))
        return FALSE;
    picture.SetColorTable((UINT)GetColorTableSize(), GetColorTable());
    picture.CreatePalette();
    picture.Clear(crTransparent);
    if (!picture.GetClipboardData(NULL, bUsePalette))
        return FALSE;

    // The colours are taken over before the DC is lent: a section selected into a DC cannot
    // have its table changed.
    if (bUsePalette)
    {
        SetColorTable((UINT)picture.GetColorTableSize(), picture.GetColorTable());
        CreatePalette();
    }
    CDC* pImageDC = GetMemoryDC(NULL, TRUE);
    if (pImageDC == NULL)
        return FALSE;
    {
        CPntSelectPalette palette;
        if (bUsePalette)
            palette.Select(pImageDC->GetSafeHdc(), (HPALETTE)picture.GetPalette()->GetSafeHandle());
        picture.DrawTransparent(pImageDC, rcTarget.TopLeft(), crTransparent, NULL, NULL);
    }
    ReleaseMemoryDC();
    return TRUE;
}
