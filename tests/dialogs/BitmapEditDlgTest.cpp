// The bitmap editor dialogs: how they open for a given image, the magnification slider, the
// new-image prompt when there is no image, and the status bar of the reporting variant.
#include <afxcmn.h>
#include <afxext.h>
#include <gtest/gtest.h>
#include <cstdlib>
#include "DialogDriver.h"
#include "common/Screenshot.h"
#include "dialogs/DesBmpEditDlg.h"
#include "resources/resource.h"
#include "toolpalette/PntToolCommands.h"

namespace
{
HBITMAP MakeBitmap(int cx, int cy)
{
    HDC hScreen = ::GetDC(NULL);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, cx, cy);
    ::ReleaseDC(NULL, hScreen);
    return hBitmap;
}

CSliderCtrl* Slider(HWND hDlg)
{
    return (CSliderCtrl*)CWnd::FromHandle(::GetDlgItem(hDlg, IDC_PNT_ZOOMSLIDER));
}

void Scroll(HWND hDlg, UINT nCode, int nPos)
{
    HWND hSlider = ::GetDlgItem(hDlg, IDC_PNT_ZOOMSLIDER);
    ::SendMessage(hDlg, WM_VSCROLL, MAKEWPARAM(nCode, nPos), (LPARAM)hSlider);
}
}

