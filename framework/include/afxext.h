// Extensions of the window classes; the core declarations come from afxwin.h.
#pragma once
#include "afxwin.h"
