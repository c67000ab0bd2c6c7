// CPntIconEditDlg: a modal editor for an icon, a colour image with a one-bit mask or a
// transparent colour, beside its tool palette and a live preview at actual size.
#pragma once
#include <afxwin.h>
#include "paint/PntCtrl.h"
#include "toolpalette/PntToolCtrl.h"

class CDib;

class AFX_EXT_CLASS CPntIconEditDlg : public CDialog
{
    DECLARE_DYNAMIC(CPntIconEditDlg)
public:
    explicit CPntIconEditDlg(CWnd* pParentWnd = NULL);

    // The image (true-colour images are brought down to 8 bits, where a key colour can be
    // chosen) and its mask, white for transparent pixels. Stops at the first failing step.
    BOOL SetIcon(HBITMAP hImage, HBITMAP hMask);
    BOOL SetIconFromDIBs(CDib* pImage, CDib* pMask);

    // The edited icon; the handles belong to the paint control.
    HBITMAP GetBitmap() { return m_PaintCtrl.GetBitmap(); }
    HBITMAP GetMask() { return m_PaintCtrl.GetMask(); }
    CPalette* GetPalette() { return m_PaintCtrl.GetPalette(); }

    void SetTransparent(BOOL bTransparent) { m_PaintCtrl.SetTransparent(bTransparent); }
    BOOL GetTransparent() const { return m_PaintCtrl.GetTransparent(); }
    void SetTransparentColor(COLORREF cr) { m_PaintCtrl.SetTransparentColor(cr); }
    COLORREF GetTransparentColor() const { return m_PaintCtrl.GetTransparentColor(); }
    // The palette's pickers offer the 16 standard colours; set before DoModal.
    void SetVGAPalette(BOOL bVGA) { m_ToolCtrl.SetVGAPalette(bVGA); }
    BOOL GetVGAPalette() const { return m_ToolCtrl.GetVGAPalette(); }

    CPntCtrl* GetPaintControl() { return &m_PaintCtrl; }
    CPntToolCtrl* GetPaintTool() { return &m_ToolCtrl; }

    virtual BOOL OnInitDialog();
    // Draws the icon into the preview area as it will look with its transparency.
    void UpdatePreview();

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // The palette follows the control's state.
    void UpdateToolPalette();

    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg LRESULT OnKickIdle(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

    CStatic m_Preview;
    CPntCtrl m_PaintCtrl;
    CPntToolCtrl m_ToolCtrl;
};
