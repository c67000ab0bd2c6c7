// The framework DLL's entry point, the process's module state, per-thread state, the chain
// of resource modules and extension-module registration.
#include "ThreadState.h"
#include <vector>

namespace
{
HINSTANCE g_hFramework = NULL;
DWORD g_tlsIndex = TLS_OUT_OF_INDEXES;
AFX_MODULE_STATE g_moduleState = { NULL, NULL, NULL, NULL, NULL, NULL };

void FreeThreadState()
{
    if (g_tlsIndex == TLS_OUT_OF_INDEXES)
        return;
    delete static_cast<AFX_THREAD_STATE_EX*>(::TlsGetValue(g_tlsIndex));
    ::TlsSetValue(g_tlsIndex, NULL);
}

// The modules that resource look-ups search, in order: the current resource module, the
// extension modules, then the framework and other system modules.
std::vector<HINSTANCE> ResourceModules()
{
    std::vector<HINSTANCE> modules;
    modules.push_back(AfxGetResourceHandle());
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    for (CDynLinkLibrary* pDLL = pState->m_pLibraryList; pDLL != NULL; pDLL = pDLL->m_pNextDLL)
        if (!pDLL->m_bSystem && pDLL->m_hResource != NULL)
            modules.push_back(pDLL->m_hResource);
    if (g_hFramework != NULL)
        modules.push_back(g_hFramework);
    for (CDynLinkLibrary* pDLL = pState->m_pLibraryList; pDLL != NULL; pDLL = pDLL->m_pNextDLL)
        if (pDLL->m_bSystem && pDLL->m_hResource != NULL)
            modules.push_back(pDLL->m_hResource);
    return modules;
}
}

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID)
{
    switch (dwReason)
    {
    case DLL_PROCESS_ATTACH:
        g_hFramework = hInstance;
        g_tlsIndex = ::TlsAlloc();
        return g_tlsIndex != TLS_OUT_OF_INDEXES;
    case DLL_THREAD_DETACH:
        FreeThreadState();
        break;
    case DLL_PROCESS_DETACH:
        FreeThreadState();
        ::TlsFree(g_tlsIndex);
        g_tlsIndex = TLS_OUT_OF_INDEXES;
        break;
    }
    return TRUE;
}

AFX_THREAD_STATE_EX::AFX_THREAD_STATE_EX()
    : m_gdiMap(&AfxNewGdiWrapper, &AfxReleaseGdiWrapper),
      m_dcMap(&AfxNewDCWrapper, &AfxReleaseDCWrapper),
      m_wndMap(&AfxNewWndWrapper, &AfxReleaseWndWrapper),
      m_menuMap(&AfxNewMenuWrapper, &AfxReleaseMenuWrapper)
{
    m_bNeedTerm = FALSE;
    m_pCurrentWinThread = NULL;
    ::ZeroMemory(&m_lastSentMsg, sizeof(m_lastSentMsg));
    m_nTempMapLock = 0;
    m_pWndInit = NULL;
    m_hHookOldCbtFilter = NULL;
}

AFX_THREAD_STATE_EX* AfxGetThreadStateEx()
{
    auto* pState = static_cast<AFX_THREAD_STATE_EX*>(::TlsGetValue(g_tlsIndex));
    if (pState == NULL)
    {
        pState = new AFX_THREAD_STATE_EX;
        ::TlsSetValue(g_tlsIndex, pState);
    }
    return pState;
}

_AFX_THREAD_STATE* AFXAPI AfxGetThreadState()
{
    return AfxGetThreadStateEx();
}

AFX_MODULE_STATE* AFXAPI AfxGetModuleState()
{
    if (g_moduleState.m_hCurrentInstanceHandle == NULL)
        g_moduleState.m_hCurrentInstanceHandle = ::GetModuleHandle(NULL);
    if (g_moduleState.m_hCurrentResourceHandle == NULL)
        g_moduleState.m_hCurrentResourceHandle = g_moduleState.m_hCurrentInstanceHandle;
    return &g_moduleState;
}

HINSTANCE AFXAPI AfxGetInstanceHandle()
{
    return AfxGetModuleState()->m_hCurrentInstanceHandle;
}

