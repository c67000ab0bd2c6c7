// Where the parts of a DIB lie: one set of checks for bitmap files, callers' headers and
// clipboard blocks. See DibLayout.h.
#include "image/DibLayout.h"

namespace diblayout
{
namespace
{
uint32_t Read16(const uint8_t* p)
{
    return (uint32_t)p[0] | ((uint32_t)p[1] << 8);
}

uint32_t Read32(const uint8_t* p)
{
    return (uint32_t)p[0] | ((uint32_t)p[1] << 8) | ((uint32_t)p[2] << 16) | ((uint32_t)p[3] << 24);
}

// Info-header sizes whose first 40 bytes are a BITMAPINFOHEADER: the plain header, the two
// extensions with masks and alpha, and the V4 and V5 headers.
bool IsKnownInfoHeaderSize(uint32_t nSize)
{
    return nSize == 40 || nSize == 52 || nSize == 56 || nSize == 108 || nSize == 124;
}

bool HasMasks(const InfoHeader& header)
{
    return header.nCompression == kCompressionBitfields && (header.nBitCount == 16 || header.nBitCount == 32);
}

// The checks every info header passes, whatever block it came in: a picture that a DIB
// section can hold. Fills the picture's geometry and the table or masks that follow.
Verdict JudgeInfo(const InfoHeader& header, TableRule rule, Layout& layout)
{
    if (!IsKnownInfoHeaderSize(header.nSize))
        return kHeaderSize;
    if (header.nPlanes != 1)
        return kPlanes;
    if (!IsSectionDepth(header.nBitCount))
        return kBitCount;
    if (header.nCompression != kCompressionRGB && !HasMasks(header))
        return kCompression;
    if (header.nWidth <= 0 || header.nHeight == 0)
        return kDimensions;

    const uint64_t nRows = header.nHeight < 0 ? (uint64_t)(-(int64_t)header.nHeight) : (uint64_t)header.nHeight;
    const uint64_t nStride = RowBytes(header.nWidth, header.nBitCount);
    // Both factors are below 2^32, so the product cannot overflow 64 bits.
    const uint64_t nImageBytes = nStride * nRows;
    if (nImageBytes == 0 || nImageBytes > kMaxImageBytes)
        return kDimensions;

    layout.header = header;
    layout.nStride = (uint32_t)nStride;
    layout.nRows = (uint32_t)nRows;
    layout.bTopDown = header.nHeight < 0;
    layout.nImageBytes = nImageBytes;

    const uint32_t nDepthEntries = DepthTableEntries(header.nBitCount);
    layout.nTableEntries = nDepthEntries;
    if (rule == kTableAsDescribed && header.nClrUsed != 0 && header.nClrUsed < nDepthEntries)
        layout.nTableEntries = header.nClrUsed;
    layout.nTableOffset = header.nSize;
    layout.bMasks = HasMasks(header);
    // The masks sit right after the 40-byte part: after a plain header, or inside a longer
    // one at the same place.
    layout.nMasksOffset = kInfoHeaderBytes;

    uint64_t nInfoBytes = header.nSize + 4ull * layout.nTableEntries;
    if (layout.bMasks && nInfoBytes < kInfoHeaderBytes + kMaskBytes)
        nInfoBytes = kInfoHeaderBytes + kMaskBytes;
    layout.nInfoBytes = nInfoBytes;
    return kUsable;
}

void Clear(Layout& layout)
{
    layout = Layout();
}
}

bool IsSectionDepth(uint32_t nBitCount)
{
    switch (nBitCount)
    {
    case 1: case 4: case 8: case 16: case 24: case 32:
        return true;
    default:
        return false;
    }
}

uint32_t DepthTableEntries(uint32_t nBitCount)
{
    switch (nBitCount)
    {
    case 1: return 2;
    case 3: return 8;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
    }
}

uint64_t RowBytes(int64_t nWidth, uint32_t nBitCount)
{
    if (nWidth <= 0)
        return 0;
    return (((uint64_t)nWidth * nBitCount + 31) & ~31ull) / 8;
}

InfoHeader ReadInfoHeader(const uint8_t* p)
{
    InfoHeader header;
    header.nSize = Read32(p);
    header.nWidth = (int32_t)Read32(p + 4);
    header.nHeight = (int32_t)Read32(p + 8);
    header.nPlanes = (uint16_t)Read16(p + 12);
    header.nBitCount = (uint16_t)Read16(p + 14);
    header.nCompression = Read32(p + 16);
    header.nSizeImage = Read32(p + 20);
    header.nXPelsPerMeter = (int32_t)Read32(p + 24);
    header.nYPelsPerMeter = (int32_t)Read32(p + 28);
    header.nClrUsed = Read32(p + 32);
    header.nClrImportant = Read32(p + 36);
    return header;
}

namespace
{
// The start every block with an info header at its head shares: the 40 bytes are there and
// the header describes a picture a section can hold.
Verdict JudgeBlockHeader(const uint8_t* pBlock, size_t cbBlock, TableRule rule, Layout& found)
{
    if (pBlock == NULL || cbBlock < kInfoHeaderBytes)
        return kTooShort;
    return JudgeInfo(ReadInfoHeader(pBlock), rule, found);
}
}

Verdict DescribeInfo(const uint8_t* pInfo, size_t cbInfo, TableRule rule, Layout& layout)
{
    Clear(layout);
    Layout found = Layout();
    const Verdict verdict = JudgeBlockHeader(pInfo, cbInfo, rule, found);
    if (verdict != kUsable)
        return verdict;
    if (found.nInfoBytes > cbInfo)
        return kTooShort;

    found.nBitsOffset = 0;
    const uint32_t nSizeImage = found.header.nSizeImage;
    found.nBitsBytes = nSizeImage != 0 && nSizeImage < found.nImageBytes ? nSizeImage : found.nImageBytes;
    layout = found;
    return kUsable;
}

Verdict DescribePackedDIB(const uint8_t* pBlock, size_t cbBlock, Layout& layout)
{
    Clear(layout);
    Layout found = Layout();
    const Verdict verdict = JudgeBlockHeader(pBlock, cbBlock, kTableAsDescribed, found);
    if (verdict != kUsable)
        return verdict;

    // The rows follow the full table of the depth, whatever biClrUsed says.
    uint64_t nBitsOffset = found.header.nSize;
    if (found.header.nBitCount <= 8)
        nBitsOffset += 4ull * DepthTableEntries(found.header.nBitCount);
    else if (found.bMasks)
        nBitsOffset += kMaskBytes;
    if (found.nInfoBytes > nBitsOffset || nBitsOffset > cbBlock || found.nImageBytes > cbBlock - nBitsOffset)
        return kTooShort;

    found.nBitsOffset = nBitsOffset;
    found.nBitsBytes = found.nImageBytes;
    layout = found;
    return kUsable;
}

Verdict DescribeBitmapFile(const uint8_t* pHead, size_t cbHead, uint64_t cbFile, Layout& layout)
{
    Clear(layout);
    if (pHead == NULL || cbHead > cbFile)
        return kTooShort;
    if (cbHead < kFileHeaderBytes)
        return kTooShort;
    if (Read16(pHead) != 0x4D42)   // "BM"
        return kNotBitmapFile;
    const uint32_t nFileSize = Read32(pHead + 2);
    const uint32_t nOffBits = Read32(pHead + 10);

    if (cbHead < kFileHeaderBytes + kInfoHeaderBytes)
        return kTooShort;
    Layout found = Layout();
    found.header = ReadInfoHeader(pHead + kFileHeaderBytes);
    if (found.header.nSize != kInfoHeaderBytes)
        return kHeaderSize;

    // The table length follows the bit depth alone; bit-field pictures have their masks.
    found.nTableOffset = kFileHeaderBytes + kInfoHeaderBytes;
    found.nMasksOffset = found.nTableOffset;
    found.bMasks = HasMasks(found.header);
    found.nTableEntries = found.bMasks ? 0 : DepthTableEntries(found.header.nBitCount);
    found.nInfoBytes = found.nTableOffset + (found.bMasks ? kMaskBytes : 4ull * found.nTableEntries);
    if (found.nInfoBytes > cbHead)
        return kTooShort;

    // The pixel data lies inside the file: a lying header can neither make the reader run
    // past the end nor ask for more memory than the file holds.
    if (nFileSize <= nOffBits || nOffBits > cbFile || (uint64_t)(nFileSize - nOffBits) > cbFile - nOffBits)
        return kPixelDataRange;
    found.nBitsOffset = nOffBits;
    found.nBitsBytes = nFileSize - nOffBits;
    layout = found;
    return kUsable;
}

const char* VerdictName(Verdict verdict)
{
    switch (verdict)
    {
    case kUsable: return "usable";
    case kTooShort: return "too short";
    case kNotBitmapFile: return "not a bitmap file";
    case kHeaderSize: return "header size";
    case kPlanes: return "planes";
    case kBitCount: return "bit count";
    case kCompression: return "compression";
    case kDimensions: return "dimensions";
    case kPixelDataRange: return "pixel data range";
    }
    return "unknown";
}
}
