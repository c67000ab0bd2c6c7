// Picture files through the Windows Imaging Component: choosing the frame and the depth,
// decoding rows straight into the caller's memory, and encoding PNG files.
#include "image/PictureCodec.h"
#include <string.h>
#include <memory>
#include <new>

namespace picturecodec
{
namespace
{
// An interface pointer released when it goes out of scope.
template <class T>
class CComRef
{
public:
    CComRef() : m_p(NULL) {}
    ~CComRef() { Release(); }
    void Release()
    {
        if (m_p != NULL)
            m_p->Release();
        m_p = NULL;
    }
    T** operator&() { Release(); return &m_p; }
    T* operator->() const { return m_p; }
    operator T*() const { return m_p; }
    T* Detach() { T* p = m_p; m_p = NULL; return p; }
    void Attach(T* p) { Release(); m_p = p; }

private:
    T* m_p;
    CComRef(const CComRef&) = delete;
    CComRef& operator=(const CComRef&) = delete;
};

template <class T>
void ReleaseAndClear(T*& p)
{
    if (p != NULL)
        p->Release();
    p = NULL;
}

IWICImagingFactory* CreateFactory()
{
    IWICImagingFactory* pFactory = NULL;
    if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, NULL, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                  (void**)&pFactory)))
        return NULL;
    return pFactory;
}

// Pixel formats that carry an alpha channel (straight or premultiplied).
BOOL HasAlphaChannel(const WICPixelFormatGUID& format)
{
    static const GUID* const s_alphaFormats[] = {
        &GUID_WICPixelFormat16bppBGRA5551,    &GUID_WICPixelFormat32bppBGRA,      &GUID_WICPixelFormat32bppPBGRA,
        &GUID_WICPixelFormat32bppRGBA,        &GUID_WICPixelFormat32bppPRGBA,     &GUID_WICPixelFormat32bppRGBA1010102,
        &GUID_WICPixelFormat64bppRGBA,        &GUID_WICPixelFormat64bppBGRA,      &GUID_WICPixelFormat64bppPRGBA,
        &GUID_WICPixelFormat64bppPBGRA,       &GUID_WICPixelFormat64bppRGBAHalf,  &GUID_WICPixelFormat64bppPRGBAHalf,
        &GUID_WICPixelFormat64bppRGBAFixedPoint, &GUID_WICPixelFormat64bppBGRAFixedPoint,
        &GUID_WICPixelFormat128bppRGBAFloat,  &GUID_WICPixelFormat128bppPRGBAFloat,
        &GUID_WICPixelFormat128bppRGBAFixedPoint, &GUID_WICPixelFormat40bppCMYKAlpha,
        &GUID_WICPixelFormat80bppCMYKAlpha,   &GUID_WICPixelFormat8bppAlpha,
    };
    for (const GUID* pFormat : s_alphaFormats)
        if (IsEqualGUID(format, *pFormat))
            return TRUE;
    return FALSE;
}

// Bits per pixel of an indexed format that a DIB holds as it is (1, 4 or 8), else 0.
UINT IndexedDepth(const WICPixelFormatGUID& format)
{
    if (IsEqualGUID(format, GUID_WICPixelFormat1bppIndexed))
        return 1;
    if (IsEqualGUID(format, GUID_WICPixelFormat4bppIndexed))
        return 4;
    if (IsEqualGUID(format, GUID_WICPixelFormat8bppIndexed))
        return 8;
    return 0;
}

UINT BitsPerPixel(IWICImagingFactory* pFactory, const WICPixelFormatGUID& format)
{
    CComRef<IWICComponentInfo> info;
    CComRef<IWICPixelFormatInfo> formatInfo;
    UINT nBits = 0;
    if (SUCCEEDED(pFactory->CreateComponentInfo(format, &info)) &&
        SUCCEEDED(info->QueryInterface(IID_IWICPixelFormatInfo, (void**)&formatInfo)))
        formatInfo->GetBitsPerPixel(&nBits);
    return nBits;
}

// A straight-alpha pixel over the background: c·a + bg·(255 − a), rounded, over 255.
inline BYTE Compose(UINT c, UINT bg, UINT a)
{
    return (BYTE)((c * a + bg * (255 - a) + 127) / 255);
}
}

