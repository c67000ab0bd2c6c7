// CStringT: an owned, zero-terminated buffer with its length and capacity, for char and
// wchar_t. The width-specific C runtime and Win32 calls are gathered in AfxStringChars.
#include <afxwin.h>
#include <stdio.h>
#include <string.h>
#include <wchar.h>
#include <new>

namespace
{
template <typename XCHAR>
struct AfxStringChars;

template <>
struct AfxStringChars<char>
{
    static int Length(const char* psz) { return (int)strlen(psz); }
    static int LengthWithin(const char* psz, int nMax) { return (int)strnlen(psz, (size_t)nMax); }
    static int Compare(const char* a, const char* b) { return strcmp(a, b); }
    static int CompareNoCase(const char* a, const char* b) { return _stricmp(a, b); }
    static const char* FindChar(const char* psz, char ch) { return strchr(psz, ch); }
    static const char* FindString(const char* psz, const char* pszSub) { return strstr(psz, pszSub); }
    static const char* FindLast(const char* psz, char ch) { return strrchr(psz, ch); }
    static size_t SpanExcluding(const char* psz, const char* pszSet) { return strcspn(psz, pszSet); }
    static void Upper(char* pch, int n) { if (n > 0) CharUpperBuffA(pch, (DWORD)n); }
    static void Lower(char* pch, int n) { if (n > 0) CharLowerBuffA(pch, (DWORD)n); }
    static bool IsSpace(char ch)
    {
        return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n' || ch == '\v' || ch == '\f';
    }
    static int CountFormatted(const char* pszFormat, va_list args) { return _vscprintf(pszFormat, args); }
    static void Print(char* pch, int nCount, const char* pszFormat, va_list args)
    {
        _vsnprintf(pch, (size_t)nCount, pszFormat, args);
    }
    static int LoadResourceString(HINSTANCE hModule, UINT nID, char* pch, int nMax)
    {
        return ::LoadStringA(hModule, nID, pch, nMax);
    }
    // Converts wide text through the ANSI code page; returns the characters written.
    static int FromOther(const wchar_t* pch, int nLength, char* pBuffer, int nBuffer)
    {
        return WideCharToMultiByte(CP_ACP, 0, pch, nLength, pBuffer, nBuffer, NULL, NULL);
    }
};

template <>
struct AfxStringChars<wchar_t>
{
    static int Length(const wchar_t* psz) { return (int)wcslen(psz); }
    static int LengthWithin(const wchar_t* psz, int nMax) { return (int)wcsnlen(psz, (size_t)nMax); }
    static int Compare(const wchar_t* a, const wchar_t* b) { return wcscmp(a, b); }
    static int CompareNoCase(const wchar_t* a, const wchar_t* b) { return _wcsicmp(a, b); }
    static const wchar_t* FindChar(const wchar_t* psz, wchar_t ch) { return wcschr(psz, ch); }
    static const wchar_t* FindString(const wchar_t* psz, const wchar_t* pszSub) { return wcsstr(psz, pszSub); }
    static const wchar_t* FindLast(const wchar_t* psz, wchar_t ch) { return wcsrchr(psz, ch); }
    static size_t SpanExcluding(const wchar_t* psz, const wchar_t* pszSet) { return wcscspn(psz, pszSet); }
    static void Upper(wchar_t* pch, int n) { if (n > 0) CharUpperBuffW(pch, (DWORD)n); }
    static void Lower(wchar_t* pch, int n) { if (n > 0) CharLowerBuffW(pch, (DWORD)n); }
    static bool IsSpace(wchar_t ch) { return iswspace(ch) != 0; }
    // The C runtime's own wide formatting, where %s and %c take the format's own width, as
    // Windows programs expect of a TCHAR format.
    static int CountFormatted(const wchar_t* pszFormat, va_list args) { return _vscwprintf(pszFormat, args); }
    static void Print(wchar_t* pch, int nCount, const wchar_t* pszFormat, va_list args)
    {
        _vsnwprintf(pch, (size_t)nCount, pszFormat, args);
    }
    static int LoadResourceString(HINSTANCE hModule, UINT nID, wchar_t* pch, int nMax)
    {
        return ::LoadStringW(hModule, nID, pch, nMax);
    }
    static int FromOther(const char* pch, int nLength, wchar_t* pBuffer, int nBuffer)
    {
        return MultiByteToWideChar(CP_ACP, 0, pch, nLength, pBuffer, nBuffer);
    }
};

char s_emptyA[1] = { 0 };
wchar_t s_emptyW[1] = { 0 };

inline char* EmptyBuffer(char*) { return s_emptyA; }
inline wchar_t* EmptyBuffer(wchar_t*) { return s_emptyW; }

template <typename XCHAR>
int SafeLength(const XCHAR* psz)
{
    return psz == NULL ? 0 : AfxStringChars<XCHAR>::Length(psz);
}
}

