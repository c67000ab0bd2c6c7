// CPntHistory on its own, without a window: random edits at every depth compared with full
// copies of the bits that the test keeps, the counting rules against a plain list of copies,
// taking back part of a change, whole-image steps, and the memory a step holds.
#include <gtest/gtest.h>
#include <random>
#include <vector>
#include "paint/PntHistory.h"
#include "image/ImageTestSupport.h"

using imagetest::Bytes;

namespace
{
// The history as a list of whole copies of the bits, oldest first, with the index of the
// shown copy (-1 while live): what the history must answer in every state.
struct CopyListModel
{
    std::vector<Bytes> list;
    int nShown = -1;
    int nMax = 5;

    void Change(const Bytes& live)
    {
        if (nShown >= 0 && !list.empty())
            list.resize((size_t)nShown);
        nShown = -1;
        if ((int)list.size() >= nMax && !list.empty())
            list.erase(list.begin());
        list.push_back(live);
    }
    bool Undo(Bytes& live)
    {
        if (list.empty())
            return false;
        if (nShown < 0)
        {
            list.push_back(live);
            nShown = (int)list.size() - 1;
        }
        if (nShown == 0)
            return false;
        live = list[(size_t)--nShown];
        return true;
    }
    bool Redo(Bytes& live)
    {
        if (!CanRedo())
            return false;
        live = list[(size_t)++nShown];
        return true;
    }
    bool CanUndo() const { return !list.empty() && nShown != 0; }
    bool CanRedo() const { return nShown >= 0 && !list.empty() && nShown < (int)list.size() - 1; }
    void Clear()
    {
        list.clear();
        nShown = -1;
    }
};

bool MakeImage(CDIBSection& image, int cx, int cy, int nBits)
{
    if (!image.CreateBitmap(cx, cy, 1, (UINT)nBits, NULL, NULL, NULL))
        return false;
    ::GdiFlush();
    memset(image.GetDIBits(), 0, (size_t)imagetest::Stride(cx, nBits) * cy);
    return true;
}

DWORD MaxValue(int nBits)
{
    return nBits >= 32 ? 0xFFFFFFFFu : (DWORD)((1ull << nBits) - 1);
}

// Writes random values into the pixels of rc that lie inside the image, in both the image and
// (when given) a buffer laid out as its bits.
void Scribble(CDIBSection& image, CRect rc, std::mt19937& rng, Bytes* pAlso = NULL)
{
    rc.NormalizeRect();
    rc.IntersectRect(rc, CRect(0, 0, image.GetWidth(), image.GetHeight()));
    const int nBits = image.GetBitCount();
    const size_t nStride = (size_t)imagetest::Stride(image.GetWidth(), nBits);
    ::GdiFlush();
    for (int y = rc.top; y < rc.bottom; y++)
        for (int x = rc.left; x < rc.right; x++)
        {
            const DWORD v = (DWORD)rng() & MaxValue(nBits);
            imagetest::PutRowPixel(imagetest::RowOf(image, y), x, nBits, v);
            if (pAlso != NULL)
                imagetest::PutRowPixel(&(*pAlso)[(image.GetHeight() - 1 - y) * nStride], x, nBits, v);
        }
}

// Copies the pixels of rc from one buffer of bits to another.
void CopyPixels(Bytes& dst, const Bytes& src, CRect rc, int cx, int cy, int nBits)
{
    rc.NormalizeRect();
    rc.IntersectRect(rc, CRect(0, 0, cx, cy));
    const size_t nStride = (size_t)imagetest::Stride(cx, nBits);
    for (int y = rc.top; y < rc.bottom; y++)
        for (int x = rc.left; x < rc.right; x++)
        {
            const size_t nRow = (size_t)(cy - 1 - y) * nStride;
            imagetest::PutRowPixel(&dst[nRow], x, nBits, imagetest::RowPixel(&src[nRow], x, nBits));
        }
}

// A rectangle of up to 90 x 70 pixels somewhere around the image, sometimes partly outside
// it, sometimes empty or given the wrong way round.
CRect RandomRect(std::mt19937& rng, int cx, int cy)
{
    const int x = (int)(rng() % (cx + 40)) - 20, y = (int)(rng() % (cy + 40)) - 20;
    CRect rc(x, y, x + (int)(rng() % 91), y + (int)(rng() % 71));
    if (rng() % 8 == 0)
        std::swap(rc.left, rc.right);
    return rc;
}
}

