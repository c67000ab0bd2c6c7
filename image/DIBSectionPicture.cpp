// CDIBSection: picture files of every common format (PNG, JPEG, GIF, TIFF, icons and bitmaps
// of every kind), read and written through the imaging codecs of PictureCodec.h. A picture
// is decoded into a section of its own and takes the image's place only when it is whole.
#include "image/DIBSection.h"
#include "image/BitmapFileCheck.h"
#include "image/DibLayout.h"
#include "image/PictureCodec.h"
#include "image/ReplacingFile.h"
#include <string.h>
#include <memory>
#include <new>

namespace
{
// The format a file name asks for: .png, or .bmp and .dib; 0 for anything else.
DWORD FormatFromExtension(LPCTSTR lpszPathName)
{
    LPCTSTR pszDot = NULL;
    for (LPCTSTR p = lpszPathName; *p != 0; p = ::CharNext(p))
    {
        if (*p == _T('.'))
            pszDot = p;
        else if (*p == _T('\\') || *p == _T('/'))
            pszDot = NULL;
    }
    if (pszDot == NULL)
        return 0;
    if (_tcsicmp(pszDot, _T(".png")) == 0)
        return PNT_PICTURE_PNG;
    if (_tcsicmp(pszDot, _T(".bmp")) == 0 || _tcsicmp(pszDot, _T(".dib")) == 0)
        return PNT_PICTURE_BMP;
    return 0;
}

// Writes a memory block to the file through a temporary beside it: a failed write leaves
// whatever was there before.
BOOL WriteBlockReplacing(LPCTSTR lpszPathName, HGLOBAL hBlock, SIZE_T cbSize)
{
    const void* pData = ::GlobalLock(hBlock);
    if (pData == NULL)
        return FALSE;
    BOOL bWritten = FALSE;
    try
    {
        CReplacingFile output;
        if (output.Open(lpszPathName))
        {
            const BYTE* p = (const BYTE*)pData;
            for (SIZE_T nLeft = cbSize; nLeft > 0;)
            {
                const UINT nChunk = nLeft > 0x10000000 ? 0x10000000u : (UINT)nLeft;
                output.File().Write(p, nChunk);
                p += nChunk;
                nLeft -= nChunk;
            }
            bWritten = output.Commit();
        }
    }
    catch (CException* e)
    {
        // A full disk or a failing device: the temporary file is gone, the target untouched.
        e->Delete();
        bWritten = FALSE;
    }
    ::GlobalUnlock(hBlock);
    return bWritten;
}

// Bitmap files with colour masks other than 5-5-5, 5-6-5 and 8-8-8 (V3 masks after the
// header, or the masks of a V4 or V5 header): the imaging component refuses them, while a
// DIB section takes any masks. The masks sit at the same offset in either case.
BOOL ReadMaskedBitmap(LPCTSTR lpszPathName, CDIBSection& masked)
{
    CFile file;
    if (!file.Open(lpszPathName, CFile::modeRead | CFile::shareDenyWrite))
        return FALSE;
    const ULONGLONG nLength = file.GetLength();
    const ULONGLONG kHeadBytes = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + 3 * sizeof(DWORD);
    if (nLength < kHeadBytes || nLength > diblayout::kMaxImageBytes + 0x10000)
        return FALSE;
    std::unique_ptr<BYTE[]> pFile(new (std::nothrow) BYTE[(size_t)nLength]);
    if (!pFile || file.Read(pFile.get(), (UINT)nLength) != (UINT)nLength)
        return FALSE;

    const BITMAPFILEHEADER* pbfh = (const BITMAPFILEHEADER*)pFile.get();
    struct
    {
        BITMAPINFOHEADER bmiHeader;
        DWORD dwMasks[3];
    } info;
    memcpy(&info, pFile.get() + sizeof(BITMAPFILEHEADER), sizeof(info));
    const DWORD biSize = info.bmiHeader.biSize;
    if (pbfh->bfType != 0x4D42 || (biSize != 40 && biSize != 52 && biSize != 56 && biSize != 108 && biSize != 124) ||
        info.bmiHeader.biCompression != BI_BITFIELDS ||
        (info.bmiHeader.biBitCount != 16 && info.bmiHeader.biBitCount != 32) || pbfh->bfOffBits >= nLength)
        return FALSE;
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biClrUsed = 0;
    info.bmiHeader.biSizeImage = (DWORD)(nLength - pbfh->bfOffBits);
    return masked.SetBitmap((BITMAPINFO*)&info, pFile.get() + pbfh->bfOffBits);
}
}

