// CStatusBar: indicator panes over the common status control.
#include "ThreadState.h"
#include <afxext.h>

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
    ON_WM_SIZE()
END_MESSAGE_MAP()

namespace
{
// Room around a pane's text: the control's sunken border and its text inset.
const int kPaneBorder = 8;
}

CStatusBar::CStatusBar() : m_pPanes(NULL), m_nCount(0)
{
}

CStatusBar::~CStatusBar()
{
    delete[] m_pPanes;
    m_pPanes = NULL;
    m_nCount = 0;
}

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    if (pParentWnd == NULL || !::IsWindow(pParentWnd->m_hWnd))
        return FALSE;
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_BAR_CLASSES };
    ::InitCommonControlsEx(&icc);

    // The CBRS_ bits overlap the control's own styles (SBARS_SIZEGRIP is CBRS_BORDER_LEFT).
    m_dwStyle = dwStyle & CBRS_ALL;
    dwStyle &= ~CBRS_ALL;
    if (pParentWnd->GetStyle() & WS_THICKFRAME)
        dwStyle |= SBARS_SIZEGRIP;
    CRect rc(0, 0, 0, 0);
    if (!CreateEx(0, STATUSCLASSNAME, NULL, dwStyle | WS_CHILD, rc, pParentWnd, nID))
        return FALSE;
    SetFont(CFont::FromHandle((HFONT)::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return TRUE;
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    if (nIDCount < 0 || nIDCount > 255 || (lpIDArray == NULL && nIDCount > 0))
        return FALSE;
    delete[] m_pPanes;
    m_pPanes = nIDCount > 0 ? new PANE[nIDCount] : NULL;
    m_nCount = nIDCount;

    BOOL bResult = TRUE;
    HDC hDC = ::GetDC(m_hWnd);
    HGDIOBJ hOldFont = NULL;
    if (hDC != NULL)
    {
        HFONT hFont = (HFONT)::SendMessage(m_hWnd, WM_GETFONT, 0, 0);
        hOldFont = ::SelectObject(hDC, hFont != NULL ? (HGDIOBJ)hFont : ::GetStockObject(DEFAULT_GUI_FONT));
    }
    CString* pTexts = nIDCount > 0 ? new CString[nIDCount] : NULL;
    for (int i = 0; i < nIDCount; ++i)
    {
        PANE& pane = m_pPanes[i];
        pane.nID = lpIDArray[i];
        pane.nStyle = SBPS_NORMAL;
        if (pane.nID == ID_SEPARATOR)
        {
            pane.cxText = ::GetSystemMetrics(SM_CXSCREEN) / 4;
            if (i == 0)
                pane.nStyle = SBPS_STRETCH | SBPS_NOBORDERS;
            continue;
        }
        if (!pTexts[i].LoadString(pane.nID))
            bResult = FALSE;
        SIZE size = { 0, 0 };
        if (hDC != NULL)
            ::GetTextExtentPoint32(hDC, pTexts[i], pTexts[i].GetLength(), &size);
        pane.cxText = size.cx;
    }
    if (hDC != NULL)
    {
        ::SelectObject(hDC, hOldFont);
        ::ReleaseDC(m_hWnd, hDC);
    }

    UpdateParts();
    for (int i = 0; i < nIDCount; ++i)
        SetPaneText(i, pTexts[i], FALSE);
    delete[] pTexts;
    Invalidate();
    return bResult;
}

int CStatusBar::CommandToIndex(UINT nIDFind) const
{
    for (int i = 0; i < m_nCount; ++i)
    {
        if (m_pPanes[i].nID == nIDFind)
            return i;
    }
    return -1;
}

UINT CStatusBar::GetItemID(int nIndex) const
{
    return IsValidIndex(nIndex) ? m_pPanes[nIndex].nID : 0;
}

void CStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    ::SetRectEmpty(lpRect);
    if (IsValidIndex(nIndex))
        ::SendMessage(m_hWnd, SB_GETRECT, (WPARAM)nIndex, (LPARAM)lpRect);
}

void CStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const
{
    nID = 0;
    nStyle = 0;
    cxWidth = 0;
    if (!IsValidIndex(nIndex))
        return;
    nID = m_pPanes[nIndex].nID;
    nStyle = m_pPanes[nIndex].nStyle;
    cxWidth = m_pPanes[nIndex].cxText;
}

void CStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth)
{
    if (!IsValidIndex(nIndex))
        return;
    CString text = GetPaneText(nIndex);
    m_pPanes[nIndex].nID = nID;
    m_pPanes[nIndex].nStyle = nStyle;
    m_pPanes[nIndex].cxText = cxWidth > 0 ? cxWidth : 0;
    UpdateParts();
    SetPaneText(nIndex, text);   // the border style travels with the text
}

CString CStatusBar::GetPaneText(int nIndex) const
{
    return IsValidIndex(nIndex) ? m_pPanes[nIndex].strText : CString();
}

