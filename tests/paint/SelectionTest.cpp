// The selection tool's drag-move and drag-copy with floating drops, and the edit commands
// Cut, Copy, Paste with the paste question and their command-UI states.
#include "PaintFixture.h"
#include "common/ModalAnswer.h"
#include "common/TestEnvironment.h"

namespace
{
// Command-UI state recorded instead of shown.
class CRecordCmdUI : public CCmdUI
{
public:
    BOOL m_bEnabled = -1;
    void Enable(BOOL bOn) override { m_bEnabled = bOn; }
};
}

class SelectionTest : public PaintFixture
{
protected:
    // A pasted true-colour picture goes through the image settings dialog: accepted as it is.
    testenv::ModalAnswer m_settingsAnswer{ _T("Image Settings"), [](HWND hDlg) { testenv::Click(hDlg, IDOK); }, true };

    // A 40 x 30 white image with a red 5 x 5 block at (5, 5) (and a white centre when asked),
    // the select tool and the block selected with the rubber band.
    void Prepare(bool bWhiteCentre = false)
    {
        ASSERT_TRUE(GiveImage(40, 30));
        m_pCtrl->GetDIBsection()->ClearRect(CRect(5, 5, 10, 10), kRed);
        if (bWhiteCentre)
            m_pCtrl->GetDIBsection()->SetPixel(7, 7, kWhite);
        m_pCtrl->SetToolMode(TOOL_SELECT);
        PressAndDrag(At(5, 5), { At(8, 8), At(10, 10) });
        CRect rc;
        m_pCtrl->GetSelectionRect(&rc);
        ASSERT_EQ(CRect(5, 5, 10, 10), rc);
    }
    // Presses inside the selection and drags it by (dx, dy) image pixels (100 %).
    void MoveSelection(int dx, int dy)
    {
        CRect rc;
        m_pCtrl->GetSelectionRect(&rc);
        CPoint ptFrom = At(rc.left + 2, rc.top + 2);
        PressAndDrag(ptFrom, { ptFrom + CSize(dx / 2, dy / 2), ptFrom + CSize(dx, dy) });
    }
    int RedPixels() { return m_pCtrl->GetDIBsection()->GetWidth() * m_pCtrl->GetDIBsection()->GetHeight() - PixelsOtherThan(kRed); }
    BOOL CommandEnabled(UINT nID)
    {
        CRecordCmdUI state;
        state.m_nID = nID;
        m_pCtrl->OnCmdMsg(nID, (int)CN_UPDATE_COMMAND_UI, &state, NULL);
        return state.m_bEnabled;
    }
    // A cx x cy picture of blue with a green top-left pixel, put on the clipboard.
    bool PutPictureOnClipboard(int cx, int cy)
    {
        CDIBSection picture;
        if (!picture.CreateBitmap(cx, cy, 1, 24) || !picture.Clear(kBlue) || !picture.SetPixel(0, 0, kGreen))
            return false;
        return picture.CopyToClipboard(NULL) != FALSE;
    }
};

TEST_F(SelectionTest, MoveClearsTheSourceAndCopyWithCtrlKeepsIt)
{
    Prepare();
    MoveSelection(20, 10);
    EXPECT_EQ(kRed, ImagePixel(25, 15));
    EXPECT_EQ(kRed, ImagePixel(29, 19));
    EXPECT_EQ(kWhite, ImagePixel(5, 5));   // cleared to the erase colour
    EXPECT_EQ(25, RedPixels());
    CRect rc;
    m_pCtrl->GetSelectionRect(&rc);
    EXPECT_EQ(CRect(25, 15, 30, 20), rc);
    EXPECT_TRUE(m_pCtrl->GetImageChanged());
    EXPECT_EQ(TOOL_SELECT, m_pCtrl->GetToolMode());

    // A copy: Ctrl held at the press.
    Prepare();
    SetKeyState(VK_CONTROL, true);
    MoveSelection(20, 10);
    SetKeyState(VK_CONTROL, false);
    EXPECT_EQ(kRed, ImagePixel(5, 5));
    EXPECT_EQ(kRed, ImagePixel(25, 15));
    EXPECT_EQ(50, RedPixels());

    // With a transparent colour set, the source is cleared to it.
    Prepare();
    m_pCtrl->SetTransparentColor(kGreen);
    MoveSelection(20, 10);
    EXPECT_EQ(kGreen, ImagePixel(7, 7));
    m_pCtrl->SetTransparentColor(0xFFFFFFFF);
}

