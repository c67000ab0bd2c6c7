// The editor's frame driven in this process as a user drives it: real mouse and key input
// through SendInput, with what the screen shows, the control's state, the title and the status
// bar read back afterwards. The colour box, Select All, the tool keys, the changed mark in the
// title, the pointer's position, the grid at a fitted magnification and the text bar's place.
#include <afxwin.h>
#include <afxpriv.h>
#include <gtest/gtest.h>
#include <functional>
#include <stdio.h>
#include <string>
#include <vector>
#include "tests/common/Screenshot.h"
#include "tests/common/TestEnvironment.h"
#include "tests/common/UserInput.h"
#include "samples/painteditor/EditorFrame.h"
#include "samples/painteditor/EditorResources.h"

namespace
{
const COLORREF kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0);

// Writes a bitmap file of cx x cy pixels, byte by byte: 24 bits filled with crFill, or 4 bits
// with the given colour table (at most 16 colours, every pixel index 0).
std::string WritePicture(const char* name, int cx, int cy, COLORREF crFill, const std::vector<COLORREF>& table = {})
{
    const int nBits = table.empty() ? 24 : 4;
    const int nStride = ((cx * nBits + 31) / 32) * 4;
    const int nTable = (int)table.size() * 4;
    const int nOffBits = 14 + 40 + nTable;
    std::vector<unsigned char> file((size_t)nOffBits + (size_t)nStride * cy, 0);
    auto put32 = [&](size_t at, unsigned v) {
        for (int i = 0; i < 4; i++)
            file[at + i] = (unsigned char)(v >> (8 * i));
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, (unsigned)file.size());
    put32(10, (unsigned)nOffBits);
    put32(14, 40);
    put32(18, (unsigned)cx);
    put32(22, (unsigned)cy);
    file[26] = 1;
    file[28] = (unsigned char)nBits;
    put32(46, (unsigned)table.size());
    for (size_t i = 0; i < table.size(); i++)
    {
        file[54 + 4 * i] = GetBValue(table[i]);
        file[55 + 4 * i] = GetGValue(table[i]);
        file[56 + 4 * i] = GetRValue(table[i]);
    }
    if (table.empty())
    {
        for (int y = 0; y < cy; y++)
            for (int x = 0; x < cx; x++)
            {
                const size_t at = (size_t)nOffBits + (size_t)y * nStride + (size_t)x * 3;
                file[at] = GetBValue(crFill);
                file[at + 1] = GetGValue(crFill);
                file[at + 2] = GetRValue(crFill);
            }
    }
    const std::string path = testenv::OutputPath(name);
    FILE* pFile = fopen(path.c_str(), "wb");
    if (pFile == NULL)
        return "";
    const bool bWritten = fwrite(file.data(), 1, file.size(), pFile) == file.size();
    return fclose(pFile) == 0 && bWritten ? path : "";
}

// A window's client area as the screen shows it, row by row, as COLORREFs.
struct ScreenPixels
{
    int cx = 0, cy = 0;
    std::vector<COLORREF> pixels;
    COLORREF At(int x, int y) const { return pixels[(size_t)y * cx + x]; }

    static ScreenPixels Of(HWND hWnd)
    {
        ScreenPixels shot;
        CRect rc;
        ::GetClientRect(hWnd, &rc);
        shot.pixels = testenv::ReadPixels(hWnd, rc);
        if (!shot.pixels.empty())
        {
            shot.cx = rc.Width();
            shot.cy = rc.Height();
        }
        return shot;
    }

