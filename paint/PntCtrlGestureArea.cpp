// CPntCtrl: the pixels under what a gesture draws while it follows the mouse. They are kept as
// the gesture first covers them and put back area by area, so a move costs the size of what
// moves, not the size of the picture.
#include "paint/PntCtrl.h"

BOOL CPntCtrl::BeginGestureArea(const CRect& rcFirst, const CRect* pFixed)
{
    m_GestureBackup.Clear();
    m_rcGestureFigure.SetRectEmpty();
    if (!m_GestureBackup.BeginStep(m_Image, &rcFirst) ||
        (pFixed != NULL && !m_GestureBackup.Extend(m_Image, *pFixed)))
    {
        m_GestureBackup.Clear();
        return FALSE;
    }
    m_rcGestureFigure = rcFirst;
    return TRUE;
}

BOOL CPntCtrl::MoveGestureArea(const CRect& rcNext)
{
    if (!GestureAreaIsUp() || !m_GestureBackup.RestoreRect(m_Image, m_rcGestureFigure))
        return FALSE;
    // A fixed area that the last one overlapped is drawn again by the caller.
    if (!m_GestureBackup.Extend(m_Image, rcNext))
        return FALSE;
    m_rcGestureFigure = rcNext;
    return TRUE;
}

BOOL CPntCtrl::EndGestureArea(const CRect* pFixed)
{
    if (!GestureAreaIsUp())
        return FALSE;
    BOOL bRestored = m_GestureBackup.RestoreRect(m_Image, m_rcGestureFigure);
    if (pFixed != NULL && !m_GestureBackup.RestoreRect(m_Image, *pFixed))
        bRestored = FALSE;
    m_GestureBackup.Clear();
    m_rcGestureFigure.SetRectEmpty();
    return bRestored;
}
