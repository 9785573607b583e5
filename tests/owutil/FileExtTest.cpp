#include "owutil/paths/FileExt.h"

#include <gtest/gtest.h>

TEST(GetFileExt, TakesTheExtensionOfTheFilePartOnly)
{
    const struct {
        const char* path;
        const char* ext;
    } cases[] = {
        {R"(C:\img\photo.JPG)", "JPG"},
        {R"(C:\img\photo)", ""},
        {R"(C:\img.d\photo)", ""},
        {"C:/img.d/photo", ""},
        {"/home/u/archive.tar.gz", "gz"},
        {R"(\\srv\pub\scan.Tif)", "Tif"},
        {"/home/u/name.", ""},
        {"drawing.emf", "emf"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(OwUtil::GetFileExt(QString::fromUtf8(c.path)), QString::fromUtf8(c.ext)) << c.path;
}

TEST(ReplaceFileExt, ReplacesAfterTheLastDotOfTheWholePath)
{
    const struct {
        const char* path;
        const char* ext;
        const char* result;
    } cases[] = {
        {R"(C:\my.dir\readme)", "txt", R"(C:\my.txt)"},
        {R"(C:\dir\readme)", "txt", R"(C:\dir\readme)"},
        {R"(C:\Program Files\Lumivu\Lumivu.exe)", "chm", R"(C:\Program Files\Lumivu\Lumivu.chm)"},
        {"/opt/lumivu/bin/Lumivu.", "chm", "/opt/lumivu/bin/Lumivu.chm"},
        {"/opt/lumivu/bin/Lumivu", "chm", "/opt/lumivu/bin/Lumivu"},
        {"/srv/a.b/c.d.e", "f", "/srv/a.b/c.d.f"},
        {R"(\\srv\pub\f.emf)", "png", R"(\\srv\pub\f.png)"},
        {"x.emf", "", "x."},
        {"", "txt", ""},
    };
    for (const auto& c : cases) {
        QString path = QString::fromUtf8(c.path);
        QString& result = OwUtil::ReplaceFileExt(path, QString::fromUtf8(c.ext));
        EXPECT_EQ(&result, &path);
        EXPECT_EQ(path, QString::fromUtf8(c.result)) << c.path;
    }
}