    // A point inside a patch of one colour (its 5 x 5 neighbourhood all alike) for which
    // accept(colour) holds, searched from x = xFrom; (-1, -1) when there is none.
    CPoint FindPatch(int xFrom, const std::function<bool(COLORREF)>& accept) const
    {
        for (int x = xFrom + 2; x < cx - 2; x++)
            for (int y = 2; y < cy - 2; y++)
            {
                const COLORREF cr = At(x, y);
                if (!accept(cr))
                    continue;
                bool bSame = true;
                for (int dy = -2; dy <= 2 && bSame; dy++)
                    for (int dx = -2; dx <= 2 && bSame; dx++)
                        bSame = At(x + dx, y + dy) == cr;
                if (bSame)
                    return CPoint(x, y);
            }
        return CPoint(-1, -1);
    }
    int Count(COLORREF cr, const CRect& rc) const
    {
        int n = 0;
        for (int y = std::max(0L, rc.top); y < std::min((LONG)cy, rc.bottom); y++)
            for (int x = std::max(0L, rc.left); x < std::min((LONG)cx, rc.right); x++)
                n += At(x, y) == cr ? 1 : 0;
        return n;
    }
};
}

class EditorFrameTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // A fresh profile of the tests' own: the editor chooses the text tool's font itself.
        AfxGetApp()->SetRegistryKey(_T("MfcPaintEditorTests"));
        AfxGetApp()->WriteProfileString(_T("Text Tool"), _T("Font"), NULL);
        m_pFrame = new CEditorFrame;
        ASSERT_TRUE(m_pFrame->CreateEditor());
        m_pOldMainWnd = AfxGetApp()->m_pMainWnd;
        AfxGetApp()->m_pMainWnd = m_pFrame;
        m_pFrame->SetWindowPos(NULL, 0, 0, 720, 560, SWP_NOZORDER | SWP_NOACTIVATE);
        m_pFrame->ShowEditor();
        ::SetForegroundWindow(m_pFrame->m_hWnd);
        Pump();
    }
    void TearDown() override
    {
        for (UINT nKey : { VK_CONTROL, VK_SHIFT, VK_MENU })
            if (::GetAsyncKeyState((int)nKey) < 0)
                testenv::KeyUp((WORD)nKey);
        if (::GetCapture() != NULL)
            ::ReleaseCapture();
        Pump();
        if (m_pFrame != nullptr && ::IsWindow(m_pFrame->m_hWnd))
        {
            m_pFrame->DiscardChanges();
            m_pFrame->DestroyWindow();   // the frame deletes itself
        }
        AfxGetApp()->m_pMainWnd = m_pOldMainWnd;
        Pump();
    }

    CEditorPaintCtrl& Paint() { return m_pFrame->GetPaintCtrl(); }

    // The application's loop: the frame sees messages first (keys, pointer), then idle updates.
    void Pump()
    {
        MSG msg;
        while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
        {
            if (!AfxGetApp()->PreTranslateMessage(&msg))
            {
                ::TranslateMessage(&msg);
                ::DispatchMessage(&msg);
            }
        }
        if (::IsWindow(m_pFrame->m_hWnd))
        {
            m_pFrame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
            m_pFrame->UpdateWindow();
            ::RedrawWindow(m_pFrame->m_hWnd, NULL, NULL, RDW_UPDATENOW | RDW_ALLCHILDREN);
        }
    }
    bool PumpUntil(const std::function<bool()>& pred, DWORD dwTimeoutMs = 5000)
    {
        const DWORD dwStart = ::GetTickCount();
        for (;;)
        {
            Pump();
            if (pred())
                return true;
            if (::GetTickCount() - dwStart > dwTimeoutMs)
                return false;
            ::Sleep(10);
        }
    }

    bool Open(const std::string& path)
    {
        return !path.empty() && m_pFrame->OpenFile(CString(path.c_str())) != FALSE;
    }
    CString Title()
    {
        CString str;
        m_pFrame->GetWindowText(str);
        return str;
    }
    bool TitleMarked() { return Title().Find(_T('*')) >= 0; }
    CString PointerPane()
    {
        CStatusBar& bar = m_pFrame->GetStatusBar();
        return bar.GetPaneText(bar.CommandToIndex(ID_INDICATOR_POINTER));
    }

    // The screen point over image pixel (x, y) at nPercent, nothing scrolled and the picture
    // at the control's top-left margin of 5.
    CPoint ScreenOfPixel(int x, int y, int nPercent)
    {
        CPoint pt(5 + x * nPercent / 100 + nPercent / 200, 5 + y * nPercent / 100 + nPercent / 200);
        Paint().ClientToScreen(&pt);
        return pt;
    }
    void MovePointer(CPoint ptScreen)
    {
        testenv::MovePointer(ptScreen);
        POINT pt;
        PumpUntil([&] { return ::GetCursorPos(&pt) && CPoint(pt) == ptScreen; }, 3000);
        Pump();
    }
    void Click(CPoint ptScreen, bool bRight)
    {
        MovePointer(ptScreen);
        testenv::MouseButtons(bRight ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
        testenv::MouseButtons(bRight ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP);
        PumpUntil([&] { return ::GetKeyState(bRight ? VK_RBUTTON : VK_LBUTTON) >= 0; }, 3000);
        Pump();
    }
    // The whole drag goes into the input queue before the press is handled: the selection and
    // text tools read it in loops of their own.
    void Drag(CPoint ptFrom, CPoint ptTo)
    {
        MovePointer(ptFrom);
        testenv::MouseButtons(MOUSEEVENTF_LEFTDOWN);
        testenv::MovePointer(CPoint((ptFrom.x + ptTo.x) / 2, (ptFrom.y + ptTo.y) / 2));
        testenv::MovePointer(ptTo);
        testenv::MouseButtons(MOUSEEVENTF_LEFTUP);
        PumpUntil([] { return ::GetKeyState(VK_LBUTTON) >= 0 && ::GetCapture() == NULL; }, 3000);
        Pump();
    }
    // Presses a key, with the modifiers held, as a user would.
    void PressKey(UINT nVirtKey, std::initializer_list<UINT> modifiers = {})
    {
        for (UINT nModifier : modifiers)
            testenv::KeyDown((WORD)nModifier);
        testenv::KeyDown((WORD)nVirtKey);
        testenv::KeyUp((WORD)nVirtKey);
        for (UINT nModifier : modifiers)
            testenv::KeyUp((WORD)nModifier);
        PumpUntil([&] { return ::GetKeyState((int)nVirtKey) >= 0 && ::GetKeyState(VK_CONTROL) >= 0 &&
                               ::GetKeyState(VK_SHIFT) >= 0; }, 3000);
        Pump();
    }
    void FocusPicture()
    {
        ::SetForegroundWindow(m_pFrame->m_hWnd);
        Paint().SetFocus();
        PumpUntil([&] { return ::GetFocus() == Paint().m_hWnd; }, 3000);
    }

    CEditorFrame* m_pFrame = nullptr;
    CWnd* m_pOldMainWnd = nullptr;
};


