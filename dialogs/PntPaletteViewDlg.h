// CPntPaletteViewDlg: shows the entries of a logical palette as a grid of colour cells and
// reports the colour under the mouse.
#pragma once
#include "dialogs/PntDlg.h"

class AFX_EXT_CLASS CPntPaletteViewDlg : public CPntDlg
{
    DECLARE_DYNAMIC(CPntPaletteViewDlg)
public:
    explicit CPntPaletteViewDlg(CWnd* pParentWnd = NULL);
    // The palette is not owned: it must outlive the dialog.
    CPntPaletteViewDlg(CWnd* pParentWnd, CPalette* pPalette);

    // Reads up to 256 entries and sets the count text; NULL shows an empty grid, no count.
    void SetPalette(CPalette* pPalette);
    CPalette* GetPalette() const { return m_pPalette; }

    // Draws every cell; FALSE without a palette or a grid area.
    BOOL DrawPalette();
    // Draws one cell on pDC, or on the dialog's own DC when pDC is NULL; a highlighted cell
    // gets a white outline and its colour in the readout.
    void DrawCell(CDC* pDC, int nIndex, BOOL bHighlighted);

    virtual BOOL OnInitDialog();

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    // The grid area in client coordinates and the size of one cell; FALSE when there is no
    // grid area or it is too small to hold a cell.
    BOOL GetGridGeometry(CRect& rcGrid, CSize& sizeCell) const;
    // The cell of entry nIndex, in client coordinates.
    CRect CellRect(const CRect& rcGrid, CSize sizeCell, int nIndex) const;

    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

    CStatic m_PaletteFrame;
    CString m_strColourCount;
    CPalette* m_pPalette;
    int m_nColumns;
    PALETTEENTRY m_Entries[256];
    int m_nColours;
    int m_nCurrent;
};
