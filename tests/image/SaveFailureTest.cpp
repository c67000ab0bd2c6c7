// A save that fails part way (a full disk, a target that cannot be replaced) keeps the file
// it would have replaced byte for byte, leaves no temporary file behind, and still reports
// the failure: FALSE, or the CFileException of the failed write.
#include "ImageTestSupport.h"
#include "common/TestEnvironment.h"
#include "common/WriteFailure.h"
#include <gtest/gtest.h>
#include <stdlib.h>
#include <algorithm>

using namespace imagetest;

namespace
{
// The names of the entries of a folder, "." and ".." left out, sorted.
std::vector<std::string> FolderEntries(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA fd;
    HANDLE hFind = ::FindFirstFileA((folder + "\\*").c_str(), &fd);
    if (hFind == INVALID_HANDLE_VALUE)
        return names;
    do
    {
        std::string name = fd.cFileName;
        if (name != "." && name != "..")
            names.push_back(name);
    } while (::FindNextFileA(hFind, &fd));
    ::FindClose(hFind);
    std::sort(names.begin(), names.end());
    return names;
}

// An empty folder of its own for each test, so that a stray temporary file shows.
std::string FreshFolder(const std::string& parent, const char* name)
{
    std::string folder = parent + "\\" + name;
    for (const std::string& entry : FolderEntries(folder))
        ::DeleteFileA((folder + "\\" + entry).c_str());
    ::CreateDirectoryA(folder.c_str(), NULL);
    return folder;
}

// A picture whose every pixel depends on its position and on seed.
void MakePicture(CDIBSection& dib, int cx, int cy, int seed)
{
    ASSERT_TRUE(dib.CreateBitmap(cx, cy, 1, 24));
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x)
            SetRawPixel(dib, x, y, (DWORD)(x * 7 + y * 13 + seed * 101) & 0xFFFFFF);
}

// Runs a save and tells how it ended: 'T' true, 'F' false, 'D' a disk-full file exception,
// 'E' any other exception.
char SaveOutcome(CDIBSection& dib, const std::string& path)
{
    try
    {
        return dib.Save(PathText(path)) ? 'T' : 'F';
    }
    catch (CFileException* e)
    {
        char c = e->m_cause == CFileException::diskFull ? 'D' : 'E';
        e->Delete();
        return c;
    }
    catch (CException* e)
    {
        e->Delete();
        return 'E';
    }
}
}

TEST(BitmapFileSaveFailure, AWriteThatFailsPartWayKeepsTheOldFileByteForByte)
{
    const std::string folder = FreshFolder(testenv::OutputDir(), "save-fails");
    const std::string target = folder + "\\picture.bmp";
    CDIBSection oldPicture, newPicture;
    MakePicture(oldPicture, 40, 30, 1);
    MakePicture(newPicture, 64, 48, 2);
    ASSERT_TRUE(oldPicture.Save(PathText(target)));
    Bytes oldBytes;
    ASSERT_TRUE(ReadAll(target, oldBytes));
    const DWORD dwNewSize = 58 + 64 * 3 * 48;

    // Nothing fits, the file header fits, the header and part of the rows fit, all but a byte.
    for (DWORD dwAllowed : {0ul, 14ul, 100ul, dwNewSize / 2, dwNewSize - 1})
    {
        char outcome;
        int nFailed;
        {
            CWriteFailure fullDisk("mfcx.dll", dwAllowed);
            ASSERT_TRUE(fullDisk.IsHooked());
            outcome = SaveOutcome(newPicture, target);
            nFailed = fullDisk.FailedWrites();
        }
        EXPECT_EQ('D', outcome) << dwAllowed;
        EXPECT_EQ(1, nFailed) << dwAllowed;
        Bytes now;
        ASSERT_TRUE(ReadAll(target, now));
        EXPECT_TRUE(now == oldBytes) << "the old file changed with " << dwAllowed << " bytes allowed";
        EXPECT_EQ(std::vector<std::string>{"picture.bmp"}, FolderEntries(folder)) << dwAllowed;
        EXPECT_EQ(64, newPicture.GetWidth());
    }

    // With room enough the same save replaces the file.
    ASSERT_EQ('T', SaveOutcome(newPicture, target));
    Bytes saved;
    ASSERT_TRUE(ReadAll(target, saved));
    ASSERT_EQ(dwNewSize, saved.size());
    EXPECT_EQ(RawPixel(newPicture, 5, 7), RowPixel(&saved[58 + 64 * 3 * (48 - 1 - 7)], 5, 24));
    EXPECT_EQ(std::vector<std::string>{"picture.bmp"}, FolderEntries(folder));
}

