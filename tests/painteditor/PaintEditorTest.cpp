// Runs the paint editor's scripted session as scripts/run.sh does and checks what it wrote:
// the edited picture, read straight from the file's bytes, has the resized size and the
// drawn shapes where the session's gestures put them; a picture that cannot be opened is
// reported and nothing is written.
#include <afxwin.h>
#include <gtest/gtest.h>
#include "tests/common/TestEnvironment.h"
#include "paint/PntCtrl.h"
#include "samples/painteditor/ScriptPlan.h"
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace
{
using namespace painteditor;

struct EditorRun
{
    int nExitCode = -1;
    std::string output;   // stdout and stderr together
};

// Runs painteditor.exe with the arguments and waits for it (two minutes at most).
EditorRun RunEditor(const std::string& arguments)
{
    char szPath[MAX_PATH];
    DWORD n = ::GetModuleFileNameA(NULL, szPath, MAX_PATH);
    std::string program(szPath, n);
    program = program.substr(0, program.find_last_of('\\') + 1) + "painteditor.exe";
    std::string logPath = testenv::OutputPath("painteditor-run.log");

    SECURITY_ATTRIBUTES sa = { sizeof(sa), NULL, TRUE };
    HANDLE hLog = ::CreateFileA(logPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &sa, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, NULL);
    EditorRun run;
    if (hLog == INVALID_HANDLE_VALUE)
        return run;
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = NULL;
    startup.hStdOutput = startup.hStdError = hLog;
    PROCESS_INFORMATION process = {};
    std::string commandLine = "\"" + program + "\" " + arguments;
    std::vector<char> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back(0);
    if (::CreateProcessA(NULL, buffer.data(), NULL, NULL, TRUE, 0, NULL, NULL, &startup, &process))
    {
        DWORD dwExit = (DWORD)-1;
        if (::WaitForSingleObject(process.hProcess, 120000) == WAIT_OBJECT_0)
            ::GetExitCodeProcess(process.hProcess, &dwExit);
        else
            ::TerminateProcess(process.hProcess, 99);
        run.nExitCode = (int)dwExit;
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }
    ::CloseHandle(hLog);
    std::ifstream log(logPath, std::ios::binary);
    run.output.assign(std::istreambuf_iterator<char>(log), std::istreambuf_iterator<char>());
    return run;
}

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

bool FileExists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// A 24-bit bitmap file, read from its bytes.
struct Picture
{
    int nWidth = 0, nHeight = 0, nBits = 0;
    std::vector<unsigned char> bytes;
    size_t nOffBits = 0;

    static Picture Read(const std::string& path)
    {
        Picture picture;
        std::ifstream file(path, std::ios::binary);
        std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M')
            return picture;
        auto u32 = [&](size_t at) { return (unsigned)(bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | bytes[at + 3] << 24); };
        picture.nOffBits = u32(10);
        int cx = (int)u32(18), cy = (int)u32(22), nBits = bytes[28] | bytes[29] << 8;
        size_t stride = ((size_t)cx * 3 + 3) & ~(size_t)3;
        if (u32(14) != 40 || nBits != 24 || cx <= 0 || cy <= 0 || picture.nOffBits + stride * cy > bytes.size())
            return picture;
        picture.nWidth = cx;
        picture.nHeight = cy;
        picture.nBits = nBits;
        picture.bytes.swap(bytes);
        return picture;
    }
    // Pixel (x, y) of the bottom-up rows, y counted from the top.
    COLORREF Pixel(int x, int y) const
    {
        size_t stride = ((size_t)nWidth * 3 + 3) & ~(size_t)3;
        const unsigned char* p = &bytes[nOffBits + stride * (nHeight - 1 - y) + x * 3];
        return RGB(p[2], p[1], p[0]);
    }
    COLORREF Pixel(POINT pt) const { return Pixel(pt.x, pt.y); }
};

// Writes a white 24-bit picture of cx x cy, byte by byte.
void WriteWhitePicture(const std::string& path, int cx, int cy)
{
    unsigned stride = ((unsigned)cx * 3 + 3) & ~3u;
    unsigned nSize = 54 + stride * cy;
    unsigned char header[54] = { 'B', 'M' };
    auto put32 = [&](size_t at, unsigned v) {
        for (int i = 0; i < 4; ++i)
            header[at + i] = (unsigned char)(v >> (8 * i));
    };
    put32(2, nSize);
    put32(10, 54);
    put32(14, 40);
    put32(18, (unsigned)cx);
    put32(22, (unsigned)cy);
    header[26] = 1;
    header[28] = 24;
    std::ofstream file(path, std::ios::binary);
    file.write((const char*)header, sizeof(header));
    std::vector<char> row(stride, (char)0xFF);
    for (int y = 0; y < cy; ++y)
        file.write(row.data(), (std::streamsize)row.size());
}

COLORREF Colour(int nIndex) { return CPntCtrl::ms_StdColours[nIndex].crColour; }
CPoint Middle(POINT a, POINT b) { return CPoint((a.x + b.x) / 2, (a.y + b.y) / 2); }
}

