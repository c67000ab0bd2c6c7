// Standard controls.
#include "ThreadState.h"

IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CComboBox, CWnd)

void CComboBox::GetLBText(int nIndex, CString& rString) const
{
    int nLength = (int)::SendMessage(m_hWnd, CB_GETLBTEXTLEN, nIndex, 0);
    if (nLength == CB_ERR)
    {
        rString.Empty();
        return;
    }
    ::SendMessage(m_hWnd, CB_GETLBTEXT, nIndex, (LPARAM)rString.GetBuffer(nLength));
    rString.ReleaseBuffer(nLength);
}
