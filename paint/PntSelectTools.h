// The tools that work on the selection rectangle through the rectangle tracker: the selection
// tool, the drag-move that the selection tool enters while the selected pixels move, and (in
// PntTextTool.h) the text tool. A press near the image starts a tracker; the cursor shows
// what a press there would grab.
#pragma once
#include "paint/PntTool.h"

class CPntTrackerTool : public CPntTool
{
public:
    // A press on the image, or up to a handle's width outside it, while the selection shows.
    virtual BOOL OnPress(CPntCtrl& ctrl, CPoint ptClient) const;
    virtual HCURSOR GetCursor(CPntCtrl& ctrl, HCURSOR hToolCursor) const;

protected:
    // Runs the tool's tracking; TRUE when the tracker's rectangle is the new selection.
    virtual BOOL Track(CPntCtrl& ctrl, CPntRectTracker& tracker) const = 0;
};

// The selection: a new rectangle, a resize, or a move of the pixels (a copy with Ctrl).
class CPntSelectTool : public CPntTrackerTool
{
public:
    // Selecting changes no pixel, so it works on a display-only control too.
    virtual BOOL WorksWhenDisplayOnly() const { return TRUE; }

protected:
    virtual BOOL Track(CPntCtrl& ctrl, CPntRectTracker& tracker) const;
};

// The drag-move of the selected pixels, while it runs.
class CPntDragMoveTool : public CPntTrackerTool
{
public:
    // The tracker moves the dragged pixels; moves only note the point and repaint.
    virtual BOOL FollowsDrag() const { return TRUE; }
    virtual void OnDrag(CPntCtrl& ctrl, CPoint ptImage) const;

protected:
    // A drag-move is never tracked from a press.
    virtual BOOL Track(CPntCtrl& ctrl, CPntRectTracker& tracker) const;
};
