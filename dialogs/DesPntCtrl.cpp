// CDesPntCtrl: the paint control that reports to its parent window.
#include "dialogs/DesPntCtrl.h"

IMPLEMENT_DYNCREATE(CDesPntCtrl, CPntCtrl)

BEGIN_MESSAGE_MAP(CDesPntCtrl, CPntCtrl)
    ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

// Registered here too rather than copied from the library's global: the order in which
// files are initialised is not fixed, and registering a name twice gives the same number.
UINT CDesPntCtrl::m_nUpdatePaintStatusBar = ::RegisterWindowMessage(_T("UPDATE_PAINT_STATUSBAR"));

CDesPntCtrl::CDesPntCtrl()
{
}

void CDesPntCtrl::UpdateStatusBar(CPoint point)
{
    DPtoLP(&point);
    LPtoIP(&point);
    CWnd* pParent = GetParent();
    if (pParent != NULL && ::IsWindow(pParent->m_hWnd))
        pParent->SendMessage(m_nUpdatePaintStatusBar, (WPARAM)&point, 1);
}

void CDesPntCtrl::OnSetStatusMessage(LPCTSTR lpszText)
{
    CWnd* pParent = ::IsWindow(m_hWnd) ? GetParent() : NULL;
    if (pParent != NULL && ::IsWindow(pParent->m_hWnd))
        pParent->SendMessage(m_nUpdatePaintStatusBar, (WPARAM)lpszText, 0);
}

void CDesPntCtrl::OnForceSendStatusMessage()
{
    CString strText = GetStatusMessage(GetToolMode());
    OnSetStatusMessage(strText);
}

void CDesPntCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    UpdateStatusBar(point);
    CPntCtrl::OnMouseMove(nFlags, point);
}
