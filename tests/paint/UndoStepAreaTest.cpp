// The control's undo steps keep only the area their change touched: on pictures of many
// tiles, undo and redo of clears, pastes, moved selections and text give back the exact bits,
// and the history holds a small part of the picture.
#include "PaintFixture.h"
#include "common/ModalAnswer.h"

namespace
{
// FNV-1a over the bits: a fingerprint of each state of a big picture.
unsigned long long Fingerprint(CDIBSection& image)
{
    ::GdiFlush();
    const BYTE* p = (const BYTE*)image.GetDIBits();
    unsigned long long h = 1469598103934665603ull;
    for (DWORD i = 0; i < image.GetImageSize(); i++)
        h = (h ^ p[i]) * 1099511628211ull;
    return h;
}
}

class UndoStepAreaTest : public PaintFixture
{
protected:
    // A pasted true-colour picture goes through the image settings dialog: accepted as it is.
    testenv::ModalAnswer m_settingsAnswer{ _T("Image Settings"), [](HWND hDlg) { testenv::Click(hDlg, IDOK); }, true };

    CDIBSection& Image() { return *m_pCtrl->GetDIBsection(); }
    imagetest::Bytes Shown() { return imagetest::Bits(Image()); }
    SIZE_T ImageBytes() { return Image().GetImageSize(); }

    // A 300 x 200 picture of stripes, so that no two places look alike.
    void GiveStripedImage()
    {
        ASSERT_TRUE(GiveImage(300, 200));
        for (int x = 0; x < 300; x += 7)
            Image().ClearRect(CRect(x, 0, x + 3, 200), RGB(x % 256, 80, 160));
        for (int y = 0; y < 200; y += 11)
            Image().ClearRect(CRect(0, y, 300, y + 4), RGB(40, y, 90));
    }
};

TEST_F(UndoStepAreaTest, FiveSmallClearsOfABigPictureHoldLittleAndUndoExactly)
{
    ASSERT_TRUE(GiveImage(4096, 4096, 32));
    const imagetest::Bytes original = Shown();
    std::vector<unsigned long long> states = { Fingerprint(Image()) };
    const COLORREF colours[] = { kRed, kGreen, kBlue, kBlack, RGB(10, 20, 30) };
    for (int n = 0; n < 5; n++)
    {
        m_pCtrl->SetEraseColor(colours[n]);
        CRect rc(300 + 750 * n, 200 + 700 * n, 400 + 750 * n, 300 + 700 * n);
        ASSERT_TRUE(m_pCtrl->ClearRect(&rc, TRUE));
        ASSERT_EQ(colours[n], ImagePixel(rc.left, rc.top));
        states.push_back(Fingerprint(Image()));
    }
    EXPECT_EQ(5, m_pCtrl->GetUndoListSize());
    EXPECT_LT(m_pCtrl->GetUndoMemoryUsed(), ImageBytes() / 20);

    for (int n = 4; n >= 0; n--)
    {
        ASSERT_TRUE(m_pCtrl->Undo());
        EXPECT_EQ(states[(size_t)n], Fingerprint(Image())) << "undo to state " << n;
    }
    EXPECT_EQ(original, Shown());
    EXPECT_FALSE(m_pCtrl->CanUndo());
    for (int n = 1; n <= 5; n++)
    {
        ASSERT_TRUE(m_pCtrl->Redo());
        EXPECT_EQ(states[(size_t)n], Fingerprint(Image())) << "redo to state " << n;
    }
}

TEST_F(UndoStepAreaTest, ClearOfTheWholePictureUndoesExactly)
{
    GiveStripedImage();
    const imagetest::Bytes before = Shown();
    ASSERT_TRUE(m_pCtrl->Clear());
    EXPECT_EQ(0, PixelsOtherThan(kWhite));
    ASSERT_TRUE(m_pCtrl->Undo());
    EXPECT_EQ(before, Shown());
}