TEST(BitmapFileSaveFailure, AFailedSaveOfANewFileLeavesNoFile)
{
    const std::string folder = FreshFolder(testenv::OutputDir(), "save-new-fails");
    CDIBSection picture;
    MakePicture(picture, 32, 32, 3);
    for (DWORD dwAllowed : {0ul, 60ul, 1000ul})
    {
        CWriteFailure fullDisk("mfcx.dll", dwAllowed);
        ASSERT_TRUE(fullDisk.IsHooked());
        EXPECT_EQ('D', SaveOutcome(picture, folder + "\\new.bmp")) << dwAllowed;
        EXPECT_TRUE(FolderEntries(folder).empty()) << dwAllowed;
    }
}

TEST(BitmapFileSaveFailure, ATargetThatCannotBeReplacedGivesFalseAndNoTemporary)
{
    const std::string folder = FreshFolder(testenv::OutputDir(), "save-onto-folder");
    const std::string sub = folder + "\\sub";
    ASSERT_TRUE(::CreateDirectoryA(sub.c_str(), NULL));
    CDIBSection picture;
    MakePicture(picture, 16, 16, 4);
    EXPECT_EQ('F', SaveOutcome(picture, sub));
    EXPECT_EQ(std::vector<std::string>{"sub"}, FolderEntries(folder));
    EXPECT_TRUE(::GetFileAttributesA(sub.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    ::RemoveDirectoryA(sub.c_str());
}

// The test script mounts a small volume for this test and names it in MFCPAINT_FULLDISK;
// without one (no permission to mount) the injected failures above stand in for it.
TEST(BitmapFileSaveFailure, ARealFullDiskKeepsTheOldFile)
{
    const char* pszVolume = getenv("MFCPAINT_FULLDISK");
    if (pszVolume == NULL || *pszVolume == 0)
        GTEST_SKIP() << "no small volume was mounted for this run";
    const std::string folder = FreshFolder(pszVolume, "full");
    const std::string target = folder + "\\picture.bmp";
    const std::string filler = std::string(pszVolume) + "\\filler";
    ::DeleteFileA(filler.c_str());

    CDIBSection oldPicture, newPicture;
    MakePicture(oldPicture, 60, 40, 5);
    MakePicture(newPicture, 200, 200, 6);   // 120 058 bytes, more than is left below
    ASSERT_TRUE(oldPicture.Save(PathText(target)));
    Bytes oldBytes;
    ASSERT_TRUE(ReadAll(target, oldBytes));

    // Fill the volume until about 16 KB are left.
    ULARGE_INTEGER free = {};
    ASSERT_TRUE(::GetDiskFreeSpaceExA(folder.c_str(), &free, NULL, NULL));
    ASSERT_GT(free.QuadPart, 16384u);
    {
        Bytes fill((size_t)(free.QuadPart - 16384), 0x5A);
        ASSERT_TRUE(WriteAll(filler, fill));
    }

    const char outcome = SaveOutcome(newPicture, target);
    EXPECT_TRUE(outcome == 'D' || outcome == 'F') << outcome;
    Bytes now;
    ASSERT_TRUE(ReadAll(target, now));
    EXPECT_TRUE(now == oldBytes) << "the old file changed on a full disk";
    EXPECT_EQ(std::vector<std::string>{"picture.bmp"}, FolderEntries(folder));

    // With the room back the save goes through.
    ASSERT_TRUE(::DeleteFileA(filler.c_str()));
    EXPECT_EQ('T', SaveOutcome(newPicture, target));
    ASSERT_TRUE(ReadAll(target, now));
    EXPECT_EQ(58u + 200 * 3 * 200, now.size());
}
