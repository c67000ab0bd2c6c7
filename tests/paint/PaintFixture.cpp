#include "PaintFixture.h"

BEGIN_MESSAGE_MAP(CTestOwnerFrame, CFrameWnd)
    ON_MESSAGE(WM_SETMESSAGESTRING, OnRecordMessageString)
END_MESSAGE_MAP()

int CTestOwnerFrame::Count(UINT code) const
{
    int n = 0;
    for (const Notification& item : m_notifications)
        if (item.code == code)
            n++;
    return n;
}

std::vector<UINT> CTestOwnerFrame::Codes() const
{
    std::vector<UINT> codes;
    for (const Notification& item : m_notifications)
        codes.push_back(item.code);
    return codes;
}

void CTestOwnerFrame::ClearRecords()
{
    m_notifications.clear();
    m_statusTexts.clear();
}

LRESULT CTestOwnerFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // Recorded here rather than in a map entry: every WM_NOTIFY counts, whatever routes it.
    if (message == WM_NOTIFY && lParam != 0)
    {
        const NMHDR* pHdr = (const NMHDR*)lParam;
        m_notifications.push_back({ pHdr->code, pHdr->idFrom, pHdr->hwndFrom, wParam });
    }
    return CFrameWnd::WindowProc(message, wParam, lParam);
}

LRESULT CTestOwnerFrame::OnRecordMessageString(WPARAM wParam, LPARAM lParam)
{
    CString text;
    if (wParam != 0)
        text.LoadString((UINT)wParam);
    else if (lParam != 0)
        text = (LPCTSTR)lParam;
    m_statusTexts.push_back((LPCTSTR)text);
    return 0;
}

namespace
{
// One frame serves every test: destroying a shown top-level window costs Wine about 2 s
// under Xvfb, so it is made once and destroyed after the last test.
CTestOwnerFrame* s_pSharedFrame = nullptr;

class CSharedFrameEnvironment : public ::testing::Environment
{
public:
    void TearDown() override
    {
        if (s_pSharedFrame != nullptr && ::IsWindow(s_pSharedFrame->m_hWnd))
            s_pSharedFrame->DestroyWindow();   // the frame deletes itself
        s_pSharedFrame = nullptr;
    }
};

::testing::Environment* const s_pFrameEnvironment =
    ::testing::AddGlobalTestEnvironment(new CSharedFrameEnvironment);
}

void PaintFixture::SetUp()
{
    m_pOldMainWnd = AfxGetApp()->m_pMainWnd;
    if (s_pSharedFrame == nullptr || !::IsWindow(s_pSharedFrame->m_hWnd))
    {
        s_pSharedFrame = new CTestOwnerFrame;
        CRect rcFrame(0, 0, kClientWidth + 40, kClientHeight + 40);
        ASSERT_TRUE(s_pSharedFrame->Create(NULL, "Paint control test",
                                           WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, rcFrame));
    }
    m_pFrame = s_pSharedFrame;
    AfxGetApp()->m_pMainWnd = m_pFrame;
    m_pFrame->ShowWindow(SW_SHOW);
    ::SetForegroundWindow(m_pFrame->m_hWnd);
    ASSERT_TRUE(CreateControl(kClientWidth, kClientHeight));
    PumpMessages();
    ClearRecords();
}

void PaintFixture::TearDown()
{
    DestroyControl();
    AfxGetApp()->m_pMainWnd = m_pOldMainWnd;
    SetKeyState(VK_CONTROL, false);
    SetKeyState(VK_MENU, false);
    SetKeyState(VK_SHIFT, false);
    PumpMessages();
    if (m_pFrame != nullptr && ::IsWindow(m_pFrame->m_hWnd))
        m_pFrame->ClearRecords();
}

bool PaintFixture::CreateControl(int cx, int cy, UINT nID, DWORD dwStyle)
{
    DestroyControl();
    // The window rectangle around a client area of cx x cy: the scroll bars are hidden
    // until an image needs them, so only the border counts.
    CRect rc(0, 0, cx, cy);
    ::AdjustWindowRectEx(&rc, dwStyle & ~(WS_HSCROLL | WS_VSCROLL), FALSE, 0);
    rc.OffsetRect(10 - rc.left, 10 - rc.top);
    // The frame (a popup: client = window) at the top-left of the screen, the control inside.
    ::SetWindowPos(m_pFrame->m_hWnd, HWND_TOP, 0, 0, rc.right + 10, rc.bottom + 10, SWP_SHOWWINDOW);
    m_pCtrl = NewControl();
    if (!m_pCtrl->Create(rc, m_pFrame, nID, dwStyle))
        return false;
    PumpMessages();
    return true;
}

