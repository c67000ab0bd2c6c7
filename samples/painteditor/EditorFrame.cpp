// CEditorFrame: the window, its menus, colour box and status bar, command routing to the paint
// control, tool keys, the control's notifications and the title.
#include "EditorFrame.h"
#include "EditorResources.h"
#include "ToolMenu.h"
#include <afxpriv.h>
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
    ON_COMMAND(ID_EDIT_SELECT_ALL, OnEditSelectAll)
    ON_UPDATE_COMMAND_UI(ID_EDIT_SELECT_ALL, OnUpdateEditSelectAll)
    ON_MESSAGE(CEditorPaintCtrl::kPointerMovedMessage, OnPointerMoved)
END_MESSAGE_MAP()

namespace
{
const UINT kIndicators[] = { ID_SEPARATOR, ID_INDICATOR_POINTER, ID_INDICATOR_IMAGE, ID_INDICATOR_ZOOM };

// The history the editor keeps: many steps, as long as they fit in this much memory.
const int kUndoSteps = 50;
const SIZE_T kUndoMemoryBudget = 256 * 1024 * 1024;

// The text tool's font when the profile names none: the first of these faces the system has,
// at this size in points.
const LPCTSTR kTextFaces[] = { _T("Tahoma"), _T("Arial"), _T("Microsoft Sans Serif"), _T("MS Sans Serif") };
const int kTextPoints = 11;

int CALLBACK NoteFaceFound(const LOGFONT*, const TEXTMETRIC*, DWORD, LPARAM lParam)
{
    *(BOOL*)lParam = TRUE;
    return 0;
}

BOOL FaceExists(HDC hDC, LPCTSTR lpszFace)
{
    LOGFONT lf = {};
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpyn(lf.lfFaceName, lpszFace, LF_FACESIZE);
    BOOL bFound = FALSE;
    ::EnumFontFamiliesEx(hDC, &lf, NoteFaceFound, (LPARAM)&bFound, 0);
    return bFound;
}

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

CEditorFrame::CEditorFrame()
    : m_bModified(FALSE), m_nSavedStateId(0), m_bPointerTracked(FALSE), m_nLastCommand(0)
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
    m_wndStatusBar.SetPaneText(m_wndStatusBar.CommandToIndex(ID_INDICATOR_POINTER), _T(""));
    // The control is the view: the frame's layout gives the pane id the space above the bar.
    if (!m_wndPaint.Create(CRect(0, 0, 0, 0), this, AFX_IDW_PANE_FIRST, WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL))
        return -1;
    // A grid from 400 % up, fitted magnifications included: below that it would hide too much
    // of each pixel.
    m_wndPaint.SetShowGrid(TRUE, 400);
    m_wndPaint.SetGridWholePercentOnly(FALSE);
    m_wndPaint.SetMaxUndoSize(kUndoSteps);
    m_wndPaint.SetUndoMemoryBudget(kUndoMemoryBudget);
    // Shift makes squares, circles and lines at 0, 45 or 90 degrees, as paint programs do.
    m_wndPaint.SetShiftConstrains(TRUE);
    ChooseDefaultTextFont();
    // The palette and the colour box are conveniences: the menus offer everything they do,
    // so the editor goes on without them if they cannot be made.
    if (m_wndPalette.Create(this, &m_wndPaint, IDB_PNT_PALETTE, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_LEFT | CBRS_TOOLTIPS,
                            FALSE))
    {
        for (const painteditor::ToolKey& key : painteditor::kToolKeys)
            m_wndPalette.SetToolKey((UINT)key.nMode, painteditor::ToolKeyText(key.nMode));
    }
    m_wndColours.Create(this, AFX_IDW_PANE_FIRST + 1, &m_wndPaint);
    BuildMenus();
    RecalcLayout();
    UpdateTitle();
    return 0;
}

