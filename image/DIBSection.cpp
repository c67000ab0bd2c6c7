// CDIBSection: life cycle, taking images over, copying and resizing, pixel access, the lent
// memory DC and the dither switch.
#include "image/DIBSection.h"
#include "image/DibLayout.h"
#include "image/DIBSectionUI.h"
#include "image/PntGdiSelect.h"
#include <stdint.h>
#include <string.h>

IMPLEMENT_DYNCREATE(CDIBSection, CObject)

namespace
{
// Largest pixel block that this class allocates for one image: the readers' bound too.
const LONGLONG kMaxImageBytes = (LONGLONG)diblayout::kMaxImageBytes;

// Row stride and size of an uncompressed DIB in 64 bits, so that absurd headers cannot
// overflow the arithmetic. 0 when the dimensions are not usable.
LONGLONG Stride64(LONGLONG nWidth, LONGLONG nBitsPerPixel)
{
    return ((nWidth * nBitsPerPixel + 31) & ~31LL) / 8;
}

LONGLONG ImageBytes64(LONGLONG nWidth, LONGLONG nHeight, LONGLONG nBitsPerPixel)
{
    if (nWidth <= 0 || nHeight <= 0 || nBitsPerPixel <= 0)
        return 0;
    return Stride64(nWidth, nBitsPerPixel) * nHeight;
}

}

namespace
{
// Constant-initialised, so the library's start-up may install its interface from any file.
IDIBSectionUI* s_pUserInterface = NULL;
}

IDIBSectionUI* CDIBSection::SetUserInterface(IDIBSectionUI* pUI)
{
    IDIBSectionUI* pOld = s_pUserInterface;
    s_pUserInterface = pUI;
    return pOld;
}

IDIBSectionUI* CDIBSection::GetUserInterface()
{
    return s_pUserInterface;
}

CDIBSection::CDIBSection()
{
    m_bOleInitialized = FALSE;
    // Clipboard pastes go through OLE data objects: make sure OLE is up on this thread
    // unless the application already did it. S_FALSE (already initialised) also counts,
    // since every successful call must be balanced by OleUninitialize.
    if (!AfxGetThreadState()->m_bNeedTerm)
    {
        HRESULT hr = ::OleInitialize(NULL);
        if (SUCCEEDED(hr))
            m_bOleInitialized = TRUE;
        else if (s_pUserInterface != NULL)
            s_pUserInterface->ShowError(
                _T("OLE initialization failed. Make sure that the OLE libraries are the correct version"));
    }

    m_hBitmap = NULL;
    m_pBits = NULL;
    m_bDither = FALSE;
    m_hDrawDib = NULL;
    DeleteObject();
    m_hOldBitmap = NULL;
    m_pOldPalette = NULL;
    m_pColorArray = NULL;
}

CDIBSection::~CDIBSection()
{
    // The lent DC goes first: GDI cannot delete a bitmap that is still selected.
    if (m_MemDC.GetSafeHdc() != NULL)
        ReleaseMemoryDC(TRUE);
    DeleteObject();
    if (m_hDrawDib != NULL)
    {
        ::DrawDibClose(m_hDrawDib);
        m_hDrawDib = NULL;
    }
    if (m_bOleInitialized)
        ::OleUninitialize();
}

HBITMAP CDIBSection::GetSafeHandle() const
{
    // Read `this` back through a volatile so the null test survives optimisation.
    const CDIBSection* volatile pThis = this;
    const CDIBSection* p = pThis;
    return p != NULL ? p->m_hBitmap : NULL;
}

void CDIBSection::DeleteObject()
{
    if (m_hBitmap != NULL)
        ::DeleteObject(m_hBitmap);
    m_hBitmap = NULL;
    m_pBits = NULL;
    m_Palette.DeleteObject();
    memset(&m_DIBInfo, 0, sizeof(m_DIBInfo));
    if (m_hDrawDib != NULL)
    {
        ::DrawDibClose(m_hDrawDib);
        m_hDrawDib = NULL;
    }
    m_bDither = FALSE;
    m_nColorUsage = DIB_RGB_COLORS;
    m_nColorTableSize = 0;
}

