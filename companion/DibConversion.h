// Packed DIBs in global memory as the image settings dialog reads and makes them: where the
// parts of one lie, and a copy converted to another depth by GDI. Internal to the companion DLL.
#pragma once
#include <windows.h>
#include "image/DibLayout.h"

namespace dibconv
{
// The parts of a packed DIB: header (with its colour table or masks) and pixel rows.
struct Layout
{
    const BITMAPINFO* pInfo;
    const BYTE* pBits;
    LONG nWidth;
    LONG nHeight;   // rows, top-down or not
    int nBitCount;
};

// Finds the parts of the packed DIB at pBlock, cbBlock bytes long, as the library's paste does
// (diblayout::DescribePackedDIB): an uncompressed (or bit-field) picture whose header, colour
// part and rows all lie inside the block, the rows after the full table of the depth. False
// for anything else.
bool Locate(const void* pBlock, SIZE_T cbBlock, Layout& layout);

// Whether nBitCount is a depth that Convert makes: any a DIB section can have.
inline bool IsTargetDepth(int nBitCount)
{
    return nBitCount > 0 && diblayout::IsSectionDepth((uint32_t)nBitCount);
}

// A new packed DIB (movable global block, owned by the caller) of the source's size, bottom-up,
// nBitCount bits per pixel, BI_RGB, whose colour table is the nColours entries of pTable (the
// rest of a full table black); the source is drawn into it with StretchDIBits, in HALFTONE mode
// when bHalftone is set, else COLORONCOLOR. NULL on failure.
HGLOBAL Convert(const Layout& src, int nBitCount, const RGBQUAD* pTable, int nColours, BOOL bHalftone);
}
