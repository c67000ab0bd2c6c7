// The worked example of the guide (examples/dialoghost), built out of tree against the installed
// package by scripts/test.sh, driven as a user would: real mouse input draws a stroke on the
// template's paint control and clicks Save; the saved file's bytes must hold that stroke and
// nothing else, and the dialog's labels must show what the control reported.
// scripts/test.sh names the program in MFCPAINT_DIALOGHOST; without it the test is skipped.
#include <afxwin.h>
#include <gtest/gtest.h>
#include "tests/common/Screenshot.h"
#include "tests/common/TestEnvironment.h"
#include "tests/common/UserInput.h"
#include "resources/resource.h"
#include <stdlib.h>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace
{
// The example's identifiers (examples/dialoghost/resource.h) and its picture's draw colour.
const int kPicture = 1000;
const int kSave = 1003;
const int kStatus = 1004;
const int kEvents = 1005;
const COLORREF kStroke = RGB(192, 0, 0);
const int kWidth = 160;
const int kHeight = 120;

std::vector<unsigned char> ReadFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void PutU32(std::vector<unsigned char>& out, size_t at, unsigned value)
{
    for (int i = 0; i < 4; ++i)
        out[at + i] = (unsigned char)(value >> (8 * i));
}

unsigned GetU32(const std::vector<unsigned char>& in, size_t at)
{
    return in[at] | (in[at + 1] << 8) | (in[at + 2] << 16) | ((unsigned)in[at + 3] << 24);
}

// A white 24-bit bottom-up bitmap file, written byte by byte.
std::vector<unsigned char> WhiteBitmapFile()
{
    const unsigned stride = kWidth * 3;   // 480: already a multiple of four
    std::vector<unsigned char> file(54 + stride * kHeight, 0xFF);
    std::fill(file.begin(), file.begin() + 54, 0);
    file[0] = 'B';
    file[1] = 'M';
    PutU32(file, 2, (unsigned)file.size());
    PutU32(file, 10, 54);
    PutU32(file, 14, 40);
    PutU32(file, 18, kWidth);
    PutU32(file, 22, kHeight);
    file[26] = 1;
    file[28] = 24;
    return file;
}

std::string WindowText(HWND hWnd)
{
    char text[512] = "";
    ::GetWindowTextA(hWnd, text, (int)sizeof(text));
    return text;
}

// Real input to the host program, with a pause after each event for the host to take it in
// before the next: the window an event goes to is fixed when it is queued, by where the
// pointer is and which window holds the mouse then.
void MovePointer(CPoint pt)
{
    testenv::MovePointer(pt);
    ::Sleep(30);
}

void Button(DWORD dwFlags)
{
    testenv::MouseButtons(dwFlags);
    ::Sleep(60);
}

// Polls until pred holds or about ten seconds have passed.
template <class Pred>
bool WaitFor(Pred pred)
{
    for (int i = 0; i < 200; ++i)
    {
        if (pred())
            return true;
        ::Sleep(50);
    }
    return pred();
}

class DialogHostTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const char* program = getenv("MFCPAINT_DIALOGHOST");
        if (program == NULL || *program == 0)
            GTEST_SKIP() << "MFCPAINT_DIALOGHOST names no program (scripts/test.sh builds the example)";
        m_program = program;
        m_picture = testenv::OutputPath("dialoghost-picture.bmp");
        std::vector<unsigned char> white = WhiteBitmapFile();
        std::ofstream(m_picture, std::ios::binary).write((const char*)white.data(), (std::streamsize)white.size());
    }

    void TearDown() override
    {
        if (m_process.hProcess != NULL)
        {
            if (::WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT)
                ::TerminateProcess(m_process.hProcess, 99);
            ::CloseHandle(m_process.hThread);
            ::CloseHandle(m_process.hProcess);
        }
    }

    // Starts the example on the test's picture and waits for its dialog.
    HWND Start()
    {
        STARTUPINFOA startup = {};
        startup.cb = sizeof(startup);
        std::string commandLine = "\"" + m_program + "\" \"" + m_picture + "\"";
        std::vector<char> buffer(commandLine.begin(), commandLine.end());
        buffer.push_back(0);
        if (!::CreateProcessA(NULL, buffer.data(), NULL, NULL, FALSE, 0, NULL, NULL, &startup, &m_process))
        {
            ADD_FAILURE() << "cannot start " << m_program << " (error " << ::GetLastError() << ")";
            return NULL;
        }
        HWND hDialog = NULL;
        WaitFor([&] {
            hDialog = ::FindWindowA(NULL, "Paint control host");
            return hDialog != NULL && ::IsWindowVisible(hDialog);
        });
        return hDialog;
    }

    std::string m_program;
    std::string m_picture;
    PROCESS_INFORMATION m_process = {};
};
}

