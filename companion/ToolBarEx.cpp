// CToolBarEx: the flat look, the owning frame and the update pass through the bar's own map.
#include "companion/ToolBarEx.h"

IMPLEMENT_DYNAMIC(CToolBarEx, CToolBar)

BEGIN_MESSAGE_MAP(CToolBarEx, CToolBar)
    ON_WM_CREATE()
    ON_WM_NCPAINT()
END_MESSAGE_MAP()

CToolBarEx::CToolBarEx() : m_bFlatLook(TRUE), m_hWndFrame(NULL)
{
}

CToolBarEx::~CToolBarEx()
{
}

int CToolBarEx::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CToolBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    CFrameWnd* pFrame = GetParentFrame();
    m_hWndFrame = pFrame != NULL ? pFrame->m_hWnd : NULL;
    ApplyFlatLook();
    return 0;
}

void CToolBarEx::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CToolBar::OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
}

void CToolBarEx::ApplyFlatLook()
{
    if (m_hWnd == NULL)
        return;
    BOOL bFlat = (GetStyle() & TBSTYLE_FLAT) != 0;
    if (bFlat != (m_bFlatLook != FALSE))
    {
        ModifyStyle(m_bFlatLook ? 0 : TBSTYLE_FLAT, m_bFlatLook ? TBSTYLE_FLAT : 0);
        Invalidate();
    }
}

void CToolBarEx::SetFlatLook(BOOL bFlatLook)
{
    m_bFlatLook = bFlatLook ? TRUE : FALSE;
    if (m_hWnd == NULL)
        return;
    ApplyFlatLook();
    ::SetWindowPos(m_hWnd, NULL, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

BOOL CToolBarEx::SetPaddingRows()
{
    return TRUE;
}

BOOL CToolBarEx::SetupButtonInfo()
{
    return TRUE;
}

BOOL CToolBarEx::SetupToolbarControls(UINT)
{
    return TRUE;
}

void CToolBarEx::OnNcPaint()
{
    ApplyFlatLook();
    EraseNonClient();
}
