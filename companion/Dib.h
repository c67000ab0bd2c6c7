// CDib: a device-independent bitmap held in memory as a packed BITMAPINFO and its pixels.
// Hosts hand images to the paint control as CDib objects and take them back the same way.
#pragma once
#include "companion/CompanionDefs.h"

class COMPANION_CLASS CDib : public CObject
{
    DECLARE_DYNAMIC(CDib)
public:
    CDib();
    virtual ~CDib();

    // Reads the bitmap through the DC (whose selected palette maps the colours of palette
    // devices). nBitCount 0 keeps the bitmap's own depth; bMonochrome reads one bit per
    // pixel (black 0, white 1) whatever nBitCount says; nUsage is DIB_RGB_COLORS or
    // DIB_PAL_COLORS for the colour table. Non-zero on success; on failure the object is empty.
    BOOL Init(CDC* pDC, CBitmap* pBitmap, int nBitCount, int bMonochrome, int nUsage);
    // Takes a copy of a packed header (with its colour table) and bits.
    BOOL Init(const BITMAPINFO* pInfo, const void* pBits);
    void Empty();

    BOOL IsEmpty() const { return m_pBMI == NULL; }
    BITMAPINFO* GetBitmapInfo() const { return m_pBMI; }
    void* GetBits() const { return m_pBits; }
    int GetWidth() const;
    int GetHeight() const;
    int GetBitCount() const;
    // Bytes of one row, padded to 32 bits.
    int GetStride() const;
    // Draws the picture at its own size with its top-left corner at pt.
    BOOL Display(CDC* pDC, CPoint pt) const;

    // Header and colour table, one block; the pixels follow in their own block.
    BITMAPINFO* m_pBMI;

protected:
    void* m_pBits;
};
