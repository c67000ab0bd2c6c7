// OnCreate receives a pointer to the CREATESTRUCT.
// expect-error: WM_CREATE needs the handler afx_msg int OnCreate(LPCREATESTRUCT)
#include <afxwin.h>

class CCreateWnd : public CWnd
{
protected:
    afx_msg int OnCreate(CREATESTRUCT cs) { return cs.cx > 0 ? 0 : -1; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCreateWnd, CWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()
