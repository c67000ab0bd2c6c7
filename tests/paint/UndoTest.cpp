// The paint control's undo history: whole-image snapshots, stepping back and forward,
// trimming, the edit commands and their command-UI states.
#include "PaintFixture.h"
#include <string.h>

// An 8 x 2 white image. A change paints the first white pixel of row 0 black through the
// editing contract (PreImageChange, write, SetImageChanged), so the picture tells how many
// changes of the current line of history it holds.
class PntCtrlUndo : public PaintFixture
{
protected:
    void SetUp() override
    {
        PaintFixture::SetUp();
        ASSERT_TRUE(GiveImage(8, 2));
    }

    void Change()
    {
        const int n = ChangesShown();
        m_pCtrl->PreImageChange();
        m_pCtrl->GetDIBsection()->SetPixel(n, 0, kBlack);
        m_pCtrl->SetImageChanged(TRUE);
    }

    int ChangesShown()
    {
        int n = 0;
        while (n < 8 && ImagePixel(n, 0) == kBlack)
            n++;
        return n;
    }
};

TEST_F(PntCtrlUndo, HistoryFollowsChangesUndoAndRedo)
{
    // c: a change; u, r: Undo, Redo that succeed, U, R: that fail; x: SetImageChanged(FALSE);
    // X: ClearUndoList; a digit: SetMaxUndoSize. Then the changes shown, the list size, CanUndo
    // and CanRedo.
    struct Row { const char* ops; int nShown, nSize; BOOL bCanUndo, bCanRedo; } rows[] = {
        { "UR", 0, 0, FALSE, FALSE },
        { "c", 1, 1, TRUE, FALSE },
        { "cu", 0, 2, FALSE, TRUE },                 // the live image was appended for redo
        { "curR", 1, 2, TRUE, FALSE },
        { "ccccccuuuuuU", 1, 6, FALSE, TRUE },       // five steps by default: before the second change
        { "ccccccuuuuurrrrrR", 6, 6, TRUE, FALSE },
        { "cccuuc", 2, 2, TRUE, FALSE },             // a change after undo drops the redo states
        { "cccuucuuU", 0, 3, FALSE, TRUE },
        { "ccux", 1, 0, FALSE, FALSE },              // the picture stays, the history goes
        { "ccXU", 2, 0, FALSE, FALSE },
        { "ccccc2cc", 7, 5, TRUE, FALSE },           // lowered: one entry out per entry in
        { "ccccc2ccuuuuuU", 2, 6, FALSE, TRUE },     // the oldest two went
        { "0cc", 2, 1, TRUE, FALSE },                // no maximum still keeps one entry
        { "0ccuU", 1, 2, FALSE, TRUE },
    };
    for (const Row& r : rows)
    {
        SCOPED_TRACE(r.ops);
        ASSERT_TRUE(GiveImage(8, 2));
        m_pCtrl->SetMaxUndoSize(5);
        for (const char* p = r.ops; *p != 0; p++)
        {
            if (*p == 'c')
                Change();
            else if (*p == 'u' || *p == 'U')
                EXPECT_EQ(*p == 'u', m_pCtrl->Undo() != FALSE) << p - r.ops;
            else if (*p == 'r' || *p == 'R')
                EXPECT_EQ(*p == 'r', m_pCtrl->Redo() != FALSE) << p - r.ops;
            else if (*p == 'x')
                m_pCtrl->SetImageChanged(FALSE);
            else if (*p == 'X')
                m_pCtrl->ClearUndoList();
            else
                m_pCtrl->SetMaxUndoSize(*p - '0');
        }
        EXPECT_EQ(r.nShown, ChangesShown());
        EXPECT_EQ(r.nSize, m_pCtrl->GetUndoListSize());
        EXPECT_EQ(r.bCanUndo, m_pCtrl->CanUndo());
        EXPECT_EQ(r.bCanRedo, m_pCtrl->CanRedo());
    }
}

TEST_F(PntCtrlUndo, StepsNotifyAndLeaveTheChangedFlagAlone)
{
    Change();
    ClearRecords();
    ASSERT_TRUE(m_pCtrl->Undo());
    EXPECT_EQ(1, ImageChanges());
    EXPECT_TRUE(m_pCtrl->GetImageChanged());
    ASSERT_TRUE(m_pCtrl->Redo());
    EXPECT_FALSE(m_pCtrl->Redo());
    EXPECT_EQ(2, ImageChanges());

    // No image: no snapshot.
    m_pCtrl->SetImageChanged(FALSE);
    m_pCtrl->GetDIBsection()->DeleteObject();
    m_pCtrl->PreImageChange();
    EXPECT_EQ(0, m_pCtrl->GetUndoListSize());
}

TEST_F(PntCtrlUndo, UndoResetsTheSelectionAndEndsAFloatingDropRedoDoesNeither)
{
    Change();
    const CRect rc(2, 0, 5, 1);
    for (BOOL bUndo : { TRUE, FALSE })
    {
        m_pCtrl->m_rcSelection = rc;
        m_pCtrl->m_bFloating = TRUE;
        Validate();
        ASSERT_TRUE(bUndo ? m_pCtrl->Undo() : m_pCtrl->Redo());
        EXPECT_EQ(bUndo ? CRect(0, 0, 8, 2) : rc, m_pCtrl->m_rcSelection);
        EXPECT_EQ(!bUndo, m_pCtrl->m_bFloating);
        EXPECT_TRUE(Invalidated());
    }
}

TEST_F(PntCtrlUndo, SnapshotsKeepDepthAndColourTable)
{
    ASSERT_TRUE(GiveImage(4, 4, 8));
    CDIBSection* pImage = m_pCtrl->GetDIBsection();
    const std::vector<RGBQUAD> table = imagetest::SectionColourTable(*pImage);
    m_pCtrl->PreImageChange();
    ASSERT_TRUE(pImage->CreateBitmap(4, 4, 1, 4));   // another depth and colour table
    ASSERT_TRUE(m_pCtrl->Undo());
    EXPECT_EQ(8, pImage->GetBitCount());
    const std::vector<RGBQUAD> after = imagetest::SectionColourTable(*pImage);
    ASSERT_EQ(table.size(), after.size());
    EXPECT_EQ(0, memcmp(table.data(), after.data(), table.size() * sizeof(RGBQUAD)));
    EXPECT_EQ(kWhite, ImagePixel(3, 3));
}

TEST_F(PntCtrlUndo, EditCommandsAndTheirStates)
{
    // Records what an update handler asked of the item.
    struct CRecordingCmdUI : CCmdUI
    {
        int m_nEnabled = -1;
        void Enable(BOOL bOn) override { m_nEnabled = bOn ? 1 : 0; }
    } undoUI, redoUI;
    undoUI.m_nID = 57643;   // ID_EDIT_UNDO
    redoUI.m_nID = 57644;   // ID_EDIT_REDO
    auto expectEnabled = [&](int nUndo, int nRedo) {
        undoUI.DoUpdate(m_pCtrl, FALSE);
        redoUI.DoUpdate(m_pCtrl, FALSE);
        EXPECT_EQ(nUndo, undoUI.m_nEnabled);
        EXPECT_EQ(nRedo, redoUI.m_nEnabled);
    };
    expectEnabled(0, 0);
    Change();
    expectEnabled(1, 0);
    m_pCtrl->SendMessage(WM_COMMAND, 57643);
    EXPECT_EQ(0, ChangesShown());
    expectEnabled(0, 1);
    m_pCtrl->SendMessage(WM_COMMAND, 57644);
    EXPECT_EQ(1, ChangesShown());
    expectEnabled(1, 0);
}
