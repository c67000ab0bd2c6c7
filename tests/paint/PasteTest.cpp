// Paste of a picture larger than the selection in one direction only, and pastes that fail or
// are cancelled: those leave the selection, the pixels, the history, the floating piece and the
// changed flag exactly as they were.
#include "PaintFixture.h"
#include "common/ModalAnswer.h"
#include "common/TestEnvironment.h"

namespace
{
// The clipboard picture: blue, its top-left pixel green, its last column and last row red, so
// that which part of it landed where can be read from the image.
bool PutMarkedPicture(int cx, int cy)
{
    CDIBSection picture;
    if (!picture.CreateBitmap(cx, cy, 1, 24) || !picture.Clear(kBlue))
        return false;
    picture.ClearRect(CRect(cx - 1, 0, cx, cy), kRed);
    picture.ClearRect(CRect(0, cy - 1, cx, cy), kRed);
    picture.SetPixel(0, 0, kGreen);
    return picture.CopyToClipboard(NULL) != FALSE;
}

COLORREF MarkedPictureColour(int x, int y, int cx, int cy)
{
    if (x == 0 && y == 0)
        return kGreen;
    return (x == cx - 1 || y == cy - 1) ? kRed : kBlue;
}
}

class PasteTest : public PaintFixture
{
protected:
    // Each pasted true-colour picture goes through the image settings dialog; the answer is
    // chosen per test.
    int m_nSettingsAnswer = IDOK;
    testenv::ModalAnswer m_settingsAnswer{ _T("Image Settings"),
                                           [this](HWND hDlg) { testenv::Click(hDlg, m_nSettingsAnswer); }, true };

    CRect Selection()
    {
        CRect rc;
        m_pCtrl->GetSelectionRect(&rc);
        return rc;
    }
    imagetest::Bytes Bits() { return imagetest::Bits(*m_pCtrl->GetDIBsection()); }
};

// Wider only, or taller only, than a shown selection: the question comes; Yes crops to the
// selection in the direction that overflows, No takes the picture's size up to the image's
// edge, Cancel changes nothing. In the other direction the picture's own size is kept.
TEST_F(PasteTest, APictureLargerInOneDirectionOnlyAsksAndEachAnswerSizesThatDirection)
{
    const int W = 80, H = 60;
    const CRect rcSel(10, 10, 60, 50);   // 50 x 40
    struct Case { const char* name; int cx, cy; } cases[] = { { "wider", 70, 20 }, { "taller", 20, 70 } };
    for (const Case& c : cases)
    {
        ASSERT_TRUE(PutMarkedPicture(c.cx, c.cy));
        for (int nAnswer : { IDYES, IDNO, IDCANCEL })
        {
            SCOPED_TRACE(std::string(c.name) + (nAnswer == IDYES ? " yes" : nAnswer == IDNO ? " no" : " cancel"));
            ASSERT_TRUE(GiveImage(W, H));
            m_pCtrl->SetToolMode(TOOL_SELECT);
            CRect rc = rcSel;
            m_pCtrl->SetSelectionRect(&rc, FALSE);
            testenv::ClearMessageBoxTexts();
            testenv::SetMessageBoxAnswer(nAnswer);
            BOOL bPasted = m_pCtrl->Paste();
            testenv::SetMessageBoxAnswer(IDOK);
            EXPECT_EQ(1u, testenv::MessageBoxTexts().size());

            CRect rcExpected = rcSel;
            if (nAnswer == IDYES)
                rcExpected.SetRect(10, 10, 10 + std::min(50, c.cx), 10 + std::min(40, c.cy));
            else if (nAnswer == IDNO)
                rcExpected.SetRect(10, 10, std::min(10 + c.cx, W), std::min(10 + c.cy, H));
            EXPECT_EQ(nAnswer != IDCANCEL, bPasted != FALSE);
            EXPECT_EQ(rcExpected, Selection());
            EXPECT_EQ(nAnswer != IDCANCEL, m_pCtrl->CanUndo() != FALSE);

            // Every image pixel: the picture's top-left part inside the new selection, white
            // everywhere else.
            int nWrong = 0;
            for (int y = 0; y < H; ++y)
                for (int x = 0; x < W; ++x)
                {
                    COLORREF crExpected = kWhite;
                    if (nAnswer != IDCANCEL && rcExpected.PtInRect(CPoint(x, y)))
                        crExpected = MarkedPictureColour(x - 10, y - 10, c.cx, c.cy);
                    nWrong += ImagePixel(x, y) != crExpected;
                }
            EXPECT_EQ(0, nWrong);
        }
    }
}

