// The pen, the eraser and the airbrush.
#include "paint/PntFreehandTools.h"

// Every piece of a stroke costs what it covers: the undo step saves the pixels under it before
// it is drawn, and only the view of it is repainted.

BOOL CPntFreehandTool::OnPress(CPntCtrl& ctrl, CPoint ptClient) const
{
    CPoint pt = Anchor(ctrl, ptClient);
    ctrl.BeginGesture();
    const CRect rcDot = ReachOf(ctrl.m_ptDown, pt, WidthOf(ctrl));
    ctrl.PreImageChangeOfRect(rcDot);
    ctrl.DoDrawShape(ctrl.m_ptDown, pt);
    ctrl.SetImageChanged(TRUE);
    RepaintImageRect(ctrl, rcDot);
    return FALSE;   // repainted where it changed
}

void CPntFreehandTool::OnDrag(CPntCtrl& ctrl, CPoint ptImage) const
{
    const CRect rcPiece = Stroke(ctrl, ptImage);
    ctrl.SetImageChanged(TRUE);
    ctrl.m_ptLast = ptImage;
    RepaintImageRect(ctrl, rcPiece);
}

CRect CPntFreehandTool::Stroke(CPntCtrl& ctrl, CPoint ptImage) const
{
    const CRect rcPiece = ReachOf(ctrl.m_ptLast, ptImage, WidthOf(ctrl));
    ctrl.ExtendImageChange(rcPiece);
    ctrl.DoDrawShape(ctrl.m_ptLast, ptImage);
    return rcPiece;
}

int CPntFreehandTool::WidthOf(const CPntCtrl& ctrl) const
{
    return m_kind == kEraser ? ctrl.m_nEraserWidth : ctrl.m_nPenWidth;
}

BOOL CPntFreehandTool::Draw(CPntCtrl& ctrl, CPoint ptFrom, CPoint ptTo) const
{
    if (m_kind == kEraser)
    {
        COLORREF cr = ctrl.m_crTransparentColor != PNT_NO_COLOUR ? ctrl.m_crTransparentColor : ctrl.m_crEraseColor;
        return ctrl.m_Image.DrawLine(ptFrom, ptTo, ctrl.m_nEraserWidth, cr);
    }
    return ctrl.m_Image.DrawLine(ptFrom, ptTo, ctrl.m_nPenWidth, ctrl.m_crDrawColor);
}

BOOL CPntAirbrushTool::OnPress(CPntCtrl& ctrl, CPoint ptClient) const
{
    CPoint pt = Anchor(ctrl, ptClient);
    ctrl.BeginGesture();
    // The step grows with every spray; it starts with the area of the first one.
    ctrl.PreImageChangeOfRect(SprayReach(ctrl, pt));
    UINT_PTR nTimer = ctrl.SetTimer(ctrl.m_nAirBrushTimer, ctrl.m_nAirBrushInterval, NULL);
    if (nTimer != 0)
        ctrl.m_nAirBrushTimer = nTimer;
    return TRUE;
}

CRect CPntAirbrushTool::Stroke(CPntCtrl& ctrl, CPoint ptImage) const
{
    return Spray(ctrl, ptImage);
}

void CPntAirbrushTool::OnTick(CPntCtrl& ctrl) const
{
    // The button may be held still: spray where the cursor was when this tick was queued.
    DWORD dwPos = ::GetMessagePos();
    CPoint pt((short)LOWORD(dwPos), (short)HIWORD(dwPos));
    ctrl.ScreenToClient(&pt);
    const CRect rcSpray = Spray(ctrl, ctrl.ClientToImage(pt));
    ctrl.InvalidateImageRect(rcSpray);
    ctrl.SetImageChanged(TRUE);
}

void CPntAirbrushTool::OnEscape(CPntCtrl& ctrl, BOOL bButtonDown) const
{
    ctrl.KillTimer(ctrl.m_nAirBrushTimer);
    if (bButtonDown)
        ctrl.Undo();
}

CRect CPntAirbrushTool::SprayReach(const CPntCtrl& ctrl, CPoint ptImage)
{
    return ReachOf(ptImage, ptImage, (int)(ctrl.m_nAirBrushRadiusFactor * ctrl.m_nPenWidth));
}

CRect CPntAirbrushTool::Spray(CPntCtrl& ctrl, CPoint ptImage)
{
    const CRect rcSpray = SprayReach(ctrl, ptImage);
    ctrl.ExtendImageChange(rcSpray);
    ctrl.SprayAirBrush(ptImage, ctrl.m_nAirBrushRadiusFactor * ctrl.m_nPenWidth);
    return rcSpray;
}
