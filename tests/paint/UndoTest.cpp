// The paint control's undo history: whole-image snapshots, stepping back and forward,
// trimming, the edit commands and their command-UI states.
#include "PaintFixture.h"

namespace
{
// Records what an update handler asked of the item.
class CRecordingCmdUI : public CCmdUI
{
public:
    int m_nEnableCalls = 0;
    BOOL m_bEnabled = -1;
    void Enable(BOOL bOn) override
    {
        m_nEnableCalls++;
        m_bEnabled = bOn;
    }
};
}

// An 8 x 2 white image; change k (1-based) paints pixel (k - 1, 0) black through the editing
// contract (PreImageChange, write, SetImageChanged), so the picture tells how many changes it holds.
class PntCtrlUndo : public PaintFixture
{
protected:
    void SetUp() override
    {
        PaintFixture::SetUp();
        ASSERT_TRUE(GiveImage(8, 2, 24, RGB(255, 255, 255)));
    }

    void Change()
    {
        m_pCtrl->PreImageChange();
        imagetest::SetRawPixel(*m_pCtrl->GetDIBsection(), m_nChanges, 0, 0x000000);
        m_nChanges++;
        m_pCtrl->SetImageChanged(TRUE);
    }

    // How many changes the image shows: black pixels from the left of row 0.
    int ChangesShown()
    {
        int n = 0;
        while (n < 8 && ImagePixel(n, 0) == RGB(0, 0, 0))
            n++;
        return n;
    }

    int m_nChanges = 0;
};

TEST_F(PntCtrlUndo, NewControlHasNothingToUndoOrRedo)
{
    EXPECT_FALSE(m_pCtrl->CanUndo());
    EXPECT_FALSE(m_pCtrl->CanRedo());
    EXPECT_FALSE(m_pCtrl->Undo());
    EXPECT_FALSE(m_pCtrl->Redo());
    EXPECT_EQ(0, m_pCtrl->GetUndoListSize());
    EXPECT_TRUE(Notifications().empty());
}

TEST_F(PntCtrlUndo, OneChangeUndoneAndRedone)
{
    Change();
    EXPECT_TRUE(m_pCtrl->CanUndo());
    EXPECT_FALSE(m_pCtrl->CanRedo());
    EXPECT_EQ(1, m_pCtrl->GetUndoListSize());
    ClearRecords();

    ASSERT_TRUE(m_pCtrl->Undo());
    EXPECT_EQ(0, ChangesShown());
    EXPECT_EQ(2, m_pCtrl->GetUndoListSize());   // the live image was appended for redo
    EXPECT_FALSE(m_pCtrl->CanUndo());
    EXPECT_TRUE(m_pCtrl->CanRedo());
    EXPECT_EQ(1, NotifyCount(CPntCtrl::m_nImageChangedMessage));
    EXPECT_TRUE(m_pCtrl->GetImageChanged());   // stepping leaves the changed flag alone

    ASSERT_TRUE(m_pCtrl->Redo());
    EXPECT_EQ(1, ChangesShown());
    EXPECT_FALSE(m_pCtrl->CanRedo());
    EXPECT_TRUE(m_pCtrl->CanUndo());
    EXPECT_EQ(2, NotifyCount(CPntCtrl::m_nImageChangedMessage));
    EXPECT_FALSE(m_pCtrl->Redo());
    EXPECT_EQ(2, NotifyCount(CPntCtrl::m_nImageChangedMessage));
}

TEST_F(PntCtrlUndo, DefaultDepthKeepsFiveSteps)
{
    for (int i = 0; i < 6; i++)
        Change();
    EXPECT_EQ(5, m_pCtrl->GetUndoListSize());
    for (int i = 0; i < 5; i++)
        EXPECT_TRUE(m_pCtrl->Undo()) << i;
    EXPECT_FALSE(m_pCtrl->Undo());
    EXPECT_EQ(1, ChangesShown());   // the image before the second change
    EXPECT_EQ(6, m_pCtrl->GetUndoListSize());

    // All the way forward again.
    int nRedone = 0;
    while (m_pCtrl->Redo())
        nRedone++;
    EXPECT_EQ(5, nRedone);
    EXPECT_EQ(6, ChangesShown());
}

