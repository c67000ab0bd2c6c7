// CPntPaletteViewDlg: the entries of a logical palette as a grid of cells, with a readout of the one under the mouse.
#include "dialogs/PntPaletteViewDlg.h"
#include "resources/resource.h"
#include <string.h>

IMPLEMENT_DYNAMIC(CPntPaletteViewDlg, CPntDlg)

BEGIN_MESSAGE_MAP(CPntPaletteViewDlg, CPntDlg)
    ON_WM_ERASEBKGND()
    ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

namespace
{
const int kMaxEntries = 256;
}

CPntPaletteViewDlg::CPntPaletteViewDlg(CWnd* pParentWnd)
    : CPntDlg(IDD_PNT_PALETTEVIEW, pParentWnd), m_pPalette(NULL), m_nColumns(16), m_nColours(0), m_nCurrent(-1)
{
    memset(m_Entries, 0, sizeof(m_Entries));
}

CPntPaletteViewDlg::CPntPaletteViewDlg(CWnd* pParentWnd, CPalette* pPalette)
    : CPntPaletteViewDlg(pParentWnd)
{
    SetPalette(pPalette);
}

void CPntPaletteViewDlg::SetPalette(CPalette* pPalette)
{
    m_pPalette = pPalette;
    m_nColours = 0;
    m_nCurrent = -1;
    memset(m_Entries, 0, sizeof(m_Entries));
    if (pPalette != NULL && pPalette->GetSafeHandle() != NULL)
        m_nColours = (int)pPalette->GetPaletteEntries(0, kMaxEntries, m_Entries);
    if (m_nColours < 0 || m_nColours > kMaxEntries)
        m_nColours = 0;

    if (pPalette != NULL)
        m_strColourCount.Format(_T("%d colors"), m_nColours);
    else
        m_strColourCount.Empty();

    if (m_hWnd != NULL)
    {
        UpdateData(FALSE);
        // The grid shows the new entries at the next paint.
        Invalidate();
    }
}

void CPntPaletteViewDlg::DoDataExchange(CDataExchange* pDX)
{
    CPntDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PNT_PALETTE_FRAME, m_PaletteFrame);
    DDX_Text(pDX, IDC_PNT_PALETTE_COUNT, m_strColourCount);
}

BOOL CPntPaletteViewDlg::OnInitDialog()
{
    CPntDlg::OnInitDialog();
    // The frame only marks the grid area in the template; the cells are painted over it.
    if (m_PaletteFrame.m_hWnd != NULL)
        m_PaletteFrame.ModifyStyle(WS_VISIBLE, 0);
    SetDlgItemText(IDC_PNT_PALETTE_READOUT, _T(""));
    return TRUE;
}

BOOL CPntPaletteViewDlg::GetGridGeometry(CRect& rcGrid, CSize& sizeCell) const
{
    HWND hWndFrame = m_hWnd != NULL ? ::GetDlgItem(m_hWnd, IDC_PNT_PALETTE_FRAME) : NULL;
    if (hWndFrame == NULL || m_nColumns <= 0)
        return FALSE;
    ::GetClientRect(hWndFrame, &rcGrid);
    ::MapWindowPoints(hWndFrame, m_hWnd, (LPPOINT)&rcGrid, 2);
    // The rows always take the space of a full 256-entry palette.
    int nRowSpaces = kMaxEntries / m_nColumns;
    sizeCell.cx = rcGrid.Width() / m_nColumns;
    sizeCell.cy = nRowSpaces > 0 ? rcGrid.Height() / nRowSpaces : 0;
    return sizeCell.cx > 0 && sizeCell.cy > 0;
}

CRect CPntPaletteViewDlg::CellRect(const CRect& rcGrid, CSize sizeCell, int nIndex) const
{
    int nRow = nIndex / m_nColumns;
    int nColumn = nIndex % m_nColumns;
    CRect rcCell(nColumn * sizeCell.cx, nRow * sizeCell.cy, (nColumn + 1) * sizeCell.cx,
                 (nRow + 1) * sizeCell.cy);
    rcCell.OffsetRect(rcGrid.TopLeft());
    return rcCell;
}

