// Core of the framework: run-time classes, CObject, exceptions, CString and CFile.
#pragma once
#include "afxver_.h"
#include "afxstr.h"
#include <new>

class CObject;
class CArchive;       // serialisation is not supported; the type exists for CObject's signature
class CDumpContext;   // diagnostics dumps are not supported; the type exists for CObject's signature

// Run-time class information. Base classes are reached through a function so that
// class records in one DLL can name a base class in another without data imports.
struct AFX_FW_CLASS CRuntimeClass
{
    LPCSTR m_lpszClassName;   // narrow: class names are char text in either build, as MFC's
    int m_nObjectSize;
    UINT m_wSchema;                                  // 0xFFFF for classes that are not serialisable
    CObject* (PASCAL* m_pfnCreateObject)();          // NULL unless dynamically creatable
    CRuntimeClass* (PASCAL* m_pfnGetBaseClass)();
    CRuntimeClass* m_pNextClass;                     // list of every registered class

    CObject* CreateObject();
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;
    static CRuntimeClass* PASCAL FromName(LPCSTR lpszClassName);   // narrow: the names' own width
    static CRuntimeClass* PASCAL FromName(LPCWSTR lpszClassName);
};

// Registers a class record in the process-wide list during static initialisation.
struct AFX_FW_CLASS AFX_CLASSINIT
{
    explicit AFX_CLASSINIT(CRuntimeClass* pNewClass);
};

class AFX_FW_CLASS CObject
{
public:
    virtual CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject() = 0;
    virtual void Serialize(CArchive& ar);
    virtual void AssertValid() const;
    virtual void Dump(CDumpContext& dc) const;

    BOOL IsKindOf(const CRuntimeClass* pClass) const;
    BOOL IsSerializable() const { return FALSE; }

    static CRuntimeClass* PASCAL _GetBaseClass();
    static CRuntimeClass classCObject;
    static CRuntimeClass* PASCAL GetThisClass() { return &CObject::classCObject; }

protected:
    CObject() {}

private:
    CObject(const CObject&) = delete;
    void operator=(const CObject&) = delete;
};

#define RUNTIME_CLASS(class_name) (class_name::GetThisClass())

#define DECLARE_DYNAMIC(class_name) \
protected: \
    static CRuntimeClass* PASCAL _GetBaseClass(); \
public: \
    static CRuntimeClass class##class_name; \
    static CRuntimeClass* PASCAL GetThisClass() { return &class_name::class##class_name; } \
    virtual CRuntimeClass* GetRuntimeClass() const;

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name) \
    static CObject* PASCAL CreateObject();

#define IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew) \
    CRuntimeClass* PASCAL class_name::_GetBaseClass() { return RUNTIME_CLASS(base_class_name); } \
    CRuntimeClass class_name::class##class_name = { \
        #class_name, (int)sizeof(class_name), wSchema, pfnNew, &class_name::_GetBaseClass, NULL }; \
    static const AFX_CLASSINIT _init_##class_name(&class_name::class##class_name); \
    CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, NULL)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name) \
    CObject* PASCAL class_name::CreateObject() { return new class_name; } \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, &class_name::CreateObject)

// Casts that check the run-time class; DYNAMIC_DOWNCAST yields NULL on a mismatch.
AFX_FW_API CObject* AFXAPI AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject);
#define DYNAMIC_DOWNCAST(class_name, object) \
    ((class_name*)AfxDynamicDownCast(RUNTIME_CLASS(class_name), object))
#define STATIC_DOWNCAST(class_name, object) ((class_name*)(object))

/////////////////////////////////////////////////////////////////////////////
// Exceptions: thrown as pointers, deleted by their catcher with Delete().

class AFX_FW_CLASS CException : public CObject
{
    DECLARE_DYNAMIC(CException)
public:
    explicit CException(BOOL bAutoDelete = TRUE);
    virtual ~CException();

    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const;
    // Shows the exception's message (or string nMessageID when it has none) with AfxMessageBox.
    virtual int ReportError(UINT nType = MB_OK, UINT nMessageID = 0);
    // Deletes the object unless it is one of the framework's static exceptions.
    void Delete();

    BOOL m_bAutoDelete;
};

// An exception whose message is one string resource of the framework.
class AFX_FW_CLASS CSimpleException : public CException
{
    DECLARE_DYNAMIC(CSimpleException)
public:
    explicit CSimpleException(BOOL bAutoDelete = TRUE);
    CSimpleException(BOOL bAutoDelete, UINT nResourceID);
    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const;

    UINT m_nResourceID;
};

