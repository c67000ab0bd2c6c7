// CEditorColourBox: the strip of colours along the bottom of the editor. At its left end the
// draw colour shows over the fill colour; then one cell per colour: the standard colours, or
// the picture's own colour table for a palette picture. A left click makes a cell's colour
// the draw colour, a right click the fill colour.
#pragma once
#include <afxwin.h>
#include <vector>

class CPntCtrl;

class CEditorColourBox : public CWnd
{
public:
    CEditorColourBox();

    BOOL Create(CWnd* pParentWnd, UINT nID, CPntCtrl* pPaintCtrl);
    // The height the box wants in the frame's layout.
    static int GetWantedHeight();

    // Takes the colours from the picture (repaints only when they changed): call when the
    // picture may have been replaced, resized or recoloured.
    void FollowPicture();
    // Shows the control's draw and fill colours (repaints only when they changed).
    void FollowColours();

protected:
    // The colour cells' area, and cell nIndex's rectangle in it.
    CRect GetCellArea() const;
    int GetRows() const;
    CRect GetCellRect(int nIndex) const;
    // The cell under pt, or -1.
    int HitCell(CPoint pt) const;
    // The two swatches at the left end: the draw colour's in front.
    void GetSwatchRects(CRect* prcDraw, CRect* prcFill) const;
    void PickColour(CPoint pt, BOOL bFill);

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    CPntCtrl* m_pPaintCtrl;
    std::vector<COLORREF> m_colours;
    COLORREF m_crDrawShown;
    COLORREF m_crFillShown;
};
