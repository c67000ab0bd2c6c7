// The magnify tool. The click's position plays no part: the view keeps its centring.
#include "paint/PntMagnifyTool.h"

BOOL CPntMagnifyTool::OnPress(CPntCtrl& /*ctrl*/, CPoint /*ptClient*/) const
{
    return FALSE;
}

void CPntMagnifyTool::OnRelease(CPntCtrl& ctrl, CPoint /*ptClient*/) const
{
    ctrl.StepMagnification(::GetKeyState(VK_MENU) >= 0);   // Alt zooms out
}

void CPntMagnifyTool::OnRightRelease(CPntCtrl& ctrl) const
{
    ctrl.StepMagnification(FALSE);
}
