#include "dialogs/PntDlg.h"

IMPLEMENT_DYNAMIC(CPntDlg, CDialog)

BEGIN_MESSAGE_MAP(CPntDlg, CDialog)
    ON_WM_WINDOWPOSCHANGED()
END_MESSAGE_MAP()

CPntDlg::CPntDlg(UINT nIDTemplate, CWnd* pParentWnd)
    : CDialog(nIDTemplate, pParentWnd), m_nTemplateID(nIDTemplate)
{
}

// A template named by a string keeps the pointer's low bits here, as the number-taking
// constructor keeps the id; integer resources (MAKEINTRESOURCE) give the id itself.
CPntDlg::CPntDlg(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
    : CDialog(lpszTemplateName, pParentWnd), m_nTemplateID((UINT)(UINT_PTR)lpszTemplateName)
{
}

BOOL CPntDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    RestoreWindowPosition();
    return TRUE;
}

void CPntDlg::DoDataExchange(CDataExchange*)
{
}

CString CPntDlg::SectionName() const
{
    CString section;
    section.Format(_T("PaintDlg:%d"), (int)m_nTemplateID);
    return section;
}

BOOL CPntDlg::SaveWindowPosition()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return FALSE;
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    CString section = SectionName();
    pApp->WriteProfileInt(section, _T("X"), rcWindow.left);
    pApp->WriteProfileInt(section, _T("Y"), rcWindow.top);
    return TRUE;
}

BOOL CPntDlg::RestoreWindowPosition()
{
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    int cx = rcWindow.Width();
    int cy = rcWindow.Height();

    CWinApp* pApp = AfxGetApp();
    CString section = SectionName();
    int x = pApp != NULL ? (int)pApp->GetProfileInt(section, _T("X"), -1) : -1;
    int y = pApp != NULL ? (int)pApp->GetProfileInt(section, _T("Y"), -1) : -1;

    CRect rcWork;
    if (!::SystemParametersInfo(SPI_GETWORKAREA, 0, &rcWork, 0))
        rcWork.SetRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));

    // Only a position that keeps the whole window inside the work area is used.
    if (x >= 0 && y >= 0 && cx >= rcWork.left && cy >= rcWork.top && x + cx <= rcWork.right &&
        y + cy <= rcWork.bottom)
        MoveWindow(x, y, cx, cy, TRUE);
    else
        CenterWindow();
    return TRUE;
}

void CPntDlg::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    SaveWindowPosition();
    CDialog::OnWindowPosChanged(lpwndpos);
}
