// CPntCtrl: construction, window class, message map, plain properties, owner notifications,
// status texts and the one-slot image snapshot.
#include "paint/PntCtrl.h"
#include "paint/PntModule.h"
#include "paint/PntToolTable.h"
#include <new>
#include "resources/resource.h"

// Registered when the library is loaded, so that owners can compare codes before any control exists.
UINT CPntCtrl::m_nImageChangedMessage = ::RegisterWindowMessage(_T("_PAINT_CONTROL_IMAGE_CHANGED_"));
UINT CPntCtrl::m_nMagnificationChangedMessage = ::RegisterWindowMessage(_T("_PAINT_CONTROL_MAG_CHANGED_"));
UINT CPntCtrl::m_nColourSamplerMessage = ::RegisterWindowMessage(_T("_PAINT_CONTROL_COLOUR_SAMPLER"));
UINT CPntCtrl::m_nModeChangeMessage = ::RegisterWindowMessage(_T("_PAINT_CONTROL_MODE_CHANGED"));

int CPntCtrl::MagnificationLevels[8] = { 10, 50, 100, 200, 300, 400, 500, 600 };

ColourEntries CPntCtrl::ms_StdColours[16] = {
    { RGB(0, 0, 0), _T("Black") },
    { RGB(255, 255, 255), _T("White") },
    { RGB(0, 0, 255), _T("Blue") },
    { RGB(0, 255, 0), _T("Bright green") },
    { RGB(0, 255, 255), _T("Cyan") },
    { RGB(255, 0, 0), _T("Red") },
    { RGB(255, 0, 255), _T("Magenta") },
    { RGB(255, 255, 0), _T("Yellow") },
    { RGB(0, 0, 128), _T("Dark Blue") },
    { RGB(0, 128, 0), _T("Dark Green") },
    { RGB(0, 128, 128), _T("Dark Cyan") },
    { RGB(128, 0, 0), _T("Dark red") },
    { RGB(128, 0, 128), _T("Dark Magenta") },
    { RGB(128, 128, 0), _T("Dark yellow") },
    { RGB(128, 128, 128), _T("Grey - 50%") },
    { RGB(192, 192, 192), _T("Light grey") },
};

static const TCHAR s_szClassName[] = _T("MFCPaintCtrl");

IMPLEMENT_DYNCREATE(CPntCtrl, CWnd)

BEGIN_MESSAGE_MAP(CPntCtrl, CWnd)
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_CONTEXTMENU()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_RBUTTONUP()
    ON_WM_CAPTURECHANGED()
    ON_WM_CANCELMODE()
    ON_WM_ENABLE()
    ON_WM_SETCURSOR()
    ON_WM_SETFOCUS()
    ON_WM_GETDLGCODE()
    ON_WM_KEYDOWN()
    ON_WM_KEYUP()
    ON_WM_MOUSEWHEEL()
    ON_WM_MOUSEHWHEEL()
    ON_WM_CHAR()
    ON_WM_QUERYNEWPALETTE()
    ON_WM_PALETTECHANGED()
    ON_WM_SETTINGCHANGE()
    ON_WM_TIMER()
    ON_COMMAND(ID_EDIT_UNDO, &CPntCtrl::OnEditUndo)
    ON_UPDATE_COMMAND_UI(ID_EDIT_UNDO, &CPntCtrl::OnUpdateEditUndo)
    ON_COMMAND(ID_EDIT_REDO, &CPntCtrl::OnEditRedo)
    ON_UPDATE_COMMAND_UI(ID_EDIT_REDO, &CPntCtrl::OnUpdateEditRedo)
    ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
    ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateEditCopy)
    ON_COMMAND(ID_EDIT_CUT, OnEditCut)
    ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, OnUpdateEditCut)
    ON_COMMAND(ID_EDIT_PASTE, OnEditPaste)
    ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, OnUpdateEditPaste)
END_MESSAGE_MAP()

