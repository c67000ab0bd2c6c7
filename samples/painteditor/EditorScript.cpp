// CEditorScript: the steps of the scripted session and the timer that runs them.
#include "EditorScript.h"
#include "samples/common/ConsoleText.h"
#include "EditorApp.h"
#include "EditorFrame.h"
#include "EditorResources.h"
#include "ScriptPlan.h"
#include "WindowCapture.h"
#include "resources/resource.h"
#include "samples/common/BitmapFiles.h"
#include <stdio.h>

CEditorScript* CEditorScript::s_pRunning = NULL;

namespace
{
const UINT kTickMs = 50;
// A step that waits (for a dialog, say) fails after this long.
const DWORD kStepTimeoutMs = 15000;
// After the end, the program must be gone by then.
const DWORD kExitTimeoutMs = 15000;

// The pixel under the middle of a rectangle gesture's top edge.
CPoint TopEdgeProbe(const painteditor::Gesture& gesture)
{
    return CPoint((gesture.points[0].x + gesture.points[1].x) / 2, gesture.points[0].y);
}

BOOL CALLBACK FindDimensionsProc(HWND hWnd, LPARAM lParam)
{
    TCHAR szClass[16] = _T("");
    ::GetClassName(hWnd, szClass, 16);
    if (::IsWindowVisible(hWnd) && lstrcmp(szClass, _T("#32770")) == 0 && ::GetDlgItem(hWnd, IDC_PNT_WIDTH) != NULL &&
        ::GetDlgItem(hWnd, IDC_PNT_HEIGHT) != NULL)
    {
        *(HWND*)lParam = hWnd;
        return FALSE;
    }
    return TRUE;
}
}

CEditorScript::CEditorScript(CEditorFrame* pFrame, LPCTSTR lpszOutput, LPCTSTR lpszScreenshot)
    : m_pFrame(pFrame), m_strOutput(lpszOutput), m_strScreenshot(lpszScreenshot), m_nStep(0), m_dwStepStart(0),
      m_nTimer(0), m_bFinished(FALSE), m_nMessagesAtStart(0), m_crBeforeLast(0), m_crLast(0)
{
    AddSteps();
}

CEditorScript::~CEditorScript()
{
    if (m_nTimer != 0)
        ::KillTimer(NULL, m_nTimer);
    if (s_pRunning == this)
        s_pRunning = NULL;
}

void CEditorScript::Start()
{
    s_pRunning = this;
    m_nMessagesAtStart = theApp.GetMessageCount();
    m_dwStepStart = ::GetTickCount();
    m_nTimer = ::SetTimer(NULL, 0, kTickMs, &CEditorScript::OnTimer);
    if (m_nTimer == 0)
    {
        m_strFailure = _T("no timer could be had");
        Finish(CPaintEditorApp::kExitFailed);
    }
}

void CALLBACK CEditorScript::OnTimer(HWND, UINT, UINT_PTR, DWORD)
{
    static BOOL s_bBusy = FALSE;
    if (s_pRunning == NULL || s_bBusy)
        return;
    s_bBusy = TRUE;
    s_pRunning->Tick();
    s_bBusy = FALSE;
}

void CEditorScript::Tick()
{
    if (m_bFinished)
    {
        // The window should have closed by now; make sure the program ends all the same.
        if (::GetTickCount() - m_dwStepStart > kExitTimeoutMs)
            ::ExitProcess(CPaintEditorApp::kExitFailed);
        return;
    }
    if (m_nStep >= m_steps.size())
        return;
    Result result = theApp.GetMessageCount() > m_nMessagesAtStart ? Fail(_T("a message was shown (see above)"))
                                                                  : m_steps[m_nStep].run();
    if (result == kWait && ::GetTickCount() - m_dwStepStart > kStepTimeoutMs)
        result = Fail(_T("timed out"));
    if (result == kFailed)
    {
        samples::PrintText(stderr, _T("painteditor: the scripted session failed at step %u (%s): %s\n"),
                           (unsigned)(m_nStep + 1), (LPCTSTR)m_steps[m_nStep].strName, (LPCTSTR)m_strFailure);
        Finish(CPaintEditorApp::kExitFailed);
        return;
    }
    if (result == kDone)
    {
        ++m_nStep;
        m_dwStepStart = ::GetTickCount();
    }
}

CEditorScript::Result CEditorScript::Fail(LPCTSTR lpszWhy)
{
    m_strFailure = lpszWhy;
    return kFailed;
}

