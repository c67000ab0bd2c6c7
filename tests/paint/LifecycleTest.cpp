// The control's image lifecycle: replacing the image in every way the host can, files,
// CDib exchange, new images and resizing through the dimensions dialog, printing, and the
// control's window class in dialog templates.
#include "PaintFixture.h"
#include <afxdlgs.h>
#include "common/ModalAnswer.h"
#include "common/TestEnvironment.h"
#include "companion/Dib.h"
#include "resources/resource.h"

namespace
{
const TCHAR kDimensionsCaption[] = _T("Enter Bitmap Dimensions");
const int kWidthEdit = IDC_PNT_WIDTH, kHeightEdit = IDC_PNT_HEIGHT, kCropCheck = IDC_PNT_CROP, kDepthCombo = IDC_PNT_COLOURDEPTH;

// The image's colour-name list, opened to the tests.
struct CDIBSectionNames : CDIBSection
{
    using CDIBSection::m_pColorArray;
};

// What the dimensions dialog showed when it was answered.
struct DialogSeen
{
    CString strWidth, strHeight, strDepth;
    bool bCropEnabled = false;
};

// Answers the dimensions dialog: records what it shows, then types the size (when given),
// picks a depth index (when >= 0), ticks crop (when asked) and presses OK or Cancel.
struct DimensionsAnswer
{
    DialogSeen seen;
    testenv::ModalAnswer answer;
    DimensionsAnswer(LPCTSTR lpszWidth, LPCTSTR lpszHeight, int nDepthIndex, bool bCrop, int nButton)
        : answer(kDimensionsCaption, [=](HWND hDlg) {
              seen.strWidth = testenv::ItemString(hDlg, kWidthEdit);
              seen.strHeight = testenv::ItemString(hDlg, kHeightEdit);
              seen.strDepth = testenv::ItemString(hDlg, kDepthCombo);
              seen.bCropEnabled = testenv::ItemEnabled(hDlg, kCropCheck);
              if (lpszWidth != nullptr)
                  testenv::Type(hDlg, kWidthEdit, lpszWidth);
              if (lpszHeight != nullptr)
                  testenv::Type(hDlg, kHeightEdit, lpszHeight);
              if (nDepthIndex >= 0)
                  ::SendDlgItemMessage(hDlg, kDepthCombo, CB_SETCURSEL, nDepthIndex, 0);
              if (bCrop)
                  testenv::Click(hDlg, kCropCheck);
              testenv::Click(hDlg, nButton);
          })
    {
    }
};
}

class PntCtrlLifecycle : public PaintFixture
{
protected:
    // Leaves something to reset: one undo step, the changed flag, a small selection.
    void MakeHistory()
    {
        m_pCtrl->PreImageChange();
        m_pCtrl->SetImageChanged(TRUE);
        CRect rc(1, 1, 3, 3);
        m_pCtrl->SetSelectionRect(&rc, FALSE);
    }
    // The state every replacement leaves: no history, unchanged, the whole image selected.
    void ExpectReset()
    {
        EXPECT_FALSE(m_pCtrl->CanUndo());
        EXPECT_EQ(0, m_pCtrl->GetUndoListSize());
        EXPECT_FALSE(m_pCtrl->GetImageChanged());
        CRect rc;
        m_pCtrl->GetSelectionRect(&rc);
        CDIBSection* pImage = m_pCtrl->GetDIBsection();
        EXPECT_EQ(CRect(0, 0, pImage->GetWidth(), pImage->GetHeight()), rc);
    }
    CSize ImageSize() { return CSize(m_pCtrl->GetDIBsection()->GetWidth(), m_pCtrl->GetDIBsection()->GetHeight()); }
    // A 24-bit packed DIB whose pixel (x, y) is RGB(x, y, 7).
    static imagetest::Bytes Gradient(int cx, int cy, BITMAPINFOHEADER& bih)
    {
        ::ZeroMemory(&bih, sizeof(bih));
        bih.biSize = sizeof(bih);
        bih.biWidth = cx;
        bih.biHeight = cy;
        bih.biPlanes = 1;
        bih.biBitCount = 24;
        return imagetest::PackRows(cx, cy, 24, [](int x, int y) { return (DWORD)(7 | (y << 8) | (x << 16)); });
    }
};

