// Runs the bmpconvert sample as a user would and checks its exit codes and the files it writes.
#include <afxwin.h>
#include <gtest/gtest.h>
#include "tests/common/TestEnvironment.h"
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace
{
std::string ProgramPath()
{
    char szPath[MAX_PATH];
    DWORD n = ::GetModuleFileNameA(NULL, szPath, MAX_PATH);
    std::string path(szPath, n);
    return path.substr(0, path.find_last_of('\\') + 1) + "bmpconvert.exe";
}

// Runs bmpconvert with the arguments; returns its exit code, or -1 when it could not be run to
// the end (the reason is reported as a test failure). A launch that Wine refuses is tried once
// more: a second failure is the test's to report.
int RunConvert(const std::string& arguments)
{
    std::string commandLine = "\"" + ProgramPath() + "\" " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    for (int nAttempt = 1;; ++nAttempt)
    {
        std::vector<char> buffer(commandLine.begin(), commandLine.end());
        buffer.push_back(0);
        if (::CreateProcessA(NULL, buffer.data(), NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process))
            break;
        DWORD dwError = ::GetLastError();
        if (nAttempt == 2)
        {
            ADD_FAILURE() << "bmpconvert could not be started (error " << dwError << "): " << commandLine;
            return -1;
        }
        ::Sleep(200);
    }
    DWORD dwExit = (DWORD)-1;
    DWORD dwWait = ::WaitForSingleObject(process.hProcess, 60000);
    if (dwWait != WAIT_OBJECT_0)
        ADD_FAILURE() << "bmpconvert did not finish (wait result " << dwWait << ", error " << ::GetLastError()
                      << "): " << commandLine;
    else if (!::GetExitCodeProcess(process.hProcess, &dwExit))
        ADD_FAILURE() << "bmpconvert's exit code could not be read (error " << ::GetLastError() << ")";
    else if (dwExit >= 0x80000000)
        ADD_FAILURE() << "bmpconvert ended abnormally with code 0x" << std::hex << dwExit << ": " << commandLine;
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return (int)dwExit;
}

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

// The fields of a bitmap file read straight from its bytes.
struct BitmapFile
{
    bool bValid = false;
    int nWidth = 0, nHeight = 0, nBits = 0;
    std::vector<RGBQUAD> colours;
    std::vector<unsigned char> bytes;
    size_t nOffBits = 0;

    // Pixel (x, y) of a bottom-up file, y counted from the top.
    COLORREF Pixel(int x, int y) const
    {
        size_t stride = ((size_t)nWidth * nBits + 31) / 32 * 4;
        const unsigned char* pRow = &bytes[nOffBits + stride * (nHeight - 1 - y)];
        switch (nBits)
        {
        case 24:
        case 32:
        {
            const unsigned char* p = pRow + x * (nBits / 8);
            return RGB(p[2], p[1], p[0]);
        }
        case 16:
        {
            unsigned v = pRow[x * 2] | (pRow[x * 2 + 1] << 8);
            return RGB(((v >> 10) & 31) << 3, ((v >> 5) & 31) << 3, (v & 31) << 3);
        }
        default:
        {
            int nPerByte = 8 / nBits;
            unsigned char byte = pRow[x / nPerByte];
            int nShift = 8 - nBits * (x % nPerByte + 1);
            const RGBQUAD& q = colours[(byte >> nShift) & ((1 << nBits) - 1)];
            return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
        }
        }
    }
};

BitmapFile ReadBitmapFile(const std::string& path)
{
    BitmapFile file;
    std::ifstream in(path, std::ios::binary);
    file.bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (file.bytes.size() < 54 || file.bytes[0] != 'B' || file.bytes[1] != 'M')
        return file;
    auto dword = [&](size_t at) {
        return (unsigned)file.bytes[at] | (file.bytes[at + 1] << 8) | (file.bytes[at + 2] << 16) |
               ((unsigned)file.bytes[at + 3] << 24);
    };
    file.nOffBits = dword(10);
    file.nWidth = (int)dword(18);
    file.nHeight = (int)dword(22);
    file.nBits = file.bytes[28];
    int nColours = file.nBits <= 8 ? 1 << file.nBits : 0;
    for (int i = 0; i < nColours; ++i)
    {
        const unsigned char* p = &file.bytes[54 + 4 * i];
        file.colours.push_back(RGBQUAD{ p[0], p[1], p[2], 0 });
    }
    size_t stride = ((size_t)file.nWidth * file.nBits + 31) / 32 * 4;
    file.bValid = file.nOffBits + stride * file.nHeight <= file.bytes.size();
    return file;
}

std::string CorpusFile(const char* name)
{
    return testenv::BmpSuiteDir() + "\\" + name;
}
}