TEST(BitmapEditDlg, SmallImageOpensAtTheHighestMagnificationWithGridAndPalette)
{
    HBITMAP hBitmap = MakeBitmap(32, 32);
    CPntBitmapEditDlg dlg;
    ASSERT_TRUE(dlg.SetBitmap(hBitmap));
    UINT nMagnification = 0, nSliderPos = 0;
    BOOL bGrid = FALSE, bPenChecked = FALSE;
    int nMode = -1;
    CRect rcPalette, rcPlace;
    int nDialogResult = dlgtest::RunModal(dlg, [&](HWND hDlg) {
        CPntCtrl* pCtrl = dlg.GetPaintControl();
        nMagnification = pCtrl->GetMagnification();
        nSliderPos = (UINT)Slider(hDlg)->GetPos();
        // The "100%" label is centred on the first tick, which lies 90/590 of the way along.
        CRect rcSlider, rcLabel, rcChannel;
        ::GetWindowRect(::GetDlgItem(hDlg, IDC_PNT_ZOOMSLIDER), &rcSlider);
        ::GetWindowRect(::GetDlgItem(hDlg, IDC_PNT_ZOOM_100), &rcLabel);
        Slider(hDlg)->GetChannelRect(&rcChannel);
        int nTic = Slider(hDlg)->GetTicPos(0);
        EXPECT_GT(nTic, rcChannel.top + rcChannel.Height() * 90 / 590 - 10);
        EXPECT_LT(nTic, rcChannel.top + rcChannel.Height() * 90 / 590 + 10);
        EXPECT_LE(std::abs(rcSlider.top + nTic - rcLabel.CenterPoint().y), 1);
        bGrid = pCtrl->GetShowGrid();
        nMode = pCtrl->GetToolMode();
        // The palette, without magnification buttons, lies on the placeholder.
        HWND hPalette = ::FindWindowEx(hDlg, NULL, TOOLBARCLASSNAME, NULL);
        if (hPalette != NULL)
        {
            ::GetWindowRect(hPalette, &rcPalette);
            ::GetWindowRect(::GetDlgItem(hDlg, IDC_PNT_TOOLBAR_PLACEHOLDER), &rcPlace);
            bPenChecked = ::SendMessage(hPalette, TB_ISBUTTONCHECKED, ID_PNT_PEN, 0) != 0;
            EXPECT_EQ(-1, (int)::SendMessage(hPalette, TB_COMMANDTOINDEX, ID_PNT_MAGNIFY, 0));
        }
        ::RedrawWindow(hDlg, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        testenv::SaveWindowBitmap(hDlg, "bitmap-editor.bmp");
        testenv::Click(hDlg, IDOK);
    });
    EXPECT_EQ(IDOK, nDialogResult);
    EXPECT_EQ(600u, nMagnification);
    EXPECT_EQ(600u, nSliderPos);   // the slider follows the control's magnification
    EXPECT_TRUE(bGrid);
    EXPECT_EQ(TOOL_PEN, nMode);
    EXPECT_EQ(rcPlace, rcPalette);
    EXPECT_TRUE(bPenChecked);
    EXPECT_NE((HBITMAP)NULL, dlg.GetBitmap());
    ::DeleteObject(hBitmap);
}

TEST(BitmapEditDlg, SliderSetsAnyMagnificationAndPagesThroughTheLevels)
{
    HBITMAP hBitmap = MakeBitmap(200, 150);
    CPntBitmapEditDlg dlg;
    ASSERT_TRUE(dlg.SetBitmap(hBitmap));
    std::vector<UINT> seen;
    dlgtest::RunModal(dlg, [&](HWND hDlg) {
        CPntCtrl* pCtrl = dlg.GetPaintControl();
        seen.push_back(pCtrl->GetMagnification());   // a large image opens at 100
        Slider(hDlg)->SetPos(237);
        Scroll(hDlg, SB_THUMBTRACK, 237);
        seen.push_back(pCtrl->GetMagnification());
        Slider(hDlg)->SetPos(10);
        Scroll(hDlg, SB_THUMBTRACK, 10);
        Scroll(hDlg, SB_PAGEUP, 0);    // no level below 10: the slider stays
        seen.push_back(pCtrl->GetMagnification());
        Scroll(hDlg, SB_PAGEDOWN, 0);  // the next level up from the current one
        seen.push_back((UINT)Slider(hDlg)->GetPos());
        seen.push_back(pCtrl->GetMagnification());
        testenv::Click(hDlg, IDCANCEL);
    });
    ASSERT_EQ(5u, seen.size());
    EXPECT_EQ(100u, seen[0]);
    EXPECT_EQ(237u, seen[1]);
    EXPECT_EQ(10u, seen[2]);
    EXPECT_GT(seen[3], 10u);
    EXPECT_EQ(seen[3], seen[4]);
    ::DeleteObject(hBitmap);
}

TEST(BitmapEditDlg, WithoutAnImageADeclinedPromptCancelsTheEditor)
{
    CPntBitmapEditDlg dlg;
    testenv::ModalAnswer answer("Enter Bitmap Dimensions", [](HWND hDlg) { testenv::Click(hDlg, IDCANCEL); });
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_TRUE(answer.Answered());
}

TEST(DesBmpEditDlg, StatusBarShowsToolTextPositionAndSize)
{
    HBITMAP hBitmap = MakeBitmap(40, 30);
    CDesBmpEditDlg dlg;
    ASSERT_TRUE(dlg.SetBitmap(hBitmap));
    std::string strTool, strSize, strInside, strOutside;
    dlgtest::RunModal(dlg, [&](HWND hDlg) {
        CStatusBar* pBar = (CStatusBar*)CWnd::FromHandlePermanent(::GetDlgItem(hDlg, AFX_IDW_STATUS_BAR));
        ASSERT_NE(nullptr, pBar);
        strTool = CStringA(pBar->GetPaneText(0));
        strSize = CStringA(pBar->GetPaneText(2));
        CPntCtrl* pCtrl = dlg.GetPaintControl();
        // Inside the cell of image point (40, 3), one past the last column, as the view shows it.
        CPoint pt(40, 3);
        pCtrl->IPtoLP(&pt);
        pCtrl->LPtoDP(&pt);
        pCtrl->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(pt.x + 2, pt.y + 2));
        strInside = CStringA(pBar->GetPaneText(1));
        pCtrl->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
        strOutside = CStringA(pBar->GetPaneText(1));
        testenv::Click(hDlg, IDOK);
    });
    EXPECT_EQ("Draws using a pen with the current width.", strTool);
    EXPECT_EQ(" 40 x 30 ", strSize);
    EXPECT_EQ("X=40 Y=3", strInside);   // the image width itself is still shown
    EXPECT_EQ("", strOutside);
    ::DeleteObject(hBitmap);
}
