// CPntPaintBuffer: the paint control's kept off-screen buffer.
#include "paint/PntPaintBuffer.h"
#include <algorithm>

CPntPaintBuffer::CPntPaintBuffer()
    : m_hBitmap(NULL), m_pBits(NULL), m_size(0, 0), m_hOldBitmap(NULL), m_nSavedState(0),
      m_rcPaint(0, 0, 0, 0)
{
}

CPntPaintBuffer::~CPntPaintBuffer()
{
    Free();
}

// A new bitmap per paint would cost far more than the painting itself, since fresh memory is
// slow to touch the first time: the buffer is kept and only grows.
BOOL CPntPaintBuffer::Reserve(CDC* pDC, CSize size)
{
    if (m_hBitmap != NULL && m_size.cx >= size.cx && m_size.cy >= size.cy)
        return TRUE;
    size.cx = std::max(size.cx, m_size.cx);
    size.cy = std::max(size.cy, m_size.cy);
    Free();

    BITMAPINFO bmi;
    memset(&bmi, 0, sizeof(bmi));
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = size.cx;
    bmi.bmiHeader.biHeight = -size.cy;   // top-down: row y at m_pBits + y * width
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pBits = NULL;
    HBITMAP hBitmap = ::CreateDIBSection(pDC->GetSafeHdc(), &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    if (hBitmap == NULL || pBits == NULL)
    {
        if (hBitmap != NULL)
            ::DeleteObject(hBitmap);
        return FALSE;
    }
    m_hBitmap = hBitmap;
    m_pBits = (DWORD*)pBits;
    m_size = size;
    return TRUE;
}

CDC* CPntPaintBuffer::Begin(CDC* pDC, const CRect& rcPaint, CSize sizeMin)
{
    End();
    if (pDC == NULL || rcPaint.IsRectEmpty())
        return NULL;
    CSize size(std::max(rcPaint.Width(), (int)sizeMin.cx), std::max(rcPaint.Height(), (int)sizeMin.cy));
    if (!Reserve(pDC, size))
        return NULL;
    // The memory DC is kept with the buffer selected: making one per paint costs more than
    // painting a small area. Each paint works on a saved state that End puts back.
    if (m_dcPaint.GetSafeHdc() == NULL)
    {
        if (!m_dcPaint.CreateCompatibleDC(pDC))
            return NULL;
        m_hOldBitmap = m_dcPaint.SelectObject(m_hBitmap);
        if (m_hOldBitmap == NULL)
        {
            m_dcPaint.DeleteDC();
            return NULL;
        }
    }
    m_nSavedState = m_dcPaint.SaveDC();
    if (m_nSavedState == 0)
        return NULL;
    // Client coordinates draw straight into the buffer, and only the paint's area is drawn:
    // the image's blit and the grid then cost what was invalidated, not the whole client.
    m_dcPaint.SetWindowOrg(rcPaint.left, rcPaint.top);
    m_dcPaint.IntersectClipRect(&rcPaint);
    m_rcPaint = rcPaint;
    return &m_dcPaint;
}

void CPntPaintBuffer::End()
{
    if (m_rcPaint.IsRectEmpty())
        return;
    m_dcPaint.RestoreDC(m_nSavedState);
    m_nSavedState = 0;
    m_rcPaint.SetRectEmpty();
}

BOOL CPntPaintBuffer::IsPaintDC(const CDC* pDC) const
{
    return pDC != NULL && !m_rcPaint.IsRectEmpty() && pDC->GetSafeHdc() == m_dcPaint.GetSafeHdc();
}

DWORD* CPntPaintBuffer::ClientRow(int y) const
{
    return m_pBits + (size_t)(y - m_rcPaint.top) * (size_t)m_size.cx;
}

DWORD CPntPaintBuffer::PixelValue(COLORREF cr)
{
    return ((DWORD)GetRValue(cr) << 16) | ((DWORD)GetGValue(cr) << 8) | GetBValue(cr);
}

void CPntPaintBuffer::Free()
{
    End();
    if (m_dcPaint.GetSafeHdc() != NULL)
    {
        if (m_hOldBitmap != NULL)
            m_dcPaint.SelectObject(m_hOldBitmap);
        m_hOldBitmap = NULL;
        m_dcPaint.DeleteDC();
    }
    if (m_hBitmap != NULL)
        ::DeleteObject(m_hBitmap);
    m_hBitmap = NULL;
    m_pBits = NULL;
    m_size = CSize(0, 0);
}
