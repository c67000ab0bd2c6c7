// The picture's identity (GetImageStateId): a number a host records at a save and compares
// later. Strokes that change pixels give new numbers; strokes that change none keep the number;
// undo and redo bring back the numbers of the states they reach; replacing the image gives a
// number not seen before. The history class answers the same without a window.
#include "PaintFixture.h"
#include "paint/PntHistory.h"
#include <set>

class ImageStateIdTest : public PaintFixture
{
protected:
    void SetUp() override
    {
        PaintFixture::SetUp();
        ASSERT_TRUE(GiveImage(60, 40));
        m_pCtrl->SetToolMode(TOOL_PEN);
    }
    UINT Id() { return m_pCtrl->GetImageStateId(); }
    void Stroke(COLORREF cr, int y)
    {
        m_pCtrl->SetDrawColor(cr);
        Drag(At(5, y), At(30, y), { At(15, y) });
    }
};

TEST_F(ImageStateIdTest, AStrokeThatChangesPixelsGivesANewIdAndUndoRedoBringBackTheOldOnes)
{
    const UINT nOpened = Id();
    Stroke(kBlack, 10);
    ASSERT_EQ(kBlack, ImagePixel(20, 10));
    const UINT nAfterFirst = Id();
    EXPECT_NE(nOpened, nAfterFirst);
    Stroke(kRed, 20);
    ASSERT_EQ(kRed, ImagePixel(20, 20));
    const UINT nAfterSecond = Id();
    EXPECT_NE(nAfterFirst, nAfterSecond);
    EXPECT_NE(nOpened, nAfterSecond);

    ASSERT_TRUE(m_pCtrl->Undo());
    EXPECT_EQ(nAfterFirst, Id());
    ASSERT_TRUE(m_pCtrl->Undo());
    EXPECT_EQ(kWhite, ImagePixel(20, 10));
    EXPECT_EQ(nOpened, Id());
    ASSERT_TRUE(m_pCtrl->Redo());
    EXPECT_EQ(nAfterFirst, Id());
    ASSERT_TRUE(m_pCtrl->Redo());
    EXPECT_EQ(nAfterSecond, Id());
}

TEST_F(ImageStateIdTest, AStrokeThatChangesNoPixelKeepsTheId)
{
    const UINT nOpened = Id();
    Stroke(kWhite, 10);   // white on white
    ASSERT_EQ(0, PixelsOtherThan(kWhite));
    ASSERT_EQ(1, m_pCtrl->GetUndoListSize());   // still an undo step, as every stroke is
    EXPECT_EQ(nOpened, Id());

    // Also once the next stroke has closed it, and after undoing that next stroke.
    Stroke(kBlack, 20);
    const UINT nChanged = Id();
    EXPECT_NE(nOpened, nChanged);
    ASSERT_TRUE(m_pCtrl->Undo());
    EXPECT_EQ(nOpened, Id());
    ASSERT_TRUE(m_pCtrl->Undo());   // the stroke that changed nothing
    EXPECT_EQ(nOpened, Id());
    ASSERT_TRUE(m_pCtrl->Redo());
    EXPECT_EQ(nOpened, Id());
    ASSERT_TRUE(m_pCtrl->Redo());
    EXPECT_EQ(nChanged, Id());
}

TEST_F(ImageStateIdTest, AFilledRectangleOfTheColourAlreadyThereKeepsTheId)
{
    m_pCtrl->SetToolMode(TOOL_FILLEDRECT);
    m_pCtrl->SetDrawColor(kWhite);
    m_pCtrl->SetFillColor(kWhite);
    const UINT nOpened = Id();
    Drag(At(3, 3), At(40, 30), { At(20, 20) });
    ASSERT_EQ(0, PixelsOtherThan(kWhite));
    EXPECT_EQ(nOpened, Id());

    m_pCtrl->SetDrawColor(kBlue);
    m_pCtrl->SetFillColor(kBlue);
    Drag(At(3, 3), At(40, 30), { At(20, 20) });
    ASSERT_EQ(kBlue, ImagePixel(20, 20));
    EXPECT_NE(nOpened, Id());
}

TEST_F(ImageStateIdTest, AChangeAfterUndoGivesAnIdNotSeenBefore)
{
    std::set<UINT> seen = { Id() };
    Stroke(kBlack, 10);
    seen.insert(Id());
    Stroke(kRed, 20);
    seen.insert(Id());
    ASSERT_EQ(3u, seen.size());
    ASSERT_TRUE(m_pCtrl->Undo());
    Stroke(kBlue, 30);
    EXPECT_EQ(0u, seen.count(Id()));
}

TEST_F(ImageStateIdTest, ReplacingTheImageGivesANewIdEvenForTheSamePixels)
{
    std::set<UINT> seen = { Id() };
    Stroke(kBlack, 10);
    seen.insert(Id());
    // The same white picture again.
    ASSERT_TRUE(GiveImage(60, 40));
    EXPECT_EQ(0u, seen.count(Id()));
    seen.insert(Id());
    ASSERT_TRUE(m_pCtrl->CreateBitmap(60, 40, 1, 24, NULL, NULL));
    EXPECT_EQ(0u, seen.count(Id()));
}

TEST(PntHistoryStateIdTest, AWholeCopyStepThatChangedNothingLeadsBackToTheIdBeforeIt)
{
    CDIBSection image;
    ASSERT_TRUE(image.CreateBitmap(20, 10, 1, 8));
    const int nColours = image.GetColorTableSize();
    ASSERT_GT(nColours, 8);
    CPntHistory history;
    const UINT nStart = history.GetStateId(image);
    ASSERT_TRUE(history.BeginStep(image, NULL));
    EXPECT_EQ(nStart, history.GetStateId(image));

    // A colour table entry that changes: a different picture, whatever the bits.
    std::vector<RGBQUAD> table(image.GetColorTable(), image.GetColorTable() + nColours);
    table[7].rgbRed ^= 0x55;
    ASSERT_TRUE(history.BeginStep(image, NULL));
    ASSERT_TRUE(image.SetColorTable((UINT)nColours, table.data()));
    const UINT nRecoloured = history.GetStateId(image);
    EXPECT_NE(nStart, nRecoloured);
    ASSERT_TRUE(history.Undo(image));
    EXPECT_EQ(nStart, history.GetStateId(image));
    ASSERT_TRUE(history.Redo(image));
    EXPECT_EQ(nRecoloured, history.GetStateId(image));
    history.Clear();
    EXPECT_NE(nRecoloured, history.GetStateId(image));
    EXPECT_NE(nStart, history.GetStateId(image));
}
