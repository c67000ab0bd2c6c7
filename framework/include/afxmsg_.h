// Command targets and message maps.
//
// A message map is a table of entries, each reaching its handler through a typed thunk: a
// small function made by the ON_ macro inside the class's BEGIN_MESSAGE_MAP, which cracks the
// message parameters and calls the member with the right types. Maps chain to their base
// class's map, so a derived class handles what it lists and inherits the rest.
#pragma once
#include "afx.h"

class CCmdTarget;
class CCmdUI;
class CMenu;
class CWnd;

// Command codes passed to OnCmdMsg.
#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI ((UINT)(-1))

// Calls one handler. nID is the command or control id (for ranges), pExtra the CCmdUI of an
// update handler; pResult receives a window message's result. FALSE: an ON_NOTIFY_EX handler
// left the notification unhandled.
typedef BOOL (*AFX_PTHUNK)(CCmdTarget* pTarget, UINT nID, WPARAM wParam, LPARAM lParam,
                           void* pExtra, LRESULT* pResult);

struct AFX_MSGMAP_ENTRY
{
    UINT nMessage;              // window message, WM_COMMAND or WM_NOTIFY; 0 ends the table
    UINT nCode;                 // command or notification code (CN_COMMAND, CN_UPDATE_COMMAND_UI, ...)
    UINT nID;                   // first command or control id
    UINT nLastID;               // last id of a range
    const UINT* pnRegistered;   // registered message variable (ON_REGISTERED_MESSAGE), else NULL
    AFX_PTHUNK pfnThunk;
};

