// CCoolComboPopup: layout, painting and input of the drop-down grid.
#include "companion/CoolComboPopup.h"

BEGIN_MESSAGE_MAP(CCoolComboPopup, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_MESSAGE(WM_CAPTURECHANGED, OnCaptureChanged)
END_MESSAGE_MAP()

namespace
{
const int kMargin = 3;     // around the contents
const int kCellFrame = 3;  // between a cell's box and its picture
const int kGap = 2;        // between the parts

LPCTSTR PopupClassName()
{
    static LPCTSTR pszName = [] {
        WNDCLASS wc;
        ::ZeroMemory(&wc, sizeof(wc));
        wc.style = CS_SAVEBITS;
        wc.lpfnWndProc = ::DefWindowProc;
        wc.hInstance = AfxGetInstanceHandle();
        wc.hCursor = ::LoadCursor(NULL, IDC_ARROW);
        wc.lpszClassName = _T("CoolComboPopup");
        AfxRegisterClass(&wc);
        return _T("CoolComboPopup");
    }();
    return pszName;
}

HFONT PopupFont()
{
    return (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
}

int TextWidth(HDC hDC, const CString& str)
{
    SIZE size = { 0, 0 };
    ::GetTextExtentPoint32(hDC, str, str.GetLength(), &size);
    return size.cx;
}
}

CCoolComboPopup::CCoolComboPopup(CCoolCombo* pCombo)
    : m_pCombo(pCombo), m_nCells(0), m_nColumns(1), m_sizeBox(0, 0), m_rcTitle(0, 0, 0, 0), m_rcGrid(0, 0, 0, 0),
      m_rcStatus(0, 0, 0, 0), m_rcDefault(0, 0, 0, 0), m_rcOther(0, 0, 0, 0), m_sizeClient(0, 0),
      m_nHot(CCoolCombo::itemNone)
{
}

void CCoolComboPopup::PostNcDestroy()
{
    delete this;
}

void CCoolComboPopup::Layout()
{
    HDC hDC = ::GetDC(NULL);
    HGDIOBJ hOldFont = ::SelectObject(hDC, PopupFont());
    TEXTMETRIC tm;
    ::GetTextMetrics(hDC, &tm);
    int cyText = tm.tmHeight;

    m_nCells = m_pCombo->GetCellCount();
    m_nCells = m_nCells < 0 ? 0 : m_nCells;
    m_nColumns = m_pCombo->GetColumnCount();
    m_nColumns = m_nColumns < 1 ? 1 : (m_nCells > 0 && m_nColumns > m_nCells ? m_nCells : m_nColumns);
    CSize sizeCell = m_pCombo->GetCellSize();
    m_sizeBox = CSize(sizeCell.cx + 2 * kCellFrame, sizeCell.cy + 2 * kCellFrame);
    int nRows = m_nCells > 0 ? (m_nCells + m_nColumns - 1) / m_nColumns : 0;
    int cxGrid = m_nCells > 0 ? m_nColumns * m_sizeBox.cx : 0;

    BOOL bTitle = m_pCombo->m_bShowTitle && !m_pCombo->m_strTitle.IsEmpty();
    CString strOther = m_pCombo->GetOtherText();
    int cxWidth = cxGrid > 40 ? cxGrid : 40;
    if (bTitle && TextWidth(hDC, m_pCombo->m_strTitle) + 8 > cxWidth)
        cxWidth = TextWidth(hDC, m_pCombo->m_strTitle) + 8;
    if (!m_pCombo->m_strDefaultText.IsEmpty() && TextWidth(hDC, m_pCombo->m_strDefaultText) + 16 > cxWidth)
        cxWidth = TextWidth(hDC, m_pCombo->m_strDefaultText) + 16;
    if (m_pCombo->HasOtherButton() && TextWidth(hDC, strOther) + 16 > cxWidth)
        cxWidth = TextWidth(hDC, strOther) + 16;
    ::SelectObject(hDC, hOldFont);
    ::ReleaseDC(NULL, hDC);

    int y = kMargin;
    m_rcTitle.SetRectEmpty();
    m_rcGrid.SetRectEmpty();
    m_rcStatus.SetRectEmpty();
    m_rcDefault.SetRectEmpty();
    m_rcOther.SetRectEmpty();
    if (bTitle)
    {
        m_rcTitle.SetRect(kMargin, y, kMargin + cxWidth, y + cyText + 4);
        y = m_rcTitle.bottom + kGap;
    }
    if (nRows > 0)
    {
        int x = kMargin + (cxWidth - cxGrid) / 2;
        m_rcGrid.SetRect(x, y, x + cxGrid, y + nRows * m_sizeBox.cy);
        y = m_rcGrid.bottom + kGap;
    }
    if (m_pCombo->HasCellNames())
    {
        m_rcStatus.SetRect(kMargin, y, kMargin + cxWidth, y + cyText + 4);
        y = m_rcStatus.bottom + kGap;
    }
    if (!m_pCombo->m_strDefaultText.IsEmpty())
    {
        m_rcDefault.SetRect(kMargin, y, kMargin + cxWidth, y + cyText + 8);
        y = m_rcDefault.bottom + kGap;
    }
    if (m_pCombo->HasOtherButton())
    {
        m_rcOther.SetRect(kMargin, y, kMargin + cxWidth, y + cyText + 8);
        y = m_rcOther.bottom + kGap;
    }
    m_sizeClient = CSize(cxWidth + 2 * kMargin, y - kGap + kMargin);
}

BOOL CCoolComboPopup::Open()
{
    Layout();
    // The window is as big as its client area plus the one-pixel border.
    CSize sizeWindow(m_sizeClient.cx + 2, m_sizeClient.cy + 2);
    CRect rcCombo;
    m_pCombo->GetWindowRect(&rcCombo);
    CRect rcWork;
    ::SystemParametersInfo(SPI_GETWORKAREA, 0, &rcWork, 0);
    int x = rcCombo.left;
    int y = rcCombo.bottom;
    if (y + sizeWindow.cy > rcWork.bottom && rcCombo.top - sizeWindow.cy >= rcWork.top)
        y = rcCombo.top - sizeWindow.cy;
    if (x + sizeWindow.cx > rcWork.right)
        x = rcWork.right - sizeWindow.cx;
    if (x < rcWork.left)
        x = rcWork.left;

    CWnd* pOwner = m_pCombo->GetTopLevelParent();
    if (!CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, PopupClassName(), NULL, WS_POPUP | WS_BORDER, x, y,
                  sizeWindow.cx, sizeWindow.cy, pOwner->GetSafeHwnd(), NULL))
        return FALSE;
    int nSelected = m_pCombo->GetSelectedCell();
    m_nHot = nSelected >= 0 && nSelected < m_nCells ? nSelected : CCoolCombo::itemNone;
    ::ShowWindow(m_hWnd, SW_SHOWNOACTIVATE);
    ::SetCapture(m_hWnd);
    return TRUE;
}

CRect CCoolComboPopup::GetCellBox(int nCell) const
{
    int nColumn = nCell % m_nColumns;
    int nRow = nCell / m_nColumns;
    int x = m_rcGrid.left + nColumn * m_sizeBox.cx;
    int y = m_rcGrid.top + nRow * m_sizeBox.cy;
    return CRect(x, y, x + m_sizeBox.cx, y + m_sizeBox.cy);
}

BOOL CCoolComboPopup::GetItemRect(int nItem, LPRECT lpRect) const
{
    CRect rc(0, 0, 0, 0);
    if (nItem >= 0 && nItem < m_nCells)
        rc = GetCellBox(nItem);
    else if (nItem == CCoolCombo::itemDefault)
        rc = m_rcDefault;
    else if (nItem == CCoolCombo::itemOther)
        rc = m_rcOther;
    if (lpRect != NULL)
        *lpRect = rc;
    return !rc.IsRectEmpty();
}

int CCoolComboPopup::HitTest(CPoint point) const
{
    if (m_nCells > 0 && m_rcGrid.PtInRect(point))
    {
        int nCell = (point.y - m_rcGrid.top) / m_sizeBox.cy * m_nColumns + (point.x - m_rcGrid.left) / m_sizeBox.cx;
        return nCell < m_nCells ? nCell : CCoolCombo::itemNone;
    }
    if (m_rcDefault.PtInRect(point))
        return CCoolCombo::itemDefault;
    if (m_rcOther.PtInRect(point))
        return CCoolCombo::itemOther;
    return CCoolCombo::itemNone;
}

void CCoolComboPopup::SetHot(int nItem)
{
    if (nItem == m_nHot)
        return;
    m_nHot = nItem;
    Invalidate(FALSE);
}

void CCoolComboPopup::Finish(int nItem)
{
    CCoolCombo* pCombo = m_pCombo;
    pCombo->CloseUp();   // deletes this popup
    pCombo->OnPopupChoice(nItem);
}

void CCoolComboPopup::OnKey(UINT nChar)
{
    // The items in keyboard order: the cells, then the buttons shown.
    int anItems[2];
    int nButtons = 0;
    if (!m_rcDefault.IsRectEmpty())
        anItems[nButtons++] = CCoolCombo::itemDefault;
    if (!m_rcOther.IsRectEmpty())
        anItems[nButtons++] = CCoolCombo::itemOther;
    int nTotal = m_nCells + nButtons;
    int nPos = -1;
    if (m_nHot >= 0)
        nPos = m_nHot;
    for (int i = 0; i < nButtons; ++i)
        if (anItems[i] == m_nHot)
            nPos = m_nCells + i;

    switch (nChar)
    {
    case VK_ESCAPE:
        Finish(CCoolCombo::itemNone);
        return;
    case VK_RETURN:
    case VK_SPACE:
        if (m_nHot != CCoolCombo::itemNone)
            Finish(m_nHot);
        return;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    {
        if (nTotal == 0)
            return;
        int nStep = (nChar == VK_UP || nChar == VK_DOWN) && nPos >= 0 && nPos < m_nCells ? m_nColumns : 1;
        if (nChar == VK_LEFT || nChar == VK_UP)
            nStep = -nStep;
        int nNew = nPos < 0 ? 0 : nPos + nStep;
        nNew = nNew < 0 ? 0 : (nNew >= nTotal ? nTotal - 1 : nNew);
        SetHot(nNew < m_nCells ? nNew : anItems[nNew - m_nCells]);
        return;
    }
    default:
        return;
    }
}

BOOL CCoolComboPopup::OnEraseBkgnd(CDC*)
{
    return TRUE;   // painted whole in OnPaint
}

void CCoolComboPopup::DrawButton(CDC* pDC, const CRect& rect, const CString& strText, BOOL bHot)
{
    CRect rc(rect);
    ::DrawEdge(pDC->m_hDC, &rc, EDGE_RAISED, BF_RECT);
    if (bHot)
    {
        CRect rcHot(rect);
        rcHot.DeflateRect(2, 2);
        pDC->FillSolidRect(&rcHot, ::GetSysColor(COLOR_HIGHLIGHT));
    }
    ::SetTextColor(pDC->m_hDC, ::GetSysColor(bHot ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT));
    ::DrawText(pDC->m_hDC, strText, strText.GetLength(), &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void CCoolComboPopup::OnPaint()
{
    CPaintDC dcPaint(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    CDC dc;
    CBitmap bitmap;
    if (!dc.CreateCompatibleDC(&dcPaint) || !bitmap.CreateCompatibleBitmap(&dcPaint, rcClient.Width(), rcClient.Height()))
        return;
    HGDIOBJ hOldBitmap = ::SelectObject(dc.m_hDC, bitmap.GetSafeHandle());
    HGDIOBJ hOldFont = ::SelectObject(dc.m_hDC, PopupFont());
    ::SetBkMode(dc.m_hDC, TRANSPARENT);
    dc.FillSolidRect(&rcClient, ::GetSysColor(COLOR_BTNFACE));

    if (!m_rcTitle.IsRectEmpty())
    {
        CRect rc(m_rcTitle);
        ::SetTextColor(dc.m_hDC, ::GetSysColor(COLOR_BTNTEXT));
        ::DrawText(dc.m_hDC, m_pCombo->m_strTitle, m_pCombo->m_strTitle.GetLength(), &rc,
                   DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        ::DrawEdge(dc.m_hDC, &rc, EDGE_ETCHED, BF_BOTTOM);
    }

    int nSelected = m_pCombo->m_bHighlightSelection ? m_pCombo->GetSelectedCell() : CCoolCombo::itemNone;
    for (int i = 0; i < m_nCells; ++i)
    {
        CRect rcBox = GetCellBox(i);
        CRect rcCell(rcBox);
        rcCell.DeflateRect(kCellFrame, kCellFrame);
        m_pCombo->DrawCell(&dc, i, rcCell);
        if (i == nSelected)
        {
            CRect rc(rcBox);
            rc.DeflateRect(1, 1);
            dc.Draw3dRect(&rc, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
        }
        if (i == m_nHot)
        {
            COLORREF crHot = ::GetSysColor(COLOR_HIGHLIGHT);
            dc.Draw3dRect(&rcBox, crHot, crHot);
        }
    }

    if (!m_rcStatus.IsRectEmpty())
    {
        CRect rc(m_rcStatus);
        ::DrawEdge(dc.m_hDC, &rc, BDR_SUNKENOUTER, BF_RECT);
        CString strName = m_nHot >= 0 ? m_pCombo->GetCellName(m_nHot) : CString();
        rc.DeflateRect(3, 0);
        ::SetTextColor(dc.m_hDC, ::GetSysColor(COLOR_BTNTEXT));
        ::DrawText(dc.m_hDC, strName, strName.GetLength(), &rc, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    if (!m_rcDefault.IsRectEmpty())
        DrawButton(&dc, m_rcDefault, m_pCombo->m_strDefaultText, m_nHot == CCoolCombo::itemDefault);
    if (!m_rcOther.IsRectEmpty())
        DrawButton(&dc, m_rcOther, m_pCombo->GetOtherText(), m_nHot == CCoolCombo::itemOther);

    dcPaint.BitBlt(0, 0, rcClient.Width(), rcClient.Height(), &dc, 0, 0, SRCCOPY);
    ::SelectObject(dc.m_hDC, hOldFont);
    ::SelectObject(dc.m_hDC, hOldBitmap);
}

void CCoolComboPopup::OnMouseMove(UINT, CPoint point)
{
    int nItem = HitTest(point);
    // Leaving the popup keeps the last cell for the keyboard.
    if (nItem != CCoolCombo::itemNone)
        SetHot(nItem);
}

void CCoolComboPopup::OnLButtonDown(UINT, CPoint point)
{
    CRect rcClient(0, 0, m_sizeClient.cx, m_sizeClient.cy);
    if (!rcClient.PtInRect(point))
        Finish(CCoolCombo::itemNone);   // a click elsewhere closes the popup
}

void CCoolComboPopup::OnLButtonUp(UINT, CPoint point)
{
    // The release of the click that opened the popup lands outside it and keeps it open.
    int nItem = HitTest(point);
    if (nItem != CCoolCombo::itemNone)
        Finish(nItem);
}

LRESULT CCoolComboPopup::OnCaptureChanged(WPARAM, LPARAM lParam)
{
    // Another window took the mouse: the popup gives up.
    if ((HWND)lParam != m_hWnd)
        Finish(CCoolCombo::itemNone);
    return 0;
}
