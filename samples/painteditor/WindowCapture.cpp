// CaptureWindow: the window's pixels read back from the screen into the image class.
#include "WindowCapture.h"

BOOL CaptureWindow(HWND hWnd, CDIBSection& image)
{
    if (!::IsWindow(hWnd))
        return FALSE;
    ::RedrawWindow(hWnd, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    if (rc.Width() <= 0 || rc.Height() <= 0)
        return FALSE;

    BOOL bOk = FALSE;
    HDC hdcWindow = ::GetWindowDC(hWnd);
    HDC hdcMem = hdcWindow != NULL ? ::CreateCompatibleDC(hdcWindow) : NULL;
    HBITMAP hbm = hdcWindow != NULL ? ::CreateCompatibleBitmap(hdcWindow, rc.Width(), rc.Height()) : NULL;
    if (hdcMem != NULL && hbm != NULL)
    {
        HGDIOBJ hOld = ::SelectObject(hdcMem, hbm);
        bOk = ::BitBlt(hdcMem, 0, 0, rc.Width(), rc.Height(), hdcWindow, 0, 0, SRCCOPY);
        ::SelectObject(hdcMem, hOld);
    }
    if (hdcMem != NULL)
        ::DeleteDC(hdcMem);
    if (hdcWindow != NULL)
        ::ReleaseDC(hWnd, hdcWindow);
    // The screen's bitmap is 32 bits deep; a file of 24 is smaller and reads everywhere.
    bOk = bOk && image.SetBitmap(hbm, NULL) && image.Resize(rc.Width(), rc.Height(), 1, 24);
    if (hbm != NULL)
        ::DeleteObject(hbm);
    return bOk;
}
