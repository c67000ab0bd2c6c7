// A disk that fills up, for tests: while a CWriteFailure is alive, WriteFile calls made by one
// module (through its import table) succeed until a byte budget is spent and then fail with
// ERROR_DISK_FULL, as a full volume fails them, writing what still fits first.
#pragma once
#include <windows.h>

class CWriteFailure
{
public:
    // Hooks lpszModule's import of kernel32's WriteFile. IsHooked() says whether it worked.
    CWriteFailure(LPCSTR lpszModule, DWORD dwBytesAllowed);
    ~CWriteFailure();

    bool IsHooked() const { return m_ppSlot != NULL; }
    // WriteFile calls that failed so far.
    int FailedWrites() const;

private:
    void** m_ppSlot;     // the import table entry that was patched
    void* m_pOriginal;

    CWriteFailure(const CWriteFailure&) = delete;
    CWriteFailure& operator=(const CWriteFailure&) = delete;
};
