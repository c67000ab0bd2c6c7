// CPntBitmapResizeDlg: the dimensions and colour depth of a new or resized image.
#include "dialogs/PntBitmapResizeDlg.h"
#include "resources/resource.h"

IMPLEMENT_DYNAMIC(CPntBitmapResizeDlg, CPntDlg)

BEGIN_MESSAGE_MAP(CPntBitmapResizeDlg, CPntDlg)
    ON_BN_CLICKED(IDC_PNT_CROP, OnUseSelectionCheck)
END_MESSAGE_MAP()

namespace
{
// The depth list in the order it is shown: its text and its bits per pixel.
struct DepthEntry
{
    UINT nTextID;
    int nBitsPerPixel;
};

const DepthEntry kDepths[] = {
    {IDS_PNT_DEPTH_MONOCHROME, 1}, {IDS_PNT_DEPTH_16COLOURS, 4},  {IDS_PNT_DEPTH_256COLOURS, 8},
    {IDS_PNT_DEPTH_HIGHCOLOUR, 16}, {IDS_PNT_DEPTH_TRUECOLOUR, 24}, {IDS_PNT_DEPTH_32BITCOLOUR, 32},
};
const int kDepthCount = (int)(sizeof(kDepths) / sizeof(kDepths[0]));
// Unlisted depths fall back to 256 colours.
const int kDefaultDepthIndex = 2;
}

CPntBitmapResizeDlg::CPntBitmapResizeDlg(CWnd* pParentWnd)
    : CPntDlg(IDD_PNT_BITMAPRESIZE, pParentWnd), m_nHeight(0), m_nWidth(0), m_bCrop(FALSE),
      m_nColourIndex(1), m_bEnableCrop(FALSE)
{
}

void CPntBitmapResizeDlg::SetAttributes(int nWidth, int nHeight, int nBitsPerPixel)
{
    m_nWidth = nWidth;
    m_nHeight = nHeight;
    m_nColourIndex = kDefaultDepthIndex;
    for (int i = 0; i < kDepthCount; i++)
    {
        if (kDepths[i].nBitsPerPixel == nBitsPerPixel)
            m_nColourIndex = i;
    }
}

int CPntBitmapResizeDlg::GetBitsPerPixel() const
{
    if (m_nColourIndex < 0 || m_nColourIndex >= kDepthCount)
        return kDepths[kDefaultDepthIndex].nBitsPerPixel;
    return kDepths[m_nColourIndex].nBitsPerPixel;
}

void CPntBitmapResizeDlg::DoDataExchange(CDataExchange* pDX)
{
    CPntDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PNT_COLOURDEPTH, m_ColourCombo);
    DDX_Text(pDX, IDC_PNT_HEIGHT, m_nHeight);
    DDX_Text(pDX, IDC_PNT_WIDTH, m_nWidth);
    DDX_Check(pDX, IDC_PNT_CROP, m_bCrop);
    DDX_CBIndex(pDX, IDC_PNT_COLOURDEPTH, m_nColourIndex);
}

BOOL CPntBitmapResizeDlg::OnInitDialog()
{
    CPntDlg::OnInitDialog();

    // The list is empty while the base class exchanges data, so the selection is set here.
    for (int i = 0; i < kDepthCount; i++)
    {
        CString text;
        text.LoadString(kDepths[i].nTextID);
        m_ColourCombo.AddString(text);
    }
    m_ColourCombo.SetCurSel(m_nColourIndex);

    if (!m_bEnableCrop)
    {
        HWND hWndCrop = ::GetDlgItem(m_hWnd, IDC_PNT_CROP);
        if (hWndCrop != NULL)
            ::EnableWindow(hWndCrop, FALSE);
    }
    return TRUE;
}

void CPntBitmapResizeDlg::OnUseSelectionCheck()
{
    UpdateData(TRUE);

    // The box itself decides: a refused number above leaves m_bCrop as it was.
    BOOL bSizeEditable = IsDlgButtonChecked(IDC_PNT_CROP) != BST_CHECKED;
    for (int nID = IDC_PNT_WIDTH_LABEL; nID <= IDC_PNT_HEIGHT; nID++)
    {
        HWND hWndCtrl = ::GetDlgItem(m_hWnd, nID);
        if (hWndCtrl != NULL)
            ::EnableWindow(hWndCtrl, bSizeEditable);
    }
}
