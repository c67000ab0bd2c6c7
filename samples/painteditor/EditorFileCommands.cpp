// CEditorFrame's File menu: new, open, save, save as, print, and the question before a changed
// picture is left. Nothing is lost on a failure: a refused file leaves the picture as it was,
// and a failed save leaves the old file as it was.
#include "EditorFrame.h"
#include "EditorResources.h"
#include "samples/common/BitmapFiles.h"
#include "samples/common/DefaultPicture.h"
#include <afxdlgs.h>

namespace
{
const TCHAR kBitmapFilter[] = _T("Bitmap Files (*.bmp)|*.bmp|All Files (*.*)|*.*||");

// Asks for a file name with the common Open or Save As dialog; FALSE when cancelled.
BOOL AskFileName(CWnd* pOwner, BOOL bOpen, CString& strPath)
{
    DWORD dwFlags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST |
                    (bOpen ? OFN_FILEMUSTEXIST : OFN_OVERWRITEPROMPT | OFN_NOREADONLYRETURN);
    CFileDialog dlg(bOpen, _T("bmp"), strPath, dwFlags, kBitmapFilter, pOwner);
    if (dlg.DoModal() != IDOK)
        return FALSE;
    strPath = dlg.GetPathName();
    return TRUE;
}
}

BOOL CEditorFrame::ShowDefaultPicture()
{
    CDIBSection picture;
    if (!samples::MakeDefaultPicture(picture, AfxGetAppName()) ||
        !m_wndPaint.SetBitmap(picture.GetBitmapInfo(), picture.GetDIBits()))
        return FALSE;
    SetDocument(NULL);
    return TRUE;
}

BOOL CEditorFrame::OpenFile(LPCTSTR lpszPath, LPCTSTR lpszOutcome)
{
    // The file is read into a scratch image first: the control empties its image on a failed load.
    CDIBSection picture;
    CString strProblem;
    if (!samples::LoadBitmapFile(picture, lpszPath, strProblem))
    {
        AfxMessageBox(CString(lpszPath) + _T("\n") + strProblem + _T(".\n\n") + lpszOutcome, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    CDIBSection previous;
    BOOL bKept = previous.Copy(*m_wndPaint.GetDIBsection());
    if (!m_wndPaint.SetBitmap(picture.GetBitmapInfo(), picture.GetDIBits()))
    {
        if (bKept)
            m_wndPaint.SetBitmap(previous.GetBitmapInfo(), previous.GetDIBits());
        AfxMessageBox(CString(lpszPath) + _T("\nis too large to be shown.\n\n") + lpszOutcome, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    SetDocument(lpszPath);
    return TRUE;
}

BOOL CEditorFrame::SaveFile(LPCTSTR lpszPath)
{
    if (!samples::SaveWithoutThrowing([this, lpszPath]() { return m_wndPaint.Save(lpszPath); }))
    {
        AfxMessageBox(CString(_T("The picture could not be saved to\n")) + lpszPath +
                          _T("\n\nCheck that the folder exists and can be written to. An existing file ")
                          _T("there was not changed."),
                      MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    // The editor keeps its own changed mark: SetImageChanged(FALSE) would also empty the undo
    // history, and undoing past a save is worth keeping.
    SetDocument(lpszPath);
    return TRUE;
}

BOOL CEditorFrame::DoSave(BOOL bAskName)
{
    CString strPath = m_strPath;
    if ((bAskName || strPath.IsEmpty()) && !AskFileName(this, FALSE, strPath))
        return FALSE;
    return SaveFile(strPath);
}

BOOL CEditorFrame::SaveModified()
{
    if (!m_bModified)
        return TRUE;
    switch (AfxMessageBox(_T("Save changes to ") + GetDisplayName() + _T("?"), MB_YESNOCANCEL | MB_ICONQUESTION))
    {
    case IDYES:
        return DoSave(FALSE);
    case IDNO:
        return TRUE;
    default:
        return FALSE;
    }
}

void CEditorFrame::OnFileNew()
{
    if (!SaveModified())
        return;
    // A size the image cannot take empties the control's image: keep the old picture to put back.
    CDIBSection previous;
    CDIBSection* pImage = m_wndPaint.GetDIBsection();
    BOOL bKept = previous.Copy(*pImage);
    if (m_wndPaint.PromptNewBitmap(pImage->GetWidth(), pImage->GetHeight(), pImage->GetBitCount()))
    {
        SetDocument(NULL);
        return;
    }
    if (!m_wndPaint.GetDIBsection()->IsValid())
    {
        AfxMessageBox(_T("A picture of that size and depth could not be made."), MB_OK | MB_ICONEXCLAMATION);
        if (bKept)
            m_wndPaint.SetBitmap(previous.GetBitmapInfo(), previous.GetDIBits());
        UpdateStatusPanes();
    }
}

void CEditorFrame::OnFileOpen()
{
    if (!SaveModified())
        return;
    CString strPath;
    if (AskFileName(this, TRUE, strPath))
        OpenFile(strPath);
}

void CEditorFrame::OnFileSave()
{
    DoSave(FALSE);
}

void CEditorFrame::OnFileSaveAs()
{
    DoSave(TRUE);
}

void CEditorFrame::OnFilePrint()
{
    m_wndPaint.Print();
}
