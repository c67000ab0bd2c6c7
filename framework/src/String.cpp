// CString: an owned, zero-terminated buffer with its length and capacity.
#include <afxwin.h>
#include <ctype.h>
#include <stdio.h>
#include <string.h>
#include <new>

namespace
{
TCHAR s_empty[1] = { 0 };

int SafeLength(LPCTSTR psz)
{
    return psz == NULL ? 0 : (int)strlen(psz);
}
}

CString::CString() : m_pchData(s_empty), m_nLength(0), m_nCapacity(0)
{
}

CString::CString(const CString& src) : CString()
{
    Assign(src.m_pchData, src.m_nLength);
}

CString::CString(LPCTSTR psz) : CString()
{
    // A string resource id passed as MAKEINTRESOURCE loads that string, as MFC does.
    if (psz != NULL && IS_INTRESOURCE(psz))
        LoadString((UINT)(UINT_PTR)psz);
    else
        Assign(psz, SafeLength(psz));
}

CString::CString(LPCTSTR pch, int nLength) : CString()
{
    Assign(pch, pch == NULL ? 0 : nLength);
}

CString::CString(TCHAR ch, int nRepeat) : CString()
{
    if (nRepeat > 0)
    {
        Reserve(nRepeat);
        memset(m_pchData, ch, nRepeat);
        m_nLength = nRepeat;
        m_pchData[m_nLength] = 0;
    }
}

CString::~CString()
{
    if (m_nCapacity != 0)
        delete[] m_pchData;
}

void CString::Reserve(int nCapacity)
{
    if (nCapacity <= m_nCapacity)
        return;
    int nNew = m_nCapacity < 16 ? 16 : m_nCapacity;
    while (nNew < nCapacity)
        nNew *= 2;
    LPTSTR pNew = new TCHAR[nNew + 1];
    memcpy(pNew, m_pchData, m_nLength + 1);
    if (m_nCapacity != 0)
        delete[] m_pchData;
    m_pchData = pNew;
    m_nCapacity = nNew;
}

void CString::Assign(LPCTSTR pch, int nLength)
{
    if (nLength <= 0)
    {
        Empty();
        return;
    }
    if (pch >= m_pchData && pch <= m_pchData + m_nLength)
    {
        // Assigning part of ourselves: copy through a temporary.
        CString copy(pch, nLength);
        *this = copy;
        return;
    }
    m_nLength = 0;
    if (m_nCapacity != 0)
        m_pchData[0] = 0;
    Reserve(nLength);
    memcpy(m_pchData, pch, nLength);
    m_nLength = nLength;
    m_pchData[m_nLength] = 0;
}

void CString::Append(LPCTSTR pch, int nLength)
{
    if (nLength <= 0)
        return;
    if (pch >= m_pchData && pch <= m_pchData + m_nLength)
    {
        CString copy(pch, nLength);
        Append(copy.m_pchData, copy.m_nLength);
        return;
    }
    Reserve(m_nLength + nLength);
    memcpy(m_pchData + m_nLength, pch, nLength);
    m_nLength += nLength;
    m_pchData[m_nLength] = 0;
}

CString& CString::operator=(const CString& src)
{
    if (this != &src)
        Assign(src.m_pchData, src.m_nLength);
    return *this;
}

CString& CString::operator=(LPCTSTR psz)
{
    Assign(psz, SafeLength(psz));
    return *this;
}

CString& CString::operator=(TCHAR ch)
{
    Assign(&ch, 1);
    return *this;
}

CString& CString::operator+=(const CString& src)
{
    Append(src.m_pchData, src.m_nLength);
    return *this;
}

CString& CString::operator+=(LPCTSTR psz)
{
    Append(psz, SafeLength(psz));
    return *this;
}

CString& CString::operator+=(TCHAR ch)
{
    Append(&ch, 1);
    return *this;
}

void CString::Empty()
{
    if (m_nCapacity != 0)
        delete[] m_pchData;
    m_pchData = s_empty;
    m_nLength = 0;
    m_nCapacity = 0;
}

int CString::Compare(LPCTSTR psz) const
{
    return strcmp(m_pchData, psz == NULL ? "" : psz);
}

int CString::CompareNoCase(LPCTSTR psz) const
{
    return _stricmp(m_pchData, psz == NULL ? "" : psz);
}

CString CString::Mid(int nFirst) const
{
    return Mid(nFirst, m_nLength - nFirst);
}

CString CString::Mid(int nFirst, int nCount) const
{
    if (nFirst < 0)
        nFirst = 0;
    if (nFirst > m_nLength)
        nFirst = m_nLength;
    if (nCount < 0)
        nCount = 0;
    if (nCount > m_nLength - nFirst)
        nCount = m_nLength - nFirst;
    return CString(m_pchData + nFirst, nCount);
}

