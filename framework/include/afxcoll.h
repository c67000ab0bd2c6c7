// Collections: CStringArray.
#pragma once
#include "afx.h"

class AFX_FW_CLASS CStringArray : public CObject
{
    DECLARE_DYNAMIC(CStringArray)
public:
    CStringArray();
    virtual ~CStringArray();

    INT_PTR GetSize() const { return m_nSize; }
    INT_PTR GetCount() const { return m_nSize; }
    INT_PTR GetUpperBound() const { return m_nSize - 1; }
    BOOL IsEmpty() const { return m_nSize == 0; }
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1);
    void RemoveAll() { SetSize(0); }

    const CString& GetAt(INT_PTR nIndex) const { return m_pData[nIndex]; }
    void SetAt(INT_PTR nIndex, LPCTSTR newElement) { m_pData[nIndex] = newElement; }
    CString& ElementAt(INT_PTR nIndex) { return m_pData[nIndex]; }
    const CString& operator[](INT_PTR nIndex) const { return m_pData[nIndex]; }
    CString& operator[](INT_PTR nIndex) { return m_pData[nIndex]; }

    INT_PTR Add(LPCTSTR newElement);
    void SetAtGrow(INT_PTR nIndex, LPCTSTR newElement);
    void InsertAt(INT_PTR nIndex, LPCTSTR newElement, INT_PTR nCount = 1);
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1);

private:
    CString* m_pData;
    INT_PTR m_nSize;
    INT_PTR m_nMaxSize;
};
