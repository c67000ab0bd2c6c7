// CColourPicker: the colour table, the face with the current colour, colour cells and choices.
#include "companion/ColourPicker.h"
#include <commdlg.h>
#include <tchar.h>

IMPLEMENT_DYNAMIC(CColourPicker, CCoolCombo)

namespace
{
const COLORREF kNoColour = 0xFFFFFFFF;
const int kMaxColours = 4096;
const int kMaxExtColours = 256;
}

CColourPicker::CColourPicker() : m_bShowColourName(FALSE), m_bHighColour(FALSE), m_crColour(kNoColour)
{
    m_bShowTitle = TRUE;
}

CColourPicker::~CColourPicker()
{
}

void CColourPicker::SetColour(COLORREF crColour)
{
    if (crColour == m_crColour)
        return;
    m_crColour = crColour;
    if (m_hWnd != NULL)
        Invalidate(FALSE);
}

COLORREF CColourPicker::GetColourAt(int nIndex) const
{
    return nIndex >= 0 && nIndex < (int)m_colours.size() ? m_colours[nIndex] : kNoColour;
}

BOOL CColourPicker::SetColours(const ColourTableEntry* pTable, int nCount)
{
    return SetExtColorTable(pTable, nCount, NULL, 0);
}

BOOL CColourPicker::SetExtColorTable(const ColourTableEntry* pTable, int nCount, const ColourTableEntry* pExtTable,
                                     int nExtCount)
{
    if (nCount < 0 || nCount > kMaxColours || (nCount > 0 && pTable == NULL) || nExtCount < 0 ||
        nExtCount > kMaxExtColours || (nExtCount > 0 && pExtTable == NULL))
        return FALSE;
    CloseUp();   // an open popup shows the old table
    std::vector<COLORREF> colours;
    colours.reserve((size_t)nCount + nExtCount);
    m_arrColourNames.RemoveAll();
    for (int nPart = 0; nPart < 2; ++nPart)
    {
        const ColourTableEntry* pEntries = nPart == 0 ? pTable : pExtTable;
        int nEntries = nPart == 0 ? nCount : nExtCount;
        for (int i = 0; i < nEntries; ++i)
        {
            colours.push_back(pEntries[i].crColour);
            // The name need not be terminated within its 64 characters.
            const TCHAR* pszName = pEntries[i].szName;
            m_arrColourNames.Add(CString(pszName, (int)_tcsnlen(pszName, _countof(pEntries[i].szName))));
        }
    }
    m_colours.swap(colours);
    if (m_hWnd != NULL)
        Invalidate(FALSE);
    return TRUE;
}

int CColourPicker::GetCellCount() const
{
    return (int)m_colours.size();
}

CSize CColourPicker::GetCellSize() const
{
    return m_colours.size() <= 16 ? CSize(14, 14) : CSize(10, 10);
}

int CColourPicker::GetColumnCount() const
{
    return m_colours.size() <= 16 ? 8 : 16;
}

void CColourPicker::DrawCell(CDC* pDC, int nCell, const CRect& rect)
{
    if (nCell < 0 || nCell >= (int)m_colours.size())
        return;
    pDC->FillSolidRect(&rect, m_colours[nCell]);
    pDC->Draw3dRect(&rect, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNSHADOW));
}

CString CColourPicker::GetCellName(int nCell) const
{
    return nCell >= 0 && nCell < m_arrColourNames.GetSize() ? m_arrColourNames[nCell] : CString();
}

BOOL CColourPicker::HasCellNames() const
{
    return m_bShowColourName && m_arrColourNames.GetSize() > 0;
}

CString CColourPicker::GetOtherText() const
{
    return CString(_T("More Colors..."));
}

int CColourPicker::GetSelectedCell() const
{
    if (m_crColour == kNoColour)
        return -1;
    for (size_t i = 0; i < m_colours.size(); ++i)
        if ((m_colours[i] & 0x00FFFFFF) == (m_crColour & 0x00FFFFFF))
            return (int)i;
    return -1;
}

void CColourPicker::OnPopupChoice(int nItem)
{
    if (nItem >= 0 && nItem < (int)m_colours.size())
    {
        COLORREF crColour = m_colours[nItem];
        SetColour(crColour);
        SendNotify(CCN_SELECTOK, nItem, crColour);
    }
    else if (nItem == itemDefault)
    {
        SendNotify(CCN_SELECTDEFAULT, -1, kNoColour);
    }
    else if (nItem == itemOther)
    {
        static COLORREF s_crCustom[16];
        CHOOSECOLOR cc;
        ::ZeroMemory(&cc, sizeof(cc));
        cc.lStructSize = sizeof(cc);
        cc.hwndOwner = GetTopLevelParent()->GetSafeHwnd();
        cc.rgbResult = m_crColour != kNoColour ? (m_crColour & 0x00FFFFFF) : 0;
        cc.lpCustColors = s_crCustom;
        cc.Flags = CC_RGBINIT | CC_FULLOPEN;
        if (::ChooseColor(&cc))
        {
            SetColour(cc.rgbResult);
            SendNotify(CCN_SELECTOK, -1, cc.rgbResult);
        }
    }
}

void CColourPicker::DrawSwatch(CDC* pDC, const CRect& rect) const
{
    if (rect.IsRectEmpty())
        return;
    if (m_crColour == kNoColour)
    {
        pDC->FillSolidRect(&rect, ::GetSysColor(COLOR_BTNFACE));
        pDC->Draw3dRect(&rect, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNSHADOW));
    }
    else
    {
        pDC->FillSolidRect(&rect, m_crColour);
    }
}

void CColourPicker::DrawFaceContent(CDC* pDC, const CRect& rect)
{
    if (m_face.cx <= 0)
    {
        DrawSwatch(pDC, rect);   // no image: the whole face is the colour
        return;
    }
    BOOL bGrey = !IsWindowEnabled();
    COLORREF crBehind = m_crColour != kNoColour && !bGrey ? m_crColour : ::GetSysColor(COLOR_BTNFACE);
    CPoint pt(rect.left + (rect.Width() - m_face.cx) / 2, rect.top);
    m_face.Draw(pDC, 0, m_face.cx, pt, crBehind, rect, bGrey);
    CRect rcBar(pt.x, pt.y + m_face.cy, pt.x + m_face.cx, rect.bottom);
    rcBar.IntersectRect(&rcBar, &rect);
    if (!bGrey)
        DrawSwatch(pDC, rcBar);
}
