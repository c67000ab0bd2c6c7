// CPntCtrl: tool modes and the input that edits the image (mouse, keyboard, airbrush timer),
// the shape drawing of the tools, and the tool cursors.
#include "paint/PntCtrl.h"
#include "paint/PntRectTracker.h"
#include "resources/resource.h"
#include <math.h>
#include <stdlib.h>

namespace
{
// How far outside the image, in image pixels on a press and in client pixels for the
// cursor, the selection tools still react: the width of the tracker's handles.
const int nSelectionReach = CPntRectTracker::HandleDrawSize();

const double dRadiansPerDegree = 0.0174532925194943;

// Painting after a tool step: repaint now, without erasing (the image covers its area).
const UINT nRedrawFlags = RDW_INVALIDATE | RDW_UPDATENOW;

BOOL IsShapeTool(int nMode)
{
    return nMode == TOOL_LINE || (nMode >= TOOL_RECTANGLE && nMode <= TOOL_FILLEDELLIPSE);
}

BOOL IsSampler(int nMode)
{
    return nMode == TOOL_COLOURSAMPLER || nMode == TOOL_TRANSCOLOURSAMPLER;
}

BOOL IsFreehandTool(int nMode)
{
    return nMode == TOOL_PEN || nMode == TOOL_ERASER;
}

BOOL ForcesSelectionRect(int nMode)
{
    return nMode == TOOL_SELECT || nMode == TOOL_TEXT;
}

// A cursor of this library. The host's instance handle would miss it, so the resource chain
// finds the module that holds it.
HCURSOR LoadToolCursor(UINT nID)
{
    LPCTSTR lpszName = MAKEINTRESOURCE(nID);
    return ::LoadCursor(AfxFindResourceHandle(lpszName, RT_GROUP_CURSOR), lpszName);
}
}

void CPntCtrl::SetToolMode(int nMode)
{
    // A gesture of the old tool ends before the tool changes under it.
    if (m_bButtonDown)
        EndGesture(m_ptLast);
    m_bFloating = FALSE;
    m_strUserText.Empty();
    m_TextFmtBar.Clear();
    ResetSelectionRect();

    int nOldMode = m_nToolMode;
    if (ForcesSelectionRect(nOldMode))
        SetShowSelectionRect(m_bSavedShowSelectionRect);

    m_nPrevToolMode = nOldMode;
    m_nToolMode = nMode;
    OnSetStatusMessage(GetStatusMessage(nMode));

    if (ForcesSelectionRect(nMode))
    {
        m_bSavedShowSelectionRect = m_bShowSelectionRect;
        m_bShowSelectionRect = TRUE;
        if (WindowExists())
            Invalidate(TRUE);
    }

    SendMessageToOwner(m_nModeChangeMessage);

    if (nMode == TOOL_TEXT)
    {
        m_TextFmtBar.Show(this);
        m_bFloating = TRUE;
    }
    else
    {
        m_TextFmtBar.Hide();
    }
}

BOOL CPntCtrl::DoDrawShape(CPoint ptFrom, CPoint ptTo)
{
    if (m_Image.GetSafeHandle() == NULL)
        return FALSE;

    switch (m_nToolMode)
    {
    case TOOL_FLOODFILL:
        return m_Image.FloodFill(ptFrom, m_crFillColor);
    case TOOL_PEN:
    case TOOL_LINE:
        return m_Image.DrawLine(ptFrom, ptTo, m_nPenWidth, m_crDrawColor);
    case TOOL_ERASER:
    {
        COLORREF cr = m_crTransparentColor != 0xFFFFFFFF ? m_crTransparentColor : m_crEraseColor;
        return m_Image.DrawLine(ptFrom, ptTo, m_nEraserWidth, cr);
    }
    case TOOL_RECTANGLE:
        return m_Image.DrawRectangle(ptFrom, ptTo, m_nPenWidth, m_crDrawColor, FALSE, FALSE);
    case TOOL_ROUNDRECT:
        return m_Image.DrawRectangle(ptFrom, ptTo, m_nPenWidth, m_crDrawColor, FALSE, TRUE);
    case TOOL_ELLIPSE:
        return m_Image.DrawEllipse(ptFrom, ptTo, m_nPenWidth, m_crDrawColor, FALSE);
    case TOOL_FILLEDRECT:
        return m_Image.DrawRectangle(ptFrom, ptTo, m_nPenWidth, m_crDrawColor, TRUE, FALSE);
    case TOOL_FILLEDROUNDRECT:
        return m_Image.DrawRectangle(ptFrom, ptTo, m_nPenWidth, m_crDrawColor, TRUE, TRUE);
    case TOOL_FILLEDELLIPSE:
        return m_Image.DrawEllipse(ptFrom, ptTo, m_nPenWidth, m_crDrawColor, TRUE);
    default:
        return FALSE;
    }
}

