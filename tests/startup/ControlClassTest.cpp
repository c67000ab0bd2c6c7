// The paint control's window class is there as soon as the library is loaded: a dialog
// template naming "MFCPaintCtrl" opens before any CPntCtrl has been made. This executable
// makes no CPntCtrl anywhere, so nothing but the library's start can have registered it.
#include <afxwin.h>
#include <gtest/gtest.h>
#include "paint/PntCtrl.h"
#include <vector>

namespace
{
const WORD kControlId = 101;

// The library as a host loads it: through a use of its exports (here a registered message
// number, read without making a control).
HINSTANCE LibraryInstance()
{
    static const UINT s_nMessage = CPntCtrl::m_nImageChangedMessage;
    return s_nMessage >= 0xC000 ? ::GetModuleHandle(_T("mfcpaint.dll")) : NULL;
}

// An in-memory dialog template: a 200 x 120 dialog with one child of class "MFCPaintCtrl".
std::vector<WORD> PaintDialogTemplate()
{
    std::vector<WORD> words;
    auto add = [&](const void* p, size_t bytes) {
        const WORD* w = (const WORD*)p;
        words.insert(words.end(), w, w + bytes / sizeof(WORD));
    };
    auto addText = [&](const wchar_t* psz) {
        for (; *psz != 0; ++psz)
            words.push_back((WORD)*psz);
        words.push_back(0);
    };
    DLGTEMPLATE dlg = {};
    dlg.style = WS_POPUP | WS_CAPTION | DS_MODALFRAME;
    dlg.cdit = 1;
    dlg.cx = 200;
    dlg.cy = 120;
    add(&dlg, sizeof(dlg));
    words.push_back(0);   // no menu
    words.push_back(0);   // the standard dialog class
    addText(L"Paint");
    if (words.size() % 2 != 0)
        words.push_back(0);   // items start on a DWORD boundary
    DLGITEMTEMPLATE item = {};
    item.style = WS_CHILD | WS_VISIBLE | WS_BORDER;
    item.x = 10;
    item.y = 10;
    item.cx = 150;
    item.cy = 90;
    item.id = kControlId;
    add(&item, sizeof(item));
    addText(L"MFCPaintCtrl");
    words.push_back(0);   // no title
    words.push_back(0);   // no creation data
    return words;
}

struct DialogResult
{
    bool bControlMade = false;
    TCHAR szClass[32] = {};
};

INT_PTR CALLBACK CheckAndClose(HWND hDlg, UINT nMsg, WPARAM, LPARAM lParam)
{
    if (nMsg == WM_INITDIALOG)
    {
        DialogResult* pResult = (DialogResult*)lParam;
        HWND hControl = ::GetDlgItem(hDlg, kControlId);
        pResult->bControlMade = hControl != NULL;
        if (hControl != NULL)
            ::GetClassName(hControl, pResult->szClass, _countof(pResult->szClass));
        ::EndDialog(hDlg, IDOK);
        return TRUE;
    }
    return FALSE;
}
}

TEST(ControlClass, IsRegisteredUnderTheProgramAndTheLibraryAtStart)
{
    ASSERT_NE(nullptr, LibraryInstance());
    WNDCLASS wc;
    EXPECT_TRUE(::GetClassInfo(::GetModuleHandle(NULL), _T("MFCPaintCtrl"), &wc));
    EXPECT_TRUE(::GetClassInfo(LibraryInstance(), _T("MFCPaintCtrl"), &wc));
}

TEST(ControlClass, ATemplateNamingItOpensBeforeAnyControlExists)
{
    std::vector<WORD> words = PaintDialogTemplate();
    // Created with the program's instance and with the library's: both find the class.
    for (HINSTANCE hInst : { ::GetModuleHandle(NULL), LibraryInstance() })
    {
        DialogResult result;
        INT_PTR nResult = ::DialogBoxIndirectParam(hInst, (LPCDLGTEMPLATE)words.data(), NULL, CheckAndClose,
                                                   (LPARAM)&result);
        EXPECT_EQ(IDOK, nResult) << "error " << ::GetLastError();
        EXPECT_TRUE(result.bControlMade);
        EXPECT_STREQ(_T("MFCPaintCtrl"), result.szClass);
    }
}
