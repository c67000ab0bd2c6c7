// The library's own user interface for its images, installed when the library is loaded: a
// message box for errors and the image settings dialog for pastes that need converting. A
// host may install another with CDIBSection::SetUserInterface.
#include "image/DIBSection.h"
#include "image/DIBSectionUI.h"
#include "companion/ImageSettingsDlg.h"

namespace
{
class CLibraryDIBSectionUI : public IDIBSectionUI
{
public:
    virtual void ShowError(LPCTSTR pszMessage) { AfxMessageBox(pszMessage, MB_OK); }

    virtual HGLOBAL ConvertPastedDIB(HGLOBAL hDIB, int nBitCount, COLORREF* pTable16, COLORREF* pTable256,
                                     CStringArray* pColourNames)
    {
        CImageSettingsDlg dlg(hDIB, nBitCount, pTable16, pTable256, pColourNames, NULL, NULL, NULL);
        if (dlg.DoModal() != IDOK)
            return NULL;
        return dlg.GetDIB();
    }
};

CLibraryDIBSectionUI s_libraryUI;

// Runs with the library's other static initialisers, before the host can make an image.
struct CDIBSectionUIRegistrar
{
    CDIBSectionUIRegistrar() { CDIBSection::SetUserInterface(&s_libraryUI); }
} s_registrar;
}
