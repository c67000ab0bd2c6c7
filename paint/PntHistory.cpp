// CPntHistory: the undo history of an image, one step per change, each holding only the
// pixels its change touched.
#include "paint/PntHistory.h"
#include <algorithm>
#include <memory>
#include <new>
#include <string.h>
#include <unordered_map>

namespace
{
// Tiles are kTileSize pixels square. A tile column starts at a multiple of 64 pixels, which is
// a whole byte at every depth (8 bytes at 1 bit per pixel), so tiles never share a byte.
const int kTileSize = 64;

// What the pixel memory of an image looks like; a region step only fits an image like this.
struct PixelLayout
{
    int nWidth;
    int nHeight;          // rows are stored bottom-up: memory row 0 is the image's last row
    int nBitCount;
    DWORD dwCompression;
    size_t nStride;       // bytes per row, a multiple of 4

    static BOOL Of(CDIBSection& image, PixelLayout& layout)
    {
        const BITMAPINFOHEADER* pHeader = image.GetBitmapInfoHeader();
        layout.nWidth = pHeader->biWidth;
        layout.nHeight = pHeader->biHeight;
        layout.nBitCount = pHeader->biBitCount;
        layout.dwCompression = pHeader->biCompression;
        if (!image.IsValid() || image.GetDIBits() == NULL || layout.nWidth <= 0 || layout.nHeight <= 0)
            return FALSE;
        switch (layout.nBitCount)
        {
        case 1: case 4: case 8: case 16: case 24: case 32:
            break;
        default:
            return FALSE;
        }
        if (layout.dwCompression != BI_RGB && layout.dwCompression != BI_BITFIELDS)
            return FALSE;
        layout.nStride = (size_t)CDIBSection::BytesPerLine(layout.nWidth, layout.nBitCount);
        return layout.nStride > 0;
    }

    bool operator==(const PixelLayout& other) const
    {
        return nWidth == other.nWidth && nHeight == other.nHeight && nBitCount == other.nBitCount &&
               dwCompression == other.dwCompression && nStride == other.nStride;
    }

    int TileColumns() const { return (nWidth + kTileSize - 1) / kTileSize; }
    // Byte offset of tile column c within a row, and its width in bytes (the last one takes
    // the row's padding along).
    size_t ColumnOffset(int c) const { return (size_t)c * kTileSize * nBitCount / 8; }
    size_t ColumnBytes(int c) const
    {
        return std::min(ColumnOffset(c + 1), nStride) - ColumnOffset(c);
    }
    // Memory rows of tile row r.
    int RowBegin(int r) const { return r * kTileSize; }
    int RowEnd(int r) const { return std::min((r + 1) * kTileSize, nHeight); }

