// A control notification handler takes nothing (ON_CONTROL_RANGE is the one given the id).
// expect-error: ON_CONTROL and the ON_BN_, ON_EN_, ON_CBN_ entries need a handler declared void Handler()
#include <afxwin.h>

class CButtonsWnd : public CWnd
{
protected:
    afx_msg void OnClicked(UINT nID) { (void)nID; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CButtonsWnd, CWnd)
    ON_BN_CLICKED(IDOK, OnClicked)
END_MESSAGE_MAP()
