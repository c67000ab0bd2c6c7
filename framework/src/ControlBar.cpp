// CControlBar: bar styles, borders, idle updates and passing parent messages to the owner.
#include "ThreadState.h"
#include <afxext.h>

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_WM_LBUTTONDOWN()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CControlBar::CControlBar()
    : m_bAutoDelete(FALSE), m_cxLeftBorder(6), m_cxRightBorder(6), m_cyTopBorder(2), m_cyBottomBorder(2),
      m_dwStyle(0)
{
}

CControlBar::~CControlBar()
{
    // The window goes first, while this object is still a control bar.
    if (m_hWnd != NULL && FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
}

void CControlBar::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
}

void CControlBar::SetBarStyle(DWORD dwStyle)
{
    dwStyle &= CBRS_ALL;
    BOOL bFrameChanged = (m_dwStyle ^ dwStyle) & (CBRS_BORDER_ANY | CBRS_BORDER_3D);
    m_dwStyle = dwStyle;
    if (bFrameChanged && m_hWnd != NULL)
        ::SetWindowPos(m_hWnd, NULL, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void CControlBar::SetBorders(int cxLeft, int cyTop, int cxRight, int cyBottom)
{
    m_cxLeftBorder = cxLeft > 0 ? cxLeft : 0;
    m_cyTopBorder = cyTop > 0 ? cyTop : 0;
    m_cxRightBorder = cxRight > 0 ? cxRight : 0;
    m_cyBottomBorder = cyBottom > 0 ? cyBottom : 0;
}

void CControlBar::DeflateByBorderEdges(CRect& rect) const
{
    int nEdge = GetBorderEdge();
    if (m_dwStyle & CBRS_BORDER_LEFT)
        rect.left += nEdge;
    if (m_dwStyle & CBRS_BORDER_TOP)
        rect.top += nEdge;
    if (m_dwStyle & CBRS_BORDER_RIGHT)
        rect.right -= nEdge;
    if (m_dwStyle & CBRS_BORDER_BOTTOM)
        rect.bottom -= nEdge;
}

void CControlBar::CalcInsideRect(CRect& rect, BOOL) const
{
    DeflateByBorderEdges(rect);
    rect.left += m_cxLeftBorder;
    rect.top += m_cyTopBorder;
    rect.right -= m_cxRightBorder;
    rect.bottom -= m_cyBottomBorder;
}

CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize size(0, 0);
    CRect rcInside(0, 0, 0, 0);
    CalcInsideRect(rcInside, bHorz);
    size.cx = -rcInside.Width();
    size.cy = -rcInside.Height();
    if (bStretch)
    {
        if (bHorz)
            size.cx = 32767;
        else
            size.cy = 32767;
    }
    return size;
}

CSize CControlBar::CalcDynamicLayout(int, DWORD nMode)
{
    BOOL bStretch = (nMode & LM_STRETCH) != 0;
    if (nMode & (LM_HORZDOCK | LM_VERTDOCK))
        return CalcFixedLayout(bStretch, (nMode & LM_HORZDOCK) != 0);
    return CalcFixedLayout(bStretch, (nMode & LM_HORZ) != 0);
}

void CControlBar::DrawBorders(CDC* pDC, CRect& rect)
{
    if (pDC == NULL)
        return;
    COLORREF crShadow = ::GetSysColor(COLOR_BTNSHADOW);
    COLORREF crHilite = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    BOOL b3D = (m_dwStyle & CBRS_BORDER_3D) != 0;
    // Each edge: a shadow line outside, with the 3-D style a highlight line inside it.
    if (m_dwStyle & CBRS_BORDER_LEFT)
    {
        pDC->FillSolidRect(rect.left, rect.top, 1, rect.Height(), crShadow);
        if (b3D)
            pDC->FillSolidRect(rect.left + 1, rect.top, 1, rect.Height(), crHilite);
    }
    if (m_dwStyle & CBRS_BORDER_TOP)
    {
        pDC->FillSolidRect(rect.left, rect.top, rect.Width(), 1, crShadow);
        if (b3D)
            pDC->FillSolidRect(rect.left, rect.top + 1, rect.Width(), 1, crHilite);
    }
    if (m_dwStyle & CBRS_BORDER_RIGHT)
    {
        pDC->FillSolidRect(rect.right - 1, rect.top, 1, rect.Height(), b3D ? crHilite : crShadow);
        if (b3D)
            pDC->FillSolidRect(rect.right - 2, rect.top, 1, rect.Height(), crShadow);
    }
    if (m_dwStyle & CBRS_BORDER_BOTTOM)
    {
        pDC->FillSolidRect(rect.left, rect.bottom - 1, rect.Width(), 1, b3D ? crHilite : crShadow);
        if (b3D)
            pDC->FillSolidRect(rect.left, rect.bottom - 2, rect.Width(), 1, crShadow);
    }
    DeflateByBorderEdges(rect);
}

LRESULT CControlBar::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    switch (nMsg)
    {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    {
        LRESULT lResult = 0;
        if (OnWndMsg(nMsg, wParam, lParam, &lResult))
            return lResult;
        // A common control hands these to its notify window, which may be the bar itself:
        // they go up to the owner, and never back into the control.
        HWND hWndOwner = GetOwner()->GetSafeHwnd();
        if (hWndOwner == NULL || hWndOwner == m_hWnd)
            return 0;
        return ::SendMessage(hWndOwner, nMsg, wParam, lParam);
    }
    default:
        return CWnd::WindowProc(nMsg, wParam, lParam);
    }
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    if (!(GetStyle() & WS_VISIBLE))
        return 0;
    CWnd* pOwner = GetOwner();
    CFrameWnd* pTarget = NULL;
    if (pOwner != NULL && pOwner->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
        pTarget = static_cast<CFrameWnd*>(pOwner);
    else
        pTarget = GetParentFrame();
    if (pTarget != NULL)
        OnUpdateCmdUI(pTarget, (BOOL)wParam);
    return 0;
}

BOOL CControlBar::OnEraseBkgnd(CDC* pDC)
{
    // The face colour whatever the parent's background (Wine's tool bar shows the parent's).
    CRect rc;
    GetClientRect(&rc);
    pDC->FillSolidRect(&rc, ::GetSysColor(COLOR_BTNFACE));
    return TRUE;
}

void CControlBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    CWnd::OnLButtonDown(nFlags, point);
}
