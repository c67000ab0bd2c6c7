// CPntToolCtrl: the four drop-downs of the palette (eraser and pen widths, foreground and
// transparency colours): how they are made and fed, how they follow the control, and how a
// choice in them reaches it.
#include "toolpalette/PntToolCtrl.h"
#include "paint/PntCtrl.h"
#include "resources/resource.h"
#include "toolpalette/PntToolCommands.h"
#include <new>
#include <stdio.h>
#include <string.h>
#include <tchar.h>

namespace
{
const int kExtendedCount = 256;

// A table of named colours ("R r G g B b") made from plain colours; NULL when count <= 0.
ColourTableEntry* MakeTable(const COLORREF* pColours, int nCount)
{
    if (pColours == NULL || nCount <= 0)
        return NULL;
    ColourTableEntry* pTable = new (std::nothrow) ColourTableEntry[nCount];
    if (pTable == NULL)
        return NULL;
    for (int i = 0; i < nCount; i++)
    {
        memset(&pTable[i], 0, sizeof(pTable[i]));
        pTable[i].crColour = pColours[i];
        _stprintf_s(pTable[i].szName, _countof(pTable[i].szName), _T("R %d G %d B %d"), GetRValue(pColours[i]),
                    GetGValue(pColours[i]), GetBValue(pColours[i]));
    }
    return pTable;
}

// The palette's standard colours as a picker table (the two records share one layout).
const ColourTableEntry* StandardTable()
{
    static_assert(sizeof(ColourEntries) == sizeof(ColourTableEntry), "colour records share one layout");
    return reinterpret_cast<const ColourTableEntry*>(CPntCtrl::ms_StdColours);
}

// The index of nValue in the table, or -1.
int IndexOf(const int* pTable, int nCount, int nValue)
{
    for (int i = 0; i < nCount; i++)
        if (pTable[i] == nValue)
            return i;
    return -1;
}
}

void CPntToolCtrl::SetPopupColors(const COLORREF* pColours, int nCount, const COLORREF* pExtColours)
{
    delete[] m_pPopupColours;
    m_pPopupColours = MakeTable(pColours, nCount);
    m_nPopupColours = m_pPopupColours != NULL ? nCount : 0;
    if (pExtColours != NULL)
    {
        delete[] m_pExtColours;
        m_pExtColours = MakeTable(pExtColours, kExtendedCount);
    }
}

void CPntToolCtrl::SetTransPopupColors(const COLORREF* pColours, int nCount, const COLORREF* pExtColours)
{
    delete[] m_pTransPopupColours;
    m_pTransPopupColours = MakeTable(pColours, nCount);
    m_nTransPopupColours = m_pTransPopupColours != NULL ? nCount : 0;
    if (pExtColours != NULL)
    {
        delete[] m_pTransExtColours;
        m_pTransExtColours = MakeTable(pExtColours, kExtendedCount);
    }
}

void CPntToolCtrl::SetHighColorMode()
{
    m_bHighColour = TRUE;
    m_ForeColourPicker.m_bHighColour = TRUE;
    m_TransColourPicker.m_bHighColour = TRUE;
}

void CPntToolCtrl::SetToolbarDropDownBitmaps(int nPenBitmapID, int nPenCellWidth, int nEraserBitmapID,
                                             int nEraserCellWidth)
{
    m_PenWidthCombo.SetCellImages((UINT)nPenBitmapID, nPenCellWidth, RGB(192, 192, 192));
    m_EraserWidthCombo.SetCellImages((UINT)nEraserBitmapID, nEraserCellWidth, RGB(192, 192, 192));
}

void CPntToolCtrl::ApplyColours(CColourPicker& picker, ColourTableEntry* pTable, int nCount, ColourTableEntry* pExtTable)
{
    picker.SetColours(pTable, nCount);
    if (pExtTable != NULL)
        picker.SetExtColorTable(pTable, nCount, pExtTable, kExtendedCount);
    else if (!m_bHighColour)
        picker.m_arrColourNames.RemoveAll();
}

