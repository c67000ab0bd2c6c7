// The library's own module handle, for resources and window classes that must be found
// under the library's instance rather than the host's.
#pragma once
#include <afxwin.h>

HINSTANCE PntGetLibraryInstance();

// Registers the paint control's window class ("MFCPaintCtrl") under the host's and the
// library's instances, where it is not registered yet. The library does it when it is
// loaded, so that a dialog template naming the class works before any CPntCtrl exists;
// the control's constructor does it again. FALSE when a registration failed.
BOOL PntRegisterControlClass();