int CDIBSection::NumColorEntries(int nBitsPerPixel)
{
    switch (nBitsPerPixel)
    {
    case 1: return 2;
    case 3: return 8;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
    }
}

int CDIBSection::BytesPerLine(int nWidth, int nBitsPerPixel)
{
    return (int)Stride64(nWidth, nBitsPerPixel);
}

BOOL CDIBSection::UsesPalette(CDC* pDC)
{
    if (pDC == NULL || pDC->GetSafeHdc() == NULL)
        return FALSE;
    return (pDC->GetDeviceCaps(RASTERCAPS) & RC_PALETTE) != 0;
}

void CDIBSection::SetInfoHeader(int cx, int cy, int nBitCount, DWORD nSizeImage)
{
    BITMAPINFOHEADER& bih = m_DIBInfo.bmiHeader;
    memset(&bih, 0, sizeof(bih));
    bih.biSize = sizeof(BITMAPINFOHEADER);
    bih.biWidth = cx;
    bih.biHeight = cy;
    bih.biPlanes = 1;
    bih.biBitCount = (WORD)nBitCount;
    bih.biCompression = BI_RGB;
    bih.biSizeImage = nSizeImage;
}

BOOL CDIBSection::CreateBitmap(int cx, int cy, UINT nPlanes, UINT nBitsPerPixel, const void* pBits,
                               LOGPALETTE* pPalette, CStringArray* pColorArray)
{
    DeleteObject();

    m_nColorTableSize = NumColorEntries((int)(nPlanes * nBitsPerPixel));
    m_pColorArray = pColorArray;

    const int nBitCount = (nBitsPerPixel == 3) ? 4 : (int)nBitsPerPixel;
    // Only bottom-up images of a sane size; the depth itself is left to CreateDIBSection.
    const LONGLONG nBytes = ImageBytes64(cx, cy, nBitCount);
    if (nBytes <= 0 || nBytes > kMaxImageBytes)
    {
        DeleteObject();
        return FALSE;
    }

    SetInfoHeader(cx, cy, nBitCount, (DWORD)nBytes);
    m_DIBInfo.bmiHeader.biClrUsed = (nBitsPerPixel == 3) ? 8 : 0;
    m_nColorUsage = DIB_RGB_COLORS;

    // The palette also fills the held colour table, which becomes the new section's table.
    if (pPalette == NULL)
    {
        CPalette palette;
        CreateHalftonePalette(palette, m_nColorTableSize != 0 ? m_nColorTableSize : 256);
        SetPalette(&palette);
    }
    else
    {
        SetLogPalette(pPalette);
    }

    CDC memDC;
    if (!memDC.CreateCompatibleDC(NULL))
    {
        DeleteObject();
        return FALSE;
    }
    CPntSelectPalette selPalette(memDC.GetSafeHdc(), (HPALETTE)m_Palette.GetSafeHandle(), TRUE, TRUE);

    m_hBitmap = ::CreateDIBSection(memDC.GetSafeHdc(), (BITMAPINFO*)&m_DIBInfo, DIB_RGB_COLORS,
                                   &m_pBits, NULL, 0);
    if (m_hBitmap == NULL)
    {
        _ShowLastError();
        selPalette.Restore();   // before DeleteObject frees the palette
        DeleteObject();
        return FALSE;
    }

    Clear(RGB(255, 255, 255));

    if (pBits != NULL)
        ::SetDIBits(memDC.GetSafeHdc(), m_hBitmap, 0, (UINT)cy, pBits, (BITMAPINFO*)&m_DIBInfo,
                    DIB_RGB_COLORS);

    selPalette.Restore();
    return TRUE;
}

BOOL CDIBSection::SetBitmap(BITMAPINFO* pInfo, void* pBits)
{
    DeleteObject();
    if (pInfo == NULL || pBits == NULL)
        return FALSE;
    // The caller's header vouches for its block: only the table it describes is read
    // (biClrUsed entries when it says so), and biSizeImage bytes of bits when it says fewer.
    diblayout::Layout layout;
    if (diblayout::DescribeInfo((const BYTE*)pInfo, SIZE_MAX, diblayout::kTableAsDescribed, layout) !=
        diblayout::kUsable)
    {
        _ShowLastError();
        return FALSE;
    }
    return TakeOver((const BYTE*)pInfo, layout, pBits);
}