class PntHistoryDepth : public ::testing::TestWithParam<int>
{
};

TEST_P(PntHistoryDepth, RandomEditsUndoAndRedoGiveBackExactBits)
{
    const int nBits = GetParam();
    const int cx = 203, cy = 150;   // partial tiles on the right and at the top
    CDIBSection image;
    ASSERT_TRUE(MakeImage(image, cx, cy, nBits));
    std::mt19937 rng(1000 + nBits);
    Scribble(image, CRect(0, 0, cx, cy), rng);

    CPntHistory history;
    CopyListModel model;
    Bytes live = imagetest::Bits(image);
    for (int nOp = 0; nOp < 400; nOp++)
    {
        SCOPED_TRACE(testing::Message() << "operation " << nOp);
        const unsigned nKind = rng() % 100;
        if (nKind < 40)
        {
            // A change of one to three areas, declared before each is written.
            model.Change(live);
            CRect rc = RandomRect(rng, cx, cy);
            history.BeginStep(image, &rc);
            Scribble(image, rc, rng);
            for (unsigned n = rng() % 3; n > 0; n--)
            {
                rc = RandomRect(rng, cx, cy);
                ASSERT_TRUE(history.Extend(image, rc));
                Scribble(image, rc, rng);
            }
            live = imagetest::Bits(image);
        }
        else if (nKind < 46)
        {
            // A rubber band: each new figure replaces the previous one.
            model.Change(live);
            CRect rcFigure(0, 0, 0, 0);
            history.BeginStep(image, &rcFigure);
            Bytes expected = live;
            for (int nMove = 0; nMove < 4; nMove++)
            {
                ASSERT_TRUE(history.RestoreRect(image, rcFigure));
                CopyPixels(expected, live, rcFigure, cx, cy, nBits);
                rcFigure = RandomRect(rng, cx, cy);
                ASSERT_TRUE(history.Extend(image, rcFigure));
                Scribble(image, rcFigure, rng, &expected);
                ASSERT_EQ(expected, imagetest::Bits(image));
            }
            live = expected;
        }
        else if (nKind < 50)
        {
            // A change that declares no area: anything may change.
            model.Change(live);
            history.BeginStep(image, NULL);
            Scribble(image, RandomRect(rng, cx, cy), rng);
            Scribble(image, RandomRect(rng, cx, cy), rng);
            live = imagetest::Bits(image);
        }
        else if (nKind < 72)
        {
            const bool bExpected = model.Undo(live);
            EXPECT_EQ(bExpected, history.Undo(image) != FALSE);
        }
        else if (nKind < 94)
        {
            const bool bExpected = model.Redo(live);
            EXPECT_EQ(bExpected, history.Redo(image) != FALSE);
        }
        else if (nKind < 98)
        {
            model.nMax = (int)(rng() % 8) - 1;
            history.SetMaxSteps(model.nMax);
        }
        else
        {
            model.Clear();
            history.Clear();
        }

        ASSERT_EQ(live, imagetest::Bits(image));
        ASSERT_EQ((int)model.list.size(), history.GetCount());
        ASSERT_EQ(model.CanUndo(), history.CanUndo() != FALSE);
        ASSERT_EQ(model.CanRedo(), history.CanRedo() != FALSE);
    }
}

INSTANTIATE_TEST_SUITE_P(Depths, PntHistoryDepth, ::testing::Values(1, 4, 8, 16, 24, 32));

