// CMenu: the menu it holds, temporary objects for other menus, its item calls; and the update
// of a menu's items when it opens (check, radio mark, text, pop-up items).
#include <afxext.h>
#include <gtest/gtest.h>
#include "RoutingTestResources.h"
#include "RoutingTestSupport.h"

namespace
{
MENUITEMINFO ItemInfo(HMENU hMenu, UINT nID)
{
    MENUITEMINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_STATE;
    EXPECT_TRUE(::GetMenuItemInfo(hMenu, nID, FALSE, &info));
    return info;
}
}

TEST(Menu, HoldsTheMenuItMadeAndDestroysItWithItself)
{
    HMENU hMenu = NULL;
    {
        CMenu menu;
        ASSERT_TRUE(menu.CreatePopupMenu());
        EXPECT_FALSE(menu.CreatePopupMenu());   // already holds one
        hMenu = menu.GetSafeHmenu();
        EXPECT_EQ(hMenu, (HMENU)menu);
        EXPECT_EQ(&menu, CMenu::FromHandle(hMenu));   // the permanent object, not a temporary
        EXPECT_TRUE(::IsMenu(hMenu));
    }
    EXPECT_FALSE(::IsMenu(hMenu));

    CMenu kept;
    ASSERT_TRUE(kept.CreateMenu());
    HMENU hKept = kept.Detach();
    EXPECT_EQ((HMENU)NULL, kept.GetSafeHmenu());
    EXPECT_FALSE(kept.DestroyMenu());
    EXPECT_TRUE(::IsMenu(hKept));
    CMenu* pNull = NULL;
    EXPECT_EQ((HMENU)NULL, pNull->GetSafeHmenu());
    EXPECT_TRUE(kept.Attach(hKept));
    EXPECT_FALSE(CMenu().Attach(NULL));
}

TEST(Menu, TemporaryObjectsStandForMenusNobodyHolds)
{
    HMENU hMenu = ::CreatePopupMenu();
    CMenu* pTemp = CMenu::FromHandle(hMenu);
    ASSERT_NE(nullptr, pTemp);
    EXPECT_EQ(hMenu, pTemp->m_hMenu);
    EXPECT_EQ(pTemp, CMenu::FromHandle(hMenu));
    EXPECT_EQ(nullptr, CMenu::FromHandle(NULL));
    CMenu::DeleteTempMap();
    EXPECT_TRUE(::IsMenu(hMenu));   // freeing the temporary object leaves the menu alone
    EXPECT_TRUE(::DestroyMenu(hMenu));
}

