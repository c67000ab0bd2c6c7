// The paint editor's Tools menu, filled from the library's tool table as the editor fills it:
// every tool a user can choose, once, under the library's name for it with one access key,
// with a separator between the table's groups.
#include <afxwin.h>
#include <gtest/gtest.h>
#include "paint/PntCtrl.h"
#include "samples/painteditor/EditorResources.h"
#include "samples/painteditor/ToolMenu.h"
#include <set>
#include <string>
#include <vector>

namespace
{
struct MenuItem
{
    UINT nID;        // 0 for a separator
    CString strText;
};

// The items of hMenu up to its first pop-up.
std::vector<MenuItem> ItemsOf(HMENU hMenu)
{
    std::vector<MenuItem> items;
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; ++i)
    {
        if (::GetSubMenu(hMenu, i) != NULL)
            break;
        TCHAR szText[128] = _T("");
        ::GetMenuString(hMenu, (UINT)i, szText, _countof(szText), MF_BYPOSITION);
        items.push_back({ ::GetMenuItemID(hMenu, i), szText });
    }
    return items;
}

// The library's string, read straight from the module that holds it.
CString LibraryString(UINT nID)
{
    TCHAR sz[128] = _T("");
    ::LoadString(AfxFindResourceHandle(MAKEINTRESOURCE(nID / 16 + 1), RT_STRING), nID, sz, _countof(sz));
    return sz;
}

// The editor's Tools pop-up, loaded from its resources, with the tools filled in.
HMENU LoadToolsMenu(HMENU* phMenuBar)
{
    *phMenuBar = ::LoadMenu(::GetModuleHandle(NULL), MAKEINTRESOURCE(IDR_MAINFRAME));
    if (*phMenuBar == NULL)
        return NULL;
    for (int i = 0; i < ::GetMenuItemCount(*phMenuBar); ++i)
    {
        HMENU hPopup = ::GetSubMenu(*phMenuBar, i);
        if (hPopup != NULL && ::GetMenuState(hPopup, ID_TOOL_BASE, MF_BYCOMMAND) != (UINT)-1)
            return painteditor::FillToolMenu(hPopup, ID_TOOL_BASE, ID_TOOL_BASE) ? hPopup : NULL;
    }
    return NULL;
}
}

TEST(PaintEditorToolsMenu, ListsEveryChoosableToolOnceWithTheLibrarysName)
{
    HMENU hMenuBar = NULL;
    HMENU hTools = LoadToolsMenu(&hMenuBar);
    ASSERT_NE((HMENU)NULL, hTools);
    std::vector<MenuItem> items = ItemsOf(hTools);

    std::set<int> listed;
    int nPreviousGroup = PNT_TOOLGROUP_NONE;
    bool bSeparatorBefore = false;
    for (const MenuItem& item : items)
    {
        if (item.nID == 0)
        {
            bSeparatorBefore = true;
            continue;
        }
        if (item.nID < ID_TOOL_BASE || item.nID > ID_TOOL_LAST)
            break;
        const int nMode = (int)(item.nID - ID_TOOL_BASE);
        SCOPED_TRACE(nMode);
        EXPECT_TRUE(listed.insert(nMode).second) << "listed twice";
        const PntToolEntry* pEntry = CPntToolTable::Lookup(nMode);
        ASSERT_NE(nullptr, pEntry);

        // The library's name, one letter of it marked as the access key.
        CString strText = item.strText;
        EXPECT_EQ(1, strText.Remove(_T('&')));
        EXPECT_FALSE(strText.IsEmpty());
        EXPECT_EQ(std::basic_string<TCHAR>(LibraryString(pEntry->nNameID)), std::basic_string<TCHAR>(strText));

        // A separator exactly where the group changes.
        if (nPreviousGroup != PNT_TOOLGROUP_NONE)
        {
            EXPECT_EQ(pEntry->nGroup != nPreviousGroup, bSeparatorBefore);
        }
        nPreviousGroup = pEntry->nGroup;
        bSeparatorBefore = false;
    }

    // Every mode a user chooses; not "no tool", nor the drag-move the selection tool enters.
    std::set<int> expected;
    for (int nMode = TOOL_SELECT; nMode <= TOOL_FILLEDELLIPSE; nMode++)
    {
        if (nMode != TOOL_DRAG)
            expected.insert(nMode);
    }
    EXPECT_EQ(expected, listed);
    ::DestroyMenu(hMenuBar);
}
