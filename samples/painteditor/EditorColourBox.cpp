// CEditorColourBox: layout, painting and clicks of the editor's colour strip.
#include "EditorColourBox.h"
#include <afxpriv.h>
#include <algorithm>
#include "paint/PntCtrl.h"

BEGIN_MESSAGE_MAP(CEditorColourBox, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_RBUTTONDOWN()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

namespace
{
const int kMargin = 3;        // around the swatches and the cells
const int kCellSize = 15;     // a cell of a short list, frame included
const int kSwatchSize = 20;   // each of the two overlapping swatches
const int kSwatchOffset = 9;  // how far the fill swatch sits right of and below the draw one
const TCHAR kClassName[] = _T("PaintEditorColourBox");
}

CEditorColourBox::CEditorColourBox()
    : m_pPaintCtrl(NULL), m_crDrawShown(PNT_NO_COLOUR), m_crFillShown(PNT_NO_COLOUR)
{
}

int CEditorColourBox::GetWantedHeight()
{
    return 2 * kCellSize + 2 * kMargin + 1;
}

BOOL CEditorColourBox::Create(CWnd* pParentWnd, UINT nID, CPntCtrl* pPaintCtrl)
{
    m_pPaintCtrl = pPaintCtrl;
    WNDCLASS wc = {};
    wc.lpfnWndProc = ::DefWindowProc;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hCursor = ::LoadCursor(NULL, IDC_ARROW);
    wc.lpszClassName = kClassName;
    if (!AfxRegisterClass(&wc))
        return FALSE;
    if (!CWnd::Create(kClassName, _T("Colours"), WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), pParentWnd, nID))
        return FALSE;
    FollowPicture();
    FollowColours();
    return TRUE;
}

void CEditorColourBox::FollowPicture()
{
    std::vector<COLORREF> colours;
    CDIBSection* pImage = m_pPaintCtrl != NULL ? m_pPaintCtrl->GetDIBsection() : NULL;
    if (pImage != NULL && pImage->IsValid() && pImage->GetColorTableSize() > 0 && pImage->GetColorTable() != NULL)
    {
        const RGBQUAD* pTable = pImage->GetColorTable();
        for (int i = 0; i < pImage->GetColorTableSize(); i++)
            colours.push_back(RGB(pTable[i].rgbRed, pTable[i].rgbGreen, pTable[i].rgbBlue));
    }
    else
    {
        for (const ColourEntries& entry : CPntCtrl::ms_StdColours)
            colours.push_back(entry.crColour);
    }
    if (colours == m_colours)
        return;
    m_colours.swap(colours);
    if (::IsWindow(m_hWnd))
        Invalidate(FALSE);
}

void CEditorColourBox::FollowColours()
{
    if (m_pPaintCtrl == NULL)
        return;
    const COLORREF crDraw = m_pPaintCtrl->GetDrawColor(), crFill = m_pPaintCtrl->GetFillColor();
    if (crDraw == m_crDrawShown && crFill == m_crFillShown)
        return;
    m_crDrawShown = crDraw;
    m_crFillShown = crFill;
    if (::IsWindow(m_hWnd))
    {
        CRect rcDraw, rcFill;
        GetSwatchRects(&rcDraw, &rcFill);
        rcDraw.UnionRect(rcDraw, rcFill);
        InvalidateRect(&rcDraw, FALSE);
    }
}

LRESULT CEditorColourBox::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    // Colours also change from the menus, the palette's picker and the samplers.
    FollowColours();
    FollowPicture();
    return 0;
}

void CEditorColourBox::GetSwatchRects(CRect* prcDraw, CRect* prcFill) const
{
    prcDraw->SetRect(kMargin, kMargin, kMargin + kSwatchSize, kMargin + kSwatchSize);
    *prcFill = *prcDraw;
    prcFill->OffsetRect(kSwatchOffset, kSwatchOffset);
}

CRect CEditorColourBox::GetCellArea() const
{
    CRect rc;
    GetClientRect(&rc);
    rc.DeflateRect(kMargin, kMargin);
    rc.left += kSwatchSize + kSwatchOffset + 2 * kMargin;
    return rc;
}

int CEditorColourBox::GetRows() const
{
    // Two rows for a short list; a long colour table folds into more, smaller cells.
    return m_colours.size() <= 32 ? 2 : 4;
}

CRect CEditorColourBox::GetCellRect(int nIndex) const
{
    const CRect rcArea = GetCellArea();
    const int nRows = GetRows();
    const int nColumns = std::max(1, ((int)m_colours.size() + nRows - 1) / nRows);
    const int cy = std::max(1, (int)rcArea.Height() / nRows);
    const int cx = std::max(1, std::min(kCellSize, (int)rcArea.Width() / nColumns));
    const int nColumn = nIndex / nRows, nRow = nIndex % nRows;
    return CRect(rcArea.left + nColumn * cx, rcArea.top + nRow * cy, rcArea.left + (nColumn + 1) * cx,
                 rcArea.top + (nRow + 1) * cy);
}

int CEditorColourBox::HitCell(CPoint pt) const
{
    for (int i = 0; i < (int)m_colours.size(); i++)
    {
        if (GetCellRect(i).PtInRect(pt))
            return i;
    }
    return -1;
}

BOOL CEditorColourBox::OnEraseBkgnd(CDC*)
{
    return TRUE;   // OnPaint covers everything
}

void CEditorColourBox::OnPaint()
{
    CPaintDC dc(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    dc.FillSolidRect(&rcClient, ::GetSysColor(COLOR_BTNFACE));
    const COLORREF crFrame = ::GetSysColor(COLOR_BTNSHADOW);

    // The fill colour behind, the draw colour in front, each framed.
    CRect rcDraw, rcFill;
    GetSwatchRects(&rcDraw, &rcFill);
    dc.FillSolidRect(&rcFill, crFrame);
    rcFill.DeflateRect(1, 1);
    dc.FillSolidRect(&rcFill, m_crFillShown & 0x00FFFFFF);
    dc.FillSolidRect(&rcDraw, crFrame);
    rcDraw.DeflateRect(1, 1);
    dc.FillSolidRect(&rcDraw, m_crDrawShown & 0x00FFFFFF);

    // Cells: a frame line on their right and bottom, the colour inside.
    for (int i = 0; i < (int)m_colours.size(); i++)
    {
        CRect rcCell = GetCellRect(i);
        dc.FillSolidRect(&rcCell, crFrame);
        if (rcCell.Width() > 2 && rcCell.Height() > 2)
        {
            rcCell.right--;
            rcCell.bottom--;
        }
        dc.FillSolidRect(&rcCell, m_colours[(size_t)i]);
    }
}

void CEditorColourBox::PickColour(CPoint pt, BOOL bFill)
{
    const int nCell = HitCell(pt);
    if (nCell < 0 || m_pPaintCtrl == NULL)
        return;
    const COLORREF cr = m_colours[(size_t)nCell];
    if (bFill)
        m_pPaintCtrl->SetFillColor(cr);
    else
        m_pPaintCtrl->SetDrawColor(cr);
    FollowColours();
}

void CEditorColourBox::OnLButtonDown(UINT, CPoint point)
{
    PickColour(point, FALSE);
}

void CEditorColourBox::OnRButtonDown(UINT, CPoint point)
{
    PickColour(point, TRUE);
}
