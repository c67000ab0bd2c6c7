// CPntRectTracker: the paint control's selection tracker. It draws, moves and resizes the
// selection on the magnified, scrolled image: the rectangle snaps to image pixels, the mouse
// is kept near the image, only the edges that the user drags change, and the control hears of
// the rectangle live while it moves. A short-lived object, made at a press, for painting or
// for choosing the cursor.
#pragma once
#include <afxext.h>

class CPntCtrl;

class AFX_EXT_CLASS CPntRectTracker : public CRectTracker
{
public:
    // point: the press in the control's client coordinates. m_rect starts as the control's
    // selection in client coordinates.
    CPntRectTracker(CPntCtrl* pCtrl, CPoint point);

    // Resize or move the selection from the press point / draw a new one from it. TRUE when
    // the button came up with the rectangle changed; m_rect is then the result in image
    // coordinates, otherwise the whole image. The control's selection is left as it was.
    BOOL Track(BOOL bEraseLast);
    BOOL TrackRubberBand(BOOL bEraseLast);

    // The hit code of the press point; -1 starts a new rectangle.
    int GetHitTest() { return m_nHitTest; }
    // Size of the handles in client pixels; the control's margin and the mouse's reach too.
    static int HandleDrawSize() { return m_nMyHandleSize; }
    // The frame (dotted, palette-relative blue) one pixel outside m_rect, in client
    // coordinates, and the handles of the style.
    void Draw(CDC* pDC) const;

    static int m_nMyHandleSize;

protected:
    // Gives the control back its selection of before the loop and leaves the result of the
    // loop in m_rect, in image coordinates (the whole image when there is none).
    void Finalise(BOOL bOK);
    // m_rect in image coordinates, taking from it only the edges that the press moves.
    CRect ConvertToImageCoords();
    // Puts the edges that the press moves onto image-pixel corners.
    void SnapToGrid();
    virtual void DrawTrackerRect(LPCRECT lpRect, CWnd* pWndClipTo, CDC* pDC, CWnd* pWnd);
    virtual void AdjustRect(int nHandle, LPRECT lpRect);

    // The client point moved onto the client position of the image-pixel corner it lies in.
    CPoint SnapPoint(CPoint pt);
    // Whether there is an image to snap to.
    BOOL HasImage();

    int m_nHitTest;
    CPntCtrl* m_pCtrl;      // not owned
    CRect m_rcReported;     // client coordinates, as last reported to the control
    CRect m_rcOrigSel;      // the selection when the tracker was made, image coordinates
    CRect m_rcImage;        // (0, 0, image width, image height)
    CPoint m_ptStart;       // the press, snapped, client coordinates
    BOOL m_bEraseLast;      // each feedback frame takes the previous one away
};
