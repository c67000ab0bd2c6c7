// The library's own module handle, for resources and window classes that must be found
// under the library's instance rather than the host's.
#pragma once
#include <afxwin.h>

HINSTANCE PntGetLibraryInstance();
