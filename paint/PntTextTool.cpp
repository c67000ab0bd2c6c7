// The text tool's input; the drawing of the text is the control's (PntCtrlText.cpp).
#include "paint/PntTextTool.h"

BOOL CPntTextTool::Track(CPntCtrl& ctrl, CPntRectTracker& tracker) const
{
    return ctrl.DragEditText(&tracker);
}

void CPntTextTool::OnKeyDown(CPntCtrl& ctrl, UINT nChar, UINT nRepCnt) const
{
    if (UndoKeys(ctrl, nChar))
    {
        ctrl.m_TextFmtBar.Clear();
    }
    else if (TypesIntoBar(ctrl))
    {
        ctrl.m_TextFmtBar.SetFocusOnEdit();
        // The repeat count alone: the flag bits are the control's.
        ctrl.m_TextFmtBar.SendMessage(WM_KEYDOWN, nChar, nRepCnt);
    }
}

void CPntTextTool::OnCharacter(CPntCtrl& ctrl, UINT nChar, UINT nRepCnt) const
{
    if (!TypesIntoBar(ctrl))
        return;
    ctrl.m_TextFmtBar.SetFocusOnEdit();
    ctrl.m_TextFmtBar.SendMessage(WM_CHAR, nChar, nRepCnt);
}

void CPntTextTool::FollowFocus(CPntCtrl& ctrl) const
{
    if (!ctrl.m_TextFmtBar.IsVisible())
    {
        CPntTrackerTool::FollowFocus(ctrl);
        return;
    }
    HWND hFocus = ::GetFocus();
    HWND hBar = ctrl.m_TextFmtBar.GetSafeHwnd();
    if (hFocus != hBar && !::IsChild(hBar, hFocus))
        ctrl.m_TextFmtBar.SetFocusOnEdit();
}

void CPntTextTool::OnChosen(CPntCtrl& ctrl) const
{
    ctrl.m_TextFmtBar.Show(&ctrl);
    ctrl.m_bFloating = TRUE;
}

BOOL CPntTextTool::TypesIntoBar(CPntCtrl& ctrl)
{
    return ctrl.m_TextFmtBar.IsVisible() && ctrl.m_bFloating;
}
