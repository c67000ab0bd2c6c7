// Checks of bitmap files beyond what the imaging component's reader checks.
#include "image/BitmapFileCheck.h"
#include <string.h>

namespace bitmapcheck
{
namespace
{
const ULONGLONG kFileHeaderSize = 14;
// No scanner or printer comes near 25 400 dots an inch.
const LONG kMaxPelsPerMeter = 1000000;

inline DWORD Read32(const BYTE* p) { return (DWORD)p[0] | (DWORD)p[1] << 8 | (DWORD)p[2] << 16 | (DWORD)p[3] << 24; }
inline WORD Read16(const BYTE* p) { return (WORD)(p[0] | p[1] << 8); }

// Walks run-length data (RLE8 or RLE4) over a picture of nWidth x nRows pixels: every run and
// every absolute stretch must stay inside its row, every move inside the picture, every index
// inside the table, and the data must reach its end-of-picture code.
BOOL IsSoundRunLength(const BYTE* p, ULONGLONG n, BOOL bFourBits, ULONGLONG nWidth, ULONGLONG nRows, UINT nEntries)
{
    auto indexOk = [&](BYTE b, ULONGLONG nCount) {
        if (!bFourBits)
            return b < nEntries;
        return (UINT)(b >> 4) < nEntries && (nCount < 2 || (UINT)(b & 15) < nEntries);
    };
    ULONGLONG x = 0, y = 0, i = 0;
    while (i + 2 <= n)
    {
        const BYTE count = p[i], code = p[i + 1];
        i += 2;
        if (count != 0)
        {
            if (y >= nRows || x + count > nWidth || !indexOk(code, count))
                return FALSE;
            x += count;
            continue;
        }
        switch (code)
        {
        case 0:   // end of line
            x = 0;
            if (++y > nRows)
                return FALSE;
            break;
        case 1:   // end of picture
            return TRUE;
        case 2:   // move right and up
            if (i + 2 > n)
                return FALSE;
            x += p[i];
            y += p[i + 1];
            i += 2;
            if (x > nWidth || y > nRows)
                return FALSE;
            break;
        default:  // `code` pixels as they are, padded to a whole word
        {
            const ULONGLONG nBytes = bFourBits ? (code + 1u) / 2 : code;
            if (y >= nRows || x + code > nWidth || i + nBytes > n)
                return FALSE;
            for (ULONGLONG k = 0; k < nBytes; k++)
                if (!indexOk(p[i + k], bFourBits && k == nBytes - 1 && (code & 1) ? 1 : 2))
                    return FALSE;
            x += code;
            i += (nBytes + 1) & ~1ull;
            break;
        }
        }
    }
    return FALSE;   // the data ended before its end-of-picture code
}

// Every index of uncompressed 1-, 4- or 8-bit rows below nEntries.
BOOL IndicesInTable(const BYTE* p, ULONGLONG nStride, ULONGLONG nWidth, ULONGLONG nRows, UINT nBits, UINT nEntries)
{
    if (nEntries >= (1u << nBits))
        return TRUE;
    for (ULONGLONG y = 0; y < nRows; y++)
    {
        const BYTE* row = p + y * nStride;
        for (ULONGLONG x = 0; x < nWidth; x++)
        {
            const UINT nIndex = nBits == 8 ? row[x]
                              : nBits == 4 ? (row[x / 2] >> (x % 2 ? 0 : 4)) & 15
                                           : (row[x / 8] >> (7 - x % 8)) & 1;
            if (nIndex >= nEntries)
                return FALSE;
        }
    }
    return TRUE;
}
}

BOOL IsSound(const BYTE* pFile, ULONGLONG nFile)
{
    if (nFile < 2 || pFile[0] != 'B' || pFile[1] != 'M')
        return TRUE;
    if (nFile < kFileHeaderSize + 16)
        return FALSE;
    const DWORD bfSize = Read32(pFile + 2), bfOffBits = Read32(pFile + 10);
    const BYTE* pInfo = pFile + kFileHeaderSize;
    const DWORD biSize = Read32(pInfo);
    const BOOL bCore = biSize == 12;
    if (!(bCore || biSize == 16 || biSize == 40 || biSize == 52 || biSize == 56 || biSize == 64 || biSize == 108 ||
          biSize == 124) ||
        nFile < kFileHeaderSize + biSize)
        return FALSE;
    if ((bfSize != 0 && bfSize > nFile) || bfOffBits < kFileHeaderSize + biSize || bfOffBits >= nFile)
        return FALSE;

    const LONGLONG nWidth = bCore ? (LONGLONG)Read16(pInfo + 4) : (LONGLONG)(LONG)Read32(pInfo + 4);
    const LONGLONG nHeight = bCore ? (LONGLONG)Read16(pInfo + 6) : (LONGLONG)(LONG)Read32(pInfo + 8);
    const UINT nPlanes = Read16(pInfo + (bCore ? 8 : 12)), nBits = Read16(pInfo + (bCore ? 10 : 14));
    // The fields past the first sixteen bytes are there in every longer header.
    const BOOL bLong = biSize >= 40;
    const DWORD biCompression = bLong ? Read32(pInfo + 16) : BI_RGB;
    const DWORD biSizeImage = bLong ? Read32(pInfo + 20) : 0;
    const LONG nXPels = bLong ? (LONG)Read32(pInfo + 24) : 0, nYPels = bLong ? (LONG)Read32(pInfo + 28) : 0;
    const DWORD biClrUsed = bLong ? Read32(pInfo + 32) : 0;
    if (nPlanes != 1 || nWidth <= 0 || nHeight == 0)
        return FALSE;
    if (nXPels > kMaxPelsPerMeter || nXPels < -kMaxPelsPerMeter || nYPels > kMaxPelsPerMeter ||
        nYPels < -kMaxPelsPerMeter)
        return FALSE;
    if (nBits <= 8 && biClrUsed > (1u << nBits))
        return FALSE;
    // Embedded JPEG and PNG pictures and the rarer header kinds are left to the reader.
    if (biSize == 16 || biSize == 64 || biCompression == BI_JPEG || biCompression == BI_PNG)
        return TRUE;

    const ULONGLONG nRows = nHeight < 0 ? (ULONGLONG)-nHeight : (ULONGLONG)nHeight;
    const ULONGLONG nData = nFile - bfOffBits;
    const BYTE* pData = pFile + bfOffBits;
    // Table entries the pixels may use: what the header says, and what the file holds.
    const ULONGLONG nEntrySize = bCore ? 3 : 4;
    const ULONGLONG nTableRoom = (bfOffBits - kFileHeaderSize - biSize) / nEntrySize;
    ULONGLONG nEntries = nBits <= 8 ? (biClrUsed != 0 ? biClrUsed : 1u << nBits) : 0;
    if (nEntries > nTableRoom)
        nEntries = nTableRoom;

    if (biCompression == BI_RLE8 || biCompression == BI_RLE4)
    {
        if (nHeight < 0 || nBits != (biCompression == BI_RLE8 ? 8u : 4u) || (biSizeImage != 0 && biSizeImage > nData))
            return FALSE;
        return IsSoundRunLength(pData, biSizeImage != 0 ? biSizeImage : nData, biCompression == BI_RLE4,
                                (ULONGLONG)nWidth, nRows, (UINT)nEntries);
    }
    if (nBits != 1 && nBits != 2 && nBits != 4 && nBits != 8 && nBits != 16 && nBits != 24 && nBits != 32)
        return FALSE;
    const ULONGLONG nStride = (((ULONGLONG)nWidth * nBits + 31) / 32) * 4;
    if (nStride * nRows > nData || (biSizeImage != 0 && biSizeImage > nData))
        return FALSE;
    if (nBits == 1 || nBits == 4 || nBits == 8)
        return IndicesInTable(pData, nStride, (ULONGLONG)nWidth, nRows, nBits, (UINT)nEntries);
    return TRUE;
}

BOOL IsSoundFile(LPCTSTR lpszPath)
{
    HANDLE hFile = ::CreateFile(lpszPath, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    BOOL bSound = FALSE;
    LARGE_INTEGER size;
    if (::GetFileSizeEx(hFile, &size) && size.QuadPart > 0)
    {
        // Only the first two bytes are read of a file that is no bitmap file.
        BYTE magic[2] = {0, 0};
        DWORD nRead = 0;
        if (!::ReadFile(hFile, magic, 2, &nRead, NULL) || nRead != 2 || magic[0] != 'B' || magic[1] != 'M')
            bSound = TRUE;
        else if (HANDLE hMapping = ::CreateFileMapping(hFile, NULL, PAGE_READONLY, 0, 0, NULL))
        {
            if (const void* pView = ::MapViewOfFile(hMapping, FILE_MAP_READ, 0, 0, 0))
            {
                bSound = IsSound((const BYTE*)pView, (ULONGLONG)size.QuadPart);
                ::UnmapViewOfFile(pView);
            }
            ::CloseHandle(hMapping);
        }
    }
    else
    {
        bSound = TRUE;   // an empty file: the reader refuses it itself
    }
    ::CloseHandle(hFile);
    return bSound;
}
}
