// CCoolCombo: the face, its images, the drop-down and the notifications to the owner.
#include "companion/CoolCombo.h"
#include "companion/CoolComboPopup.h"
#include <math.h>

IMPLEMENT_DYNAMIC(CCoolCombo, CStatic)

BEGIN_MESSAGE_MAP(CCoolCombo, CStatic)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    ON_WM_KEYDOWN()
    ON_WM_GETDLGCODE()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
    ON_MESSAGE(WM_ENABLE, OnEnable)
    ON_MESSAGE(WM_NCHITTEST, OnNcHitTest)
END_MESSAGE_MAP()

namespace
{
const int kArrowZone = 9;   // the drop-down arrow's part of the face, at the right

COLORREF FromPixel(DWORD dwPixel)
{
    return RGB((dwPixel >> 16) & 0xFF, (dwPixel >> 8) & 0xFF, dwPixel & 0xFF);
}

DWORD ToPixel(COLORREF cr)
{
    return ((DWORD)GetRValue(cr) << 16) | ((DWORD)GetGValue(cr) << 8) | GetBValue(cr);
}
}

/////////////////////////////////////////////////////////////////////////////
// Image strips

BOOL CCoolCombo::ImageStrip::Load(UINT nIDBitmap, COLORREF crMaskColour)
{
    LPCTSTR lpszName = MAKEINTRESOURCE(nIDBitmap);
    HINSTANCE hInst = AfxFindResourceHandle(lpszName, RT_BITMAP);
    HBITMAP hbm = (HBITMAP)::LoadImage(hInst, lpszName, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    if (hbm == NULL)
        return FALSE;
    BITMAP bm;
    BOOL bResult = ::GetObject(hbm, sizeof(bm), &bm) != 0 && bm.bmWidth > 0 && bm.bmHeight > 0 &&
                   bm.bmWidth <= 0x4000 && bm.bmHeight <= 0x4000;
    std::vector<DWORD> pixels;
    if (bResult)
    {
        pixels.resize((size_t)bm.bmWidth * bm.bmHeight);
        BITMAPINFO bmi;
        ::ZeroMemory(&bmi, sizeof(bmi));
        bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bmi.bmiHeader.biWidth = bm.bmWidth;
        bmi.bmiHeader.biHeight = -bm.bmHeight;   // top row first
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        bmi.bmiHeader.biCompression = BI_RGB;
        HDC hScreen = ::GetDC(NULL);
        bResult = ::GetDIBits(hScreen, hbm, 0, bm.bmHeight, pixels.data(), &bmi, DIB_RGB_COLORS) == bm.bmHeight;
        ::ReleaseDC(NULL, hScreen);
    }
    ::DeleteObject(hbm);
    if (!bResult)
        return FALSE;
    bits.swap(pixels);
    cx = bm.bmWidth;
    cy = bm.bmHeight;
    crMask = crMaskColour & 0x00FFFFFF;   // a palette-relative mask colour is its RGB
    return TRUE;
}

void CCoolCombo::ImageStrip::Draw(CDC* pDC, int xSrc, int cxPart, CPoint pt, COLORREF crBack, const CRect& rcClip,
                                  BOOL bGrey) const
{
    if (pDC == NULL || cxPart <= 0 || cy <= 0 || xSrc < 0 || xSrc + cxPart > cx)
        return;
    std::vector<DWORD> part((size_t)cxPart * cy);
    DWORD dwBack = ToPixel(crBack);
    DWORD dwGrey = ToPixel(::GetSysColor(COLOR_GRAYTEXT));
    for (int y = 0; y < cy; ++y)
    {
        for (int x = 0; x < cxPart; ++x)
        {
            DWORD dw = bits[(size_t)y * cx + xSrc + x] & 0x00FFFFFF;
            if (FromPixel(dw) == crMask)
                dw = dwBack;
            else if (bGrey)
                dw = (((dw >> 16) & 0xFF) + ((dw >> 8) & 0xFF) + (dw & 0xFF)) < 3 * 160 ? dwGrey : dwBack;
            part[(size_t)y * cxPart + x] = dw;
        }
    }
    BITMAPINFO bmi;
    ::ZeroMemory(&bmi, sizeof(bmi));
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = cxPart;
    bmi.bmiHeader.biHeight = -cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    int nSaved = pDC->SaveDC();
    ::IntersectClipRect(pDC->m_hDC, rcClip.left, rcClip.top, rcClip.right, rcClip.bottom);
    ::StretchDIBits(pDC->m_hDC, pt.x, pt.y, cxPart, cy, 0, 0, cxPart, cy, part.data(), &bmi, DIB_RGB_COLORS, SRCCOPY);
    pDC->RestoreDC(nSaved);
}

/////////////////////////////////////////////////////////////////////////////
// CCoolCombo

CCoolCombo::CCoolCombo()
    : m_nCellCount(0), m_bShowTitle(FALSE), m_bHighlightSelection(FALSE), m_nFaceImage(-1), m_nCellWidth(0),
      m_nSelection(-1), m_bFlat(FALSE), m_bHot(FALSE), m_pPopup(NULL), m_hWndPrevFocus(NULL)
{
}

CCoolCombo::~CCoolCombo()
{
    CloseUp();
}

BOOL CCoolCombo::Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CStatic::Create(lpszText, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

BOOL CCoolCombo::SetImageFromBitmap(UINT nIDBitmap, int nImageWidth, int nImage, COLORREF crMask)
{
    ImageStrip strip;
    if (nImageWidth <= 0 || nImage < 0 || !strip.Load(nIDBitmap, crMask) || (nImage + 1) * nImageWidth > strip.cx)
        return FALSE;
    // Only the one image is kept.
    m_face.bits.resize((size_t)nImageWidth * strip.cy);
    for (int y = 0; y < strip.cy; ++y)
        for (int x = 0; x < nImageWidth; ++x)
            m_face.bits[(size_t)y * nImageWidth + x] = strip.bits[(size_t)y * strip.cx + nImage * nImageWidth + x];
    m_face.cx = nImageWidth;
    m_face.cy = strip.cy;
    m_face.crMask = strip.crMask;
    m_nFaceImage = nImage;
    if (m_hWnd != NULL)
        Invalidate(FALSE);
    return TRUE;
}

BOOL CCoolCombo::SetCellImages(UINT nIDBitmap, int nCellWidth, COLORREF crMask)
{
    ImageStrip strip;
    if (nCellWidth <= 0 || !strip.Load(nIDBitmap, crMask) || strip.cx < nCellWidth)
        return FALSE;
    m_cells = strip;
    m_nCellWidth = nCellWidth;
    if (m_hWnd != NULL)
        Invalidate(FALSE);
    return TRUE;
}

void CCoolCombo::SetSelection(int nCell)
{
    if (nCell < 0 || nCell >= GetCellCount())
        nCell = -1;
    if (nCell == m_nSelection)
        return;
    m_nSelection = nCell;
    if (m_hWnd != NULL)
        Invalidate(FALSE);
}

void CCoolCombo::SetFlatMode(BOOL bFlat)
{
    bFlat = bFlat ? TRUE : FALSE;
    if (bFlat == m_bFlat)
        return;
    m_bFlat = bFlat;
    if (m_hWnd != NULL)
        Invalidate(FALSE);
}

int CCoolCombo::GetCellCount() const
{
    return m_nCellCount < 0 ? 0 : (m_nCellCount > 1024 ? 1024 : m_nCellCount);
}

CSize CCoolCombo::GetCellSize() const
{
    if (m_nCellWidth > 0 && m_cells.cy > 0)
        return CSize(m_nCellWidth, m_cells.cy);
    return CSize(16, 16);
}

int CCoolCombo::GetColumnCount() const
{
    // A list up to eight cells, then a squarish grid.
    int nCells = GetCellCount();
    if (nCells <= 8)
        return 1;
    return (int)ceil(sqrt((double)nCells));
}

void CCoolCombo::DrawCell(CDC* pDC, int nCell, const CRect& rect)
{
    if (m_nCellWidth <= 0 || nCell < 0 || (nCell + 1) * m_nCellWidth > m_cells.cx)
        return;   // a cell without a picture stays empty
    CPoint pt(rect.left + (rect.Width() - m_nCellWidth) / 2, rect.top + (rect.Height() - m_cells.cy) / 2);
    m_cells.Draw(pDC, nCell * m_nCellWidth, m_nCellWidth, pt, ::GetSysColor(COLOR_BTNFACE), rect, FALSE);
}

CString CCoolCombo::GetCellName(int) const
{
    return CString();
}

HWND CCoolCombo::GetPopupWnd() const
{
    return m_pPopup != NULL ? m_pPopup->m_hWnd : NULL;
}

BOOL CCoolCombo::GetPopupItemRect(int nItem, LPRECT lpRect) const
{
    if (m_pPopup == NULL)
    {
        if (lpRect != NULL)
            ::SetRectEmpty(lpRect);
        return FALSE;
    }
    return m_pPopup->GetItemRect(nItem, lpRect);
}

BOOL CCoolCombo::DropDown()
{
    if (m_pPopup != NULL || m_hWnd == NULL || !IsWindowEnabled())
        return FALSE;
    // The keys go to the popup through the face. The face takes the focus before the popup is
    // shown: on Wine a focus change inside the owner afterwards raises the owner's window over
    // the popup, which then never reaches the screen.
    m_hWndPrevFocus = ::GetFocus();
    if (m_hWndPrevFocus != m_hWnd)
        ::SetFocus(m_hWnd);
    CCoolComboPopup* pPopup = new CCoolComboPopup(this);
    m_pPopup = pPopup;
    if (!pPopup->Open())
    {
        m_pPopup = NULL;   // the popup has deleted itself
        if (m_hWndPrevFocus != NULL && m_hWndPrevFocus != m_hWnd && ::IsWindow(m_hWndPrevFocus))
            ::SetFocus(m_hWndPrevFocus);
        m_hWndPrevFocus = NULL;
        return FALSE;
    }
    Invalidate(FALSE);
    return TRUE;
}

void CCoolCombo::CloseUp()
{
    CCoolComboPopup* pPopup = m_pPopup;
    if (pPopup == NULL)
        return;
    m_pPopup = NULL;   // a nested call (the capture going) finds nothing left to close
    if (::GetCapture() == pPopup->m_hWnd)
        ::ReleaseCapture();
    ::DestroyWindow(pPopup->m_hWnd);   // the popup deletes itself
    if (m_hWnd == NULL)
        return;
    if (::GetFocus() == m_hWnd && m_hWndPrevFocus != NULL && ::IsWindow(m_hWndPrevFocus))
        ::SetFocus(m_hWndPrevFocus);
    m_hWndPrevFocus = NULL;
    Invalidate(FALSE);
}

void CCoolCombo::OnPopupChoice(int nItem)
{
    if (nItem >= 0)
    {
        SetSelection(nItem);
        SendNotify(CCN_SELECTOK, nItem, (DWORD)nItem);
    }
    else if (nItem == itemDefault)
    {
        SendNotify(CCN_SELECTDEFAULT, -1, 0xFFFFFFFF);
    }
}

void CCoolCombo::SendNotify(UINT nCode, int iCell, DWORD dwValue)
{
    HWND hWndOwner = GetOwner()->GetSafeHwnd();
    if (m_hWnd == NULL || hWndOwner == NULL)
        return;
    NMCOOLCOMBO nm;
    ::ZeroMemory(&nm, sizeof(nm));
    nm.hdr.hwndFrom = m_hWnd;
    nm.hdr.idFrom = (UINT_PTR)GetDlgCtrlID();
    nm.hdr.code = nCode;
    nm.iCell = iCell;
    nm.dwValue = dwValue;
    ::SendMessage(hWndOwner, WM_NOTIFY, nm.hdr.idFrom, (LPARAM)&nm);
}

void CCoolCombo::DrawFaceContent(CDC* pDC, const CRect& rect)
{
    BOOL bGrey = !IsWindowEnabled();
    COLORREF crFace = ::GetSysColor(COLOR_BTNFACE);
    if (m_nSelection >= 0 && m_nCellWidth > 0 && (m_nSelection + 1) * m_nCellWidth <= m_cells.cx)
    {
        CPoint pt(rect.left + (rect.Width() - m_nCellWidth) / 2, rect.top + (rect.Height() - m_cells.cy) / 2);
        m_cells.Draw(pDC, m_nSelection * m_nCellWidth, m_nCellWidth, pt, crFace, rect, bGrey);
    }
    else if (m_face.cx > 0)
    {
        CPoint pt(rect.left + (rect.Width() - m_face.cx) / 2, rect.top + (rect.Height() - m_face.cy) / 2);
        m_face.Draw(pDC, 0, m_face.cx, pt, crFace, rect, bGrey);
    }
}

BOOL CCoolCombo::OnEraseBkgnd(CDC*)
{
    return TRUE;   // painted whole in OnPaint
}

void CCoolCombo::OnPaint()
{
    CPaintDC dcPaint(this);
    CRect rc;
    GetClientRect(&rc);
    if (rc.IsRectEmpty())
        return;
    CDC dc;
    CBitmap bitmap;
    if (!dc.CreateCompatibleDC(&dcPaint) || !bitmap.CreateCompatibleBitmap(&dcPaint, rc.Width(), rc.Height()))
        return;
    HGDIOBJ hOldBitmap = ::SelectObject(dc.m_hDC, bitmap.GetSafeHandle());
    dc.FillSolidRect(&rc, ::GetSysColor(COLOR_BTNFACE));

    BOOL bDropped = IsDroppedDown();
    CRect rcFrame(rc);
    if (bDropped)
        ::DrawEdge(dc.m_hDC, &rcFrame, BDR_SUNKENOUTER, BF_RECT);
    else if (!m_bFlat || m_bHot)
        ::DrawEdge(dc.m_hDC, &rcFrame, BDR_RAISEDINNER, BF_RECT);
    CRect rcInside(rc);
    rcInside.DeflateRect(2, 2);
    if (bDropped)
        rcInside.OffsetRect(1, 1);

    // The arrow: a small triangle pointing down.
    COLORREF crArrow = ::GetSysColor(IsWindowEnabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
    int xArrow = rcInside.right - kArrowZone + 2;
    int yArrow = rcInside.top + (rcInside.Height() - 3) / 2;
    for (int i = 0; i < 3; ++i)
        dc.FillSolidRect(xArrow + i, yArrow + i, 5 - 2 * i, 1, crArrow);

    CRect rcContent(rcInside);
    rcContent.right -= kArrowZone;
    if (!rcContent.IsRectEmpty())
        DrawFaceContent(&dc, rcContent);

    dcPaint.BitBlt(0, 0, rc.Width(), rc.Height(), &dc, 0, 0, SRCCOPY);
    ::SelectObject(dc.m_hDC, hOldBitmap);
}

void CCoolCombo::OnLButtonDown(UINT, CPoint)
{
    if (IsDroppedDown())
        CloseUp();
    else
        DropDown();
}

void CCoolCombo::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    OnLButtonDown(nFlags, point);   // a quick second click opens or closes again
}

LRESULT CCoolCombo::OnNcHitTest(WPARAM, LPARAM)
{
    // A static is transparent to the mouse; the face takes its clicks itself (without the
    // static's own click notifications to the parent).
    return HTCLIENT;
}

void CCoolCombo::OnMouseMove(UINT, CPoint)
{
    if (m_bHot)
        return;
    m_bHot = TRUE;
    TRACKMOUSEEVENT tme = { sizeof(tme), TME_LEAVE, m_hWnd, 0 };
    ::TrackMouseEvent(&tme);
    if (m_bFlat)
        Invalidate(FALSE);
}

LRESULT CCoolCombo::OnMouseLeave(WPARAM, LPARAM)
{
    m_bHot = FALSE;
    if (m_bFlat)
        Invalidate(FALSE);
    return 0;
}

LRESULT CCoolCombo::OnEnable(WPARAM wParam, LPARAM)
{
    if (!wParam)
        CloseUp();
    Invalidate(FALSE);
    return 0;
}

UINT CCoolCombo::OnGetDlgCode()
{
    // While dropped down every key (Escape, Return, the arrows) is for the popup.
    return IsDroppedDown() ? DLGC_WANTALLKEYS : (UINT)Default();
}

void CCoolCombo::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (m_pPopup != NULL)
        m_pPopup->OnKey(nChar);
    else if (nChar == VK_F4 || (nChar == VK_DOWN && (::GetKeyState(VK_MENU) & 0x8000)))
        DropDown();
    else
        CStatic::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CCoolCombo::OnDestroy()
{
    CloseUp();
    CStatic::OnDestroy();
}
