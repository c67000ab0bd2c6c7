// GDI wrappers, device contexts, handle maps, the module state and the resource chain.
#include <afxwin.h>
#include <gtest/gtest.h>
#include "paint/PntCtrl.h"
#include "paint/PntMessages.h"

TEST(GdiObjects, PermanentAndTemporaryWrappers)
{
    CPen pen(PS_SOLID, 3, RGB(10, 20, 30));
    ASSERT_NE(nullptr, pen.GetSafeHandle());
    EXPECT_EQ(&pen, CPen::FromHandle((HPEN)pen.m_hObject));   // the permanent wrapper

    HBRUSH hForeign = ::CreateSolidBrush(RGB(1, 2, 3));
    CBrush* pTemp = CBrush::FromHandle(hForeign);
    ASSERT_NE(nullptr, pTemp);
    EXPECT_EQ((HGDIOBJ)hForeign, pTemp->m_hObject);
    EXPECT_EQ(pTemp, CBrush::FromHandle(hForeign));            // one wrapper per handle
    AfxLockTempMaps();
    EXPECT_TRUE(AfxUnlockTempMaps(TRUE));
    // Freeing the temporary wrapper must not delete the handle it wrapped.
    LOGBRUSH logBrush = {};
    EXPECT_EQ((int)sizeof(logBrush), ::GetObject(hForeign, sizeof(logBrush), &logBrush));
    EXPECT_EQ(RGB(1, 2, 3), logBrush.lbColor);
    ::DeleteObject(hForeign);

    LOGPEN logPen = {};
    EXPECT_EQ((int)sizeof(logPen), pen.GetLogPen(&logPen));
    EXPECT_EQ(3, logPen.lopnWidth.x);
    HGDIOBJ hPen = pen.Detach();
    EXPECT_EQ(nullptr, pen.GetSafeHandle());
    EXPECT_FALSE(pen.DeleteObject());
    EXPECT_TRUE(::DeleteObject(hPen));

    CGdiObject* pNull = nullptr;
    EXPECT_EQ(nullptr, pNull->GetSafeHandle());
    CDC* pNoDC = nullptr;
    EXPECT_EQ(nullptr, pNoDC->GetSafeHdc());
    CWnd* pNoWnd = nullptr;
    EXPECT_EQ(nullptr, pNoWnd->GetSafeHwnd());
}

TEST(GdiObjects, PaletteEntriesAndCount)
{
    struct
    {
        WORD palVersion;
        WORD palNumEntries;
        PALETTEENTRY entries[3];
    } logPalette = { 0x300, 3, { { 255, 0, 0, 0 }, { 0, 255, 0, 0 }, { 0, 0, 255, 0 } } };
    CPalette palette;
    ASSERT_TRUE(palette.CreatePalette((LPLOGPALETTE)&logPalette));
    EXPECT_EQ(3, palette.GetEntryCount());
    PALETTEENTRY entries[3] = {};
    EXPECT_EQ(3u, palette.GetPaletteEntries(0, 3, entries));
    EXPECT_EQ(255, entries[0].peRed);
    EXPECT_EQ(255, entries[2].peBlue);
    EXPECT_EQ(1u, palette.GetNearestPaletteIndex(RGB(0, 200, 10)));
}

TEST(DeviceContexts, MemoryDCSelectsAndDraws)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 8;
    info.bmiHeader.biHeight = 8;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* pBits = nullptr;
    HBITMAP hSection = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &pBits, NULL, 0);
    ASSERT_NE(nullptr, hSection);

    CBitmap* pOld = dc.SelectObject(CBitmap::FromHandle(hSection));
    ASSERT_NE(nullptr, pOld);
    dc.FillSolidRect(2, 2, 3, 3, RGB(200, 100, 50));
    EXPECT_EQ(RGB(200, 100, 50), dc.GetBkColor());   // FillSolidRect leaves its colour set
    ::GdiFlush();
    // Bottom-up 32-bit rows: picture row y is memory row 7 - y; pixels are B, G, R, 0.
    const DWORD* pPixels = static_cast<const DWORD*>(pBits);
    EXPECT_EQ(0x00C86432u, pPixels[(7 - 2) * 8 + 2]);
    EXPECT_EQ(0x00C86432u, pPixels[(7 - 4) * 8 + 4]);
    EXPECT_EQ(0u, pPixels[(7 - 5) * 8 + 5]);
    EXPECT_EQ(RGB(200, 100, 50), dc.GetPixel(3, 3));

    CPen pen(PS_SOLID, 1, RGB(0, 0, 255));
    CPen* pOldPen = dc.SelectObject(&pen);
    dc.MoveTo(0, 7);
    dc.LineTo(8, 7);
    dc.SelectObject(pOldPen);
    EXPECT_EQ(RGB(0, 0, 255), dc.GetPixel(7, 7));

    dc.SelectObject(pOld);
    EXPECT_TRUE(dc.DeleteDC());
    EXPECT_EQ(nullptr, dc.GetSafeHdc());
    ::DeleteObject(hSection);

    CWindowDC screen(nullptr);
    EXPECT_NE(nullptr, screen.GetSafeHdc());
    EXPECT_EQ(0, screen.GetDeviceCaps(RASTERCAPS) & RC_PALETTE);   // true-colour display here
}

