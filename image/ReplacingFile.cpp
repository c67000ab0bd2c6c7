// CReplacingFile: write beside the target, then rename over it.
#include "ReplacingFile.h"

CReplacingFile::CReplacingFile() : m_bPending(FALSE)
{
    m_szTemp[0] = 0;
}

CReplacingFile::~CReplacingFile()
{
    Discard();
}

BOOL CReplacingFile::Open(LPCTSTR lpszTarget)
{
    Discard();
    if (lpszTarget == NULL || *lpszTarget == 0)
        return FALSE;

    TCHAR szFolder[MAX_PATH];
    LPTSTR pszName = NULL;
    DWORD n = ::GetFullPathName(lpszTarget, MAX_PATH, szFolder, &pszName);
    if (n == 0 || n >= MAX_PATH || pszName == NULL || *pszName == 0)
        return FALSE;
    *pszName = 0;

    // Creates an empty file with a unique name; it belongs to this object from here on.
    if (!::GetTempFileName(szFolder, _T("pnt"), 0, m_szTemp))
        return FALSE;
    m_bPending = TRUE;
    if (!m_file.Open(m_szTemp, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive))
    {
        Discard();
        return FALSE;
    }
    m_strTarget = lpszTarget;
    return TRUE;
}

BOOL CReplacingFile::Commit()
{
    if (!m_bPending)
        return FALSE;
    // On the disk before the rename, so that a crash cannot leave a renamed but empty file.
    m_file.Flush();
    m_file.Close();
    if (!::MoveFileEx(m_szTemp, m_strTarget, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    {
        Discard();
        return FALSE;
    }
    m_bPending = FALSE;
    return TRUE;
}

void CReplacingFile::Discard()
{
    if (m_file.m_hFile != CFile::hFileNull)
        m_file.Abort();
    if (m_bPending)
        ::DeleteFile(m_szTemp);
    m_bPending = FALSE;
}
