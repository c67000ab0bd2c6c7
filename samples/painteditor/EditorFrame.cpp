// CEditorFrame: the window, its menus and status bar, command routing to the paint control,
// the control's notifications and the title.
#include "EditorFrame.h"
#include "EditorResources.h"
#include "ToolMenu.h"
#include <algorithm>
#include "resources/resource.h"

const int g_nPenWidths[5] = { 1, 2, 3, 5, 8 };

BEGIN_MESSAGE_MAP(CEditorFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_CLOSE()
    ON_WM_SETFOCUS()
    ON_COMMAND(ID_FILE_NEW, OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
    ON_COMMAND(ID_FILE_SAVE, OnFileSave)
    ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
    ON_COMMAND(ID_FILE_PRINT, OnFilePrint)
    ON_COMMAND(ID_APP_EXIT, OnAppExit)
    ON_COMMAND_RANGE(ID_VIEW_ZOOM_FIRST, ID_VIEW_ZOOM_LAST, OnViewZoom)
    ON_UPDATE_COMMAND_UI_RANGE(ID_VIEW_ZOOM_FIRST, ID_VIEW_ZOOM_LAST, OnUpdateViewZoom)
    ON_COMMAND(ID_VIEW_FIT, OnViewFit)
    ON_COMMAND(ID_VIEW_GRID, OnViewGrid)
    ON_UPDATE_COMMAND_UI(ID_VIEW_GRID, OnUpdateViewGrid)
    ON_COMMAND(ID_IMAGE_RESIZE, OnImageResize)
    ON_COMMAND(ID_IMAGE_PALETTE, OnImagePalette)
    ON_UPDATE_COMMAND_UI(ID_IMAGE_PALETTE, OnUpdateImagePalette)
    ON_COMMAND_RANGE(ID_TOOL_BASE, ID_TOOL_LAST, OnTool)
    ON_UPDATE_COMMAND_UI_RANGE(ID_TOOL_BASE, ID_TOOL_LAST, OnUpdateTool)
    ON_COMMAND_RANGE(ID_DRAWCOLOUR_FIRST, ID_DRAWCOLOUR_LAST, OnDrawColour)
    ON_UPDATE_COMMAND_UI_RANGE(ID_DRAWCOLOUR_FIRST, ID_DRAWCOLOUR_LAST, OnUpdateDrawColour)
    ON_COMMAND_RANGE(ID_FILLCOLOUR_FIRST, ID_FILLCOLOUR_LAST, OnFillColour)
    ON_UPDATE_COMMAND_UI_RANGE(ID_FILLCOLOUR_FIRST, ID_FILLCOLOUR_LAST, OnUpdateFillColour)
    ON_COMMAND_RANGE(ID_PENWIDTH_FIRST, ID_PENWIDTH_LAST, OnPenWidth)
    ON_UPDATE_COMMAND_UI_RANGE(ID_PENWIDTH_FIRST, ID_PENWIDTH_LAST, OnUpdatePenWidth)
END_MESSAGE_MAP()

namespace
{
const UINT kIndicators[] = { ID_SEPARATOR, ID_INDICATOR_IMAGE, ID_INDICATOR_ZOOM };

// The pop-up of menu that holds command nID, searched through the whole tree; NULL if none.
HMENU FindMenuOf(HMENU hMenu, UINT nID)
{
    int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; ++i)
    {
        if (::GetMenuItemID(hMenu, i) == nID)
            return hMenu;
        HMENU hSub = ::GetSubMenu(hMenu, i);
        if (hSub != NULL)
        {
            if (HMENU hFound = FindMenuOf(hSub, nID))
                return hFound;
        }
    }
    return NULL;
}

// Replaces the placeholder item nFirstID with one item per text, ids counting up from it.
void ExpandPlaceholder(HMENU hMenuBar, UINT nFirstID, const CStringArray& texts)
{
    HMENU hMenu = FindMenuOf(hMenuBar, nFirstID);
    if (hMenu == NULL)
        return;
    int nPos = 0;
    while (::GetMenuItemID(hMenu, nPos) != nFirstID)
        ++nPos;
    ::DeleteMenu(hMenu, (UINT)nPos, MF_BYPOSITION);
    for (int i = 0; i < texts.GetSize(); ++i)
        ::InsertMenu(hMenu, (UINT)(nPos + i), MF_BYPOSITION | MF_STRING, nFirstID + (UINT)i, texts[i]);
}
}

CEditorFrame::CEditorFrame() : m_bModified(FALSE), m_nLastCommand(0)
{
}

BOOL CEditorFrame::CreateEditor()
{
    CString strTitle = AfxGetAppName();
    if (!Create(NULL, strTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CRect(20, 20, 740, 580), NULL,
                MAKEINTRESOURCE(IDR_MAINFRAME)))
        return FALSE;
    return LoadAccelTable(MAKEINTRESOURCE(IDR_MAINFRAME));
}

int CEditorFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_wndStatusBar.Create(this) ||
        !m_wndStatusBar.SetIndicators(kIndicators, (int)(sizeof(kIndicators) / sizeof(kIndicators[0]))))
        return -1;
    // The control is the view: the frame's layout gives the pane id the space above the bar.
    if (!m_wndPaint.Create(CRect(0, 0, 0, 0), this, AFX_IDW_PANE_FIRST, WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL))
        return -1;
    // A grid from 400 % up: below that it would hide too much of each pixel.
    m_wndPaint.SetShowGrid(TRUE, 400);
    // The palette is a convenience: the menus offer everything it does, so the editor goes on
    // without it if it cannot be made.
    m_wndPalette.Create(this, &m_wndPaint, IDB_PNT_PALETTE, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_LEFT | CBRS_TOOLTIPS,
                        FALSE);
    BuildMenus();
    RecalcLayout();
    UpdateTitle();
    return 0;
}

