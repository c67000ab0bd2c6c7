// The paint control's core: class data, window class and creation, owner notifications,
// status texts, the image snapshot, plain properties, palette messages, selection and clearing.
#include "PaintFixture.h"
#include <string.h>

namespace
{
bool IsInvalidated(CWnd* pWnd)
{
    return ::GetUpdateRect(pWnd->m_hWnd, NULL, FALSE) != FALSE;
}

// A control whose hooks count their calls instead of (or besides) their default work.
class CHookCountingCtrl : public CTestPntCtrl
{
public:
    int m_nImageChanged = 0;
    int m_nSelectionChanged = 0;
    std::vector<std::string> m_statusTexts;

protected:
    void OnImageChanged() override { m_nImageChanged++; }
    void OnSelectionChanged() override { m_nSelectionChanged++; }
    void OnSetStatusMessage(LPCSTR lpszText) override { m_statusTexts.push_back(lpszText ? lpszText : "(null)"); }
};
}

/////////////////////////////////////////////////////////////////////////////
// Class data, run-time class and defaults (no window needed)

TEST(PntCtrlClass, RegisteredMessagesAreTheNamedWindowMessages)
{
    EXPECT_EQ(::RegisterWindowMessageA("_PAINT_CONTROL_IMAGE_CHANGED_"), CPntCtrl::m_nImageChangedMessage);
    EXPECT_EQ(::RegisterWindowMessageA("_PAINT_CONTROL_MAG_CHANGED_"), CPntCtrl::m_nMagnificationChangedMessage);
    EXPECT_EQ(::RegisterWindowMessageA("_PAINT_CONTROL_COLOUR_SAMPLER"), CPntCtrl::m_nColourSamplerMessage);
    EXPECT_EQ(::RegisterWindowMessageA("_PAINT_CONTROL_MODE_CHANGED"), CPntCtrl::m_nModeChangeMessage);
    // Registered messages lie in 0xC000..0xFFFF and are distinct.
    EXPECT_GE(CPntCtrl::m_nImageChangedMessage, 0xC000u);
    EXPECT_NE(CPntCtrl::m_nImageChangedMessage, CPntCtrl::m_nModeChangeMessage);
}

TEST(PntCtrlClass, MagnificationLevelsAndStandardColours)
{
    const int levels[8] = { 10, 50, 100, 200, 300, 400, 500, 600 };
    for (int i = 0; i < 8; i++)
        EXPECT_EQ(levels[i], CPntCtrl::MagnificationLevels[i]) << i;

    struct { COLORREF cr; const char* name; } colours[16] = {
        { 0x000000, "Black" }, { 0xFFFFFF, "White" }, { 0xFF0000, "Blue" },
        { 0x00FF00, "Bright green" }, { 0xFFFF00, "Cyan" }, { 0x0000FF, "Red" },
        { 0xFF00FF, "Magenta" }, { 0x00FFFF, "Yellow" }, { 0x800000, "Dark Blue" },
        { 0x008000, "Dark Green" }, { 0x808000, "Dark Cyan" }, { 0x000080, "Dark red" },
        { 0x800080, "Dark Magenta" }, { 0x008080, "Dark yellow" }, { 0x808080, "Grey - 50%" },
        { 0xC0C0C0, "Light grey" },
    };
    for (int i = 0; i < 16; i++)
    {
        EXPECT_EQ(colours[i].cr, CPntCtrl::ms_StdColours[i].crColour) << i;
        EXPECT_STREQ(colours[i].name, CPntCtrl::ms_StdColours[i].szName) << i;
    }
    // The record is shared with the companion library's colour table: a COLORREF, then 64 chars.
    EXPECT_EQ(4u + 64u, sizeof(ColourEntries));
}

TEST(PntCtrlClass, DynamicallyCreatableWindowClass)
{
    CRuntimeClass* pClass = RUNTIME_CLASS(CPntCtrl);
    EXPECT_STREQ("CPntCtrl", pClass->m_lpszClassName);
    EXPECT_TRUE(pClass->IsDerivedFrom(RUNTIME_CLASS(CWnd)));
    EXPECT_EQ(pClass, CRuntimeClass::FromName("CPntCtrl"));

    CObject* pObject = pClass->CreateObject();
    ASSERT_NE(nullptr, pObject);
    EXPECT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CPntCtrl)));
    delete pObject;
}