TEST_F(EditorFrameTest, ClicksOnTheColourBoxSetTheDrawAndFillColoursToTheColourUnderThem)
{
    HWND hBox = m_pFrame->GetColourBox().m_hWnd;
    ASSERT_TRUE(::IsWindowVisible(hBox));
    Paint().SetDrawColor(kBlack);
    Paint().SetFillColor(kWhite);
    Pump();
    const COLORREF crFace = ::GetSysColor(COLOR_BTNFACE), crShadow = ::GetSysColor(COLOR_BTNSHADOW);
    ScreenPixels shot = ScreenPixels::Of(hBox);
    ASSERT_FALSE(shot.pixels.empty());

    // A cell right of the swatches, of a colour that is neither of the current ones.
    const CPoint ptDraw = shot.FindPatch(40, [&](COLORREF cr) {
        return cr != kBlack && cr != kWhite && cr != crFace && cr != crShadow;
    });
    ASSERT_GE(ptDraw.x, 0);
    const COLORREF crDraw = shot.At(ptDraw.x, ptDraw.y);
    CPoint ptScreen = ptDraw;
    ::ClientToScreen(hBox, &ptScreen);
    Click(ptScreen, false);
    EXPECT_EQ(crDraw, Paint().GetDrawColor());
    EXPECT_EQ(kWhite, Paint().GetFillColor());

    const CPoint ptFill = shot.FindPatch(40, [&](COLORREF cr) {
        return cr != kBlack && cr != kWhite && cr != crDraw && cr != crFace && cr != crShadow;
    });
    ASSERT_GE(ptFill.x, 0);
    const COLORREF crFill = shot.At(ptFill.x, ptFill.y);
    ptScreen = ptFill;
    ::ClientToScreen(hBox, &ptScreen);
    Click(ptScreen, true);
    EXPECT_EQ(crFill, Paint().GetFillColor());
    EXPECT_EQ(crDraw, Paint().GetDrawColor());

    // Both current colours show at the box's left end.
    const CRect rcLeftEnd(0, 0, 40, shot.cy);
    shot = ScreenPixels::Of(hBox);
    EXPECT_GT(shot.Count(crDraw, rcLeftEnd), 50);
    EXPECT_GT(shot.Count(crFill, rcLeftEnd), 50);

    // A colour chosen elsewhere (the Tools menu) shows there too.
    const int nIndex = 12;
    const COLORREF crMenu = CPntCtrl::ms_StdColours[nIndex].crColour;
    ASSERT_NE(crDraw, crMenu);
    ASSERT_NE(crFill, crMenu);
    m_pFrame->SendMessage(WM_COMMAND, ID_DRAWCOLOUR_FIRST + nIndex);
    Pump();
    ASSERT_EQ(crMenu, Paint().GetDrawColor());
    EXPECT_GT(ScreenPixels::Of(hBox).Count(crMenu, rcLeftEnd), 50);
}

