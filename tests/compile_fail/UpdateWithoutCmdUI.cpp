// An update handler must take the CCmdUI of the item it updates.
// expect-error: ON_UPDATE_COMMAND_UI needs a handler declared void Handler(CCmdUI* pCmdUI)
#include <afxwin.h>

class CUpdateWnd : public CWnd
{
protected:
    afx_msg void OnUpdateUndo() {}
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CUpdateWnd, CWnd)
    ON_UPDATE_COMMAND_UI(ID_EDIT_UNDO, OnUpdateUndo)
END_MESSAGE_MAP()
