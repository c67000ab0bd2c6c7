// CPntTextFmtBar: the text tool's floating bar.
#include "textbar/PntTextFmtBar.h"
#include <afxdlgs.h>
#include <commctrl.h>
#include <stdio.h>
#include <tchar.h>
#include "resources/resource.h"

IMPLEMENT_DYNAMIC(CPntTextFmtBar, CPntDlg)

// The map chains straight to CWnd's: Enter and Escape (IDOK, IDCANCEL) must not end the bar,
// and moving it must not store its position, which is only restored when it is made.
BEGIN_MESSAGE_MAP(CPntTextFmtBar, CWnd)
    ON_EN_CHANGE(IDC_PNT_TEXT_EDITLEFT, OnChangeEdit)
    ON_EN_CHANGE(IDC_PNT_TEXT_EDITCENTRE, OnChangeEdit)
    ON_EN_CHANGE(IDC_PNT_TEXT_EDITRIGHT, OnChangeEdit)
    ON_BN_CLICKED(IDC_PNT_TEXT_FONT, OnFontButton)
    ON_BN_CLICKED(IDC_PNT_TEXT_LEFT, OnLeftJustify)
    ON_BN_CLICKED(IDC_PNT_TEXT_CENTRE, OnCentreJustify)
    ON_BN_CLICKED(IDC_PNT_TEXT_RIGHT, OnRightJustify)
    ON_BN_CLICKED(IDC_PNT_TEXT_BOLD, OnFontBold)
    ON_BN_CLICKED(IDC_PNT_TEXT_ITALIC, OnFontItalic)
    ON_BN_CLICKED(IDC_PNT_TEXT_UNDERLINE, OnFontUnderline)
    ON_UPDATE_COMMAND_UI(IDC_PNT_TEXT_LEFT, OnUpdateLeft)
    ON_UPDATE_COMMAND_UI(IDC_PNT_TEXT_CENTRE, OnUpdateCentre)
    ON_UPDATE_COMMAND_UI(IDC_PNT_TEXT_RIGHT, OnUpdateRight)
    ON_UPDATE_COMMAND_UI(IDC_PNT_TEXT_BOLD, OnUpdateBold)
    ON_UPDATE_COMMAND_UI(IDC_PNT_TEXT_ITALIC, OnUpdateItalic)
    ON_UPDATE_COMMAND_UI(IDC_PNT_TEXT_UNDERLINE, OnUpdateUnderline)
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_WM_SETFOCUS()
    ON_WM_KEYDOWN()
    ON_WM_CHAR()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_CLOSE()
END_MESSAGE_MAP()

namespace
{
const TCHAR kSection[] = _T("Text Tool");
const TCHAR kFontKey[] = _T("Font");
const TCHAR kAlignmentKey[] = _T("Alignment");
const TCHAR kDefaultFont[] = _T("0,0,0,0,0,0,0,0,0,0,0,0,0,System");

// The buttons and their images, in the order of m_bmpButtons.
const UINT kButtonImages[6][2] = {
    { IDC_PNT_TEXT_LEFT, IDB_PNT_TEXT_LEFT },     { IDC_PNT_TEXT_CENTRE, IDB_PNT_TEXT_CENTRE },
    { IDC_PNT_TEXT_RIGHT, IDB_PNT_TEXT_RIGHT },   { IDC_PNT_TEXT_BOLD, IDB_PNT_TEXT_BOLD },
    { IDC_PNT_TEXT_ITALIC, IDB_PNT_TEXT_ITALIC }, { IDC_PNT_TEXT_UNDERLINE, IDB_PNT_TEXT_UNDERLINE },
};

// The font of the edits, shared by every bar and freed when the library unloads.
CFont& SharedEditFont()
{
    static CFont font;
    return font;
}
}

CPntTextFmtBar::CPntTextFmtBar(CWnd* pParent)
    : CPntDlg(IDD_PNT_TEXTFMTBAR, pParent), m_strTitle(_T("Text Tool")),
      m_pPaintCtrl(dynamic_cast<IPntTextTarget*>(pParent)), m_nAlignment(0), m_bHidden(TRUE)
{
}

CPntTextFmtBar::~CPntTextFmtBar()
{
    // Destroyed here, while this class's handlers still receive the last messages.
    if (::IsWindow(m_hWnd))
        DestroyWindow();
}

BOOL CPntTextFmtBar::Create(IPntTextTarget* pTarget)
{
    m_bHidden = FALSE;
    m_pPaintCtrl = pTarget;
    return CDialog::Create(IDD_PNT_TEXTFMTBAR, pTarget != NULL ? pTarget->GetTextTargetWnd() : NULL);
}

