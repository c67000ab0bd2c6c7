// CToolBarEx: a tool bar with a flat look, the base of tool bars that embed controls
// (the paint library's tool palette). It reports its own run-time class, which a derived
// bar without one of its own reports too.
//
// Choices our caller does not fix, made here: the flat look (m_bFlatLook, on by default) is
// the control's flat style, applied when the frame is painted; m_hWndFrame is the frame
// that the bar's parent chain leads to when the bar is created (NULL without one, as in a
// dialog without a frame owner); the four new virtuals do nothing and succeed here.
#pragma once
#include "companion/CompanionDefs.h"
#include <afxext.h>

class COMPANION_CLASS CToolBarEx : public CToolBar
{
    DECLARE_DYNAMIC(CToolBarEx)
public:
    CToolBarEx();
    virtual ~CToolBarEx();

    // Each button's update request goes to the bar's own message map (a derived bar's map
    // included), then to pTarget when there is one.
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler);

    // New virtuals, in this order.
    virtual void SetFlatLook(BOOL bFlatLook = TRUE);
    virtual BOOL SetPaddingRows();
    virtual BOOL SetupButtonInfo();
    virtual BOOL SetupToolbarControls(UINT nIDBitmap);

    BOOL GetFlatLook() const { return m_bFlatLook; }

    BOOL m_bFlatLook;   // buttons flat, raised only under the mouse
    HWND m_hWndFrame;   // the owning frame window, or NULL

protected:
    // Brings the control's flat style in line with m_bFlatLook.
    void ApplyFlatLook();

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    // Repaints the frame: the face colour around the client area and the borders.
    afx_msg void OnNcPaint();
    DECLARE_MESSAGE_MAP()
};
