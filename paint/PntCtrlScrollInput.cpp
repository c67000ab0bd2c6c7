// CPntCtrl: the mouse wheel and the navigation keys. Both scroll through the scroll messages,
// so that they move the view exactly as the scroll bars do; Ctrl+wheel steps through the
// preset magnifications around the pointer. Shift going down or up redraws a shape in progress.
#include "paint/PntCtrl.h"
#include "paint/PntToolTable.h"
#include "paint/PntTool.h"
#include <math.h>
#include <stdlib.h>

namespace
{
// However a message or a setting asks for more, one event scrolls at most this many steps.
const int nMostStepsAtOnce = 100;

// The line steps of one wheel notch for the setting nAction (SPI_GETWHEELSCROLLLINES or
// SPI_GETWHEELSCROLLCHARS), nDefault when it cannot be read; *pbPage is set when the user
// asked for a page per notch.
int StepsPerNotch(UINT nAction, int nDefault, BOOL* pbPage)
{
    UINT nSteps = (UINT)nDefault;
    if (!::SystemParametersInfo(nAction, 0, &nSteps, 0))
        nSteps = (UINT)nDefault;
    *pbPage = nSteps == WHEEL_PAGESCROLL;
    if (*pbPage)
        return 1;
    return nSteps > (UINT)nMostStepsAtOnce ? nMostStepsAtOnce : (int)nSteps;
}
}

int CPntCtrl::WheelSteps(int* pnAccumulated, short zDelta, int nPerNotch)
{
    // Turning the other way starts afresh rather than first paying back what was kept.
    if ((*pnAccumulated > 0 && zDelta < 0) || (*pnAccumulated < 0 && zDelta > 0))
        *pnAccumulated = 0;
    if (nPerNotch <= 0)
    {
        *pnAccumulated = 0;
        return 0;
    }
    *pnAccumulated += zDelta;
    const int nSteps = *pnAccumulated * nPerNotch / WHEEL_DELTA;   // toward zero
    *pnAccumulated -= nSteps * WHEEL_DELTA / nPerNotch;
    return nSteps;
}

void CPntCtrl::ScrollLines(int nBar, int nLines)
{
    const UINT nMessage = nBar == SB_HORZ ? WM_HSCROLL : WM_VSCROLL;
    const UINT nCode = nLines < 0 ? SB_LINEUP : SB_LINEDOWN;
    const int nCount = abs(nLines) < nMostStepsAtOnce ? abs(nLines) : nMostStepsAtOnce;
    for (int i = 0; i < nCount; i++)
        SendMessage(nMessage, MAKEWPARAM(nCode, 0), 0);
}

BOOL CPntCtrl::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
{
    if (nFlags & MK_CONTROL)
    {
        if (!m_bWheelZooms)
            return CWnd::OnMouseWheel(nFlags, zDelta, pt);
        const int nSteps = WheelSteps(&m_nWheelZoom, zDelta, 1);
        // The wheel may reach the control with the pointer elsewhere (it goes to the focus):
        // then the view zooms about its centre.
        CPoint ptClient = pt;
        ScreenToClient(&ptClient);
        CRect rcClient;
        GetClientRect(&rcClient);
        if (!rcClient.PtInRect(ptClient))
            ptClient = rcClient.CenterPoint();
        for (int i = 0; i < abs(nSteps); i++)
            if (!ZoomAtPoint(nSteps > 0, ptClient))
                break;
        return TRUE;
    }
    if (!m_bWheelScrolls)
        return CWnd::OnMouseWheel(nFlags, zDelta, pt);

    // The wheel turned away from the user shows what is above, or with Shift what is left.
    BOOL bPage = FALSE;
    const int nPerNotch = StepsPerNotch(SPI_GETWHEELSCROLLLINES, 3, &bPage);
    const BOOL bHorz = (nFlags & MK_SHIFT) != 0;
    const int nSteps = WheelSteps(bHorz ? &m_nWheelHorizontal : &m_nWheelVertical, zDelta, nPerNotch);
    const int nBar = bHorz ? SB_HORZ : SB_VERT;
    if (bPage)
    {
        for (int i = 0; i < abs(nSteps) && i < nMostStepsAtOnce; i++)
            SendMessage(bHorz ? WM_HSCROLL : WM_VSCROLL, MAKEWPARAM(nSteps > 0 ? SB_PAGEUP : SB_PAGEDOWN, 0), 0);
    }
    else
    {
        ScrollLines(nBar, -nSteps);
    }
    return TRUE;
}

