// Dialogs: templates through the resource chain, the modal loop and its idle kicks, data
// exchange with the standard message for a bad number, and the application profile.
#include <afxwin.h>
#include <gtest/gtest.h>
#include "tests/common/TestEnvironment.h"
#include "DialogTestResources.h"
#include <functional>
#include <vector>

namespace
{
// Each idle kick runs the next scripted step, as a user acting on a shown dialog would.
class CScriptedDialog : public CDialog
{
public:
    CScriptedDialog() : CDialog(IDD_TEST_NUMBER) {}

    int m_nNumber = 5;
    int m_nCrop = 1;
    int m_nChoice = 0;
    CString m_strName = _T("first");
    BOOL m_bEndInInit = FALSE;
    int m_nKicks = 0;
    BOOL m_bWasVisible = FALSE;
    std::vector<std::function<void(CScriptedDialog&)>> m_steps;

    CString ControlText(int nID)
    {
        CString text;
        GetDlgItem(nID)->GetWindowText(text);
        return text;
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_TEST_NUMBER, m_nNumber);
        DDX_Text(pDX, IDC_TEST_NAME, m_strName);
        DDX_Check(pDX, IDC_TEST_CHECK, m_nCrop);
        DDX_CBIndex(pDX, IDC_TEST_COMBO, m_nChoice);
    }
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        CComboBox* pCombo = (CComboBox*)GetDlgItem(IDC_TEST_COMBO);
        pCombo->AddString(_T("1 bit"));
        pCombo->AddString(_T("8 bits"));
        pCombo->AddString(_T("24 bits"));
        pCombo->SetCurSel(2);
        if (m_bEndInInit)
            EndDialog(IDCANCEL);
        return TRUE;
    }
    afx_msg LRESULT OnKickIdle(WPARAM, LPARAM)
    {
        m_bWasVisible = m_bWasVisible || IsWindowVisible();
        if ((size_t)m_nKicks < m_steps.size())
            m_steps[m_nKicks](*this);
        ++m_nKicks;
        return 0;   // one kick per idle period
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CScriptedDialog, CDialog)
    ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
END_MESSAGE_MAP()

void Press(CScriptedDialog& dlg, int nID)
{
    dlg.PostMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), (LPARAM)dlg.GetDlgItem(nID)->m_hWnd);
}
}

TEST(Dialogs, ModalDialogExchangesItsValues)
{
    CScriptedDialog dlg;
    dlg.m_steps.push_back([](CScriptedDialog& d) {
        // The members arrived in the controls.
        EXPECT_STREQ(_T("5"), d.ControlText(IDC_TEST_NUMBER));
        EXPECT_STREQ(_T("first"), d.ControlText(IDC_TEST_NAME));
        EXPECT_EQ(BST_CHECKED, d.SendDlgItemMessage(IDC_TEST_CHECK, BM_GETCHECK, 0, 0));
        d.SetDlgItemText(IDC_TEST_NUMBER, _T(" -42 "));
        d.SetDlgItemText(IDC_TEST_NAME, _T("second"));
        d.CheckDlgButton(IDC_TEST_CHECK, BST_UNCHECKED);
        d.SendDlgItemMessage(IDC_TEST_COMBO, CB_SETCURSEL, 1, 0);
        Press(d, IDOK);
    });
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_TRUE(dlg.m_bWasVisible);   // shown when the queue first ran dry
    EXPECT_EQ(-42, dlg.m_nNumber);
    EXPECT_STREQ(_T("second"), dlg.m_strName);
    EXPECT_EQ(0, dlg.m_nCrop);
    EXPECT_EQ(1, dlg.m_nChoice);
    EXPECT_EQ(nullptr, dlg.m_hWnd);
}

TEST(Dialogs, ABadNumberKeepsTheDialogOpen)
{
    testenv::ClearMessageBoxTexts();
    CScriptedDialog dlg;
    dlg.m_steps.push_back([](CScriptedDialog& d) {
        d.SetDlgItemText(IDC_TEST_NUMBER, _T("12x"));
        Press(d, IDOK);
    });
    dlg.m_steps.push_back([](CScriptedDialog& d) {
        // Still open, the number refused and selected for retyping.
        EXPECT_TRUE(::IsWindow(d.m_hWnd));
        EXPECT_EQ(::GetDlgItem(d.m_hWnd, IDC_TEST_NUMBER), ::GetFocus());
        d.SetDlgItemText(IDC_TEST_NUMBER, _T("12"));
        Press(d, IDOK);
    });
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(12, dlg.m_nNumber);
    ASSERT_EQ(1u, testenv::MessageBoxTexts().size());
    EXPECT_EQ("Please enter an integer.", testenv::MessageBoxTexts()[0]);
}

