// CRectTracker: handle geometry, hit testing, cursors, drawing and the modal tracking loop.
#include <afxext.h>
#include <algorithm>
#include <stdlib.h>

namespace
{
// Fields of a RECT in the order left, top, right, bottom; the opposite of field i is
// (i + 2) % 4.
LONG* Field(RECT& rc, int nField)
{
    switch (nField)
    {
    case 0: return &rc.left;
    case 1: return &rc.top;
    case 2: return &rc.right;
    default: return &rc.bottom;
    }
}

// The field each handle moves on each axis (-1: none); the middle moves left and top and
// the loop carries right and bottom along.
struct HandleEdges
{
    int x;
    int y;
};
const HandleEdges s_edges[9] = {
    { 0, 1 }, { 2, 1 }, { 2, 3 }, { 0, 3 },     // corners clockwise from top-left
    { -1, 1 }, { 2, -1 }, { -1, 3 }, { 0, -1 }, // top, right, bottom, left
    { 0, 1 }                                    // middle
};

// Where handles sit on the box that holds them: column and row 0 start, 1 middle, 2 end.
const int s_nColumn[8] = { 0, 2, 2, 0, 1, 2, 1, 0 };
const int s_nRow[8] = { 0, 0, 2, 2, 0, 1, 2, 1 };

const UINT nLineStyles = CRectTracker::solidLine | CRectTracker::dottedLine;
const UINT nResizeStyles = CRectTracker::resizeInside | CRectTracker::resizeOutside;

BOOL SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// Keeps the edge nField at least nMin from the opposite one. Without inversion the edge may
// not cross to the other side; with it only the distance counts.
void KeepMinimum(RECT& rc, int nField, int nMin, BOOL bAllowInvert)
{
    LONG* pMoving = Field(rc, nField);
    const LONG nFixed = *Field(rc, (nField + 2) % 4);
    const int nDirection = nField >= 2 ? 1 : -1;   // right and bottom lie after their opposites
    const int nSize = (int)(*pMoving - nFixed) * nDirection;
    if (bAllowInvert && nSize < 0)
    {
        if (-nSize < nMin)
            *pMoving = nFixed - nDirection * nMin;
    }
    else if (nSize < nMin)
    {
        *pMoving = nFixed + nDirection * std::max(nMin, 0);
    }
}

// The system's handle width of in-place frames, read once.
int DefaultHandleSize()
{
    static const int s_nSize = (int)::GetProfileInt(_T("windows"), _T("oleinplaceborderwidth"), 4);
    return s_nSize;
}
}

/////////////////////////////////////////////////////////////////////////////
// Construction

CRectTracker::CRectTracker()
{
    Construct();
}

CRectTracker::CRectTracker(LPCRECT lpSrcRect, UINT nStyle)
{
    Construct();
    if (lpSrcRect != NULL)
        m_rect = *lpSrcRect;
    m_nStyle = nStyle;
}

CRectTracker::~CRectTracker()
{
}

void CRectTracker::Construct()
{
    m_nStyle = 0;
    m_rect.SetRectEmpty();
    m_nHandleSize = DefaultHandleSize();
    m_sizeMin = CSize(m_nHandleSize * 2, m_nHandleSize * 2);
    m_bAllowInvert = FALSE;
    m_rectLast.SetRectEmpty();
    m_sizeLast = CSize(0, 0);
    m_bErase = FALSE;
    m_bFinalErase = FALSE;
}

/////////////////////////////////////////////////////////////////////////////
// Geometry and hit testing

int CRectTracker::GetHandleSize(LPCRECT lpRect) const
{
    CRect rc = lpRect != NULL ? CRect(lpRect) : m_rect;
    int nSize = std::max(m_nHandleSize, 0);
    // Inside handles of a small rectangle shrink so that opposite ones do not overlap.
    if (!(m_nStyle & resizeOutside))
    {
        int nShortest = std::min(abs(rc.Width()), abs(rc.Height()));
        if (nSize * 2 > nShortest)
            nSize = nShortest / 2;
    }
    return nSize;
}

