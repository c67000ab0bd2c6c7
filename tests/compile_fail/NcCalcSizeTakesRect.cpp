// OnNcCalcSize gets the whole NCCALCSIZE_PARAMS, not only its first rectangle.
// expect-error: WM_NCCALCSIZE needs the handler afx_msg void OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*)
#include <afxwin.h>

class CFrameless : public CWnd
{
protected:
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, RECT* lpRect) { (void)bCalcValidRects; (void)lpRect; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CFrameless, CWnd)
    ON_WM_NCCALCSIZE()
END_MESSAGE_MAP()