// The conversion dialog cancelled: no change of any kind, whether the selection was shown and
// smaller, or the whole image.
TEST_F(PasteTest, ACancelledConversionChangesNothing)
{
    ASSERT_TRUE(PutMarkedPicture(100, 80));
    for (bool bShownSmaller : { false, true })
    {
        SCOPED_TRACE(bShownSmaller ? "shown selection" : "whole image");
        ASSERT_TRUE(GiveImage(50, 40));
        m_pCtrl->GetDIBsection()->ClearRect(CRect(3, 4, 9, 7), kRed);
        CRect rcBefore(0, 0, 50, 40);
        if (bShownSmaller)
        {
            m_pCtrl->SetToolMode(TOOL_SELECT);
            rcBefore.SetRect(5, 6, 25, 16);
            m_pCtrl->SetSelectionRect(&rcBefore, FALSE);
            testenv::SetMessageBoxAnswer(IDNO);   // take the picture's size
        }
        const imagetest::Bytes before = Bits();
        ClearRecords();

        m_nSettingsAnswer = IDCANCEL;
        EXPECT_FALSE(m_pCtrl->Paste());
        m_nSettingsAnswer = IDOK;
        testenv::SetMessageBoxAnswer(IDOK);

        EXPECT_EQ(rcBefore, Selection());
        EXPECT_TRUE(before == Bits());
        EXPECT_FALSE(m_pCtrl->CanUndo());
        EXPECT_EQ(0, m_pCtrl->GetUndoListSize());
        EXPECT_FALSE(m_pCtrl->GetImageChanged());
        EXPECT_EQ(0, ImageChanges());
        EXPECT_EQ(50, m_pCtrl->GetDIBsection()->GetWidth());
    }
}

// A failed paste over a floating pasted piece leaves that piece floating: moving it afterwards
// still moves the first picture, and one Undo still takes back the first paste.
TEST_F(PasteTest, AFailedPasteKeepsTheFloatingPieceAndTheHistory)
{
    ASSERT_TRUE(GiveImage(40, 30));
    const imagetest::Bytes original = Bits();
    m_pCtrl->SetToolMode(TOOL_SELECT);
    ASSERT_TRUE(PutMarkedPicture(6, 4));
    CRect rc(2, 2, 20, 20);
    m_pCtrl->SetSelectionRect(&rc, FALSE);
    ASSERT_TRUE(m_pCtrl->Paste());
    const CRect rcPasted = Selection();
    ASSERT_EQ(CRect(2, 2, 8, 6), rcPasted);
    const imagetest::Bytes afterPaste = Bits();
    const int nHistory = m_pCtrl->GetUndoListSize();
    const BOOL bChanged = m_pCtrl->GetImageChanged();

    // A second, larger picture: its size is taken at the question, its conversion cancelled.
    ASSERT_TRUE(PutMarkedPicture(12, 9));
    ClearRecords();
    testenv::ClearMessageBoxTexts();
    testenv::SetMessageBoxAnswer(IDNO);
    m_nSettingsAnswer = IDCANCEL;
    EXPECT_FALSE(m_pCtrl->Paste());
    m_nSettingsAnswer = IDOK;
    testenv::SetMessageBoxAnswer(IDOK);
    EXPECT_EQ(1u, testenv::MessageBoxTexts().size());
    EXPECT_EQ(rcPasted, Selection());
    EXPECT_TRUE(afterPaste == Bits());
    EXPECT_EQ(nHistory, m_pCtrl->GetUndoListSize());
    EXPECT_EQ(bChanged, m_pCtrl->GetImageChanged());
    EXPECT_EQ(0, ImageChanges());

    // The first piece moves as a whole, and nothing is left where it was.
    CPoint ptFrom = At(rcPasted.left + 2, rcPasted.top + 1);
    PressAndDrag(ptFrom, { ptFrom + CSize(5, 5), ptFrom + CSize(10, 10) });
    EXPECT_EQ(CRect(12, 12, 18, 16), Selection());
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
        {
            ASSERT_EQ(MarkedPictureColour(x, y, 6, 4), ImagePixel(12 + x, 12 + y)) << x << "," << y;
            ASSERT_EQ(kWhite, ImagePixel(2 + x, 2 + y)) << x << "," << y;
        }
    ASSERT_TRUE(m_pCtrl->Undo());
    EXPECT_TRUE(original == Bits());
}