void CPntCtrl::OnMouseHWheel(UINT nFlags, short zDelta, CPoint pt)
{
    if (!m_bWheelScrolls)
    {
        CWnd::OnMouseHWheel(nFlags, zDelta, pt);
        return;
    }
    // Tilted to the right shows what is right.
    BOOL bPage = FALSE;
    const int nPerNotch = StepsPerNotch(SPI_GETWHEELSCROLLCHARS, 3, &bPage);
    const int nSteps = WheelSteps(&m_nWheelHorizontal, zDelta, nPerNotch);
    if (bPage)
    {
        for (int i = 0; i < abs(nSteps) && i < nMostStepsAtOnce; i++)
            SendMessage(WM_HSCROLL, MAKEWPARAM(nSteps > 0 ? SB_PAGEDOWN : SB_PAGEUP, 0), 0);
    }
    else
    {
        ScrollLines(SB_HORZ, nSteps);
    }
}

BOOL CPntCtrl::ZoomAtPoint(BOOL bUp, CPoint ptClient)
{
    const int nLevel = GetNextMagLevel(-1, bUp);
    if (nLevel < 0)
        return FALSE;

    // The point under the pointer, in image pixels counted from the view's origin, taken at
    // the middle of the screen pixel so that truncation keeps it in the same image pixel.
    CPoint ptLogical = ptClient;
    DPtoLP(&ptLogical);
    const double dOld = m_dMagnification;
    const BOOL bAnchored = dOld > 0;
    const double dImageX = bAnchored ? (ptLogical.x + 0.5 - m_rcMargin.left) / dOld : 0;
    const double dImageY = bAnchored ? (ptLogical.y + 0.5 - m_rcMargin.top) / dOld : 0;

    // As SetMagnification changes it, with the scroll positions set before the owner hears.
    m_dMagnification = nLevel * 0.01;
    CentreImage(m_bImageCentered);
    ResetScrollBars();
    if (bAnchored)
    {
        // The window clamps the positions to what the ranges and pages allow.
        if (m_nHScrollRange >= 1)
        {
            const int nPos = (int)floor(dImageX * m_dMagnification) + m_rcMargin.left - ptClient.x;
            SetScrollPos(SB_HORZ, nPos < 0 ? 0 : nPos, TRUE);
        }
        if (m_nVScrollRange >= 1)
        {
            const int nPos = (int)floor(dImageY * m_dMagnification) + m_rcMargin.top - ptClient.y;
            SetScrollPos(SB_VERT, nPos < 0 ? 0 : nPos, TRUE);
        }
    }
    OnMagnificationChanged();
    Invalidate(TRUE);
    return TRUE;
}

BOOL CPntCtrl::ScrollByKey(UINT nChar, UINT nRepCnt)
{
    if (!m_bKeysScroll || ::GetKeyState(VK_CONTROL) < 0 || ::GetKeyState(VK_MENU) < 0)
        return FALSE;
    // While text is typed, the keys move in the text bar.
    if (m_nToolMode == TOOL_TEXT && m_bFloating && m_TextFmtBar.IsVisible())
        return FALSE;

    const int nRepeat = nRepCnt < 1 ? 1 : (nRepCnt > (UINT)nMostStepsAtOnce ? nMostStepsAtOnce : (int)nRepCnt);
    const BOOL bShift = ::GetKeyState(VK_SHIFT) < 0;
    switch (nChar)
    {
    case VK_UP:
        ScrollLines(SB_VERT, -nRepeat);
        return TRUE;
    case VK_DOWN:
        ScrollLines(SB_VERT, nRepeat);
        return TRUE;
    case VK_LEFT:
        ScrollLines(SB_HORZ, -nRepeat);
        return TRUE;
    case VK_RIGHT:
        ScrollLines(SB_HORZ, nRepeat);
        return TRUE;
    case VK_PRIOR:
    case VK_NEXT:
        for (int i = 0; i < nRepeat; i++)
            SendMessage(bShift ? WM_HSCROLL : WM_VSCROLL, MAKEWPARAM(nChar == VK_PRIOR ? SB_PAGEUP : SB_PAGEDOWN, 0), 0);
        return TRUE;
    case VK_HOME:
    case VK_END:
        SendMessage(WM_HSCROLL, MAKEWPARAM(nChar == VK_HOME ? SB_TOP : SB_BOTTOM, 0), 0);
        SendMessage(WM_VSCROLL, MAKEWPARAM(nChar == VK_HOME ? SB_TOP : SB_BOTTOM, 0), 0);
        return TRUE;
    default:
        return FALSE;
    }
}

void CPntCtrl::OnShiftChanged()
{
    if (!m_bShiftConstrains || !m_bButtonDown || m_bCancelled || m_bDisplayOnly || GetMagnification() == 0)
        return;
    if (GetToolEntry().nFlags & PNT_TOOLF_RUBBERBAND)
        GetTool().OnDrag(*this, m_ptLast);
}

void CPntCtrl::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_SHIFT)
        OnShiftChanged();
    CWnd::OnKeyUp(nChar, nRepCnt, nFlags);
}
