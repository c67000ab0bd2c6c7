// Real input for the paint control tests: wheel, keys and buttons through SendInput, as the
// user's devices would send them, reaching the window under the pointer or with the focus.
#pragma once
#include <afxwin.h>

namespace realinput
{
inline void Mouse(DWORD dwFlags, int nData = 0)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = dwFlags;
    input.mi.mouseData = (DWORD)nData;
    ::SendInput(1, &input, sizeof(input));
}

// The wheel turned by nDelta (WHEEL_DELTA a notch; positive away from the user), or tilted
// (positive to the right).
inline void Wheel(int nDelta) { Mouse(MOUSEEVENTF_WHEEL, nDelta); }
inline void TiltWheel(int nDelta) { Mouse(MOUSEEVENTF_HWHEEL, nDelta); }

// The pointer to a screen point, in absolute input units.
inline void MovePointer(CPoint ptScreen)
{
    const int cx = ::GetSystemMetrics(SM_CXSCREEN);
    const int cy = ::GetSystemMetrics(SM_CYSCREEN);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = (ptScreen.x * 65536 + cx / 2) / cx;
    input.mi.dy = (ptScreen.y * 65536 + cy / 2) / cy;
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &input, sizeof(input));
}

inline void Key(WORD wVk, bool bUp)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = wVk;
    input.ki.wScan = (WORD)::MapVirtualKey(wVk, MAPVK_VK_TO_VSC);
    // The navigation keys are the extended ones of their own block.
    const bool bExtended = wVk == VK_PRIOR || wVk == VK_NEXT || wVk == VK_END || wVk == VK_HOME ||
                           (wVk >= VK_LEFT && wVk <= VK_DOWN) || wVk == VK_DELETE;
    input.ki.dwFlags = (bUp ? KEYEVENTF_KEYUP : 0) | (bExtended ? KEYEVENTF_EXTENDEDKEY : 0);
    ::SendInput(1, &input, sizeof(input));
}
inline void Press(WORD wVk)
{
    Key(wVk, false);
    Key(wVk, true);
}
}
