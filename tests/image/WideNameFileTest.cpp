// CDIBSection::Save and Load under a file name of letters outside the ANSI code page: the
// file appears under exactly that name (read back with the wide file functions, not through
// the library) and its pixels come back. Only a Unicode build can name such a file.
#include "ImageTestSupport.h"
#include "common/TestEnvironment.h"
#include <gtest/gtest.h>
#include <stdio.h>
#include <set>

using namespace imagetest;

namespace
{
#ifdef _UNICODE
// The names of the entries of a folder, "." and ".." left out.
std::set<CStringW> FolderNames(const CStringW& folder)
{
    std::set<CStringW> names;
    WIN32_FIND_DATAW fd;
    HANDLE hFind = ::FindFirstFileW(folder + L"\\*", &fd);
    if (hFind == INVALID_HANDLE_VALUE)
        return names;
    do
    {
        CStringW name(fd.cFileName);
        if (name != L"." && name != L"..")
            names.insert(name);
    } while (::FindNextFileW(hFind, &fd));
    ::FindClose(hFind);
    return names;
}

// An empty folder of the tests' output folder, made afresh.
CStringW FreshFolder(const wchar_t* pszName)
{
    CStringW folder = CStringW(testenv::OutputDir().c_str()) + L"\\" + pszName;
    for (const CStringW& name : FolderNames(folder))
        ::DeleteFileW(folder + L"\\" + name);
    ::CreateDirectoryW(folder, NULL);
    return folder;
}

#endif
}

TEST(WideFileName, SaveAndLoadKeepTheNameAndThePixels)
{
#ifndef _UNICODE
    GTEST_SKIP() << "an ANSI build names files in the ANSI code page only";
#else
    // "eikona-tu xiang.bmp" in Greek and Chinese letters, none of them in an ANSI code page
    // of Western Europe: a narrow call anywhere on the way would turn them into '?'.
    const CStringW name = L"\x03B5\x03B9\x03BA\x03CC\x03BD\x03B1-\x56FE\x50CF.bmp";
    const CStringW folder = FreshFolder(L"wide-name");
    const CStringW path = folder + L"\\" + name;

    // A 24-bit picture whose every pixel differs: 7 x 5, rows padded to 24 bytes.
    CDIBSection picture;
    ASSERT_TRUE(picture.CreateBitmap(7, 5, 1, 24));
    for (int y = 0; y < 5; y++)
        for (int x = 0; x < 7; x++)
            ASSERT_TRUE(picture.SetPixel(x, y, RGB(30 * x, 40 * y, 255 - 9 * (x + 7 * y))));

    ASSERT_TRUE(picture.Save(path));
    // Exactly the one file, under the given name; the temporary file is gone.
    EXPECT_EQ(std::set<CStringW>{name}, FolderNames(folder));

    // The file's pixel rows, bottom row first, each pixel blue, green, red.
    Bytes file;
    ASSERT_TRUE(ReadAll(path, file));
    ASSERT_GE(file.size(), 54u + 5 * 24);
    const DWORD dwOffBits = U32(file, kBfOffBits);
    ASSERT_LE(dwOffBits + 5 * 24, file.size());
    for (int y = 0; y < 5; y++)
        for (int x = 0; x < 7; x++)
        {
            const BYTE* p = &file[dwOffBits + (4 - y) * 24 + 3 * x];
            EXPECT_EQ(RGB(30 * x, 40 * y, 255 - 9 * (x + 7 * y)), RGB(p[2], p[1], p[0])) << x << "," << y;
        }

    CDIBSection loaded;
    ASSERT_TRUE(loaded.Load(path));
    ASSERT_EQ(CSize(7, 5), loaded.GetSize());
    EXPECT_EQ(24, loaded.GetBitCount());
    for (int y = 0; y < 5; y++)
        for (int x = 0; x < 7; x++)
            EXPECT_EQ(RGB(30 * x, 40 * y, 255 - 9 * (x + 7 * y)), loaded.GetPixel(x, y)) << x << "," << y;

    // Saving again replaces the file under the same name.
    ASSERT_TRUE(picture.SetPixel(0, 0, RGB(1, 2, 3)));
    ASSERT_TRUE(picture.Save(path));
    EXPECT_EQ(std::set<CStringW>{name}, FolderNames(folder));
    ASSERT_TRUE(loaded.Load(path));
    EXPECT_EQ(RGB(1, 2, 3), loaded.GetPixel(0, 0));
#endif
}