    // rect clipped to the image, or FALSE when nothing of it is inside.
    BOOL Clip(const RECT& rect, CRect& rcClipped) const
    {
        rcClipped = rect;
        rcClipped.NormalizeRect();
        return rcClipped.IntersectRect(rcClipped, CRect(0, 0, nWidth, nHeight));
    }
    // The image rectangle of tile (c, r).
    CRect TileRect(int c, int r) const
    {
        return CRect(c * kTileSize, nHeight - RowEnd(r), std::min((c + 1) * kTileSize, nWidth),
                     nHeight - RowBegin(r));
    }
    // The tiles that rcClipped (inside the image) touches.
    void TileRange(const CRect& rcClipped, int& c0, int& c1, int& r0, int& r1) const
    {
        c0 = rcClipped.left / kTileSize;
        c1 = (rcClipped.right - 1) / kTileSize;
        r0 = (nHeight - rcClipped.bottom) / kTileSize;
        r1 = (nHeight - rcClipped.top - 1) / kTileSize;
    }
};

// Exchanges n bytes of two buffers through a small buffer on the stack: much faster than an
// exchange byte by byte.
void SwapBytes(BYTE* pOne, BYTE* pOther, size_t n)
{
    BYTE buffer[4096];
    while (n > 0)
    {
        const size_t nChunk = std::min(n, sizeof(buffer));
        memcpy(buffer, pOne, nChunk);
        memcpy(pOne, pOther, nChunk);
        memcpy(pOther, buffer, nChunk);
        pOne += nChunk;
        pOther += nChunk;
        n -= nChunk;
    }
}

// Copies the bits [nBitBegin, nBitEnd) of a row from pSrc to pDst. Pixels narrower than a byte
// are packed from the most significant bit, the leftmost pixel first.
void CopyBits(BYTE* pDst, const BYTE* pSrc, size_t nBitBegin, size_t nBitEnd)
{
    if (nBitEnd <= nBitBegin)
        return;
    size_t nFirst = nBitBegin / 8;
    const size_t nLast = (nBitEnd - 1) / 8;
    if (nBitBegin % 8 != 0)
    {
        const unsigned nLow = (unsigned)(nBitBegin % 8);
        const unsigned nHigh = nFirst == nLast ? (unsigned)((nBitEnd - 1) % 8 + 1) : 8u;
        const BYTE mask = (BYTE)((0xFFu >> nLow) & (0xFFu << (8 - nHigh)));
        pDst[nFirst] = (BYTE)((pDst[nFirst] & ~mask) | (pSrc[nFirst] & mask));
        if (nFirst == nLast)
            return;
        nFirst++;
    }
    size_t nWhole = nLast + 1 - nFirst;
    if (nBitEnd % 8 != 0)
    {
        const BYTE mask = (BYTE)(0xFFu << (8 - (unsigned)(nBitEnd % 8)));
        pDst[nLast] = (BYTE)((pDst[nLast] & ~mask) | (pSrc[nLast] & mask));
        nWhole--;
    }
    memcpy(pDst + nFirst, pSrc + nFirst, nWhole);
}

// The colour table of the section itself, which may differ from the one the object holds;
// FALSE when it cannot be read (the bitmap is selected into a lent memory DC).
BOOL ReadSectionColourTable(CDIBSection& image, RGBQUAD* pTable, UINT& nColours)
{
    nColours = 0;
    HDC hDC = ::CreateCompatibleDC(NULL);
    if (hDC == NULL)
        return FALSE;
    HGDIOBJ hOld = ::SelectObject(hDC, image.GetSafeHandle());
    if (hOld != NULL)
    {
        nColours = ::GetDIBColorTable(hDC, 0, 256, pTable);
        ::SelectObject(hDC, hOld);
    }
    ::DeleteDC(hDC);
    return hOld != NULL;
}

// Exchanges the pixels of two images of the same layout and colour table, without a new
// section: fresh memory costs more to touch than the exchange itself. FALSE when they differ.
BOOL SwapBitsInPlace(CDIBSection& one, CDIBSection& other)
{
    PixelLayout layoutOne, layoutOther;
    if (!PixelLayout::Of(one, layoutOne) || !PixelLayout::Of(other, layoutOther) || !(layoutOne == layoutOther))
        return FALSE;
    if (one.GetBitmapInfoHeader()->biClrUsed != other.GetBitmapInfoHeader()->biClrUsed ||
        one.GetColorTableSize() != other.GetColorTableSize())
        return FALSE;
    // The colour table, or the three masks of a BI_BITFIELDS image.
    size_t nTableBytes = (size_t)one.GetColorTableSize() * sizeof(RGBQUAD);
    if (layoutOne.dwCompression == BI_BITFIELDS)
        nTableBytes = std::max(nTableBytes, 3 * sizeof(DWORD));
    if (memcmp(one.GetColorTable(), other.GetColorTable(), nTableBytes) != 0)
        return FALSE;
    if (one.GetColorTableSize() > 0)
    {
        RGBQUAD tableOne[256], tableOther[256];
        UINT nOne = 0, nOther = 0;
        if (!ReadSectionColourTable(one, tableOne, nOne) || !ReadSectionColourTable(other, tableOther, nOther) ||
            nOne != nOther || memcmp(tableOne, tableOther, nOne * sizeof(RGBQUAD)) != 0)
            return FALSE;
    }
    ::GdiFlush();
    BYTE* pOne = (BYTE*)one.GetDIBits();
    SwapBytes(pOne, (BYTE*)other.GetDIBits(), layoutOne.nStride * (size_t)layoutOne.nHeight);
    return TRUE;
}

SIZE_T WholeImageBytes(CDIBSection& image)
{
    if (!image.IsValid() || image.GetHeight() <= 0)
        return 0;
    return (SIZE_T)CDIBSection::BytesPerLine(image.GetWidth(), image.GetBitCount()) *
           (SIZE_T)image.GetHeight();
}

// A copy of image, or NULL when it cannot be made.
CDIBSection* CopyOf(CDIBSection& image)
{
    CDIBSection* pCopy = new (std::nothrow) CDIBSection;
    if (pCopy != NULL && !pCopy->Copy(image))
    {
        delete pCopy;
        pCopy = NULL;
    }
    return pCopy;
}
}

