// CPntBitmapResizeDlg: asks for the width, height and colour depth of a new or resized
// image, or whether to crop the image to the current selection.
#pragma once
#include "dialogs/PntDlg.h"

class AFX_EXT_CLASS CPntBitmapResizeDlg : public CPntDlg
{
    DECLARE_DYNAMIC(CPntBitmapResizeDlg)
public:
    explicit CPntBitmapResizeDlg(CWnd* pParentWnd = NULL);

    // Width and height in pixels; an unlisted depth selects 256 colours.
    void SetAttributes(int nWidth, int nHeight, int nBitsPerPixel);
    // Whether the crop check box may be used; call before DoModal.
    void EnableCropButton(BOOL bEnable) { m_bEnableCrop = bEnable; }

    // The answers, valid after DoModal returned IDOK. Width and height are as typed.
    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }
    int GetBitsPerPixel() const;
    BOOL CropToSelection() const { return m_bCrop; }

    virtual BOOL OnInitDialog();

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    afx_msg void OnUseSelectionCheck();
    DECLARE_MESSAGE_MAP()

    CComboBox m_ColourCombo;
    int m_nHeight;
    int m_nWidth;
    BOOL m_bCrop;
    int m_nColourIndex;
    BOOL m_bEnableCrop;
};
