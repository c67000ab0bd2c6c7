// CCoolCombo: a button-sized drop-down that offers a grid of picture cells (line widths, say)
// in a popup. Its face shows one image of a bitmap strip, or the selected cell, and a
// drop-down arrow; a click opens the popup, and choosing a cell tells the owner.
//
// Choices our caller does not fix, made here: the popup is a grid (one column up to eight
// cells), with the title on top when m_bShowTitle, the selected cell framed when
// m_bHighlightSelection, and a default button at the bottom when m_strDefaultText is not
// empty. The face shows the selected cell, centred and clipped, once there is a selection
// and cell images; else the face image. Image pixels of the mask colour (compared without
// the palette-relative 0x02 byte) are transparent.
#pragma once
#include "companion/CompanionDefs.h"
#include <vector>

class CCoolComboPopup;

// WM_NOTIFY codes sent to the owner (the sender's window id as id).
#define CCN_SELECTOK      1978   // a cell was chosen
#define CCN_SELECTDEFAULT 1980   // the default button was chosen

// The notification: the chosen value is the second 32-bit field after the header.
struct NMCOOLCOMBO
{
    NMHDR hdr;
    int iCell;       // the cell chosen; -1 when none (default button, a colour from elsewhere)
    DWORD dwValue;   // a combo's cell index; a colour picker's colour
};

class COMPANION_CLASS CCoolCombo : public CStatic
{
    DECLARE_DYNAMIC(CCoolCombo)
public:
    CCoolCombo();
    virtual ~CCoolCombo();

    // A child that takes clicks; lpszText is not shown.
    virtual BOOL Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID = 0xffff);

    // The face image: image nImage, nImageWidth wide, of the bitmap strip nIDBitmap (found
    // through the resource chain). FALSE when the bitmap or the image does not exist.
    BOOL SetImageFromBitmap(UINT nIDBitmap, int nImageWidth, int nImage, COLORREF crMask);
    // The cell images: the strip nIDBitmap cut into cells nCellWidth wide.
    BOOL SetCellImages(UINT nIDBitmap, int nCellWidth, COLORREF crMask);
    // The selected cell, -1 for none; out-of-range cells select nothing.
    void SetSelection(int nCell);
    int GetSelection() const { return m_nSelection; }
    // Flat: the raised frame shows only under the mouse or while dropped down.
    void SetFlatMode(BOOL bFlat = TRUE);
    BOOL GetFlatMode() const { return m_bFlat; }

    BOOL DropDown();
    void CloseUp();
    BOOL IsDroppedDown() const { return m_pPopup != NULL; }

    // The popup while it is open (NULL else), and where its items lie in its client area:
    // a cell index, or itemDefault / itemOther for the buttons. FALSE for an item not shown.
    enum { itemNone = -1, itemDefault = -2, itemOther = -3 };
    HWND GetPopupWnd() const;
    BOOL GetPopupItemRect(int nItem, LPRECT lpRect) const;

    CString m_strTitle;          // heading of the popup
    int m_nCellCount;            // cells offered
    BOOL m_bShowTitle;           // the popup shows m_strTitle
    BOOL m_bHighlightSelection;  // the popup frames the selected cell
    CString m_strDefaultText;    // the default button's text; empty: no button

    // What the popup offers, for the popup; a colour picker offers colours instead.
    virtual int GetCellCount() const;
    virtual CSize GetCellSize() const;
    virtual int GetColumnCount() const;
    virtual void DrawCell(CDC* pDC, int nCell, const CRect& rect);
    virtual CString GetCellName(int nCell) const;
    virtual BOOL HasCellNames() const { return FALSE; }
    virtual BOOL HasOtherButton() const { return FALSE; }
    virtual CString GetOtherText() const { return CString(); }
    // The cell shown as selected in the popup.
    virtual int GetSelectedCell() const { return m_nSelection; }
    // The popup closed on an item (itemNone: cancelled). The popup is gone by then.
    virtual void OnPopupChoice(int nItem);

protected:
    // A strip of images held as 32-bit pixels (0x00RRGGBB, top row first).
    struct ImageStrip
    {
        ImageStrip() : cx(0), cy(0), crMask(0) {}
        BOOL Load(UINT nIDBitmap, COLORREF crMaskColour);
        // Draws the part (xSrc, 0, cx, cy) at pt, mask pixels showing crBack; clipped to rcClip.
        void Draw(CDC* pDC, int xSrc, int cxPart, CPoint pt, COLORREF crBack, const CRect& rcClip, BOOL bGrey) const;
        std::vector<DWORD> bits;
        int cx;
        int cy;
        COLORREF crMask;
    };

    // The face inside the frame, left of the arrow.
    virtual void DrawFaceContent(CDC* pDC, const CRect& rect);
    void SendNotify(UINT nCode, int iCell, DWORD dwValue);

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg LRESULT OnNcHitTest(WPARAM, LPARAM);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnDestroy();
    afx_msg LRESULT OnMouseLeave(WPARAM, LPARAM);
    afx_msg LRESULT OnEnable(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

    ImageStrip m_face;
    int m_nFaceImage;        // the image of m_face shown (its strip keeps only that one)
    ImageStrip m_cells;
    int m_nCellWidth;
    int m_nSelection;
    BOOL m_bFlat;
    BOOL m_bHot;             // the mouse is over the face
    CCoolComboPopup* m_pPopup;
    HWND m_hWndPrevFocus;

    friend class CCoolComboPopup;
};
