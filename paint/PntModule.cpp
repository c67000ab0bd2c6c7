// The library's entry point: it is an extension module of its host application, so its
// dialog templates, strings, bitmaps and cursors are found through the host's resource chain.
#include "paint/PntModule.h"

static AFX_EXTENSION_MODULE s_paintModule = { FALSE, NULL, NULL, NULL, NULL };

HINSTANCE PntGetLibraryInstance()
{
    return s_paintModule.hModule;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID)
{
    if (dwReason == DLL_PROCESS_ATTACH)
    {
        if (!AfxInitExtensionModule(s_paintModule, hInstance))
            return FALSE;
        new CDynLinkLibrary(s_paintModule);
        // A failure here is not fatal: the control's constructor registers the class again.
        PntRegisterControlClass();
    }
    else if (dwReason == DLL_PROCESS_DETACH)
    {
        AfxTermExtensionModule(s_paintModule);
    }
    return TRUE;
}