TEST_F(SelectionTest, RepeatedMovesOfAFloatingPieceAreOneUndoStep)
{
    Prepare();
    imagetest::Bytes before = imagetest::Bits(*m_pCtrl->GetDIBsection());
    MoveSelection(10, 0);
    MoveSelection(0, 10);
    MoveSelection(10, 5);
    EXPECT_EQ(kRed, ImagePixel(25, 20));
    EXPECT_EQ(25, RedPixels());   // no copies left behind
    ASSERT_TRUE(m_pCtrl->Undo());
    EXPECT_EQ(before, imagetest::Bits(*m_pCtrl->GetDIBsection()));
}

TEST_F(SelectionTest, KeyColouredPixelsOfAMovedPieceLeaveTheImageBelow)
{
    // The piece: red with a white (key) centre; the destination: blue.
    Prepare(true);
    m_pCtrl->GetDIBsection()->ClearRect(CRect(20, 10, 30, 20), kBlue);
    m_pCtrl->SetTransparentColor(kWhite);
    m_pCtrl->SetTransparent(TRUE);
    MoveSelection(18, 8);
    EXPECT_EQ(kRed, ImagePixel(23, 13));
    EXPECT_EQ(kBlue, ImagePixel(25, 15));   // the key pixel let the blue through
}

TEST_F(SelectionTest, CutAndCopyFollowTheSelectionAndTheMode)
{
    Prepare();
    EXPECT_TRUE(CommandEnabled(ID_EDIT_COPY));
    EXPECT_TRUE(CommandEnabled(ID_EDIT_CUT));
    CRect rcEmpty(5, 5, 5, 9);
    m_pCtrl->SetSelectionRect(&rcEmpty, FALSE);
    EXPECT_FALSE(CommandEnabled(ID_EDIT_COPY));
    m_pCtrl->SetToolMode(TOOL_TEXT);
    m_pCtrl->SetSelectionRect(&rcEmpty, FALSE);
    EXPECT_TRUE(CommandEnabled(ID_EDIT_CUT));   // the text bar's text can always be cut
    m_pCtrl->SetToolMode(TOOL_SELECT);

    // Display-only: Cut refuses, Copy still works.
    Prepare();
    m_pCtrl->SetDisplayOnly(TRUE);
    EXPECT_FALSE(m_pCtrl->Cut());
    ASSERT_TRUE(m_pCtrl->Copy());
    EXPECT_EQ(CSize(5, 5), CDIBSection::ClipboardImageSize());
    EXPECT_EQ(kRed, ImagePixel(5, 5));
    m_pCtrl->SetDisplayOnly(FALSE);

    // Cut: copied out, then cleared with an undo step.
    ASSERT_TRUE(m_pCtrl->Cut());
    EXPECT_EQ(0, RedPixels());
    EXPECT_TRUE(m_pCtrl->CanUndo());
    EXPECT_TRUE(CommandEnabled(ID_EDIT_PASTE));
}

