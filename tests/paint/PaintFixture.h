// Fixture of the paint control tests: a top-level frame that owns the control and records what
// the control tells it (WM_NOTIFY codes, status texts), the control as its child, and helpers
// for images, synthetic input and the message queue.
#pragma once
#include <afxwin.h>
#include <afxpriv.h>
#include <gtest/gtest.h>
#include <algorithm>
#include <functional>
#include <ostream>
#include <string>
#include <vector>
#include "paint/PntCtrl.h"
#include "image/ImageTestSupport.h"
#include "common/TestStrings.h"

// Readable failure messages for the geometry types.
inline void PrintTo(const CPoint& pt, std::ostream* os) { *os << "(" << pt.x << ", " << pt.y << ")"; }
inline void PrintTo(const CSize& sz, std::ostream* os) { *os << "(" << sz.cx << " x " << sz.cy << ")"; }
inline void PrintTo(const CRect& rc, std::ostream* os)
{
    *os << "(" << rc.left << ", " << rc.top << ", " << rc.right << ", " << rc.bottom << ")";
}

constexpr COLORREF kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0), kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255);

// The control with the protected members that the tests use opened to them.
class CTestPntCtrl : public CPntCtrl
{
public:
    using CPntCtrl::SaveState, CPntCtrl::RestoreState, CPntCtrl::PreImageChange;
    using CPntCtrl::ResetSelectionRect, CPntCtrl::ResetScrollBars, CPntCtrl::ClientToImage;
    using CPntCtrl::DoDrawShape, CPntCtrl::SprayAirBrush, CPntCtrl::PrintPage;
    using CPntCtrl::GetStatusMessage, CPntCtrl::OnSetStatusMessage, CPntCtrl::ClearStatusMessage;
    using CPntCtrl::m_pSavedState, CPntCtrl::m_nHScrollRange, CPntCtrl::m_nVScrollRange;
    using CPntCtrl::m_nToolMode, CPntCtrl::m_nPrevToolMode, CPntCtrl::m_bCancelled, CPntCtrl::m_bFloating;
    using CPntCtrl::m_dMagnification, CPntCtrl::m_bGridWholePercentOnly, CPntCtrl::m_rcSelection;
    using CPntCtrl::m_TextFmtBar;
};

// The control's owner: a frame that is also the application's main window, so that status
// texts reach it. It records every WM_NOTIFY and every status text it receives.
class CTestOwnerFrame : public CFrameWnd
{
public:
    std::vector<UINT> m_codes;   // NMHDR codes received, in order
    NMHDR m_lastHeader = {};
    WPARAM m_lastWParam = 0;
    std::vector<CString> m_statusTexts;

