// Command targets and message maps.
//
// A message map is a table of entries, each reaching its handler through a typed thunk: a
// small function made by the ON_ macro inside the class's BEGIN_MESSAGE_MAP, which cracks the
// message parameters and calls the member with the right types. Maps chain to their base
// class's map, so a derived class handles what it lists and inherits the rest.
#pragma once
#include "afx.h"
#include "afxmsgcheck_.h"

class CCmdTarget;
class CCmdUI;
class CMenu;
class CWnd;
class CDC;
class CPoint;
class CScrollBar;

// Command codes passed to OnCmdMsg.
#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI ((UINT)(-1))

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

// Window messages: each handler has the name and the signature of CWnd's afx_msg member, and is
// reached through a pointer to the member of that name as ThisClass sees it.
#define AFX_WM_ENTRY(msg, memberFxn, Signature, Arguments, nResultUse, lpszNeeds) \
    { msg, 0, 0, 0, NULL, AFX_CHECKED_THUNK(&ThisClass::memberFxn, Signature, Arguments, nResultUse, lpszNeeds) },
// A handler that returns nothing; the message's result is 0.
#define AFX_WM_VOID(msg, memberFxn, Parameters, Arguments) \
    AFX_WM_ENTRY(msg, memberFxn, void Parameters, Arguments, AfxResultZero, \
                 #msg " needs the handler afx_msg void " #memberFxn #Parameters)
// A handler whose return value is the message's result.
#define AFX_WM_RESULT(msg, memberFxn, Result, Parameters, Arguments) \
    AFX_WM_ENTRY(msg, memberFxn, Result Parameters, Arguments, AfxResultLResult, \
                 #msg " needs the handler afx_msg " #Result " " #memberFxn #Parameters)

#define AFX_MOUSE_POINT CPoint((short)LOWORD(l), (short)HIWORD(l))

#define ON_WM_CREATE() AFX_WM_RESULT(WM_CREATE, OnCreate, int, (LPCREATESTRUCT), ((LPCREATESTRUCT)l))
#define ON_WM_DESTROY() AFX_WM_VOID(WM_DESTROY, OnDestroy, (), ())
#define ON_WM_NCDESTROY() AFX_WM_VOID(WM_NCDESTROY, OnNcDestroy, (), ())
#define ON_WM_CLOSE() AFX_WM_VOID(WM_CLOSE, OnClose, (), ())
#define ON_WM_SIZE() AFX_WM_VOID(WM_SIZE, OnSize, (UINT, int, int), ((UINT)w, (short)LOWORD(l), (short)HIWORD(l)))
#define ON_WM_MOVE() AFX_WM_VOID(WM_MOVE, OnMove, (int, int), ((short)LOWORD(l), (short)HIWORD(l)))
#define ON_WM_PAINT() AFX_WM_VOID(WM_PAINT, OnPaint, (), ())
#define ON_WM_ERASEBKGND() AFX_WM_RESULT(WM_ERASEBKGND, OnEraseBkgnd, BOOL, (CDC*), (CDC::FromHandle((HDC)w)))
#define ON_WM_HSCROLL() \
    AFX_WM_VOID(WM_HSCROLL, OnHScroll, (UINT, UINT, CScrollBar*), \
                (LOWORD(w), HIWORD(w), (CScrollBar*)CWnd::FromHandle((HWND)l)))
#define ON_WM_VSCROLL() \
    AFX_WM_VOID(WM_VSCROLL, OnVScroll, (UINT, UINT, CScrollBar*), \
                (LOWORD(w), HIWORD(w), (CScrollBar*)CWnd::FromHandle((HWND)l)))
#define ON_WM_CONTEXTMENU() \
    AFX_WM_VOID(WM_CONTEXTMENU, OnContextMenu, (CWnd*, CPoint), (CWnd::FromHandle((HWND)w), AFX_MOUSE_POINT))
#define ON_WM_MOUSEMOVE() AFX_WM_VOID(WM_MOUSEMOVE, OnMouseMove, (UINT, CPoint), ((UINT)w, AFX_MOUSE_POINT))
#define ON_WM_LBUTTONDOWN() AFX_WM_VOID(WM_LBUTTONDOWN, OnLButtonDown, (UINT, CPoint), ((UINT)w, AFX_MOUSE_POINT))
#define ON_WM_LBUTTONUP() AFX_WM_VOID(WM_LBUTTONUP, OnLButtonUp, (UINT, CPoint), ((UINT)w, AFX_MOUSE_POINT))
#define ON_WM_LBUTTONDBLCLK() \
    AFX_WM_VOID(WM_LBUTTONDBLCLK, OnLButtonDblClk, (UINT, CPoint), ((UINT)w, AFX_MOUSE_POINT))
#define ON_WM_RBUTTONDOWN() AFX_WM_VOID(WM_RBUTTONDOWN, OnRButtonDown, (UINT, CPoint), ((UINT)w, AFX_MOUSE_POINT))
#define ON_WM_RBUTTONUP() AFX_WM_VOID(WM_RBUTTONUP, OnRButtonUp, (UINT, CPoint), ((UINT)w, AFX_MOUSE_POINT))
// The wheel messages carry the pointer in screen coordinates, and the delta in multiples (or
// fractions, for precise wheels) of WHEEL_DELTA: positive away from the user, or to the right.
#define ON_WM_MOUSEWHEEL() \
    AFX_WM_RESULT(WM_MOUSEWHEEL, OnMouseWheel, BOOL, (UINT, short, CPoint), \
                  ((UINT)LOWORD(w), (short)HIWORD(w), AFX_MOUSE_POINT))
#define ON_WM_MOUSEHWHEEL() \
    AFX_WM_VOID(WM_MOUSEHWHEEL, OnMouseHWheel, (UINT, short, CPoint), \
                ((UINT)LOWORD(w), (short)HIWORD(w), AFX_MOUSE_POINT))
#define ON_WM_SETCURSOR() \
    AFX_WM_RESULT(WM_SETCURSOR, OnSetCursor, BOOL, (CWnd*, UINT, UINT), \
                  (CWnd::FromHandle((HWND)w), LOWORD(l), HIWORD(l)))
#define ON_WM_CAPTURECHANGED() \
    AFX_WM_VOID(WM_CAPTURECHANGED, OnCaptureChanged, (CWnd*), (CWnd::FromHandle((HWND)l)))
#define ON_WM_CANCELMODE() AFX_WM_VOID(WM_CANCELMODE, OnCancelMode, (), ())
#define ON_WM_ENABLE() AFX_WM_VOID(WM_ENABLE, OnEnable, (BOOL), ((BOOL)w))
#define ON_WM_SETFOCUS() AFX_WM_VOID(WM_SETFOCUS, OnSetFocus, (CWnd*), (CWnd::FromHandle((HWND)w)))
#define ON_WM_KILLFOCUS() AFX_WM_VOID(WM_KILLFOCUS, OnKillFocus, (CWnd*), (CWnd::FromHandle((HWND)w)))
#define ON_WM_GETDLGCODE() AFX_WM_RESULT(WM_GETDLGCODE, OnGetDlgCode, UINT, (), ())
#define ON_WM_KEYDOWN() AFX_WM_VOID(WM_KEYDOWN, OnKeyDown, (UINT, UINT, UINT), ((UINT)w, LOWORD(l), HIWORD(l)))
#define ON_WM_KEYUP() AFX_WM_VOID(WM_KEYUP, OnKeyUp, (UINT, UINT, UINT), ((UINT)w, LOWORD(l), HIWORD(l)))
#define ON_WM_SYSCOLORCHANGE() AFX_WM_VOID(WM_SYSCOLORCHANGE, OnSysColorChange, (), ())
#define ON_WM_CHAR() AFX_WM_VOID(WM_CHAR, OnChar, (UINT, UINT, UINT), ((UINT)w, LOWORD(l), HIWORD(l)))
#define ON_WM_QUERYNEWPALETTE() AFX_WM_RESULT(WM_QUERYNEWPALETTE, OnQueryNewPalette, BOOL, (), ())
#define ON_WM_PALETTECHANGED() \
    AFX_WM_VOID(WM_PALETTECHANGED, OnPaletteChanged, (CWnd*), (CWnd::FromHandle((HWND)w)))
#define ON_WM_SETTINGCHANGE() \
    AFX_WM_VOID(WM_SETTINGCHANGE, OnSettingChange, (UINT, LPCTSTR), ((UINT)w, (LPCTSTR)l))
#define ON_WM_TIMER() AFX_WM_VOID(WM_TIMER, OnTimer, (UINT_PTR), ((UINT_PTR)w))
#define ON_WM_SHOWWINDOW() AFX_WM_VOID(WM_SHOWWINDOW, OnShowWindow, (BOOL, UINT), ((BOOL)w, (UINT)l))
#define ON_WM_WINDOWPOSCHANGED() \
    AFX_WM_VOID(WM_WINDOWPOSCHANGED, OnWindowPosChanged, (WINDOWPOS*), ((WINDOWPOS*)l))
#define ON_WM_NCPAINT() AFX_WM_VOID(WM_NCPAINT, OnNcPaint, (), ())
#define ON_WM_NCCALCSIZE() \
    AFX_WM_VOID(WM_NCCALCSIZE, OnNcCalcSize, (BOOL, NCCALCSIZE_PARAMS*), ((BOOL)w, (NCCALCSIZE_PARAMS*)l))
#define ON_WM_INITMENUPOPUP() \
    AFX_WM_VOID(WM_INITMENUPOPUP, OnInitMenuPopup, (CMenu*, UINT, BOOL), \
                (CMenu::FromHandle((HMENU)w), LOWORD(l), (BOOL)HIWORD(l)))

// narrow-begin: the texts of these entries are static_assert messages, narrow in any build
// afx_msg LRESULT memberFxn(WPARAM wParam, LPARAM lParam)
#define ON_MESSAGE(message, memberFxn) \
    { (UINT)(message), 0, 0, 0, NULL, \
      AFX_CHECKED_THUNK(memberFxn, LRESULT(WPARAM, LPARAM), (w, l), AfxResultLResult, \
                        "ON_MESSAGE needs a handler declared LRESULT Handler(WPARAM, LPARAM)") },
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn) \
    { 0xC000, 0, 0, 0, &nMessageVariable, \
      AFX_CHECKED_THUNK(memberFxn, LRESULT(WPARAM, LPARAM), (w, l), AfxResultLResult, \
                        "ON_REGISTERED_MESSAGE needs a handler declared LRESULT Handler(WPARAM, LPARAM)") },

// afx_msg void memberFxn()
#define ON_COMMAND(id, memberFxn) \
    { WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(id), NULL, \
      AFX_CHECKED_THUNK(memberFxn, void(), (), AfxResultIgnored, \
                        "ON_COMMAND needs a handler declared void Handler()") },
// afx_msg void memberFxn(UINT nID)
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
    { WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(idLast), NULL, \
      AFX_CHECKED_THUNK(memberFxn, void(UINT), (nID), AfxResultIgnored, \
                        "ON_COMMAND_RANGE needs a handler declared void Handler(UINT nID)") },
// afx_msg void memberFxn(CCmdUI* pCmdUI)
#define ON_UPDATE_COMMAND_UI(id, memberFxn) \
    { WM_COMMAND, CN_UPDATE_COMMAND_UI, (UINT)(id), (UINT)(id), NULL, \
      AFX_CHECKED_THUNK(memberFxn, void(CCmdUI*), ((CCmdUI*)pExtra), AfxResultIgnored, \
                        "ON_UPDATE_COMMAND_UI needs a handler declared void Handler(CCmdUI* pCmdUI)") },
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn) \
    { WM_COMMAND, CN_UPDATE_COMMAND_UI, (UINT)(id), (UINT)(idLast), NULL, \
      AFX_CHECKED_THUNK(memberFxn, void(CCmdUI*), ((CCmdUI*)pExtra), AfxResultIgnored, \
                        "ON_UPDATE_COMMAND_UI_RANGE needs a handler declared void Handler(CCmdUI* pCmdUI)") },
