// CFileDialog: the filter written with '|' reaches the system with nulls, the constructor's
// choices land in m_ofn, and the path getters read what the user chose. The dialog is
// answered from an explorer-style hook as soon as it has set itself up.
#include <afxdlgs.h>
#include <gtest/gtest.h>
#include <cderr.h>
#include "common/TestEnvironment.h"
#include <vector>

namespace
{
// The file name that the hook types before pressing OK (an empty one cancels).
CString g_strAnswer;
int g_nHookAnswers = 0;

UINT_PTR CALLBACK AnswerHook(HWND hChild, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_NOTIFY || ((NMHDR*)lParam)->code != CDN_INITDONE)
        return 0;
    ++g_nHookAnswers;
    HWND hDlg = ::GetParent(hChild);
    if (g_strAnswer.IsEmpty())
    {
        ::PostMessage(hDlg, WM_COMMAND, IDCANCEL, 0);
        return 0;
    }
    ::SendMessage(hDlg, CDM_SETCONTROLTEXT, cmb13, (LPARAM)(LPCTSTR)g_strAnswer);
    ::SendMessage(hDlg, CDM_SETCONTROLTEXT, edt1, (LPARAM)(LPCTSTR)g_strAnswer);
    ::PostMessage(hDlg, WM_COMMAND, IDOK, 0);
    return 0;
}

void Answer(CFileDialog& dlg, LPCTSTR lpszAnswer)
{
    g_strAnswer = lpszAnswer;
    g_nHookAnswers = 0;
    dlg.m_ofn.Flags |= OFN_ENABLEHOOK;
    dlg.m_ofn.lpfnHook = &AnswerHook;
}

// The test folder as a CString, and a file made in it.
CString TestFolder() { return CString(testenv::OutputDir().c_str()); }

CString MakeFile(LPCTSTR lpszName)
{
    CString strPath = TestFolder() + _T("\\") + lpszName;
    HANDLE hFile = ::CreateFile(strPath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    EXPECT_NE(INVALID_HANDLE_VALUE, hFile);
    ::CloseHandle(hFile);
    return strPath;
}
}

TEST(FileDialog, FilterSeparatorsBecomeNulls)
{
    CFileDialog dlg(TRUE, _T("bmp"), _T("start.bmp"), OFN_HIDEREADONLY | OFN_FILEMUSTEXIST,
                    _T("Bitmaps (*.bmp)|*.bmp|All files (*.*)|*.*||"));
    const TCHAR kExpected[] = _T("Bitmaps (*.bmp)\0*.bmp\0All files (*.*)\0*.*\0");   // + its own null
    ASSERT_NE(nullptr, dlg.m_ofn.lpstrFilter);
    EXPECT_EQ(0, memcmp(kExpected, dlg.m_ofn.lpstrFilter, sizeof(kExpected)));

    // Without the closing "||" the list still ends with two nulls.
    CFileDialog open(TRUE, NULL, NULL, OFN_HIDEREADONLY, _T("Text|*.txt"));
    const TCHAR kShort[] = _T("Text\0*.txt\0");
    EXPECT_EQ(0, memcmp(kShort, open.m_ofn.lpstrFilter, sizeof(kShort)));
}

TEST(FileDialog, ConstructorFillsTheStructure)
{
    CFileDialog dlg(FALSE, _T("bmp"), _T("start.bmp"));
    EXPECT_FALSE(dlg.m_bOpenFileDialog);
    EXPECT_EQ((DWORD)sizeof(OPENFILENAME), dlg.m_ofn.lStructSize);
    EXPECT_EQ((DWORD)(OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT),
              dlg.m_ofn.Flags & (OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_FILEMUSTEXIST));
    EXPECT_EQ(0, lstrcmp(dlg.m_ofn.lpstrDefExt, _T("bmp")));
    EXPECT_EQ(0, lstrcmp(dlg.m_ofn.lpstrFile, _T("start.bmp")));
    EXPECT_GE(dlg.m_ofn.nMaxFile, (DWORD)MAX_PATH);
    EXPECT_EQ(nullptr, dlg.m_ofn.lpstrFilter);

    // A name longer than the buffer is cut, never written past it.
    CString strLong;
    for (int i = 0; i < 3 * MAX_PATH; ++i)
        strLong += _T('x');
    CFileDialog big(TRUE, NULL, strLong);
    EXPECT_EQ((int)big.m_ofn.nMaxFile - 1, lstrlen(big.m_ofn.lpstrFile));
}

TEST(FileDialog, OpenGivesThePathChosen)
{
    CString strPath = MakeFile(_T("chosen.file.bmp"));
    CFileDialog dlg(TRUE, _T("bmp"), NULL, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, _T("Bitmaps|*.bmp||"));
    Answer(dlg, strPath);
    ASSERT_EQ(IDOK, dlg.DoModal()) << "extended error " << CommDlgExtendedError();
    EXPECT_EQ(1, g_nHookAnswers);
    EXPECT_EQ(0, strPath.CompareNoCase(dlg.GetPathName()));
    EXPECT_EQ(CString(_T("chosen.file.bmp")), dlg.GetFileName());
    EXPECT_EQ(CString(_T("bmp")), dlg.GetFileExt());
    EXPECT_EQ(CString(_T("chosen.file")), dlg.GetFileTitle());
}

TEST(FileDialog, SaveAddsTheDefaultExtension)
{
    CString strFolder = TestFolder();
    CFileDialog dlg(FALSE, _T("bmp"), NULL, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, _T("Bitmaps|*.bmp||"));
    Answer(dlg, strFolder + _T("\\saved"));
    ASSERT_EQ(IDOK, dlg.DoModal()) << "extended error " << CommDlgExtendedError();
    EXPECT_EQ(0, (strFolder + _T("\\saved.bmp")).CompareNoCase(dlg.GetPathName()));
    EXPECT_EQ(CString(_T("saved")), dlg.GetFileTitle());
}

TEST(FileDialog, CancelGivesIdCancel)
{
    CFileDialog dlg(TRUE);
    Answer(dlg, _T(""));
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ(1, g_nHookAnswers);
    EXPECT_EQ(0u, (UINT)CommDlgExtendedError());   // cancelled, not failed
}
