// COleDataObject: reading the formats of an IDataObject, usually the clipboard's.
#include "afxole.h"
#include <string.h>

namespace
{
// A copy of a memory block in a new movable block, or NULL.
HGLOBAL CopyGlobalBlock(HGLOBAL hSource)
{
    const SIZE_T cb = hSource != NULL ? ::GlobalSize(hSource) : 0;
    const void* pSource = cb != 0 ? ::GlobalLock(hSource) : NULL;
    if (pSource == NULL)
        return NULL;
    HGLOBAL hCopy = ::GlobalAlloc(GMEM_MOVEABLE, cb);
    void* pCopy = hCopy != NULL ? ::GlobalLock(hCopy) : NULL;
    if (pCopy != NULL)
    {
        memcpy(pCopy, pSource, cb);
        ::GlobalUnlock(hCopy);
    }
    else if (hCopy != NULL)
    {
        ::GlobalFree(hCopy);
        hCopy = NULL;
    }
    ::GlobalUnlock(hSource);
    return hCopy;
}

// The request for cfFormat: the caller's, or the default one that accepts any medium.
FORMATETC MakeFormatEtc(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc, DWORD tymedDefault)
{
    FORMATETC formatEtc;
    if (lpFormatEtc != NULL)
    {
        formatEtc = *lpFormatEtc;
    }
    else
    {
        formatEtc.ptd = NULL;
        formatEtc.dwAspect = DVASPECT_CONTENT;
        formatEtc.lindex = -1;
        formatEtc.tymed = tymedDefault;
    }
    formatEtc.cfFormat = cfFormat;
    return formatEtc;
}

// A copy of the clipboard's memory block of format cfFormat, as the medium the OLE clipboard
// gives on Windows. Formats held as GDI handles are left alone.
BOOL CopyClipboardBlock(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium)
{
    switch (cfFormat)
    {
    case CF_BITMAP: case CF_METAFILEPICT: case CF_PALETTE: case CF_ENHMETAFILE:
    case CF_DSPBITMAP: case CF_DSPMETAFILEPICT: case CF_DSPENHMETAFILE:
        return FALSE;
    }
    if (!::IsClipboardFormatAvailable(cfFormat) || !::OpenClipboard(NULL))
        return FALSE;
    HGLOBAL hCopy = CopyGlobalBlock((HGLOBAL)::GetClipboardData(cfFormat));
    ::CloseClipboard();
    if (hCopy == NULL)
        return FALSE;
    lpStgMedium->tymed = TYMED_HGLOBAL;
    lpStgMedium->hGlobal = hCopy;
    lpStgMedium->pUnkForRelease = NULL;
    return TRUE;
}

const DWORD kAnyMedium = TYMED_HGLOBAL | TYMED_FILE | TYMED_ISTREAM | TYMED_ISTORAGE | TYMED_GDI |
                         TYMED_MFPICT | TYMED_ENHMF;
}

COleDataObject::COleDataObject() : m_lpDataObject(NULL), m_bAutoRelease(TRUE), m_bClipboard(FALSE)
{
}

COleDataObject::~COleDataObject()
{
    Release();
}

void COleDataObject::Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease)
{
    Release();
    m_lpDataObject = lpDataObject;
    m_bAutoRelease = bAutoRelease;
    m_bClipboard = FALSE;
}

LPDATAOBJECT COleDataObject::Detach()
{
    LPDATAOBJECT lpDataObject = m_lpDataObject;
    m_lpDataObject = NULL;
    m_bClipboard = FALSE;
    return lpDataObject;
}

void COleDataObject::Release()
{
    if (m_lpDataObject != NULL && m_bAutoRelease)
        m_lpDataObject->Release();
    m_lpDataObject = NULL;
    m_bClipboard = FALSE;
}

BOOL COleDataObject::AttachClipboard()
{
    Release();
    LPDATAOBJECT lpDataObject = NULL;
    if (FAILED(::OleGetClipboard(&lpDataObject)) || lpDataObject == NULL)
        return FALSE;
    Attach(lpDataObject, TRUE);
    m_bClipboard = TRUE;
    return TRUE;
}

BOOL COleDataObject::IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    if (m_lpDataObject == NULL)
        return FALSE;
    FORMATETC formatEtc = MakeFormatEtc(cfFormat, lpFormatEtc, kAnyMedium);
    return m_lpDataObject->QueryGetData(&formatEtc) == S_OK;
}

BOOL COleDataObject::GetData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc)
{
    if (m_lpDataObject == NULL || lpStgMedium == NULL)
        return FALSE;
    memset(lpStgMedium, 0, sizeof(STGMEDIUM));
    FORMATETC formatEtc = MakeFormatEtc(cfFormat, lpFormatEtc, kAnyMedium);
    if (SUCCEEDED(m_lpDataObject->GetData(&formatEtc, lpStgMedium)))
        return TRUE;
    memset(lpStgMedium, 0, sizeof(STGMEDIUM));
    return m_bClipboard && (formatEtc.tymed & TYMED_HGLOBAL) && formatEtc.ptd == NULL &&
           formatEtc.dwAspect == DVASPECT_CONTENT && CopyClipboardBlock(cfFormat, lpStgMedium);
}

HGLOBAL COleDataObject::GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    FORMATETC formatEtc = MakeFormatEtc(cfFormat, lpFormatEtc, TYMED_HGLOBAL);
    STGMEDIUM stgMedium;
    if (!GetData(cfFormat, &stgMedium, &formatEtc))
        return NULL;
    if (stgMedium.tymed != TYMED_HGLOBAL || stgMedium.hGlobal == NULL)
    {
        ::ReleaseStgMedium(&stgMedium);
        return NULL;
    }
    // A block that the source keeps an interest in is copied, so the caller owns the result.
    if (stgMedium.pUnkForRelease == NULL)
        return stgMedium.hGlobal;
    HGLOBAL hCopy = CopyGlobalBlock(stgMedium.hGlobal);
    ::ReleaseStgMedium(&stgMedium);
    return hCopy;
}
