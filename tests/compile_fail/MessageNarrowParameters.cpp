// WPARAM and LPARAM are pointer-sized: 32-bit parameters would cut them.
// expect-error: ON_REGISTERED_MESSAGE needs a handler declared LRESULT Handler(WPARAM, LPARAM)
#include <afxwin.h>

static const UINT s_nRefreshMessage = ::RegisterWindowMessage(_T("Refresh"));

class CMessageWnd : public CWnd
{
protected:
    afx_msg LRESULT OnRefresh(UINT wParam, LONG lParam) { return (LRESULT)wParam + lParam; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMessageWnd, CWnd)
    ON_REGISTERED_MESSAGE(s_nRefreshMessage, OnRefresh)
END_MESSAGE_MAP()