TEST_F(UndoStepAreaTest, AMovedSelectionUndoesAndRedoesExactly)
{
    GiveStripedImage();
    const imagetest::Bytes before = Shown();
    m_pCtrl->SetToolMode(TOOL_SELECT);
    PressAndDrag(At(10, 10), { At(20, 20), At(30, 25) });
    CRect rc;
    m_pCtrl->GetSelectionRect(&rc);
    ASSERT_EQ(CRect(10, 10, 30, 25), rc);

    // Far from where it was, in other tiles; then once more while it floats.
    PressAndDrag(At(15, 15), { At(100, 90), At(215, 165) });
    PressAndDrag(At(205, 160), { At(240, 170) });
    const imagetest::Bytes after = Shown();
    ASSERT_NE(before, after);
    EXPECT_LT(m_pCtrl->GetUndoMemoryUsed(), ImageBytes() / 2);

    ASSERT_TRUE(m_pCtrl->Undo());
    EXPECT_EQ(before, Shown());
    ASSERT_TRUE(m_pCtrl->Redo());
    EXPECT_EQ(after, Shown());
}

TEST_F(UndoStepAreaTest, APastedPictureUndoesExactlyAlsoOverTheEdge)
{
    for (CPoint pt : { CPoint(150, 100), CPoint(270, 180) })
    {
        SCOPED_TRACE(testing::Message() << pt.x << ", " << pt.y);
        GiveStripedImage();
        const imagetest::Bytes before = Shown();
        CDIBSection picture;
        ASSERT_TRUE(picture.CreateBitmap(70, 50, 1, 24) && picture.Clear(kBlue));
        ASSERT_TRUE(picture.CopyToClipboard(NULL));
        m_pCtrl->SetToolMode(TOOL_SELECT);
        CRect rcSel(pt, CSize(100, 100));
        m_pCtrl->SetSelectionRect(&rcSel, FALSE);
        ASSERT_TRUE(m_pCtrl->Paste());
        ASSERT_EQ(kBlue, ImagePixel(pt.x, pt.y));
        const imagetest::Bytes after = Shown();
        EXPECT_LT(m_pCtrl->GetUndoMemoryUsed(), ImageBytes() / 2);

        ASSERT_TRUE(m_pCtrl->Undo());
        EXPECT_EQ(before, Shown());
        ASSERT_TRUE(m_pCtrl->Redo());
        EXPECT_EQ(after, Shown());
    }
}

TEST_F(UndoStepAreaTest, TextInItsBoxUndoesExactly)
{
    AfxGetApp()->SetRegistryKey(_T("MfcPaintTextBarTests"));
    GiveStripedImage();
    const imagetest::Bytes before = Shown();
    m_pCtrl->SetToolMode(TOOL_TEXT);
    m_pCtrl->SetDrawColor(kBlack);
    PressAndDrag(At(120, 80), { At(150, 90), At(180, 110) });
    // More text than the box holds: what does not fit is clipped away.
    LPCTSTR lpszText = _T("Some words that run well past the edges of the box");
    m_pCtrl->SetUserText(lpszText);
    const imagetest::Bytes after = Shown();
    ASSERT_NE(before, after);
    // Unclipped, the same text would reach below the box.
    CDIBSection unclipped;
    ASSERT_TRUE(unclipped.CreateBitmap(300, 200, 1, 24) && unclipped.Clear(kWhite));
    unclipped.DrawText(lpszText, CRect(120, 80, 180, 110), m_pCtrl->GetTextFormat() | DT_NOCLIP, kBlack,
                       m_pCtrl->GetTextFont());
    int nBelow = 0;
    for (int y = 110; y < 200; y++)
        for (int x = 0; x < 300; x++)
            nBelow += unclipped.GetPixel(x, y) != kWhite;
    EXPECT_GT(nBelow, 0);
    EXPECT_LT(m_pCtrl->GetUndoMemoryUsed(), ImageBytes() / 2);

    m_pCtrl->SetToolMode(TOOL_NONE);
    ASSERT_TRUE(m_pCtrl->Undo());
    EXPECT_EQ(before, Shown());
    ASSERT_TRUE(m_pCtrl->Redo());
    EXPECT_EQ(after, Shown());
}