TEST(BmpConvert, ConvertsACorpusFileToEveryDepthAndBack)
{
    if (testenv::BmpSuiteDir().empty())
        GTEST_SKIP() << "MFCPAINT_BMPSUITE is not set";
    const std::string source = CorpusFile("g\\rgb24.bmp");
    BitmapFile original = ReadBitmapFile(source);
    ASSERT_TRUE(original.bValid);

    for (int nBits : { 1, 4, 8, 16, 24, 32 })
    {
        SCOPED_TRACE(nBits);
        std::string converted = testenv::OutputPath(("convert-" + std::to_string(nBits) + ".bmp").c_str());
        std::string back = testenv::OutputPath(("convert-" + std::to_string(nBits) + "-back.bmp").c_str());
        ASSERT_EQ(0, RunConvert("--bits " + std::to_string(nBits) + " " + Quoted(source) + " " + Quoted(converted)));
        ASSERT_EQ(0, RunConvert("-b 24 " + Quoted(converted) + " " + Quoted(back)));

        BitmapFile middle = ReadBitmapFile(converted);
        BitmapFile result = ReadBitmapFile(back);
        ASSERT_TRUE(middle.bValid);
        ASSERT_TRUE(result.bValid);
        EXPECT_EQ(nBits, middle.nBits);
        EXPECT_EQ(original.nWidth, middle.nWidth);
        EXPECT_EQ(original.nHeight, middle.nHeight);
        EXPECT_EQ(24, result.nBits);

        std::set<COLORREF> palette;
        for (const RGBQUAD& q : middle.colours)
            palette.insert(RGB(q.rgbRed, q.rgbGreen, q.rgbBlue));
        std::set<COLORREF> seen;
        int nFar = 0;
        for (int y = 0; y < original.nHeight; ++y)
        {
            for (int x = 0; x < original.nWidth; ++x)
            {
                COLORREF crBack = result.Pixel(x, y);
                // Going back to 24 bits shows exactly what the converted file holds
                // (16-bit channels may be widened either way, so those are checked loosely below).
                if (nBits != 16)
                {
                    ASSERT_EQ(middle.Pixel(x, y), crBack) << x << "," << y;
                }
                seen.insert(crBack);
                COLORREF crOriginal = original.Pixel(x, y);
                if (nBits >= 24)
                {
                    ASSERT_EQ(crOriginal, crBack) << x << "," << y;
                }
                else if (nBits == 16)
                    nFar += abs(GetRValue(crOriginal) - GetRValue(crBack)) > 7 ||
                            abs(GetGValue(crOriginal) - GetGValue(crBack)) > 7 ||
                            abs(GetBValue(crOriginal) - GetBValue(crBack)) > 7;
                else
                {
                    ASSERT_TRUE(palette.count(crBack)) << x << "," << y;
                }
            }
        }
        EXPECT_EQ(0, nFar);
        EXPECT_GE(seen.size(), nBits == 1 ? 2u : 8u);   // a picture, not a blank
    }
}

TEST(BmpConvert, ResizesAndStartsFromTheDefaultPicture)
{
    std::string output = testenv::OutputPath("convert-default.bmp");
    ASSERT_EQ(0, RunConvert(Quoted(output)));
    BitmapFile picture = ReadBitmapFile(output);
    ASSERT_TRUE(picture.bValid);
    EXPECT_EQ(320, picture.nWidth);
    EXPECT_EQ(240, picture.nHeight);

    std::string resized = testenv::OutputPath("convert-resized.bmp");
    ASSERT_EQ(0, RunConvert("--size 400x100 --offset 10,20 --bits 32 " + Quoted(output) + " " + Quoted(resized)));
    BitmapFile result = ReadBitmapFile(resized);
    ASSERT_TRUE(result.bValid);
    EXPECT_EQ(400, result.nWidth);
    EXPECT_EQ(100, result.nHeight);
    EXPECT_EQ(32, result.nBits);
    EXPECT_EQ(picture.Pixel(10, 20), result.Pixel(0, 0));
    EXPECT_EQ(picture.Pixel(309, 119), result.Pixel(299, 99));
    EXPECT_EQ(RGB(255, 255, 255), result.Pixel(310, 50));   // beyond the old picture: white
}