TEST_F(DialogHostTest, DrawsWithTheMouseAndSavesThroughTheTemplatesControl)
{
    HWND hDialog = Start();
    ASSERT_NE(hDialog, (HWND)NULL) << "the example's dialog did not open";
    HWND hPicture = ::GetDlgItem(hDialog, kPicture);
    ASSERT_NE(hPicture, (HWND)NULL);
    char className[64] = "";
    ::GetClassNameA(hPicture, className, (int)sizeof(className));
    EXPECT_STREQ(className, "MFCPaintCtrl");

    // The pen's status text, as the library's string table has it, reached the label.
    char penText[256] = "";
    ::LoadStringA(::LoadLibraryA("mfcpaint.dll"), IDS_PNT_TOOL_PEN, penText, (int)sizeof(penText));
    ASSERT_NE(penText[0], 0);
    EXPECT_TRUE(WaitFor([&] { return WindowText(::GetDlgItem(hDialog, kStatus)) == penText; }))
        << "status label: " << WindowText(::GetDlgItem(hDialog, kStatus));
    EXPECT_EQ(WindowText(::GetDlgItem(hDialog, kEvents)).find("200%, 0 changes,"), 0u)
        << WindowText(::GetDlgItem(hDialog, kEvents));

    // A horizontal stroke of 120 screen pixels through the middle of the control, where the
    // example centres its picture: at 200 % that is 60 image pixels.
    RECT rcPicture;
    ::GetWindowRect(hPicture, &rcPicture);
    const CPoint centre((rcPicture.left + rcPicture.right) / 2, (rcPicture.top + rcPicture.bottom) / 2);
    MovePointer(centre + CPoint(-60, 0));
    Button(MOUSEEVENTF_LEFTDOWN);
    for (int dx = -50; dx <= 60; dx += 10)
        MovePointer(centre + CPoint(dx, 0));
    Button(MOUSEEVENTF_LEFTUP);

    // The stroke must be over in the host (its control has let the mouse go) before the click
    // on Save, or that click would go to the control too.
    EXPECT_TRUE(WaitFor([&] {
        GUITHREADINFO info = {};
        info.cbSize = sizeof(info);
        return ::GetGUIThreadInfo(::GetWindowThreadProcessId(hDialog, NULL), &info) && info.hwndCapture == NULL;
    })) << "the control kept the mouse after the stroke";
    const std::string events = WindowText(::GetDlgItem(hDialog, kEvents));
    EXPECT_EQ(events.find("0 changes"), std::string::npos) << events;
    EXPECT_NE(events.find("(unsaved)"), std::string::npos) << events;
    testenv::SaveWindowBitmap(hDialog, "dialoghost-screen.bmp");

    // Save, clicked: the file is rewritten with the stroke.
    const std::vector<unsigned char> before = ReadFileBytes(m_picture);
    RECT rcSave;
    ::GetWindowRect(::GetDlgItem(hDialog, kSave), &rcSave);
    MovePointer(CPoint((rcSave.left + rcSave.right) / 2, (rcSave.top + rcSave.bottom) / 2));
    Button(MOUSEEVENTF_LEFTDOWN);
    Button(MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(WaitFor([&] { return ReadFileBytes(m_picture) != before; })) << "Save wrote nothing";
    EXPECT_TRUE(WaitFor([&] {
        return WindowText(::GetDlgItem(hDialog, kEvents)).find("(unsaved)") == std::string::npos;
    })) << WindowText(::GetDlgItem(hDialog, kEvents));

    // The saved picture: 160 x 120 at 24 bits, white but for one row of stroke-coloured pixels,
    // one unbroken run of about 60.
    const std::vector<unsigned char> file = ReadFileBytes(m_picture);
    ASSERT_GE(file.size(), 54u);
    ASSERT_EQ(GetU32(file, 18), (unsigned)kWidth);
    ASSERT_EQ(GetU32(file, 22), (unsigned)kHeight);
    ASSERT_EQ(file[28], 24);
    const unsigned offset = GetU32(file, 10);
    ASSERT_GE(file.size(), offset + 480u * kHeight);
    int strokeRow = -1, first = kWidth, last = -1, count = 0, others = 0;
    for (int y = 0; y < kHeight; ++y)
    {
        for (int x = 0; x < kWidth; ++x)
        {
            const unsigned char* p = &file[offset + (size_t)(kHeight - 1 - y) * 480 + x * 3];
            const COLORREF cr = RGB(p[2], p[1], p[0]);
            if (cr == RGB(255, 255, 255))
                continue;
            if (cr != kStroke || (strokeRow >= 0 && strokeRow != y))
            {
                ++others;
                continue;
            }
            strokeRow = y;
            first = std::min(first, x);
            last = std::max(last, x);
            ++count;
        }
    }
    EXPECT_EQ(others, 0) << "pixels off the stroke's row or of another colour";
    ASSERT_GE(strokeRow, 0) << "no stroke in the saved picture";
    EXPECT_EQ(count, last - first + 1) << "the stroke has gaps";
    EXPECT_GE(count, 55);
    EXPECT_LE(count, 62);

    // Close ends the program.
    ::PostMessageA(hDialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(::WaitForSingleObject(m_process.hProcess, 10000), WAIT_OBJECT_0);
}
