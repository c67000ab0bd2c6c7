// CFontDialog: the standard Font dialog.
#include <afxdlgs.h>

IMPLEMENT_DYNAMIC(CFontDialog, CCommonDialog)

CFontDialog::CFontDialog(LPLOGFONT lplfInitial, DWORD dwFlags, CDC* pdcPrinter, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd)
{
    ::ZeroMemory(&m_cf, sizeof(m_cf));
    ::ZeroMemory(&m_lf, sizeof(m_lf));
    m_cf.lStructSize = sizeof(m_cf);
    m_cf.lpLogFont = &m_lf;
    m_cf.Flags = dwFlags;
    if (lplfInitial != NULL)
    {
        m_lf = *lplfInitial;
        m_cf.Flags |= CF_INITTOLOGFONTSTRUCT;
    }
    if (pdcPrinter != NULL)
    {
        m_cf.hDC = pdcPrinter->GetSafeHdc();
        m_cf.Flags |= CF_PRINTERFONTS;
    }
}

INT_PTR CFontDialog::DoModal()
{
    CWnd* pOwner = CWnd::GetSafeOwner(m_pParentWnd);
    m_cf.hwndOwner = pOwner->GetSafeHwnd();
    m_cf.hInstance = AfxGetInstanceHandle();
    m_cf.lpLogFont = &m_lf;   // the object may have been copied since construction
    return ::ChooseFont(&m_cf) ? IDOK : IDCANCEL;
}
