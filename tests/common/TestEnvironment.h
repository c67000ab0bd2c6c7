// Shared helpers of the test executables: where the corpus and the output folder are,
// and the messages that the test application answered instead of showing.
#pragma once
#include <afxwin.h>
#include <string>
#include <vector>

namespace testenv
{
// Folder of the BMP corpus (Windows path, no trailing backslash); empty when unknown.
std::string BmpSuiteDir();
// Folder of the layout fuzz target's kept findings (fuzz/regressions); empty when unknown.
std::string FuzzRegressionsDir();
// Folder where tests may write files; created on first use.
std::string OutputDir();
// OutputDir() + "\\" + name.
std::string OutputPath(const char* name);

// Message boxes are not shown during tests: the test application records each text (in the
// ANSI code page, for comparing with plain literals) and answers with the button set by
// SetMessageBoxAnswer (IDOK by default).
const std::vector<std::string>& MessageBoxTexts();
void ClearMessageBoxTexts();
void SetMessageBoxAnswer(int nAnswer);
}