TEST_F(EditorFrameTest, ThePictureOwnColoursFillTheBoxForAPalettePicture)
{
    const std::vector<COLORREF> table = {
        RGB(12, 34, 56), RGB(200, 17, 90), RGB(33, 180, 140), RGB(250, 240, 20), RGB(90, 60, 200), RGB(7, 7, 7),
        RGB(140, 140, 10), RGB(60, 220, 60), RGB(210, 120, 170), RGB(20, 90, 20), RGB(180, 90, 40),
        RGB(100, 160, 230), RGB(240, 180, 120), RGB(70, 0, 110), RGB(0, 120, 120), RGB(230, 230, 250),
    };
    ASSERT_TRUE(Open(WritePicture("editor-palette.bmp", 16, 8, kWhite, table)));
    Pump();
    HWND hBox = m_pFrame->GetColourBox().m_hWnd;
    ScreenPixels shot = ScreenPixels::Of(hBox);
    const CRect rcCells(40, 0, shot.cx, shot.cy);
    for (COLORREF cr : table)
        EXPECT_GT(shot.Count(cr, rcCells), 20) << std::hex << cr;
    // None of the standard colours that the picture lacks.
    EXPECT_EQ(0, shot.Count(RGB(255, 0, 0), rcCells));

    const CPoint ptCell = shot.FindPatch(40, [&](COLORREF cr) { return cr == table[2]; });
    ASSERT_GE(ptCell.x, 0);
    CPoint ptScreen = ptCell;
    ::ClientToScreen(hBox, &ptScreen);
    Click(ptScreen, false);
    EXPECT_EQ(table[2], Paint().GetDrawColor());
}

TEST_F(EditorFrameTest, CtrlASelectsTheWholePictureWithTheSelectionTool)
{
    ASSERT_TRUE(Open(WritePicture("editor-white.bmp", 70, 50, kWhite)));
    Paint().SetToolMode(TOOL_PEN);
    CRect rcSmall(3, 4, 10, 12);
    Paint().SetSelectionRect(&rcSmall, FALSE);
    FocusPicture();
    PressKey('A', { VK_CONTROL });
    EXPECT_EQ(TOOL_SELECT, Paint().GetToolMode());
    CRect rc;
    Paint().GetSelectionRect(&rc);
    EXPECT_EQ(CRect(0, 0, 70, 50), rc);
    // Ctrl+A chose no tool by its letter (A is the airbrush's).
    EXPECT_NE(TOOL_AIRBRUSH, Paint().GetToolMode());
}

