// Pictures of windows for people to look at after a test run.
#pragma once
#include <windows.h>

namespace testenv
{
// Writes the client area of hWnd, as it is on the screen now, to OutputPath(name) as a
// 24-bit bitmap file. Returns false when the window or the file cannot be had.
bool SaveWindowBitmap(HWND hWnd, const char* name);
}