/////////////////////////////////////////////////////////////////////////////
// One step: the pixels of the image on one side of a change. Before the first undo of the
// step they are the pixels before the change; each swap turns them into the other side.

class CPntHistory::CStep
{
public:
    CStep() : m_nStateBefore(0), m_nStateAfter(0), m_pWhole(NULL), m_nBytes(0), m_rcTiles(0, 0, 0, 0) {}
    ~CStep() { delete m_pWhole; }

    BOOL IsWhole() const { return m_pWhole != NULL; }
    SIZE_T GetBytes() const { return m_nBytes; }

    BOOL StartWhole(CDIBSection& image)
    {
        m_pWhole = CopyOf(image);
        m_nBytes = m_pWhole != NULL ? WholeImageBytes(*m_pWhole) : 0;
        return m_pWhole != NULL;
    }

    // FALSE when the image cannot be saved by tiles; the caller takes a whole copy instead.
    BOOL StartRegion(CDIBSection& image) { return PixelLayout::Of(image, m_Layout); }

    // Saves the tiles of rect that are not saved yet.
    BOOL Capture(CDIBSection& image, const RECT& rect)
    {
        if (IsWhole())
            return TRUE;
        PixelLayout layout;
        if (!PixelLayout::Of(image, layout) || !(layout == m_Layout))
            return FALSE;
        CRect rc;
        if (!m_Layout.Clip(rect, rc))
            return TRUE;

        int c0, c1, r0, r1;
        m_Layout.TileRange(rc, c0, c1, r0, r1);
        ::GdiFlush();
        const BYTE* pBits = (const BYTE*)image.GetDIBits();
        for (int r = r0; r <= r1; r++)
        {
            for (int c = c0; c <= c1; c++)
            {
                const UINT nKey = TileKey(c, r);
                if (m_Tiles.find(nKey) != m_Tiles.end())
                    continue;
                const size_t nRowBytes = m_Layout.ColumnBytes(c);
                const int nRows = m_Layout.RowEnd(r) - m_Layout.RowBegin(r);
                std::unique_ptr<BYTE[]> pTile(new (std::nothrow) BYTE[nRowBytes * nRows]);
                if (!pTile)
                    return FALSE;
                for (int y = 0; y < nRows; y++)
                    memcpy(pTile.get() + y * nRowBytes, RowAt(pBits, m_Layout.RowBegin(r) + y) +
                           m_Layout.ColumnOffset(c), nRowBytes);
                try
                {
                    m_Tiles.emplace(nKey, std::move(pTile));
                }
                catch (std::bad_alloc&)
                {
                    return FALSE;
                }
                m_nBytes += nRowBytes * nRows;
                m_rcTiles.UnionRect(m_rcTiles, m_Layout.TileRect(c, r));
            }
        }
        return TRUE;
    }

