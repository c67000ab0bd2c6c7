// CEditorFrame's View, Image and Tools menus: each command sets the paint control, each update
// handler checks the item that matches the control's state.
#include "EditorFrame.h"
#include "EditorResources.h"
#include "dialogs/PntPaletteViewDlg.h"
#include "paint/PntToolTable.h"

namespace
{
const int kLevelCount = (int)(sizeof(CPntCtrl::MagnificationLevels) / sizeof(CPntCtrl::MagnificationLevels[0]));
const int kColourCount = (int)(sizeof(CPntCtrl::ms_StdColours) / sizeof(CPntCtrl::ms_StdColours[0]));
const int kPenWidthCount = (int)(sizeof(g_nPenWidths) / sizeof(g_nPenWidths[0]));

// Index of command nID in the range from nFirstID, or -1 outside 0..nCount - 1.
int IndexOf(UINT nID, UINT nFirstID, int nCount)
{
    int nIndex = (int)nID - (int)nFirstID;
    return nIndex >= 0 && nIndex < nCount ? nIndex : -1;
}
}

void CEditorFrame::OnViewZoom(UINT nID)
{
    int nIndex = IndexOf(nID, ID_VIEW_ZOOM_FIRST, kLevelCount);
    if (nIndex >= 0)
        m_wndPaint.SetMagnification((UINT)CPntCtrl::MagnificationLevels[nIndex]);
}

void CEditorFrame::OnUpdateViewZoom(CCmdUI* pCmdUI)
{
    int nIndex = IndexOf(pCmdUI->m_nID, ID_VIEW_ZOOM_FIRST, kLevelCount);
    pCmdUI->Enable(nIndex >= 0);
    pCmdUI->SetRadio(nIndex >= 0 && m_wndPaint.GetMagnification() == (UINT)CPntCtrl::MagnificationLevels[nIndex]);
}

void CEditorFrame::OnViewFit()
{
    m_wndPaint.SetMagnificationToFillWindow();
}

void CEditorFrame::OnViewGrid()
{
    m_wndPaint.SetShowGrid(!m_wndPaint.GetShowGrid(), 400);
}

void CEditorFrame::OnUpdateViewGrid(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_wndPaint.GetShowGrid() ? 1 : 0);
}

void CEditorFrame::OnImageResize()
{
    if (m_wndPaint.Resize())
        return;
    // A size the image cannot take leaves no image; the resize's undo step brings it back.
    if (!m_wndPaint.GetDIBsection()->IsValid())
    {
        AfxMessageBox(_T("The picture could not be resized to that size and depth."), MB_OK | MB_ICONEXCLAMATION);
        m_wndPaint.Undo();
    }
    UpdateStatusPanes();
}

void CEditorFrame::OnImagePalette()
{
    CPalette* pPalette = m_wndPaint.GetPalette();
    if (pPalette == NULL || pPalette->GetSafeHandle() == NULL)
        return;
    CPntPaletteViewDlg dlg(this, pPalette);
    dlg.DoModal();
}

void CEditorFrame::OnUpdateImagePalette(CCmdUI* pCmdUI)
{
    // Deeper images get a display palette that is none of theirs: only colour tables are shown.
    CDIBSection* pImage = m_wndPaint.GetDIBsection();
    CPalette* pPalette = m_wndPaint.GetPalette();
    pCmdUI->Enable(pImage->IsValid() && pImage->GetColorTableSize() > 0 && pPalette != NULL &&
                   pPalette->GetSafeHandle() != NULL);
}

void CEditorFrame::OnTool(UINT nID)
{
    // Only the tools that the menu lists.
    const PntToolEntry* pTool = CPntToolTable::Lookup((int)(nID - ID_TOOL_BASE));
    if (pTool != NULL && pTool->nGroup != PNT_TOOLGROUP_NONE)
        m_wndPaint.SetToolMode(pTool->nMode);
}

void CEditorFrame::OnUpdateTool(CCmdUI* pCmdUI)
{
    pCmdUI->SetRadio(m_wndPaint.GetToolMode() == (int)(pCmdUI->m_nID - ID_TOOL_BASE));
}

void CEditorFrame::OnDrawColour(UINT nID)
{
    int nIndex = IndexOf(nID, ID_DRAWCOLOUR_FIRST, kColourCount);
    if (nIndex >= 0)
        m_wndPaint.SetDrawColor(CPntCtrl::ms_StdColours[nIndex].crColour);
}

void CEditorFrame::OnUpdateDrawColour(CCmdUI* pCmdUI)
{
    int nIndex = IndexOf(pCmdUI->m_nID, ID_DRAWCOLOUR_FIRST, kColourCount);
    pCmdUI->SetRadio(nIndex >= 0 && m_wndPaint.GetDrawColor() == CPntCtrl::ms_StdColours[nIndex].crColour);
}

void CEditorFrame::OnFillColour(UINT nID)
{
    int nIndex = IndexOf(nID, ID_FILLCOLOUR_FIRST, kColourCount);
    if (nIndex >= 0)
        m_wndPaint.SetFillColor(CPntCtrl::ms_StdColours[nIndex].crColour);
}

void CEditorFrame::OnUpdateFillColour(CCmdUI* pCmdUI)
{
    int nIndex = IndexOf(pCmdUI->m_nID, ID_FILLCOLOUR_FIRST, kColourCount);
    pCmdUI->SetRadio(nIndex >= 0 && m_wndPaint.GetFillColor() == CPntCtrl::ms_StdColours[nIndex].crColour);
}

void CEditorFrame::OnPenWidth(UINT nID)
{
    int nIndex = IndexOf(nID, ID_PENWIDTH_FIRST, kPenWidthCount);
    if (nIndex >= 0)
        m_wndPaint.SetPenWidth(g_nPenWidths[nIndex]);
}

void CEditorFrame::OnUpdatePenWidth(CCmdUI* pCmdUI)
{
    int nIndex = IndexOf(pCmdUI->m_nID, ID_PENWIDTH_FIRST, kPenWidthCount);
    pCmdUI->SetRadio(nIndex >= 0 && m_wndPaint.GetPenWidth() == g_nPenWidths[nIndex]);
}
