// Real input for the tests through SendInput.
#include <afxwin.h>
#include "UserInput.h"

namespace testenv
{
namespace
{
void SendOne(INPUT& input)
{
    ::SendInput(1, &input, sizeof(input));
}

void SendMouse(DWORD dwFlags, DWORD dwData = 0)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = dwFlags;
    input.mi.mouseData = dwData;
    SendOne(input);
}

void SendKey(WORD wVirtKey, DWORD dwFlags)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = wVirtKey;
    input.ki.wScan = (WORD)::MapVirtualKey(wVirtKey, MAPVK_VK_TO_VSC);
    // The navigation keys are the extended ones of their own block, as a keyboard sends them.
    const bool bExtended = wVirtKey == VK_PRIOR || wVirtKey == VK_NEXT || wVirtKey == VK_END ||
                           wVirtKey == VK_HOME || (wVirtKey >= VK_LEFT && wVirtKey <= VK_DOWN) ||
                           wVirtKey == VK_INSERT || wVirtKey == VK_DELETE;
    input.ki.dwFlags = dwFlags | (bExtended ? KEYEVENTF_EXTENDEDKEY : 0);
    SendOne(input);
}
}

void PumpMessagesFor(DWORD nMilliseconds)
{
    const DWORD dwStart = ::GetTickCount();
    do
    {
        MSG msg;
        while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
        {
            // As the application's loop does: the windows' own translations (accelerators,
            // a frame's PreTranslateMessage) first.
            CWinApp* pApp = AfxGetApp();
            if (pApp != NULL && pApp->PreTranslateMessage(&msg))
                continue;
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
        ::Sleep(5);
    } while (::GetTickCount() - dwStart < nMilliseconds);
}

void MovePointer(POINT ptScreen)
{
    // Absolute coordinates in 1/65536 of the primary screen, rounded up: the pixel is the
    // whole part of coordinate x width / 65536, so a value rounded down (or to the nearest)
    // can land on the pixel before.
    const int cx = ::GetSystemMetrics(SM_CXSCREEN);
    const int cy = ::GetSystemMetrics(SM_CYSCREEN);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = (ptScreen.x * 65536 + cx - 1) / cx;
    input.mi.dy = (ptScreen.y * 65536 + cy - 1) / cy;
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendOne(input);
}

void MouseButtons(DWORD dwFlags)
{
    SendMouse(dwFlags);
}

void ClickAt(POINT ptScreen, bool bRight)
{
    MovePointer(ptScreen);
    SendMouse(bRight ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
    SendMouse(bRight ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP);
}

void TurnWheel(int nDelta, bool bHorizontal)
{
    SendMouse(bHorizontal ? MOUSEEVENTF_HWHEEL : MOUSEEVENTF_WHEEL, (DWORD)nDelta);
}

void KeyDown(WORD wVirtKey)
{
    SendKey(wVirtKey, 0);
}

void KeyUp(WORD wVirtKey)
{
    SendKey(wVirtKey, KEYEVENTF_KEYUP);
}

void PressKey(WORD wVirtKey)
{
    KeyDown(wVirtKey);
    KeyUp(wVirtKey);
}
}
