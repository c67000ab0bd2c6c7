// Where the parts of a device-independent bitmap lie, decided from its bytes alone: the
// bitmap file ("BM" file header, info header, colour table, pixel data), a caller's
// BITMAPINFO with its colour table or masks, and a packed DIB block as the clipboard holds it.
// Every reader of the image class asks these functions first and reads only what they
// describe; a refusal means the bytes are not a picture that the class can take.
//
// Pure code: no Windows headers, no GDI, nothing but the bytes given. Multi-byte fields are
// read little-endian byte by byte, every size is computed in 64 bits and bounded, so the
// functions also build and run natively (the fuzz target in fuzz/ does).
#pragma once
#include <stddef.h>
#include <stdint.h>

namespace diblayout
{
const uint32_t kFileHeaderBytes = 14;
const uint32_t kInfoHeaderBytes = 40;
const uint32_t kMaskBytes = 12;                  // three DWORD colour masks
const uint64_t kMaxImageBytes = 1ull << 30;      // largest pixel block taken in
const uint32_t kCompressionRGB = 0;
const uint32_t kCompressionBitfields = 3;

// The first 40 bytes of an info header (every later header begins with them).
struct InfoHeader
{
    uint32_t nSize;
    int32_t nWidth;
    int32_t nHeight;
    uint16_t nPlanes;
    uint16_t nBitCount;
    uint32_t nCompression;
    uint32_t nSizeImage;
    int32_t nXPelsPerMeter;
    int32_t nYPelsPerMeter;
    uint32_t nClrUsed;
    uint32_t nClrImportant;
};

// How the colour table of an info header is counted.
enum TableRule
{
    // As many entries as the header describes: biClrUsed when it is non-zero (never more
    // than the depth allows), else the full table of the depth. A caller's BITMAPINFO.
    kTableAsDescribed,
    // The full table of the depth whatever biClrUsed says (bitmap files; the colour part of
    // a clipboard block, whose rows follow the full table).
    kTableByDepth,
};

// A usable picture: what to read and from where. Offsets count from the start of the info
// header for packed blocks and a caller's BITMAPINFO, from the start of the file for files.
struct Layout
{
    InfoHeader header;       // as found
    uint32_t nTableEntries;  // colour entries to read (0 for 16, 24 and 32 bits)
    uint64_t nTableOffset;   // where they start
    bool bMasks;             // BI_BITFIELDS: three colour masks to read
    uint64_t nMasksOffset;   // where they start (right after the 40-byte part of the header)
    uint32_t nStride;        // bytes of one row
    uint32_t nRows;          // |biHeight|
    bool bTopDown;           // biHeight < 0
    uint64_t nImageBytes;    // nStride * nRows: what the section needs
    uint64_t nBitsOffset;    // where the pixel data starts
    uint64_t nBitsBytes;     // pixel bytes to read there (may be fewer than nImageBytes)
    uint64_t nInfoBytes;     // bytes of header and table or masks that are read
};

// Why bytes were refused (kUsable when they were not).
enum Verdict
{
    kUsable = 0,
    kTooShort,          // the bytes end before a header, table, masks or the pixel data
    kNotBitmapFile,     // no "BM"
    kHeaderSize,        // an info header size this reader does not take
    kPlanes,            // biPlanes other than 1
    kBitCount,          // not 1, 4, 8, 16, 24 or 32 bits per pixel
    kCompression,       // compressed, or bit fields at a depth other than 16 or 32
    kDimensions,        // width not positive, height 0, or a picture larger than kMaxImageBytes
    kPixelDataRange,    // the file's pixel data does not lie inside the file
};

// Whether a DIB section can have this many bits per pixel: 1, 4, 8, 16, 24 or 32.
bool IsSectionDepth(uint32_t nBitCount);
// Colour entries of a depth: 1 -> 2, 3 -> 8, 4 -> 16, 8 -> 256, anything else 0.
uint32_t DepthTableEntries(uint32_t nBitCount);
// Bytes of one row of nWidth pixels, padded to 32 bits (64-bit arithmetic, no overflow for
// any 32-bit width).
uint64_t RowBytes(int64_t nWidth, uint32_t nBitCount);
// Decodes 40 bytes (pInfo must hold them) into an InfoHeader.
InfoHeader ReadInfoHeader(const uint8_t* pInfo);

// A caller's BITMAPINFO at pInfo, of which cbInfo bytes may be read (SIZE_MAX when the header
// vouches for its own block). The table follows the header's biSize bytes; masks follow the
// 40-byte part. Pixel data is a block of its own: nBitsOffset is 0 and nBitsBytes is
// biSizeImage when that is non-zero and smaller than the picture, else the picture's size.
Verdict DescribeInfo(const uint8_t* pInfo, size_t cbInfo, TableRule rule, Layout& layout);

// A packed DIB of cbBlock bytes (the clipboard's CF_DIB): header, colour part, rows. The
// entries read follow the header (kTableAsDescribed); the rows start after the full table of
// the depth, after 12 bytes of masks for BI_BITFIELDS, or right after the header, and must
// lie inside the block whole.
Verdict DescribePackedDIB(const uint8_t* pBlock, size_t cbBlock, Layout& layout);

// A bitmap file of cbFile bytes of which the first cbHead are at pHead (cbHead <= cbFile;
// the whole header part must be there: 14 + 40 + 1024 bytes, or the whole file when shorter).
// Only the 40-byte info header; the full table of the depth (or the masks) is read after
// it whatever biClrUsed says; the pixel data runs from bfOffBits for bfSize - bfOffBits bytes
// and must lie inside the file. The depth and compression are not judged here: that is the
// image's business (DescribeInfo) once the file's parts are read.
Verdict DescribeBitmapFile(const uint8_t* pHead, size_t cbHead, uint64_t cbFile, Layout& layout);

// A short English name of a verdict, for messages and the fuzz target's statistics.
const char* VerdictName(Verdict verdict);
}
