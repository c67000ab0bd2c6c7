// The palette view: the grid of cells read back from the screen, the count text and the
// readout that follows the mouse.
#include <gtest/gtest.h>
#include <memory>
#include <vector>
#include "DialogDriver.h"
#include "common/Screenshot.h"
#include "dialogs/PntPaletteViewDlg.h"
#include "resources/resource.h"

using testenv::ItemText;
using dlgtest::RunModal;

namespace
{
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kWhite = RGB(255, 255, 255);

// n entries of distinct colours, none black, white or grey.
std::vector<PALETTEENTRY> MakeEntries(int n)
{
    std::vector<PALETTEENTRY> entries(n);
    for (int i = 0; i < n; i++)
        entries[i] = {(BYTE)(20 + i * 9), (BYTE)(200 - i * 5), (BYTE)(60 + (i * 37) % 120), 0};
    return entries;
}

std::unique_ptr<CPalette> MakePalette(const std::vector<PALETTEENTRY>& entries)
{
    std::vector<BYTE> buffer(sizeof(LOGPALETTE) + entries.size() * sizeof(PALETTEENTRY));
    LOGPALETTE* pLog = (LOGPALETTE*)buffer.data();
    pLog->palVersion = 0x300;
    pLog->palNumEntries = (WORD)entries.size();
    memcpy(pLog->palPalEntry, entries.data(), entries.size() * sizeof(PALETTEENTRY));
    std::unique_ptr<CPalette> pPalette(new CPalette);
    pPalette->CreatePalette(pLog);
    return pPalette;
}

// The cells as the dialog shows them: 16 columns over the frame's area, 16 row spaces.
struct Grid
{
    explicit Grid(HWND hDlg)
    {
        HWND hFrame = ::GetDlgItem(hDlg, IDC_PNT_PALETTE_FRAME);
        ::GetClientRect(hFrame, &rc);
        ::MapWindowPoints(hFrame, hDlg, (LPPOINT)&rc, 2);
        cell = CSize(rc.Width() / 16, rc.Height() / 16);
    }
    CRect Cell(int i) const
    {
        CRect r(0, 0, cell.cx, cell.cy);
        r.OffsetRect(rc.left + (i % 16) * cell.cx, rc.top + (i / 16) * cell.cy);
        return r;
    }
    CRect rc;
    CSize cell;
};

COLORREF Pixel(HWND hDlg, int x, int y)
{
    HDC hDC = ::GetDC(hDlg);
    COLORREF cr = ::GetPixel(hDC, x, y);
    ::ReleaseDC(hDlg, hDC);
    return cr;
}
COLORREF Centre(HWND hDlg, const CRect& r) { return Pixel(hDlg, r.CenterPoint().x, r.CenterPoint().y); }
COLORREF Outline(HWND hDlg, const CRect& r) { return Pixel(hDlg, r.left, r.top + r.Height() / 2); }

void MoveMouse(HWND hDlg, CPoint pt) { ::SendMessage(hDlg, WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y)); }

std::string Readout(const PALETTEENTRY& e)
{
    return "RGB: " + std::to_string(e.peRed) + ", " + std::to_string(e.peGreen) + ", " + std::to_string(e.peBlue);
}
}

TEST(PntPaletteViewDlg, SixteenColoursFillTheFirstRowOnly)
{
    std::vector<PALETTEENTRY> entries = MakeEntries(16);
    std::unique_ptr<CPalette> pPalette = MakePalette(entries);
    CPntPaletteViewDlg dlg(NULL, pPalette.get());
    EXPECT_EQ(pPalette.get(), dlg.GetPalette());
    EXPECT_EQ(IDOK, RunModal(dlg, [&](HWND hDlg) {
                  EXPECT_EQ("16 colors", ItemText(hDlg, IDC_PNT_PALETTE_COUNT));
                  EXPECT_EQ("", ItemText(hDlg, IDC_PNT_PALETTE_READOUT));
                  EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(hDlg, IDC_PNT_PALETTE_FRAME)));
                  Grid grid(hDlg);
                  ASSERT_GT(grid.cell.cx, 2);
                  ASSERT_GT(grid.cell.cy, 2);
                  for (int i : {0, 1, 7, 15})
                  {
                      const PALETTEENTRY& e = entries[i];
                      EXPECT_EQ(RGB(e.peRed, e.peGreen, e.peBlue), Centre(hDlg, grid.Cell(i))) << "cell " << i;
                      EXPECT_EQ(kBlack, Outline(hDlg, grid.Cell(i))) << "cell " << i;
                  }
                  for (int i : {16, 31, 100, 255})
                      EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), Centre(hDlg, grid.Cell(i))) << "cell " << i;
                  testenv::Click(hDlg, IDOK);
              }));
}