TEST(PntCtrlClass, ConstructorDefaults)
{
    CTestPntCtrl ctrl;
    EXPECT_EQ(0x02FFFFFFu, ctrl.m_crEraseColor);
    EXPECT_EQ(nullptr, ctrl.GetBitmap());
    EXPECT_EQ(nullptr, ctrl.m_pSavedState);
    EXPECT_EQ(0, ctrl.m_nHScrollRange);
    EXPECT_EQ(0, ctrl.m_nVScrollRange);
    EXPECT_FALSE(ctrl.GetDisplayOnly());
    EXPECT_EQ(TOOL_NONE, ctrl.GetToolMode());
    EXPECT_EQ(RGB(0, 0, 0), ctrl.GetDrawColor());
    EXPECT_EQ(RGB(0, 0, 0), ctrl.GetFillColor());
    EXPECT_EQ(0xFFFFFFFFu, ctrl.GetTransparentColor());
    EXPECT_EQ(4, ctrl.GetEraserWidth());
    EXPECT_EQ(1, ctrl.GetPenWidth());
    EXPECT_FALSE(ctrl.GetShowSelectionRect());
    EXPECT_FALSE(ctrl.m_bSavedShowSelectionRect);
    EXPECT_FALSE(ctrl.GetTransparent());
    EXPECT_EQ(CPoint(0, 0), *ctrl.GetOrigin());
    EXPECT_EQ(CRect(5, 5, 5, 5), ctrl.m_rcMargin);
    EXPECT_EQ(5, ctrl.m_nMaxUndoSize);
    EXPECT_EQ(-1, ctrl.m_nUndoPos);
    EXPECT_FALSE(ctrl.m_bCancelled);
    EXPECT_FALSE(ctrl.m_bButtonDown);
    EXPECT_TRUE(ctrl.GetUserText().IsEmpty());
    EXPECT_EQ(0x810u, ctrl.GetTextFormat());
    EXPECT_TRUE(ctrl.GetShowGrid());
    EXPECT_EQ(600u, ctrl.m_nGridMinMagnification);
    EXPECT_TRUE(ctrl.m_bGridWholePercentOnly);
    EXPECT_FALSE(ctrl.ImageCentered());
    EXPECT_FALSE(ctrl.m_bFloating);
    EXPECT_EQ(1u, ctrl.m_nAirBrushTimer);
    EXPECT_EQ(1u, ctrl.m_nAirBrushInterval);
    EXPECT_EQ(4u, ctrl.m_nAirBrushRadiusFactor);
    EXPECT_EQ(10u, ctrl.m_nAirBrushDots);
    EXPECT_STREQ("Clipboard image is larger than the\nSelection area. Crop to selection area?",
                 (LPCTSTR)ctrl.m_strPasteCropPrompt);
    EXPECT_TRUE(ctrl.IsEnableTransColorPicker());
    EXPECT_DOUBLE_EQ(1.0, ctrl.m_dMagnification);
    EXPECT_FALSE(ctrl.GetImageChanged());
    // No image yet: the selection is the empty rectangle.
    CRect rcSel(1, 2, 3, 4);
    ctrl.GetSelectionRect(&rcSel);
    EXPECT_EQ(CRect(0, 0, 0, 0), rcSel);
    EXPECT_EQ(nullptr, ctrl.m_bmpMask.GetSafeHandle());
    EXPECT_EQ(0, ctrl.GetUndoListSize());

    // The text font is the control's own copy of the stock system font.
    HFONT hSystem = (HFONT)::GetStockObject(SYSTEM_FONT);
    ASSERT_NE(nullptr, ctrl.GetTextFont()->GetSafeHandle());
    EXPECT_NE((HGDIOBJ)hSystem, ctrl.GetTextFont()->GetSafeHandle());
    LOGFONT lfSystem = {}, lfOwn = {};
    ::GetObject(hSystem, sizeof(lfSystem), &lfSystem);
    ctrl.GetTextFont()->GetLogFont(&lfOwn);
    EXPECT_EQ(lfSystem.lfHeight, lfOwn.lfHeight);
    EXPECT_EQ(lfSystem.lfWeight, lfOwn.lfWeight);
    EXPECT_STREQ(lfSystem.lfFaceName, lfOwn.lfFaceName);
}

TEST(PntCtrlClass, RepaintingSettersWorkWithoutAWindow)
{
    CTestPntCtrl ctrl;
    ctrl.SetShowSelectionRect(TRUE);
    ctrl.SetTransparent(TRUE);
    ctrl.SetTransparentColor(RGB(1, 2, 3));
    ctrl.SetImageChanged(TRUE);   // no owner to tell
    EXPECT_TRUE(ctrl.GetShowSelectionRect());
    EXPECT_TRUE(ctrl.GetTransparent());
    EXPECT_EQ(RGB(1, 2, 3), ctrl.GetTransparentColor());
    EXPECT_TRUE(ctrl.GetImageChanged());
}

