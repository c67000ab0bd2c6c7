// ON_NOTIFY_EX handlers say with their BOOL whether they handled the notification.
// expect-error: ON_NOTIFY_EX needs a handler declared BOOL Handler(UINT id, NMHDR* pNotifyStruct, LRESULT* pResult)
#include <afxcmn.h>

class CNotifyWnd : public CWnd
{
protected:
    afx_msg void OnNeedText(UINT id, NMHDR* pNMHDR, LRESULT* pResult)
    {
        (void)id; (void)pNMHDR; (void)pResult;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CNotifyWnd, CWnd)
    ON_NOTIFY_EX(TTN_NEEDTEXT, 0, OnNeedText)
END_MESSAGE_MAP()
