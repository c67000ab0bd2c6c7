// CStringT: a growable, zero-terminated string of one character width with value semantics.
//
// CStringA holds char text, CStringW wchar_t text, and CString the build's TCHAR text. Each
// width converts from the other through the ANSI code page, so a CString can be built from
// a narrow or a wide string in either build. Both widths are compiled once, in the framework
// DLL, and exported from it.
#pragma once
#include "afxver_.h"
#include <stdarg.h>

template <typename BaseType>
struct AfxOtherChar;
template <>
struct AfxOtherChar<char>
{
    typedef wchar_t Type;
};
template <>
struct AfxOtherChar<wchar_t>
{
    typedef char Type;
};

template <typename BaseType>
class CStringT
{
public:
    typedef BaseType XCHAR;
    typedef XCHAR* PXSTR;
    typedef const XCHAR* PCXSTR;
    typedef typename AfxOtherChar<BaseType>::Type YCHAR;
    typedef YCHAR* PYSTR;
    typedef const YCHAR* PCYSTR;

    CStringT();
    CStringT(const CStringT& src);
    // A string resource id passed as MAKEINTRESOURCE loads that string.
    CStringT(PCXSTR psz);
    CStringT(PCYSTR psz);
    CStringT(const XCHAR* pch, int nLength);
    CStringT(const YCHAR* pch, int nLength);
    CStringT(XCHAR ch, int nRepeat = 1);
    ~CStringT();

    CStringT& operator=(const CStringT& src);
    CStringT& operator=(PCXSTR psz);
    CStringT& operator=(PCYSTR psz);
    CStringT& operator=(XCHAR ch);
    CStringT& operator+=(const CStringT& src);
    CStringT& operator+=(PCXSTR psz);
    CStringT& operator+=(PCYSTR psz);
    CStringT& operator+=(XCHAR ch);

    operator PCXSTR() const { return m_pchData; }
    PCXSTR GetString() const { return m_pchData; }
    int GetLength() const { return m_nLength; }
    BOOL IsEmpty() const { return m_nLength == 0; }
    void Empty();
    XCHAR GetAt(int nIndex) const { return m_pchData[nIndex]; }
    XCHAR operator[](int nIndex) const { return m_pchData[nIndex]; }
    void SetAt(int nIndex, XCHAR ch) { m_pchData[nIndex] = ch; }
    void SetString(PCXSTR psz);
    void SetString(PCXSTR pch, int nLength);

    int Compare(PCXSTR psz) const;
    int CompareNoCase(PCXSTR psz) const;

    CStringT Mid(int nFirst) const;
    CStringT Mid(int nFirst, int nCount) const;
    CStringT Left(int nCount) const;
    CStringT Right(int nCount) const;
    int Find(XCHAR ch, int nStart = 0) const;
    int Find(PCXSTR pszSub, int nStart = 0) const;
    int FindOneOf(PCXSTR pszCharSet) const;
    int ReverseFind(XCHAR ch) const;
    CStringT& MakeUpper();
    CStringT& MakeLower();
    CStringT& Trim();
    CStringT& TrimLeft();
    CStringT& TrimRight();
    int Replace(XCHAR chOld, XCHAR chNew);
    int Replace(PCXSTR pszOld, PCXSTR pszNew);
    int Remove(XCHAR chRemove);
    int Insert(int nIndex, PCXSTR psz);
    int Insert(int nIndex, XCHAR ch);
    int Delete(int nIndex, int nCount = 1);

    void AFX_CDECL Format(PCXSTR pszFormat, ...);
    void AFX_CDECL AppendFormat(PCXSTR pszFormat, ...);
    void FormatV(PCXSTR pszFormat, va_list args);
    void AppendFormatV(PCXSTR pszFormat, va_list args);
    // Loads string nID through the resource chain (the application first, then
    // the extension modules, then the framework's own strings).
    BOOL LoadString(UINT nID);

    PXSTR GetBuffer(int nMinBufLength);
    PXSTR GetBuffer() { return GetBuffer(0); }
    void ReleaseBuffer(int nNewLength = -1);
    PXSTR GetBufferSetLength(int nNewLength);

    friend CStringT operator+(const CStringT& a, const CStringT& b)
    {
        CStringT s(a);
        s += b;
        return s;
    }
    friend CStringT operator+(const CStringT& a, PCXSTR b)
    {
        CStringT s(a);
        s += b;
        return s;
    }
    friend CStringT operator+(PCXSTR a, const CStringT& b)
    {
        CStringT s(a);
        s += b;
        return s;
    }
    friend CStringT operator+(const CStringT& a, XCHAR ch)
    {
        CStringT s(a);
        s += ch;
        return s;
    }
    friend CStringT operator+(XCHAR ch, const CStringT& b)
    {
        CStringT s(ch);
        s += b;
        return s;
    }

    friend bool operator==(const CStringT& a, const CStringT& b) { return a.Compare(b) == 0; }
    friend bool operator==(const CStringT& a, PCXSTR b) { return a.Compare(b) == 0; }
    friend bool operator==(PCXSTR a, const CStringT& b) { return b.Compare(a) == 0; }
    friend bool operator!=(const CStringT& a, const CStringT& b) { return a.Compare(b) != 0; }
    friend bool operator!=(const CStringT& a, PCXSTR b) { return a.Compare(b) != 0; }
    friend bool operator!=(PCXSTR a, const CStringT& b) { return b.Compare(a) != 0; }
    friend bool operator<(const CStringT& a, const CStringT& b) { return a.Compare(b) < 0; }
    friend bool operator>(const CStringT& a, const CStringT& b) { return a.Compare(b) > 0; }

private:
    void Reserve(int nCapacity);
    void Assign(const XCHAR* pch, int nLength);
    void AssignOther(const YCHAR* pch, int nLength);
    void Append(const XCHAR* pch, int nLength);

    PXSTR m_pchData;   // never NULL; points at a shared empty string when nothing is allocated
    int m_nLength;
    int m_nCapacity;   // 0 while m_pchData is the shared empty string
};

// Instantiated (and exported) by the framework DLL alone.
extern template class AFX_FW_CLASS CStringT<char>;
extern template class AFX_FW_CLASS CStringT<wchar_t>;

typedef CStringT<char> CStringA;
typedef CStringT<wchar_t> CStringW;
typedef CStringT<TCHAR> CString;
