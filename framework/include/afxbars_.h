// Control bars: the CControlBar base and CToolBar over the common tool bar control.
// Included by afxext.h. There is no docking: a bar lives where its parent puts it.
#pragma once
#include "afxwin.h"
#include "afxcmn.h"

// Layout modes of CalcDynamicLayout
#define LM_STRETCH  0x01   // stretch to fill the frame
#define LM_HORZ     0x02   // horizontal, else vertical
#define LM_MRUWIDTH 0x04   // the most recently used width
#define LM_HORZDOCK 0x08   // docked horizontally
#define LM_VERTDOCK 0x10   // docked vertically
#define LM_LENGTHY  0x20   // the length is a height, else a width
#define LM_COMMIT   0x40   // remember the result

// Tool bar button styles: the low word is the control's button style, the high word its state.
// TBBS_DISABLED is the control's enabled bit, inverted.
#define TBBS_BUTTON        MAKELONG(TBSTYLE_BUTTON, 0)
#define TBBS_SEPARATOR     MAKELONG(TBSTYLE_SEP, 0)
#define TBBS_CHECKBOX      MAKELONG(TBSTYLE_CHECK, 0)
#define TBBS_GROUP         MAKELONG(TBSTYLE_GROUP, 0)
#define TBBS_CHECKGROUP    (TBBS_GROUP | TBBS_CHECKBOX)
#define TBBS_CHECKED       MAKELONG(0, TBSTATE_CHECKED)
#define TBBS_PRESSED       MAKELONG(0, TBSTATE_PRESSED)
#define TBBS_DISABLED      MAKELONG(0, TBSTATE_ENABLED)
#define TBBS_INDETERMINATE MAKELONG(0, TBSTATE_INDETERMINATE)
#define TBBS_HIDDEN        MAKELONG(0, TBSTATE_HIDDEN)
#define TBBS_WRAPPED       MAKELONG(0, TBSTATE_WRAP)

// A bar along a side of a frame, or placed by its parent (a dialog places it by hand). The
// CBRS_ styles are the bar's own (m_dwStyle) and never reach the window. Messages for a
// parent (WM_COMMAND, WM_NOTIFY, WM_DRAWITEM...) that the bar's map leaves alone go on to the
// owner (GetOwner), never to the control underneath.
class AFX_FW_CLASS CControlBar : public CWnd
{
    DECLARE_DYNAMIC(CControlBar)
public:
    CControlBar();
    virtual ~CControlBar();

    DWORD GetBarStyle() const { return m_dwStyle; }
    // Keeps the CBRS_ bits; the frame is redrawn when the borders change.
    void SetBarStyle(DWORD dwStyle);
    BOOL IsFloating() const { return (m_dwStyle & CBRS_FLOATING) != 0; }
    // Room kept between the bar's edges (inside its drawn borders) and its contents.
    void SetBorders(int cxLeft = 0, int cyTop = 0, int cxRight = 0, int cyBottom = 0);
    CRect GetBorders() const { return CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder); }

    // Size of the bar when docked (bStretch: as long as the frame side, here 32767).
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    // Size for a layout mode (LM_ flags); the default is the fixed layout of that orientation.
    virtual CSize CalcDynamicLayout(int nLength, DWORD nMode);
    // Brings the bar's items in line with their commands; pTarget may be NULL (a bar in a
    // dialog), when only the bar's own map answers.
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) = 0;
    // Shrinks a window rectangle by the drawn borders and the border room.
    virtual void CalcInsideRect(CRect& rect, BOOL bHorz) const;
    virtual LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam);

    BOOL m_bAutoDelete;   // the object deletes itself when its window is destroyed

protected:
    virtual void PostNcDestroy();
    // Draws the CBRS_BORDER_ edges of m_dwStyle in the DC (window coordinates) and shrinks
    // rect to what lies inside them.
    void DrawBorders(CDC* pDC, CRect& rect);
    // Width in pixels of each drawn border edge.
    int GetBorderEdge() const { return (m_dwStyle & CBRS_BORDER_3D) ? 2 : 1; }
    // Takes the width of the drawn border edges off the sides that have them.
    void DeflateByBorderEdges(CRect& rect) const;

    // WM_IDLEUPDATECMDUI: a visible bar updates against its frame.
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    // Without docking this is default processing (the control presses its buttons).
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

    int m_cxLeftBorder;
    int m_cxRightBorder;
    int m_cyTopBorder;
    int m_cyBottomBorder;
    DWORD m_dwStyle;
};

