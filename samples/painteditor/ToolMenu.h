// The editor's list of the paint control's tools in its Tools menu, made from the library's
// tool table: every tool a user can choose, by its name, grouped as the table groups them,
// and the key that chooses each. The frame and its tests both use them.
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

// The key that chooses a tool on the picture: a letter, with Shift for the filled shapes.
struct ToolKey
{
    int nMode;
    UINT nVirtKey;
    bool bShift;
};
const ToolKey kToolKeys[] = {
    { TOOL_SELECT, 'S', false },
    { TOOL_MAGNIFY, 'M', false },
    { TOOL_COLOURSAMPLER, 'I', false },
    { TOOL_TRANSCOLOURSAMPLER, 'K', false },
    { TOOL_PEN, 'P', false },
    { TOOL_ERASER, 'E', false },
    { TOOL_AIRBRUSH, 'A', false },
    { TOOL_FLOODFILL, 'F', false },
    { TOOL_TEXT, 'T', false },
    { TOOL_LINE, 'L', false },
    { TOOL_RECTANGLE, 'R', false },
    { TOOL_ROUNDRECT, 'U', false },
    { TOOL_ELLIPSE, 'O', false },
    { TOOL_FILLEDRECT, 'R', true },
    { TOOL_FILLEDROUNDRECT, 'U', true },
    { TOOL_FILLEDELLIPSE, 'O', true },
};

// The tool of a key, or TOOL_NONE.
inline int ToolOfKey(UINT nVirtKey, bool bShift)
{
    for (const ToolKey& key : kToolKeys)
    {
        if (key.nVirtKey == nVirtKey && key.bShift == bShift)
            return key.nMode;
    }
    return TOOL_NONE;
}

// The key of a tool as a menu or a tooltip names it ("R", "Shift+R"); empty when it has none.
inline CString ToolKeyText(int nMode)
{
    for (const ToolKey& key : kToolKeys)
    {
        if (key.nMode == nMode)
        {
            CString strKey;
            strKey.Format(_T("%s%c"), key.bShift ? _T("Shift+") : _T(""), (TCHAR)key.nVirtKey);
            return strKey;
        }
    }
    return CString();
}

// Replaces the item nPlaceholderID of hMenu with one item per listed tool, in the table's
// order, command nBaseID plus the tool's mode, and a separator between groups; with bKeys,
// each item shows its tool's key after a tab. FALSE when hMenu holds no such item.
inline BOOL FillToolMenu(HMENU hMenu, UINT nPlaceholderID, UINT nBaseID, BOOL bKeys = FALSE)
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
        CString strText = ToolMenuText(*pEntry);
        const CString strKey = bKeys ? ToolKeyText(pEntry->nMode) : CString();
        if (!strKey.IsEmpty())
            strText += _T("\t") + strKey;
        ::InsertMenu(hMenu, (UINT)nPos++, MF_BYPOSITION | MF_STRING, nBaseID + (UINT)pEntry->nMode, strText);
    }
    return TRUE;
}
}