TEST_F(EditorFrameTest, AToolKeyChoosesItsToolButNotWhileTextIsTyped)
{
    ASSERT_TRUE(Open(WritePicture("editor-white.bmp", 70, 50, kWhite)));
    FocusPicture();
    PressKey('L');
    EXPECT_EQ(TOOL_LINE, Paint().GetToolMode());
    PressKey('O', { VK_SHIFT });
    EXPECT_EQ(TOOL_FILLEDELLIPSE, Paint().GetToolMode());
    PressKey('E');
    EXPECT_EQ(TOOL_ERASER, Paint().GetToolMode());
    // With Ctrl the letter is no tool key.
    PressKey('L', { VK_CONTROL });
    EXPECT_EQ(TOOL_ERASER, Paint().GetToolMode());

    // The Tools menu and the palette's tooltip name the keys.
    TCHAR szItem[128] = _T("");
    ::GetMenuString(::GetMenu(m_pFrame->m_hWnd), ID_TOOL_BASE + TOOL_FILLEDELLIPSE, szItem, 128, MF_BYCOMMAND);
    EXPECT_NE(nullptr, _tcsstr(szItem, _T("\tShift+O"))) << CStringA(szItem).GetString();
    EXPECT_EQ(CString(_T("L")), m_pFrame->GetToolPalette().GetToolKey(TOOL_LINE));

    // The text tool: letters go into the text, the tool stays.
    PressKey('T');
    ASSERT_EQ(TOOL_TEXT, Paint().GetToolMode());
    ASSERT_TRUE(Paint().IsTypingText());
    FocusPicture();
    PressKey('L');
    PressKey('P');
    EXPECT_EQ(TOOL_TEXT, Paint().GetToolMode());
    CString strText = Paint().GetUserText();
    strText.MakeUpper();
    EXPECT_EQ(CString(_T("LP")), strText);
}

TEST_F(EditorFrameTest, TheTitleIsMarkedOnlyWhileThePictureDiffersFromTheSavedOne)
{
    ASSERT_TRUE(Open(WritePicture("editor-white.bmp", 70, 50, kWhite)));
    Paint().SetMagnification(200);
    Paint().SetToolMode(TOOL_PEN);
    Pump();
    ASSERT_FALSE(TitleMarked()) << CStringA(Title()).GetString();

    // White on white: no pixel changes, no mark.
    Paint().SetDrawColor(kWhite);
    Drag(ScreenOfPixel(10, 10, 200), ScreenOfPixel(30, 20, 200));
    ASSERT_EQ(1, Paint().GetUndoListSize());
    EXPECT_FALSE(TitleMarked());

    Paint().SetDrawColor(kBlack);
    Drag(ScreenOfPixel(10, 30, 200), ScreenOfPixel(40, 30, 200));
    ASSERT_EQ(kBlack, Paint().GetDIBsection()->GetPixel(25, 30));
    EXPECT_TRUE(TitleMarked());

    FocusPicture();
    PressKey('Z', { VK_CONTROL });
    ASSERT_EQ(kWhite, Paint().GetDIBsection()->GetPixel(25, 30));
    EXPECT_FALSE(TitleMarked());
    PressKey('Y', { VK_CONTROL });
    ASSERT_EQ(kBlack, Paint().GetDIBsection()->GetPixel(25, 30));
    EXPECT_TRUE(TitleMarked());

    // Saved: the picture with the line is the file's; undoing it differs from the file.
    ASSERT_TRUE(m_pFrame->SaveFile(CString(testenv::OutputPath("editor-saved.bmp").c_str())));
    EXPECT_FALSE(TitleMarked());
    PressKey('Z', { VK_CONTROL });
    EXPECT_TRUE(TitleMarked());
    PressKey('Y', { VK_CONTROL });
    EXPECT_FALSE(TitleMarked());
}

