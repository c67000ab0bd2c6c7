// Readable GoogleTest failure messages for CString in either width: the text itself rather
// than the object's bytes.
#pragma once
#include <afxwin.h>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

inline void PrintTo(const CStringA& str, std::ostream* os)
{
    *os << ::testing::PrintToString(std::string(str.GetString(), (size_t)str.GetLength()));
}
inline void PrintTo(const CStringW& str, std::ostream* os)
{
    *os << ::testing::PrintToString(std::wstring(str.GetString(), (size_t)str.GetLength()));
}
