// CRectTracker: a rectangle that the user moves, resizes or draws with the mouse, with its
// frame, hatching and resize handles. Included by afxext.h.
//
// m_rect is in the client coordinates of the window passed to Track/TrackRubberBand. While
// tracking may invert it (bAllowInvert), m_rect keeps the inversion; hit codes then name the
// fields of m_rect that a handle moves, and NormalizeHit gives the visual handle.
#pragma once
#include "afxwin.h"

class AFX_FW_CLASS CRectTracker
{
public:
    CRectTracker();
    CRectTracker(LPCRECT lpSrcRect, UINT nStyle);

    enum StyleFlags
    {
        solidLine = 1, dottedLine = 2, hatchedBorder = 4,
        resizeInside = 8, resizeOutside = 16, hatchInside = 32
    };
    enum TrackerHit
    {
        hitNothing = -1,
        hitTopLeft = 0, hitTopRight = 1, hitBottomRight = 2, hitBottomLeft = 3,
        hitTop = 4, hitRight = 5, hitBottom = 6, hitLeft = 7, hitMiddle = 8
    };

    UINT m_nStyle;
    CRect m_rect;
    CSize m_sizeMin;       // the smallest width and height that resizing leaves
    int m_nHandleSize;

    void Draw(CDC* pDC) const;
    // m_rect normalised with the handles and lines drawn outside it.
    void GetTrueRect(LPRECT lpTrueRect) const;
    // For WM_SETCURSOR: the sizing cursor of the handle under the mouse (the move cursor
    // inside); FALSE, and nothing set, when the mouse is not over the tracker.
    BOOL SetCursor(CWnd* pWnd, UINT nHitTest) const;
    // Modal loops that run until the left button comes up (TRUE when m_rect then differs from
    // where it started), Escape or the right button is pressed, or the capture is lost (FALSE,
    // m_rect as before). The caller must not hold the mouse capture.
    BOOL Track(CWnd* pWnd, CPoint point, BOOL bAllowInvert = FALSE, CWnd* pWndClipTo = NULL);
    BOOL TrackRubberBand(CWnd* pWnd, CPoint point, BOOL bAllowInvert = TRUE);
    int HitTest(CPoint point) const;
    int NormalizeHit(int nHandle) const;

    // Overridables, in this order.
    virtual void DrawTrackerRect(LPCRECT lpRect, CWnd* pWndClipTo, CDC* pDC, CWnd* pWnd);
    virtual void AdjustRect(int nHandle, LPRECT lpRect);
    virtual void OnChangedRect(const CRect& rectOld);
    virtual UINT GetHandleMask() const;
    virtual ~CRectTracker();

protected:
    BOOL m_bAllowInvert;
    CRect m_rectLast;      // the feedback frame on the screen, and its thickness
    CSize m_sizeLast;
    BOOL m_bErase;         // DrawTrackerRect is asked to take the old frame away
    BOOL m_bFinalErase;    // ... for the last time: tracking ends

    virtual int GetHandleSize(LPCRECT lpRect = NULL) const;
    int HitTestHandles(CPoint point) const;
    void GetHandleRect(int nHandle, CRect* pHandleRect) const;
    // The fields of m_rect that handle nHandle moves (NULL for an axis it leaves) and their
    // values now.
    void GetModifyPointers(int nHandle, int** ppx, int** ppy, int* px, int* py);
    BOOL TrackHandle(int nHandle, CWnd* pWnd, CPoint point, CWnd* pWndClipTo);
    void Construct();
};
