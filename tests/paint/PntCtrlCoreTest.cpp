// The paint control's core: class data, window class and creation, owner notifications,
// status texts, the image snapshot, repainting setters, palette messages, selection and clearing.
#include "PaintFixture.h"
#include <string.h>

TEST(PntCtrlClass, ClassDataAndRunTimeClass)
{
    const std::pair<LPCTSTR, UINT> messages[] = {
        { _T("_PAINT_CONTROL_IMAGE_CHANGED_"), CPntCtrl::m_nImageChangedMessage },
        { _T("_PAINT_CONTROL_MAG_CHANGED_"), CPntCtrl::m_nMagnificationChangedMessage },
        { _T("_PAINT_CONTROL_COLOUR_SAMPLER"), CPntCtrl::m_nColourSamplerMessage },
        { _T("_PAINT_CONTROL_MODE_CHANGED"), CPntCtrl::m_nModeChangeMessage },
    };
    for (const auto& m : messages)
        EXPECT_EQ(::RegisterWindowMessage(m.first), m.second) << CStringA(m.first).GetString();

    // The record is shared with the companion library's colour table: a COLORREF, then 64
    // characters of the build's width.
    ASSERT_EQ(4u + 64u * sizeof(TCHAR), sizeof(ColourEntries));
    const ColourEntries colours[16] = {
        { 0x000000, _T("Black") }, { 0xFFFFFF, _T("White") }, { 0xFF0000, _T("Blue") }, { 0x00FF00, _T("Bright green") },
        { 0xFFFF00, _T("Cyan") }, { 0x0000FF, _T("Red") }, { 0xFF00FF, _T("Magenta") }, { 0x00FFFF, _T("Yellow") },
        { 0x800000, _T("Dark Blue") }, { 0x008000, _T("Dark Green") }, { 0x808000, _T("Dark Cyan") },
        { 0x000080, _T("Dark red") }, { 0x800080, _T("Dark Magenta") }, { 0x008080, _T("Dark yellow") },
        { 0x808080, _T("Grey - 50%") }, { 0xC0C0C0, _T("Light grey") },
    };
    for (int i = 0; i < 16; i++)
    {
        EXPECT_EQ(colours[i].crColour, CPntCtrl::ms_StdColours[i].crColour) << i;
        EXPECT_STREQ(colours[i].szName, CPntCtrl::ms_StdColours[i].szName) << i;
    }

    CRuntimeClass* pClass = RUNTIME_CLASS(CPntCtrl);
    EXPECT_STREQ("CPntCtrl", pClass->m_lpszClassName);
    EXPECT_TRUE(pClass->IsDerivedFrom(RUNTIME_CLASS(CWnd)));
    EXPECT_EQ(pClass, CRuntimeClass::FromName("CPntCtrl"));
    CObject* pObject = pClass->CreateObject();
    EXPECT_TRUE(pObject != NULL && pObject->IsKindOf(pClass));
    delete pObject;
}

TEST(PntCtrlClass, SettersWorkBeforeTheWindowExists)
{
    CTestPntCtrl ctrl;
    ASSERT_TRUE(ctrl.GetDIBsection()->CreateBitmap(10, 10, 1, 24));
    EXPECT_FALSE(ctrl.SetMagnificationToFillWindow());
    ctrl.SetShowSelectionRect(TRUE);
    ctrl.SetTransparent(TRUE);
    ctrl.SetTransparentColor(RGB(1, 2, 3));
    ctrl.SetImageChanged(TRUE);   // no owner to tell
    ctrl.SetMagnification(300);
    ctrl.SetOrigin(2, 2);
    ctrl.SetShowGrid(FALSE, 300);
    ctrl.CentreImage(TRUE);       // needs the client area: ignored
    EXPECT_TRUE(ctrl.GetShowSelectionRect() && ctrl.GetTransparent() && ctrl.GetImageChanged());
    EXPECT_EQ(RGB(1, 2, 3), ctrl.GetTransparentColor());
    EXPECT_EQ(300u, ctrl.GetMagnification());
    EXPECT_FALSE(ctrl.GetShowGrid() || ctrl.ImageCentered());
}

