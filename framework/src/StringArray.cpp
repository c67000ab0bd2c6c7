// CStringArray: a growable array of CString.
#include <afxwin.h>

IMPLEMENT_DYNAMIC(CStringArray, CObject)

CStringArray::CStringArray() : m_pData(NULL), m_nSize(0), m_nMaxSize(0)
{
}

CStringArray::~CStringArray()
{
    delete[] m_pData;
}

void CStringArray::SetSize(INT_PTR nNewSize, INT_PTR)
{
    if (nNewSize < 0)
        nNewSize = 0;
    if (nNewSize > m_nMaxSize)
    {
        INT_PTR nNewMax = m_nMaxSize < 4 ? 4 : m_nMaxSize * 2;
        if (nNewMax < nNewSize)
            nNewMax = nNewSize;
        CString* pNew = new CString[nNewMax];
        for (INT_PTR i = 0; i < m_nSize; ++i)
            pNew[i] = m_pData[i];
        delete[] m_pData;
        m_pData = pNew;
        m_nMaxSize = nNewMax;
    }
    for (INT_PTR i = nNewSize; i < m_nSize; ++i)
        m_pData[i].Empty();
    m_nSize = nNewSize;
}

INT_PTR CStringArray::Add(LPCTSTR newElement)
{
    INT_PTR nIndex = m_nSize;
    SetAtGrow(nIndex, newElement);
    return nIndex;
}

void CStringArray::SetAtGrow(INT_PTR nIndex, LPCTSTR newElement)
{
    if (nIndex < 0)
        return;
    if (nIndex >= m_nSize)
        SetSize(nIndex + 1);
    m_pData[nIndex] = newElement;
}

void CStringArray::InsertAt(INT_PTR nIndex, LPCTSTR newElement, INT_PTR nCount)
{
    if (nIndex < 0 || nCount <= 0)
        return;
    CString element(newElement);   // newElement may point into this array
    INT_PTR nOldSize = m_nSize;
    if (nIndex >= nOldSize)
    {
        SetSize(nIndex + nCount);
    }
    else
    {
        SetSize(nOldSize + nCount);
        for (INT_PTR i = nOldSize - 1; i >= nIndex; --i)
            m_pData[i + nCount] = m_pData[i];
    }
    for (INT_PTR i = 0; i < nCount; ++i)
        m_pData[nIndex + i] = element;
}

void CStringArray::RemoveAt(INT_PTR nIndex, INT_PTR nCount)
{
    if (nIndex < 0 || nCount <= 0 || nIndex >= m_nSize)
        return;
    if (nCount > m_nSize - nIndex)
        nCount = m_nSize - nIndex;
    for (INT_PTR i = nIndex; i + nCount < m_nSize; ++i)
        m_pData[i] = m_pData[i + nCount];
    SetSize(m_nSize - nCount);
}
