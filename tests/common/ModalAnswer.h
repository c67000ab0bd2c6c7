// Answers a modal window as a user would: while the object lives, a thread timer looks for a
// visible top-level window of this thread with the given caption and, once it is there,
// hands it to the answer (which types, ticks and presses OK or Cancel). Captions and typed
// texts are taken in either width, so _T() texts and plain literals both serve.
#pragma once
#include <afxwin.h>
#include <functional>
#include <string>

namespace testenv
{
class ModalAnswer
{
public:
    // With bEveryTime the window is answered each time it appears, not just the first time.
    ModalAnswer(LPCSTR lpszCaption, std::function<void(HWND)> answer, bool bEveryTime = false);
    ModalAnswer(LPCWSTR lpszCaption, std::function<void(HWND)> answer, bool bEveryTime = false);
    ~ModalAnswer();
    ModalAnswer(const ModalAnswer&) = delete;
    ModalAnswer& operator=(const ModalAnswer&) = delete;

    // Whether the window was found and answered, and how often.
    bool Answered() const { return m_nAnswers > 0; }
    int Answers() const { return m_nAnswers; }

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    CStringW m_strCaption;   // compared with the window's wide text: no code page in between
    std::function<void(HWND)> m_answer;
    bool m_bEveryTime;
    UINT_PTR m_nTimer = 0;
    int m_nAnswers = 0;
    HWND m_hWndLast = NULL;   // the window last answered, which may take a moment to go
};

// What a user does to a dialog's items: type into an edit, click a push button or a check
// box (BM_CLICK: the button changes and notifies before the call returns), read a text
// (ItemText in the ANSI code page, for comparing with plain literals; ItemString exactly).
void Type(HWND hDlg, int nID, LPCSTR lpszText);
void Type(HWND hDlg, int nID, LPCWSTR lpszText);
void Click(HWND hDlg, int nID);
std::string ItemText(HWND hDlg, int nID);
CString ItemString(HWND hDlg, int nID);
bool ItemEnabled(HWND hDlg, int nID);
}