    // Turns the step into a whole copy of the image as it was before the change: the image
    // now with the saved tiles put back.
    BOOL MakeWhole(CDIBSection& image)
    {
        if (IsWhole())
            return TRUE;
        PixelLayout layout;
        if (!PixelLayout::Of(image, layout) || !(layout == m_Layout))
            return FALSE;
        CDIBSection* pWhole = CopyOf(image);
        if (pWhole == NULL)
            return FALSE;
        ::GdiFlush();
        BYTE* pBits = (BYTE*)pWhole->GetDIBits();
        for (auto& tile : m_Tiles)
            ForEachTileRow(tile.first, tile.second.get(), pBits,
                           [](BYTE* pImageRow, BYTE* pTileRow, size_t n) { memcpy(pImageRow, pTileRow, n); });
        m_Tiles.clear();
        m_pWhole = pWhole;
        m_nBytes = WholeImageBytes(*m_pWhole);
        return TRUE;
    }

    // Copies the saved pixels of rect into the image, to the pixel.
    BOOL Restore(CDIBSection& image, const RECT& rect)
    {
        PixelLayout layout;
        if (!PixelLayout::Of(image, layout))
            return FALSE;
        if (IsWhole())
        {
            PixelLayout wholeLayout;
            if (!PixelLayout::Of(*m_pWhole, wholeLayout) || !(wholeLayout == layout))
                return FALSE;
            CRect rc;
            if (!layout.Clip(rect, rc))
                return TRUE;
            ::GdiFlush();
            const BYTE* pSrc = (const BYTE*)m_pWhole->GetDIBits();
            BYTE* pDst = (BYTE*)image.GetDIBits();
            for (int m = layout.nHeight - rc.bottom; m < layout.nHeight - rc.top; m++)
                CopyBits(RowAt(pDst, m, layout), RowAt(pSrc, m, layout), (size_t)rc.left * layout.nBitCount,
                         (size_t)rc.right * layout.nBitCount);
            return TRUE;
        }

        if (!(layout == m_Layout))
            return FALSE;
        CRect rc;
        if (!m_Layout.Clip(rect, rc))
            return TRUE;
        int c0, c1, r0, r1;
        m_Layout.TileRange(rc, c0, c1, r0, r1);
        ::GdiFlush();
        BYTE* pBits = (BYTE*)image.GetDIBits();
        for (int r = r0; r <= r1; r++)
        {
            for (int c = c0; c <= c1; c++)
            {
                auto it = m_Tiles.find(TileKey(c, r));
                if (it == m_Tiles.end())
                    continue;   // never saved, so never changed
                CRect rcPart;
                rcPart.IntersectRect(rc, m_Layout.TileRect(c, r));
                const size_t nRowBytes = m_Layout.ColumnBytes(c);
                const size_t nBitBegin = (size_t)(rcPart.left - c * kTileSize) * m_Layout.nBitCount;
                const size_t nBitEnd = (size_t)(rcPart.right - c * kTileSize) * m_Layout.nBitCount;
                for (int m = m_Layout.nHeight - rcPart.bottom; m < m_Layout.nHeight - rcPart.top; m++)
                {
                    const BYTE* pTileRow = it->second.get() + (size_t)(m - m_Layout.RowBegin(r)) * nRowBytes;
                    CopyBits(RowAt(pBits, m) + m_Layout.ColumnOffset(c), pTileRow, nBitBegin, nBitEnd);
                }
            }
        }
        return TRUE;
    }

    // Exchanges the saved pixels with the image's.
    BOOL Swap(CDIBSection& image, CRect& rcChanged)
    {
        if (IsWhole())
        {
            if (SwapBitsInPlace(*m_pWhole, image))
            {
                rcChanged.SetRect(0, 0, image.GetWidth(), image.GetHeight());
                return TRUE;
            }
            CDIBSection* pOther = CopyOf(image);
            if (pOther == NULL)
                return FALSE;
            const CRect rcBefore(0, 0, image.GetWidth(), image.GetHeight());
            if (!image.Copy(*m_pWhole))
            {
                // Whatever Copy left behind, the image gets its pixels back.
                image.Copy(*pOther);
                delete pOther;
                return FALSE;
            }
            delete m_pWhole;
            m_pWhole = pOther;
            m_nBytes = WholeImageBytes(*m_pWhole);
            rcChanged.UnionRect(rcBefore, CRect(0, 0, image.GetWidth(), image.GetHeight()));
            return TRUE;
        }

        PixelLayout layout;
        if (!PixelLayout::Of(image, layout) || !(layout == m_Layout))
            return FALSE;
        ::GdiFlush();
        BYTE* pBits = (BYTE*)image.GetDIBits();
        for (auto& tile : m_Tiles)
            ForEachTileRow(tile.first, tile.second.get(), pBits, SwapBytes);
        rcChanged = m_rcTiles;
        return TRUE;
    }

