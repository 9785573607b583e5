#include "owutil/text/WindowPos.h"

#include "platform/profile/PrivateProfile.h"
#include "tests/common/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

QString iniPath(const char* name) { return testenv::Home() + "/" + name; }

void writeRecord(const QString& path, const char* key, const char* record)
{
    ASSERT_TRUE(WritePrivateProfileString("WindowPos", key, record, path));
}

} // namespace

TEST(WindowPos, SaveWritesTheRecord)
{
    QWidget w;
    w.setGeometry(100, 120, 300, 200);
    w.show();
    const QString path = iniPath("save.ini");
    ASSERT_TRUE(OwUtil::SaveWindowPos(path, &w, "Main"));
    EXPECT_EQ(GetPrivateProfileString("WindowPos", "Main", "", path), "0,1,-1,-1,100,120,400,320");

    w.hide();
    ASSERT_TRUE(OwUtil::SaveWindowPos(path, &w, "Main", "Windows"));
    EXPECT_EQ(GetPrivateProfileString("Windows", "Main", "", path), "0,0,-1,-1,100,120,400,320");
    EXPECT_FALSE(OwUtil::SaveWindowPos(path, nullptr, "Main"));
    EXPECT_FALSE(OwUtil::SaveWindowPos(path, &w, nullptr));
}

TEST(WindowPos, SaveAndRestoreRoundTrip)
{
    // A relative file name is taken against the current folder.
    const QString saved = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(testenv::Home()));
    {
        QWidget w;
        w.setGeometry(50, 60, 320, 240);
        w.show();
        ASSERT_TRUE(OwUtil::SaveWindowPos("relative.ini", &w, "Editor"));
    }
    EXPECT_TRUE(QFile::exists(testenv::Home() + "/relative.ini"));
    QWidget w;
    int show = -1;
    EXPECT_TRUE(OwUtil::RestoreWindowPos("relative.ini", &w, "Editor", nullptr, false, false, false, &show));
    EXPECT_EQ(w.geometry(), QRect(50, 60, 320, 240));
    EXPECT_EQ(show, SW_SHOW);
    EXPECT_TRUE(w.isVisible());
    QDir::setCurrent(saved);
}

TEST(WindowPos, ShowCommands)
{
    const QString path = iniPath("show.ini");
    writeRecord(path, "Normal", "0,1,-1,-1,10,20,210,170");
    writeRecord(path, "Hidden", "0,0,-1,-1,10,20,210,170");
    const struct {
        const char* key;
        bool maximize, minimize, keepShow;
        int show;
        Qt::WindowStates state;
        bool visible;
    } cases[] = {
        {"Normal", false, false, false, SW_SHOW, Qt::WindowNoState, true},
        {"Normal", true, false, false, SW_SHOW, Qt::WindowMaximized, true},
        {"Normal", false, true, false, SW_SHOW, Qt::WindowMinimized, true},
        {"Normal", true, true, false, SW_SHOW, Qt::WindowMinimized, true}, // minimize wins
        {"Normal", true, true, true, SW_SHOW, Qt::WindowNoState, true}, // keepShow keeps the stored command
        {"Hidden", true, true, false, SW_HIDE, Qt::WindowNoState, false}, // a hidden window stays hidden
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.key) + " " + std::to_string(c.maximize) + std::to_string(c.minimize)
                     + std::to_string(c.keepShow));
        QWidget w;
        int show = -1;
        EXPECT_TRUE(
            OwUtil::RestoreWindowPos(path, &w, c.key, nullptr, c.maximize, c.minimize, c.keepShow, &show));
        EXPECT_EQ(show, c.show);
        EXPECT_EQ(w.windowState() & (Qt::WindowMinimized | Qt::WindowMaximized), c.state);
        EXPECT_EQ(w.isVisible(), c.visible);
        EXPECT_EQ(w.normalGeometry().isValid() ? w.normalGeometry() : w.geometry(), QRect(10, 20, 200, 150));
    }
}

TEST(WindowPos, ZeroRectangleBecomesEightyPercentOfTheScreen)
{
    const QString path = iniPath("zero.ini");
    writeRecord(path, "Zero", "0,1,-1,-1,0,0,0,0");
    QWidget w;
    EXPECT_TRUE(OwUtil::RestoreWindowPos(path, &w, "Zero"));
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    // (The window system may shift a window at the origin to keep its frame on the screen.)
    EXPECT_EQ(w.geometry().size(), QSize(screen.width() * 80 / 100, screen.height() * 80 / 100));
}

TEST(WindowPos, MissingFileOrKey)
{
    QWidget w;
    w.setGeometry(5, 6, 70, 80);
    int show = -1;
    EXPECT_FALSE(
        OwUtil::RestoreWindowPos(iniPath("missing.ini"), &w, "Main", nullptr, true, false, false, &show));
    EXPECT_EQ(show, -1);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.geometry(), QRect(5, 6, 70, 80));

    // A missing key applies the window's own placement (hidden stays hidden).
    const QString path = iniPath("other.ini");
    writeRecord(path, "Other", "0,1,-1,-1,1,2,3,4");
    EXPECT_FALSE(OwUtil::RestoreWindowPos(path, &w, "Main", nullptr, true, false, false, &show));
    EXPECT_EQ(show, SW_HIDE);
    EXPECT_EQ(w.geometry(), QRect(5, 6, 70, 80));
    // A folder is no INI file.
    EXPECT_FALSE(OwUtil::RestoreWindowPos(testenv::Home(), &w, "Main"));
}

TEST(WindowPos, DamagedRecordsReadAsFarAsTheyGo)
{
    const QString path = iniPath("damaged.ini");
    writeRecord(path, "Short", "0,1,-1,-1,30,40");
    writeRecord(path, "Junk", "x,y,z");
    QWidget w;
    w.setGeometry(1, 1, 10, 10);
    EXPECT_TRUE(OwUtil::RestoreWindowPos(path, &w, "Short"));
    // right and bottom are missing (0), so the screen rule applies from the stored corner.
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    EXPECT_EQ(w.geometry().topLeft(), QPoint(30, 40));
    EXPECT_EQ(w.geometry().bottomRight(),
              QPoint(screen.width() * 80 / 100 - 1, screen.height() * 80 / 100 - 1));
    QWidget hidden;
    EXPECT_TRUE(OwUtil::RestoreWindowPos(path, &hidden, "Junk"));
    EXPECT_FALSE(hidden.isVisible()); // show command 0
}
