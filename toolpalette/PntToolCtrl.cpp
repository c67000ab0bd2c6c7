// CPntToolCtrl: the palette's buttons, their commands and states, tooltips, layout and frame.
#include "toolpalette/PntToolCtrl.h"
#include "paint/PntCtrl.h"
#include "paint/PntToolTable.h"
#include "resources/resource.h"
#include "toolpalette/PntToolCommands.h"
#include <new>

BEGIN_MESSAGE_MAP(CPntToolCtrl, CToolBarEx)
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_NCPAINT()
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTA, 0, 0xFFFF, OnNeedTooltipText)
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTW, 0, 0xFFFF, OnNeedTooltipText)
    ON_UPDATE_COMMAND_UI_RANGE(ID_PNT_FIRST, ID_PNT_LAST, OnUpdateButtons)
    ON_COMMAND_RANGE(ID_PNT_FIRST, ID_PNT_LAST, OnCommandLine)
END_MESSAGE_MAP()

const CPntToolCtrl::CommandEntry CPntToolCtrl::m_StdCommands[29] = {
    { ID_PNT_CUT, IDS_PNT_TIP_CUT },
    { ID_PNT_COPY, IDS_PNT_TIP_COPY },
    { ID_PNT_PASTE, IDS_PNT_TIP_PASTE },
    { ID_PNT_CLEAR, IDS_PNT_TIP_CLEAR },
    { ID_PNT_UNDO, IDS_PNT_TIP_UNDO },
    { ID_PNT_REDO, IDS_PNT_TIP_REDO },
    { ID_PNT_MAGNIFY, IDS_PNT_TIP_MAGNIFY },
    { ID_PNT_SIZETOFIT, IDS_PNT_TIP_SIZETOFIT },
    { ID_PNT_RESIZE, IDS_PNT_TIP_RESIZE },
    { ID_PNT_SELECTAREA, IDS_PNT_TIP_SELECTAREA },
    { ID_PNT_SELECTCOLOUR, IDS_PNT_TIP_SELECTCOLOUR },
    { ID_PNT_SELECTTRANSCOLOUR, IDS_PNT_TIP_SELECTTRANSCOLOUR },
    { ID_PNT_FLOODFILL, IDS_PNT_TIP_FLOODFILL },
    { ID_PNT_TEXT, IDS_PNT_TIP_TEXT },
    { ID_PNT_AIRBRUSH, IDS_PNT_TIP_AIRBRUSH },
    { ID_PNT_ERASER, IDS_PNT_TIP_ERASER },
    { ID_PNT_PEN, IDS_PNT_TIP_PEN },
    { ID_PNT_LINE, IDS_PNT_TIP_LINE },
    { ID_PNT_ERASERWIDTH, IDS_PNT_TIP_ERASERWIDTH },
    { ID_PNT_PENWIDTH, IDS_PNT_TIP_PENWIDTH },
    { 0, IDS_PNT_TIP_SEPARATOR },
    { ID_PNT_RECTANGLE, IDS_PNT_TIP_RECTANGLE },
    { ID_PNT_ROUNDRECT, IDS_PNT_TIP_ROUNDRECT },
    { ID_PNT_ELLIPSE, IDS_PNT_TIP_ELLIPSE },
    { ID_PNT_FILLEDRECT, IDS_PNT_TIP_FILLEDRECT },
    { ID_PNT_FILLEDROUNDRECT, IDS_PNT_TIP_FILLEDROUNDRECT },
    { ID_PNT_FILLEDELLIPSE, IDS_PNT_TIP_FILLEDELLIPSE },
    { ID_PNT_FORECOLOUR, IDS_PNT_TIP_FORECOLOUR },
    { ID_PNT_TRANSCOLOUR, IDS_PNT_TIP_TRANSCOLOUR },
};
const int CPntToolCtrl::m_nPenWidths[5] = { 1, 2, 3, 4, 5 };
const int CPntToolCtrl::m_nEraserWidths[4] = { 4, 6, 8, 10 };
const int CPntToolCtrl::m_nStdPaddingRows[5] = { 6, 7, 10, 11, 0 };

