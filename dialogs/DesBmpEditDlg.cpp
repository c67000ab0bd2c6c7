// CDesBmpEditDlg: the bitmap editor with a status bar.
#include "dialogs/DesBmpEditDlg.h"
#include "resources/resource.h"

IMPLEMENT_DYNAMIC(CDesBmpEditDlg, CPntBitmapEditDlg)

BEGIN_MESSAGE_MAP(CDesBmpEditDlg, CPntBitmapEditDlg)
    ON_REGISTERED_MESSAGE(CDesPntCtrl::m_nUpdatePaintStatusBar, OnUpdateStatusBar)
END_MESSAGE_MAP()

namespace
{
const UINT kIndicators[] = { IDS_PNT_INDICATOR_TEXT, IDS_PNT_INDICATOR_POSITION, IDS_PNT_INDICATOR_SIZE };
}

CDesBmpEditDlg::CDesBmpEditDlg(CStringArray* pColorArray, CWnd* pParentWnd)
    : CPntBitmapEditDlg(pParentWnd), m_pColorArray(pColorArray), m_nImageWidth(0), m_nImageHeight(0)
{
    SetColorArray();
}

void CDesBmpEditDlg::SetColorArray()
{
    m_PaintCtrl.SetColorArray(m_pColorArray);
}

void CDesBmpEditDlg::SetTransparent(BOOL bTransparent, COLORREF crTransparent)
{
    m_PaintCtrl.SetTransparent(bTransparent);
    m_PaintCtrl.SetTransparentColor(crTransparent);
}

BOOL CDesBmpEditDlg::OnInitDialog()
{
    if (!CPntBitmapEditDlg::OnInitDialog())
        return FALSE;   // ended before it was shown

    CRect rcClient;
    GetClientRect(&rcClient);
    const int w = rcClient.Width();
    if (m_StatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR) &&
        m_StatusBar.SetIndicators(kIndicators, 3))
    {
        m_StatusBar.SetPaneInfo(0, kIndicators[0], SBPS_NORMAL, 2 * w / 3);
        m_StatusBar.SetPaneInfo(1, kIndicators[1], SBPS_NORMAL, w / 6);
        m_StatusBar.SetPaneInfo(2, kIndicators[2], SBPS_STRETCH, w / 6);
        // The bar takes its place along the bottom edge.
        m_StatusBar.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(rcClient.Width(), rcClient.Height()));
    }

    m_nImageWidth = m_PaintCtrl.GetDIBsection()->GetWidth();
    m_nImageHeight = m_PaintCtrl.GetDIBsection()->GetHeight();
    if (::IsWindow(m_StatusBar.m_hWnd))
    {
        CString strSize;
        strSize.Format(_T(" %d x %d "), m_nImageWidth, m_nImageHeight);
        m_StatusBar.SetPaneText(2, strSize);
    }
    m_PaintCtrl.OnForceSendStatusMessage();
    return TRUE;
}

LRESULT CDesBmpEditDlg::OnUpdateStatusBar(WPARAM wParam, LPARAM lParam)
{
    if (!::IsWindow(m_StatusBar.m_hWnd) || wParam == 0)
        return 0;
    if (lParam == 0)
    {
        m_StatusBar.SetPaneText(0, (LPCTSTR)wParam);
    }
    else if (lParam == 1)
    {
        const POINT* pPoint = (const POINT*)wParam;
        CString strPosition;
        if (pPoint->x >= 0 && pPoint->x <= m_nImageWidth && pPoint->y >= 0 && pPoint->y <= m_nImageHeight)
            strPosition.Format(_T("X=%d Y=%d"), pPoint->x, pPoint->y);
        m_StatusBar.SetPaneText(1, strPosition);
    }
    return 0;
}
