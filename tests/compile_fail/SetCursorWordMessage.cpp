// OnSetCursor's hit-test code and message are UINTs.
// expect-error: WM_SETCURSOR needs the handler afx_msg BOOL OnSetCursor(CWnd*, UINT, UINT)
#include <afxwin.h>

class CCursorWnd : public CWnd
{
protected:
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, WORD message)
    {
        (void)pWnd; (void)nHitTest; (void)message;
        return TRUE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCursorWnd, CWnd)
    ON_WM_SETCURSOR()
END_MESSAGE_MAP()