    // Whether the image holds exactly the pixels the step saved: the change altered none.
    // Only meaningful before the step's first swap.
    BOOL Matches(CDIBSection& image) const
    {
        PixelLayout layout;
        if (!PixelLayout::Of(image, layout))
            return FALSE;
        ::GdiFlush();
        const BYTE* pBits = (const BYTE*)image.GetDIBits();
        if (IsWhole())
        {
            PixelLayout wholeLayout;
            if (!PixelLayout::Of(*m_pWhole, wholeLayout) || !(wholeLayout == layout) ||
                m_pWhole->GetColorTableSize() != image.GetColorTableSize() ||
                memcmp(m_pWhole->GetColorTable(), image.GetColorTable(),
                       (size_t)image.GetColorTableSize() * sizeof(RGBQUAD)) != 0)
                return FALSE;
            // The sections' own tables too: they can differ from the ones the objects hold.
            if (image.GetColorTableSize() > 0)
            {
                RGBQUAD tableWhole[256], tableImage[256];
                UINT nWhole = 0, nImage = 0;
                if (!ReadSectionColourTable(*m_pWhole, tableWhole, nWhole) ||
                    !ReadSectionColourTable(image, tableImage, nImage) || nWhole != nImage ||
                    memcmp(tableWhole, tableImage, nWhole * sizeof(RGBQUAD)) != 0)
                    return FALSE;
            }
            return memcmp(m_pWhole->GetDIBits(), pBits, layout.nStride * (size_t)layout.nHeight) == 0;
        }
        if (!(layout == m_Layout))
            return FALSE;
        const int nColumns = m_Layout.TileColumns();
        for (const auto& tile : m_Tiles)
        {
            const int c = (int)(tile.first % (UINT)nColumns), r = (int)(tile.first / (UINT)nColumns);
            const size_t nRowBytes = m_Layout.ColumnBytes(c);
            for (int m = m_Layout.RowBegin(r); m < m_Layout.RowEnd(r); m++)
            {
                const BYTE* pTileRow = tile.second.get() + (size_t)(m - m_Layout.RowBegin(r)) * nRowBytes;
                if (memcmp(RowAt(pBits, m) + m_Layout.ColumnOffset(c), pTileRow, nRowBytes) != 0)
                    return FALSE;
            }
        }
        return TRUE;
    }

    UINT m_nStateBefore;   // the identity of the image's state before the change
    UINT m_nStateAfter;    // and after it

private:
    UINT TileKey(int c, int r) const { return (UINT)r * (UINT)m_Layout.TileColumns() + (UINT)c; }

    static BYTE* RowAt(BYTE* pBits, int m, const PixelLayout& layout) { return pBits + (size_t)m * layout.nStride; }
    static const BYTE* RowAt(const BYTE* pBits, int m, const PixelLayout& layout)
    {
        return pBits + (size_t)m * layout.nStride;
    }
    BYTE* RowAt(BYTE* pBits, int m) const { return RowAt(pBits, m, m_Layout); }
    const BYTE* RowAt(const BYTE* pBits, int m) const { return RowAt(pBits, m, m_Layout); }