TEST_F(EditorFrameTest, TheHistoryHoldsManyMoreStepsThanFive)
{
    ASSERT_TRUE(Open(WritePicture("editor-white.bmp", 70, 50, kWhite)));
    Paint().SetToolMode(TOOL_PEN);
    Paint().SetDrawColor(kBlack);
    const int nStrokes = 8;
    for (int i = 0; i < nStrokes; i++)
        Drag(ScreenOfPixel(5, 2 + 4 * i, 100), ScreenOfPixel(60, 2 + 4 * i, 100));
    ASSERT_EQ(kBlack, Paint().GetDIBsection()->GetPixel(30, 2));
    FocusPicture();
    for (int i = 0; i < nStrokes; i++)
        PressKey('Z', { VK_CONTROL });
    // Every stroke undone: the picture is white again.
    CDIBSection* pImage = Paint().GetDIBsection();
    int nOther = 0;
    for (int y = 0; y < 50; y++)
        for (int x = 0; x < 70; x++)
            nOther += pImage->GetPixel(x, y) != kWhite ? 1 : 0;
    EXPECT_EQ(0, nOther);
    EXPECT_FALSE(TitleMarked());
}

TEST_F(EditorFrameTest, TheStatusBarShowsThePixelUnderThePointerAlsoDuringADrag)
{
    ASSERT_TRUE(Open(WritePicture("editor-white.bmp", 70, 50, kWhite)));
    Paint().SetMagnification(200);
    Paint().SetToolMode(TOOL_PEN);
    Pump();
    MovePointer(ScreenOfPixel(12, 7, 200));
    EXPECT_TRUE(PumpUntil([&] { return PointerPane() == _T("12, 7"); })) << CStringA(PointerPane()).GetString();
    MovePointer(ScreenOfPixel(69, 49, 200));
    EXPECT_TRUE(PumpUntil([&] { return PointerPane() == _T("69, 49"); })) << CStringA(PointerPane()).GetString();

    // Off the picture, in the control's margin, and over the colour box: nothing.
    CPoint ptMargin(2, 2);
    Paint().ClientToScreen(&ptMargin);
    MovePointer(ptMargin);
    EXPECT_TRUE(PumpUntil([&] { return PointerPane().IsEmpty(); })) << CStringA(PointerPane()).GetString();
    MovePointer(ScreenOfPixel(3, 3, 200));
    ASSERT_TRUE(PumpUntil([&] { return PointerPane() == _T("3, 3"); }));
    CRect rcBox;
    m_pFrame->GetColourBox().GetWindowRect(&rcBox);
    MovePointer(CPoint(rcBox.left + 5, rcBox.bottom - 3));
    EXPECT_TRUE(PumpUntil([&] { return PointerPane().IsEmpty(); })) << CStringA(PointerPane()).GetString();

    // During a stroke, before the button is let go.
    MovePointer(ScreenOfPixel(20, 20, 200));
    testenv::MouseButtons(MOUSEEVENTF_LEFTDOWN);
    ASSERT_TRUE(PumpUntil([] { return ::GetKeyState(VK_LBUTTON) < 0; }));
    MovePointer(ScreenOfPixel(33, 25, 200));
    EXPECT_TRUE(PumpUntil([&] { return PointerPane() == _T("33, 25"); })) << CStringA(PointerPane()).GetString();
    testenv::MouseButtons(MOUSEEVENTF_LEFTUP);
    PumpUntil([] { return ::GetKeyState(VK_LBUTTON) >= 0; });
}