TEST_F(PntCtrlUndo, ChangeAfterUndoDropsTheRedoStates)
{
    Change();
    Change();
    Change();
    ASSERT_TRUE(m_pCtrl->Undo());
    ASSERT_TRUE(m_pCtrl->Undo());
    ASSERT_EQ(1, ChangesShown());

    m_nChanges = 1;   // the next change paints over the undone ones
    Change();
    EXPECT_FALSE(m_pCtrl->CanRedo());
    EXPECT_TRUE(m_pCtrl->CanUndo());
    EXPECT_EQ(2, m_pCtrl->GetUndoListSize());
    EXPECT_EQ(2, ChangesShown());

    EXPECT_TRUE(m_pCtrl->Undo());
    EXPECT_EQ(1, ChangesShown());
    EXPECT_TRUE(m_pCtrl->Undo());
    EXPECT_EQ(0, ChangesShown());   // the image before the first change
    EXPECT_FALSE(m_pCtrl->Undo());
}

TEST_F(PntCtrlUndo, ClearingTheChangedFlagEmptiesTheHistory)
{
    Change();
    Change();
    ASSERT_TRUE(m_pCtrl->Undo());
    m_pCtrl->SetImageChanged(FALSE);
    EXPECT_FALSE(m_pCtrl->CanUndo());
    EXPECT_FALSE(m_pCtrl->CanRedo());
    EXPECT_EQ(0, m_pCtrl->GetUndoListSize());
    EXPECT_EQ(-1, m_pCtrl->m_nUndoPos);
    EXPECT_EQ(1, ChangesShown());   // the picture itself stays

    Change();
    m_pCtrl->ClearUndoList();
    EXPECT_EQ(0, m_pCtrl->GetUndoListSize());
    EXPECT_FALSE(m_pCtrl->Undo());
}

TEST_F(PntCtrlUndo, UndoResetsTheSelectionRedoKeepsIt)
{
    Change();
    CRect rc(2, 0, 5, 1);
    m_pCtrl->SetSelectionRect(&rc, FALSE);
    ASSERT_TRUE(m_pCtrl->Undo());
    CRect rcSel;
    m_pCtrl->GetSelectionRect(&rcSel);
    EXPECT_EQ(CRect(0, 0, 8, 2), rcSel);

    m_pCtrl->SetSelectionRect(&rc, FALSE);
    ASSERT_TRUE(m_pCtrl->Redo());
    m_pCtrl->GetSelectionRect(&rcSel);
    EXPECT_EQ(rc, rcSel);
}

TEST_F(PntCtrlUndo, UndoEndsAFloatingDropRedoDoesNot)
{
    Change();
    m_pCtrl->m_bFloating = TRUE;
    ASSERT_TRUE(m_pCtrl->Undo());
    EXPECT_FALSE(m_pCtrl->m_bFloating);
    m_pCtrl->m_bFloating = TRUE;
    ASSERT_TRUE(m_pCtrl->Redo());
    EXPECT_TRUE(m_pCtrl->m_bFloating);
}

TEST_F(PntCtrlUndo, UndoAndRedoRepaintTheWindow)
{
    Change();
    ::ValidateRect(m_pCtrl->m_hWnd, NULL);
    ASSERT_TRUE(m_pCtrl->Undo());
    EXPECT_TRUE(::GetUpdateRect(m_pCtrl->m_hWnd, NULL, FALSE));
    ::ValidateRect(m_pCtrl->m_hWnd, NULL);
    ASSERT_TRUE(m_pCtrl->Redo());
    EXPECT_TRUE(::GetUpdateRect(m_pCtrl->m_hWnd, NULL, FALSE));
}