TEST(PntCtrlClass, TextFontIsTheControlsOwnCopy)
{
    CTestPntCtrl ctrl;
    // At first a copy of the stock system font.
    LOGFONT lfSystem = {}, lf = {};
    ::GetObject(::GetStockObject(SYSTEM_FONT), sizeof(lfSystem), &lfSystem);
    ASSERT_EQ((int)sizeof(lf), ctrl.GetTextFont()->GetLogFont(&lf));
    EXPECT_NE(::GetStockObject(SYSTEM_FONT), ctrl.GetTextFont()->GetSafeHandle());
    EXPECT_EQ(lfSystem.lfHeight, lf.lfHeight);
    EXPECT_STREQ(lfSystem.lfFaceName, lf.lfFaceName);

    // The caller keeps, and frees, its own font. Bad fonts are refused.
    LOGFONT lfArial = {};
    lfArial.lfHeight = -21;
    lfArial.lfItalic = TRUE;
    _tcscpy_s(lfArial.lfFaceName, _countof(lfArial.lfFaceName), _T("Arial"));
    {
        CFont font;
        ASSERT_TRUE(font.CreateFontIndirect(&lfArial));
        EXPECT_TRUE(ctrl.SetTextFont(&font));
        EXPECT_NE(font.GetSafeHandle(), ctrl.GetTextFont()->GetSafeHandle());
    }
    CFont empty;
    EXPECT_FALSE(ctrl.SetTextFont(NULL));
    EXPECT_FALSE(ctrl.SetTextFont(&empty));
    ASSERT_EQ((int)sizeof(lf), ctrl.GetTextFont()->GetLogFont(&lf));
    EXPECT_EQ(-21, lf.lfHeight);
    EXPECT_TRUE(lf.lfItalic);
    EXPECT_STREQ(_T("Arial"), lf.lfFaceName);
}

/////////////////////////////////////////////////////////////////////////////
// Creation, owner notifications and status texts

class PntCtrlWindow : public PaintFixture
{
};

TEST_F(PntCtrlWindow, WindowClassAndCreation)
{
    WNDCLASS wc = {};
    ASSERT_TRUE(::GetClassInfo(AfxGetModuleState()->m_hCurrentInstanceHandle, _T("MFCPaintCtrl"), &wc));
    EXPECT_EQ(11u, wc.style);   // CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS
    EXPECT_EQ(0, wc.cbClsExtra + wc.cbWndExtra);
    EXPECT_EQ(nullptr, wc.hIcon);
    EXPECT_EQ(::LoadCursor(NULL, IDC_ARROW), wc.hCursor);
    EXPECT_EQ((HBRUSH)(COLOR_BTNFACE + 1), wc.hbrBackground);
    EXPECT_TRUE(m_pCtrl->RegisterWindowClass());   // registered once: a second time finds it
    TCHAR szClass[64] = {};
    ::GetClassName(m_pCtrl->m_hWnd, szClass, _countof(szClass));
    EXPECT_STREQ(_T("MFCPaintCtrl"), szClass);
    EXPECT_EQ((int)kCtrlId, m_pCtrl->GetDlgCtrlID());
    // Without an image Create leaves no scroll bar shown: the client area is the whole inside.
    EXPECT_EQ(CRect(0, 0, kClientWidth, kClientHeight), ClientRect());

    CTestPntCtrl ctrl;
    CWnd noWindow;   // a child window needs a parent window
    EXPECT_FALSE(ctrl.Create(CRect(0, 0, 50, 50), &noWindow, 5));
    EXPECT_EQ(nullptr, ctrl.GetSafeHwnd());
    EXPECT_TRUE(ctrl.Create(CRect(0, 0, 50, 50), m_pFrame, 5) && ctrl.DestroyWindow());
}