TEST(Menu, ItemsAreAddedReadAndChanged)
{
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    EXPECT_TRUE(menu.AppendMenu(MF_STRING, ID_MENU_FIRST, _T("&First")));
    EXPECT_TRUE(menu.AppendMenu(MF_SEPARATOR));
    EXPECT_TRUE(menu.InsertMenu(0, MF_BYPOSITION | MF_STRING, ID_MENU_SECOND, _T("Second")));
    CMenu sub;
    ASSERT_TRUE(sub.CreatePopupMenu());
    HMENU hSub = sub.Detach();
    EXPECT_TRUE(menu.AppendMenu(MF_POPUP | MF_STRING, (UINT_PTR)hSub, _T("More")));

    EXPECT_EQ(4u, menu.GetMenuItemCount());
    EXPECT_EQ((UINT)ID_MENU_SECOND, menu.GetMenuItemID(0));
    EXPECT_EQ((UINT)ID_MENU_FIRST, menu.GetMenuItemID(1));
    EXPECT_EQ(0u, menu.GetMenuItemID(2));            // separator
    EXPECT_EQ((UINT)-1, menu.GetMenuItemID(3));      // pop-up
    ASSERT_NE(nullptr, menu.GetSubMenu(3));
    EXPECT_EQ(hSub, menu.GetSubMenu(3)->m_hMenu);
    EXPECT_EQ(nullptr, menu.GetSubMenu(0));

    CString text;
    EXPECT_EQ(6, menu.GetMenuString(ID_MENU_FIRST, text, MF_BYCOMMAND));
    EXPECT_EQ(CString(_T("&First")), text);
    TCHAR sz[4];
    EXPECT_EQ(3, menu.GetMenuString(0, sz, _countof(sz), MF_BYPOSITION));   // cut to the buffer
    EXPECT_EQ(0, lstrcmp(sz, _T("Sec")));
    EXPECT_EQ(0, menu.GetMenuString(0x7FFF, text, MF_BYCOMMAND));           // no such item
    EXPECT_TRUE(text.IsEmpty());

    // Check and enable give the previous state.
    EXPECT_EQ((UINT)MF_UNCHECKED, menu.CheckMenuItem(ID_MENU_FIRST, MF_BYCOMMAND | MF_CHECKED));
    EXPECT_EQ((UINT)MF_CHECKED, menu.CheckMenuItem(ID_MENU_FIRST, MF_BYCOMMAND | MF_UNCHECKED));
    EXPECT_EQ((UINT)MF_ENABLED, menu.EnableMenuItem(ID_MENU_SECOND, MF_BYCOMMAND | MF_GRAYED));
    EXPECT_NE(0u, menu.GetMenuState(ID_MENU_SECOND, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_EQ((UINT)-1, menu.CheckMenuItem(0x7FFF, MF_BYCOMMAND | MF_CHECKED));

    EXPECT_TRUE(menu.ModifyMenu(ID_MENU_FIRST, MF_BYCOMMAND | MF_STRING, ID_MENU_FIRST, _T("One")));
    menu.GetMenuString(ID_MENU_FIRST, text, MF_BYCOMMAND);
    EXPECT_EQ(CString(_T("One")), text);

    // RemoveMenu keeps the pop-up alive; DeleteMenu destroys what it removes.
    EXPECT_TRUE(menu.RemoveMenu(3, MF_BYPOSITION));
    EXPECT_TRUE(::IsMenu(hSub));
    EXPECT_TRUE(menu.AppendMenu(MF_POPUP | MF_STRING, (UINT_PTR)hSub, _T("More")));
    EXPECT_TRUE(menu.DeleteMenu(3, MF_BYPOSITION));
    EXPECT_FALSE(::IsMenu(hSub));
    EXPECT_EQ(3u, menu.GetMenuItemCount());

    // A radio group: the chosen item gets the bullet, the others lose their check.
    menu.CheckMenuItem(ID_MENU_SECOND, MF_BYCOMMAND | MF_CHECKED);
    EXPECT_TRUE(menu.CheckMenuRadioItem(ID_MENU_FIRST, ID_MENU_SECOND, ID_MENU_FIRST, MF_BYCOMMAND));
    MENUITEMINFO first = ItemInfo(menu, ID_MENU_FIRST);
    EXPECT_NE(0u, first.fType & MFT_RADIOCHECK);
    EXPECT_NE(0u, first.fState & MFS_CHECKED);
    EXPECT_EQ(0u, ItemInfo(menu, ID_MENU_SECOND).fState & MFS_CHECKED);

    menu.DestroyMenu();
    EXPECT_EQ((UINT)-1, menu.GetMenuItemCount());   // no menu: a failure, not a crash
}

TEST(Menu, LoadsFromResourcesAndIsTheWindowsMenuBar)
{
    CMenu bar;
    ASSERT_TRUE(bar.LoadMenu(IDR_ROUTING_MENU));
    EXPECT_FALSE(CMenu().LoadMenu(0x7FFF));
    CMenu* pRoute = bar.GetSubMenu(0);
    ASSERT_NE(nullptr, pRoute);
    CMenu* pChoices = pRoute->GetSubMenu(3);
    ASSERT_NE(nullptr, pChoices);
    EXPECT_EQ((UINT)ID_MENU_FIRST, pChoices->GetMenuItemID(0));

    CFrameWnd* pFrame = new CFrameWnd;
    ASSERT_TRUE(pFrame->Create(NULL, _T("Menus"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 200, 150)));
    EXPECT_EQ(nullptr, pFrame->GetMenu());
    EXPECT_TRUE(pFrame->SetMenu(&bar));
    EXPECT_EQ(&bar, pFrame->GetMenu());   // the object that holds the menu bar
    EXPECT_EQ(bar.m_hMenu, ::GetMenu(pFrame->m_hWnd));
    EXPECT_TRUE(pFrame->SetMenu(NULL));
    EXPECT_EQ(nullptr, pFrame->GetMenu());
    pFrame->DestroyWindow();
    EXPECT_TRUE(::IsMenu(bar.m_hMenu));   // taken off the window before: still the object's
}

namespace
{
class CMenuFrame : public CFrameWnd
{
public:
    void PostNcDestroy() override {}
    BOOL m_bDisableFirst = FALSE;
    CMenu* m_pSeenMenu = NULL;
    CMenu* m_pSeenSubMenu = NULL;
    UINT m_nSeenIndex = 0;

protected:
    afx_msg void OnCommand() {}
    afx_msg void OnUpdateFirst(CCmdUI* pCmdUI)
    {
        m_pSeenMenu = pCmdUI->m_pMenu;
        m_pSeenSubMenu = pCmdUI->m_pSubMenu;
        m_nSeenIndex = pCmdUI->m_nIndex;
        if (m_bDisableFirst)
            pCmdUI->Enable(FALSE);
        pCmdUI->SetRadio(TRUE);
    }
    afx_msg void OnUpdateSecond(CCmdUI* pCmdUI) { pCmdUI->SetRadio(FALSE); }
    afx_msg void OnUpdateChecked(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
    afx_msg void OnUpdateRenamed(CCmdUI* pCmdUI) { pCmdUI->SetText(_T("Renamed")); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMenuFrame, CFrameWnd)
    ON_COMMAND(ID_MENU_FIRST, OnCommand)
    ON_COMMAND(ID_MENU_SECOND, OnCommand)
    ON_COMMAND(ID_MENU_CHECKED, OnCommand)
    ON_COMMAND(ID_MENU_RENAMED, OnCommand)
    ON_UPDATE_COMMAND_UI(ID_MENU_FIRST, OnUpdateFirst)
    ON_UPDATE_COMMAND_UI(ID_MENU_SECOND, OnUpdateSecond)
    ON_UPDATE_COMMAND_UI(ID_MENU_CHECKED, OnUpdateChecked)
    ON_UPDATE_COMMAND_UI(ID_MENU_RENAMED, OnUpdateRenamed)
END_MESSAGE_MAP()

class MenuUpdate : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_frame.Create(NULL, _T("Menu update"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 200, 150)));
    }
    void TearDown() override
    {
        if (::IsWindow(m_frame.m_hWnd))
            m_frame.DestroyWindow();
    }
    void Open(HMENU hMenu) { m_frame.SendMessage(WM_INITMENUPOPUP, (WPARAM)hMenu, 0); }

    CMenuFrame m_frame;
};
}

TEST_F(MenuUpdate, RadioShowsABulletAndCheckAMark)
{
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, ID_MENU_CHECKED, _T("Checked"));
    menu.AppendMenu(MF_STRING | MF_CHECKED, ID_MENU_SECOND, _T("Second"));
    menu.AppendMenu(MF_STRING, ID_MENU_FIRST, _T("First"));
    menu.AppendMenu(MF_STRING, ID_MENU_RENAMED, _T("Old name"));
    Open(menu);

    MENUITEMINFO first = ItemInfo(menu, ID_MENU_FIRST);
    EXPECT_NE(0u, first.fType & MFT_RADIOCHECK);
    EXPECT_NE(0u, first.fState & MFS_CHECKED);
    EXPECT_EQ(0u, ItemInfo(menu, ID_MENU_SECOND).fState & MFS_CHECKED);
    MENUITEMINFO checked = ItemInfo(menu, ID_MENU_CHECKED);
    EXPECT_EQ(0u, checked.fType & MFT_RADIOCHECK);
    EXPECT_NE(0u, checked.fState & MFS_CHECKED);

    // The handler saw the menu as an object, and the item's place in it.
    EXPECT_EQ(CMenu::FromHandle(menu), m_frame.m_pSeenMenu);
    EXPECT_EQ(nullptr, m_frame.m_pSeenSubMenu);
    EXPECT_EQ(2u, m_frame.m_nSeenIndex);

    CString text;
    menu.GetMenuString(ID_MENU_RENAMED, text, MF_BYCOMMAND);
    EXPECT_EQ(CString(_T("Renamed")), text);
    EXPECT_EQ((UINT)ID_MENU_RENAMED, menu.GetMenuItemID(3));
    EXPECT_EQ(0u, menu.GetMenuState(ID_MENU_RENAMED, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED));
}

