// The file types' registration with the desktop at start-up, "Register",
// "UnRegister", and requests handed over by a second process.
#include "StartupFixture.h"

#include <QVariant>

#include "framework/doc/CDocManager.h"
#include "platform/shell/ShellRegistration.h"
#include "platform/shell/XdgKeyFile.h"
#include "viewer/document/CLumivueDoc.h"
#include "viewer/frame/CMainFrame.h"

#include <QDir>
#include <QDirIterator>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

namespace {

QString dataHome() { return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation); }
QString configHome() { return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation); }
QString entryPath() { return ShellRegistration::DesktopEntryPath("Lumivue.Document"); }

// Every file under the private home with its content.
std::map<QString, QByteArray> snapshot()
{
    std::map<QString, QByteArray> out;
    QDirIterator it(testenv::Home(), QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString p = it.next();
        if (p.contains("/runtime/"))
            continue;
        QFile f(p);
        f.open(QIODevice::ReadOnly);
        out[p] = f.readAll();
    }
    return out;
}

void writeFile(const QString& path, const QByteArray& data)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
}

} // namespace

TEST_F(StartupTest, StartRegistersTheElevenTypes)
{
    ASSERT_TRUE(Start({}));
    XdgKeyFile entry;
    ASSERT_TRUE(entry.Load(entryPath()));
    const QStringList types = entry.ListValue("Desktop Entry", "MimeType");
    EXPECT_EQ(types.size(), 11);
    EXPECT_TRUE(types.contains("image/emf"));
    EXPECT_TRUE(types.contains("image/x-mj")); // unknown to the system: ours
    EXPECT_TRUE(entry.Value("Desktop Entry", "Exec").endsWith("-DDE -Open %F"));
    EXPECT_TRUE(entry.Value("Desktop Action Print", "Exec").endsWith("-Print %F"));
    const QString validator = QStandardPaths::findExecutable("desktop-file-validate");
    if (!validator.isEmpty()) {
        QProcess p;
        p.start(validator, {entryPath()});
        ASSERT_TRUE(p.waitForFinished());
        EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardOutput().toStdString();
    }
}

TEST_F(StartupTest, RegisteringAgainChangesNothing)
{
    ASSERT_TRUE(Start({}));
    const auto before = snapshot();
    TearDown();
    ASSERT_TRUE(Start({}));
    EXPECT_EQ(snapshot(), before);
}

TEST_F(StartupTest, RegisterRenewsTheRegistrationAndEnds)
{
    ASSERT_TRUE(Start({}));
    TearDown();
    ASSERT_TRUE(QFile::remove(entryPath()));
    EXPECT_FALSE(Start({"-Register"}));
    EXPECT_TRUE(QFileInfo::exists(entryPath()));
    EXPECT_FALSE(MainFrame()->isVisible());
}

TEST_F(StartupTest, OnlyTypesNobodyHandlesAreClaimed)
{
    // Another program already opens TGA images; the user chose a PNG viewer.
    writeFile(dataHome() + "/applications/other-viewer.desktop",
              "[Desktop Entry]\nType=Application\nName=Other\nExec=other %f\nMimeType=image/x-tga;\n");
    writeFile(configHome() + "/mimeapps.list", "[Default Applications]\nimage/png=png-viewer.desktop;\n");
    ASSERT_TRUE(Start({}));
    XdgKeyFile list;
    ASSERT_TRUE(list.Load(configHome() + "/mimeapps.list"));
    EXPECT_EQ(list.ListValue("Default Applications", "image/png"), QStringList{"png-viewer.desktop"});
    EXPECT_FALSE(list.HasKey("Default Applications", "image/x-tga"));
    EXPECT_EQ(list.ListValue("Default Applications", "image/x-mj"), QStringList{"Lumivue.Document.desktop"});
}

TEST_F(StartupTest, UnRegisterRemovesWhatWasWrittenAndNothingElse)
{
    // What was there before the program: another program's files and defaults.
    writeFile(dataHome() + "/applications/other-viewer.desktop",
              "[Desktop Entry]\nType=Application\nName=Other\nExec=other %f\nMimeType=image/x-foo;\n");
    writeFile(dataHome() + "/icons/hicolor/scalable/apps/other.svg", "<svg/>");
    writeFile(configHome() + "/mimeapps.list", "# mine\n[Default Applications]\nimage/png=png-viewer.desktop;\n");
    const auto before = snapshot();

    ASSERT_TRUE(Start({}));
    WriteSetting("Settings/FitOption", 2);
    TearDown();
    EXPECT_NE(snapshot(), before);

    EXPECT_FALSE(Start({"-UnRegister"}));
    ASSERT_FALSE(testenv::Messages().empty());
    EXPECT_EQ(testenv::Messages().back().text,
              "System registry entries have been removed and the INI file (if any) was deleted.");
    EXPECT_FALSE(QFileInfo::exists(ProfilePath()));
    // The update tools rebuilt the other program's cache: only that may differ.
    auto after = snapshot();
    after.erase(dataHome() + "/applications/mimeinfo.cache");
    EXPECT_EQ(after, before);
    EXPECT_FALSE(QFileInfo::exists(dataHome() + "/mime"));
}

TEST_F(StartupTest, ARegistrationThatCannotBeWrittenDoesNotStopStartup)
{
    // The data folder lies below a file: nothing can be created there (even as root).
    writeFile(testenv::Home() + "/blocker", "x");
    const QByteArray old = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", (testenv::Home() + "/blocker/data").toLocal8Bit());
    const BOOL started = Start({MakeFile("a.emf")});
    qputenv("XDG_DATA_HOME", old);
    EXPECT_TRUE(started);
    EXPECT_EQ(Documents().size(), 1u);
    EXPECT_TRUE(MainFrame()->isVisible());
}

TEST_F(StartupTest, ASecondProcessHandsItsFilesToTheRunningOne)
{
    ASSERT_TRUE(Start({}));
    const QString a = MakeFile("a.emf"), b = MakeFile("b.wmf");
    QProcess second;
    second.setProcessChannelMode(QProcess::ForwardedChannels);
    second.start(testenv::BuildDir() + "/bin/Lumivu", {"-DDE", "-Open", a, b});
    ASSERT_TRUE(second.waitForStarted());
    // The running instance serves the request from its event loop.
    QEventLoop loop;
    QObject::connect(&second, &QProcess::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    loop.exec();
    ASSERT_EQ(second.state(), QProcess::NotRunning);
    EXPECT_EQ(second.exitCode(), 0);
    const auto docs = Documents();
    ASSERT_EQ(docs.size(), 2u);
    EXPECT_EQ(docs[0]->m_strFileName, a);
    EXPECT_EQ(docs[1]->m_strFileName, b);
    EXPECT_TRUE(MainFrame()->isVisible());
}
