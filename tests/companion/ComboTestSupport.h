// Shared by the drop-down tests: an owner window that records the notifications it gets, a
// fixture holding it, and the face of a control read back from the screen.
#pragma once
#include <afxwin.h>
#include <gtest/gtest.h>
#include "companion/CoolCombo.h"
#include "common/Screenshot.h"
#include "ComboTestResources.h"
#include <vector>

namespace combotest
{
struct Notice
{
    UINT nCode;
    WPARAM wParam;
    UINT_PTR idFrom;
    DWORD dwValue;   // the second 32-bit field after the header
};

class COwnerWnd : public CWnd
{
public:
    std::vector<Notice> m_notices;

    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        const NMHDR* pHeader = (const NMHDR*)lParam;
        DWORD dwValue = *(const DWORD*)((const BYTE*)lParam + sizeof(NMHDR) + sizeof(DWORD));
        m_notices.push_back({ pHeader->code, wParam, pHeader->idFrom, dwValue });
        *pResult = 0;
        return TRUE;
    }
};

// The client area of a window as 0x00BBGGRR values, row by row from the top.
struct Face
{
    int cx = 0;
    int cy = 0;
    std::vector<COLORREF> pixels;

    COLORREF At(int x, int y) const { return pixels[(size_t)y * cx + x]; }
    int Count(COLORREF cr) const
    {
        int n = 0;
        for (COLORREF p : pixels)
            n += p == cr;
        return n;
    }
    // The longest run of crColour pixels down any column.
    int LongestColumnRun(COLORREF cr) const
    {
        int nBest = 0;
        for (int x = 0; x < cx; ++x)
            for (int y = 0, nRun = 0; y < cy; ++y)
            {
                nRun = At(x, y) == cr ? nRun + 1 : 0;
                nBest = nRun > nBest ? nRun : nBest;
            }
        return nBest;
    }
};

// The pixels of a rectangle of what hWnd's DC shows (hWnd NULL: the screen).
inline Face ReadPixels(HWND hWnd, const RECT& rc)
{
    Face face;
    face.pixels = testenv::ReadPixels(hWnd, rc);
    if (!face.pixels.empty())
    {
        face.cx = rc.right - rc.left;
        face.cy = rc.bottom - rc.top;
    }
    return face;
}

// The client area of a window as it paints itself now.
inline Face ReadFace(HWND hWnd)
{
    ::RedrawWindow(hWnd, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    RECT rc;
    ::GetClientRect(hWnd, &rc);
    return ReadPixels(hWnd, rc);
}

// A visible owner window to hold the control under test.
class ComboFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        WNDCLASS wc = {};
        wc.lpfnWndProc = ::DefWindowProc;
        wc.hInstance = AfxGetInstanceHandle();
        wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
        wc.lpszClassName = _T("ComboTestOwner");
        AfxRegisterClass(&wc);
        ASSERT_TRUE(m_owner.CreateEx(0, _T("ComboTestOwner"), _T(""), WS_POPUP | WS_VISIBLE, 20, 20, 300, 200, NULL, NULL));
    }
    void TearDown() override
    {
        if (::IsWindow(m_owner.m_hWnd))
            m_owner.DestroyWindow();
    }
    // Presses and releases the mouse on an item of the open popup.
    static void ClickPopupItem(CCoolCombo& combo, int nItem)
    {
        CRect rc;
        ASSERT_TRUE(combo.GetPopupItemRect(nItem, &rc)) << "item " << nItem;
        HWND hPopup = combo.GetPopupWnd();
        LPARAM lPoint = MAKELPARAM(rc.CenterPoint().x, rc.CenterPoint().y);
        ::SendMessage(hPopup, WM_LBUTTONDOWN, MK_LBUTTON, lPoint);
        ::SendMessage(hPopup, WM_LBUTTONUP, 0, lPoint);
    }
    static void OpenByClick(CCoolCombo& combo) { combo.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3)); }
    static void Key(CCoolCombo& combo, UINT nKey) { combo.SendMessage(WM_KEYDOWN, nKey, 1); }

    COwnerWnd m_owner;
};
}
