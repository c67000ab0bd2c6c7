// Flood fill of CDIBSection: the 4-connected region of pixels holding exactly the seed pixel's
// value is painted with the value that GDI gives a solid brush of the colour, at every depth.
#include "ImageTestSupport.h"
#include <gtest/gtest.h>
#include <deque>
#include <stdio.h>
#include <string>

using namespace imagetest;

namespace
{
// Raw pixel values of one test at one bit depth.
struct Values
{
    DWORD dwSeed;   // the region's value
    DWORD dwWall;
    DWORD dwOther;  // close to the seed's colour, but not the same value
    COLORREF crFill;
    DWORD dwFill;   // what the fill must write
};

// Index of the first table entry whose colour appears nowhere else in the table.
int UniqueEntry(const std::vector<RGBQUAD>& table, int nFirst)
{
    for (int i = nFirst; i < (int)table.size(); i++)
    {
        int nSame = 0;
        for (const RGBQUAD& q : table)
            if (QuadColour(q) == QuadColour(table[i]))
                nSame++;
        if (nSame == 1)
            return i;
    }
    return -1;
}

Values ValuesFor(CDIBSection& img)
{
    switch (img.GetBitCount())
    {
    case 1:
        return Values{1, 0, 0, RGB(0, 0, 0), 0};
    case 4:
    case 8:
    {
        std::vector<RGBQUAD> table = SectionColourTable(img);
        int nFill = UniqueEntry(table, 4);
        return Values{2, 0, 3, QuadColour(table[nFill]), (DWORD)nFill};
    }
    case 16:
        return Values{0x7FFF, 0x0000, 0x7FFE, RGB(0, 255, 0), 0x03E0};
    default:
        return Values{0xFFFFFF, 0x000000, 0xFFFFFE, RGB(10, 20, 30), 0x0A141E};
    }
}

// A picture as text: '.' the seed value, '#' a wall, 'o' the other value.
typedef std::vector<std::string> Picture;

const Picture kShapes = {
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

// Random walls, the same on every run.
Picture RandomPicture(int cx, int cy, unsigned nSeed)
{
    Picture picture(cy, std::string(cx, '.'));
    unsigned state = nSeed;
    for (int y = 0; y < cy; y++)
        for (int x = 0; x < cx; x++)
        {
            state = state * 1103515245u + 12345u;
            unsigned r = (state >> 16) % 100;
            picture[y][x] = r < 38 ? '#' : (r < 41 ? 'o' : '.');
        }
    return picture;
}

void Paint(CDIBSection& img, const Picture& picture, const Values& v)
{
    for (int y = 0; y < (int)picture.size(); y++)
        for (int x = 0; x < (int)picture[y].size(); x++)
        {
            char c = picture[y][x];
            SetRawPixel(img, x, y, c == '#' ? v.dwWall : (c == 'o' ? v.dwOther : v.dwSeed));
        }
}

// The raw pixels expected after filling from (x0, y0): a breadth-first search over the picture.
std::vector<DWORD> Expected(CDIBSection& img, const Picture& picture, int x0, int y0, DWORD dwFill)
{
    const int cx = (int)picture[0].size(), cy = (int)picture.size();
    std::vector<DWORD> pixels = RawPixels(img);
    std::vector<bool> seen(cx * cy, false);
    const char c0 = picture[y0][x0];
    std::deque<std::pair<int, int>> queue;
    queue.push_back(std::make_pair(x0, y0));
    seen[y0 * cx + x0] = true;
    while (!queue.empty())
    {
        int x = queue.front().first, y = queue.front().second;
        queue.pop_front();
        pixels[y * cx + x] = dwFill;
        const int dx[] = {1, -1, 0, 0}, dy[] = {0, 0, 1, -1};
        for (int i = 0; i < 4; i++)
        {
            int nx = x + dx[i], ny = y + dy[i];
            if (nx < 0 || ny < 0 || nx >= cx || ny >= cy || seen[ny * cx + nx] || picture[ny][nx] != c0)
                continue;
            seen[ny * cx + nx] = true;
            queue.push_back(std::make_pair(nx, ny));
        }
    }
    return pixels;
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER freq;
    ::QueryPerformanceFrequency(&freq);
    return double(to.QuadPart - from.QuadPart) / double(freq.QuadPart);
}

// A plain DIB section with the image's header, colour table and bits, in its own memory DC.
class CPlainCopy
{
public:
    explicit CPlainCopy(CDIBSection& img)
    {
        m_hdc = ::CreateCompatibleDC(NULL);
        void* pBits = NULL;
        m_hBitmap = ::CreateDIBSection(m_hdc, img.GetBitmapInfo(), DIB_RGB_COLORS, &pBits, NULL, 0);
        m_hOld = ::SelectObject(m_hdc, m_hBitmap);
        std::vector<RGBQUAD> table = SectionColourTable(img);
        if (!table.empty())
            ::SetDIBColorTable(m_hdc, 0, (UINT)table.size(), table.data());
        ::GdiFlush();
        memcpy(pBits, img.GetDIBits(), img.GetImageSize());
        m_pBits = (BYTE*)pBits;
        m_nSize = img.GetImageSize();
    }
    ~CPlainCopy()
    {
        ::SelectObject(m_hdc, m_hOld);
        ::DeleteDC(m_hdc);
        ::DeleteObject(m_hBitmap);
    }
    // GDI's own surface fill with a solid brush of cr.
    BOOL GdiFill(int x, int y, COLORREF cr)
    {
        HBRUSH hBrush = ::CreateSolidBrush(cr);
        HGDIOBJ hOldBrush = ::SelectObject(m_hdc, hBrush);
        BOOL bResult = ::ExtFloodFill(m_hdc, x, y, ::GetPixel(m_hdc, x, y), FLOODFILLSURFACE);
        ::SelectObject(m_hdc, hOldBrush);
        ::DeleteObject(hBrush);
        ::GdiFlush();
        return bResult;
    }
    bool SameBits(CDIBSection& img) const
    {
        ::GdiFlush();
        return memcmp(m_pBits, img.GetDIBits(), m_nSize) == 0;
    }

private:
    HDC m_hdc;
    HBITMAP m_hBitmap;
    HGDIOBJ m_hOld;
    BYTE* m_pBits = NULL;
    size_t m_nSize = 0;
};

class FloodFillDepthTest : public ::testing::TestWithParam<int>
{
};
}

TEST_P(FloodFillDepthTest, FillsExactlyTheConnectedRegionOfTheSeedValue)
{
    const int nBits = GetParam();
    CDIBSection img;
    ASSERT_TRUE(img.CreateBitmap((int)kShapes[0].size(), (int)kShapes.size(), 1, nBits));
    const Values v = ValuesFor(img);
    ASSERT_NE(v.dwFill, (DWORD)-1);
    Paint(img, kShapes, v);

    // Into the spiral, which turns back on itself several times.
    std::vector<DWORD> expected = Expected(img, kShapes, 5, 4, v.dwFill);
    ASSERT_TRUE(img.FloodFill(CPoint(5, 4), v.crFill));
    EXPECT_TRUE(IsFree((HBITMAP)img));
    EXPECT_EQ(expected, RawPixels(img));

    // The outer area touches every edge of the image.
    expected = Expected(img, kShapes, 0, 0, v.dwFill);
    ASSERT_TRUE(img.FloodFill(CPoint(0, 0), v.crFill));
    EXPECT_EQ(expected, RawPixels(img));
}

TEST_P(FloodFillDepthTest, FillsIrregularAreasLikeASearchWould)
{
    const int nBits = GetParam();
    const int cx = 37, cy = 23;
    for (unsigned nSeed = 1; nSeed <= 4; nSeed++)
    {
        CDIBSection img;
        ASSERT_TRUE(img.CreateBitmap(cx, cy, 1, nBits));
        const Values v = ValuesFor(img);
        Picture picture = RandomPicture(cx, cy, nSeed);
        picture[cy / 2][cx / 2] = '.';
        Paint(img, picture, v);
        std::vector<DWORD> expected = Expected(img, picture, cx / 2, cy / 2, v.dwFill);
        ASSERT_TRUE(img.FloodFill(CPoint(cx / 2, cy / 2), v.crFill));
        EXPECT_EQ(expected, RawPixels(img)) << "seed " << nSeed;
    }
}

TEST_P(FloodFillDepthTest, RefusesPointsOutsideTheImage)
{
    CDIBSection img;
    ASSERT_TRUE(img.CreateBitmap(9, 5, 1, GetParam()));
    std::vector<DWORD> before = RawPixels(img);
    EXPECT_FALSE(img.FloodFill(CPoint(-1, 0), RGB(0, 0, 0)));
    EXPECT_FALSE(img.FloodFill(CPoint(0, -1), RGB(0, 0, 0)));
    EXPECT_FALSE(img.FloodFill(CPoint(9, 0), RGB(0, 0, 0)));
    EXPECT_FALSE(img.FloodFill(CPoint(0, 5), RGB(0, 0, 0)));
    EXPECT_EQ(before, RawPixels(img));
    EXPECT_TRUE(IsFree((HBITMAP)img));
}

INSTANTIATE_TEST_SUITE_P(EveryDepth, FloodFillDepthTest, ::testing::Values(1, 4, 8, 16, 24, 32),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return std::to_string(info.param) + "bpp";
                         });

