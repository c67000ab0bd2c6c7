// Reading and writing bitmap files for the samples: a load that says why a file was refused,
// and a save that reports a full disk as a failure. Header only (see DefaultPicture.h).
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
        strProblem = _T("cannot be opened: there is no such file");
        return FALSE;
    }
    BOOL bLoaded = FALSE;
    try
    {
        bLoaded = image.Load(lpszPath);
    }
    catch (CException* e)
    {
        TCHAR szMessage[256] = _T("");
        e->GetErrorMessage(szMessage, _countof(szMessage));
        e->Delete();
        strProblem = CString(_T("cannot be read: ")) + szMessage;
        return FALSE;
    }
    if (!bLoaded)
    {
        strProblem = _T("is not a bitmap file that this library reads (it needs \"BM\", a 40-byte header, ")
                     _T("1, 4, 8, 16, 24 or 32 bits, no compression)");
        return FALSE;
    }
    return TRUE;
}

// Runs a save of the library, write(), and turns the file exception that it lets through (a
// full disk, a failing device) into FALSE. The library writes a temporary file beside the
// target and renames it over the target only when it is complete, so a failure of either kind
// leaves an existing file as it was. write returns BOOL.
template <class Writer>
BOOL SaveWithoutThrowing(Writer write)
{
    try
    {
        return write();
    }
    catch (CException* e)
    {
        e->Delete();
        return FALSE;
    }
}
}
