// The common dialogs: thin wrappers over comdlg32.
#pragma once
#include "afxwin.h"
#include <commdlg.h>

// Base of the common dialogs: a CDialog whose window comdlg32 creates and runs itself.
class AFX_FW_CLASS CCommonDialog : public CDialog
{
    DECLARE_DYNAMIC(CCommonDialog)
public:
    explicit CCommonDialog(CWnd* pParentWnd);
};

// The standard Print (or Print Setup) dialog. With PD_RETURNDC, which the constructor adds
// unless the dialog is for setup only, OK leaves the chosen printer's DC in m_pd.hDC; the
// caller owns that DC and the hDevMode and hDevNames blocks.
class AFX_FW_CLASS CPrintDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CPrintDialog)
public:
    explicit CPrintDialog(BOOL bPrintSetupOnly,
                          DWORD dwFlags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS |
                                          PD_HIDEPRINTTOFILE | PD_NOSELECTION,
                          CWnd* pParentWnd = NULL);

    // IDOK or IDCANCEL (also when the system has no printer to offer).
    virtual int DoModal();
    // The default printer's settings without showing the dialog.
    BOOL GetDefaults();
    HDC GetPrinterDC() const { return m_pd.hDC; }
    // A DC for the printer that hDevNames and hDevMode describe; the caller deletes it.
    HDC CreatePrinterDC();
    int GetCopies() const { return (m_pd.Flags & PD_USEDEVMODECOPIES) ? 1 : m_pd.nCopies; }

    PRINTDLG m_pd;
};
