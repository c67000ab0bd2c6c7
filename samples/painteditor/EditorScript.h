// CEditorScript: the scripted session that the editor plays when it runs headless. It drives
// the real window from a timer as a user would: menu commands to pick tools, colours and pen
// widths, mouse messages on the paint control to draw, Ctrl+Z and Ctrl+Y through the
// accelerators, the Resize command with its dialog answered, then the normal save and a
// screenshot. It says what it wrote on stdout and ends the program; a step that fails ends it
// with a message on stderr and a non-zero exit code.
#pragma once
#include <afxwin.h>
#include <functional>
#include <vector>

class CEditorFrame;
class CPntCtrl;

class CEditorScript
{
public:
    CEditorScript(CEditorFrame* pFrame, LPCTSTR lpszOutput, LPCTSTR lpszScreenshot);
    ~CEditorScript();

    // Starts the steps; they run from the message loop.
    void Start();

private:
    // A step is done, waits to be called again, or failed (m_strFailure says why).
    enum Result { kDone, kWait, kFailed };
    struct Step
    {
        CString strName;
        std::function<Result()> run;
    };

    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    void Tick();
    void AddSteps();
    Result Fail(LPCTSTR lpszWhy);
    void Finish(int nExitCode);

    CPntCtrl& Ctrl();
    // Runs a menu command as the menu would.
    void Command(UINT nID);
    // Sends the paint control a button-down, moves and a button-up at image points.
    void Drag(const POINT* pPoints, int nCount);
    // Posts Ctrl+key to the control, to be taken by the frame's accelerators.
    void PressCtrlKey(UINT nVirtKey);
    void ReleaseCtrl();
    // The dimensions dialog when it is up, else NULL.
    static HWND FindDimensionsDialog();

    CEditorFrame* m_pFrame;
    CString m_strOutput;
    CString m_strScreenshot;
    std::vector<Step> m_steps;
    size_t m_nStep;
    DWORD m_dwStepStart;   // tick count when the current step was first run
    UINT_PTR m_nTimer;
    BOOL m_bFinished;
    CString m_strFailure;
    int m_nMessagesAtStart;
    COLORREF m_crBeforeLast;   // the last shape's probe pixel before it was drawn
    COLORREF m_crLast;         // and after

    static CEditorScript* s_pRunning;
};
