// CPntCtrl: the edit commands Cut, Copy and Paste on the selection, and their command-UI
// states. With the text tool they work on the text bar's edit instead.
#include "paint/PntCtrl.h"
#include <algorithm>

BOOL CPntCtrl::Cut()
{
    if (m_bDisplayOnly)
        return FALSE;
    if (m_nToolMode == TOOL_TEXT)
    {
        m_TextFmtBar.Cut();
        return TRUE;
    }
    CRect rcSelection = m_rcSelection;
    if (!m_Image.CopyToClipboard(&rcSelection))
        return FALSE;
    ClearRect(&rcSelection, TRUE);
    return TRUE;
}

BOOL CPntCtrl::Copy()
{
    if (m_nToolMode == TOOL_TEXT)
    {
        m_TextFmtBar.Copy();
        return TRUE;
    }
    CRect rcSelection = m_rcSelection;
    return m_Image.CopyToClipboard(&rcSelection);
}

BOOL CPntCtrl::Paste()
{
    if (m_bDisplayOnly)
        return FALSE;
    if (m_nToolMode == TOOL_TEXT)
    {
        m_TextFmtBar.Paste();
        return TRUE;
    }

    CRect rcSel = m_rcSelection;
    if (rcSel.Width() <= 0 || rcSel.Height() <= 0)
        return FALSE;
    CSize sizeClip = CDIBSection::ClipboardImageSize();
    if (sizeClip.cx <= 0 || sizeClip.cy <= 0)
        return FALSE;
    const int cx = m_Image.GetWidth(), cy = m_Image.GetHeight();
    if (cx <= 0 || cy <= 0)
        return FALSE;

    BOOL bTooLarge = sizeClip.cx > rcSel.Width() || sizeClip.cy > rcSel.Height();
    BOOL bWholeImage = !m_bShowSelectionRect || rcSel == CRect(0, 0, cx, cy);
    if (bTooLarge && !bWholeImage)
    {
        // Asked through the application, which owns the box and gives it its name.
        switch (AfxMessageBox(m_strPasteCropPrompt, MB_YESNOCANCEL | MB_ICONQUESTION))
        {
        case IDYES:
            // Cropped to the selection.
            rcSel.right = rcSel.left + std::min((int)rcSel.Width(), (int)sizeClip.cx);
            rcSel.bottom = rcSel.top + std::min((int)rcSel.Height(), (int)sizeClip.cy);
            break;
        case IDNO:
            rcSel.right = std::min(rcSel.left + sizeClip.cx, (LONG)cx);
            rcSel.bottom = std::min(rcSel.top + sizeClip.cy, (LONG)cy);
            break;
        default:
            return FALSE;
        }
    }
    else
    {
        // The pasted picture keeps its size, even beyond the image.
        rcSel.right = rcSel.left + sizeClip.cx;
        rcSel.bottom = rcSel.top + sizeClip.cy;
    }

    // The picture is converted into a piece of its own first: a failure or a cancelled
    // conversion then leaves the selection, the floating piece and the image as they were.
    CDIBSection pasted;
    if (!pasted.CreateBitmap(rcSel.Width(), rcSel.Height(), 1, (UINT)m_Image.GetBitCount(), NULL,
                             m_Image.GetLogPalette(), m_pColorArray))
        return FALSE;
    pasted.SetColorTable((UINT)m_Image.GetColorTableSize(), m_Image.GetColorTable());
    pasted.CreatePalette();
    if (!pasted.GetClipDitheredData(NULL) || !m_DragImage.Copy(pasted))
        return FALSE;
    SetSelectionRect(&rcSel, FALSE);
    m_rcDragSource = rcSel;

    PreImageChangeOfRect(DragImageRect(m_rcDragSource));
    DrawDragImage(m_rcDragSource);
    SetImageChanged(TRUE);
    m_bClearDragSource = FALSE;
    m_bFloating = TRUE;
    return TRUE;
}

BOOL CPntCtrl::IsDataAvailable()
{
    if (m_nToolMode == TOOL_TEXT)
        return m_TextFmtBar.IsDataAvailable();
    return CDIBSection::IsDataAvailable() != 0;
}

void CPntCtrl::OnEditCopy()
{
    Copy();
}

void CPntCtrl::OnEditCut()
{
    Cut();
}

void CPntCtrl::OnEditPaste()
{
    Paste();
}

void CPntCtrl::OnUpdateEditCopy(CCmdUI* pCmdUI)
{
    BOOL bEnable = FALSE;
    if (m_Image.GetSafeHandle() != NULL)
        bEnable = m_nToolMode == TOOL_TEXT ||
                  ((m_nToolMode == TOOL_SELECT || m_bShowSelectionRect) && !m_rcSelection.IsRectEmpty());
    pCmdUI->Enable(bEnable);
}

void CPntCtrl::OnUpdateEditCut(CCmdUI* pCmdUI)
{
    OnUpdateEditCopy(pCmdUI);
}

void CPntCtrl::OnUpdateEditPaste(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(IsDataAvailable());
}