BOOL CPntCtrl::SprayAirBrush(CPoint& pt, UINT nRadius)
{
    // A zero radius (pen width 0) has no dots to place.
    if (m_Image.GetSafeHandle() == NULL || nRadius == 0)
        return FALSE;

    BOOL bResult = TRUE;
    for (UINT i = 0; i < m_nAirBrushDots; i++)
    {
        // Uniform in angle and radius, so the dots gather toward the centre.
        double dAngle = (rand() % 360) * dRadiansPerDegree;
        int r = (int)((UINT)rand() % nRadius);
        CPoint ptDot(pt.x + (int)(cos(dAngle) * r), pt.y + (int)(sin(dAngle) * r));
        if (!m_Image.DrawPoint(ptDot, 1, m_crDrawColor))
            bResult = FALSE;
    }
    return bResult;
}

void CPntCtrl::StepMagnification(BOOL bUp)
{
    int nLevel = GetNextMagLevel(-1, bUp);
    if (nLevel < 0)
        return;
    // The view keeps its centring and is not moved to the click.
    m_dMagnification = nLevel * 0.01;
    ResetScrollBars();
    OnMagnificationChanged();
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CPntCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    CWnd::OnLButtonDown(nFlags, point);
    m_bCancelled = FALSE;

    if (m_bDisplayOnly && m_nToolMode != TOOL_SELECT)
        return;
    if (GetMagnification() == 0)
        return;
    // These act at button-up.
    if (m_nToolMode == TOOL_NONE || m_nToolMode == TOOL_MAGNIFY || IsSampler(m_nToolMode))
        return;

    CPoint pt = ClientToImage(point);
    m_ptDown = m_ptLast = pt;

    switch (m_nToolMode)
    {
    case TOOL_SELECT:
    case TOOL_TEXT:
    case TOOL_DRAG:
    {
        CRect rcReach(0, 0, m_Image.GetWidth(), m_Image.GetHeight());
        rcReach.InflateRect(nSelectionReach, nSelectionReach);
        if (!m_bShowSelectionRect || !rcReach.PtInRect(pt))
            return;
        CPntRectTracker tracker(this, point);
        // The tracker reports itself to the selection as it goes and puts it back at the
        // end; the result is taken from it here. A drag-move is never tracked from here.
        BOOL bTracked = FALSE;
        if (m_nToolMode == TOOL_SELECT)
            bTracked = DragSelectImage(&tracker);
        else if (m_nToolMode == TOOL_TEXT)
            bTracked = DragEditText(&tracker);
        if (bTracked)
        {
            CRect rc = tracker.m_rect;
            SetSelectionRect(&rc, FALSE);
        }
        else
        {
            ResetSelectionRect();
        }
        // The window may have gone while the tracking loop ran.
        if (!WindowExists())
            return;
        break;
    }
    case TOOL_FLOODFILL:
    case TOOL_PEN:
    case TOOL_ERASER:
        BeginGesture();
        PreImageChange();
        // The fill fills at the point; the pen and the eraser lay a dot.
        DoDrawShape(m_ptDown, pt);
        SetImageChanged(TRUE);
        break;
    case TOOL_AIRBRUSH:
    {
        BeginGesture();
        PreImageChange();
        // Nothing is sprayed before the first tick or move.
        UINT_PTR nTimer = SetTimer(m_nAirBrushTimer, m_nAirBrushInterval, NULL);
        if (nTimer != 0)
            m_nAirBrushTimer = nTimer;
        break;
    }
    default:
        if (!IsShapeTool(m_nToolMode))
            return;
        BeginGesture();
        // The rubber band redraws the figure over this snapshot at every move.
        if (!SaveState())
            return;
        DoDrawShape(m_ptDown, pt);
        break;
    }

    RedrawWindow(NULL, NULL, nRedrawFlags);
}

void CPntCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    CWnd::OnMouseMove(nFlags, point);

    // Focus follows the mouse: to the text bar's edit while the text tool types, else here.
    HWND hFocus = ::GetFocus();
    if (m_nToolMode == TOOL_TEXT && m_TextFmtBar.IsVisible())
    {
        HWND hBar = m_TextFmtBar.GetSafeHwnd();
        if (hFocus != hBar && !::IsChild(hBar, hFocus))
            m_TextFmtBar.SetFocusOnEdit();
    }
    else if (hFocus != m_hWnd)
    {
        SetFocus();
    }

    BOOL bDragging = (nFlags & MK_LBUTTON) && !m_bCancelled && !m_bDisplayOnly &&
                     GetMagnification() != 0;
    switch (m_nToolMode)
    {
    case TOOL_NONE:
    case TOOL_SELECT:
    case TOOL_TEXT:
    case TOOL_MAGNIFY:
    case TOOL_FLOODFILL:
    case TOOL_COLOURSAMPLER:
    case TOOL_TRANSCOLOURSAMPLER:
        bDragging = FALSE;
        break;
    default:
        break;
    }
    if (!bDragging)
    {
        if (!(nFlags & MK_LBUTTON))
        {
            // The button went up where this control did not hear it: the gesture ends as
            // that button-up would have ended it, and a cancelled drag is over.
            if (m_bButtonDown)
                EndGesture(m_ptLast);
            m_bCancelled = FALSE;
        }
        // A gesture that holds the button keeps the mouse, so that its button-up arrives.
        if (::GetCapture() == m_hWnd && !m_bButtonDown)
            ::ReleaseCapture();
        return;
    }

    // Captured, so that moves outside the window keep arriving.
    if (::GetCapture() != m_hWnd)
        SetCapture();
    CPoint pt = ClientToImage(point);

    if (IsShapeTool(m_nToolMode))
    {
        // Back to the image of button-down, keeping the snapshot for the next move; the owner
        // hears of the figure only when it is placed at button-up.
        if (!RestoreState(FALSE))
            return;
        DoDrawShape(m_ptDown, pt);
        m_ptLast = pt;
        RedrawWindow(NULL, NULL, nRedrawFlags);
        return;
    }

    if (IsFreehandTool(m_nToolMode))
    {
        DoDrawShape(m_ptLast, pt);
    }
    else if (m_nToolMode == TOOL_AIRBRUSH)
    {
        SprayAirBrush(pt, m_nAirBrushRadiusFactor * m_nPenWidth);
    }
    else
    {
        // A drag-move draws nothing itself: the tracker moves the dragged pixels.
        if (m_nToolMode == TOOL_DRAG)
        {
            m_ptLast = pt;
            RedrawWindow(NULL, NULL, nRedrawFlags);
        }
        return;
    }

    SetImageChanged(TRUE);
    m_ptLast = pt;
    RedrawWindow(NULL, NULL, nRedrawFlags);
}

void CPntCtrl::BeginGesture()
{
    m_bButtonDown = TRUE;
    // Taken now, not at the first move: a button-up outside the window before any move must
    // still come here to end the gesture.
    if (::GetCapture() != m_hWnd)
        SetCapture();
}

