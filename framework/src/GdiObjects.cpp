// GDI object wrappers and their handle map.
#include "ThreadState.h"

IMPLEMENT_DYNCREATE(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CPen, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CPalette, CGdiObject)
IMPLEMENT_DYNAMIC(CRgn, CGdiObject)

CObject* AfxNewGdiWrapper(HANDLE h)
{
    // Temporary wrappers are plain CGdiObjects: the typed wrappers add no data, so
    // FromHandle of each type casts this object.
    CGdiObject* pObject = new CGdiObject;
    pObject->m_hObject = (HGDIOBJ)h;
    return pObject;
}

void AfxReleaseGdiWrapper(CObject* pObject)
{
    static_cast<CGdiObject*>(pObject)->m_hObject = NULL;
}

HGDIOBJ AFXAPI _AfxGdiHandle(const CGdiObject* pObject)
{
    return pObject == NULL ? NULL : pObject->m_hObject;
}

CGdiObject::~CGdiObject()
{
    DeleteObject();
}

CGdiObject* PASCAL CGdiObject::FromHandle(HGDIOBJ hObject)
{
    return static_cast<CGdiObject*>(AfxGetThreadStateEx()->m_gdiMap.FromHandle(hObject));
}

void PASCAL CGdiObject::DeleteTempMap()
{
    AfxGetThreadStateEx()->m_gdiMap.DeleteTemp();
}

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    if (hObject == NULL)
        return FALSE;
    m_hObject = hObject;
    AfxGetThreadStateEx()->m_gdiMap.SetPermanent(hObject, this);
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ hObject = m_hObject;
    if (hObject != NULL)
        AfxGetThreadStateEx()->m_gdiMap.RemoveHandle(hObject, this);
    m_hObject = NULL;
    return hObject;
}

BOOL CGdiObject::DeleteObject()
{
    if (m_hObject == NULL)
        return FALSE;
    return ::DeleteObject(Detach());
}

CPen::CPen(int nPenStyle, int nWidth, COLORREF crColor)
{
    if (!Attach(::CreatePen(nPenStyle, nWidth, crColor)))
        AfxThrowResourceException();
}

CBrush::CBrush(COLORREF crColor)
{
    if (!Attach(::CreateSolidBrush(crColor)))
        AfxThrowResourceException();
}

CBrush::CBrush(int nIndex, COLORREF crColor)
{
    if (!Attach(::CreateHatchBrush(nIndex, crColor)))
        AfxThrowResourceException();
}

CBrush::CBrush(CBitmap* pBitmap)
{
    if (!Attach(::CreatePatternBrush((HBITMAP)pBitmap->GetSafeHandle())))
        AfxThrowResourceException();
}

BOOL CBrush::CreatePatternBrush(CBitmap* pBitmap)
{
    return Attach(::CreatePatternBrush((HBITMAP)pBitmap->GetSafeHandle()));
}

BOOL CFont::CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC)
{
    LOGFONT logFont;
    ::ZeroMemory(&logFont, sizeof(logFont));
    logFont.lfCharSet = DEFAULT_CHARSET;
    lstrcpyn(logFont.lfFaceName, lpszFaceName ? lpszFaceName : _T(""), LF_FACESIZE);
    HDC hDC = pDC != NULL ? pDC->m_hAttribDC : ::GetDC(NULL);
    int nDpi = ::GetDeviceCaps(hDC, LOGPIXELSY);
    if (pDC == NULL)
        ::ReleaseDC(NULL, hDC);
    logFont.lfHeight = -::MulDiv(nPointSize, nDpi, 720);
    return CreateFontIndirect(&logFont);
}

BOOL CBitmap::LoadBitmap(LPCTSTR lpszResourceName)
{
    HINSTANCE hModule = AfxFindResourceHandle(lpszResourceName, RT_BITMAP);
    return Attach(::LoadBitmap(hModule, lpszResourceName));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight)
{
    return Attach(::CreateCompatibleBitmap(pDC->GetSafeHdc(), nWidth, nHeight));
}

BOOL CBitmap::CreateDiscardableBitmap(CDC* pDC, int nWidth, int nHeight)
{
    return Attach(::CreateDiscardableBitmap(pDC->GetSafeHdc(), nWidth, nHeight));
}

BOOL CPalette::CreateHalftonePalette(CDC* pDC)
{
    return Attach(::CreateHalftonePalette(pDC->GetSafeHdc()));
}