// --- COM on the calling thread --------------------------------------------------------------

CComApartment::CComApartment()
{
    // S_FALSE (already initialised) must be balanced as S_OK is; a thread that chose the
    // multithreaded model keeps it, and WIC works in either.
    const HRESULT hr = ::CoInitializeEx(NULL, COINIT_APARTMENTTHREADED);
    m_bBalance = SUCCEEDED(hr);
    m_bReady = SUCCEEDED(hr) || hr == RPC_E_CHANGED_MODE;
}

CComApartment::~CComApartment()
{
    if (m_bBalance)
        ::CoUninitialize();
}

// --- Reading --------------------------------------------------------------------------------

CPictureReader::CPictureReader()
    : m_pFactory(NULL), m_pDecoder(NULL), m_pFrame(NULL), m_pSource(NULL), m_nWidth(0), m_nHeight(0),
      m_nBitCount(0), m_nRowMode(kRowAsItComes), m_nTableSize(0)
{
    memset(m_arTable, 0, sizeof(m_arTable));
}

CPictureReader::~CPictureReader()
{
    Close();
}

void CPictureReader::Close()
{
    ReleaseAndClear(m_pSource);
    ReleaseAndClear(m_pFrame);
    ReleaseAndClear(m_pDecoder);
    ReleaseAndClear(m_pFactory);
}

BOOL CPictureReader::Open(LPCTSTR lpszPath, BOOL bKeepAlpha, ULONGLONG nMaxImageBytes)
{
    Close();
    if (lpszPath == NULL || *lpszPath == 0 || !m_apartment.IsReady())
        return FALSE;
    m_pFactory = CreateFactory();
    if (m_pFactory == NULL)
        return FALSE;

    const CStringW strPath(lpszPath);
    if (FAILED(m_pFactory->CreateDecoderFromFilename(strPath, NULL, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                                     &m_pDecoder)))
        return FALSE;
    if (!ChooseFrame())
        return FALSE;

    // Sizes come from the file: refuse what no image of this library could hold before any
    // memory is asked for. 32 bits a pixel is the widest row delivered.
    if (FAILED(m_pFrame->GetSize(&m_nWidth, &m_nHeight)) || m_nWidth == 0 || m_nHeight == 0 ||
        m_nWidth > 0x7FFFFFFFu / 32 || m_nHeight > 0x7FFFFFFFu)
        return FALSE;
    const ULONGLONG nStride32 = (ULONGLONG)m_nWidth * 4;
    if (nStride32 * m_nHeight > nMaxImageBytes)
        return FALSE;

    return ChooseDelivery(bKeepAlpha);
}

BOOL CPictureReader::ChooseFrame()
{
    UINT nFrames = 0;
    if (FAILED(m_pDecoder->GetFrameCount(&nFrames)) || nFrames == 0)
        return FALSE;

    GUID container = GUID_NULL;
    m_pDecoder->GetContainerFormat(&container);
    UINT nChosen = 0;
    if (IsEqualGUID(container, GUID_ContainerFormatIco) && nFrames > 1)
    {
        // An icon file holds one image per size and depth: the biggest, then the deepest.
        ULONGLONG nBestArea = 0;
        UINT nBestBits = 0;
        for (UINT i = 0; i < nFrames; i++)
        {
            CComRef<IWICBitmapFrameDecode> frame;
            UINT cx = 0, cy = 0;
            WICPixelFormatGUID format = GUID_NULL;
            if (FAILED(m_pDecoder->GetFrame(i, &frame)) || FAILED(frame->GetSize(&cx, &cy)) ||
                FAILED(frame->GetPixelFormat(&format)))
                continue;
            const ULONGLONG nArea = (ULONGLONG)cx * cy;
            const UINT nBits = BitsPerPixel(m_pFactory, format);
            if (nArea > nBestArea || (nArea == nBestArea && nBits > nBestBits))
            {
                nBestArea = nArea;
                nBestBits = nBits;
                nChosen = i;
            }
        }
    }
    return SUCCEEDED(m_pDecoder->GetFrame(nChosen, &m_pFrame));
}