void CPntCtrl::EndGesture(CPoint ptImage)
{
    const BOOL bGesture = m_bButtonDown;
    // Cleared first: giving up the capture below comes back as WM_CAPTURECHANGED.
    m_bButtonDown = FALSE;

    // Whatever the tool is by now, no spray outlives its gesture.
    if ((bGesture || m_nToolMode == TOOL_AIRBRUSH) && WindowExists())
        KillTimer(m_nAirBrushTimer);

    if (bGesture && !m_bCancelled && !m_bDisplayOnly && GetMagnification() != 0 &&
        IsShapeTool(m_nToolMode))
    {
        // The undo step must hold the image without the rubber-band figure.
        if (RestoreState(TRUE))
        {
            PreImageChange();
            DoDrawShape(m_ptDown, ptImage);
            SetImageChanged(TRUE);
            if (WindowExists())
                RedrawWindow(NULL, NULL, nRedrawFlags);
        }
    }

    if (WindowExists() && ::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

void CPntCtrl::OnLButtonUp(UINT nFlags, CPoint point)
{
    EndGesture(ClientToImage(point));

    if (m_nToolMode == TOOL_MAGNIFY)
        StepMagnification(::GetKeyState(VK_MENU) >= 0);   // Alt zooms out

    if (!m_bDisplayOnly && GetMagnification() != 0 && !m_bCancelled && IsSampler(m_nToolMode))
    {
        CPoint pt = ClientToImage(point);
        if (m_nToolMode == TOOL_COLOURSAMPLER)
        {
            SetDrawColor(m_Image.GetPixel(pt));
            m_crFillColor = m_crDrawColor;
            OnColourSampleChanged();
            // The sampler is one-shot: back to the tool it was picked from.
            SetToolMode(m_nPrevToolMode);
        }
        else
        {
            SetTransparentColor(m_Image.GetPixel(pt));
            OnColourSampleChanged();
            SetToolMode(m_nPrevToolMode);
        }
    }

    m_bCancelled = FALSE;
    CWnd::OnLButtonUp(nFlags, point);
}

void CPntCtrl::OnCaptureChanged(CWnd* pWnd)
{
    // Another window took the mouse, or it was given up without a button-up: the gesture ends
    // at the last point the control saw. Escape has already ended its gesture when it gives
    // the capture up, so nothing is placed for it here.
    if (m_bButtonDown && (pWnd == NULL || pWnd->m_hWnd != m_hWnd))
        EndGesture(m_ptLast);
    CWnd::OnCaptureChanged(pWnd);
}

void CPntCtrl::OnCancelMode()
{
    // Giving up the capture also ends a tracking loop of the selection or the text box.
    EndGesture(m_ptLast);
    CWnd::OnCancelMode();
}

void CPntCtrl::OnEnable(BOOL bEnable)
{
    // A disabled window hears no button-up.
    if (!bEnable)
        EndGesture(m_ptLast);
    CWnd::OnEnable(bEnable);
}

void CPntCtrl::OnRButtonUp(UINT nFlags, CPoint point)
{
    if (m_nToolMode == TOOL_MAGNIFY)
        StepMagnification(FALSE);
    CWnd::OnRButtonUp(nFlags, point);
}

void CPntCtrl::OnContextMenu(CWnd* /*pWnd*/, CPoint point)
{
    OnRightMouseButton(point);
}

void CPntCtrl::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != m_nAirBrushTimer)
    {
        CWnd::OnTimer(nIDEvent);
        return;
    }
    if (!m_bButtonDown)
    {
        // A tick left over from a gesture that has ended.
        KillTimer(m_nAirBrushTimer);
        return;
    }

    // The button may be held still: spray where the cursor was when this tick was queued.
    DWORD dwPos = ::GetMessagePos();
    CPoint pt((short)LOWORD(dwPos), (short)HIWORD(dwPos));
    ScreenToClient(&pt);
    pt = ClientToImage(pt);
    SprayAirBrush(pt, m_nAirBrushRadiusFactor * m_nPenWidth);
    Invalidate(FALSE);
    SetImageChanged(TRUE);
}

BOOL CPntCtrl::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (nHitTest != HTCLIENT || (m_bDisplayOnly && m_nToolMode != TOOL_SELECT) || m_bCancelled)
        return CWnd::OnSetCursor(pWnd, nHitTest, message);

    HCURSOR hCursor = NULL;
    switch (m_nToolMode)
    {
    case TOOL_SELECT:
    case TOOL_DRAG:
    case TOOL_TEXT:
        if (m_bShowSelectionRect)
        {
            CPoint pt;
            ::GetCursorPos(&pt);
            ScreenToClient(&pt);
            CRect rcImage(0, 0, m_Image.GetWidth(), m_Image.GetHeight());
            IPtoLP(&rcImage);
            LPtoDP(&rcImage);
            rcImage.NormalizeRect();
            rcImage.InflateRect(nSelectionReach, nSelectionReach);
            if (rcImage.PtInRect(pt))
            {
                // What a press here would grab decides.
                CPntRectTracker tracker(this, pt);
                switch (tracker.GetHitTest())
                {
                case CRectTracker::hitTopLeft:
                case CRectTracker::hitBottomRight:
                    hCursor = ::LoadCursor(NULL, IDC_SIZENWSE);
                    break;
                case CRectTracker::hitTopRight:
                case CRectTracker::hitBottomLeft:
                    hCursor = ::LoadCursor(NULL, IDC_SIZENESW);
                    break;
                case CRectTracker::hitTop:
                case CRectTracker::hitBottom:
                    hCursor = ::LoadCursor(NULL, IDC_SIZENS);
                    break;
                case CRectTracker::hitRight:
                case CRectTracker::hitLeft:
                    hCursor = ::LoadCursor(NULL, IDC_SIZEWE);
                    break;
                case CRectTracker::hitMiddle:
                    hCursor = m_bDisplayOnly ? m_hcurCross : ::LoadCursor(NULL, IDC_SIZEALL);
                    break;
                default:
                    hCursor = m_hcurCross;
                    break;
                }
            }
        }
        break;
    case TOOL_ERASER:
        hCursor = m_hcurEraser;
        break;
    case TOOL_FLOODFILL:
        hCursor = m_hcurFloodFill;
        break;
    case TOOL_MAGNIFY:
        hCursor = m_hcurMagnify;
        break;
    case TOOL_AIRBRUSH:
        hCursor = m_hcurAirBrush;
        break;
    case TOOL_PEN:
        hCursor = m_hcurPen;
        break;
    case TOOL_COLOURSAMPLER:
    case TOOL_TRANSCOLOURSAMPLER:
        hCursor = m_hcurSampler;
        break;
    default:
        if (IsShapeTool(m_nToolMode))
            hCursor = m_hcurCross;
        break;
    }

    if (hCursor == NULL)
        return CWnd::OnSetCursor(pWnd, nHitTest, message);
    ::SetCursor(hCursor);
    return TRUE;
}

