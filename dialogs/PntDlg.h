// CPntDlg: the base of the library's dialogs. It remembers where each dialog was on the
// screen, per dialog template, in the host application's profile, and reopens it there.
#pragma once
#include <afxwin.h>

class AFX_EXT_CLASS CPntDlg : public CDialog
{
    DECLARE_DYNAMIC(CPntDlg)
public:
    explicit CPntDlg(UINT nIDTemplate, CWnd* pParentWnd = NULL);
    explicit CPntDlg(LPCTSTR lpszTemplateName, CWnd* pParentWnd = NULL);

    virtual BOOL OnInitDialog();

protected:
    // Writes the window's top-left corner under "PaintDlg:<template id>".
    virtual BOOL SaveWindowPosition();
    // Moves the window to the stored corner when it fits the work area; else centres it.
    virtual BOOL RestoreWindowPosition();
    virtual void DoDataExchange(CDataExchange* pDX);
    // The profile section of this dialog.
    CString SectionName() const;

    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    DECLARE_MESSAGE_MAP()

    UINT m_nTemplateID;
};
