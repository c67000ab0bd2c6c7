// Fixture of the paint control tests: a top-level frame that owns the control and records
// what the control tells it (WM_NOTIFY codes, status texts), the control as its child, and
// helpers for images, synthetic input and the message queue.
#pragma once
#include <afxwin.h>
#include <afxpriv.h>
#include <gtest/gtest.h>
#include <functional>
#include <ostream>
#include <string>
#include <vector>
#include "paint/PntCtrl.h"
#include "image/ImageTestSupport.h"

// Readable failure messages for the geometry types.
inline void PrintTo(const CPoint& pt, std::ostream* os) { *os << "(" << pt.x << ", " << pt.y << ")"; }
inline void PrintTo(const CSize& sz, std::ostream* os) { *os << "(" << sz.cx << " x " << sz.cy << ")"; }
inline void PrintTo(const CRect& rc, std::ostream* os)
{
    *os << "(" << rc.left << ", " << rc.top << ", " << rc.right << ", " << rc.bottom << ")";
}

// The control with its protected members opened to the tests.
class CTestPntCtrl : public CPntCtrl
{
public:
    // Operations
    using CPntCtrl::SendMessageToOwner;
    using CPntCtrl::SaveState;
    using CPntCtrl::RestoreState;
    using CPntCtrl::UndoImageChange;
    using CPntCtrl::PreImageChange;
    using CPntCtrl::ResetSelectionRect;
    using CPntCtrl::DoChangeSelectionRect;
    using CPntCtrl::ResetScrollBars;
    using CPntCtrl::OnDraw;
    using CPntCtrl::DrawGrid;
    using CPntCtrl::DrawFrame;
    using CPntCtrl::DoDrawShape;
    using CPntCtrl::SprayAirBrush;
    using CPntCtrl::ClientToImage;
    using CPntCtrl::WindowExists;
    using CPntCtrl::GetStatusMessage;
    using CPntCtrl::OnSetStatusMessage;
    using CPntCtrl::ClearStatusMessage;
    using CPntCtrl::LoadCursors;
    using CPntCtrl::DestroyCursors;
    using CPntCtrl::OnImageChanged;
    using CPntCtrl::OnMagnificationChanged;
    using CPntCtrl::OnColourSampleChanged;

    // Fields
    using CPntCtrl::m_crEraseColor;
    using CPntCtrl::m_Image;
    using CPntCtrl::m_UndoList;
    using CPntCtrl::m_pSavedState;
    using CPntCtrl::m_DragImage;
    using CPntCtrl::m_nVScrollRange;
    using CPntCtrl::m_nHScrollRange;
    using CPntCtrl::m_bDisplayOnly;
    using CPntCtrl::m_nToolMode;
    using CPntCtrl::m_nPrevToolMode;
    using CPntCtrl::m_crDrawColor;
    using CPntCtrl::m_crFillColor;
    using CPntCtrl::m_crTransparentColor;
    using CPntCtrl::m_nEraserWidth;
    using CPntCtrl::m_nPenWidth;
    using CPntCtrl::m_bShowSelectionRect;
    using CPntCtrl::m_bSavedShowSelectionRect;
    using CPntCtrl::m_bTransparent;
    using CPntCtrl::m_ptOrigin;
    using CPntCtrl::m_rcMargin;
    using CPntCtrl::m_nMaxUndoSize;
    using CPntCtrl::m_nUndoPos;
    using CPntCtrl::m_ptDown;
    using CPntCtrl::m_ptLast;
    using CPntCtrl::m_bCancelled;
    using CPntCtrl::m_bButtonDown;
    using CPntCtrl::m_strUserText;
    using CPntCtrl::m_nTextFormat;
    using CPntCtrl::m_fontText;
    using CPntCtrl::m_hcurEraser;
    using CPntCtrl::m_hcurFloodFill;
    using CPntCtrl::m_hcurMagnify;
    using CPntCtrl::m_hcurAirBrush;
    using CPntCtrl::m_hcurPen;
    using CPntCtrl::m_hcurCross;
    using CPntCtrl::m_hcurSampler;
    using CPntCtrl::m_bShowGrid;
    using CPntCtrl::m_nGridMinMagnification;
    using CPntCtrl::m_bGridWholePercentOnly;
    using CPntCtrl::m_bImageCentered;
    using CPntCtrl::m_bFloating;
    using CPntCtrl::m_nAirBrushTimer;
    using CPntCtrl::m_nAirBrushInterval;
    using CPntCtrl::m_nAirBrushRadiusFactor;
    using CPntCtrl::m_nAirBrushDots;
    using CPntCtrl::m_TextFmtBar;
    using CPntCtrl::m_strPasteCropPrompt;
    using CPntCtrl::m_bEnableTransColorPicker;
    using CPntCtrl::m_dMagnification;
    using CPntCtrl::m_bImageChanged;
    using CPntCtrl::m_rcSelection;
    using CPntCtrl::m_bmpMask;
};

