// CCommonDialog and CPrintDialog.
#include <afxdlgs.h>

IMPLEMENT_DYNAMIC(CCommonDialog, CDialog)
IMPLEMENT_DYNAMIC(CPrintDialog, CCommonDialog)

CCommonDialog::CCommonDialog(CWnd* pParentWnd) : CDialog((LPCTSTR)NULL, pParentWnd)
{
}

CPrintDialog::CPrintDialog(BOOL bPrintSetupOnly, DWORD dwFlags, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd)
{
    ::ZeroMemory(&m_pd, sizeof(m_pd));
    m_pd.lStructSize = sizeof(m_pd);
    m_pd.Flags = dwFlags;
    if (bPrintSetupOnly)
        m_pd.Flags |= PD_PRINTSETUP;
    else
        m_pd.Flags |= PD_RETURNDC;
    m_pd.nCopies = 1;
    m_pd.nFromPage = m_pd.nToPage = 1;
    m_pd.nMinPage = m_pd.nMaxPage = 1;
}

INT_PTR CPrintDialog::DoModal()
{
    CWnd* pOwner = CWnd::GetSafeOwner(m_pParentWnd);
    m_pd.hwndOwner = pOwner->GetSafeHwnd();
    m_pd.hInstance = AfxGetInstanceHandle();
    return ::PrintDlg(&m_pd) ? IDOK : IDCANCEL;
}

BOOL CPrintDialog::GetDefaults()
{
    DWORD dwFlags = m_pd.Flags;
    m_pd.Flags |= PD_RETURNDEFAULT;
    m_pd.hwndOwner = NULL;
    BOOL bResult = ::PrintDlg(&m_pd);
    m_pd.Flags = dwFlags;
    return bResult;
}

HDC CPrintDialog::CreatePrinterDC()
{
    if (m_pd.hDevNames == NULL)
        return NULL;
    DEVNAMES* pNames = (DEVNAMES*)::GlobalLock(m_pd.hDevNames);
    if (pNames == NULL)
        return NULL;
    DEVMODE* pMode = m_pd.hDevMode != NULL ? (DEVMODE*)::GlobalLock(m_pd.hDevMode) : NULL;
    LPCTSTR pBase = (LPCTSTR)pNames;  // the offsets count characters
    HDC hDC = ::CreateDC(pBase + pNames->wDriverOffset, pBase + pNames->wDeviceOffset,
                         pBase + pNames->wOutputOffset, pMode);
    if (pMode != NULL)
        ::GlobalUnlock(m_pd.hDevMode);
    ::GlobalUnlock(m_pd.hDevNames);
    return hDC;
}
