// The editor's list of the paint control's tools in its Tools menu, made from the library's
// tool table: every tool a user can choose, by its name, grouped as the table groups them.
// The frame and its test both fill menus with it.
#pragma once
#include <afxwin.h>
#include "paint/PntToolTable.h"

namespace painteditor
{
// The menu text of a tool: its name with its access key marked.
inline CString ToolMenuText(const PntToolEntry& entry)
{
    CString strName;
    strName.LoadString(entry.nNameID);
    strName.Replace(_T("&"), _T("&&"));
    int nKey = entry.chAccessKey != 0 ? strName.Find(entry.chAccessKey) : -1;
    if (nKey >= 0)
        strName.Insert(nKey, _T('&'));
    return strName;
}

// Replaces the item nPlaceholderID of hMenu with one item per listed tool, in the table's
// order, command nBaseID plus the tool's mode, and a separator between groups. FALSE when
// hMenu holds no such item.
inline BOOL FillToolMenu(HMENU hMenu, UINT nPlaceholderID, UINT nBaseID)
{
    const int nCount = ::GetMenuItemCount(hMenu);
    int nPos = 0;
    while (nPos < nCount && ::GetMenuItemID(hMenu, nPos) != nPlaceholderID)
        ++nPos;
    if (nPos >= nCount || !::DeleteMenu(hMenu, (UINT)nPos, MF_BYPOSITION))
        return FALSE;
    int nLastGroup = PNT_TOOLGROUP_NONE;
    for (int i = 0; i < CPntToolTable::GetCount(); ++i)
    {
        const PntToolEntry* pEntry = CPntToolTable::GetEntry(i);
        if (pEntry->nGroup == PNT_TOOLGROUP_NONE)
            continue;
        if (nLastGroup != PNT_TOOLGROUP_NONE && pEntry->nGroup != nLastGroup)
            ::InsertMenu(hMenu, (UINT)nPos++, MF_BYPOSITION | MF_SEPARATOR, 0, NULL);
        nLastGroup = pEntry->nGroup;
        ::InsertMenu(hMenu, (UINT)nPos++, MF_BYPOSITION | MF_STRING, nBaseID + (UINT)pEntry->nMode,
                     ToolMenuText(*pEntry));
    }
    return TRUE;
}
}
