// Windows and applications: command targets, CWnd, CWinThread and CWinApp, message boxes and
// window-class registration; includes the GDI wrappers, geometry, state and extension modules.
#pragma once
#include "afx.h"
#include "afxcoll.h"
#include "afxtypes_.h"
#include "afxgdi_.h"
#include "afxstat_.h"
#include "afxdll_.h"
#include "afxres.h"

class CWnd;

// Handle of a window object that may be NULL (see _AfxGdiHandle).
AFX_FW_API HWND AFXAPI _AfxWndHandle(const CWnd* pWnd);

class AFX_FW_CLASS CCmdTarget : public CObject
{
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() {}
    virtual ~CCmdTarget() {}
};

// A window object attached to an HWND. Objects attached with Attach are permanent;
// FromHandle hands out temporary ones for windows that no object holds.
class AFX_FW_CLASS CWnd : public CCmdTarget
{
    DECLARE_DYNCREATE(CWnd)
public:
    CWnd() : m_hWnd(NULL) {}
    virtual ~CWnd();

    static CWnd* PASCAL FromHandle(HWND hWnd);
    static CWnd* PASCAL FromHandlePermanent(HWND hWnd);
    static void PASCAL DeleteTempMap();
    BOOL Attach(HWND hWndNew);
    HWND Detach();
    HWND GetSafeHwnd() const { return _AfxWndHandle(this); }
    operator HWND() const { return GetSafeHwnd(); }

    virtual BOOL DestroyWindow();
    void GetClientRect(LPRECT lpRect) const { ::GetClientRect(m_hWnd, lpRect); }
    void GetWindowRect(LPRECT lpRect) const { ::GetWindowRect(m_hWnd, lpRect); }
    CDC* GetDC() { return CDC::FromHandle(::GetDC(m_hWnd)); }
    int ReleaseDC(CDC* pDC) { return ::ReleaseDC(m_hWnd, pDC->GetSafeHdc()); }
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return ::SendMessage(m_hWnd, message, wParam, lParam);
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return ::PostMessage(m_hWnd, message, wParam, lParam);
    }

    HWND m_hWnd;
};

class AFX_FW_CLASS CWinThread : public CCmdTarget
{
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread();
    virtual ~CWinThread();

    virtual CWnd* GetMainWnd() { return m_pMainWnd; }
    virtual BOOL InitInstance() { return FALSE; }
    virtual int ExitInstance() { return 0; }
    // Idle processing; returns TRUE while more idle work remains. Count 0 frees temporary maps.
    virtual BOOL OnIdle(LONG lCount);

    CWnd* m_pMainWnd;
    HANDLE m_hThread;
    DWORD m_nThreadID;
};

class AFX_FW_CLASS CWinApp : public CWinThread
{
    DECLARE_DYNAMIC(CWinApp)
public:
    explicit CWinApp(LPCTSTR lpszAppName = NULL);
    virtual ~CWinApp();

    // Every AfxMessageBox goes through here; an application may override it.
    virtual int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt);

    LPCTSTR m_pszAppName;
    HINSTANCE m_hInstance;
    LPCTSTR m_pszRegistryKey;
    LPCTSTR m_pszProfileName;
    LPCTSTR m_pszExeName;
};

AFX_FW_API CWinApp* AFXAPI AfxGetApp();
AFX_FW_API CWinThread* AFXAPI AfxGetThread();
AFX_FW_API LPCTSTR AFXAPI AfxGetAppName();
AFX_FW_API CWnd* AFXAPI AfxGetMainWnd();

// Shows a message box through the application (its DoMessageBox), or directly when there is none.
AFX_FW_API int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
AFX_FW_API int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);

// TRUE at once when the class is already registered for its instance, else RegisterClass.
AFX_FW_API BOOL AFXAPI AfxRegisterClass(WNDCLASS* lpWndClass);
