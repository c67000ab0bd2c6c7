// CColourPicker: a CCoolCombo whose popup offers colours. The face shows its image with the
// current colour behind the image's mask-coloured pixels and in a bar below the image
// (0xFFFFFFFF, no colour, leaves the face colour framed in grey). Choosing a cell sends
// CCN_SELECTOK with the colour as the value, the default button CCN_SELECTDEFAULT.
//
// Choices our caller does not fix, made here: the table's colours come first in the grid,
// the extended table's after them (eight columns up to sixteen colours, else sixteen), under
// the title (m_bShowTitle starts TRUE for a picker); with m_bShowColourName the popup names
// the colour under the mouse from m_arrColourNames; in high-colour mode (m_bHighColour) a
// further button offers the common colour dialog, and a colour chosen there is sent with
// cell -1.
#pragma once
#include "companion/CoolCombo.h"
#include "companion/ColourTable.h"

class COMPANION_CLASS CColourPicker : public CCoolCombo
{
    DECLARE_DYNAMIC(CColourPicker)
public:
    CColourPicker();
    virtual ~CColourPicker();

    // The colour shown; 0xFFFFFFFF for none.
    void SetColour(COLORREF crColour);
    COLORREF GetColour() const { return m_crColour; }
    // The popup's colours and their names (copied). FALSE for bad input, the table unchanged.
    BOOL SetColours(const ColourTableEntry* pTable, int nCount);
    // The same, followed by an extended table (up to 256 entries).
    BOOL SetExtColorTable(const ColourTableEntry* pTable, int nCount, const ColourTableEntry* pExtTable,
                          int nExtCount);
    int GetColourCount() const { return (int)m_colours.size(); }
    COLORREF GetColourAt(int nIndex) const;

    BOOL m_bShowColourName;        // the popup names the colour under the mouse
    BOOL m_bHighColour;            // any colour may be chosen (the colour dialog is offered)
    CStringArray m_arrColourNames; // names of the popup's colours, in order

    virtual int GetCellCount() const;
    virtual CSize GetCellSize() const;
    virtual int GetColumnCount() const;
    virtual void DrawCell(CDC* pDC, int nCell, const CRect& rect);
    virtual CString GetCellName(int nCell) const;
    virtual BOOL HasCellNames() const;
    virtual BOOL HasOtherButton() const { return m_bHighColour; }
    virtual CString GetOtherText() const;
    virtual int GetSelectedCell() const;
    virtual void OnPopupChoice(int nItem);

protected:
    virtual void DrawFaceContent(CDC* pDC, const CRect& rect);
    // Fills rect with the current colour, or the look of no colour.
    void DrawSwatch(CDC* pDC, const CRect& rect) const;

    std::vector<COLORREF> m_colours;
    COLORREF m_crColour;
};
