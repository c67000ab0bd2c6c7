// CPntTextFmtBar: the floating "Text Tool" bar through which the user types and formats the
// text tool's text. It holds three overlaid edits, one per alignment, of which one shows, a
// Font... button and six toggles (alignments, bold, italic, underline); every change goes to
// the window it edits for, through IPntTextTarget (the paint control). The font and the
// alignment persist in the profile section "Text Tool".
#pragma once
#include "dialogs/PntDlg.h"
#include "textbar/PntTextTarget.h"

class AFX_EXT_CLASS CPntTextFmtBar : public CPntDlg
{
    DECLARE_DYNAMIC(CPntTextFmtBar)
public:
    // pParent is the target too when it is one.
    explicit CPntTextFmtBar(CWnd* pParent = NULL);
    virtual ~CPntTextFmtBar();

    // Creates the modeless bar for pTarget, with the target's window as its parent.
    BOOL Create(IPntTextTarget* pTarget);
    // Shows the bar, creating it on first use.
    BOOL Show(IPntTextTarget* pTarget);
    void Hide();
    // TRUE when the window exists and was not hidden.
    BOOL IsVisible() const;
    // Empties all three edits, so that a later alignment switch carries no stale text.
    void Clear();
    // The clipboard commands of the visible edit.
    void Copy();
    void Cut();
    void Paste();
    // Whether text is on the clipboard.
    BOOL IsDataAvailable();
    // Gives the visible edit the focus unless it has it.
    void SetFocusOnEdit();

    virtual BOOL OnInitDialog();

protected:
    // 0 left, 1 centre, 2 right; NULL otherwise.
    CEdit* GetEditControl(DWORD nAlignment);
    BOOL SetAlignment(DWORD nAlignment);
    // Sets the font into the edits (and, with bUpdateCtrl, into the control), shows face and
    // size in the caption and stores the font.
    void DoChangeFont(LOGFONT* plf, BOOL bUpdateCtrl);
    void SaveFont();
    void RestoreFont();
    void SaveAlignment();
    void RestoreAlignment();
    // Loads the button images with the grey background mapped to the button face colour.
    void SetButtonBitmaps();
    // The target's current text font, or FALSE without a target.
    BOOL GetControlFont(LOGFONT& lf);
    void UpdateButtons();
    virtual void DoDataExchange(CDataExchange* pDX);

    afx_msg void OnChangeEdit();
    afx_msg void OnFontButton();
    afx_msg void OnLeftJustify();
    afx_msg void OnCentreJustify();
    afx_msg void OnRightJustify();
    afx_msg void OnFontBold();
    afx_msg void OnFontItalic();
    afx_msg void OnFontUnderline();
    afx_msg void OnUpdateLeft(CCmdUI* pCmdUI);
    afx_msg void OnUpdateCentre(CCmdUI* pCmdUI);
    afx_msg void OnUpdateRight(CCmdUI* pCmdUI);
    afx_msg void OnUpdateBold(CCmdUI* pCmdUI);
    afx_msg void OnUpdateItalic(CCmdUI* pCmdUI);
    afx_msg void OnUpdateUnderline(CCmdUI* pCmdUI);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnDestroy();
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysColorChange();
    afx_msg void OnClose();
    DECLARE_MESSAGE_MAP()

    CEdit m_editLeft;
    CEdit m_editCentre;
    CEdit m_editRight;
    CButton m_btnLeft;
    CButton m_btnCentre;
    CButton m_btnRight;
    CButton m_btnBold;
    CButton m_btnItalic;
    CButton m_btnUnderline;
    CBitmap m_bmpButtons[6];
    CString m_strTitle;
    IPntTextTarget* m_pPaintCtrl;
    UINT m_nAlignment;
    BOOL m_bHidden;
};
