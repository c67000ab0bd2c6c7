// CObject and run-time class information.
#include <afxwin.h>
#include <string.h>

// narrow: run-time class names are char text (RUNTIME_CLASS names are made the same way)
CRuntimeClass CObject::classCObject = { "CObject", (int)sizeof(CObject), 0xFFFF, NULL, &CObject::_GetBaseClass, NULL };
static const AFX_CLASSINIT _init_CObject(&CObject::classCObject);

CRuntimeClass* PASCAL CObject::_GetBaseClass()
{
    return NULL;
}

CObject::~CObject()
{
}

CRuntimeClass* CObject::GetRuntimeClass() const
{
    return &CObject::classCObject;
}

void CObject::Serialize(CArchive&)
{
}

void CObject::AssertValid() const
{
}

void CObject::Dump(CDumpContext&) const
{
}

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const
{
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}

CObject* CRuntimeClass::CreateObject()
{
    if (m_pfnCreateObject == NULL)
        return NULL;
    try
    {
        return (*m_pfnCreateObject)();
    }
    catch (CException* e)
    {
        e->Delete();
        return NULL;
    }
    catch (const std::bad_alloc&)
    {
        return NULL;
    }
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const
{
    for (const CRuntimeClass* pClass = this; pClass != NULL;
         pClass = pClass->m_pfnGetBaseClass ? (*pClass->m_pfnGetBaseClass)() : NULL)
    {
        if (pClass == pBaseClass)
            return TRUE;
    }
    return FALSE;
}

CRuntimeClass* PASCAL CRuntimeClass::FromName(LPCWSTR lpszClassName)
{
    if (lpszClassName == NULL)
        return NULL;
    return FromName(CStringA(lpszClassName));
}

CRuntimeClass* PASCAL CRuntimeClass::FromName(LPCSTR lpszClassName)   // narrow: the names' own width
{
    if (lpszClassName == NULL)
        return NULL;
    for (CRuntimeClass* pClass = AfxGetModuleState()->m_pClassList; pClass != NULL; pClass = pClass->m_pNextClass)
        if (strcmp(pClass->m_lpszClassName, lpszClassName) == 0)
            return pClass;
    return NULL;
}

AFX_CLASSINIT::AFX_CLASSINIT(CRuntimeClass* pNewClass)
{
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    pNewClass->m_pNextClass = pState->m_pClassList;
    pState->m_pClassList = pNewClass;
}

CObject* AFXAPI AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject)
{
    return (pObject != NULL && pObject->IsKindOf(pClass)) ? pObject : NULL;
}