namespace
{
// The drop-downs' slots: their state is theirs, not the buttons'.
bool IsControlSlot(UINT nID)
{
    return (nID >= ID_PNT_ERASERWIDTH && nID <= ID_PNT_ERASERWIDTH + 2) ||
           (nID >= ID_PNT_FORECOLOUR && nID <= ID_PNT_FORECOLOUR + 2);
}
}

CPntToolCtrl::CPntToolCtrl()
    : m_pPaintCtrl(NULL), m_nPenWidthCount(0), m_nEraserWidthCount(0), m_nButtonWidth(0), m_nButtonHeight(0),
      m_bDisplayOnly(FALSE), m_bNoMagnificationButtons(FALSE), m_bVGAPalette(FALSE), m_bShowGripper(TRUE),
      m_nRows(11), m_nPickerColourCount(0), m_pPopupColours(NULL), m_nPopupColours(0),
      m_pTransPopupColours(NULL), m_nTransPopupColours(0), m_pExtColours(NULL), m_pTransExtColours(NULL),
      m_nButtons(0), m_pButtons(NULL), m_nControls(0), m_pControls(NULL), m_nPaddingRows(0),
      m_pPaddingRows(NULL), m_bHighColour(FALSE)
{
    // Called through the class itself: the virtual table is still being set up.
    CPntToolCtrl::SetPaddingRows();
}

CPntToolCtrl::~CPntToolCtrl()
{
    delete[] m_pPopupColours;
    delete[] m_pTransPopupColours;
    delete[] m_pExtColours;
    delete[] m_pTransExtColours;
    delete[] m_pButtons;
    delete[] m_pControls;
    delete[] m_pPaddingRows;
    // The drop-downs go before the bar, last made first.
    for (CWnd* pControl : { (CWnd*)&m_TransColourPicker, (CWnd*)&m_ForeColourPicker, (CWnd*)&m_PenWidthCombo,
                            (CWnd*)&m_EraserWidthCombo })
        if (::IsWindow(pControl->m_hWnd))
            pControl->DestroyWindow();
}

BOOL CPntToolCtrl::Create(CWnd* pParentWnd, CPntCtrl* pPaintCtrl, UINT nID, DWORD dwStyle, BOOL bGripper)
{
    if (!CToolBar::Create(pParentWnd, dwStyle, nID))
        return FALSE;
    SetWindowText(_T("Tools"));
    m_pPaintCtrl = pPaintCtrl;
    m_bShowGripper = bGripper;

    SetupButtonInfo();
    SetButtons(NULL, m_nButtons);
    LoadBitmap(nID);
    for (int i = 0; i < m_nButtons; i++)
    {
        if (m_pButtons[i].nCommandID == 0)
            continue;
        CRect rc;
        GetItemRect(0, &rc);
        m_nButtonWidth = rc.Width();
        m_nButtonHeight = rc.Height();
    }
    for (int i = 0; i < m_nButtons; i++)
    {
        if (m_pButtons[i].nCommandID != 0)
            SetButtonInfo(i, m_pButtons[i].nCommandID, TBBS_BUTTON, i);
        else
            SetButtonInfo(i, 0, TBBS_SEPARATOR, 0);
    }
    SetupToolbarControls(nID);

    // Clicks and notifications of the common tool bar come to this window's own map.
    CRect rcRows;
    ::SendMessage(m_hWnd, TB_SETROWS, MAKEWPARAM(m_nRows, TRUE), (LPARAM)&rcRows);
    ::SendMessage(m_hWnd, TB_SETPARENT, (WPARAM)m_hWnd, 0);
    if (m_bNoMagnificationButtons)
        RemoveMagnificationControls();
    SetFlatLook(m_bFlatLook);
    return TRUE;
}

BOOL CPntToolCtrl::SetupButtonInfo()
{
    delete[] m_pButtons;
    m_nButtons = 0;
    const int nCount = (int)(sizeof(m_StdCommands) / sizeof(m_StdCommands[0]));
    m_pButtons = new (std::nothrow) CommandEntry[nCount];
    if (m_pButtons == NULL)
        return FALSE;
    for (int i = 0; i < nCount; i++)
        m_pButtons[i] = m_StdCommands[i];
    m_nButtons = nCount;
    return TRUE;
}

