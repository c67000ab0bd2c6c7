// GDI objects selected into a DC for the length of a scope: whatever was selected before
// goes back when the scope ends (or at Restore), on every path out, exceptions included.
#pragma once
#include <afxwin.h>

// One pen, brush, font or bitmap (or stock object) selected into a DC.
class CPntSelectObject
{
public:
    CPntSelectObject() : m_hDC(NULL), m_hOld(NULL) {}
    CPntSelectObject(HDC hDC, HGDIOBJ hObject) : m_hDC(NULL), m_hOld(NULL) { Select(hDC, hObject); }
    CPntSelectObject(CDC* pDC, CGdiObject* pObject) : m_hDC(NULL), m_hOld(NULL)
    {
        Select(pDC != NULL ? pDC->GetSafeHdc() : NULL, pObject != NULL ? pObject->GetSafeHandle() : NULL);
    }
    ~CPntSelectObject() { Restore(); }

    // FALSE, with nothing selected, when the DC or the object is missing or GDI refuses it.
    BOOL Select(HDC hDC, HGDIOBJ hObject)
    {
        Restore();
        if (hDC == NULL || hObject == NULL)
            return FALSE;
        HGDIOBJ hOld = ::SelectObject(hDC, hObject);
        if (hOld == NULL || hOld == HGDI_ERROR)
            return FALSE;
        m_hDC = hDC;
        m_hOld = hOld;
        return TRUE;
    }
    BOOL SelectStock(HDC hDC, int nIndex) { return Select(hDC, ::GetStockObject(nIndex)); }
    BOOL IsSelected() const { return m_hDC != NULL; }
    // Puts the previous object back now.
    void Restore()
    {
        if (m_hDC != NULL)
            ::SelectObject(m_hDC, m_hOld);
        m_hDC = NULL;
        m_hOld = NULL;
    }

private:
    CPntSelectObject(const CPntSelectObject&) = delete;
    void operator=(const CPntSelectObject&) = delete;

    HDC m_hDC;
    HGDIOBJ m_hOld;
};

// A logical palette selected into a DC, realised when asked; the previous palette goes back
// in the background or the foreground, as the caller chose. Made empty, it selects later.
class CPntSelectPalette
{
public:
    CPntSelectPalette() : m_hDC(NULL), m_hOld(NULL), m_bRestoreBackground(TRUE) {}
    CPntSelectPalette(HDC hDC, HPALETTE hPalette, BOOL bRealize, BOOL bRestoreBackground)
        : m_hDC(NULL), m_hOld(NULL), m_bRestoreBackground(TRUE)
    {
        Select(hDC, hPalette, bRealize, bRestoreBackground);
    }
    // Puts back what an earlier Select chose, then selects hPalette.
    void Select(HDC hDC, HPALETTE hPalette, BOOL bRealize = TRUE, BOOL bRestoreBackground = TRUE)
    {
        Restore();
        m_bRestoreBackground = bRestoreBackground;
        if (hDC == NULL || hPalette == NULL)
            return;
        m_hOld = ::SelectPalette(hDC, hPalette, FALSE);
        if (m_hOld == NULL)
            return;
        m_hDC = hDC;
        if (bRealize)
            ::RealizePalette(hDC);
    }
    ~CPntSelectPalette() { Restore(); }

    BOOL IsSelected() const { return m_hDC != NULL; }
    void Restore()
    {
        if (m_hDC != NULL)
            ::SelectPalette(m_hDC, m_hOld, m_bRestoreBackground);
        m_hDC = NULL;
        m_hOld = NULL;
    }

private:
    CPntSelectPalette(const CPntSelectPalette&) = delete;
    void operator=(const CPntSelectPalette&) = delete;

    HDC m_hDC;
    HPALETTE m_hOld;
    BOOL m_bRestoreBackground;
};