TEST_F(SelectionTest, PasteAsksOnlyWhenALargerPictureMeetsAShownSelection)
{
    ASSERT_TRUE(GiveImage(80, 60));
    m_pCtrl->SetToolMode(TOOL_SELECT);
    ASSERT_TRUE(PutPictureOnClipboard(100, 80));
    CRect rcSel(10, 10, 60, 50), rc;
    struct Row { int nAnswer; CRect rcExpected; bool bPasted; } rows[] = {
        { IDCANCEL, CRect(10, 10, 60, 50), false },
        { IDYES, CRect(10, 10, 60, 50), true },
        { IDNO, CRect(10, 10, 80, 60), true },   // the picture's size, limited to the image
    };
    for (const Row& r : rows)
    {
        SCOPED_TRACE(r.nAnswer);
        ASSERT_TRUE(GiveImage(80, 60));
        m_pCtrl->SetSelectionRect(&rcSel, FALSE);
        testenv::ClearMessageBoxTexts();
        testenv::SetMessageBoxAnswer(r.nAnswer);
        EXPECT_EQ(r.bPasted, m_pCtrl->Paste() != FALSE);
        testenv::SetMessageBoxAnswer(IDOK);
        ASSERT_EQ(1u, testenv::MessageBoxTexts().size());
        EXPECT_EQ("Clipboard image is larger than the\nSelection area. Crop to selection area?",
                  testenv::MessageBoxTexts()[0]);
        m_pCtrl->GetSelectionRect(&rc);
        EXPECT_EQ(r.rcExpected, rc);
        EXPECT_EQ(r.bPasted ? kGreen : kWhite, ImagePixel(10, 10));
        EXPECT_EQ(r.bPasted ? kBlue : kWhite, ImagePixel(59, 49));
        EXPECT_EQ(kWhite, ImagePixel(9, 9));
        EXPECT_EQ(r.bPasted, m_pCtrl->CanUndo() != FALSE);
    }

    // A smaller picture: no question, the selection takes its size at the same corner.
    ASSERT_TRUE(PutPictureOnClipboard(20, 20));
    ASSERT_TRUE(GiveImage(80, 60));
    m_pCtrl->SetSelectionRect(&rcSel, FALSE);
    testenv::ClearMessageBoxTexts();
    ASSERT_TRUE(m_pCtrl->Paste());
    EXPECT_TRUE(testenv::MessageBoxTexts().empty());
    m_pCtrl->GetSelectionRect(&rc);
    EXPECT_EQ(CRect(10, 10, 30, 30), rc);

    // Hidden selection: no question, the picture's size even beyond the image.
    ASSERT_TRUE(PutPictureOnClipboard(100, 80));
    m_pCtrl->SetToolMode(TOOL_PEN);
    m_pCtrl->SetShowSelectionRect(FALSE);
    rcSel.SetRect(70, 50, 75, 55);
    m_pCtrl->SetSelectionRect(&rcSel, FALSE);
    ASSERT_TRUE(m_pCtrl->Paste());
    EXPECT_TRUE(testenv::MessageBoxTexts().empty());
    m_pCtrl->GetSelectionRect(&rc);
    EXPECT_EQ(CRect(70, 50, 170, 130), rc);
    EXPECT_EQ(kGreen, ImagePixel(70, 50));
}

TEST_F(SelectionTest, PastedPieceMovedElsewhereLeavesNoCopyAndUndoesInOneStep)
{
    ASSERT_TRUE(GiveImage(40, 30));
    imagetest::Bytes before = imagetest::Bits(*m_pCtrl->GetDIBsection());
    ASSERT_TRUE(PutPictureOnClipboard(6, 4));
    m_pCtrl->SetToolMode(TOOL_SELECT);
    CRect rcSel(2, 2, 20, 20);
    m_pCtrl->SetSelectionRect(&rcSel, FALSE);
    ASSERT_TRUE(m_pCtrl->Paste());
    EXPECT_EQ(kGreen, ImagePixel(2, 2));
    MoveSelection(15, 12);
    EXPECT_EQ(kWhite, ImagePixel(2, 2));    // nothing left at the first place
    EXPECT_EQ(kGreen, ImagePixel(17, 14));
    ASSERT_TRUE(m_pCtrl->Undo());
    EXPECT_EQ(before, imagetest::Bits(*m_pCtrl->GetDIBsection()));
}
