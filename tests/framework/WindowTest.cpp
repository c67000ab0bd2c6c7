// Windows and message maps: creation through the hook, typed handlers, chaining to the base
// class's map, default processing with the original parameters, subclassing, command and
// notification routing, frames and the message loop.
#include <afxwin.h>
#include <commctrl.h>
#include <gtest/gtest.h>
#include "tests/common/TestEnvironment.h"
#include <algorithm>
#include <string>
#include <vector>

namespace
{
const UINT kRegisteredMessage = ::RegisterWindowMessageA("MFCX_TEST_REGISTERED");
const UINT kRegisteredCode = ::RegisterWindowMessageA("MFCX_TEST_NOTIFY_CODE");
const UINT kCommandFirst = 1000;

LPCTSTR TestClassName()
{
    static LPCTSTR pszName = [] {
        WNDCLASS wc = {};
        wc.lpfnWndProc = ::DefWindowProc;
        wc.hInstance = AfxGetInstanceHandle();
        wc.hCursor = ::LoadCursor(NULL, IDC_ARROW);
        wc.lpszClassName = _T("MfcxTestWindow");
        AfxRegisterClass(&wc);
        return _T("MfcxTestWindow");
    }();
    return pszName;
}

class CBaseTestWnd : public CWnd
{
public:
    std::vector<std::string> m_events;
    BOOL m_bFailCreate = FALSE;

