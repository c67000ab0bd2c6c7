// The line, rectangle, rounded rectangle and ellipse tools.
#include "paint/PntShapeTools.h"

// The rubber band: the gesture keeps the pixels under every figure it has drawn (saved once,
// as the figure first covers them), and each move puts back only the last figure's area before
// drawing the next, so a move costs the figure's size, not the picture's.

BOOL CPntShapeTool::OnPress(CPntCtrl& ctrl, CPoint ptClient) const
{
    CPoint pt = Anchor(ctrl, ptClient);
    ctrl.BeginGesture();
    const CRect rcFigure = ReachOf(ctrl.m_ptDown, pt, ctrl.m_nPenWidth);
    if (!ctrl.BeginGestureArea(rcFigure, NULL))
        return FALSE;
    ctrl.DoDrawShape(ctrl.m_ptDown, pt);
    RepaintImageRect(ctrl, rcFigure);
    return FALSE;   // repainted where it changed
}

void CPntShapeTool::OnDrag(CPntCtrl& ctrl, CPoint ptImage) const
{
    // The last figure's area back as it was at the press, then the new figure; the owner hears
    // of the figure only when it is placed.
    const CRect rcLast = ctrl.m_rcGestureFigure;
    const CRect rcFigure = ReachOf(ctrl.m_ptDown, ptImage, ctrl.m_nPenWidth);
    if (!ctrl.GestureAreaIsUp())
        return;
    if (ctrl.MoveGestureArea(rcFigure))
        ctrl.DoDrawShape(ctrl.m_ptDown, ptImage);
    ctrl.m_ptLast = ptImage;
    CRect rcChanged;
    rcChanged.UnionRect(rcLast, rcFigure);
    RepaintImageRect(ctrl, rcChanged);
}

void CPntShapeTool::OnGestureEnd(CPntCtrl& ctrl, CPoint ptImage) const
{
    // The undo step must hold the image without the rubber-band figure.
    const CRect rcLast = ctrl.m_rcGestureFigure;
    if (!ctrl.EndGestureArea(NULL))
        return;
    const CRect rcFigure = ReachOf(ctrl.m_ptDown, ptImage, ctrl.m_nPenWidth);
    ctrl.PreImageChangeOfRect(rcFigure);
    ctrl.DoDrawShape(ctrl.m_ptDown, ptImage);
    ctrl.SetImageChanged(TRUE);
    CRect rcChanged;
    rcChanged.UnionRect(rcLast, rcFigure);
    RepaintImageRect(ctrl, rcChanged);
}

void CPntShapeTool::OnEscape(CPntCtrl& ctrl, BOOL /*bButtonDown*/) const
{
    ctrl.EndGestureArea(NULL);
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
