// CEditorPaintCtrl: the paint control as the editor uses it: it knows when letters go into
// the text tool's text, keeps the text bar beside the text box rather than over it, and tells
// its parent where the pointer is while a selection or text box is dragged.
#pragma once
#include "paint/PntCtrl.h"

class CEditorPaintCtrl : public CPntCtrl
{
public:
    // Sent to the parent while a tracked drag moves the pointer; no parameters. The parent
    // reads the pointer's position itself.
    static const UINT kPointerMovedMessage = WM_APP + 0x120;

    // Whether keys pressed on the control now go into the text tool's text.
    BOOL IsTypingText() const;
    // The text tool's bar, NULL until the text tool first shows it.
    CWnd* GetTextBar();
    // Moves the text bar, when it shows, so that it does not cover the text box, keeping it
    // inside the work area. A bar already clear of the box stays where the user put it.
    void PlaceTextBar();
    // The image pixel under client point pt; FALSE when pt is off the picture.
    BOOL ImagePixelAt(CPoint pt, CPoint* pPixel);

protected:
    virtual void OnSelectionChanged();
    virtual void OnEndSelection();
};
