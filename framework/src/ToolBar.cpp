// CToolBar: creation over the common tool bar control, buttons, the update pass with
// CToolCmdUI, the non-client frame, and tooltips for buttons and child windows.
#include "ThreadState.h"
#include <afxext.h>

IMPLEMENT_DYNAMIC(CToolBar, CControlBar)

BEGIN_MESSAGE_MAP(CToolBar, CControlBar)
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace
{
// The state of one tool bar button during the update pass.
class CToolCmdUI : public CCmdUI
{
public:
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        CToolBar* pBar = static_cast<CToolBar*>(m_pOther);
        UINT nOld = pBar->GetButtonStyle((int)m_nIndex);
        UINT nNew = nOld & ~TBBS_DISABLED;
        if (!bOn)
            nNew = (nNew | TBBS_DISABLED) & ~TBBS_PRESSED;   // a disabled button is not held down
        if (nNew != nOld)
            pBar->SetButtonStyle((int)m_nIndex, nNew);
    }
    void SetCheck(int nCheck) override
    {
        CToolBar* pBar = static_cast<CToolBar*>(m_pOther);
        UINT nOld = pBar->GetButtonStyle((int)m_nIndex);
        UINT nNew = nOld & ~(TBBS_CHECKED | TBBS_INDETERMINATE);
        if (nCheck == 1)
            nNew |= TBBS_CHECKED;
        else if (nCheck == 2)
            nNew |= TBBS_INDETERMINATE;
        nNew |= TBBS_CHECKBOX;   // only check boxes show a checked state
        if (nNew != nOld)
            pBar->SetButtonStyle((int)m_nIndex, nNew);
    }
    void SetText(LPCTSTR) override {}   // tool bar buttons have no text
};

// The control's width of a separator whose width is left at 0.
const int kDefaultSeparatorWidth = 8;
}

CToolBar::CToolBar() : m_hbmImageWell(NULL), m_hWndToolTip(NULL), m_sizeButton(23, 22), m_sizeImage(16, 15)
{
}

CToolBar::~CToolBar()
{
    // The window goes first, while its messages still reach this class.
    if (m_hWnd != NULL && FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
    if (m_hbmImageWell != NULL)
        ::DeleteObject(m_hbmImageWell);
}

BOOL CToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    if (m_hWnd != NULL || pParentWnd == NULL || !::IsWindow(pParentWnd->m_hWnd))
        return FALSE;
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_BAR_CLASSES };
    ::InitCommonControlsEx(&icc);

    m_dwStyle = dwStyle & CBRS_ALL;
    // The bar is placed by its parent and draws its own frame.
    DWORD dwWndStyle = (dwStyle & ~CBRS_ALL) | WS_CHILD | CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NODIVIDER | CCS_NORESIZE;
    if (!CreateEx(0, TOOLBARCLASSNAME, NULL, dwWndStyle, CRect(0, 0, 0, 0), pParentWnd, nID))
        return FALSE;
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    if (m_dwStyle & CBRS_TOOLTIPS)
    {
        // Given to the control before any button exists, so that every button registers.
        m_hWndToolTip = ::CreateWindowEx(WS_EX_TOPMOST, TOOLTIPS_CLASS, NULL, WS_POPUP | TTS_ALWAYSTIP,
                                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd, NULL,
                                         AfxGetInstanceHandle(), NULL);
        if (m_hWndToolTip != NULL)
            SendMessage(TB_SETTOOLTIPS, (WPARAM)m_hWndToolTip, 0);
    }
    SetSizes(m_sizeButton, m_sizeImage);
    return TRUE;
}

void CToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage)
{
    if (sizeButton.cx <= 0 || sizeButton.cy <= 0 || sizeImage.cx <= 0 || sizeImage.cy <= 0)
        return;
    m_sizeButton = sizeButton;
    m_sizeImage = sizeImage;
    if (m_hWnd == NULL)
        return;
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELONG(sizeImage.cx, sizeImage.cy));
    SendMessage(TB_SETBUTTONSIZE, 0, MAKELONG(sizeButton.cx, sizeButton.cy));
    Invalidate();
}