void CEditorFrame::RecalcLayout(BOOL bNotify)
{
    CFrameWnd::RecalcLayout(bNotify);
    if (!::IsWindow(m_wndPaint.m_hWnd))
        return;
    // The colour box takes a strip along the bottom of the view's space.
    if (::IsWindow(m_wndColours.m_hWnd))
    {
        CRect rcView;
        m_wndPaint.GetWindowRect(&rcView);
        ScreenToClient(&rcView);
        const int cyBox = std::min(CEditorColourBox::GetWantedHeight(), (int)rcView.Height());
        m_wndColours.MoveWindow(rcView.left, rcView.bottom - cyBox, rcView.Width(), cyBox);
        m_wndPaint.MoveWindow(rcView.left, rcView.top, rcView.Width(), rcView.Height() - cyBox);
    }
    if (!::IsWindow(m_wndPalette.m_hWnd))
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
        painteditor::FillToolMenu(hTools, ID_TOOL_BASE, ID_TOOL_BASE, TRUE);
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
            // Undo and redo notify too: the mark follows the picture back to its saved state.
            UpdateModified();
            UpdateStatusPanes();
            m_wndColours.FollowPicture();
        }
        else if (pHeader->code == CPntCtrl::m_nMagnificationChangedMessage)
        {
            UpdateStatusPanes();
        }
        else if (pHeader->code == CPntCtrl::m_nColourSamplerMessage)
        {
            m_wndColours.FollowColours();
        }
        else if (pHeader->code == CPntCtrl::m_nModeChangeMessage && m_wndPaint.GetToolMode() == TOOL_TEXT)
        {
            m_wndPaint.PlaceTextBar();
        }
    }
    return CFrameWnd::OnNotify(wParam, lParam, pResult);
}

BOOL CEditorFrame::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_MOUSELEAVE)
    {
        if (pMsg->hwnd == m_wndPaint.m_hWnd && pMsg->message == WM_MOUSEMOVE && !m_bPointerTracked)
        {
            // Hear when the pointer leaves, to empty the pane.
            TRACKMOUSEEVENT track = {};
            track.cbSize = sizeof(track);
            track.dwFlags = TME_LEAVE;
            track.hwndTrack = m_wndPaint.m_hWnd;
            m_bPointerTracked = ::TrackMouseEvent(&track);
        }
        if (pMsg->hwnd == m_wndPaint.m_hWnd && pMsg->message == WM_MOUSELEAVE)
            m_bPointerTracked = FALSE;
        UpdatePointerPane();
    }
    else if (pMsg->message == WM_KEYDOWN && ChooseToolByKey(pMsg))
    {
        return TRUE;
    }
    return CFrameWnd::PreTranslateMessage(pMsg);
}

BOOL CEditorFrame::ChooseToolByKey(const MSG* pMsg)
{
    // Only keys meant for the picture: not those of the text bar's edits, the palette's
    // drop-downs or a dialog, not while typed text takes letters, not in a drag.
    if (pMsg->hwnd != m_wndPaint.m_hWnd && pMsg->hwnd != m_hWnd)
        return FALSE;
    if (::GetKeyState(VK_CONTROL) < 0 || ::GetKeyState(VK_MENU) < 0 || m_wndPaint.IsTypingText() ||
        ::GetCapture() != NULL)
        return FALSE;
    const int nMode = painteditor::ToolOfKey((UINT)pMsg->wParam, ::GetKeyState(VK_SHIFT) < 0);
    if (nMode == TOOL_NONE || m_wndPaint.GetDisplayOnly())
        return FALSE;
    m_wndPaint.SetToolMode(nMode);
    return TRUE;
}

LRESULT CEditorFrame::OnPointerMoved(WPARAM, LPARAM)
{
    UpdatePointerPane();
    return 0;
}

void CEditorFrame::UpdatePointerPane()
{
    const int nPane = m_wndStatusBar.CommandToIndex(ID_INDICATOR_POINTER);
    if (nPane < 0 || !::IsWindow(m_wndPaint.m_hWnd))
        return;
    CString strPosition;
    CPoint ptCursor, ptPixel;
    if (::GetCursorPos(&ptCursor))
    {
        CPoint ptClient = ptCursor;
        m_wndPaint.ScreenToClient(&ptClient);
        CRect rcClient;
        m_wndPaint.GetClientRect(&rcClient);
        // Over the control, or anywhere while it holds the mouse in a drag.
        const BOOL bOver = ::WindowFromPoint(ptCursor) == m_wndPaint.m_hWnd || ::GetCapture() == m_wndPaint.m_hWnd;
        if (bOver && rcClient.PtInRect(ptClient) && m_wndPaint.ImagePixelAt(ptClient, &ptPixel))
            strPosition.Format(_T("%d, %d"), ptPixel.x, ptPixel.y);
    }
    if (m_wndStatusBar.GetPaneText(nPane) != strPosition)
        m_wndStatusBar.SetPaneText(nPane, strPosition);
}

