// The framework's private window messages.
#pragma once

#define WM_SETMESSAGESTRING 0x0362   // wParam: string id, or 0 with lParam the text
#define WM_IDLEUPDATECMDUI 0x0363    // wParam: disable items without handlers
#define WM_KICKIDLE 0x036A           // sent by modal loops when their queue is idle
