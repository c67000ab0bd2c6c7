// Entry point of every test executable: one application object, then GoogleTest.
#include "TestEnvironment.h"
#include <gtest/gtest.h>
#include <stdlib.h>

namespace
{
std::vector<std::string> g_messageTexts;
int g_messageAnswer = IDOK;

class CTestApp : public CWinApp
{
public:
    CTestApp() : CWinApp(_T("Paint library tests")) {}

    int DoMessageBox(LPCTSTR lpszPrompt, UINT, UINT) override
    {
        g_messageTexts.push_back(std::string(CStringA(lpszPrompt != NULL ? lpszPrompt : _T(""))));
        return g_messageAnswer;
    }
};

CTestApp theApp;

std::string EnvironmentValue(const char* name)
{
    const char* value = getenv(name);
    std::string text = value ? value : "";
    while (!text.empty() && (text.back() == '\\' || text.back() == '/'))
        text.pop_back();
    return text;
}
}

namespace testenv
{
std::string BmpSuiteDir() { return EnvironmentValue("MFCPAINT_BMPSUITE"); }
std::string FuzzRegressionsDir() { return EnvironmentValue("MFCPAINT_FUZZ_REGRESSIONS"); }

std::string OutputDir()
{
    std::string dir = EnvironmentValue("MFCPAINT_TESTDIR");
    if (dir.empty())
    {
        char temp[MAX_PATH];
        DWORD n = GetTempPathA(MAX_PATH, temp);
        dir = std::string(temp, n) + "mfcpaint-tests";
    }
    CreateDirectoryA(dir.c_str(), NULL);
    return dir;
}

std::string OutputPath(const char* name) { return OutputDir() + "\\" + name; }

const std::vector<std::string>& MessageBoxTexts() { return g_messageTexts; }
void ClearMessageBoxTexts() { g_messageTexts.clear(); }
void SetMessageBoxAnswer(int nAnswer) { g_messageAnswer = nAnswer; }
}

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