    // Calls fn(image row, tile row, bytes) for every row of the tile with key nKey.
    template <class Fn>
    void ForEachTileRow(UINT nKey, BYTE* pTile, BYTE* pBits, Fn fn) const
    {
        const int nColumns = m_Layout.TileColumns();
        const int c = (int)(nKey % (UINT)nColumns), r = (int)(nKey / (UINT)nColumns);
        const size_t nRowBytes = m_Layout.ColumnBytes(c);
        for (int m = m_Layout.RowBegin(r); m < m_Layout.RowEnd(r); m++)
            fn(RowAt(pBits, m) + m_Layout.ColumnOffset(c), pTile + (size_t)(m - m_Layout.RowBegin(r)) * nRowBytes,
               nRowBytes);
    }

    CDIBSection* m_pWhole;   // a whole copy, or NULL for a step kept by tiles
    PixelLayout m_Layout;    // the image the tiles belong to
    std::unordered_map<UINT, std::unique_ptr<BYTE[]>> m_Tiles;
    SIZE_T m_nBytes;
    CRect m_rcTiles;         // the tiles' extent in the image
};

/////////////////////////////////////////////////////////////////////////////
// CPntHistory

CPntHistory::CPntHistory()
    : m_nShown(-1), m_bOpen(FALSE), m_nMaxSteps(5), m_nMemoryBudget(0), m_nMemoryUsed(0), m_nStateId(1),
      m_nLastStateId(1)
{
}

CPntHistory::~CPntHistory()
{
    Clear();
}

void CPntHistory::SetMemoryBudget(SIZE_T nBytes)
{
    m_nMemoryBudget = nBytes;
    EnforceBudget();
}

int CPntHistory::GetCount() const
{
    if (m_Steps.empty())
        return 0;
    return (int)m_Steps.size() + (m_nShown >= 0 ? 1 : 0);
}

BOOL CPntHistory::CanUndo() const
{
    return !m_Steps.empty() && m_nShown != 0;
}

BOOL CPntHistory::CanRedo() const
{
    return m_nShown >= 0 && m_nShown < (int)m_Steps.size();
}

void CPntHistory::Clear()
{
    DropStepsFrom(0);
    m_nShown = -1;
    m_bOpen = FALSE;
    // Nothing is known any more of how the image relates to the states before.
    m_nStateId = NewStateId();
}

UINT CPntHistory::GetStateId(CDIBSection& image)
{
    const CStep* pStep = OpenStep();
    if (pStep == NULL)
        return m_nStateId;
    return pStep->Matches(image) ? pStep->m_nStateBefore : pStep->m_nStateAfter;
}

void CPntHistory::SettleOpenStep(CDIBSection& image)
{
    CStep* pStep = OpenStep();
    if (pStep == NULL)
        return;
    if (pStep->Matches(image))
        pStep->m_nStateAfter = pStep->m_nStateBefore;
    m_nStateId = pStep->m_nStateAfter;
}

BOOL CPntHistory::BeginStep(CDIBSection& image, const RECT* pRect)
{
    // The step before this one is finished: it is judged now, before this change.
    SettleOpenStep(image);
    const UINT nStateBefore = m_nStateId;
    m_nStateId = NewStateId();
    // After undo steps, the redo states and the entry of the shown state go; the new step
    // records the shown state again.
    if (m_nShown >= 0)
        DropStepsFrom((size_t)m_nShown);
    m_nShown = -1;
    m_bOpen = FALSE;

    CStep* pStep = new (std::nothrow) CStep;
    BOOL bSaved = FALSE;
    if (pStep != NULL)
    {
        if (pRect != NULL && pStep->StartRegion(image))
            bSaved = pStep->Capture(image, *pRect);
        else
            bSaved = pStep->StartWhole(image);
    }
    if (bSaved)
    {
        pStep->m_nStateBefore = nStateBefore;
        pStep->m_nStateAfter = m_nStateId;
        // One entry out per entry in, however far the list exceeds the maximum.
        if ((int)m_Steps.size() >= m_nMaxSteps && !m_Steps.empty())
            DropOldestStep();
        try
        {
            m_Steps.push_back(pStep);
        }
        catch (std::bad_alloc&)
        {
            bSaved = FALSE;
        }
    }
    if (!bSaved)
    {
        // The change goes ahead without a step. Steps kept by tiles assume the pixels outside
        // their tiles stay as they were, which this change breaks: they go too.
        delete pStep;
        if (HasRegionSteps())
            Clear();
        return FALSE;
    }
    m_bOpen = TRUE;
    Recount();
    EnforceBudget();
    return TRUE;
}