void CEditorFrame::RecalcLayout(BOOL bNotify)
{
    CFrameWnd::RecalcLayout(bNotify);
    if (!::IsWindow(m_wndPalette.m_hWnd) || !::IsWindow(m_wndPaint.m_hWnd))
        return;
    // The palette is as wide as its widest row of buttons, plus a small margin.
    int cxPalette = 0;
    const int nButtons = m_wndPalette.GetToolBarCtrl().GetButtonCount();
    for (int i = 0; i < nButtons; i++)
    {
        CRect rcItem;
        m_wndPalette.GetItemRect(i, &rcItem);
        cxPalette = std::max(cxPalette, (int)rcItem.right);
    }
    cxPalette += 6;
    CRect rcView;
    m_wndPaint.GetWindowRect(&rcView);
    ScreenToClient(&rcView);
    cxPalette = std::min(cxPalette, (int)rcView.Width());
    m_wndPalette.MoveWindow(rcView.left, rcView.top, cxPalette, rcView.Height());
    m_wndPaint.MoveWindow(rcView.left + cxPalette, rcView.top, rcView.Width() - cxPalette, rcView.Height());
}

void CEditorFrame::ShowEditor()
{
    m_wndPaint.SetToolMode(TOOL_PEN);
    ShowWindow(SW_SHOW);
    UpdateWindow();
    m_wndPaint.SetFocus();
}

