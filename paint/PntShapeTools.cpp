// The line, rectangle, rounded rectangle and ellipse tools.
#include "paint/PntShapeTools.h"

BOOL CPntShapeTool::OnPress(CPntCtrl& ctrl, CPoint ptClient) const
{
    CPoint pt = Anchor(ctrl, ptClient);
    ctrl.BeginGesture();
    // The rubber band redraws the figure over this snapshot at every move.
    if (!ctrl.SaveState())
        return FALSE;
    ctrl.DoDrawShape(ctrl.m_ptDown, pt);
    return TRUE;
}

void CPntShapeTool::OnDrag(CPntCtrl& ctrl, CPoint ptImage) const
{
    // Back to the image of the press, keeping the snapshot for the next move.
    if (!ctrl.RestoreState(FALSE))
        return;
    ctrl.DoDrawShape(ctrl.m_ptDown, ptImage);
    ctrl.m_ptLast = ptImage;
    Repaint(ctrl);
}

void CPntShapeTool::OnGestureEnd(CPntCtrl& ctrl, CPoint ptImage) const
{
    // The undo step must hold the image without the rubber-band figure.
    if (!ctrl.RestoreState(TRUE))
        return;
    ctrl.PreImageChange();
    ctrl.DoDrawShape(ctrl.m_ptDown, ptImage);
    ctrl.SetImageChanged(TRUE);
    if (ctrl.WindowExists())
        Repaint(ctrl);
}

void CPntShapeTool::OnEscape(CPntCtrl& ctrl, BOOL /*bButtonDown*/) const
{
    ctrl.RestoreState(TRUE);
    ctrl.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

BOOL CPntShapeTool::Draw(CPntCtrl& ctrl, CPoint ptFrom, CPoint ptTo) const
{
    CDIBSection& image = ctrl.m_Image;
    const int nWidth = ctrl.m_nPenWidth;
    const COLORREF cr = ctrl.m_crDrawColor;
    switch (m_shape)
    {
    case kLine:
        return image.DrawLine(ptFrom, ptTo, nWidth, cr);
    case kRectangle:
        return image.DrawRectangle(ptFrom, ptTo, nWidth, cr, m_bFilled, FALSE);
    case kRoundRect:
        return image.DrawRectangle(ptFrom, ptTo, nWidth, cr, m_bFilled, TRUE);
    case kEllipse:
        return image.DrawEllipse(ptFrom, ptTo, nWidth, cr, m_bFilled);
    }
    return FALSE;
}
