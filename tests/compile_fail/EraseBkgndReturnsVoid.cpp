// OnEraseBkgnd tells Windows whether the background was erased.
// expect-error: WM_ERASEBKGND needs the handler afx_msg BOOL OnEraseBkgnd(CDC*)
#include <afxwin.h>

class CEraseWnd : public CWnd
{
protected:
    afx_msg void OnEraseBkgnd(CDC* pDC) { (void)pDC; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CEraseWnd, CWnd)
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()
