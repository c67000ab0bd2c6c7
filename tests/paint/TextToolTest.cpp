// The text tool: the text typed in the bar drawn live into the text box as one undo step,
// re-rendered on every change, moved with its box, and committed by a click outside.
#include "PaintFixture.h"

class TextToolTest : public PaintFixture
{
protected:
    // An 80 x 60 white image, the text tool and a box (5, 5)-(60, 40) drawn with the mouse.
    void Prepare()
    {
        AfxGetApp()->SetRegistryKey(_T("MfcPaintTextBarTests"));
        ASSERT_TRUE(GiveImage(80, 60));
        m_blank = imagetest::Bits(*m_pCtrl->GetDIBsection());
        m_pCtrl->SetToolMode(TOOL_TEXT);
        m_pCtrl->SetDrawColor(kBlack);
        PressAndDrag(At(5, 5), { At(30, 20), At(60, 40) });
        ASSERT_EQ(CRect(5, 5, 60, 40), Selection());
    }
    CRect Selection()
    {
        CRect rc;
        m_pCtrl->GetSelectionRect(&rc);
        return rc;
    }
    // The blank image with strText drawn once into rc with the control's format, colour, font.
    imagetest::Bytes Rendering(LPCTSTR lpszText, CRect rc)
    {
        CDIBSection expected;
        EXPECT_TRUE(expected.Copy(*m_pCtrl->GetDIBsection()));
        EXPECT_TRUE(expected.Clear(kWhite));
        expected.DrawText(lpszText, rc, m_pCtrl->GetTextFormat(), m_pCtrl->GetDrawColor(), m_pCtrl->GetTextFont());
        return imagetest::Bits(expected);
    }
    imagetest::Bytes Shown() { return imagetest::Bits(*m_pCtrl->GetDIBsection()); }

    imagetest::Bytes m_blank;
};

TEST_F(TextToolTest, EachChangeLeavesExactlyOneRenderingThatOneUndoRemoves)
{
    Prepare();
    m_pCtrl->SetUserText(_T("a"));
    m_pCtrl->SetUserText(_T("ab"));
    EXPECT_STREQ(_T("ab"), m_pCtrl->GetUserText());
    EXPECT_NE(m_blank, Shown());
    EXPECT_EQ(Rendering(_T("ab"), CRect(5, 5, 60, 40)), Shown());
    ASSERT_TRUE(m_pCtrl->Undo());
    EXPECT_EQ(m_blank, Shown());

    // Emptying the text takes the rendering away with no step of its own.
    Prepare();
    m_pCtrl->SetUserText(_T("abc"));
    m_pCtrl->SetUserText(_T(""));
    EXPECT_EQ(m_blank, Shown());
    EXPECT_FALSE(m_pCtrl->CanUndo());
}

TEST_F(TextToolTest, ColourFormatAndFontChangesRenderTheSameTextAgainInPlace)
{
    Prepare();
    m_pCtrl->SetUserText(_T("Hello"));
    m_pCtrl->SetDrawColor(kRed);
    m_pCtrl->SetTextFormat(m_pCtrl->GetTextFormat() | DT_RIGHT);
    LOGFONT lf = {};
    m_pCtrl->GetTextFont()->GetLogFont(&lf);
    lf.lfHeight = -20;
    CFont font;
    ASSERT_TRUE(font.CreateFontIndirect(&lf));
    m_pCtrl->SetTextFont(&font);
    EXPECT_EQ(Rendering(_T("Hello"), CRect(5, 5, 60, 40)), Shown());
    ASSERT_TRUE(m_pCtrl->Undo());
    EXPECT_EQ(m_blank, Shown());

    // With another tool the setters only store, and the text is not taken at all.
    m_pCtrl->SetToolMode(TOOL_PEN);
    m_pCtrl->SetUserText(_T("ignored"));
    m_pCtrl->SetDrawColor(kBlue);
    EXPECT_STREQ(_T(""), m_pCtrl->GetUserText());
    EXPECT_EQ(m_blank, Shown());
}

TEST_F(TextToolTest, DraggingTheBoxMovesTheTextAndAClickOutsideCommitsIt)
{
    Prepare();
    m_pCtrl->SetUserText(_T("Move me"));
    PressAndDrag(At(30, 20), { At(35, 25), At(40, 30) });
    EXPECT_EQ(CRect(15, 15, 70, 50), Selection());
    EXPECT_EQ(Rendering(_T("Move me"), CRect(15, 15, 70, 50)), Shown());

    // A click inside the box that moves nothing keeps box and text as they are.
    PressAndDrag(At(40, 30), {});
    EXPECT_EQ(CRect(15, 15, 70, 50), Selection());
    EXPECT_EQ(Rendering(_T("Move me"), CRect(15, 15, 70, 50)), Shown());

    // A new box outside: the text stays for good and the next text starts empty.
    PressAndDrag(At(2, 52), { At(10, 56), At(20, 58) });
    EXPECT_STREQ(_T(""), m_pCtrl->GetUserText());
    EXPECT_EQ(Rendering(_T("Move me"), CRect(15, 15, 70, 50)), Shown());
    m_pCtrl->SetUserText(_T("x"));
    ASSERT_TRUE(m_pCtrl->Undo());   // the new text
    EXPECT_EQ(Rendering(_T("Move me"), CRect(15, 15, 70, 50)), Shown());
    ASSERT_TRUE(m_pCtrl->Undo());   // the committed text, as one step
    EXPECT_EQ(m_blank, Shown());
}
