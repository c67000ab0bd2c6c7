// The dimensions dialog: what it shows for given attributes, and what it returns after the
// user typed, ticked and chose.
#include <gtest/gtest.h>
#include <vector>
#include "DialogDriver.h"
#include "common/Screenshot.h"
#include "common/TestEnvironment.h"
#include "dialogs/PntBitmapResizeDlg.h"
#include "resources/resource.h"

using namespace dlgtest;
using namespace testenv;

namespace
{
std::string ComboItem(HWND hDlg, int nIndex)
{
    TCHAR text[64] = _T("");
    LRESULT nLength = ::SendDlgItemMessage(hDlg, IDC_PNT_COLOURDEPTH, CB_GETLBTEXTLEN, nIndex, 0);
    if (nLength < 0 || nLength >= (LRESULT)_countof(text))
        return "(no item or too long)";
    ::SendDlgItemMessage(hDlg, IDC_PNT_COLOURDEPTH, CB_GETLBTEXT, nIndex, (LPARAM)text);
    return std::string(CStringA(text));
}

std::string SelectedDepth(HWND hDlg)
{
    return ComboItem(hDlg, (int)::SendDlgItemMessage(hDlg, IDC_PNT_COLOURDEPTH, CB_GETCURSEL, 0, 0));
}

// The depth list, top to bottom, with the bits per pixel that each entry stands for.
struct Depth
{
    const char* pszText;
    int nBitsPerPixel;
};
const std::vector<Depth> kDepths = {{"Monochrome", 1}, {"16 Colors", 4},   {"256 Colors", 8},
                                    {"High Color", 16}, {"True Color", 24}, {"32 Bit Color", 32}};
}

TEST(PntBitmapResizeDlg, ListsTheDepthsInOrderWithSixteenColoursFirstChosen)
{
    CPntBitmapResizeDlg dlg;
    std::vector<std::string> items;
    std::string selected;
    EXPECT_EQ(IDCANCEL, RunModal(dlg, [&](HWND hDlg) {
                  int nCount = (int)::SendDlgItemMessage(hDlg, IDC_PNT_COLOURDEPTH, CB_GETCOUNT, 0, 0);
                  for (int i = 0; i < nCount; i++)
                      items.push_back(ComboItem(hDlg, i));
                  selected = SelectedDepth(hDlg);
                  Click(hDlg, IDCANCEL);
              }));
    ASSERT_EQ(kDepths.size(), items.size());
    for (size_t i = 0; i < kDepths.size(); i++)
        EXPECT_EQ(kDepths[i].pszText, items[i]) << "entry " << i;
    EXPECT_EQ("16 Colors", selected);
}

TEST(PntBitmapResizeDlg, AttributesFillTheFieldsAndSelectTheirDepth)
{
    // Unlisted depths are offered as 256 colours.
    std::vector<Depth> cases = kDepths;
    cases.push_back({"256 Colors", 2});
    cases.push_back({"256 Colors", 0});
    int nSize = 10;
    for (const Depth& c : cases)
    {
        nSize += 7;
        CPntBitmapResizeDlg dlg;
        dlg.SetAttributes(nSize, nSize * 2, c.nBitsPerPixel);
        std::string width, height, shown;
        RunModal(dlg, [&](HWND hDlg) {
            width = ItemText(hDlg, IDC_PNT_WIDTH);
            height = ItemText(hDlg, IDC_PNT_HEIGHT);
            shown = SelectedDepth(hDlg);
            Click(hDlg, IDCANCEL);
        });
        EXPECT_EQ(std::to_string(nSize), width);
        EXPECT_EQ(std::to_string(nSize * 2), height);
        EXPECT_EQ(c.pszText, shown) << c.nBitsPerPixel << " bits per pixel";
    }
}

