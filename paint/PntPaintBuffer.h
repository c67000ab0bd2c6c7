// CPntPaintBuffer: the paint control's off-screen buffer, a 32-bit top-down DIB section kept
// from paint to paint. During a paint it is selected into a memory DC whose client
// coordinates draw straight into it, and its pixels can be written directly as well (the
// pixel grid is written so: one pass over the bits instead of a blit per line).
#pragma once
#include <afxwin.h>

class CPntPaintBuffer
{
public:
    CPntPaintBuffer();
    ~CPntPaintBuffer();

    // Starts painting the client rectangle rcPaint: the buffer grows to hold it and at least
    // sizeMin (it only ever grows); the memory DC that holds it gets rcPaint's top-left as its
    // window origin and rcPaint as its clipping. NULL when GDI refuses.
    CDC* Begin(CDC* pDC, const CRect& rcPaint, CSize sizeMin);
    // Ends the paint: the memory DC's state (origin, clipping, selections) is put back.
    void End();

    // Whether pDC is the memory DC of the paint in progress.
    BOOL IsPaintDC(const CDC* pDC) const;
    // The client rectangle being painted.
    const CRect& GetPaintRect() const { return m_rcPaint; }
    // The pixel row of client line y, indexed by client x less GetPaintRect().left; for lines
    // of the paint rectangle only, during a paint, after GDI has been flushed.
    DWORD* ClientRow(int y) const;
    // A COLORREF as the buffer stores it (blue in the low byte).
    static DWORD PixelValue(COLORREF cr);

    // Gives the memory back; the next paint makes a new buffer.
    void Free();

private:
    CPntPaintBuffer(const CPntPaintBuffer&) = delete;
    CPntPaintBuffer& operator=(const CPntPaintBuffer&) = delete;

    BOOL Reserve(CDC* pDC, CSize size);

    HBITMAP m_hBitmap;
    DWORD* m_pBits;          // top-down rows of m_size.cx pixels
    CSize m_size;
    CDC m_dcPaint;           // kept with the buffer selected
    HGDIOBJ m_hOldBitmap;
    int m_nSavedState;       // SaveDC's level during a paint
    CRect m_rcPaint;
};