BOOL CPntToolCtrl::SetPaddingRows()
{
    delete[] m_pPaddingRows;
    m_nPaddingRows = 0;
    m_pPaddingRows = new (std::nothrow) int[4];
    if (m_pPaddingRows == NULL)
        return FALSE;
    for (int i = 0; i < 4; i++)
        m_pPaddingRows[i] = m_nStdPaddingRows[i];
    m_nPaddingRows = 4;
    return TRUE;
}

void CPntToolCtrl::RemoveMagnificationControls()
{
    for (UINT nID : { ID_PNT_MAGNIFY, ID_PNT_SIZETOFIT, ID_PNT_RESIZE })
    {
        int nIndex = CommandToIndex(nID);
        if (nIndex >= 0)
            GetToolBarCtrl().DeleteButton(nIndex);
    }
    CRect rcRows;
    GetToolBarCtrl().SetRows(m_nRows - 1, TRUE, &rcRows);
}

/////////////////////////////////////////////////////////////////////////////
// Commands and their states

void CPntToolCtrl::OnCommandLine(UINT nID)
{
    if (m_pPaintCtrl == NULL || nID < ID_PNT_FIRST || nID > ID_PNT_LAST)
        return;
    if (const PntToolEntry* pTool = CPntToolTable::LookupCommand(nID))
    {
        m_pPaintCtrl->SetToolMode(pTool->nMode);
    }
    else
    {
        switch (nID)
        {
        case ID_PNT_CUT: m_pPaintCtrl->Cut(); break;
        case ID_PNT_COPY: m_pPaintCtrl->Copy(); break;
        case ID_PNT_PASTE: m_pPaintCtrl->Paste(); break;
        case ID_PNT_CLEAR: m_pPaintCtrl->ClearRect(NULL, TRUE); break;
        case ID_PNT_UNDO: m_pPaintCtrl->Undo(); break;
        case ID_PNT_REDO: m_pPaintCtrl->Redo(); break;
        case ID_PNT_SIZETOFIT: m_pPaintCtrl->SetMagnificationToFillWindow(); break;
        case ID_PNT_RESIZE: m_pPaintCtrl->Resize(); break;
        default: break;   // the drop-downs' slots
        }
    }
    CFrameWnd* pFrame = (CFrameWnd*)CWnd::FromHandle(::IsWindow(m_hWndFrame) ? m_hWndFrame : NULL);
    OnUpdateCmdUI(pFrame, TRUE);
    OnNcPaint();
}

void CPntToolCtrl::OnUpdateButtons(CCmdUI* pCmdUI)
{
    const UINT nID = pCmdUI->m_nID;
    if (IsControlSlot(nID))
        return;
    if (m_pPaintCtrl == NULL || !::IsWindow(m_pPaintCtrl->m_hWnd))
    {
        pCmdUI->Enable(FALSE);
        return;
    }
    const BOOL bEditable = !m_pPaintCtrl->GetDisplayOnly();
    if (const PntToolEntry* pTool = CPntToolTable::LookupCommand(nID))
    {
        // Tools that change no pixel stay offered on a display-only control.
        BOOL bEnable = (pTool->nFlags & PNT_TOOLF_VIEWING) != 0 || bEditable;
        if (pTool->nFlags & PNT_TOOLF_TRANSPARENCY)
            bEnable = bEnable && m_pPaintCtrl->IsEnableTransColorPicker();
        pCmdUI->Enable(bEnable);
        // Checked while its tool, or a mode entered from it, is on.
        const PntToolEntry* pCurrent = CPntToolTable::Lookup(m_pPaintCtrl->GetToolMode());
        pCmdUI->SetCheck(pCurrent != NULL && pCurrent->nCommandID == nID);
        return;
    }
    switch (nID)
    {
    case ID_PNT_CUT:
    case ID_PNT_CLEAR:
    case ID_PNT_RESIZE:
        pCmdUI->Enable(bEditable);
        break;
    case ID_PNT_COPY:
    case ID_PNT_SIZETOFIT:
        pCmdUI->Enable(TRUE);
        break;
    case ID_PNT_PASTE:
        pCmdUI->Enable(bEditable && m_pPaintCtrl->IsDataAvailable());
        break;
    case ID_PNT_UNDO:
        pCmdUI->Enable(bEditable && m_pPaintCtrl->CanUndo());
        break;
    case ID_PNT_REDO:
        pCmdUI->Enable(bEditable && m_pPaintCtrl->CanRedo());
        break;
    default:
        pCmdUI->Enable(bEditable);
        pCmdUI->SetCheck(FALSE);
        break;
    }
}

