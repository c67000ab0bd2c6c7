// IPntTextTarget: what the text format bar needs from the window whose text it edits. The
// paint control implements it; the bar knows nothing else of the control.
#pragma once
#include <afxwin.h>

class IPntTextTarget
{
public:
    // The window the bar belongs to (its parent while it is shown).
    virtual CWnd* GetTextTargetWnd() = 0;
    // The text typed so far.
    virtual void SetTargetText(LPCTSTR pszText) = 0;
    // DrawText flags of the text; the bar changes only the horizontal alignment.
    virtual UINT GetTargetTextFormat() const = 0;
    virtual void SetTargetTextFormat(UINT nFormat) = 0;
    // The text's font; NULL when there is none.
    virtual CFont* GetTargetTextFont() = 0;
    virtual void SetTargetTextFont(CFont* pFont) = 0;
    // The colour the text is drawn in.
    virtual COLORREF GetTargetTextColour() const = 0;
    virtual void SetTargetTextColour(COLORREF cr) = 0;
    // The user closed the bar: text entry is over.
    virtual void OnTextBarClosed() = 0;

protected:
    ~IPntTextTarget() {}
};
