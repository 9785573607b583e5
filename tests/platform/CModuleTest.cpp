#include "platform/module/CModule.h"

#include <QFileInfo>
#include <QCoreApplication>
#include <gtest/gtest.h>

namespace {
CModule s_module("tests");
}

TEST(CModule, LoadStringCopiesWhatFitsAndTerminates)
{
    s_module.AddString(7, QStringLiteral("hello"));
    QChar buf[8];
    EXPECT_EQ(LoadString(&s_module, 7, buf, 8), 5);
    EXPECT_EQ(QString(buf, 5), "hello");
    EXPECT_EQ(buf[5], QChar());
    EXPECT_EQ(LoadString(&s_module, 7, buf, 4), 3); // cut to fit, still terminated
    EXPECT_EQ(QString(buf, 3), "hel");
    EXPECT_EQ(buf[3], QChar());
    EXPECT_EQ(LoadString(&s_module, 8, buf, 8), 0); // missing
    EXPECT_EQ(buf[0], QChar());
    EXPECT_EQ(LoadString(nullptr, 7, buf, 8), 0);
    EXPECT_EQ(LoadString(&s_module, 7, buf, 1), 0);
}

TEST(CModule, FilePathNamesTheProgram)
{
    EXPECT_EQ(QFileInfo(s_module.FilePath()).canonicalFilePath(),
              QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath());
}