CString CString::Left(int nCount) const
{
    return Mid(0, nCount);
}

CString CString::Right(int nCount) const
{
    if (nCount < 0)
        nCount = 0;
    if (nCount > m_nLength)
        nCount = m_nLength;
    return CString(m_pchData + m_nLength - nCount, nCount);
}

int CString::Find(TCHAR ch, int nStart) const
{
    if (nStart < 0 || nStart >= m_nLength)
        return -1;
    LPCTSTR p = strchr(m_pchData + nStart, ch);
    return p == NULL ? -1 : (int)(p - m_pchData);
}

int CString::Find(LPCTSTR pszSub, int nStart) const
{
    if (pszSub == NULL || nStart < 0 || nStart > m_nLength)
        return -1;
    LPCTSTR p = strstr(m_pchData + nStart, pszSub);
    return p == NULL ? -1 : (int)(p - m_pchData);
}

int CString::ReverseFind(TCHAR ch) const
{
    LPCTSTR p = strrchr(m_pchData, ch);
    return p == NULL ? -1 : (int)(p - m_pchData);
}

void CString::MakeUpper()
{
    for (int i = 0; i < m_nLength; ++i)
        m_pchData[i] = (TCHAR)toupper((unsigned char)m_pchData[i]);
}

void CString::MakeLower()
{
    for (int i = 0; i < m_nLength; ++i)
        m_pchData[i] = (TCHAR)tolower((unsigned char)m_pchData[i]);
}

void CString::TrimLeft()
{
    int n = 0;
    while (n < m_nLength && isspace((unsigned char)m_pchData[n]))
        ++n;
    if (n > 0)
        Assign(m_pchData + n, m_nLength - n);
}

void CString::TrimRight()
{
    int n = m_nLength;
    while (n > 0 && isspace((unsigned char)m_pchData[n - 1]))
        --n;
    if (n < m_nLength)
    {
        m_nLength = n;
        m_pchData[n] = 0;
    }
}

int CString::Replace(TCHAR chOld, TCHAR chNew)
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

void CString::Format(LPCTSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    FormatV(pszFormat, args);
    va_end(args);
}

void CString::FormatV(LPCTSTR pszFormat, va_list args)
{
    if (pszFormat == NULL)
    {
        Empty();
        return;
    }
    va_list count;
    va_copy(count, args);
    int nLength = vsnprintf(NULL, 0, pszFormat, count);
    va_end(count);
    if (nLength < 0)
    {
        Empty();
        return;
    }
    CString result;
    result.Reserve(nLength);
    vsnprintf(result.m_pchData, (size_t)nLength + 1, pszFormat, args);
    result.m_nLength = nLength;
    *this = result;
}

BOOL CString::LoadString(UINT nID)
{
    HINSTANCE hModule = AfxFindStringResourceHandle(nID);
    if (hModule == NULL)
    {
        Empty();
        return FALSE;
    }
    TCHAR szBuffer[4096];
    int nLength = ::LoadString(hModule, nID, szBuffer, (int)(sizeof(szBuffer) / sizeof(szBuffer[0])));
    Assign(szBuffer, nLength);
    return nLength > 0;
}

LPTSTR CString::GetBuffer(int nMinBufLength)
{
    if (nMinBufLength < m_nLength)
        nMinBufLength = m_nLength;
    if (m_nCapacity == 0 || nMinBufLength > m_nCapacity)
        Reserve(nMinBufLength < 1 ? 1 : nMinBufLength);
    return m_pchData;
}

void CString::ReleaseBuffer(int nNewLength)
{
    if (m_nCapacity == 0)
        return;
    if (nNewLength < 0)
        nNewLength = (int)strnlen(m_pchData, m_nCapacity);
    if (nNewLength > m_nCapacity)
        nNewLength = m_nCapacity;
    m_nLength = nNewLength;
    m_pchData[m_nLength] = 0;
}

LPTSTR CString::GetBufferSetLength(int nNewLength)
{
    GetBuffer(nNewLength);
    m_nLength = nNewLength < 0 ? 0 : nNewLength;
    m_pchData[m_nLength] = 0;
    return m_pchData;
}

CString AFXAPI operator+(const CString& a, const CString& b)
{
    CString s(a);
    s += b;
    return s;
}

CString AFXAPI operator+(const CString& a, LPCTSTR b)
{
    CString s(a);
    s += b;
    return s;
}

CString AFXAPI operator+(LPCTSTR a, const CString& b)
{
    CString s(a);
    s += b;
    return s;
}

CString AFXAPI operator+(const CString& a, TCHAR ch)
{
    CString s(a);
    s += ch;
    return s;
}