// The control's owner: a frame that is also the application's main window, so that status
// texts reach it. It records every WM_NOTIFY and every status text it receives.
class CTestOwnerFrame : public CFrameWnd
{
public:
    struct Notification
    {
        UINT code;          // NMHDR::code
        UINT_PTR idFrom;    // NMHDR::idFrom
        HWND hwndFrom;      // NMHDR::hwndFrom
        WPARAM wParam;      // the message's wParam (the control id)
    };

    std::vector<Notification> m_notifications;
    std::vector<std::string> m_statusTexts;

    // Notifications received with this code.
    int Count(UINT code) const;
    // Codes received, in order.
    std::vector<UINT> Codes() const;
    void ClearRecords();

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    afx_msg LRESULT OnRecordMessageString(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

class PaintFixture : public ::testing::Test
{
protected:
    static constexpr UINT kCtrlId = 1234;
    static constexpr int kClientWidth = 400;
    static constexpr int kClientHeight = 300;

    // Makes the frame the main window (one frame, shown at the screen's top-left, serves every
    // test) and creates a control with a 400 x 300 client area in it.
    void SetUp() override;
    // Destroys the control, puts the main window back, releases Ctrl/Alt/Shift.
    void TearDown() override;

    // The object that CreateControl creates; a fixture may return a subclass.
    virtual CTestPntCtrl* NewControl() { return new CTestPntCtrl; }

    // Destroys the current control (if any) and creates a new one as a child of the frame whose
    // client area (without scroll bars) is cx x cy, at (10, 10) in the frame, which is resized
    // to hold it. FALSE when the window cannot be created.
    bool CreateControl(int cx, int cy, UINT nID = kCtrlId,
                       DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_HSCROLL | WS_VSCROLL);
    void DestroyControl();

    // Gives the control a cx x cy image of nBits per pixel filled with cr, as an image
    // replacement would: empty history, selection = whole image, scroll bars sized, repainted.
    // The records of the frame are cleared afterwards.
    bool GiveImage(int cx, int cy, int nBits = 24, COLORREF cr = RGB(255, 255, 255));

    // Synthetic input, sent to the control; points in client coordinates.
    void LButtonDown(int x, int y, UINT nFlags = MK_LBUTTON);
    void MouseMove(int x, int y, UINT nFlags = MK_LBUTTON);
    void LButtonUp(int x, int y, UINT nFlags = 0);
    void RButtonUp(int x, int y, UINT nFlags = 0);
    // Button down at from, one move to each point of path (if any) then to `to`, button up at to.
    void Drag(CPoint from, CPoint to, const std::vector<CPoint>& path = {});
    void KeyDown(UINT nVirtKey, UINT nRepeat = 1);
    void Char(UINT nChar, UINT nRepeat = 1);
    // Sets the thread's key state of nVirtKey (VK_CONTROL, VK_MENU, VK_SHIFT) with
    // SetKeyboardState: GetKeyState sees it, GetAsyncKeyState does not.
    void SetKeyState(int nVirtKey, bool bDown);

    // Dispatches every message waiting in the thread's queue.
    void PumpMessages();
    // Pumps for the given time.
    void PumpFor(DWORD dwMilliseconds);
    // Pumps until pred() holds or the time is up; returns pred()'s last value.
    bool PumpUntil(const std::function<bool()>& pred, DWORD dwTimeoutMs);

    // Records of the frame.
    int NotifyCount(UINT code) const { return m_pFrame->Count(code); }
    const std::vector<CTestOwnerFrame::Notification>& Notifications() const { return m_pFrame->m_notifications; }
    const std::vector<std::string>& StatusTexts() const { return m_pFrame->m_statusTexts; }
    void ClearRecords() { m_pFrame->ClearRecords(); }

    // Image pixel (x, y) read from the DIB bits (through the colour table for palette depths).
    COLORREF ImagePixel(int x, int y) { return imagetest::PixelColour(*m_pCtrl->GetDIBsection(), x, y); }
    // The control's client pixel (x, y) as shown on the screen (repaint first with UpdateWindow).
    COLORREF ScreenPixel(int x, int y);
    CRect ClientRect() const;

    CTestOwnerFrame* m_pFrame = nullptr;
    CTestPntCtrl* m_pCtrl = nullptr;
    CWnd* m_pOldMainWnd = nullptr;
};