TEST_F(PntCtrlUndo, SnapshotsKeepDepthAndColourTable)
{
    ASSERT_TRUE(GiveImage(4, 4, 8, RGB(255, 255, 255)));
    CDIBSection* pImage = m_pCtrl->GetDIBsection();
    const std::vector<RGBQUAD> tableBefore = imagetest::SectionColourTable(*pImage);
    const DWORD dwIndexBefore = imagetest::RawPixel(*pImage, 1, 1);

    m_pCtrl->PreImageChange();
    imagetest::SetRawPixel(*pImage, 1, 1, (dwIndexBefore + 7) % 256);
    m_pCtrl->SetImageChanged(TRUE);
    ASSERT_TRUE(m_pCtrl->Undo());

    EXPECT_EQ(8, pImage->GetBitCount());
    EXPECT_EQ(dwIndexBefore, imagetest::RawPixel(*pImage, 1, 1));
    const std::vector<RGBQUAD> tableAfter = imagetest::SectionColourTable(*pImage);
    ASSERT_EQ(tableBefore.size(), tableAfter.size());
    for (size_t i = 0; i < tableBefore.size(); i++)
        ASSERT_EQ(imagetest::QuadColour(tableBefore[i]), imagetest::QuadColour(tableAfter[i])) << i;
}

TEST_F(PntCtrlUndo, LoweringTheMaximumTrimsOneEntryPerChange)
{
    for (int i = 0; i < 5; i++)
        Change();
    m_pCtrl->SetMaxUndoSize(2);
    EXPECT_EQ(5, m_pCtrl->GetUndoListSize());   // no trimming now
    Change();
    EXPECT_EQ(5, m_pCtrl->GetUndoListSize());   // one out, one in
    Change();
    EXPECT_EQ(5, m_pCtrl->GetUndoListSize());

    // The oldest entries went: five steps back lead to the image after the second change.
    int nUndone = 0;
    while (m_pCtrl->Undo())
        nUndone++;
    EXPECT_EQ(5, nUndone);
    EXPECT_EQ(2, ChangesShown());
}

TEST_F(PntCtrlUndo, NoMaximumStillKeepsOneEntry)
{
    m_pCtrl->SetMaxUndoSize(0);
    Change();
    EXPECT_EQ(1, m_pCtrl->GetUndoListSize());
    Change();
    EXPECT_EQ(1, m_pCtrl->GetUndoListSize());
    ASSERT_TRUE(m_pCtrl->Undo());
    EXPECT_EQ(1, ChangesShown());
    EXPECT_FALSE(m_pCtrl->Undo());
}

TEST_F(PntCtrlUndo, NoImageRecordsNothing)
{
    m_pCtrl->GetDIBsection()->DeleteObject();
    m_pCtrl->PreImageChange();
    EXPECT_EQ(0, m_pCtrl->GetUndoListSize());
    EXPECT_FALSE(m_pCtrl->Undo());
    EXPECT_FALSE(m_pCtrl->Redo());
}

TEST_F(PntCtrlUndo, EditCommandsAndTheirStates)
{
    CRecordingCmdUI undoUI, redoUI;
    undoUI.m_nID = ID_EDIT_UNDO;
    redoUI.m_nID = ID_EDIT_REDO;
    undoUI.DoUpdate(m_pCtrl, FALSE);
    redoUI.DoUpdate(m_pCtrl, FALSE);
    EXPECT_EQ(1, undoUI.m_nEnableCalls);
    EXPECT_FALSE(undoUI.m_bEnabled);
    EXPECT_EQ(1, redoUI.m_nEnableCalls);
    EXPECT_FALSE(redoUI.m_bEnabled);

    Change();
    undoUI.DoUpdate(m_pCtrl, FALSE);
    EXPECT_TRUE(undoUI.m_bEnabled);

    // Command 57643 runs Undo, 57644 runs Redo.
    m_pCtrl->SendMessage(WM_COMMAND, MAKEWPARAM(ID_EDIT_UNDO, 0), 0);
    EXPECT_EQ(0, ChangesShown());
    undoUI.DoUpdate(m_pCtrl, FALSE);
    redoUI.DoUpdate(m_pCtrl, FALSE);
    EXPECT_FALSE(undoUI.m_bEnabled);
    EXPECT_TRUE(redoUI.m_bEnabled);

    m_pCtrl->SendMessage(WM_COMMAND, MAKEWPARAM(ID_EDIT_REDO, 0), 0);
    EXPECT_EQ(1, ChangesShown());
    redoUI.DoUpdate(m_pCtrl, FALSE);
    EXPECT_FALSE(redoUI.m_bEnabled);
    EXPECT_EQ(57643, ID_EDIT_UNDO);
    EXPECT_EQ(57644, ID_EDIT_REDO);
}
