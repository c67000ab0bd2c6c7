// Readable GoogleTest failure messages for the framework's strings of either width.
#pragma once
#include <afx.h>
#include <ostream>

inline void PrintTo(const CStringA& str, std::ostream* os) { *os << '"' << (LPCSTR)str << '"'; }
inline void PrintTo(const CStringW& str, std::ostream* os)
{
    char szUtf8[1024] = "";
    ::WideCharToMultiByte(CP_UTF8, 0, str, -1, szUtf8, (int)sizeof(szUtf8), NULL, NULL);
    szUtf8[sizeof(szUtf8) - 1] = 0;
    *os << "L\"" << szUtf8 << '"';
}