TEST(PntPaletteViewDlg, MouseMovesHighlightTheCellUnderThePointer)
{
    std::vector<PALETTEENTRY> entries = MakeEntries(20);
    std::unique_ptr<CPalette> pPalette = MakePalette(entries);
    CPntPaletteViewDlg dlg(NULL, pPalette.get());
    RunModal(dlg, [&](HWND hDlg) {
        Grid grid(hDlg);
        EXPECT_EQ("20 colors", ItemText(hDlg, IDC_PNT_PALETTE_COUNT));

        MoveMouse(hDlg, grid.Cell(17).CenterPoint());
        EXPECT_EQ(Readout(entries[17]), ItemText(hDlg, IDC_PNT_PALETTE_READOUT));
        EXPECT_EQ(kWhite, Outline(hDlg, grid.Cell(17)));
        ::RedrawWindow(hDlg, NULL, NULL, RDW_UPDATENOW | RDW_ALLCHILDREN);
        testenv::SaveWindowBitmap(hDlg, "palette-view.bmp");

        MoveMouse(hDlg, grid.Cell(5).TopLeft() + CPoint(1, 1));
        EXPECT_EQ(Readout(entries[5]), ItemText(hDlg, IDC_PNT_PALETTE_READOUT));
        EXPECT_EQ(kBlack, Outline(hDlg, grid.Cell(17)));
        EXPECT_EQ(kWhite, Outline(hDlg, grid.Cell(5)));

        // Outside the frame: nothing changes.
        MoveMouse(hDlg, CPoint(grid.rc.right + 1, grid.rc.top + 1));
        EXPECT_EQ(Readout(entries[5]), ItemText(hDlg, IDC_PNT_PALETTE_READOUT));
        EXPECT_EQ(kWhite, Outline(hDlg, grid.Cell(5)));

        // The empty part of the last row: the highlight goes, the readout stays.
        MoveMouse(hDlg, grid.Cell(30).CenterPoint());
        EXPECT_EQ(Readout(entries[5]), ItemText(hDlg, IDC_PNT_PALETTE_READOUT));
        EXPECT_EQ(kBlack, Outline(hDlg, grid.Cell(5)));
        EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), Centre(hDlg, grid.Cell(30)));

        // Below the rows in use: the readout is emptied.
        MoveMouse(hDlg, grid.Cell(40).CenterPoint());
        EXPECT_EQ("", ItemText(hDlg, IDC_PNT_PALETTE_READOUT));
        testenv::Click(hDlg, IDOK);
    });
}

TEST(PntPaletteViewDlg, WithoutAPaletteTheGridIsEmptyAndNoCountShown)
{
    CPntPaletteViewDlg dlg;
    EXPECT_FALSE(dlg.DrawPalette());
    RunModal(dlg, [&](HWND hDlg) {
        EXPECT_EQ("", ItemText(hDlg, IDC_PNT_PALETTE_COUNT));
        Grid grid(hDlg);
        EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), Centre(hDlg, grid.Cell(0)));
        MoveMouse(hDlg, grid.Cell(0).CenterPoint());
        EXPECT_EQ("", ItemText(hDlg, IDC_PNT_PALETTE_READOUT));
        EXPECT_FALSE(dlg.DrawPalette());
        testenv::Click(hDlg, IDOK);
    });
}
