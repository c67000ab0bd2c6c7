// Export and import of the companion classes: the companion DLL exports them, hosts and
// the paint library import them.
#pragma once
#include <afxwin.h>

#ifdef _COMPANION_BUILD
#define COMPANION_CLASS __declspec(dllexport)
#else
#define COMPANION_CLASS __declspec(dllimport)
#endif
