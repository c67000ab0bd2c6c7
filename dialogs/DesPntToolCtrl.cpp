// CDesPntToolCtrl: the palette with a "Clear" choice for transparent painting.
#include "dialogs/DesPntToolCtrl.h"
#include "paint/PntCtrl.h"

BOOL CDesPntToolCtrl::SetupToolbarControls(UINT nIDBitmap)
{
    BOOL bResult = CPntToolCtrl::SetupToolbarControls(nIDBitmap);
    if (m_pPaintCtrl != NULL && m_pPaintCtrl->GetTransparent())
        m_ForeColourPicker.m_strDefaultText = _T("Clear");
    return bResult;
}
