// Handlers that the message maps must accept: both spellings of a handler, private handlers,
// handlers inherited from a base class, overloaded names and virtual handlers.
// expect: compiles
#include <afxwin.h>

class CBaseCheckWnd : public CWnd
{
public:
    afx_msg void OnInherited() {}
    virtual void OnVirtual() {}

protected:
    afx_msg void OnUpdateInherited(CCmdUI* pCmdUI) { (void)pCmdUI; }
};

class CCheckWnd : public CBaseCheckWnd
{
public:
    virtual void OnVirtual() override {}

private:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct) { return lpCreateStruct != NULL ? 0 : -1; }
    afx_msg void OnTimer(UINT_PTR nIDEvent) { (void)nIDEvent; }
    afx_msg BOOL OnEraseBkgnd(CDC* pDC) { return pDC != NULL; }
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
    {
        return pWnd != NULL && nHitTest != 0 && message != 0;
    }
    afx_msg UINT OnGetDlgCode() { return DLGC_WANTARROWS; }
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection) { (void)uFlags; (void)lpszSection; }
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
    {
        (void)bCalcValidRects; (void)lpncsp;
    }
    afx_msg void OnMouseMove(UINT nFlags, CPoint point) { (void)nFlags; (void)point; }
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) { (void)nChar; (void)nRepCnt; (void)nFlags; }
    afx_msg void OnCommand1() {}
    afx_msg void OnCommand2() {}
    afx_msg void OnRange(UINT nID) { (void)nID; }
    afx_msg void OnUpdate(CCmdUI* pCmdUI) { (void)pCmdUI; }
    afx_msg void OnClicked() {}
    afx_msg void OnNotifyClick(NMHDR* pNMHDR, LRESULT* pResult) { (void)pNMHDR; *pResult = 0; }
    afx_msg BOOL OnNotifyEx(UINT id, NMHDR* pNMHDR, LRESULT* pResult)
    {
        (void)pNMHDR; *pResult = 0;
        return id != 0;
    }
    afx_msg LRESULT OnUserMessage(WPARAM wParam, LPARAM lParam) { return (LRESULT)wParam + lParam; }
    // Overloads: the map picks the one with the entry's signature.
    afx_msg void OnOverloaded() {}
    void OnOverloaded(int nValue) { (void)nValue; }
    DECLARE_MESSAGE_MAP()
};

static const UINT s_nCheckMessage = ::RegisterWindowMessage(_T("CheckMessage"));

BEGIN_MESSAGE_MAP(CCheckWnd, CBaseCheckWnd)
    ON_WM_CREATE()
    ON_WM_TIMER()
    ON_WM_ERASEBKGND()
    ON_WM_SETCURSOR()
    ON_WM_GETDLGCODE()
    ON_WM_SETTINGCHANGE()
    ON_WM_NCCALCSIZE()
    ON_WM_MOUSEMOVE()
    ON_WM_KEYDOWN()
    ON_WM_SIZE()                       // CWnd's own handler
    ON_COMMAND(1, OnCommand1)
    ON_COMMAND(2, &CCheckWnd::OnCommand2)
    ON_COMMAND(3, OnInherited)
    ON_COMMAND(4, &CCheckWnd::OnInherited)
    ON_COMMAND(5, &CBaseCheckWnd::OnInherited)
    ON_COMMAND(6, OnVirtual)
    ON_COMMAND(7, &CBaseCheckWnd::OnVirtual)
    ON_COMMAND(8, OnOverloaded)
    ON_COMMAND(9, &CCheckWnd::OnOverloaded)
    ON_COMMAND_RANGE(100, 110, OnRange)
    ON_COMMAND_RANGE(200, 210, &CCheckWnd::OnRange)
    ON_UPDATE_COMMAND_UI(1, OnUpdate)
    ON_UPDATE_COMMAND_UI(2, &CCheckWnd::OnUpdate)
    ON_UPDATE_COMMAND_UI(3, OnUpdateInherited)
    ON_UPDATE_COMMAND_UI(4, &CCheckWnd::OnUpdateInherited)
    ON_UPDATE_COMMAND_UI_RANGE(100, 110, &CCheckWnd::OnUpdate)
    ON_BN_CLICKED(IDOK, OnClicked)
    ON_BN_CLICKED(IDCANCEL, &CCheckWnd::OnClicked)
    ON_CONTROL_RANGE(BN_CLICKED, 300, 310, &CCheckWnd::OnRange)
    ON_NOTIFY(1, 10, OnNotifyClick)
    ON_NOTIFY(1, 11, &CCheckWnd::OnNotifyClick)
    ON_NOTIFY_EX(2, 0, OnNotifyEx)
    ON_NOTIFY_EX_RANGE(3, 0, 0xFFFF, &CCheckWnd::OnNotifyEx)
    ON_MESSAGE(WM_APP + 1, OnUserMessage)
    ON_MESSAGE(WM_APP + 2, &CCheckWnd::OnUserMessage)
    ON_REGISTERED_MESSAGE(s_nCheckMessage, &CCheckWnd::OnUserMessage)
END_MESSAGE_MAP()
