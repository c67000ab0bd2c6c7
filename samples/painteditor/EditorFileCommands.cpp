// CEditorFrame's File menu: new, open, save, save as, print, and the question before a changed
// picture is left. Nothing is lost on a failure: a refused file leaves the picture as it was,
// and a failed save leaves the old file as it was.
#include "EditorFrame.h"
#include "EditorResources.h"
#include "samples/common/BitmapFiles.h"
#include "samples/common/DefaultPicture.h"
#include <afxdlgs.h>
#include <algorithm>

namespace
{
// Asks for a file name with the common Open or Save As dialog; FALSE when cancelled. Open
// offers every format the library reads, Save As the ones it writes.
BOOL AskFileName(CWnd* pOwner, BOOL bOpen, CString& strPath)
{
    DWORD dwFlags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST |
                    (bOpen ? OFN_FILEMUSTEXIST : OFN_OVERWRITEPROMPT | OFN_NOREADONLYRETURN);
    const CString strFilter = CDIBSection::GetPictureFilter(!bOpen);
    CFileDialog dlg(bOpen, _T("bmp"), strPath, dwFlags, strFilter, pOwner);
    if (dlg.DoModal() != IDOK)
        return FALSE;
    strPath = dlg.GetPathName();
    return TRUE;
}

// The extension of a file name, with its dot ("" when it has none).
CString ExtensionOf(const CString& strPath)
{
    const int nDot = strPath.ReverseFind(_T('.'));
    const int nSlash = std::max(strPath.ReverseFind(_T('\\')), strPath.ReverseFind(_T('/')));
    return nDot > nSlash ? strPath.Mid(nDot) : CString();
}

// Whether Save can write the file under its own name: PNG and bitmap files.
BOOL IsWritableFormat(const CString& strPath)
{
    const CString strExt = ExtensionOf(strPath);
    return strExt.CompareNoCase(_T(".png")) == 0 || strExt.CompareNoCase(_T(".bmp")) == 0 ||
           strExt.CompareNoCase(_T(".dib")) == 0;
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
    // A picture that cannot be read leaves the control's picture, history and changed flag
    // as they were; its alpha is composed over the control's erase colour.
    const DWORD dwAttributes = ::GetFileAttributes(lpszPath);
    CString strProblem;
    if (dwAttributes == INVALID_FILE_ATTRIBUTES || (dwAttributes & FILE_ATTRIBUTE_DIRECTORY))
        strProblem = _T("cannot be opened: there is no such file");
    else if (!m_wndPaint.LoadPicture(lpszPath))
        strProblem = _T("is not a bitmap file or other picture that this editor reads (BMP, PNG, JPEG, GIF, ")
                     _T("TIFF or ICO), or it is damaged or too large");
    if (!strProblem.IsEmpty())
    {
        AfxMessageBox(CString(lpszPath) + _T("\n") + strProblem + _T(".\n\n") + lpszOutcome, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    SetDocument(lpszPath);
    return TRUE;
}

BOOL CEditorFrame::SaveFile(LPCTSTR lpszPath)
{
    if (!samples::SaveWithoutThrowing([this, lpszPath]() { return m_wndPaint.SavePicture(lpszPath); }))
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
    // A picture opened from a format that is only read (JPEG, GIF, ...) is saved under a new
    // name, offered as PNG.
    if (!strPath.IsEmpty() && !IsWritableFormat(strPath))
    {
        strPath = strPath.Left(strPath.GetLength() - ExtensionOf(strPath).GetLength()) + _T(".png");
        bAskName = TRUE;
    }
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
