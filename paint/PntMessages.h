// The status-bar update message of the paint library, registered when the library is loaded
// (the control's own notification codes are CPntCtrl's static members).
#pragma once
#include <afxwin.h>

extern AFX_EXT_DATA const UINT g_nPntUpdateStatusBarMessage;      // "UPDATE_PAINT_STATUSBAR"