BOOL CPntTextFmtBar::Show(IPntTextTarget* pTarget)
{
    m_bHidden = FALSE;
    if (!::IsWindow(m_hWnd))
        return Create(pTarget);
    ShowWindow(SW_SHOW);
    return TRUE;
}

void CPntTextFmtBar::Hide()
{
    if (::IsWindow(m_hWnd))
    {
        ShowWindow(SW_HIDE);
        m_bHidden = TRUE;
    }
}

BOOL CPntTextFmtBar::IsVisible() const
{
    return ::IsWindow(m_hWnd) && !m_bHidden;
}

void CPntTextFmtBar::Clear()
{
    if (!::IsWindow(m_hWnd))
        return;
    for (DWORD n = 0; n < 3; n++)
        GetEditControl(n)->SetWindowText(_T(""));
}

void CPntTextFmtBar::Copy()
{
    if (::IsWindow(m_hWnd))
        GetEditControl(m_nAlignment)->SendMessage(WM_COPY);
}

void CPntTextFmtBar::Cut()
{
    if (::IsWindow(m_hWnd))
        GetEditControl(m_nAlignment)->SendMessage(WM_CUT);
}

void CPntTextFmtBar::Paste()
{
    if (::IsWindow(m_hWnd))
        GetEditControl(m_nAlignment)->SendMessage(WM_PASTE);
}

BOOL CPntTextFmtBar::IsDataAvailable()
{
    // An edit pastes either form of text; Windows converts between them for the reader.
    return ::IsClipboardFormatAvailable(CF_UNICODETEXT) || ::IsClipboardFormatAvailable(CF_TEXT);
}

void CPntTextFmtBar::SetFocusOnEdit()
{
    CEdit* pEdit = GetEditControl(m_nAlignment);
    if (::IsWindow(m_hWnd) && pEdit->GetSafeHwnd() != NULL && ::GetFocus() != pEdit->m_hWnd)
        pEdit->SetFocus();
}

CEdit* CPntTextFmtBar::GetEditControl(DWORD nAlignment)
{
    switch (nAlignment)
    {
    case 0: return &m_editLeft;
    case 1: return &m_editCentre;
    case 2: return &m_editRight;
    default: return NULL;
    }
}

void CPntTextFmtBar::DoDataExchange(CDataExchange* pDX)
{
    CPntDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PNT_TEXT_EDITLEFT, m_editLeft);
    DDX_Control(pDX, IDC_PNT_TEXT_EDITCENTRE, m_editCentre);
    DDX_Control(pDX, IDC_PNT_TEXT_EDITRIGHT, m_editRight);
    DDX_Control(pDX, IDC_PNT_TEXT_LEFT, m_btnLeft);
    DDX_Control(pDX, IDC_PNT_TEXT_CENTRE, m_btnCentre);
    DDX_Control(pDX, IDC_PNT_TEXT_RIGHT, m_btnRight);
    DDX_Control(pDX, IDC_PNT_TEXT_BOLD, m_btnBold);
    DDX_Control(pDX, IDC_PNT_TEXT_ITALIC, m_btnItalic);
    DDX_Control(pDX, IDC_PNT_TEXT_UNDERLINE, m_btnUnderline);
}

BOOL CPntTextFmtBar::OnInitDialog()
{
    CPntDlg::OnInitDialog();
    SetButtonBitmaps();
    RestoreFont();
    RestoreAlignment();
    return TRUE;
}

void CPntTextFmtBar::SetButtonBitmaps()
{
    if (!::IsWindow(m_hWnd))
        return;
    // The art's light grey becomes the button face. CreateMappedBitmap compares plain RGB
    // values with the colour table, so the grey is given without the palette-relative flag.
    COLORMAP map = { RGB(192, 192, 192), ::GetSysColor(COLOR_BTNFACE) };
    for (int i = 0; i < 6; i++)
    {
        m_bmpButtons[i].DeleteObject();
        LPCTSTR lpszName = MAKEINTRESOURCE(kButtonImages[i][1]);
        HINSTANCE hInst = AfxFindResourceHandle(lpszName, RT_BITMAP);
        m_bmpButtons[i].Attach(::CreateMappedBitmap(hInst, (INT_PTR)kButtonImages[i][1], 0, &map, 1));
        ::SendDlgItemMessage(m_hWnd, kButtonImages[i][0], BM_SETIMAGE, IMAGE_BITMAP,
                             (LPARAM)m_bmpButtons[i].GetSafeHandle());
    }
}