TEST_F(PntCtrlLifecycle, EveryReplacementResetsHistorySelectionAndScrollBars)
{
    BITMAPINFOHEADER bih;
    imagetest::Bytes bits = Gradient(900, 700, bih);
    MakeHistory();
    ASSERT_TRUE(m_pCtrl->SetBitmap((BITMAPINFO*)&bih, bits.data()));
    ExpectReset();
    EXPECT_EQ(RGB(20, 30, 7), ImagePixel(20, 30));
    EXPECT_GT(m_pCtrl->m_nHScrollRange, 0);   // 900 x 700 at 100 % overflows 400 x 300
    EXPECT_GT(m_pCtrl->m_nVScrollRange, 0);

    // A bitmap handle: the pixels are taken as they are, with no palette of the caller's.
    HBITMAP hBitmap = ::CreateBitmap(4, 3, 1, 1, NULL);
    MakeHistory();
    ASSERT_TRUE(m_pCtrl->SetBitmap(hBitmap));
    ::DeleteObject(hBitmap);
    ExpectReset();
    EXPECT_EQ(CSize(4, 3), ImageSize());
    EXPECT_EQ(0, m_pCtrl->m_nHScrollRange + m_pCtrl->m_nVScrollRange);

    // Failures still reset: a resource that is not there, a null handle.
    MakeHistory();
    EXPECT_FALSE(m_pCtrl->SetBitmap((UINT)28139 + 900));
    ExpectReset();
    EXPECT_FALSE(m_pCtrl->SetBitmap(_T("NoSuchBitmap")));
    EXPECT_FALSE(m_pCtrl->SetBitmap((HBITMAP)NULL));
    EXPECT_EQ(NULL, m_pCtrl->GetBitmap());
    CRect rc;
    m_pCtrl->GetSelectionRect(&rc);
    EXPECT_EQ(CRect(0, 0, 0, 0), rc);
}

TEST_F(PntCtrlLifecycle, CreateBitmapPassesTheColourNamesAndResets)
{
    CStringArray names;
    names.Add(_T("Ink"));
    m_pCtrl->SetColorArray(&names);
    MakeHistory();
    ASSERT_TRUE(m_pCtrl->CreateBitmap(30, 20, 1, 4, NULL, NULL));
    ExpectReset();
    EXPECT_EQ(CSize(30, 20), ImageSize());
    EXPECT_EQ(4, m_pCtrl->GetDIBsection()->GetBitCount());
    EXPECT_EQ(&names, static_cast<CDIBSectionNames*>(m_pCtrl->GetDIBsection())->m_pColorArray);
    EXPECT_FALSE(m_pCtrl->CreateBitmap(0, 20, 1, 8, NULL, NULL));
    m_pCtrl->SetColorArray(NULL);
}

TEST_F(PntCtrlLifecycle, FilesLoadAndSaveWithoutTouchingTheChangedState)
{
    ASSERT_TRUE(GiveImage(6, 5, 24, kRed));
    const CString path(testenv::OutputPath("lifecycle-save.bmp").c_str());
    MakeHistory();
    ASSERT_TRUE(m_pCtrl->Save(path));
    EXPECT_TRUE(m_pCtrl->GetImageChanged());   // saving is the host's business to record
    EXPECT_TRUE(m_pCtrl->CanUndo());

    ASSERT_TRUE(GiveImage(2, 2));
    MakeHistory();
    ASSERT_TRUE(m_pCtrl->Load(path));
    ExpectReset();
    EXPECT_EQ(CSize(6, 5), ImageSize());
    EXPECT_EQ(kRed, ImagePixel(5, 4));

    // A missing file and a refused one: FALSE, and the history is emptied all the same.
    MakeHistory();
    EXPECT_FALSE(m_pCtrl->Load(CString(testenv::OutputPath("no-such-file.bmp").c_str())));
    EXPECT_FALSE(m_pCtrl->CanUndo());
    EXPECT_FALSE(m_pCtrl->GetImageChanged());
    if (!testenv::BmpSuiteDir().empty())
    {
        ASSERT_TRUE(m_pCtrl->Load(path));
        MakeHistory();
        EXPECT_FALSE(m_pCtrl->Load(CString((testenv::BmpSuiteDir() + "\\b\\badheadersize.bmp").c_str())));
        EXPECT_FALSE(m_pCtrl->CanUndo());
        EXPECT_FALSE(m_pCtrl->GetImageChanged());
    }
}

