// IDIBSectionUI: the questions and messages of the image class, which shows no window of its
// own. The host (or the library, by default) installs one for the whole process with
// CDIBSection::SetUserInterface; without one, messages go unseen and conversions that need
// the user are refused.
#pragma once
#include <afxwin.h>

class IDIBSectionUI
{
public:
    // Tells the user of a failure the image class cannot report otherwise (OLE could not
    // be started on this thread, for the clipboard).
    virtual void ShowError(LPCTSTR pszMessage) = 0;
    // A pasted picture (the packed DIB hDIB) must be brought to nBitCount bits and the image's
    // colours first: pTable16 and pTable256 are the image's colour table at 4 and 8 bits (NULL
    // otherwise), pColourNames the names of the colours. Returns the converted packed DIB,
    // which the caller frees, or NULL when the user cancelled or the conversion failed.
    virtual HGLOBAL ConvertPastedDIB(HGLOBAL hDIB, int nBitCount, COLORREF* pTable16, COLORREF* pTable256,
                                     CStringArray* pColourNames) = 0;

protected:
    ~IDIBSectionUI() {}
};
