#include "HandleMap.h"

CHandleMap::CHandleMap(PFN_NEW_WRAPPER pfnNew, PFN_RELEASE_WRAPPER pfnRelease)
    : m_pfnNew(pfnNew), m_pfnRelease(pfnRelease)
{
}

CHandleMap::~CHandleMap()
{
    DeleteTemp();
}

CObject* CHandleMap::FromHandle(HANDLE h)
{
    if (h == NULL)
        return NULL;
    if (CObject* pObject = LookupPermanent(h))
        return pObject;
    if (CObject* pObject = LookupTemporary(h))
        return pObject;
    CObject* pObject = m_pfnNew(h);
    m_temporary[h] = pObject;
    return pObject;
}

CObject* CHandleMap::LookupPermanent(HANDLE h) const
{
    auto it = m_permanent.find(h);
    return it == m_permanent.end() ? NULL : it->second;
}

CObject* CHandleMap::LookupTemporary(HANDLE h) const
{
    auto it = m_temporary.find(h);
    return it == m_temporary.end() ? NULL : it->second;
}

void CHandleMap::SetPermanent(HANDLE h, CObject* pObject)
{
    m_permanent[h] = pObject;
}

void CHandleMap::RemoveHandle(HANDLE h, CObject* pObject)
{
    auto it = m_permanent.find(h);
    if (it != m_permanent.end() && it->second == pObject)
        m_permanent.erase(it);
    it = m_temporary.find(h);
    if (it != m_temporary.end() && it->second == pObject)
        m_temporary.erase(it);
}

void CHandleMap::DeleteTemp()
{
    // Swap first: releasing a wrapper may call back into RemoveHandle.
    std::unordered_map<HANDLE, CObject*> temporary;
    temporary.swap(m_temporary);
    for (auto& entry : temporary)
    {
        m_pfnRelease(entry.second);
        delete entry.second;
    }
}