BOOL CPntHistory::Extend(CDIBSection& image, const RECT& rect)
{
    CStep* pStep = OpenStep();
    if (pStep == NULL)
        return FALSE;
    if (!pStep->Capture(image, rect))
    {
        Clear();
        return FALSE;
    }
    Recount();
    EnforceBudget();
    return TRUE;
}

BOOL CPntHistory::ExtendWhole(CDIBSection& image)
{
    CStep* pStep = OpenStep();
    if (pStep == NULL)
        return FALSE;
    if (!pStep->MakeWhole(image))
    {
        Clear();
        return FALSE;
    }
    Recount();
    EnforceBudget();
    return TRUE;
}

BOOL CPntHistory::RestoreRect(CDIBSection& image, const RECT& rect)
{
    CStep* pStep = OpenStep();
    return pStep != NULL && pStep->Restore(image, rect);
}

BOOL CPntHistory::Undo(CDIBSection& image, CRect* pChanged)
{
    if (m_Steps.empty())
        return FALSE;
    SettleOpenStep(image);
    // The live state becomes an entry of its own, so that it can be redone.
    if (m_nShown < 0)
        m_nShown = (int)m_Steps.size();
    m_bOpen = FALSE;
    if (m_nShown == 0)
        return FALSE;

    CRect rcChanged(0, 0, 0, 0);
    CStep* pStep = m_Steps[(size_t)m_nShown - 1];
    if (!pStep->Swap(image, rcChanged))
        return FALSE;
    m_nStateId = pStep->m_nStateBefore;
    m_nShown--;
    Recount();
    if (pChanged != NULL)
        *pChanged = rcChanged;
    return TRUE;
}

BOOL CPntHistory::Redo(CDIBSection& image, CRect* pChanged)
{
    if (!CanRedo())
        return FALSE;
    CRect rcChanged(0, 0, 0, 0);
    CStep* pStep = m_Steps[(size_t)m_nShown];
    if (!pStep->Swap(image, rcChanged))
        return FALSE;
    m_nStateId = pStep->m_nStateAfter;
    m_nShown++;
    Recount();
    if (pChanged != NULL)
        *pChanged = rcChanged;
    return TRUE;
}

CPntHistory::CStep* CPntHistory::OpenStep()
{
    if (!m_bOpen || m_nShown >= 0 || m_Steps.empty())
        return NULL;
    return m_Steps.back();
}

void CPntHistory::DropStepsFrom(size_t nFirst)
{
    while (m_Steps.size() > nFirst)
    {
        delete m_Steps.back();
        m_Steps.pop_back();
        m_bOpen = FALSE;
    }
    Recount();
}

void CPntHistory::DropOldestStep()
{
    delete m_Steps.front();
    m_Steps.pop_front();
    if (m_nShown > 0)
        m_nShown--;
    Recount();
}

void CPntHistory::EnforceBudget()
{
    if (m_nMemoryBudget == 0)
        return;
    // The newest step stays, and so does every step the shown state needs to be undone.
    while (m_nMemoryUsed > m_nMemoryBudget && m_Steps.size() > 1 && m_nShown != 0)
        DropOldestStep();
}

void CPntHistory::Recount()
{
    SIZE_T nBytes = 0;
    for (const CStep* pStep : m_Steps)
        nBytes += pStep->GetBytes();
    m_nMemoryUsed = nBytes;
}

BOOL CPntHistory::HasRegionSteps() const
{
    for (const CStep* pStep : m_Steps)
        if (!pStep->IsWhole())
            return TRUE;
    return FALSE;
}