namespace
{
std::vector<NMHDR> g_dialogNotifications;

INT_PTR CALLBACK RecordingDialogProc(HWND, UINT message, WPARAM, LPARAM lParam)
{
    if (message == WM_NOTIFY)
        g_dialogNotifications.push_back(*(const NMHDR*)lParam);
    return message == WM_INITDIALOG;
}
}

TEST_F(PntCtrlWindow, ControlFromADialogTemplateWorksWithoutCreate)
{
    // A template with one control of class "MFCPaintCtrl" and id 77.
    std::vector<WORD> t;
    auto dword = [&t](DWORD v) { t.insert(t.end(), { LOWORD(v), HIWORD(v) }); };
    auto text = [&t](LPCWSTR s) { while (*s) t.push_back((WORD)*s++); t.push_back(0); };
    dword(WS_POPUP | WS_CAPTION);
    dword(0);
    t.insert(t.end(), { 1, 0, 0, 200, 150, 0, 0 });   // one item, position, size, no menu or class
    text(L"Paint");
    if (t.size() % 2)
        t.push_back(0);                               // items start on a DWORD boundary
    dword(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_HSCROLL | WS_VSCROLL);
    dword(0);
    t.insert(t.end(), { 5, 5, 150, 100, 77 });
    text(L"MFCPaintCtrl");
    t.insert(t.end(), { 0, 0 });                      // no title, no creation data

    CTestPntCtrl ctrl;   // constructing a control registers the class the dialog needs
    HWND hDlg = ::CreateDialogIndirectParam(AfxGetModuleState()->m_hCurrentInstanceHandle,
                                            (LPCDLGTEMPLATE)t.data(), m_pFrame->m_hWnd, RecordingDialogProc, 0);
    ASSERT_NE(nullptr, hDlg);
    HWND hItem = ::GetDlgItem(hDlg, 77);
    // The dialog attaches the window to its object; messages then reach the control's map.
    ASSERT_TRUE(ctrl.SubclassWindow(hItem));
    g_dialogNotifications.clear();
    ctrl.SetImageChanged(TRUE);
    ASSERT_EQ(1u, g_dialogNotifications.size());
    EXPECT_EQ(CPntCtrl::m_nImageChangedMessage, g_dialogNotifications[0].code);
    EXPECT_EQ(77u, g_dialogNotifications[0].idFrom);
    EXPECT_EQ(hItem, g_dialogNotifications[0].hwndFrom);
    // WM_DESTROY, routed through the map, clears the status bar of the main frame.
    ::DestroyWindow(hDlg);
    EXPECT_EQ(1u, StatusTexts().size());
}

TEST_F(PntCtrlWindow, SetImageChangedNotifiesTheOwnerElseTheParentElseNobody)
{
    m_pCtrl->SetImageChanged(TRUE);
    m_pCtrl->SetImageChanged(FALSE);   // silent
    EXPECT_FALSE(m_pCtrl->GetImageChanged());
    EXPECT_EQ(std::vector<UINT>{ CPntCtrl::m_nImageChangedMessage }, m_pFrame->m_codes);
    EXPECT_EQ((UINT_PTR)kCtrlId, m_pFrame->m_lastHeader.idFrom);
    EXPECT_EQ(m_pCtrl->m_hWnd, m_pFrame->m_lastHeader.hwndFrom);
    EXPECT_EQ((WPARAM)kCtrlId, m_pFrame->m_lastWParam);
    ClearRecords();

    CTestOwnerFrame* pOwner = new CTestOwnerFrame;
    ASSERT_TRUE(pOwner->Create(NULL, _T("Owner"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 100, 100)));
    m_pCtrl->SetOwner(pOwner);
    m_pCtrl->SetImageChanged(TRUE);
    EXPECT_EQ(1, pOwner->Count(CPntCtrl::m_nImageChangedMessage));
    pOwner->DestroyWindow();
    m_pCtrl->SetImageChanged(TRUE);   // an owner that is gone is not replaced by the parent

    CTestPntCtrl popup;
    ASSERT_TRUE(popup.CreateEx(0, _T("MFCPaintCtrl"), NULL, WS_POPUP, 0, 0, 50, 50, NULL, NULL));
    popup.SetImageChanged(TRUE);
    popup.SetMagnification(200);
    popup.DestroyWindow();
    EXPECT_TRUE(m_pFrame->m_codes.empty());
}