void CPntTextFmtBar::UpdateButtons()
{
    UpdateDialogControls(AfxGetMainWnd(), FALSE);
}

/////////////////////////////////////////////////////////////////////////////
// Text and alignment

void CPntTextFmtBar::OnChangeEdit()
{
    if (!::IsWindow(m_hWnd) || m_pPaintCtrl == NULL)
        return;
    CString strText;
    GetEditControl(m_nAlignment)->GetWindowText(strText);
    m_pPaintCtrl->SetTargetText(strText);
}

BOOL CPntTextFmtBar::SetAlignment(DWORD nAlignment)
{
    if (!::IsWindow(m_hWnd))
        return FALSE;
    CEdit* pNew = GetEditControl(nAlignment);
    if (pNew == NULL)
        return FALSE;
    if (m_pPaintCtrl != NULL)
    {
        UINT nFormat = m_pPaintCtrl->GetTargetTextFormat() & ~(UINT)(DT_CENTER | DT_RIGHT);
        if (nAlignment == 1)
            nFormat |= DT_CENTER;
        else if (nAlignment == 2)
            nFormat |= DT_RIGHT;
        m_pPaintCtrl->SetTargetTextFormat(nFormat);
    }
    UpdateButtons();
    if (nAlignment == m_nAlignment)
        return TRUE;

    // The text and the caret move over to the edit of the new alignment.
    CEdit* pOld = GetEditControl(m_nAlignment);
    m_nAlignment = nAlignment;
    CString strText;
    pOld->GetWindowText(strText);
    pNew->SetWindowText(strText);
    int nStart = 0, nEnd = 0;
    pOld->GetSel(nStart, nEnd);
    pNew->SetSel(nStart, nEnd);
    pOld->ShowWindow(SW_HIDE);
    pOld->EnableWindow(FALSE);
    pNew->EnableWindow(TRUE);
    pNew->SetWindowPos(NULL, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    pNew->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    pNew->SetFocus();
    SaveAlignment();
    return TRUE;
}

void CPntTextFmtBar::OnLeftJustify()
{
    if (m_pPaintCtrl != NULL)
        SetAlignment(0);
    UpdateButtons();
}

void CPntTextFmtBar::OnCentreJustify()
{
    if (m_pPaintCtrl != NULL)
        SetAlignment(1);
    UpdateButtons();
}

void CPntTextFmtBar::OnRightJustify()
{
    if (m_pPaintCtrl != NULL)
        SetAlignment(2);
    UpdateButtons();
}

void CPntTextFmtBar::SaveAlignment()
{
    AfxGetApp()->WriteProfileInt(kSection, kAlignmentKey, (int)m_nAlignment);
}

void CPntTextFmtBar::RestoreAlignment()
{
    m_nAlignment = (UINT)AfxGetApp()->GetProfileInt(kSection, kAlignmentKey, 0);
    if (m_nAlignment > 2)
        m_nAlignment = 0;   // a stored value from elsewhere: left, the default
    for (DWORD n = 0; n < 3; n++)
    {
        GetEditControl(n)->ShowWindow(SW_HIDE);
        GetEditControl(n)->EnableWindow(FALSE);
    }
    CEdit* pEdit = GetEditControl(m_nAlignment);
    pEdit->EnableWindow(TRUE);
    pEdit->ShowWindow(SW_SHOW);
    SetAlignment(m_nAlignment);
}

/////////////////////////////////////////////////////////////////////////////
// Font

BOOL CPntTextFmtBar::GetControlFont(LOGFONT& lf)
{
    ::ZeroMemory(&lf, sizeof(lf));
    CFont* pFont = m_pPaintCtrl != NULL ? m_pPaintCtrl->GetTargetTextFont() : NULL;
    return pFont != NULL && pFont->GetSafeHandle() != NULL && pFont->GetLogFont(&lf) != 0;
}

void CPntTextFmtBar::DoChangeFont(LOGFONT* plf, BOOL bUpdateCtrl)
{
    if (!::IsWindow(m_hWnd) || plf == NULL)
        return;
    CFont& font = SharedEditFont();
    font.DeleteObject();
    font.CreateFontIndirect(plf);
    for (DWORD n = 0; n < 3; n++)
        GetEditControl(n)->SendMessage(WM_SETFONT, (WPARAM)font.GetSafeHandle(), TRUE);
    if (bUpdateCtrl && m_pPaintCtrl != NULL)
        m_pPaintCtrl->SetTargetTextFont(&font);
    UpdateButtons();

    // The caption tells the face and the size of the control's font.
    LOGFONT lfCtrl;
    LONG lHeight = GetControlFont(lfCtrl) ? lfCtrl.lfHeight : plf->lfHeight;
    CWindowDC dcScreen(NULL);
    int nPoints = -::MulDiv(lHeight, 72, dcScreen.GetDeviceCaps(LOGPIXELSY));
    CString strCaption;
    strCaption.Format(_T("%s [%s, %dpt]"), (LPCTSTR)m_strTitle, plf->lfFaceName, nPoints);
    SetWindowText(strCaption);
    SaveFont();
}

void CPntTextFmtBar::SaveFont()
{
    LOGFONT lf;
    if (!GetControlFont(lf))
        return;
    CString strFont;
    strFont.Format(_T("%d,%d,%d,%d,%d,%u,%u,%u,%u,%u,%u,%u,%u,%s"), (int)lf.lfHeight, (int)lf.lfWidth,
                   (int)lf.lfEscapement, (int)lf.lfOrientation, (int)lf.lfWeight, lf.lfItalic, lf.lfUnderline,
                   lf.lfStrikeOut, lf.lfCharSet, lf.lfOutPrecision, lf.lfClipPrecision, lf.lfQuality,
                   lf.lfPitchAndFamily, lf.lfFaceName);
    AfxGetApp()->WriteProfileString(kSection, kFontKey, strFont);
}

void CPntTextFmtBar::RestoreFont()
{
    CString strFont = AfxGetApp()->GetProfileString(kSection, kFontKey, kDefaultFont);
    int nHeight = 0, nWidth = 0, nEscapement = 0, nOrientation = 0, nWeight = 0;
    unsigned uItalic = 0, uUnderline = 0, uStrikeOut = 0, uCharSet = 0, uOutPrecision = 0;
    unsigned uClipPrecision = 0, uQuality = 0, uPitchAndFamily = 0;
    _stscanf(strFont, _T("%d,%d,%d,%d,%d,%u,%u,%u,%u,%u,%u,%u,%u"), &nHeight, &nWidth, &nEscapement, &nOrientation,
           &nWeight, &uItalic, &uUnderline, &uStrikeOut, &uCharSet, &uOutPrecision, &uClipPrecision, &uQuality,
           &uPitchAndFamily);
    LOGFONT lf;
    ::ZeroMemory(&lf, sizeof(lf));
    lf.lfHeight = nHeight;
    lf.lfWidth = nWidth;
    lf.lfEscapement = nEscapement;
    lf.lfOrientation = nOrientation;
    lf.lfWeight = nWeight;
    lf.lfItalic = (BYTE)uItalic;
    lf.lfUnderline = (BYTE)uUnderline;
    lf.lfStrikeOut = (BYTE)uStrikeOut;
    lf.lfCharSet = (BYTE)uCharSet;
    lf.lfOutPrecision = (BYTE)uOutPrecision;
    lf.lfClipPrecision = (BYTE)uClipPrecision;
    lf.lfQuality = (BYTE)uQuality;
    lf.lfPitchAndFamily = (BYTE)uPitchAndFamily;
    // The face name is what follows the last comma.
    int nComma = strFont.ReverseFind(',');
    if (nComma > 0)
        lstrcpyn(lf.lfFaceName, (LPCTSTR)strFont + nComma + 1, LF_FACESIZE);
    DoChangeFont(&lf, TRUE);
}

void CPntTextFmtBar::OnFontButton()
{
    if (m_pPaintCtrl == NULL)
        return;
    LOGFONT lf;
    GetControlFont(lf);
    CFontDialog dlg(&lf, CF_SCREENFONTS | CF_EFFECTS);
    dlg.m_cf.rgbColors = m_pPaintCtrl->GetTargetTextColour();
    if (dlg.DoModal() != IDOK)
        return;
    m_pPaintCtrl->SetTargetTextColour(dlg.GetColor());   // the text is drawn in the pen colour
    dlg.GetCurrentFont(&lf);
    DoChangeFont(&lf, TRUE);
}

void CPntTextFmtBar::OnFontBold()
{
    LOGFONT lf;
    if (m_pPaintCtrl == NULL || !GetControlFont(lf))
        return;
    lf.lfWeight = lf.lfWeight == FW_NORMAL ? FW_BOLD : FW_NORMAL;
    DoChangeFont(&lf, TRUE);
    SetFocusOnEdit();
}

void CPntTextFmtBar::OnFontItalic()
{
    LOGFONT lf;
    if (m_pPaintCtrl == NULL || !GetControlFont(lf))
        return;
    lf.lfItalic = lf.lfItalic == 1 ? 0 : 1;
    DoChangeFont(&lf, TRUE);
    SetFocusOnEdit();
}

void CPntTextFmtBar::OnFontUnderline()
{
    LOGFONT lf;
    if (m_pPaintCtrl == NULL || !GetControlFont(lf))
        return;
    lf.lfUnderline = lf.lfUnderline == 1 ? 0 : 1;
    DoChangeFont(&lf, TRUE);
    SetFocusOnEdit();
}

/////////////////////////////////////////////////////////////////////////////
// Button states

void CPntTextFmtBar::OnUpdateLeft(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_pPaintCtrl != NULL);
    if (m_pPaintCtrl != NULL)
        pCmdUI->SetCheck((m_pPaintCtrl->GetTargetTextFormat() & (DT_CENTER | DT_RIGHT)) == 0);
}

