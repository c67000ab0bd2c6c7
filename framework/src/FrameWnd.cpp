// CFrameWnd: a top-level frame that shows status texts in its status bar.
#include "ThreadState.h"
#include <afxext.h>

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
    ON_WM_SIZE()
    ON_WM_NCDESTROY()
    ON_WM_INITMENUPOPUP()
END_MESSAGE_MAP()

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

namespace
{
const TCHAR kFrameClassName[] = _T("MfcxFrameWnd");

BOOL RegisterFrameClass()
{
    WNDCLASS wc;
    ::ZeroMemory(&wc, sizeof(wc));
    wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = ::DefWindowProc;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hCursor = ::LoadCursor(NULL, IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    wc.lpszClassName = kFrameClassName;
    return AfxRegisterClass(&wc);
}
}

CFrameWnd::CFrameWnd() : m_hAccelTable(NULL), m_bAutoMenuEnable(TRUE)
{
}

CFrameWnd::~CFrameWnd()
{
    CWinThread* pThread = AfxGetThread();
    if (pThread != NULL && pThread->m_pMainWnd == this)
        pThread->m_pMainWnd = NULL;
}

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCTSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext)
{
    if (lpszClassName == NULL)
    {
        if (!RegisterFrameClass())
            return FALSE;
        lpszClassName = kFrameClassName;
    }
    HMENU hMenu = NULL;
    if (lpszMenuName != NULL)
    {
        hMenu = ::LoadMenu(AfxFindResourceHandle(lpszMenuName, RT_MENU), lpszMenuName);
        if (hMenu == NULL)
            return FALSE;
    }
    // The default rectangle lets the system place and size the frame.
    BOOL bDefault = ::EqualRect(&rect, &rectDefault);
    int x = bDefault ? CW_USEDEFAULT : rect.left;
    int y = bDefault ? CW_USEDEFAULT : rect.top;
    int cx = bDefault ? CW_USEDEFAULT : rect.right - rect.left;
    int cy = bDefault ? CW_USEDEFAULT : rect.bottom - rect.top;
    if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, cx, cy,
                  pParentWnd->GetSafeHwnd(), hMenu, (LPVOID)pContext))
    {
        if (hMenu != NULL)
            ::DestroyMenu(hMenu);
        return FALSE;
    }
    return TRUE;
}

void CFrameWnd::PostNcDestroy()
{
    delete this;
}

void CFrameWnd::OnNcDestroy()
{
    // The main window going away ends the application's message loop.
    CWinThread* pThread = AfxGetThread();
    if (pThread != NULL && pThread->m_pMainWnd == this)
    {
        pThread->m_pMainWnd = NULL;
        ::PostQuitMessage(0);
    }
    CWnd::OnNcDestroy();
}

void CFrameWnd::SetMessageText(LPCTSTR lpszText)
{
    SendMessage(WM_SETMESSAGESTRING, 0, (LPARAM)lpszText);
}

void CFrameWnd::SetMessageText(UINT nID)
{
    SendMessage(WM_SETMESSAGESTRING, (WPARAM)nID, 0);
}

CWnd* CFrameWnd::GetMessageBar()
{
    return GetDlgItem(AFX_IDW_STATUS_BAR);
}

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam)
{
    CString text;
    if (lParam != 0)
        text = (LPCTSTR)lParam;
    else if (wParam != 0)
        text.LoadString((UINT)wParam);
    CWnd* pBar = GetMessageBar();
    if (pBar == NULL)
        return 0;
    // A status bar keeps pane 0's style; a bare common status control takes SB_SETTEXT; any
    // other bar takes the text.
    CStatusBar* pStatusBar = DYNAMIC_DOWNCAST(CStatusBar, CWnd::FromHandlePermanent(pBar->m_hWnd));
    if (pStatusBar != NULL && pStatusBar->GetCount() > 0)
    {
        pStatusBar->SetPaneText(0, text);
        return 0;
    }
    TCHAR szClass[64] = _T("");
    ::GetClassName(pBar->m_hWnd, szClass, 64);
    if (lstrcmpi(szClass, STATUSCLASSNAME) == 0)
        pBar->SendMessage(SB_SETTEXT, 0, (LPARAM)(LPCTSTR)text);
    else
        pBar->SetWindowText(text);
    return 0;
}