template <typename BaseType>
CStringT<BaseType>::CStringT() : m_pchData(EmptyBuffer((PXSTR)NULL)), m_nLength(0), m_nCapacity(0)
{
}

template <typename BaseType>
CStringT<BaseType>::CStringT(const CStringT& src) : CStringT()
{
    Assign(src.m_pchData, src.m_nLength);
}

template <typename BaseType>
CStringT<BaseType>::CStringT(PCXSTR psz) : CStringT()
{
    if (psz != NULL && IS_INTRESOURCE(psz))
        LoadString((UINT)(UINT_PTR)psz);
    else
        Assign(psz, SafeLength(psz));
}

template <typename BaseType>
CStringT<BaseType>::CStringT(PCYSTR psz) : CStringT()
{
    if (psz != NULL && IS_INTRESOURCE(psz))
        LoadString((UINT)(UINT_PTR)psz);
    else
        AssignOther(psz, SafeLength(psz));
}

template <typename BaseType>
CStringT<BaseType>::CStringT(const XCHAR* pch, int nLength) : CStringT()
{
    Assign(pch, pch == NULL ? 0 : nLength);
}

template <typename BaseType>
CStringT<BaseType>::CStringT(const YCHAR* pch, int nLength) : CStringT()
{
    AssignOther(pch, pch == NULL ? 0 : nLength);
}

template <typename BaseType>
CStringT<BaseType>::CStringT(XCHAR ch, int nRepeat) : CStringT()
{
    if (nRepeat > 0)
    {
        Reserve(nRepeat);
        for (int i = 0; i < nRepeat; ++i)
            m_pchData[i] = ch;
        m_nLength = nRepeat;
        m_pchData[m_nLength] = 0;
    }
}

template <typename BaseType>
CStringT<BaseType>::~CStringT()
{
    if (m_nCapacity != 0)
        delete[] m_pchData;
}

template <typename BaseType>
void CStringT<BaseType>::Reserve(int nCapacity)
{
    if (nCapacity <= m_nCapacity)
        return;
    int nNew = m_nCapacity < 16 ? 16 : m_nCapacity;
    while (nNew < nCapacity)
        nNew *= 2;
    PXSTR pNew = new XCHAR[nNew + 1];
    memcpy(pNew, m_pchData, (m_nLength + 1) * sizeof(XCHAR));
    if (m_nCapacity != 0)
        delete[] m_pchData;
    m_pchData = pNew;
    m_nCapacity = nNew;
}

template <typename BaseType>
void CStringT<BaseType>::Assign(const XCHAR* pch, int nLength)
{
    if (nLength <= 0)
    {
        Empty();
        return;
    }
    if (pch >= m_pchData && pch <= m_pchData + m_nLength)
    {
        // Assigning part of ourselves: copy through a temporary.
        CStringT copy(pch, nLength);
        *this = copy;
        return;
    }
    m_nLength = 0;
    if (m_nCapacity != 0)
        m_pchData[0] = 0;
    Reserve(nLength);
    memcpy(m_pchData, pch, nLength * sizeof(XCHAR));
    m_nLength = nLength;
    m_pchData[m_nLength] = 0;
}

template <typename BaseType>
void CStringT<BaseType>::AssignOther(const YCHAR* pch, int nLength)
{
    if (nLength <= 0)
    {
        Empty();
        return;
    }
    int nNeeded = AfxStringChars<XCHAR>::FromOther(pch, nLength, NULL, 0);
    if (nNeeded <= 0)
    {
        Empty();
        return;
    }
    CStringT converted;
    converted.Reserve(nNeeded);
    int nWritten = AfxStringChars<XCHAR>::FromOther(pch, nLength, converted.m_pchData, nNeeded);
    converted.m_nLength = nWritten < 0 ? 0 : nWritten;
    converted.m_pchData[converted.m_nLength] = 0;
    *this = converted;
}

