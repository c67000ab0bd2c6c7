// The timer id is a UINT_PTR: a handler taking UINT would lose the high half on 64-bit Windows.
// expect-error: WM_TIMER needs the handler afx_msg void OnTimer(UINT_PTR)
#include <afxwin.h>

class CTimerWnd : public CWnd
{
protected:
    afx_msg void OnTimer(UINT nIDEvent) { (void)nIDEvent; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTimerWnd, CWnd)
    ON_WM_TIMER()
END_MESSAGE_MAP()
