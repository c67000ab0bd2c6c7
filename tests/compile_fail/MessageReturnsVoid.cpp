// A user message handler returns the message's result.
// expect-error: ON_MESSAGE needs a handler declared LRESULT Handler(WPARAM, LPARAM)
#include <afxwin.h>

class CMessageWnd : public CWnd
{
protected:
    afx_msg void OnRefresh(WPARAM wParam, LPARAM lParam) { (void)wParam; (void)lParam; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMessageWnd, CWnd)
    ON_MESSAGE(WM_APP + 1, OnRefresh)
END_MESSAGE_MAP()
