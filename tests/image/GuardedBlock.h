// A block of bytes that ends exactly where a no-access page begins, so that a read past its
// end faults. The fault is caught (a vectored exception handler makes the page readable and
// lets the read go on) and recorded, so a test can report the overrun instead of dying.
#pragma once
#include <windows.h>
#include <string.h>
#include <vector>

namespace imagetest
{
class GuardedBlock
{
public:
    explicit GuardedBlock(const std::vector<BYTE>& bytes) : GuardedBlock(bytes.data(), bytes.size()) {}
    GuardedBlock(const void* pData, size_t cbData) : m_cbData(cbData)
    {
        SYSTEM_INFO si;
        ::GetSystemInfo(&si);
        m_cbPage = si.dwPageSize;
        const size_t cbPages = (cbData + m_cbPage - 1) / m_cbPage * m_cbPage;
        m_pBase = (BYTE*)::VirtualAlloc(NULL, cbPages + m_cbPage, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
        if (m_pBase == NULL)
            return;
        m_pGuard = m_pBase + cbPages;
        DWORD dwOld;
        ::VirtualProtect(m_pGuard, m_cbPage, PAGE_NOACCESS, &dwOld);
        m_pData = m_pGuard - cbData;
        if (cbData != 0)
            memcpy(m_pData, pData, cbData);
        s_blocks.push_back(this);
        if (s_hHandler == NULL)
            s_hHandler = ::AddVectoredExceptionHandler(1, &GuardedBlock::OnException);
    }
    ~GuardedBlock()
    {
        for (size_t i = 0; i < s_blocks.size(); i++)
            if (s_blocks[i] == this)
                s_blocks.erase(s_blocks.begin() + (ptrdiff_t)i);
        if (s_blocks.empty() && s_hHandler != NULL)
        {
            ::RemoveVectoredExceptionHandler(s_hHandler);
            s_hHandler = NULL;
        }
        if (m_pBase != NULL)
            ::VirtualFree(m_pBase, 0, MEM_RELEASE);
    }
    GuardedBlock(const GuardedBlock&) = delete;
    GuardedBlock& operator=(const GuardedBlock&) = delete;

    bool IsValid() const { return m_pBase != NULL; }
    BYTE* Data() const { return m_pData; }
    size_t Size() const { return m_cbData; }
    // Whether anything read or wrote past the block's end.
    bool Touched() const { return m_bTouched; }

private:
    static LONG CALLBACK OnException(EXCEPTION_POINTERS* pInfo)
    {
        const EXCEPTION_RECORD* pRecord = pInfo->ExceptionRecord;
        if (pRecord->ExceptionCode != EXCEPTION_ACCESS_VIOLATION || pRecord->NumberParameters < 2)
            return EXCEPTION_CONTINUE_SEARCH;
        const BYTE* pAddress = (const BYTE*)pRecord->ExceptionInformation[1];
        for (GuardedBlock* pBlock : s_blocks)
        {
            if (pAddress < pBlock->m_pGuard || pAddress >= pBlock->m_pGuard + pBlock->m_cbPage)
                continue;
            pBlock->m_bTouched = true;
            DWORD dwOld;
            ::VirtualProtect(pBlock->m_pGuard, pBlock->m_cbPage, PAGE_READWRITE, &dwOld);
            return EXCEPTION_CONTINUE_EXECUTION;
        }
        return EXCEPTION_CONTINUE_SEARCH;
    }

    // Every living block is watched by one handler.
    static inline std::vector<GuardedBlock*> s_blocks;
    static inline PVOID s_hHandler = NULL;
    size_t m_cbData;
    size_t m_cbPage = 0;
    BYTE* m_pBase = NULL;
    BYTE* m_pGuard = NULL;
    BYTE* m_pData = NULL;
    bool m_bTouched = false;
};
}