TEST(FloodFillTest, RegionAlreadyOfTheColourStaysAsItIs)
{
    const int depths[] = {8, 24};
    for (int nBits : depths)
    {
        CDIBSection img;
        ASSERT_TRUE(img.CreateBitmap(20, 10, 1, nBits));
        ASSERT_TRUE(img.DrawLine(CPoint(5, 0), CPoint(5, 9), 1, RGB(0, 0, 0)));
        std::vector<DWORD> before = RawPixels(img);
        EXPECT_TRUE(img.FloodFill(CPoint(2, 2), RGB(255, 255, 255))) << nBits;
        EXPECT_EQ(before, RawPixels(img)) << nBits;
    }
}

TEST(FloodFillTest, EmptyImageIsRefused)
{
    CDIBSection img;
    EXPECT_FALSE(img.FloodFill(CPoint(0, 0), RGB(1, 2, 3)));
}

TEST(FloodFillTest, EqualsGdiSurfaceFillOnASmallArea)
{
    const int depths[] = {8, 24};
    for (int nBits : depths)
    {
        CDIBSection img;
        ASSERT_TRUE(img.CreateBitmap(64, 64, 1, nBits));
        Picture picture = RandomPicture(64, 64, 7);
        picture[32][32] = '.';
        Values v = ValuesFor(img);
        if (nBits == 8)
        {
            // Seed white and wall black: the first table entries of those colours, which GDI
            // picks for them.
            std::vector<RGBQUAD> table = SectionColourTable(img);
            v.dwSeed = v.dwWall = (DWORD)-1;
            for (int i = 0; i < (int)table.size(); i++)
            {
                if (QuadColour(table[i]) == RGB(255, 255, 255) && v.dwSeed == (DWORD)-1)
                    v.dwSeed = i;
                if (QuadColour(table[i]) == RGB(0, 0, 0) && v.dwWall == (DWORD)-1)
                    v.dwWall = i;
            }
            ASSERT_NE((DWORD)-1, v.dwSeed);
            ASSERT_NE((DWORD)-1, v.dwWall);
        }
        Paint(img, picture, v);

        // A colour that is not in the colour table: GDI picks the value.
        const COLORREF crFill = RGB(100, 150, 200);
        CPlainCopy gdi(img);
        ASSERT_TRUE(gdi.GdiFill(32, 32, crFill)) << nBits;
        ASSERT_TRUE(img.FloodFill(CPoint(32, 32), crFill)) << nBits;
        EXPECT_TRUE(gdi.SameBits(img)) << nBits;
    }
}

