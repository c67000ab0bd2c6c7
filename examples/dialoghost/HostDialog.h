// CHostDialog: a picture, its file name, Load and Save, and two lines of what the control says.
#pragma once
#include <afxwin.h>
#include "dialogs/DesPntCtrl.h"

class CHostDialog : public CDialog
{
public:
    explicit CHostDialog(LPCTSTR lpszFileName, CWnd* pParent = NULL);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // The control's notifications: WM_NOTIFY with registered codes, which ON_NOTIFY cannot name.
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    afx_msg void OnLoad();
    afx_msg void OnSave();
    // UPDATE_PAINT_STATUSBAR from the control: a status text or the image point under the mouse.
    afx_msg LRESULT OnPaintStatus(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void ShowEvents();

    CDesPntCtrl m_Picture;   // reports its status texts to this dialog
    CString m_strFileName;
    CString m_strStatus;
    CPoint m_ptMouse;
    int m_nChanges;
};
