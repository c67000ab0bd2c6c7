// CPntCtrl: lifting the selected pixels into the drag image, moving or copying them with the
// mouse, and dropping them. A drop stays floating: moving it again first takes it back, so
// repeated moves of one piece cost one undo step.
#include "paint/PntCtrl.h"
#include "paint/PntRectTracker.h"
#include "image/PntGdiSelect.h"

BOOL CPntCtrl::PrepareDragImage(CRect rc)
{
    m_DragImage.DeleteObject();
    m_rcDragSource = rc;
    if (m_bDisplayOnly)
        return TRUE;
    if (rc.Width() == 0 || rc.Height() == 0 || m_Image.GetSafeHandle() == NULL)
        return FALSE;

    if (!m_DragImage.CreateBitmap(rc.Width(), rc.Height(), 1, (UINT)m_Image.GetBitCount(), NULL,
                                  m_Image.GetLogPalette(), NULL))
        return FALSE;
    m_DragImage.SetColorTable((UINT)m_Image.GetColorTableSize(), m_Image.GetColorTable());
    m_DragImage.CreatePalette();

    CDC* pDC = m_DragImage.GetMemoryDC(NULL, TRUE);
    if (pDC == NULL)
    {
        m_DragImage.DeleteObject();
        return FALSE;
    }
    // The pixels are copied as they are, never dithered.
    BOOL bDither = m_Image.GetDither();
    m_Image.SetDither(FALSE);
    CPoint ptSrc = rc.TopLeft();
    CSize size = rc.Size();
    m_Image.Draw(pDC, CPoint(0, 0), &ptSrc, &size);
    m_Image.SetDither(bDither);
    m_DragImage.ReleaseMemoryDC();
    return TRUE;
}

CRect CPntCtrl::DragImageRect(CRect rc)
{
    // A piece hanging off the left or top edge is placed by its far edge.
    CPoint pt(rc.left > 0 ? rc.left : rc.right - m_DragImage.GetWidth(),
              rc.top > 0 ? rc.top : rc.bottom - m_DragImage.GetHeight());
    return CRect(pt, CSize(m_DragImage.GetWidth(), m_DragImage.GetHeight()));
}

BOOL CPntCtrl::DrawDragImage(CRect rc)
{
    CDC* pDC = m_Image.GetMemoryDC(NULL, TRUE);
    if (pDC == NULL)
        return FALSE;
    const CPoint pt = DragImageRect(rc).TopLeft();

    {
        CPntSelectPalette selPalette(pDC->GetSafeHdc(), (HPALETTE)m_DragImage.GetPalette()->GetSafeHandle(), TRUE,
                                     FALSE);
        if (m_bTransparent && m_crTransparentColor != PNT_NO_COLOUR)
        {
            m_DragImage.DrawTransparent(pDC, pt, m_crTransparentColor);
        }
        else
        {
            BOOL bDither = m_DragImage.GetDither();
            m_DragImage.SetDither(FALSE);
            m_DragImage.Draw(pDC, pt);
            m_DragImage.SetDither(bDither);
        }
    }
    m_Image.ReleaseMemoryDC();
    if (WindowExists())
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    return TRUE;
}

BOOL CPntCtrl::DragSelectImage(CPntRectTracker* pTracker)
{
    if (pTracker == NULL)
        return FALSE;
    const int nHit = pTracker->GetHitTest();
    if (nHit != CRectTracker::hitMiddle)
        m_bFloating = FALSE;
    m_bShowSelectionRect = FALSE;
    if (WindowExists())
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);

    BOOL bResult = FALSE;
    if (nHit != CRectTracker::hitMiddle)
    {
        // A new selection (rubber band) or a resized one: the pixels stay as they are.
        OnStartSelection();
        bResult = nHit < 0 ? pTracker->TrackRubberBand(TRUE) : pTracker->Track(TRUE);
        OnEndSelection();
        if (bResult)
            PrepareDragImage(pTracker->m_rect);
    }
    else
    {
        if (m_bFloating)
        {
            // The previous drop is taken back first; the undo step resets the selection.
            CRect rcSelection = m_rcSelection;
            UndoImageChange();
            m_rcSelection = rcSelection;
        }
        else
        {
            // With Ctrl held the piece is copied, else moved.
            m_bClearDragSource = ::GetKeyState(VK_CONTROL) >= 0;
            // A selection set by the host rather than drawn by the user has not been lifted yet.
            if (m_DragImage.GetSafeHandle() == NULL || m_rcDragSource != m_rcSelection)
                PrepareDragImage(m_rcSelection);
        }

        const int nOldMode = m_nToolMode;
        m_nToolMode = TOOL_DRAG;
        // The move keeps the pixels under the piece and of the cleared source as it goes.
        BeginGestureArea(DragImageRect(m_rcSelection), m_bClearDragSource ? &m_rcDragSource : NULL);
        if (m_bClearDragSource)
            ClearRect(&m_rcDragSource, FALSE);
        DrawDragImage(m_rcSelection);

        OnStartSelection();
        BOOL bMoved = pTracker->Track(TRUE);
        OnEndSelection();
        // Without a move (or when cancelled) the piece is dropped where it is.
        if (!bMoved)
            pTracker->m_rect = m_rcSelection;

        if (EndGestureArea(m_bClearDragSource ? &m_rcDragSource : NULL) && m_nToolMode == TOOL_DRAG)
        {
            // The step keeps the source cleared and the place dropped on.
            const CRect rcDrop = DragImageRect(pTracker->m_rect);
            PreImageChangeOfRect(m_bClearDragSource ? m_rcDragSource : rcDrop);
            ExtendImageChange(rcDrop);
            if (m_bClearDragSource)
                ClearRect(&m_rcDragSource, FALSE);
            DrawDragImage(pTracker->m_rect);
            SetImageChanged(TRUE);
            bResult = TRUE;
        }
        m_bFloating = TRUE;
        m_nToolMode = nOldMode;
    }
    m_bShowSelectionRect = TRUE;
    return bResult;
}
