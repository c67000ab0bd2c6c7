// CPntTool: what one tool of the paint control does with its input. The control keeps the
// gesture's state (press point, last point, button, cancel) and, from its message handlers,
// calls the hooks of the tool that its table gives for the current mode. Tools are shared
// objects of the table and keep no state of their own.
#pragma once
#include "paint/PntCtrl.h"

class CPntTool
{
public:
    virtual ~CPntTool() {}

    // Button-down at ptClient (client coordinates) on a control that takes it. TRUE when the
    // control should repaint now.
    virtual BOOL OnPress(CPntCtrl& ctrl, CPoint ptClient) const = 0;
    // Whether moves with the button held go to OnDrag.
    virtual BOOL FollowsDrag() const { return FALSE; }
    // A move with the button held, the mouse captured, at ptImage (image coordinates).
    virtual void OnDrag(CPntCtrl& /*ctrl*/, CPoint /*ptImage*/) const {}
    // The end of a gesture that was neither cancelled nor made impossible (display-only, no
    // view), whichever way it ended: button-up, capture lost, disabled, destroyed.
    virtual void OnGestureEnd(CPntCtrl& /*ctrl*/, CPoint /*ptImage*/) const {}
    // Button-up at ptClient, after the gesture has ended.
    virtual void OnRelease(CPntCtrl& /*ctrl*/, CPoint /*ptClient*/) const {}
    virtual void OnRightRelease(CPntCtrl& /*ctrl*/) const {}
    // A tick of the control's drawing timer while the button is held.
    virtual void OnTick(CPntCtrl& /*ctrl*/) const {}
    // Escape: the gesture is already cancelled and the capture given up; bButtonDown tells
    // whether a gesture was running. By default the stroke in progress, or else the last
    // change, is undone.
    virtual void OnEscape(CPntCtrl& ctrl, BOOL bButtonDown) const;
    // Keys: Delete clears the selection, Ctrl+Z and Ctrl+Y undo and redo.
    virtual void OnKeyDown(CPntCtrl& ctrl, UINT nChar, UINT nRepCnt) const;
    // Characters other than Escape.
    virtual void OnCharacter(CPntCtrl& /*ctrl*/, UINT /*nChar*/, UINT /*nRepCnt*/) const {}
    // The pointer moved over the control: by default the control takes the focus.
    virtual void FollowFocus(CPntCtrl& ctrl) const;
    // The tool has just been chosen (and the owner told): by default the text bar goes.
    virtual void OnChosen(CPntCtrl& ctrl) const;
    // The cursor over the client area; hToolCursor is the one the table gives the tool.
    // NULL leaves the window's own.
    virtual HCURSOR GetCursor(CPntCtrl& /*ctrl*/, HCURSOR hToolCursor) const { return hToolCursor; }
    // Whether the tool takes presses and shows its cursor on a display-only control.
    virtual BOOL WorksWhenDisplayOnly() const { return FALSE; }
    // Draws the tool's figure from ptFrom to ptTo into the image; FALSE when it has none.
    virtual BOOL Draw(CPntCtrl& /*ctrl*/, CPoint /*ptFrom*/, CPoint /*ptTo*/) const { return FALSE; }

protected:
    // Sets the press point and the last point to ptClient in image coordinates.
    static CPoint Anchor(CPntCtrl& ctrl, CPoint ptClient);
    // Repaints the changed view now, without erasing (the image covers its area).
    static void Repaint(CPntCtrl& ctrl);
    // Repaints now only the part of the view that shows rcImage (image coordinates).
    static void RepaintImageRect(CPntCtrl& ctrl, const CRect& rcImage);
    // The image area that a figure or stroke from a to b with a pen nWidth pixels wide can
    // touch: the points' rectangle widened on every side by more than the pen reaches.
    static CRect ReachOf(CPoint a, CPoint b, int nWidth);
    // With Ctrl down and no drawing button down, Z undoes and Y redoes; TRUE in that state
    // whatever the key, FALSE (nothing done) otherwise.
    static BOOL UndoKeys(CPntCtrl& ctrl, UINT nChar);
};

// No tool: clicks do nothing.
class CPntNoTool : public CPntTool
{
public:
    virtual BOOL OnPress(CPntCtrl& ctrl, CPoint ptClient) const;
};