void CPntPaletteViewDlg::DrawCell(CDC* pDC, int nIndex, BOOL bHighlighted)
{
    if (nIndex < 0 || nIndex >= m_nColours || m_hWnd == NULL)
        return;
    CRect rcGrid;
    CSize sizeCell;
    if (!GetGridGeometry(rcGrid, sizeCell))
        return;

    CDC* pOwnDC = NULL;
    CPalette* pOldPalette = NULL;
    if (pDC == NULL)
    {
        pOwnDC = GetDC();
        if (pOwnDC == NULL)
            return;
        pDC = pOwnDC;
        if (m_pPalette != NULL)
        {
            pOldPalette = pDC->SelectPalette(m_pPalette, FALSE);
            pDC->RealizePalette();
        }
    }

    const PALETTEENTRY& entry = m_Entries[nIndex];
    CRect rcCell = CellRect(rcGrid, sizeCell, nIndex);
    CBrush brush;
    if (brush.CreateSolidBrush(PALETTERGB(entry.peRed, entry.peGreen, entry.peBlue)))
    {
        CGdiObject* pOldPen = pDC->SelectStockObject(BLACK_PEN);
        CBrush* pOldBrush = pDC->SelectObject(&brush);
        pDC->Rectangle(rcCell);
        if (bHighlighted)
        {
            pDC->SelectStockObject(WHITE_PEN);
            pDC->SelectStockObject(NULL_BRUSH);
            pDC->Rectangle(rcCell);
        }
        pDC->SelectObject(pOldBrush);
        pDC->SelectObject(pOldPen);
    }
    if (bHighlighted)
    {
        CString readout;
        readout.Format(_T("RGB: %d, %d, %d"), entry.peRed, entry.peGreen, entry.peBlue);
        SetDlgItemText(IDC_PNT_PALETTE_READOUT, readout);
    }

    if (pOwnDC != NULL)
    {
        if (pOldPalette != NULL)
            pOwnDC->SelectPalette(pOldPalette, FALSE);
        ReleaseDC(pOwnDC);
    }
}

BOOL CPntPaletteViewDlg::DrawPalette()
{
    if (m_pPalette == NULL || m_hWnd == NULL || ::GetDlgItem(m_hWnd, IDC_PNT_PALETTE_FRAME) == NULL)
        return FALSE;
    CClientDC dc(this);
    CPalette* pOldPalette = dc.SelectPalette(m_pPalette, FALSE);
    dc.RealizePalette();
    for (int i = 0; i < m_nColours; i++)
        DrawCell(&dc, i, FALSE);
    if (pOldPalette != NULL)
        dc.SelectPalette(pOldPalette, FALSE);
    return TRUE;
}

BOOL CPntPaletteViewDlg::OnEraseBkgnd(CDC* pDC)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    pDC->FillSolidRect(&rcClient, ::GetSysColor(COLOR_BTNFACE));
    DrawPalette();
    return TRUE;
}

void CPntPaletteViewDlg::OnMouseMove(UINT nFlags, CPoint point)
{
    CPntDlg::OnMouseMove(nFlags, point);

    CRect rcGrid;
    CSize sizeCell;
    if (!GetGridGeometry(rcGrid, sizeCell) || !rcGrid.PtInRect(point))
        return;

    int nColumn = (point.x - rcGrid.left) / sizeCell.cx;
    int nRow = (point.y - rcGrid.top) / sizeCell.cy;
    if (m_nCurrent >= 0)
        DrawCell(NULL, m_nCurrent, FALSE);

    int nRowsInUse = (m_nColours - 1) / m_nColumns + 1;
    if (nColumn >= 0 && nColumn < m_nColumns && nRow >= 0 && nRow < nRowsInUse)
    {
        int nIndex = nRow * m_nColumns + nColumn;
        if (nIndex < m_nColours)
        {
            m_nCurrent = nIndex;
            DrawCell(NULL, nIndex, TRUE);
        }
    }
    else
    {
        SetDlgItemText(IDC_PNT_PALETTE_READOUT, _T(""));
    }
}
