// CPntTextFmtBar: the floating bar through which the user types and formats the text tool's
// text. This is the part the paint control calls; the bar's window arrives with the text tool.
#pragma once
#include <afxwin.h>

class CPntCtrl;

class AFX_EXT_CLASS CPntTextFmtBar : public CWnd
{
    DECLARE_DYNAMIC(CPntTextFmtBar)
public:
    explicit CPntTextFmtBar(CPntCtrl* pCtrl = NULL);
    virtual ~CPntTextFmtBar();

    // Shows the bar for pCtrl (creating its window on first use).
    BOOL Show(CPntCtrl* pCtrl);
    void Hide();
    // TRUE when the window exists and is not hidden.
    BOOL IsVisible() const;
    // Empties the edit text.
    void Clear();
    // Gives the visible edit control the focus.
    void SetFocusOnEdit();

protected:
    CPntCtrl* m_pPaintCtrl;
    BOOL m_bHidden;
};