    void Record(const std::string& text) { m_events.push_back(text); }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        Record("create " + std::string(CStringA(lpCreateStruct->lpszName)));
        return m_bFailCreate ? -1 : CWnd::OnCreate(lpCreateStruct);
    }
    afx_msg void OnSize(UINT nType, int cx, int cy)
    {
        Record("size " + std::to_string(nType) + " " + std::to_string(cx) + "x" + std::to_string(cy));
        CWnd::OnSize(nType, cx, cy);
    }
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point)
    {
        Record("base down " + std::to_string(nFlags) + " " + std::to_string(point.x) + "," + std::to_string(point.y));
    }
    afx_msg void OnMouseMove(UINT, CPoint point)
    {
        Record("base move " + std::to_string(point.x) + "," + std::to_string(point.y));
    }
    afx_msg LRESULT OnRegistered(WPARAM wParam, LPARAM lParam)
    {
        Record("registered " + std::to_string(wParam));
        return lParam * 2;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseTestWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_REGISTERED_MESSAGE(kRegisteredMessage, OnRegistered)
END_MESSAGE_MAP()

// Handles mouse moves itself and leaves button presses to its base class's map; routes
// commands, their updates and notifications.
class CDerivedTestWnd : public CBaseTestWnd
{
public:
    BOOL m_bCanDoFirst = TRUE;
    int m_nUndoCalls = 0;

    afx_msg void OnEditUndo() { ++m_nUndoCalls; }

protected:
    afx_msg void OnMouseMove(UINT, CPoint point)
    {
        Record("derived move " + std::to_string(point.x) + "," + std::to_string(point.y));
    }
    afx_msg void OnCommandRange(UINT nID) { Record("command " + std::to_string(nID)); }
    afx_msg void OnUpdateFirst(CCmdUI* pCmdUI) { pCmdUI->Enable(m_bCanDoFirst); }
    afx_msg void OnTestNotify(NMHDR* pNMHDR, LRESULT* pResult)
    {
        Record("notify " + std::to_string(pNMHDR->idFrom));
        *pResult = 42;
    }
    afx_msg void OnTimer(UINT_PTR nIDEvent)
    {
        Record("timer " + std::to_string(nIDEvent));
        KillTimer(nIDEvent);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedTestWnd, CBaseTestWnd)
    ON_WM_MOUSEMOVE()
    ON_WM_TIMER()
    ON_COMMAND(ID_EDIT_UNDO, &CDerivedTestWnd::OnEditUndo)
    ON_COMMAND_RANGE(kCommandFirst, kCommandFirst + 9, OnCommandRange)
    ON_UPDATE_COMMAND_UI(kCommandFirst, OnUpdateFirst)
    ON_NOTIFY(kRegisteredCode, 77, OnTestNotify)
END_MESSAGE_MAP()

// Changes the character it is given, then asks for default processing: the edit control
// must still receive the character as it was sent.
class CEditSpy : public CWnd
{
public:
    int m_nChars = 0;

protected:
    afx_msg void OnChar(UINT, UINT nRepCnt, UINT nFlags)
    {
        ++m_nChars;
        CWnd::OnChar('z', nRepCnt, nFlags);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CEditSpy, CWnd)
    ON_WM_CHAR()
END_MESSAGE_MAP()

class CThrowingWnd : public CWnd
{
protected:
    afx_msg void OnLButtonDown(UINT, CPoint) { AfxThrowResourceException(); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CThrowingWnd, CWnd)
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

struct CountingFrame : public CFrameWnd
{
    static int s_nDeleted;
    ~CountingFrame() { ++s_nDeleted; }
};
int CountingFrame::s_nDeleted = 0;

// Records the idle update that the message loop sends to the main window's children, and
// ends the loop at the first one.
class CIdleSpy : public CWnd
{
public:
    int m_nIdleUpdates = 0;

protected:
    afx_msg LRESULT OnIdleUpdate(WPARAM, LPARAM)
    {
        if (m_nIdleUpdates++ == 0)
            ::PostQuitMessage(7);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CIdleSpy, CWnd)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdate)
END_MESSAGE_MAP()

void PumpPending()
{
    MSG msg;
    while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
    {
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
}
}

TEST(Windows, CreationRunsTheMapFromTheFirstMessage)
{
    CBaseTestWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, TestClassName(), _T("first"), WS_OVERLAPPED, 10, 10, 200, 100, NULL, NULL));
    ASSERT_NE(nullptr, wnd.m_hWnd);
    EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(wnd.m_hWnd));
    ASSERT_FALSE(wnd.m_events.empty());
    EXPECT_EQ("create first", wnd.m_events[0]);   // WM_CREATE reached the map

    wnd.m_events.clear();
    ::SetWindowPos(wnd.m_hWnd, NULL, 0, 0, 300, 150, SWP_NOMOVE | SWP_NOZORDER);
    CRect rc;
    wnd.GetClientRect(&rc);
    ASSERT_FALSE(wnd.m_events.empty());
    EXPECT_EQ("size 0 " + std::to_string(rc.Width()) + "x" + std::to_string(rc.Height()), wnd.m_events.back());

    EXPECT_EQ(14, wnd.SendMessage(kRegisteredMessage, 3, 7));
    EXPECT_EQ("registered 3", wnd.m_events.back());

    HWND hWnd = wnd.m_hWnd;
    EXPECT_TRUE(wnd.DestroyWindow());
    EXPECT_EQ(nullptr, wnd.m_hWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
}

TEST(Windows, AFailedCreateLeavesTheObjectReusable)
{
    CBaseTestWnd wnd;
    wnd.m_bFailCreate = TRUE;
    EXPECT_FALSE(wnd.CreateEx(0, TestClassName(), _T("refused"), WS_OVERLAPPED, 0, 0, 50, 50, NULL, NULL));
    EXPECT_EQ(nullptr, wnd.m_hWnd);
    EXPECT_FALSE(wnd.CreateEx(0, _T("NoSuchWindowClass"), _T("x"), WS_OVERLAPPED, 0, 0, 50, 50, NULL, NULL));
    wnd.m_bFailCreate = FALSE;
    // No parent object at all: the null pointer stands for "no parent window".
    EXPECT_TRUE(wnd.CreateEx(0, TestClassName(), _T("second"), WS_POPUP, CRect(0, 0, 50, 50), nullptr, 0));
    EXPECT_NE(wnd.m_events.end(), std::find(wnd.m_events.begin(), wnd.m_events.end(), "create second"));
    EXPECT_EQ(nullptr, ::GetParent(wnd.m_hWnd));
}

TEST(Windows, DerivedMapsOverrideAndChainToTheirBase)
{
    CDerivedTestWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, TestClassName(), _T("derived"), WS_OVERLAPPED, 0, 0, 100, 100, NULL, NULL));
    wnd.m_events.clear();
    // Negative coordinates arrive as signed 16-bit halves.
    wnd.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM((WORD)-3, 40));
    wnd.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 6));
    ASSERT_EQ(2u, wnd.m_events.size());
    EXPECT_EQ("derived move -3,40", wnd.m_events[0]);
    EXPECT_EQ("base down 1 5,6", wnd.m_events[1]);
}

