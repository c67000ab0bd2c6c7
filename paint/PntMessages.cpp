// Registered during the DLL's static initialisation, before any window can need it.
#include "paint/PntMessages.h"

const UINT g_nPntUpdateStatusBarMessage = ::RegisterWindowMessage(_T("UPDATE_PAINT_STATUSBAR"));
