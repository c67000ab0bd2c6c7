// CFileDialog: the common Open and Save As dialogs.
#include "ThreadState.h"
#include <afxdlgs.h>

IMPLEMENT_DYNAMIC(CFileDialog, CCommonDialog)

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                         LPCTSTR lpszFilter, CWnd* pParentWnd, DWORD, BOOL)
    : CCommonDialog(pParentWnd), m_bOpenFileDialog(bOpenFileDialog)
{
    ::ZeroMemory(&m_ofn, sizeof(m_ofn));
    m_szFileName[0] = 0;
    m_szFileTitle[0] = 0;
    if (lpszFileName != NULL)
        lstrcpyn(m_szFileName, lpszFileName, _countof(m_szFileName));

    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = _countof(m_szFileName);
    m_ofn.lpstrFileTitle = m_szFileTitle;
    m_ofn.nMaxFileTitle = _countof(m_szFileTitle);
    m_ofn.Flags = dwFlags | OFN_EXPLORER;
    m_ofn.hInstance = AfxGetResourceHandle();

    if (lpszDefExt != NULL)
    {
        m_strDefExt = lpszDefExt;
        m_ofn.lpstrDefExt = m_strDefExt;
    }
    if (lpszFilter != NULL)
    {
        // "Text (*.txt)|*.txt|All (*.*)|*.*||" becomes the null-separated list the system
        // reads, which ends with two nulls: a filter without its closing "||" gets one null
        // here, and the string's own terminator is the last.
        int nLength = lstrlen(lpszFilter);
        LPTSTR pch = m_strFilter.GetBuffer(nLength + 1);
        int nOut = 0;
        for (int i = 0; i < nLength; ++i)
            pch[nOut++] = lpszFilter[i] == _T('|') ? (TCHAR)0 : lpszFilter[i];
        if (nOut == 0 || pch[nOut - 1] != 0)
            pch[nOut++] = 0;
        m_strFilter.ReleaseBuffer(nOut);
        m_ofn.lpstrFilter = m_strFilter;
    }
}

INT_PTR CFileDialog::DoModal()
{
    m_ofn.hwndOwner = CWnd::GetSafeOwner(m_pParentWnd)->GetSafeHwnd();
    // The buffers are this object's, whatever the caller did to the pointers since.
    if (m_ofn.lpstrFile == NULL || m_ofn.nMaxFile == 0)
    {
        m_ofn.lpstrFile = m_szFileName;
        m_ofn.nMaxFile = _countof(m_szFileName);
    }
    BOOL bResult = m_bOpenFileDialog ? ::GetOpenFileName(&m_ofn) : ::GetSaveFileName(&m_ofn);
    return bResult ? IDOK : IDCANCEL;
}

namespace
{
// The position just past the folder part of a path (0 when there is none).
int NameStart(const CString& strPath)
{
    for (int i = strPath.GetLength() - 1; i >= 0; --i)
    {
        TCHAR ch = strPath[i];
        if (ch == _T('\\') || ch == _T('/') || ch == _T(':'))
            return i + 1;
    }
    return 0;
}
}

CString CFileDialog::GetPathName() const
{
    return CString(m_ofn.lpstrFile != NULL ? m_ofn.lpstrFile : m_szFileName);
}

CString CFileDialog::GetFileName() const
{
    CString strPath = GetPathName();
    return strPath.Mid(NameStart(strPath));
}

CString CFileDialog::GetFileExt() const
{
    CString strName = GetFileName();
    int nDot = strName.ReverseFind(_T('.'));
    return nDot < 0 ? CString() : strName.Mid(nDot + 1);
}

CString CFileDialog::GetFileTitle() const
{
    CString strName = GetFileName();
    int nDot = strName.ReverseFind(_T('.'));
    return nDot < 0 ? strName : strName.Left(nDot);
}