TEST_F(PntCtrlLifecycle, CDibExchangeCopiesPixelsBothWays)
{
    BITMAPINFOHEADER bih;
    imagetest::Bytes bits = Gradient(12, 9, bih);
    ASSERT_TRUE(m_pCtrl->SetBitmap((BITMAPINFO*)&bih, bits.data()));

    CDib dib;
    EXPECT_FALSE(m_pCtrl->GetCDibFromBitmap(NULL, 0));
    ASSERT_TRUE(m_pCtrl->GetCDibFromBitmap(&dib, DIB_RGB_COLORS));
    ASSERT_EQ(12, dib.GetWidth());
    ASSERT_EQ(9, dib.GetHeight());
    // Bottom-up rows: image row 2 is DIB row 9 - 1 - 2.
    const BYTE* pRow = (const BYTE*)dib.GetBits() + (9 - 1 - 2) * dib.GetStride();
    EXPECT_EQ(RGB(5, 2, 7), RGB(pRow[3 * 5 + 2], pRow[3 * 5 + 1], pRow[3 * 5]));

    // Back into the control, from a CDib that the caller keeps.
    ASSERT_TRUE(GiveImage(3, 3));
    MakeHistory();
    ASSERT_TRUE(m_pCtrl->SetBitmapFromCDib(&dib));
    ExpectReset();
    EXPECT_EQ(RGB(11, 8, 7), ImagePixel(11, 8));
    EXPECT_NE(dib.GetBits(), m_pCtrl->GetDIBits());
    EXPECT_EQ(m_pCtrl->GetDIBsection()->GetBitmapInfo(), m_pCtrl->GetBitmapInfo());

    EXPECT_FALSE(m_pCtrl->SetBitmapFromCDib(NULL));
    EXPECT_EQ(NULL, m_pCtrl->GetBitmap());
}

TEST_F(PntCtrlLifecycle, NewImageIsAskedForWithDefaults)
{
    ASSERT_TRUE(GiveImage(10, 10, 24, kRed));
    {
        DimensionsAnswer answer(nullptr, nullptr, -1, false, IDCANCEL);
        EXPECT_FALSE(m_pCtrl->PromptNewBitmap(-1, -1, -1));
        ASSERT_TRUE(answer.answer.Answered());
        EXPECT_EQ(CString(_T("32")), answer.seen.strWidth);
        EXPECT_EQ(CString(_T("32")), answer.seen.strHeight);
        EXPECT_EQ(CString(_T("256 Colors")), answer.seen.strDepth);
        EXPECT_FALSE(answer.seen.bCropEnabled);
    }
    EXPECT_EQ(kRed, ImagePixel(0, 0));   // cancelled: nothing changed
    LPCTSTR kUnusable[][2] = { { _T("0"), _T("20") }, { _T("20"), _T("-5") }, { _T("40000"), _T("40000") } };
    for (const auto& size : kUnusable)
    {
        DimensionsAnswer answer(size[0], size[1], -1, false, IDOK);
        EXPECT_FALSE(m_pCtrl->PromptNewBitmap(-1, -1, -1));
        EXPECT_EQ(kRed, ImagePixel(0, 0));   // a size no image can have keeps the picture
    }

    MakeHistory();
    DimensionsAnswer answer(_T("48"), _T("16"), 0, false, IDOK);
    ASSERT_TRUE(m_pCtrl->PromptNewBitmap(20, 30, 24));
    EXPECT_EQ(CString(_T("20")), answer.seen.strWidth);
    EXPECT_EQ(CString(_T("True Color")), answer.seen.strDepth);
    ExpectReset();
    EXPECT_EQ(CSize(48, 16), ImageSize());
    EXPECT_EQ(1, m_pCtrl->GetDIBsection()->GetBitCount());
}

TEST_F(PntCtrlLifecycle, ResizeKeepsPixelsFromTheOriginAndIsOneUndoStep)
{
    BITMAPINFOHEADER bih;
    imagetest::Bytes bits = Gradient(60, 70, bih);
    ASSERT_TRUE(m_pCtrl->SetBitmap((BITMAPINFO*)&bih, bits.data()));

    // Whole-image selection: crop is not offered. A smaller size at 16 bits keeps the corner.
    {
        DimensionsAnswer answer(_T("25"), _T("15"), 3, false, IDOK);
        ASSERT_TRUE(m_pCtrl->Resize());
        EXPECT_FALSE(answer.seen.bCropEnabled);
        EXPECT_EQ(CString(_T("60")), answer.seen.strWidth);
        EXPECT_EQ(CString(_T("True Color")), answer.seen.strDepth);
    }
    EXPECT_EQ(CSize(25, 15), ImageSize());
    EXPECT_EQ(16, m_pCtrl->GetDIBsection()->GetBitCount());
    EXPECT_EQ(RGB(24 & 0xF8, 14 & 0xF8, 7 & 0xF8), ImagePixel(24, 14));   // 5 bits a channel
    EXPECT_TRUE(m_pCtrl->GetImageChanged());
    EXPECT_EQ(1, ImageChanges());
    CRect rc;
    m_pCtrl->GetSelectionRect(&rc);
    EXPECT_EQ(CRect(0, 0, 25, 15), rc);

    // Undo brings back the former size and depth.
    ASSERT_TRUE(m_pCtrl->Undo());
    EXPECT_EQ(CSize(60, 70), ImageSize());
    EXPECT_EQ(24, m_pCtrl->GetDIBsection()->GetBitCount());

    // A shown selection that is not the whole image: crop to it, at the depth chosen.
    ASSERT_TRUE(m_pCtrl->SetBitmap((BITMAPINFO*)&bih, bits.data()));
    m_pCtrl->SetShowSelectionRect(TRUE);
    rc.SetRect(10, 20, 50, 60);
    m_pCtrl->SetSelectionRect(&rc, FALSE);
    {
        DimensionsAnswer answer(_T("5"), _T("5"), 4, true, IDOK);
        ASSERT_TRUE(m_pCtrl->Resize());
        EXPECT_TRUE(answer.seen.bCropEnabled);
    }
    EXPECT_EQ(CSize(40, 40), ImageSize());
    EXPECT_EQ(RGB(10, 20, 7), ImagePixel(0, 0));
    EXPECT_EQ(RGB(49, 59, 7), ImagePixel(39, 39));

    // The same selection while hidden: no crop; Cancel changes nothing.
    m_pCtrl->SetShowSelectionRect(FALSE);
    m_pCtrl->SetSelectionRect(&rc, FALSE);
    const int nHistory = m_pCtrl->GetUndoListSize();
    {
        DimensionsAnswer answer(nullptr, nullptr, -1, false, IDCANCEL);
        EXPECT_FALSE(m_pCtrl->Resize());
        EXPECT_FALSE(answer.seen.bCropEnabled);
    }
    EXPECT_EQ(CSize(40, 40), ImageSize());
    EXPECT_EQ(nHistory, m_pCtrl->GetUndoListSize());
}