namespace
{
// A control whose hooks count their calls instead of doing their default work.
class CHookCountingCtrl : public CTestPntCtrl
{
public:
    int m_nImageChanged = 0, m_nSelectionChanged = 0, m_nStatusTexts = 0;

protected:
    void OnImageChanged() override { m_nImageChanged++; }
    void OnSelectionChanged() override { m_nSelectionChanged++; }
    void OnSetStatusMessage(LPCTSTR) override { m_nStatusTexts++; }
};
}

TEST_F(PntCtrlWindow, HooksAreCalledThroughTheVirtualTable)
{
    CHookCountingCtrl* pCtrl = new CHookCountingCtrl;
    ASSERT_TRUE(pCtrl->Create(CRect(0, 0, 100, 100), m_pFrame, 9));
    ASSERT_TRUE(pCtrl->GetDIBsection()->CreateBitmap(4, 4, 1, 24));
    pCtrl->SetImageChanged(TRUE);
    pCtrl->PreImageChange();
    EXPECT_TRUE(pCtrl->Undo());
    EXPECT_EQ(2, pCtrl->m_nImageChanged);
    CRect rc(3, 3, 1, 1);
    pCtrl->SetSelectionRect(&rc, TRUE);
    pCtrl->SetSelectionRect(&rc, FALSE);
    EXPECT_EQ(1, pCtrl->m_nSelectionChanged);
    // The status texts too, the idle text on destruction.
    pCtrl->ClearStatusMessage();
    pCtrl->DestroyWindow();
    EXPECT_EQ(2, pCtrl->m_nStatusTexts);
    EXPECT_TRUE(m_pFrame->m_codes.empty());
    EXPECT_TRUE(StatusTexts().empty());
    delete pCtrl;
}

TEST_F(PntCtrlWindow, EachToolHasItsStatusText)
{
    LPCTSTR texts[18] = {
        _T(""),
        _T("Adjusts the selection rectangle for the image."),
        _T("Drag and drop the selected area within the image."),
        _T("Increases or decreases the magnification of the image."),
        _T("Fills an area."),
        _T("Draws using a pen with the current width."),
        _T("Erases using an eraser with the current width."),
        _T("Select a colour from the image"),
        _T("Select Transparent Color from image"),
        _T("Draws a line using the current pen width and colour."),
        _T("Draws text using the current pen colour."),
        _T("Paints with the airbrush in the current colour."),
        _T("Draws a rectangle using the current pen width and colour."),
        _T("Draws a rounded rectangle using the current pen width and colour."),
        _T("Draws an ellipse using the current pen width and colour."),
        _T("Draws a filled rectangle using the current pen width and colour."),
        _T("Draws a filled rounded rectangle using the current pen width and colour."),
        _T("Draws a filled ellipse using the current pen width and colour."),
    };
    for (int nTool = 0; nTool < 18; nTool++)
        EXPECT_STREQ(texts[nTool], (LPCTSTR)m_pCtrl->GetStatusMessage(nTool)) << nTool;
    EXPECT_TRUE(m_pCtrl->GetStatusMessage(18).IsEmpty());
    EXPECT_TRUE(m_pCtrl->GetStatusMessage(-1).IsEmpty());
    // The strings are the library's, found through the resource chain under their ids.
    TCHAR szText[128] = {};
    ::LoadString(AfxFindStringResourceHandle(28213), 28213, szText, _countof(szText));
    EXPECT_STREQ(texts[TOOL_TRANSCOLOURSAMPLER], szText);
}