TEST(PntCtrlClass, TextFontIsACopyOfTheCallersFont)
{
    CTestPntCtrl ctrl;
    LOGFONT lf = {};
    lf.lfHeight = -21;
    lf.lfWeight = FW_BOLD;
    lf.lfItalic = TRUE;
    strcpy(lf.lfFaceName, "Arial");
    CFont* pFont = new CFont;
    ASSERT_TRUE(pFont->CreateFontIndirect(&lf));
    EXPECT_TRUE(ctrl.SetTextFont(pFont));
    EXPECT_NE(pFont->GetSafeHandle(), ctrl.GetTextFont()->GetSafeHandle());
    delete pFont;   // the caller keeps ownership of its font

    LOGFONT lfOwn = {};
    ASSERT_EQ((int)sizeof(lfOwn), ctrl.GetTextFont()->GetLogFont(&lfOwn));
    EXPECT_EQ(-21, lfOwn.lfHeight);
    EXPECT_EQ(FW_BOLD, lfOwn.lfWeight);
    EXPECT_TRUE(lfOwn.lfItalic);
    EXPECT_STREQ("Arial", lfOwn.lfFaceName);

    // Bad fonts are refused and the control keeps the one it has.
    CFont empty;
    EXPECT_FALSE(ctrl.SetTextFont(NULL));
    EXPECT_FALSE(ctrl.SetTextFont(&empty));
    ASSERT_EQ((int)sizeof(lfOwn), ctrl.GetTextFont()->GetLogFont(&lfOwn));
    EXPECT_EQ(-21, lfOwn.lfHeight);
}

/////////////////////////////////////////////////////////////////////////////
// Window class and creation

TEST(PntCtrlWindowClass, RegisteredOnceUnderTheModuleStateInstance)
{
    CTestPntCtrl first;
    HINSTANCE hInst = AfxGetModuleState()->m_hCurrentInstanceHandle;
    WNDCLASS wc = {};
    ASSERT_TRUE(::GetClassInfo(hInst, "MFCPaintCtrl", &wc));
    EXPECT_EQ((UINT)(CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS), wc.style);
    EXPECT_EQ(11u, wc.style);
    EXPECT_EQ(0, wc.cbClsExtra);
    EXPECT_EQ(0, wc.cbWndExtra);
    EXPECT_EQ(nullptr, wc.hIcon);
    EXPECT_EQ(::LoadCursor(NULL, IDC_ARROW), wc.hCursor);
    EXPECT_EQ((HBRUSH)(COLOR_BTNFACE + 1), wc.hbrBackground);

    // A second control finds the class and registers nothing.
    CTestPntCtrl second;
    EXPECT_TRUE(second.RegisterWindowClass());
    WNDCLASS again = {};
    ASSERT_TRUE(::GetClassInfo(hInst, "MFCPaintCtrl", &again));
    EXPECT_EQ(wc.lpfnWndProc, again.lpfnWndProc);
}

class PntCtrlCreation : public PaintFixture
{
};

TEST_F(PntCtrlCreation, ChildWindowOfTheClassWithTheRequestedClientArea)
{
    char szClass[64] = {};
    ::GetClassNameA(m_pCtrl->m_hWnd, szClass, sizeof(szClass));
    EXPECT_STREQ("MFCPaintCtrl", szClass);
    EXPECT_EQ(m_pFrame->m_hWnd, ::GetParent(m_pCtrl->m_hWnd));
    EXPECT_EQ((int)kCtrlId, m_pCtrl->GetDlgCtrlID());
    EXPECT_EQ(CWnd::FromHandlePermanent(m_pCtrl->m_hWnd), (CWnd*)m_pCtrl);
    DWORD dwStyle = m_pCtrl->GetStyle();
    EXPECT_TRUE(dwStyle & WS_CHILD);
    EXPECT_TRUE(dwStyle & WS_BORDER);
    // Without an image Create leaves no scroll bar shown, so the client area is the whole inside.
    EXPECT_EQ(CRect(0, 0, kClientWidth, kClientHeight), ClientRect());
    int nMin = -1, nMax = -1;
    m_pCtrl->GetScrollRange(SB_HORZ, &nMin, &nMax);
    EXPECT_EQ(0, nMax);
    m_pCtrl->GetScrollRange(SB_VERT, &nMin, &nMax);
    EXPECT_EQ(0, nMax);
}

TEST_F(PntCtrlCreation, FailedCreateLeavesTheObjectUsable)
{
    CTestPntCtrl ctrl;
    // A child window needs a parent window.
    CWnd noWindow;
    EXPECT_FALSE(ctrl.Create(CRect(0, 0, 50, 50), &noWindow, 5));
    EXPECT_EQ(nullptr, ctrl.GetSafeHwnd());
    ASSERT_TRUE(ctrl.Create(CRect(0, 0, 50, 50), m_pFrame, 5));
    EXPECT_TRUE(::IsWindow(ctrl.m_hWnd));
    ctrl.DestroyWindow();
}

