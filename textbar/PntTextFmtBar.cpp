#include "textbar/PntTextFmtBar.h"

IMPLEMENT_DYNAMIC(CPntTextFmtBar, CWnd)

CPntTextFmtBar::CPntTextFmtBar(CPntCtrl* pCtrl) : m_pPaintCtrl(pCtrl), m_bHidden(TRUE)
{
}

CPntTextFmtBar::~CPntTextFmtBar()
{
}

BOOL CPntTextFmtBar::Show(CPntCtrl* pCtrl)
{
    m_pPaintCtrl = pCtrl;
    m_bHidden = FALSE;
    if (::IsWindow(m_hWnd))
        ShowWindow(SW_SHOW);
    return TRUE;
}

void CPntTextFmtBar::Hide()
{
    if (::IsWindow(m_hWnd))
    {
        ShowWindow(SW_HIDE);
        m_bHidden = TRUE;
    }
}

BOOL CPntTextFmtBar::IsVisible() const
{
    return ::IsWindow(m_hWnd) && !m_bHidden;
}

void CPntTextFmtBar::Clear()
{
    if (::IsWindow(m_hWnd))
        SetWindowText("");
}

void CPntTextFmtBar::SetFocusOnEdit()
{
    if (::IsWindow(m_hWnd) && ::GetFocus() != m_hWnd)
        SetFocus();
}