BOOL CToolBar::SetBitmap(HBITMAP hbmImageWell)
{
    BITMAP bm;
    if (hbmImageWell == NULL || ::GetObject(hbmImageWell, sizeof(bm), &bm) == 0)
        return FALSE;
    int nCount = bm.bmWidth / m_sizeImage.cx;
    BOOL bResult = m_hWnd != NULL && nCount > 0;
    if (bResult && m_hbmImageWell == NULL)
    {
        TBADDBITMAP tbab = { NULL, (UINT_PTR)hbmImageWell };
        bResult = SendMessage(TB_ADDBITMAP, nCount, (LPARAM)&tbab) != -1;
    }
    else if (bResult)
    {
        TBREPLACEBITMAP tbrb = { NULL, (UINT_PTR)m_hbmImageWell, NULL, (UINT_PTR)hbmImageWell, nCount };
        bResult = SendMessage(TB_REPLACEBITMAP, 0, (LPARAM)&tbrb) != 0;
    }
    if (!bResult)
    {
        ::DeleteObject(hbmImageWell);
        return FALSE;
    }
    if (m_hbmImageWell != NULL)
        ::DeleteObject(m_hbmImageWell);
    m_hbmImageWell = hbmImageWell;
    Invalidate();
    return TRUE;
}

BOOL CToolBar::SetButtons(const UINT* lpIDArray, int nIDCount)
{
    if (m_hWnd == NULL || nIDCount < 0 || nIDCount > 0x7FFF)
        return FALSE;
    while (SendMessage(TB_BUTTONCOUNT, 0, 0) > 0)
        if (!SendMessage(TB_DELETEBUTTON, 0, 0))
            return FALSE;
    if (nIDCount == 0)
        return TRUE;

    TBBUTTON* pButtons = new TBBUTTON[nIDCount];
    ::ZeroMemory(pButtons, sizeof(TBBUTTON) * nIDCount);
    int iImage = 0;
    for (int i = 0; i < nIDCount; ++i)
    {
        TBBUTTON& button = pButtons[i];
        button.fsState = TBSTATE_ENABLED;
        button.iString = -1;
        UINT nID = lpIDArray != NULL ? lpIDArray[i] : 0;
        if (lpIDArray != NULL && nID == 0)
        {
            button.fsStyle = TBSTYLE_SEP;
            continue;
        }
        button.idCommand = (int)nID;
        button.fsStyle = TBSTYLE_BUTTON;
        button.iBitmap = lpIDArray != NULL ? iImage++ : 0;
    }
    BOOL bResult = (BOOL)SendMessage(TB_ADDBUTTONS, nIDCount, (LPARAM)pButtons);
    delete[] pButtons;
    Invalidate();
    return bResult;
}

int CToolBar::GetCount() const
{
    return m_hWnd != NULL ? (int)::SendMessage(m_hWnd, TB_BUTTONCOUNT, 0, 0) : 0;
}

BOOL CToolBar::GetButton(int nIndex, TBBUTTON* pButton) const
{
    ::ZeroMemory(pButton, sizeof(TBBUTTON));
    if (nIndex < 0 || nIndex >= GetCount())
        return FALSE;
    return (BOOL)::SendMessage(m_hWnd, TB_GETBUTTON, nIndex, (LPARAM)pButton);
}

void CToolBar::SetButton(int nIndex, const TBBUTTON* pButton)
{
    TBBUTTON old;
    if (!GetButton(nIndex, &old))
        return;
    TBBUTTON button = *pButton;
    button.fsState = (BYTE)((button.fsState & ~TBSTATE_WRAP) | (old.fsState & TBSTATE_WRAP));
    button.dwData = old.dwData;
    button.iString = old.iString;
    if (button.idCommand == old.idCommand && button.iBitmap == old.iBitmap && button.fsStyle == old.fsStyle)
    {
        if (button.fsState != old.fsState)
        {
            TBBUTTONINFO info;
            ::ZeroMemory(&info, sizeof(info));
            info.cbSize = sizeof(info);
            info.dwMask = TBIF_BYINDEX | TBIF_STATE;
            info.fsState = button.fsState;
            SendMessage(TB_SETBUTTONINFO, nIndex, (LPARAM)&info);
        }
        return;
    }
    // A new id, image, width or kind: the control (and its tooltip) learn it as a new button.
    SendMessage(TB_DELETEBUTTON, nIndex, 0);
    SendMessage(TB_INSERTBUTTON, nIndex, (LPARAM)&button);
    Invalidate();
}

