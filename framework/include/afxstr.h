// CString: a growable, zero-terminated ANSI string with value semantics.
#pragma once
#include "afxver_.h"
#include <stdarg.h>

class AFX_FW_CLASS CString
{
public:
    CString();
    CString(const CString& src);
    CString(LPCTSTR psz);
    CString(LPCTSTR pch, int nLength);
    CString(TCHAR ch, int nRepeat = 1);
    ~CString();

    CString& operator=(const CString& src);
    CString& operator=(LPCTSTR psz);
    CString& operator=(TCHAR ch);
    CString& operator+=(const CString& src);
    CString& operator+=(LPCTSTR psz);
    CString& operator+=(TCHAR ch);

    operator LPCTSTR() const { return m_pchData; }
    int GetLength() const { return m_nLength; }
    BOOL IsEmpty() const { return m_nLength == 0; }
    void Empty();
    TCHAR GetAt(int nIndex) const { return m_pchData[nIndex]; }
    TCHAR operator[](int nIndex) const { return m_pchData[nIndex]; }
    void SetAt(int nIndex, TCHAR ch) { m_pchData[nIndex] = ch; }

    int Compare(LPCTSTR psz) const;
    int CompareNoCase(LPCTSTR psz) const;

    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;
    CString Left(int nCount) const;
    CString Right(int nCount) const;
    int Find(TCHAR ch, int nStart = 0) const;
    int Find(LPCTSTR pszSub, int nStart = 0) const;
    int ReverseFind(TCHAR ch) const;
    void MakeUpper();
    void MakeLower();
    void TrimLeft();
    void TrimRight();
    int Replace(TCHAR chOld, TCHAR chNew);

    void AFX_CDECL Format(LPCTSTR pszFormat, ...);
    void FormatV(LPCTSTR pszFormat, va_list args);
    // Loads string nID through the resource chain (the application first, then
    // the extension modules, then the framework's own strings).
    BOOL LoadString(UINT nID);

    LPTSTR GetBuffer(int nMinBufLength);
    void ReleaseBuffer(int nNewLength = -1);
    LPTSTR GetBufferSetLength(int nNewLength);

    friend AFX_FW_API CString AFXAPI operator+(const CString& a, const CString& b);
    friend AFX_FW_API CString AFXAPI operator+(const CString& a, LPCTSTR b);
    friend AFX_FW_API CString AFXAPI operator+(LPCTSTR a, const CString& b);
    friend AFX_FW_API CString AFXAPI operator+(const CString& a, TCHAR ch);

private:
    void Reserve(int nCapacity);
    void Assign(LPCTSTR pch, int nLength);
    void Append(LPCTSTR pch, int nLength);

    LPTSTR m_pchData;   // never NULL; points at s_empty when nothing is allocated
    int m_nLength;
    int m_nCapacity;    // 0 while m_pchData is the shared empty string
};

inline bool operator==(const CString& a, const CString& b) { return a.Compare(b) == 0; }
inline bool operator==(const CString& a, LPCTSTR b) { return a.Compare(b) == 0; }
inline bool operator==(LPCTSTR a, const CString& b) { return b.Compare(a) == 0; }
inline bool operator!=(const CString& a, const CString& b) { return a.Compare(b) != 0; }
inline bool operator!=(const CString& a, LPCTSTR b) { return a.Compare(b) != 0; }
inline bool operator!=(LPCTSTR a, const CString& b) { return b.Compare(a) != 0; }
inline bool operator<(const CString& a, const CString& b) { return a.Compare(b) < 0; }
