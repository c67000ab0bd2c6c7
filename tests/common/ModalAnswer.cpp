// Answers to modal windows from a thread timer.
#include "ModalAnswer.h"

namespace testenv
{
namespace
{
ModalAnswer* s_pActive = nullptr;   // one answer at a time: modal windows come one at a time
const UINT kPollMs = 20;

struct FindData
{
    LPCWSTR lpszCaption;
    HWND hWnd;
};

BOOL CALLBACK FindCaption(HWND hWnd, LPARAM lParam)
{
    FindData* pData = (FindData*)lParam;
    WCHAR szText[256] = L"";
    ::GetWindowTextW(hWnd, szText, _countof(szText));
    if (::IsWindowVisible(hWnd) && lstrcmpW(szText, pData->lpszCaption) == 0)
    {
        pData->hWnd = hWnd;
        return FALSE;
    }
    return TRUE;
}
}

ModalAnswer::ModalAnswer(LPCSTR lpszCaption, std::function<void(HWND)> answer, bool bEveryTime)
    : ModalAnswer(CStringW(lpszCaption).GetString(), std::move(answer), bEveryTime)
{
}

ModalAnswer::ModalAnswer(LPCWSTR lpszCaption, std::function<void(HWND)> answer, bool bEveryTime)
    : m_strCaption(lpszCaption), m_answer(std::move(answer)), m_bEveryTime(bEveryTime)
{
    s_pActive = this;
    m_nTimer = ::SetTimer(NULL, 0, kPollMs, &ModalAnswer::OnTimer);
}

ModalAnswer::~ModalAnswer()
{
    if (m_nTimer != 0)
        ::KillTimer(NULL, m_nTimer);
    if (s_pActive == this)
        s_pActive = nullptr;
}

void CALLBACK ModalAnswer::OnTimer(HWND, UINT, UINT_PTR, DWORD)
{
    ModalAnswer* pThis = s_pActive;
    if (pThis == nullptr || (pThis->m_nAnswers > 0 && !pThis->m_bEveryTime))
        return;
    FindData data = { pThis->m_strCaption, NULL };
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindCaption, (LPARAM)&data);
    if (data.hWnd == NULL || data.hWnd == pThis->m_hWndLast)
        return;
    pThis->m_nAnswers++;
    pThis->m_hWndLast = data.hWnd;
    if (!pThis->m_bEveryTime)
    {
        ::KillTimer(NULL, pThis->m_nTimer);
        pThis->m_nTimer = 0;
    }
    pThis->m_answer(data.hWnd);
}

void Type(HWND hDlg, int nID, LPCSTR lpszText)
{
    ::SetDlgItemTextA(hDlg, nID, lpszText);
}

void Type(HWND hDlg, int nID, LPCWSTR lpszText)
{
    ::SetDlgItemTextW(hDlg, nID, lpszText);
}

void Click(HWND hDlg, int nID)
{
    ::SendDlgItemMessage(hDlg, nID, BM_CLICK, 0, 0);
}

std::string ItemText(HWND hDlg, int nID)
{
    return std::string(CStringA(ItemString(hDlg, nID)));
}

CString ItemString(HWND hDlg, int nID)
{
    CString strText;
    HWND hItem = ::GetDlgItem(hDlg, nID);
    if (hItem != NULL)
        CWnd::FromHandle(hItem)->GetWindowText(strText);
    return strText;
}

bool ItemEnabled(HWND hDlg, int nID)
{
    return ::IsWindowEnabled(::GetDlgItem(hDlg, nID)) != FALSE;
}
}