namespace
{
std::vector<NMHDR> g_dialogNotifications;

INT_PTR CALLBACK RecordingDialogProc(HWND, UINT message, WPARAM, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
        return TRUE;
    if (message == WM_NOTIFY && lParam != 0)
        g_dialogNotifications.push_back(*(const NMHDR*)lParam);
    return FALSE;
}

// An in-memory dialog template with one control of class "MFCPaintCtrl" and id nID.
std::vector<WORD> PaintDialogTemplate(WORD nID)
{
    std::vector<WORD> t;
    auto dword = [&t](DWORD v) { t.push_back(LOWORD(v)); t.push_back(HIWORD(v)); };
    auto text = [&t](const char* s) { while (*s) t.push_back((WORD)*s++); t.push_back(0); };
    dword(WS_POPUP | WS_CAPTION);   // dialog style
    dword(0);                       // extended style
    t.push_back(1);                 // one item
    t.push_back(0); t.push_back(0); t.push_back(200); t.push_back(150);
    t.push_back(0);                 // no menu
    t.push_back(0);                 // standard dialog class
    text("Paint");                  // title
    if (t.size() % 2)
        t.push_back(0);             // items start on a DWORD boundary
    dword(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_HSCROLL | WS_VSCROLL);
    dword(0);
    t.push_back(5); t.push_back(5); t.push_back(150); t.push_back(100);
    t.push_back(nID);
    text("MFCPaintCtrl");           // window class by name
    text("");                       // title
    t.push_back(0);                 // no creation data
    return t;
}
}

TEST_F(PntCtrlCreation, ControlFromADialogTemplateWorksWithoutCreate)
{
    // Constructing a control registers the class before the dialog needs it.
    CTestPntCtrl ctrl;
    std::vector<WORD> tmpl = PaintDialogTemplate(77);
    HWND hDlg = ::CreateDialogIndirectParamA(AfxGetModuleState()->m_hCurrentInstanceHandle,
                                             (LPCDLGTEMPLATE)tmpl.data(), m_pFrame->m_hWnd,
                                             RecordingDialogProc, 0);
    ASSERT_NE(nullptr, hDlg);
    HWND hItem = ::GetDlgItem(hDlg, 77);
    ASSERT_NE(nullptr, hItem);
    char szClass[64] = {};
    ::GetClassNameA(hItem, szClass, sizeof(szClass));
    EXPECT_STREQ("MFCPaintCtrl", szClass);

    // The dialog attaches the window to its object; messages then reach the control's map.
    ASSERT_TRUE(ctrl.SubclassWindow(hItem));
    g_dialogNotifications.clear();
    ctrl.SetImageChanged(TRUE);
    ASSERT_EQ(1u, g_dialogNotifications.size());
    EXPECT_EQ(CPntCtrl::m_nImageChangedMessage, g_dialogNotifications[0].code);
    EXPECT_EQ(77u, g_dialogNotifications[0].idFrom);
    EXPECT_EQ(hItem, g_dialogNotifications[0].hwndFrom);

    // WM_DESTROY, routed through the map, clears the status bar of the main frame.
    ClearRecords();
    ::DestroyWindow(hDlg);
    EXPECT_EQ(1u, StatusTexts().size());
    EXPECT_FALSE(::IsWindow(hItem));
}

/////////////////////////////////////////////////////////////////////////////
// Owner notifications

class PntCtrlNotifications : public PaintFixture
{
};

TEST_F(PntCtrlNotifications, SetImageChangedTrueSendsExactlyOneNotification)
{
    m_pCtrl->SetImageChanged(TRUE);
    ASSERT_EQ(1u, Notifications().size());
    const CTestOwnerFrame::Notification& n = Notifications()[0];
    EXPECT_EQ(CPntCtrl::m_nImageChangedMessage, n.code);
    EXPECT_EQ((UINT_PTR)kCtrlId, n.idFrom);
    EXPECT_EQ((WPARAM)kCtrlId, n.wParam);
    EXPECT_EQ(m_pCtrl->m_hWnd, n.hwndFrom);
    EXPECT_TRUE(m_pCtrl->GetImageChanged());
}

