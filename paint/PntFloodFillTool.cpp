// The flood fill tool.
#include "paint/PntFloodFillTool.h"

BOOL CPntFloodFillTool::OnPress(CPntCtrl& ctrl, CPoint ptClient) const
{
    CPoint pt = Anchor(ctrl, ptClient);
    // The button stays the gesture's until its release, so that the mouse stays captured.
    ctrl.BeginGesture();
    ctrl.PreImageChange();
    ctrl.DoDrawShape(ctrl.m_ptDown, pt);
    ctrl.SetImageChanged(TRUE);
    return TRUE;
}

BOOL CPntFloodFillTool::Draw(CPntCtrl& ctrl, CPoint ptFrom, CPoint /*ptTo*/) const
{
    return ctrl.m_Image.FloodFill(ptFrom, ctrl.m_crFillColor);
}