TEST(PntBitmapResizeDlg, ChosenDepthComesBackAsBitsPerPixel)
{
    for (size_t i = 0; i < kDepths.size(); i++)
    {
        CPntBitmapResizeDlg dlg;
        ASSERT_EQ(IDOK, RunModal(dlg, [&](HWND hDlg) {
                      ::SendDlgItemMessage(hDlg, IDC_PNT_COLOURDEPTH, CB_SETCURSEL, i, 0);
                      Click(hDlg, IDOK);
                  }));
        EXPECT_EQ(kDepths[i].nBitsPerPixel, dlg.GetBitsPerPixel()) << kDepths[i].pszText;
        EXPECT_FALSE(dlg.CropToSelection());
    }
}

TEST(PntBitmapResizeDlg, CropBoxIsUsableOnlyWhenEnabled)
{
    for (BOOL bEnable : {FALSE, TRUE})
    {
        CPntBitmapResizeDlg dlg;
        if (bEnable)
            dlg.EnableCropButton(TRUE);
        BOOL bUsable = !bEnable;
        RunModal(dlg, [&](HWND hDlg) {
            bUsable = ItemEnabled(hDlg, IDC_PNT_CROP);
            Click(hDlg, IDCANCEL);
        });
        EXPECT_EQ(bEnable, bUsable);
    }
}

TEST(PntBitmapResizeDlg, TickingCropDisablesTheSizeFieldsAndKeepsTheTypedValues)
{
    CPntBitmapResizeDlg dlg;
    dlg.EnableCropButton(TRUE);
    dlg.SetAttributes(64, 48, 24);
    const int kSizeItems[] = {IDC_PNT_WIDTH_LABEL, IDC_PNT_WIDTH, IDC_PNT_HEIGHT_LABEL, IDC_PNT_HEIGHT};
    std::vector<BOOL> ticked, unticked;
    ASSERT_EQ(IDOK, RunModal(dlg, [&](HWND hDlg) {
                  Type(hDlg, IDC_PNT_WIDTH, "123");
                  Type(hDlg, IDC_PNT_HEIGHT, "45");
                  Click(hDlg, IDC_PNT_CROP);
                  for (int nID : kSizeItems)
                      ticked.push_back(ItemEnabled(hDlg, nID));
                  ::RedrawWindow(hDlg, NULL, NULL, RDW_UPDATENOW | RDW_ALLCHILDREN);
                  testenv::SaveWindowBitmap(hDlg, "bitmap-dimensions-cropped.bmp");
                  Click(hDlg, IDC_PNT_CROP);
                  for (int nID : kSizeItems)
                      unticked.push_back(ItemEnabled(hDlg, nID));
                  Click(hDlg, IDC_PNT_CROP);
                  Click(hDlg, IDOK);
              }));
    EXPECT_EQ(std::vector<BOOL>(4, FALSE), ticked);
    EXPECT_EQ(std::vector<BOOL>(4, TRUE), unticked);
    EXPECT_TRUE(dlg.CropToSelection());
    EXPECT_EQ(123, dlg.GetWidth());
    EXPECT_EQ(45, dlg.GetHeight());
    EXPECT_EQ(24, dlg.GetBitsPerPixel());
}

TEST(PntBitmapResizeDlg, NonNumericWidthIsRefusedAndTheDialogStaysOpen)
{
    testenv::ClearMessageBoxTexts();
    CPntBitmapResizeDlg dlg;
    BOOL bOpenAfterOK = FALSE;
    EXPECT_EQ(IDCANCEL, RunModal(dlg, [&](HWND hDlg) {
                  Type(hDlg, IDC_PNT_WIDTH, "wide");
                  Click(hDlg, IDOK);
                  bOpenAfterOK = ::IsWindowVisible(hDlg);
                  Click(hDlg, IDCANCEL);
              }));
    EXPECT_TRUE(bOpenAfterOK);
    EXPECT_EQ(std::vector<std::string>{"Please enter an integer."}, testenv::MessageBoxTexts());
}