BOOL CDIBSection::TakeOver(const BYTE* pInfo, const diblayout::Layout& layout, const void* pBits)
{
    DeleteObject();
    HDC hScreenDC = NULL;
    try
    {
        m_nColorTableSize = NumColorEntries(layout.header.nBitCount);
        memcpy(&m_DIBInfo.bmiHeader, pInfo, sizeof(BITMAPINFOHEADER));
        BITMAPINFOHEADER& bih = m_DIBInfo.bmiHeader;
        // Only the first 40 bytes are kept, so the copy is a plain info header.
        bih.biSize = sizeof(BITMAPINFOHEADER);
        bih.biHeight = (LONG)layout.nRows;
        // A table longer than the depth allows (or than the room we have) means the full table.
        if (m_nColorTableSize != 0 ? bih.biClrUsed > (DWORD)m_nColorTableSize : bih.biClrUsed > 256)
            bih.biClrUsed = 0;

        // What the layout does not cover stays zero (DeleteObject cleared the table): the
        // entries a short table leaves out read as black.
        if (layout.bMasks)
            memcpy(m_DIBInfo.arColors, pInfo + layout.nMasksOffset, diblayout::kMaskBytes);
        else if (layout.nTableEntries != 0)
            memcpy(m_DIBInfo.arColors, pInfo + layout.nTableOffset, layout.nTableEntries * sizeof(RGBQUAD));

        hScreenDC = ::GetDC(NULL);
        if (hScreenDC == NULL)
            AfxThrowResourceException();
        m_hBitmap = ::CreateDIBSection(hScreenDC, (BITMAPINFO*)&m_DIBInfo, m_nColorUsage, &m_pBits, NULL, 0);
        ::ReleaseDC(NULL, hScreenDC);
        hScreenDC = NULL;
        if (m_hBitmap == NULL || m_pBits == NULL)
            AfxThrowResourceException();

        // Never more than the layout says the caller holds (a short file says so), nor more
        // than the section holds. What is missing stays zero.
        const LONGLONG nSectionBytes = (LONGLONG)layout.nImageBytes;
        const LONGLONG nAvailable = (LONGLONG)layout.nBitsBytes < nSectionBytes ? (LONGLONG)layout.nBitsBytes
                                                                                 : nSectionBytes;
        bih.biSizeImage = (DWORD)nSectionBytes;

        ::GdiFlush();
        if (!layout.bTopDown)
        {
            memcpy(m_pBits, pBits, (size_t)nAvailable);
        }
        else
        {
            // Top-down rows are stored bottom-up, so every image of the class has one row order.
            const LONGLONG nStride = layout.nStride, nHeight = layout.nRows;
            for (LONGLONG nRow = 0; nRow < nHeight; nRow++)
            {
                const LONGLONG nOffset = nRow * nStride;
                if (nOffset >= nAvailable)
                    break;
                const LONGLONG nCount = nAvailable - nOffset < nStride ? nAvailable - nOffset : nStride;
                memcpy((BYTE*)m_pBits + (nHeight - 1 - nRow) * nStride, (const BYTE*)pBits + nOffset,
                       (size_t)nCount);
            }
        }

        if (!CreatePalette())
            AfxThrowResourceException();
        return TRUE;
    }
    catch (CException* e)
    {
        e->Delete();
        _ShowLastError();
        if (hScreenDC != NULL)
            ::ReleaseDC(NULL, hScreenDC);
        DeleteObject();
        return FALSE;
    }
}

