// CPaintEditorApp: the paint editor's application: reads the command line, opens the frame
// with a file or the built-in picture, and runs either for a user or as a scripted session.
#pragma once
#include <afxwin.h>

class CEditorScript;

class CPaintEditorApp : public CWinApp
{
public:
    // Exit codes of the program.
    enum { kExitOk = 0, kExitUsage = 1, kExitInputRefused = 2, kExitFailed = 3 };

    CPaintEditorApp();

    // The code that the program ends with.
    void SetExitCode(int nCode) { m_nExitCode = nCode; }
    // Messages that the scripted session answered instead of showing.
    int GetMessageCount() const { return m_nMessages; }

    virtual BOOL InitInstance();
    virtual int ExitInstance();
    // A scripted session shows no message box: the text goes to stderr and the answer is no.
    virtual int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt);

private:
    // FALSE (with the usage told) when the arguments make no sense.
    BOOL ParseArguments();

    int m_argc;
    TCHAR** m_argv;
    int m_nExitCode;
    int m_nMessages;
    BOOL m_bScripted;
    CString m_strInput;        // picture to open, empty for the built-in one
    CString m_strScriptOutput;  // scripted session: the edited file
    CString m_strScriptShot;    // scripted session: the screenshot
    CEditorScript* m_pScript;
};

extern CPaintEditorApp theApp;
