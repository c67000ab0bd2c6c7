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
    const char* pszCaption;
    HWND hWnd;
};

BOOL CALLBACK FindCaption(HWND hWnd, LPARAM lParam)
{
    FindData* pData = (FindData*)lParam;
    char szText[256] = "";
    ::GetWindowText(hWnd, szText, sizeof(szText));
    if (::IsWindowVisible(hWnd) && lstrcmp(szText, pData->pszCaption) == 0)
    {
        pData->hWnd = hWnd;
        return FALSE;
    }
    return TRUE;
}
}

ModalAnswer::ModalAnswer(const char* pszCaption, std::function<void(HWND)> answer, bool bEveryTime)
    : m_strCaption(pszCaption), m_answer(std::move(answer)), m_bEveryTime(bEveryTime)
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
    FindData data = { pThis->m_strCaption.c_str(), NULL };
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

void Type(HWND hDlg, int nID, const char* pszText)
{
    ::SetDlgItemText(hDlg, nID, pszText);
}

void Click(HWND hDlg, int nID)
{
    ::SendDlgItemMessage(hDlg, nID, BM_CLICK, 0, 0);
}

std::string ItemText(HWND hDlg, int nID)
{
    char szText[256] = "";
    ::GetDlgItemText(hDlg, nID, szText, sizeof(szText));
    return szText;
}

bool ItemEnabled(HWND hDlg, int nID)
{
    return ::IsWindowEnabled(::GetDlgItem(hDlg, nID)) != FALSE;
}
}