struct AFX_MSGMAP
{
    const AFX_MSGMAP* (PASCAL* pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// What OnCmdMsg found when asked only to look (pHandlerInfo not NULL).
struct AFX_CMDHANDLERINFO
{
    CCmdTarget* pTarget;
    const AFX_MSGMAP_ENTRY* pEntry;
};

// The WM_NOTIFY parameters that OnCmdMsg passes in pExtra.
struct AFX_NOTIFY
{
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

#define DECLARE_MESSAGE_MAP() \
protected: \
    static const AFX_MSGMAP* PASCAL GetThisMessageMap(); \
    virtual const AFX_MSGMAP* GetMessageMap() const;

#define BEGIN_MESSAGE_MAP(theClass, baseClass) \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* PASCAL theClass::GetThisMessageMap() \
    { \
        typedef theClass ThisClass; \
        typedef baseClass TheBaseClass; \
        (void)sizeof(ThisClass*); \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = \
        {

#define END_MESSAGE_MAP() \
            { 0, 0, 0, 0, NULL, NULL } \
        }; \
        static const AFX_MSGMAP messageMap = { &TheBaseClass::GetThisMessageMap, &_messageEntries[0] }; \
        return &messageMap; \
    }

// The body of a thunk: p is the object as ThisClass, w and l the message parameters.
#define AFX_THUNK(body) \
    [](CCmdTarget* pTarget, UINT nID, WPARAM w, LPARAM l, void* pExtra, LRESULT* pResult) -> BOOL \
    { \
        ThisClass* p = static_cast<ThisClass*>(pTarget); \
        (void)nID; (void)w; (void)l; (void)pExtra; (void)pResult; (void)p; \
        body; \
        return TRUE; \
    }

#define AFX_WM_ENTRY(msg, body) { msg, 0, 0, 0, NULL, AFX_THUNK(body) },
// A handler that returns nothing; the message's result is 0.
#define AFX_WM_VOID(msg, call) AFX_WM_ENTRY(msg, call; *pResult = 0)
// A handler whose return value is the message's result.
#define AFX_WM_RESULT(msg, call) AFX_WM_ENTRY(msg, *pResult = (LRESULT)(call))

#define AFX_MOUSE_POINT CPoint((short)LOWORD(l), (short)HIWORD(l))

#define ON_WM_CREATE() AFX_WM_RESULT(WM_CREATE, p->OnCreate((LPCREATESTRUCT)l))
#define ON_WM_DESTROY() AFX_WM_VOID(WM_DESTROY, p->OnDestroy())
#define ON_WM_NCDESTROY() AFX_WM_VOID(WM_NCDESTROY, p->OnNcDestroy())
#define ON_WM_CLOSE() AFX_WM_VOID(WM_CLOSE, p->OnClose())
#define ON_WM_SIZE() AFX_WM_VOID(WM_SIZE, p->OnSize((UINT)w, (short)LOWORD(l), (short)HIWORD(l)))
#define ON_WM_MOVE() AFX_WM_VOID(WM_MOVE, p->OnMove((short)LOWORD(l), (short)HIWORD(l)))
#define ON_WM_PAINT() AFX_WM_VOID(WM_PAINT, p->OnPaint())
#define ON_WM_ERASEBKGND() AFX_WM_RESULT(WM_ERASEBKGND, p->OnEraseBkgnd(CDC::FromHandle((HDC)w)))
#define ON_WM_HSCROLL() \
    AFX_WM_VOID(WM_HSCROLL, p->OnHScroll(LOWORD(w), HIWORD(w), (CScrollBar*)CWnd::FromHandle((HWND)l)))
#define ON_WM_VSCROLL() \
    AFX_WM_VOID(WM_VSCROLL, p->OnVScroll(LOWORD(w), HIWORD(w), (CScrollBar*)CWnd::FromHandle((HWND)l)))
#define ON_WM_CONTEXTMENU() AFX_WM_VOID(WM_CONTEXTMENU, p->OnContextMenu(CWnd::FromHandle((HWND)w), AFX_MOUSE_POINT))
#define ON_WM_MOUSEMOVE() AFX_WM_VOID(WM_MOUSEMOVE, p->OnMouseMove((UINT)w, AFX_MOUSE_POINT))
#define ON_WM_LBUTTONDOWN() AFX_WM_VOID(WM_LBUTTONDOWN, p->OnLButtonDown((UINT)w, AFX_MOUSE_POINT))
#define ON_WM_LBUTTONUP() AFX_WM_VOID(WM_LBUTTONUP, p->OnLButtonUp((UINT)w, AFX_MOUSE_POINT))
#define ON_WM_LBUTTONDBLCLK() AFX_WM_VOID(WM_LBUTTONDBLCLK, p->OnLButtonDblClk((UINT)w, AFX_MOUSE_POINT))
#define ON_WM_RBUTTONDOWN() AFX_WM_VOID(WM_RBUTTONDOWN, p->OnRButtonDown((UINT)w, AFX_MOUSE_POINT))
#define ON_WM_RBUTTONUP() AFX_WM_VOID(WM_RBUTTONUP, p->OnRButtonUp((UINT)w, AFX_MOUSE_POINT))
#define ON_WM_SETCURSOR() \
    AFX_WM_RESULT(WM_SETCURSOR, p->OnSetCursor(CWnd::FromHandle((HWND)w), LOWORD(l), HIWORD(l)))
#define ON_WM_CAPTURECHANGED() AFX_WM_VOID(WM_CAPTURECHANGED, p->OnCaptureChanged(CWnd::FromHandle((HWND)l)))
#define ON_WM_CANCELMODE() AFX_WM_VOID(WM_CANCELMODE, p->OnCancelMode())
#define ON_WM_ENABLE() AFX_WM_VOID(WM_ENABLE, p->OnEnable((BOOL)w))
#define ON_WM_SETFOCUS() AFX_WM_VOID(WM_SETFOCUS, p->OnSetFocus(CWnd::FromHandle((HWND)w)))
#define ON_WM_KILLFOCUS() AFX_WM_VOID(WM_KILLFOCUS, p->OnKillFocus(CWnd::FromHandle((HWND)w)))
#define ON_WM_GETDLGCODE() AFX_WM_RESULT(WM_GETDLGCODE, p->OnGetDlgCode())
#define ON_WM_KEYDOWN() AFX_WM_VOID(WM_KEYDOWN, p->OnKeyDown((UINT)w, LOWORD(l), HIWORD(l)))
#define ON_WM_KEYUP() AFX_WM_VOID(WM_KEYUP, p->OnKeyUp((UINT)w, LOWORD(l), HIWORD(l)))
#define ON_WM_SYSCOLORCHANGE() AFX_WM_VOID(WM_SYSCOLORCHANGE, p->OnSysColorChange())
#define ON_WM_CHAR() AFX_WM_VOID(WM_CHAR, p->OnChar((UINT)w, LOWORD(l), HIWORD(l)))
#define ON_WM_QUERYNEWPALETTE() AFX_WM_RESULT(WM_QUERYNEWPALETTE, p->OnQueryNewPalette())
#define ON_WM_PALETTECHANGED() AFX_WM_VOID(WM_PALETTECHANGED, p->OnPaletteChanged(CWnd::FromHandle((HWND)w)))
#define ON_WM_SETTINGCHANGE() AFX_WM_VOID(WM_SETTINGCHANGE, p->OnSettingChange((UINT)w, (LPCTSTR)l))
#define ON_WM_TIMER() AFX_WM_VOID(WM_TIMER, p->OnTimer((UINT)w))
#define ON_WM_SHOWWINDOW() AFX_WM_VOID(WM_SHOWWINDOW, p->OnShowWindow((BOOL)w, (UINT)l))
#define ON_WM_WINDOWPOSCHANGED() AFX_WM_VOID(WM_WINDOWPOSCHANGED, p->OnWindowPosChanged((WINDOWPOS*)l))
#define ON_WM_NCPAINT() AFX_WM_VOID(WM_NCPAINT, p->OnNcPaint())
#define ON_WM_NCCALCSIZE() AFX_WM_VOID(WM_NCCALCSIZE, p->OnNcCalcSize((BOOL)w, (NCCALCSIZE_PARAMS*)l))
#define ON_WM_INITMENUPOPUP() \
    AFX_WM_VOID(WM_INITMENUPOPUP, p->OnInitMenuPopup(CMenu::FromHandle((HMENU)w), LOWORD(l), (BOOL)HIWORD(l)))

// LRESULT memberFxn(WPARAM, LPARAM)
#define ON_MESSAGE(message, memberFxn) AFX_WM_RESULT(message, p->memberFxn(w, l))
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn) \
    { 0xC000, 0, 0, 0, &nMessageVariable, AFX_THUNK(*pResult = p->memberFxn(w, l)) },

// void memberFxn(); a handler returning a value (BOOL Undo(), say) may be bound too.
#define ON_COMMAND(id, memberFxn) \
    { WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(id), NULL, AFX_THUNK(p->memberFxn()) },
// void memberFxn(UINT nID)
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
    { WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(idLast), NULL, AFX_THUNK(p->memberFxn(nID)) },
// void memberFxn(CCmdUI* pCmdUI)
#define ON_UPDATE_COMMAND_UI(id, memberFxn) \
    { WM_COMMAND, CN_UPDATE_COMMAND_UI, (UINT)(id), (UINT)(id), NULL, AFX_THUNK(p->memberFxn((CCmdUI*)pExtra)) },
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn) \
    { WM_COMMAND, CN_UPDATE_COMMAND_UI, (UINT)(id), (UINT)(idLast), NULL, AFX_THUNK(p->memberFxn((CCmdUI*)pExtra)) },
// void memberFxn(): a control's WM_COMMAND notification
#define ON_CONTROL(wNotifyCode, id, memberFxn) \
    { WM_COMMAND, (UINT)(WORD)(wNotifyCode), (UINT)(id), (UINT)(id), NULL, AFX_THUNK(p->memberFxn()) },
#define ON_CONTROL_RANGE(wNotifyCode, id, idLast, memberFxn) \
    { WM_COMMAND, (UINT)(WORD)(wNotifyCode), (UINT)(id), (UINT)(idLast), NULL, AFX_THUNK(p->memberFxn(nID)) },
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
// void memberFxn(NMHDR* pNotifyStruct, LRESULT* pResult); the code may be a registered message.
#define ON_NOTIFY(wNotifyCode, id, memberFxn) \
    { WM_NOTIFY, (UINT)(WORD)(wNotifyCode), (UINT)(id), (UINT)(id), NULL, \
      AFX_THUNK(p->memberFxn(((AFX_NOTIFY*)pExtra)->pNMHDR, ((AFX_NOTIFY*)pExtra)->pResult)) },
// void memberFxn(UINT id, NMHDR* pNotifyStruct, LRESULT* pResult)
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn) \
    { WM_NOTIFY, (UINT)(WORD)(wNotifyCode), (UINT)(id), (UINT)(idLast), NULL, \
      AFX_THUNK(p->memberFxn(nID, ((AFX_NOTIFY*)pExtra)->pNMHDR, ((AFX_NOTIFY*)pExtra)->pResult)) },
