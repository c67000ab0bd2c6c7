// Exceptions and CFile: what is thrown, who deletes it, and what the user is shown.
#include <afxwin.h>
#include <gtest/gtest.h>
#include "tests/common/TestEnvironment.h"
#include <string>

TEST(Exceptions, ResourceExceptionIsStaticAndReportsItsMessage)
{
    CException* pCaught = nullptr;
    try
    {
        AfxThrowResourceException();
    }
    catch (CException* e)
    {
        pCaught = e;
    }
    ASSERT_NE(nullptr, pCaught);
    EXPECT_TRUE(pCaught->IsKindOf(RUNTIME_CLASS(CResourceException)));
    EXPECT_FALSE(pCaught->m_bAutoDelete);

    testenv::ClearMessageBoxTexts();
    pCaught->ReportError(MB_OK);
    pCaught->Delete();                         // must leave the static object alive
    ASSERT_EQ(1u, testenv::MessageBoxTexts().size());
    EXPECT_EQ("A required resource was unavailable.", testenv::MessageBoxTexts()[0]);

    CException* pSecond = nullptr;
    try
    {
        AfxThrowResourceException();
    }
    catch (CResourceException* e)
    {
        pSecond = e;
    }
    EXPECT_EQ(pCaught, pSecond);
}

TEST(Exceptions, MessageBoxesGoThroughTheApplication)
{
    testenv::ClearMessageBoxTexts();
    testenv::SetMessageBoxAnswer(IDNO);
    EXPECT_EQ(IDNO, AfxMessageBox(_T("Crop the picture?"), MB_YESNOCANCEL));
    testenv::SetMessageBoxAnswer(IDOK);
    EXPECT_EQ(IDOK, AfxMessageBox(AFX_IDS_MEMORY_EXCEPTION));
    ASSERT_EQ(2u, testenv::MessageBoxTexts().size());
    EXPECT_EQ("Crop the picture?", testenv::MessageBoxTexts()[0]);
    EXPECT_EQ("Out of memory.", testenv::MessageBoxTexts()[1]);
}

TEST(File, WritesReadsAndSeeks)
{
    std::string path = testenv::OutputPath("framework-file.bin");
    {
        CFile file;
        ASSERT_TRUE(file.Open(CString(path.c_str()), CFile::modeCreate | CFile::modeWrite));
        file.Write("0123456789", 10);
        EXPECT_EQ(10u, file.GetPosition());
    }   // the destructor closes it

    CFile file(CString(path.c_str()), CFile::modeRead);
    EXPECT_EQ(10u, file.GetLength());
    char buffer[16] = {};
    EXPECT_EQ(4u, file.Read(buffer, 4));
    EXPECT_STREQ("0123", buffer);
    EXPECT_EQ(7, file.Seek(7, CFile::begin));
    EXPECT_EQ(3u, file.Read(buffer, 16));      // a short read at the end is no error
    EXPECT_EQ(0, memcmp(buffer, "789", 3));
    EXPECT_EQ(0u, file.Read(buffer, 16));
    file.Close();
    EXPECT_EQ(CFile::hFileNull, file.m_hFile);

    // Creating truncates an existing file.
    CFile again(CString(path.c_str()), CFile::modeCreate | CFile::modeWrite);
    again.Close();
    CFile check(CString(path.c_str()), CFile::modeRead);
    EXPECT_EQ(0u, check.GetLength());
}

TEST(File, FailuresAreReportedOrThrown)
{
    std::string missing = testenv::OutputPath("no-such-folder\\missing.bmp");
    CFile file;
    CFileException error;
    EXPECT_FALSE(file.Open(CString(missing.c_str()), CFile::modeRead, &error));
    EXPECT_TRUE(error.m_cause == CFileException::badPath || error.m_cause == CFileException::fileNotFound);
    EXPECT_STREQ(CString(missing.c_str()), error.m_strFileName);

    CFileException* pThrown = nullptr;
    try
    {
        CFile opened(CString(missing.c_str()), CFile::modeRead);
    }
    catch (CFileException* e)
    {
        pThrown = e;
    }
    ASSERT_NE(nullptr, pThrown);
    EXPECT_TRUE(pThrown->m_bAutoDelete);
    TCHAR message[256];
    EXPECT_TRUE(pThrown->GetErrorMessage(message, 256));
    EXPECT_NE(nullptr, _tcsstr(message, _T("missing.bmp")));
    pThrown->Delete();

    // Writing to a file opened for reading fails in the operating system: thrown.
    std::string path = testenv::OutputPath("framework-readonly.bin");
    {
        CFile create(CString(path.c_str()), CFile::modeCreate | CFile::modeWrite);
        create.Write("abc", 3);
    }
    CFile reader(CString(path.c_str()), CFile::modeRead);
    bool bThrown = false;
    try
    {
        reader.Write("x", 1);
    }
    catch (CFileException* e)
    {
        bThrown = true;
        EXPECT_NE(CFileException::none, e->m_cause);
        e->Delete();
    }
    EXPECT_TRUE(bThrown);
}