BOOL CPictureReader::ChooseDelivery(BOOL bKeepAlpha)
{
    WICPixelFormatGUID format = GUID_NULL;
    if (FAILED(m_pFrame->GetPixelFormat(&format)))
        return FALSE;
    BOOL bAlpha = HasAlphaChannel(format);

    // Palette pictures keep their depth and colours, unless a colour of theirs is see-through
    // (a GIF's transparent index): those are composed like any alpha picture.
    const UINT nIndexedBits = IndexedDepth(format);
    if (nIndexedBits != 0)
    {
        CComRef<IWICPalette> palette;
        WICColor colours[256];
        UINT nColours = 0;
        if (SUCCEEDED(m_pFactory->CreatePalette(&palette)) &&
            (SUCCEEDED(m_pFrame->CopyPalette(palette)) || SUCCEEDED(m_pDecoder->CopyPalette(palette))) &&
            SUCCEEDED(palette->GetColors(256, colours, &nColours)) && nColours > 0)
        {
            for (UINT i = 0; i < nColours; i++)
                if ((colours[i] >> 24) != 0xFF)
                    bAlpha = TRUE;
            if (!bAlpha)
            {
                const UINT nMaxEntries = 1u << nIndexedBits;
                m_nTableSize = nColours < nMaxEntries ? nColours : nMaxEntries;
                for (UINT i = 0; i < m_nTableSize; i++)
                {
                    m_arTable[i].rgbRed = (BYTE)(colours[i] >> 16);
                    m_arTable[i].rgbGreen = (BYTE)(colours[i] >> 8);
                    m_arTable[i].rgbBlue = (BYTE)colours[i];
                    m_arTable[i].rgbReserved = 0;
                }
                m_nBitCount = nIndexedBits;
                m_nRowMode = kRowAsItComes;
                m_pSource = m_pFrame;
                m_pSource->AddRef();
                return TRUE;
            }
        }
    }

    // Everything else comes through 32-bit BGRA, the conversion the imaging component offers
    // from every format, unless it already comes in the form of the rows. Without alpha the
    // fourth byte is dropped; with alpha it is composed or kept.
    m_nTableSize = 0;
    m_nBitCount = bAlpha && bKeepAlpha ? 32 : 24;
    if (IsEqualGUID(format, m_nBitCount == 32 ? GUID_WICPixelFormat32bppBGRA : GUID_WICPixelFormat24bppBGR))
    {
        m_nRowMode = kRowAsItComes;
        m_pSource = m_pFrame;
        m_pSource->AddRef();
        return TRUE;
    }
    m_nRowMode = m_nBitCount == 32 ? kRowAsItComes : bAlpha ? kRowComposed : kRowWithoutAlpha;
    CComRef<IWICFormatConverter> converter;
    if (FAILED(m_pFactory->CreateFormatConverter(&converter)) ||
        FAILED(converter->Initialize(m_pFrame, GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, NULL, 0.0,
                                     WICBitmapPaletteTypeCustom)))
        return FALSE;
    m_pSource = converter.Detach();
    return TRUE;
}

BOOL CPictureReader::ReadRows(BYTE* pBits, UINT nStride, COLORREF crBackground)
{
    if (m_pSource == NULL || pBits == NULL)
        return FALSE;

    // Rows that change form on the way come one at a time through a 32-bit buffer.
    const UINT nRowBytes = (m_nWidth * m_nBitCount + 7) / 8;
    std::unique_ptr<BYTE[]> pRow;
    if (m_nRowMode != kRowAsItComes)
    {
        pRow.reset(new (std::nothrow) BYTE[(size_t)m_nWidth * 4]);
        if (!pRow)
            return FALSE;
    }
    const UINT bgRed = GetRValue(crBackground), bgGreen = GetGValue(crBackground), bgBlue = GetBValue(crBackground);

    // The picture's top row is the DIB's last: one row at a time, straight into place.
    for (UINT y = 0; y < m_nHeight; y++)
    {
        BYTE* pDest = pBits + (size_t)(m_nHeight - 1 - y) * nStride;
        const WICRect rc = {0, (INT)y, (INT)m_nWidth, 1};
        if (m_nRowMode == kRowAsItComes)
        {
            if (FAILED(m_pSource->CopyPixels(&rc, nStride, nRowBytes, pDest)))
                return FALSE;
            continue;
        }
        if (FAILED(m_pSource->CopyPixels(&rc, m_nWidth * 4, m_nWidth * 4, pRow.get())))
            return FALSE;
        const BYTE* pSrc = pRow.get();
        if (m_nRowMode == kRowWithoutAlpha)
        {
            for (UINT x = 0; x < m_nWidth; x++, pSrc += 4, pDest += 3)
            {
                pDest[0] = pSrc[0];
                pDest[1] = pSrc[1];
                pDest[2] = pSrc[2];
            }
            continue;
        }
        for (UINT x = 0; x < m_nWidth; x++, pSrc += 4, pDest += 3)
        {
            const UINT a = pSrc[3];
            pDest[0] = Compose(pSrc[0], bgBlue, a);
            pDest[1] = Compose(pSrc[1], bgGreen, a);
            pDest[2] = Compose(pSrc[2], bgRed, a);
        }
    }
    return TRUE;
}

