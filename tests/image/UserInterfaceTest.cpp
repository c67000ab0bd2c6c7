// CDIBSection's questions and messages go through the interface the host installs: a paste
// that needs converting asks the host (and shows no dialog of its own), an OLE start-up
// failure is told to the host, and the library's own interface, installed by default, still
// shows the image settings dialog.
#include "ImageTestSupport.h"
#include "image/DIBSectionUI.h"
#include "common/ModalAnswer.h"
#include <gtest/gtest.h>
#include <string.h>
#include <vector>

using namespace imagetest;

namespace
{
const char kDialogCaption[] = "Image Settings";

DWORD Quad(COLORREF cr) { return (GetRValue(cr) << 16) | (GetGValue(cr) << 8) | GetBValue(cr); }

// Puts a packed 24-bit DIB of colour(x, y) on the clipboard as CF_DIB.
void PutDIBOnClipboard(int cx, int cy, const std::function<COLORREF(int, int)>& colour)
{
    const Bytes file = MakeBmp(cx, cy, 24, BI_RGB, Bytes(), PackRows(cx, cy, 24, [&](int x, int y) { return Quad(colour(x, y)); }));
    const Bytes dib(file.begin() + 14, file.end());
    ASSERT_TRUE(::OpenClipboard(NULL));
    ::EmptyClipboard();
    HGLOBAL hBlock = ::GlobalAlloc(GMEM_MOVEABLE, dib.size());
    ASSERT_NE(nullptr, hBlock);
    memcpy(::GlobalLock(hBlock), dib.data(), dib.size());
    ::GlobalUnlock(hBlock);
    ::SetClipboardData(CF_DIB, hBlock);
    ::CloseClipboard();
}

// A host's interface that records what it is asked, and converts pastes into a picture of
// one palette index (or refuses them).
class CRecordingUI : public IDIBSectionUI
{
public:
    int nErrors = 0;
    CString strLastError;
    int nConversions = 0;
    int nAskedBitCount = 0;
    bool bGot256Table = false;
    LONG nPastedWidth = 0, nPastedHeight = 0;
    bool bConvert = true;
    BYTE nIndex = 0;

    virtual void ShowError(LPCTSTR pszMessage)
    {
        nErrors++;
        strLastError = pszMessage;
    }

    virtual HGLOBAL ConvertPastedDIB(HGLOBAL hDIB, int nBitCount, COLORREF*, COLORREF* pTable256, CStringArray*)
    {
        nConversions++;
        nAskedBitCount = nBitCount;
        bGot256Table = pTable256 != NULL;
        if (const BITMAPINFOHEADER* pHeader = (const BITMAPINFOHEADER*)::GlobalLock(hDIB))
        {
            nPastedWidth = pHeader->biWidth;
            nPastedHeight = pHeader->biHeight;
            ::GlobalUnlock(hDIB);
        }
        if (!bConvert || pTable256 == NULL)
            return NULL;
        // An 8-bit picture of the pasted size, every pixel the index nIndex, with the image's table.
        Bytes quads;
        for (int i = 0; i < 256; i++)
            quads = quads + Dwords({Quad(pTable256[i])});
        const Bytes file = MakeBmp(nPastedWidth, nPastedHeight, 8, BI_RGB, quads,
                                   PackRows(nPastedWidth, nPastedHeight, 8, [&](int, int) { return (DWORD)nIndex; }));
        HGLOBAL hOut = ::GlobalAlloc(GMEM_MOVEABLE, file.size() - 14);
        if (hOut != NULL)
        {
            memcpy(::GlobalLock(hOut), file.data() + 14, file.size() - 14);
            ::GlobalUnlock(hOut);
        }
        return hOut;
    }
};

// Installs an interface for the length of a scope and puts the previous one back.
class CInstalledUI
{
public:
    explicit CInstalledUI(IDIBSectionUI* pUI) : m_pPrevious(CDIBSection::SetUserInterface(pUI)) {}
    ~CInstalledUI() { CDIBSection::SetUserInterface(m_pPrevious); }
    IDIBSectionUI* Previous() const { return m_pPrevious; }

private:
    IDIBSectionUI* m_pPrevious;
};

// An 8-bit image of 16 x 10 in the distinct colours of MakeLogPalette, every pixel index 3.
void MakeEightBitImage(CDIBSection& img, LogPalette256& palette)
{
    palette = MakeLogPalette(256, 0);
    ASSERT_TRUE(img.CreateBitmap(16, 10, 1, 8, PackRows(16, 10, 8, [](int, int) { return (DWORD)3; }).data(), palette.Get()));
}
}