TEST(Windows, CommandsUpdatesAndNotificationsAreRouted)
{
    CDerivedTestWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, TestClassName(), _T("commands"), WS_OVERLAPPED, 0, 0, 100, 100, NULL, NULL));
    wnd.m_events.clear();

    // A handler returning BOOL is bound to a command.
    EXPECT_EQ(1, wnd.SendMessage(WM_COMMAND, MAKEWPARAM(ID_EDIT_UNDO, 0), 0));
    EXPECT_EQ(1, wnd.m_nUndoCalls);
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(kCommandFirst + 4, 0), 0);
    EXPECT_EQ("command 1004", wnd.m_events.back());
    EXPECT_EQ(0, wnd.SendMessage(WM_COMMAND, MAKEWPARAM(kCommandFirst + 10, 0), 0));   // outside the range

    // Command-UI updates: the handler decides; without one an item may be disabled.
    HWND hButton = ::CreateWindowA("BUTTON", "b", WS_CHILD, 0, 0, 10, 10, wnd.m_hWnd, NULL, NULL, NULL);
    CCmdUI state;
    state.m_pOther = CWnd::FromHandle(hButton);
    state.m_nID = kCommandFirst;
    wnd.m_bCanDoFirst = FALSE;
    EXPECT_TRUE(state.DoUpdate(&wnd, TRUE));
    EXPECT_FALSE(::IsWindowEnabled(hButton));
    wnd.m_bCanDoFirst = TRUE;
    EXPECT_TRUE(state.DoUpdate(&wnd, TRUE));
    EXPECT_TRUE(::IsWindowEnabled(hButton));
    state.m_nID = kCommandFirst + 1;              // a command handler but no update handler
    EXPECT_FALSE(state.DoUpdate(&wnd, TRUE));
    EXPECT_TRUE(::IsWindowEnabled(hButton));
    state.m_nID = 4321;                           // no handler at all
    EXPECT_FALSE(state.DoUpdate(&wnd, TRUE));
    EXPECT_FALSE(::IsWindowEnabled(hButton));
    EXPECT_FALSE(state.DoUpdate(nullptr, FALSE));

    // WM_NOTIFY with a registered code and the sender's id.
    NMHDR nmhdr = { wnd.m_hWnd, 77, kRegisteredCode };
    EXPECT_EQ(42, wnd.SendMessage(WM_NOTIFY, 77, (LPARAM)&nmhdr));
    EXPECT_EQ("notify 77", wnd.m_events.back());
    nmhdr.idFrom = 78;
    EXPECT_EQ(0, wnd.SendMessage(WM_NOTIFY, 78, (LPARAM)&nmhdr));
}

TEST(Windows, DefaultProcessingGetsTheOriginalMessage)
{
    HWND hEdit = ::CreateWindowA("EDIT", "", WS_OVERLAPPED, 0, 0, 100, 30, NULL, NULL, NULL, NULL);
    ASSERT_NE(nullptr, hEdit);
    CEditSpy spy;
    ASSERT_TRUE(spy.SubclassWindow(hEdit));
    spy.SendMessage(WM_CHAR, 'a', 1);
    spy.SendMessage(WM_CHAR, 'b', 1);
    EXPECT_EQ(2, spy.m_nChars);
    CString text;
    spy.GetWindowText(text);
    EXPECT_STREQ(_T("ab"), text);   // not "zz": the handler's parameters are not passed on

    EXPECT_EQ(hEdit, spy.UnsubclassWindow());
    ::SendMessage(hEdit, WM_CHAR, 'c', 1);
    EXPECT_EQ(2, spy.m_nChars);   // no longer routed to the object
    ::DestroyWindow(hEdit);
}

TEST(Windows, TemporaryObjectsAndHandlerExceptions)
{
    HWND hPlain = ::CreateWindow(TestClassName(), _T("plain"), WS_OVERLAPPED, 0, 0, 50, 50, NULL, NULL, NULL, NULL);
    CWnd* pTemp = CWnd::FromHandle(hPlain);
    ASSERT_NE(nullptr, pTemp);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hPlain));
    EXPECT_EQ(pTemp, CWnd::FromHandle(hPlain));
    AfxLockTempMaps();
    AfxUnlockTempMaps(TRUE);
    EXPECT_TRUE(::IsWindow(hPlain));   // freeing the wrapper leaves the window alone
    ::DestroyWindow(hPlain);

    CThrowingWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, TestClassName(), _T("throws"), WS_OVERLAPPED, 0, 0, 50, 50, NULL, NULL));
    testenv::ClearMessageBoxTexts();
    EXPECT_EQ(0, wnd.SendMessage(WM_LBUTTONDOWN, 0, 0));
    ASSERT_EQ(1u, testenv::MessageBoxTexts().size());
    EXPECT_EQ("A required resource was unavailable.", testenv::MessageBoxTexts()[0]);
}

