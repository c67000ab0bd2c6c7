// Helpers of the character-set tests: string resources read as stored, and text taken
// through the ANSI code page as Windows converts it, computed here independently of the
// library and the framework.
#pragma once
#include <afxwin.h>
#include <string>
#include "CharacterSetTestResources.h"

namespace charset
{
// The string resource as stored (UTF-16), read straight from the module that holds it.
inline std::wstring ResourceText(UINT nID)
{
    HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCE(nID / 16 + 1), RT_STRING);
    const WCHAR* pText = NULL;
    int nLength = ::LoadStringW(hInst, nID, (LPWSTR)&pText, 0);   // points into the resource
    return nLength > 0 ? std::wstring(pText, (size_t)nLength) : std::wstring();
}

// Wide text in the ANSI code page, and back.
inline std::string ToAnsi(const std::wstring& text)
{
    int n = ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), (int)text.size(), NULL, 0, NULL, NULL);
    std::string result((size_t)n, '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), (int)text.size(), &result[0], n, NULL, NULL);
    return result;
}
inline std::wstring FromAnsi(const std::string& text)
{
    int n = ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), (int)text.size(), NULL, 0);
    std::wstring result((size_t)n, L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), (int)text.size(), &result[0], n);
    return result;
}

// Whether text has a character that the ANSI code page cannot hold.
inline bool OutsideAnsi(const std::wstring& text)
{
    BOOL bDefaultUsed = FALSE;
    ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.c_str(), (int)text.size(), NULL, 0, NULL,
                          &bDefaultUsed);
    return bDefaultUsed != FALSE;
}

// A text as a build of this character set holds it: exact in Unicode, through
// the ANSI code page in an ANSI build.
inline std::wstring AsBuildHoldsIt(const std::wstring& text)
{
#ifdef UNICODE
    return text;
#else
    return FromAnsi(ToAnsi(text));
#endif
}
}
