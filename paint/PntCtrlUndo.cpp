// CPntCtrl: the undo history, a short list of whole-image snapshots, oldest first.
//
// While the image is live (m_nUndoPos -1) the list holds the states before each change. The
// first undo step appends the live image so that it can be redone; from then on m_nUndoPos
// names the entry that the image shows.
#include "paint/PntCtrl.h"
#include <new>

// A copy of the image, or NULL when it cannot be made.
static CDIBSection* SnapshotOf(CDIBSection& image)
{
    CDIBSection* pSnapshot = new (std::nothrow) CDIBSection;
    if (pSnapshot != NULL && !pSnapshot->Copy(image))
    {
        delete pSnapshot;
        pSnapshot = NULL;
    }
    return pSnapshot;
}

void CPntCtrl::PreImageChange()
{
    // A change after undo steps drops the redo states and the entry of the shown state,
    // which is recorded again below.
    if (m_nUndoPos >= 0 && !m_UndoList.empty())
    {
        while ((int)m_UndoList.size() > m_nUndoPos)
        {
            delete m_UndoList.back();
            m_UndoList.pop_back();
        }
    }
    m_nUndoPos = -1;

    CDIBSection* pSnapshot = SnapshotOf(m_Image);
    if (pSnapshot == NULL)
        return;   // the change goes ahead without an undo step

    // One entry out per entry in, however far the list exceeds the maximum.
    if ((int)m_UndoList.size() >= m_nMaxUndoSize && !m_UndoList.empty())
    {
        delete m_UndoList.front();
        m_UndoList.pop_front();
    }
    m_UndoList.push_back(pSnapshot);
}

BOOL CPntCtrl::UndoImageChange()
{
    if (m_UndoList.empty())
        return FALSE;
    m_bFloating = FALSE;

    if (m_nUndoPos < 0)
    {
        CDIBSection* pLive = SnapshotOf(m_Image);
        if (pLive == NULL)
            return FALSE;
        m_UndoList.push_back(pLive);
        m_nUndoPos = (int)m_UndoList.size() - 1;
    }
    if (m_nUndoPos == 0)
        return FALSE;

    m_nUndoPos--;
    if (!m_Image.Copy(*m_UndoList[m_nUndoPos]))
        return FALSE;

    OnImageChanged();
    ResetSelectionRect();
    if (WindowExists())
        Invalidate(TRUE);
    return TRUE;
}

BOOL CPntCtrl::Undo()
{
    if (m_nToolMode == TOOL_TEXT)
        m_TextFmtBar.Clear();
    return UndoImageChange();
}

BOOL CPntCtrl::Redo()
{
    if (m_nUndoPos < 0 || m_UndoList.empty() || m_nUndoPos >= (int)m_UndoList.size() - 1)
        return FALSE;

    m_nUndoPos++;
    if (!m_Image.Copy(*m_UndoList[m_nUndoPos]))
        return FALSE;

    OnImageChanged();
    if (WindowExists())
        Invalidate(TRUE);
    return TRUE;
}

BOOL CPntCtrl::CanUndo()
{
    return !m_UndoList.empty() && m_nUndoPos != 0;
}

BOOL CPntCtrl::CanRedo()
{
    return m_nUndoPos >= 0 && !m_UndoList.empty() && m_nUndoPos < (int)m_UndoList.size() - 1;
}

void CPntCtrl::ClearUndoList()
{
    for (CDIBSection* pSnapshot : m_UndoList)
        delete pSnapshot;
    m_UndoList.clear();
    m_nUndoPos = -1;
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
