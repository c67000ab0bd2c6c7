// libFuzzer target of the DIB layout checks (image/DibLayout.cpp). Each input is judged as a
// bitmap file, as a packed clipboard block and as a caller's info block. Whatever a check
// accepts is then read the way the image class reads it: from a copy whose end is exactly
// the input's end, so AddressSanitizer reports any read that the layout lets past it, and
// the layout's own promises (offsets inside the bytes, sizes bounded) are asserted.
#include "image/DibLayout.h"
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <vector>

using namespace diblayout;

namespace
{
void Require(bool bHolds, const char* pszWhat)
{
    if (!bHolds)
    {
        fprintf(stderr, "layout promise broken: %s\n", pszWhat);
        abort();
    }
}

// Touches every byte in [nOffset, nOffset + nCount) of the block, as a copy would.
unsigned Read(const uint8_t* pBlock, uint64_t nOffset, uint64_t nCount)
{
    unsigned nSum = 0;
    for (uint64_t i = 0; i < nCount; i++)
        nSum += pBlock[nOffset + i];
    return nSum;
}

void CheckPicture(const Layout& layout)
{
    Require(layout.nRows > 0 && layout.nStride > 0, "a picture has rows");
    Require(layout.nImageBytes == (uint64_t)layout.nStride * layout.nRows, "image size is stride times rows");
    Require(layout.nImageBytes <= kMaxImageBytes, "image size bounded");
    Require(layout.nBitsBytes <= layout.nImageBytes, "no more pixel data than the picture");
    Require(layout.nTableEntries <= 256, "table bounded");
    Require(layout.nTableEntries <= DepthTableEntries(layout.header.nBitCount), "table within the depth");
    Require(!(layout.bMasks && layout.nTableEntries != 0), "masks or a table, not both");
}

// The image class's reads of a caller's info block: the table or masks it describes.
unsigned ReadInfo(const uint8_t* pInfo, const Layout& layout)
{
    unsigned nSum = Read(pInfo, 0, kInfoHeaderBytes);
    if (layout.bMasks)
        nSum += Read(pInfo, layout.nMasksOffset, kMaskBytes);
    else
        nSum += Read(pInfo, layout.nTableOffset, 4ull * layout.nTableEntries);
    return nSum;
}

unsigned FuzzFile(const uint8_t* pData, size_t cbData)
{
    Layout file;
    if (DescribeBitmapFile(pData, cbData, cbData, file) != kUsable)
        return 0;
    Require(file.nInfoBytes <= cbData, "file header part inside the file");
    Require(file.nBitsOffset + file.nBitsBytes <= cbData, "file pixel data inside the file");
    Require(file.nBitsBytes > 0, "file pixel data not empty");
    unsigned nSum = Read(pData, 0, file.nInfoBytes) + Read(pData, file.nBitsOffset, file.nBitsBytes);

    // As the reader goes on: header and table into a full-size info block, biSizeImage set
    // to the data length, judged by the image's rule for files.
    std::vector<uint8_t> info(kInfoHeaderBytes + 256 * 4, 0);
    memcpy(info.data(), pData + kFileHeaderBytes, (size_t)(file.nInfoBytes - kFileHeaderBytes));
    const uint32_t nLength = (uint32_t)file.nBitsBytes;
    for (int i = 0; i < 4; i++)
        info[20 + i] = (uint8_t)(nLength >> (8 * i));
    Layout image;
    if (DescribeInfo(info.data(), info.size(), kTableByDepth, image) == kUsable)
    {
        CheckPicture(image);
        Require(image.nBitsBytes <= file.nBitsBytes, "image reads no more than the file's data");
        nSum += ReadInfo(info.data(), image);
        nSum += Read(pData + file.nBitsOffset, 0, image.nBitsBytes);
    }
    return nSum;
}

unsigned FuzzPacked(const uint8_t* pData, size_t cbData)
{
    Layout packed;
    if (DescribePackedDIB(pData, cbData, packed) != kUsable)
        return 0;
    CheckPicture(packed);
    Require(packed.nInfoBytes <= packed.nBitsOffset, "table before the rows");
    Require(packed.nBitsOffset + packed.nBitsBytes <= cbData, "rows inside the block");
    Require(packed.nBitsBytes == packed.nImageBytes, "every row in the block");
    return ReadInfo(pData, packed) + Read(pData, packed.nBitsOffset, packed.nBitsBytes);
}

unsigned FuzzInfo(const uint8_t* pData, size_t cbData)
{
    Layout info;
    if (DescribeInfo(pData, cbData, kTableAsDescribed, info) != kUsable)
        return 0;
    CheckPicture(info);
    Require(info.nInfoBytes <= cbData, "described table inside the block");
    Require(info.nBitsOffset == 0, "a caller's pixel data is a block of its own");
    if (info.header.nSizeImage != 0 && info.header.nSizeImage < info.nImageBytes)
        Require(info.nBitsBytes == info.header.nSizeImage, "short pixel data as biSizeImage says");
    else
        Require(info.nBitsBytes == info.nImageBytes, "whole pixel data otherwise");
    return ReadInfo(pData, info);
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t cbData)
{
    // A copy that ends where the input ends, on the heap, where ASan watches its edges.
    std::vector<uint8_t> block(pData, pData + cbData);
    const uint8_t* p = block.empty() ? NULL : block.data();
    volatile unsigned nSink = FuzzFile(p, cbData) + FuzzPacked(p, cbData) + FuzzInfo(p, cbData);
    (void)nSink;
    return 0;
}