template <typename BaseType>
void CStringT<BaseType>::Append(const XCHAR* pch, int nLength)
{
    if (nLength <= 0)
        return;
    if (pch >= m_pchData && pch <= m_pchData + m_nLength)
    {
        CStringT copy(pch, nLength);
        Append(copy.m_pchData, copy.m_nLength);
        return;
    }
    Reserve(m_nLength + nLength);
    memcpy(m_pchData + m_nLength, pch, nLength * sizeof(XCHAR));
    m_nLength += nLength;
    m_pchData[m_nLength] = 0;
}

template <typename BaseType>
CStringT<BaseType>& CStringT<BaseType>::operator=(const CStringT& src)
{
    if (this != &src)
        Assign(src.m_pchData, src.m_nLength);
    return *this;
}

template <typename BaseType>
CStringT<BaseType>& CStringT<BaseType>::operator=(PCXSTR psz)
{
    Assign(psz, SafeLength(psz));
    return *this;
}

template <typename BaseType>
CStringT<BaseType>& CStringT<BaseType>::operator=(PCYSTR psz)
{
    AssignOther(psz, SafeLength(psz));
    return *this;
}

template <typename BaseType>
CStringT<BaseType>& CStringT<BaseType>::operator=(XCHAR ch)
{
    Assign(&ch, 1);
    return *this;
}

template <typename BaseType>
CStringT<BaseType>& CStringT<BaseType>::operator+=(const CStringT& src)
{
    Append(src.m_pchData, src.m_nLength);
    return *this;
}

template <typename BaseType>
CStringT<BaseType>& CStringT<BaseType>::operator+=(PCXSTR psz)
{
    Append(psz, SafeLength(psz));
    return *this;
}

template <typename BaseType>
CStringT<BaseType>& CStringT<BaseType>::operator+=(PCYSTR psz)
{
    CStringT converted(psz);
    Append(converted.m_pchData, converted.m_nLength);
    return *this;
}

template <typename BaseType>
CStringT<BaseType>& CStringT<BaseType>::operator+=(XCHAR ch)
{
    Append(&ch, 1);
    return *this;
}

template <typename BaseType>
void CStringT<BaseType>::Empty()
{
    if (m_nCapacity != 0)
        delete[] m_pchData;
    m_pchData = EmptyBuffer((PXSTR)NULL);
    m_nLength = 0;
    m_nCapacity = 0;
}

template <typename BaseType>
void CStringT<BaseType>::SetString(PCXSTR psz)
{
    Assign(psz, SafeLength(psz));
}

template <typename BaseType>
void CStringT<BaseType>::SetString(PCXSTR pch, int nLength)
{
    Assign(pch, pch == NULL ? 0 : nLength);
}

template <typename BaseType>
int CStringT<BaseType>::Compare(PCXSTR psz) const
{
    return AfxStringChars<XCHAR>::Compare(m_pchData, psz == NULL ? EmptyBuffer((PXSTR)NULL) : psz);
}

template <typename BaseType>
int CStringT<BaseType>::CompareNoCase(PCXSTR psz) const
{
    return AfxStringChars<XCHAR>::CompareNoCase(m_pchData, psz == NULL ? EmptyBuffer((PXSTR)NULL) : psz);
}

template <typename BaseType>
CStringT<BaseType> CStringT<BaseType>::Mid(int nFirst) const
{
    return Mid(nFirst, m_nLength - nFirst);
}

template <typename BaseType>
CStringT<BaseType> CStringT<BaseType>::Mid(int nFirst, int nCount) const
{
    if (nFirst < 0)
        nFirst = 0;
    if (nFirst > m_nLength)
        nFirst = m_nLength;
    if (nCount < 0)
        nCount = 0;
    if (nCount > m_nLength - nFirst)
        nCount = m_nLength - nFirst;
    return CStringT(m_pchData + nFirst, nCount);
}

template <typename BaseType>
CStringT<BaseType> CStringT<BaseType>::Left(int nCount) const
{
    return Mid(0, nCount);
}

template <typename BaseType>
CStringT<BaseType> CStringT<BaseType>::Right(int nCount) const
{
    if (nCount < 0)
        nCount = 0;
    if (nCount > m_nLength)
        nCount = m_nLength;
    return CStringT(m_pchData + m_nLength - nCount, nCount);
}