void CEditorFrame::OnEditSelectAll()
{
    // In the text bar's edit, Select All is the text's.
    CWnd* pBar = m_wndPaint.GetTextBar();
    HWND hFocus = ::GetFocus();
    if (pBar != NULL && hFocus != NULL && ::IsChild(pBar->m_hWnd, hFocus))
    {
        ::SendMessage(hFocus, EM_SETSEL, 0, -1);
        return;
    }
    CDIBSection* pImage = m_wndPaint.GetDIBsection();
    if (!pImage->IsValid())
        return;
    m_wndPaint.SetToolMode(TOOL_SELECT);
    CRect rcAll(0, 0, pImage->GetWidth(), pImage->GetHeight());
    m_wndPaint.SetSelectionRect(&rcAll, FALSE);
    m_wndPaint.Invalidate(FALSE);
}

void CEditorFrame::OnUpdateEditSelectAll(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_wndPaint.GetDIBsection()->IsValid());
}

void CEditorFrame::ChooseDefaultTextFont()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL || !pApp->GetProfileString(_T("Text Tool"), _T("Font")).IsEmpty())
        return;
    CClientDC dc(NULL);
    LPCTSTR pszFace = NULL;
    for (LPCTSTR pszCandidate : kTextFaces)
    {
        if (FaceExists(dc.GetSafeHdc(), pszCandidate))
        {
            pszFace = pszCandidate;
            break;
        }
    }
    if (pszFace == NULL)
        pszFace = kTextFaces[0];   // the font mapper finds the nearest sans serif
    // The bar reads its font back in this form: height, width, escapement, orientation,
    // weight, then the byte fields, then the face.
    const int nHeight = -::MulDiv(kTextPoints, dc.GetDeviceCaps(LOGPIXELSY), 72);
    CString strFont;
    strFont.Format(_T("%d,%d,%d,%d,%d,%u,%u,%u,%u,%u,%u,%u,%u,%s"), nHeight, 0, 0, 0, FW_NORMAL, 0u, 0u, 0u,
                   (UINT)DEFAULT_CHARSET, (UINT)OUT_DEFAULT_PRECIS, (UINT)CLIP_DEFAULT_PRECIS, (UINT)DEFAULT_QUALITY,
                   (UINT)(VARIABLE_PITCH | FF_SWISS), pszFace);
    pApp->WriteProfileString(_T("Text Tool"), _T("Font"), strFont);
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

void CEditorFrame::UpdateModified()
{
    const BOOL bModified = m_wndPaint.GetImageStateId() != m_nSavedStateId;
    if (bModified != m_bModified)
    {
        m_bModified = bModified;
        UpdateTitle();
    }
}

void CEditorFrame::DiscardChanges()
{
    m_nSavedStateId = m_wndPaint.GetImageStateId();
    m_bModified = FALSE;
}

void CEditorFrame::UpdateStatusPanes()
{
    CString strImage, strZoom;
    CDIBSection* pImage = m_wndPaint.GetDIBsection();
    if (pImage->IsValid())
        strImage.Format(_T("%d x %d, %d bits"), pImage->GetWidth(), pImage->GetHeight(), pImage->GetBitCount());
    strZoom.Format(_T("%u%%"), m_wndPaint.GetMagnification());
    // Drawing notifies on every mouse move: touch the panes only when their texts change.
    const int nImagePane = m_wndStatusBar.CommandToIndex(ID_INDICATOR_IMAGE);
    const int nZoomPane = m_wndStatusBar.CommandToIndex(ID_INDICATOR_ZOOM);
    if (m_wndStatusBar.GetPaneText(nImagePane) != strImage)
        m_wndStatusBar.SetPaneText(nImagePane, strImage);
    if (m_wndStatusBar.GetPaneText(nZoomPane) != strZoom)
        m_wndStatusBar.SetPaneText(nZoomPane, strZoom);
}

void CEditorFrame::SetDocument(LPCTSTR lpszPath)
{
    m_strPath = lpszPath != NULL ? lpszPath : _T("");
    // The picture as it is now is the one the file holds: what differs from it is a change.
    m_nSavedStateId = m_wndPaint.GetImageStateId();
    m_bModified = FALSE;
    UpdateTitle();
    UpdateStatusPanes();
    m_wndColours.FollowPicture();
}
