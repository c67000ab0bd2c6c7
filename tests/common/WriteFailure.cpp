// CWriteFailure: patches one module's import of WriteFile.
#include "WriteFailure.h"
#include <string.h>

namespace
{
typedef BOOL(WINAPI* WriteFileProc)(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED);

WriteFileProc g_pRealWriteFile = NULL;
DWORD g_dwBudget = 0;
int g_nFailed = 0;

BOOL WINAPI WriteFileOnFullDisk(HANDLE hFile, LPCVOID lpBuffer, DWORD nBytes, LPDWORD lpWritten,
                                LPOVERLAPPED lpOverlapped)
{
    DWORD dwNow = nBytes <= g_dwBudget ? nBytes : g_dwBudget;
    DWORD dwWritten = 0;
    BOOL bOk = TRUE;
    if (dwNow > 0)
        bOk = g_pRealWriteFile(hFile, lpBuffer, dwNow, &dwWritten, lpOverlapped);
    g_dwBudget -= dwWritten;
    if (lpWritten != NULL)
        *lpWritten = dwWritten;
    if (bOk && dwNow == nBytes)
        return TRUE;
    g_nFailed++;
    ::SetLastError(ERROR_DISK_FULL);
    return FALSE;
}

// The import address table slot through which hModule calls kernel32's WriteFile.
void** FindWriteFileSlot(HMODULE hModule)
{
    BYTE* pBase = (BYTE*)hModule;
    IMAGE_DOS_HEADER* pDos = (IMAGE_DOS_HEADER*)pBase;
    if (pDos->e_magic != IMAGE_DOS_SIGNATURE)
        return NULL;
    IMAGE_NT_HEADERS* pNt = (IMAGE_NT_HEADERS*)(pBase + pDos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = pNt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (dir.VirtualAddress == 0)
        return NULL;
    for (IMAGE_IMPORT_DESCRIPTOR* pImport = (IMAGE_IMPORT_DESCRIPTOR*)(pBase + dir.VirtualAddress);
         pImport->Name != 0; pImport++)
    {
        if (_stricmp((const char*)(pBase + pImport->Name), "kernel32.dll") != 0)
            continue;
        IMAGE_THUNK_DATA* pNames = (IMAGE_THUNK_DATA*)(pBase + pImport->OriginalFirstThunk);
        IMAGE_THUNK_DATA* pSlots = (IMAGE_THUNK_DATA*)(pBase + pImport->FirstThunk);
        for (; pNames->u1.AddressOfData != 0; pNames++, pSlots++)
        {
            if (IMAGE_SNAP_BY_ORDINAL(pNames->u1.Ordinal))
                continue;
            IMAGE_IMPORT_BY_NAME* pName = (IMAGE_IMPORT_BY_NAME*)(pBase + pNames->u1.AddressOfData);
            if (strcmp((const char*)pName->Name, "WriteFile") == 0)
                return (void**)&pSlots->u1.Function;
        }
    }
    return NULL;
}

void PatchSlot(void** ppSlot, void* pValue)
{
    DWORD dwOld = 0;
    if (::VirtualProtect(ppSlot, sizeof(void*), PAGE_READWRITE, &dwOld))
    {
        *ppSlot = pValue;
        ::VirtualProtect(ppSlot, sizeof(void*), dwOld, &dwOld);
    }
}
}

CWriteFailure::CWriteFailure(LPCSTR lpszModule, DWORD dwBytesAllowed) : m_ppSlot(NULL), m_pOriginal(NULL)
{
    HMODULE hModule = ::GetModuleHandleA(lpszModule);
    void** ppSlot = hModule != NULL ? FindWriteFileSlot(hModule) : NULL;
    if (ppSlot == NULL || g_pRealWriteFile != NULL)
        return;
    m_ppSlot = ppSlot;
    m_pOriginal = *ppSlot;
    g_pRealWriteFile = (WriteFileProc)m_pOriginal;
    g_dwBudget = dwBytesAllowed;
    g_nFailed = 0;
    PatchSlot(m_ppSlot, (void*)&WriteFileOnFullDisk);
}

CWriteFailure::~CWriteFailure()
{
    if (m_ppSlot == NULL)
        return;
    PatchSlot(m_ppSlot, m_pOriginal);
    g_pRealWriteFile = NULL;
}

int CWriteFailure::FailedWrites() const
{
    return g_nFailed;
}
