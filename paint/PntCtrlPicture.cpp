// CPntCtrl: picture files of every common format, through the image's LoadPicture and
// SavePicture.
#include "paint/PntCtrl.h"

BOOL CPntCtrl::LoadPicture(LPCTSTR lpszPath, DWORD dwFlags)
{
    // Unlike Load, a refused file leaves the control as it was: the image is only replaced
    // once the new picture is whole, so there is nothing to reset.
    if (!m_Image.LoadPicture(lpszPath, m_crEraseColor, dwFlags))
        return FALSE;
    Reset();
    return TRUE;
}

BOOL CPntCtrl::SavePicture(LPCTSTR lpszPath, DWORD dwFormat)
{
    BOOL bResult = m_Image.SavePicture(lpszPath, dwFormat);
    if (WindowExists())
        Invalidate(TRUE);
    return bResult;
}