TEST_F(EditorFrameTest, TheGridShowsAtAFittedMagnificationFrom400Percent)
{
    // A picture that fits the view at about 450 %.
    CRect rcClient;
    Paint().GetClientRect(&rcClient);
    const int nWidth = (int)((rcClient.Width() - 11) / 4.5), nHeight = (int)((rcClient.Height() - 11) / 4.5);
    ASSERT_TRUE(Open(WritePicture("editor-fit.bmp", nWidth, nHeight, kWhite)));
    Paint().SetToolMode(TOOL_SELECT);
    Paint().SetShowSelectionRect(FALSE);
    m_pFrame->SendMessage(WM_COMMAND, ID_VIEW_FIT);
    Pump();
    const UINT nPercent = Paint().GetMagnification();
    ASSERT_GE(nPercent, 400u);
    ASSERT_LT(nPercent, 600u);
    ASSERT_NE(0u, nPercent % 100);
    ASSERT_TRUE(Paint().GetShowGrid());

    // Every row across the picture crosses one column line per pixel edge: the row with the
    // fewest non-white pixels holds exactly those.
    Paint().Invalidate(TRUE);
    Paint().UpdateWindow();
    const ScreenPixels shot = ScreenPixels::Of(Paint().m_hWnd);
    const int nLast = 5 + nHeight * (int)nPercent / 100 - 2;
    int nFewest = INT_MAX;
    for (int y = 7; y < nLast && y < shot.cy; y++)
    {
        int nLine = 0;
        for (int x = 0; x < shot.cx; x++)
            nLine += shot.At(x, y) != kWhite && shot.At(x, y) != ::GetSysColor(COLOR_APPWORKSPACE) ? 1 : 0;
        nFewest = std::min(nFewest, nLine);
    }
    EXPECT_EQ(nWidth + 1, nFewest);
}