CPntCtrl::CPntCtrl()
    : m_crEraseColor(0x02FFFFFF),
      m_pSavedState(NULL),
      m_rcDragSource(0, 0, 0, 0),
      m_bClearDragSource(TRUE),
      m_nVScrollRange(0),
      m_nHScrollRange(0),
      m_bDisplayOnly(FALSE),
      m_nToolMode(TOOL_NONE),
      m_nPrevToolMode(TOOL_NONE),
      m_crDrawColor(RGB(0, 0, 0)),
      m_crFillColor(RGB(0, 0, 0)),
      m_crTransparentColor(PNT_NO_COLOUR),
      m_nEraserWidth(4),
      m_nPenWidth(1),
      m_bShowSelectionRect(FALSE),
      m_bSavedShowSelectionRect(FALSE),
      m_bTransparent(FALSE),
      m_ptOrigin(0, 0),
      m_rcMargin(5, 5, 5, 5),
      m_nMaxUndoSize(5),
      m_ptDown(0, 0),
      m_ptLast(0, 0),
      m_bCancelled(FALSE),
      m_bButtonDown(FALSE),
      m_nTextFormat(DT_WORDBREAK | DT_NOPREFIX),
      m_hcurEraser(NULL),
      m_hcurFloodFill(NULL),
      m_hcurMagnify(NULL),
      m_hcurAirBrush(NULL),
      m_hcurPen(NULL),
      m_hcurCross(NULL),
      m_hcurSampler(NULL),
      m_bShowGrid(TRUE),
      m_nGridMinMagnification(600),
      m_bGridWholePercentOnly(TRUE),
      m_bImageCentered(FALSE),
      m_bFloating(FALSE),
      m_nAirBrushTimer(1),
      m_nAirBrushInterval(1),
      m_nAirBrushRadiusFactor(4),
      m_nAirBrushDots(10),
      m_TextFmtBar(NULL),
      m_bEnableTransColorPicker(TRUE),
      m_dMagnification(1.0),
      m_bImageChanged(FALSE),
      m_rcSelection(0, 0, 0, 0),
      m_pColorArray(NULL)
{
    RegisterWindowClass();
    LoadCursors();
    ResetSelectionRect();
    SetTextFont(CFont::FromHandle((HFONT)::GetStockObject(SYSTEM_FONT)));
    m_strPasteCropPrompt = _T("Clipboard image is larger than the\nSelection area. Crop to selection area?");
}

CPntCtrl::~CPntCtrl()
{
    delete m_pSavedState;
    m_pSavedState = NULL;
    m_DragImage.DeleteObject();
    ClearUndoList();
    CPntCtrl::DestroyCursors();
}

BOOL PntRegisterControlClass()
{
    // The class is registered under the host's instance, which CWnd::Create uses, and under
    // the library's, which dialog templates of the library are created with: a template
    // naming the class finds it whichever of the two the dialog is given. At module start
    // the application object may not exist yet, so the program's own module stands for it.
    HINSTANCE hInstances[3] = { AfxGetInstanceHandle(), ::GetModuleHandle(NULL), PntGetLibraryInstance() };
    BOOL bRegistered = TRUE;
    for (HINSTANCE hInst : hInstances)
    {
        WNDCLASS wndcls;
        if (hInst == NULL || ::GetClassInfo(hInst, s_szClassName, &wndcls))
            continue;
        ZeroMemory(&wndcls, sizeof(wndcls));
        wndcls.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
        wndcls.lpfnWndProc = ::DefWindowProc;
        wndcls.hInstance = hInst;
        wndcls.hCursor = ::LoadCursor(NULL, IDC_ARROW);
        wndcls.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
        wndcls.lpszClassName = s_szClassName;
        if (!AfxRegisterClass(&wndcls))
            bRegistered = FALSE;
    }
    return bRegistered;
}

BOOL CPntCtrl::RegisterWindowClass()
{
    if (!PntRegisterControlClass())
        AfxThrowResourceException();
    return TRUE;
}