TEST_F(PntCtrlWindow, StatusTextsReachOnlyAMainFrame)
{
    m_pCtrl->OnSetStatusMessage(_T("Drawing"));
    AfxGetApp()->m_pMainWnd = m_pCtrl;   // no frame
    m_pCtrl->OnSetStatusMessage(_T("lost"));
    AfxGetApp()->m_pMainWnd = NULL;
    m_pCtrl->OnSetStatusMessage(_T("lost"));
    AfxGetApp()->m_pMainWnd = m_pFrame;
    // The idle text is the host's string 57345; this host has none, so the bar is emptied,
    // also when the window is destroyed.
    m_pCtrl->ClearStatusMessage();
    m_pCtrl->DestroyWindow();
    EXPECT_EQ((std::vector<CString>{ _T("Drawing"), _T(""), _T("") }), StatusTexts());
}

/////////////////////////////////////////////////////////////////////////////
// The one-slot snapshot, repainting, selection and clearing

TEST_F(PntCtrlWindow, SnapshotIsRestoredUntilDiscarded)
{
    CTestPntCtrl& c = *m_pCtrl;
    CDIBSection& image = *c.GetDIBsection();
    EXPECT_FALSE(c.RestoreState(FALSE));   // nothing saved yet
    ASSERT_TRUE(GiveImage(6, 4, 8));
    ASSERT_TRUE(c.SaveState());
    image.Clear(kBlack);
    ASSERT_TRUE(c.SaveState());            // replaces the first: now of the black image
    image.Clear(kWhite);
    EXPECT_TRUE(c.RestoreState(FALSE));
    EXPECT_EQ(0, PixelsOtherThan(kBlack));
    image.SetPixel(3, 3, kWhite);
    EXPECT_TRUE(c.RestoreState(FALSE));    // the same snapshot again
    EXPECT_EQ(kBlack, ImagePixel(3, 3));
    image.SetPixel(0, 0, kWhite);
    EXPECT_TRUE(c.RestoreState(TRUE));
    EXPECT_EQ(kBlack, ImagePixel(0, 0));
    EXPECT_EQ(8, image.GetBitCount());
    image.SetPixel(0, 0, kWhite);
    EXPECT_FALSE(c.RestoreState(TRUE));    // discarded
    EXPECT_EQ(kWhite, ImagePixel(0, 0));
    EXPECT_EQ(0, c.GetUndoListSize());     // the snapshot is no undo step
}

TEST_F(PntCtrlWindow, RepaintOnlyWhenWhatIsShownChanges)
{
    Validate();
    m_pCtrl->SetTransparentColor(RGB(1, 2, 3));   // transparency is off
    m_pCtrl->SetDisplayOnly(TRUE);
    m_pCtrl->SetPenWidth(5);
    m_pCtrl->SendMessage(WM_PALETTECHANGED, (WPARAM)m_pCtrl->m_hWnd);   // realised it itself
    EXPECT_FALSE(Invalidated());
    const std::function<void()> repainting[] = {
        [&] { m_pCtrl->SetShowSelectionRect(TRUE); },
        [&] { m_pCtrl->SetTransparent(TRUE); },
        [&] { m_pCtrl->SetTransparentColor(RGB(4, 5, 6)); },   // transparency is on now
        [&] { m_pCtrl->SendMessage(WM_PALETTECHANGED, (WPARAM)m_pFrame->m_hWnd); },
        [&] { m_pCtrl->SendMessage(WM_QUERYNEWPALETTE); },
    };
    for (size_t i = 0; i < 5; i++)
    {
        Validate();
        repainting[i]();
        EXPECT_TRUE(Invalidated()) << i;
    }

    // A change of system settings rebuilds the image's palette; without an image nothing breaks.
    ASSERT_TRUE(GiveImage(4, 4, 8));
    m_pCtrl->GetPalette()->DeleteObject();
    m_pCtrl->SendMessage(WM_SETTINGCHANGE, 0, 0);
    EXPECT_GT(m_pCtrl->GetPalette()->GetEntryCount(), 0);
    m_pCtrl->GetDIBsection()->DeleteObject();
    m_pCtrl->SendMessage(WM_SETTINGCHANGE, 0, 0);
}