TEST_F(PntCtrlNotifications, SetImageChangedFalseEmptiesTheHistorySilently)
{
    ASSERT_TRUE(GiveImage(8, 8));
    m_pCtrl->PreImageChange();
    m_pCtrl->PreImageChange();
    ASSERT_EQ(2, m_pCtrl->GetUndoListSize());
    m_pCtrl->SetImageChanged(TRUE);
    ClearRecords();

    m_pCtrl->SetImageChanged(FALSE);
    EXPECT_FALSE(m_pCtrl->GetImageChanged());
    EXPECT_EQ(0, m_pCtrl->GetUndoListSize());
    EXPECT_FALSE(m_pCtrl->CanUndo());
    EXPECT_TRUE(Notifications().empty());
}

TEST_F(PntCtrlNotifications, EachHookSendsItsOwnCode)
{
    m_pCtrl->OnMagnificationChanged();
    m_pCtrl->OnColourSampleChanged();
    m_pCtrl->OnImageChanged();
    m_pCtrl->SendMessageToOwner(CPntCtrl::m_nModeChangeMessage);
    std::vector<UINT> expected = { CPntCtrl::m_nMagnificationChangedMessage, CPntCtrl::m_nColourSamplerMessage,
                                   CPntCtrl::m_nImageChangedMessage, CPntCtrl::m_nModeChangeMessage };
    EXPECT_EQ(expected, m_pFrame->Codes());
}

TEST_F(PntCtrlNotifications, AnOwnerTakesPrecedenceOverTheParent)
{
    CTestOwnerFrame* pOwner = new CTestOwnerFrame;
    ASSERT_TRUE(pOwner->Create(NULL, "Owner", WS_OVERLAPPEDWINDOW, CRect(0, 0, 100, 100)));
    m_pCtrl->SetOwner(pOwner);
    m_pCtrl->SetImageChanged(TRUE);
    EXPECT_EQ(1, pOwner->Count(CPntCtrl::m_nImageChangedMessage));
    EXPECT_TRUE(Notifications().empty());

    // An owner that is gone is not replaced by the parent: nothing is sent.
    pOwner->DestroyWindow();
    m_pCtrl->SetImageChanged(TRUE);
    EXPECT_TRUE(Notifications().empty());
}

TEST_F(PntCtrlNotifications, NeitherOwnerNorParentSendsNothing)
{
    CTestPntCtrl popup;
    ASSERT_TRUE(popup.CreateEx(0, "MFCPaintCtrl", NULL, WS_POPUP, 0, 0, 50, 50, NULL, NULL));
    ASSERT_EQ(nullptr, ::GetParent(popup.m_hWnd));
    popup.SetImageChanged(TRUE);
    popup.OnMagnificationChanged();
    EXPECT_TRUE(popup.GetImageChanged());
    EXPECT_TRUE(Notifications().empty());
    popup.DestroyWindow();

    // And without any window at all.
    CTestPntCtrl bare;
    bare.SendMessageToOwner(CPntCtrl::m_nImageChangedMessage);
    EXPECT_TRUE(Notifications().empty());
}

TEST_F(PntCtrlNotifications, HooksAreCalledThroughTheVirtualTable)
{
    CHookCountingCtrl* pCtrl = new CHookCountingCtrl;
    ASSERT_TRUE(pCtrl->Create(CRect(0, 0, 100, 100), m_pFrame, 9));
    ASSERT_TRUE(pCtrl->GetDIBsection()->CreateBitmap(4, 4, 1, 24));
    pCtrl->SetImageChanged(TRUE);
    pCtrl->PreImageChange();
    EXPECT_TRUE(pCtrl->Undo());
    EXPECT_EQ(2, pCtrl->m_nImageChanged);
    EXPECT_TRUE(Notifications().empty());   // the override sends nothing

    CRect rc(3, 3, 1, 1);
    pCtrl->SetSelectionRect(&rc, TRUE);
    pCtrl->SetSelectionRect(&rc, FALSE);
    EXPECT_EQ(1, pCtrl->m_nSelectionChanged);

    // The status texts go through the overridden hook too, the idle text on destruction.
    pCtrl->ClearStatusMessage();
    pCtrl->DestroyWindow();
    EXPECT_EQ(2u, pCtrl->m_statusTexts.size());
    EXPECT_TRUE(StatusTexts().empty());
    delete pCtrl;
}

/////////////////////////////////////////////////////////////////////////////
// Status texts

class PntCtrlStatusText : public PaintFixture
{
};

