// The section name is read-only text: LPCTSTR, in either character set.
// expect-error: WM_SETTINGCHANGE needs the handler afx_msg void OnSettingChange(UINT, LPCTSTR)
#include <afxwin.h>

class CSettingsWnd : public CWnd
{
protected:
    afx_msg void OnSettingChange(UINT uFlags, LPTSTR lpszSection) { (void)uFlags; (void)lpszSection; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSettingsWnd, CWnd)
    ON_WM_SETTINGCHANGE()
END_MESSAGE_MAP()