class AFX_FW_CLASS CMemoryException : public CSimpleException
{
    DECLARE_DYNAMIC(CMemoryException)
public:
    CMemoryException();
    CMemoryException(BOOL bAutoDelete, UINT nResourceID);
};

class AFX_FW_CLASS CResourceException : public CSimpleException
{
    DECLARE_DYNAMIC(CResourceException)
public:
    CResourceException();
    CResourceException(BOOL bAutoDelete, UINT nResourceID);
};

class AFX_FW_CLASS CNotSupportedException : public CSimpleException
{
    DECLARE_DYNAMIC(CNotSupportedException)
public:
    CNotSupportedException();
};

class AFX_FW_CLASS CUserException : public CSimpleException
{
    DECLARE_DYNAMIC(CUserException)
public:
    CUserException();
};

class AFX_FW_CLASS CFileException : public CException
{
    DECLARE_DYNAMIC(CFileException)
public:
    enum
    {
        none, generic, fileNotFound, badPath, tooManyOpenFiles, accessDenied, invalidFile,
        removeCurrentDir, directoryFull, badSeek, hardIO, sharingViolation, lockViolation,
        diskFull, endOfFile
    };

    explicit CFileException(int cause = CFileException::none, LONG lOsError = -1,
                            LPCTSTR lpszArchiveName = NULL);
    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const;

    static int PASCAL OsErrorToException(LONG lOsError);
    static void PASCAL ThrowOsError(LONG lOsError, LPCTSTR lpszFileName = NULL);

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;
};

// The memory and resource exceptions are static objects: Delete() leaves them alone.
[[noreturn]] AFX_FW_API void AFXAPI AfxThrowMemoryException();
[[noreturn]] AFX_FW_API void AFXAPI AfxThrowResourceException();
[[noreturn]] AFX_FW_API void AFXAPI AfxThrowNotSupportedException();
[[noreturn]] AFX_FW_API void AFXAPI AfxThrowUserException();
[[noreturn]] AFX_FW_API void AFXAPI AfxThrowFileException(int cause, LONG lOsError = -1,
                                                          LPCTSTR lpszFileName = NULL);

#define TRY try
#define CATCH(class_name, e) catch (class_name* e)
#define AND_CATCH(class_name, e) catch (class_name* e)
#define END_CATCH
#define CATCH_ALL(e) catch (CException* e)
#define AND_CATCH_ALL(e) catch (CException* e)
#define END_CATCH_ALL
#define THROW(e) throw e
#define THROW_LAST() throw
#define DELETE_EXCEPTION(e) (e)->Delete()

/////////////////////////////////////////////////////////////////////////////
// CFile: unbuffered binary file access over a Win32 file handle.

class AFX_FW_CLASS CFile : public CObject
{
    DECLARE_DYNAMIC(CFile)
public:
    enum OpenFlags
    {
        modeRead = 0x0000, modeWrite = 0x0001, modeReadWrite = 0x0002,
        shareCompat = 0x0000, shareExclusive = 0x0010, shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030, shareDenyNone = 0x0040, modeNoInherit = 0x0080,
        modeCreate = 0x1000, modeNoTruncate = 0x2000, typeText = 0x4000, typeBinary = 0x8000
    };
    enum SeekPosition { begin = 0x0, current = 0x1, end = 0x2 };
    static const HANDLE hFileNull;

    CFile();
    explicit CFile(HANDLE hFile);
    // Opens the file; throws a CFileException when it cannot.
    CFile(LPCTSTR lpszFileName, UINT nOpenFlags);
    virtual ~CFile();

    // Returns FALSE (filling pError when given) instead of throwing.
    virtual BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = NULL);
    // Returns the number of bytes read; fewer than asked at the end of the file.
    virtual UINT Read(void* lpBuf, UINT nCount);
    // Throws CFileException (diskFull for a short write) on failure.
    virtual void Write(const void* lpBuf, UINT nCount);
    // 64-bit positions and lengths: files over 4 GB work as any other.
    virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
    void SeekToBegin() { Seek(0, begin); }
    ULONGLONG SeekToEnd() { return Seek(0, end); }
    virtual ULONGLONG GetPosition() const;
    virtual ULONGLONG GetLength() const;
    virtual void SetLength(ULONGLONG dwNewLen);
    virtual void Flush();
    virtual void Close();
    // Closes without throwing.
    virtual void Abort();
    CString GetFilePath() const { return m_strFileName; }

    HANDLE m_hFile;

protected:
    BOOL m_bCloseOnDelete;
    CString m_strFileName;
};