// A tool bar over the common tool bar control. Buttons are addressed by index; each has a
// command id, a TBBS_ style and an image of the bitmap strip (for a separator, its width).
//
// Departures from the usual framework: with CBRS_TOOLTIPS the bar makes its own tooltip
// control and gives it to the tool bar; the buttons register themselves with it and child
// windows of the bar (embedded controls) are added as window tools. Its TTN_NEEDTEXT requests
// arrive at the bar as WM_NOTIFY from the tooltip (id 0), for an ON_NOTIFY_EX_RANGE entry.
// TB_SETROWS is laid out by the bar itself (the wrapping of Wine's control differs), see
// WindowProc.
class AFX_FW_CLASS CToolBar : public CControlBar
{
    DECLARE_DYNAMIC(CToolBar)
public:
    CToolBar();
    virtual ~CToolBar();

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP,
                UINT nID = AFX_IDW_TOOLBAR);

    // Button and image sizes (defaults 23 x 22 and 16 x 15); set before the bitmap is loaded.
    void SetSizes(SIZE sizeButton, SIZE sizeImage);
    // Loads a strip of button images from the resource chain, its black, greys and white
    // turned into the button text, shadow, face and highlight colours.
    BOOL LoadBitmap(LPCTSTR lpszResourceName);
    BOOL LoadBitmap(UINT nIDResource) { return LoadBitmap(MAKEINTRESOURCE(nIDResource)); }
    // Gives the control an image strip; the bar owns the bitmap from then on.
    BOOL SetBitmap(HBITMAP hbmImageWell);
    // Replaces all buttons: one per id, 0 a separator, the others taking the images in turn.
    // Without ids, nIDCount blank buttons (id 0, image 0) to be set with SetButtonInfo.
    BOOL SetButtons(const UINT* lpIDArray, int nIDCount);

    int GetCount() const;
    int CommandToIndex(UINT nIDFind) const;
    UINT GetItemID(int nIndex) const;
    // Client rectangle of a button; empty for a bad index.
    virtual void GetItemRect(int nIndex, LPRECT lpRect) const;
    UINT GetButtonStyle(int nIndex) const;
    void SetButtonStyle(int nIndex, UINT nStyle);
    void GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const;
    // For TBBS_SEPARATOR, iImage is the separator's width in pixels (0: the control's default).
    void SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage);
    // The same window, as the control.
    CToolBarCtrl& GetToolBarCtrl() const;

    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    virtual CSize CalcDynamicLayout(int nLength, DWORD nMode);
    // For every button that is not a separator: its update handler in the bar's own map,
    // else pTarget's (disabled without one when bDisableIfNoHndler); then the bar's child
    // windows the same way.
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler);
    virtual LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam);

protected:
    BOOL GetButton(int nIndex, TBBUTTON* pButton) const;
    // Puts a button in place of the one at nIndex (deleted and inserted when more than its
    // state changes). The control's row breaks are kept.
    void SetButton(int nIndex, const TBBUTTON* pButton);
    // Row breaks for nRows rows: the narrowest width that gives that many rows, else the
    // nearest count above (bLarger) or below. lpRect receives the buttons' bounding box.
    void LayoutRows(int nRows, BOOL bLarger, LPRECT lpRect);
    // The box of the buttons in client coordinates; a separator ending its row adds no width.
    CRect GetButtonsBox() const;

    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnNcPaint();
    afx_msg void OnDestroy();
    // Fills the frame outside the client area with the face colour and draws the borders.
    void EraseNonClient();
    DECLARE_MESSAGE_MAP()

    HBITMAP m_hbmImageWell;
    HWND m_hWndToolTip;
    CSize m_sizeButton;
    CSize m_sizeImage;
};
