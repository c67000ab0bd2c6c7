// CFile::Seek takes and returns 64-bit positions.
// expect-error: cannot convert 'ULONGLONG (CFile::*)(LONGLONG, UINT)'
#include <afx.h>

LONG (CFile::*g_pfnSeek)(LONG, UINT) = &CFile::Seek;