int CToolBar::CommandToIndex(UINT nIDFind) const
{
    return m_hWnd != NULL ? (int)::SendMessage(m_hWnd, TB_COMMANDTOINDEX, nIDFind, 0) : -1;
}

UINT CToolBar::GetItemID(int nIndex) const
{
    TBBUTTON button;
    return GetButton(nIndex, &button) ? (UINT)button.idCommand : 0;
}

void CToolBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    if (lpRect == NULL)
        return;
    if (nIndex < 0 || nIndex >= GetCount() || !::SendMessage(m_hWnd, TB_GETITEMRECT, nIndex, (LPARAM)lpRect))
        ::SetRectEmpty(lpRect);
}

UINT CToolBar::GetButtonStyle(int nIndex) const
{
    TBBUTTON button;
    if (!GetButton(nIndex, &button))
        return 0;
    return MAKELONG(button.fsStyle, button.fsState ^ TBSTATE_ENABLED);
}

void CToolBar::SetButtonStyle(int nIndex, UINT nStyle)
{
    TBBUTTON button;
    if (!GetButton(nIndex, &button))
        return;
    button.fsStyle = (BYTE)LOWORD(nStyle);
    button.fsState = (BYTE)(HIWORD(nStyle) ^ TBSTATE_ENABLED);
    SetButton(nIndex, &button);
}

void CToolBar::GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const
{
    TBBUTTON button;
    GetButton(nIndex, &button);
    nID = (UINT)button.idCommand;
    nStyle = MAKELONG(button.fsStyle, button.fsState ^ TBSTATE_ENABLED);
    iImage = button.iBitmap;
}

void CToolBar::SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage)
{
    TBBUTTON button;
    if (!GetButton(nIndex, &button))
        return;
    button.idCommand = (int)nID;
    button.fsStyle = (BYTE)LOWORD(nStyle);
    button.fsState = (BYTE)(HIWORD(nStyle) ^ TBSTATE_ENABLED);
    button.iBitmap = iImage;
    SetButton(nIndex, &button);
}

CToolBarCtrl& CToolBar::GetToolBarCtrl() const
{
    // The same window seen as the control; CToolBarCtrl adds nothing to CWnd.
    static_assert(sizeof(CToolBarCtrl) == sizeof(CWnd), "CToolBarCtrl must stay a plain CWnd");
    return static_cast<CToolBarCtrl&>(const_cast<CWnd&>(static_cast<const CWnd&>(*this)));
}

CSize CToolBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize size = CControlBar::CalcFixedLayout(FALSE, bHorz);
    CRect rcAll = GetButtonsBox();
    size.cx += rcAll.right;
    size.cy += rcAll.bottom;
    if (bStretch)
    {
        if (bHorz)
            size.cx = 32767;
        else
            size.cy = 32767;
    }
    return size;
}

CRect CToolBar::GetButtonsBox() const
{
    CRect rcAll(0, 0, 0, 0);
    for (int i = 0, n = GetCount(); i < n; ++i)
    {
        TBBUTTON button;
        CRect rc;
        GetItemRect(i, &rc);
        if (!GetButton(i, &button) || rc.IsRectEmpty())
            continue;
        if ((button.fsStyle & TBSTYLE_SEP) && (button.fsState & TBSTATE_WRAP))
            rc.right = rc.left;   // a separator that ends its row is a gap below it
        if (rcAll.IsRectNull())
        {
            rcAll = rc;
            continue;
        }
        rcAll.left = rc.left < rcAll.left ? rc.left : rcAll.left;
        rcAll.top = rc.top < rcAll.top ? rc.top : rcAll.top;
        rcAll.right = rc.right > rcAll.right ? rc.right : rcAll.right;
        rcAll.bottom = rc.bottom > rcAll.bottom ? rc.bottom : rcAll.bottom;
    }
    return rcAll;
}

