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
    virtual INT_PTR DoModal();
    // The default printer's settings without showing the dialog.
    BOOL GetDefaults();
    HDC GetPrinterDC() const { return m_pd.hDC; }
    // A DC for the printer that hDevNames and hDevMode describe; the caller deletes it.
    HDC CreatePrinterDC();
    int GetCopies() const { return (m_pd.Flags & PD_USEDEVMODECOPIES) ? 1 : m_pd.nCopies; }

    PRINTDLG m_pd;
};

// The standard Font dialog. With an initial LOGFONT it starts from that font; after IDOK m_lf
// holds the chosen font and GetColor the chosen colour (with CF_EFFECTS).
class AFX_FW_CLASS CFontDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CFontDialog)
public:
    explicit CFontDialog(LPLOGFONT lplfInitial = NULL, DWORD dwFlags = CF_EFFECTS | CF_SCREENFONTS,
                         CDC* pdcPrinter = NULL, CWnd* pParentWnd = NULL);

    virtual INT_PTR DoModal();
    void GetCurrentFont(LPLOGFONT lplf) const { *lplf = m_lf; }
    CString GetFaceName() const { return CString(m_lf.lfFaceName); }
    // The size in tenths of a point.
    int GetSize() const { return m_cf.iPointSize; }
    COLORREF GetColor() const { return m_cf.rgbColors; }
    int GetWeight() const { return (int)m_lf.lfWeight; }
    BOOL IsBold() const { return m_lf.lfWeight >= FW_SEMIBOLD; }
    BOOL IsItalic() const { return m_lf.lfItalic != 0; }
    BOOL IsUnderline() const { return m_lf.lfUnderline != 0; }
    BOOL IsStrikeOut() const { return m_lf.lfStrikeOut != 0; }

    CHOOSEFONT m_cf;
    LOGFONT m_lf;
};
