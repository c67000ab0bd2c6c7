// CDesPntCtrl: a paint control that reports its status text and the image point under the
// mouse to its parent window (UPDATE_PAINT_STATUSBAR) instead of the main frame's status bar.
#pragma once
#include "paint/PntCtrl.h"

class AFX_EXT_CLASS CDesPntCtrl : public CPntCtrl
{
    DECLARE_DYNCREATE(CDesPntCtrl)
public:
    CDesPntCtrl();

    // The registered message: wParam an LPCTSTR status text (lParam 0) or a POINT* in image
    // coordinates (lParam 1), sent synchronously to the parent.
    static UINT m_nUpdatePaintStatusBar;

    // Reports the image point under a client point.
    void UpdateStatusBar(CPoint point);
    // Reports the current tool's status text.
    void OnForceSendStatusMessage();

protected:
    virtual void OnSetStatusMessage(LPCTSTR lpszText);

    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()
};