// The counting rules in fixed sequences. c: a change; u, r: Undo, Redo; x: Clear; a digit:
// the maximum. Every state is compared with the list of copies.
TEST(PntHistory, CountsAsAListOfCopiesInEverySequence)
{
    const char* sequences[] = {
        "urc", "cu", "curr", "ccccccuuuuuuu", "ccccccuuuuurrrrrr", "cccuuc", "cccuucuuu",
        "ccxu", "ccccc2cc", "ccccc2ccuuuuuu", "0cc", "0ccuu", "ccuuuc", "ccuurc", "8cccccccccc3c",
        "ccuuuurrrrcuuuu", "1ccuruc", "9ccccccccuuuuuu1cu",
    };
    for (const char* ops : sequences)
    {
        SCOPED_TRACE(ops);
        CDIBSection image;
        ASSERT_TRUE(MakeImage(image, 80, 20, 8));
        std::mt19937 rng(7);
        CPntHistory history;
        CopyListModel model;
        Bytes live = imagetest::Bits(image);
        for (const char* p = ops; *p != '\0'; p++)
        {
            switch (*p)
            {
            case 'c':
            {
                model.Change(live);
                CRect rc((int)(rng() % 70), (int)(rng() % 15), 0, 0);
                rc.right = rc.left + 10;
                rc.bottom = rc.top + 5;
                history.BeginStep(image, &rc);
                Scribble(image, rc, rng);
                live = imagetest::Bits(image);
                break;
            }
            case 'u':
            {
                const bool bExpected = model.Undo(live);
                EXPECT_EQ(bExpected, history.Undo(image) != FALSE);
                break;
            }
            case 'r':
            {
                const bool bExpected = model.Redo(live);
                EXPECT_EQ(bExpected, history.Redo(image) != FALSE);
                break;
            }
            case 'x':
                model.Clear();
                history.Clear();
                break;
            default:
                model.nMax = *p - '0';
                history.SetMaxSteps(model.nMax);
                break;
            }
            EXPECT_EQ(live, imagetest::Bits(image)) << "after " << *p;
            EXPECT_EQ((int)model.list.size(), history.GetCount()) << "after " << *p;
            EXPECT_EQ(model.CanUndo(), history.CanUndo() != FALSE) << "after " << *p;
            EXPECT_EQ(model.CanRedo(), history.CanRedo() != FALSE) << "after " << *p;
        }
    }
}

TEST(PntHistory, RestoreRectPutsBackOnlyThePixelsOfTheRect)
{
    for (int nBits : { 1, 4, 8, 24 })
    {
        SCOPED_TRACE(nBits);
        const int cx = 40, cy = 12;
        CDIBSection image;
        ASSERT_TRUE(MakeImage(image, cx, cy, nBits));
        std::mt19937 rng(nBits);
        Scribble(image, CRect(0, 0, cx, cy), rng);
        const Bytes before = imagetest::Bits(image);

        // Two figures sharing bytes and a tile; the first is taken back.
        Bytes expected = before;
        CPntHistory history;
        const CRect rcFirst(3, 2, 9, 7), rcSecond(9, 4, 14, 10);
        ASSERT_TRUE(history.BeginStep(image, &rcFirst));
        Scribble(image, rcFirst, rng, &expected);
        ASSERT_TRUE(history.Extend(image, rcSecond));
        Scribble(image, rcSecond, rng, &expected);
        ASSERT_TRUE(history.RestoreRect(image, rcFirst));
        CopyPixels(expected, before, rcFirst, cx, cy, nBits);
        EXPECT_EQ(expected, imagetest::Bits(image));

        // The step is still open: undo takes the whole change back, redo brings it again.
        const Bytes after = imagetest::Bits(image);
        ASSERT_TRUE(history.Undo(image));
        EXPECT_EQ(before, imagetest::Bits(image));
        ASSERT_TRUE(history.Redo(image));
        EXPECT_EQ(after, imagetest::Bits(image));
        // A step that undo has closed grows no more.
        ASSERT_TRUE(history.Undo(image));
        EXPECT_FALSE(history.Extend(image, rcFirst));
        EXPECT_FALSE(history.RestoreRect(image, rcFirst));
    }
}

