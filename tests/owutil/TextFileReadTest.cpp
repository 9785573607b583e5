#include "owutil/paths/TextFileRead.h"

#include "framework/file/CFile.h"
#include "tests/common/TestEnvironment.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

QString fileWith(const QByteArray& content)
{
    static int n = 0;
    const QString path = testenv::Home() + QStringLiteral("/numbers%1.txt").arg(++n);
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(content);
    return path;
}

} // namespace

TEST(CReadTextDouble, ReadsThroughTheBlankAfterTheNumber)
{
    CFile file(fileWith("  12.5 7"), CFile::modeRead);
    double value = 0;
    unsigned total = 0;
    EXPECT_TRUE(OwUtil::CReadTextDouble(file, &value, &total));
    EXPECT_EQ(value, 12.5);
    EXPECT_EQ(total, 7u);
    EXPECT_TRUE(OwUtil::CIsEof(file)); // one byte remains: at the last byte counts as the end
    EXPECT_TRUE(OwUtil::CReadTextDouble(file, &value, &total));
    EXPECT_EQ(value, 7.0);
    EXPECT_EQ(total, 8u);
    EXPECT_TRUE(OwUtil::CIsEof(file));
    // At the end: nothing read, the value is 0.
    EXPECT_TRUE(OwUtil::CReadTextDouble(file, &value, &total));
    EXPECT_EQ(value, 0.0);
    EXPECT_EQ(total, 8u);
}

TEST(CReadTextDouble, BlanksNumbersAndLongTokens)
{
    const struct {
        QByteArray content;
        double value;
        unsigned read;
    } cases[] = {
        {"\t\r\n\v\f-3e2\n", -300, 10},
        {"1,5 x", 1, 4},          // the "C" locale's point, whatever the user's locale
        {"abc ", 0, 4},
        {"   ", 0, 3},
        {"+.5", 0.5, 3},
        {QByteArray(98, ' ') + "9 ", 9, 100},     // the 100th character ends it
        {QByteArray(99, ' ') + "9 ", 42, 100},    // 100 characters without an end
        {QByteArray(100, '1'), 42, 100}, // no end within 100 characters: untouched
    };
    for (const auto& c : cases) {
        CFile file(fileWith(c.content), CFile::modeRead);
        double value = 42;
        unsigned total = 0;
        EXPECT_TRUE(OwUtil::CReadTextDouble(file, &value, &total));
        EXPECT_EQ(value, c.value) << c.content.constData();
        EXPECT_EQ(total, c.read) << c.content.constData();
    }
    CFile file(fileWith("5 6"), CFile::modeRead);
    EXPECT_TRUE(OwUtil::CReadTextDouble(file, nullptr, nullptr));
    EXPECT_EQ(file.GetPosition(), 2u);
}

TEST(CIsEof, LastByteAndEmptyFiles)
{
    CFile empty(fileWith(""), CFile::modeRead);
    EXPECT_FALSE(OwUtil::CIsEof(empty));
    CFile two(fileWith("ab"), CFile::modeRead);
    EXPECT_FALSE(OwUtil::CIsEof(two));
    two.Seek(1, CFile::begin);
    EXPECT_TRUE(OwUtil::CIsEof(two));
    two.Seek(2, CFile::begin);
    EXPECT_TRUE(OwUtil::CIsEof(two));
}
