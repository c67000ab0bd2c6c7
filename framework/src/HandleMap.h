// Maps from Win32 handles to the wrapper objects that hold them. Permanent entries belong
// to wrappers made by the program; temporary entries are wrappers that FromHandle created
// for handles nobody wraps, deleted (without their handles) by DeleteTemp.
#pragma once
#include <afx.h>
#include <unordered_map>

class CHandleMap
{
public:
    typedef CObject* (*PFN_NEW_WRAPPER)(HANDLE h);    // a wrapper holding h
    typedef void (*PFN_RELEASE_WRAPPER)(CObject* p);  // clears the handle(s) of a temporary

    CHandleMap(PFN_NEW_WRAPPER pfnNew, PFN_RELEASE_WRAPPER pfnRelease);
    ~CHandleMap();

    CObject* FromHandle(HANDLE h);
    CObject* LookupPermanent(HANDLE h) const;
    CObject* LookupTemporary(HANDLE h) const;
    void SetPermanent(HANDLE h, CObject* pObject);
    // Removes h only when it is held by pObject (two wrappers may have held one handle).
    void RemoveHandle(HANDLE h, CObject* pObject);
    void DeleteTemp();
    size_t TemporaryCount() const { return m_temporary.size(); }

private:
    std::unordered_map<HANDLE, CObject*> m_permanent;
    std::unordered_map<HANDLE, CObject*> m_temporary;
    PFN_NEW_WRAPPER m_pfnNew;
    PFN_RELEASE_WRAPPER m_pfnRelease;
};