TEST_F(MenuUpdate, PopupItemFollowsItsFirstCommand)
{
    CMenu bar;
    ASSERT_TRUE(bar.LoadMenu(IDR_ROUTING_MENU));
    CMenu* pRoute = bar.GetSubMenu(0);
    ASSERT_NE(nullptr, pRoute);
    HMENU hChoices = pRoute->GetSubMenu(3)->m_hMenu;
    m_frame.m_bDisableFirst = TRUE;
    Open(pRoute->m_hMenu);

    // "Choices" is greyed by its first item's handler; the radio mark stays off a pop-up item.
    MENUITEMINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_SUBMENU;
    ASSERT_TRUE(::GetMenuItemInfo(pRoute->m_hMenu, 3, TRUE, &info));
    EXPECT_EQ(hChoices, info.hSubMenu);
    EXPECT_NE(0u, info.fState & MFS_GRAYED);
    EXPECT_EQ(0u, info.fState & MFS_CHECKED);
    EXPECT_EQ(0u, info.fType & MFT_RADIOCHECK);
    EXPECT_EQ(hChoices, m_frame.m_pSeenSubMenu != NULL ? m_frame.m_pSeenSubMenu->m_hMenu : NULL);
    // The items inside are left for when "Choices" itself opens.
    EXPECT_EQ(0u, ItemInfo(hChoices, ID_MENU_FIRST).fState & (MFS_CHECKED | MFS_GRAYED));
    Open(hChoices);
    EXPECT_NE(0u, ItemInfo(hChoices, ID_MENU_FIRST).fState & MFS_GRAYED);
    EXPECT_NE(0u, ItemInfo(hChoices, ID_MENU_FIRST).fState & MFS_CHECKED);
}
