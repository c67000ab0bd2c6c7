// CReplacingFile: a file written under a temporary name beside its target and put in the
// target's place only once it is complete (internal to the image class's sources).
#pragma once
#include <afx.h>

// Writing a file in place destroys the old one as soon as the write starts, and a full disk
// or a failing device then leaves a truncated file behind. This writes a temporary file in
// the target's folder, so the final rename never crosses volumes, and replaces the target
// only after every byte is written and flushed. Until Commit succeeds the target is never
// touched; the temporary file is removed on every other way out, exceptions included.
class CReplacingFile
{
public:
    CReplacingFile();
    ~CReplacingFile();

    // Creates the temporary file beside lpszTarget and opens it for writing. FALSE when the
    // folder does not exist, cannot be written or the path is too long.
    BOOL Open(LPCTSTR lpszTarget);

    // The open temporary file. Its Write throws CFileException on a failed or short write.
    CFile& File() { return m_file; }

    // Flushes and closes the temporary file and moves it over the target. FALSE when the
    // target cannot be replaced (read-only, in use, a folder); Flush and Close throw
    // CFileException as CFile does. The temporary file is gone afterwards either way.
    BOOL Commit();

private:
    void Discard();

    CFile m_file;
    CString m_strTarget;
    TCHAR m_szTemp[MAX_PATH];
    BOOL m_bPending;   // a temporary file exists that nobody has moved or deleted yet

    CReplacingFile(const CReplacingFile&) = delete;
    CReplacingFile& operator=(const CReplacingFile&) = delete;
};
