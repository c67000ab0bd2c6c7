// Runs a library dialog modally and answers it as a user would, from a timer that fires
// once the dialog is on the screen.
#pragma once
#include <afxwin.h>
#include <functional>
#include <string>
#include "common/ModalAnswer.h"

namespace dlgtest
{
// DoModal with script called once with the shown dialog's window; a dialog that the script
// leaves open is cancelled. Positions go to the tests' registry key.
INT_PTR RunModal(CDialog& dlg, const std::function<void(HWND)>& script);
}