BOOL CDIBSection::LoadPicture(LPCTSTR lpszPathName, COLORREF crBackground, DWORD dwFlags)
{
    if (lpszPathName == NULL || !bitmapcheck::IsSoundFile(lpszPathName))
        return FALSE;
    picturecodec::CPictureReader reader;
    if (!reader.Open(lpszPathName, (dwFlags & PNT_PICTURE_KEEP_ALPHA) != 0, diblayout::kMaxImageBytes))
    {
        // Colour masks the imaging component does not know: the section reads them, and GDI
        // turns them into 24-bit colour.
        CDIBSection masked, picture;
        if (!ReadMaskedBitmap(lpszPathName, masked) ||
            !picture.CreateBlankSection(masked.GetWidth(), masked.GetHeight(), 24, NULL, 0))
            return FALSE;
        BITMAPINFOHEADER bih24 = picture.m_DIBInfo.bmiHeader;
        HDC hScreenDC = ::GetDC(NULL);
        const int nRows = hScreenDC != NULL ? ::GetDIBits(hScreenDC, masked.m_hBitmap, 0, (UINT)masked.GetHeight(),
                                                          picture.m_pBits, (BITMAPINFO*)&bih24, DIB_RGB_COLORS)
                                            : 0;
        if (hScreenDC != NULL)
            ::ReleaseDC(NULL, hScreenDC);
        if (nRows != masked.GetHeight())
            return FALSE;
        TakeOverSection(picture);
        return TRUE;
    }

    // Decoded into a section of its own: a file that breaks off half way costs nothing.
    CDIBSection picture;
    if (!picture.CreateBlankSection((int)reader.GetWidth(), (int)reader.GetHeight(), (int)reader.GetBitCount(),
                                    reader.GetColorTable(), reader.GetColorTableSize()))
        return FALSE;
    ::GdiFlush();
    if (!reader.ReadRows((BYTE*)picture.m_pBits, (UINT)BytesPerLine(picture.GetWidth(), picture.GetBitCount()),
                         crBackground))
        return FALSE;
    TakeOverSection(picture);
    return TRUE;
}

BOOL CDIBSection::CreateBlankSection(int cx, int cy, int nBitCount, const RGBQUAD* pTable, UINT nTableEntries)
{
    DeleteObject();
    if (cx <= 0 || cy <= 0)
        return FALSE;
    const ULONGLONG nBytes = (ULONGLONG)BytesPerLine(cx, nBitCount) * (ULONGLONG)cy;
    if (nBytes == 0 || nBytes > diblayout::kMaxImageBytes)
        return FALSE;

    m_nColorTableSize = NumColorEntries(nBitCount);
    SetInfoHeader(cx, cy, nBitCount, (DWORD)nBytes);
    if (pTable != NULL)
        memcpy(m_DIBInfo.arColors, pTable,
               sizeof(RGBQUAD) * (nTableEntries < (UINT)m_nColorTableSize ? nTableEntries : (UINT)m_nColorTableSize));

    HDC hScreenDC = ::GetDC(NULL);
    if (hScreenDC == NULL)
    {
        DeleteObject();
        return FALSE;
    }
    m_hBitmap = ::CreateDIBSection(hScreenDC, (BITMAPINFO*)&m_DIBInfo, DIB_RGB_COLORS, &m_pBits, NULL, 0);
    ::ReleaseDC(NULL, hScreenDC);
    if (m_hBitmap == NULL || m_pBits == NULL || !CreatePalette())
    {
        _ShowLastError();
        DeleteObject();
        return FALSE;
    }
    return TRUE;
}

void CDIBSection::TakeOverSection(CDIBSection& src)
{
    // GDI deletes no bitmap that a DC still holds: end the loan of this image's DC first.
    if (m_MemDC.GetSafeHdc() != NULL)
        ReleaseMemoryDC(TRUE);
    DeleteObject();
    m_hBitmap = src.m_hBitmap;
    m_pBits = src.m_pBits;
    memcpy(&m_DIBInfo, &src.m_DIBInfo, sizeof(m_DIBInfo));
    m_nColorUsage = src.m_nColorUsage;
    m_nColorTableSize = src.m_nColorTableSize;
    m_Palette.Attach(src.m_Palette.Detach());
    src.m_hBitmap = NULL;
    src.m_pBits = NULL;
    src.DeleteObject();
}

