// The entry point of a program built on the framework: the system starts a GUI program at
// WinMain (wWinMain for Unicode), which hands everything to AfxWinMain in the framework DLL.
// It lives in a static library linked into the program itself, since a DLL cannot give an
// executable its entry point.
#include <afxwin.h>
#include <tchar.h>

extern "C" int WINAPI _tWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow)
{
    return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}