BOOL CDIBSection::SetBitmap(HBITMAP hBitmap, CPalette* pPalette)
{
    DeleteObject();
    BITMAP bm;
    if (hBitmap == NULL || ::GetObject(hBitmap, sizeof(bm), &bm) == 0)
        return FALSE;

    const int nHeight = bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight;
    const LONGLONG nBytes = ImageBytes64(bm.bmWidth, nHeight, bm.bmBitsPixel);
    if (nBytes <= 0 || nBytes > kMaxImageBytes)
        return FALSE;

    HDC hScreenDC = NULL;
    HDC hSrcDC = NULL;
    HDC hDstDC = NULL;
    try
    {
        CWindowDC screenDC(NULL);
        hScreenDC = screenDC.GetSafeHdc();

        m_nColorTableSize = NumColorEntries(bm.bmBitsPixel);
        BITMAPINFOHEADER& bih = m_DIBInfo.bmiHeader;
        bih.biSize = sizeof(BITMAPINFOHEADER);
        bih.biWidth = bm.bmWidth;
        bih.biHeight = nHeight;
        bih.biPlanes = 1;
        bih.biBitCount = bm.bmBitsPixel;
        bih.biCompression = BI_RGB;
        bih.biSizeImage = (DWORD)nBytes;
        bih.biXPelsPerMeter = 0;
        bih.biYPelsPerMeter = 0;
        bih.biClrUsed = 0;
        bih.biClrImportant = 0;

        // Completes the header and fills the colour table from the bitmap.
        if (::GetDIBits(hScreenDC, hBitmap, 0, (UINT)nHeight, NULL, (BITMAPINFO*)&m_DIBInfo,
                        DIB_RGB_COLORS) == 0)
            AfxThrowResourceException();
        bih.biHeight = nHeight;
        if (bih.biSizeImage == 0)
            bih.biSizeImage = (DWORD)nBytes;

        if (pPalette != NULL)
            SetPalette(pPalette);

        HPALETTE hPalette = (HPALETTE)m_Palette.GetSafeHandle();
        {
            CPntSelectPalette selScreenPalette(hScreenDC, hPalette, TRUE, TRUE);
            m_hBitmap = ::CreateDIBSection(hScreenDC, (BITMAPINFO*)&m_DIBInfo, m_nColorUsage, &m_pBits, NULL, 0);
        }
        if (m_hBitmap == NULL)
            AfxThrowResourceException();

        if (pPalette == NULL)
            CreatePalette();
        hPalette = (HPALETTE)m_Palette.GetSafeHandle();

        hSrcDC = ::CreateCompatibleDC(hScreenDC);
        hDstDC = ::CreateCompatibleDC(hScreenDC);
        if (hSrcDC == NULL || hDstDC == NULL)
            AfxThrowResourceException();
        bool bSelected;
        {
            CPntSelectPalette selSrcPalette(hSrcDC, hPalette, TRUE, TRUE);
            CPntSelectPalette selDstPalette(hDstDC, hPalette, TRUE, TRUE);
            ::GdiFlush();
            CPntSelectObject selSrc(hSrcDC, hBitmap);
            CPntSelectObject selDst(hDstDC, m_hBitmap);
            // A bitmap that is selected into another DC cannot be read here.
            bSelected = selSrc.IsSelected() && selDst.IsSelected();
            if (bSelected)
                ::BitBlt(hDstDC, 0, 0, bm.bmWidth, nHeight, hSrcDC, 0, 0, SRCCOPY);
        }
        ::DeleteDC(hSrcDC);
        ::DeleteDC(hDstDC);
        hSrcDC = hDstDC = NULL;
        if (!bSelected)
            AfxThrowResourceException();
        return TRUE;
    }
    catch (CException* e)
    {
        // The screen DC's palette was restored right after use and the DC itself released
        // when its object went out of scope.
        e->Delete();
        _ShowLastError();
        if (hSrcDC != NULL)
            ::DeleteDC(hSrcDC);
        if (hDstDC != NULL)
            ::DeleteDC(hDstDC);
        DeleteObject();
        return FALSE;
    }
}

BOOL CDIBSection::SetBitmap(UINT nResourceID)
{
    return SetBitmap(MAKEINTRESOURCE(nResourceID));
}