TEST(PntHistory, WholeStepsFollowSizeAndDepthChanges)
{
    CDIBSection image;
    ASSERT_TRUE(MakeImage(image, 70, 50, 24));
    std::mt19937 rng(3);
    Scribble(image, CRect(0, 0, 70, 50), rng);
    const Bytes before = imagetest::Bits(image);

    // Declared as an area, then found to change the size as well.
    CPntHistory history;
    const CRect rc(5, 5, 30, 20);
    ASSERT_TRUE(history.BeginStep(image, &rc));
    Scribble(image, rc, rng);
    ASSERT_TRUE(history.ExtendWhole(image));
    ASSERT_TRUE(image.Resize(90, 40, 1, 8));
    const Bytes resized = imagetest::Bits(image);

    CRect rcChanged;
    ASSERT_TRUE(history.Undo(image, &rcChanged));
    EXPECT_EQ(CSize(70, 50), image.GetSize());
    EXPECT_EQ(24, image.GetBitCount());
    EXPECT_EQ(before, imagetest::Bits(image));
    EXPECT_EQ(CRect(0, 0, 90, 50), rcChanged);
    ASSERT_TRUE(history.Redo(image));
    EXPECT_EQ(CSize(90, 40), image.GetSize());
    EXPECT_EQ(8, image.GetBitCount());
    EXPECT_EQ(resized, imagetest::Bits(image));
}

TEST(PntHistory, AStepRefusesAnImageOfAnotherLayout)
{
    CDIBSection image;
    ASSERT_TRUE(MakeImage(image, 100, 100, 32));
    CPntHistory history;
    const CRect rc(10, 10, 20, 20);
    ASSERT_TRUE(history.BeginStep(image, &rc));
    std::mt19937 rng(5);
    Scribble(image, rc, rng);

    // Replaced behind the history's back by a smaller picture: nothing is swapped into it.
    ASSERT_TRUE(MakeImage(image, 8, 8, 32));
    const Bytes small = imagetest::Bits(image);
    EXPECT_FALSE(history.Undo(image));
    EXPECT_EQ(small, imagetest::Bits(image));
    EXPECT_FALSE(history.Redo(image));
}

TEST(PntHistory, UndoReportsTheAreaThatChanged)
{
    CDIBSection image;
    ASSERT_TRUE(MakeImage(image, 300, 200, 8));
    CPntHistory history;
    const CRect rc(70, 10, 80, 20);
    ASSERT_TRUE(history.BeginStep(image, &rc));
    CRect rcChanged;
    ASSERT_TRUE(history.Undo(image, &rcChanged));
    // The area is whole tiles around rc; rows are counted from the bottom of the image.
    EXPECT_TRUE(rcChanged.PtInRect(CPoint(70, 10)) && rcChanged.PtInRect(CPoint(79, 19)));
    EXPECT_LE(rcChanged.Width() * rcChanged.Height(), 2 * 64 * 64);
    ASSERT_TRUE(history.Redo(image, &rcChanged));
    EXPECT_TRUE(rcChanged.PtInRect(CPoint(70, 10)) && rcChanged.PtInRect(CPoint(79, 19)));
}

TEST(PntHistory, ASmallStepOnABigImageHoldsLittle)
{
    CDIBSection image;
    ASSERT_TRUE(MakeImage(image, 4096, 4096, 32));
    const SIZE_T nImageBytes = (SIZE_T)4096 * 4096 * 4;
    CPntHistory history;
    std::mt19937 rng(11);
    for (int n = 0; n < 5; n++)
    {
        const CRect rc(500 + 700 * n, 300 + 600 * n, 600 + 700 * n, 400 + 600 * n);
        ASSERT_TRUE(history.BeginStep(image, &rc));
        Scribble(image, rc, rng);
    }
    EXPECT_EQ(5, history.GetCount());
    EXPECT_GT(history.GetMemoryUsed(), (SIZE_T)5 * 100 * 100 * 4);   // at least the pixels changed
    EXPECT_LT(history.GetMemoryUsed(), nImageBytes / 40);

    // The same change declared as the whole image holds a whole copy.
    ASSERT_TRUE(history.BeginStep(image, NULL));
    EXPECT_GE(history.GetMemoryUsed(), nImageBytes);
}

