// CPntTool: what every tool does unless it says otherwise, and the tool that does nothing.
#include "paint/PntTool.h"
#include <algorithm>

void CPntTool::OnEscape(CPntCtrl& ctrl, BOOL /*bButtonDown*/) const
{
    ctrl.Undo();
}

void CPntTool::OnKeyDown(CPntCtrl& ctrl, UINT nChar, UINT /*nRepCnt*/) const
{
    if (nChar == VK_DELETE)
    {
        ctrl.ClearRect(NULL, TRUE);
        ctrl.ResetSelectionRect();
        return;
    }
    UndoKeys(ctrl, nChar);
}

void CPntTool::FollowFocus(CPntCtrl& ctrl) const
{
    if (::GetFocus() != ctrl.m_hWnd)
        ctrl.SetFocus();
}

void CPntTool::OnChosen(CPntCtrl& ctrl) const
{
    ctrl.m_TextFmtBar.Hide();
}

CPoint CPntTool::Anchor(CPntCtrl& ctrl, CPoint ptClient)
{
    CPoint pt = ctrl.ClientToImage(ptClient);
    ctrl.m_ptDown = ctrl.m_ptLast = pt;
    return pt;
}

void CPntTool::Repaint(CPntCtrl& ctrl)
{
    ctrl.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
}

void CPntTool::RepaintImageRect(CPntCtrl& ctrl, const CRect& rcImage)
{
    if (!ctrl.WindowExists())
        return;
    ctrl.InvalidateImageRect(rcImage);
    ctrl.UpdateWindow();
}

CRect CPntTool::ReachOf(CPoint a, CPoint b, int nWidth)
{
    CRect rc(std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x) + 1, std::max(a.y, b.y) + 1);
    // Round caps, wide outlines and the ellipse's rounding stay within a pen width and a pixel.
    const int nReach = std::max(nWidth, 1) + 2;
    rc.InflateRect(nReach, nReach);
    return rc;
}

BOOL CPntTool::UndoKeys(CPntCtrl& ctrl, UINT nChar)
{
    if (::GetKeyState(VK_CONTROL) >= 0 || ctrl.m_bButtonDown)
        return FALSE;
    if (nChar == 'Z')
        ctrl.Undo();
    else if (nChar == 'Y')
        ctrl.Redo();
    return TRUE;
}

BOOL CPntNoTool::OnPress(CPntCtrl& /*ctrl*/, CPoint /*ptClient*/) const
{
    return FALSE;
}
