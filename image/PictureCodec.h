// Picture files of every common format read and written through the Windows Imaging
// Component (internal to the image class's sources; CDIBSection::LoadPicture and SavePicture
// are the public face). Nothing here knows about DIB sections: the reader fills rows that the
// caller provides, the writer takes rows that the caller holds.
#pragma once
#include <afxwin.h>
#include <wincodec.h>

namespace picturecodec
{
// Keeps COM initialised on the calling thread for the object's lifetime: apartment-threaded
// when the thread has no apartment yet, the thread's own model when it has one.
class CComApartment
{
public:
    CComApartment();
    ~CComApartment();
    BOOL IsReady() const { return m_bReady; }

private:
    BOOL m_bReady;
    BOOL m_bBalance;   // this object's CoInitializeEx succeeded and must be undone
    CComApartment(const CComApartment&) = delete;
    CComApartment& operator=(const CComApartment&) = delete;
};

// One picture file opened for reading: the frame that stands for the picture (the first frame
// of a GIF, the first page of a TIFF, the largest image with the most colours of an icon
// file), its size and the depth it is delivered in. Palette pictures of 1, 4 or 8 bits come
// with their colour table; everything else comes as 24-bit colour, or as 32-bit colour with
// an alpha byte when the picture has alpha and the caller keeps it.
class CPictureReader
{
public:
    CPictureReader();
    ~CPictureReader();

    // FALSE when the file cannot be opened or decoded, or its size is unusable (no pixels,
    // or a block of pixels larger than nMaxImageBytes).
    BOOL Open(LPCTSTR lpszPath, BOOL bKeepAlpha, ULONGLONG nMaxImageBytes);

    UINT GetWidth() const { return m_nWidth; }
    UINT GetHeight() const { return m_nHeight; }
    UINT GetBitCount() const { return m_nBitCount; }
    // Colour table of a palette picture; no entries otherwise.
    const RGBQUAD* GetColorTable() const { return m_arTable; }
    UINT GetColorTableSize() const { return m_nTableSize; }

    // Decodes every pixel into bottom-up rows of GetBitCount() bits, nStride bytes apart,
    // starting at pBits (the bottom row). Alpha not kept is composed over crBackground.
    // FALSE when the data is damaged part way; the rows are then partly written.
    BOOL ReadRows(BYTE* pBits, UINT nStride, COLORREF crBackground);

private:
    void Close();
    BOOL ChooseFrame();
    BOOL ChooseDelivery(BOOL bKeepAlpha);

    CComApartment m_apartment;
    IWICImagingFactory* m_pFactory;
    IWICBitmapDecoder* m_pDecoder;
    IWICBitmapFrameDecode* m_pFrame;
    IWICBitmapSource* m_pSource;   // the frame, or a converter in front of it
    UINT m_nWidth, m_nHeight, m_nBitCount;
    // How the source's rows become the caller's: as they come, or from 32-bit BGRA to 24-bit
    // rows by dropping the alpha byte or by composing it over the background.
    enum RowMode
    {
        kRowAsItComes,
        kRowWithoutAlpha,
        kRowComposed
    };
    RowMode m_nRowMode;
    RGBQUAD m_arTable[256];
    UINT m_nTableSize;

    CPictureReader(const CPictureReader&) = delete;
    CPictureReader& operator=(const CPictureReader&) = delete;
};

// Encodes bottom-up rows of 24-bit BGR, or of 32-bit BGRA when nBitCount is 32, as a PNG file
// into a new memory block that the caller frees with GlobalFree. NULL when the encoder fails.
HGLOBAL EncodePng(UINT nWidth, UINT nHeight, UINT nBitCount, const BYTE* pBits, UINT nStride, SIZE_T* pcbSize);
}