void CRectTracker::GetTrueRect(LPRECT lpTrueRect) const
{
    if (lpTrueRect == NULL)
        return;
    CRect rc = m_rect;
    rc.NormalizeRect();
    int nInflate = 0;
    if (m_nStyle & (resizeOutside | hatchedBorder))
        nInflate += std::max(GetHandleSize() - 1, 0);
    if (m_nStyle & nLineStyles)
        nInflate++;
    rc.InflateRect(nInflate, nInflate);
    *lpTrueRect = rc;
}

UINT CRectTracker::GetHandleMask() const
{
    // The side handles only where the side leaves room for them between the corners.
    UINT nMask = 0x0F;
    const int nRoom = m_nHandleSize * 3;
    if (abs(m_rect.Width()) - nRoom > 4)
        nMask |= 0x50;
    if (abs(m_rect.Height()) - nRoom > 4)
        nMask |= 0xA0;
    return nMask;
}

int CRectTracker::NormalizeHit(int nHandle) const
{
    if (nHandle < hitTopLeft || nHandle > hitLeft)
        return nHandle;
    static const int s_nSwapX[8] = { 1, 0, 3, 2, 4, 7, 6, 5 };
    static const int s_nSwapY[8] = { 3, 2, 1, 0, 6, 5, 4, 7 };
    if (m_rect.Width() < 0)
        nHandle = s_nSwapX[nHandle];
    if (m_rect.Height() < 0)
        nHandle = s_nSwapY[nHandle];
    return nHandle;
}

void CRectTracker::GetHandleRect(int nHandle, CRect* pHandleRect) const
{
    if (pHandleRect == NULL)
        return;
    pHandleRect->SetRectEmpty();
    if (nHandle < hitTopLeft || nHandle > hitLeft)
        return;

    // The handles sit in the corners and on the sides of the box that holds them: the frame
    // line's rectangle, grown so that outside handles lie outside it.
    CRect rcBox = m_rect;
    rcBox.NormalizeRect();
    if (m_nStyle & nLineStyles)
        rcBox.InflateRect(1, 1);
    const int nSize = GetHandleSize();
    if (m_nStyle & resizeOutside)
        rcBox.InflateRect(nSize - 1, nSize - 1);

    nHandle = NormalizeHit(nHandle);   // the handle that shows where this one's fields are
    const int xs[3] = { rcBox.left, rcBox.left + (rcBox.Width() - nSize) / 2, rcBox.right - nSize };
    const int ys[3] = { rcBox.top, rcBox.top + (rcBox.Height() - nSize) / 2, rcBox.bottom - nSize };
    const int x = xs[s_nColumn[nHandle]];
    const int y = ys[s_nRow[nHandle]];
    pHandleRect->SetRect(x, y, x + nSize, y + nSize);
}

int CRectTracker::HitTestHandles(CPoint point) const
{
    CRect rcTrue;
    GetTrueRect(&rcTrue);
    if (!rcTrue.PtInRect(point))
        return hitNothing;

    if (m_nStyle & nResizeStyles)
    {
        const UINT nMask = GetHandleMask();
        for (int i = hitTopLeft; i <= hitLeft; i++)
        {
            if (!(nMask & (1u << i)))
                continue;
            CRect rcHandle;
            GetHandleRect(i, &rcHandle);
            if (rcHandle.PtInRect(point))
                return i;
        }
    }

    // Between outside handles is nothing; a hatched border is a place to grab the rectangle.
    if (!(m_nStyle & hatchedBorder))
    {
        CRect rc = m_rect;
        rc.NormalizeRect();
        if (m_nStyle & nLineStyles)
            rc.InflateRect(1, 1);
        if (!rc.PtInRect(point))
            return hitNothing;
    }
    return hitMiddle;
}

int CRectTracker::HitTest(CPoint point) const
{
    CRect rcTrue;
    GetTrueRect(&rcTrue);
    if (!rcTrue.PtInRect(point))
        return hitNothing;
    return (m_nStyle & nResizeStyles) ? HitTestHandles(point) : (int)hitMiddle;
}

