#include "PaintFixture.h"

// Recorded here rather than in map entries: every WM_NOTIFY counts, whatever routes it.
LRESULT CTestOwnerFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NOTIFY && lParam != 0)
    {
        m_lastHeader = *(const NMHDR*)lParam;
        m_lastWParam = wParam;
        m_codes.push_back(m_lastHeader.code);
    }
    if (message == WM_SETMESSAGESTRING)
    {
        CString text;
        if (wParam != 0)
            text.LoadString((UINT)wParam);
        else if (lParam != 0)
            text = (LPCTSTR)lParam;
        m_statusTexts.push_back(text);
    }
    return CFrameWnd::WindowProc(message, wParam, lParam);
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
        ASSERT_TRUE(s_pSharedFrame->Create(NULL, _T("Paint control test"), WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                                           CRect(0, 0, kClientWidth + 40, kClientHeight + 40)));
    }
    m_pFrame = s_pSharedFrame;
    AfxGetApp()->m_pMainWnd = m_pFrame;
    ::SetForegroundWindow(m_pFrame->m_hWnd);
    // The pointer waits far from the control: tests that drive the control with messages must
    // not meet moves of the real pointer, which earlier tests may have left over it.
    ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);

    // The window rectangle around the client area: the scroll bars are hidden until an image
    // needs them, so only the border counts. The frame (a popup: client = window) holds it.
    CRect rc(0, 0, kClientWidth, kClientHeight);
    ::AdjustWindowRectEx(&rc, kCtrlStyle & ~(WS_HSCROLL | WS_VSCROLL), FALSE, 0);
    rc.OffsetRect(10 - rc.left, 10 - rc.top);
    ::SetWindowPos(m_pFrame->m_hWnd, HWND_TOP, 0, 0, rc.right + 10, rc.bottom + 10, SWP_SHOWWINDOW);
    m_pCtrl = new CTestPntCtrl;
    ASSERT_TRUE(m_pCtrl->Create(rc, m_pFrame, kCtrlId, kCtrlStyle));
    PumpMessages();
    ClearRecords();
}

void PaintFixture::TearDown()
{
    if (m_pCtrl != nullptr && ::IsWindow(m_pCtrl->m_hWnd))
        m_pCtrl->DestroyWindow();
    delete m_pCtrl;
    m_pCtrl = nullptr;
    AfxGetApp()->m_pMainWnd = m_pOldMainWnd;
    SetKeyState(VK_CONTROL, false);
    SetKeyState(VK_MENU, false);
}

bool PaintFixture::GiveImage(int cx, int cy, int nBits, COLORREF cr)
{
    if (!m_pCtrl->CreateBitmap(cx, cy, 1, nBits, NULL, NULL) || !m_pCtrl->GetDIBsection()->Clear(cr))
        return false;
    m_pCtrl->UpdateWindow();
    PumpMessages();
    ClearRecords();
    return true;
}

void PaintFixture::Drag(CPoint from, CPoint to, const std::vector<CPoint>& path)
{
    Down(from);
    for (const CPoint& pt : path)
        Move(pt);
    Move(to);
    Up(to);
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

bool PaintFixture::PointerOver(HWND hWnd)
{
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    CPoint pt = rc.CenterPoint();
    ::SetCursorPos(pt.x, pt.y);
    m_pFrame->PostMessage(WM_NULL);
    PumpMessages();
    DWORD dwPos = ::GetMessagePos();
    return CPoint((short)LOWORD(dwPos), (short)HIWORD(dwPos)) == pt;
}

bool PaintFixture::PumpUntil(const std::function<bool()>& pred, DWORD dwTimeoutMs)
{
    for (const DWORD dwStart = ::GetTickCount(); ::GetTickCount() - dwStart < dwTimeoutMs; ::Sleep(1))
    {
        PumpMessages();
        if (pred())
            return true;
    }
    return pred();
}

COLORREF PaintFixture::ScreenPixel(int x, int y)
{
    HDC hdc = ::GetDC(m_pCtrl->m_hWnd);
    COLORREF cr = ::GetPixel(hdc, x, y);
    ::ReleaseDC(m_pCtrl->m_hWnd, hdc);
    return cr;
}

int PaintFixture::PixelsOtherThan(COLORREF cr)
{
    int n = 0;
    CDIBSection* pImage = m_pCtrl->GetDIBsection();
    for (int y = 0; y < pImage->GetHeight(); y++)
        for (int x = 0; x < pImage->GetWidth(); x++)
            n += ImagePixel(x, y) != cr;
    return n;
}