TEST(FloodFillTest, FillsAWindingSerpentineCompletely)
{
    // One-pixel walls in every odd column, each open at the top or the bottom in turn.
    const int n = 4096;
    CDIBSection img;
    ASSERT_TRUE(img.CreateBitmap(n, n, 1, 24));
    ::GdiFlush();
    for (int y = 0; y < n; y++)
    {
        BYTE* row = RowOf(img, y);
        for (int x = 1; x < n; x += 2)
        {
            const int nGapRow = ((x / 2) % 2 == 0) ? 0 : n - 1;
            const BYTE b = (y == nGapRow) ? 0xFF : 0x00;
            row[3 * x] = row[3 * x + 1] = row[3 * x + 2] = b;
        }
    }

    ASSERT_TRUE(img.FloodFill(CPoint(0, 0), RGB(255, 0, 0)));

    // Every corridor pixel and every gap turns red; every wall pixel stays black.
    long long nRed = 0, nBlack = 0, nOther = 0;
    ::GdiFlush();
    for (int y = 0; y < n; y++)
    {
        const BYTE* row = RowOf(img, y);
        for (int x = 0; x < n; x++)
        {
            const BYTE* p = row + 3 * x;
            if (p[0] == 0 && p[1] == 0 && p[2] == 0xFF)
                nRed++;
            else if (p[0] == 0 && p[1] == 0 && p[2] == 0)
                nBlack++;
            else
                nOther++;
        }
    }
    const long long nWalls = n / 2;
    EXPECT_EQ((long long)(n / 2) * n + nWalls, nRed);
    EXPECT_EQ(nWalls * (n - 1), nBlack);
    EXPECT_EQ(0, nOther);
}

TEST(FloodFillTest, OpenAreaFillsAsFastAsGdi)
{
    const int n = 4096;
    CDIBSection img;
    ASSERT_TRUE(img.CreateBitmap(n, n, 1, 24));
    CPlainCopy gdi(img);

    LARGE_INTEGER t0, t1, t2;
    ::QueryPerformanceCounter(&t0);
    ASSERT_TRUE(gdi.GdiFill(n / 2, n / 2, RGB(0, 128, 255)));
    ::QueryPerformanceCounter(&t1);
    ASSERT_TRUE(img.FloodFill(CPoint(n / 2, n / 2), RGB(0, 128, 255)));
    ::QueryPerformanceCounter(&t2);

    EXPECT_TRUE(gdi.SameBits(img));
    const double dGdi = Seconds(t0, t1), dOurs = Seconds(t1, t2);
    printf("open %dx%d fill: ExtFloodFill %.3f s, FloodFill %.3f s\n", n, n, dGdi, dOurs);
    // Generous against a busy machine, yet far below a per-pixel GDI approach.
    EXPECT_LT(dOurs, dGdi * 1.5 + 0.05);
}