    int Count(UINT code) const { return (int)std::count(m_codes.begin(), m_codes.end(), code); }
    void ClearRecords()
    {
        m_codes.clear();
        m_statusTexts.clear();
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class PaintFixture : public ::testing::Test
{
protected:
    static constexpr UINT kCtrlId = 1234;
    static constexpr DWORD kCtrlStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_HSCROLL | WS_VSCROLL;
    static constexpr int kClientWidth = 400;
    static constexpr int kClientHeight = 300;

    // Makes the frame the main window (one frame, shown at the screen's top-left, serves every
    // test) and creates the control as its child with a 400 x 300 client area.
    void SetUp() override;
    // Destroys the control, puts the main window back, releases Ctrl and Alt.
    void TearDown() override;

    // Destroys the control and creates a new one of class T (a CTestPntCtrl, by default the
    // same) in its place; the new control, or nullptr when it cannot be made.
    template <class T = CTestPntCtrl>
    T* ReplaceControl()
    {
        CRect rc;
        m_pCtrl->GetWindowRect(&rc);
        m_pFrame->ScreenToClient(&rc);
        m_pCtrl->DestroyWindow();
        delete m_pCtrl;
        T* pCtrl = new T;
        m_pCtrl = pCtrl;
        return m_pCtrl->Create(rc, m_pFrame, kCtrlId, kCtrlStyle) ? pCtrl : nullptr;
    }

    // Gives the control a cx x cy image of nBits per pixel filled with cr, as an image
    // replacement would: empty history, selection = whole image, scroll bars sized, repainted.
    // The records of the frame are cleared afterwards.
    bool GiveImage(int cx, int cy, int nBits = 24, COLORREF cr = kWhite);

    // Client point over image pixel (x, y) at 100 %: margins of 5, nothing scrolled.
    static CPoint At(int x, int y) { return CPoint(x + 5, y + 5); }

    // Synthetic input sent to the control; points in client coordinates.
    void Down(CPoint pt) { Send(WM_LBUTTONDOWN, MK_LBUTTON, pt); }
    void Move(CPoint pt) { Send(WM_MOUSEMOVE, MK_LBUTTON, pt); }
    void Up(CPoint pt) { Send(WM_LBUTTONUP, 0, pt); }
    void Click(CPoint pt) { Down(pt); Up(pt); }
    // Button down at from, a move to each point of path and then to `to`, button up at to.
    void Drag(CPoint from, CPoint to, const std::vector<CPoint>& path = {});
    // For the tools that run a tracking loop: the moves and the button-up go into the queue
    // first, then the press runs the loop, which reads them.
    void PressAndDrag(CPoint ptPress, const std::vector<CPoint>& path)
    {
        for (const CPoint& pt : path)
            Post(WM_MOUSEMOVE, MK_LBUTTON, pt);
        Post(WM_LBUTTONUP, 0, path.empty() ? ptPress : path.back());
        Down(ptPress);
        PumpMessages();
    }
    void KeyDown(UINT nVirtKey) { m_pCtrl->SendMessage(WM_KEYDOWN, nVirtKey, 1); }
    // Sets the thread's key state with SetKeyboardState: GetKeyState sees it, GetAsyncKeyState not.
    void SetKeyState(int nVirtKey, bool bDown);

    // Dispatches every message waiting in the thread's queue.
    void PumpMessages();
    // Pumps until pred() holds or the time is up; returns pred()'s last value.
    bool PumpUntil(const std::function<bool()>& pred, DWORD dwTimeoutMs);
    // Puts the pointer over hWnd's centre and dispatches a posted message there, so that the
    // thread's last message position (what a tooltip request is judged by) is the pointer's.
    // False when the position did not arrive.
    bool PointerOver(HWND hWnd);

    int NotifyCount(UINT code) const { return m_pFrame->Count(code); }
    int ImageChanges() const { return NotifyCount(CPntCtrl::m_nImageChangedMessage); }
    const std::vector<CString>& StatusTexts() const { return m_pFrame->m_statusTexts; }
    void ClearRecords() { m_pFrame->ClearRecords(); }

    // Image pixel (x, y) read from the DIB bits (through the colour table for palette depths).
    COLORREF ImagePixel(int x, int y) { return imagetest::PixelColour(*m_pCtrl->GetDIBsection(), x, y); }
    // Pixels of the image that are not cr.
    int PixelsOtherThan(COLORREF cr);
    // The control's client pixel (x, y) as shown on the screen (repaint first with UpdateWindow).
    COLORREF ScreenPixel(int x, int y);
    CRect ClientRect() const
    {
        CRect rc;
        m_pCtrl->GetClientRect(&rc);
        return rc;
    }
    // Whether the control has an update region; Validate empties it.
    bool Invalidated() const { return ::GetUpdateRect(m_pCtrl->m_hWnd, NULL, FALSE) != FALSE; }
    void Validate() { ::ValidateRect(m_pCtrl->m_hWnd, NULL); }

    CTestOwnerFrame* m_pFrame = nullptr;
    CTestPntCtrl* m_pCtrl = nullptr;
    CWnd* m_pOldMainWnd = nullptr;

private:
    void Send(UINT message, WPARAM wParam, CPoint pt)
    {
        m_pCtrl->SendMessage(message, wParam, MAKELPARAM((WORD)pt.x, (WORD)pt.y));
    }
    void Post(UINT message, WPARAM wParam, CPoint pt)
    {
        m_pCtrl->PostMessage(message, wParam, MAKELPARAM((WORD)pt.x, (WORD)pt.y));
    }
};