CSize CToolBar::CalcDynamicLayout(int nLength, DWORD nMode)
{
    return CControlBar::CalcDynamicLayout(nLength, nMode);
}

void CToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    if (m_hWnd == NULL || !::IsWindow(m_hWnd))
        return;   // without a window, the walk of its children would cover the desktop
    CToolCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = (UINT)GetCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++)
    {
        TBBUTTON button;
        if (!GetButton((int)state.m_nIndex, &button))
            break;
        if (button.fsStyle & TBSTYLE_SEP)
            continue;
        state.m_nID = (UINT)button.idCommand;
        // The bar's own map first (a bar that drives its buttons itself), then the target.
        if (!CWnd::OnCmdMsg(state.m_nID, (int)CN_UPDATE_COMMAND_UI, &state, NULL))
            state.DoUpdate(pTarget, bDisableIfNoHndler);
        state.m_nIndexMax = (UINT)GetCount();   // a handler may have removed buttons
    }
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

LRESULT CToolBar::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == TB_SETROWS)
    {
        LayoutRows((short)LOWORD(wParam), HIWORD(wParam) != 0, (LPRECT)lParam);
        return 0;
    }
    if (nMsg == WM_PARENTNOTIFY && m_hWndToolTip != NULL &&
        (LOWORD(wParam) == WM_CREATE || LOWORD(wParam) == WM_DESTROY) && ::GetParent((HWND)lParam) == m_hWnd)
    {
        // Embedded controls get window tools; the tooltip watches their mouse itself.
        TOOLINFO ti;
        ::ZeroMemory(&ti, sizeof(ti));
        ti.cbSize = sizeof(ti);
        ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        ti.hwnd = m_hWnd;
        ti.uId = (UINT_PTR)lParam;
        ti.lpszText = LPSTR_TEXTCALLBACK;
        ::SendMessage(m_hWndToolTip, LOWORD(wParam) == WM_CREATE ? TTM_ADDTOOL : TTM_DELTOOL, 0, (LPARAM)&ti);
    }
    return CControlBar::WindowProc(nMsg, wParam, lParam);
}

