// CPntCtrl: tool modes and the input that edits the image (mouse, keyboard, airbrush timer),
// handed to the current tool's object (PntTool.h), and the tool cursors.
#include "paint/PntCtrl.h"
#include "paint/PntTool.h"
#include "paint/PntToolTable.h"
#include "resources/resource.h"
#include <math.h>
#include <stdlib.h>

namespace
{
const double dRadiansPerDegree = 0.0174532925194943;

// A mode outside the table behaves as no tool.
const PntToolEntry& ToolEntryOf(int nMode)
{
    const PntToolEntry* pEntry = CPntToolTable::Lookup(nMode);
    return pEntry != NULL ? *pEntry : *CPntToolTable::Lookup(TOOL_NONE);
}

BOOL ShowsSelection(int nMode)
{
    return (ToolEntryOf(nMode).nFlags & PNT_TOOLF_SHOWSSELECTION) != 0;
}

// A cursor of this library. The host's instance handle would miss it, so the resource chain
// finds the module that holds it.
HCURSOR LoadToolCursor(UINT nID)
{
    LPCTSTR lpszName = MAKEINTRESOURCE(nID);
    return ::LoadCursor(AfxFindResourceHandle(lpszName, RT_GROUP_CURSOR), lpszName);
}
}

const PntToolEntry& CPntCtrl::GetToolEntry() const
{
    return ToolEntryOf(m_nToolMode);
}

const CPntTool& CPntCtrl::GetTool() const
{
    return *GetToolEntry().pTool;
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
    if (ShowsSelection(nOldMode))
        SetShowSelectionRect(m_bSavedShowSelectionRect);

    m_nPrevToolMode = nOldMode;
    m_nToolMode = nMode;
    OnSetStatusMessage(GetStatusMessage(nMode));

    if (ShowsSelection(nMode))
    {
        m_bSavedShowSelectionRect = m_bShowSelectionRect;
        m_bShowSelectionRect = TRUE;
        if (WindowExists())
            Invalidate(TRUE);
    }

    SendMessageToOwner(m_nModeChangeMessage);

    // The mode chosen here, even if the owner has chosen another meanwhile.
    ToolEntryOf(nMode).pTool->OnChosen(*this);
}

BOOL CPntCtrl::DoDrawShape(CPoint ptFrom, CPoint ptTo)
{
    if (m_Image.GetSafeHandle() == NULL)
        return FALSE;
    return GetTool().Draw(*this, ptFrom, ptTo);
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

    const CPntTool& tool = GetTool();
    if (m_bDisplayOnly && !tool.WorksWhenDisplayOnly())
        return;
    if (GetMagnification() == 0)
        return;
    if (tool.OnPress(*this, point))
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
}

void CPntCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    CWnd::OnMouseMove(nFlags, point);
    GetTool().FollowFocus(*this);

    BOOL bDragging = (nFlags & MK_LBUTTON) && !m_bCancelled && !m_bDisplayOnly && GetMagnification() != 0 &&
                     GetTool().FollowsDrag();
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
    GetTool().OnDrag(*this, ClientToImage(point));
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
    if ((bGesture || (GetToolEntry().nFlags & PNT_TOOLF_TIMED)) && WindowExists())
        KillTimer(m_nAirBrushTimer);

    if (bGesture && !m_bCancelled && !m_bDisplayOnly && GetMagnification() != 0)
        GetTool().OnGestureEnd(*this, ptImage);

    if (WindowExists() && ::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

void CPntCtrl::OnLButtonUp(UINT nFlags, CPoint point)
{
    EndGesture(ClientToImage(point));
    GetTool().OnRelease(*this, point);
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
    GetTool().OnRightRelease(*this);
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
    GetTool().OnTick(*this);
}

BOOL CPntCtrl::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    const PntToolEntry& entry = GetToolEntry();
    if (nHitTest != HTCLIENT || (m_bDisplayOnly && !entry.pTool->WorksWhenDisplayOnly()) || m_bCancelled)
        return CWnd::OnSetCursor(pWnd, nHitTest, message);

    HCURSOR hToolCursor = entry.pCursor != NULL ? this->*entry.pCursor : NULL;
    HCURSOR hCursor = entry.pTool->GetCursor(*this, hToolCursor);
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
    GetTool().OnKeyDown(*this, nChar, nRepCnt);
    // The navigation keys, which the tools leave alone, scroll the view; Shift may reshape a
    // figure being drawn (PntCtrlScrollInput.cpp).
    if (nChar == VK_SHIFT)
        OnShiftChanged();
    else
        ScrollByKey(nChar, nRepCnt);
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
        GetTool().OnEscape(*this, bButtonDown);
    }
    else
    {
        GetTool().OnCharacter(*this, nChar, nRepCnt);
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
