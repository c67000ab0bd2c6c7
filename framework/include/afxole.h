// OLE data exchange: the data object wrapper that reads what an IDataObject offers, such as
// the one OleGetClipboard returns for the clipboard.
#pragma once
#include "afxwin.h"
#include <ole2.h>

// A consumer-side wrapper of an IDataObject. Not a CObject, as in MFC; objects usually live on
// the stack and give their interface back when they go out of scope.
class AFX_FW_CLASS COleDataObject
{
public:
    COleDataObject();
    // Releases the attached data object (see Release).
    ~COleDataObject();

    // Takes lpDataObject over; with bAutoRelease the interface is released by Release and by
    // the destructor. Whatever was attached before is released first.
    void Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease = TRUE);
    // Hands the interface back to the caller without releasing it.
    LPDATAOBJECT Detach();
    // Releases the interface when it was attached with bAutoRelease; the object is then empty.
    void Release();
    // Attaches the data object of the clipboard (OleGetClipboard; OLE must be initialised on
    // the thread). FALSE when there is none.
    BOOL AttachClipboard();

    // Whether the data can be had in cfFormat. Without lpFormatEtc the request is
    // {cfFormat, no target device, DVASPECT_CONTENT, index -1, any TYMED}; with it, its
    // fields are used and cfFormat goes into its cfFormat.
    BOOL IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = NULL);
    // Fetches the data into *lpStgMedium (request as for IsDataAvailable). The caller releases
    // the medium with ReleaseStgMedium. For the clipboard, a memory-block format that the data
    // object will not give (Wine's gives none but text) is copied from the clipboard itself.
    BOOL GetData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc = NULL);
    // The data as a global memory block that the caller owns (GlobalFree); NULL when it cannot
    // be had that way.
    HGLOBAL GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = NULL);

protected:
    LPDATAOBJECT m_lpDataObject;
    BOOL m_bAutoRelease;
    BOOL m_bClipboard;   // attached by AttachClipboard

private:
    COleDataObject(const COleDataObject&) = delete;
    void operator=(const COleDataObject&) = delete;
};
