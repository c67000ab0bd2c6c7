// A picture of a window as it is on the screen, frame and menu included.
#pragma once
#include "image/DIBSection.h"

// Copies the whole window (after it has repainted) into image as a 24-bit picture; FALSE when
// the window or the copy cannot be had.
BOOL CaptureWindow(HWND hWnd, CDIBSection& image);
