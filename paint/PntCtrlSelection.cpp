// CPntCtrl: the selection rectangle (image coordinates, always normalised) and clearing.
#include "paint/PntCtrl.h"

void CPntCtrl::ResetSelectionRect()
{
    if (m_Image.GetSafeHandle() != NULL)
        m_rcSelection.SetRect(0, 0, m_Image.GetWidth(), m_Image.GetHeight());
    else
        m_rcSelection.SetRect(0, 0, 0, 0);
}

void CPntCtrl::SetSelectionRect(RECT* pRect, BOOL bNotify)
{
    if (pRect == NULL)
        return;
    if (m_bShowSelectionRect && WindowExists())
        Invalidate(TRUE);
    m_rcSelection = *pRect;
    m_rcSelection.NormalizeRect();
    if (bNotify)
        DoChangeSelectionRect(CRect(*pRect));
}

void CPntCtrl::DoChangeSelectionRect(CRect rc)
{
    // While a piece is moved, its last place is put back and the piece drawn at rc.
    if (m_nToolMode == TOOL_DRAG && MoveGestureArea(DragImageRect(rc)))
    {
        if (m_bClearDragSource)
            ClearRect(&m_rcDragSource, FALSE);
        DrawDragImage(rc);
    }
    // While a text box is dragged, its text follows it.
    else if (m_nToolMode == TOOL_TEXT && !m_strUserText.IsEmpty() && MoveGestureArea(TextReach(rc)))
    {
        m_Image.DrawText(m_strUserText, rc, m_nTextFormat, m_crDrawColor, &m_fontText);
        if (WindowExists())
            RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    }
    OnSelectionChanged();
}

BOOL CPntCtrl::ClearRect(RECT* pRect, BOOL bUndo)
{
    CRect rcArea = pRect != NULL ? CRect(*pRect) : m_rcSelection;
    if (bUndo)
        PreImageChangeOfRect(rcArea);

    const COLORREF cr = m_crTransparentColor != PNT_NO_COLOUR ? m_crTransparentColor : m_crEraseColor;
    if (!m_Image.ClearRect(&rcArea, cr))
    {
        // Puts back the snapshot just taken.
        if (bUndo)
            UndoImageChange();
        return FALSE;
    }

    if (bUndo)
        SetImageChanged(TRUE);
    if (WindowExists())
        Invalidate(TRUE);
    return TRUE;
}

BOOL CPntCtrl::Clear()
{
    PreImageChangeOfRect(CRect(0, 0, m_Image.GetWidth(), m_Image.GetHeight()));

    // Palette-relative white, not the erase colour, when no transparent colour is set.
    const COLORREF cr = m_crTransparentColor != PNT_NO_COLOUR ? m_crTransparentColor : 0x02FFFFFF;
    if (!m_Image.Clear(cr))
    {
        UndoImageChange();
        return FALSE;
    }

    SetImageChanged(TRUE);
    if (WindowExists())
        Invalidate(TRUE);
    return TRUE;
}
