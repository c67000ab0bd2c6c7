// CPntBitmapEditDlg: a ready-made modal editor for one bitmap: the paint control, its tool
// palette and a magnification slider. The host sets the bitmap, runs the dialog and takes the
// edited bitmap back.
#pragma once
#include <afxcmn.h>
#include "dialogs/DesPntCtrl.h"
#include "dialogs/DesPntToolCtrl.h"
#include "dialogs/PntDlg.h"

class CDib;

class AFX_EXT_CLASS CPntBitmapEditDlg : public CPntDlg
{
    DECLARE_DYNAMIC(CPntBitmapEditDlg)
public:
    explicit CPntBitmapEditDlg(CWnd* pParentWnd = NULL);

    // Before DoModal.
    BOOL SetBitmap(HBITMAP hBitmap) { return m_PaintCtrl.SetBitmap(hBitmap); }
    BOOL SetBitmapFromCDib(CDib* pDib) { return m_PaintCtrl.SetBitmapFromCDib(pDib); }
    // After DoModal returned IDOK.
    HBITMAP GetBitmap() { return m_PaintCtrl.GetBitmap(); }
    BOOL GetCDibFromBitmap(CDib* pDib) { return m_PaintCtrl.GetCDibFromBitmap(pDib, 0); }
    CPntCtrl* GetPaintControl() { return &m_PaintCtrl; }

    virtual BOOL OnInitDialog();

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // The palette follows the control.
    void UpdatePalette();

    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg LRESULT OnKickIdle(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

    CSliderCtrl m_Slider;
    CDesPntCtrl m_PaintCtrl;
    CDesPntToolCtrl m_ToolCtrl;
};