BOOL CStatusBar::SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate)
{
    if (!IsValidIndex(nIndex) || m_hWnd == NULL)
        return FALSE;
    m_pPanes[nIndex].strText = lpszNewText != NULL ? lpszNewText : _T("");
    return ShowPaneText(nIndex, bUpdate);
}

BOOL CStatusBar::ShowPaneText(int nIndex, BOOL bUpdate)
{
    const PANE& pane = m_pPanes[nIndex];
    UINT nStyle = pane.nStyle & (SBPS_NOBORDERS | SBPS_POPOUT);
    LPCTSTR lpszShown = (pane.nStyle & SBPS_DISABLED) ? _T("") : (LPCTSTR)pane.strText;
    if (!::SendMessage(m_hWnd, SB_SETTEXT, (WPARAM)(nIndex | nStyle), (LPARAM)lpszShown))
        return FALSE;
    if (bUpdate)
        ::UpdateWindow(m_hWnd);
    return TRUE;
}

void CStatusBar::SetPaneStyle(int nIndex, UINT nStyle)
{
    if (!IsValidIndex(nIndex) || m_pPanes[nIndex].nStyle == nStyle)
        return;
    BOOL bStretchChanged = ((m_pPanes[nIndex].nStyle ^ nStyle) & SBPS_STRETCH) != 0;
    m_pPanes[nIndex].nStyle = nStyle;
    if (bStretchChanged)
        UpdateParts();
    ShowPaneText(nIndex, TRUE);
}

CSize CStatusBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    if (m_hWnd == NULL)
        return CSize(0, 0);
    CRect rc;
    GetWindowRect(&rc);
    if (rc.Height() <= 0)
    {
        // Never sized yet: the control works out its height when told of its parent's size.
        CRect rcParent;
        ::GetClientRect(::GetParent(m_hWnd), &rcParent);
        SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(rcParent.Width(), rcParent.Height()));
        GetWindowRect(&rc);
    }
    CSize size(bStretch ? 32767 : rc.Width(), rc.Height());
    if (!bHorz)
        size = CSize(rc.Width(), bStretch ? 32767 : rc.Height());
    return size;
}

namespace
{
// The update of one pane: enabled shows its text, checked pops it out.
class CStatusCmdUI : public CCmdUI
{
public:
    explicit CStatusCmdUI(CStatusBar* pBar) : m_pBar(pBar) {}
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        UINT nStyle = m_pBar->GetPaneStyle((int)m_nIndex);
        m_pBar->SetPaneStyle((int)m_nIndex, bOn ? (nStyle & ~SBPS_DISABLED) : (nStyle | SBPS_DISABLED));
    }
    void SetCheck(int nCheck) override
    {
        UINT nStyle = m_pBar->GetPaneStyle((int)m_nIndex);
        m_pBar->SetPaneStyle((int)m_nIndex, nCheck ? (nStyle | SBPS_POPOUT) : (nStyle & ~SBPS_POPOUT));
    }
    void SetRadio(BOOL bOn) override { SetCheck(bOn ? 1 : 0); }
    void SetText(LPCTSTR lpszText) override { m_pBar->SetPaneText((int)m_nIndex, lpszText); }

private:
    CStatusBar* m_pBar;
};
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL)
{
    CStatusCmdUI state(this);
    state.m_nIndexMax = (UINT)m_nCount;
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++)
    {
        state.m_nID = m_pPanes[state.m_nIndex].nID;
        if (state.m_nID == ID_SEPARATOR)
            continue;
        // The bar's own map first; a pane is never disabled for want of a handler.
        if (CWnd::OnCmdMsg(state.m_nID, (int)CN_UPDATE_COMMAND_UI, &state, NULL))
            continue;
        state.DoUpdate(pTarget, FALSE);
    }
}

void CStatusBar::UpdateParts()
{
    if (m_hWnd == NULL || m_nCount == 0)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    int cxGrip = (GetStyle() & SBARS_SIZEGRIP) ? ::GetSystemMetrics(SM_CXVSCROLL) : 0;
    int cxTotal = cxGrip;
    for (int i = 0; i < m_nCount; ++i)
        cxTotal += m_pPanes[i].cxText + kPaneBorder;
    int cxExtra = rcClient.Width() - cxTotal;

    int rights[256];
    int x = 0;
    BOOL bStretched = FALSE;
    for (int i = 0; i < m_nCount; ++i)
    {
        x += m_pPanes[i].cxText + kPaneBorder;
        if (!bStretched && (m_pPanes[i].nStyle & SBPS_STRETCH) && cxExtra > 0)
        {
            x += cxExtra;
            bStretched = TRUE;
        }
        rights[i] = x;
    }
    rights[m_nCount - 1] = -1;   // the last pane runs to the end, size grip included
    ::SendMessage(m_hWnd, SB_SETPARTS, (WPARAM)m_nCount, (LPARAM)rights);
}

void CStatusBar::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    UpdateParts();
}
