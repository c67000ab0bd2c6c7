// CColourPicker: the face shows the current colour; tables and extended tables fill the popup;
// a chosen colour reaches the owner in the second field after the header.
#include "ComboTestSupport.h"
#include "companion/ColourPicker.h"
#include "common/TestStrings.h"
#include <stdio.h>
#include <string.h>
#include <tchar.h>

using namespace combotest;

namespace
{
// Sixteen entries with distinct colours, named "colour <i>".
std::vector<ColourTableEntry> MakeTable(int nCount, int nSeed)
{
    std::vector<ColourTableEntry> table(nCount);
    for (int i = 0; i < nCount; ++i)
    {
        table[i].crColour = RGB((i * 37 + nSeed) & 0xFF, (i * 11) & 0xFF, (255 - i) & 0xFF);
        memset(table[i].szName, 0, sizeof(table[i].szName));
        _sntprintf_s(table[i].szName, _countof(table[i].szName), _TRUNCATE, _T("colour %d"), i);
    }
    return table;
}

class ColourPicker : public ComboFixture
{
protected:
    void SetUp() override
    {
        ComboFixture::SetUp();
        ASSERT_TRUE(m_picker.Create(NULL, WS_CHILD | WS_VISIBLE, CRect(10, 10, 45, 32), &m_owner, IDC_TEST_COMBO));
        m_table = MakeTable(16, 5);
        ASSERT_TRUE(m_picker.SetColours(m_table.data(), 16));
        m_picker.m_bShowColourName = TRUE;
    }
    CColourPicker m_picker;
    std::vector<ColourTableEntry> m_table;
};
}

TEST_F(ColourPicker, FaceShowsTheColourBehindTheMaskedPixels)
{
    // Image 1 is black above and white below; white is the mask (palette-relative here).
    ASSERT_TRUE(m_picker.SetImageFromBitmap(IDB_TEST_COMBOFACE, 16, 1, 0x02FFFFFF));
    const COLORREF kRed = RGB(255, 0, 0);
    const COLORREF kBlue = RGB(0, 0, 255);
    m_picker.SetColour(kRed);
    int nRed = ReadFace(m_picker.m_hWnd).Count(kRed);
    EXPECT_GE(nRed, 6 * 16);   // at least the six white rows of the image
    m_picker.SetColour(kBlue);
    Face face = ReadFace(m_picker.m_hWnd);
    EXPECT_EQ(nRed, face.Count(kBlue));
    EXPECT_EQ(0, face.Count(kRed));
    m_picker.SetColour(0xFFFFFFFF);   // no colour
    face = ReadFace(m_picker.m_hWnd);
    EXPECT_EQ(0, face.Count(kBlue));
    EXPECT_EQ(0xFFFFFFFFu, m_picker.GetColour());
}

TEST_F(ColourPicker, ChoosingAColourSendsIt)
{
    EXPECT_EQ(16, m_picker.GetColourCount());
    EXPECT_EQ(CString(_T("colour 3")), m_picker.m_arrColourNames[3]);

    OpenByClick(m_picker);
    ClickPopupItem(m_picker, 5);
    ASSERT_EQ(1u, m_owner.m_notices.size());
    EXPECT_EQ((UINT)CCN_SELECTOK, m_owner.m_notices[0].nCode);
    EXPECT_EQ(m_table[5].crColour, m_owner.m_notices[0].dwValue);
    EXPECT_EQ(m_table[5].crColour, m_picker.GetColour());

    // Keys start from the current colour: Down is one row (eight colours) further.
    OpenByClick(m_picker);
    Key(m_picker, VK_DOWN);
    Key(m_picker, VK_RETURN);
    ASSERT_EQ(2u, m_owner.m_notices.size());
    EXPECT_EQ(m_table[13].crColour, m_owner.m_notices[1].dwValue);

    m_picker.m_strDefaultText = _T("None");
    OpenByClick(m_picker);
    ClickPopupItem(m_picker, CCoolCombo::itemDefault);
    ASSERT_EQ(3u, m_owner.m_notices.size());
    EXPECT_EQ((UINT)CCN_SELECTDEFAULT, m_owner.m_notices[2].nCode);
}

TEST_F(ColourPicker, ExtendedTablesFollowTheTableAndBadTablesAreRefused)
{
    std::vector<ColourTableEntry> ext = MakeTable(256, 101);
    for (TCHAR& ch : ext[10].szName)
        ch = _T('a');   // a name without its zero, followed by the next entry
    ASSERT_TRUE(m_picker.SetExtColorTable(m_table.data(), 16, ext.data(), 256));
    EXPECT_EQ(272, m_picker.GetColourCount());
    EXPECT_EQ(CString(_T('a'), 64), m_picker.m_arrColourNames[16 + 10]);
    OpenByClick(m_picker);
    ClickPopupItem(m_picker, 16 + 10);
    ASSERT_EQ(1u, m_owner.m_notices.size());
    EXPECT_EQ(ext[10].crColour, m_owner.m_notices[0].dwValue);

    EXPECT_FALSE(m_picker.SetColours(NULL, 3));
    EXPECT_FALSE(m_picker.SetExtColorTable(m_table.data(), 16, NULL, 256));
    EXPECT_FALSE(m_picker.SetExtColorTable(m_table.data(), 16, ext.data(), 257));
    EXPECT_EQ(272, m_picker.GetColourCount());
    EXPECT_TRUE(m_picker.SetColours(m_table.data(), 0));
    EXPECT_EQ(0, m_picker.GetColourCount());
    OpenByClick(m_picker);   // an empty popup still opens and closes
    EXPECT_TRUE(m_picker.IsDroppedDown());
    Key(m_picker, VK_RETURN);   // nothing to choose
    EXPECT_TRUE(m_picker.IsDroppedDown());
    Key(m_picker, VK_ESCAPE);
    EXPECT_FALSE(m_picker.IsDroppedDown());
}
