// The pixel grid as the window shows it, every pixel of the client area compared with a
// grid computed here: a checkerboard of the two button colours on the column lines
// x = TL.x + int(i * z) (i = 0 .. W, from TL.y to above BR.y) and the row lines
// y = TL.y + int(j * z) (j = 0 .. H, from TL.x to left of BR.x), over the picture exactly as
// it is shown with the grid off.
#include "PaintFixture.h"
#include "common/Screenshot.h"

namespace
{
const int kImageWidth = 70;
const int kImageHeight = 60;

// A colour per image pixel, none of them a system colour of the view.
COLORREF PatternColour(int x, int y)
{
    return RGB(16 + (x * 37) % 200, 8 + (y * 53) % 200, 90 + ((x + y) % 2) * 100);
}
}

class GridTest : public PaintFixture
{
protected:
    void SetUp() override
    {
        PaintFixture::SetUp();
        ASSERT_TRUE(GiveImage(kImageWidth, kImageHeight, 24));
        CDIBSection& image = *m_pCtrl->GetDIBsection();
        for (int y = 0; y < kImageHeight; y++)
            for (int x = 0; x < kImageWidth; x++)
            {
                COLORREF cr = PatternColour(x, y);   // the bits hold blue, green, red
                imagetest::SetRawPixel(image, x, y, RGB(GetBValue(cr), GetGValue(cr), GetRValue(cr)));
            }
        // No frames: the picture and the grid alone.
        m_pCtrl->SetToolMode(TOOL_SELECT);
        m_pCtrl->SetShowSelectionRect(FALSE);
    }

    void Repaint()
    {
        m_pCtrl->Invalidate(TRUE);
        m_pCtrl->UpdateWindow();
    }

    // The client area as the screen shows it, row by row.
    std::vector<COLORREF> ClientPixels() { return testenv::ReadPixels(m_pCtrl->m_hWnd, ClientRect()); }

    int HPos() { return m_pCtrl->m_nHScrollRange >= 1 ? m_pCtrl->GetScrollPos(SB_HORZ) : 0; }
    int VPos() { return m_pCtrl->m_nVScrollRange >= 1 ? m_pCtrl->GetScrollPos(SB_VERT) : 0; }

    // What the client shows with the grid at zoom z: `bare` (the client with the grid off)
    // with the grid lines laid over it inside rcRepainted; the checkerboard's corner is
    // rcRepainted's top-left, where the repaint's off-screen picture starts. Outside
    // rcRepainted the client keeps `before`.
    std::vector<COLORREF> ExpectedGrid(double z, const std::vector<COLORREF>& bare, const CRect& rcRepainted,
                                       const std::vector<COLORREF>& before)
    {
        const CRect rc = ClientRect();
        const int tlx = 5 - HPos(), tly = 5 - VPos();               // margins of 5
        const int brx = 5 + (int)(kImageWidth * z) - HPos(), bry = 5 + (int)(kImageHeight * z) - VPos();
        std::vector<bool> column(rc.Width(), false), row(rc.Height(), false);
        for (int i = 0; i <= kImageWidth; i++)
        {
            int x = tlx + (int)(i * z);
            if (x >= 0 && x < rc.Width())
                column[x] = true;
        }
        for (int j = 0; j <= kImageHeight; j++)
        {
            int y = tly + (int)(j * z);
            if (y >= 0 && y < rc.Height())
                row[y] = true;
        }
        const COLORREF crShadow = ::GetSysColor(COLOR_BTNSHADOW), crFace = ::GetSysColor(COLOR_BTNFACE);
        std::vector<COLORREF> expected = before;
        for (int y = rcRepainted.top; y < rcRepainted.bottom; y++)
            for (int x = rcRepainted.left; x < rcRepainted.right; x++)
            {
                bool bLine = (column[x] && y >= tly && y < bry) || (row[y] && x >= tlx && x < brx);
                bool bEven = ((x - rcRepainted.left) + (y - rcRepainted.top)) % 2 == 0;
                expected[(size_t)y * rc.Width() + x] = bLine ? (bEven ? crShadow : crFace) : bare[(size_t)y * rc.Width() + x];
            }
        return expected;
    }

