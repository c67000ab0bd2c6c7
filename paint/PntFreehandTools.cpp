// The pen, the eraser and the airbrush.
#include "paint/PntFreehandTools.h"

BOOL CPntFreehandTool::OnPress(CPntCtrl& ctrl, CPoint ptClient) const
{
    CPoint pt = Anchor(ctrl, ptClient);
    ctrl.BeginGesture();
    ctrl.PreImageChange();
    ctrl.DoDrawShape(ctrl.m_ptDown, pt);
    ctrl.SetImageChanged(TRUE);
    return TRUE;
}

void CPntFreehandTool::OnDrag(CPntCtrl& ctrl, CPoint ptImage) const
{
    Stroke(ctrl, ptImage);
    ctrl.SetImageChanged(TRUE);
    ctrl.m_ptLast = ptImage;
    Repaint(ctrl);
}

void CPntFreehandTool::Stroke(CPntCtrl& ctrl, CPoint ptImage) const
{
    ctrl.DoDrawShape(ctrl.m_ptLast, ptImage);
}

BOOL CPntFreehandTool::Draw(CPntCtrl& ctrl, CPoint ptFrom, CPoint ptTo) const
{
    if (m_kind == kEraser)
    {
        COLORREF cr = ctrl.m_crTransparentColor != 0xFFFFFFFF ? ctrl.m_crTransparentColor : ctrl.m_crEraseColor;
        return ctrl.m_Image.DrawLine(ptFrom, ptTo, ctrl.m_nEraserWidth, cr);
    }
    return ctrl.m_Image.DrawLine(ptFrom, ptTo, ctrl.m_nPenWidth, ctrl.m_crDrawColor);
}

BOOL CPntAirbrushTool::OnPress(CPntCtrl& ctrl, CPoint ptClient) const
{
    Anchor(ctrl, ptClient);
    ctrl.BeginGesture();
    ctrl.PreImageChange();
    UINT_PTR nTimer = ctrl.SetTimer(ctrl.m_nAirBrushTimer, ctrl.m_nAirBrushInterval, NULL);
    if (nTimer != 0)
        ctrl.m_nAirBrushTimer = nTimer;
    return TRUE;
}

void CPntAirbrushTool::Stroke(CPntCtrl& ctrl, CPoint ptImage) const
{
    Spray(ctrl, ptImage);
}

void CPntAirbrushTool::OnTick(CPntCtrl& ctrl) const
{
    // The button may be held still: spray where the cursor was when this tick was queued.
    DWORD dwPos = ::GetMessagePos();
    CPoint pt((short)LOWORD(dwPos), (short)HIWORD(dwPos));
    ctrl.ScreenToClient(&pt);
    Spray(ctrl, ctrl.ClientToImage(pt));
    ctrl.Invalidate(FALSE);
    ctrl.SetImageChanged(TRUE);
}

void CPntAirbrushTool::OnEscape(CPntCtrl& ctrl, BOOL bButtonDown) const
{
    ctrl.KillTimer(ctrl.m_nAirBrushTimer);
    if (bButtonDown)
        ctrl.Undo();
}

void CPntAirbrushTool::Spray(CPntCtrl& ctrl, CPoint ptImage)
{
    ctrl.SprayAirBrush(ptImage, ctrl.m_nAirBrushRadiusFactor * ctrl.m_nPenWidth);
}
