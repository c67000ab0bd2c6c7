// CPntIconEditDlg: the icon editor; a paint control sized to the icon, its tool palette, and
// a preview painted straight onto the dialog beside them.
#include "dialogs/PntIconEditDlg.h"
#include <afxpriv.h>
#include "paint/PntRectTracker.h"
#include "resources/resource.h"

IMPLEMENT_DYNAMIC(CPntIconEditDlg, CDialog)

BEGIN_MESSAGE_MAP(CPntIconEditDlg, CDialog)
    ON_WM_ERASEBKGND()
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
    ON_WM_SIZE()
END_MESSAGE_MAP()

namespace
{
// Larger icons are edited through a view of this many pixels, which scrolls.
const int kMaxViewPixels = 50;
const UINT kEditMagnification = 700;

// Each side of the view follows its own side of the icon, so a tall icon is not squashed.
int ClampToView(int nPixels)
{
    // A top-down image reports a negative height.
    if (nPixels < 0)
        nPixels = -nPixels;
    return nPixels < kMaxViewPixels ? nPixels : kMaxViewPixels;
}

// The width of a window's left border: its client's left edge less its window's, on screen.
int LeftBorder(HWND hWnd)
{
    CRect rcWindow;
    ::GetWindowRect(hWnd, &rcWindow);
    CPoint ptClient(0, 0);
    ::ClientToScreen(hWnd, &ptClient);
    return ptClient.x - rcWindow.left;
}

// A child's window rectangle in its parent's client coordinates.
CRect ChildRect(HWND hParent, HWND hChild)
{
    CRect rc;
    ::GetWindowRect(hChild, &rc);
    ::MapWindowPoints(NULL, hParent, (LPPOINT)&rc, 2);
    return rc;
}
}

CPntIconEditDlg::CPntIconEditDlg(CWnd* pParentWnd)
    : CDialog(IDD_PNT_ICONEDIT, pParentWnd)
{
    m_PaintCtrl.SetTransparent(TRUE);
}

void CPntIconEditDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PNT_ICON_PREVIEW, m_Preview);
    DDX_Control(pDX, IDC_PNT_PAINTCTRL, m_PaintCtrl);
}

BOOL CPntIconEditDlg::SetIcon(HBITMAP hImage, HBITMAP hMask)
{
    BOOL bResult = m_PaintCtrl.SetBitmap(hImage);
    if (!bResult)
        return bResult;
    // A key colour can only be chosen from a colour table.
    CDIBSection* pImage = m_PaintCtrl.GetDIBsection();
    if (pImage->GetColorTableSize() == 0)
    {
        bResult = pImage->Resize(pImage->GetWidth(), pImage->GetHeight(), 1, 8, NULL);
        if (!bResult)
            return bResult;
    }
    return m_PaintCtrl.SetTransparencyFromMask(hMask);
}

BOOL CPntIconEditDlg::SetIconFromDIBs(CDib* pImage, CDib* pMask)
{
    BOOL bResult = m_PaintCtrl.SetBitmapFromCDib(pImage);
    if (!bResult)
        return bResult;
    CDIBSection* pSection = m_PaintCtrl.GetDIBsection();
    if (pSection->GetColorTableSize() == 0)
    {
        bResult = pSection->Resize(pSection->GetWidth(), pSection->GetHeight(), 1, 8, NULL);
        if (!bResult)
            return bResult;
    }
    return m_PaintCtrl.SetFixedTransparency(pMask, m_PaintCtrl.GetTransparentColor());
}

BOOL CPntIconEditDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    // The view shows up to 50 icon pixels each way at 7x, with room for the tracker's handles.
    CDIBSection* pImage = m_PaintCtrl.GetDIBsection();
    CSize sizeIcon(ClampToView(pImage->GetWidth()), ClampToView(pImage->GetHeight()));
    m_PaintCtrl.SetMagnification(kEditMagnification);
    if (m_PaintCtrl.m_hWnd != NULL)
    {
        CSize sizeView = sizeIcon;
        m_PaintCtrl.IPtoLP(&sizeView);
        const int nExtra = 2 * CPntRectTracker::m_nMyHandleSize + 2 * LeftBorder(m_PaintCtrl.m_hWnd) + 2;
        CRect rcCtrl = ChildRect(m_hWnd, m_PaintCtrl.m_hWnd);
        m_PaintCtrl.MoveWindow(rcCtrl.left, rcCtrl.top, sizeView.cx + nExtra, sizeView.cy + nExtra, TRUE);
    }

    m_PaintCtrl.SetToolMode(TOOL_PEN);
    m_PaintCtrl.SetShowGrid(TRUE, 600);
    m_PaintCtrl.CentreImage(TRUE);
    m_ToolCtrl.SetNoMagnificationButtons(TRUE);

    if (!m_ToolCtrl.Create(this, &m_PaintCtrl, IDB_PNT_PALETTE, WS_CHILD | WS_VISIBLE | CBRS_TOOLTIPS, FALSE))
        return TRUE;

    // The preview shows the icon at actual size inside its border.
    if (m_Preview.m_hWnd != NULL)
    {
        const int nBorder = LeftBorder(m_Preview.m_hWnd);
        CRect rcPreview = ChildRect(m_hWnd, m_Preview.m_hWnd);
        m_Preview.MoveWindow(rcPreview.left, rcPreview.top, sizeIcon.cx + 2 * nBorder - 1,
                             sizeIcon.cy + 2 * nBorder - 1, TRUE);
    }

    HWND hPlaceholder = ::GetDlgItem(m_hWnd, IDC_PNT_TOOLBAR_PLACEHOLDER);
    if (hPlaceholder != NULL)
        m_ToolCtrl.MoveWindow(ChildRect(m_hWnd, hPlaceholder), TRUE);
    m_ToolCtrl.OnUpdateCmdUI(GetParentFrame(), TRUE);
    m_PaintCtrl.Reset();

    // The grip stays in the template for the sizing frame's sake but is not shown.
    HWND hGrip = ::GetDlgItem(m_hWnd, IDC_PNT_SIZEGRIP);
    if (hGrip != NULL)
        ::SetWindowLong(hGrip, GWL_STYLE, ::GetWindowLong(hGrip, GWL_STYLE) & ~WS_VISIBLE);
    return TRUE;
}

