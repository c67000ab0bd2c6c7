// Checks of a bitmap file ("BM") that the imaging component's reader does not make (internal
// to the image class's sources). That reader takes files whose headers are impossible or
// whose pixels point outside the picture or its colour table, and shows whatever comes out;
// the picture reader refuses them instead, as the bitmap file reader does.
#pragma once
#include <afx.h>

namespace bitmapcheck
{
// FALSE when the nFile bytes at pFile are a bitmap file that is damaged: an impossible header
// (planes, sizes, densities, a colour count beyond the depth, top-down run-length data), less
// pixel data than the header promises, run-length codes that leave the picture or end early,
// or colour indices beyond the colour table. TRUE for files that are not bitmap files at all.
BOOL IsSound(const BYTE* pFile, ULONGLONG nFile);

// IsSound for the file at lpszPath; FALSE when it cannot be read.
BOOL IsSoundFile(LPCTSTR lpszPath);
}