void CPntTextFmtBar::OnUpdateCentre(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_pPaintCtrl != NULL);
    if (m_pPaintCtrl != NULL)
        pCmdUI->SetCheck((m_pPaintCtrl->GetTargetTextFormat() & DT_CENTER) != 0);
}

void CPntTextFmtBar::OnUpdateRight(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_pPaintCtrl != NULL);
    if (m_pPaintCtrl != NULL)
        pCmdUI->SetCheck((m_pPaintCtrl->GetTargetTextFormat() & DT_RIGHT) != 0);
}

void CPntTextFmtBar::OnUpdateBold(CCmdUI* pCmdUI)
{
    LOGFONT lf;
    BOOL bFont = GetControlFont(lf);
    pCmdUI->Enable(m_pPaintCtrl != NULL);
    pCmdUI->SetCheck(bFont && lf.lfWeight >= 401);
}

void CPntTextFmtBar::OnUpdateItalic(CCmdUI* pCmdUI)
{
    LOGFONT lf;
    BOOL bFont = GetControlFont(lf);
    pCmdUI->Enable(m_pPaintCtrl != NULL);
    pCmdUI->SetCheck(bFont && lf.lfItalic > 0);
}

void CPntTextFmtBar::OnUpdateUnderline(CCmdUI* pCmdUI)
{
    LOGFONT lf;
    BOOL bFont = GetControlFont(lf);
    pCmdUI->Enable(m_pPaintCtrl != NULL);
    pCmdUI->SetCheck(bFont && lf.lfUnderline > 0);
}