BOOL CPntCtrl::Create(const RECT& rect, CWnd* pParentWnd, UINT nID, DWORD dwStyle)
{
    if (!CWnd::Create(s_szClassName, NULL, dwStyle, rect, pParentWnd, nID, NULL))
        return FALSE;
    ResetScrollBars();
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// Plain properties

void CPntCtrl::SetDrawColor(COLORREF cr)
{
    m_crDrawColor = cr;
    if (m_nToolMode == TOOL_TEXT)
        DoModifyText(m_strUserText);
}

void CPntCtrl::SetShowSelectionRect(BOOL bShow)
{
    m_bShowSelectionRect = bShow;
    if (WindowExists())
        Invalidate(TRUE);
}

void CPntCtrl::SetTransparent(BOOL bTransparent)
{
    m_bTransparent = bTransparent;
    if (WindowExists())
        Invalidate(TRUE);
}

void CPntCtrl::SetTransparentColor(COLORREF cr)
{
    m_crTransparentColor = cr;
    // The colour only shows while transparent display is on.
    if (m_bTransparent && WindowExists())
        Invalidate(TRUE);
}

void CPntCtrl::SetImageChanged(BOOL bChanged)
{
    m_bImageChanged = bChanged;
    if (!bChanged)
    {
        ClearUndoList();
        return;
    }
    OnImageChanged();
}

BOOL CPntCtrl::SetTextFont(CFont* pFont)
{
    LOGFONT lf;
    if (pFont == NULL || pFont->GetSafeHandle() == NULL || pFont->GetLogFont(&lf) != (int)sizeof(lf))
        return FALSE;
    m_fontText.DeleteObject();
    BOOL bResult = m_fontText.CreateFontIndirect(&lf);
    if (m_nToolMode == TOOL_TEXT)
        DoModifyText(m_strUserText);
    return bResult;
}

/////////////////////////////////////////////////////////////////////////////
// Owner notifications

void CPntCtrl::SendMessageToOwner(UINT nCode)
{
    HWND hTarget = m_hWndOwner != NULL ? m_hWndOwner : ::GetParent(m_hWnd);
    if (hTarget == NULL || !::IsWindow(hTarget))
        return;
    NMHDR hdr;
    hdr.hwndFrom = m_hWnd;
    hdr.idFrom = (UINT_PTR)::GetDlgCtrlID(m_hWnd);
    hdr.code = nCode;
    ::SendMessage(hTarget, WM_NOTIFY, (WPARAM)hdr.idFrom, (LPARAM)&hdr);
}

void CPntCtrl::OnImageChanged()
{
    SendMessageToOwner(m_nImageChangedMessage);
}

void CPntCtrl::OnMagnificationChanged()
{
    SendMessageToOwner(m_nMagnificationChangedMessage);
}

void CPntCtrl::OnColourSampleChanged()
{
    SendMessageToOwner(m_nColourSamplerMessage);
}

/////////////////////////////////////////////////////////////////////////////
// Hooks with nothing to do by default

void CPntCtrl::OnStartSelection()
{
}

void CPntCtrl::OnSelectionChanged()
{
}

void CPntCtrl::OnEndSelection()
{
}

void CPntCtrl::OnRightMouseButton(CPoint)
{
}

/////////////////////////////////////////////////////////////////////////////
// Status texts

CString CPntCtrl::GetStatusMessage(int nToolMode)
{
    CString strText;
    const PntToolEntry* pEntry = CPntToolTable::Lookup(nToolMode);
    if (pEntry != NULL && pEntry->nStatusID != 0)
        strText.LoadString(pEntry->nStatusID);
    return strText;
}

void CPntCtrl::OnSetStatusMessage(LPCTSTR lpszText)
{
    CWinThread* pThread = AfxGetThread();
    CWnd* pMainWnd = pThread != NULL ? pThread->GetMainWnd() : NULL;
    if (pMainWnd != NULL && pMainWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
        static_cast<CFrameWnd*>(pMainWnd)->SetMessageText(lpszText);
}

void CPntCtrl::ClearStatusMessage()
{
    // The idle text is the host's; without it the status bar is emptied.
    CString strIdle;
    strIdle.LoadString(AFX_IDS_IDLEMESSAGE);
    OnSetStatusMessage(strIdle);
}

/////////////////////////////////////////////////////////////////////////////
// One-slot snapshot of the image, taken while a rubber-band shape or a drag runs

BOOL CPntCtrl::SaveState()
{
    delete m_pSavedState;
    m_pSavedState = new (std::nothrow) CDIBSection;
    if (m_pSavedState == NULL)
        return FALSE;
    return m_pSavedState->Copy(m_Image);
}

BOOL CPntCtrl::RestoreState(BOOL bDiscard)
{
    if (m_pSavedState == NULL)
        return FALSE;
    BOOL bResult = m_Image.Copy(*m_pSavedState);
    if (bDiscard)
    {
        delete m_pSavedState;
        m_pSavedState = NULL;
    }
    return bResult;
}

/////////////////////////////////////////////////////////////////////////////
// Window messages

void CPntCtrl::OnDestroy()
{
    // A gesture still running keeps what it drew, as one undo step, and leaves no timer or
    // snapshot behind.
    EndGesture(m_ptLast);
    ClearStatusMessage();
    CWnd::OnDestroy();
}

BOOL CPntCtrl::OnQueryNewPalette()
{
    Invalidate(TRUE);
    return CWnd::OnQueryNewPalette();
}

void CPntCtrl::OnPaletteChanged(CWnd* pFocusWnd)
{
    CWnd::OnPaletteChanged(pFocusWnd);
    // The window that realised the palette has already repainted itself.
    HWND hFocus = pFocusWnd != NULL ? pFocusWnd->m_hWnd : NULL;
    if (hFocus != m_hWnd)
        Invalidate(TRUE);
}

void CPntCtrl::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
    CWnd::OnSettingChange(uFlags, lpszSection);
    // System colours may have changed, and with them the palette's static entries.
    m_Image.CreatePalette();
}