// afx_msg void memberFxn(): a control's WM_COMMAND notification
#define ON_CONTROL(wNotifyCode, id, memberFxn) \
    { WM_COMMAND, (UINT)(WORD)(wNotifyCode), (UINT)(id), (UINT)(id), NULL, \
      AFX_CHECKED_THUNK(memberFxn, void(), (), AfxResultIgnored, \
                        "ON_CONTROL and the ON_BN_, ON_EN_, ON_CBN_ entries need a handler declared void Handler()") },
// afx_msg void memberFxn(UINT nID)
#define ON_CONTROL_RANGE(wNotifyCode, id, idLast, memberFxn) \
    { WM_COMMAND, (UINT)(WORD)(wNotifyCode), (UINT)(id), (UINT)(idLast), NULL, \
      AFX_CHECKED_THUNK(memberFxn, void(UINT), (nID), AfxResultIgnored, \
                        "ON_CONTROL_RANGE needs a handler declared void Handler(UINT nID)") },
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
// afx_msg void memberFxn(NMHDR* pNotifyStruct, LRESULT* pResult); the code may be a registered message.
#define ON_NOTIFY(wNotifyCode, id, memberFxn) \
    { WM_NOTIFY, (UINT)(WORD)(wNotifyCode), (UINT)(id), (UINT)(id), NULL, \
      AFX_CHECKED_THUNK(memberFxn, void(NMHDR*, LRESULT*), \
                        (((AFX_NOTIFY*)pExtra)->pNMHDR, ((AFX_NOTIFY*)pExtra)->pResult), AfxResultIgnored, \
                        "ON_NOTIFY needs a handler declared void Handler(NMHDR* pNotifyStruct, LRESULT* pResult)") },
