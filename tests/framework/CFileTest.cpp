#include "framework/file/CFile.h"
#include "tests/common/TestEnvironment.h"

#include <gtest/gtest.h>

TEST(CFile, OpenFailuresAreResultsWithTheirCause)
{
    CFile f;
    CFileException e;
    EXPECT_FALSE(f.Open(testenv::Home() + "/nothing/here.emf", CFile::modeRead, &e));
    EXPECT_EQ(e.m_cause, CFileException::fileNotFound);
    EXPECT_TRUE(e.GetErrorMessage().endsWith("here.emf was not found."));
    EXPECT_FALSE(f.Open(testenv::Home(), CFile::modeRead, &e)); // a folder is no file
    EXPECT_EQ(e.m_cause, CFileException::accessDenied);
    EXPECT_FALSE(f.IsOpen());
    EXPECT_THROW(f.Read(nullptr, 1), CFileException);
}

TEST(CFile, ReadWriteSeekAndLength)
{
    const QString path = testenv::Home() + "/cfile.bin";
    {
        CFile f(path, CFile::modeCreate | CFile::modeWrite);
        f.Write("abcdef", 6);
        EXPECT_EQ(f.GetLength(), 6u);
    }
    CFile f(path, CFile::modeRead);
    char buf[8] = {};
    EXPECT_EQ(f.Seek(2, CFile::begin), 2u);
    EXPECT_EQ(f.Read(buf, 8), 4u); // a short read at the end is no error
    EXPECT_STREQ(buf, "cdef");
    EXPECT_EQ(f.GetPosition(), 6u);
    EXPECT_EQ(f.GetFileName(), "cfile.bin");
    EXPECT_THROW(f.Seek(-10, CFile::begin), CFileException);
}