TEST_F(PntCtrlStatusText, EachToolHasItsText)
{
    const char* texts[18] = {
        "",
        "Adjusts the selection rectangle for the image.",
        "Drag and drop the selected area within the image.",
        "Increases or decreases the magnification of the image.",
        "Fills an area.",
        "Draws using a pen with the current width.",
        "Erases using an eraser with the current width.",
        "Select a colour from the image",
        "Select Transparent Color from image",
        "Draws a line using the current pen width and colour.",
        "Draws text using the current pen colour.",
        "Paints with the airbrush in the current colour.",
        "Draws a rectangle using the current pen width and colour.",
        "Draws a rounded rectangle using the current pen width and colour.",
        "Draws an ellipse using the current pen width and colour.",
        "Draws a filled rectangle using the current pen width and colour.",
        "Draws a filled rounded rectangle using the current pen width and colour.",
        "Draws a filled ellipse using the current pen width and colour.",
    };
    for (int nTool = 0; nTool < 18; nTool++)
        EXPECT_STREQ(texts[nTool], (LPCTSTR)m_pCtrl->GetStatusMessage(nTool)) << nTool;
    EXPECT_TRUE(m_pCtrl->GetStatusMessage(18).IsEmpty());
    EXPECT_TRUE(m_pCtrl->GetStatusMessage(-1).IsEmpty());

    // The strings are the library's, found through the resource chain under their ids.
    char szText[128] = {};
    HINSTANCE hRes = AfxFindStringResourceHandle(28213);
    ASSERT_NE(nullptr, hRes);
    ASSERT_GT(::LoadStringA(hRes, 28213, szText, sizeof(szText)), 0);
    EXPECT_STREQ(texts[TOOL_TRANSCOLOURSAMPLER], szText);
}

TEST_F(PntCtrlStatusText, TextsReachTheMainFrame)
{
    m_pCtrl->OnSetStatusMessage("Drawing");
    ASSERT_EQ(1u, StatusTexts().size());
    EXPECT_EQ("Drawing", StatusTexts()[0]);

    // The idle text is the host's string 57345; this host has none, so the bar is emptied.
    CString strIdle;
    strIdle.LoadString(AFX_IDS_IDLEMESSAGE);
    m_pCtrl->ClearStatusMessage();
    ASSERT_EQ(2u, StatusTexts().size());
    EXPECT_EQ(std::string((LPCTSTR)strIdle), StatusTexts()[1]);
}

TEST_F(PntCtrlStatusText, NothingWhenTheMainWindowIsNoFrame)
{
    AfxGetApp()->m_pMainWnd = m_pCtrl;
    m_pCtrl->OnSetStatusMessage("lost");
    AfxGetApp()->m_pMainWnd = NULL;
    m_pCtrl->OnSetStatusMessage("lost");
    AfxGetApp()->m_pMainWnd = m_pFrame;
    EXPECT_TRUE(StatusTexts().empty());
}

TEST_F(PntCtrlStatusText, DestroyingTheWindowShowsTheIdleText)
{
    m_pCtrl->OnSetStatusMessage("busy");
    m_pCtrl->DestroyWindow();
    ASSERT_EQ(2u, StatusTexts().size());
    EXPECT_EQ("", StatusTexts()[1]);
}

/////////////////////////////////////////////////////////////////////////////
// The one-slot snapshot

class PntCtrlSnapshot : public PaintFixture
{
};

TEST_F(PntCtrlSnapshot, RestoreKeepsOrDiscardsTheSnapshot)
{
    CTestPntCtrl& c = *m_pCtrl;
    EXPECT_FALSE(c.RestoreState(FALSE));   // nothing saved yet
    ASSERT_TRUE(GiveImage(6, 4, 24, RGB(255, 255, 255)));
    imagetest::SetRawPixel(c.m_Image, 2, 1, 0x0000FF);   // blue
    ASSERT_TRUE(c.SaveState());
    ASSERT_NE(nullptr, c.m_pSavedState);

    imagetest::SetRawPixel(c.m_Image, 2, 1, 0xFF0000);   // red
    EXPECT_TRUE(c.RestoreState(FALSE));
    EXPECT_EQ(RGB(0, 0, 255), ImagePixel(2, 1));

    imagetest::SetRawPixel(c.m_Image, 3, 3, 0x00FF00);
    EXPECT_TRUE(c.RestoreState(FALSE));   // the same snapshot again
    EXPECT_EQ(RGB(255, 255, 255), ImagePixel(3, 3));
    EXPECT_EQ(RGB(0, 0, 255), ImagePixel(2, 1));

    imagetest::SetRawPixel(c.m_Image, 0, 0, 0x000000);
    EXPECT_TRUE(c.RestoreState(TRUE));
    EXPECT_EQ(RGB(255, 255, 255), ImagePixel(0, 0));
    EXPECT_EQ(nullptr, c.m_pSavedState);

    imagetest::SetRawPixel(c.m_Image, 0, 0, 0x000000);
    EXPECT_FALSE(c.RestoreState(TRUE));
    EXPECT_EQ(RGB(0, 0, 0), ImagePixel(0, 0));
    // The snapshot is no undo step.
    EXPECT_EQ(0, c.GetUndoListSize());
}