void CPntIconEditDlg::UpdatePreview()
{
    if (m_hWnd == NULL || !::IsWindow(m_Preview.m_hWnd) || !::IsWindow(m_PaintCtrl.m_hWnd))
        return;
    CDIBSection* pImage = m_PaintCtrl.GetDIBsection();
    CRect rc = ChildRect(m_hWnd, m_Preview.m_hWnd);
    CClientDC dc(this);
    if (dc.GetSafeHdc() == NULL)
        return;

    // The control keeps no mask of its own apart from its key colour: GetMask derives one
    // from it, so the key colour decides whether there is transparency to show.
    const COLORREF crKey = m_PaintCtrl.GetTransparentColor();
    if (m_PaintCtrl.GetTransparent() && crKey != PNT_NO_COLOUR)
    {
        CRect rcBack(rc.left, rc.top, rc.right + 1, rc.bottom + 1);
        dc.FillSolidRect(&rcBack, ::GetSysColor(COLOR_BTNFACE));
        CPalette* pOldPalette = NULL;
        CPalette* pPalette = m_PaintCtrl.GetPalette();
        if ((dc.GetDeviceCaps(RASTERCAPS) & RC_PALETTE) && pPalette != NULL && pPalette->GetSafeHandle() != NULL)
        {
            pOldPalette = dc.SelectPalette(pPalette, FALSE);
            dc.RealizePalette();
        }
        pImage->StretchTransparent(&dc, rc.TopLeft(), rc.Size(), crKey);
        if (pOldPalette != NULL)
            dc.SelectPalette(pOldPalette, FALSE);
    }
    else
    {
        pImage->Stretch(&dc, rc.TopLeft(), rc.Size());
    }

    // A one-pixel black frame just outside the picture.
    CRect rcFrame = rc;
    rcFrame.InflateRect(2, 2);
    rcFrame.right++;
    rcFrame.bottom++;
    CGdiObject* pOldPen = dc.SelectStockObject(BLACK_PEN);
    CGdiObject* pOldBrush = dc.SelectStockObject(NULL_BRUSH);
    dc.Rectangle(&rcFrame);
    if (pOldBrush != NULL)
        dc.SelectObject(pOldBrush);
    if (pOldPen != NULL)
        dc.SelectObject(pOldPen);
}

void CPntIconEditDlg::UpdateToolPalette()
{
    if (m_hWnd != NULL && ::IsWindow(m_ToolCtrl.m_hWnd))
        m_ToolCtrl.OnUpdateCmdUI(GetParentFrame(), TRUE);
}

BOOL CPntIconEditDlg::OnEraseBkgnd(CDC* pDC)
{
    BOOL bResult = CDialog::OnEraseBkgnd(pDC);
    if (::IsWindow(m_Preview.m_hWnd) && ::IsWindow(m_PaintCtrl.m_hWnd))
    {
        CRect rcClient, rcCtrl = ChildRect(m_hWnd, m_PaintCtrl.m_hWnd);
        CRect rcPreview = ChildRect(m_hWnd, m_Preview.m_hWnd);
        GetClientRect(&rcClient);
        CRect rcStrip(rcCtrl.right + 1, rcPreview.top - 3, rcClient.right, rcPreview.bottom + 3);
        pDC->FillSolidRect(&rcStrip, ::GetSysColor(COLOR_BTNFACE));
    }
    UpdatePreview();
    return bResult;
}

void CPntIconEditDlg::OnMouseMove(UINT nFlags, CPoint point)
{
    CDialog::OnMouseMove(nFlags, point);
}

BOOL CPntIconEditDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const NMHDR* pHeader = (const NMHDR*)lParam;
    if (pHeader != NULL)
    {
        const UINT nCode = pHeader->code;
        if (nCode == CPntCtrl::m_nImageChangedMessage || nCode == CPntCtrl::m_nColourSamplerMessage ||
            nCode == CPntCtrl::m_nModeChangeMessage)
        {
            UpdateToolPalette();
            UpdatePreview();
        }
    }
    return CDialog::OnNotify(wParam, lParam, pResult);
}

LRESULT CPntIconEditDlg::OnKickIdle(WPARAM, LPARAM)
{
    UpdateToolPalette();
    return 0;
}

void CPntIconEditDlg::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    if (::IsWindow(m_ToolCtrl.m_hWnd))
        m_ToolCtrl.Invalidate(TRUE);
}