TEST(PaintEditor, ScriptedSessionSavesTheEditedPicture)
{
    const std::string input = testenv::OutputPath("editor-input.bmp");
    const std::string edited = testenv::OutputPath("editor-edited.bmp");
    const std::string shot = testenv::OutputPath("editor-screenshot.bmp");
    WriteWhitePicture(input, 320, 240);
    ::DeleteFileA(edited.c_str());

    EditorRun run = RunEditor("--script " + Quoted(edited) + " " + Quoted(shot) + " " + Quoted(input));
    ASSERT_EQ(0, run.nExitCode) << run.output;
    EXPECT_NE(std::string::npos, run.output.find(edited)) << run.output;

    Picture picture = Picture::Read(edited);
    ASSERT_EQ(kResizedWidth, picture.nWidth);
    ASSERT_EQ(kResizedHeight, picture.nHeight);

    // Where each gesture must have left its colour, from the gesture's own points.
    const Gesture& filled = kGestures[0];
    const Gesture& ellipse = kGestures[1];
    const Gesture& fill = kGestures[2];
    const Gesture& line = kGestures[3];
    const Gesture& stroke = kGestures[4];
    const Gesture& rectangle = kGestures[5];
    ASSERT_EQ(TOOL_RECTANGLE, rectangle.nTool);
    struct Probe
    {
        const char* pszWhat;
        CPoint pt;
        COLORREF cr;
    } probes[] = {
        { "filled rectangle corner", CPoint(filled.points[0].x + 2, filled.points[0].y + 2), Colour(filled.nDrawColour) },
        { "ellipse's left edge", CPoint(ellipse.points[0].x + 1, Middle(ellipse.points[0], ellipse.points[1]).y),
          Colour(ellipse.nDrawColour) },
        { "inside of the ellipse", fill.points[0], Colour(fill.nFillColour) },
        { "inside of the ellipse by its left edge", CPoint(ellipse.points[0].x + 8, Middle(ellipse.points[0], ellipse.points[1]).y),
          Colour(fill.nFillColour) },
        { "middle of the line", Middle(line.points[0], line.points[1]), Colour(line.nDrawColour) },
        { "pen stroke's turn", stroke.points[1], Colour(stroke.nDrawColour) },
        { "pen stroke's middle", Middle(stroke.points[1], stroke.points[2]), Colour(stroke.nDrawColour) },
        { "redone rectangle's top", Middle(rectangle.points[0], CPoint(rectangle.points[1].x, rectangle.points[0].y)),
          Colour(rectangle.nDrawColour) },
        { "redone rectangle's left", Middle(rectangle.points[0], CPoint(rectangle.points[0].x, rectangle.points[1].y)),
          Colour(rectangle.nDrawColour) },
        { "inside of the outline", Middle(rectangle.points[0], rectangle.points[1]), RGB(255, 255, 255) },
        { "untouched corner", CPoint(kResizedWidth - 3, kResizedHeight - 3), RGB(255, 255, 255) },
    };
    for (const Probe& probe : probes)
        EXPECT_EQ(probe.cr, picture.Pixel(probe.pt)) << probe.pszWhat << " at " << probe.pt.x << "," << probe.pt.y;

    Picture screenshot = Picture::Read(shot);
    EXPECT_GT(screenshot.nWidth, kResizedWidth);
    EXPECT_GT(screenshot.nHeight, kResizedHeight);
}

TEST(PaintEditor, PictureThatCannotBeOpenedIsReportedAndNothingWritten)
{
    const std::string edited = testenv::OutputPath("editor-refused.bmp");
    const std::string notBitmap = testenv::OutputPath("editor-not-a-bitmap.bmp");
    std::ofstream(notBitmap) << "plain text, not a picture";
    const struct
    {
        std::string input;
        const char* pszReason;
    } cases[] = {
        { testenv::OutputPath("editor-no-such-picture.bmp"), "no such file" },
        { notBitmap, "is not a bitmap file" },
    };
    for (const auto& refused : cases)
    {
        ::DeleteFileA(edited.c_str());
        EditorRun run = RunEditor("--script " + Quoted(edited) + " " + Quoted(testenv::OutputPath("editor-refused-shot.bmp")) +
                            " " + Quoted(refused.input));
        EXPECT_EQ(2, run.nExitCode) << run.output;
        EXPECT_NE(std::string::npos, run.output.find(refused.input)) << run.output;
        EXPECT_NE(std::string::npos, run.output.find(refused.pszReason)) << run.output;
        EXPECT_FALSE(FileExists(edited));
    }
}