BOOL CPntToolCtrl::SetupToolbarControls(UINT nIDBitmap)
{
    m_nPenWidthCount = 5;
    m_nEraserWidthCount = 4;
    delete[] m_pControls;
    m_nControls = 0;
    m_pControls = new (std::nothrow) ControlEntry[4];
    if (m_pControls == NULL)
        return FALSE;
    const ControlEntry controls[4] = {
        { ID_PNT_ERASERWIDTH, &m_EraserWidthCombo }, { ID_PNT_PENWIDTH, &m_PenWidthCombo },
        { ID_PNT_FORECOLOUR, &m_ForeColourPicker }, { ID_PNT_TRANSCOLOUR, &m_TransColourPicker } };
    for (int i = 0; i < 4; i++)
        m_pControls[i] = controls[i];
    m_nControls = 4;

    // Two slots share three buttons' width: A for the first of each pair, B for the second.
    const int nWidthA = 3 * m_nButtonWidth / 2, nWidthB = 3 * m_nButtonWidth - nWidthA;
    struct Making
    {
        CCoolCombo* pControl;
        UINT nID;
        int nWidth;
        int nImage;
        COLORREF crMask;
        UINT nTitleID;
    } making[4] = {
        { &m_EraserWidthCombo, ID_PNT_ERASERWIDTH, nWidthA, 18, RGB(192, 192, 192), IDS_PNT_ERASER_WIDTH },
        { &m_PenWidthCombo, ID_PNT_PENWIDTH, nWidthB, 19, RGB(192, 192, 192), IDS_PNT_LINE_WIDTH },
        { &m_ForeColourPicker, ID_PNT_FORECOLOUR, nWidthA, 27, 0x020000FF, IDS_PNT_FOREGROUND_COLOUR },
        { &m_TransColourPicker, ID_PNT_TRANSCOLOUR, nWidthB, 28, 0x020000FF, IDS_PNT_TRANSPARENCY_COLOUR },
    };
    for (const Making& m : making)
    {
        int nIndex = CommandToIndex(m.nID);
        if (nIndex < 0)
            return FALSE;
        SetButtonInfo(nIndex, m.nID, TBBS_SEPARATOR, m.nWidth);
        CRect rc;
        GetItemRect(nIndex, &rc);
        if (!m.pControl->Create(NULL, WS_CHILD | WS_VISIBLE, rc, this, m.nID))
            return FALSE;
        m.pControl->SetImageFromBitmap(nIDBitmap, 16, m.nImage, m.crMask);
        m.pControl->m_strTitle.LoadString(m.nTitleID);
        m.pControl->SetFlatMode(FALSE);
        if (m.pControl == &m_EraserWidthCombo || m.pControl == &m_PenWidthCombo)
        {
            m.pControl->m_nCellCount = m.pControl == &m_EraserWidthCombo ? m_nEraserWidthCount : m_nPenWidthCount;
            m.pControl->m_bShowTitle = TRUE;
            m.pControl->m_bHighlightSelection = TRUE;
        }
        else
        {
            CColourPicker* pPicker = static_cast<CColourPicker*>(m.pControl);
            pPicker->m_bShowColourName = TRUE;
            if (pPicker == &m_ForeColourPicker)
                pPicker->m_strDefaultText.Empty();
            else
                pPicker->m_strDefaultText.LoadString(IDS_PNT_NONE);
        }
        RepositionControls();

        if (m_pPaintCtrl != NULL && m.pControl == &m_ForeColourPicker)
        {
            if (m_pPopupColours != NULL)
                ApplyColours(m_ForeColourPicker, m_pPopupColours, m_nPopupColours, m_pExtColours);
            else
                m_ForeColourPicker.SetColours(StandardTable(), 16);
        }
        else if (m_pPaintCtrl != NULL && m.pControl == &m_TransColourPicker)
        {
            if (m_pTransPopupColours != NULL)
                ApplyColours(m_TransColourPicker, m_pTransPopupColours, m_nTransPopupColours, m_pTransExtColours);
            else
                ApplyColours(m_TransColourPicker, m_pPopupColours, m_nPopupColours, m_pExtColours);
        }
    }
    SetToolbarDropDownBitmaps(IDB_PNT_PENWIDTHS, 32, IDB_PNT_ERASERWIDTHS, 16);
    return TRUE;
}

