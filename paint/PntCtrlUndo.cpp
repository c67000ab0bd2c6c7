// CPntCtrl: the undo history. CPntHistory keeps the steps; the control says which area each
// change touches (the whole image unless told) and repaints after a step.
#include "paint/PntCtrl.h"

void CPntCtrl::PreImageChange()
{
    m_History.SetMaxSteps(m_nMaxUndoSize);
    // When the pixels cannot be saved the change goes ahead without an undo step.
    m_History.BeginStep(m_Image, m_bNextChangeDeclared ? &m_rcNextChange : NULL);
}

void CPntCtrl::PreImageChangeOfRect(const RECT& rcImage)
{
    // Declared only for this call, so that a derived hook that does not reach the base
    // leaves nothing behind for a later change.
    m_rcNextChange = rcImage;
    m_bNextChangeDeclared = TRUE;
    PreImageChange();
    m_bNextChangeDeclared = FALSE;
}

BOOL CPntCtrl::ExtendImageChange(const RECT& rcImage)
{
    return m_History.Extend(m_Image, rcImage);
}

BOOL CPntCtrl::RestoreImageChange(const RECT& rcImage)
{
    return m_History.RestoreRect(m_Image, rcImage);
}

BOOL CPntCtrl::UndoImageChange()
{
    if (m_History.GetCount() == 0)
        return FALSE;
    m_bFloating = FALSE;
    const CSize sizeBefore(m_Image.GetWidth(), m_Image.GetHeight());
    const CRect rcSelectionBefore = m_rcSelection;
    CRect rcChanged;
    if (!m_History.Undo(m_Image, &rcChanged))
        return FALSE;

    OnImageChanged();
    ResetSelectionRect();
    RepaintHistoryStep(sizeBefore, rcSelectionBefore, rcChanged);
    return TRUE;
}

void CPntCtrl::RepaintHistoryStep(CSize sizeBefore, const CRect& rcSelectionBefore, const CRect& rcChanged)
{
    if (!WindowExists())
        return;
    // A step that changed the picture's size changes the whole view.
    if (sizeBefore != CSize(m_Image.GetWidth(), m_Image.GetHeight()))
    {
        Invalidate(TRUE);
        return;
    }
    // Else only the pixels the step put back, and the selection frame where it moved.
    InvalidateImageRect(rcChanged);
    if (m_bShowSelectionRect && rcSelectionBefore != m_rcSelection)
    {
        InvalidateImageRect(rcSelectionBefore);
        InvalidateImageRect(m_rcSelection);
    }
}

BOOL CPntCtrl::Undo()
{
    if (m_nToolMode == TOOL_TEXT)
        m_TextFmtBar.Clear();
    return UndoImageChange();
}

BOOL CPntCtrl::Redo()
{
    const CSize sizeBefore(m_Image.GetWidth(), m_Image.GetHeight());
    CRect rcChanged;
    if (!m_History.Redo(m_Image, &rcChanged))
        return FALSE;

    OnImageChanged();
    RepaintHistoryStep(sizeBefore, m_rcSelection, rcChanged);
    return TRUE;
}

BOOL CPntCtrl::CanUndo()
{
    return m_History.CanUndo();
}

BOOL CPntCtrl::CanRedo()
{
    return m_History.CanRedo();
}

void CPntCtrl::ClearUndoList()
{
    m_History.Clear();
}

void CPntCtrl::OnEditUndo()
{
    Undo();
}

void CPntCtrl::OnEditRedo()
{
    Redo();
}

void CPntCtrl::OnUpdateEditUndo(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(CanUndo());
}

void CPntCtrl::OnUpdateEditRedo(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(CanRedo());
}
