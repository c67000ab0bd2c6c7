// Extensions of the window classes; the core declarations come from afxwin.h.
#pragma once
#include "afxwin.h"
#include "afxtracker_.h"
#include "afxbars_.h"
#include <commctrl.h>

// Status bar pane styles
#define SBPS_NORMAL 0x0000
#define SBPS_NOBORDERS SBT_NOBORDERS
#define SBPS_POPOUT SBT_POPOUT
#define SBPS_OWNERDRAW SBT_OWNERDRAW
#define SBPS_DISABLED 0x04000000
#define SBPS_STRETCH 0x08000000   // the pane takes the width that the others leave

// A status bar over the common status control: one pane per indicator, each as wide as its
// indicator string; a stretching pane takes the rest of the bar. A control bar: its parent's
// RepositionBars (CFrameWnd::RecalcLayout) puts it along the bottom, as high as its font asks.
// The control also keeps itself along the bottom of its parent when it is sent the parent's
// WM_SIZE (as a dialog without RepositionBars may do). Panes follow the update handlers of
// their ids (ON_UPDATE_COMMAND_UI): Enable(FALSE) hides the text, SetCheck pops the pane out.
class AFX_FW_CLASS CStatusBar : public CControlBar
{
    DECLARE_DYNAMIC(CStatusBar)
public:
    CStatusBar();
    virtual ~CStatusBar();

    // The CBRS_ styles are kept as the bar's own (GetBarStyle); the rest go to the window. A
    // parent with a sizing border gets a size grip.
    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                        UINT nID = AFX_IDW_STATUS_BAR);
    // One pane per id: ID_SEPARATOR gives a pane a quarter of the screen wide (the first one
    // stretches, without borders); any other id's string (from the resource chain) is the
    // pane's first text and sets its width. FALSE when a string is missing or on bad input.
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);

    int GetCount() const { return m_nCount; }
    // The pane of command id nIDFind, or -1.
    int CommandToIndex(UINT nIDFind) const;
    UINT GetItemID(int nIndex) const;
    void GetItemRect(int nIndex, LPRECT lpRect) const;
    void GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const;
    void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
    CString GetPaneText(int nIndex) const;
    void GetPaneText(int nIndex, CString& rString) const { rString = GetPaneText(nIndex); }
    BOOL SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate = TRUE);
    UINT GetPaneStyle(int nIndex) const { return IsValidIndex(nIndex) ? m_pPanes[nIndex].nStyle : 0; }
    void SetPaneStyle(int nIndex, UINT nStyle);

    // As wide as the parent (or the stretch), as high as the control makes itself.
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    // Each pane with an id asks its update handler, in the bar's map and then pTarget's.
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler);

protected:
    struct PANE
    {
        UINT nID;
        UINT nStyle;
        int cxText;
        CString strText;   // kept here: a disabled pane shows none of it
    };
    // Gives the control its parts: each pane its width plus borders, the stretching pane the rest.
    void UpdateParts();
    BOOL IsValidIndex(int nIndex) const { return nIndex >= 0 && nIndex < m_nCount; }
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

    // Gives the control pane nIndex's text and border style.
    BOOL ShowPaneText(int nIndex, BOOL bUpdate);

    PANE* m_pPanes;
    int m_nCount;
};
