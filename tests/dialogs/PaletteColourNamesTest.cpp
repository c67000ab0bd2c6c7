// The colour names that the bitmap editor's foreground picker is given: the "R r G g B b" names
// made for the host's popup colours and the standard colours' names, read from the picker
// itself and compared with text formatted here. Both arrive as TCHAR text in either build.
#include <afxext.h>
#include <gtest/gtest.h>
#include <string.h>
#include <tchar.h>
#include <vector>
#include "DialogDriver.h"
#include "companion/ColourPicker.h"
#include "dialogs/DesBmpEditDlg.h"
#include "common/TestStrings.h"
#include "resources/resource.h"
#include "toolpalette/PntToolCommands.h"

namespace
{
// A DIB section of nBits (1, 4 or 8) per pixel with a grey colour table.
HBITMAP MakeIndexedBitmap(int cx, int cy, int nBits)
{
    struct
    {
        BITMAPINFOHEADER bmiHeader;
        RGBQUAD bmiColors[256];
    } info;
    memset(&info, 0, sizeof(info));
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = cx;
    info.bmiHeader.biHeight = cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = (WORD)nBits;
    info.bmiHeader.biCompression = BI_RGB;
    const int nColours = 1 << nBits;
    for (int i = 0; i < nColours; i++)
    {
        BYTE v = (BYTE)(i * 255 / (nColours - 1));
        info.bmiColors[i].rgbRed = info.bmiColors[i].rgbGreen = info.bmiColors[i].rgbBlue = v;
    }
    void* pBits = NULL;
    return ::CreateDIBSection(NULL, (BITMAPINFO*)&info, DIB_RGB_COLORS, &pBits, NULL, 0);
}

// What the dialog's foreground picker holds once the dialog is shown: its colours and names.
struct PickerContents
{
    bool bFound = false;
    std::vector<COLORREF> colours;
    std::vector<CString> names;
};

PickerContents ReadForegroundPicker(CDesBmpEditDlg& dlg)
{
    PickerContents contents;
    dlgtest::RunModal(dlg, [&](HWND hDlg) {
        HWND hPalette = ::FindWindowEx(hDlg, NULL, TOOLBARCLASSNAME, NULL);
        HWND hPicker = hPalette != NULL ? ::GetDlgItem(hPalette, ID_PNT_FORECOLOUR) : NULL;
        CColourPicker* pPicker = DYNAMIC_DOWNCAST(CColourPicker, CWnd::FromHandlePermanent(hPicker));
        if (pPicker != NULL)
        {
            contents.bFound = true;
            for (int i = 0; i < pPicker->GetColourCount(); i++)
                contents.colours.push_back(pPicker->GetColourAt(i));
            for (int i = 0; i < pPicker->m_arrColourNames.GetSize(); i++)
                contents.names.push_back(pPicker->m_arrColourNames[i]);
        }
        testenv::Click(hDlg, IDCANCEL);
    });
    return contents;
}

CString RgbName(COLORREF cr)
{
    CString str;
    str.Format(_T("R %d G %d B %d"), GetRValue(cr), GetGValue(cr), GetBValue(cr));
    return str;
}
}

TEST(PaletteColourNames, PopupColoursAreNamedByTheirComponents)
{
    HBITMAP hBitmap = MakeIndexedBitmap(24, 16, 8);
    ASSERT_TRUE(hBitmap != NULL);
    COLORREF colours[16], ext[256];
    for (int i = 0; i < 16; i++)
        colours[i] = RGB(i * 17, 255 - i * 13, (i * 71) & 0xFF);
    for (int i = 0; i < 256; i++)
        ext[i] = RGB(255 - i, i, (i * 5) & 0xFF);

    CDesBmpEditDlg dlg;
    ASSERT_TRUE(dlg.SetBitmap(hBitmap));
    dlg.SetPopupColors(colours, 16, ext);
    dlg.SetHighColorMode();
    const PickerContents picker = ReadForegroundPicker(dlg);
    ::DeleteObject(hBitmap);

    ASSERT_TRUE(picker.bFound);
    ASSERT_GE(picker.colours.size(), 16u);
    ASSERT_EQ(picker.colours.size(), picker.names.size());
    for (size_t i = 0; i < picker.colours.size(); i++)
    {
        const COLORREF crGiven = i < 16 ? colours[i] : ext[i - 16];
        EXPECT_EQ(crGiven, picker.colours[i]) << i;
        EXPECT_EQ(RgbName(crGiven), picker.names[i]) << i;
    }
    // Spelled out once, for a colour whose every component has three digits.
    EXPECT_EQ(CString(_T("R 255 G 255 B 143")), RgbName(RGB(255, 255, 143)));
}

TEST(PaletteColourNames, StandardColoursKeepTheirNames)
{
    HBITMAP hBitmap = MakeIndexedBitmap(24, 16, 4);
    ASSERT_TRUE(hBitmap != NULL);
    CDesBmpEditDlg dlg;
    ASSERT_TRUE(dlg.SetBitmap(hBitmap));
    dlg.SetHighColorMode();   // the names are kept for the popup to show
    const PickerContents picker = ReadForegroundPicker(dlg);
    ::DeleteObject(hBitmap);

    ASSERT_TRUE(picker.bFound);
    ASSERT_EQ(16u, picker.names.size());
    EXPECT_EQ(CString(_T("Black")), picker.names[0]);
    EXPECT_EQ(CString(_T("White")), picker.names[1]);
    EXPECT_EQ(RGB(0, 0, 0), picker.colours[0]);
    EXPECT_EQ(RGB(255, 255, 255), picker.colours[1]);
    for (int i = 0; i < 16; i++)
    {
        // Each name is the whole of the table's name, up to its terminator.
        const CString strTable(CPntCtrl::ms_StdColours[i].szName);
        EXPECT_FALSE(strTable.IsEmpty()) << i;
        EXPECT_EQ(strTable, picker.names[i]) << i;
        EXPECT_EQ(CPntCtrl::ms_StdColours[i].crColour, picker.colours[i]) << i;
    }
}