void CPntToolCtrl::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CToolBarEx::OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
    if (m_pPaintCtrl != NULL)
        UpdateControls();
}

void CPntToolCtrl::OnClick()
{
}

/////////////////////////////////////////////////////////////////////////////
// Tooltips

BOOL CPntToolCtrl::OnNeedTooltipText(UINT, NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    // The two forms lay out their fields differently (the wide text buffer is twice as
    // long), so every field is read through the form the request names, whatever the build.
    const BOOL bWide = pNMHDR->code == TTN_NEEDTEXTW;
    TOOLTIPTEXTA* pTextA = (TOOLTIPTEXTA*)pNMHDR;
    TOOLTIPTEXTW* pTextW = (TOOLTIPTEXTW*)pNMHDR;
    const UINT uFlags = bWide ? pTextW->uFlags : pTextA->uFlags;
    int nEntry = -1;
    if (uFlags & TTF_IDISHWND)
    {
        // A drop-down: the one under the pointer of the current message.
        DWORD dwPos = ::GetMessagePos();
        CPoint pt((short)LOWORD(dwPos), (short)HIWORD(dwPos));
        for (int i = 0; i < m_nControls && nEntry < 0; i++)
        {
            CWnd* pControl = m_pControls[i].pControl;
            CRect rc;
            if (pControl == NULL || !::IsWindow(pControl->m_hWnd))
                continue;
            pControl->GetWindowRect(&rc);
            if (rc.PtInRect(pt))
                nEntry = (int)m_pControls[i].nCommandID - ID_PNT_FIRST;
        }
    }
    else
    {
        nEntry = (int)pNMHDR->idFrom - ID_PNT_FIRST;
    }
    // No tool of the palette (a separator, an unknown id, no drop-down under the pointer):
    // an empty tip.
    CString strTip;
    if (nEntry >= 0 && nEntry < m_nButtons)
    {
        strTip.LoadString(m_pButtons[nEntry].nStringID);
        const UINT nSlot = m_pButtons[nEntry].nCommandID - ID_PNT_FIRST;
        if (nSlot < kCommandSlots && !m_strToolKeys[nSlot].IsEmpty())
            strTip += _T(" (") + m_strToolKeys[nSlot] + _T(")");
    }
    // Into the request's own buffer, converted to its width; a longer text is cut at the
    // buffer's end and still terminated.
    if (bWide)
        ::lstrcpynW(pTextW->szText, CStringW(strTip), _countof(pTextW->szText));
    else
        ::lstrcpynA(pTextA->szText, CStringA(strTip), _countof(pTextA->szText));
    return TRUE;
}

namespace
{
static_assert(ID_PNT_LAST - ID_PNT_FIRST + 1 == 30, "one key slot per palette command");

// The palette slot of the button that chooses nToolMode, or -1 when none does.
int ToolKeySlot(UINT nToolMode)
{
    const PntToolEntry* pEntry = CPntToolTable::Lookup((int)nToolMode);
    if (pEntry == NULL || (pEntry->nFlags & PNT_TOOLF_TRANSIENT) || pEntry->nCommandID < ID_PNT_FIRST ||
        pEntry->nCommandID > ID_PNT_LAST)
        return -1;
    return (int)(pEntry->nCommandID - ID_PNT_FIRST);
}
}

BOOL CPntToolCtrl::SetToolKey(UINT nToolMode, LPCTSTR lpszKey)
{
    const int nSlot = ToolKeySlot(nToolMode);
    if (nSlot < 0 || nSlot >= kCommandSlots)
        return FALSE;
    m_strToolKeys[nSlot] = lpszKey != NULL ? lpszKey : _T("");
    return TRUE;
}

CString CPntToolCtrl::GetToolKey(UINT nToolMode) const
{
    const int nSlot = ToolKeySlot(nToolMode);
    return nSlot >= 0 && nSlot < kCommandSlots ? m_strToolKeys[nSlot] : CString();
}