TEST(DIBSectionUserInterface, APasteThatNeedsConvertingAsksTheHostAndShowsNoDialog)
{
    CRecordingUI ui;
    ui.nIndex = 200;
    CInstalledUI installed(&ui);
    LogPalette256 palette;
    CDIBSection img;
    MakeEightBitImage(img, palette);
    PutDIBOnClipboard(5, 4, [](int x, int y) { return RGB(10 * x, 20 * y, 99); });

    testenv::ModalAnswer answer(kDialogCaption, [](HWND hDlg) { testenv::Click(hDlg, IDCANCEL); });
    EXPECT_TRUE(img.GetClipDitheredData(NULL));
    EXPECT_FALSE(answer.Answered());

    EXPECT_EQ(1, ui.nConversions);
    EXPECT_EQ(8, ui.nAskedBitCount);
    EXPECT_TRUE(ui.bGot256Table);
    EXPECT_EQ(5, ui.nPastedWidth);
    EXPECT_EQ(4, ui.nPastedHeight);
    // The host's picture went in, and only where the pasted picture lies.
    for (int y = 0; y < 10; y++)
        for (int x = 0; x < 16; x++)
            EXPECT_EQ((x < 5 && y < 4) ? 200u : 3u, RawPixel(img, x, y)) << x << "," << y;
}

TEST(DIBSectionUserInterface, AHostThatRefusesTheConversionLeavesTheImageAlone)
{
    CRecordingUI ui;
    ui.bConvert = false;
    CInstalledUI installed(&ui);
    LogPalette256 palette;
    CDIBSection img;
    MakeEightBitImage(img, palette);
    PutDIBOnClipboard(5, 4, [](int, int) { return RGB(1, 2, 3); });

    testenv::ModalAnswer answer(kDialogCaption, [](HWND hDlg) { testenv::Click(hDlg, IDOK); });
    EXPECT_FALSE(img.GetClipDitheredData(NULL));
    EXPECT_FALSE(answer.Answered());
    EXPECT_EQ(1, ui.nConversions);
    for (int y = 0; y < 10; y++)
        for (int x = 0; x < 16; x++)
            EXPECT_EQ(3u, RawPixel(img, x, y)) << x << "," << y;
}

// OLE refuses a single-threaded start on a thread already in the multithreaded apartment:
// an image made there tells the host, once.
TEST(DIBSectionUserInterface, AnOleStartFailureIsToldToTheHost)
{
    CRecordingUI ui;
    CInstalledUI installed(&ui);
    struct Outcome
    {
        HRESULT hrApartment;
        CRecordingUI* pUI;
    } outcome = {E_FAIL, &ui};
    HANDLE hThread = ::CreateThread(
        NULL, 0,
        [](LPVOID pv) -> DWORD {
            Outcome* p = (Outcome*)pv;
            p->hrApartment = ::CoInitializeEx(NULL, COINIT_MULTITHREADED);
            {
                CDIBSection img;
            }
            if (SUCCEEDED(p->hrApartment))
                ::CoUninitialize();
            return 0;
        },
        &outcome, 0, NULL);
    ASSERT_NE(nullptr, hThread);
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(hThread, INFINITE));
    ::CloseHandle(hThread);

    ASSERT_TRUE(SUCCEEDED(outcome.hrApartment));
    EXPECT_EQ(1, ui.nErrors);
    EXPECT_NE(-1, ui.strLastError.Find(_T("OLE")));
}

// The library's own interface is installed when it is loaded: the conversion goes through
// the image settings dialog, as it always has.
TEST(DIBSectionUserInterface, TheLibrarysOwnInterfaceShowsTheImageSettingsDialog)
{
    CRecordingUI ui;
    CInstalledUI installed(&ui);
    ASSERT_NE(nullptr, installed.Previous());
    CInstalledUI library(installed.Previous());

    LogPalette256 palette;
    CDIBSection img;
    MakeEightBitImage(img, palette);
    PutDIBOnClipboard(5, 4, [](int, int) { return RGB(1, 2, 3); });
    testenv::ModalAnswer answer(kDialogCaption, [](HWND hDlg) { testenv::Click(hDlg, IDCANCEL); });
    EXPECT_FALSE(img.GetClipDitheredData(NULL));
    EXPECT_TRUE(answer.Answered());
    EXPECT_EQ(0, ui.nConversions);
}
