// Flood fill of CDIBSection: the 4-connected region of pixels holding exactly the seed pixel's
// value is painted with the value that GDI gives a solid brush of the colour, at every depth.
#include "ImageTestSupport.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <deque>

using namespace imagetest;

namespace
{
// A picture as text: '.' the seed value, '#' a wall, 'o' a value close to the seed's colour.
typedef std::vector<std::string> Picture;

const Picture kSpiral = {
    "..........#.............",
    ".########.#.##########..",
    ".#......#.#.#........#..",
    ".#.####.#...#.######.#..",
    ".#.#..#.#####.#....#.#..",
    ".#.#.o#.......#.##.#.#..",
    ".#.#.##########.#..#.#..",
    ".#.#............#.##.#..",
    ".#.##############.#..#..",
    ".#................#.#...",
    ".##################.#.#.",
    "...................#.#.#",
    "##########.#########.#..",
    "o.........#..........#.#",
};

// Random walls, the same on every run, with the middle pixel of the seed value.
Picture RandomPicture(int cx, int cy, unsigned nSeed)
{
    Picture picture(cy, std::string(cx, '.'));
    for (auto& row : picture)
        for (char& c : row)
        {
            nSeed = nSeed * 1103515245u + 12345u;
            c = (nSeed >> 16) % 100 < 38 ? '#' : (nSeed >> 16) % 100 < 41 ? 'o' : '.';
        }
    picture[cy / 2][cx / 2] = '.';
    return picture;
}

// Raw values of '.', '#' and 'o', the colour to fill with and the value it must give; for
// palettised images a table entry whose colour appears nowhere else in the table.
struct Values
{
    DWORD dwSeed, dwWall, dwOther;
    COLORREF crFill;
    DWORD dwFill;
};

Values ValuesFor(CDIBSection& img)
{
    switch (img.GetBitCount())
    {
    case 1: return Values{1, 0, 0, RGB(0, 0, 0), 0};
    case 16: return Values{0x7FFF, 0x0000, 0x7FFE, RGB(0, 255, 0), 0x03E0};
    case 24:
    case 32: return Values{0xFFFFFF, 0x000000, 0xFFFFFE, RGB(10, 20, 30), 0x0A141E};
    }
    const std::vector<COLORREF> table = SectionColours(img);
    for (int i = 4; i < (int)table.size(); i++)
        if (std::count(table.begin(), table.end(), table[i]) == 1)
            return Values{2, 0, 3, table[i], (DWORD)i};
    return Values{2, 0, 3, 0, (DWORD)-1};
}

void Paint(CDIBSection& img, const Picture& picture, const Values& v)
{
    for (int y = 0; y < (int)picture.size(); y++)
        for (int x = 0; x < (int)picture[y].size(); x++)
            SetRawPixel(img, x, y, picture[y][x] == '#' ? v.dwWall : (picture[y][x] == 'o' ? v.dwOther : v.dwSeed));
}

// The raw pixels expected after filling from pt: a breadth-first search over the picture.
std::vector<DWORD> Expected(CDIBSection& img, const Picture& picture, CPoint pt, DWORD dwFill)
{
    const int cx = (int)picture[0].size(), cy = (int)picture.size();
    std::vector<DWORD> pixels = RawPixels(img);
    std::vector<bool> seen(cx * cy, false);
    std::deque<CPoint> queue = {pt};
    for (seen[pt.y * cx + pt.x] = true; !queue.empty(); queue.pop_front())
    {
        const CPoint p = queue.front();
        pixels[p.y * cx + p.x] = dwFill;
        for (CPoint n : {CPoint(p.x + 1, p.y), CPoint(p.x - 1, p.y), CPoint(p.x, p.y + 1), CPoint(p.x, p.y - 1)})
            if (n.x >= 0 && n.y >= 0 && n.x < cx && n.y < cy && !seen[n.y * cx + n.x] &&
                picture[n.y][n.x] == picture[pt.y][pt.x])
            {
                seen[n.y * cx + n.x] = true;
                queue.push_back(n);
            }
    }
    return pixels;
}

// Fills a copy of img with GDI's own surface fill and img with FloodFill, and gives their times.
std::pair<double, double> FillBesideGdi(CDIBSection& img, CPoint pt, COLORREF cr)
{
    CDIBSection gdi;
    EXPECT_TRUE(gdi.Copy(img));
    CDC* pDC = gdi.GetMemoryDC();
    CBrush brush(cr);
    CBrush* pOldBrush = pDC->SelectObject(&brush);
    LARGE_INTEGER t[3], freq;
    ::QueryPerformanceCounter(&t[0]);
    EXPECT_TRUE(pDC->ExtFloodFill(pt.x, pt.y, pDC->GetPixel(pt), FLOODFILLSURFACE));
    ::GdiFlush();
    ::QueryPerformanceCounter(&t[1]);
    EXPECT_TRUE(img.FloodFill(pt, cr));
    ::QueryPerformanceCounter(&t[2]);
    pDC->SelectObject(pOldBrush);
    gdi.ReleaseMemoryDC();
    EXPECT_EQ(0, memcmp(gdi.GetDIBits(), img.GetDIBits(), img.GetImageSize()));
    ::QueryPerformanceFrequency(&freq);
    return {double(t[1].QuadPart - t[0].QuadPart) / freq.QuadPart, double(t[2].QuadPart - t[1].QuadPart) / freq.QuadPart};
}

class FloodFillDepthTest : public ::testing::TestWithParam<int>
{
};
}