TEST(Dialogs, CancelAndEndingInInitialisation)
{
    CScriptedDialog cancelled;
    cancelled.m_steps.push_back([](CScriptedDialog& d) {
        d.SetDlgItemText(IDC_TEST_NUMBER, _T("99"));
        Press(d, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, cancelled.DoModal());
    EXPECT_EQ(5, cancelled.m_nNumber);   // Cancel reads nothing back

    CScriptedDialog ended;
    ended.m_bEndInInit = TRUE;
    EXPECT_EQ(IDCANCEL, ended.DoModal());
    EXPECT_EQ(0, ended.m_nKicks);   // no modal loop ran

    CDialog missing(4242);
    EXPECT_EQ(-1, missing.DoModal());
}

TEST(Dialogs, ModelessDialogLivesUntilDestroyed)
{
    CScriptedDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST_NUMBER));
    EXPECT_TRUE(::IsWindow(dlg.m_hWnd));
    EXPECT_STREQ(_T("5"), dlg.ControlText(IDC_TEST_NUMBER));
    dlg.SetDlgItemText(IDC_TEST_NUMBER, _T("7"));
    EXPECT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(7, dlg.m_nNumber);
    EXPECT_TRUE(dlg.DestroyWindow());
    EXPECT_EQ(nullptr, dlg.m_hWnd);
}

TEST(Profile, RegistryValuesRoundTripAndDelete)
{
    CWinApp* pApp = AfxGetApp();
    pApp->SetRegistryKey(_T("MfcxFrameworkTests"));
    EXPECT_STREQ(_T("Paint library tests"), pApp->m_pszProfileName);
    pApp->WriteProfileString(_T("PaintDlg:28101"), NULL, NULL);   // start clean

    EXPECT_EQ((UINT)-1, pApp->GetProfileInt(_T("PaintDlg:28101"), _T("X"), -1));
    EXPECT_TRUE(pApp->WriteProfileInt(_T("PaintDlg:28101"), _T("X"), -15));
    EXPECT_TRUE(pApp->WriteProfileInt(_T("PaintDlg:28101"), _T("Y"), 240));
    EXPECT_EQ(-15, (int)pApp->GetProfileInt(_T("PaintDlg:28101"), _T("X"), -1));
    EXPECT_EQ(240u, pApp->GetProfileInt(_T("PaintDlg:28101"), _T("Y"), -1));

    // Written where the registry rule puts it.
    HKEY hKey = NULL;
    ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyEx(HKEY_CURRENT_USER,
                                             _T("Software\\MfcxFrameworkTests\\Paint library tests\\PaintDlg:28101"),
                                             0, KEY_READ, &hKey));
    DWORD dwValue = 0, dwSize = sizeof(dwValue), dwType = 0;
    EXPECT_EQ(ERROR_SUCCESS, ::RegQueryValueEx(hKey, _T("Y"), NULL, &dwType, (LPBYTE)&dwValue, &dwSize));
    EXPECT_EQ((DWORD)REG_DWORD, dwType);
    EXPECT_EQ(240u, dwValue);
    ::RegCloseKey(hKey);

    EXPECT_STREQ(_T("0,0,System"), pApp->GetProfileString(_T("Text Tool"), _T("Font"), _T("0,0,System")));
    EXPECT_TRUE(pApp->WriteProfileString(_T("Text Tool"), _T("Font"), _T("-11,0,Arial")));
    EXPECT_STREQ(_T("-11,0,Arial"), pApp->GetProfileString(_T("Text Tool"), _T("Font"), _T("x")));
    EXPECT_TRUE(pApp->WriteProfileString(_T("Text Tool"), _T("Font"), NULL));
    EXPECT_STREQ(_T("x"), pApp->GetProfileString(_T("Text Tool"), _T("Font"), _T("x")));

    EXPECT_TRUE(pApp->WriteProfileString(_T("PaintDlg:28101"), NULL, NULL));
    EXPECT_EQ((UINT)-1, pApp->GetProfileInt(_T("PaintDlg:28101"), _T("X"), -1));
}
