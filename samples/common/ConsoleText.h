// Console output of the samples: TCHAR text, formatted as Windows formats it (%s takes the
// format's own width in either build), written to a C stream in the ANSI code page.
#pragma once
#include <afx.h>
#include <stdarg.h>
#include <stdio.h>

namespace samples
{
inline void WriteText(FILE* pStream, LPCTSTR lpszText)
{
    fputs(CStringA(lpszText), pStream);
    fflush(pStream);
}

inline void AFX_CDECL PrintText(FILE* pStream, LPCTSTR lpszFormat, ...)
{
    CString text;
    va_list args;
    va_start(args, lpszFormat);
    text.FormatV(lpszFormat, args);
    va_end(args);
    WriteText(pStream, text);
}
}