// --- Writing --------------------------------------------------------------------------------

namespace
{
// Writes one PNG frame of the caller's rows into pStream; the encoder is gone on return.
BOOL WritePng(IWICImagingFactory* pFactory, IStream* pStream, UINT nWidth, UINT nHeight, UINT nBitCount,
              const BYTE* pBits, UINT nStride)
{
    CComRef<IWICBitmapEncoder> encoder;
    CComRef<IWICBitmapFrameEncode> frame;
    CComRef<IPropertyBag2> options;
    if (FAILED(pFactory->CreateEncoder(GUID_ContainerFormatPng, NULL, &encoder)) ||
        FAILED(encoder->Initialize(pStream, WICBitmapEncoderNoCache)) ||
        FAILED(encoder->CreateNewFrame(&frame, &options)) || FAILED(frame->Initialize(options)) ||
        FAILED(frame->SetSize(nWidth, nHeight)))
        return FALSE;

    // The encoder may offer another format instead of the one asked for: then it is no use.
    const WICPixelFormatGUID& wanted = nBitCount == 32 ? GUID_WICPixelFormat32bppBGRA : GUID_WICPixelFormat24bppBGR;
    WICPixelFormatGUID format = wanted;
    if (FAILED(frame->SetPixelFormat(&format)) || !IsEqualGUID(format, wanted))
        return FALSE;

    // Rows go top row first; the caller's rows are bottom-up.
    const UINT nRowBytes = (nWidth * nBitCount + 7) / 8;
    for (UINT y = 0; y < nHeight; y++)
    {
        BYTE* pRow = const_cast<BYTE*>(pBits + (size_t)(nHeight - 1 - y) * nStride);
        if (FAILED(frame->WritePixels(1, nStride, nRowBytes, pRow)))
            return FALSE;
    }
    return SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
}
}

HGLOBAL EncodePng(UINT nWidth, UINT nHeight, UINT nBitCount, const BYTE* pBits, UINT nStride, SIZE_T* pcbSize)
{
    if (pcbSize != NULL)
        *pcbSize = 0;
    if (pBits == NULL || pcbSize == NULL || nWidth == 0 || nHeight == 0 || (nBitCount != 24 && nBitCount != 32))
        return NULL;
    CComApartment apartment;
    if (!apartment.IsReady())
        return NULL;
    CComRef<IWICImagingFactory> factory;
    factory.Attach(CreateFactory());
    if (factory == NULL)
        return NULL;

    // The encoder writes into a growing memory block that outlives the stream; the caller
    // decides where the bytes go.
    CComRef<IStream> stream;
    if (FAILED(::CreateStreamOnHGlobal(NULL, FALSE, &stream)))
        return NULL;
    STATSTG stat;
    memset(&stat, 0, sizeof(stat));
    const BOOL bWritten = WritePng(factory, stream, nWidth, nHeight, nBitCount, pBits, nStride) &&
                          SUCCEEDED(stream->Stat(&stat, STATFLAG_NONAME)) && stat.cbSize.QuadPart != 0;
    HGLOBAL hBlock = NULL;
    if (FAILED(::GetHGlobalFromStream(stream, &hBlock)))
        hBlock = NULL;
    stream.Release();
    if (!bWritten || hBlock == NULL)
    {
        if (hBlock != NULL)
            ::GlobalFree(hBlock);
        return NULL;
    }
    *pcbSize = (SIZE_T)stat.cbSize.QuadPart;
    return hBlock;
}
}