TEST_F(PntCtrlSnapshot, SavingReplacesThePreviousSnapshot)
{
    ASSERT_TRUE(GiveImage(5, 5, 8, RGB(255, 255, 255)));
    CTestPntCtrl& c = *m_pCtrl;
    ASSERT_TRUE(c.SaveState());
    c.m_Image.Clear(RGB(0, 0, 0));
    ASSERT_TRUE(c.SaveState());   // now of the black image
    c.m_Image.Clear(RGB(255, 255, 255));
    EXPECT_TRUE(c.RestoreState(TRUE));
    EXPECT_EQ(RGB(0, 0, 0), ImagePixel(4, 4));
    EXPECT_EQ(8, c.m_Image.GetBitCount());
}

/////////////////////////////////////////////////////////////////////////////
// Repainting setters and palette messages

class PntCtrlRepaint : public PaintFixture
{
protected:
    void Validate() { ::ValidateRect(m_pCtrl->m_hWnd, NULL); }
};

TEST_F(PntCtrlRepaint, SettersInvalidateOnlyWhenTheyChangeWhatIsShown)
{
    Validate();
    m_pCtrl->SetShowSelectionRect(TRUE);
    EXPECT_TRUE(IsInvalidated(m_pCtrl));

    Validate();
    m_pCtrl->SetTransparentColor(RGB(1, 2, 3));   // transparency is off
    EXPECT_FALSE(IsInvalidated(m_pCtrl));
    EXPECT_EQ(RGB(1, 2, 3), m_pCtrl->GetTransparentColor());

    m_pCtrl->SetTransparent(TRUE);
    EXPECT_TRUE(IsInvalidated(m_pCtrl));
    Validate();
    m_pCtrl->SetTransparentColor(RGB(4, 5, 6));
    EXPECT_TRUE(IsInvalidated(m_pCtrl));

    Validate();
    m_pCtrl->SetDisplayOnly(TRUE);
    m_pCtrl->SetPenWidth(5);
    EXPECT_FALSE(IsInvalidated(m_pCtrl));
}

TEST_F(PntCtrlRepaint, PaletteMessagesRepaintUnlessTheControlRealisedIt)
{
    Validate();
    m_pCtrl->SendMessage(WM_PALETTECHANGED, (WPARAM)m_pCtrl->m_hWnd);
    EXPECT_FALSE(IsInvalidated(m_pCtrl));
    m_pCtrl->SendMessage(WM_PALETTECHANGED, (WPARAM)m_pFrame->m_hWnd);
    EXPECT_TRUE(IsInvalidated(m_pCtrl));

    Validate();
    m_pCtrl->SendMessage(WM_QUERYNEWPALETTE);
    EXPECT_TRUE(IsInvalidated(m_pCtrl));
}

TEST_F(PntCtrlRepaint, SettingChangeRebuildsTheImagePalette)
{
    ASSERT_TRUE(GiveImage(4, 4, 8, RGB(255, 255, 255)));
    CPalette* pPalette = m_pCtrl->GetPalette();
    pPalette->DeleteObject();
    ASSERT_EQ(nullptr, pPalette->GetSafeHandle());
    m_pCtrl->SendMessage(WM_SETTINGCHANGE, 0, 0);
    ASSERT_NE(nullptr, pPalette->GetSafeHandle());
    EXPECT_GT(pPalette->GetEntryCount(), 0);

    // No image: nothing to rebuild, nothing breaks.
    m_pCtrl->GetDIBsection()->DeleteObject();
    m_pCtrl->SendMessage(WM_SETTINGCHANGE, 0, 0);
    EXPECT_EQ(nullptr, m_pCtrl->GetBitmap());
}

/////////////////////////////////////////////////////////////////////////////
// Selection and clearing

class PntCtrlSelection : public PaintFixture
{
};