/////////////////////////////////////////////////////////////////////////////
// Window

void CPntTextFmtBar::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (m_editLeft.GetSafeHwnd() == NULL || m_editCentre.GetSafeHwnd() == NULL || m_editRight.GetSafeHwnd() == NULL)
        return;
    // The edits fill the bar below the buttons with an even margin.
    CRect rcClient, rcEdit;
    GetClientRect(&rcClient);
    m_editLeft.GetWindowRect(&rcEdit);
    ScreenToClient(&rcEdit);
    int nGap = rcEdit.left - rcClient.left;
    CRect rcNew(rcEdit.left, rcEdit.top, rcClient.right - nGap, rcClient.bottom - nGap);
    for (DWORD n = 0; n < 3; n++)
        GetEditControl(n)->MoveWindow(&rcNew);
}

void CPntTextFmtBar::OnDestroy()
{
    for (CBitmap& bitmap : m_bmpButtons)
        bitmap.DeleteObject();
    CWnd::OnDestroy();
}

void CPntTextFmtBar::OnSetFocus(CWnd*)
{
    SetFocusOnEdit();
}

void CPntTextFmtBar::OnKeyDown(UINT nChar, UINT nRepCnt, UINT)
{
    Default();
    SetFocusOnEdit();
    GetEditControl(m_nAlignment)->SendMessage(WM_KEYDOWN, nChar, nRepCnt);
}

void CPntTextFmtBar::OnChar(UINT nChar, UINT nRepCnt, UINT)
{
    Default();
    SetFocusOnEdit();
    // A character typed elsewhere arrives as a character: an edit inserts text only for
    // WM_CHAR, and reads a WM_KEYDOWN of the same code as a key (a letter is no key at all).
    GetEditControl(m_nAlignment)->SendMessage(WM_CHAR, nChar, nRepCnt);
}

void CPntTextFmtBar::OnSysColorChange()
{
    CWnd::OnSysColorChange();
    SetButtonBitmaps();
}

void CPntTextFmtBar::OnClose()
{
    // Closing the bar ends text entry: the selection tool takes over.
    Hide();
    CWnd* pMain = AfxGetMainWnd();
    if (pMain != NULL && ::IsWindow(pMain->m_hWnd))
        pMain->SetFocus();
    if (m_pPaintCtrl != NULL)
        m_pPaintCtrl->OnTextBarClosed();
}