TEST(BmpConvert, RefusesBadInputWithoutTouchingTheOutput)
{
    std::string output = testenv::OutputPath("convert-kept.bmp");
    ASSERT_EQ(0, RunConvert(Quoted(output)));
    BitmapFile before = ReadBitmapFile(output);

    EXPECT_EQ(2, RunConvert(Quoted(testenv::OutputPath("no-such-input.bmp")) + " " + Quoted(output)));
    if (!testenv::BmpSuiteDir().empty())
    {
        EXPECT_EQ(2, RunConvert(Quoted(CorpusFile("g\\pal8os2.bmp")) + " " + Quoted(output)));   // core header
        EXPECT_EQ(2, RunConvert(Quoted(CorpusFile("g\\pal8rle.bmp")) + " " + Quoted(output)));   // run-length encoded
        EXPECT_EQ(2, RunConvert(Quoted(CorpusFile("x\\" "ba-bm.bmp")) + " " + Quoted(output)));
    }
    EXPECT_EQ(1, RunConvert(""));
    EXPECT_EQ(1, RunConvert("--bits 7 " + Quoted(output)));
    EXPECT_EQ(1, RunConvert("--size 0x10 " + Quoted(output)));
    EXPECT_EQ(3, RunConvert(Quoted(testenv::OutputPath("no-such-folder\\out.bmp"))));

    EXPECT_EQ(before.bytes, ReadBitmapFile(output).bytes);
}

TEST(BmpConvert, TakesFileNamesOutsideTheAnsiCodePage)
{
#ifndef _UNICODE
    GTEST_SKIP() << "an ANSI program's arguments cannot hold characters outside the ANSI code page";
#else
    // Greek and CJK letters: no single-byte code page has both, so only the wide
    // command line carries them to the converter intact.
    std::wstring folder = CStringW(testenv::OutputDir().c_str()).GetString();
    std::wstring name = L"bild-\x03B1\x03B2-\x4E2D.bmp";
    std::wstring output = folder + L"\\" + name;
    ::DeleteFileW(output.c_str());

    std::wstring commandLine = L"\"" + std::wstring(CStringW(ProgramPath().c_str()).GetString()) +
                               L"\" --size 5x3 \"" + output + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back(0);
    ASSERT_TRUE(::CreateProcessW(NULL, buffer.data(), NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process));
    DWORD dwExit = (DWORD)-1;
    if (::WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0)
        ::GetExitCodeProcess(process.hProcess, &dwExit);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    ASSERT_EQ(0u, dwExit);

    // The file has exactly that name, and is the picture asked for.
    WIN32_FIND_DATAW found = {};
    HANDLE hFind = ::FindFirstFileW((folder + L"\\bild-*.bmp").c_str(), &found);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFind);
    bool bSameName = false;
    do
        bSameName = bSameName || name == found.cFileName;
    while (::FindNextFileW(hFind, &found));
    ::FindClose(hFind);
    EXPECT_TRUE(bSameName);

    HANDLE hFile = ::CreateFileW(output.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFile);
    BYTE header[26] = {};
    DWORD dwRead = 0;
    ::ReadFile(hFile, header, sizeof(header), &dwRead, NULL);
    ::CloseHandle(hFile);
    ASSERT_EQ(sizeof(header), dwRead);
    EXPECT_EQ('B', header[0]);
    EXPECT_EQ('M', header[1]);
    EXPECT_EQ(5, header[18] | (header[19] << 8));    // biWidth
    EXPECT_EQ(3, header[22] | (header[23] << 8));    // biHeight
    ::DeleteFileW(output.c_str());
#endif
}
