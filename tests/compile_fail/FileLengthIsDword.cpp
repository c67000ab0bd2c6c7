// File lengths and positions are 64-bit: a 32-bit override conflicts with CFile's.
// expect-error: conflicting return type specified for 'virtual DWORD CSmallFile::GetLength() const'
#include <afx.h>

class CSmallFile : public CFile
{
public:
    virtual DWORD GetLength() const { return 0; }
};