BOOL CDIBSection::SetBitmap(LPCTSTR lpszResourceName)
{
    // The resource chain finds the library's own bitmaps as well as the host's.
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_BITMAP);
    HBITMAP hLoaded = (HBITMAP)::LoadImage(hInst, lpszResourceName, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    if (hLoaded == NULL)
    {
        DeleteObject();
        return FALSE;
    }
    BOOL bResult = SetBitmap(hLoaded, NULL);
    ::DeleteObject(hLoaded);
    return bResult;
}

BOOL CDIBSection::Copy(CDIBSection& src)
{
    if (&src == this)
        return IsValid();
    if (!CopyBitsInPlace(src) && !SetBitmap(src.GetBitmapInfo(), src.GetDIBits()))
        return FALSE;
    // The section takes the source's held table, which may differ from the source's own.
    SetColorTable((UINT)src.GetColorTableSize(), src.GetColorTable());
    CreatePalette();
    SetDither(src.GetDither());
    return TRUE;
}

BOOL CDIBSection::CopyBitsInPlace(CDIBSection& src)
{
    // Only for an image of exactly the same layout; anything else takes the full path.
    const BITMAPINFOHEADER& mine = m_DIBInfo.bmiHeader;
    const BITMAPINFOHEADER& theirs = src.m_DIBInfo.bmiHeader;
    if (!IsValid() || !src.IsValid() || m_pBits == NULL || src.m_pBits == NULL ||
        mine.biWidth != theirs.biWidth || mine.biHeight != theirs.biHeight ||
        mine.biBitCount != theirs.biBitCount || mine.biCompression != theirs.biCompression ||
        mine.biClrUsed != theirs.biClrUsed || m_nColorTableSize != src.m_nColorTableSize)
        return FALSE;
    if (mine.biCompression == BI_BITFIELDS && memcmp(m_DIBInfo.arColors, src.m_DIBInfo.arColors, 3 * sizeof(DWORD)) != 0)
        return FALSE;
    const LONGLONG nBytes = ImageBytes64(mine.biWidth, mine.biHeight, mine.biBitCount);
    if (nBytes <= 0)
        return FALSE;

    // The same state as re-creating the section from the source: its header and held table,
    // its bits, a palette rebuilt by the caller, and dithering off until the caller says.
    ::GdiFlush();
    memcpy(m_pBits, src.m_pBits, (size_t)nBytes);
    m_DIBInfo = src.m_DIBInfo;
    m_DIBInfo.bmiHeader.biSizeImage = (DWORD)nBytes;
    SetDither(FALSE);
    return TRUE;
}

BOOL CDIBSection::Resize(int cx, int cy, UINT nPlanes, UINT nBitsPerPixel, POINT* ptOffset)
{
    struct
    {
        WORD palVersion;
        WORD palNumEntries;
        PALETTEENTRY palPalEntry[256];
    } logPalette;
    logPalette.palVersion = 0x300;
    logPalette.palNumEntries = 0;
    LOGPALETTE* pPalette = (LOGPALETTE*)&logPalette;

    switch (nBitsPerPixel)
    {
    case 1:
        logPalette.palNumEntries = 2;
        logPalette.palPalEntry[0] = ms_StdColors[0];
        logPalette.palPalEntry[1] = ms_StdColors[255];
        break;
    case 4:
        logPalette.palNumEntries = 16;
        for (int i = 0; i < 8; i++)
        {
            logPalette.palPalEntry[i] = ms_StdColors[i];
            logPalette.palPalEntry[8 + i] = ms_StdColors[248 + i];
        }
        break;
    case 8:
        if (m_Palette.GetSafeHandle() != NULL)
        {
            // The current colours first, the standard ones where the current palette ends.
            logPalette.palNumEntries = 256;
            memcpy(logPalette.palPalEntry, ms_StdColors, sizeof(logPalette.palPalEntry));
            m_Palette.GetPaletteEntries(0, 256, logPalette.palPalEntry);
        }
        else
        {
            pPalette = NULL;
        }
        break;
    default:
        pPalette = GetLogPalette();
        break;
    }

    CDIBSection temp;
    if (!temp.CreateBitmap(cx, cy, nPlanes, nBitsPerPixel, NULL, pPalette, NULL))
        return FALSE;
    temp.Clear(0x02FFFFFF);

    CDC* pMemDC = temp.GetMemoryDC(NULL, TRUE);
    if (pMemDC == NULL)
        return FALSE;
    {
        CPntSelectPalette selPalette(pMemDC->GetSafeHdc(), (HPALETTE)m_Palette.GetSafeHandle(), TRUE, TRUE);
        Draw(pMemDC, CPoint(0, 0), ptOffset, NULL);
    }
    temp.ReleaseMemoryDC();

    DeleteObject();
    return Copy(temp);
}