void CEditorFrame::BuildMenus()
{
    HMENU hMenuBar = ::GetMenu(m_hWnd);
    if (hMenuBar == NULL)
        return;
    CStringArray levels, colours, widths;
    for (int nLevel : CPntCtrl::MagnificationLevels)
    {
        CString text;
        text.Format(_T("&%d%%"), nLevel);
        levels.Add(text);
    }
    for (const ColourEntries& entry : CPntCtrl::ms_StdColours)
        colours.Add(entry.szName);
    for (int nWidth : g_nPenWidths)
    {
        CString text;
        text.Format(_T("&%d pixel%s"), nWidth, nWidth == 1 ? _T("") : _T("s"));
        widths.Add(text);
    }
    ExpandPlaceholder(hMenuBar, ID_VIEW_ZOOM_FIRST, levels);
    if (HMENU hTools = FindMenuOf(hMenuBar, ID_TOOL_BASE))
        painteditor::FillToolMenu(hTools, ID_TOOL_BASE, ID_TOOL_BASE);
    ExpandPlaceholder(hMenuBar, ID_DRAWCOLOUR_FIRST, colours);
    ExpandPlaceholder(hMenuBar, ID_FILLCOLOUR_FIRST, colours);
    ExpandPlaceholder(hMenuBar, ID_PENWIDTH_FIRST, widths);
    ::DrawMenuBar(m_hWnd);
}

BOOL CEditorFrame::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (nCode == CN_COMMAND && pHandlerInfo == NULL)
        m_nLastCommand = nID;
    // The control is the frame's view (AFX_IDW_PANE_FIRST): the frame offers it commands
    // (Undo, Redo) and their updates first.
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CEditorFrame::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const NMHDR* pHeader = (const NMHDR*)lParam;
    if (pHeader != NULL && pHeader->hwndFrom == m_wndPaint.m_hWnd)
    {
        if (pHeader->code == CPntCtrl::m_nImageChangedMessage)
        {
            if (!m_bModified)
            {
                m_bModified = TRUE;
                UpdateTitle();
            }
            UpdateStatusPanes();
        }
        else if (pHeader->code == CPntCtrl::m_nMagnificationChangedMessage)
        {
            UpdateStatusPanes();
        }
    }
    return CFrameWnd::OnNotify(wParam, lParam, pResult);
}

void CEditorFrame::OnSetFocus(CWnd*)
{
    // Keys go to the picture, as they would to a view.
    if (::IsWindow(m_wndPaint.m_hWnd))
        m_wndPaint.SetFocus();
}

void CEditorFrame::OnClose()
{
    if (!SaveModified())
        return;
    CFrameWnd::OnClose();
}

void CEditorFrame::OnAppExit()
{
    SendMessage(WM_CLOSE);
}

CString CEditorFrame::GetDisplayName() const
{
    if (m_strPath.IsEmpty())
        return _T("Untitled");
    LPCTSTR pszPath = m_strPath;
    LPCTSTR pszName = pszPath;
    for (LPCTSTR p = pszPath; *p != 0; ++p)
    {
        if (*p == '\\' || *p == '/' || *p == ':')
            pszName = p + 1;
    }
    return pszName;
}

void CEditorFrame::UpdateTitle()
{
    CString strTitle;
    strTitle.Format(_T("%s%s - %s"), (LPCTSTR)GetDisplayName(), m_bModified ? _T("*") : _T(""), AfxGetAppName());
    CString strOld;
    GetWindowText(strOld);
    if (strOld != strTitle)
        SetWindowText(strTitle);
}

void CEditorFrame::UpdateStatusPanes()
{
    CString strImage, strZoom;
    CDIBSection* pImage = m_wndPaint.GetDIBsection();
    if (pImage->IsValid())
        strImage.Format(_T("%d x %d, %d bits"), pImage->GetWidth(), pImage->GetHeight(), pImage->GetBitCount());
    strZoom.Format(_T("%u%%"), m_wndPaint.GetMagnification());
    // Drawing notifies on every mouse move: touch the panes only when their texts change.
    if (m_wndStatusBar.GetPaneText(1) != strImage)
        m_wndStatusBar.SetPaneText(1, strImage);
    if (m_wndStatusBar.GetPaneText(2) != strZoom)
        m_wndStatusBar.SetPaneText(2, strZoom);
}

void CEditorFrame::SetDocument(LPCTSTR lpszPath)
{
    m_strPath = lpszPath != NULL ? lpszPath : _T("");
    m_bModified = FALSE;
    UpdateTitle();
    UpdateStatusPanes();
}
