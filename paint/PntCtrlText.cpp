// CPntCtrl: the text tool. The text typed in the format bar is drawn into the text box at
// every change; the rendering is always the newest undo step, so only one rendering is ever
// in the image and one undo takes it away.
#include "paint/PntCtrl.h"
#include "paint/PntRectTracker.h"

void CPntCtrl::SetUserText(LPCTSTR lpszText)
{
    if (m_nToolMode == TOOL_TEXT)
        DoModifyText(lpszText != NULL ? lpszText : _T(""));
}

void CPntCtrl::SetTextFormat(UINT nFormat)
{
    m_nTextFormat = nFormat;
    if (m_nToolMode == TOOL_TEXT)
        DoModifyText(m_strUserText);
}

void CPntCtrl::DoModifyText(CString strText)
{
    if (m_nToolMode != TOOL_TEXT || !m_bFloating)
        return;
    if (!m_strUserText.IsEmpty())
    {
        // The previous rendering goes; the undo step resets the selection, which is the box.
        CRect rcBox = m_rcSelection;
        UndoImageChange();
        m_rcSelection = rcBox;
        m_bFloating = TRUE;
    }
    m_strUserText = strText;
    if (!m_strUserText.IsEmpty())
    {
        PreImageChangeOfText(m_rcSelection);
        m_Image.DrawText(m_strUserText, m_rcSelection, m_nTextFormat, m_crDrawColor, &m_fontText);
        SetImageChanged(TRUE);
        if (WindowExists())
            RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    }
}

void CPntCtrl::PreImageChangeOfText(const CRect& rcBox)
{
    PreImageChangeOfRect(TextReach(rcBox));
}

CRect CPntCtrl::TextReach(const CRect& rcBox)
{
    CRect rcReach = rcBox;
    rcReach.NormalizeRect();
    // Text is clipped to its box unless the format says otherwise.
    if (!(m_nTextFormat & DT_NOCLIP) || m_strUserText.IsEmpty())
        return rcReach;

    // Unclipped, it reaches past the box by at most its own extent on any side, whatever the
    // alignment; a line's height more covers overhanging glyphs.
    CDC* pDC = m_Image.GetMemoryDC(NULL, TRUE);
    if (pDC == NULL)
        return CRect(0, 0, m_Image.GetWidth(), m_Image.GetHeight());
    CRect rcText = rcReach;
    CFont* pOldFont = m_fontText.GetSafeHandle() != NULL ? pDC->SelectObject(&m_fontText) : NULL;
    ::DrawText(pDC->GetSafeHdc(), m_strUserText, m_strUserText.GetLength(), &rcText,
               (m_nTextFormat & ~DT_NOCLIP) | DT_CALCRECT);
    TEXTMETRIC tm;
    const int nLine = pDC->GetTextMetrics(&tm) ? tm.tmHeight + tm.tmOverhang : 64;
    if (pOldFont != NULL)
        pDC->SelectObject(pOldFont);
    m_Image.ReleaseMemoryDC(FALSE);
    rcReach.InflateRect(rcText.Width() + nLine, rcText.Height() + nLine);
    return rcReach;
}

BOOL CPntCtrl::DragEditText(CPntRectTracker* pTracker)
{
    if (pTracker == NULL)
        return FALSE;
    const BOOL bOutside = pTracker->GetHitTest() < 0;
    // A press outside the box commits the text drawn so far (its undo step stays).
    if (bOutside)
        m_bFloating = FALSE;

    CRect rcOldBox = m_rcSelection;
    if (m_bFloating && !m_strUserText.IsEmpty())
    {
        UndoImageChange();
        m_rcSelection = rcOldBox;
        m_bFloating = TRUE;
    }
    else
    {
        m_strUserText.Empty();
        m_TextFmtBar.Clear();
        m_TextFmtBar.Show(this);
    }
    const BOOL bText = !m_strUserText.IsEmpty();
    if (bText)
    {
        // The text stays visible while its box is dragged; each move puts back only the area
        // the last rendering could reach.
        BeginGestureArea(TextReach(rcOldBox), NULL);
        m_Image.DrawText(m_strUserText, rcOldBox, m_nTextFormat, m_crDrawColor, &m_fontText);
    }
    m_bShowSelectionRect = FALSE;
    if (WindowExists())
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);

    OnStartSelection();
    BOOL bTracked = bOutside ? pTracker->TrackRubberBand(TRUE) : pTracker->Track(!bText);
    OnEndSelection();

    BOOL bResult = FALSE;
    if (bText)
    {
        BOOL bRestored = EndGestureArea(NULL);
        // A box that did not move keeps its text where it was: drawn again as the newest
        // undo step, with the box kept, so the next change takes back the right rendering.
        CRect rcBox = bRestored && bTracked ? pTracker->m_rect : rcOldBox;
        PreImageChangeOfText(rcBox);
        m_Image.DrawText(m_strUserText, rcBox, m_nTextFormat, m_crDrawColor, &m_fontText);
        SetImageChanged(TRUE);
        if (WindowExists())
            RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
        pTracker->m_rect = rcBox;
        bResult = TRUE;
    }
    else
    {
        bResult = bTracked;
    }
    m_bShowSelectionRect = TRUE;
    m_bFloating = TRUE;
    return bResult;
}

/////////////////////////////////////////////////////////////////////////////
// The text format bar's target

CWnd* CPntCtrl::GetTextTargetWnd()
{
    return this;
}

void CPntCtrl::SetTargetText(LPCTSTR pszText)
{
    SetUserText(pszText);
}

UINT CPntCtrl::GetTargetTextFormat() const
{
    return GetTextFormat();
}

void CPntCtrl::SetTargetTextFormat(UINT nFormat)
{
    SetTextFormat(nFormat);
}

CFont* CPntCtrl::GetTargetTextFont()
{
    return GetTextFont();
}

void CPntCtrl::SetTargetTextFont(CFont* pFont)
{
    SetTextFont(pFont);
}

COLORREF CPntCtrl::GetTargetTextColour() const
{
    return GetDrawColor();
}

void CPntCtrl::SetTargetTextColour(COLORREF cr)
{
    SetDrawColor(cr);
}

void CPntCtrl::OnTextBarClosed()
{
    SetToolMode(TOOL_SELECT);
}
