// The creation context is a CCreateContext, not any pointer.
// expect-error: cannot convert 'int*' to 'CCreateContext*'
#include <afxwin.h>

BOOL CreateChild(CWnd& wnd, CWnd* pParent)
{
    static int s_nContext = 0;
    return wnd.Create(NULL, NULL, WS_CHILD, CRect(0, 0, 10, 10), pParent, 1, &s_nContext);
}
