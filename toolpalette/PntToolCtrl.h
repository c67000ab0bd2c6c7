// CPntToolCtrl: the tool palette, a tool bar that drives one paint control. Its 29 slots hold
// the edit and view commands, the tool modes and four drop-downs (eraser and pen widths,
// foreground and transparency colours). A click calls the control; every idle update makes
// the buttons and drop-downs follow the control's state.
#pragma once
#include <afxext.h>
#include "companion/ColourPicker.h"
#include "companion/ToolBarEx.h"

class CPntCtrl;

class AFX_EXT_CLASS CPntToolCtrl : public CToolBarEx
{
public:
    // A slot: its command (0 for a separator) and the string of its tooltip.
    struct CommandEntry
    {
        UINT nCommandID;
        UINT nStringID;
    };
    // An embedded drop-down and the command of its slot.
    struct ControlEntry
    {
        UINT nCommandID;
        CWnd* pControl;
    };

    static const CommandEntry m_StdCommands[29];
    static const int m_nPenWidths[5];
    static const int m_nEraserWidths[4];
    static const int m_nStdPaddingRows[5];

    CPntToolCtrl();
    virtual ~CPntToolCtrl();

    // Makes the bar: buttons and images from the bitmap nID (also the window id), the
    // drop-downs, and the rows. FALSE only when the bar's window cannot be made.
    BOOL Create(CWnd* pParentWnd, CPntCtrl* pPaintCtrl, UINT nID,
                DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS, BOOL bGripper = TRUE);

    void SetPaintCtrl(CPntCtrl* pPaintCtrl) { m_pPaintCtrl = pPaintCtrl; }
    CPntCtrl* GetPaintCtrl() const { return m_pPaintCtrl; }
    // Leaves out the Magnify, Size to fit window and Resize buttons; call before Create.
    void SetNoMagnificationButtons(BOOL bNone) { m_bNoMagnificationButtons = bNone; }
    BOOL GetNoMagnificationButtons() const { return m_bNoMagnificationButtons; }
    // The colour pickers offer the 16 standard colours whatever the image's table.
    void SetVGAPalette(BOOL bVGA) { m_bVGAPalette = bVGA; }
    BOOL GetVGAPalette() const { return m_bVGAPalette; }

    // Colour tables of the pickers (names "R r G g B b"); extended lists hold 256 colours.
    // They take full effect when set before Create.
    void SetPopupColors(const COLORREF* pColours, int nCount, const COLORREF* pExtColours);
    void SetTransPopupColors(const COLORREF* pColours, int nCount, const COLORREF* pExtColours);
    void SetHighColorMode();
    void SetToolbarDropDownBitmaps(int nPenBitmapID, int nPenCellWidth, int nEraserBitmapID, int nEraserCellWidth);

    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler);
    virtual CSize CalcDynamicLayout(int nLength, DWORD nMode);
    virtual void SetFlatLook(BOOL bFlatLook = TRUE);
    virtual BOOL SetPaddingRows();
    virtual BOOL SetupButtonInfo();
    virtual BOOL SetupToolbarControls(UINT nIDBitmap);

    // --- Keys of the tools in the tooltips ---
    // The key that chooses tool nToolMode in the host, shown after the tool's name in its
    // button's tooltip: "Line (L)". NULL or "" shows the name alone (the default). FALSE for
    // a mode that has no button.
    BOOL SetToolKey(UINT nToolMode, LPCTSTR lpszKey);
    CString GetToolKey(UINT nToolMode) const;

protected:
    // Deletes the Magnify, Size to fit window and Resize buttons, one row fewer.
    void RemoveMagnificationControls();
    // Moves each drop-down onto its slot.
    void RepositionControls();
    void DrawGripper(CDC* pDC);
    // The drop-downs follow the control: colour tables, shown colours and widths, enabling.
    void UpdateControls();
    // Fills a picker from a table, or from the fallback table when it has none.
    void ApplyColours(CColourPicker& picker, ColourTableEntry* pTable, int nCount, ColourTableEntry* pExtTable);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    LRESULT OnSelectOK(NMHDR* pNotify, DWORD dwValue);
    LRESULT OnSelectDefault(NMHDR* pNotify, DWORD dwValue);

    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    afx_msg void OnNcPaint();
    afx_msg BOOL OnNeedTooltipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnUpdateButtons(CCmdUI* pCmdUI);
    afx_msg void OnCommandLine(UINT nID);
    afx_msg void OnClick();
    DECLARE_MESSAGE_MAP()

    CCoolCombo m_EraserWidthCombo;
    CCoolCombo m_PenWidthCombo;
    CColourPicker m_ForeColourPicker;
    CColourPicker m_TransColourPicker;
    CPntCtrl* m_pPaintCtrl;
    int m_nPenWidthCount;
    int m_nEraserWidthCount;
    int m_nButtonWidth;
    int m_nButtonHeight;
    BOOL m_bDisplayOnly;
    BOOL m_bNoMagnificationButtons;
    BOOL m_bVGAPalette;
    BOOL m_bShowGripper;
    int m_nRows;
    int m_nPickerColourCount;
    ColourTableEntry* m_pPopupColours;
    int m_nPopupColours;
    ColourTableEntry* m_pTransPopupColours;
    int m_nTransPopupColours;
    ColourTableEntry* m_pExtColours;
    ColourTableEntry* m_pTransExtColours;
    int m_nButtons;
    CommandEntry* m_pButtons;
    int m_nControls;
    ControlEntry* m_pControls;
    int m_nPaddingRows;
    int* m_pPaddingRows;
    BOOL m_bHighColour;

    // The tools' keys, by command: m_strToolKeys[command id - first palette command].
    enum { kCommandSlots = 30 };
    CString m_strToolKeys[kCommandSlots];
};