TEST_F(UndoStepAreaTest, TheMemoryBudgetKeepsTheNewestSteps)
{
    ASSERT_TRUE(GiveImage(1024, 1024, 32));
    EXPECT_EQ((SIZE_T)0, m_pCtrl->GetUndoMemoryBudget());
    m_pCtrl->SetMaxUndoSize(20);
    std::vector<imagetest::Bytes> states = { Shown() };
    for (int n = 0; n < 8; n++)
    {
        CRect rc(120 * n, 100 * n, 120 * n + 100, 100 * n + 100);
        m_pCtrl->SetEraseColor(RGB(30 * n, 0, 0));
        ASSERT_TRUE(m_pCtrl->ClearRect(&rc, TRUE));
        states.push_back(Shown());
    }
    EXPECT_EQ(8, m_pCtrl->GetUndoListSize());
    const SIZE_T nAll = m_pCtrl->GetUndoMemoryUsed();

    // Half of what the eight steps hold: the oldest go, the newest stay and still undo exactly.
    m_pCtrl->SetUndoMemoryBudget(nAll / 2);
    EXPECT_EQ(nAll / 2, m_pCtrl->GetUndoMemoryBudget());
    EXPECT_LE(m_pCtrl->GetUndoMemoryUsed(), nAll / 2);
    const int nKept = m_pCtrl->GetUndoListSize();
    EXPECT_GE(nKept, 1);
    EXPECT_LT(nKept, 8);
    for (int n = 0; n < nKept; n++)
        ASSERT_TRUE(m_pCtrl->Undo());
    EXPECT_EQ(states[(size_t)(8 - nKept)], Shown());
    EXPECT_FALSE(m_pCtrl->Undo());
}

TEST_F(UndoStepAreaTest, UndoingAChangeAlsoTakesBackATransparencyMaskPaintedAfterIt)
{
    GiveStripedImage();
    const imagetest::Bytes before = Shown();
    CRect rc(10, 10, 40, 30);
    ASSERT_TRUE(m_pCtrl->ClearRect(&rc, TRUE));

    // A mask far from the cleared area, painted in as the key colour with no step of its own.
    const int nStride = ((300 + 15) / 16) * 2;
    std::vector<BYTE> bits((size_t)nStride * 200, 0);
    for (int y = 150; y < 190; y++)
        for (int x = 200; x < 280; x++)
            bits[(size_t)y * nStride + x / 8] |= (BYTE)(0x80 >> (x % 8));
    HBITMAP hMask = ::CreateBitmap(300, 200, 1, 1, bits.data());
    ASSERT_TRUE(hMask != NULL);
    ASSERT_TRUE(m_pCtrl->SetFixedTransparency(hMask, kGreen));
    ::DeleteObject(hMask);
    ASSERT_EQ(kGreen, ImagePixel(250, 170));
    EXPECT_EQ(1, m_pCtrl->GetUndoListSize());
    const imagetest::Bytes after = Shown();

    // As with whole-picture steps: back to before the clear, then forward to both.
    ASSERT_TRUE(m_pCtrl->Undo());
    EXPECT_EQ(before, Shown());
    ASSERT_TRUE(m_pCtrl->Redo());
    EXPECT_EQ(after, Shown());
    m_pCtrl->SetTransparentColor(0xFFFFFFFF);
}

TEST_F(UndoStepAreaTest, UnclippedTextUndoesExactly)
{
    AfxGetApp()->SetRegistryKey(_T("MfcPaintTextBarTests"));
    GiveStripedImage();
    const imagetest::Bytes before = Shown();
    m_pCtrl->SetToolMode(TOOL_TEXT);
    m_pCtrl->SetDrawColor(kBlack);
    const UINT nFormat = m_pCtrl->GetTextFormat();
    m_pCtrl->SetTextFormat(nFormat | DT_NOCLIP);
    PressAndDrag(At(120, 80), { At(150, 90), At(180, 110) });
    m_pCtrl->SetUserText(_T("Some words that run well past the edges of the box"));
    const imagetest::Bytes after = Shown();
    ASSERT_NE(before, after);

    m_pCtrl->SetToolMode(TOOL_NONE);
    m_pCtrl->SetTextFormat(nFormat);
    ASSERT_TRUE(m_pCtrl->Undo());
    EXPECT_EQ(before, Shown());
    ASSERT_TRUE(m_pCtrl->Redo());
    EXPECT_EQ(after, Shown());
}