TEST_F(PntCtrlSelection, SelectionIsNormalisedAndResetToTheWholeImage)
{
    ASSERT_TRUE(GiveImage(30, 20));
    CRect rc;
    m_pCtrl->GetSelectionRect(&rc);
    EXPECT_EQ(CRect(0, 0, 30, 20), rc);

    CRect rcBackwards(12, 15, 4, 3);
    m_pCtrl->SetSelectionRect(&rcBackwards, FALSE);
    m_pCtrl->GetSelectionRect(&rc);
    EXPECT_EQ(CRect(4, 3, 12, 15), rc);

    m_pCtrl->ResetSelectionRect();
    m_pCtrl->GetSelectionRect(&rc);
    EXPECT_EQ(CRect(0, 0, 30, 20), rc);

    m_pCtrl->SetSelectionRect(NULL, TRUE);   // ignored
    m_pCtrl->GetSelectionRect(&rc);
    EXPECT_EQ(CRect(0, 0, 30, 20), rc);

    // A shown selection repaints when it moves; a hidden one does not.
    ::ValidateRect(m_pCtrl->m_hWnd, NULL);
    m_pCtrl->SetSelectionRect(&rcBackwards, FALSE);
    EXPECT_FALSE(IsInvalidated(m_pCtrl));
    m_pCtrl->SetShowSelectionRect(TRUE);
    ::ValidateRect(m_pCtrl->m_hWnd, NULL);
    m_pCtrl->SetSelectionRect(&rcBackwards, FALSE);
    EXPECT_TRUE(IsInvalidated(m_pCtrl));
}

TEST_F(PntCtrlSelection, ClearRectUsesTheTransparentOrTheEraseColour)
{
    ASSERT_TRUE(GiveImage(10, 8, 24, RGB(0, 0, 0)));
    m_pCtrl->SetEraseColor(RGB(0, 255, 0));
    CRect rc(1, 1, 3, 2);
    ASSERT_TRUE(m_pCtrl->ClearRect(&rc, FALSE));
    EXPECT_EQ(RGB(0, 255, 0), ImagePixel(1, 1));
    EXPECT_EQ(RGB(0, 255, 0), ImagePixel(2, 1));
    EXPECT_EQ(RGB(0, 0, 0), ImagePixel(3, 1));   // right edge excluded
    EXPECT_EQ(RGB(0, 0, 0), ImagePixel(1, 2));   // bottom edge excluded
    // Without undo: no history entry, no notification.
    EXPECT_EQ(0, m_pCtrl->GetUndoListSize());
    EXPECT_TRUE(Notifications().empty());

    // A transparent colour wins, whether or not transparent display is on.
    m_pCtrl->SetTransparentColor(RGB(255, 0, 0));
    CRect rcSel(5, 5, 7, 7);
    m_pCtrl->SetSelectionRect(&rcSel, FALSE);
    ASSERT_TRUE(m_pCtrl->ClearRect(NULL, TRUE));   // the selection
    EXPECT_EQ(RGB(255, 0, 0), ImagePixel(5, 5));
    EXPECT_EQ(RGB(255, 0, 0), ImagePixel(6, 6));
    EXPECT_EQ(RGB(0, 0, 0), ImagePixel(7, 7));
    EXPECT_EQ(1, m_pCtrl->GetUndoListSize());
    EXPECT_EQ(1, NotifyCount(CPntCtrl::m_nImageChangedMessage));
    EXPECT_TRUE(m_pCtrl->GetImageChanged());

    // The undo step holds the image before the clear.
    EXPECT_TRUE(m_pCtrl->Undo());
    EXPECT_EQ(RGB(0, 0, 0), ImagePixel(5, 5));
}

TEST_F(PntCtrlSelection, ClearFallsBackToWhiteNotTheEraseColour)
{
    ASSERT_TRUE(GiveImage(6, 6, 24, RGB(0, 0, 0)));
    m_pCtrl->SetEraseColor(RGB(0, 255, 0));
    ASSERT_TRUE(m_pCtrl->Clear());
    for (int y = 0; y < 6; y++)
        for (int x = 0; x < 6; x++)
            ASSERT_EQ(RGB(255, 255, 255), ImagePixel(x, y)) << x << "," << y;
    EXPECT_EQ(1, m_pCtrl->GetUndoListSize());
    EXPECT_EQ(1, NotifyCount(CPntCtrl::m_nImageChangedMessage));

    m_pCtrl->SetTransparentColor(RGB(0, 0, 255));
    ASSERT_TRUE(m_pCtrl->Clear());
    EXPECT_EQ(RGB(0, 0, 255), ImagePixel(5, 5));
    EXPECT_EQ(2, NotifyCount(CPntCtrl::m_nImageChangedMessage));
}

TEST_F(PntCtrlSelection, ClearingWithoutAnImageFails)
{
    EXPECT_FALSE(m_pCtrl->ClearRect(NULL, TRUE));
    EXPECT_FALSE(m_pCtrl->Clear());
    CRect rc(0, 0, 5, 5);
    EXPECT_FALSE(m_pCtrl->ClearRect(&rc, FALSE));
    EXPECT_EQ(0, m_pCtrl->GetUndoListSize());
    EXPECT_TRUE(Notifications().empty());
    EXPECT_FALSE(m_pCtrl->GetImageChanged());
}
