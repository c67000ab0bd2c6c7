// The framework's exception classes and the functions that throw them.
#include <afxwin.h>
#include <string.h>

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CSimpleException, CException)
IMPLEMENT_DYNAMIC(CMemoryException, CSimpleException)
IMPLEMENT_DYNAMIC(CResourceException, CSimpleException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CSimpleException)
IMPLEMENT_DYNAMIC(CUserException, CSimpleException)
IMPLEMENT_DYNAMIC(CFileException, CException)

namespace
{
BOOL CopyMessage(const CString& text, LPTSTR lpszError, UINT nMaxError)
{
    if (lpszError == NULL || nMaxError == 0)
        return FALSE;
    lstrcpyn(lpszError, text, (int)nMaxError);
    return !text.IsEmpty();
}

// Static exceptions: thrown by pointer and never deleted.
CMemoryException s_memoryException(FALSE, AFX_IDS_MEMORY_EXCEPTION);
CResourceException s_resourceException(FALSE, AFX_IDS_RESOURCE_EXCEPTION);
}

CException::CException(BOOL bAutoDelete) : m_bAutoDelete(bAutoDelete)
{
}

CException::~CException()
{
}

BOOL CException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    if (lpszError != NULL && nMaxError > 0)
        *lpszError = 0;
    return FALSE;
}

int CException::ReportError(UINT nType, UINT nMessageID)
{
    TCHAR szMessage[512];
    if (GetErrorMessage(szMessage, _countof(szMessage), NULL))
        return AfxMessageBox(szMessage, nType);
    return AfxMessageBox(nMessageID != 0 ? nMessageID : AFX_IDP_NO_ERROR_AVAILABLE, nType);
}

void CException::Delete()
{
    if (m_bAutoDelete > 0)
        delete this;
}

CSimpleException::CSimpleException(BOOL bAutoDelete) : CException(bAutoDelete), m_nResourceID(0)
{
}

CSimpleException::CSimpleException(BOOL bAutoDelete, UINT nResourceID)
    : CException(bAutoDelete), m_nResourceID(nResourceID)
{
}

BOOL CSimpleException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    CString text;
    if (m_nResourceID != 0)
        text.LoadString(m_nResourceID);
    return CopyMessage(text, lpszError, nMaxError);
}

CMemoryException::CMemoryException() : CSimpleException(TRUE, AFX_IDS_MEMORY_EXCEPTION)
{
}

CMemoryException::CMemoryException(BOOL bAutoDelete, UINT nResourceID)
    : CSimpleException(bAutoDelete, nResourceID)
{
}

CResourceException::CResourceException() : CSimpleException(TRUE, AFX_IDS_RESOURCE_EXCEPTION)
{
}

CResourceException::CResourceException(BOOL bAutoDelete, UINT nResourceID)
    : CSimpleException(bAutoDelete, nResourceID)
{
}

CNotSupportedException::CNotSupportedException()
    : CSimpleException(TRUE, AFX_IDS_NOT_SUPPORTED_EXCEPTION)
{
}

CUserException::CUserException() : CSimpleException(TRUE, AFX_IDS_USER_EXCEPTION)
{
}

CFileException::CFileException(int cause, LONG lOsError, LPCTSTR lpszArchiveName)
    : CException(TRUE), m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszArchiveName)
{
}

BOOL CFileException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    CString format;
    int nCause = (m_cause >= none && m_cause <= endOfFile) ? m_cause : generic;
    if (!format.LoadString(AFX_IDP_FILE_NONE + nCause))
        return CopyMessage(CString(), lpszError, nMaxError);
    // The texts name the file with %1.
    CString text;
    int nAt = format.Find(_T("%1"));
    if (nAt < 0)
        text = format;
    else
        text = format.Left(nAt) + m_strFileName + format.Mid(nAt + 2);
    return CopyMessage(text, lpszError, nMaxError);
}

int PASCAL CFileException::OsErrorToException(LONG lOsError)
{
    switch (lOsError)
    {
    case NO_ERROR: return none;
    case ERROR_FILE_NOT_FOUND: return fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_DRIVE: return badPath;
    case ERROR_TOO_MANY_OPEN_FILES: return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT: return accessDenied;
    case ERROR_INVALID_HANDLE:
    case ERROR_BAD_FORMAT: return invalidFile;
    case ERROR_CURRENT_DIRECTORY: return removeCurrentDir;
    case ERROR_CANNOT_MAKE: return directoryFull;
    case ERROR_SEEK:
    case ERROR_NEGATIVE_SEEK: return badSeek;
    case ERROR_CRC:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_GEN_FAILURE: return hardIO;
    case ERROR_SHARING_VIOLATION: return sharingViolation;
    case ERROR_LOCK_VIOLATION: return lockViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return diskFull;
    case ERROR_HANDLE_EOF: return endOfFile;
    default: return generic;
    }
}

void PASCAL CFileException::ThrowOsError(LONG lOsError, LPCTSTR lpszFileName)
{
    if (lOsError != 0)
        AfxThrowFileException(OsErrorToException(lOsError), lOsError, lpszFileName);
}

void AFXAPI AfxThrowMemoryException()
{
    throw &s_memoryException;
}

void AFXAPI AfxThrowResourceException()
{
    throw &s_resourceException;
}

void AFXAPI AfxThrowNotSupportedException()
{
    throw new CNotSupportedException;
}

void AFXAPI AfxThrowUserException()
{
    throw new CUserException;
}

void AFXAPI AfxThrowFileException(int cause, LONG lOsError, LPCTSTR lpszFileName)
{
    throw new CFileException(cause, lOsError, lpszFileName);
}
