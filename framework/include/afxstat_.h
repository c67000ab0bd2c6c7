// Module and thread state, and the chain of resource modules.
#pragma once
#include "afx.h"

class CWinApp;
class CWinThread;
class CDynLinkLibrary;
class COleObjectFactory;

// The process's one module state: every module (the application, extension DLLs and the
// framework itself) shares it, as extension modules share their application's state.
struct AFX_FW_CLASS AFX_MODULE_STATE
{
    CWinApp* m_pCurrentWinApp;
    HINSTANCE m_hCurrentInstanceHandle;   // the application's instance
    HINSTANCE m_hCurrentResourceHandle;   // searched first by resource look-ups
    LPCTSTR m_lpszCurrentAppName;
    CDynLinkLibrary* m_pLibraryList;      // extension modules, most recently inserted first
    CRuntimeClass* m_pClassList;          // every registered run-time class
};

// Per-thread state of the framework.
struct AFX_FW_CLASS _AFX_THREAD_STATE
{
    BOOL m_bNeedTerm;                 // OLE was initialised for this thread by AfxOleInit
    CWinThread* m_pCurrentWinThread;  // the thread's CWinThread, if any
    MSG m_lastSentMsg;                // the message being handled, for CWnd::Default
    int m_nTempMapLock;               // temporary wrappers are kept while this is non-zero
};

AFX_FW_API AFX_MODULE_STATE* AFXAPI AfxGetModuleState();
AFX_FW_API _AFX_THREAD_STATE* AFXAPI AfxGetThreadState();

AFX_FW_API HINSTANCE AFXAPI AfxGetInstanceHandle();
AFX_FW_API HINSTANCE AFXAPI AfxGetResourceHandle();
AFX_FW_API void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource);
// The module holding resource lpszName of type lpszType: the current resource module first,
// then each extension module in the chain, then the framework; the current resource module
// when none has it.
AFX_FW_API HINSTANCE AFXAPI AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType);
AFX_FW_API HINSTANCE AFXAPI AfxFindStringResourceHandle(UINT nID);
// The framework DLL's own module handle (its strings and resources).
AFX_FW_API HINSTANCE AFXAPI AfxGetFrameworkHandle();

// Initialises OLE for the calling thread and records it in the thread state.
AFX_FW_API BOOL AFXAPI AfxOleInit();
AFX_FW_API void AFXAPI AfxOleTerm(BOOL bJustRevoke = FALSE);

// Temporary wrappers made by FromHandle live until the temporary maps are unlocked at idle.
AFX_FW_API void AFXAPI AfxLockTempMaps();
AFX_FW_API BOOL AFXAPI AfxUnlockTempMaps(BOOL bDeleteTemps = TRUE);