TEST_F(PntCtrlWindow, SelectionIsNormalisedAndResetToTheWholeImage)
{
    EXPECT_EQ(CRect(0, 0, 0, 0), m_pCtrl->m_rcSelection);   // no image
    ASSERT_TRUE(GiveImage(30, 20));
    CRect rc, rcBackwards(12, 15, 4, 3);
    m_pCtrl->GetSelectionRect(&rc);
    EXPECT_EQ(CRect(0, 0, 30, 20), rc);
    m_pCtrl->SetSelectionRect(&rcBackwards, FALSE);
    m_pCtrl->SetSelectionRect(NULL, TRUE);   // ignored
    m_pCtrl->GetSelectionRect(&rc);
    EXPECT_EQ(CRect(4, 3, 12, 15), rc);
    m_pCtrl->ResetSelectionRect();
    EXPECT_EQ(CRect(0, 0, 30, 20), m_pCtrl->m_rcSelection);

    // A shown selection repaints when it moves; a hidden one does not.
    Validate();
    m_pCtrl->SetSelectionRect(&rcBackwards, FALSE);
    EXPECT_FALSE(Invalidated());
    m_pCtrl->SetShowSelectionRect(TRUE);
    Validate();
    m_pCtrl->SetSelectionRect(&rcBackwards, FALSE);
    EXPECT_TRUE(Invalidated());
}

TEST_F(PntCtrlWindow, ClearingUsesTheTransparentColourElseTheEraseColourOrWhite)
{
    CRect rc(1, 1, 3, 2);
    EXPECT_FALSE(m_pCtrl->ClearRect(NULL, TRUE));   // no image
    EXPECT_FALSE(m_pCtrl->ClearRect(&rc, FALSE));
    EXPECT_FALSE(m_pCtrl->Clear());
    EXPECT_EQ(0, m_pCtrl->GetUndoListSize());
    EXPECT_FALSE(m_pCtrl->GetImageChanged());

    ASSERT_TRUE(GiveImage(10, 8, 24, kBlack));
    m_pCtrl->SetEraseColor(kGreen);
    ASSERT_TRUE(m_pCtrl->ClearRect(&rc, FALSE));   // right and bottom edges excluded
    EXPECT_EQ(2, PixelsOtherThan(kBlack));
    EXPECT_EQ(kGreen, ImagePixel(2, 1));
    EXPECT_EQ(0, m_pCtrl->GetUndoListSize());      // without undo: no step, no notification
    // Clear falls back to white, not the erase colour, with an undo step.
    ASSERT_TRUE(m_pCtrl->Clear());
    EXPECT_EQ(0, PixelsOtherThan(kWhite));
    EXPECT_EQ(1, m_pCtrl->GetUndoListSize());
    EXPECT_EQ(1, ImageChanges());

    // A transparent colour wins for both, whether or not transparent display is on.
    m_pCtrl->SetTransparentColor(kRed);
    CRect rcSel(5, 5, 7, 7);
    m_pCtrl->SetSelectionRect(&rcSel, FALSE);
    ASSERT_TRUE(m_pCtrl->ClearRect(NULL, TRUE));   // the selection
    EXPECT_EQ(4, PixelsOtherThan(kWhite));
    EXPECT_EQ(kRed, ImagePixel(6, 6));
    EXPECT_EQ(2, m_pCtrl->GetUndoListSize());
    EXPECT_EQ(2, ImageChanges());
    EXPECT_TRUE(m_pCtrl->Undo());                  // the step holds the image before the clear
    EXPECT_EQ(0, PixelsOtherThan(kWhite));
    ASSERT_TRUE(m_pCtrl->Clear());
    EXPECT_EQ(0, PixelsOtherThan(kRed));
}
