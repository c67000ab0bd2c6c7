// CStatusBar: indicator panes over the common status control.
#include "ThreadState.h"
#include <afxext.h>

IMPLEMENT_DYNAMIC(CStatusBar, CWnd)

BEGIN_MESSAGE_MAP(CStatusBar, CWnd)
    ON_WM_SIZE()
END_MESSAGE_MAP()

namespace
{
// Room around a pane's text: the control's sunken border and its text inset.
const int kPaneBorder = 8;
}

CStatusBar::CStatusBar() : m_pPanes(NULL), m_nCount(0), m_dwStyle(0)
{
}

CStatusBar::~CStatusBar()
{
    delete[] m_pPanes;
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
    CString text;
    if (!IsValidIndex(nIndex) || m_hWnd == NULL)
        return text;
    int nLength = LOWORD(::SendMessage(m_hWnd, SB_GETTEXTLENGTH, (WPARAM)nIndex, 0));
    LPTSTR pszBuffer = text.GetBuffer(nLength + 1);
    pszBuffer[0] = 0;
    ::SendMessage(m_hWnd, SB_GETTEXT, (WPARAM)nIndex, (LPARAM)pszBuffer);
    text.ReleaseBuffer();
    return text;
}

BOOL CStatusBar::SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate)
{
    if (!IsValidIndex(nIndex) || m_hWnd == NULL)
        return FALSE;
    UINT nStyle = m_pPanes[nIndex].nStyle & (SBPS_NOBORDERS | SBPS_POPOUT);
    if (m_pPanes[nIndex].nStyle & SBPS_DISABLED)
        lpszNewText = _T("");
    if (!::SendMessage(m_hWnd, SB_SETTEXT, (WPARAM)(nIndex | nStyle), (LPARAM)(lpszNewText ? lpszNewText : _T(""))))
        return FALSE;
    if (bUpdate)
        ::UpdateWindow(m_hWnd);
    return TRUE;
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