void CPntToolCtrl::UpdateControls()
{
    CDIBSection* pImage = m_pPaintCtrl->GetDIBsection();
    int nColours = m_bVGAPalette ? 16 : pImage->GetColorTableSize();
    if (nColours != m_nPickerColourCount)
    {
        m_nPickerColourCount = nColours;
        if (m_pPopupColours != NULL)
            m_ForeColourPicker.SetColours(m_pPopupColours, m_nPopupColours);
        else if (nColours >= 1 && nColours <= 16)
            m_ForeColourPicker.SetColours(StandardTable(), nColours);
        else
            m_ForeColourPicker.SetColours(NULL, 0);
        if (m_nTransPopupColours > 0)
            m_TransColourPicker.SetColours(m_pTransPopupColours, m_nTransPopupColours);
        else if (m_nPopupColours > 0)
            m_TransColourPicker.SetColours(m_pPopupColours, m_nPopupColours);
        else
            m_TransColourPicker.SetColours(NULL, 0);
    }
    m_ForeColourPicker.SetColour(m_pPaintCtrl->GetDrawColor());
    m_TransColourPicker.SetColour(m_pPaintCtrl->GetTransparentColor());
    m_PenWidthCombo.SetSelection(IndexOf(m_nPenWidths, 5, m_pPaintCtrl->GetPenWidth()));
    m_EraserWidthCombo.SetSelection(IndexOf(m_nEraserWidths, 4, m_pPaintCtrl->GetEraserWidth()));

    m_bDisplayOnly = m_pPaintCtrl->GetDisplayOnly();
    for (CCoolCombo* pControl : { (CCoolCombo*)&m_EraserWidthCombo, (CCoolCombo*)&m_PenWidthCombo,
                                  (CCoolCombo*)&m_ForeColourPicker })
        if (::IsWindow(pControl->m_hWnd))
            pControl->EnableWindow(!m_bDisplayOnly);
    if (::IsWindow(m_TransColourPicker.m_hWnd))
        m_TransColourPicker.EnableWindow(!m_bDisplayOnly && m_pPaintCtrl->GetTransparent());
}

BOOL CPntToolCtrl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pNotify = (NMHDR*)lParam;
    if (pNotify != NULL && (pNotify->code == CCN_SELECTOK || pNotify->code == CCN_SELECTDEFAULT))
    {
        // The value is the second 32-bit field after the header.
        DWORD dwValue = ((NMCOOLCOMBO*)pNotify)->dwValue;
        LRESULT lResult = pNotify->code == CCN_SELECTOK ? OnSelectOK(pNotify, dwValue) : OnSelectDefault(pNotify, dwValue);
        if (pResult != NULL)
            *pResult = lResult;
        return TRUE;
    }
    return CToolBarEx::OnNotify(wParam, lParam, pResult);
}

LRESULT CPntToolCtrl::OnSelectOK(NMHDR* pNotify, DWORD dwValue)
{
    if (m_pPaintCtrl == NULL)
        return 0;
    const int nIndex = (int)dwValue;
    switch (pNotify->idFrom)
    {
    case ID_PNT_ERASERWIDTH:
        if (nIndex >= 0 && nIndex < 4)
            m_pPaintCtrl->SetEraserWidth(m_nEraserWidths[nIndex]);
        break;
    case ID_PNT_PENWIDTH:
        if (nIndex >= 0 && nIndex < 5)
            m_pPaintCtrl->SetPenWidth(m_nPenWidths[nIndex]);
        break;
    case ID_PNT_FORECOLOUR:
        m_pPaintCtrl->SetDrawColor((COLORREF)dwValue);
        m_pPaintCtrl->SetFillColor((COLORREF)dwValue);
        break;
    case ID_PNT_TRANSCOLOUR:
        m_pPaintCtrl->SetTransparentColor((COLORREF)dwValue);
        break;
    default:
        break;
    }
    return 1;
}

LRESULT CPntToolCtrl::OnSelectDefault(NMHDR* pNotify, DWORD)
{
    if (m_pPaintCtrl == NULL)
        return 0;
    if (pNotify->idFrom == ID_PNT_FORECOLOUR)
    {
        COLORREF cr = m_pPaintCtrl->GetTransparentColor();
        m_pPaintCtrl->SetDrawColor(cr);
        m_pPaintCtrl->SetFillColor(cr);
    }
    else if (pNotify->idFrom == ID_PNT_TRANSCOLOUR)
    {
        m_pPaintCtrl->SetTransparentColor(PNT_NO_COLOUR);
    }
    return 1;
}
