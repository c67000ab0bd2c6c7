// ON_NOTIFY handlers receive the notification and where to put its result.
// expect-error: ON_NOTIFY needs a handler declared void Handler(NMHDR* pNotifyStruct, LRESULT* pResult)
#include <afxcmn.h>

class CNotifyWnd : public CWnd
{
protected:
    afx_msg void OnItemChanged(NMHDR* pNMHDR) { (void)pNMHDR; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CNotifyWnd, CWnd)
    ON_NOTIFY(NM_CLICK, 10, &CNotifyWnd::OnItemChanged)
END_MESSAGE_MAP()