TEST_F(EditorFrameTest, TheTextBarOpensBesideTheTextBoxWithAReadableFont)
{
    ASSERT_TRUE(Open(WritePicture("editor-white.bmp", 200, 150, kWhite)));
    Paint().SetToolMode(TOOL_TEXT);
    Pump();
    CWnd* pBar = Paint().GetTextBar();
    ASSERT_NE(nullptr, pBar);
    ASSERT_TRUE(pBar->IsWindowVisible());

    // The font: a real face at a size people read, not the bar's bare "System" default.
    LOGFONT lf = {};
    ASSERT_TRUE(Paint().GetTextFont()->GetLogFont(&lf));
    EXPECT_NE(CString(_T("System")), CString(lf.lfFaceName));
    EXPECT_LE(lf.lfHeight, -12);
    CString strCaption;
    pBar->GetWindowText(strCaption);
    EXPECT_EQ(-1, strCaption.Find(_T(", 0pt"))) << CStringA(strCaption).GetString();

    // The bar put over where the box will be; dragging out the box moves it aside.
    const CPoint ptFrom = ScreenOfPixel(20, 20, 100), ptTo = ScreenOfPixel(150, 90, 100);
    pBar->SetWindowPos(NULL, ptFrom.x + 10, ptFrom.y + 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Drag(ptFrom, ptTo);
    CRect rcBox;
    Paint().GetSelectionRect(&rcBox);
    ASSERT_GT(rcBox.Width(), 100);
    // The box on the screen: image pixels from the margin of 5 at 100 %.
    CRect rcBoxScreen(rcBox.left + 5, rcBox.top + 5, rcBox.right + 5, rcBox.bottom + 5);
    Paint().ClientToScreen(&rcBoxScreen);
    CRect rcBar, rcOverlap;
    pBar->GetWindowRect(&rcBar);
    EXPECT_FALSE(rcOverlap.IntersectRect(rcBar, rcBoxScreen));
    CRect rcWork;
    ::SystemParametersInfo(SPI_GETWORKAREA, 0, &rcWork, 0);
    EXPECT_TRUE(rcWork.PtInRect(rcBar.TopLeft()));
    EXPECT_TRUE(rcWork.PtInRect(rcBar.BottomRight() - CSize(1, 1)));
}

TEST_F(EditorFrameTest, ShiftHeldWhileDrawingALineMakesItLevel)
{
    ASSERT_TRUE(Open(WritePicture("editor-line.bmp", 70, 50, kWhite)));
    Paint().SetToolMode(TOOL_LINE);
    Paint().SetDrawColor(kBlack);
    Paint().SetPenWidth(1);
    FocusPicture();
    // Pressed at (10, 10) and moved to (40, 18): about 15 degrees, which Shift makes level.
    // Shift goes down after the moves, with the button held (see the platform notes).
    MovePointer(ScreenOfPixel(10, 10, 100));
    testenv::MouseButtons(MOUSEEVENTF_LEFTDOWN);
    ASSERT_TRUE(PumpUntil([&] { return ::GetCapture() == Paint().m_hWnd; }, 3000));
    MovePointer(ScreenOfPixel(40, 18, 100));
    testenv::KeyDown(VK_SHIFT);
    ASSERT_TRUE(PumpUntil([] { return ::GetKeyState(VK_SHIFT) < 0; }, 3000));
    testenv::MouseButtons(MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(PumpUntil([] { return ::GetCapture() == NULL; }, 3000));
    testenv::KeyUp(VK_SHIFT);
    PumpUntil([] { return ::GetKeyState(VK_SHIFT) >= 0; }, 3000);

    CDIBSection* pImage = Paint().GetDIBsection();
    int nOnRow = 0, nElsewhere = 0;
    for (int y = 0; y < 50; y++)
        for (int x = 0; x < 70; x++)
            if (pImage->GetPixel(x, y) == kBlack)
                (y == 10 ? nOnRow : nElsewhere)++;
    EXPECT_EQ(31, nOnRow);   // (10, 10) to (40, 10)
    EXPECT_EQ(0, nElsewhere);
}

namespace
{
// The pointer pane's texts seen while the paint control held the mouse, read after every
// message that a window of the thread handled.
HWND s_hPaint = NULL;
CStatusBar* s_pStatusBar = nullptr;
std::vector<CString> s_panesWhileHeld;

LRESULT CALLBACK ReadPaneWhileHeld(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode >= 0 && ::GetCapture() == s_hPaint)
    {
        const CString strPane = s_pStatusBar->GetPaneText(s_pStatusBar->CommandToIndex(ID_INDICATOR_POINTER));
        if (s_panesWhileHeld.empty() || s_panesWhileHeld.back() != strPane)
            s_panesWhileHeld.push_back(strPane);
    }
    return ::CallNextHookEx(NULL, nCode, wParam, lParam);
}
}

TEST_F(EditorFrameTest, TheStatusBarFollowsThePointerWhileASelectionIsDragged)
{
    ASSERT_TRUE(Open(WritePicture("editor-select.bmp", 70, 50, kWhite)));
    Paint().SetToolMode(TOOL_SELECT);
    FocusPicture();
    MovePointer(ScreenOfPixel(10, 10, 100));
    s_hPaint = Paint().m_hWnd;
    s_pStatusBar = &m_pFrame->GetStatusBar();
    s_panesWhileHeld.clear();
    HHOOK hHook = ::SetWindowsHookEx(WH_CALLWNDPROCRET, ReadPaneWhileHeld, NULL, ::GetCurrentThreadId());
    ASSERT_NE(nullptr, hHook);
    // The selection follows the mouse in a loop of its own: the whole drag is queued first.
    Drag(ScreenOfPixel(10, 10, 100), ScreenOfPixel(31, 22, 100));
    ::UnhookWindowsHookEx(hHook);

    CRect rcSelection;
    Paint().GetSelectionRect(&rcSelection);
    EXPECT_EQ(CRect(10, 10, 31, 22), rcSelection);
    // While the button was down, the pane named the pixel under the pointer as it moved.
    std::string seen;
    for (const CString& str : s_panesWhileHeld)
        seen += std::string(CStringA(str).GetString()) + "; ";
    EXPECT_NE(std::string::npos, seen.find("31, 22; ")) << seen;
}