TEST_F(PntCtrlLifecycle, ResizeWithoutAnImageAsksForANewOne)
{
    ASSERT_FALSE(m_pCtrl->SetBitmap((HBITMAP)NULL));
    DimensionsAnswer answer(nullptr, nullptr, -1, false, IDOK);
    ASSERT_TRUE(m_pCtrl->Resize());
    EXPECT_EQ(CString(_T("256 Colors")), answer.seen.strDepth);
    EXPECT_EQ(CSize(32, 32), ImageSize());
    EXPECT_EQ(8, m_pCtrl->GetDIBsection()->GetBitCount());
    EXPECT_FALSE(m_pCtrl->CanUndo());
}

TEST(PntCtrlWindowClass, LibraryTemplateFindsTheClassUnderEitherInstance)
{
    CPntCtrl registrar;   // the first control registers the class
    HINSTANCE hExe = ::GetModuleHandle(NULL);
    HINSTANCE hLibrary = ::GetModuleHandle(_T("mfcpaint.dll"));
    ASSERT_NE((HINSTANCE)NULL, hLibrary);
    HRSRC hResource = ::FindResource(hExe, MAKEINTRESOURCE(300), RT_DIALOG);
    ASSERT_NE((HRSRC)NULL, hResource);
    LPCDLGTEMPLATE pTemplate = (LPCDLGTEMPLATE)::LockResource(::LoadResource(hExe, hResource));
    for (HINSTANCE hInst : { hExe, hLibrary })
    {
        HWND hDlg = ::CreateDialogIndirect(hInst, pTemplate, NULL, [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR {
            return FALSE;
        });
        ASSERT_NE((HWND)NULL, hDlg);
        TCHAR szClass[32] = _T("");
        ::GetClassName(::GetDlgItem(hDlg, 301), szClass, _countof(szClass));
        EXPECT_STREQ(_T("MFCPaintCtrl"), szClass);
        ::DestroyWindow(hDlg);
    }
}

TEST_F(PntCtrlLifecycle, PrintWithoutAConfirmedPrinterReturnsFalse)
{
    // With no printer the system says so in a box captioned "Print" and the dialog fails; with
    // one, the real dialog opens and is cancelled. Either way nothing is printed.
    ASSERT_TRUE(GiveImage(10, 10));
    testenv::ModalAnswer answer(_T("Print"), [](HWND hDlg) {
        bool bRealDialog = ::GetDlgItem(hDlg, IDCANCEL) != NULL;
        testenv::Click(hDlg, bRealDialog ? IDCANCEL : IDOK);
    });
    EXPECT_FALSE(m_pCtrl->Print());
    EXPECT_TRUE(answer.Answered());
}

TEST_F(PntCtrlLifecycle, PageIsPrintedOnlyOnAGoodJob)
{
    // A memory DC is no printer: StartDoc fails, the document is aborted and no page drawn.
    ASSERT_TRUE(GiveImage(10, 10, 24, kRed));
    CDIBSection target;
    ASSERT_TRUE(target.CreateBitmap(40, 40, 1, 24));
    ASSERT_TRUE(target.Clear(kWhite));
    CDC* pDC = target.GetMemoryDC(NULL, FALSE);
    ASSERT_NE(nullptr, pDC);
    EXPECT_FALSE(m_pCtrl->PrintPage(pDC));
    target.ReleaseMemoryDC();
    for (DWORD v : imagetest::RawPixels(target))
        ASSERT_EQ(0xFFFFFFu, v);
}
