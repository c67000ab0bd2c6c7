// The text tool: a press draws or moves the text box through the tracker; the text, typed in
// the floating text bar, is drawn into the box. While it is chosen the bar shows, and keys
// and characters typed over the control go on into the bar.
#pragma once
#include "paint/PntSelectTools.h"

class CPntTextTool : public CPntTrackerTool
{
public:
    // Ctrl+Z and Ctrl+Y also empty the bar's edit; Delete and other keys go to the bar.
    virtual void OnKeyDown(CPntCtrl& ctrl, UINT nChar, UINT nRepCnt) const;
    virtual void OnCharacter(CPntCtrl& ctrl, UINT nChar, UINT nRepCnt) const;
    // While the bar shows, the pointer over the control gives the focus to the bar's edit.
    virtual void FollowFocus(CPntCtrl& ctrl) const;
    // The bar shows, and text entry is open.
    virtual void OnChosen(CPntCtrl& ctrl) const;

protected:
    // A new text box (committing the old text), or the box moved or resized with its text.
    virtual BOOL Track(CPntCtrl& ctrl, CPntRectTracker& tracker) const;

private:
    // Whether typing over the control goes on into the bar.
    static BOOL TypesIntoBar(CPntCtrl& ctrl);
};
