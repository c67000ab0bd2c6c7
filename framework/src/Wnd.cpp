// Window objects and their handle map.
#include "ThreadState.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)
IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

CObject* AfxNewWndWrapper(HANDLE h)
{
    CWnd* pWnd = new CWnd;
    pWnd->m_hWnd = (HWND)h;
    return pWnd;
}

void AfxReleaseWndWrapper(CObject* pObject)
{
    static_cast<CWnd*>(pObject)->m_hWnd = NULL;
}

HWND AFXAPI _AfxWndHandle(const CWnd* pWnd)
{
    return pWnd == NULL ? NULL : pWnd->m_hWnd;
}

CWnd::~CWnd()
{
    if (m_hWnd != NULL)
    {
        AfxGetThreadStateEx()->m_wndMap.RemoveHandle(m_hWnd, this);
        m_hWnd = NULL;
    }
}

CWnd* PASCAL CWnd::FromHandle(HWND hWnd)
{
    return static_cast<CWnd*>(AfxGetThreadStateEx()->m_wndMap.FromHandle(hWnd));
}

CWnd* PASCAL CWnd::FromHandlePermanent(HWND hWnd)
{
    return static_cast<CWnd*>(AfxGetThreadStateEx()->m_wndMap.LookupPermanent(hWnd));
}

void PASCAL CWnd::DeleteTempMap()
{
    AfxGetThreadStateEx()->m_wndMap.DeleteTemp();
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (hWndNew == NULL)
        return FALSE;
    m_hWnd = hWndNew;
    AfxGetThreadStateEx()->m_wndMap.SetPermanent(hWndNew, this);
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd != NULL)
        AfxGetThreadStateEx()->m_wndMap.RemoveHandle(hWnd, this);
    m_hWnd = NULL;
    return hWnd;
}

BOOL CWnd::DestroyWindow()
{
    if (m_hWnd == NULL)
        return FALSE;
    HWND hWnd = Detach();
    return ::DestroyWindow(hWnd);
}
