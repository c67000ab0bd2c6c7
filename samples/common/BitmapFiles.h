// Reading and writing bitmap files for the samples: a load that says why a file was refused,
// and a save that never destroys the file it replaces. Header only (see DefaultPicture.h).
#pragma once
#include "image/DIBSection.h"
#include <stdio.h>

namespace samples
{
// Loads lpszPath into image. On failure returns FALSE with the reason in strProblem, a phrase
// that follows the file's name ("cannot be opened: ...", "is not a bitmap file ...").
inline BOOL LoadBitmapFile(CDIBSection& image, LPCTSTR lpszPath, CString& strProblem)
{
    DWORD dwAttributes = ::GetFileAttributes(lpszPath);
    if (dwAttributes == INVALID_FILE_ATTRIBUTES || (dwAttributes & FILE_ATTRIBUTE_DIRECTORY))
    {
        strProblem = "cannot be opened: there is no such file";
        return FALSE;
    }
    BOOL bLoaded = FALSE;
    try
    {
        bLoaded = image.Load(lpszPath);
    }
    catch (CException* e)
    {
        TCHAR szMessage[256] = "";
        e->GetErrorMessage(szMessage, 256);
        e->Delete();
        strProblem = CString("cannot be read: ") + szMessage;
        return FALSE;
    }
    if (!bLoaded)
    {
        strProblem = "is not a bitmap file that this library reads (it needs \"BM\", a 40-byte header, "
                     "1, 4, 8, 16, 24 or 32 bits, no compression)";
        return FALSE;
    }
    return TRUE;
}

// Writes a file through write(path) into a fresh temporary file beside lpszTarget, then renames
// it over lpszTarget: a failed save leaves any existing file as it was. write returns BOOL.
template <class Writer>
BOOL SaveReplacing(LPCTSTR lpszTarget, Writer write)
{
    // The temporary file lives in the target's folder, so the rename never crosses volumes.
    TCHAR szFolder[MAX_PATH];
    LPTSTR pszName = NULL;
    DWORD n = ::GetFullPathName(lpszTarget, MAX_PATH, szFolder, &pszName);
    if (n == 0 || n >= MAX_PATH || pszName == NULL)
        return FALSE;
    *pszName = 0;
    TCHAR szTemp[MAX_PATH];
    if (!::GetTempFileName(szFolder, "pnt", 0, szTemp))
        return FALSE;
    BOOL bSaved = FALSE;
    try
    {
        bSaved = write((LPCTSTR)szTemp);
    }
    catch (CException* e)
    {
        e->Delete();
        bSaved = FALSE;
    }
    if (!bSaved || !::MoveFileEx(szTemp, lpszTarget, MOVEFILE_REPLACE_EXISTING))
    {
        ::DeleteFile(szTemp);
        return FALSE;
    }
    return TRUE;
}
}
