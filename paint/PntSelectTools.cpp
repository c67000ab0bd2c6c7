// The selection tool and the drag-move, and the tracker press and cursor they share with the
// text tool.
#include "paint/PntSelectTools.h"
#include "paint/PntRectTracker.h"

namespace
{
// How far outside the image, in image pixels on a press and in client pixels for the
// cursor, the selection tools still react: the width of the tracker's handles.
int SelectionReach()
{
    return CPntRectTracker::HandleDrawSize();
}
}

BOOL CPntTrackerTool::OnPress(CPntCtrl& ctrl, CPoint ptClient) const
{
    CPoint pt = Anchor(ctrl, ptClient);
    CRect rcReach(0, 0, ctrl.m_Image.GetWidth(), ctrl.m_Image.GetHeight());
    rcReach.InflateRect(SelectionReach(), SelectionReach());
    if (!ctrl.m_bShowSelectionRect || !rcReach.PtInRect(pt))
        return FALSE;
    CPntRectTracker tracker(&ctrl, ptClient);
    // The tracker reports itself to the selection as it goes and puts it back at the end;
    // the result is taken from it here.
    if (Track(ctrl, tracker))
    {
        CRect rc = tracker.m_rect;
        ctrl.SetSelectionRect(&rc, FALSE);
    }
    else
    {
        ctrl.ResetSelectionRect();
    }
    // The window may have gone while the tracking loop ran.
    return ctrl.WindowExists();
}

HCURSOR CPntTrackerTool::GetCursor(CPntCtrl& ctrl, HCURSOR hToolCursor) const
{
    if (!ctrl.m_bShowSelectionRect)
        return NULL;
    CPoint pt;
    ::GetCursorPos(&pt);
    ctrl.ScreenToClient(&pt);
    CRect rcImage(0, 0, ctrl.m_Image.GetWidth(), ctrl.m_Image.GetHeight());
    ctrl.IPtoLP(&rcImage);
    ctrl.LPtoDP(&rcImage);
    rcImage.NormalizeRect();
    rcImage.InflateRect(SelectionReach(), SelectionReach());
    if (!rcImage.PtInRect(pt))
        return NULL;

    // What a press here would grab decides.
    CPntRectTracker tracker(&ctrl, pt);
    switch (tracker.GetHitTest())
    {
    case CRectTracker::hitTopLeft:
    case CRectTracker::hitBottomRight:
        return ::LoadCursor(NULL, IDC_SIZENWSE);
    case CRectTracker::hitTopRight:
    case CRectTracker::hitBottomLeft:
        return ::LoadCursor(NULL, IDC_SIZENESW);
    case CRectTracker::hitTop:
    case CRectTracker::hitBottom:
        return ::LoadCursor(NULL, IDC_SIZENS);
    case CRectTracker::hitRight:
    case CRectTracker::hitLeft:
        return ::LoadCursor(NULL, IDC_SIZEWE);
    case CRectTracker::hitMiddle:
        return ctrl.m_bDisplayOnly ? hToolCursor : ::LoadCursor(NULL, IDC_SIZEALL);
    default:
        return hToolCursor;
    }
}

BOOL CPntSelectTool::Track(CPntCtrl& ctrl, CPntRectTracker& tracker) const
{
    return ctrl.DragSelectImage(&tracker);
}

BOOL CPntDragMoveTool::Track(CPntCtrl& /*ctrl*/, CPntRectTracker& /*tracker*/) const
{
    return FALSE;
}

void CPntDragMoveTool::OnDrag(CPntCtrl& ctrl, CPoint ptImage) const
{
    ctrl.m_ptLast = ptImage;
    Repaint(ctrl);
}