// BOOL memberFxn(UINT id, NMHDR* pNotifyStruct, LRESULT* pResult): FALSE leaves the
// notification unhandled (default processing).
#define ON_NOTIFY_EX(wNotifyCode, id, memberFxn) ON_NOTIFY_EX_RANGE(wNotifyCode, id, id, memberFxn)
#define ON_NOTIFY_EX_RANGE(wNotifyCode, id, idLast, memberFxn) \
    { WM_NOTIFY, (UINT)(WORD)(wNotifyCode), (UINT)(id), (UINT)(idLast), NULL, \
      AFX_THUNK(return p->memberFxn(nID, ((AFX_NOTIFY*)pExtra)->pNMHDR, ((AFX_NOTIFY*)pExtra)->pResult)) },

class AFX_FW_CLASS CCmdTarget : public CObject
{
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() {}
    virtual ~CCmdTarget() {}

    // Routes a command (CN_COMMAND), an update request (CN_UPDATE_COMMAND_UI, pExtra the
    // CCmdUI), a control notification or a WM_NOTIFY (nCode MAKELONG(code, WM_NOTIFY), pExtra
    // an AFX_NOTIFY) to this object's handler. With pHandlerInfo it only reports the handler.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    // The entry of this object's maps for a window message, or NULL.
    const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT nMessage) const;

    static const AFX_MSGMAP* PASCAL GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
};

// The state of one user-interface item (menu item, button, tool-bar button) being updated.
class AFX_FW_CLASS CCmdUI
{
public:
    CCmdUI();
    virtual ~CCmdUI() {}

    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1);
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCTSTR lpszText);
    void ContinueRouting() { m_bContinueRouting = TRUE; }
    // Asks pTarget's update handler; with bDisableIfNoHndler an item without any handler is disabled.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);

    UINT m_nID;
    UINT m_nIndex;        // the item's position in m_pMenu
    UINT m_nIndexMax;     // the number of items in m_pMenu
    CMenu* m_pMenu;       // the menu of the item, or NULL when the item is not a menu item
    CMenu* m_pSubMenu;    // the pop-up that the item opens (the item is a pop-up), else NULL
    CMenu* m_pParentMenu; // the menu that opens m_pMenu, when known
    CWnd* m_pOther;       // the control of the item (button, tool bar), else NULL
    BOOL m_bEnableChanged;
    BOOL m_bContinueRouting;
};
