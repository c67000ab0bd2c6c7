// CPaletteSelection: a palette selected into a DC for the length of a scope (internal to the
// image class's sources).
#pragma once
#include <windows.h>

// A palette selected in the foreground and realised; the previous palette goes back in the
// background when this goes out of scope.
class CPaletteSelection
{
public:
    CPaletteSelection() : m_hDC(NULL), m_hOld(NULL) {}
    ~CPaletteSelection() { Undo(); }

    void Select(HDC hDC, HPALETTE hPalette)
    {
        Undo();
        if (hDC == NULL || hPalette == NULL)
            return;
        m_hOld = ::SelectPalette(hDC, hPalette, FALSE);
        if (m_hOld == NULL)
            return;
        m_hDC = hDC;
        ::RealizePalette(hDC);
    }
    void Undo()
    {
        if (m_hDC != NULL)
            ::SelectPalette(m_hDC, m_hOld, TRUE);
        m_hDC = NULL;
        m_hOld = NULL;
    }

private:
    HDC m_hDC;
    HPALETTE m_hOld;
};
