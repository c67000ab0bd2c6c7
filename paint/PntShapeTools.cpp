// The line, rectangle, rounded rectangle and ellipse tools.
#include "paint/PntShapeTools.h"
#include <stdlib.h>

CPoint PntConstrainShapeEnd(CPoint ptFrom, CPoint ptTo, BOOL bLine)
{
    const int dx = ptTo.x - ptFrom.x;
    const int dy = ptTo.y - ptFrom.y;
    const int nLong = abs(dx) > abs(dy) ? abs(dx) : abs(dy);
    if (bLine)
    {
        // tan(22.5 degrees) splits the nearest direction: flatter than that is level, steeper
        // than its reciprocal is upright, anything between is the diagonal.
        const double dTan = 0.41421356237309503;
        if (abs(dy) <= abs(dx) * dTan)
            return CPoint(ptTo.x, ptFrom.y);
        if (abs(dx) <= abs(dy) * dTan)
            return CPoint(ptFrom.x, ptTo.y);
    }
    // The diagonal, or the square, on the side of the pointer; a zero distance takes the
    // pointer's other direction, so that a square still opens toward it.
    const int sx = dx < 0 ? -1 : (dx > 0 ? 1 : (dy < 0 ? -1 : 1));
    const int sy = dy < 0 ? -1 : (dy > 0 ? 1 : (dx < 0 ? -1 : 1));
    return CPoint(ptFrom.x + sx * nLong, ptFrom.y + sy * nLong);
}

CPoint CPntShapeTool::EndPoint(CPntCtrl& ctrl, CPoint ptPointer) const
{
    if (!ctrl.m_bShiftConstrains || ::GetKeyState(VK_SHIFT) >= 0)
        return ptPointer;
    return PntConstrainShapeEnd(ctrl.m_ptDown, ptPointer, m_shape == kLine);
}

// The rubber band: the gesture keeps the pixels under every figure it has drawn (saved once,
// as the figure first covers them), and each move puts back only the last figure's area before
// drawing the next, so a move costs the figure's size, not the picture's.

BOOL CPntShapeTool::OnPress(CPntCtrl& ctrl, CPoint ptClient) const
{
    const CPoint pt = EndPoint(ctrl, Anchor(ctrl, ptClient));
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
    // of the figure only when it is placed. The last point stays the pointer's, so that the
    // figure follows Shift going down or up without a move.
    const CRect rcLast = ctrl.m_rcGestureFigure;
    const CPoint ptEnd = EndPoint(ctrl, ptImage);
    const CRect rcFigure = ReachOf(ctrl.m_ptDown, ptEnd, ctrl.m_nPenWidth);
    if (!ctrl.GestureAreaIsUp())
        return;
    if (ctrl.MoveGestureArea(rcFigure))
        ctrl.DoDrawShape(ctrl.m_ptDown, ptEnd);
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
    const CPoint ptEnd = EndPoint(ctrl, ptImage);
    const CRect rcFigure = ReachOf(ctrl.m_ptDown, ptEnd, ctrl.m_nPenWidth);
    ctrl.PreImageChangeOfRect(rcFigure);
    ctrl.DoDrawShape(ctrl.m_ptDown, ptEnd);
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