void CEditorScript::Finish(int nExitCode)
{
    m_bFinished = TRUE;
    m_dwStepStart = ::GetTickCount();
    theApp.SetExitCode(nExitCode);
    fflush(stdout);
    fflush(stderr);
    if (HWND hDlg = FindDimensionsDialog())
        ::PostMessage(hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    // A failed session leaves nothing to save.
    m_pFrame->DiscardChanges();
    m_pFrame->PostMessage(WM_CLOSE);
}

CPntCtrl& CEditorScript::Ctrl()
{
    return m_pFrame->GetPaintCtrl();
}

void CEditorScript::Command(UINT nID)
{
    m_pFrame->SendMessage(WM_COMMAND, MAKEWPARAM(nID, 0), 0);
}

void CEditorScript::Drag(const POINT* pPoints, int nCount)
{
    CPntCtrl& ctrl = Ctrl();
    auto send = [&](UINT message, WPARAM wParam, POINT ptImage) {
        CPoint pt = ptImage;
        ctrl.IPtoLP(&pt);
        ctrl.LPtoDP(&pt);
        ctrl.SendMessage(message, wParam, MAKELPARAM((WORD)pt.x, (WORD)pt.y));
    };
    send(WM_LBUTTONDOWN, MK_LBUTTON, pPoints[0]);
    for (int i = 1; i < nCount; ++i)
        send(WM_MOUSEMOVE, MK_LBUTTON, pPoints[i]);
    send(WM_LBUTTONUP, 0, pPoints[nCount - 1]);
}

void CEditorScript::PressCtrlKey(UINT nVirtKey)
{
    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] = keys[VK_LCONTROL] = 0x80;
    ::SetKeyboardState(keys);
    UINT nScan = ::MapVirtualKey(nVirtKey, 0);
    HWND hCtrl = Ctrl().m_hWnd;
    ::PostMessage(hCtrl, WM_KEYDOWN, nVirtKey, (LPARAM)(1 | (nScan << 16)));
    ::PostMessage(hCtrl, WM_KEYUP, nVirtKey, (LPARAM)(1 | (nScan << 16) | 0xC0000000u));
}

void CEditorScript::ReleaseCtrl()
{
    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] = keys[VK_LCONTROL] = 0;
    ::SetKeyboardState(keys);
}

HWND CEditorScript::FindDimensionsDialog()
{
    HWND hDlg = NULL;
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindDimensionsProc, (LPARAM)&hDlg);
    return hDlg;
}