TEST(ModuleState, TheLibraryIsAnExtensionModuleInTheChain)
{
    HMODULE hLibrary = ::GetModuleHandle(_T("mfcpaint.dll"));
    ASSERT_NE(nullptr, hLibrary);
    bool bFound = false;
    for (CDynLinkLibrary* pDLL = AfxGetModuleState()->m_pLibraryList; pDLL != nullptr; pDLL = pDLL->m_pNextDLL)
        bFound = bFound || (pDLL->m_hModule == hLibrary && pDLL->m_hResource == hLibrary);
    EXPECT_TRUE(bFound);

    // Static initialisation of the library registered its window messages.
    EXPECT_EQ(::RegisterWindowMessage(_T("_PAINT_CONTROL_IMAGE_CHANGED_")), CPntCtrl::m_nImageChangedMessage);
    EXPECT_EQ(::RegisterWindowMessage(_T("_PAINT_CONTROL_MAG_CHANGED_")), CPntCtrl::m_nMagnificationChangedMessage);
    EXPECT_EQ(::RegisterWindowMessage(_T("_PAINT_CONTROL_COLOUR_SAMPLER")), CPntCtrl::m_nColourSamplerMessage);
    EXPECT_EQ(::RegisterWindowMessage(_T("_PAINT_CONTROL_MODE_CHANGED")), CPntCtrl::m_nModeChangeMessage);
    EXPECT_EQ(::RegisterWindowMessage(_T("UPDATE_PAINT_STATUSBAR")), g_nPntUpdateStatusBarMessage);
    EXPECT_GE(CPntCtrl::m_nImageChangedMessage, 0xC000u);
}

TEST(ModuleState, ExtensionModulesJoinAndLeaveTheResourceChain)
{
    // The framework DLL stands in for a second extension module with string resources.
    AFX_EXTENSION_MODULE module = { FALSE, NULL, NULL, NULL, NULL };
    HINSTANCE hFramework = AfxGetFrameworkHandle();
    ASSERT_TRUE(AfxInitExtensionModule(module, hFramework));
    EXPECT_FALSE(AfxInitExtensionModule(module, hFramework));
    CDynLinkLibrary* pLibrary = new CDynLinkLibrary(module);
    EXPECT_EQ(pLibrary, AfxGetModuleState()->m_pLibraryList);   // newest first

    EXPECT_EQ(hFramework, AfxFindStringResourceHandle(AFX_IDS_RESOURCE_EXCEPTION));
    // A name no module holds falls back to the current resource module.
    EXPECT_EQ(AfxGetResourceHandle(), AfxFindResourceHandle(MAKEINTRESOURCE(4321), RT_BITMAP));

    AfxTermExtensionModule(module);
    for (CDynLinkLibrary* pDLL = AfxGetModuleState()->m_pLibraryList; pDLL != nullptr; pDLL = pDLL->m_pNextDLL)
        EXPECT_NE(pLibrary, pDLL);
    EXPECT_EQ(AfxGetInstanceHandle(), ::GetModuleHandle(NULL));
}

TEST(ModuleState, ApplicationThreadAndOle)
{
    ASSERT_NE(nullptr, AfxGetApp());
    EXPECT_EQ(AfxGetApp(), AfxGetThread());
    EXPECT_STREQ(_T("Paint library tests"), AfxGetAppName());
    EXPECT_EQ(nullptr, AfxGetMainWnd());

    _AFX_THREAD_STATE* pState = AfxGetThreadState();
    BOOL bWasInitialised = pState->m_bNeedTerm;
    ASSERT_TRUE(AfxOleInit());
    EXPECT_TRUE(pState->m_bNeedTerm);
    if (!bWasInitialised)
    {
        AfxOleTerm();
        EXPECT_FALSE(pState->m_bNeedTerm);
    }
}

TEST(ModuleState, RegisterClassOnceAndAgain)
{
    WNDCLASS wc = {};
    wc.lpfnWndProc = ::DefWindowProc;
    wc.hInstance = AfxGetInstanceHandle();
    wc.lpszClassName = _T("FrameworkTestClass");
    EXPECT_TRUE(AfxRegisterClass(&wc));
    EXPECT_TRUE(AfxRegisterClass(&wc));   // already registered: TRUE without registering again
    WNDCLASS found = {};
    EXPECT_TRUE(::GetClassInfo(wc.hInstance, _T("FrameworkTestClass"), &found));
    EXPECT_TRUE(::UnregisterClass(_T("FrameworkTestClass"), wc.hInstance));
}
