// Dialog data exchange: values moved between members and controls, with the standard
// message and refocusing when a typed value is refused.
#include "ThreadState.h"
#include <errno.h>
#include <stdlib.h>

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd), m_hWndLastControl(NULL), m_bEditLastControl(FALSE)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND hWndCtrl = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
    if (hWndCtrl == NULL)
        AfxThrowNotSupportedException();
    m_hWndLastControl = hWndCtrl;
    m_bEditLastControl = FALSE;
    return hWndCtrl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND hWndCtrl = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return hWndCtrl;
}

void CDataExchange::Fail()
{
    if (m_bSaveAndValidate && m_hWndLastControl != NULL)
    {
        ::SetFocus(m_hWndLastControl);
        if (m_bEditLastControl)
            ::SendMessage(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
    AfxThrowUserException();
}

void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    // Bound once: later exchanges leave the control attached.
    if (rControl.m_hWnd != NULL)
        return;
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (!rControl.SubclassWindow(hWndCtrl))
        AfxThrowNotSupportedException();
}

namespace
{
// Parses the whole text as a decimal integer (surrounding blanks allowed).
bool ParseLong(const CString& text, bool bSigned, long long& value)
{
    LPCTSTR psz = text;
    while (*psz == ' ' || *psz == '\t')
        ++psz;
    if (*psz == 0 || (!bSigned && *psz == '-'))
        return false;
    LPTSTR pEnd = NULL;
    errno = 0;
    value = _tcstoi64(psz, &pEnd, 10);
    if (pEnd == psz || errno == ERANGE)
        return false;
    while (*pEnd == ' ' || *pEnd == '\t')
        ++pEnd;
    return *pEnd == 0;
}

CString ControlText(HWND hWndCtrl)
{
    CString text;
    CWnd::FromHandle(hWndCtrl)->GetWindowText(text);
    return text;
}
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (!pDX->m_bSaveAndValidate)
    {
        CString text;
        text.Format(_T("%d"), value);
        ::SetWindowText(hWndCtrl, text);
        return;
    }
    long long parsed = 0;
    if (!ParseLong(ControlText(hWndCtrl), true, parsed) || parsed < INT_MIN || parsed > INT_MAX)
    {
        AfxMessageBox(AFX_IDP_PARSE_INT);
        pDX->Fail();
    }
    value = (int)parsed;
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (!pDX->m_bSaveAndValidate)
    {
        CString text;
        text.Format(_T("%u"), value);
        ::SetWindowText(hWndCtrl, text);
        return;
    }
    long long parsed = 0;
    if (!ParseLong(ControlText(hWndCtrl), false, parsed) || parsed > (long long)UINT_MAX)
    {
        AfxMessageBox(AFX_IDP_PARSE_UINT);
        pDX->Fail();
    }
    value = (UINT)parsed;
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = ControlText(hWndCtrl);
    else
        ::SetWindowText(hWndCtrl, value);
}

void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = (int)::SendMessage(hWndCtrl, BM_GETCHECK, 0, 0);
    else
        ::SendMessage(hWndCtrl, BM_SETCHECK, (WPARAM)value, 0);
}

void AFXAPI DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = (int)::SendMessage(hWndCtrl, CB_GETCURSEL, 0, 0);
    else
        ::SendMessage(hWndCtrl, CB_SETCURSEL, (WPARAM)index, 0);   // an empty list keeps no selection
}
