// DoModal returns an INT_PTR: an override returning int conflicts with CDialog's.
// expect-error: conflicting return type specified for 'virtual int CAboutDlg::DoModal()'
#include <afxwin.h>

class CAboutDlg : public CDialog
{
public:
    virtual int DoModal() { return IDOK; }
};