template <typename BaseType>
int CStringT<BaseType>::Find(XCHAR ch, int nStart) const
{
    if (nStart < 0 || nStart >= m_nLength)
        return -1;
    const XCHAR* p = AfxStringChars<XCHAR>::FindChar(m_pchData + nStart, ch);
    return p == NULL ? -1 : (int)(p - m_pchData);
}

template <typename BaseType>
int CStringT<BaseType>::Find(PCXSTR pszSub, int nStart) const
{
    if (pszSub == NULL || nStart < 0 || nStart > m_nLength)
        return -1;
    const XCHAR* p = AfxStringChars<XCHAR>::FindString(m_pchData + nStart, pszSub);
    return p == NULL ? -1 : (int)(p - m_pchData);
}

template <typename BaseType>
int CStringT<BaseType>::FindOneOf(PCXSTR pszCharSet) const
{
    if (pszCharSet == NULL)
        return -1;
    int n = (int)AfxStringChars<XCHAR>::SpanExcluding(m_pchData, pszCharSet);
    return n < m_nLength ? n : -1;
}

template <typename BaseType>
int CStringT<BaseType>::ReverseFind(XCHAR ch) const
{
    const XCHAR* p = AfxStringChars<XCHAR>::FindLast(m_pchData, ch);
    return p == NULL ? -1 : (int)(p - m_pchData);
}

template <typename BaseType>
CStringT<BaseType>& CStringT<BaseType>::MakeUpper()
{
    AfxStringChars<XCHAR>::Upper(m_pchData, m_nLength);
    return *this;
}

template <typename BaseType>
CStringT<BaseType>& CStringT<BaseType>::MakeLower()
{
    AfxStringChars<XCHAR>::Lower(m_pchData, m_nLength);
    return *this;
}

template <typename BaseType>
CStringT<BaseType>& CStringT<BaseType>::Trim()
{
    TrimRight();
    return TrimLeft();
}

template <typename BaseType>
CStringT<BaseType>& CStringT<BaseType>::TrimLeft()
{
    int n = 0;
    while (n < m_nLength && AfxStringChars<XCHAR>::IsSpace(m_pchData[n]))
        ++n;
    if (n > 0)
        Assign(m_pchData + n, m_nLength - n);
    return *this;
}

template <typename BaseType>
CStringT<BaseType>& CStringT<BaseType>::TrimRight()
{
    int n = m_nLength;
    while (n > 0 && AfxStringChars<XCHAR>::IsSpace(m_pchData[n - 1]))
        --n;
    if (n < m_nLength)
    {
        m_nLength = n;
        m_pchData[n] = 0;
    }
    return *this;
}

template <typename BaseType>
int CStringT<BaseType>::Replace(XCHAR chOld, XCHAR chNew)
{
    int nCount = 0;
    for (int i = 0; i < m_nLength; ++i)
    {
        if (m_pchData[i] == chOld)
        {
            m_pchData[i] = chNew;
            ++nCount;
        }
    }
    return nCount;
}

template <typename BaseType>
int CStringT<BaseType>::Replace(PCXSTR pszOld, PCXSTR pszNew)
{
    int nOld = SafeLength(pszOld);
    if (nOld == 0)
        return 0;
    int nNew = SafeLength(pszNew);
    CStringT result;
    int nCount = 0;
    int nPos = 0;
    for (;;)
    {
        int nFound = Find(pszOld, nPos);
        if (nFound < 0)
            break;
        result.Append(m_pchData + nPos, nFound - nPos);
        result.Append(pszNew, nNew);
        nPos = nFound + nOld;
        ++nCount;
    }
    if (nCount > 0)
    {
        result.Append(m_pchData + nPos, m_nLength - nPos);
        *this = result;
    }
    return nCount;
}

template <typename BaseType>
int CStringT<BaseType>::Remove(XCHAR chRemove)
{
    int nKept = 0;
    for (int i = 0; i < m_nLength; ++i)
    {
        if (m_pchData[i] != chRemove)
            m_pchData[nKept++] = m_pchData[i];
    }
    int nRemoved = m_nLength - nKept;
    if (nRemoved > 0)
    {
        m_nLength = nKept;
        m_pchData[m_nLength] = 0;
    }
    return nRemoved;
}

