// A range handler receives the command id as a UINT.
// expect-error: ON_COMMAND_RANGE needs a handler declared void Handler(UINT nID)
#include <afxwin.h>

class CRangeWnd : public CWnd
{
protected:
    afx_msg void OnTool(int nID) { (void)nID; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRangeWnd, CWnd)
    ON_COMMAND_RANGE(100, 110, &CRangeWnd::OnTool)
END_MESSAGE_MAP()