BOOL CDIBSection::SavePicture(LPCTSTR lpszPathName, DWORD dwFormat, DWORD dwFlags)
{
    if (lpszPathName == NULL || !IsValid() || m_pBits == NULL)
        return FALSE;
    if (dwFormat == PNT_PICTURE_FROM_EXTENSION)
        dwFormat = FormatFromExtension(lpszPathName);

    if (dwFormat == PNT_PICTURE_BMP)
    {
        try
        {
            return Save(lpszPathName);
        }
        catch (CException* e)
        {
            e->Delete();
            return FALSE;
        }
    }
    if (dwFormat != PNT_PICTURE_PNG)
        return FALSE;

    // 24-bit rows and, when asked, 32-bit rows with their alpha go out as they are held;
    // every other depth (palettes, 16 bits, colour masks) is read out as 24-bit colour first.
    const BITMAPINFOHEADER& bih = m_DIBInfo.bmiHeader;
    const int cx = GetWidth(), cy = GetHeight();
    UINT nBitCount = 24;
    const BYTE* pRows = (const BYTE*)m_pBits;
    std::unique_ptr<BYTE[]> pConverted;
    ::GdiFlush();
    if (bih.biCompression == BI_RGB && bih.biBitCount == 32 && (dwFlags & PNT_PICTURE_KEEP_ALPHA) != 0)
    {
        nBitCount = 32;
    }
    else if (bih.biCompression != BI_RGB || bih.biBitCount != 24)
    {
        const size_t nBytes = (size_t)BytesPerLine(cx, 24) * (size_t)cy;
        pConverted.reset(new (std::nothrow) BYTE[nBytes]);
        if (!pConverted)
            return FALSE;
        BITMAPINFOHEADER bih24 = {};
        bih24.biSize = sizeof(bih24);
        bih24.biWidth = cx;
        bih24.biHeight = cy;
        bih24.biPlanes = 1;
        bih24.biBitCount = 24;
        bih24.biCompression = BI_RGB;
        HDC hScreenDC = ::GetDC(NULL);
        const int nRows = hScreenDC != NULL
            ? ::GetDIBits(hScreenDC, m_hBitmap, 0, (UINT)cy, pConverted.get(), (BITMAPINFO*)&bih24, DIB_RGB_COLORS)
            : 0;
        if (hScreenDC != NULL)
            ::ReleaseDC(NULL, hScreenDC);
        if (nRows != cy)
            return FALSE;
        pRows = pConverted.get();
    }

    SIZE_T cbSize = 0;
    HGLOBAL hPng = picturecodec::EncodePng((UINT)cx, (UINT)cy, nBitCount, pRows, (UINT)BytesPerLine(cx, (int)nBitCount),
                                           &cbSize);
    if (hPng == NULL)
        return FALSE;
    const BOOL bWritten = WriteBlockReplacing(lpszPathName, hPng, cbSize);
    ::GlobalFree(hPng);
    return bWritten;
}

CString CDIBSection::GetPictureFilter(BOOL bForSaving)
{
    if (bForSaving)
        return _T("Bitmap Files (*.bmp)|*.bmp|PNG Files (*.png)|*.png||");
    return _T("All Pictures|*.bmp;*.dib;*.rle;*.png;*.jpg;*.jpeg;*.jpe;*.jfif;*.gif;*.tif;*.tiff;*.ico|")
           _T("Bitmap Files (*.bmp;*.dib;*.rle)|*.bmp;*.dib;*.rle|")
           _T("PNG Files (*.png)|*.png|")
           _T("JPEG Files (*.jpg;*.jpeg;*.jpe;*.jfif)|*.jpg;*.jpeg;*.jpe;*.jfif|")
           _T("GIF Files (*.gif)|*.gif|")
           _T("TIFF Files (*.tif;*.tiff)|*.tif;*.tiff|")
           _T("Icons (*.ico)|*.ico|")
           _T("All Files (*.*)|*.*||");
}