void CPntCtrl::OnSetFocus(CWnd* pOldWnd)
{
    // The focus may change how the frame is drawn.
    if (pOldWnd == NULL || pOldWnd->m_hWnd != m_hWnd)
        Invalidate(FALSE);
    CWnd::OnSetFocus(pOldWnd);
}

UINT CPntCtrl::OnGetDlgCode()
{
    // Escape, Enter and the arrows must reach the tools, not the dialog.
    return CWnd::OnGetDlgCode() | DLGC_WANTALLKEYS;
}

void CPntCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_DELETE && m_nToolMode != TOOL_TEXT)
    {
        ClearRect(NULL, TRUE);
        ResetSelectionRect();
    }
    else if (::GetKeyState(VK_CONTROL) < 0 && !m_bButtonDown)
    {
        if (nChar == 'Z')
            Undo();
        else if (nChar == 'Y')
            Redo();
        if (m_nToolMode == TOOL_TEXT)
            m_TextFmtBar.Clear();
    }
    else if (m_nToolMode == TOOL_TEXT && m_TextFmtBar.IsVisible() && m_bFloating)
    {
        // Typing over the control goes on into the text bar.
        m_TextFmtBar.SetFocusOnEdit();
        m_TextFmtBar.SendMessage(WM_KEYDOWN, nChar, nRepCnt);
    }
    CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CPntCtrl::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_ESCAPE && !m_bCancelled)
    {
        // The rest of a drag in progress is ignored until its button-up. The gesture is over
        // now, so the capture given up here places nothing, and the editing keys work again.
        const BOOL bButtonDown = m_bButtonDown;
        if (bButtonDown)
            m_bCancelled = TRUE;
        m_bButtonDown = FALSE;
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();

        if (IsShapeTool(m_nToolMode) || IsSampler(m_nToolMode))
        {
            // Takes the rubber-band figure away.
            RestoreState(TRUE);
            RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        }
        else if (m_nToolMode == TOOL_AIRBRUSH)
        {
            KillTimer(m_nAirBrushTimer);
            if (bButtonDown)
                Undo();
        }
        else
        {
            // The stroke in progress, or else the last change.
            Undo();
        }
    }
    else if (m_nToolMode == TOOL_TEXT && m_bFloating && m_TextFmtBar.IsVisible())
    {
        m_TextFmtBar.SetFocusOnEdit();
        m_TextFmtBar.SendMessage(WM_CHAR, nChar, nRepCnt);
    }
    CWnd::OnChar(nChar, nRepCnt, nFlags);
}

void CPntCtrl::LoadCursors()
{
    DestroyCursors();
    m_hcurEraser = LoadToolCursor(IDC_PNT_ERASER);
    m_hcurFloodFill = LoadToolCursor(IDC_PNT_FLOODFILL);
    m_hcurMagnify = LoadToolCursor(IDC_PNT_MAGNIFY);
    m_hcurAirBrush = LoadToolCursor(IDC_PNT_AIRBRUSH);
    m_hcurPen = LoadToolCursor(IDC_PNT_PEN);
    m_hcurCross = LoadToolCursor(IDC_PNT_CROSS);
    m_hcurSampler = LoadToolCursor(IDC_PNT_SAMPLER);
}

void CPntCtrl::DestroyCursors()
{
    // Resource cursors are shared by every control and freed with the module.
}
