// CPntBitmapEditDlg: the bitmap editor dialog.
#include "dialogs/PntBitmapEditDlg.h"
#include <afxpriv.h>
#include "resources/resource.h"

IMPLEMENT_DYNAMIC(CPntBitmapEditDlg, CPntDlg)

BEGIN_MESSAGE_MAP(CPntBitmapEditDlg, CPntDlg)
    ON_WM_VSCROLL()
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
    ON_WM_SIZE()
END_MESSAGE_MAP()

namespace
{
const int kMinPercent = 10, kMaxPercent = 600, kStartPercent = 100;
// Images smaller than this open at the highest magnification.
const int kSmallImage = 50;
}

CPntBitmapEditDlg::CPntBitmapEditDlg(CWnd* pParentWnd) : CPntDlg(IDD_PNT_BITMAPEDIT, pParentWnd)
{
}

void CPntBitmapEditDlg::DoDataExchange(CDataExchange* pDX)
{
    CPntDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PNT_ZOOMSLIDER, m_Slider);
    DDX_Control(pDX, IDC_PNT_PAINTCTRL, m_PaintCtrl);
}

BOOL CPntBitmapEditDlg::OnInitDialog()
{
    CPntDlg::OnInitDialog();
    if (m_PaintCtrl.GetBitmap() == NULL && !m_PaintCtrl.PromptNewBitmap(-1, -1, -1))
    {
        EndDialog(IDCANCEL);
        return FALSE;
    }
    ::SetForegroundWindow(m_hWnd);

    m_Slider.SetRange(kMinPercent, kMaxPercent, FALSE);
    m_Slider.SetPos(kStartPercent);
    for (int nTic = 100; nTic <= 500; nTic += 100)
        m_Slider.SetTic(nTic);

    // The "100%" label is centred on the first tick mark.
    CWnd* pLabel = GetDlgItem(IDC_PNT_ZOOM_100);
    int nTicPos = m_Slider.GetTicPos(0);
    if (pLabel != NULL && nTicPos >= 0)
    {
        CRect rcSlider, rcLabel;
        m_Slider.GetWindowRect(&rcSlider);
        ScreenToClient(&rcSlider);
        pLabel->GetWindowRect(&rcLabel);
        ScreenToClient(&rcLabel);
        int nHalf = (rcLabel.Height() + 1) / 2;
        pLabel->MoveWindow(rcLabel.left, rcSlider.top + nTicPos - nHalf, rcLabel.Width(), 2 * nHalf);
    }

    CDIBSection* pImage = m_PaintCtrl.GetDIBsection();
    if (pImage->GetWidth() < kSmallImage || pImage->GetHeight() < kSmallImage)
        m_PaintCtrl.SetMagnification(kMaxPercent);
    m_PaintCtrl.SetToolMode(TOOL_PEN);
    m_PaintCtrl.SetShowGrid(TRUE, 600);
    m_PaintCtrl.CentreImage(TRUE);
    m_ToolCtrl.SetNoMagnificationButtons(TRUE);
    m_PaintCtrl.Reset();

    if (m_ToolCtrl.Create(this, &m_PaintCtrl, IDB_PNT_PALETTE, WS_CHILD | WS_VISIBLE | CBRS_TOOLTIPS, FALSE))
    {
        CWnd* pPlace = GetDlgItem(IDC_PNT_TOOLBAR_PLACEHOLDER);
        if (pPlace != NULL)
        {
            CRect rc;
            pPlace->GetWindowRect(&rc);
            ScreenToClient(&rc);
            m_ToolCtrl.MoveWindow(&rc);
        }
        UpdatePalette();
        CWnd* pGrip = GetDlgItem(IDC_PNT_SIZEGRIP);
        if (pGrip != NULL)
            pGrip->ModifyStyle(WS_VISIBLE, 0);
    }
    return TRUE;
}

void CPntBitmapEditDlg::UpdatePalette()
{
    if (::IsWindow(m_hWnd) && ::IsWindow(m_ToolCtrl.m_hWnd))
        m_ToolCtrl.OnUpdateCmdUI(GetParentFrame(), TRUE);
}

void CPntBitmapEditDlg::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if (pScrollBar == NULL || pScrollBar->m_hWnd != m_Slider.m_hWnd)
    {
        CPntDlg::OnVScroll(nSBCode, nPos, pScrollBar);
        return;
    }
    if (nSBCode == SB_ENDSCROLL)
        return;
    // Page steps jump between the standard levels; everything else takes the slider as it is.
    if (nSBCode == SB_PAGEUP || nSBCode == SB_PAGEDOWN)
    {
        int nLevel = m_PaintCtrl.GetNextMagLevel(-1, nSBCode == SB_PAGEDOWN);
        if (nLevel >= 1)
            m_Slider.SetPos(nLevel);
    }
    m_PaintCtrl.SetMagnification((UINT)m_Slider.GetPos());
    CPntDlg::OnVScroll(nSBCode, (UINT)m_Slider.GetPos(), pScrollBar);
}

void CPntBitmapEditDlg::OnMouseMove(UINT nFlags, CPoint point)
{
    CPntDlg::OnMouseMove(nFlags, point);
}

BOOL CPntBitmapEditDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const NMHDR* pNotify = (const NMHDR*)lParam;
    if (pNotify != NULL)
    {
        if (pNotify->code == CPntCtrl::m_nImageChangedMessage || pNotify->code == CPntCtrl::m_nColourSamplerMessage ||
            pNotify->code == CPntCtrl::m_nModeChangeMessage)
            UpdatePalette();
        else if (pNotify->code == CPntCtrl::m_nMagnificationChangedMessage && ::IsWindow(m_Slider.m_hWnd))
            m_Slider.SetPos((int)m_PaintCtrl.GetMagnification());
    }
    return CPntDlg::OnNotify(wParam, lParam, pResult);
}

LRESULT CPntBitmapEditDlg::OnKickIdle(WPARAM, LPARAM)
{
    UpdatePalette();
    return 0;
}

void CPntBitmapEditDlg::OnSize(UINT nType, int cx, int cy)
{
    CPntDlg::OnSize(nType, cx, cy);
    if (::IsWindow(m_ToolCtrl.m_hWnd))
        m_ToolCtrl.Invalidate(TRUE);
}
