// CPaintEditorApp: command line and start-up. The framework's WinMain starts the program.
#include "EditorApp.h"
#include "EditorFrame.h"
#include "EditorScript.h"
#include "samples/common/ConsoleText.h"
#include <stdio.h>
#include <stdlib.h>
#include <tchar.h>

CPaintEditorApp theApp;

namespace
{
const TCHAR kUsage[] =
    _T("usage: painteditor [picture.bmp]\n")
    _T("       painteditor --script edited.bmp screenshot.bmp [picture.bmp]\n")
    _T("  Edits a Windows bitmap file (or a built-in picture) with the paint control.\n")
    _T("  --script plays a short session (shapes, a fill, undo, redo, resize), saves the edited\n")
    _T("  picture and a screenshot of the window, and ends; exit code 0 when all went well.\n");
}

CPaintEditorApp::CPaintEditorApp()
    : CWinApp(_T("Paint Editor")), m_argc(0), m_argv(NULL), m_nExitCode(kExitOk), m_nMessages(0),
      m_bScripted(FALSE), m_pScript(NULL)
{
}

BOOL CPaintEditorApp::ParseArguments()
{
    // The C runtime has split the command line (WinMain's lpCmdLine is one string).
    m_argc = __argc;
    m_argv = __targv;
    int i = 1;
    if (i < m_argc && (!_tcscmp(m_argv[i], _T("-h")) || !_tcscmp(m_argv[i], _T("--help"))))
    {
        samples::WriteText(stdout, kUsage);
        return FALSE;
    }
    if (i < m_argc && !_tcscmp(m_argv[i], _T("--script")))
    {
        if (m_argc < 4 || m_argc > 5)
        {
            samples::WriteText(stderr, _T("painteditor: --script needs the edited file, the screenshot and ")
                                       _T("optionally a picture\n"));
            samples::WriteText(stderr, kUsage);
            m_nExitCode = kExitUsage;
            return FALSE;
        }
        m_bScripted = TRUE;
        m_strScriptOutput = m_argv[2];
        m_strScriptShot = m_argv[3];
        i = 4;
    }
    if (i < m_argc && m_argv[i][0] == _T('-'))
    {
        samples::PrintText(stderr, _T("painteditor: unknown option %s\n%s"), m_argv[i], kUsage);
        m_nExitCode = kExitUsage;
        return FALSE;
    }
    if (i < m_argc)
        m_strInput = m_argv[i++];
    if (i < m_argc)
    {
        samples::PrintText(stderr, _T("painteditor: too many arguments\n%s"), kUsage);
        m_nExitCode = kExitUsage;
        return FALSE;
    }
    return TRUE;
}

BOOL CPaintEditorApp::InitInstance()
{
    if (!ParseArguments())
        return FALSE;
    // Dialog positions and the text tool's settings live under this key.
    SetRegistryKey(_T("mfcpaint"));

    CEditorFrame* pFrame = new CEditorFrame;
    if (!pFrame->CreateEditor())
    {
        samples::WriteText(stderr, _T("painteditor: could not create the editor window\n"));
        delete pFrame;   // never attached to a window, so it does not delete itself
        m_nExitCode = kExitFailed;
        return FALSE;
    }
    m_pMainWnd = pFrame;

    BOOL bOpened = !m_strInput.IsEmpty() &&
                   pFrame->OpenFile(m_strInput, m_bScripted ? _T("The scripted session is not run.")
                                                            : _T("The editor starts with its built-in picture."));
    if (!m_strInput.IsEmpty() && !bOpened && m_bScripted)
    {
        m_nExitCode = kExitInputRefused;   // OpenFile has told why
        return FALSE;
    }
    if (!bOpened && !pFrame->ShowDefaultPicture())
    {
        samples::WriteText(stderr, _T("painteditor: could not draw the built-in picture\n"));
        m_nExitCode = kExitFailed;
        return FALSE;
    }
    pFrame->ShowEditor();

    if (m_bScripted)
    {
        m_pScript = new CEditorScript(pFrame, m_strScriptOutput, m_strScriptShot);
        m_pScript->Start();
    }
    return TRUE;
}

int CPaintEditorApp::ExitInstance()
{
    delete m_pScript;
    m_pScript = NULL;
    CWinApp::ExitInstance();
    return m_nExitCode;
}

int CPaintEditorApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt)
{
    if (!m_bScripted)
        return CWinApp::DoMessageBox(lpszPrompt, nType, nIDPrompt);
    ++m_nMessages;
    // One line: each run of line breaks becomes a space.
    CString text;
    for (LPCTSTR p = lpszPrompt != NULL ? lpszPrompt : _T(""); *p != 0; ++p)
    {
        if (*p != _T('\n'))
            text += *p;
        else if (p[1] != _T('\n'))
            text += _T(' ');
    }
    samples::PrintText(stderr, _T("painteditor: %s\n"), (LPCTSTR)text);
    fflush(stderr);
    switch (nType & MB_TYPEMASK)
    {
    case MB_YESNO:
    case MB_YESNOCANCEL:
        return IDNO;
    case MB_OKCANCEL:
    case MB_RETRYCANCEL:
        return IDCANCEL;
    default:
        return IDOK;
    }
}