COLORREF CDIBSection::GetPixel(int x, int y)
{
    CDC* pDC = GetMemoryDC(NULL, TRUE);
    if (pDC == NULL)
        return 0;
    COLORREF cr = pDC->GetPixel(x, y);
    ReleaseMemoryDC();
    return cr;
}

BOOL CDIBSection::SetPixel(int x, int y, COLORREF cr)
{
    CDC* pDC = GetMemoryDC(NULL, TRUE);
    if (pDC == NULL)
        return FALSE;
    BOOL bResult = pDC->SetPixelV(x, y, cr);
    ReleaseMemoryDC();
    return bResult;
}

LPBYTE CDIBSection::GetDIBitsRow(int nRow)
{
    if (m_pBits == NULL)
        return NULL;
    return (LPBYTE)m_pBits +
           (INT_PTR)nRow * BytesPerLine(m_DIBInfo.bmiHeader.biWidth, m_DIBInfo.bmiHeader.biBitCount);
}

CDC* CDIBSection::GetMemoryDC(CDC* pDC, BOOL bSelectPalette)
{
    if (m_MemDC.GetSafeHdc() != NULL)
    {
        ::GdiFlush();
        ReleaseMemoryDC(TRUE);
    }
    // An empty image has nothing to lend: a DC without it would draw into GDI's stock bitmap.
    if (m_hBitmap == NULL)
        return NULL;
    if (!m_MemDC.CreateCompatibleDC(pDC))
        return NULL;

    m_hOldBitmap = ::SelectObject(m_MemDC.GetSafeHdc(), m_hBitmap);
    if (m_hOldBitmap == NULL)
    {
        m_MemDC.DeleteDC();
        return NULL;
    }

    m_pOldPalette = NULL;
    if (bSelectPalette && UsesPalette(&m_MemDC))
    {
        if (m_Palette.GetSafeHandle() == NULL)
            CreatePalette();
        if (m_Palette.GetSafeHandle() != NULL)
        {
            m_pOldPalette = m_MemDC.SelectPalette(&m_Palette, FALSE);
            m_MemDC.RealizePalette();
        }
    }
    return &m_MemDC;
}

BOOL CDIBSection::ReleaseMemoryDC(BOOL /*bForce*/)
{
    if (m_MemDC.GetSafeHdc() == NULL)
        return TRUE;
    if (m_hOldBitmap != NULL)
    {
        ::SelectObject(m_MemDC.GetSafeHdc(), m_hOldBitmap);
        m_hOldBitmap = NULL;
    }
    if (m_pOldPalette != NULL)
    {
        m_MemDC.SelectPalette(m_pOldPalette, TRUE);
        m_pOldPalette = NULL;
    }
    return m_MemDC.DeleteDC();
}

BOOL CDIBSection::SetDither(BOOL bDither)
{
    if (!bDither == !m_bDither && (m_hDrawDib != NULL) == (bDither != FALSE))
        return TRUE;
    if (!bDither && m_hDrawDib != NULL)
    {
        ::DrawDibClose(m_hDrawDib);
        m_hDrawDib = NULL;
    }
    m_bDither = bDither;
    return TRUE;
}

BOOL CDIBSection::GetDither() const
{
    // Palettised images are shown through their palette; dithering is for deep images only.
    return m_bDither && m_DIBInfo.bmiHeader.biBitCount > 8;
}

HDRAWDIB CDIBSection::GetDrawDibContext()
{
    if (!GetDither())
        return NULL;
    if (m_hDrawDib == NULL)
        m_hDrawDib = ::DrawDibOpen();
    return m_hDrawDib;
}

void CDIBSection::_ShowLastError()
{
}