TEST(PntHistory, TheBudgetDropsTheOldestStepsButKeepsTheNewest)
{
    CDIBSection image;
    ASSERT_TRUE(MakeImage(image, 256, 256, 32));
    std::mt19937 rng(13);
    CPntHistory history;
    history.SetMaxSteps(10);
    EXPECT_EQ((SIZE_T)0, history.GetMemoryBudget());

    // Each change fills one 64 x 64 tile: 16384 bytes a step.
    const SIZE_T nTile = 64 * 64 * 4;
    std::vector<Bytes> states;
    for (int n = 0; n < 6; n++)
    {
        states.push_back(imagetest::Bits(image));
        const CRect rc(64 * (n % 4), 64 * (n / 4), 64 * (n % 4) + 64, 64 * (n / 4) + 64);
        ASSERT_TRUE(history.BeginStep(image, &rc));
        Scribble(image, rc, rng);
    }
    EXPECT_EQ(6, history.GetCount());   // no budget: the count decides
    EXPECT_EQ(6 * nTile, history.GetMemoryUsed());

    history.SetMemoryBudget(3 * nTile + nTile / 2);
    EXPECT_EQ(3 * nTile + nTile / 2, history.GetMemoryBudget());
    EXPECT_EQ(3, history.GetCount());
    EXPECT_EQ(3 * nTile, history.GetMemoryUsed());

    // A step bigger than the whole budget is still kept, alone.
    const Bytes beforeBig = imagetest::Bits(image);
    const CRect rcBig(0, 0, 256, 128);
    ASSERT_TRUE(history.BeginStep(image, &rcBig));
    Scribble(image, rcBig, rng);
    EXPECT_EQ(1, history.GetCount());
    ASSERT_TRUE(history.Undo(image));
    EXPECT_EQ(beforeBig, imagetest::Bits(image));
    EXPECT_FALSE(history.Undo(image));

    // Back to no budget: the steps kept under it still undo exactly.
    history.SetMemoryBudget(0);
    ASSERT_TRUE(history.Redo(image));
    const Bytes state = imagetest::Bits(image);
    for (int n = 0; n < 3; n++)
    {
        const CRect rc(10 * n, 200, 10 * n + 5, 205);
        ASSERT_TRUE(history.BeginStep(image, &rc));
        Scribble(image, rc, rng);
    }
    history.SetMemoryBudget(3 * nTile);   // the three small steps fit, the big one does not
    EXPECT_EQ(3, history.GetCount());
    for (int n = 0; n < 3; n++)
        ASSERT_TRUE(history.Undo(image));
    EXPECT_EQ(state, imagetest::Bits(image));
    EXPECT_FALSE(history.Undo(image));
}

TEST(PntHistory, AWholeStepGivesBackAChangedColourTable)
{
    CDIBSection image;
    ASSERT_TRUE(MakeImage(image, 50, 30, 8));
    std::mt19937 rng(17);
    Scribble(image, CRect(0, 0, 50, 30), rng);
    const Bytes before = imagetest::Bits(image);
    const std::vector<RGBQUAD> tableBefore = imagetest::SectionColourTable(image);
    ASSERT_EQ(256u, tableBefore.size());

    // Same size and depth, another colour table and other pixels.
    CPntHistory history;
    ASSERT_TRUE(history.BeginStep(image, NULL));
    std::vector<RGBQUAD> table = tableBefore;
    table[0] = RGBQUAD{ 1, 2, 3, 0 };
    ASSERT_TRUE(image.SetColorTable((UINT)table.size(), table.data()));
    Scribble(image, CRect(10, 10, 20, 20), rng);
    const Bytes after = imagetest::Bits(image);
    ASSERT_EQ(0, memcmp(&table[0], &imagetest::SectionColourTable(image)[0], sizeof(RGBQUAD)));

    ASSERT_TRUE(history.Undo(image));
    EXPECT_EQ(before, imagetest::Bits(image));
    const std::vector<RGBQUAD> tableUndone = imagetest::SectionColourTable(image);
    ASSERT_EQ(tableBefore.size(), tableUndone.size());
    EXPECT_EQ(0, memcmp(tableBefore.data(), tableUndone.data(), tableBefore.size() * sizeof(RGBQUAD)));
    ASSERT_TRUE(history.Redo(image));
    EXPECT_EQ(after, imagetest::Bits(image));
}