    // Every pixel as expected, or the number that differ and the first of them.
    ::testing::AssertionResult SameClient(const std::vector<COLORREF>& expected, const std::vector<COLORREF>& shown)
    {
        const int nWidth = ClientRect().Width();
        if (expected.size() != shown.size() || shown.empty())
            return ::testing::AssertionFailure() << "client read back: " << shown.size() << " pixels";
        int nDiffer = 0;
        size_t nFirst = 0;
        for (size_t k = 0; k < shown.size(); k++)
            if (expected[k] != shown[k] && nDiffer++ == 0)
                nFirst = k;
        if (nDiffer == 0)
            return ::testing::AssertionSuccess();
        char szFirst[96];
        snprintf(szFirst, sizeof(szFirst), "first at (%d, %d): %06lX, expected %06lX", (int)(nFirst % nWidth),
                 (int)(nFirst / nWidth), (unsigned long)shown[nFirst], (unsigned long)expected[nFirst]);
        return ::testing::AssertionFailure() << nDiffer << " pixels differ; " << szFirst;
    }

    // The client with the grid off, then with it on, whole repaints both.
    void ShowBareThenGrid(std::vector<COLORREF>& bare, std::vector<COLORREF>& grid, UINT nMinPercent)
    {
        m_pCtrl->SetShowGrid(FALSE);
        Repaint();
        bare = ClientPixels();
        m_pCtrl->SetShowGrid(TRUE, nMinPercent);
        Repaint();
        grid = ClientPixels();
    }
};

TEST_F(GridTest, WholeRepaintAt600ScrolledShowsTheCheckerboardOnEveryPixelEdge)
{
    m_pCtrl->SetMagnification(600);   // 420 x 360 and margins: both scroll bars
    ASSERT_GT(m_pCtrl->m_nHScrollRange, 0);
    ASSERT_GT(m_pCtrl->m_nVScrollRange, 0);
    m_pCtrl->SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 7));
    m_pCtrl->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 22));
    ASSERT_EQ(7, HPos());
    ASSERT_EQ(22, VPos());

    std::vector<COLORREF> bare, grid;
    ShowBareThenGrid(bare, grid, 600);
    EXPECT_TRUE(SameClient(ExpectedGrid(6.0, bare, ClientRect(), bare), grid));
}

TEST_F(GridTest, PartialRepaintStartsTheCheckerboardAtItsCorner)
{
    m_pCtrl->SetMagnification(600);
    std::vector<COLORREF> bare, grid;
    ShowBareThenGrid(bare, grid, 600);
    ASSERT_TRUE(SameClient(ExpectedGrid(6.0, bare, ClientRect(), bare), grid));

    // An odd corner: the checkerboard inside is the opposite phase of the whole repaint's.
    const CRect rcPart(31, 18, 150, 97);
    Validate();
    m_pCtrl->InvalidateRect(&rcPart, FALSE);
    m_pCtrl->UpdateWindow();
    EXPECT_TRUE(SameClient(ExpectedGrid(6.0, bare, rcPart, grid), ClientPixels()));
}

TEST_F(GridTest, FittedFactorTruncatesEachLinePosition)
{
    m_pCtrl->m_bGridWholePercentOnly = FALSE;
    m_pCtrl->SetMagnification(250);   // 175 x 150 and margins: no scroll bars
    m_pCtrl->m_dMagnification = 2.5;
    std::vector<COLORREF> bare, grid;
    ShowBareThenGrid(bare, grid, 200);
    EXPECT_TRUE(SameClient(ExpectedGrid(2.5, bare, ClientRect(), bare), grid));

    // Between the lines the picture shows: 2 or 3 pixels per image pixel.
    EXPECT_EQ(PatternColour(10, 7), grid[(size_t)(5 + 17 + 1) * ClientRect().Width() + 5 + 25 + 1]);
}

TEST_F(GridTest, WithWholePercentOnlyOffTheGridShowsAtAFittedMagnificationOnThePixelEdges)
{
    // Fitted: a factor a little over 4.8, not a whole multiple of 100 %.
    ASSERT_TRUE(m_pCtrl->SetMagnificationToFillWindow());
    const double z = m_pCtrl->m_dMagnification;
    ASSERT_GT(m_pCtrl->GetMagnification(), 400u);
    ASSERT_NE(0u, m_pCtrl->GetMagnification() % 100);
    ASSERT_EQ(0, m_pCtrl->m_nHScrollRange);
    ASSERT_EQ(0, m_pCtrl->m_nVScrollRange);
    ASSERT_TRUE(m_pCtrl->GetGridWholePercentOnly());   // the default

    std::vector<COLORREF> bare, grid;
    ShowBareThenGrid(bare, grid, 400);
    EXPECT_TRUE(SameClient(bare, grid));   // no grid by default

    m_pCtrl->SetGridWholePercentOnly(FALSE);
    EXPECT_FALSE(m_pCtrl->GetGridWholePercentOnly());
    Repaint();
    // The lines lie where IPtoLP puts the pixels' edges: at the exact factor.
    EXPECT_TRUE(SameClient(ExpectedGrid(z, bare, ClientRect(), bare), ClientPixels()));
}
