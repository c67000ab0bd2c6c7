// The colour and transparent colour samplers.
#include "paint/PntSamplerTools.h"

BOOL CPntSamplerTool::OnPress(CPntCtrl& /*ctrl*/, CPoint /*ptClient*/) const
{
    return FALSE;
}

void CPntSamplerTool::OnRelease(CPntCtrl& ctrl, CPoint ptClient) const
{
    if (ctrl.m_bDisplayOnly || ctrl.GetMagnification() == 0 || ctrl.m_bCancelled)
        return;
    CPoint pt = ctrl.ClientToImage(ptClient);
    if (m_target == kDrawColour)
    {
        ctrl.SetDrawColor(ctrl.m_Image.GetPixel(pt));
        ctrl.m_crFillColor = ctrl.m_crDrawColor;
    }
    else
    {
        ctrl.SetTransparentColor(ctrl.m_Image.GetPixel(pt));
    }
    ctrl.OnColourSampleChanged();
    // One-shot: back to the tool it was picked from.
    ctrl.SetToolMode(ctrl.m_nPrevToolMode);
}

void CPntSamplerTool::OnEscape(CPntCtrl& ctrl, BOOL /*bButtonDown*/) const
{
    ctrl.RestoreState(TRUE);
    ctrl.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}
