// CCoolComboPopup: the drop-down grid of a CCoolCombo (internal to the companion DLL).
// It asks its combo what to show, follows the mouse (captured) and the keys the combo passes
// on, and hands the chosen item back to the combo, which closes it.
#pragma once
#include "companion/CoolCombo.h"

class CCoolComboPopup : public CWnd
{
public:
    explicit CCoolComboPopup(CCoolCombo* pCombo);

    // Lays out, creates, places below the combo (above when there is no room) and shows the
    // popup without activating it, and takes the mouse. On failure the object is gone.
    BOOL Open();
    BOOL GetItemRect(int nItem, LPRECT lpRect) const;
    // The item at a client point, or itemNone.
    int HitTest(CPoint point) const;
    // Escape cancels, Return or Space chooses the hot item, arrows move it.
    void OnKey(UINT nChar);

protected:
    void Layout();
    CRect GetCellBox(int nCell) const;
    void SetHot(int nItem);
    // Closes the popup (this object is deleted) and tells the combo.
    void Finish(int nItem);
    void DrawButton(CDC* pDC, const CRect& rect, const CString& strText, BOOL bHot);
    virtual void PostNcDestroy();

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg LRESULT OnCaptureChanged(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    CCoolCombo* m_pCombo;
    int m_nCells;
    int m_nColumns;
    CSize m_sizeBox;   // a cell with its frame and padding
    CRect m_rcTitle;
    CRect m_rcGrid;
    CRect m_rcStatus;
    CRect m_rcDefault;
    CRect m_rcOther;
    CSize m_sizeClient;
    int m_nHot;
};