TEST(Windows, ChildrenOwnersAndTimers)
{
    CDerivedTestWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, TestClassName(), _T("parent"), WS_OVERLAPPEDWINDOW, 0, 0, 200, 200, NULL, NULL));
    CBaseTestWnd child;
    ASSERT_TRUE(child.Create(TestClassName(), _T("child"), WS_VISIBLE, CRect(10, 10, 60, 60), &parent, 55));
    EXPECT_TRUE(child.GetStyle() & WS_CHILD);
    EXPECT_EQ(55, child.GetDlgCtrlID());
    EXPECT_EQ(&parent, child.GetParent());
    EXPECT_EQ(&parent, child.GetOwner());
    EXPECT_EQ(&child, parent.GetDlgItem(55));
    EXPECT_EQ(&parent, child.GetTopLevelParent());
    CBaseTestWnd other;
    ASSERT_TRUE(other.CreateEx(0, TestClassName(), _T("owner"), WS_OVERLAPPED, 0, 0, 20, 20, NULL, NULL));
    child.SetOwner(&other);
    EXPECT_EQ(&other, child.GetOwner());

    parent.m_events.clear();
    EXPECT_NE(0u, parent.SetTimer(9, 1, NULL));
    DWORD dwStart = ::GetTickCount();
    while (parent.m_events.empty() && ::GetTickCount() - dwStart < 2000)
    {
        PumpPending();
        ::Sleep(1);
    }
    ASSERT_FALSE(parent.m_events.empty());
    EXPECT_EQ("timer 9", parent.m_events[0]);
}

TEST(Frames, StatusTextsGoToPaneZeroAndFramesDeleteThemselves)
{
    CountingFrame::s_nDeleted = 0;
    CountingFrame* pFrame = new CountingFrame;
    ASSERT_TRUE(pFrame->Create(NULL, _T("Frame"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)));
    EXPECT_TRUE(pFrame->IsKindOf(RUNTIME_CLASS(CFrameWnd)));
    pFrame->SetMessageText(_T("no bar yet"));   // nothing to show it: no failure

    HWND hBar = ::CreateWindowA(STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, pFrame->m_hWnd,
                                (HMENU)(UINT_PTR)AFX_IDW_STATUS_BAR, NULL, NULL);
    ASSERT_NE(nullptr, hBar);
    pFrame->SetMessageText(_T("Draws using a pen with the current width."));
    char szText[128] = "";
    ::SendMessageA(hBar, SB_GETTEXTA, 0, (LPARAM)szText);
    EXPECT_STREQ("Draws using a pen with the current width.", szText);
    pFrame->SetMessageText(AFX_IDS_RESOURCE_EXCEPTION);
    ::SendMessageA(hBar, SB_GETTEXTA, 0, (LPARAM)szText);
    EXPECT_STREQ("A required resource was unavailable.", szText);

    pFrame->DestroyWindow();
    EXPECT_EQ(1, CountingFrame::s_nDeleted);
}

TEST(MessageLoop, RunsIdleUpdatesAndEndsOnQuit)
{
    CWinApp* pApp = AfxGetApp();
    CFrameWnd* pFrame = new CFrameWnd;
    ASSERT_TRUE(pFrame->Create(NULL, _T("Main"), WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 200, 150)));
    CIdleSpy spy;
    ASSERT_TRUE(spy.Create(TestClassName(), _T(""), WS_VISIBLE, CRect(0, 0, 20, 20), pFrame, 1));
    pApp->m_pMainWnd = pFrame;

    CBaseTestWnd target;
    ASSERT_TRUE(target.CreateEx(0, TestClassName(), _T("target"), WS_OVERLAPPED, 0, 0, 50, 50, NULL, NULL));
    target.m_events.clear();
    target.PostMessage(kRegisteredMessage, 5, 0);
    EXPECT_EQ(7, pApp->Run());   // the queue's message first, then idle, then the quit
    ASSERT_EQ(1u, target.m_events.size());
    EXPECT_EQ("registered 5", target.m_events[0]);
    EXPECT_GE(spy.m_nIdleUpdates, 1);

    pApp->m_pMainWnd = nullptr;
    spy.DestroyWindow();
    pFrame->DestroyWindow();
}