void CToolBar::LayoutRows(int nRows, BOOL bLarger, LPRECT lpRect)
{
    // Wine's control wraps its own way (asked for 11 rows of a 29-slot palette it makes 17
    // rows of two buttons); the row breaks (TBSTATE_WRAP) are chosen here instead and the
    // control, not being TBSTYLE_WRAPABLE, places the buttons by them. A plain separator that does not fit ends its row, with a gap below, as the
    // control draws a wrapped separator; that gap counts as a row of its own. A separator
    // given a width holds a control and moves to the next row like a button.
    int nCount = GetCount();
    if (nRows < 1)
        nRows = 1;
    int cxButton = LOWORD(SendMessage(TB_GETBUTTONSIZE, 0, 0));
    TBBUTTON* pButtons = new TBBUTTON[nCount > 0 ? nCount : 1];
    BYTE* pWrap = new BYTE[nCount > 0 ? nCount : 1];
    int cxMin = 1;
    int cxSum = 0;
    for (int i = 0; i < nCount; ++i)
    {
        GetButton(i, &pButtons[i]);
        TBBUTTON& b = pButtons[i];
        if (b.fsState & TBSTATE_HIDDEN)
            continue;
        int cx = (b.fsStyle & TBSTYLE_SEP) ? (b.iBitmap > 0 ? b.iBitmap : kDefaultSeparatorWidth) : cxButton;
        cxMin = cx > cxMin ? cx : cxMin;
        cxSum += cx;
    }

    // Breaks and row count for rows at most cxRow wide.
    auto wrapAt = [&](int cxRow, BYTE* pOut) -> int {
        int x = 0;
        int nLast = -1;
        for (int i = 0; i < nCount; ++i)
        {
            pOut[i] = 0;
            const TBBUTTON& b = pButtons[i];
            if (b.fsState & TBSTATE_HIDDEN)
                continue;
            BOOL bSep = (b.fsStyle & TBSTYLE_SEP) != 0;
            int cx = bSep ? (b.iBitmap > 0 ? b.iBitmap : kDefaultSeparatorWidth) : cxButton;
            if (x > 0 && x + cx > cxRow)
            {
                x = 0;
                if (bSep && b.iBitmap <= 0)
                {
                    pOut[i] = 1;
                    nLast = i;
                    continue;
                }
                pOut[nLast] = 1;
            }
            x += cx;
            nLast = i;
        }
        // Rows as the control counts them: one more after each break but a final one, and
        // one for the gap of each wrapped separator.
        int nRowCount = 1;
        for (int i = 0; i < nCount; ++i)
        {
            if (!pOut[i])
                continue;
            if (i != nLast)
                ++nRowCount;
            if (pButtons[i].fsStyle & TBSTYLE_SEP)
                ++nRowCount;
        }
        return nRowCount;
    };

    int cxBest = -1;
    int nBestRows = 0;
    for (int cxRow = cxMin; cxRow <= cxSum && nCount > 0; ++cxRow)
    {
        int n = wrapAt(cxRow, pWrap);
        BOOL bBetter;
        if (cxBest < 0)
            bBetter = TRUE;
        else if (nBestRows == nRows)
            bBetter = FALSE;
        else if (n == nRows)
            bBetter = TRUE;
        else if (bLarger)
            bBetter = (n > nRows && (nBestRows < nRows || n < nBestRows));
        else
            bBetter = (n < nRows && (nBestRows > nRows || n > nBestRows));
        if (bBetter)
        {
            cxBest = cxRow;
            nBestRows = n;
        }
    }

    if (cxBest > 0)
    {
        wrapAt(cxBest, pWrap);
        for (int i = 0; i < nCount; ++i)
        {
            BYTE fsState = (BYTE)((pButtons[i].fsState & ~TBSTATE_WRAP) | (pWrap[i] ? TBSTATE_WRAP : 0));
            if (fsState == pButtons[i].fsState)
                continue;
            TBBUTTONINFO info;
            ::ZeroMemory(&info, sizeof(info));
            info.cbSize = sizeof(info);
            info.dwMask = TBIF_BYINDEX | TBIF_STATE;
            info.fsState = fsState;
            SendMessage(TB_SETBUTTONINFO, i, (LPARAM)&info);
        }
        Invalidate();
    }

    if (lpRect != NULL)
        *lpRect = GetButtonsBox();
    delete[] pWrap;
    delete[] pButtons;
}

void CToolBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp)
{
    Default();   // the window's own edges, if any
    CRect rc(lpncsp->rgrc[0]);
    CalcInsideRect(rc, (m_dwStyle & CBRS_ORIENT_HORZ) != 0);
    if (rc.right < rc.left)
        rc.right = rc.left;
    if (rc.bottom < rc.top)
        rc.bottom = rc.top;
    lpncsp->rgrc[0] = rc;
}

void CToolBar::OnNcPaint()
{
    EraseNonClient();
}

void CToolBar::EraseNonClient()
{
    CWindowDC dc(this);
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    CRect rcClient;
    GetClientRect(&rcClient);
    ClientToScreen(&rcClient);
    rcClient.OffsetRect(-rcWindow.left, -rcWindow.top);
    rcWindow.OffsetRect(-rcWindow.left, -rcWindow.top);
    dc.ExcludeClipRect(&rcClient);
    dc.FillSolidRect(&rcWindow, ::GetSysColor(COLOR_BTNFACE));
    DrawBorders(&dc, rcWindow);
}

void CToolBar::OnDestroy()
{
    CControlBar::OnDestroy();
    if (m_hWndToolTip != NULL && ::IsWindow(m_hWndToolTip))
        ::DestroyWindow(m_hWndToolTip);
    m_hWndToolTip = NULL;
}
