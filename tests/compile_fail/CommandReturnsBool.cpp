// A command handler that returns a value: ON_COMMAND only binds void Handler().
// expect-error: ON_COMMAND needs a handler declared void Handler()
#include <afxwin.h>

class CUndoWnd : public CWnd
{
public:
    BOOL Undo() { return TRUE; }

protected:
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CUndoWnd, CWnd)
    ON_COMMAND(ID_EDIT_UNDO, Undo)
END_MESSAGE_MAP()