// afx_msg void memberFxn(UINT id, NMHDR* pNotifyStruct, LRESULT* pResult)
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn) \
    { WM_NOTIFY, (UINT)(WORD)(wNotifyCode), (UINT)(id), (UINT)(idLast), NULL, \
      AFX_CHECKED_THUNK(memberFxn, void(UINT, NMHDR*, LRESULT*), \
                        (nID, ((AFX_NOTIFY*)pExtra)->pNMHDR, ((AFX_NOTIFY*)pExtra)->pResult), AfxResultIgnored, \
                        "ON_NOTIFY_RANGE needs a handler declared void Handler(UINT id, NMHDR* pNotifyStruct, LRESULT* pResult)") },
// afx_msg BOOL memberFxn(UINT id, NMHDR* pNotifyStruct, LRESULT* pResult): FALSE leaves the
// notification unhandled (default processing).
#define ON_NOTIFY_EX(wNotifyCode, id, memberFxn) \
    { WM_NOTIFY, (UINT)(WORD)(wNotifyCode), (UINT)(id), (UINT)(id), NULL, \
      AFX_CHECKED_THUNK(memberFxn, BOOL(UINT, NMHDR*, LRESULT*), \
                        (nID, ((AFX_NOTIFY*)pExtra)->pNMHDR, ((AFX_NOTIFY*)pExtra)->pResult), AfxResultHandled, \
                        "ON_NOTIFY_EX needs a handler declared BOOL Handler(UINT id, NMHDR* pNotifyStruct, LRESULT* pResult)") },
#define ON_NOTIFY_EX_RANGE(wNotifyCode, id, idLast, memberFxn) \
    { WM_NOTIFY, (UINT)(WORD)(wNotifyCode), (UINT)(id), (UINT)(idLast), NULL, \
      AFX_CHECKED_THUNK(memberFxn, BOOL(UINT, NMHDR*, LRESULT*), \
                        (nID, ((AFX_NOTIFY*)pExtra)->pNMHDR, ((AFX_NOTIFY*)pExtra)->pResult), AfxResultHandled, \
                        "ON_NOTIFY_EX_RANGE needs a handler declared BOOL Handler(UINT id, NMHDR* pNotifyStruct, LRESULT* pResult)") },
// narrow-end

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
