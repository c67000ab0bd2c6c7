// Real input for the tests, given as a user gives it: SendInput events, which Wine passes
// through the X server like a device's, so they reach the window under the pointer (or with
// the focus) with the key and button states a program reads while handling them. The events
// are only queued: a test pumps messages to have them handled, and can queue a whole drag
// first for a tool that follows the mouse in a loop of its own.
#pragma once
#include <windows.h>

namespace testenv
{
// Moves the pointer to a screen point.
void MovePointer(POINT ptScreen);
// Presses or releases buttons where the pointer is (MOUSEEVENTF_LEFTDOWN and the like).
void MouseButtons(DWORD dwFlags);
// Moves to the point and clicks the left (or right) button there.
void ClickAt(POINT ptScreen, bool bRight = false);
// Turns the wheel by nDelta where the pointer is: WHEEL_DELTA a notch, positive away from the
// user; or tilts it (bHorizontal), positive to the right.
void TurnWheel(int nDelta, bool bHorizontal = false);
void KeyDown(WORD wVirtKey);
void KeyUp(WORD wVirtKey);
void PressKey(WORD wVirtKey);

// Dispatches the thread's messages for about nMilliseconds, as the application's loop does
// (PreTranslateMessage first), so that input and what it causes (focus and stacking changes,
// repaints) have arrived.
void PumpMessagesFor(DWORD nMilliseconds);
// Dispatches messages until pred() holds or about nLimit milliseconds have passed; pred()'s
// last answer.
template <class Pred>
bool PumpUntil(Pred pred, DWORD nLimit = 5000)
{
    for (DWORD nWaited = 0; nWaited < nLimit; nWaited += 20)
    {
        if (pred())
            return true;
        PumpMessagesFor(20);
    }
    return pred();
}
}
