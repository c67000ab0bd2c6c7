// What windows show: their pixels read back for tests, and pictures of them for people to
// look at after a test run.
#pragma once
#include <windows.h>
#include <vector>

namespace testenv
{
// Writes the client area of hWnd, as it is on the screen now, to OutputPath(name) as a
// 24-bit bitmap file. Returns false when the window or the file cannot be had.
bool SaveWindowBitmap(HWND hWnd, const char* name);

// The pixels of rc (client coordinates of hWnd; screen coordinates when hWnd is NULL) as they
// are shown now, as COLORREFs row by row from the top; empty when they cannot be read.
std::vector<COLORREF> ReadPixels(HWND hWnd, const RECT& rc);
}