/////////////////////////////////////////////////////////////////////////////
// Layout and frame

CSize CPntToolCtrl::CalcDynamicLayout(int nLength, DWORD nMode)
{
    CSize size = CToolBar::CalcDynamicLayout(nLength, nMode);
    if (IsFloating())
    {
        int nRows = GetToolBarCtrl().GetRows();
        for (int i = 0; i < m_nPaddingRows; i++)
        {
            int nPadding = m_pPaddingRows[i] - (m_bNoMagnificationButtons ? 1 : 0);
            if (nRows == nPadding)
            {
                size.cy += m_nButtonHeight;
                break;
            }
        }
    }
    else if (!(nMode & LM_HORZ))
    {
        size.cy += m_nButtonHeight;
    }
    return size;
}

void CPntToolCtrl::RepositionControls()
{
    for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild != NULL; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    {
        if (::GetParent(hChild) != m_hWnd)
            continue;
        int nIndex = CommandToIndex((UINT)::GetDlgCtrlID(hChild));
        if (nIndex < 0)
            continue;
        CRect rc;
        GetItemRect(nIndex, &rc);
        ::SetWindowPos(hChild, NULL, rc.left, rc.top, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS | SWP_SHOWWINDOW);
    }
}

void CPntToolCtrl::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    CToolBarEx::OnWindowPosChanged(lpwndpos);
    if (!(lpwndpos->flags & SWP_NOMOVE))
        Invalidate(TRUE);
    RepositionControls();
}

void CPntToolCtrl::OnNcPaint()
{
    CWindowDC dc(this);
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    CRect rcClient;
    GetClientRect(&rcClient);
    ClientToScreen(&rcClient);
    CPoint ptOffset(rcClient.left - rcWindow.left, rcClient.top - rcWindow.top);
    // The buttons paint themselves: they are kept out.
    const int nCount = GetToolBarCtrl().GetButtonCount();
    for (int i = 0; i < nCount; i++)
    {
        CRect rc;
        GetItemRect(i, &rc);
        rc.OffsetRect(ptOffset);
        dc.ExcludeClipRect(&rc);
    }
    rcWindow.OffsetRect(-rcWindow.left, -rcWindow.top);
    dc.FillSolidRect(&rcWindow, ::GetSysColor(COLOR_BTNFACE));
    DrawBorders(&dc, rcWindow);
    DrawGripper(&dc);
}

void CPntToolCtrl::DrawGripper(CDC* pDC)
{
    if (IsFloating() || !m_bShowGripper)
        return;
    CRect rc;
    GetWindowRect(&rc);
    rc.OffsetRect(-rc.left, -rc.top);
    rc.DeflateRect(4, 4);
    const COLORREF crHilite = ::GetSysColor(COLOR_BTNHIGHLIGHT), crShadow = ::GetSysColor(COLOR_BTNSHADOW);
    if (GetBarStyle() & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM))
    {
        CRect rcStrip(rc.left, rc.top, rc.left + 3, rc.bottom);
        pDC->Draw3dRect(&rcStrip, crHilite, crShadow);
        rcStrip.OffsetRect(3, 0);
        pDC->Draw3dRect(&rcStrip, crHilite, crShadow);
    }
    else
    {
        CRect rcStrip(rc.left, rc.top, rc.right, rc.top + 3);
        pDC->Draw3dRect(&rcStrip, crHilite, crShadow);
        rcStrip.OffsetRect(0, 3);
        pDC->Draw3dRect(&rcStrip, crHilite, crShadow);
    }
}

void CPntToolCtrl::SetFlatLook(BOOL bFlatLook)
{
    for (CCoolCombo* pControl : { (CCoolCombo*)&m_EraserWidthCombo, (CCoolCombo*)&m_PenWidthCombo,
                                  (CCoolCombo*)&m_ForeColourPicker, (CCoolCombo*)&m_TransColourPicker })
        if (::IsWindow(pControl->m_hWnd))
            pControl->SetFlatMode(bFlatLook);
    if (bFlatLook == m_bFlatLook)
        return;
    m_bFlatLook = bFlatLook;
    if (::IsWindow(m_hWnd))
    {
        Invalidate(TRUE);
        CToolBarEx::OnNcPaint();
    }
}