void CRectTracker::GetModifyPointers(int nHandle, int** ppx, int** ppy, int* px, int* py)
{
    // RECT's LONG fields are ints on this platform.
    static_assert(sizeof(LONG) == sizeof(int), "RECT fields must be ints");
    int* pxField = NULL;
    int* pyField = NULL;
    if (nHandle >= hitTopLeft && nHandle <= hitMiddle)
    {
        if (s_edges[nHandle].x >= 0)
            pxField = reinterpret_cast<int*>(Field(m_rect, s_edges[nHandle].x));
        if (s_edges[nHandle].y >= 0)
            pyField = reinterpret_cast<int*>(Field(m_rect, s_edges[nHandle].y));
    }
    if (ppx != NULL)
        *ppx = pxField;
    if (ppy != NULL)
        *ppy = pyField;
    if (px != NULL)
        *px = pxField != NULL ? *pxField : 0;
    if (py != NULL)
        *py = pyField != NULL ? *pyField : 0;
}

BOOL CRectTracker::SetCursor(CWnd* pWnd, UINT nHitTest) const
{
    if (nHitTest != HTCLIENT || pWnd == NULL || !::IsWindow(pWnd->m_hWnd))
        return FALSE;
    POINT pt;
    if (!::GetCursorPos(&pt))
        return FALSE;
    ::ScreenToClient(pWnd->m_hWnd, &pt);
    int nHandle = HitTest(pt);
    if (nHandle < 0)
        return FALSE;

    // By what the user sees: an inverted rectangle's handles change places.
    static const LPCTSTR s_cursors[9] = {
        IDC_SIZENWSE, IDC_SIZENESW, IDC_SIZENWSE, IDC_SIZENESW,
        IDC_SIZENS, IDC_SIZEWE, IDC_SIZENS, IDC_SIZEWE, IDC_SIZEALL
    };
    ::SetCursor(::LoadCursor(NULL, s_cursors[NormalizeHit(nHandle)]));
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// Drawing

void CRectTracker::Draw(CDC* pDC) const
{
    if (pDC == NULL || pDC->GetSafeHdc() == NULL)
        return;
    const int nSaved = pDC->SaveDC();
    pDC->SetMapMode(MM_TEXT);
    pDC->SetViewportOrg(0, 0);
    pDC->SetWindowOrg(0, 0);

    CRect rc = m_rect;
    rc.NormalizeRect();
    if (m_nStyle & nLineStyles)
    {
        CPen pen;
        if (pen.CreatePen((m_nStyle & dottedLine) ? PS_DOT : PS_SOLID, 0, RGB(0, 0, 0)))
        {
            pDC->SelectObject(&pen);
            pDC->SelectStockObject(NULL_BRUSH);
            pDC->SetROP2(R2_COPYPEN);
            CRect rcLine = rc;
            rcLine.InflateRect(1, 1);
            pDC->Rectangle(&rcLine);
            pDC->SelectStockObject(BLACK_PEN);   // lets the pen go before it is deleted
        }
    }

    if (m_nStyle & (hatchInside | hatchedBorder))
    {
        CBrush brush;
        if (brush.CreateHatchBrush(HS_BDIAGONAL, RGB(0, 0, 0)))
        {
            // Pattern AND destination: the hatch lines darken, the picture shows between them.
            const DWORD dwHatchRop = 0x00A000C9;
            pDC->SetBkColor(RGB(255, 255, 255));
            pDC->SelectObject(&brush);
            if (m_nStyle & hatchInside)
                pDC->PatBlt(rc.left, rc.top, rc.Width(), rc.Height(), dwHatchRop);
            if (m_nStyle & hatchedBorder)
            {
                CRect rcTrue, rcIn = rc;
                GetTrueRect(&rcTrue);
                if (m_nStyle & nLineStyles)
                    rcIn.InflateRect(1, 1);
                pDC->PatBlt(rcTrue.left, rcTrue.top, rcTrue.Width(), rcIn.top - rcTrue.top, dwHatchRop);
                pDC->PatBlt(rcTrue.left, rcIn.bottom, rcTrue.Width(), rcTrue.bottom - rcIn.bottom, dwHatchRop);
                pDC->PatBlt(rcTrue.left, rcIn.top, rcIn.left - rcTrue.left, rcIn.Height(), dwHatchRop);
                pDC->PatBlt(rcIn.right, rcIn.top, rcTrue.right - rcIn.right, rcIn.Height(), dwHatchRop);
            }
            pDC->SelectStockObject(NULL_BRUSH);
        }
    }

    if (m_nStyle & nResizeStyles)
    {
        const UINT nMask = GetHandleMask();
        for (int i = hitTopLeft; i <= hitLeft; i++)
        {
            if (nMask & (1u << i))
            {
                CRect rcHandle;
                GetHandleRect(i, &rcHandle);
                pDC->FillSolidRect(&rcHandle, RGB(0, 0, 0));
            }
        }
    }
    pDC->RestoreDC(nSaved);
}

void CRectTracker::DrawTrackerRect(LPCRECT lpRect, CWnd* pWndClipTo, CDC* pDC, CWnd* pWnd)
{
    if (lpRect == NULL || pDC == NULL)
        return;
    CRect rc(lpRect);
    rc.NormalizeRect();
    if (pWndClipTo != NULL && pWnd != NULL)
        ::MapWindowPoints(pWnd->m_hWnd, pWndClipTo->m_hWnd, (LPPOINT)&rc, 2);

    // The final erase draws a frame of no thickness: only the old one is taken away.
    CSize size(0, 0);
    if (!m_bFinalErase)
    {
        if (m_nStyle & hatchedBorder)
        {
            int n = std::max(GetHandleSize(&rc) - 1, 1);
            size = CSize(n, n);
            rc.InflateRect(size);
        }
        else
        {
            size = CSize(1, 1);
        }
    }
    if (m_bFinalErase || !m_bErase)
        pDC->DrawDragRect(&rc, size, &m_rectLast, m_sizeLast);
    m_rectLast = rc;
    m_sizeLast = size;
}

void CRectTracker::AdjustRect(int nHandle, LPRECT lpRect)
{
    if (lpRect == NULL || nHandle < hitTopLeft || nHandle >= hitMiddle)
        return;
    if (s_edges[nHandle].x >= 0)
        KeepMinimum(*lpRect, s_edges[nHandle].x, m_sizeMin.cx, m_bAllowInvert);
    if (s_edges[nHandle].y >= 0)
        KeepMinimum(*lpRect, s_edges[nHandle].y, m_sizeMin.cy, m_bAllowInvert);
}

void CRectTracker::OnChangedRect(const CRect& /*rectOld*/)
{
}

/////////////////////////////////////////////////////////////////////////////
// Tracking

BOOL CRectTracker::Track(CWnd* pWnd, CPoint point, BOOL bAllowInvert, CWnd* pWndClipTo)
{
    int nHandle = HitTestHandles(point);
    if (nHandle < 0)
        return FALSE;
    m_bAllowInvert = bAllowInvert;
    return TrackHandle(nHandle, pWnd, point, pWndClipTo);
}

BOOL CRectTracker::TrackRubberBand(CWnd* pWnd, CPoint point, BOOL bAllowInvert)
{
    // The new rectangle grows from the press point by its bottom-right corner.
    m_bAllowInvert = bAllowInvert;
    m_rect.SetRect(point.x, point.y, point.x, point.y);
    return TrackHandle(hitBottomRight, pWnd, point, NULL);
}

BOOL CRectTracker::TrackHandle(int nHandle, CWnd* pWnd, CPoint point, CWnd* pWndClipTo)
{
    if (nHandle < hitTopLeft || nHandle > hitMiddle || pWnd == NULL || !::IsWindow(pWnd->m_hWnd))
        return FALSE;
    if (pWndClipTo != NULL && !::IsWindow(pWndClipTo->m_hWnd))
        pWndClipTo = NULL;
    // Someone else is dragging.
    if (::GetCapture() != NULL)
        return FALSE;

    const HWND hWnd = pWnd->m_hWnd;
    const CRect rectSave = m_rect;
    const int nWidth = m_rect.Width();
    const int nHeight = m_rect.Height();
    const HandleEdges edges = s_edges[nHandle];
    // The moving edges keep their distance from the mouse throughout.
    const int xDiff = edges.x >= 0 ? point.x - *Field(m_rect, edges.x) : 0;
    const int yDiff = edges.y >= 0 ? point.y - *Field(m_rect, edges.y) : 0;

    pWnd->SetCapture();
    if (::GetCapture() != hWnd)
        return FALSE;
    // Pending paints are done first, so the feedback frame is not painted over.
    pWnd->UpdateWindow();
    if (pWndClipTo != NULL)
        pWndClipTo->UpdateWindow();

    const HWND hDrawWnd = pWndClipTo != NULL ? pWndClipTo->m_hWnd : hWnd;
    const HDC hDC = pWndClipTo != NULL ? ::GetDCEx(hDrawWnd, NULL, DCX_CACHE) : ::GetDC(hDrawWnd);
    // A wrapper of our own: a temporary one could be freed by a nested idle pass.
    CDC dc;
    if (hDC != NULL)
        dc.Attach(hDC);

    // Nothing of an earlier loop is on the screen.
    m_rectLast.SetRectEmpty();
    m_sizeLast = CSize(0, 0);
    m_bErase = m_bFinalErase = FALSE;
    BOOL bMoved = FALSE;
    BOOL bCancel = FALSE;
    BOOL bLost = FALSE;
    BOOL bDone = FALSE;
    while (!bDone)
    {
        // Losing the capture (another window took it, WM_CANCELMODE, the window disabled or
        // destroyed) ends the tracking as a button-up at the last point would: the user never
        // cancelled, and that button-up will not come here any more.
        if (::GetCapture() != hWnd)
        {
            bLost = TRUE;
            break;
        }
        MSG msg;
        if (!::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
        {
            // Wakes for a sent message too, which may take the capture away without any
            // posted message following it.
            ::MsgWaitForMultipleObjectsEx(0, NULL, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
            continue;
        }
        if (msg.message == WM_QUIT)
        {
            // WM_QUIT ends the tracking and goes back into the queue for the outer loop.
            ::PostQuitMessage((int)msg.wParam);
            bCancel = TRUE;
            break;
        }

        switch (msg.message)
        {
        case WM_MOUSEMOVE:
        case WM_LBUTTONUP:
        {
            CPoint pt((short)LOWORD(msg.lParam), (short)HIWORD(msg.lParam));
            if (msg.hwnd != NULL && msg.hwnd != hWnd)
                ::MapWindowPoints(msg.hwnd, hWnd, &pt, 1);
            const CRect rectOld = m_rect;
            if (edges.x >= 0)
                *Field(m_rect, edges.x) = pt.x - xDiff;
            if (edges.y >= 0)
                *Field(m_rect, edges.y) = pt.y - yDiff;
            if (nHandle == hitMiddle)
            {
                m_rect.right = m_rect.left + nWidth;
                m_rect.bottom = m_rect.top + nHeight;
            }
            AdjustRect(nHandle, &m_rect);

            const BOOL bUp = msg.message == WM_LBUTTONUP;
            const BOOL bChanged = !SameRect(rectOld, m_rect);
            m_bFinalErase = bUp;
            if (bChanged || bUp)
            {
                if (bMoved)
                {
                    m_bErase = TRUE;
                    DrawTrackerRect(&rectOld, pWndClipTo, &dc, pWnd);
                }
                OnChangedRect(rectOld);
                if (!bUp)
                    bMoved = TRUE;
            }
            if (bUp)
            {
                bDone = TRUE;
            }
            else if (bChanged)
            {
                m_bErase = FALSE;
                DrawTrackerRect(&m_rect, pWndClipTo, &dc, pWnd);
            }
            break;
        }
        case WM_KEYDOWN:
            // Only Escape means something; other keys are not passed on while tracking.
            if (msg.wParam == VK_ESCAPE)
                bCancel = bDone = TRUE;
            break;
        case WM_RBUTTONDOWN:
            bCancel = bDone = TRUE;
            break;
        default:
            ::DispatchMessage(&msg);
            break;
        }
    }

    if (bLost && bMoved && ::IsWindow(hDrawWnd))
    {
        // The last feedback frame goes; the rectangle stays where the mouse left it.
        m_bErase = m_bFinalErase = TRUE;
        DrawTrackerRect(&m_rect, pWndClipTo, &dc, pWnd);
    }
    if (bCancel)
    {
        if (bMoved)
        {
            m_bErase = m_bFinalErase = TRUE;
            DrawTrackerRect(&m_rect, pWndClipTo, &dc, pWnd);
        }
        m_rect = rectSave;
    }

    if (hDC != NULL)
    {
        dc.Detach();
        ::ReleaseDC(hDrawWnd, hDC);
    }
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
    // A button-up without a move before it changes nothing.
    if (!bMoved)
        m_rect = rectSave;
    m_bErase = m_bFinalErase = FALSE;
    return !SameRect(rectSave, m_rect);
}
