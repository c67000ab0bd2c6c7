// The common-control wrappers of afxcmn.h.
#include "ThreadState.h"
#include <afxcmn.h>

IMPLEMENT_DYNAMIC(CToolBarCtrl, CWnd)
IMPLEMENT_DYNAMIC(CSliderCtrl, CWnd)

BOOL CSliderCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_BAR_CLASSES };
    ::InitCommonControlsEx(&icc);
    return CWnd::Create(TRACKBAR_CLASS, NULL, dwStyle, rect, pParentWnd, nID);
}

int CSliderCtrl::GetTicPos(int nTic) const
{
    // GetNumTics counts the two ends too.
    if (nTic < 0 || nTic >= (int)GetNumTics() - 2)
        return -1;
    int nValue = GetTic(nTic);
    int nMin = GetRangeMin(), nMax = GetRangeMax();
    int nRange = nMax - nMin > 0 ? nMax - nMin : 1;
    CRect rcChannel, rcThumb;
    GetChannelRect(&rcChannel);
    GetThumbRect(&rcThumb);
    // The thumb's centre travels the channel less half a thumb at each end.
    const bool bVertical = (GetStyle() & TBS_VERT) != 0;
    int nStart = bVertical ? rcChannel.top : rcChannel.left;
    int nLength = bVertical ? rcChannel.Height() : rcChannel.Width();
    int nHalfThumb = (bVertical ? rcThumb.Height() : rcThumb.Width()) / 2;
    return nStart + nHalfThumb + (int)((LONGLONG)(nLength - 2 * nHalfThumb) * (nValue - nMin) / nRange);
}
