// The application: shows the dialog, with the picture named on the command line if any.
#include <afxwin.h>
#include <stdlib.h>
#include "HostDialog.h"

class CHostApp : public CWinApp
{
public:
    CHostApp() : CWinApp(_T("Paint control host")) {}

    BOOL InitInstance() override
    {
        // The text tool keeps its font and alignment under this key.
        SetRegistryKey(_T("Paint control host"));

        CHostDialog dlg(__argc > 1 ? __targv[1] : _T("picture.bmp"));
        m_pMainWnd = &dlg;
        dlg.DoModal();
        return FALSE;   // the dialog was the whole program: no message loop after it
    }
};

CHostApp theApp;