void PaintFixture::DestroyControl()
{
    if (m_pCtrl == nullptr)
        return;
    if (::IsWindow(m_pCtrl->m_hWnd))
        m_pCtrl->DestroyWindow();
    delete m_pCtrl;
    m_pCtrl = nullptr;
}

bool PaintFixture::GiveImage(int cx, int cy, int nBits, COLORREF cr)
{
    CDIBSection* pImage = m_pCtrl->GetDIBsection();
    if (!pImage->CreateBitmap(cx, cy, 1, nBits) || !pImage->Clear(cr))
        return false;
    m_pCtrl->ClearUndoList();
    m_pCtrl->ResetSelectionRect();
    m_pCtrl->ResetScrollBars();
    m_pCtrl->Invalidate();
    m_pCtrl->UpdateWindow();
    PumpMessages();
    ClearRecords();
    return true;
}

void PaintFixture::LButtonDown(int x, int y, UINT nFlags)
{
    m_pCtrl->SendMessage(WM_LBUTTONDOWN, nFlags, MAKELPARAM((WORD)x, (WORD)y));
}

void PaintFixture::MouseMove(int x, int y, UINT nFlags)
{
    m_pCtrl->SendMessage(WM_MOUSEMOVE, nFlags, MAKELPARAM((WORD)x, (WORD)y));
}

void PaintFixture::LButtonUp(int x, int y, UINT nFlags)
{
    m_pCtrl->SendMessage(WM_LBUTTONUP, nFlags, MAKELPARAM((WORD)x, (WORD)y));
}

void PaintFixture::RButtonUp(int x, int y, UINT nFlags)
{
    m_pCtrl->SendMessage(WM_RBUTTONUP, nFlags, MAKELPARAM((WORD)x, (WORD)y));
}

void PaintFixture::Drag(CPoint from, CPoint to, const std::vector<CPoint>& path)
{
    LButtonDown(from.x, from.y);
    for (const CPoint& pt : path)
        MouseMove(pt.x, pt.y);
    MouseMove(to.x, to.y);
    LButtonUp(to.x, to.y);
}

void PaintFixture::KeyDown(UINT nVirtKey, UINT nRepeat)
{
    m_pCtrl->SendMessage(WM_KEYDOWN, nVirtKey, (LPARAM)(nRepeat & 0xFFFF));
}

void PaintFixture::Char(UINT nChar, UINT nRepeat)
{
    m_pCtrl->SendMessage(WM_CHAR, nChar, (LPARAM)(nRepeat & 0xFFFF));
}

void PaintFixture::SetKeyState(int nVirtKey, bool bDown)
{
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    keys[nVirtKey] = bDown ? 0x80 : 0;
    ::SetKeyboardState(keys);
}

void PaintFixture::PumpMessages()
{
    MSG msg;
    while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
    {
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
}

void PaintFixture::PumpFor(DWORD dwMilliseconds)
{
    PumpUntil([] { return false; }, dwMilliseconds);
}

bool PaintFixture::PumpUntil(const std::function<bool()>& pred, DWORD dwTimeoutMs)
{
    const DWORD dwStart = ::GetTickCount();
    for (;;)
    {
        PumpMessages();
        if (pred())
            return true;
        DWORD dwElapsed = ::GetTickCount() - dwStart;
        if (dwElapsed >= dwTimeoutMs)
            return false;
        ::MsgWaitForMultipleObjects(0, NULL, FALSE, dwTimeoutMs - dwElapsed, QS_ALLINPUT);
    }
}

COLORREF PaintFixture::ScreenPixel(int x, int y)
{
    HDC hdc = ::GetDC(m_pCtrl->m_hWnd);
    COLORREF cr = ::GetPixel(hdc, x, y);
    ::ReleaseDC(m_pCtrl->m_hWnd, hdc);
    return cr;
}

CRect PaintFixture::ClientRect() const
{
    CRect rc;
    m_pCtrl->GetClientRect(&rc);
    return rc;
}
