// Timings of the paint control in a real window against the shortest Win32 path to the same
// result: painting the client at 600 %, a pen stroke with its repaints, one undo step; and
// the same gestures on a small and a large picture, the large one's time against the small
// one's. Prints one table; timings are reported, never asserted: the exit code only says
// whether every case ran and checked out.
#include "bench/BenchHarness.h"
#include "paint/PntCtrl.h"
#include <psapi.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <algorithm>
#include <string>
#include <vector>

namespace
{
using namespace bench;

const int kImageSize = 2048;    // width and height of the image
const int kBits = 24;
const int kClientWidth = 1024;  // the control's client area, scroll bars excluded
const int kClientHeight = 768;
const UINT kCtrlId = 100;
const int kPaintRuns = 7;       // timed runs per paint case, after one warm-up
const int kPaintsPerRun = 10;   // repaints per run; the table shows one repaint
const int kStrokeRuns = 3;      // a stroke takes seconds: fewer runs, within a time budget
const double kStrokeBudgetMs = 15000;
const int kMoves = 1000;        // mouse moves per stroke
const int kWarmUpMoves = 50;
const double kMinMovesPerSecond = 120;
const int kUndoRuns = 7;
const COLORREF kInk = RGB(250, 20, 240);

CBenchApp theApp(_T("Paint control benchmark"));

// ---------------------------------------------------------------------------------------
// The image

size_t ImageBytes() { return (size_t)CDIBSection::BytesPerLine(kImageSize, kBits) * kImageSize; }

// Pixel (x, y) of a 24-bit bottom-up image, read from its bits; CLR_INVALID outside it.
COLORREF BitsPixel(const void* pBits, int x, int y)
{
    if (pBits == NULL || x < 0 || y < 0 || x >= kImageSize || y >= kImageSize)
        return CLR_INVALID;
    const BYTE* p = (const BYTE*)pBits
        + (size_t)CDIBSection::BytesPerLine(kImageSize, kBits) * (kImageSize - 1 - y) + 3 * x;
    return RGB(p[2], p[1], p[0]);
}

void PumpMessages()
{
    MSG msg;
    while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
    {
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
}

// ---------------------------------------------------------------------------------------
// The window: a visible top-level frame with the control as its child

// The control with the members that an image replacement uses opened to the benchmark.
class CBenchPntCtrl : public CPntCtrl
{
public:
    using CPntCtrl::ResetSelectionRect;
    using CPntCtrl::ResetScrollBars;
};

// A visible frame holding a paint control whose client area is cx x cy (before scroll bars are
// added or taken away); false, with nothing left behind, when a window cannot be made.
bool CreateFrameAndControl(LPCTSTR lpszTitle, int cx, int cy, CFrameWnd*& pFrame, CBenchPntCtrl*& pCtrl)
{
    const DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_HSCROLL | WS_VSCROLL;
    CRect rcCtrl(0, 0, cx, cy);
    ::AdjustWindowRectEx(&rcCtrl, dwStyle & ~(WS_HSCROLL | WS_VSCROLL), FALSE, 0);
    rcCtrl.OffsetRect(-rcCtrl.left, -rcCtrl.top);

    const DWORD dwFrameStyle = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
    CRect rcFrame = rcCtrl;
    ::AdjustWindowRectEx(&rcFrame, dwFrameStyle, FALSE, 0);
    rcFrame.OffsetRect(-rcFrame.left, -rcFrame.top);

    pFrame = new CFrameWnd;
    if (!pFrame->Create(NULL, lpszTitle, dwFrameStyle, rcFrame))
    {
        delete pFrame;
        pFrame = NULL;
        return false;
    }
    pCtrl = new CBenchPntCtrl;
    return pCtrl->Create(rcCtrl, pFrame, kCtrlId, dwStyle) != FALSE;
}

class CBaselineBuffer;

class CPaintBench
{
public:
    ~CPaintBench();

    // Frame, control with a 1024 x 768 client area and the 2048 x 2048 image; false on failure.
    bool Create();
    CRect ClientRect() const;
    HWND Handle() const { return m_pCtrl->m_hWnd; }

    // Puts the view at nPercent with image point ptCentre in the middle of the client area.
    bool SetView(UINT nPercent, CPoint ptCentre);
    // The image point under client point pt, and the client point of an image pixel's centre.
    CPoint ImagePoint(CPoint pt);
    CPoint ClientCentreOf(CPoint ptImage);
    // A few client points of the visible image show the image's pixels.
    bool WindowShowsImage();
    void RestorePattern();

    void BenchPaint600();
    void BenchPaint100();
    void BenchStroke();
    void BenchUndo();

private:
    bool CreateBaselineWindow();
    // Milliseconds per repaint: the control's, and the baseline's in its own window.
    double ControlPaints();
    double WindowPaints(CBaselineBuffer& buffer);
    template <class TBase>
    bool MeasurePaint(TBase baseRun, double& dOp, double& dBase);

    CFrameWnd* m_pFrame = NULL;
    CBenchPntCtrl* m_pCtrl = NULL;
    HWND m_hwndBaseline = NULL;
};

CPaintBench::~CPaintBench()
{
    if (m_hwndBaseline != NULL)
        ::DestroyWindow(m_hwndBaseline);
    if (m_pCtrl != NULL)
    {
        if (::IsWindow(m_pCtrl->m_hWnd))
            m_pCtrl->DestroyWindow();
        delete m_pCtrl;
    }
    if (m_pFrame != NULL && ::IsWindow(m_pFrame->m_hWnd))
        m_pFrame->DestroyWindow();   // the frame deletes itself
    AfxGetApp()->m_pMainWnd = NULL;
    PumpMessages();
}

CRect CPaintBench::ClientRect() const
{
    CRect rc(0, 0, 0, 0);
    ::GetClientRect(m_pCtrl->m_hWnd, &rc);
    return rc;
}

bool CPaintBench::Create()
{
    // The image is larger than the client at every magnification used here, so both scroll
    // bars show; the control is made that much larger.
    if (!CreateFrameAndControl(_T("Paint control benchmark"), kClientWidth + ::GetSystemMetrics(SM_CXVSCROLL),
                               kClientHeight + ::GetSystemMetrics(SM_CYHSCROLL), m_pFrame, m_pCtrl))
    {
        Fail(m_pFrame == NULL ? "cannot create the frame window (no display?)" : "cannot create the paint control");
        return false;
    }
    AfxGetApp()->m_pMainWnd = m_pFrame;
    ::SetForegroundWindow(m_pFrame->m_hWnd);

    // The image, given as an image replacement would: empty history, whole-image selection,
    // scroll bars sized.
    CDIBSection* pImage = m_pCtrl->GetDIBsection();
    if (!pImage->CreateBitmap(kImageSize, kImageSize, 1, kBits) || pImage->GetDIBits() == NULL)
    {
        Fail("cannot create the 2048 x 2048 image");
        return false;
    }
    RestorePattern();
    m_pCtrl->ClearUndoList();
    m_pCtrl->ResetSelectionRect();
    m_pCtrl->ResetScrollBars();

    // Scroll bar sizes may differ from the system metrics: correct the window by what is
    // missing, growing the frame alike, until the client is right.
    for (int i = 0; i < 3; i++)
    {
        CRect rc = ClientRect();
        int dx = kClientWidth - rc.Width(), dy = kClientHeight - rc.Height();
        if (dx == 0 && dy == 0)
            break;
        CRect rcWnd;
        ::GetWindowRect(m_pFrame->m_hWnd, &rcWnd);
        ::SetWindowPos(m_pFrame->m_hWnd, NULL, 0, 0, rcWnd.Width() + dx, rcWnd.Height() + dy,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        ::GetWindowRect(m_pCtrl->m_hWnd, &rcWnd);
        ::SetWindowPos(m_pCtrl->m_hWnd, NULL, 0, 0, rcWnd.Width() + dx, rcWnd.Height() + dy,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (!CreateBaselineWindow())
    {
        Fail("cannot create the baseline window");
        return false;
    }
    m_pCtrl->Invalidate();
    m_pCtrl->UpdateWindow();
    PumpMessages();
    return true;
}

void CPaintBench::RestorePattern()
{
    ::GdiFlush();
    PaintPattern((BYTE*)m_pCtrl->GetDIBits(), kImageSize);
}

CPoint CPaintBench::ImagePoint(CPoint pt)
{
    m_pCtrl->DPtoLP(&pt);
    m_pCtrl->LPtoIP(&pt);
    return pt;
}

CPoint CPaintBench::ClientCentreOf(CPoint ptImage)
{
    int nHalf = (int)m_pCtrl->GetMagnification() / 200;
    m_pCtrl->IPtoLP(&ptImage);
    m_pCtrl->LPtoDP(&ptImage);
    return ptImage + CPoint(nHalf, nHalf);
}

bool CPaintBench::SetView(UINT nPercent, CPoint ptCentre)
{
    m_pCtrl->SetMagnification(nPercent);
    if (m_pCtrl->GetMagnification() != nPercent)
        return false;
    // The scroll positions that put the centre point in the middle of the client area.
    CPoint pt = ptCentre;
    m_pCtrl->IPtoLP(&pt);
    m_pCtrl->SetScrollPos(SB_HORZ, std::max(0, (int)pt.x - kClientWidth / 2));
    m_pCtrl->SetScrollPos(SB_VERT, std::max(0, (int)pt.y - kClientHeight / 2));
    m_pCtrl->Invalidate();
    m_pCtrl->UpdateWindow();
    PumpMessages();
    return ClientRect().Width() == kClientWidth && ClientRect().Height() == kClientHeight;
}

bool CPaintBench::WindowShowsImage()
{
    ::GdiFlush();
    HDC hdc = ::GetDC(Handle());
    if (hdc == NULL)
        return false;
    bool bOk = true;
    for (int j = 1; j <= 3 && bOk; j++)
    {
        for (int i = 1; i <= 3 && bOk; i++)
        {
            CPoint ptImage = ImagePoint(CPoint(kClientWidth * i / 4, kClientHeight * j / 4));
            CPoint pt = ClientCentreOf(ptImage);
            COLORREF crScreen = ::GetPixel(hdc, pt.x, pt.y);
            COLORREF crImage = BitsPixel(m_pCtrl->GetDIBits(), ptImage.x, ptImage.y);
            if (crScreen != crImage)
            {
                fprintf(stderr, "client (%d, %d) shows %06lX, image (%d, %d) is %06lX\n",
                        (int)pt.x, (int)pt.y, (unsigned long)crScreen, (int)ptImage.x,
                        (int)ptImage.y, (unsigned long)crImage);
                bOk = false;
            }
        }
    }
    ::ReleaseDC(Handle(), hdc);
    return bOk;
}

// ---------------------------------------------------------------------------------------
// Painting: the control's whole repaint, as a window update runs it, against the shortest
// double-buffered paint of the same area, its DCs and buffer kept from run to run.

class CBaselineBuffer
{
public:
    CBaselineBuffer(HWND hWnd, const void* pImageBits) : m_hWnd(hWnd)
    {
        m_hdcWnd = ::GetDC(hWnd);
        m_hbmImage = CreateRawSection(kImageSize, &m_pBits);
        if (m_hdcWnd == NULL || m_hbmImage == NULL)
            return;
        memcpy(m_pBits, pImageBits, ImageBytes());
        m_hdcImage = ::CreateCompatibleDC(m_hdcWnd);
        m_hdcBuffer = ::CreateCompatibleDC(m_hdcWnd);
        m_hbmBuffer = ::CreateCompatibleBitmap(m_hdcWnd, kClientWidth, kClientHeight);
        if (m_hdcImage == NULL || m_hdcBuffer == NULL || m_hbmBuffer == NULL)
            return;
        m_hOldImage = ::SelectObject(m_hdcImage, m_hbmImage);
        m_hOldBuffer = ::SelectObject(m_hdcBuffer, m_hbmBuffer);
        ::SetStretchBltMode(m_hdcBuffer, COLORONCOLOR);
    }

    ~CBaselineBuffer()
    {
        if (m_hOldImage != NULL)
            ::SelectObject(m_hdcImage, m_hOldImage);
        if (m_hOldBuffer != NULL)
            ::SelectObject(m_hdcBuffer, m_hOldBuffer);
        if (m_hdcImage != NULL)
            ::DeleteDC(m_hdcImage);
        if (m_hdcBuffer != NULL)
            ::DeleteDC(m_hdcBuffer);
        if (m_hbmBuffer != NULL)
            ::DeleteObject(m_hbmBuffer);
        if (m_hbmImage != NULL)
            ::DeleteObject(m_hbmImage);
        if (m_hdcWnd != NULL)
            ::ReleaseDC(m_hWnd, m_hdcWnd);
    }

    bool IsReady() const { return m_hOldImage != NULL && m_hOldBuffer != NULL; }
    HDC WindowDC() const { return m_hdcWnd; }

    // What to paint: image rectangle rcSrc magnified nScale times.
    void SetSource(const CRect& rcSrc, int nScale)
    {
        m_rcSrc = rcSrc;
        m_nScale = nScale;
    }

    // The source stretched into the buffer at (0, 0), the buffer copied to hdc.
    bool PaintTo(HDC hdc)
    {
        BOOL bOk;
        if (m_nScale == 1)
            bOk = ::BitBlt(m_hdcBuffer, 0, 0, m_rcSrc.Width(), m_rcSrc.Height(), m_hdcImage,
                           m_rcSrc.left, m_rcSrc.top, SRCCOPY);
        else
            bOk = ::StretchBlt(m_hdcBuffer, 0, 0, m_rcSrc.Width() * m_nScale,
                               m_rcSrc.Height() * m_nScale, m_hdcImage, m_rcSrc.left, m_rcSrc.top,
                               m_rcSrc.Width(), m_rcSrc.Height(), SRCCOPY);
        return bOk && ::BitBlt(hdc, 0, 0, kClientWidth, kClientHeight, m_hdcBuffer, 0, 0, SRCCOPY);
    }

    // hdc shows the source's first pixel at its top-left corner.
    bool Shows(HDC hdc) const
    {
        ::GdiFlush();
        return ::GetPixel(hdc, m_nScale / 2, m_nScale / 2) == BitsPixel(m_pBits, m_rcSrc.left, m_rcSrc.top);
    }

private:
    HWND m_hWnd;
    HDC m_hdcWnd = NULL;
    HDC m_hdcImage = NULL;
    HDC m_hdcBuffer = NULL;
    HBITMAP m_hbmImage = NULL;
    HBITMAP m_hbmBuffer = NULL;
    HGDIOBJ m_hOldImage = NULL;
    HGDIOBJ m_hOldBuffer = NULL;
    void* m_pBits = NULL;
    CRect m_rcSrc;
    int m_nScale = 1;
};

// A plain window whose WM_PAINT runs the baseline's blits: the baseline then goes through
// BeginPaint and EndPaint as the control's repaint does, with whatever the system adds there
// (Wine copies the window's pixels to the X server in EndPaint).
const TCHAR kBaselineClass[] = _T("PaintBenchBaseline");
CBaselineBuffer* g_pWindowBuffer = NULL;
bool g_bWindowPainted = false;

LRESULT CALLBACK BaselineWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_ERASEBKGND)
        return 1;
    if (nMsg == WM_PAINT)
    {
        PAINTSTRUCT ps;
        HDC hdc = ::BeginPaint(hWnd, &ps);
        g_bWindowPainted = hdc != NULL && g_pWindowBuffer != NULL && g_pWindowBuffer->PaintTo(hdc);
        ::EndPaint(hWnd, &ps);
        return 0;
    }
    return ::DefWindowProc(hWnd, nMsg, wParam, lParam);
}

bool CPaintBench::CreateBaselineWindow()
{
    WNDCLASS wc;
    memset(&wc, 0, sizeof(wc));
    wc.lpfnWndProc = BaselineWndProc;
    wc.hInstance = ::GetModuleHandle(NULL);
    wc.hCursor = ::LoadCursor(NULL, IDC_ARROW);
    wc.lpszClassName = kBaselineClass;
    if (!::RegisterClass(&wc) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return false;
    // Exactly over the control's client area, hidden until a baseline run.
    POINT pt = {0, 0};
    ::MapWindowPoints(Handle(), m_pFrame->m_hWnd, &pt, 1);
    m_hwndBaseline = ::CreateWindowEx(0, kBaselineClass, _T(""), WS_CHILD | WS_CLIPSIBLINGS, pt.x, pt.y,
                                      kClientWidth, kClientHeight, m_pFrame->m_hWnd,
                                      (HMENU)(UINT_PTR)(kCtrlId + 1), wc.hInstance, NULL);
    return m_hwndBaseline != NULL;
}

// Milliseconds per call of kPaintsPerRun calls of step; -1 when one fails.
template <class TStep>
double TimePaints(TStep step)
{
    CStopwatch sw;
    for (int i = 0; i < kPaintsPerRun; i++)
        if (!step())
            return -1;
    ::GdiFlush();
    return sw.Ms() / kPaintsPerRun;
}

double CPaintBench::ControlPaints()
{
    PumpMessages();
    HWND hWnd = Handle();
    return TimePaints([hWnd]() { return ::RedrawWindow(hWnd, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW) != FALSE; });
}

// The buffer's blits straight to the control window's DC.
double DirectPaints(CBaselineBuffer& buffer)
{
    HDC hdc = buffer.WindowDC();
    double ms = TimePaints([&]() { return buffer.PaintTo(hdc); });
    return ms >= 0 && buffer.Shows(hdc) ? ms : -1;
}

// The buffer's blits in the baseline window's WM_PAINT, the window shown over the control
// for the run.
double CPaintBench::WindowPaints(CBaselineBuffer& buffer)
{
    HWND hWnd = m_hwndBaseline;
    g_pWindowBuffer = &buffer;
    ::SetWindowPos(hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    ::UpdateWindow(hWnd);
    PumpMessages();
    double ms = TimePaints([hWnd]() {
        g_bWindowPainted = false;
        return ::RedrawWindow(hWnd, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW) && g_bWindowPainted;
    });
    HDC hdc = ::GetDC(hWnd);
    bool bShown = hdc != NULL && buffer.Shows(hdc);
    if (hdc != NULL)
        ::ReleaseDC(hWnd, hdc);
    ::ShowWindow(hWnd, SW_HIDE);
    g_pWindowBuffer = NULL;
    PumpMessages();
    return ms >= 0 && bShown ? ms : -1;
}

// The control's repaints against baseRun's, both in milliseconds per repaint.
template <class TBase>
bool CPaintBench::MeasurePaint(TBase baseRun, double& dOp, double& dBase)
{
    // The control's paint must reach the window: black it out first.
    HDC hdc = ::GetDC(Handle());
    if (hdc == NULL)
        return false;
    ::PatBlt(hdc, 0, 0, kClientWidth, kClientHeight, BLACKNESS);
    ::ReleaseDC(Handle(), hdc);
    if (ControlPaints() < 0 || !WindowShowsImage())
        return false;
    return MeasurePair(kPaintRuns, [this]() { return ControlPaints(); }, baseRun, dOp, dBase);
}

void CPaintBench::BenchPaint600()
{
    const int nScale = 6;
    CBaselineBuffer buffer(Handle(), m_pCtrl->GetDIBits());
    bool bReady = SetView(600, CPoint(kImageSize / 2, kImageSize / 2)) && buffer.IsReady();
    // The image pixels the client shows: from the one at the top-left corner, enough to
    // cover the client (171 x 128 at 600 %).
    buffer.SetSource(CRect(ImagePoint(CPoint(0, 0)), CSize((kClientWidth + nScale - 1) / nScale,
                                                            (kClientHeight + nScale - 1) / nScale)),
                     nScale);
    auto direct = [&]() { return DirectPaints(buffer); };
    auto windowed = [&]() { return WindowPaints(buffer); };

    double dOp = 0, dBase = 0;
    bool bOk = bReady && MeasurePaint(direct, dOp, dBase);
    PrintRow("Paint client at 600 % vs StretchBlt + BitBlt", bOk, dOp, dBase, 2.0);
    bOk = bReady && MeasurePaint(windowed, dOp, dBase);
    PrintRow("Paint client at 600 % vs the same in a WM_PAINT", bOk, dOp, dBase, 0);

    // The pixel grid is on at 600 % by default; without it the share of the image shows.
    m_pCtrl->SetShowGrid(FALSE);
    bOk = bReady && MeasurePaint(windowed, dOp, dBase);
    PrintRow("Paint at 600 %, grid off, vs the same in WM_PAINT", bOk, dOp, dBase, 0);
    m_pCtrl->SetShowGrid(TRUE, 600);
}

void CPaintBench::BenchPaint100()
{
    CBaselineBuffer buffer(Handle(), m_pCtrl->GetDIBits());
    bool bReady = SetView(100, CPoint(kImageSize / 2, kImageSize / 2)) && buffer.IsReady();
    buffer.SetSource(CRect(ImagePoint(CPoint(0, 0)), CSize(kClientWidth, kClientHeight)), 1);
    auto direct = [&]() { return DirectPaints(buffer); };
    auto windowed = [&]() { return WindowPaints(buffer); };
    double dOp = 0, dBase = 0;
    bool bOk = bReady && MeasurePaint(direct, dOp, dBase);
    PrintRow("Paint client at 100 % vs BitBlt + BitBlt", bOk, dOp, dBase, 0);
    bOk = bReady && MeasurePaint(windowed, dOp, dBase);
    PrintRow("Paint client at 100 % vs the same in a WM_PAINT", bOk, dOp, dBase, 0);
}

// ---------------------------------------------------------------------------------------
// A pen stroke: button down, kMoves moves each repainted by the control, button up.

void CPaintBench::BenchStroke()
{
    bool bReady = SetView(100, CPoint(0, 0));
    m_pCtrl->SetToolMode(TOOL_PEN);
    m_pCtrl->SetPenWidth(1);
    m_pCtrl->SetDrawColor(kInk);
    PumpMessages();

    // A zig-zag across the client: about 28 pixels a move, the speed of a quick hand.
    std::vector<CPoint> path, imagePath;
    for (int i = 0; i <= kMoves; i++)
    {
        int nPhase = i % 40;
        int y = 100 + 28 * (nPhase < 20 ? nPhase : 40 - nPhase);
        path.push_back(CPoint(20 + i * 983 / kMoves, y));
        imagePath.push_back(ImagePoint(path.back()));
    }
    // Corners of the zig-zag: drawn by every stroke, whatever the line algorithm.
    std::vector<int> checks;
    for (int i = 0; i <= kMoves; i += 20 * 7)
        checks.push_back(i);

    const HWND hWnd = Handle();
    auto lParam = [](const CPoint& pt) { return MAKELPARAM((WORD)pt.x, (WORD)pt.y); };
    bool bAllInkBefore = true;

    auto stroke = [&](int nMoves) -> double {
        // Back to the pattern, so the checks see this stroke's ink only.
        RestorePattern();
        m_pCtrl->Invalidate(FALSE);
        m_pCtrl->UpdateWindow();
        PumpMessages();
        for (int i : checks)
            if (BitsPixel(m_pCtrl->GetDIBits(), imagePath[i].x, imagePath[i].y) != kInk)
                bAllInkBefore = false;

        CStopwatch sw;
        ::SendMessage(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, lParam(path[0]));
        for (int i = 1; i <= nMoves; i++)
            ::SendMessage(hWnd, WM_MOUSEMOVE, MK_LBUTTON, lParam(path[i]));
        ::SendMessage(hWnd, WM_LBUTTONUP, 0, lParam(path[nMoves]));
        ::GdiFlush();
        double ms = sw.Ms();

        // The ink is in the image and on the screen.
        HDC hdc = ::GetDC(hWnd);
        bool bDrawn = hdc != NULL;
        for (size_t k = 0; k < checks.size() && checks[k] <= nMoves && bDrawn; k++)
        {
            const CPoint& ptImage = imagePath[checks[k]];
            const CPoint& ptClient = path[checks[k]];
            COLORREF crImage = BitsPixel(m_pCtrl->GetDIBits(), ptImage.x, ptImage.y);
            COLORREF crScreen = ::GetPixel(hdc, ptClient.x, ptClient.y);
            if (crImage != kInk || crScreen != kInk)
            {
                fprintf(stderr, "stroke point (%d, %d): image %06lX, screen %06lX, ink %06lX\n",
                        (int)ptClient.x, (int)ptClient.y, (unsigned long)crImage,
                        (unsigned long)crScreen, (unsigned long)kInk);
                bDrawn = false;
            }
        }
        if (hdc != NULL)
            ::ReleaseDC(hWnd, hdc);
        return bDrawn ? ms : -1;
    };

    // The same segments drawn straight on the image, nothing repainted.
    CDIBSection* pImage = m_pCtrl->GetDIBsection();
    auto lines = [&](int nMoves) -> double {
        CStopwatch sw;
        for (int i = 1; i <= nMoves; i++)
            if (!pImage->DrawLine(imagePath[i - 1], imagePath[i], 1, kInk))
                return -1;
        ::GdiFlush();
        return sw.Ms();
    };

    // A short stroke warms up; then full strokes alternate with the lines, as many as the
    // time budget allows (at least one).
    double dOp = 0, dBase = 0, dSpent = 0;
    int nRuns = 0;
    bool bOk = bReady && stroke(kWarmUpMoves) >= 0 && lines(kWarmUpMoves) >= 0;
    while (bOk && nRuns < kStrokeRuns && (nRuns == 0 || dSpent < kStrokeBudgetMs))
    {
        double a, b;
        if (nRuns % 2 == 0)
        {
            a = stroke(kMoves);
            b = lines(kMoves);
        }
        else
        {
            b = lines(kMoves);
            a = stroke(kMoves);
        }
        bOk = a >= 0 && b >= 0;
        dOp = nRuns == 0 ? a : std::min(dOp, a);
        dBase = nRuns == 0 ? b : std::min(dBase, b);
        dSpent += a;
        nRuns++;
    }
    bOk = bOk && !bAllInkBefore;
    double dRate = bOk && dOp > 0 ? kMoves * 1000.0 / dOp : 0;
    char szCase[64], szGoal[16];
    snprintf(szCase, sizeof(szCase), "Pen stroke, %d moves, vs %d DrawLine", kMoves, kMoves);
    snprintf(szGoal, sizeof(szGoal), ">=%.0f/s", kMinMovesPerSecond);
    PrintRowWithGoal(szCase, bOk, dOp, dBase, szGoal, dRate >= kMinMovesPerSecond);
    if (bOk)
    {
        char szNote[128];
        snprintf(szNote, sizeof(szNote), "%.0f moves/s, repaint included (best of %d): %.2f ms a move, %.3f ms of it DrawLine",
                 dRate, nRuns, dOp / kMoves, dBase / kMoves);
        PrintNote(szNote);
    }
    RestorePattern();
    m_pCtrl->Invalidate(FALSE);
    m_pCtrl->UpdateWindow();
    PumpMessages();
}

// ---------------------------------------------------------------------------------------
// Undo: one step back after a pen dot.

void CPaintBench::BenchUndo()
{
    const CPoint ptDot(300, 300);   // client point of the dot
    const CPoint ptImage = ImagePoint(ptDot);
    const HWND hWnd = Handle();
    const LPARAM lDot = MAKELPARAM((WORD)ptDot.x, (WORD)ptDot.y);
    const COLORREF crBefore = BitsPixel(m_pCtrl->GetDIBits(), ptImage.x, ptImage.y);
    const size_t cbPixels = ImageBytes();

    auto pixel = [&]() {
        ::GdiFlush();
        return BitsPixel(m_pCtrl->GetDIBits(), ptImage.x, ptImage.y);
    };
    auto settle = [&]() {
        m_pCtrl->UpdateWindow();
        PumpMessages();
    };

    // A real undo step each time: the dot is made again (untimed), then taken back.
    auto undo = [&]() -> double {
        ::SendMessage(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, lDot);
        ::SendMessage(hWnd, WM_LBUTTONUP, 0, lDot);
        settle();
        if (pixel() != kInk)
            return -1;
        CStopwatch sw;
        BOOL bOk = m_pCtrl->Undo();
        ::GdiFlush();
        double ms = sw.Ms();
        settle();
        return bOk && pixel() == crBefore ? ms : -1;
    };

    // After an undo step: Redo then Undo, each one copy of a snapshot; half of the pair.
    auto redoUndo = [&]() -> double {
        CStopwatch swRedo;
        BOOL bRedo = m_pCtrl->Redo();
        ::GdiFlush();
        double msRedo = swRedo.Ms();
        settle();
        if (!bRedo || pixel() != kInk)
            return -1;
        CStopwatch swUndo;
        BOOL bUndo = m_pCtrl->Undo();
        ::GdiFlush();
        double msUndo = swUndo.Ms();
        settle();
        return bUndo && pixel() == crBefore ? (msRedo + msUndo) / 2 : -1;
    };

    auto memCopy = [&]() -> double {
        CStopwatch sw;
        void* pBits = NULL;
        HBITMAP hbm = CreateRawSection(kImageSize, &pBits);
        if (hbm != NULL)
            memcpy(pBits, m_pCtrl->GetDIBits(), cbPixels);
        double ms = sw.Ms();
        if (hbm == NULL)
            return -1;
        ::DeleteObject(hbm);
        return ms;
    };

    double dOp = 0, dBase = 0;
    bool bOk = crBefore != kInk && m_pCtrl->GetToolMode() == TOOL_PEN
        && MeasurePair(kUndoRuns, undo, memCopy, dOp, dBase);
    PrintRow("Undo after a pen dot vs CreateDIBSection + memcpy", bOk, dOp, dBase, 1.3);

    // The last run left an undo step pending, as redoUndo needs.
    bOk = bOk && m_pCtrl->CanRedo() && MeasurePair(kUndoRuns, redoUndo, memCopy, dOp, dBase);
    PrintRow("(Redo + Undo) / 2 vs the same", bOk, dOp, dBase, 0);
}

// ---------------------------------------------------------------------------------------
// Undo memory: what five small edits of a big picture add to the process

const int kBigImageSize = 8192;
const int kBigImageBits = 32;

struct MemoryCounters
{
    double dPeakPrivateMB;      // PeakPagefileUsage: the most private bytes committed so far
    double dPeakWorkingSetMB;   // PeakWorkingSetSize
};

bool ReadMemoryCounters(MemoryCounters& counters)
{
    PROCESS_MEMORY_COUNTERS pmc;
    memset(&pmc, 0, sizeof(pmc));
    pmc.cb = sizeof(pmc);
    if (!::GetProcessMemoryInfo(::GetCurrentProcess(), &pmc, sizeof(pmc)))
        return false;
    counters.dPeakPrivateMB = pmc.PeakPagefileUsage / 1048576.0;
    counters.dPeakWorkingSetMB = pmc.PeakWorkingSetSize / 1048576.0;
    return true;
}

// Pixel (x, y) of the control's 32-bit image, read from its bits.
COLORREF BitsPixel32(CPntCtrl& ctrl, int x, int y)
{
    CDIBSection* pImage = ctrl.GetDIBsection();
    ::GdiFlush();
    const BYTE* p = (const BYTE*)pImage->GetDIBits() +
                    (size_t)CDIBSection::BytesPerLine(pImage->GetWidth(), 32) * (pImage->GetHeight() - 1 - y) + 4 * x;
    return RGB(p[2], p[1], p[0]);
}

// Five 100 x 100 clears recorded for undo, then one undo, on a control of its own (no window
// needed) holding an 8192 x 8192 x 32 picture whose every page was touched first.
void BenchUndoMemory()
{
    CPntCtrl ctrl;
    const double dPictureMB =
        (double)CDIBSection::BytesPerLine(kBigImageSize, kBigImageBits) * kBigImageSize / 1048576.0;
    bool bOk = ctrl.CreateBitmap(kBigImageSize, kBigImageSize, 1, kBigImageBits, NULL, NULL) &&
               ctrl.GetDIBsection()->Clear(RGB(255, 255, 255));
    MemoryCounters before = {}, after = {};
    bOk = bOk && ReadMemoryCounters(before);

    CStopwatch sw;
    const COLORREF colours[] = { RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(0, 0, 0), kInk };
    for (int n = 0; bOk && n < 5; n++)
    {
        ctrl.SetEraseColor(colours[n]);
        CRect rc(1000 + 1400 * n, 700 + 1500 * n, 1100 + 1400 * n, 800 + 1500 * n);
        bOk = ctrl.ClearRect(&rc, TRUE) && BitsPixel32(ctrl, rc.left, rc.top) == colours[n];
    }
    bOk = bOk && ctrl.Undo() && BitsPixel32(ctrl, 1000 + 1400 * 4, 700 + 1500 * 4) == RGB(255, 255, 255);
    const double dMs = sw.Ms();
    bOk = bOk && ReadMemoryCounters(after);

    PrintRow("5 undoable clears, 8192^2 x 32: +peak private MB",
             bOk, after.dPeakPrivateMB - before.dPeakPrivateMB, dPictureMB, 0.10);
    PrintRow("  the same: +peak working set MB", bOk,
             after.dPeakWorkingSetMB - before.dPeakWorkingSetMB, dPictureMB, 0);
    char szNote[160];
    snprintf(szNote, sizeof(szNote), "(the two rows above: MB added by the clears and an undo vs the picture's MB; they took %.1f ms)", dMs);
    PrintNote(szNote);
}

// Gestures on a small and a large picture. What a gesture costs should follow what it
// changes, not the size of the picture: each gesture runs on a 512 x 512 and an 8192 x 8192
// picture of the same depth, in controls of the same client size, and the row is the large
// picture's time over the small one's.

const int kSmallPicture = 512;
const int kLargePicture = 8192;
const int kGestureRepeats = 5;       // timed repeats per gesture and picture, after a warm-up
const int kPenMoves = 100;           // pen moves per timed run
const int kBandMoves = 6;            // rubber-band moves per timed run
const double kGestureGoal = 1.5;     // large over small
const double kPenMoveBudgetMs = 1.0; // 1,000 moves a second
const COLORREF kFill = RGB(20, 200, 60);

// All gestures run at 100 %, scrolled to the top-left, in client points over the small
// picture's pixels (client (5, 5) shows pixel (0, 0)), so that both pictures change the same
// pixels and show the same client area.
const CPoint kBandFrom(60, 60);
const CSize kBandSize(400, 300);
const CPoint kBoxFrom(100, 100);
const CSize kBoxSize(100, 100);

// One control of kClientWidth x kClientHeight in a frame of its own, with a picture of
// nSize x nSize at nBits.
class CGestureStage
{
public:
    ~CGestureStage();
    bool Create(int nSize, int nBits);
    HWND Handle() const { return m_pCtrl->m_hWnd; }
    CPntCtrl* Ctrl() const { return m_pCtrl; }
    // Puts the stage's frame over every other window and lets it finish painting.
    void BringToTop();
    // Pixel (x, y) of the picture, read from its bits.
    COLORREF Pixel(int x, int y) const;
    void Send(UINT nMsg, WPARAM wParam, CPoint pt) const
    {
        ::SendMessage(Handle(), nMsg, wParam, MAKELPARAM((WORD)pt.x, (WORD)pt.y));
    }
    // Image point under client point pt.
    CPoint ImagePoint(CPoint pt) const
    {
        m_pCtrl->DPtoLP(&pt);
        m_pCtrl->LPtoIP(&pt);
        return pt;
    }

private:
    void FillPicture();

    CFrameWnd* m_pFrame = NULL;
    CBenchPntCtrl* m_pCtrl = NULL;
    int m_nSize = 0;
    int m_nBits = 0;
};

CGestureStage::~CGestureStage()
{
    if (m_pCtrl != NULL)
    {
        if (::IsWindow(m_pCtrl->m_hWnd))
            m_pCtrl->DestroyWindow();
        delete m_pCtrl;
    }
    if (m_pFrame != NULL && ::IsWindow(m_pFrame->m_hWnd))
        m_pFrame->DestroyWindow();   // the frame deletes itself
    PumpMessages();
}

bool CGestureStage::Create(int nSize, int nBits)
{
    m_nSize = nSize;
    m_nBits = nBits;
    if (!CreateFrameAndControl(_T("Paint control benchmark: gestures"), kClientWidth, kClientHeight, m_pFrame,
                               m_pCtrl))
        return false;
    CDIBSection* pImage = m_pCtrl->GetDIBsection();
    if (!pImage->CreateBitmap(nSize, nSize, 1, nBits) || pImage->GetDIBits() == NULL)
        return false;
    FillPicture();
    m_pCtrl->ClearUndoList();
    m_pCtrl->ResetSelectionRect();
    m_pCtrl->ResetScrollBars();
    m_pCtrl->SetScrollPos(SB_HORZ, 0);
    m_pCtrl->SetScrollPos(SB_VERT, 0);

    // The bars come and go with the picture's size: correct the windows until the client
    // area is the one asked for.
    for (int i = 0; i < 3; i++)
    {
        CRect rc;
        ::GetClientRect(Handle(), &rc);
        int dx = kClientWidth - rc.Width(), dy = kClientHeight - rc.Height();
        if (dx == 0 && dy == 0)
            break;
        CRect rcWnd;
        ::GetWindowRect(m_pFrame->m_hWnd, &rcWnd);
        ::SetWindowPos(m_pFrame->m_hWnd, NULL, 0, 0, rcWnd.Width() + dx, rcWnd.Height() + dy,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        ::GetWindowRect(Handle(), &rcWnd);
        ::SetWindowPos(Handle(), NULL, 0, 0, rcWnd.Width() + dx, rcWnd.Height() + dy,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    CRect rc;
    ::GetClientRect(Handle(), &rc);
    BringToTop();
    return rc.Width() == kClientWidth && rc.Height() == kClientHeight;
}

// Gradients crossed with a checker, at either depth: no long runs of one value.
void CGestureStage::FillPicture()
{
    ::GdiFlush();
    const int nStride = CDIBSection::BytesPerLine(m_nSize, m_nBits);
    const int nBytes = m_nBits / 8;
    BYTE* pBits = (BYTE*)m_pCtrl->GetDIBits();
    for (int y = 0; y < m_nSize; y++)
    {
        BYTE* p = pBits + (size_t)nStride * y;
        for (int x = 0; x < m_nSize; x++, p += nBytes)
        {
            p[0] = (BYTE)(x ^ y);
            p[1] = (BYTE)((x + 2 * y) >> 3);
            p[2] = (BYTE)((((x >> 6) + (y >> 6)) & 1) ? 0xE0 - (y >> 5) : (x >> 4));
            if (nBytes == 4)
                p[3] = 0;
        }
    }
}

void CGestureStage::BringToTop()
{
    ::SetWindowPos(m_pFrame->m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    ::SetForegroundWindow(m_pFrame->m_hWnd);
    m_pCtrl->Invalidate(FALSE);
    m_pCtrl->UpdateWindow();
    PumpMessages();
}

COLORREF CGestureStage::Pixel(int x, int y) const
{
    ::GdiFlush();
    if (x < 0 || y < 0 || x >= m_nSize || y >= m_nSize)
        return CLR_INVALID;
    const BYTE* p = (const BYTE*)m_pCtrl->GetDIBits()
        + (size_t)CDIBSection::BytesPerLine(m_nSize, m_nBits) * (m_nSize - 1 - y) + (m_nBits / 8) * x;
    return RGB(p[2], p[1], p[0]);
}

// The gestures, each a callable that runs one repeat on a stage and returns the milliseconds
// of its timed part, or a negative value when the picture did not change as it should.
// Each gesture checks a pixel it changes, then is undone (untimed), so that the next repeat
// starts from the same picture, and the history is emptied: the large picture's would
// otherwise hold up to five copies of it.

// The pixel at ptImage is crChanged; after an Undo, crBefore again.
bool ChangedThenUndone(CGestureStage& stage, CPoint ptImage, COLORREF crBefore, COLORREF crChanged)
{
    COLORREF crAfter = stage.Pixel(ptImage.x, ptImage.y);
    bool bChanged = crBefore != crChanged && crAfter == crChanged;
    bool bUndone = stage.Ctrl()->Undo() && stage.Pixel(ptImage.x, ptImage.y) == crBefore;
    if (!bChanged || !bUndone)
        fprintf(stderr, "gesture check at (%d, %d): %06lX before, %06lX after, %06lX expected, %s\n",
                (int)ptImage.x, (int)ptImage.y, (unsigned long)crBefore, (unsigned long)crAfter,
                (unsigned long)crChanged, bUndone ? "undone" : "not undone");
    stage.Ctrl()->ClearUndoList();
    stage.Ctrl()->UpdateWindow();
    PumpMessages();
    return bChanged && bUndone;
}

// Pen moves along a zig-zag, each move with the control's own repaint and an update of
// the window; ms per move.
double PenMoves(CGestureStage& stage)
{
    CPntCtrl* pCtrl = stage.Ctrl();
    pCtrl->SetToolMode(TOOL_PEN);
    pCtrl->SetPenWidth(1);
    pCtrl->SetDrawColor(kInk);
    std::vector<CPoint> path;
    for (int i = 0; i <= kPenMoves; i++)
    {
        int nPhase = i % 20;
        path.push_back(CPoint(20 + i * 4, 40 + 20 * (nPhase < 10 ? nPhase : 20 - nPhase)));
    }
    const CPoint ptCheck = stage.ImagePoint(path[kPenMoves / 2]);   // a corner of the zig-zag
    const COLORREF crBefore = stage.Pixel(ptCheck.x, ptCheck.y);
    stage.Send(WM_LBUTTONDOWN, MK_LBUTTON, path[0]);
    pCtrl->UpdateWindow();
    CStopwatch sw;
    for (int i = 1; i <= kPenMoves; i++)
    {
        stage.Send(WM_MOUSEMOVE, MK_LBUTTON, path[i]);
        pCtrl->UpdateWindow();
    }
    ::GdiFlush();
    double ms = sw.Ms() / kPenMoves;
    stage.Send(WM_LBUTTONUP, 0, path.back());
    return ChangedThenUndone(stage, ptCheck, crBefore, kInk) ? ms : -1;
}

// A 400 x 300 rectangle's outline following the mouse: ms per move.
double RubberBandMoves(CGestureStage& stage)
{
    CPntCtrl* pCtrl = stage.Ctrl();
    pCtrl->SetToolMode(TOOL_RECTANGLE);
    pCtrl->SetPenWidth(1);
    pCtrl->SetDrawColor(kInk);
    const CPoint ptTo = kBandFrom + kBandSize;
    const CPoint ptCorner = stage.ImagePoint(kBandFrom);
    const COLORREF crBefore = stage.Pixel(ptCorner.x, ptCorner.y);
    stage.Send(WM_LBUTTONDOWN, MK_LBUTTON, kBandFrom);
    pCtrl->UpdateWindow();
    CStopwatch sw;
    for (int i = 1; i <= kBandMoves; i++)
    {
        // Back and forth by a pixel: the figure keeps its size.
        stage.Send(WM_MOUSEMOVE, MK_LBUTTON, ptTo - CSize(i % 2, i % 2));
        pCtrl->UpdateWindow();
    }
    ::GdiFlush();
    double ms = sw.Ms() / kBandMoves;
    stage.Send(WM_LBUTTONUP, 0, ptTo);
    pCtrl->UpdateWindow();
    return ChangedThenUndone(stage, ptCorner, crBefore, kInk) ? ms : -1;
}

// A filled 100 x 100 rectangle drawn as a user draws it (press, three moves, release) with
// the window updated after each, its undo step included; then one Undo with its repaint.
// Both are timed in the same repeat: the undo needs the figure.
bool BoxAndUndo(CGestureStage& stage, double& dBox, double& dUndo)
{
    CPntCtrl* pCtrl = stage.Ctrl();
    pCtrl->SetToolMode(TOOL_FILLEDRECT);
    pCtrl->SetDrawColor(kFill);   // the filled shapes fill with the drawing colour
    const CPoint ptInside = stage.ImagePoint(kBoxFrom + CSize(kBoxSize.cx / 2, kBoxSize.cy / 2));
    const COLORREF crBefore = stage.Pixel(ptInside.x, ptInside.y);

    CStopwatch swBox;
    stage.Send(WM_LBUTTONDOWN, MK_LBUTTON, kBoxFrom);
    pCtrl->UpdateWindow();
    for (int i = 1; i <= 3; i++)
    {
        stage.Send(WM_MOUSEMOVE, MK_LBUTTON, kBoxFrom + CSize(kBoxSize.cx * i / 3, kBoxSize.cy * i / 3));
        pCtrl->UpdateWindow();
    }
    stage.Send(WM_LBUTTONUP, 0, kBoxFrom + kBoxSize);
    pCtrl->UpdateWindow();
    ::GdiFlush();
    dBox = swBox.Ms();
    const COLORREF crBox = stage.Pixel(ptInside.x, ptInside.y);
    bool bOk = crBox == kFill && pCtrl->CanUndo();

    CStopwatch swUndo;
    bOk = bOk && pCtrl->Undo();
    pCtrl->UpdateWindow();
    ::GdiFlush();
    dUndo = swUndo.Ms();
    COLORREF crUndone = stage.Pixel(ptInside.x, ptInside.y);
    bOk = bOk && crUndone == crBefore && crBefore != kFill;
    if (!bOk)
        fprintf(stderr, "filled rectangle at (%d, %d): %06lX before, %06lX drawn, %06lX after its undo\n",
                (int)ptInside.x, (int)ptInside.y, (unsigned long)crBefore, (unsigned long)crBox,
                (unsigned long)crUndone);
    pCtrl->ClearUndoList();
    PumpMessages();
    return bOk;
}

// The medians of each gesture on each stage.
struct GestureTimes
{
    std::vector<double> vPen, vBand, vBox, vUndo;
};

bool RunGestures(CGestureStage& stage, GestureTimes& times)
{
    stage.BringToTop();
    double dPen = PenMoves(stage);
    double dBand = RubberBandMoves(stage);
    double dBox = 0, dUndo = 0;
    bool bOk = BoxAndUndo(stage, dBox, dUndo) && dPen >= 0 && dBand >= 0;
    times.vPen.push_back(dPen);
    times.vBand.push_back(dBand);
    times.vBox.push_back(dBox);
    times.vUndo.push_back(dUndo);
    return bOk;
}

void BenchGesturesAtDepth(int nBits)
{
    CGestureStage small, large;
    bool bOk = small.Create(kSmallPicture, nBits) && large.Create(kLargePicture, nBits);
    if (!bOk)
        fprintf(stderr, "cannot create the gesture controls of %d bits\n", nBits);

    // One warm-up on each, then the repeats, the two taking turns at going first.
    GestureTimes warm, timesSmall, timesLarge;
    bOk = bOk && RunGestures(small, warm) && RunGestures(large, warm);
    for (int i = 0; bOk && i < kGestureRepeats; i++)
    {
        if (i % 2 == 0)
            bOk = RunGestures(small, timesSmall) && RunGestures(large, timesLarge);
        else
            bOk = RunGestures(large, timesLarge) && RunGestures(small, timesSmall);
    }

    char szCase[96];
    auto row = [&](const char* pszGesture, const std::vector<double>& vLarge, const std::vector<double>& vSmall) {
        snprintf(szCase, sizeof(szCase), "%s, %d vs %d, %d bits", pszGesture, kLargePicture, kSmallPicture, nBits);
        PrintRow(szCase, bOk, Median(vLarge), Median(vSmall), kGestureGoal);
    };
    row("Pen move + repaint", timesLarge.vPen, timesSmall.vPen);
    row("Rubber band 400 x 300 move", timesLarge.vBand, timesSmall.vBand);
    row("Filled 100 x 100 + undo step", timesLarge.vBox, timesSmall.vBox);
    row("Undo + repaint", timesLarge.vUndo, timesSmall.vUndo);

    // The pen's pace on the large picture against one move in a millisecond.
    double dPen = Median(timesLarge.vPen);
    snprintf(szCase, sizeof(szCase), "Pen move + repaint at %d, %d bits, vs 1 ms", kLargePicture, nBits);
    PrintRow(szCase, bOk, dPen, kPenMoveBudgetMs, 1.0);
    if (bOk && dPen > 0)
    {
        char szNote[96];
        snprintf(szNote, sizeof(szNote), "%.0f pen moves a second with their repaints (goal 1,000)", 1000.0 / dPen);
        PrintNote(szNote);
    }
}

void BenchGestures()
{
    BenchGesturesAtDepth(24);
    BenchGesturesAtDepth(32);
}

int RunBench()
{
    CStopwatch swTotal;
    CPaintBench bench;
    if (!bench.Create())
        return 1;
    CRect rcClient = bench.ClientRect();

    printf("Paint control benchmark: CPntCtrl against Win32 baselines, under Wine %s\n", WineVersion());
    printf("Image %d x %d, %d bits; control client area %d x %d (asked %d x %d), both scroll bars shown.\n",
           kImageSize, kImageSize, kBits, rcClient.Width(), rcClient.Height(), kClientWidth,
           kClientHeight);
    printf("Times: best of %d runs after a warm-up (strokes: up to %d, within %.0f s).\n"
           "Paint rows: ms per repaint of the whole client (RedrawWindow RDW_INVALIDATE |\n"
           "RDW_UPDATENOW, %d per run) against a StretchBlt or BitBlt into a kept compatible bitmap\n"
           "and one BitBlt of it to the window DC, straight or inside a plain window's WM_PAINT.\n",
           kPaintRuns, kStrokeRuns, kStrokeBudgetMs / 1000, kPaintsPerRun);
    printf("Undo row: Undo() right after a pen dot (the dot is made again, untimed, before each).\n");
    printf("Gesture rows: the same gesture on a %d x %d and a %d x %d picture of one depth, each in\n"
           "a control of this client size at 100 %%; medians of %d repeats after a warm-up.\n",
           kLargePicture, kLargePicture, kSmallPicture, kSmallPicture, kGestureRepeats);
    printf("Ratio = operation / baseline; the baseline runs in the same process.\n\n");
    PrintTableHead();

    if (rcClient.Width() != kClientWidth || rcClient.Height() != kClientHeight)
        Fail("the control's client area is not 1024 x 768");

    bench.BenchPaint600();
    bench.BenchPaint100();
    bench.BenchStroke();
    bench.BenchUndo();
    BenchUndoMemory();
    BenchGestures();

    PrintSummary(swTotal);
    return 0;
}
}

int main()
{
    return bench::ExitCode(bench::RunGuarded(RunBench));
}
