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
// indicator string; a stretching pane takes the rest of the bar. The control keeps the pane
// texts. The bar sits along the bottom of its parent, which keeps it there by forwarding its
// WM_SIZE (CFrameWnd::RecalcLayout does).
class AFX_FW_CLASS CStatusBar : public CWnd
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
    DWORD GetBarStyle() const { return m_dwStyle; }

protected:
    struct PANE
    {
        UINT nID;
        UINT nStyle;
        int cxText;
    };
    // Gives the control its parts: each pane its width plus borders, the stretching pane the rest.
    void UpdateParts();
    BOOL IsValidIndex(int nIndex) const { return nIndex >= 0 && nIndex < m_nCount; }
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

    PANE* m_pPanes;
    int m_nCount;
    DWORD m_dwStyle;
};
