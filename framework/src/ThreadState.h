// Per-thread state of the framework, with the handle maps that wrappers are kept in.
#pragma once
#include <afxwin.h>
#include "HandleMap.h"

// Wrapper factories of the maps (defined beside each wrapper class).
CObject* AfxNewGdiWrapper(HANDLE h);
void AfxReleaseGdiWrapper(CObject* pObject);
CObject* AfxNewDCWrapper(HANDLE h);
void AfxReleaseDCWrapper(CObject* pObject);
CObject* AfxNewWndWrapper(HANDLE h);
void AfxReleaseWndWrapper(CObject* pObject);
CObject* AfxNewMenuWrapper(HANDLE h);
void AfxReleaseMenuWrapper(CObject* pObject);

struct AFX_THREAD_STATE_EX : public _AFX_THREAD_STATE
{
    CHandleMap m_gdiMap;
    CHandleMap m_dcMap;
    CHandleMap m_wndMap;
    CHandleMap m_menuMap;
    CWnd* m_pWndInit;         // the window object whose CreateWindowEx is under way
    HHOOK m_hHookOldCbtFilter;

    AFX_THREAD_STATE_EX();
};

AFX_THREAD_STATE_EX* AfxGetThreadStateEx();
