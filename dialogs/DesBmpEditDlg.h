// CDesBmpEditDlg: the bitmap editor with a status bar: the tool's text, the image point under
// the mouse and the image size, reported by its status-reporting paint control.
#pragma once
#include <afxext.h>
#include "dialogs/PntBitmapEditDlg.h"

class AFX_EXT_CLASS CDesBmpEditDlg : public CPntBitmapEditDlg
{
    DECLARE_DYNAMIC(CDesBmpEditDlg)
public:
    explicit CDesBmpEditDlg(CStringArray* pColorArray = NULL, CWnd* pParentWnd = NULL);

    // Hands the colour names to the paint control.
    void SetColorArray();
    // Forwarded to the palette or the control; call before DoModal.
    void SetPopupColors(const COLORREF* pColours, int nCount, const COLORREF* pExtColours = NULL)
    {
        m_ToolCtrl.SetPopupColors(pColours, nCount, pExtColours);
    }
    void SetTransPopupColors(const COLORREF* pColours, int nCount, const COLORREF* pExtColours = NULL)
    {
        m_ToolCtrl.SetTransPopupColors(pColours, nCount, pExtColours);
    }
    void SetHighColorMode() { m_ToolCtrl.SetHighColorMode(); }
    void SetTransparent(BOOL bTransparent, COLORREF crTransparent);
    void EnableTransColorPicker(BOOL bEnable) { m_PaintCtrl.EnableTransColorPicker(bEnable); }
    void SetEraseColor(COLORREF cr) { m_PaintCtrl.SetEraseColor(cr); }

    virtual BOOL OnInitDialog();

protected:
    afx_msg LRESULT OnUpdateStatusBar(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    CStringArray* m_pColorArray;
    CStatusBar m_StatusBar;
    int m_nImageWidth;
    int m_nImageHeight;
};