TEST_P(FloodFillDepthTest, FillsExactlyTheConnectedRegionOfTheSeedValue)
{
    // Into the spiral, which turns back on itself several times, then the outer area that
    // touches every edge; then irregular areas of random walls.
    std::vector<std::pair<Picture, CPoint>> fills = {{kSpiral, {5, 4}}, {kSpiral, {0, 0}}};
    for (unsigned nSeed = 1; nSeed <= 4; nSeed++)
        fills.push_back({RandomPicture(37, 23, nSeed), {18, 11}});
    CDIBSection img;
    for (size_t i = 0; i < fills.size(); i++)
    {
        SCOPED_TRACE(i);
        const Picture& picture = fills[i].first;
        if (i != 1)   // the outer area of the spiral is filled on the same image
        {
            ASSERT_TRUE(img.CreateBitmap((int)picture[0].size(), (int)picture.size(), 1, GetParam()));
            Paint(img, picture, ValuesFor(img));
        }
        const Values v = ValuesFor(img);
        ASSERT_NE(v.dwFill, (DWORD)-1);
        const std::vector<DWORD> expected = Expected(img, picture, fills[i].second, v.dwFill);
        ASSERT_TRUE(img.FloodFill(fills[i].second, v.crFill));
        EXPECT_TRUE(IsFree(img));
        EXPECT_EQ(expected, RawPixels(img));
    }
}

TEST_P(FloodFillDepthTest, RefusesPointsOutsideAndLeavesARegionOfTheColourAsItIs)
{
    CDIBSection img;
    ASSERT_TRUE(img.CreateBitmap(9, 5, 1, GetParam()));
    ASSERT_TRUE(img.DrawLine(CPoint(5, 0), CPoint(5, 4), 1, RGB(0, 0, 0)));
    const std::vector<DWORD> before = RawPixels(img);
    for (CPoint pt : {CPoint(-1, 0), CPoint(0, -1), CPoint(9, 0), CPoint(0, 5)})
        EXPECT_FALSE(img.FloodFill(pt, RGB(0, 0, 0))) << pt.x << "," << pt.y;
    EXPECT_TRUE(img.FloodFill(CPoint(2, 2), RGB(255, 255, 255)));
    EXPECT_EQ(before, RawPixels(img));
    EXPECT_TRUE(IsFree(img));
}

INSTANTIATE_TEST_SUITE_P(EveryDepth, FloodFillDepthTest, ::testing::Values(1, 4, 8, 16, 24, 32),
                         [](const ::testing::TestParamInfo<int>& info) { return std::to_string(info.param) + "bpp"; });

TEST(FloodFillTest, EqualsGdiSurfaceFillAndIsAsFast)
{
    // Seed white and wall black, the first table entries of those colours, which GDI picks
    // for them; the fill colour is not in the table, so GDI picks the value.
    CDIBSection img;
    ASSERT_TRUE(img.CreateBitmap(64, 64, 1, 8));
    const std::vector<COLORREF> table = QuadColours(img.GetColorTable(), 256);
    const DWORD dwWhite = std::find(table.begin(), table.end(), RGB(255, 255, 255)) - table.begin();
    const DWORD dwBlack = std::find(table.begin(), table.end(), RGB(0, 0, 0)) - table.begin();
    Paint(img, RandomPicture(64, 64, 7), Values{dwWhite, dwBlack, 3, 0, 0});
    FillBesideGdi(img, CPoint(32, 32), RGB(100, 150, 200));

    // An open area: generous against a busy machine, yet far below a per-pixel GDI approach.
    ASSERT_TRUE(img.CreateBitmap(4096, 4096, 1, 24));
    const std::pair<double, double> seconds = FillBesideGdi(img, CPoint(2048, 2048), RGB(0, 128, 255));
    printf("open 4096x4096 fill: ExtFloodFill %.3f s, FloodFill %.3f s\n", seconds.first, seconds.second);
    EXPECT_LT(seconds.second, seconds.first * 1.5 + 0.05);
}

TEST(FloodFillTest, FillsAWindingSerpentineCompletely)
{
    // One-pixel walls in every odd column, each open at the top or the bottom in turn: GDI's
    // own fill ends the process on this. Every corridor pixel and every gap turns red.
    const int n = 4096;
    CDIBSection img;
    ASSERT_TRUE(img.CreateBitmap(n, n, 1, 24));
    ::GdiFlush();
    for (int y = 0; y < n; y++)
        for (int x = 1; x < n; x += 2)
            PutRowPixel(RowOf(img, y), x, 24, y == ((x / 2) % 2 == 0 ? 0 : n - 1) ? 0xFFFFFF : 0);
    ASSERT_TRUE(img.FloodFill(CPoint(0, 0), RGB(255, 0, 0)));
    long long nRed = 0, nBlack = 0;
    ::GdiFlush();
    for (int y = 0; y < n; y++)
        for (int x = 0; x < n; x++)
        {
            const DWORD v = RowPixel(RowOf(img, y), x, 24);
            nRed += v == 0xFF0000;
            nBlack += v == 0;
        }
    EXPECT_EQ((long long)(n / 2) * n + n / 2, nRed);
    EXPECT_EQ((long long)(n / 2) * (n - 1), nBlack);
}