void CEditorScript::AddSteps()
{
    using namespace painteditor;
    for (int i = 0; i < kGestureCount; ++i)
    {
        const Gesture& gesture = kGestures[i];
        const bool bLast = i == kGestureCount - 1;
        m_steps.push_back({ CString(_T("draw the ")) + gesture.pszName, [this, &gesture, bLast]() {
            const int nWidths = (int)(sizeof(g_nPenWidths) / sizeof(g_nPenWidths[0]));
            int nWidthIndex = 0;
            while (nWidthIndex < nWidths && g_nPenWidths[nWidthIndex] != gesture.nPenWidth)
                ++nWidthIndex;
            if (nWidthIndex == nWidths)
                return Fail(_T("the Tools menu offers no such pen width"));
            Command(ID_TOOL_BASE + (UINT)gesture.nTool);
            Command(ID_DRAWCOLOUR_FIRST + (UINT)gesture.nDrawColour);
            Command(ID_FILLCOLOUR_FIRST + (UINT)gesture.nFillColour);
            Command(ID_PENWIDTH_FIRST + (UINT)nWidthIndex);
            if (Ctrl().GetToolMode() != gesture.nTool)
                return Fail(_T("the Tools command did not select the tool"));
            if (bLast)
                m_crBeforeLast = Ctrl().GetDIBsection()->GetPixel(TopEdgeProbe(gesture));
            Drag(gesture.points, gesture.nPoints);
            if (!m_pFrame->IsModified())
                return Fail(_T("the picture did not change"));
            if (bLast)
            {
                m_crLast = Ctrl().GetDIBsection()->GetPixel(TopEdgeProbe(gesture));
                if (m_crLast == m_crBeforeLast)
                    return Fail(_T("nothing was drawn under the shape's top edge"));
            }
            return kDone;
        } });
    }
    const CPoint ptProbe = TopEdgeProbe(kGestures[kGestureCount - 1]);

    m_steps.push_back({ _T("press Ctrl+Z"), [this]() {
        PressCtrlKey('Z');
        return kDone;
    } });
    m_steps.push_back({ _T("check the undo"), [this, ptProbe]() {
        ReleaseCtrl();
        if (m_pFrame->GetLastCommand() != ID_EDIT_UNDO)
            return Fail(_T("Ctrl+Z did not give the Undo command"));
        if (Ctrl().GetDIBsection()->GetPixel(ptProbe) != m_crBeforeLast || !Ctrl().CanRedo())
            return Fail(_T("Undo did not take the last shape away"));
        return kDone;
    } });
    m_steps.push_back({ _T("press Ctrl+Y"), [this]() {
        PressCtrlKey('Y');
        return kDone;
    } });
    m_steps.push_back({ _T("check the redo"), [this, ptProbe]() {
        ReleaseCtrl();
        if (m_pFrame->GetLastCommand() != ID_EDIT_REDO)
            return Fail(_T("Ctrl+Y did not give the Redo command"));
        if (Ctrl().GetDIBsection()->GetPixel(ptProbe) != m_crLast || Ctrl().CanRedo())
            return Fail(_T("Redo did not bring the last shape back"));
        return kDone;
    } });

    // The resize dialog is modal: the command is posted, and the next steps run from the
    // timer inside the dialog's own message loop.
    m_steps.push_back({ _T("choose Image, Resize"), [this]() {
        m_pFrame->PostMessage(WM_COMMAND, MAKEWPARAM(ID_IMAGE_RESIZE, 0), 0);
        return kDone;
    } });
    m_steps.push_back({ _T("answer the dimensions dialog"), [this]() {
        HWND hDlg = FindDimensionsDialog();
        if (hDlg == NULL)
            return kWait;
        ::SetDlgItemInt(hDlg, IDC_PNT_WIDTH, (UINT)kResizedWidth, FALSE);
        ::SetDlgItemInt(hDlg, IDC_PNT_HEIGHT, (UINT)kResizedHeight, FALSE);
        ::PostMessage(hDlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)::GetDlgItem(hDlg, IDOK));
        return kDone;
    } });
    m_steps.push_back({ _T("check the new size"), [this]() {
        if (FindDimensionsDialog() != NULL)
            return kWait;
        CDIBSection* pImage = Ctrl().GetDIBsection();
        if (pImage->GetWidth() != kResizedWidth || pImage->GetHeight() != kResizedHeight)
            return Fail(_T("the picture does not have the size typed into the dialog"));
        return kDone;
    } });

    m_steps.push_back({ _T("save"), [this]() {
        if (!m_pFrame->SaveFile(m_strOutput))
            return Fail(_T("the picture could not be saved"));
        if (m_pFrame->IsModified())
            return Fail(_T("the picture is still marked as changed"));
        return kDone;
    } });
    // The screenshot shows the picture magnified, as chosen from the View menu.
    m_steps.push_back({ _T("choose View, 200%"), [this]() {
        const int nLevels = (int)(sizeof(CPntCtrl::MagnificationLevels) / sizeof(CPntCtrl::MagnificationLevels[0]));
        int nIndex = 0;
        while (nIndex < nLevels && CPntCtrl::MagnificationLevels[nIndex] != 200)
            ++nIndex;
        Command(ID_VIEW_ZOOM_FIRST + (UINT)nIndex);
        if (Ctrl().GetMagnification() != 200)
            return Fail(_T("the View command did not change the magnification"));
        return kDone;
    } });
    m_steps.push_back({ _T("take the screenshot"), [this]() {
        CDIBSection shot;
        if (!CaptureWindow(m_pFrame->m_hWnd, shot))
            return Fail(_T("the window could not be read back"));
        if (!samples::SaveWithoutThrowing([this, &shot]() { return shot.Save(m_strScreenshot); }))
            return Fail(_T("the screenshot could not be written"));
        CDIBSection* pImage = Ctrl().GetDIBsection();
        samples::PrintText(stdout, _T("painteditor: wrote %s (%d x %d, %d bits per pixel)\n"), (LPCTSTR)m_strOutput,
                           pImage->GetWidth(), pImage->GetHeight(), pImage->GetBitCount());
        samples::PrintText(stdout, _T("painteditor: wrote %s (screenshot, %d x %d)\n"), (LPCTSTR)m_strScreenshot,
                           shot.GetWidth(), shot.GetHeight());
        Finish(CPaintEditorApp::kExitOk);
        return kDone;
    } });
}
