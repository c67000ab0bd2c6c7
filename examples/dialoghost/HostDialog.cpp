#include "HostDialog.h"
#include <vector>
#include "paint/PntToolModes.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CHostDialog, CDialog)
    ON_BN_CLICKED(IDC_LOAD, &CHostDialog::OnLoad)
    ON_BN_CLICKED(IDC_SAVE, &CHostDialog::OnSave)
    ON_REGISTERED_MESSAGE(CDesPntCtrl::m_nUpdatePaintStatusBar, &CHostDialog::OnPaintStatus)
END_MESSAGE_MAP()

CHostDialog::CHostDialog(LPCTSTR lpszFileName, CWnd* pParent)
    : CDialog(IDD_HOST, pParent), m_strFileName(lpszFileName), m_ptMouse(-1, -1), m_nChanges(0)
{
}

void CHostDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    // Attaches m_Picture to the template's "MFCPaintCtrl" window.
    DDX_Control(pDX, IDC_PICTURE, m_Picture);
    DDX_Text(pDX, IDC_FILENAME, m_strFileName);
}

BOOL CHostDialog::OnInitDialog()
{
    CDialog::OnInitDialog();

    // The file if there is one, else a white picture of 160 x 120 (rows of 480 bytes).
    BOOL bLoaded = FALSE;
    try
    {
        bLoaded = m_Picture.Load(m_strFileName);
    }
    catch (CFileException* e)
    {
        e->Delete();
    }
    if (!bLoaded)
    {
        std::vector<BYTE> white(480 * 120, 0xFF);
        m_Picture.CreateBitmap(160, 120, 1, 24, white.data(), NULL);
    }
    m_Picture.SetMagnification(200);
    m_Picture.CentreImage(TRUE);
    m_Picture.SetDrawColor(RGB(192, 0, 0));
    m_Picture.SetToolMode(TOOL_PEN);
    m_Picture.OnForceSendStatusMessage();
    ShowEvents();
    return TRUE;
}

void CHostDialog::OnLoad()
{
    UpdateData(TRUE);
    BOOL bLoaded = FALSE;
    try
    {
        bLoaded = m_Picture.Load(m_strFileName);
    }
    catch (CFileException* e)   // the device failed while reading
    {
        e->Delete();
    }
    if (!bLoaded)
        AfxMessageBox(_T("The picture could not be read: it is missing, unreadable or not a ")
                      _T("bitmap this program can open."), MB_ICONEXCLAMATION);
    m_nChanges = 0;
    ShowEvents();
}

void CHostDialog::OnSave()
{
    UpdateData(TRUE);
    BOOL bSaved = FALSE;
    try
    {
        bSaved = m_Picture.Save(m_strFileName);
    }
    catch (CFileException* e)   // a write failed, a full disk for instance
    {
        e->Delete();
    }
    if (!bSaved)
    {
        AfxMessageBox(_T("The picture could not be saved; the file on disk is as it was."),
                      MB_ICONEXCLAMATION);
        return;
    }
    m_Picture.SetImageChanged(FALSE);
    ShowEvents();
}

BOOL CHostDialog::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const NMHDR* pHeader = reinterpret_cast<const NMHDR*>(lParam);
    if (pHeader->idFrom == IDC_PICTURE)
    {
        // Sent for every change, each mouse move of a stroke included: keep the work small.
        if (pHeader->code == CPntCtrl::m_nImageChangedMessage)
            ++m_nChanges;
        if (pHeader->code == CPntCtrl::m_nImageChangedMessage ||
            pHeader->code == CPntCtrl::m_nMagnificationChangedMessage ||
            pHeader->code == CPntCtrl::m_nColourSamplerMessage ||
            pHeader->code == CPntCtrl::m_nModeChangeMessage)
            ShowEvents();
    }
    return CDialog::OnNotify(wParam, lParam, pResult);
}

LRESULT CHostDialog::OnPaintStatus(WPARAM wParam, LPARAM lParam)
{
    if (lParam == 0)
    {
        m_strStatus = reinterpret_cast<LPCTSTR>(wParam);
        SetDlgItemText(IDC_STATUS, m_strStatus);
    }
    else if (lParam == 1)
    {
        m_ptMouse = *reinterpret_cast<const POINT*>(wParam);
        ShowEvents();
    }
    return 0;
}

void CHostDialog::ShowEvents()
{
    CString strEvents;
    strEvents.Format(_T("%u%%, %d changes%s, at %d, %d"), m_Picture.GetMagnification(), m_nChanges,
                     m_Picture.GetImageChanged() ? _T(" (unsaved)") : _T(""), m_ptMouse.x, m_ptMouse.y);
    SetDlgItemText(IDC_EVENTS, strEvents);
}