template <typename BaseType>
int CStringT<BaseType>::Insert(int nIndex, PCXSTR psz)
{
    if (nIndex < 0)
        nIndex = 0;
    if (nIndex > m_nLength)
        nIndex = m_nLength;
    CStringT result(m_pchData, nIndex);
    result.Append(psz, SafeLength(psz));
    result.Append(m_pchData + nIndex, m_nLength - nIndex);
    *this = result;
    return m_nLength;
}

template <typename BaseType>
int CStringT<BaseType>::Insert(int nIndex, XCHAR ch)
{
    XCHAR sz[2] = { ch, 0 };
    return Insert(nIndex, sz);
}

template <typename BaseType>
int CStringT<BaseType>::Delete(int nIndex, int nCount)
{
    if (nIndex < 0)
        nIndex = 0;
    if (nIndex >= m_nLength || nCount <= 0)
        return m_nLength;
    if (nCount > m_nLength - nIndex)
        nCount = m_nLength - nIndex;
    memmove(m_pchData + nIndex, m_pchData + nIndex + nCount,
            (m_nLength - nIndex - nCount + 1) * sizeof(XCHAR));
    m_nLength -= nCount;
    return m_nLength;
}

template <typename BaseType>
void CStringT<BaseType>::Format(PCXSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    FormatV(pszFormat, args);
    va_end(args);
}

template <typename BaseType>
void CStringT<BaseType>::AppendFormat(PCXSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    AppendFormatV(pszFormat, args);
    va_end(args);
}

template <typename BaseType>
void CStringT<BaseType>::FormatV(PCXSTR pszFormat, va_list args)
{
    Empty();
    AppendFormatV(pszFormat, args);
}

template <typename BaseType>
void CStringT<BaseType>::AppendFormatV(PCXSTR pszFormat, va_list args)
{
    if (pszFormat == NULL)
        return;
    va_list count;
    va_copy(count, args);
    int nLength = AfxStringChars<XCHAR>::CountFormatted(pszFormat, count);
    va_end(count);
    if (nLength <= 0)
        return;
    CStringT result(*this);
    result.Reserve(m_nLength + nLength);
    AfxStringChars<XCHAR>::Print(result.m_pchData + m_nLength, nLength + 1, pszFormat, args);
    result.m_nLength = m_nLength + nLength;
    result.m_pchData[result.m_nLength] = 0;
    *this = result;
}

template <typename BaseType>
BOOL CStringT<BaseType>::LoadString(UINT nID)
{
    HINSTANCE hModule = AfxFindStringResourceHandle(nID);
    if (hModule == NULL)
    {
        Empty();
        return FALSE;
    }
    XCHAR szBuffer[4096];
    int nLength = AfxStringChars<XCHAR>::LoadResourceString(
        hModule, nID, szBuffer, (int)(sizeof(szBuffer) / sizeof(szBuffer[0])));
    Assign(szBuffer, nLength);
    return nLength > 0;
}

template <typename BaseType>
typename CStringT<BaseType>::PXSTR CStringT<BaseType>::GetBuffer(int nMinBufLength)
{
    if (nMinBufLength < m_nLength)
        nMinBufLength = m_nLength;
    if (m_nCapacity == 0 || nMinBufLength > m_nCapacity)
        Reserve(nMinBufLength < 1 ? 1 : nMinBufLength);
    return m_pchData;
}

template <typename BaseType>
void CStringT<BaseType>::ReleaseBuffer(int nNewLength)
{
    if (m_nCapacity == 0)
        return;
    if (nNewLength < 0)
        nNewLength = AfxStringChars<XCHAR>::LengthWithin(m_pchData, m_nCapacity);
    if (nNewLength > m_nCapacity)
        nNewLength = m_nCapacity;
    m_nLength = nNewLength;
    m_pchData[m_nLength] = 0;
}

template <typename BaseType>
typename CStringT<BaseType>::PXSTR CStringT<BaseType>::GetBufferSetLength(int nNewLength)
{
    GetBuffer(nNewLength);
    m_nLength = nNewLength < 0 ? 0 : nNewLength;
    m_pchData[m_nLength] = 0;
    return m_pchData;
}

template class CStringT<char>;
template class CStringT<wchar_t>;