HINSTANCE AFXAPI AfxGetResourceHandle()
{
    return AfxGetModuleState()->m_hCurrentResourceHandle;
}

void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource)
{
    AfxGetModuleState()->m_hCurrentResourceHandle = hInstResource;
}

HINSTANCE AFXAPI AfxGetFrameworkHandle()
{
    return g_hFramework;
}

HINSTANCE AFXAPI AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType)
{
    for (HINSTANCE hModule : ResourceModules())
        if (::FindResource(hModule, lpszName, lpszType) != NULL)
            return hModule;
    return AfxGetResourceHandle();
}

HINSTANCE AFXAPI AfxFindStringResourceHandle(UINT nID)
{
    TCHAR szProbe[2];
    for (HINSTANCE hModule : ResourceModules())
        if (::LoadString(hModule, nID, szProbe, 2) > 0)
            return hModule;
    return NULL;
}

/////////////////////////////////////////////////////////////////////////////
// Extension modules

IMPLEMENT_DYNAMIC(CDynLinkLibrary, CObject)

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL bSystem)
    : m_hModule(state.hModule), m_hResource(state.hResource), m_bSystem(bSystem), m_pNextDLL(NULL)
{
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    m_pNextDLL = pState->m_pLibraryList;
    pState->m_pLibraryList = this;
}

CDynLinkLibrary::CDynLinkLibrary(HINSTANCE hModule, HINSTANCE hResource)
    : m_hModule(hModule), m_hResource(hResource), m_bSystem(FALSE), m_pNextDLL(NULL)
{
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    m_pNextDLL = pState->m_pLibraryList;
    pState->m_pLibraryList = this;
}

CDynLinkLibrary::~CDynLinkLibrary()
{
    for (CDynLinkLibrary** ppLink = &AfxGetModuleState()->m_pLibraryList; *ppLink != NULL;
         ppLink = &(*ppLink)->m_pNextDLL)
    {
        if (*ppLink == this)
        {
            *ppLink = m_pNextDLL;
            break;
        }
    }
}

BOOL AFXAPI AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule)
{
    if (state.bInitialized)
        return FALSE;
    state.hModule = hModule;
    state.hResource = hModule;
    state.pFirstSharedClass = NULL;
    state.pFirstSharedFactory = NULL;
    state.bInitialized = TRUE;
    return TRUE;
}

void AFXAPI AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll)
{
    if (!state.bInitialized)
        return;
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    CDynLinkLibrary* pDLL = pState->m_pLibraryList;
    while (pDLL != NULL)
    {
        CDynLinkLibrary* pNext = pDLL->m_pNextDLL;
        if (bAll || pDLL->m_hModule == state.hModule)
            delete pDLL;
        pDLL = pNext;
    }
    state.bInitialized = FALSE;
}

/////////////////////////////////////////////////////////////////////////////
// OLE and temporary maps

BOOL AFXAPI AfxOleInit()
{
    _AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pState->m_bNeedTerm)
        return TRUE;
    if (FAILED(::OleInitialize(NULL)))
        return FALSE;
    pState->m_bNeedTerm = TRUE;
    return TRUE;
}

void AFXAPI AfxOleTerm(BOOL bJustRevoke)
{
    _AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (!bJustRevoke && pState->m_bNeedTerm)
    {
        ::OleUninitialize();
        pState->m_bNeedTerm = FALSE;
    }
}

void AFXAPI AfxLockTempMaps()
{
    ++AfxGetThreadStateEx()->m_nTempMapLock;
}

BOOL AFXAPI AfxUnlockTempMaps(BOOL bDeleteTemps)
{
    AFX_THREAD_STATE_EX* pState = AfxGetThreadStateEx();
    if (pState->m_nTempMapLock > 0)
        --pState->m_nTempMapLock;
    if (pState->m_nTempMapLock != 0 || !bDeleteTemps)
        return FALSE;
    pState->m_wndMap.DeleteTemp();
    pState->m_menuMap.DeleteTemp();
    pState->m_dcMap.DeleteTemp();
    pState->m_gdiMap.DeleteTemp();
    return TRUE;
}
